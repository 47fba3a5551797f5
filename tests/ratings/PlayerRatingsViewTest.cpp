#include "ratings/PlayerRatingsView.h"

#include "core/Errors.h"
#include "core/PlayerList.h"
#include "data/Startup.h"
#include "core/TeamMatchFile.h"
#include "data/History.h"
#include "demo/SampleWorld.h"

#include "TestSupport.h"
#include "ratings/LineupArrangementTestXml.h"

#include <gtest/gtest.h>

#include "core/Utils.h"

#include <map>
#include <set>
#include <memory>

using namespace lineuptest;

namespace {
// The opponent's eleven: player IDs 901..911.
std::vector<TPlace> OpponentEleven() {
  std::vector<TPlace> places = StartingEleven();
  for (size_t i = 0; i < places.size(); ++i) places[i].ID = std::to_string(901 + i);
  return places;
}

struct TRecordSpec {
  bool OwnAtHome = true;
  bool WithDetails = true;
  bool WithOwnLineup = true;
  std::string OpponentElement = "matchLineup.asp";  // empty: the opponent's lineup was not downloaded
  TDetailsSpec Details;
  std::string OwnExperience = "4";
  std::string OpponentExperience = "7";
  std::vector<TPlace> OwnPlaces = StartingEleven();
};

class PlayerRatingsViewTest : public ::testing::Test {
protected:
  pugi::xml_node Record(const TRecordSpec& s) {
    const std::string homeID = s.OwnAtHome ? "4711" : "815";
    const std::string awayID = s.OwnAtHome ? "815" : "4711";
    auto lineup = [&](const std::string& element, const std::string& teamID, const std::string& experience,
                      const std::vector<TPlace>& places) {
      return LineupXml({element, teamID, homeID, awayID, s.OwnAtHome ? "Club" : "Rivals", s.OwnAtHome ? "Rivals" : "Club",
                        experience, places});
    };
    TDetailsSpec details = s.Details;
    details.HomeTeamID = homeID;
    details.AwayTeamID = awayID;
    std::string x = "<MatchData ID=\"500\"><Season>38</Season><MatchRound>05</MatchRound>";
    if (s.WithDetails) x += DetailsXml(details);
    if (s.WithOwnLineup) x += lineup("matchLineup.asp", "4711", s.OwnExperience, s.OwnPlaces);
    if (!s.OpponentElement.empty()) x += lineup(s.OpponentElement, "815", s.OpponentExperience, OpponentEleven());
    x += "<Notes><Team><Lineup><Player><PlayerID>1</PlayerID></Player></Lineup></Team></Notes></MatchData>";
    EXPECT_TRUE(FDocument.load_string(x.c_str()));
    return FDocument.document_element();
  }

  // A snapshot of season 38 with these players' specialties.
  void AddSnapshot(int round, const std::map<int64_t, int>& specialties) {
    auto page = std::make_unique<THistoryPage>();
    page->World.Season = 38;
    page->World.MatchRound = round;
    for (auto [id, specialty] : specialties) {
      auto player = page->Players.NewPlayer();
      player->PlayerID = id;
      player->Specialty = specialty;
      page->Players.Add(std::move(player));
    }
    FHistory.Add(std::move(page));
  }

  pugi::xml_document FDocument;
  THistory FHistory;
  TPlayerRatingsView FView;
};
}  // namespace

TEST_F(PlayerRatingsViewTest, HomeMatchWithBothLineups) {
  TRecordSpec spec;
  spec.Details.Home.Ratings[0] = "21";
  spec.Details.Away.Ratings[0] = "7";
  FView.Input(Record(spec), 38, 5, FHistory);
  EXPECT_TRUE(FView.HasMatch());
  EXPECT_TRUE(FView.OwnIsHome());
  EXPECT_EQ(FView.Team1Caption(), "Club");
  EXPECT_EQ(FView.Team2Caption(), "Rivals");
  EXPECT_EQ(FView.LabelXP(), "weak");
  EXPECT_EQ(FView.LabelXPOpponent(), "solid");
  EXPECT_TRUE(FView.OpponentLineupShown());
  EXPECT_EQ(FView.MatchLineupOwn().Panel(0).PlayerID, 101);
  EXPECT_EQ(FView.MatchLineupOpp().Panel(10).PlayerID, 911);
  EXPECT_TRUE(FView.MatchLineupOwn().StarsVisible());
  EXPECT_TRUE(FView.MatchLineupOpp().StarsVisible());
  EXPECT_EQ(FView.MatchRatingOwn().Bar(0).Percent, 75);
  EXPECT_EQ(FView.MatchRatingOpp().Bar(0).Percent, 25);
}

