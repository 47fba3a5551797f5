#pragma once
// What the "Player Ratings and Team Formation" window shows for one played match of a club match file:
// both lineups with their players' specialties, each side's total player experience, the page captions
// (the teams' names) and both sides' match ratings. Team1 is always the club whose lineup is stored first,
// Team2 the other side. The window only draws these values.
#include "ratings/LineupArrangement.h"
#include "ratings/MatchRating.h"

#include <pugixml.hpp>

#include <string>

class THistory;

class TPlayerRatingsView {
public:
  TPlayerRatingsView();

  // Fills everything from a MatchData element of a club match file (its first "matchLineup.asp" child is
  // the club's lineup, a second one the opponent's; "matchDetails.asp" holds the ratings), the match's
  // season and week, and the history store the specialties come from. Raises EPitchbookError when the
  // record has no lineup or no match details, EConvertError for a malformed number; the view is then
  // unchanged.
  void Input(const pugi::xml_node& matchData, int season, int week, const THistory& history);

  // The lineup documents the window reads: the club's own, and the opponent's when it was downloaded (the
  // element after the own lineup that is named like it; an empty node when there is none).
  static pugi::xml_node OwnLineup(const pugi::xml_node& matchData);
  static pugi::xml_node OpponentLineup(const pugi::xml_node& matchData);

  // Specialties of the players in the display's boxes and slots, from the snapshot of the match's week and
  // then the one before it (where a player is in both, the earlier snapshot's value stands). Nothing when
  // the store has no snapshot of that week.
  static void FillSpecialties(TMatchLineupArrangement& lineup, const THistory& history, int season, int week);

  // Captions of the pages Team1 and Team2 (lineup and rating pages alike).
  const std::string& Team1Caption() const { return FTeam1Caption; }
  const std::string& Team2Caption() const { return FTeam2Caption; }
  // The side levels of "Total player experience:" (the level name; a level off 0..20 as the number).
  const std::string& LabelXP() const { return FLabelXP; }
  const std::string& LabelXPOpponent() const { return FLabelXPOpponent; }
  // Whether the club played at home; MatchRatingOwn shows that side of the match details.
  bool OwnIsHome() const { return FOwnIsHome; }
  // The Team2 lineup page is shown only when the opponent's lineup was downloaded.
  bool OpponentLineupShown() const { return FOpponentLineupShown; }
  // True once a match has been put in.
  bool HasMatch() const { return FHasMatch; }

  const TMatchLineupArrangement& MatchLineupOwn() const { return FMatchLineupOwn; }
  const TMatchLineupArrangement& MatchLineupOpp() const { return FMatchLineupOpp; }
  const TMatchRatingModel& MatchRatingOwn() const { return FMatchRatingOwn; }
  const TMatchRatingModel& MatchRatingOpp() const { return FMatchRatingOpp; }

private:
  std::string FTeam1Caption;
  std::string FTeam2Caption;
  std::string FLabelXP;
  std::string FLabelXPOpponent;
  bool FOwnIsHome = true;
  bool FOpponentLineupShown = false;
  bool FHasMatch = false;
  TMatchLineupArrangement FMatchLineupOwn;
  TMatchLineupArrangement FMatchLineupOpp;
  TMatchRatingModel FMatchRatingOwn;
  TMatchRatingModel FMatchRatingOpp;
};
