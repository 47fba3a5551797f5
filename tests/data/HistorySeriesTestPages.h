#pragma once
// History pages built in memory for the history-graph series tests: just the values a test sets.
#include "core/Player.h"
#include "data/History.h"

#include <memory>
#include <string>

namespace seriestest {

// A page of season and round, fetched on a date that keeps the pages in order.
inline THistoryPage& AddPage(THistory& history, int season, int round) {
  auto page = std::make_unique<THistoryPage>();
  page->World.Season = season;
  page->World.MatchRound = round;
  page->World.FetchedDate = "2010-01-01";
  page->World.CountryID = 3;
  page->Team.TeamID = "4711";
  page->Team.TeamName = "FC Test";
  page->IsXml = true;
  THistoryPage& ref = *page;
  history.Add(std::move(page));
  return ref;
}

inline TPlayer& AddPlayer(THistoryPage& page, int64_t id, int skill = 5) {
  auto player = std::make_unique<TPlayer>();
  player->PlayerID = id;
  player->PlayerName = "Player " + std::to_string(id);
  player->Age = 20;
  player->PlayerForm = 6;
  player->InjuryLevel = -1;
  for (int code = paStamina; code <= paSetPieces; ++code) player->SetValue(code, skill);
  TPlayer& ref = *player;
  page.Players.Add(std::move(player));
  return ref;
}

// The player in lineup place slot of the match, with stars.
inline void Play(TMatchPage& match, int slot, int32_t id, int positionCode, double stars, int matchID = 1) {
  match.MatchID = matchID;
  match.Lineup[slot].PlayerID = id;
  match.Lineup[slot].PositionCode = positionCode;
  match.Lineup[slot].RatingStars = stars;
}

}  // namespace seriestest