TEST_F(PlayerRatingsViewTest, AwayMatchCaptionsAndRatesTheAwaySideAsOwn) {
  TRecordSpec spec;
  spec.OwnAtHome = false;
  spec.Details.Away.Ratings[1] = "30";  // own right defence against the home side's left attack (10)
  spec.Details.Home.TacticType = "1";
  spec.Details.Home.TacticSkill = "10";
  FView.Input(Record(spec), 38, 5, FHistory);
  EXPECT_FALSE(FView.OwnIsHome());
  EXPECT_EQ(FView.Team1Caption(), "Club");
  EXPECT_EQ(FView.Team2Caption(), "Rivals");
  EXPECT_EQ(FView.MatchRatingOwn().Bar(1).Percent, 75);
  EXPECT_EQ(FView.MatchRatingOwn().Bar(7).Caption, "Normal");
  EXPECT_EQ(FView.MatchRatingOpp().Bar(6).Percent, 25);
  EXPECT_EQ(FView.MatchRatingOpp().Bar(7).Caption, "Pressing");
  EXPECT_EQ(FView.MatchRatingOpp().Bar(7).Percent, 50);
}

TEST_F(PlayerRatingsViewTest, OpponentLineupIsShownOnlyWhenItWasDownloaded) {
  struct {
    const char* Element;
    bool Shown;
  } const cases[] = {{"", false}, {"matchLineup.asp", true}, {"matchlineup.xml", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Element);
    TRecordSpec spec;
    spec.OpponentElement = c.Element;
    FView.Input(Record(spec), 38, 5, FHistory);
    EXPECT_EQ(FView.OpponentLineupShown(), c.Shown);
    EXPECT_EQ(FView.MatchLineupOpp().Panel(0).PlayerID, c.Shown ? 901 : 0);
    EXPECT_EQ(FView.LabelXPOpponent(), c.Shown ? "solid" : "");
    // The opponent's ratings come from the match details either way.
    EXPECT_EQ(FView.MatchRatingOpp().Relative().Total(), "24");
  }
}

TEST_F(PlayerRatingsViewTest, SpecialtiesComeFromTheMatchWeekAndTheWeekBefore) {
  std::vector<TPlace> places = StartingEleven();
  for (const TPlace& p : BenchAndRoles()) places.push_back(p);
  TRecordSpec spec;
  spec.OwnPlaces = places;
  // 102 was sold in the match's week: only the week before knows him. Where both know a player, the
  // earlier snapshot's value stands.
  AddSnapshot(5, {{101, 2}, {103, 1}, {212, 4}, {901, 3}});
  AddSnapshot(4, {{101, 3}, {102, 4}, {212, 5}});
  AddSnapshot(3, {{104, 5}});
  FView.Input(Record(spec), 38, 5, FHistory);
  const TMatchLineupArrangement& own = FView.MatchLineupOwn();
  EXPECT_EQ(own.Panel(0).Specialty, 3);
  EXPECT_EQ(own.Panel(1).Specialty, 4);
  EXPECT_EQ(own.Panel(2).Specialty, 1);
  EXPECT_EQ(own.Panel(3).Specialty, 0);  // only two weeks back
  EXPECT_EQ(own.Extra(0).Specialty, 5);
  EXPECT_EQ(FView.MatchLineupOpp().Panel(0).Specialty, 3);

  // No snapshot of the match's week: no specialties, even though the week before is there.
  FView.Input(Record(spec), 38, 6, FHistory);
  EXPECT_EQ(FView.MatchLineupOwn().Panel(0).Specialty, 0);
  // The oldest snapshot has nothing before it.
  FView.Input(Record(spec), 38, 3, FHistory);
  EXPECT_EQ(FView.MatchLineupOwn().Panel(3).Specialty, 5);
}

TEST_F(PlayerRatingsViewTest, ExperienceOffTheTableShowsTheNumber) {
  TRecordSpec spec;
  spec.OwnExperience = "25";
  spec.OpponentExperience = "-1";
  FView.Input(Record(spec), 38, 5, FHistory);
  EXPECT_EQ(FView.LabelXP(), "25");
  EXPECT_EQ(FView.LabelXPOpponent(), "-1");
  spec.OwnExperience = "";
  FView.Input(Record(spec), 38, 5, FHistory);
  EXPECT_EQ(FView.LabelXP(), "");
}

