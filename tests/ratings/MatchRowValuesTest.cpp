#include "core/Errors.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "ratings/MatchNames.h"
#include "ratings/MatchRowValues.h"

#include "TestSupport.h"
#include "ratings/MatchDataXml.h"

#include <gtest/gtest.h>

namespace {
TMatchRowTexts Row(const TStoredMatch& stored, const std::string& teamID = "4711") {
  pugi::xml_document doc;
  EXPECT_TRUE(doc.load_string(MatchDataXml(stored).c_str()));
  return BuildMatchRow(doc.document_element(), teamID);
}

class FixtureMatches : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(FDocument.load_file(FixturePath("core/matches/4711.xml").c_str())); }
  pugi::xml_node Match(const char* id) {
    return FDocument.document_element().find_child_by_attribute("MatchData", "ID", id);
  }
  pugi::xml_document FDocument;
};

void ExpectRow(const TMatchRowTexts& row, const TMatchRowTexts& expected) {
  for (int c = 0; c < MatchColumnCount; ++c) EXPECT_EQ(row[c], expected[c]) << "column " << MatchColumnNames[c];
}
}  // namespace

TEST_F(FixtureMatches, HomeAndAwayMatchesFillEveryColumnFromTheClubsSide) {
  // Home league match: ratings unchanged (version 1.3), no tactic stored; formation from the places and
  // behaviours (an extra defender, an extra inner midfielder, an extra forward).
  ExpectRow(BuildMatchRow(Match("1001"), "4711"),
            {"+FC Kickvale Süd - Borussia Nord", "31051", "1001", "3", "1", "36", "1", "13213013", "1", "3", "5",
             "12000", "", "", "9", "10", "11", "12", "13", "14", "15", "102", "21"});
  // Away friendly: marker "-", the away side's attitude and ratings; a plain 4-4-2.
  ExpectRow(BuildMatchRow(Match("1002"), "4711"),
            {"-Union Hafen - FC Kickvale Süd", "31060", "1002", "0", "2", "33", "4", "3303303", "-1", "0", "6",
             "5400", "", "", "6", "7", "8", "9", "10", "11", "12", "75", "17"});
}

TEST(MatchRowValues, RealDataMatchStoredInAClubMatchFileGivesItsValues) {
  pugi::xml_document details, lineup;
  LoadXMLFile(FixturePath("realdata/matchdetails.xml"), details);
  LoadXMLFile(FixturePath("realdata/matchlineup.xml"), lineup);
  TTeamMatchFile file;
  const pugi::xml_node match =
      file.AddMatch("52282171", 30, 10, details.document_element(), lineup.document_element());
  // No attitude in the newer answers (-10); version 2.5 keeps the ratings; the newer place numbers give
  // the 3-5-2 that the details name.
  ExpectRow(BuildMatchRow(match, "826235"),
            {"+Vorwärts Billstedt - SV Heimbach AH", "30101", "52282171", "2", "2", "28.5", "1", "1313303", "-10",
             "1", "2", "10685", "0", "0", "8", "21", "20", "16", "9", "11", "11", "112", "23"});
  EXPECT_EQ(FormationText(1313303), "3-5-2");
  // Seen from the opponent, the same match is an away match read from the away side.
  const TMatchRowTexts away = BuildMatchRow(match, "648638");
  EXPECT_EQ(away[mcMatchName], "-Vorwärts Billstedt - SV Heimbach AH");
  EXPECT_EQ(away[mcMidfield], "10");
  EXPECT_EQ(away[mcCentralAttack], "17");
}

TEST(MatchRowValues, SectorRatingsAreScaledByTheDetailsVersion) {
  struct TCase {
    const char* Version;
    const char* Raw;
    const char* Stored;
  };
  for (TCase c : {TCase{"1.0", "12", "24"}, TCase{"1.1", "12", "24"}, TCase{"1.2", "12", "45"},
                  TCase{"1.2", "1", "1"}, TCase{"1.3", "12", "12"}, TCase{"2.5", "12", "12"},
                  TCase{"", "7", "7"}}) {
    TStoredMatch stored;
    stored.Version = c.Version;
    stored.Ratings.fill(c.Raw);
    const TMatchRowTexts row = Row(stored);
    for (int col = mcMidfield; col <= mcLeftAttack; ++col)
      EXPECT_EQ(row[col], c.Stored) << c.Version << " column " << col;
  }
  // KickStats and the program's rating work on the stored (scaled) values: 45 everywhere is level 12.
  TStoredMatch stored;
  stored.Version = "1.2";
  stored.Ratings.fill("12");
  const TMatchRowTexts row = Row(stored);
  EXPECT_EQ(row[mcKickStats], "405");  // 9 x 45
  EXPECT_EQ(row[mcValue], "72");       // 6 x 12
}

