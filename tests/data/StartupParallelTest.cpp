// The start-up loader shares its files out among workers and reads the club's match file one element at a
// time; neither may change the archive it loads. Checked against the loader on one thread and against the
// match file parsed as one document (which the loader does for a file with a document type declaration).
#include "core/Player.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/HistoryTestSupport.h"
#include "data/Startup.h"
#include "data/StartupJobs.h"
#include "demo/SampleWorld.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <set>
#include <stdexcept>
#include <thread>

using namespace historytest;
namespace fs = std::filesystem;

namespace {
TStartupSettings SettingsFor(const fs::path& home, int workers) {
  TStartupSettings s;
  s.HistoryFolder = home / "History";
  s.ObsoleteFolder = s.HistoryFolder / "Obsolete";
  s.MatchesFolder = s.HistoryFolder / "Matches";
  s.LimitHistoryDataLoading = false;
  s.SuspendAtEnd = false;
  s.Workers = workers;
  return s;
}

std::string MatchText(const TMatchPage& m) {
  std::string text = std::to_string(m.MatchID) + " " + m.MatchDate + " " + m.ArenaName + " " + m.HomeTeamName + " " +
                     m.AwayTeamName + " " + m.HomeTeamID + " " + m.AwayTeamID;
  for (int v : {m.RatingMidfield, m.RatingLeftDef, m.RatingMidDef, m.RatingRightDef, m.RatingLeftAtt, m.RatingMidAtt,
                m.RatingRightAtt, m.HomeGoals, m.AwayGoals, m.SoldTotal, m.SoldTerraces, m.SoldBasic, m.SoldRoof,
                m.SoldVIP, m.WeatherID, m.TeamAttitude, m.MatchType, m.ExperienceLevel})
    text += " " + std::to_string(v);
  for (const TMatchLineupEntry& e : m.Lineup)
    text += " " + std::to_string(e.PlayerID) + "/" + std::to_string(e.PositionCode) + "/" +
            std::to_string(e.Behaviour) + "/" + std::to_string(e.RatingStars);
  return text;
}

std::string PlayerText(const TPlayer& p) {
  std::string text = p.PlayerName + "|" + p.TrainerType + "|" + p.TrainerSkill;
  for (int code = FirstPlayerAttribute; code <= paAggressiveness; ++code) text += " " + std::to_string(p.GetValue(code));
  return text;
}

// Every record of every page, the squads and the matches.
void ExpectSameArchive(const THistory& expected, const THistory& actual) {
  ASSERT_EQ(actual.Count(), expected.Count());
  for (int i = 1; i <= expected.Count(); ++i) {
    SCOPED_TRACE("page " + std::to_string(i));
    const THistoryPage& e = expected.Page(i);
    const THistoryPage& a = actual.Page(i);
    EXPECT_EQ(fs::path(a.FileName).filename(), fs::path(e.FileName).filename());
    EXPECT_EQ(a.IsXml, e.IsXml);
    EXPECT_TRUE(a.Team == e.Team);
    EXPECT_TRUE(a.League == e.League);
    EXPECT_TRUE(a.Training == e.Training);
    EXPECT_TRUE(a.Arena == e.Arena);
    EXPECT_TRUE(a.Economy == e.Economy);
    EXPECT_TRUE(a.Club == e.Club);
    EXPECT_TRUE(a.World == e.World);
    ASSERT_EQ(a.Players.Count(), e.Players.Count());
    for (int p = 1; p <= e.Players.Count(); ++p) EXPECT_EQ(PlayerText(a.Players[p]), PlayerText(e.Players[p]));
    EXPECT_EQ(MatchText(a.LeagueMatch), MatchText(e.LeagueMatch));
    EXPECT_EQ(MatchText(a.OtherMatch), MatchText(e.OtherMatch));
  }
}

std::set<std::string> FileNames(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    if (entry.is_regular_file()) names.insert(entry.path().filename().string());
  return names;
}

// A document type declaration makes the loader parse the match file as one document.
void DeclareDocumentType(const fs::path& matchFile) {
  std::string text = ReadFileText(matchFile);
  const size_t root = text.find("<PitchbookTeamData");
  ASSERT_NE(root, std::string::npos);
  text.insert(root, "<!DOCTYPE PitchbookTeamData>\n");
  WriteWholeFile(matchFile, text);
}

struct TLoad {
  THistory History;
  std::vector<std::string> Errors;
  std::set<std::string> Kept, Moved;
};

void Load(const fs::path& home, int workers, TLoad& load) {
  TStartup startup(load.History, SettingsFor(home, workers));
  startup.RunHere();
  load.Errors = startup.LoadErrors();
  for (auto& e : load.Errors) e = fs::path(e).filename().string();
  load.Kept = FileNames(home / "History");
  load.Moved = FileNames(home / "History" / "Obsolete");
}
}  // namespace

