#include "core/RecordSection.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/PlayerVocabulary.h"
#include "core/Utils.h"

#include <cmath>
#include <limits>

namespace {
// Blanks and control characters, as the old files' trimming saw them.
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimView(std::string_view s) {
  while (!s.empty() && IsTrimmed(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsTrimmed(s.back())) s.remove_suffix(1);
  return s;
}

[[noreturn]] void InvalidInteger(std::string_view text) {
  throw EConvertError(FormatText(_("'%s' is not a valid integer value"), std::string(text).c_str()));
}

template <size_t N>
const char* Label(const char* const (&table)[N], int index) {
  if (index < 0 || index >= static_cast<int>(N)) throw ERangeError();
  return table[index];
}

void AddLine(std::string& out, std::string_view key, std::string_view value) {
  out += key;
  out += value;
  out += '|';
}

void AddLine(std::string& out, std::string_view key, int64_t value) { AddLine(out, key, std::to_string(value)); }

int32_t TruncSkill(double skill) {
  const double t = std::trunc(skill);
  if (!(t >= std::numeric_limits<int32_t>::min() && t <= std::numeric_limits<int32_t>::max())) throw ERangeError();
  return static_cast<int32_t>(t);
}
}  // namespace

std::string WriteRecordSection(const TPlayer& p) {
  std::string out;
  out.reserve(640);
  out += "[player";
  out += std::to_string(p.PlayerID);
  out += "]|";
  AddLine(out, "name=", p.PlayerName);
  AddLine(out, "ald=", p.Age);
  AddLine(out, "ska=", p.InjuryLevel);
  AddLine(out, "for=", p.PlayerForm);
  AddLine(out, "uth=", TruncSkill(p.StaminaSkill));
  AddLine(out, "spe=", TruncSkill(p.PlaymakerSkill));
  AddLine(out, "mal=", TruncSkill(p.ScorerSkill));
  AddLine(out, "fra=", TruncSkill(p.PassingSkill));
  AddLine(out, "ytt=", TruncSkill(p.WingerSkill));
  AddLine(out, "fas=", TruncSkill(p.SetPiecesSkill));
  AddLine(out, "bac=", TruncSkill(p.DefenderSkill));
  AddLine(out, "mlv=", TruncSkill(p.KeeperSkill));
  AddLine(out, "rut=", p.Experience);
  AddLine(out, "led=", p.Leadership);
  AddLine(out, "sal=", p.Salary);
  AddLine(out, "mkt=", static_cast<int64_t>(p.TSI) * 1000);  // 64 bits: TSI above 2147483 overflows 32
  AddLine(out, "gev=", p.CareerGoals);
  AddLine(out, "gtl=", p.LeagueGoals);
  AddLine(out, "gtc=", p.CupGoals);
  AddLine(out, "gtt=", p.FriendliesGoals);
  AddLine(out, "kck=", p.CareerKickvales);
  AddLine(out, "CountryID=", p.CountryID);
  AddLine(out, "warnings=", p.Cards);
  AddLine(out, "speciality=", p.Specialty);
  // The labels are for people reading the file; they are written untranslated so that a file does
  // not depend on the language of the program that wrote it.
  AddLine(out, "specialityLabel=", Label(SpecialtyNames, p.Specialty));
  AddLine(out, "gentleness=", p.Agreeability);
  AddLine(out, "gentlenessLabel=", Label(AgreeabilityNames, p.Agreeability));
  AddLine(out, "honesty=", p.Honesty);
  AddLine(out, "honestyLabel=", Label(HonestyNames, p.Honesty));
  AddLine(out, "Aggressiveness=", p.Aggressiveness);
  AddLine(out, "AggressivenessLabel=", Label(AggressivenessNames, p.Aggressiveness));
  AddLine(out, "TrainerType=", p.TrainerType);
  AddLine(out, "TrainerSkill=", p.TrainerSkill);
  out += '|';
  return out;
}

std::vector<std::string> ReadRecordLines(const std::filesystem::path& path) { return SplitRecordLines(ReadFileText(path)); }

std::vector<std::string> SplitRecordLines(std::string_view data) {
  std::string_view rest(data);
  if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);
  std::vector<std::string> lines;
  while (!rest.empty()) {
    size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
  }
  return lines;
}

std::string JoinRecordLines(const std::vector<std::string>& lines, size_t first, size_t last) {
  std::string text;
  for (size_t i = first; i <= last && i < lines.size(); ++i) {
    if (!text.empty() && text.back() != '|') text += '|';
    for (char c : TrimView(lines[i])) {
      if (c == ' ' || c == '=') {
        if (text.empty() || text.back() != ' ') text += ' ';
      } else {
        text += c;
      }
    }
  }
  return text;
}

