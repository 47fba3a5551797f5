#include "core/Errors.h"
#include "core/MatchPage.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {
// The hand-made club match file of team 4711 (matches 1001..1004).
class MatchPageFile : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(FDocument.load_file(FixturePath("core/matches/4711.xml").c_str()));
  }
  pugi::xml_node Match(const char* id) {
    return FDocument.document_element().find_child_by_attribute("MatchData", "ID", id);
  }
  pugi::xml_document FDocument;
};

struct TRatings {
  int Midfield, RightDef, MidDef, LeftDef, RightAtt, MidAtt, LeftAtt;
};

TRatings RatingsOf(const TMatchPage& page) {
  return {page.RatingMidfield, page.RatingRightDef, page.RatingMidDef, page.RatingLeftDef,
          page.RatingRightAtt, page.RatingMidAtt,   page.RatingLeftAtt};
}

void ExpectRatings(const TMatchPage& page, TRatings expected) {
  const TRatings r = RatingsOf(page);
  EXPECT_EQ(r.Midfield, expected.Midfield);
  EXPECT_EQ(r.RightDef, expected.RightDef);
  EXPECT_EQ(r.MidDef, expected.MidDef);
  EXPECT_EQ(r.LeftDef, expected.LeftDef);
  EXPECT_EQ(r.RightAtt, expected.RightAtt);
  EXPECT_EQ(r.MidAtt, expected.MidAtt);
  EXPECT_EQ(r.LeftAtt, expected.LeftAtt);
}
}  // namespace

TEST_F(MatchPageFile, HomeMatchReadsEveryFieldFromTheClubsSide) {
  TMatchPage page;
  page.ReadMatchData(Match("1001"));
  EXPECT_TRUE(page.HasMatch());
  EXPECT_EQ(page.MatchID, 1001);
  EXPECT_EQ(page.MatchDate, "2009-09-26 15:00:00");
  EXPECT_EQ(page.HomeTeamName, "FC Kickvale Süd");
  EXPECT_EQ(page.HomeTeamID, "4711");
  EXPECT_EQ(page.AwayTeamName, "Borussia Nord");
  EXPECT_EQ(page.AwayTeamID, "815");
  EXPECT_EQ(page.HomeGoals, 3);
  EXPECT_EQ(page.AwayGoals, 1);
  EXPECT_EQ(page.TeamAttitude, 1);
  ExpectRatings(page, {9, 10, 11, 12, 13, 14, 15});
  EXPECT_EQ(page.ArenaName, "Südstadion");
  EXPECT_EQ(page.SoldTotal, 12000);
  EXPECT_EQ(page.SoldTerraces, 8000);
  EXPECT_EQ(page.SoldBasic, 3000);
  EXPECT_EQ(page.SoldRoof, 900);
  EXPECT_EQ(page.SoldVIP, 100);
  EXPECT_EQ(page.WeatherID, 3);
  EXPECT_EQ(page.MatchType, 1);
  EXPECT_EQ(page.ExperienceLevel, 5);
}

TEST_F(MatchPageFile, LineupOfTwentyThreePlayersFillsTwentyOnePlaces) {
  TMatchPage page;
  page.ReadMatchData(Match("1001"));
  EXPECT_EQ(page.LineupEntry(1).PlayerID, 101);
  EXPECT_EQ(page.LineupEntry(1).PositionCode, 1);
  EXPECT_DOUBLE_EQ(page.LineupEntry(1).RatingStars, 4.5);
  EXPECT_EQ(page.LineupEntry(2).Behaviour, 7);
  EXPECT_EQ(page.LineupEntry(20).PlayerID, 120);
  EXPECT_EQ(page.LineupEntry(21).PlayerID, 104);
  EXPECT_EQ(page.IndexOfPlayer(122), 0);
  EXPECT_EQ(page.IndexOfPlayer(123), 0);
  EXPECT_THROW(page.LineupEntry(22), ERangeError);
  EXPECT_THROW(page.LineupEntry(0), ERangeError);
  // Empty texts leave the entry's values at 0.
  EXPECT_EQ(page.LineupEntry(12).PlayerID, 112);
  EXPECT_EQ(page.LineupEntry(12).Behaviour, 0);
  EXPECT_DOUBLE_EQ(page.LineupEntry(12).RatingStars, 0);
}

TEST_F(MatchPageFile, AwayMatchIsReadFromTheSideThatCarriesTheAttitude) {
  TMatchPage page;
  page.ReadMatchData(Match("1002"));
  EXPECT_EQ(page.TeamAttitude, -1);
  ExpectRatings(page, {6, 7, 8, 9, 10, 11, 12});
  EXPECT_EQ(page.HomeTeamID, "900");
  EXPECT_EQ(page.HomeGoals, 0);
  EXPECT_EQ(page.AwayGoals, 2);
  EXPECT_EQ(page.MatchType, 4);
  // The opponent's lineup follows the club's and is not read.
  EXPECT_EQ(page.ExperienceLevel, 6);
  EXPECT_EQ(page.IndexOfPlayer(301), 0);
  EXPECT_EQ(page.LineupEntry(11).PlayerID, 211);
  EXPECT_EQ(page.LineupEntry(12).PlayerID, 0);
}

