// The start-up loader on small archives: which snapshots become pages, which move to the obsolete folder,
// what is reported, the season limit, matches, old match folders, callbacks and the stop flag.
#include "data/Startup.h"
#include "data/History.h"
#include "data/HistoryTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace historytest;
namespace fs = std::filesystem;

namespace {
class TArchive {
public:
  TTempFolder Home;
  fs::path HistoryFolder = Home / "History";
  fs::path Obsolete = HistoryFolder / "Obsolete";
  fs::path Matches = HistoryFolder / "Matches";
  THistory History;
  std::vector<std::string> Events;
  int Finished = 0;

  TArchive() {
    fs::create_directories(Obsolete);
    fs::create_directories(Matches);
  }

  TStartupSettings Settings(bool limit = false, int seasonsBack = 2) const {
    TStartupSettings s;
    s.HistoryFolder = HistoryFolder;
    s.ObsoleteFolder = Obsolete;
    s.MatchesFolder = Matches;
    s.LimitHistoryDataLoading = limit;
    s.SeasonLimit = seasonsBack;
    s.SuspendAtEnd = false;
    return s;
  }

  TStartupCallbacks Callbacks() {
    TStartupCallbacks c;
    c.StatusText = [this](const std::string& text) {
      Events.push_back("status " + text);
      Progress.push_back(-1);  // the bar starts again
    };
    c.Progress = [this](int percent) { Progress.push_back(percent); };
    c.FinishLoading = [this] { ++Finished; };
    c.ReportLoadErrors = [this](const std::string& text) { Report = text; };
    c.HideStatusPane = [this] { Events.push_back("hide"); };
    return c;
  }

  // Runs the loader as the CLI does; returns the load errors' file names.
  std::vector<std::string> Run(bool limit = false, int seasonsBack = 2) {
    TStartup startup(History, Settings(limit, seasonsBack), Callbacks());
    startup.RunHere();
    std::vector<std::string> names;
    for (const auto& e : startup.LoadErrors()) names.push_back(fs::path(e).filename().string());
    return names;
  }

  fs::path Snapshot(int season, int round, const std::string& day, const std::string& time = "12:00:00",
                    std::vector<TTestPlayer> players = {MakePlayer(1), MakePlayer(2)}) {
    TTestSnapshot s;
    s.Season = season;
    s.Round = round;
    s.Day = day;
    s.FetchedDate = day + " " + time;
    s.Players = std::move(players);
    return WriteSnapshot(HistoryFolder, s);
  }

  std::vector<std::string> Pages() const {
    std::vector<std::string> pages;
    for (int i = 1; i <= History.Count(); ++i)
      pages.push_back(History.Page(i).World.RoundLabel() + " " + fs::path(History.Page(i).FileName).filename().string());
    return pages;
  }

  int SnapshotFilesIn(const fs::path& folder, const std::string& day) const {
    int n = 0;
    for (const char* kind : SnapshotKinds) n += fs::exists(folder / (day + " " + kind + ".xml"));
    return n;
  }

  std::vector<int> Progress;
  std::string Report;
};

using TStrings = std::vector<std::string>;
}  // namespace

TEST(Startup, EmptyHistoryFolderGivesNoPagesNoStatusTextsAndStillFinishes) {
  TArchive a;
  EXPECT_TRUE(a.Run().empty());
  EXPECT_EQ(a.History.Count(), 0);
  EXPECT_EQ(a.Events, TStrings{"hide"});
  EXPECT_EQ(a.Finished, 1);
  EXPECT_EQ(a.Report, "");
}