TEST(MatchRowValues, DerivedRatingsWeighTheSectors) {
  struct TCase {
    TSectorValues Sectors;
    int64_t KickStats;
    int64_t Pitchbook;
  };
  for (const TCase& c : {TCase{{0, 0, 0, 0, 0, 0, 0}, 0, 4},  // weights sum to 6: 6 x 3/4 = 4.5 truncated
                         TCase{{1, 1, 1, 1, 1, 1, 1}, 9, 6},
                         TCase{{9, 10, 11, 12, 13, 14, 15}, 102, 21},
                         TCase{{20, 0, 4, 0, 0, 4, 0}, 68, 16}}) {  // 2x5.75 + 1.75 + 1.75 + 4x0.375
    EXPECT_EQ(KickStatsRating(c.Sectors), c.KickStats);
    EXPECT_EQ(PitchbookRating(c.Sectors), c.Pitchbook);
  }
}

TEST(MatchRowValues, StarsSumTheFirstElevenPlacesWithStars) {
  TStoredMatch stored;
  stored.Stars = {"6.5", "", "1", "1", "1", "1", "1", "1", "1", "1", "1", "5"};  // 12th is not a starter
  EXPECT_EQ(Row(stored)[mcStars], "15.5");
  stored.Stars = {};
  EXPECT_EQ(Row(stored)[mcStars], "0");
  stored.Stars = {"3,5"};
  EXPECT_THROW(Row(stored), EConvertError);
}

TEST(MatchRowValues, SeasonWeekIsSeasonRoundAndLeagueDigit) {
  EXPECT_EQ(SeasonWeekText("38", "05", true), "38051");
  EXPECT_EQ(SeasonWeekText("38", "5", true), "38051");  // a round without its leading zero stays a number
  EXPECT_EQ(SeasonWeekText("38", "14", false), "38140");
  TStoredMatch stored;
  stored.MatchType = "3";
  stored.Round = "9";
  EXPECT_EQ(Row(stored)[mcSeasonWeek], "38090");
  EXPECT_EQ(SplitSeasonWeek("38090").Season, "38");
  EXPECT_EQ(SplitSeasonWeek("38090").Round, "09");
  EXPECT_EQ(SplitSeasonWeek("105161").Season, "105");
  EXPECT_EQ(SplitSeasonWeek("").Round, "");
}

TEST(MatchRowValues, ARowWithoutItsTeamOrMatchOrWithABadNumberFails) {
  pugi::xml_document doc;
  doc.load_string("<MatchData ID=\"9\"><matchDetails.asp><Match/></matchDetails.asp>"
                  "<matchLineup.asp/></MatchData>");
  EXPECT_THROW(BuildMatchRow(doc.document_element(), "1"), EPitchbookError);
  doc.load_string("<MatchData ID=\"9\"><matchLineup.asp><Team/></matchLineup.asp></MatchData>");
  EXPECT_THROW(BuildMatchRow(doc.document_element(), "1"), EPitchbookError);
  TStoredMatch stored;
  stored.Ratings[3] = "x";
  EXPECT_THROW(Row(stored), EConvertError);
  stored.Ratings[3] = "";
  EXPECT_THROW(Row(stored), EConvertError);
}

