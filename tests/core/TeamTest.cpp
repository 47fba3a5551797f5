#include "core/Errors.h"
#include "core/Player.h"
#include "core/Team.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {
struct TSkills {
  double Defending = 2, Playmaking = 2, Winger = 2, Scoring = 2, Keeper = 2, SetPieces = 2;
  int Experience = 1, Leadership = 1, Specialty = spNone;
};

// Form 8, healthy, weather Disabled: ratings follow the skills without specialty effects.
std::unique_ptr<TPlayer> MakePlayer(int64_t id, const TSkills& s, bool fixed = false) {
  auto p = std::make_unique<TPlayer>(wDisabled, false, false);
  p->PlayerID = id;
  p->PlayerName = "Player " + std::to_string(id);
  p->PlayerForm = 8;
  p->InjuryLevel = -1;
  p->StaminaSkill = 8;
  p->PassingSkill = 4;
  p->DefenderSkill = s.Defending;
  p->PlaymakerSkill = s.Playmaking;
  p->WingerSkill = s.Winger;
  p->ScorerSkill = s.Scoring;
  p->KeeperSkill = s.Keeper;
  p->SetPiecesSkill = s.SetPieces;
  p->Experience = s.Experience;
  p->Leadership = s.Leadership;
  p->Specialty = s.Specialty;
  p->InLineup = fixed;
  return p;
}

// Specialists: each is clearly best in one role.
const TSkills Keeper{.Keeper = 14};
const TSkills Defender{.Defending = 15};
const TSkills WingBack{.Defending = 11, .Winger = 10};
const TSkills Midfielder{.Playmaking = 14};
const TSkills Winger{.Winger = 15};
const TSkills Forward{.Scoring = 15};

std::vector<uint8_t> Roles(const std::string& text) {
  static const std::map<std::string, uint8_t> names{
      {"K", rfKeeper}, {"CD", rfCentralDefender}, {"WB", rfWingBack}, {"IM", rfInnerMidfielder}, {"W", rfWinger},
      {"FW", rfForward}};
  std::vector<uint8_t> roles;
  std::istringstream in(text);
  for (std::string name; in >> name;) roles.push_back(names.at(name));
  return roles;
}

std::vector<uint8_t> RolesOf(const TTeam& team, int first, int last) {
  std::vector<uint8_t> roles;
  for (int i = first; i <= last; ++i) roles.push_back(team.GetRoleFlags(i));
  return roles;
}

int64_t IdAt(const TTeam& team, int slot) { return team.GetSlot(slot) ? team.GetSlot(slot)->PlayerID : 0; }

// The kept sums must always equal the slot ratings summed afresh.
void ExpectStrengthsMatchSlots(const TTeam& team) {
  int64_t starters = 0, bench = 0;
  double starterRatings = 0;
  for (int i = 0; i <= 10; ++i) {
    starters += team.SlotUnits(i);
    starterRatings += team.SlotRating(i);
  }
  for (int i = 11; i <= 15; ++i) bench += team.SlotUnits(i);
  EXPECT_EQ(team.StarterUnits(), starters);
  EXPECT_EQ(team.BenchUnits(), bench);
  EXPECT_NEAR(team.StarterStrength(), starterRatings, 1e-9);
}

// A 4-4-2 with every specialist one slot off, so that Optimise has work to do.
std::unique_ptr<TTeam> ShuffledTeam442() {
  auto team = std::make_unique<TTeam>(wDisabled, false, false);
  team->PutSlot(0, MakePlayer(1, Keeper));
  // Slots 1..10 of 442: CD CD WB WB IM IM W W FW FW.
  const TSkills order[] = {Forward, Defender, Defender, WingBack, Winger, Midfielder, Midfielder, WingBack, Forward,
                           Winger};
  for (int i = 0; i < 10; ++i) team->PutSlot(TTeam::NextSlot, MakePlayer(101 + i, order[i]));
  return team;
}
}  // namespace

