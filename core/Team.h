#pragma once
// A lineup of sixteen slots with a role per slot: slot 0 keeper, 1..10 field players, 11..14 substitutes,
// 15 substitute keeper. The team owns its slot players and keeps the sum of their role ratings for the
// starters and for the bench, which the lineup search compares millions of times.
//
// Strengths are kept in exact units of 0.005: every rating is a multiple of 0.01 and every role weight a
// multiple of 0.5, so every slot rating is a whole number of units. Sums, swaps and comparisons are then
// exact integers: no drift after many replacements, and two equally strong lineups compare as equal.
#include "core/Player.h"

#include <array>
#include <cstdint>
#include <memory>

// Role flags (TRoleFlag) of the sixteen slots.
using TRoleArray = std::array<uint8_t, 16>;

class TTeam {
public:
  static constexpr int SlotCount = 16;
  static constexpr int KeeperSlot = 0;
  static constexpr int SubstituteKeeperSlot = 15;
  static constexpr int LastStarterSlot = 10;
  // PutSlot's slot number for "the next slot".
  static constexpr int NextSlot = 1009;
  // Strength units per rating point.
  static constexpr int UnitsPerPoint = 200;

  // Formation 442, all slots empty.
  TTeam(int weather, bool includeTraining, bool ignoreForm);
  // The given roles for all sixteen slots.
  TTeam(const TRoleArray& roles, int weather, bool includeTraining, bool ignoreForm);
  ~TTeam();
  TTeam(const TTeam&) = delete;
  TTeam& operator=(const TTeam&) = delete;

  // Settings of the players created for this team.
  int Weather = wDisabled;
  bool IgnoreForm = false;
  bool IncludeTraining = false;
  // Two values kept for the team's users: 0 on creation, copied by Clone, not used by the team.
  int32_t Tag = 0;
  int32_t Tag2 = 0;

  // Occupied slots among 1..14.
  int Count() const { return FCount; }
  // Players among slots 1..14 placed with InLineup set (fixed by the user).
  int FixedCount() const { return FFixedCount; }
  // Sums of the slot ratings of slots 0..10 and 11..15.
  double StarterStrength() const { return double(FStarterUnits) / UnitsPerPoint; }
  double BenchStrength() const { return double(FBenchUnits) / UnitsPerPoint; }
  int64_t StarterUnits() const { return FStarterUnits; }
  int64_t BenchUnits() const { return FBenchUnits; }
  // Chosen by ChooseCaptainAndSetPiecesTaker: slot players of this team (not owned), or none.
  TPlayer* Captain() const { return FCaptain; }
  TPlayer* SetPiecesTaker() const { return FSetPiecesTaker; }

  // The player of slot i, or none (also for i outside 0..15).
  TPlayer* GetSlot(int i) const;
  TPlayer* Keeper() const { return GetSlot(KeeperSlot); }
  TPlayer* SubstituteKeeper() const { return GetSlot(SubstituteKeeperSlot); }
  // Takes the player into slot i, freeing a player already there; i = NextSlot means slot Count + 1.
  // A slot outside 0..15 raises ERangeError and changes nothing, and so does NextSlot when slots 1..14
  // are all counted (Count 14). A null player empties the slot.
  void PutSlot(int i, std::unique_ptr<TPlayer> player);
  void ClearSlot(int i);

  // Role access; ERangeError outside 0..15. Changing a role re-rates the slot's share of the strength.
  uint8_t GetRoleFlags(int i) const;
  void SetRoleFlags(int i, uint8_t flags);
  void SetAllRoleFlags(const TRoleArray& roles);
  const TRoleArray& GetAllRoleFlags() const { return FRoleFlags; }
  // Fixed roles of slots 0 and 11..15, then slots 1..10 from the formation code (343, 442, 1343, 2541, ...);
  // an unknown code leaves slots 1..10 as they were. Returns whether the code was known.
  bool SetFormation(int code);
  static bool IsFormationCode(int code);

  // Rating of slot i's player in the role flags (0 = the slot's own role); 0 for an empty slot.
  double SlotRating(int i, uint8_t flags = 0) const;
  // The same in exact strength units.
  int64_t SlotUnits(int i, uint8_t flags = 0) const;
  // i when keeping the two players where they are is at least as strong as exchanging them, else j.
  int BetterOfSwap(int i, int j) const;
  // Exchanges the players of two slots; the roles stay with the slots.
  void Swap(int i, int j);
  // Pairwise exchanges over slots 1..10 (or 11..14 for the bench) until none makes the team stronger.
  // Players with InLineup set never move; slots of equal roles and empty slots take no part.
  void Optimise(bool bench);
  // StarterStrength, reduced by a tenth for each wing position (winger or wing back) short of three.
  double AdjustedStrength() const;
  // The same in units of 0.0005 (a tenth of a strength unit), for exact comparison.
  int64_t AdjustedStrengthUnits() const;
  void ChooseCaptainAndSetPiecesTaker();

  // Slot of the player with that ID, or -1.
  int IndexOfPlayerID(int32_t id) const;
  // Role flags of the player's slot, 0 when he is in no slot.
  uint8_t RoleFlagsOfPlayer(int32_t id) const;
  // The player's rating in his slot's role; 0 when he is in no slot or the rating fails.
  double RoleRatingOfPlayer(int32_t id) const;

  // A deep copy: same roles and settings, a clone of every slot player, the same strengths; its captain and
  // set-pieces taker are its own players of the same slots.
  std::unique_ptr<TTeam> Clone() const;

private:
  static bool IsStarterSlot(int i) { return i <= LastStarterSlot; }
  static bool CountsTowardCount(int i) { return i != KeeperSlot && i != SubstituteKeeperSlot; }
  static int64_t UnitsOf(TPlayer* player, uint8_t flags);
  int64_t& StrengthOf(int i) { return IsStarterSlot(i) ? FStarterUnits : FBenchUnits; }
  void SetFixedRoles();
  int WingPositions() const;

  int FCount = 0;
  int FFixedCount = 0;
  int64_t FStarterUnits = 0;
  int64_t FBenchUnits = 0;
  TPlayer* FCaptain = nullptr;
  TPlayer* FSetPiecesTaker = nullptr;
  std::array<std::unique_ptr<TPlayer>, SlotCount> FPlayers;
  TRoleArray FRoleFlags{};
};
