#pragma once
// The answer of the game's live-match service ("file=live"): the followed matches of the session's user
// with their events. The reader takes the answer's bytes and gives plain records, or raises the reader's
// error and gives nothing, so that a broken answer never reaches a tab half-read.
#include "core/Clock.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TLiveEvent {
  std::string Minute;  // "" or a whole number ("0" for events before the kick-off)
  std::string ObjectPlayerID;
  int Key = 0;  // the number before the first "_" of EventKey
  std::string Text;  // the raw event text, valid UTF-8
};

struct TLiveMatch {
  std::string MatchID;
  std::optional<TClock::time_point> MatchDate;
  std::string HomeTeamName, HomeTeamID, AwayTeamName, AwayTeamID;
  std::string HomeGoals, AwayGoals;
  std::vector<TLiveEvent> Events;
};

struct TLiveAnswer {
  // "viewAll" or "viewNew". An answer without ActionType (or with an unknown one) is read as "viewAll":
  // it then takes the match start from MatchDate and never rings the goal sound.
  std::string ActionType;
  TClock::time_point FetchedDate;
  std::vector<TLiveMatch> Matches;

  bool IsViewNew() const { return ActionType == "viewNew"; }
  const TLiveMatch* Find(std::string_view matchID) const;
};

// Reads the answer. Raises EInOutError for text that is not XML, EConvertError for a FetchedDate or
// MatchDate that is not "yyyy-mm-dd hh:nn:ss", and for a Minute, goal count or event key number that is not
// an integer. Names and texts that are not valid UTF-8 are read as Windows-1252.
TLiveAnswer ReadLiveAnswer(std::string_view bytes);
