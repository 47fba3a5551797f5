#include "ratings/LineupArrangement.h"
#include "ratings/MatchRating.h"

#include "core/Errors.h"
#include "core/Intl.h"

#include "TestSupport.h"
#include "ratings/LineupArrangementTestXml.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

using namespace lineuptest;

namespace {
class MatchRatingShow : public ::testing::Test {
protected:
  // Shows the Match element of the spec's details, from the home (or away) side.
  void Show(const TDetailsSpec& spec, bool isHome) {
    ASSERT_TRUE(FDocument.load_string(MatchXml(spec).c_str()));
    FModel.ShowMatch(FDocument.child("Match"), isHome);
  }
  pugi::xml_document FDocument;
  TMatchRatingModel FModel;
};

std::array<int, 7> Percents(const TMatchRatingModel& model) {
  std::array<int, 7> result{};
  for (int i = 0; i < 7; ++i) result[static_cast<size_t>(i)] = model.Bar(i).Percent;
  return result;
}
}  // namespace

TEST_F(MatchRatingShow, NewPanelShowsEmptyBarsWithTheirCaptions) {
  EXPECT_EQ(FModel.Bar(0).Caption, "");
  EXPECT_EQ(FModel.Bar(1).Caption, "Right");
  EXPECT_EQ(FModel.Bar(5).Caption, "Central");
  EXPECT_EQ(FModel.Bar(6).Caption, "Left");
  EXPECT_FALSE(FModel.Bar(7).LevelBarVisible);
  EXPECT_TRUE(FModel.Bar(6).LevelBarVisible);
  EXPECT_EQ(FModel.Relative().Total(), "100");
  EXPECT_EQ(TMatchRatingModel::GroupCaption(0), "Midfield");
  EXPECT_EQ(TMatchRatingModel::GroupCaption(1), "Defence");
  EXPECT_EQ(TMatchRatingModel::GroupCaption(2), "Attack");
  EXPECT_THROW(FModel.Bar(8), ERangeError);
  EXPECT_THROW(FModel.SetRatingPair(7, "1", "1"), ERangeError);
}

TEST_F(MatchRatingShow, EachSectorFacesTheOpposingSectorInFrontOfIt) {
  // Distinct ratings show which opposing sector each bar reads.
  TDetailsSpec spec;
  spec.Home.Ratings = {"10", "20", "30", "40", "50", "60", "70"};
  spec.Away.Ratings = {"30", "1", "2", "3", "4", "5", "6"};
  Show(spec, true);
  // Midfield 10:30, right defence 20 : left attack 6, central 30:5, left 40:4, right attack 50 : left defence 3,
  // central 60:2, left 70 : right defence 1.
  EXPECT_EQ(Percents(FModel), (std::array<int, 7>{25, 77, 86, 91, 94, 97, 99}));
  Show(spec, false);
  EXPECT_EQ(Percents(FModel), (std::array<int, 7>{75, 1, 3, 6, 9, 14, 23}));
  EXPECT_EQ(FModel.Bar(1).LevelText, "disastrous\n(Very low)");
}

TEST_F(MatchRatingShow, EqualRatingsGiveFiftyInTealAndAnEvenColumn) {
  Show(TDetailsSpec(), true);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(FModel.Bar(i).Percent, 50);
    EXPECT_EQ(FModel.Bar(i).Colours, (TBarColours{0x008080, 0xC0C0C0}));
    EXPECT_EQ(FModel.Bar(i).LevelText, "poor\n(Low)");  // 10: level 13 div 4, sub-level 13 mod 4
  }
  EXPECT_EQ(FModel.Relative().Labels(), (std::array<std::string, 7>{"-", "3", "6", "3", "3", "6", "3"}));
  EXPECT_EQ(FModel.Relative().Total(), "24");
}