TEST(Startup, OfTwoSnapshotsOfAPastRoundTheNewerIsLoadedAndTheOlderMovedOut) {
  TArchive a;
  a.Snapshot(38, 5, "2009-09-27");
  a.Snapshot(38, 5, "2009-09-28");
  a.Snapshot(38, 6, "2009-10-03");
  a.Snapshot(38, 6, "2009-10-04", "08:00:00");
  EXPECT_TRUE(a.Run().empty());
  EXPECT_EQ(a.Pages(), (TStrings{"38-05 2009-09-28 Players.xml", "38-06 2009-10-04 Players.xml"}));
  // The past round's older snapshot is moved as a whole, the current round's stays where it is.
  EXPECT_EQ(a.SnapshotFilesIn(a.Obsolete, "2009-09-27"), 9);
  EXPECT_EQ(a.SnapshotFilesIn(a.HistoryFolder, "2009-09-27"), 0);
  EXPECT_EQ(a.SnapshotFilesIn(a.HistoryFolder, "2009-10-03"), 9);
  EXPECT_EQ(a.SnapshotFilesIn(a.Obsolete, "2009-10-03"), 0);
  EXPECT_EQ(a.Events, (TStrings{"status Scanning history", "status Processing history", "hide"}));
  EXPECT_EQ(a.Finished, 1);
  // Each phase's bar only grows, within 0..100.
  ASSERT_EQ(a.Progress.front(), -1);
  for (size_t i = 1; i < a.Progress.size(); ++i) {
    EXPECT_LE(a.Progress[i], 100);
    if (a.Progress[i] != -1) {
      EXPECT_GT(a.Progress[i], a.Progress[i - 1]);
    }
  }
  EXPECT_EQ(std::count(a.Progress.begin(), a.Progress.end(), -1), 2);
}

TEST(Startup, ASnapshotMissingOneOfItsNineFilesIsNeitherLoadedNorReported) {
  TArchive a;
  a.Snapshot(38, 5, "2009-09-28");
  a.Snapshot(38, 6, "2009-10-04");
  fs::remove(a.HistoryFolder / "2009-10-04 RegionDetails.xml");
  // A second players file of a day does not make a second snapshot of it.
  fs::copy_file(a.HistoryFolder / "2009-09-28 Players.xml", a.HistoryFolder / "2009-09-28 old Players.xml");
  EXPECT_TRUE(a.Run().empty());
  EXPECT_EQ(a.Pages(), (TStrings{"38-05 2009-09-28 Players.xml"}));
  EXPECT_EQ(a.Report, "");
  EXPECT_EQ(a.SnapshotFilesIn(a.HistoryFolder, "2009-09-28"), 9);
}

TEST(Startup, AFailingNewestSnapshotOfARoundIsReportedAndTheNextOlderLoadedInItsPlace) {
  TArchive a;
  a.Snapshot(38, 4, "2009-09-20");
  a.Snapshot(38, 5, "2009-09-26");
  a.Snapshot(38, 5, "2009-09-27");
  a.Snapshot(38, 5, "2009-09-28");
  a.Snapshot(38, 6, "2009-10-04");
  WriteWholeFile(a.HistoryFolder / "2009-09-28 Economy.xml", "<KickvaleData><Team><Cash>lots</Cash>");
  EXPECT_EQ(a.Run(), TStrings{"2009-09-28 Players.xml"});
  EXPECT_EQ(a.Pages(), (TStrings{"38-04 2009-09-20 Players.xml", "38-05 2009-09-27 Players.xml",
                                 "38-06 2009-10-04 Players.xml"}));
  EXPECT_EQ(a.Report,
            "Following team data files could not be loaded properly:\r\n\r\n2009-09-28 *.xml\r\n");
  // The loaded one supersedes the oldest; the failed one stays for the user to look at.
  EXPECT_EQ(a.SnapshotFilesIn(a.Obsolete, "2009-09-26"), 9);
  EXPECT_EQ(a.SnapshotFilesIn(a.HistoryFolder, "2009-09-28"), 9);
}

