#pragma once
// One played match of the club as stored in the club's match file: the sector ratings of the club's side,
// the result, the arena and the lineup with the stars each player was given.
#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <string>

// One place of a match lineup. PlayerID 0 marks an unused place.
struct TMatchLineupEntry {
  int32_t PlayerID = 0;
  int32_t PositionCode = 0;
  int32_t Behaviour = 0;
  double RatingStars = 0;
};

// Behaviour codes of a lineup entry.
enum TMatchBehaviour : int32_t {
  mbNormal = 0,
  mbOffensive = 1,
  mbDefensive = 2,
  mbTowardsMiddle = 3,
  mbTowardsWing = 4,
  mbExtraForward = 5,
  mbExtraInnerMidfield = 6,
  mbExtraDefender = 7,
};

// Stars of the starting eleven summed by position group.
struct TStarsByGroup {
  double Forwards = 0;
  double Wingers = 0;
  double Keeper = 0;
  double Defenders = 0;
  double InnerMidfielders = 0;
};

class TMatchPage {
public:
  static constexpr int LineupSize = 21;
  // The last lineup places hold players who came on or were replaced; they played too.
  static constexpr int FirstLateSlot = 19;

  // Sector ratings of the club's side.
  int32_t RatingMidfield = 0;
  int32_t RatingLeftDef = 0;
  int32_t RatingMidDef = 0;
  int32_t RatingRightDef = 0;
  int32_t RatingLeftAtt = 0;
  int32_t RatingMidAtt = 0;
  int32_t RatingRightAtt = 0;
  std::string MatchDate;
  std::string ArenaName;
  std::string HomeTeamName;
  std::string AwayTeamName;
  std::string HomeTeamID;
  std::string AwayTeamID;
  int32_t HomeGoals = 0;
  int32_t AwayGoals = 0;
  int32_t MatchID = 0;
  int32_t SoldTotal = 0;
  int32_t SoldTerraces = 0;
  int32_t SoldBasic = 0;
  int32_t SoldRoof = 0;
  int32_t SoldVIP = 0;
  int32_t WeatherID = 0;
  int32_t TeamAttitude = 0;
  int32_t MatchType = 0;
  int32_t ExperienceLevel = 0;
  // Places 1..21; index 0 is never used, so that a place number is its index.
  std::array<TMatchLineupEntry, LineupSize + 1> Lineup{};

  // Fills the record from one MatchData element of a club match file. A missing or malformed number raises
  // EConvertError and leaves the record as it was.
  void ReadMatchData(const pugi::xml_node& matchData);
  // Back to the state of a page without a match.
  void Clear();

  bool HasMatch() const { return MatchID != 0; }
  // Range-checked lineup place 1..21 (ERangeError outside).
  const TMatchLineupEntry& LineupEntry(int slot) const;

  // First lineup place 1..21 of the player, 0 when he is not in the lineup (ID 0 is never found: it marks
  // the unused places).
  int IndexOfPlayer(int32_t id) const;
  double GetStars(int32_t id) const;
  // 1 keeper, 2 wing back, 3 central defender, 6 winger, 7 inner midfielder, 10 forward, 0 unknown.
  int GetPositionGroup(int32_t id) const;
  // Role flags for TPlayer::GetRoleRating from the behaviour, else from the lineup place; 0 when absent.
  int GetRoleFlags(int32_t id) const;
  bool IsInLateSlots(int32_t id) const;
  TStarsByGroup SumStarsByGroup() const;
};