TEST_F(MatchPageFile, ArenaWithFewChildrenKeepsTheSeatSplitAtZero) {
  TMatchPage page;
  page.ReadMatchData(Match("1002"));
  EXPECT_EQ(page.ArenaName, "Nordpark");
  EXPECT_EQ(page.SoldTotal, 5400);
  EXPECT_EQ(page.SoldVIP, 0);
  EXPECT_EQ(page.WeatherID, 0);
}

TEST_F(MatchPageFile, WithoutAnyAttitudeTheLineupsTeamChoosesTheSide) {
  TMatchPage page;
  page.ReadMatchData(Match("1004"));
  EXPECT_EQ(page.TeamAttitude, 0);
  ExpectRatings(page, {8, 8, 8, 8, 8, 8, 8});
}

TEST_F(MatchPageFile, MalformedNumberRaisesAndLeavesThePageUnchanged) {
  TMatchPage page;
  page.ReadMatchData(Match("1001"));
  EXPECT_THROW(page.ReadMatchData(Match("1003")), EConvertError);
  EXPECT_EQ(page.MatchID, 1001);
  EXPECT_EQ(page.LineupEntry(1).PlayerID, 101);
  // A MatchData without details has no match ID to convert.
  pugi::xml_document empty;
  EXPECT_THROW(page.ReadMatchData(empty.append_child("MatchData")), EConvertError);
  EXPECT_EQ(page.MatchID, 1001);
}

TEST_F(MatchPageFile, PlayerQueriesFollowTheLineup) {
  TMatchPage page;
  page.ReadMatchData(Match("1001"));
  struct TCase {
    int32_t Id;
    int Index;
    double Stars;
    int Group;
    int Roles;
    bool Late;
  };
  // Behaviours: place 2 extra defender (7), place 6 extra forward (5), place 9 extra inner midfielder (6).
  const TCase cases[] = {
      {101, 1, 4.5, 1, 1, false},   {102, 2, 3, 2, 2, false},     {103, 3, 3.5, 3, 2, false},
      {104, 4, 2, 3, 2, false},     {105, 5, 4, 2, 4, false},     {106, 6, 3, 6, 32, false},
      {107, 7, 5, 7, 8, false},     {108, 8, 2.5, 7, 8, false},   {109, 9, 3, 6, 8, false},
      {110, 10, 4, 10, 32, false},  {111, 11, 1.5, 10, 32, false}, {113, 13, 0, 0, 0, false},
      {119, 19, 2.5, 0, 0, true},   {120, 20, 1, 0, 0, true},     {999, 0, 0, 0, 0, false},
      // Unused places hold ID 0: it is never found.
      {0, 0, 0, 0, 0, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Id);
    EXPECT_EQ(page.IndexOfPlayer(c.Id), c.Index);
    EXPECT_DOUBLE_EQ(page.GetStars(c.Id), c.Stars);
    EXPECT_EQ(page.GetPositionGroup(c.Id), c.Group);
    EXPECT_EQ(page.GetRoleFlags(c.Id), c.Roles);
    EXPECT_EQ(page.IsInLateSlots(c.Id), c.Late);
  }
}

TEST_F(MatchPageFile, StarsAreSummedByPositionGroupOverTheStartingEleven) {
  TMatchPage page;
  page.ReadMatchData(Match("1001"));
  const TStarsByGroup sums = page.SumStarsByGroup();
  EXPECT_DOUBLE_EQ(sums.Keeper, 4.5);
  EXPECT_DOUBLE_EQ(sums.Defenders, 3 + 3.5 + 2 + 4);
  EXPECT_DOUBLE_EQ(sums.Wingers, 3 + 3);
  EXPECT_DOUBLE_EQ(sums.InnerMidfielders, 5 + 2.5);
  EXPECT_DOUBLE_EQ(sums.Forwards, 4 + 1.5);
}

TEST(MatchPage, StarterListedTwiceIsNotAmongTheLatePlayersAndCountsHisFirstStars) {
  TMatchPage page;
  page.MatchID = 1;
  page.Lineup[4] = {44, 4, 0, 2};
  page.Lineup[10] = {44, 10, 0, 3};
  page.Lineup[21] = {44, 0, 0, 1};
  EXPECT_FALSE(page.IsInLateSlots(44));
  EXPECT_DOUBLE_EQ(page.GetStars(44), 2);
  const TStarsByGroup sums = page.SumStarsByGroup();
  EXPECT_DOUBLE_EQ(sums.Defenders, 2);
  EXPECT_DOUBLE_EQ(sums.Forwards, 2);
}