TEST_F(MatchRatingShow, LevelLabelAndThinBarOfTheOwnRating) {
  TDetailsSpec spec;
  spec.Home.Ratings = {"21", "80", "0", "81", "-5", "10", "10"};
  spec.Away.Ratings = {"7", "10", "10", "10", "10", "10", "10"};
  Show(spec, true);
  EXPECT_EQ(FModel.Bar(0).Percent, 75);
  EXPECT_EQ(FModel.Bar(0).LevelText, "passable\n(Very low)");
  EXPECT_EQ(FModel.Bar(0).LevelParts, 6);
  EXPECT_EQ(FModel.Bar(0).Colours, (TBarColours{0x000080, 0xA6CAF0}));
  EXPECT_EQ(FModel.Bar(1).LevelText, "divine\n(Very high)");
  EXPECT_EQ(FModel.Bar(1).LevelParts, 20);
  EXPECT_EQ(FModel.Bar(2).LevelText, "non-existent\n(Very high)");
  EXPECT_EQ(FModel.Bar(2).Percent, 0);
  EXPECT_EQ(FModel.Bar(2).Colours, (TBarColours{0x800000, 0xFAD9E6}));
  // Off the scale: the number itself.
  EXPECT_EQ(FModel.Bar(3).LevelText, "81");
  EXPECT_EQ(FModel.Bar(3).LevelParts, 20);
  EXPECT_EQ(FModel.Bar(4).LevelText, "-5");
  EXPECT_EQ(FModel.Bar(4).LevelParts, 0);
  EXPECT_EQ(FModel.Bar(4).Percent, 0);
}

TEST_F(MatchRatingShow, TacticBarShowsTheOwnTactic) {
  struct {
    const char* Type;
    const char* Skill;
    int Percent;
    const char* Caption;
    const char* Level;
  } const cases[] = {
      {"0", "15", 0, "Normal", "N/A"},       {"7", "10", 0, "Play Creatively", "N/A"},
      {"1", "10", 50, "Pressing", "outstanding"}, {"", "10", 0, "Normal", "N/A"},  // empty type counts as 0
      {"12", "3", 15, "12", "poor"},         {"2", "30", 100, "Counter Attacks", "30"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Caption);
    TDetailsSpec spec;
    spec.Home.TacticType = c.Type;
    spec.Home.TacticSkill = c.Skill;
    spec.Away.TacticType = "1";
    spec.Away.TacticSkill = "20";
    Show(spec, true);
    const TMatchRatingBar& bar = FModel.Bar(TMatchRatingModel::TacticBar);
    EXPECT_EQ(bar.Percent, c.Percent);
    EXPECT_EQ(bar.Caption, c.Caption);
    EXPECT_EQ(bar.LevelText, c.Level);
    EXPECT_FALSE(bar.LevelBarVisible);
  }
}

TEST_F(MatchRatingShow, ColumnReadsTheOwnSidesPossessionAndBothTactics) {
  TDetailsSpec spec;
  spec.Home.TacticType = "3";  // Attack in Middle, skill 0
  spec.Away.TacticType = "4";  // Attack on Wings, skill 20
  spec.Away.TacticSkill = "20";
  Show(spec, true);
  EXPECT_EQ(FModel.Relative().Labels(), (std::array<std::string, 7>{"-", "4", "4", "4", "2", "8", "2"}));
  // The away side sees the tactics the other way round.
  Show(spec, false);
  EXPECT_EQ(FModel.Relative().Labels(), (std::array<std::string, 7>{"-", "2", "8", "2", "4", "4", "4"}));

  // Counter-attacks with 40 % in the first half; an empty possession counts as 0.
  TDetailsSpec counter;
  counter.Away.TacticType = "2";
  counter.Away.TacticSkill = "10";
  counter.FirstHalfAway = "40";
  counter.SecondHalfAway = "60";
  Show(counter, false);
  EXPECT_EQ(FModel.Relative().Total(), "30");
  counter.FirstHalfHome = "";
  counter.SecondHalfHome = "";
  Show(counter, true);
  EXPECT_EQ(FModel.Relative().Total(), "0");
}

