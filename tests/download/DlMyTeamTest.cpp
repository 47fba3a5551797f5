// The own-team download against the local game server serving the sample world.
#include "DlTestSupport.h"

#include "core/Snapshot.h"
#include "core/Utils.h"
#include "demo/WorldSource.h"
#include "download/DlMyTeam.h"

#include <pugixml.hpp>

namespace fs = std::filesystem;
using namespace dltest;

namespace {

class DlMyTeamTest : public DlJobTest {
protected:
  void SetUp() override {
    DlJobTest::SetUp();
    World = std::make_shared<TSampleWorldSource>(TSampleWorldOptions{1, 11, 5});
    Source = std::make_shared<TOverrideSource>(World);
    Server.SetSource(Source);
  }

  // Runs one own-team download to its end on this thread; the job (and its work-folder clean-up) ends with it.
  void Download(bool update) {
    ResetWindow();
    TDlMyTeam job(*Http, History, Settings(update), Callbacks());
    job.RunHere();
    Completed = job.Completed();
  }

  fs::path SnapshotFile(TSnapshotKind kind) const {
    return Folders.HistoryFolder() / SnapshotFileName(Today, kind);
  }
  std::vector<std::string> SnapshotTexts() const {
    std::vector<std::string> texts;
    for (size_t i = 0; i < TMyTeamDlData.size(); ++i) texts.push_back(ReadWholeFile(SnapshotFile(TSnapshotKind(i))));
    return texts;
  }
  int SnapshotFilesPresent() const {
    int n = 0;
    for (size_t i = 0; i < TMyTeamDlData.size(); ++i) n += fs::exists(SnapshotFile(TSnapshotKind(i)));
    return n;
  }
  int CountLinesEnding(const std::string& suffix) const {
    int n = 0;
    for (const std::string& line : Lines())
      n += line.size() >= suffix.size() && line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0;
    return n;
  }

  int Season() const { return ReadWorld(*World, [](const TSampleWorld& w) { return w.Season(); }); }
  int Round() const { return ReadWorld(*World, [](const TSampleWorld& w) { return w.Round(); }); }
  TSampleWorldInfo WorldInfo() const { return ReadWorld(*World, [](const TSampleWorld& w) { return w.Info(); }); }
  std::string OwnFile(int index) const {
    return ReadWorld(*World, [index](const TSampleWorld& w) { return w.OwnTeamFile(index); });
  }

  std::shared_ptr<TSampleWorldSource> World;
  std::shared_ptr<TOverrideSource> Source;
  bool Completed = false;
};

TEST_F(DlMyTeamTest, CreatesTheNineSnapshotFilesAndAddsThePage) {
  Download(false);
  EXPECT_TRUE(Completed) << ReportText();
  EXPECT_EQ(SnapshotFilesPresent(), 9);
  EXPECT_EQ(CountLinesEnding(" created"), 9) << ReportText();
  EXPECT_EQ(Lines().back(), "Connection completed");
  // The progress lines were replaced by their results.
  EXPECT_FALSE(HasLine("Downloading Players..."));
  EXPECT_TRUE(HasLine("Downloaded Players"));
  EXPECT_TRUE(HasLine(SnapshotFileName(Today, TSnapshotKind::Players) + " created"));
  EXPECT_FALSE(HasLine("Saving " + SnapshotFileName(Today, TSnapshotKind::Players) + "..."));
  for (TDlFileState state : States) EXPECT_EQ(state, TDlFileState::Done);
  for (bool bold : Bold) EXPECT_FALSE(bold);
  EXPECT_EQ(Caption, "Download");
  EXPECT_TRUE(CloseEnabled);

  ASSERT_EQ(History.Count(), 1);
  const THistoryPage& page = History.Page(1);
  EXPECT_EQ(page.World.Season, Season());
  EXPECT_EQ(page.World.MatchRound, Round());
  EXPECT_EQ(page.Team.TeamID, std::to_string(WorldInfo().OwnTeamID));
  EXPECT_GT(page.Players.Count(), 10);
  EXPECT_EQ(ShownPage, &page);
  EXPECT_EQ(SeasonControlsEnabled, 1);

  // Served with every league of the world, stored with the own league only.
  pugi::xml_document world;
  LoadXMLFile(SnapshotFile(TSnapshotKind::World), world);
  const pugi::xml_node list = world.document_element().child("LeagueList");
  ASSERT_TRUE(list);
  EXPECT_FALSE(list.next_sibling("LeagueList"));
  EXPECT_EQ(std::distance(list.children("League").begin(), list.children("League").end()), 1);
  EXPECT_EQ(ChildText(list.child("League"), "LeagueID"), std::to_string(WorldInfo().OwnLeagueID));
  EXPECT_EQ(ReadWholeFile(SnapshotFile(TSnapshotKind::Players)), OwnFile(2));
}

TEST_F(DlMyTeamTest, ASecondDownloadOfTheDayKeepsOrReplacesTheFilesAsTold) {
  Download(false);
  const std::vector<std::string> morning = SnapshotTexts();
  World->AdvanceRound();

  Download(false);
  EXPECT_TRUE(Completed);
  EXPECT_EQ(CountLinesEnding(" exists"), 9) << ReportText();
  EXPECT_EQ(SnapshotTexts(), morning);
  // The page comes from the files kept.
  ASSERT_EQ(History.Count(), 1);
  EXPECT_EQ(History.Latest().World.MatchRound, Round() - 1);

  Download(true);
  EXPECT_TRUE(Completed);
  EXPECT_EQ(CountLinesEnding(" updated"), 9) << ReportText();
  EXPECT_NE(SnapshotTexts(), morning);
  EXPECT_EQ(ReadWholeFile(SnapshotFile(TSnapshotKind::Players)), OwnFile(2));
  ASSERT_EQ(History.Count(), 2);
  EXPECT_EQ(History.Latest().World.MatchRound, Round());
}

// Whatever goes wrong with one answer, nothing is written: not a first snapshot, and not over an existing
// one even with "Update existing data" ticked.
TEST_F(DlMyTeamTest, AFailedAnswerWritesNoSnapshotFileAndAddsNoPage) {
  struct {
    const char* Name;
    const char* File;
    TGameFault Fault;
    const char* Override;  // answer text instead of a fault
    int FailedFrom;        // first indicator marked "failed"
  } cases[] = {
      {"HTTP 500 on the last file", "worlddetails", TGameFault::HttpError, nullptr, 8},
      {"truncated XML", "players", TGameFault::TruncatedXml, nullptr, 2},
      {"connection cut", "training", TGameFault::CutConnection, nullptr, 3},
      {"garbled answer", "economy", TGameFault::None, "<KickvaleData><Team><Cash>1</Team>", 5},
      {"refused answer", "team", TGameFault::None,
       "<?xml version=\"1.0\"?><KickvaleData><Error>Not authorized</Error></KickvaleData>", 9},
  };
  for (const bool existing : {false, true}) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(c.Name) + (existing ? ", over an existing snapshot" : ""));
      fs::remove_all(Folders.HistoryFolder());
      Folders.CreateDataFolders();
      History.Clear();
      if (existing) {
        Download(false);
        ASSERT_TRUE(Completed);
        History.Clear();
        World->AdvanceRound();
      }
      const std::vector<std::string> before = SnapshotTexts();
      if (c.Override)
        Source->Set(c.File, c.Override);
      else
        Server.InjectFault(c.File, c.Fault);