TEST(MatchRowValues, AwayMatchesAreMarkedAndTheResultTakenFromTheClubsSide) {
  struct TCase {
    bool AtHome;
    const char* Home;
    const char* Away;
    int Result;
  };
  for (TCase c : {TCase{true, "2", "1", 1}, TCase{true, "0", "3", -1}, TCase{true, "1", "1", 0},
                  TCase{false, "2", "1", -1}, TCase{false, "0", "3", 1}, TCase{false, "2", "2", 0}}) {
    TStoredMatch stored;
    stored.ClubAtHome = c.AtHome;
    stored.HomeGoals = c.Home;
    stored.AwayGoals = c.Away;
    stored.Attitude = "1";
    const TMatchRowTexts row = Row(stored);
    EXPECT_EQ(row[mcMatchName], c.AtHome ? "+Home FC - Away FC" : "-Home FC - Away FC");
    EXPECT_EQ(row[mcAttitude], "1");  // the club's side, home or away
    EXPECT_EQ(row[mcTactic], "1");
    EXPECT_EQ(MatchResult(TMatchRowArray(row)), c.Result) << c.AtHome << c.Home << c.Away;
    const TMatchCellView goals = MatchCellView(mcHomeScore, TMatchRowArray(row));
    EXPECT_EQ(goals.Colour, c.Result < 0 ? std::optional<uint32_t>(0xFF0000)
                            : c.Result > 0 ? std::optional<uint32_t>(0x0000FF)
                                           : std::nullopt);
  }
  TStoredMatch noAttitude;
  noAttitude.Attitude = "";
  EXPECT_EQ(Row(noAttitude)[mcAttitude], "-10");
}

TEST(MatchRowValues, FormationCodeTextAndPicture) {
  struct TCase {
    int64_t Code;
    const char* Text;
    std::vector<TFormationSquare> Squares;
  };
  const std::vector<TCase> cases{
      // 4-4-2: two slots in every central line at x 6 and 8, the wide lines at 4 and 10.
      {3303303, "4-4-2",
       {{8, 2, false}, {6, 2, false}, {8, 5, false}, {6, 5, false}, {8, 8, false}, {6, 8, false},
        {10, 3, false}, {4, 3, false}, {10, 6, false}, {4, 6, false}}},
      // 5-3-2 with an extra defender and an extra inner midfielder: the slots move out, and so do the wide
      // lines.
      {13313003, "5-3-2",
       {{7, 2, true}, {9, 2, false}, {5, 2, false}, {7, 5, true}, {9, 5, false}, {5, 5, false}, {8, 8, false},
        {6, 8, false}, {11, 3, false}, {3, 3, false}}},
      {0, "0-0-0", {}},
      // One slot of a line on each side (1 = the left place, 2 = the right place).
      {1000001, "1-0-1", {{5 + 1, 2, false}, {5 + 1, 8, false}}},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FormationText(c.Code), c.Text) << c.Code;
    EXPECT_EQ(FormationSquares(c.Code), c.Squares) << c.Code;
  }
  pugi::xml_document doc;
  doc.load_string("<Lineup><Player><Behaviour>7</Behaviour><RoleID>3</RoleID></Player>"
                  "<Player><Behaviour>0</Behaviour><RoleID>4</RoleID></Player>"
                  "<Player><Behaviour></Behaviour><RoleID>3</RoleID></Player>"
                  "<Player><Behaviour>1</Behaviour><PositionCode>10</PositionCode></Player>"
                  "<Player><Behaviour>0</Behaviour><RoleID>12</RoleID></Player>"
                  "<Player><Behaviour>0</Behaviour><RoleID>103</RoleID></Player></Lineup>");
  EXPECT_EQ(FormationCode(doc.document_element()), 10000000 + 2000000 + 1 + 10000000);
}

TEST(MatchRowValues, FiltersHideByTypeResultAndWeather) {
  struct TCase {
    TMatchFilter Filter;
    int64_t Type;
    int Result;
    int64_t Weather;
    bool Hidden;
  };
  for (const TCase& c : {
           TCase{{0, 0, 0}, 7, 0, 9, false}, TCase{{1, 1, 1}, 7, 0, 9, false},
           TCase{{2, 0, 0}, 3, 0, 0, false}, TCase{{2, 0, 0}, 4, 0, 0, true},
           TCase{{3, 0, 0}, 1, 0, 0, false}, TCase{{3, 0, 0}, 2, 0, 0, true},
           TCase{{4, 0, 0}, 2, 0, 0, false}, TCase{{4, 0, 0}, 1, 0, 0, true},
           TCase{{5, 0, 0}, 9, 0, 0, false}, TCase{{5, 0, 0}, 8, 0, 0, false},
           TCase{{5, 0, 0}, 6, 0, 0, true},  TCase{{0, 2, 0}, 1, 1, 0, false},
           TCase{{0, 2, 0}, 1, 0, 0, true},  TCase{{0, 3, 0}, 1, -1, 0, false},
           TCase{{0, 4, 0}, 1, -1, 0, true}, TCase{{0, 0, 2}, 1, 0, 3, false},
           TCase{{0, 0, 3}, 1, 0, 3, true},  TCase{{0, 0, 4}, 1, 0, 1, false},
           TCase{{0, 0, 5}, 1, 0, 0, false}, TCase{{3, 2, 2}, 1, 1, 3, false},
           TCase{{3, 2, 2}, 1, 1, 2, true},
       })
    EXPECT_EQ(MatchRowHidden(c.Filter, c.Type, c.Result, c.Weather), c.Hidden)
        << c.Filter.TypeIndex << c.Filter.ResultIndex << c.Filter.WeatherIndex << " " << c.Type << " " << c.Result
        << " " << c.Weather;
}

