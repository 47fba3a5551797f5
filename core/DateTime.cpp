#include "core/DateTime.h"

#include "core/Errors.h"
#include "core/Intl.h"

#include <clocale>
#include <cstdio>
#include <ctime>
#include <locale>

namespace {
std::tm LocalTime(TClock::time_point time) {
  // Floor to whole seconds, so that a time point just before the epoch does not round up a second.
  auto seconds = std::chrono::floor<std::chrono::seconds>(time.time_since_epoch()).count();
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

// The value of `count` digits at text[pos]; -1 when any of them is not a digit.
int Digits(std::string_view text, size_t pos, size_t count) {
  int value = 0;
  for (size_t i = pos; i < pos + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return -1;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Reads "yyyy-mm-dd" at the start of text into tm; false when it is not a calendar date.
bool ReadDate(std::string_view text, std::tm& tm) {
  if (text.size() < 10 || text[4] != '-' || text[7] != '-') return false;
  int year = Digits(text, 0, 4), month = Digits(text, 5, 2), day = Digits(text, 8, 2);
  if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  return true;
}

std::optional<TClock::time_point> ToTimePoint(std::tm tm) {
  tm.tm_isdst = -1;  // let the C library decide whether summer time applies on that day
  tm.tm_wday = -1;   // mktime sets it on success; -1 is also a valid result one second before the epoch
  std::time_t t = std::mktime(&tm);
  if (tm.tm_wday == -1) return std::nullopt;
  // The clock counts nanoseconds in 64 bits (about the years 1678..2261): a date beyond that is no moment
  // it can hold, and converting it would overflow into some other date.
  constexpr auto limit = std::chrono::duration_cast<std::chrono::seconds>(TClock::time_point::duration::max()).count();
  if (t >= limit || t <= -limit) return std::nullopt;
  return std::chrono::time_point_cast<TClock::time_point::duration>(std::chrono::system_clock::from_time_t(t));
}
}  // namespace

void ApplyProgramFormatSettings() {
  std::setlocale(LC_NUMERIC, "C");
  // A global C++ locale that is still the classic one formats numbers right already. Installing it again
  // would not be harmless: a locale named "C" resets every category of the C locale, the messages (and so
  // the translations) among them.
  const std::locale current;
  if (current.name() == "C") return;
  std::locale::global(std::locale(current, std::locale::classic(), std::locale::numeric));
}

std::string FormatDate(TClock::time_point time) {
  std::tm tm = LocalTime(time);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
  return buffer;
}

std::string FormatTime(TClock::time_point time) {
  std::tm tm = LocalTime(time);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buffer;
}

std::string FormatDateTime(TClock::time_point time) {
  std::tm tm = LocalTime(time);
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", tm.tm_year + 1900, tm.tm_mon + 1,
                tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buffer;
}

std::optional<TClock::time_point> TryParseDateTime(std::string_view text) {
  std::tm tm{};
  if (text.size() != 19 || !ReadDate(text, tm) || text[10] != ' ' || text[13] != ':' || text[16] != ':')
    return std::nullopt;
  int hour = Digits(text, 11, 2), minute = Digits(text, 14, 2), second = Digits(text, 17, 2);
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  return ToTimePoint(tm);
}

std::optional<TClock::time_point> TryParseDate(std::string_view text) {
  std::tm tm{};
  if (text.size() != 10 || !ReadDate(text, tm)) return std::nullopt;
  return ToTimePoint(tm);
}

TClock::time_point ParseDateTime(std::string_view text) {
  if (auto result = TryParseDateTime(text)) return *result;
  throw EConvertError(FormatText(_("'%s' is not a valid date and time"), std::string(text).c_str()));
}

TClock::time_point ParseDate(std::string_view text) {
  if (auto result = TryParseDate(text)) return *result;
  throw EConvertError(FormatText(_("'%s' is not a valid date"), std::string(text).c_str()));
}
