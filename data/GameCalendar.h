#pragma once
// The game's calendar as the history store sees it. A snapshot belongs to a game week, named by the season
// and match round of the team's own league, and carries the date the server produced it. The text key that
// orders snapshots on disk is core/Snapshot.h's SnapshotKey.
#include "core/Clock.h"

#include <cstdint>
#include <string>
#include <string_view>

// season x 100 + match round: the order of the history store's pages, and the round two pages share.
int32_t SeasonRoundKey(int32_t season, int32_t matchRound);

// "%.2d-%.2d" of season and round, the label of a page in the history list ("38-05").
std::string RoundLabel(int32_t season, int32_t matchRound);

// A fetch date as served: "yyyy-mm-dd hh:nn:ss", "yyyy-mm-dd hh:nn", or the date alone (midnight), read as local time with the
// program-wide format. Anything else, the empty text included, raises EConvertError
// "'%s' is not a valid date and time".
TClock::time_point ParseFetchedDate(std::string_view text);