// A sample world (doubled downloads, a record file, followed teams' match files) loaded on one thread, on
// two and three workers, and with the match file parsed whole: the same pages, records, squads, matches,
// moves and load errors.
TEST(StartupParallel, WorkersAndMatchElementsLoadTheArchiveOfOneThread) {
  TTempFolder world;
  TSampleWorldOptions options;
  options.Seasons = 5;
  options.Seed = 23;
  options.LastRound = 7;
  TSampleWorldInfo info;
  WriteSampleWorld(world.Path(), options, &info);
  // One broken snapshot file, so that the next older download of its week has to step in.
  const TSampleSnapshotInfo* broken = nullptr;
  for (const auto& s : info.Snapshots)
    if (!s.Record && s.Early) broken = &s;
  ASSERT_NE(broken, nullptr);
  std::string day = broken->FileName.substr(0, broken->FileName.find(' '));
  for (const auto& s : info.Snapshots)
    if (!s.Record && !s.Early && s.Season == broken->Season && s.Round == broken->Round)
      day = s.FileName.substr(0, s.FileName.find(' '));
  WriteWholeFile(world / ("History/" + day + " Club.xml"), "<Club><broken");

  auto copyOf = [&](const std::string& name) {
    const fs::path home = world / name;
    fs::create_directories(home);
    fs::copy(world / "History", home / "History", fs::copy_options::recursive);
    return home;
  };
  const fs::path sequential = copyOf("one"), two = copyOf("two"), three = copyOf("three"), whole = copyOf("whole");
  const fs::path ownMatches = whole / "History" / "Matches" / (std::to_string(info.OwnTeamID) + ".xml");
  ASSERT_TRUE(fs::exists(ownMatches));
  DeclareDocumentType(ownMatches);

  TLoad expected, byTwo, byThree, byDocument;
  Load(sequential, 1, expected);
  Load(two, 2, byTwo);
  Load(three, 3, byThree);
  Load(whole, 1, byDocument);

  ASSERT_GT(expected.History.Count(), 40);
  EXPECT_EQ(expected.Errors, std::vector<std::string>{day + " Players.xml"});
  int withMatch = 0;
  for (int i = 1; i <= expected.History.Count(); ++i) withMatch += expected.History.Page(i).LeagueMatch.HasMatch();
  EXPECT_GT(withMatch, 30);
  for (const TLoad* load : {&byTwo, &byThree, &byDocument}) {
    ExpectSameArchive(expected.History, load->History);
    EXPECT_EQ(load->Errors, expected.Errors);
    EXPECT_EQ(load->Kept, expected.Kept);
    EXPECT_EQ(load->Moved, expected.Moved);
  }
}