TEST_F(PlayerRatingsViewTest, RecordsThatCannotBeShownFailAndKeepTheMatchShown) {
  FView.Input(Record(TRecordSpec()), 38, 5, FHistory);
  const std::string caption = FView.Team1Caption();
  const auto bars = FView.MatchRatingOwn().Bars();

  TRecordSpec noDetails;
  noDetails.WithDetails = false;
  noDetails.OwnAtHome = false;
  EXPECT_THROW(FView.Input(Record(noDetails), 38, 5, FHistory), EPitchbookError);
  TRecordSpec noLineup;
  noLineup.WithOwnLineup = false;
  noLineup.OpponentElement = "";
  EXPECT_THROW(FView.Input(Record(noLineup), 38, 5, FHistory), EPitchbookError);
  TRecordSpec badRating;
  badRating.OwnAtHome = false;
  badRating.Details.Away.Ratings[4] = "high";
  EXPECT_THROW(FView.Input(Record(badRating), 38, 5, FHistory), EConvertError);
  TRecordSpec badExperience;
  badExperience.OpponentExperience = "x";
  EXPECT_THROW(FView.Input(Record(badExperience), 38, 5, FHistory), EConvertError);

  EXPECT_TRUE(FView.OwnIsHome());
  EXPECT_EQ(FView.Team1Caption(), caption);
  EXPECT_EQ(FView.MatchRatingOwn().Bars(), bars);
  EXPECT_EQ(FView.MatchLineupOwn().Panel(0).PlayerID, 101);
}

TEST(PlayerRatingsViewSampleWorld, EveryStoredMatchOfTheClubShows) {
  TTempFolder folder;
  TSampleWorldOptions options;
  options.Seasons = 1;
  options.Seed = 23;
  options.LastRound = 8;
  TSampleWorldInfo info;
  WriteSampleWorld(folder.Path(), options, &info);
  THistory history;
  TStartupSettings settings;
  settings.HistoryFolder = folder / "History";
  settings.ObsoleteFolder = settings.HistoryFolder / "Obsolete";
  settings.MatchesFolder = settings.HistoryFolder / "Matches";
  settings.SuspendAtEnd = false;
  TStartup startup(history, settings);
  startup.RunHere();
  ASSERT_GT(history.Count(), 2);

  TTeamMatchFile file;
  file.LoadFromFile(TTeamMatchFile::PathOf(settings.MatchesFolder, std::to_string(info.OwnTeamID)));
  ASSERT_FALSE(file.Matches().empty());
  int withSpecialty = 0;
  int withOpponent = 0;
  for (const pugi::xml_node& match : file.Matches()) {
    SCOPED_TRACE(match.attribute("ID").value());
    const int season = StrToInt(match.child_value("Season"));
    const int round = StrToInt(match.child_value("MatchRound"));
    TPlayerRatingsView view;
    ASSERT_NO_THROW(view.Input(match, season, round, history));
    withOpponent += view.OpponentLineupShown();

    // The eleven on the pitch and the substitutes in their slots are the lineup's own.
    std::map<int, int64_t> byRole;
    for (pugi::xml_node p = TPlayerRatingsView::OwnLineup(match).child("Team").child("Lineup").child("Player"); p;
         p = p.next_sibling("Player"))
      byRole[StrToInt(p.child_value("RoleID"))] = StrToInt64(p.child_value("PlayerID"));
    const TMatchLineupArrangement& own = view.MatchLineupOwn();
    std::multiset<int64_t> pitch, lineup;
    for (int i = 0; i < 11; ++i) {
      pitch.insert(own.Panel(i).PlayerID);
      lineup.insert(byRole[i + 1]);
      withSpecialty += own.Panel(i).Specialty > 0;
    }
    EXPECT_EQ(pitch, lineup);
    EXPECT_EQ(own.Extra(0).PlayerID, byRole.count(12) ? byRole[12] : 0);
    EXPECT_EQ(own.Extra(4).PlayerID, byRole.count(15) ? byRole[15] : 0);
    EXPECT_EQ(own.Extra(6).PlayerID, byRole[18]);
    EXPECT_EQ(own.Extra(7).Visible, byRole.count(19) > 0);
    EXPECT_EQ(view.Team1Caption(), view.OwnIsHome() ? ChildText(match.child("matchDetails.asp").child("Match").child("HomeTeam"), "HomeTeamName")
                                                    : ChildText(match.child("matchDetails.asp").child("Match").child("AwayTeam"), "AwayTeamName"));
  }
  EXPECT_GT(withSpecialty, 0);
  EXPECT_GT(withOpponent, 0);
}