TEST(Team, FormationCodesGiveTheirRolesAndFixedSlots) {
  const std::pair<int, const char*> table[] = {
      {343, "CD WB WB IM IM W W FW FW FW"},  {352, "CD WB WB IM IM IM W W FW FW"},
      {433, "CD CD WB WB IM W W FW FW FW"},  {442, "CD CD WB WB IM IM W W FW FW"},
      {451, "CD CD WB WB IM IM IM W W FW"},  {532, "CD CD CD WB WB IM W W FW FW"},
      {541, "CD CD CD WB WB IM IM W W FW"},  {1343, "CD CD WB IM IM W W FW FW FW"},
      {1352, "CD CD WB IM IM IM W W FW FW"}, {1433, "CD CD CD WB IM W W FW FW FW"},
      {1442, "CD CD CD WB IM IM W W FW FW"}, {1451, "CD CD CD WB IM IM IM W W FW"},
      {2343, "CD WB WB IM IM IM W FW FW FW"}, {2433, "CD CD WB WB IM IM W FW FW FW"},
      {2442, "CD CD WB WB IM IM IM W FW FW"}, {2532, "CD CD CD WB WB IM IM W FW FW"},
      {2541, "CD CD CD WB WB IM IM IM W FW"},
  };
  for (const auto& [code, roles] : table) {
    SCOPED_TRACE(code);
    TTeam team(wDisabled, false, false);
    team.SetAllRoleFlags(TRoleArray{});
    EXPECT_TRUE(team.SetFormation(code));
    EXPECT_TRUE(TTeam::IsFormationCode(code));
    EXPECT_EQ(RolesOf(team, 1, 10), Roles(roles));
    EXPECT_EQ(RolesOf(team, 0, 0), Roles("K"));
    EXPECT_EQ(RolesOf(team, 11, 15), Roles("CD IM W FW K"));
  }
}

TEST(Team, NewTeamIs442AndUnknownFormationKeepsTheFieldRoles) {
  TTeam team(wSunny, true, false);
  EXPECT_EQ(RolesOf(team, 0, 15), Roles("K CD CD WB WB IM IM W W FW FW CD IM W FW K"));
  EXPECT_EQ(team.Count(), 0);
  EXPECT_EQ(team.Weather, wSunny);
  EXPECT_TRUE(team.IncludeTraining);
  team.SetFormation(541);
  team.SetRoleFlags(0, rfForward);
  team.SetRoleFlags(15, rfForward);
  for (int code : {0, 1532, 2451, 444}) {
    EXPECT_FALSE(team.SetFormation(code));
    EXPECT_FALSE(TTeam::IsFormationCode(code));
  }
  EXPECT_EQ(RolesOf(team, 1, 10), Roles("CD CD CD WB WB IM IM W W FW"));
  EXPECT_EQ(RolesOf(team, 0, 0), Roles("K"));
  EXPECT_EQ(RolesOf(team, 15, 15), Roles("K"));
}

TEST(Team, RoleAccessOutsideTheSlotsIsARangeError) {
  TTeam team(wDisabled, false, false);
  EXPECT_THROW(team.GetRoleFlags(-1), ERangeError);
  EXPECT_THROW(team.GetRoleFlags(16), ERangeError);
  EXPECT_THROW(team.SetRoleFlags(16, rfWinger), ERangeError);
  EXPECT_THROW(team.PutSlot(16, MakePlayer(1, Keeper)), ERangeError);
  // The next slot after fourteen field players is not the substitute keeper's.
  team.PutSlot(15, MakePlayer(2, Keeper));
  for (int i = 0; i < 14; ++i) team.PutSlot(TTeam::NextSlot, MakePlayer(11 + i, Defender));
  EXPECT_EQ(team.Count(), 14);
  EXPECT_THROW(team.PutSlot(TTeam::NextSlot, MakePlayer(99, Forward)), ERangeError);
  EXPECT_EQ(team.Count(), 14);
  EXPECT_EQ(team.SubstituteKeeper()->PlayerID, 2);
  EXPECT_EQ(IdAt(team, 14), 24);
  team.PutSlot(15, nullptr);
  for (int i = 1; i <= 14; ++i) team.PutSlot(i, nullptr);
  EXPECT_EQ(team.GetSlot(-1), nullptr);
  EXPECT_EQ(team.GetSlot(16), nullptr);
  EXPECT_EQ(team.Count(), 0);
}