// Match files of every shape the element split must either read as the whole document does or hand to it:
// the pages' matches and the load report are those of the file parsed as one document.
TEST(StartupParallel, MatchFileElementsReadAsTheWholeDocument) {
  const std::string m1 = MatchDataXml(1, 38, 4, 1, {{1, 1}});
  const std::string m2 = MatchDataXml(2, 38, 5, 2, {{2, 1}});
  const std::string m3 = MatchDataXml(3, 38, 5, 7, {{1, 1}});
  const std::string broken = MatchDataXml(4, 38, 4, 1, {{1, 1}}, "x");
  auto replaced = [](std::string text, const std::string& what, const std::string& by) {
    return text.replace(text.find(what), what.size(), by);
  };
  const std::string end = "</PitchbookTeamData>\n";
  struct {
    const char* Name;
    std::string Before, Body, After;
    bool Error;
    int League4, League5, Other5;
  } cases[] = {
      {"plain", "", m1 + m2 + m3, end, false, 1, 2, 3},
      {"comments and instructions between", "", "\n  <!-- a -->" + m1 + "<?pi x?>\n" + m2 + "\n", end, false, 1, 2, 0},
      {"byte order mark", "\xEF\xBB\xBF", m1 + m2, end, false, 1, 2, 0},
      {"element before the first MatchData", "", "<Other><Season>x</Season></Other>" + m1, end, false, 1, 0, 0},
      {"empty element after one", "", m1 + "<Empty/>" + m2, end, true, 1, 2, 0},
      {"broken number", "", m1 + broken + m2, end, true, 1, 2, 0},
      {"markup in CDATA", "", replaced(m1, "<Season>", "<Note><![CDATA[</MatchData><MatchData>]]></Note><Season>"),
       end, false, 1, 0, 0},
      {"'>' and '/' in an attribute", "", replaced(m1, "<MatchData ", "<MatchData Note=\"a/>b\" ") + m2, end, false, 1, 2,
       0},
      {"comment with markup in an element", "", replaced(m1, "<Season>", "<!-- </MatchData> --><Season>"), end, false,
       1, 0, 0},
      {"mismatched end tag", "", replaced(m1, "</Season>", "</MatchRound>") + m2, end, true, 0, 0, 0},
      {"stray end tag between", "", m1 + "</Foo>" + m2, end, true, 0, 0, 0},
      {"unclosed element", "", m1 + "<MatchData><Season>38</Season>", end, true, 0, 0, 0},
      {"unclosed root", "", m1 + m2, "", true, 0, 0, 0},
      {"unterminated comment", "", "<!-- " + m1, end, true, 0, 0, 0},
      // The parser lets these pass in the whole document too; the split must not be stricter.
      {"text after the root", "", m1, end + "x", false, 1, 0, 0},
      {"second root", "", m1, end + "<PitchbookTeamData/>", false, 1, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TLoad loads[2];
    for (int whole = 0; whole < 2; ++whole) {
      TTempFolder home;
      TTestSnapshot s;
      s.Players = {MakePlayer(1), MakePlayer(2)};
      s.Round = 4;
      s.Day = "2009-09-20";
      s.FetchedDate = "2009-09-20 12:00:00";
      WriteSnapshot(home / "History", s);
      s.Round = 5;
      s.Day = "2009-09-28";
      s.FetchedDate = "2009-09-28 12:00:00";
      WriteSnapshot(home / "History", s);
      fs::create_directories(home / "History" / "Matches");
      fs::create_directories(home / "History" / "Obsolete");
      const std::string doctype = whole ? "<!DOCTYPE PitchbookTeamData>\n" : "";
      WriteWholeFile(home / "History" / "Matches" / "4711.xml",
                     c.Before + "<?xml version=\"1.0\" ?>\n" + doctype + "<PitchbookTeamData>" + c.Body + c.After);
      Load(home.Path(), 2, loads[whole]);
    }
    const THistory& h = loads[0].History;
    ASSERT_EQ(h.Count(), 2);
    ExpectSameArchive(loads[1].History, h);
    EXPECT_EQ(loads[0].Errors, loads[1].Errors);
    EXPECT_EQ(!loads[0].Errors.empty(), c.Error);
    EXPECT_EQ(h.Page(1).LeagueMatch.MatchID, c.League4);
    EXPECT_EQ(h.Page(2).LeagueMatch.MatchID, c.League5);
    EXPECT_EQ(h.Page(2).OtherMatch.MatchID, c.Other5);
  }
}

// Every job runs once whatever the number of workers; the first failure is raised after all have ended, and
// a stop leaves the remaining jobs undone.
TEST(StartupParallel, JobsRunOnceFailuresAndStopsReachTheCaller) {
  for (int workers : {1, 2, 3}) {
    for (size_t count : {0u, 1u, 7u, 500u}) {
      SCOPED_TRACE(std::to_string(workers) + " workers, " + std::to_string(count) + " jobs");
      std::vector<std::atomic<int>> runs(count);
      size_t lastDone = 0;
      bool doneIncreases = true;
      TStartupJobs(workers).Run(
          count, [&](size_t i) { ++runs[i]; }, [] { return false; },
          [&](size_t done) {
            doneIncreases = doneIncreases && done > lastDone && done <= count;
            lastDone = done;
          });
      for (auto& r : runs) EXPECT_EQ(r.load(), 1);
      EXPECT_TRUE(doneIncreases);
    }
    std::atomic<int> ran{0};
    EXPECT_THROW(TStartupJobs(workers).Run(
                     100,
                     [&](size_t i) {
                       ++ran;
                       if (i == 3) throw std::runtime_error("job 3");
                       // Slow enough that the failure is seen before the other workers run out of jobs.
                       if (i > 3) std::this_thread::sleep_for(std::chrono::milliseconds(1));
                     },
                     [] { return false; }),
                 std::runtime_error);
    EXPECT_LT(ran.load(), 100);
    std::atomic<int> started{0};
    TStartupJobs(workers).Run(100, [&](size_t) { ++started; }, [&] { return started.load() >= 10; });
    EXPECT_LE(started.load(), 10 + workers);
  }
}