TEST(Startup, EveryKindOfBadSnapshotIsReportedAndCostsNothingElse) {
  TArchive a;
  struct TCase {
    const char* Day;
    const char* Kind;
    std::string Text;
  };
  const TCase cases[] = {
      {"2009-08-01", "Players", "<KickvaleData><Team><PlayerList><Player>"},  // unparsable
      {"2009-08-08", "Players",
       "<KickvaleData><Team><PlayerList><Player><PlayerID>1</PlayerID><Age>twenty</Age></Player></PlayerList>"
       "</Team></KickvaleData>"},                                         // a non-number where a number is required
      {"2009-08-15", "TeamDetails", "<KickvaleData><Team><Trainer><PlayerID>x</PlayerID></Trainer></Team>"
                                    "</KickvaleData>"},
      {"2009-08-22", "Club", ""},  // an empty file
  };
  int round = 1;
  for (const TCase& c : cases) {
    a.Snapshot(38, round++, c.Day);
    WriteWholeFile(a.HistoryFolder / (std::string(c.Day) + " " + c.Kind + ".xml"), c.Text);
  }
  a.Snapshot(38, round++, "2009-08-29");
  WriteWholeFile(a.HistoryFolder / "no players.krf", RecordText(38, round++, "2009-09-05", {}));
  WriteWholeFile(a.HistoryFolder / "good.krf", RecordText(38, round++, "2009-09-12", {MakePlayer(1)}));
  // Neither a key nor a page: dropped without a word.
  WriteWholeFile(a.HistoryFolder / "no season.krf", "[header]\ndate=2009-09-19\n[player1]\n");
  a.Snapshot(38, round++, "2009-09-26");
  WriteWholeFile(a.HistoryFolder / "2009-09-26 WorldDetails.xml", "<KickvaleData><FetchedDate>");

  const TStrings errors = a.Run();
  EXPECT_EQ(errors, (TStrings{"no players.krf", "2009-08-22 Players.xml", "2009-08-15 Players.xml",
                              "2009-08-08 Players.xml", "2009-08-01 Players.xml"}));
  EXPECT_EQ(a.Pages(), (TStrings{"38-05 2009-08-29 Players.xml", "38-07 good.krf"}));
  EXPECT_EQ(a.Report, "Following team data files could not be loaded properly:\r\n\r\nno players.krf\r\n"
                      "2009-08-22 *.xml\r\n2009-08-15 *.xml\r\n2009-08-08 *.xml\r\n2009-08-01 *.xml\r\n");
}

TEST(Startup, ReportListsTwentyFilesThenSaysHowManyFailed) {
  std::vector<std::string> errors;
  for (int i = 1; i <= 25; ++i) errors.push_back("/h/History/2009-01-" + std::to_string(10 + i) + " PLAYERS.XML");
  const std::string text = TStartup::LoadErrorsText(errors);
  std::string expected = "Following team data files could not be loaded properly:\r\n\r\n";
  for (int i = 1; i <= 20; ++i) expected += "2009-01-" + std::to_string(10 + i) + " *.XML\r\n";
  expected += "\r\nOnly 20 out of 25 erroneous files are displayed.";
  EXPECT_EQ(text, expected);
  EXPECT_EQ(TStartup::LoadErrorsText({}), "");
  EXPECT_EQ(TStartup::LoadErrorsText({"/h/History/Players.krf", "/h/Matches/4711.xml"}),
            "Following team data files could not be loaded properly:\r\n\r\nPlayers.krf\r\n4711.xml\r\n");
}

TEST(Startup, TwentyFiveFailingSnapshotsAreAllTriedAndTwentyListed) {
  TArchive a;
  for (int round = 1; round <= 16; ++round) a.Snapshot(37, round, "2009-01-" + std::to_string(10 + round));
  for (int round = 1; round <= 9; ++round) a.Snapshot(38, round, "2009-05-" + std::to_string(10 + round));
  a.Snapshot(38, 10, "2009-06-01");
  for (const auto& entry : fs::directory_iterator(a.HistoryFolder))
    if (entry.path().filename().string().find("Training") != std::string::npos &&
        entry.path().filename().string() != "2009-06-01 Training.xml")
      WriteWholeFile(entry.path(), "broken");
  EXPECT_EQ(a.Run().size(), 25u);
  EXPECT_EQ(a.History.Count(), 1);
  EXPECT_NE(a.Report.find("\r\n\r\nOnly 20 out of 25 erroneous files are displayed."), std::string::npos);
  EXPECT_EQ(std::count(a.Report.begin(), a.Report.end(), '*'), 20);
}