namespace {
// A stored row with one cell changed.
TMatchRowTexts StoredRow(std::initializer_list<std::pair<int, const char*>> cells) {
  TMatchRowTexts row{"+Home FC - Away FC", "38051", "500", "2", "1", "33", "1", "3303303", "0", "3", "4",
                     "12345", "1", "5", "45", "10", "11", "12", "13", "14", "15", "180", "21"};
  for (auto [column, text] : cells) row[column] = text;
  return row;
}
}  // namespace

TEST(MatchRowValues, CellsShowTheirValuesAndOutOfRangeValuesPlainly) {
  using C = TMatchCellContent;
  struct TCase {
    int Column;
    TMatchRowTexts Row;
    C Content;
    std::string Text;
    bool Bold;
    int Percent;
  };
  const std::vector<TCase> cases{
      {mcMatchName, StoredRow({{0, "-Home FC - Away FC"}}), C::Text, "Home FC - Away FC", false, -1},
      {mcSeasonWeek, StoredRow({}), C::Text, "38-05", false, -1},
      {mcSeasonWeek, StoredRow({{1, "105160"}}), C::Text, "105-16", false, -1},
      {mcStars, StoredRow({{5, "6.5"}}), C::Text, "6", true, -1},
      {mcStars, StoredRow({{5, "7"}}), C::Text, "7", false, -1},
      {mcStars, StoredRow({{5, "x"}}), C::Text, "x", false, -1},
      {mcMatchType, StoredRow({{6, "9"}}), C::TypeImage, "", false, -1},
      {mcMatchType, StoredRow({{6, "6"}}), C::Text, "6", false, -1},
      {mcMatchType, StoredRow({{6, "12"}}), C::Text, "12", false, -1},
      {mcFormation, StoredRow({}), C::Formation, "", false, -1},
      {mcAttitude, StoredRow({{8, "-1"}}), C::Text, "PIC", false, -1},
      {mcAttitude, StoredRow({{8, "1"}}), C::Text, "MOTS", false, -1},
      {mcAttitude, StoredRow({{8, "-10"}}), C::Text, "-", false, -1},
      {mcWeather, StoredRow({{9, "0"}}), C::WeatherImage, "", false, -1},
      {mcWeather, StoredRow({{9, "8"}}), C::Text, "8", false, -1},
      {mcCrowd, StoredRow({{11, "1234567"}}), C::Text, "1 234 567", false, -1},
      {mcCrowd, StoredRow({{11, "many"}}), C::Text, "many", false, -1},
      {mcTactic, StoredRow({{12, "0"}}), C::Text, "-", false, -1},
      {mcTactic, StoredRow({{12, "7"}}), C::Text, "PC", false, -1},
      {mcTactic, StoredRow({{12, "2"}}), C::Text, "CA", false, -1},
      {mcTactic, StoredRow({{12, "6"}}), C::Text, "6", false, -1},
      {mcTactic, StoredRow({{12, "11"}}), C::Text, "11", false, -1},
      {mcTacticSkill, StoredRow({{12, "7"}}), C::Text, "-", false, -1},
      {mcTacticSkill, StoredRow({{12, "0"}}), C::Text, "-", false, -1},
      {mcTacticSkill, StoredRow({{12, "4"}}), C::Text, "5", false, -1},
      // 45 (version 1.2, rating 12) is level 12 at the lowest sub-level.
      {mcMidfield, StoredRow({}), C::Text, "12", false, 12},
      {mcRightDefence, StoredRow({{15, "48"}}), C::Text, "12", false, 87},
      {mcLeftAttack, StoredRow({{20, "0"}}), C::Text, "0", false, 87},
      {mcLeftAttack, StoredRow({{20, "-3"}}), C::Text, "0", false, 12},
      {mcLeftAttack, StoredRow({{20, "-5"}}), C::Text, "-1", false, 62},
      {mcKickStats, StoredRow({}), C::Text, "180", false, -1},
      {mcStars, StoredRow({{5, "  "}}), C::None, "", false, -1},
  };
  for (const TCase& c : cases) {
    const TMatchCellView view = MatchCellView(c.Column, TMatchRowArray(c.Row));
    EXPECT_EQ(view.Content, c.Content) << c.Column << " " << c.Row[c.Column];
    EXPECT_EQ(view.Text, c.Text) << c.Column << " " << c.Row[c.Column];
    EXPECT_EQ(view.Bold, c.Bold) << c.Column << " " << c.Row[c.Column];
    EXPECT_EQ(view.Percent, c.Percent) << c.Column << " " << c.Row[c.Column];
  }
  EXPECT_EQ(MatchCellView(mcMidfield, TMatchRowArray(StoredRow({}))).BarColour, 0x0000FFu);
  EXPECT_EQ(MatchCellView(mcLeftDefence, TMatchRowArray(StoredRow({}))).BarColour, 0x008000u);
  EXPECT_EQ(MatchCellView(mcRightAttack, TMatchRowArray(StoredRow({}))).BarColour, 0xFF0000u);
  EXPECT_EQ(MatchCellView(mcWeather, TMatchRowArray(StoredRow({{9, "2"}}))).Value, 2);
}