std::string DecodeRecordText(std::string_view text) {
  return IsValidUtf8(text) ? std::string(text) : Cp1252ToUtf8(text);
}

namespace {
// Where "|" + key first occurs in the text, npos when it does not.
size_t FindRecordKey(std::string_view text, std::string_view key) {
  for (size_t pos = text.find('|'); pos != std::string_view::npos; pos = text.find('|', pos + 1))
    if (text.substr(pos + 1, key.size()) == key) return pos;
  return std::string_view::npos;
}
}  // namespace

std::string RecordTextValue(std::string_view text, std::string_view key) {
  const size_t pos = FindRecordKey(text, key);
  if (pos == std::string_view::npos) return {};
  std::string_view rest = text.substr(pos + 1 + key.size());
  return std::string(TrimView(rest.substr(0, rest.find('|'))));
}

std::string RecordWordValue(std::string_view text, std::string_view key) {
  const size_t pos = FindRecordKey(text, key);
  if (pos == std::string_view::npos) return {};
  const size_t separator = pos + 1 + key.size();
  if (separator >= text.size() || text[separator] == '|') return {};
  std::string_view rest = text.substr(separator + 1);
  return std::string(rest.substr(0, rest.find_first_of(" |")));
}

int32_t RecordIntValue(std::string_view text, std::string_view key) {
  return StrToInt(RecordWordValue(text, key));
}

void ReadRecordSection(TPlayer& p, const std::vector<std::string>& lines, size_t first, size_t last) {
  const std::string joined = JoinRecordLines(lines, first, last);
  const size_t start = joined.find("[player");
  if (start == std::string::npos) InvalidInteger("");
  // The first section also holds the file's header lines: decoding only the section keeps its
  // UTF-8 name intact when the header was written in another encoding.
  const std::string text = DecodeRecordText(std::string_view(joined).substr(start));
  const std::string_view body(text);  // starts with "[player"
  const size_t close = body.find(']');
  if (close == std::string_view::npos) InvalidInteger(body.substr(7));
  // IDs are written with 64 bits; reading them with 64 keeps every written file readable.
  p.PlayerID = StrToInt64(body.substr(7, close - 7));
  p.PlayerName = RecordTextValue(body, "name");
  p.Age = RecordIntValue(body, "ald");
  p.InjuryLevel = RecordIntValue(body, "ska");
  p.PlayerForm = RecordIntValue(body, "for");
  p.StaminaSkill = RecordIntValue(body, "uth");
  p.PlaymakerSkill = RecordIntValue(body, "spe");
  p.ScorerSkill = RecordIntValue(body, "mal");
  p.PassingSkill = RecordIntValue(body, "fra");
  p.WingerSkill = RecordIntValue(body, "ytt");
  p.SetPiecesSkill = RecordIntValue(body, "fas");
  p.DefenderSkill = RecordIntValue(body, "bac");
  p.KeeperSkill = RecordIntValue(body, "mlv");
  p.Experience = RecordIntValue(body, "rut");
  p.Leadership = RecordIntValue(body, "led");
  p.Salary = RecordIntValue(body, "sal");
  // mkt is TSI x 1000 and outgrows 32 bits for a TSI above 2147483.
  const std::string mkt = RecordWordValue(body, "mkt");
  const int64_t tsi = StrToInt64(mkt) / 1000;
  if (tsi < std::numeric_limits<int32_t>::min() || tsi > std::numeric_limits<int32_t>::max()) InvalidInteger(mkt);
  p.TSI = static_cast<int32_t>(tsi);
  p.CareerGoals = RecordIntValue(body, "gev");
  p.LeagueGoals = RecordIntValue(body, "gtl");
  p.CupGoals = RecordIntValue(body, "gtc");
  p.FriendliesGoals = RecordIntValue(body, "gtt");
  p.CareerKickvales = RecordIntValue(body, "kck");
  p.CountryID = RecordIntValue(body, "CountryID");
  p.Cards = RecordIntValue(body, "warnings");
  p.Specialty = RecordIntValue(body, "speciality");
  p.Agreeability = RecordIntValue(body, "gentleness");
  p.Honesty = RecordIntValue(body, "honesty");
  p.Aggressiveness = RecordIntValue(body, "Aggressiveness");
  p.TrainerType = RecordWordValue(body, "TrainerType");
  p.TrainerSkill = RecordWordValue(body, "TrainerSkill");
}
