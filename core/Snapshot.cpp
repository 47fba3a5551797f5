#include "core/Snapshot.h"

#include "core/DateTime.h"
#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

namespace {
constexpr size_t SeasonWidth = 4;
constexpr size_t RoundWidth = 2;
constexpr size_t RoundKeyWidth = SeasonWidth + RoundWidth;

std::string_view KeyPart(std::string_view key, size_t pos, size_t count) {
  if (key.size() < pos + count)
    throw EConvertError(FormatText(_("'%s' is not a valid integer value"), std::string(key).c_str()));
  return key.substr(pos, count);
}

bool IsRegularFile(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}
}  // namespace

std::string SnapshotFileName(std::string_view day, TSnapshotKind kind) {
  std::string name(day);
  name += ' ';
  name += MyTeamDlRow(kind).Kind;
  name += ".xml";
  return name;
}

std::string SnapshotFileName(TClock::time_point time, TSnapshotKind kind) {
  return SnapshotFileName(FormatDate(time), kind);
}

fs::path SnapshotFilePath(const fs::path& historyFolder, std::string_view day, TSnapshotKind kind) {
  return historyFolder / SnapshotFileName(day, kind);
}

std::string SnapshotDay(const fs::path& snapshotFile) {
  std::string name = snapshotFile.filename().string();
  auto blank = name.find(' ');
  return blank == std::string::npos ? std::string() : name.substr(0, blank);
}

fs::path SnapshotSibling(const fs::path& playersFile, TSnapshotKind kind) {
  return playersFile.parent_path() / SnapshotFileName(SnapshotDay(playersFile), kind);
}

std::vector<fs::path> SnapshotFiles(const fs::path& playersFile) {
  std::vector<fs::path> files;
  files.reserve(TMyTeamDlData.size());
  for (size_t i = 0; i < TMyTeamDlData.size(); ++i)
    files.push_back(SnapshotSibling(playersFile, static_cast<TSnapshotKind>(i)));
  return files;
}

bool IsCompleteSnapshot(const fs::path& playersFile) {
  std::string day = SnapshotDay(playersFile);
  // "2009-09-28 old Players.xml" also ends in Players.xml but is no file of a snapshot.
  if (day.empty() || playersFile.filename() != SnapshotFileName(day, TSnapshotKind::Players)) return false;
  for (size_t i = 0; i < TMyTeamDlData.size(); ++i)
    if (!IsRegularFile(SnapshotSibling(playersFile, static_cast<TSnapshotKind>(i)))) return false;
  return true;
}

std::vector<fs::path> FindCompleteSnapshots(const fs::path& historyFolder) {
  static const std::string suffix = std::string(" ") + MyTeamDlRow(TSnapshotKind::Players).Kind + ".xml";
  std::vector<fs::path> result;
  std::error_code ec;
  for (fs::directory_iterator it(historyFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() > suffix.size() && name.ends_with(suffix) && IsCompleteSnapshot(it->path()))
      result.push_back(it->path());
  }
  std::sort(result.begin(), result.end());
  return result;
}

std::string SnapshotKey(int season, int round, std::string_view fetchDateTime) {
  if (season < 0 || season > 9999 || round < 0 || round > 99) throw ERangeError();
  char head[RoundKeyWidth + 1];
  std::snprintf(head, sizeof head, "%04d%02d", season, round);
  return head + KeepDigits(fetchDateTime);
}

std::string_view RoundKey(std::string_view key) { return KeyPart(key, 0, RoundKeyWidth); }

std::string MakeRoundKey(int season, int round) { return SnapshotKey(season, round, ""); }

int KeySeason(std::string_view key) { return StrToInt(KeyPart(key, 0, SeasonWidth)); }

int KeyRound(std::string_view key) { return StrToInt(KeyPart(key, SeasonWidth, RoundWidth)); }

std::string_view KeyFetchDigits(std::string_view key) {
  KeyPart(key, 0, RoundKeyWidth);  // a key too short to hold season and round is malformed
  return key.substr(RoundKeyWidth);
}
