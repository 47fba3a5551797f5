// The download jobs and `pitchbook-cli download` against the served sample world: what the jobs store must
// agree with what the generator wrote into its archive.
#include "DlTestSupport.h"

#include "core/Snapshot.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "demo/WorldSource.h"
#include "download/DlMatch.h"
#include "download/DlMyTeam.h"
#include "download/TeamList.h"

#include <csignal>
#include <map>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace dltest;

namespace {

const TSampleWorldOptions Options{2, 3, 6};

class DlSampleWorldTest : public DlJobTest {
protected:
  void SetUp() override {
    DlJobTest::SetUp();
    WriteSampleWorld(Home.Path(), Options, &Info);
    World = std::make_shared<TSampleWorldSource>(Options);
    Server.SetSource(World);
    ListViewLoadFromFile(List, Home / TTeamList::FileName);
  }

  bool RunMatches(TDlMatchMode mode, int season, bool update, std::vector<TTeamListEntry> teams = {}) {
    ResetWindow();
    if (teams.empty()) teams = List.CheckedEntries();
    TDlMatch job(*Http, History, Settings(update), Callbacks(), TDlMatchOptions{mode, season, std::move(teams)});
    job.RunHere();
    return job.Completed();
  }

  // "season/round" of every match the generator stored, by team file and match ID.
  std::map<std::pair<int, int64_t>, std::string> GeneratorPlaces() const {
    std::map<std::pair<int, int64_t>, std::string> places;
    for (const TSampleMatchInfo& m : Info.Matches)
      places[{m.FileTeamID, m.MatchID}] = std::to_string(m.Season) + "/" + std::to_string(m.Round);
    return places;
  }
  // The same for the stores as they are now, only for the matches the last job wrote.
  std::vector<std::pair<std::pair<int, int64_t>, std::string>> WrittenPlaces() const {
    std::vector<std::pair<std::pair<int, int64_t>, std::string>> places;
    for (const TTeamListEntry& team : List.CheckedEntries()) {
      TTeamMatchFile store;
      store.LoadFromFile(TTeamMatchFile::PathOf(Folders.MatchesFolder(), team.TeamID));
      for (const pugi::xml_node& m : store.Matches()) {
        const std::string id = m.attribute("ID").value();
        if (!HasLine("ID: " + id + ", xml node updated") && !HasLine("ID: " + id + ", xml node created")) continue;
        places.push_back({{StrToInt(team.TeamID), StrToInt64(id)},
                          std::to_string(StrToInt(ChildText(m, "Season"))) + "/" +
                              std::to_string(StrToInt(ChildText(m, "MatchRound")))});
      }
    }
    return places;
  }

  TSampleWorldInfo Info;
  int Season() const { return ReadWorld(*World, [](const TSampleWorld& w) { return w.Season(); }); }
  int Round() const { return ReadWorld(*World, [](const TSampleWorld& w) { return w.Round(); }); }
  TSampleWorldInfo WorldInfo() const { return ReadWorld(*World, [](const TSampleWorld& w) { return w.Info(); }); }
  std::string OwnFile(int index) const {
    return ReadWorld(*World, [index](const TSampleWorld& w) { return w.OwnTeamFile(index); });
  }