TEST(Startup, SeasonLimitLoadsTheNewestSeasonsAndStillMovesSupersededSnapshots) {
  struct TCase {
    bool Limit;
    int SeasonsBack;
    TStrings Seasons;
  };
  const TCase cases[] = {
      {true, 2, {"37-01", "38-01", "39-01"}},
      {true, 0, {"39-01"}},
      {false, 2, {"35-01", "36-01", "37-01", "38-01", "39-01"}},
  };
  for (const TCase& c : cases) {
    TArchive a;
    for (int season = 35; season <= 39; ++season)
      a.Snapshot(season, 1, std::to_string(1974 + season) + "-01-10");
    a.Snapshot(35, 1, "2009-01-09");  // superseded in a season that is not loaded
    EXPECT_TRUE(a.Run(c.Limit, c.SeasonsBack).empty());
    TStrings seasons;
    for (int i = 1; i <= a.History.Count(); ++i) seasons.push_back(a.History.Page(i).World.RoundLabel());
    EXPECT_EQ(seasons, c.Seasons) << c.Limit << " " << c.SeasonsBack;
    EXPECT_EQ(a.SnapshotFilesIn(a.Obsolete, "2009-01-09"), 9);
    EXPECT_EQ(a.SnapshotFilesIn(a.HistoryFolder, "2009-01-10"), 9);
  }
}

TEST(Startup, SeasonsPast99KeepTheirOrder) {
  TArchive a;
  a.Snapshot(99, 16, "2030-01-01");
  a.Snapshot(100, 1, "2030-02-01");
  a.Snapshot(100, 2, "2030-02-08");
  EXPECT_TRUE(a.Run(true, 2).empty());
  EXPECT_EQ(a.Pages(), (TStrings{"99-16 2030-01-01 Players.xml", "100-01 2030-02-01 Players.xml",
                                 "100-02 2030-02-08 Players.xml"}));
}

TEST(Startup, RecordFilesAndSnapshotsShareOneOrder) {
  TArchive a;
  WriteWholeFile(a.HistoryFolder / "week 2.krf", RecordText(35, 2, "2007-01-08", {MakePlayer(1)}));
  WriteWholeFile(a.HistoryFolder / "week 2 again.KRF", RecordText(35, 2, "2007-01-07", {MakePlayer(1)}));
  WriteWholeFile(a.HistoryFolder / "week 1.krf", RecordText(35, 1, "2007-01-01", {MakePlayer(1)}));
  a.Snapshot(35, 3, "2007-01-15");
  EXPECT_TRUE(a.Run().empty());
  EXPECT_EQ(a.Pages(), (TStrings{"35-01 week 1.krf", "35-02 week 2.krf", "35-03 2007-01-15 Players.xml"}));
  EXPECT_TRUE(fs::exists(a.Obsolete / "week 2 again.KRF"));
}

TEST(Startup, MatchesOfTheClubFileAreAttachedToTheirPages) {
  TArchive a;
  a.Snapshot(38, 4, "2009-09-20");
  a.Snapshot(38, 5, "2009-09-28");
  WriteMatchFile(a.Matches / "4711.xml",
                 {MatchDataXml(1, 38, 4, 1, {{1, 1}}), MatchDataXml(2, 38, 4, 7, {{2, 1}}),
                  MatchDataXml(3, 38, 5, 2, {{1, 1}}), MatchDataXml(4, 38, 3, 1, {{1, 1}}) /* no page */,
                  MatchDataXml(5, 38, 5, 5, {{1, 1}}, "x") /* broken */, MatchDataXml(6, 38, 5, 1, {{2, 1}})});
  EXPECT_EQ(a.Run(), TStrings{"4711.xml"});
  EXPECT_EQ(a.History.Page(1).LeagueMatch.MatchID, 1);
  EXPECT_EQ(a.History.Page(1).OtherMatch.MatchID, 2);
  EXPECT_EQ(a.History.Page(2).LeagueMatch.MatchID, 6);  // a later element of the same kind replaces
  EXPECT_FALSE(a.History.Page(2).OtherMatch.HasMatch());
  EXPECT_EQ(a.Events.back(), "hide");
  EXPECT_NE(std::find(a.Events.begin(), a.Events.end(), "status Processing matches"), a.Events.end());
  EXPECT_EQ(a.Progress.back(), 100);
}

TEST(Startup, AnUnreadableMatchFileIsReportedAndThePagesStay) {
  TArchive a;
  a.Snapshot(38, 5, "2009-09-28");
  WriteWholeFile(a.Matches / "4711.xml", "<PitchbookTeamData><MatchData>");
  EXPECT_EQ(a.Run(), TStrings{"4711.xml"});
  EXPECT_EQ(a.History.Count(), 1);
}

