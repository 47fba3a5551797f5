// The match download against the local game server with hand-made answers: placing a match in the
// calendar, the three modes, existing match nodes, IDs from the list and from answers.
#include "DlTestSupport.h"

#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "download/DlMatch.h"

#include <cstdlib>
#include <ctime>

namespace fs = std::filesystem;
using namespace dltest;

namespace {

std::string Element(const std::string& name, const std::string& text) { return "<" + name + ">" + text + "</" + name + ">"; }
std::string Doc(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<KickvaleData>" + body + "</KickvaleData>\r\n";
}

struct TFixtureMatch {
  std::string ID;
  int Type = 1;
  std::string Date;
  std::string Status = "FINISHED";
  std::string Home = "100";
  std::string Away = "300";
};

const TTeamListEntry RedLions{"100", "200", "Red Lions", true};

class DlMatchTest : public DlJobTest {
protected:
  fs::path Answers() const { return Home / "answers"; }
  void Answer(const std::string& name, const std::string& body) { WriteWholeFile(Answers() / name, Doc(body)); }

  // The league table of the unit: the team has played `matches` league matches.
  void League(const std::string& unit, const std::string& team, int matches) {
    Answer("leaguedetails@leaguelevelunitid=" + unit + ".xml",
           Element("LeagueLevelUnitID", unit) + "<Team>" + Element("TeamID", team) +
               Element("Matches", std::to_string(matches)) + "</Team>");
  }
  // Fixtures of the unit; `played` tells for each fixture whether it has a result.
  void Fixtures(const std::string& unit, int season, const std::vector<TFixtureMatch>& fixtures,
                const std::vector<bool>& played, const std::string& seasonParam = "") {
    std::string body = Element("LeagueLevelUnitID", unit) + Element("Season", std::to_string(season));
    for (size_t k = 0; k < fixtures.size(); ++k) {
      const TFixtureMatch& m = fixtures[k];
      body += "<Match>" + Element("MatchID", m.ID) + "<HomeTeam>" + Element("HomeTeamID", m.Home) +
              "</HomeTeam><AwayTeam>" + Element("AwayTeamID", m.Away) + "</AwayTeam>" +
              Element("HomeGoals", played[k] ? "1" : "") + Element("AwayGoals", played[k] ? "0" : "") + "</Match>";
    }
    Answer("leaguefixtures@leaguelevelunitid=" + unit + (seasonParam.empty() ? "" : "@season=" + seasonParam) + ".xml",
           body);
  }
  void MatchesList(const std::string& team, const std::vector<TFixtureMatch>& matches) {
    std::string list;
    for (const TFixtureMatch& m : matches)
      list += "<Match>" + Element("MatchID", m.ID) + Element("MatchType", std::to_string(m.Type)) +
              Element("MatchDate", m.Date) + Element("Status", m.Status) + "</Match>";
    Answer("matches@teamid=" + team + ".xml",
           "<Team>" + Element("TeamID", team) + "<MatchList>" + list + "</MatchList></Team>");
  }
  static std::string Lineup(const TFixtureMatch& m, const std::string& team, const std::string& matchID) {
    std::string players;
    for (int slot = 1; slot <= 11; ++slot)
      players += "<Player>" + Element("PlayerID", team + std::to_string(slot)) +
                 Element("PositionCode", std::to_string(slot)) + Element("Behaviour", "0") +
                 Element("RatingStars", "3.5") + "</Player>";
    return Element("FileName", "matchLineup.asp") + Element("MatchID", matchID) +
           Element("MatchType", std::to_string(m.Type)) + Element("MatchDate", m.Date) + "<HomeTeam>" +
           Element("HomeTeamID", m.Home) + Element("HomeTeamName", "Team " + m.Home) + "</HomeTeam><AwayTeam>" +
           Element("AwayTeamID", m.Away) + Element("AwayTeamName", "Team " + m.Away) + "</AwayTeam><Team>" +
           Element("TeamID", team) + Element("ExperienceLevel", "4") + "<Lineup>" + players + "</Lineup></Team>";
  }
  // Both lineups and the details of a played match.
  void Match(const TFixtureMatch& m, const std::string& matchIDInAnswers = "") {
    const std::string id = matchIDInAnswers.empty() ? m.ID : matchIDInAnswers;
    for (const std::string& team : {m.Home, m.Away})
      Answer("matchlineup@matchid=" + m.ID + "@teamid=" + team + ".xml", Lineup(m, team, id));
    std::string ratings;
    for (const char* r : {"RatingMidfield", "RatingRightDef", "RatingMidDef", "RatingLeftDef", "RatingRightAtt",
                          "RatingMidAtt", "RatingLeftAtt"})
      ratings += Element(r, "7");
    Answer("matchdetails@matchid=" + m.ID + ".xml",
           Element("FileName", "matchDetails.asp") + "<Match>" + Element("MatchID", id) +
               Element("MatchDate", m.Date) + "<HomeTeam>" + Element("HomeTeamID", m.Home) +
               Element("HomeTeamName", "Team " + m.Home) + Element("HomeGoals", "2") + ratings +
               "</HomeTeam><AwayTeam>" + Element("AwayTeamID", m.Away) + Element("AwayTeamName", "Team " + m.Away) +
               Element("AwayGoals", "1") + ratings + "</AwayTeam><Arena>" + Element("ArenaName", "Ground") +
               Element("WeatherID", "2") + Element("SoldTotal", "1000") + "</Arena></Match>");
  }
  // The team's latest match: what "matchlineup&teamID=" answers.
  void Latest(const TFixtureMatch& m, const std::string& team = "100") {
    Answer("matchlineup@teamid=" + team + ".xml", Lineup(m, team, m.ID));
  }

