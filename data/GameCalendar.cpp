#include "data/GameCalendar.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"

#include <cstdio>

int32_t RoundKey(int32_t season, int32_t matchRound) { return season * 100 + matchRound; }

std::string RoundLabel(int32_t season, int32_t matchRound) {
  return FormatText("%.2d-%.2d", season, matchRound);
}

std::string HistorySortKey(int32_t season, int32_t matchRound, std::string_view fetchedDate) {
  std::string key = FormatText("%.2d%.2d", season, matchRound);
  for (char c : fetchedDate)
    if (c >= '0' && c <= '9') key += c;
  return key;
}

int32_t SortKeySeason(std::string_view key) { return StrToInt(key.substr(0, 2)); }

std::string_view SortKeyRoundKey(std::string_view key) { return key.substr(0, 4); }

namespace {
// Reads 1..maxDigits decimal digits at pos; false when there is none.
bool ReadNumber(std::string_view text, size_t& pos, int maxDigits, int& value) {
  value = 0;
  int digits = 0;
  while (pos < text.size() && digits < maxDigits && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    ++pos;
    ++digits;
  }
  return digits > 0;
}

bool Expect(std::string_view text, size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

bool ParseDateTime(std::string_view text, TGameDateTime& result) {
  size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (!ReadNumber(text, pos, 4, year) || !Expect(text, pos, '-') || !ReadNumber(text, pos, 2, month) ||
      !Expect(text, pos, '-') || !ReadNumber(text, pos, 2, day))
    return false;
  size_t blanks = pos;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  if (pos < text.size()) {
    if (pos == blanks) return false;  // the time must be set off by a blank
    if (!ReadNumber(text, pos, 2, hour) || !Expect(text, pos, ':') || !ReadNumber(text, pos, 2, minute))
      return false;
    if (pos < text.size() && text[pos] == ':') {
      ++pos;
      if (!ReadNumber(text, pos, 2, second)) return false;
    }
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos != text.size()) return false;
  }
  using namespace std::chrono;
  const year_month_day date{std::chrono::year(year), std::chrono::month(unsigned(month)),
                            std::chrono::day(unsigned(day))};
  if (!date.ok() || hour > 23 || minute > 59 || second > 59) return false;
  result = sys_days(date) + hours(hour) + minutes(minute) + seconds(second);
  return true;
}
}  // namespace

TGameDateTime StrToGameDateTime(std::string_view text) {
  TGameDateTime result;
  if (!ParseDateTime(text, result))
    throw EConvertError(FormatText(_("'%s' is not a valid date and time"), std::string(text).c_str()));
  return result;
}

std::string FormatGameDate(TGameDateTime dateTime) {
  const std::chrono::year_month_day date{std::chrono::floor<std::chrono::days>(dateTime)};
  return FormatText("%.4d-%.2d-%.2d", int(date.year()), int(unsigned(date.month())),
                    int(unsigned(date.day())));
}

int GameWeekday(TGameDateTime dateTime) {
  const std::chrono::weekday day{std::chrono::floor<std::chrono::days>(dateTime)};
  return int(day.iso_encoding()) - 1;
}
