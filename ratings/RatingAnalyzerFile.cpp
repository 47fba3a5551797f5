#include "ratings/RatingAnalyzerFile.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/RecordSection.h"
#include "core/Utils.h"

#include <set>
#include <vector>

const char* const RatingAnalyzerSaveError = N_("Error occurred while saving\nRating Analyzer data.");
const char* const RatingAnalyzerLoadError = N_("Error occurred while loading\nRating Analyzer data.");

int RatingAnalyzerAppVersion() {
  const std::string_view version = PITCHBOOK_VERSION;
  int parts[2] = {0, 0};
  size_t pos = 0;
  for (int& part : parts) {
    const size_t end = std::min(version.find('.', pos), version.size());
    const std::string_view digits = version.substr(pos, end - pos);
    part = IsIntegerText(digits) && digits.size() < 6 ? StrToInt(digits) : 0;
    if (end >= version.size()) break;
    pos = end + 1;
  }
  return parts[0] * 100 + parts[1];
}

std::string RatingAnalyzerText(const TRatingAnalyzerSetup& setup) {
  // One text with "|" after every line; a record section already ends its lines with "|".
  std::string text = "AppVersion=" + std::to_string(RatingAnalyzerAppVersion()) + "||";
  text += "TeamSpirit=" + std::to_string(setup.Team.TeamSpirit) + "|";
  text += "Attitude=" + std::to_string(setup.Team.Attitude) + "|";
  text += "Arena=" + std::to_string(setup.Team.Arena) + "||";
  for (int i = 0; i < AnalyzerPositionCount; ++i)
    text += std::string(AnalyzerPositionKeys[i]) + "=" + std::to_string(setup.PlayerIDs[static_cast<size_t>(i)]) + "|";
  for (int i = 1; i < AnalyzerPositionCount; ++i)
    text += std::string(AnalyzerPositionKeys[i]) + "Behaviour=" +
            std::to_string(setup.BehaviourItems[static_cast<size_t>(i - 1)]) + "|";
  text += "|";
  std::string records;
  setup.Players->SaveToRecordText(records);
  text += records;
  // Every piece before a "|" is a line; what follows the last "|" is not written.
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  size_t start = 0;
  for (size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', start)) {
    out.append(text, start, bar - start);
    out += "\r\n";
    start = bar + 1;
  }
  return out;
}

void SaveRatingAnalyzerFile(const std::filesystem::path& path, const TRatingAnalyzerSetup& setup) {
  SaveFileAtomically(path, RatingAnalyzerText(setup));
}

namespace {
std::vector<std::string> SplitLines(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

// The first occurrence of the key anywhere in the joined text; the character after it (the "=") is
// skipped and the value runs to the next blank, "|" or the end.
// A missing key reads as the empty value, which is not an integer.
std::string_view KeyText(std::string_view joined, std::string_view key) {
  const size_t pos = joined.find(key);
  if (pos == std::string_view::npos) return {};
  const std::string_view rest = joined.substr(std::min(pos + key.size() + 1, joined.size()));
  return rest.substr(0, rest.find_first_of(" |"));
}
int KeyValue(std::string_view joined, std::string_view key) { return StrToInt(KeyText(joined, key)); }

int BoxIndex(int value, int count) {
  if (value < 0 || value >= count) throw ERangeError();
  return value;
}
}  // namespace

TRatingAnalyzerSetup ReadRatingAnalyzerText(std::string_view text, const TPlayerList& snapshot) {
  const std::vector<std::string> lines = SplitLines(text);
  std::string joined;
  for (const std::string& line : lines) joined += line + "|";

  TRatingAnalyzerSetup setup;
  setup.Team.TeamSpirit = BoxIndex(KeyValue(joined, "TeamSpirit"), TeamSpiritCount);
  setup.Team.Attitude = BoxIndex(KeyValue(joined, "Attitude"), AnalyzerAttitudeCount);
  setup.Team.Arena = BoxIndex(KeyValue(joined, "Arena"), AnalyzerArenaCount);
  for (int i = 0; i < AnalyzerPositionCount; ++i)
    setup.PlayerIDs[static_cast<size_t>(i)] = StrToInt64(KeyText(joined, AnalyzerPositionKeys[i]));
  for (int i = 1; i < AnalyzerPositionCount; ++i) {
    const int item = KeyValue(joined, std::string(AnalyzerPositionKeys[i]) + "Behaviour");
    setup.BehaviourItems[static_cast<size_t>(i - 1)] =
        BoxIndex(item, static_cast<int>(AllowedBehaviours(AnalyzerPositionGroup(i)).size()));
  }

  // The file's players, as the record file reader takes them: a section closes with its "TrainerSkill=".
  std::vector<std::unique_ptr<TPlayer>> filePlayers;
  size_t first = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find("TrainerSkill=") == std::string::npos) continue;
    auto player = snapshot.NewPlayer();
    ReadRecordSection(*player, lines, first, i);
    filePlayers.push_back(std::move(player));
    first = i + 1;
  }

  auto players = std::make_unique<TPlayerList>(snapshot.Weather(), snapshot.IncludeTraining(), snapshot.IgnoreForm());
  std::set<int64_t> kept;
  for (auto& p : filePlayers) {
    if (snapshot.IndexOfID(p->PlayerID) == 0 || !kept.insert(p->PlayerID).second) continue;
    players->Add(std::move(p));
  }
  for (const TPlayer& p : snapshot)
    if (kept.insert(p.PlayerID).second) players->Add(p.Clone());
  setup.Players = std::move(players);

  // A place keeps its player only when he is in the list and not already standing on an earlier place.
  std::set<int64_t> placed;
  for (int64_t& id : setup.PlayerIDs)
    if (id != 0 && (setup.Players->IndexOfID(id) == 0 || !placed.insert(id).second)) id = 0;
  return setup;
}

TRatingAnalyzerSetup LoadRatingAnalyzerFile(const std::filesystem::path& path, const TPlayerList& snapshot) {
  return ReadRatingAnalyzerText(ReadFileText(path), snapshot);
}