  bool Run(TDlMatchMode mode, std::vector<TTeamListEntry> teams, bool update, int season = 0) {
    ResetWindow();
    TDlMatchOptions options;
    options.Mode = mode;
    options.Season = season;
    options.Teams = std::move(teams);
    TDlMatch job(*Http, History, Settings(update), Callbacks(), std::move(options));
    job.RunHere();
    return job.Completed();
  }

  fs::path StorePath(const std::string& team = "100") const {
    return TTeamMatchFile::PathOf(Folders.MatchesFolder(), team);
  }
  // Season and round of each stored match, in file order: "ID s/r".
  std::vector<std::string> Stored(const std::string& team = "100") const {
    TTeamMatchFile store;
    store.LoadFromFile(StorePath(team));
    std::vector<std::string> result;
    for (const pugi::xml_node& m : store.Matches())
      result.push_back(std::string(m.attribute("ID").value()) + " " + std::to_string(StrToInt(ChildText(m, "Season"))) +
                       "/" + std::to_string(StrToInt(ChildText(m, "MatchRound"))));
    return result;
  }
};

TEST(ModifyMatchDateTest, WrapsBelowRoundOneByFourteenAndAboveSixteenBySixteen) {
  struct {
    int Season, Round, Delta, ExpectedSeason, ExpectedRound;
  } cases[] = {
      {30, 5, -4, 30, 1},   {30, 5, 0, 30, 5},    {30, 1, -1, 29, 14},  {30, 3, -3, 29, 14},
      {30, 2, -20, 29, -4},  // wraps once only
      {30, 16, 0, 30, 16},  {30, 16, 1, 31, 1},   {30, 15, 3, 31, 2},   {30, 10, 40, 33, 2},
  };
  for (const auto& c : cases) {
    int season = c.Season, round = c.Round;
    ModifyMatchDate(season, round, c.Delta);
    EXPECT_EQ(season, c.ExpectedSeason) << c.Season << "/" << c.Round << " by " << c.Delta;
    EXPECT_EQ(round, c.ExpectedRound) << c.Season << "/" << c.Round << " by " << c.Delta;
  }
}

TEST(WholeDaysBetweenTest, CountsCalendarDaysWhateverTheTimeZone) {
  const char* const oldZone = std::getenv("TZ");
  const std::string saved = oldZone ? oldZone : "";
  // Summer time begins on 2026-03-29 in Berlin: the 14 days across it stay 14.
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
  EXPECT_EQ(WholeDaysBetween("2026-03-21 15:00:00", "2026-04-04 15:00:00"), 14);
  EXPECT_EQ(WholeDaysBetween("2026-01-03 15:00:00", "2026-01-28 14:59:59"), 24);
  EXPECT_EQ(WholeDaysBetween("2026-01-03 15:00:00", "2026-01-28 15:00:00"), 25);
  EXPECT_EQ(WholeDaysBetween("2026-02-27", "2026-03-01"), 2);
  EXPECT_EQ(WholeDaysBetween("2026-01-10 15:00:00", "2026-01-03 15:00:00"), -7);
  EXPECT_THROW(WholeDaysBetween("2026-02-30 15:00:00", "2026-03-01 15:00:00"), EConvertError);
  EXPECT_THROW(WholeDaysBetween("", "2026-03-01"), EConvertError);
  if (oldZone)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

// "Last match": the round is taken from the league table and moved by what the matches list tells.
TEST_F(DlMatchTest, PlacesTheLatestMatchInTheCalendar) {
  const TFixtureMatch L1{"11", 1, "2026-01-03 15:00:00"}, L2{"12", 1, "2026-01-10 15:00:00"},
      L3{"13", 1, "2026-01-17 15:00:00"}, L4{"14", 1, "2026-01-24 15:00:00"};
  struct {
    const char* Name;
    int Played;  // league matches in the table
    std::vector<TFixtureMatch> List;
    TFixtureMatch Target;
    const char* Expected;  // "season/round", or the error
  } cases[] = {
      {"the newest league match", 3, {L1, L2, L3}, L3, "30/3"},
      {"a league match two league rounds back", 3, {L1, L2, L3}, L1, "30/1"},
      {"a qualification match", 1, {{"20", 2, "2025-12-20 15:00:00"}, L1}, {"20", 2, "2025-12-20 15:00:00"}, "29/15"},
      {"a cup match between league rounds", 2, {L1, {"30", 3, "2026-01-07 19:00:00"}, L2},
       {"30", 3, "2026-01-07 19:00:00"}, "30/2"},
      {"a cup match after the last league round", 2, {L1, L2, {"31", 3, "2026-01-14 19:00:00"}},
       {"31", 3, "2026-01-14 19:00:00"}, "30/3"},
      {"a friendly before the first league match", 2, {{"40", 4, "2025-12-27 15:00:00"}, L1, L2},
       {"40", 4, "2025-12-27 15:00:00"}, "30/1"},
      {"a friendly 25 days after the first league match", 4, {L1, L2, L3, L4, {"41", 5, "2026-01-28 19:00:00"}},
       {"41", 5, "2026-01-28 19:00:00"}, "30/5"},
      {"a friendly placed in round 15", 1, {L1, {"42", 9, "2026-04-06 19:00:00"}}, {"42", 9, "2026-04-06 19:00:00"},
       "30/15"},
      {"a league round below 1 wraps into the previous season", 2, {L1, L2, L3}, L1, "29/14"},
      {"a match later than the next round", 2, {L1, L2, {"43", 8, "2026-02-20 19:00:00"}},
       {"43", 8, "2026-02-20 19:00:00"}, "Invalid MatchDay."},
      {"an unfinished match in the list counts for nothing", 2,
       {L1, L2, {"15", 1, "2026-01-17 15:00:00", "UPCOMING"}, L3}, L1, "30/1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    fs::remove_all(Answers());
    fs::remove_all(Folders.MatchesFolder());
    Folders.CreateDataFolders();
    League("200", "100", c.Played);
    Fixtures("200", 30, {}, {});
    MatchesList("100", c.List);
    Match(c.Target);
    Latest(c.Target);

    const bool completed = Run(TDlMatchMode::LastMatch, {RedLions}, false);
    if (std::string(c.Expected) == "Invalid MatchDay.") {
      EXPECT_FALSE(completed);
      EXPECT_TRUE(HasLine("** Connection error")) << ReportText();
      EXPECT_TRUE(HasLine("** Invalid MatchDay.")) << ReportText();
      EXPECT_TRUE(Stored().empty());
    } else {
      EXPECT_TRUE(completed) << ReportText();
      EXPECT_EQ(Stored(), std::vector<std::string>{c.Target.ID + " " + c.Expected});
      EXPECT_TRUE(HasLine("ID: " + c.Target.ID + ", xml node created")) << ReportText();
    }
  }
}

TEST_F(DlMatchTest, LastMatchStoresBothLineupsAndTheDetails) {
  const TFixtureMatch away{"77", 1, "2026-01-10 15:00:00", "FINISHED", "300", "100"};
  League("200", "100", 2);
  Fixtures("200", 30, {}, {});
  MatchesList("100", {{"76", 1, "2026-01-03 15:00:00"}, away});
  Match(away);
  Latest(away);
  // The opponent's latest lineup belongs to another match: the one of this match is asked for.
  Answer("matchlineup@teamid=300.xml", Lineup({"99", 1, "2026-01-17 15:00:00", "FINISHED", "300", "500"}, "300", "99"));

  ASSERT_TRUE(Run(TDlMatchMode::LastMatch, {RedLions}, false)) << ReportText();
  const std::vector<std::string> expected = {"Establishing connection...",
                                             "Connected to " + Server.Host(),
                                             "Team: Red Lions",
                                             "Downloaded league details",
                                             "Downloaded league fixtures",
                                             "Downloaded match lineup",
                                             "Downloaded match details",
                                             "Downloaded matches",
                                             "ID: 77, xml node created",
                                             "Connection completed"};
  EXPECT_EQ(Lines(), expected);
  EXPECT_EQ(Log.Lines()[2].Kind, TDlMessageKind::Heading);
  EXPECT_EQ(TitlesRefreshed, 1);

  TTeamMatchFile store;
  store.LoadFromFile(StorePath());
  const pugi::xml_node data = store.FindMatch("77");
  ASSERT_TRUE(data);
  EXPECT_EQ(ChildText(data, "Season"), "30");
  EXPECT_EQ(ChildText(data, "MatchRound"), "02");
  EXPECT_EQ(ChildText(data.child("matchDetails.asp").child("Match"), "MatchID"), "77");
  const pugi::xml_node own = data.child("matchLineup.asp");
  EXPECT_EQ(ChildText(own.child("Team"), "TeamID"), "100");
  const pugi::xml_node opponent = own.next_sibling("matchLineup.asp");
  ASSERT_TRUE(opponent);
  EXPECT_EQ(ChildText(opponent.child("Team"), "TeamID"), "300");
  EXPECT_EQ(ChildText(opponent, "MatchID"), "77");
  // The stored element reads as a match of the club.
  TMatchPage page;
  page.ReadMatchData(data);
  EXPECT_EQ(page.MatchID, 77);
  EXPECT_EQ(page.Lineup[1].PlayerID, 1001);
}

TEST_F(DlMatchTest, RecentMatchesStopAtTheFirstMatchNotFinished) {
  const std::vector<TFixtureMatch> list = {{"11", 1, "2026-01-03 15:00:00"},
                                           {"30", 3, "2026-01-07 19:00:00"},
                                           {"12", 1, "2026-01-10 15:00:00", "UPCOMING"},
                                           {"13", 1, "2026-01-17 15:00:00"}};
  League("200", "100", 1);
  Fixtures("200", 30, {}, {});
  MatchesList("100", list);
  for (const TFixtureMatch& m : list) Match(m);

  ASSERT_TRUE(Run(TDlMatchMode::RecentMatches, {RedLions}, false)) << ReportText();
  EXPECT_EQ(Stored(), (std::vector<std::string>{"11 30/1", "30 30/2"}));
  EXPECT_EQ(Server.RequestCount("matchdetails"), 2);
  // The matches list came once: the placement read it from the work folder.
  EXPECT_EQ(Server.RequestCount("matches"), 1);
}

TEST_F(DlMatchTest, SeasonModeStopsAtTheFirstUnplayedFixture) {
  // Four fixtures a round; the team plays in fixtures 1 (round 1), 6 (round 2, away) and 9 (round 3).
  std::vector<TFixtureMatch> fixtures;
  for (int k = 0; k < 12; ++k) {
    TFixtureMatch m{std::to_string(500 + k), 1, "2026-01-03 15:00:00", "FINISHED", "301", "302"};
    if (k == 1 || k == 9) m.Home = "100";
    if (k == 6) m.Away = "100";
    fixtures.push_back(m);
  }
  std::vector<bool> played(12, true);
  played[8] = false;  // the third round's first fixture is not played yet; fixture 9 is
  Fixtures("200", 28, fixtures, played, "28");
  for (const TFixtureMatch& m : fixtures) Match(m);

  ASSERT_TRUE(Run(TDlMatchMode::Season, {RedLions}, false, 28)) << ReportText();
  EXPECT_EQ(Stored(), (std::vector<std::string>{"501 28/1", "506 28/2"}));
  EXPECT_EQ(Server.RequestCount("matchdetails"), 2);
  EXPECT_TRUE(HasLine("Downloaded league fixtures"));
}

TEST_F(DlMatchTest, AStoredMatchIsLeftAloneOrReplacedAsTold) {
  const TFixtureMatch m{"77", 1, "2026-01-10 15:00:00"};
  League("200", "100", 2);
  Fixtures("200", 30, {}, {});
  MatchesList("100", {{"76", 1, "2026-01-03 15:00:00"}, m});
  Match(m);
  Latest(m);
  WriteWholeFile(StorePath(), "<?xml version=\"1.0\"?>\n<PitchbookTeamData><MatchData ID=\"77\"><Season>30</Season>"
                              "<MatchRound>02</MatchRound><Marker/></MatchData>"
                              "<MatchData ID=\"76\"><Season>30</Season><MatchRound>01</MatchRound></MatchData>"
                              "</PitchbookTeamData>\n");

  ASSERT_TRUE(Run(TDlMatchMode::LastMatch, {RedLions}, false)) << ReportText();
  EXPECT_TRUE(HasLine("ID: 77, xml node exists"));
  TTeamMatchFile store;
  store.LoadFromFile(StorePath());
  EXPECT_TRUE(store.FindMatch("77").child("Marker"));

  ASSERT_TRUE(Run(TDlMatchMode::LastMatch, {RedLions}, true)) << ReportText();
  EXPECT_TRUE(HasLine("ID: 77, xml node updated"));
  EXPECT_EQ(Stored(), (std::vector<std::string>{"76 30/1", "77 30/2"}));
  store.LoadFromFile(StorePath());
  EXPECT_FALSE(store.FindMatch("77").child("Marker"));
}

TEST_F(DlMatchTest, ANewMatchOfTheOwnClubIsShownOnItsWeeksPage) {
  const TFixtureMatch m{"77", 4, "2026-01-07 19:00:00"};
  League("200", "100", 1);
  Fixtures("200", 30, {}, {});
  MatchesList("100", {{"76", 1, "2026-01-03 15:00:00"}, m});
  Match(m);
  Latest(m);
  auto page = std::make_unique<THistoryPage>();
  page->Team.TeamID = "100";
  page->World.Season = 30;
  page->World.MatchRound = 2;
  page->World.FetchedDate = "2026-01-08 12:00:00";
  History.Add(std::move(page));

  ASSERT_TRUE(Run(TDlMatchMode::LastMatch, {RedLions}, false)) << ReportText();
  EXPECT_EQ(Stored(), std::vector<std::string>{"77 30/2"});
  EXPECT_EQ(History.Latest().OtherMatch.MatchID, 77);
  EXPECT_FALSE(History.Latest().LeagueMatch.HasMatch());

  // A followed team's match never lands on the own club's page.
  History.Latest().OtherMatch.Clear();
  History.Latest().Team.TeamID = "999";
  ASSERT_TRUE(Run(TDlMatchMode::LastMatch, {RedLions}, true)) << ReportText();
  EXPECT_FALSE(History.Latest().OtherMatch.HasMatch());
}

TEST_F(DlMatchTest, AFailingTeamEndsTheModeAndKeepsTheTeamsBefore) {
  const TFixtureMatch a{"71", 1, "2026-01-03 15:00:00", "FINISHED", "100", "300"};
  const TFixtureMatch c{"73", 1, "2026-01-03 15:00:00", "FINISHED", "102", "302"};
  for (const auto& [team, m] : {std::pair{"100", a}, std::pair{"102", c}}) {
    MatchesList(team, {m});
    Match(m);
    Latest(m, team);
  }
  League("200", "100", 1);
  Answer("leaguedetails@leaguelevelunitid=201.xml", "<Team><Matches>1</Matches></Team>");
  Answer("leaguedetails@leaguelevelunitid=202.xml", "<Team><Matches>1</Matches></Team>");
  Fixtures("200", 30, {}, {});
  Fixtures("201", 30, {}, {});
  Fixtures("202", 30, {}, {});
  // The server has no latest lineup of team 101: its request fails.

  const bool completed = Run(TDlMatchMode::LastMatch,
                             {RedLions, {"101", "201", "Failing", true}, {"102", "202", "Third", true}}, false);
  EXPECT_FALSE(completed);
  EXPECT_TRUE(HasLine("Team: Failing"));
  EXPECT_TRUE(HasLine("** Connection error"));
  EXPECT_FALSE(HasLine("Team: Third"));
  EXPECT_FALSE(HasLine("Connection completed"));
  EXPECT_EQ(Stored("100"), std::vector<std::string>{"71 30/1"});
  EXPECT_TRUE(Stored("101").empty());
  EXPECT_FALSE(fs::exists(StorePath("102")));
  // The window still rebuilds its team titles for what was saved.
  EXPECT_EQ(TitlesRefreshed, 1);
}

// IDs from the team list and from the server's answers become file names and node IDs only as digits.
TEST_F(DlMatchTest, IDsThatAreNotDigitsFailTheTeamAndWriteNothing) {
  const TFixtureMatch m{"77", 1, "2026-01-10 15:00:00"};
  struct {
    const char* Name;
    TTeamListEntry Team;
    const char* MatchIDInAnswers;
    const char* BadID;
  } cases[] = {
      {"team ID of the list", {"../100", "200", "Red Lions", true}, "77", "../100"},
      {"unit ID of the list", {"100", "../../x", "Red Lions", true}, "77", "../../x"},
      {"empty unit ID of the list", {"100", "", "Red Lions", true}, "77", ""},
      {"match ID of an answer", RedLions, "../../77", "../../77"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    fs::remove_all(Answers());
    fs::remove_all(Folders.MatchesFolder());
    Folders.CreateDataFolders();
    League("200", "100", 2);
    Fixtures("200", 30, {}, {});
    MatchesList("100", {m});
    Match(m, c.MatchIDInAnswers);
    Answer("matchlineup@teamid=100.xml", Lineup(m, "100", c.MatchIDInAnswers));

    EXPECT_FALSE(Run(TDlMatchMode::LastMatch, {c.Team}, true));
    EXPECT_TRUE(HasLine("** '" + std::string(c.BadID) + "' is not a valid ID")) << ReportText();
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(Home.Path()))
      if (entry.is_regular_file() && entry.path().parent_path() != Answers())
        files.push_back(fs::relative(entry.path(), Home.Path()).string());
    // At most an empty match store of the listed team.
    for (const std::string& file : files) EXPECT_EQ(file, "History/Matches/100.xml");
    if (fs::exists(StorePath())) {
      EXPECT_TRUE(Stored().empty());
    }
  }
}

}  // namespace