      Download(true);
      Server.ClearFaults();
      Source = std::make_shared<TOverrideSource>(World);
      Server.SetSource(Source);

      EXPECT_FALSE(Completed);
      EXPECT_TRUE(HasLine("** Connection error")) << ReportText();
      EXPECT_EQ(SnapshotTexts(), before);
      EXPECT_EQ(SnapshotFilesPresent(), existing ? 9 : 0);
      EXPECT_EQ(History.Count(), 0);
      for (int row = 0; row < 9; ++row)
        EXPECT_EQ(States[size_t(row)], row < c.FailedFrom ? TDlFileState::Done : TDlFileState::Failed) << row;
      for (bool bold : Bold) EXPECT_FALSE(bold);
      EXPECT_EQ(Caption, "Download");
      EXPECT_TRUE(CloseEnabled);
    }
  }
}

TEST_F(DlMyTeamTest, AStalledAnswerEndsWithTheReadTimeOut) {
  Http->SetReadTimeout(300);
  Server.InjectFault("players", TGameFaultSpec{TGameFault::Stall, 500, std::chrono::seconds(5), 1});
  Download(false);
  EXPECT_FALSE(Completed);
  const std::vector<std::string> lines = Lines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "** Connection error");
  EXPECT_EQ(lines.back(), "** Read timed out.");
  EXPECT_EQ(States[1], TDlFileState::Done);
  EXPECT_EQ(States[2], TDlFileState::Failed);
  EXPECT_EQ(SnapshotFilesPresent(), 0);
}

TEST_F(DlMyTeamTest, ASecondJobOfTheRunReusesTheSession) {
  Download(false);
  ASSERT_TRUE(Completed);
  EXPECT_EQ(Server.RequestCount("login"), 1);
  Download(true);
  EXPECT_TRUE(Completed);
  EXPECT_EQ(Server.RequestCount("login"), 1);
  EXPECT_EQ(Server.RequestCount(TGameServer::SessionTestKey), 2);

  // An ended session is noticed by the session test: the next job logs in again.
  Server.ExpireSessions();
  Download(true);
  EXPECT_TRUE(Completed);
  EXPECT_EQ(Server.RequestCount("login"), 2);
}

TEST_F(DlMyTeamTest, AWrongSecurityCodeEndsWithLoginFailed) {
  ResetWindow();
  TDlSettings settings = Settings(true);
  settings.Login.SecurityCode = "wrong";
  TDlMyTeam job(*Http, History, settings, Callbacks());
  job.RunHere();
  EXPECT_FALSE(job.Completed());
  EXPECT_EQ(Lines().back(), "** Login failed");
  EXPECT_EQ(Server.RequestCount("team"), 0);
  for (TDlFileState state : States) EXPECT_EQ(state, TDlFileState::Pending);
}