  std::shared_ptr<TSampleWorldSource> World;
  TTeamList List;
};

TEST_F(DlSampleWorldTest, RecentAndSeasonDownloadsPlaceEveryMatchWhereTheGeneratorDid) {
  // A season number belongs to one country's numbering: the season mode asks for the own series' teams.
  std::vector<TTeamListEntry> ownSeries;
  for (const TTeamListEntry& team : List.CheckedEntries())
    if (team.UnitID == std::to_string(Info.OwnUnitID)) ownSeries.push_back(team);
  ASSERT_GE(ownSeries.size(), 2u);
  ASSERT_GT(List.CheckedEntries().size(), ownSeries.size());
  const auto expected = GeneratorPlaces();
  for (const auto& [mode, season] : {std::pair{TDlMatchMode::RecentMatches, 0},
                                     std::pair{TDlMatchMode::Season, Info.FirstSeason},
                                     std::pair{TDlMatchMode::LastMatch, 0}}) {
    SCOPED_TRACE(static_cast<int>(mode));
    ASSERT_TRUE(RunMatches(mode, season, true, mode == TDlMatchMode::Season ? ownSeries : List.CheckedEntries()))
        << ReportText();
    const auto written = WrittenPlaces();
    EXPECT_GE(written.size(), ownSeries.size());
    for (const auto& [key, place] : written) {
      const auto it = expected.find(key);
      ASSERT_NE(it, expected.end()) << key.first << " " << key.second;
      EXPECT_EQ(place, it->second) << "team " << key.first << " match " << key.second;
    }
  }
}

TEST_F(DlSampleWorldTest, TheNextRoundsDownloadsAddItsPageWithItsMatch) {
  World->AdvanceRound();
  const int season = Season();
  const int round = Round();
  const TSampleWorldInfo info = WorldInfo();
  const TSampleRoundInfo* week = info.FindRound(season, round);
  ASSERT_NE(week, nullptr);
  ASSERT_NE(week->OtherMatchID, 0);

  ResetWindow();
  {
    TDlMyTeam job(*Http, History, Settings(false), Callbacks());
    job.RunHere();
    ASSERT_TRUE(job.Completed()) << ReportText();
  }
  ASSERT_EQ(History.Count(), 1);
  EXPECT_EQ(History.Latest().World.Season, season);
  EXPECT_EQ(History.Latest().World.MatchRound, round);
  EXPECT_FALSE(History.Latest().OtherMatch.HasMatch());

  // The own team's latest match is the week's other match: it lands on the new page at once.
  ASSERT_TRUE(RunMatches(TDlMatchMode::LastMatch, 0, false)) << ReportText();
  EXPECT_EQ(History.Latest().OtherMatch.MatchID, week->OtherMatchID);

  // A later own-team download of the week attaches it from the store.
  History.Clear();
  ResetWindow();
  TDlMyTeam again(*Http, History, Settings(true), Callbacks());
  again.RunHere();
  ASSERT_TRUE(again.Completed()) << ReportText();
  EXPECT_EQ(History.Latest().OtherMatch.MatchID, week->OtherMatchID);
}

// ---- pitchbook-cli download ---------------------------------------------------------------------------

class CmdDownloadTest : public DlSampleWorldTest {
protected:
  std::string Command(const std::string& args) const {
    return "download " + args + " --home '" + Home.Path().string() + "' --server " + Server.Host() +
           " --user demo --code " + Code;
  }
};

TEST_F(CmdDownloadTest, DownloadsTheOwnTeamFromTheNamedServerOnly) {
  // The preferences name another server and ask for the recommended one: the command uses neither.
  TPreferences prefs;
  prefs.ProgramFolder = Home.Path();
  prefs.ConnectionSite = "game.example.invalid";
  prefs.ChooseBestServer = true;
  ASSERT_TRUE(prefs.Save());
  World->AdvanceRound();

  TCommandResult result = RunCli(Command("own"));
  EXPECT_EQ(result.ExitCode, 0) << result.Out << result.Err;
  EXPECT_NE(result.Out.find("Connected to " + Server.Host() + "\n"), std::string::npos) << result.Out;
  EXPECT_EQ(result.Out.substr(result.Out.size() - 21), "Connection completed\n");
  EXPECT_EQ(result.Out.find("Downloading"), std::string::npos);
  EXPECT_EQ(Server.RequestCount("servers"), 0);
  TClock::SetFixed(std::nullopt);  // the command's clock is the system's
  const std::string day = FormatDate(TClock::Now());
  EXPECT_TRUE(IsCompleteSnapshot(Folders.HistoryFolder() / SnapshotFileName(day, TSnapshotKind::Players)));
  EXPECT_EQ(ReadWholeFile(Folders.HistoryFolder() / SnapshotFileName(day, TSnapshotKind::Players)),
            OwnFile(2));
  // The preferences file is left as it was.
  TPreferences after;
  after.ProgramFolder = Home.Path();
  ASSERT_TRUE(after.Load());
  EXPECT_EQ(after.ConnectionSite, "game.example.invalid");

  result = RunCli(Command("own"));
  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_NE(result.Out.find(SnapshotFileName(day, TSnapshotKind::Players) + " exists\n"), std::string::npos);
  result = RunCli(Command("own --update --json"));
  EXPECT_EQ(result.ExitCode, 0);
  EXPECT_NE(result.Out.find("\"completed\": true"), std::string::npos) << result.Out;
  EXPECT_NE(result.Out.find(SnapshotFileName(day, TSnapshotKind::Players) + " updated"), std::string::npos);
}

TEST_F(CmdDownloadTest, ExitCodesTellCompletedFromFailed) {
  struct {
    std::string Args;
    int ExitCode;
    const char* Line;
  } cases[] = {
      {Command("matches --mode recent"), 0, "Connection completed\n"},
      {Command("teams"), 0, "Connection completed successfully\n"},
      {Command("teams --team 12x"), 1, "** Invalid team ID\n"},
      {Command("own") + "x", 1, "** Login failed\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Args);
    const TCommandResult result = RunCli(c.Args);
    EXPECT_EQ(result.ExitCode, c.ExitCode) << result.Out << result.Err;
    EXPECT_NE(result.Out.find(c.Line), std::string::npos) << result.Out;
  }
  // "My league" added the own series' teams to the list file.
  TTeamList list;
  ListViewLoadFromFile(list, Home / TTeamList::FileName);
  EXPECT_GT(list.Count(), List.Count());

  fs::remove(Home / TTeamList::FileName);
  const TCommandResult empty = RunCli(Command("matches"));
  EXPECT_EQ(empty.ExitCode, 2);
}

TEST(CmdServeDemoTest, ServesTheSampleWorldAndPlaysOnOnSignal) {
  TTempFolder home;
  int out[2], err[2];
  ASSERT_EQ(pipe(out), 0);
  ASSERT_EQ(pipe(err), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(out[1], 1);
    dup2(err[1], 2);
    for (int fd : {out[0], out[1], err[0], err[1]}) close(fd);
    execl(PB_CLI_PATH, PB_CLI_PATH, "serve", "--demo", "--seed", "3", "--seasons", "1", "--round", "4", nullptr);
    _exit(127);
  }
  close(out[1]);
  close(err[1]);
  auto readLine = [](int fd) {
    std::string line;
    char c;
    while (read(fd, &c, 1) == 1 && c != '\n') line += c;
    return line;
  };
  const std::string address = readLine(out[0]);
  ASSERT_EQ(address.rfind("http://127.0.0.1:", 0), 0u) << address;
  EXPECT_NE(readLine(err[0]).find("season"), std::string::npos);
  const std::string command =
      "download own --update --home '" + home.Path().string() + "' --server " + address.substr(7) + " --user demo --code demo";

  auto storedRound = [&] {
    pugi::xml_document world;
    LoadXMLFile(home / "History" / SnapshotFileName(TClock::Now(), TSnapshotKind::World), world);
    return ChildText(world.document_element().child("LeagueList").child("League"), "MatchRound");
  };
  TCommandResult result = RunCli(command);
  EXPECT_EQ(result.ExitCode, 0) << result.Out << result.Err;
  EXPECT_EQ(storedRound(), "4");

  kill(pid, SIGUSR1);
  EXPECT_EQ(readLine(err[0]),
            "Now at season " + std::to_string(TSampleWorld(TSampleWorldOptions{1, 3, 4}).Season()) + " round 5");
  result = RunCli(command);
  EXPECT_EQ(result.ExitCode, 0) << result.Out << result.Err;
  EXPECT_EQ(storedRound(), "5");

  kill(pid, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  close(out[0]);
  close(err[0]);
}

}  // namespace