namespace {
void WriteOldMatchFolder(const fs::path& folder, int matchID) {
  fs::create_directories(folder);
  WriteWholeFile(folder / "38-05 MatchDetails.xml",
                 "<HattrickData><FileName>matchDetails.asp</FileName><Match><MatchID>" + std::to_string(matchID) +
                     "</MatchID></Match></HattrickData>");
  WriteWholeFile(folder / "38-05 MatchLineup.xml",
                 "<HattrickData><FileName>matchLineup.asp</FileName><MatchID>" + std::to_string(matchID) +
                     "</MatchID><MatchType>1</MatchType><Team><TeamID>4711</TeamID></Team></HattrickData>");
  WriteWholeFile(folder / "38-06 MatchDetails2.xml",
                 "<HattrickData><FileName>matchDetails.asp</FileName><Match><MatchID>77</MatchID></Match>"
                 "</HattrickData>");
  WriteWholeFile(folder / "38-06 MatchLineup2.xml",
                 "<HattrickData><FileName>matchLineup.asp</FileName><MatchID>77</MatchID><MatchType>7</MatchType>"
                 "</HattrickData>");
  WriteWholeFile(folder / "38-07 MatchDetails.xml", "<HattrickData/>");  // no lineup: skipped
}
}  // namespace

TEST(Startup, OldMatchFolderIsConvertedAndMovedUnderAFreeName) {
  TArchive a;
  WriteOldMatchFolder(a.HistoryFolder / "X", 1001);
  fs::create_directories(a.Obsolete / "X");
  fs::create_directories(a.Obsolete / "X(1)");
  fs::create_directories(a.HistoryFolder / ".hidden");
  fs::create_directories(a.HistoryFolder / "Empty");  // no lineup file: stays
  // The match file already holds match 1001; the conversion replaces that element.
  WriteMatchFile(a.Matches / "4711.xml", {MatchDataXml(1001, 38, 5, 1, {{1, 1}}), MatchDataXml(9, 38, 9, 1, {})});
  int refreshed = 0;
  TStartupCallbacks callbacks = a.Callbacks();
  callbacks.MatchFoldersUpgraded = [&] { ++refreshed; };
  TStartup startup(a.History, a.Settings(), callbacks);
  startup.RunHere();
  EXPECT_EQ(refreshed, 1);
  EXPECT_FALSE(fs::exists(a.HistoryFolder / "X"));
  EXPECT_TRUE(fs::exists(a.Obsolete / "X(2)" / "38-05 MatchLineup.xml"));
  EXPECT_TRUE(fs::exists(a.HistoryFolder / "Empty"));
  EXPECT_TRUE(fs::exists(a.HistoryFolder / ".hidden"));
  EXPECT_EQ(a.Events.front(), "status Upgrading match files (ID: 4711)");

  pugi::xml_document doc;
  ASSERT_TRUE(doc.load_file((a.Matches / "4711.xml").c_str()));
  std::vector<std::string> ids;
  for (auto m : doc.document_element().children("MatchData")) ids.push_back(m.attribute("ID").value());
  EXPECT_EQ(ids, (TStrings{"9", "1001", "77"}));
  const auto converted = doc.document_element().find_child_by_attribute("MatchData", "ID", "77");
  EXPECT_STREQ(converted.child_value("Season"), "38");
  EXPECT_STREQ(converted.child_value("MatchRound"), "06");
  EXPECT_STREQ(converted.child("matchLineup.asp").child_value("MatchType"), "7");
  EXPECT_STREQ(converted.child("matchDetails.asp").child("Match").child_value("MatchID"), "77");
  EXPECT_STREQ(converted.first_child().next_sibling().next_sibling().name(), "matchDetails.asp");
}

TEST(Startup, AnOldMatchFolderWithABrokenFileStaysAndTheMatchFileIsUntouched) {
  TArchive a;
  WriteOldMatchFolder(a.HistoryFolder / "Y", 1001);
  WriteWholeFile(a.HistoryFolder / "Y" / "38-06 MatchDetails2.xml", "<HattrickData>");
  WriteMatchFile(a.Matches / "4711.xml", {MatchDataXml(9, 38, 9, 1, {})});
  const std::string before = ReadWholeFile(a.Matches / "4711.xml");
  a.Snapshot(38, 5, "2009-09-28");
  EXPECT_TRUE(a.Run().empty());
  EXPECT_TRUE(fs::exists(a.HistoryFolder / "Y" / "38-05 MatchLineup.xml"));
  EXPECT_EQ(ReadWholeFile(a.Matches / "4711.xml"), before);
  EXPECT_EQ(a.History.Count(), 1);  // the history loads all the same
}