TEST(Team, PutSlotCountsFieldSlotsAndNextSlotFillsInOrder) {
  TTeam team(wDisabled, false, false);
  team.PutSlot(TTeam::NextSlot, MakePlayer(11, Defender));
  EXPECT_EQ(IdAt(team, 1), 11);
  EXPECT_EQ(team.Count(), 1);
  team.PutSlot(TTeam::NextSlot, MakePlayer(12, Defender, true));
  EXPECT_EQ(IdAt(team, 2), 12);
  EXPECT_EQ(team.Count(), 2);
  EXPECT_EQ(team.FixedCount(), 1);
  // Keeper slots do not count.
  team.PutSlot(0, MakePlayer(1, Keeper, true));
  team.PutSlot(15, MakePlayer(2, Keeper));
  EXPECT_EQ(team.Count(), 2);
  EXPECT_EQ(team.FixedCount(), 1);
  EXPECT_EQ(team.Keeper()->PlayerID, 1);
  EXPECT_EQ(team.SubstituteKeeper()->PlayerID, 2);
  team.PutSlot(12, MakePlayer(13, Midfielder));
  EXPECT_EQ(team.Count(), 3);
  EXPECT_NEAR(team.BenchStrength(), team.SlotRating(12) + team.SlotRating(15), 1e-9);
  ExpectStrengthsMatchSlots(team);
}

TEST(Team, PuttingIntoAnOccupiedSlotReplacesItsShareOfTheStrength) {
  TTeam team(wDisabled, false, false);
  team.PutSlot(0, MakePlayer(1, Keeper));
  team.PutSlot(1, MakePlayer(11, Defender, true));
  team.PutSlot(2, MakePlayer(12, Defender));
  const double before = team.StarterStrength();
  const double replacedShare = team.SlotRating(1);
  team.PutSlot(1, MakePlayer(21, Forward));
  EXPECT_EQ(team.Count(), 2);
  EXPECT_EQ(team.FixedCount(), 0);
  EXPECT_EQ(IdAt(team, 1), 21);
  EXPECT_NEAR(team.StarterStrength(), before - replacedShare + team.SlotRating(1), 1e-9);
  ExpectStrengthsMatchSlots(team);
  team.ClearSlot(2);
  EXPECT_EQ(team.Count(), 1);
  team.PutSlot(1, nullptr);
  EXPECT_EQ(team.Count(), 0);
  EXPECT_EQ(team.StarterUnits(), team.SlotUnits(0));
}

TEST(Team, PlayerWhoseRatingFailsIsRefusedAndTheTeamStaysAsItWas) {
  TTeam team(wDisabled, false, false);
  team.PutSlot(1, MakePlayer(11, Defender));
  const int64_t units = team.StarterUnits();
  TSkills broken = Defender;
  broken.Specialty = 9;
  auto player = MakePlayer(12, broken);
  player->Weather = wSunny;
  EXPECT_THROW(team.PutSlot(1, std::move(player)), ERangeError);
  EXPECT_EQ(IdAt(team, 1), 11);
  EXPECT_EQ(team.Count(), 1);
  EXPECT_EQ(team.StarterUnits(), units);
}

TEST(Team, ChangingASlotsRoleReratesItsShare) {
  TTeam team(wDisabled, false, false);
  team.PutSlot(1, MakePlayer(11, Midfielder));
  team.PutSlot(11, MakePlayer(12, Midfielder));
  team.SetRoleFlags(1, rfInnerMidfielder);
  team.SetAllRoleFlags([] {
    TRoleArray roles{};
    roles[1] = rfInnerMidfielder;
    roles[11] = rfForward;
    return roles;
  }());
  EXPECT_EQ(team.StarterUnits(), team.SlotUnits(1, rfInnerMidfielder));
  EXPECT_EQ(team.BenchUnits(), team.SlotUnits(11, rfForward));
  ExpectStrengthsMatchSlots(team);
}

