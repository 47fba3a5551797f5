#pragma once
// The game's calendar as the history store sees it. A snapshot belongs to a game week, named by the season
// and match round of the team's own league, and carries the date the server produced it. These operations
// derive from them the keys and texts by which snapshots are ordered, de-duplicated and listed.
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

// A fetch date and time as the server wrote it. It has no time zone; it is only compared with other fetch
// dates and shown, so it is kept on the system clock's axis as if it were UTC.
using TGameDateTime = std::chrono::sys_seconds;

// season x 100 + match round: the order of the history store's pages.
int32_t RoundKey(int32_t season, int32_t matchRound);

// "%.2d-%.2d" of season and round, the label of a page in the history list ("38-05").
std::string RoundLabel(int32_t season, int32_t matchRound);

// The ordering key of the history scan: season and round as two digits each, then the digits of the fetch
// date ("2009-09-28 12:00:00" of season 38, round 5 gives "380520090928120000"). Plain text order of the keys
// is season, round and fetch-time order as long as seasons stay below 100.
std::string HistorySortKey(int32_t season, int32_t matchRound, std::string_view fetchedDate);
// The season of such a key, read from its first two characters (EConvertError when they are no number).
int32_t SortKeySeason(std::string_view key);
// The round key of such a key: its first four characters.
std::string_view SortKeyRoundKey(std::string_view key);

// Reads a fetch date: "yyyy-mm-dd", optionally followed by blanks and a time of day "hh:nn" or "hh:nn:ss"
// (leading and trailing blanks allowed). Anything else, the empty text included, raises EConvertError
// "'%s' is not a valid date and time".
TGameDateTime StrToGameDateTime(std::string_view text);
// "yyyy-mm-dd" of the date.
std::string FormatGameDate(TGameDateTime dateTime);
// Day of the week, 0 = Monday .. 6 = Sunday.
int GameWeekday(TGameDateTime dateTime);