TEST_F(MatchRatingShow, MalformedNumbersFailAndLeaveTheShownMatchWhole) {
  TDetailsSpec good;
  good.Home.Ratings[0] = "21";
  good.Away.Ratings[0] = "7";
  Show(good, true);
  const TMatchRatingModel before = FModel;

  struct {
    int Field;  // 0..6 a home rating, 7 the tactic skill, 8 the possession
    const char* Text;
  } const cases[] = {{0, "abc"}, {6, ""}, {3, "2.5"}, {7, ""}, {7, "x"}, {8, "45%"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    TDetailsSpec bad = good;
    if (c.Field < 7) bad.Home.Ratings[static_cast<size_t>(c.Field)] = c.Text;
    if (c.Field == 7) bad.Home.TacticSkill = c.Text;
    if (c.Field == 8) bad.SecondHalfHome = c.Text;
    EXPECT_THROW(Show(bad, true), EConvertError);
    EXPECT_EQ(FModel.Bars(), before.Bars());
    EXPECT_EQ(FModel.Relative().Labels(), before.Relative().Labels());
  }
  pugi::xml_document noAway;
  ASSERT_TRUE(noAway.load_string("<Match><HomeTeam/></Match>"));
  EXPECT_THROW(FModel.ShowMatch(noAway.child("Match"), true), EPitchbookError);
  EXPECT_THROW(FModel.ShowMatch(pugi::xml_node(), true), EPitchbookError);
  EXPECT_EQ(FModel.Bars(), before.Bars());
}

TEST_F(MatchRatingShow, RealMatchDetailsShowBothSides) {
  ASSERT_TRUE(FDocument.load_file(FixturePath("realdata/matchdetails.xml").c_str()));
  const pugi::xml_node match = FDocument.document_element().child("Match");
  FModel.ShowMatch(match, true);
  EXPECT_EQ(Percents(FModel), (std::array<int, 7>{44, 75, 54, 70, 38, 39, 42}));
  EXPECT_EQ(FModel.Bar(1).LevelText, "passable\n(Very low)");
  EXPECT_EQ(FModel.Bar(1).LevelParts, 6);
  EXPECT_EQ(FModel.Bar(7).Caption, "Normal");
  EXPECT_EQ(FModel.Relative().Labels(), (std::array<std::string, 7>{"-", "6", "8", "5", "2", "4", "2"}));
  EXPECT_EQ(FModel.Relative().Total(), "27");
  FModel.ShowMatch(match, false);
  EXPECT_EQ(Percents(FModel), (std::array<int, 7>{56, 58, 61, 62, 30, 46, 25}));
  EXPECT_EQ(FModel.Relative().Total(), "29");
}

// Runs with the German catalogue of the build tree, then goes back to the built-in texts.
TEST(MatchRatingGerman, LabelsAndCaptionsComeTranslated) {
  TTempFolder programFolder;  // has no "locale": the build tree's catalogues are used
  const char* oldLanguage = std::getenv("LANGUAGE");
  const std::string savedLanguage = oldLanguage ? oldLanguage : "";
  const std::string savedLocale = setlocale(LC_ALL, nullptr);
  auto restore = [&] {
    if (oldLanguage) setenv("LANGUAGE", savedLanguage.c_str(), 1); else unsetenv("LANGUAGE");
    setlocale(LC_ALL, savedLocale.c_str());
    InitTranslations(programFolder.Path());
  };
  if (!setlocale(LC_ALL, "de_DE.UTF-8")) FAIL() << "locale de_DE.UTF-8 missing: run localedef -i de_DE -f UTF-8 de_DE.UTF-8";
  setenv("LANGUAGE", "de", 1);
  InitTranslations(programFolder.Path());

  EXPECT_EQ(RatingLevelText(21), "passabel\n(sehr niedrig)");
  EXPECT_EQ(TacticBarValues(0, 3).LevelText, "k. A.");
  EXPECT_EQ(TMatchRatingRelative::Heading(), "Relative Stärke");
  TMatchLineupArrangement lineup;
  EXPECT_EQ(lineup.Extra(0).Caption, "Ersatz (TW)");
  EXPECT_EQ(lineup.Extra(6).Caption, "Mannschaftskapitän");
  EXPECT_EQ(lineup.Panel(1).Caption, "RV");
  // The extras find their places under the translated captions too.
  std::vector<TPlace> places = StartingEleven();
  places[3].Behaviour = "6";
  pugi::xml_document document;
  ASSERT_TRUE(document.load_string(LineupXml(TLineupSpec{.Places = places}).c_str()));
  lineup.LoadLineup(document.document_element());
  EXPECT_EQ(lineup.Panel(6).PlayerID, 104);
  EXPECT_EQ(lineup.Panel(6).Caption, "ZM");
  restore();
}