TEST_F(DlMyTeamTest, AStopEndsTheJobBeforeTheNextFile) {
  ResetWindow();
  TDlCallbacks callbacks = Callbacks();
  TDlMyTeam* running = nullptr;
  callbacks.Report = [&](const TDlMessage& message) {
    Log.Add(message);
    if (message.Text == "Downloaded Players") running->Terminate();
  };
  TDlMyTeam job(*Http, History, Settings(true), callbacks);
  running = &job;
  job.Start();
  job.WaitFor();
  EXPECT_FALSE(job.Completed());
  EXPECT_EQ(Lines().back(), "Connection terminated");
  EXPECT_EQ(Server.RequestCount("training"), 0);
  EXPECT_EQ(States[2], TDlFileState::Done);
  for (size_t row = 3; row < 9; ++row) EXPECT_EQ(States[row], TDlFileState::Failed);
  EXPECT_EQ(SnapshotFilesPresent(), 0);
  EXPECT_EQ(History.Count(), 0);
}

TEST_F(DlMyTeamTest, TheWorkFolderIsEmptiedOfXmlFilesAtCreationAndDestruction) {
  const fs::path work = Folders.WorkFolder();
  auto fill = [&] {
    WriteWholeFile(work / "1-Matches.xml", "<a/>");
    WriteWholeFile(work / "OLD.XML", "<a/>");
    WriteWholeFile(work / "MatchGridMain.mgf", "grid");
  };
  fill();
  {
    TDlMyTeam job(*Http, History, Settings(true), Callbacks());
    EXPECT_FALSE(fs::exists(work / "1-Matches.xml"));
    EXPECT_FALSE(fs::exists(work / "OLD.XML"));
    EXPECT_TRUE(fs::exists(work / "MatchGridMain.mgf"));
    fill();
  }
  EXPECT_FALSE(fs::exists(work / "1-Matches.xml"));
  EXPECT_FALSE(fs::exists(work / "OLD.XML"));
  EXPECT_TRUE(fs::exists(work / "MatchGridMain.mgf"));
}

TEST(TrimWorldDetailsTest, KeepsOnlyTheOwnLeagueOrLeavesTheFileAsServed) {
  pugi::xml_document world;
  ParseXMLText(ReadWholeFile(FixturePath("realdata/worlddetails.xml")), world, "worlddetails.xml");
  const std::string served = SerializeXml(world);
  std::vector<std::string> ids;
  for (pugi::xml_node league : world.document_element().child("LeagueList").children("League"))
    ids.push_back(ChildText(league, "LeagueID"));
  ASSERT_EQ(ids.size(), 3u);

  pugi::xml_document league;
  league.load_string(("<KickvaleData><LeagueID>" + ids[1] + "</LeagueID></KickvaleData>").c_str());
  ASSERT_TRUE(TrimWorldDetails(league, world));
  const pugi::xml_node root = world.document_element();
  EXPECT_EQ(std::string(root.last_child().name()), "LeagueList");
  EXPECT_EQ(std::distance(root.children("LeagueList").begin(), root.children("LeagueList").end()), 1);
  EXPECT_EQ(ChildText(root.child("LeagueList").child("League"), "LeagueID"), ids[1]);
  EXPECT_FALSE(root.child("LeagueList").child("League").next_sibling());

  pugi::xml_document unknown;
  unknown.load_string("<KickvaleData><LeagueID>999999</LeagueID></KickvaleData>");
  pugi::xml_document again;
  ParseXMLText(served, again, "served");
  EXPECT_FALSE(TrimWorldDetails(unknown, again));
  EXPECT_EQ(SerializeXml(again), served);
}

// An answer in the Windows code page is stored as UTF-8 and says so, once.
TEST(TrimWorldDetailsTest, TheTrimmedFileIsUtf8WithOneDeclaration) {
  pugi::xml_document world;
  ParseXMLText("<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<KickvaleData><LeagueList><League>"
               "<LeagueID>5</LeagueID><LeagueName>M\xFCnchen</LeagueName></League><League><LeagueID>6</LeagueID>"
               "</League></LeagueList></KickvaleData>",
               world, "worlddetails");
  pugi::xml_document league;
  league.load_string("<KickvaleData><LeagueID>5</LeagueID></KickvaleData>");
  ASSERT_TRUE(TrimWorldDetails(league, world));
  const std::string text = SerializeXml(world);
  EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n", 0), 0u) << text;
  EXPECT_EQ(text.find("<?xml", 1), std::string::npos) << text;
  pugi::xml_document read;
  ParseXMLText(text, read, "trimmed");
  EXPECT_EQ(ChildText(read.document_element().child("LeagueList").child("League"), "LeagueName"), "München");
}

}  // namespace
