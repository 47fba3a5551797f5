#pragma once
// The program-wide number and date format. Every number and date the program reads from or writes to its
// files, and every date in a file name, uses it whatever the user's locale: decimal separator ".", dates
// "yyyy-mm-dd", times "hh:nn:ss". Dates and times are local time.
#include "core/Clock.h"

#include <optional>
#include <string>
#include <string_view>

struct TProgramFormatSettings {
  static constexpr char DecimalSeparator = '.';
  static constexpr char DateSeparator = '-';
  static constexpr char TimeSeparator = ':';
  static constexpr const char* ShortDateFormat = "yyyy-mm-dd";
  static constexpr const char* LongTimeFormat = "hh:nn:ss";
};

// Keeps the C library's number formatting at "." after the toolkit (or InitTranslations' caller) has set
// LC_ALL to the user's locale: sets LC_NUMERIC back to "C" and gives the global C++ locale the classic
// number facets. The program's own conversions (FormatFloat, StrToFloat, ...) never depend on the locale;
// this protects library code that does.
void ApplyProgramFormatSettings();

// "yyyy-mm-dd", "hh:nn:ss" and "yyyy-mm-dd hh:nn:ss" of a time point, in local time.
std::string FormatDate(TClock::time_point time);
std::string FormatTime(TClock::time_point time);
std::string FormatDateTime(TClock::time_point time);

// Strict readers: exactly "yyyy-mm-dd hh:nn:ss" (four-digit year, two digits for every other field, a
// real calendar date and time), read as local time. ParseDate reads "yyyy-mm-dd" as local midnight.
// Anything else raises EConvertError "'%s' is not a valid date and time" / "'%s' is not a valid date".
TClock::time_point ParseDateTime(std::string_view text);
TClock::time_point ParseDate(std::string_view text);
// The same without raising: nothing for a malformed text.
std::optional<TClock::time_point> TryParseDateTime(std::string_view text);
std::optional<TClock::time_point> TryParseDate(std::string_view text);
