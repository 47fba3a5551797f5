#include "core/ClipboardLine.h"

#include "core/PlayerVocabulary.h"

#include <cmath>
#include <cstdio>
#include <limits>

namespace {
void AddNumber(std::string& out, const char* format, long long value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, format, value);
  out += buffer;
  out += '|';
}

// "%2.0f" prints no decimal separator, so the user's locale cannot change it; glibc rounds halves to
// even, as every displayed integer of the program does.
void AddRating(std::string& out, double value) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%2.0f", value);
  out += buffer;
  out += '|';
}

long long Trunc(double value) {
  const double t = std::trunc(value);
  return t >= static_cast<double>(std::numeric_limits<long long>::min()) &&
                 t < static_cast<double>(std::numeric_limits<long long>::max())
             ? static_cast<long long>(t)
             : 0;
}

// The first n characters (not bytes) of a UTF-8 text: a translated name may start with a letter
// that takes two bytes.
std::string FirstCharacters(const std::string& text, int n) {
  size_t end = 0;
  while (end < text.size() && n > 0) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    --n;
  }
  return text.substr(0, end);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::string FormatClipboardLine(const TPlayer& p, std::optional<int32_t> leagueCountryID) {
  std::string line = "|";
  AddNumber(line, "%.9lld", p.PlayerID);
  for (double skill : {p.StaminaSkill, p.PlaymakerSkill, p.WingerSkill, p.ScorerSkill, p.KeeperSkill,
                       p.PassingSkill, p.DefenderSkill})
    AddNumber(line, "%.2lld", Trunc(skill));
  AddNumber(line, "%.2lld", p.PlayerForm);
  AddNumber(line, "%.2lld", p.Experience);
  AddNumber(line, "%.2lld", p.Age);
  AddNumber(line, "%.6lld", p.TSI);
  line += FirstCharacters(SpecialtyName(p.Specialty, true), 2);
  line += '|';
  for (double rating : {p.GetForwardRating(), p.GetWingerRating(), p.GetInnerMidfieldRating(),
                        p.GetWingBackRating(), p.GetCentralDefenderRating(), p.GetKeeperRating(),
                        p.GetBestRating()})
    AddRating(line, rating);

  // Leading zeros become blanks; a lone 0 before "|" stays.
  for (size_t i = 1; i + 1 < line.size(); ++i)
    if (line[i] == '0' && !IsDigit(line[i - 1]) && line[i + 1] != '|') line[i] = ' ';

  // An empty specialty keeps the column's width.
  if (size_t empty = line.find("||"); empty != std::string::npos) line.replace(empty, 2, "|  |");

  if (leagueCountryID && p.CountryID == *leagueCountryID) line[1] = '*';
  return line;
}