TEST(Team, SwapExchangesPlayersAndKeepsTheStrengthsTrue) {
  auto team = ShuffledTeam442();
  team->PutSlot(11, MakePlayer(201, Forward));
  team->PutSlot(14, MakePlayer(202, Defender));
  const struct {
    int I, J;
  } swaps[] = {{1, 9}, {9, 1}, {3, 12}, {0, 15}, {11, 14}, {5, 5}};
  for (const auto& s : swaps) {
    SCOPED_TRACE(testing::Message() << s.I << "<->" << s.J);
    const int64_t a = IdAt(*team, s.I), b = IdAt(*team, s.J);
    team->Swap(s.I, s.J);
    EXPECT_EQ(IdAt(*team, s.I), b);
    EXPECT_EQ(IdAt(*team, s.J), a);
    ExpectStrengthsMatchSlots(*team);
  }
  EXPECT_EQ(team->Count(), 12);
}

TEST(Team, BetterOfSwapKeepsTiesAndPicksTheStrongerArrangement) {
  TTeam team(wDisabled, false, false);
  team.PutSlot(1, MakePlayer(11, Forward));   // CD slot
  team.PutSlot(9, MakePlayer(12, Defender));  // FW slot
  EXPECT_EQ(team.BetterOfSwap(1, 9), 9);
  team.Swap(1, 9);
  EXPECT_EQ(team.BetterOfSwap(1, 9), 1);
  // Two equal players: exchanging them gains nothing.
  team.PutSlot(3, MakePlayer(13, WingBack));
  team.PutSlot(5, MakePlayer(14, WingBack));
  EXPECT_EQ(team.BetterOfSwap(3, 5), 3);
  // An empty slot rates 0 in any role.
  EXPECT_EQ(team.BetterOfSwap(2, 7), 2);
}

TEST(Team, OptimisePutsEverySpecialistInHisRole) {
  auto team = ShuffledTeam442();
  const int64_t before = team->StarterUnits();
  team->Optimise(false);
  EXPECT_GT(team->StarterUnits(), before);
  const std::map<int64_t, uint8_t> bestRole{
      {101, rfForward},  {102, rfCentralDefender}, {103, rfCentralDefender}, {104, rfWingBack}, {105, rfWinger},
      {106, rfInnerMidfielder}, {107, rfInnerMidfielder}, {108, rfWingBack}, {109, rfForward}, {110, rfWinger}};
  for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(team->GetRoleFlags(slot), bestRole.at(IdAt(*team, slot)));
  EXPECT_EQ(IdAt(*team, 0), 1);
  ExpectStrengthsMatchSlots(*team);
  // A second run finds nothing to do.
  const int64_t optimum = team->StarterUnits();
  team->Optimise(false);
  EXPECT_EQ(team->StarterUnits(), optimum);
}

TEST(Team, OptimiseNeverMovesFixedPlayersNorTouchesEmptySlots) {
  TTeam team(wDisabled, false, false);
  // A fixed defender in a forward slot, the forward in a defender slot; slot 4 empty.
  team.PutSlot(9, MakePlayer(11, Defender, true));
  team.PutSlot(1, MakePlayer(12, Forward));
  team.PutSlot(5, MakePlayer(13, Winger));
  team.PutSlot(7, MakePlayer(14, Midfielder));
  team.Optimise(false);
  EXPECT_EQ(IdAt(team, 9), 11);
  EXPECT_EQ(IdAt(team, 4), 0);
  // The forward cannot take the fixed slot; he and the others go where they do best among the free ones.
  EXPECT_EQ(IdAt(team, 10), 0);
  EXPECT_EQ(IdAt(team, 1), 12);
  EXPECT_EQ(IdAt(team, 5), 14);
  EXPECT_EQ(IdAt(team, 7), 13);
  EXPECT_EQ(team.FixedCount(), 1);
  ExpectStrengthsMatchSlots(team);
}