TEST(MatchPage, EmptyPageHasNoMatch) {
  TMatchPage page;
  EXPECT_FALSE(page.HasMatch());
  EXPECT_EQ(page.IndexOfPlayer(5), 0);
  EXPECT_EQ(page.GetRoleFlags(5), 0);
  page.MatchID = 3;
  page.Clear();
  EXPECT_FALSE(page.HasMatch());
}

// The real answers of the game's interface for one match, stored as the match download stores them, saved,
// read back and read into a match record.
TEST(MatchPageRealData, StoredDownloadReadsBackWithTheFilesValues) {
  pugi::xml_document details, lineup;
  LoadXMLFile(FixturePath("realdata/matchdetails.xml"), details);
  LoadXMLFile(FixturePath("realdata/matchlineup.xml"), lineup);
  TTempFolder folder;
  const auto path = TTeamMatchFile::PathOf(folder.Path(), "826235");
  {
    TTeamMatchFile file;
    file.Open(path);
    const std::string matchID = lineup.document_element().child("MatchID").child_value();
    file.AddMatch(matchID, 30, 5, details.document_element(), lineup.document_element());
    file.SaveToFile(path);
  }
  TTeamMatchFile stored;
  stored.LoadFromFile(path);
  ASSERT_EQ(stored.Matches().size(), 1u);
  const pugi::xml_node matchData = stored.FindMatch("52282171");
  ASSERT_TRUE(matchData);
  EXPECT_STREQ(matchData.child("Season").child_value(), "30");
  EXPECT_STREQ(matchData.child("MatchRound").child_value(), "05");

  TMatchPage page;
  page.ReadMatchData(matchData);
  EXPECT_EQ(page.MatchID, 52282171);
  EXPECT_EQ(page.MatchDate, "2005-11-05 18:40:00");
  EXPECT_EQ(page.HomeTeamName, "Vorwärts Billstedt");
  EXPECT_EQ(page.HomeTeamID, "826235");
  EXPECT_EQ(page.AwayTeamName, "SV Heimbach AH");
  EXPECT_EQ(page.AwayTeamID, "648638");
  EXPECT_EQ(page.HomeGoals, 2);
  EXPECT_EQ(page.AwayGoals, 2);
  // No attitude on either side: the lineup is the home team's, so are the ratings.
  EXPECT_EQ(page.TeamAttitude, 0);
  ExpectRatings(page, {8, 21, 20, 16, 9, 11, 11});
  EXPECT_EQ(page.ArenaName, "Billy Billstedt Arena");
  EXPECT_EQ(page.SoldTotal, 10685);
  EXPECT_EQ(page.SoldTerraces + page.SoldBasic + page.SoldRoof + page.SoldVIP, 0);
  EXPECT_EQ(page.WeatherID, 1);
  EXPECT_EQ(page.MatchType, 1);
  EXPECT_EQ(page.ExperienceLevel, 2);

  const TMatchLineupEntry expected[] = {
      {54988078, 0, 0, 2.5}, {61519711, 0, 2, 2.5}, {44126923, 0, 0, 3},   {50199851, 0, 2, 3},
      {57507459, 0, 1, 2},   {44636134, 0, 2, 2.5}, {55048239, 0, 6, 2.5}, {20500345, 0, 1, 2.5},
      {11580287, 0, 1, 3},   {68736353, 0, 0, 2.5}, {10495174, 0, 0, 2.5}, {41900497, 0, 0, 0},
      {67744838, 0, 0, 0},   {56276757, 0, 0, 0},   {53592932, 0, 0, 0},   {70183470, 0, 0, 0},
      {55048239, 0, 0, 0},   {55048239, 0, 0, 0},   {0, 0, 0, 0},          {0, 0, 0, 0},
      {0, 0, 0, 0},
  };
  for (int slot = 1; slot <= TMatchPage::LineupSize; ++slot) {
    SCOPED_TRACE(slot);
    const TMatchLineupEntry& e = page.LineupEntry(slot);
    EXPECT_EQ(e.PlayerID, expected[slot - 1].PlayerID);
    EXPECT_EQ(e.PositionCode, expected[slot - 1].PositionCode);
    EXPECT_EQ(e.Behaviour, expected[slot - 1].Behaviour);
    EXPECT_DOUBLE_EQ(e.RatingStars, expected[slot - 1].RatingStars);
  }
  // The captain's and set-pieces taker's extra places do not hide his own.
  EXPECT_EQ(page.IndexOfPlayer(55048239), 7);
  EXPECT_EQ(page.GetRoleFlags(55048239), 8);
  EXPECT_FALSE(page.IsInLateSlots(55048239));
}
