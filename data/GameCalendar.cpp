#include "data/GameCalendar.h"

#include "core/DateTime.h"
#include "core/Errors.h"
#include "core/Intl.h"

int32_t SeasonRoundKey(int32_t season, int32_t matchRound) { return season * 100 + matchRound; }

std::string RoundLabel(int32_t season, int32_t matchRound) {
  return FormatText("%.2d-%.2d", season, matchRound);
}

TClock::time_point ParseFetchedDate(std::string_view text) {
  if (auto dateTime = TryParseDateTime(text)) return *dateTime;
  if (auto date = TryParseDate(text)) return *date;
  // A time of day without seconds ("hh:nn") is read as its full minute.
  if (text.size() == 16 && text[13] == ':')
    if (auto dateTime = TryParseDateTime(std::string(text) + ":00")) return *dateTime;
  throw EConvertError(FormatText(_("'%s' is not a valid date and time"), std::string(text).c_str()));
}