TEST(Startup, TheNewestPageIsShownOrTheDownloadOfferedWhenThatFails) {
  for (bool fails : {false, true})
    for (bool gridsEmpty : {false, true}) {
      TArchive a;
      a.Snapshot(38, 4, "2009-09-20");
      a.Snapshot(38, 5, "2009-09-28");
      TStrings calls;
      TStartupCallbacks c = a.Callbacks();
      c.ShowNewestPage = [&](THistoryPage& page) {
        calls.push_back("show " + page.World.RoundLabel());
        if (fails) throw std::runtime_error("no grid");
      };
      c.EnableSeasonControls = [&] { calls.push_back("season"); };
      c.PlayerGridsEmpty = [&] { return gridsEmpty; };
      c.RunMyTeamDownload = [&] { calls.push_back("download"); };
      c.RestoreToggles = [&] {
        calls.push_back("toggles");
        throw std::runtime_error("ignored");
      };
      TStartup startup(a.History, a.Settings(), c);
      startup.RunHere();
      TStrings expected{"show 38-05"};
      if (!fails) expected.push_back("season");
      if (fails && gridsEmpty) expected.push_back("download");
      expected.push_back("toggles");
      EXPECT_EQ(calls, expected) << fails << gridsEmpty;
      EXPECT_EQ(a.Events.back(), "hide");
    }
}

TEST(Startup, OnItsThreadItSuspendsAtTheEndAndRunsTheUpdateCheckOnlyWhenResumed) {
  for (bool stop : {false, true}) {
    TArchive a;
    a.Snapshot(38, 5, "2009-09-28");
    std::atomic<bool> hidden{false}, checked{false};
    TStartupCallbacks c = a.Callbacks();
    c.HideStatusPane = [&] { hidden = true; };
    c.UpdateCheck = [&](TStartup&) { checked = true; };
    TStartupSettings settings = a.Settings();
    settings.SuspendAtEnd = true;
    TStartup startup(a.History, settings, c);
    startup.Start();
    for (int i = 0; i < 500 && !hidden; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(hidden);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_FALSE(startup.Finished());  // waits for the update check
    if (stop) startup.Terminate();
    startup.Resume();
    startup.WaitFor();
    EXPECT_TRUE(startup.Finished());
    EXPECT_EQ(checked, !stop);
    EXPECT_EQ(a.History.Count(), 1);
  }
}

TEST(Startup, AStoppedLoaderSkipsEveryStep) {
  TArchive a;
  a.Snapshot(38, 5, "2009-09-28");
  TStartup startup(a.History, a.Settings(), a.Callbacks());
  startup.Terminate();
  startup.RunHere();
  EXPECT_EQ(a.History.Count(), 0);
  EXPECT_TRUE(a.Events.empty());
}

TEST(Startup, TruncatedFilesOfASnapshotAreReportedOrHarmlessButNeverFatal) {
  for (const char* kind : SnapshotKinds)
    for (double share : {0.0, 0.3, 0.7, 0.97}) {
      TArchive a;
      a.Snapshot(38, 4, "2009-09-20");
      a.Snapshot(38, 5, "2009-09-28");
      const fs::path file = a.HistoryFolder / (std::string("2009-09-28 ") + kind + ".xml");
      const std::string text = ReadWholeFile(file);
      WriteWholeFile(file, text.substr(0, static_cast<size_t>(text.size() * share)));
      const TStrings errors = a.Run();
      // The region file is kept but never read; the league and world files give the snapshot its place in
      // the order, and a snapshot without one is left out without a word.
      const bool harmless = std::string(kind) == "RegionDetails";
      const bool unordered = std::string(kind) == "LeagueDetails" || std::string(kind) == "WorldDetails";
      EXPECT_EQ(errors, harmless || unordered ? TStrings{} : TStrings{"2009-09-28 Players.xml"}) << kind << " " << share;
      EXPECT_EQ(a.History.Count(), harmless ? 2 : 1) << kind << " " << share;
      EXPECT_EQ(a.History.Page(1).World.MatchRound, 4);
      EXPECT_EQ(a.Finished, 1);
    }
}