TEST(Team, OptimiseNeverSwapsEqualRolesNorTies) {
  TTeam team(wDisabled, false, false);
  TSkills weaker = Defender;
  weaker.Defending = 9;
  // Slots 1 and 2 are both central defenders; slots 3 (wing back) and 7 (winger) hold equal players.
  team.PutSlot(1, MakePlayer(11, weaker));
  team.PutSlot(2, MakePlayer(12, Defender));
  team.PutSlot(3, MakePlayer(13, Midfielder));
  team.PutSlot(7, MakePlayer(14, Midfielder));
  team.Optimise(false);
  EXPECT_EQ(IdAt(team, 1), 11);
  EXPECT_EQ(IdAt(team, 2), 12);
  EXPECT_EQ(IdAt(team, 3), 13);
  EXPECT_EQ(IdAt(team, 7), 14);
}

TEST(Team, OptimiseOfTheBenchWorksOnSlotsElevenToFourteenOnly) {
  auto team = ShuffledTeam442();
  // Bench roles: 11 CD, 12 IM, 13 W, 14 FW.
  team->PutSlot(11, MakePlayer(201, Forward));
  team->PutSlot(12, MakePlayer(202, Winger));
  team->PutSlot(13, MakePlayer(203, Midfielder));
  team->PutSlot(14, MakePlayer(204, Defender));
  team->PutSlot(15, MakePlayer(205, Keeper));
  const int64_t starters = team->StarterUnits();
  team->Optimise(true);
  EXPECT_EQ(IdAt(*team, 11), 204);
  EXPECT_EQ(IdAt(*team, 12), 203);
  EXPECT_EQ(IdAt(*team, 13), 202);
  EXPECT_EQ(IdAt(*team, 14), 201);
  EXPECT_EQ(IdAt(*team, 15), 205);
  EXPECT_EQ(IdAt(*team, 1), 101);
  EXPECT_EQ(team->StarterUnits(), starters);
  ExpectStrengthsMatchSlots(*team);
}

TEST(Team, AdjustedStrengthCutsATenthPerMissingWingPosition) {
  struct TCase {
    const char* Roles;
    int WingPositions;
  };
  const TCase cases[] = {
      {"CD CD WB WB IM IM W W FW FW", 4},  // 442
      {"CD CD WB IM IM W W FW FW FW", 3},  // 1343
      {"CD WB WB IM IM IM W FW FW FW", 3}, // 2343
      {"CD CD CD WB IM IM IM W FW FW", 2},
      {"CD CD CD CD IM IM IM W FW FW", 1},
      {"CD CD CD CD IM IM IM IM FW FW", 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Roles);
    TTeam team(wDisabled, false, false);
    const std::vector<uint8_t> roles = Roles(c.Roles);
    for (int slot = 1; slot <= 10; ++slot) team.SetRoleFlags(slot, roles[slot - 1]);
    team.PutSlot(0, MakePlayer(1, Keeper));
    team.PutSlot(1, MakePlayer(2, Defender));
    const double factor = c.WingPositions > 2 ? 1.0 : 1 - (3 - c.WingPositions) * 0.1;
    EXPECT_DOUBLE_EQ(team.AdjustedStrength(), team.StarterStrength() * factor);
    EXPECT_EQ(team.AdjustedStrengthUnits(), team.StarterUnits() * (c.WingPositions > 2 ? 10 : 7 + c.WingPositions));
  }
}