TEST(MatchRowValues, StatusTextsAndClickHintsDescribeTheValue) {
  struct TCase {
    int Column;
    const char* Cell;
    std::string Info;
    std::optional<std::string> Hint;
  };
  const std::vector<TCase> cases{
      {mcMatchName, "-Vorwärts Billstedt - SV Heimbach AH", "Vorwärts Billstedt - SV Heimbach AH", std::nullopt},
      {mcStars, "6.5", "6.5", std::nullopt},
      {mcMatchType, "8", "International friendly", "International friendly"},
      {mcMatchType, "7", "", ""},
      {mcMatchType, "10", "", std::nullopt},
      {mcFormation, "13313003", "5-3-2", "5-3-2"},
      {mcAttitude, "1", "Match of the Season", "Match of the Season"},
      {mcAttitude, "-10", "", std::nullopt},
      {mcWeather, "2", "Partially cloudy", "Partially cloudy"},
      {mcWeather, "6", "", std::nullopt},
      {mcTactic, "7", "Play Creatively", "Play Creatively"},
      {mcTactic, "8", "", std::nullopt},
      {mcExperience, "6", "passable", std::nullopt},
      {mcTacticSkill, "22", "divine +2", std::nullopt},
      {mcMidfield, "45", "magnificent (Very low)", "divine +3 (old)"},  // half levels: (45 + 1) div 2 = 23
      {mcMidfield, "26", "solid (Low)", "world class (old)"},
      {mcMidfield, "0", "non-existent (Very high)", "non-existent (old)"},
      {mcCentralAttack, "80", "divine (Very high)", "divine +20 (old)"},
      {mcRightAttack, "39", "outstanding (High)", "divine (old)"},
      {mcCrowd, "12000", "", std::nullopt},
      {mcStars, "", "", std::nullopt},
  };
  for (const TCase& c : cases) {
    const TMatchRowTexts row = StoredRow({{c.Column, c.Cell}});
    EXPECT_EQ(MatchCellInfo(c.Column, TMatchRowArray(row)), c.Info) << c.Column << " " << c.Cell;
    EXPECT_EQ(MatchCellClickHint(c.Column, TMatchRowArray(row)), c.Hint) << c.Column << " " << c.Cell;
  }
}

TEST(MatchNames, TablesGiveEmptyNamesOutsideTheirRange) {
  EXPECT_EQ(TacticName(7, true), "PC");
  EXPECT_EQ(TacticName(5), "Play Creatively");
  EXPECT_EQ(TacticName(8), "");
  EXPECT_EQ(TacticName(-1), "");
  EXPECT_EQ(SubLevelName(3), "Very high");
  EXPECT_EQ(SubLevelName(4), "");
  EXPECT_EQ(MatchTypeName(5), "Friendly (cup rules)");
  EXPECT_EQ(AttitudeName(-1, true), "PIC");
  EXPECT_EQ(AttitudeName(2), "");
}