TEST(Team, StrengthsAreExactAfterManyReplacements) {
  // Ratings such as 12.35 and 21.45 do not add up exactly in binary; the kept sums must not drift.
  TTeam team(wDisabled, false, false);
  for (int round = 0; round < 200; ++round) {
    for (int slot = 0; slot <= 15; ++slot) {
      TSkills s{.Defending = 3.0 + (round + slot) % 13, .Playmaking = 4.0 + round % 9, .Winger = 5.0 + slot % 7,
                .Scoring = 6.0 + (round * slot) % 11, .Keeper = 7.0 + round % 5};
      s.Experience = 1 + (round + 3 * slot) % 17;
      team.PutSlot(slot, MakePlayer(slot, s));
    }
    if (round % 3 == 0) team.Optimise(round % 2 == 0);
    if (round % 5 == 0) team.SetFormation(round % 2 ? 2541 : 343);
  }
  ExpectStrengthsMatchSlots(team);
  for (int slot = 0; slot <= 15; ++slot) team.ClearSlot(slot);
  EXPECT_EQ(team.StarterStrength(), 0.0);
  EXPECT_EQ(team.BenchStrength(), 0.0);
  EXPECT_EQ(team.Count(), 0);
}

TEST(Team, CaptainIsTheMostExperiencedLeaderWithTiesToHigherExperience) {
  struct TCase {
    const char* Name;
    std::vector<std::pair<int, int>> ExperienceLeadership;  // slots 0, 1, 2, ...
    int64_t Captain;                                        // slot + 1
  };
  const TCase cases[] = {
      {"higher value wins", {{2, 3}, {4, 1}, {1, 5}}, 2},
      {"equal value, higher experience wins", {{2, 3}, {4, 0}}, 2},
      {"equal value, lower experience stays out", {{4, 0}, {2, 3}}, 1},
      {"equal value and experience, the first stays", {{3, 2}, {3, 2}}, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTeam team(wDisabled, false, false);
    int slot = 0;
    for (const auto& [experience, leadership] : c.ExperienceLeadership) {
      TSkills s = Defender;
      s.Experience = experience;
      s.Leadership = leadership;
      team.PutSlot(slot, MakePlayer(slot + 1, s));
      ++slot;
    }
    team.ChooseCaptainAndSetPiecesTaker();
    ASSERT_NE(team.Captain(), nullptr);
    EXPECT_EQ(team.Captain()->PlayerID, c.Captain);
  }
}

TEST(Team, SetPiecesTakerTiesGoPastTheKeeperAndTheHeaderSpecialist) {
  // Experience 0 and 1 give the same experience bonus, so equal set-pieces skills give equal ratings while
  // the experience still differs.
  struct TPlayerCase {
    int Slot;
    double SetPieces;
    int Experience;
    int Specialty;
  };
  struct TCase {
    const char* Name;
    std::vector<TPlayerCase> Players;
    int TakerSlot;
  };
  const TCase cases[] = {
      {"higher rating wins", {{1, 8, 1, 0}, {2, 12, 1, 0}, {3, 10, 1, 0}}, 2},
      {"a tie replaces the keeper", {{0, 10, 1, 0}, {1, 10, 1, 0}, {2, 10, 1, 0}}, 1},
      {"a tie replaces a header specialist", {{1, 10, 1, spHead}, {2, 10, 0, 0}}, 2},
      {"a tie otherwise needs more experience", {{1, 10, 0, 0}, {2, 10, 1, 0}, {3, 10, 1, 0}}, 2},
      {"a tie with less experience keeps the taker", {{1, 10, 1, 0}, {2, 10, 0, 0}}, 1},
      {"substitutes take no part", {{1, 10, 1, 0}, {11, 18, 1, 0}, {15, 18, 1, 0}}, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTeam team(wDisabled, false, false);
    for (const TPlayerCase& p : c.Players) {
      TSkills s = Defender;
      s.SetPieces = p.SetPieces;
      s.Experience = p.Experience;
      s.Specialty = p.Specialty;
      team.PutSlot(p.Slot, MakePlayer(100 + p.Slot, s));
    }
    team.ChooseCaptainAndSetPiecesTaker();
    ASSERT_NE(team.SetPiecesTaker(), nullptr);
    EXPECT_EQ(team.SetPiecesTaker(), team.GetSlot(c.TakerSlot));
  }
}

TEST(Team, EmptyTeamHasNoCaptainAndFreeingTheCaptainForgetsHim) {
  TTeam team(wDisabled, false, false);
  team.ChooseCaptainAndSetPiecesTaker();
  EXPECT_EQ(team.Captain(), nullptr);
  EXPECT_EQ(team.SetPiecesTaker(), nullptr);
  team.PutSlot(4, MakePlayer(4, Defender));
  team.ChooseCaptainAndSetPiecesTaker();
  EXPECT_EQ(team.Captain(), team.GetSlot(4));
  team.PutSlot(4, MakePlayer(5, Forward));
  EXPECT_EQ(team.Captain(), nullptr);
  EXPECT_EQ(team.SetPiecesTaker(), nullptr);
}

TEST(Team, LookupsByPlayerIDGiveSlotRolesAndRating) {
  auto team = ShuffledTeam442();
  team->PutSlot(13, MakePlayer(201, Winger));
  EXPECT_EQ(team->IndexOfPlayerID(1), 0);
  EXPECT_EQ(team->IndexOfPlayerID(104), 4);
  EXPECT_EQ(team->IndexOfPlayerID(201), 13);
  EXPECT_EQ(team->IndexOfPlayerID(999), -1);
  EXPECT_EQ(team->RoleFlagsOfPlayer(104), rfWingBack);
  EXPECT_EQ(team->RoleFlagsOfPlayer(201), rfWinger);
  EXPECT_EQ(team->RoleFlagsOfPlayer(999), 0);
  EXPECT_DOUBLE_EQ(team->RoleRatingOfPlayer(104), team->GetSlot(4)->GetWingBackRating() * 0.5);
  EXPECT_DOUBLE_EQ(team->RoleRatingOfPlayer(999), 0);
  // A rating that cannot be computed reads as 0 instead of raising.
  TPlayer* broken = team->GetSlot(5);
  broken->Specialty = 9;
  broken->Weather = wRainy;
  broken->ClearRatings();
  EXPECT_DOUBLE_EQ(team->RoleRatingOfPlayer(105), 0);
}

TEST(Team, CloneIsIndependentOfItsSourceCaptainIncluded) {
  auto source = ShuffledTeam442();
  source->PutSlot(12, MakePlayer(201, Midfielder, true));
  source->PutSlot(15, MakePlayer(202, Keeper));
  source->Tag = 7;
  source->Tag2 = -3;
  source->SetRoleFlags(3, rfForward);
  source->ChooseCaptainAndSetPiecesTaker();
  const int captainSlot = source->IndexOfPlayerID(int32_t(source->Captain()->PlayerID));
  const int takerSlot = source->IndexOfPlayerID(int32_t(source->SetPiecesTaker()->PlayerID));
  const int64_t starters = source->StarterUnits(), bench = source->BenchUnits();

  auto clone = source->Clone();
  source.reset();

  EXPECT_EQ(clone->Captain(), clone->GetSlot(captainSlot));
  EXPECT_EQ(clone->SetPiecesTaker(), clone->GetSlot(takerSlot));
  EXPECT_FALSE(clone->Captain()->PlayerName.empty());
  EXPECT_EQ(clone->Count(), 11);
  EXPECT_EQ(clone->FixedCount(), 1);
  EXPECT_EQ(clone->StarterUnits(), starters);
  EXPECT_EQ(clone->BenchUnits(), bench);
  EXPECT_EQ(clone->Tag, 7);
  EXPECT_EQ(clone->Tag2, -3);
  EXPECT_EQ(clone->GetRoleFlags(3), rfForward);
  EXPECT_EQ(IdAt(*clone, 15), 202);
  EXPECT_TRUE(clone->GetSlot(12)->InLineup);
  ExpectStrengthsMatchSlots(*clone);
}

TEST(Team, CloneOfATeamWithoutCaptainHasNone) {
  auto source = ShuffledTeam442();
  auto clone = source->Clone();
  EXPECT_EQ(clone->Captain(), nullptr);
  EXPECT_EQ(clone->SetPiecesTaker(), nullptr);
  // The clone's players are copies, not the source's.
  EXPECT_NE(clone->GetSlot(1), source->GetSlot(1));
  EXPECT_EQ(IdAt(*clone, 1), IdAt(*source, 1));
}
