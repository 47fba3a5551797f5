// The team-list download ("My league", "Other team") against hand-made answers.
#include "DlTestSupport.h"

#include "download/DlTeamList.h"
#include "download/TeamList.h"

#include <atomic>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace dltest;

namespace {

std::string TeamDetails(const std::string& id, const std::string& unit, const std::string& name) {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<KickvaleData><Team><TeamID>" + id +
         "</TeamID><TeamName>" + name + "</TeamName><LeagueLevelUnit><LeagueLevelUnitID>" + unit +
         "</LeagueLevelUnitID></LeagueLevelUnit></Team></KickvaleData>\r\n";
}

class DlTeamListTest : public DlJobTest {
protected:
  void SetUp() override {
    DlJobTest::SetUp();
    Team("100", "200", "Red Lions");
    Team("101", "200", "Blue Bears");
    Team("102", "200", "Green Geese");
    WriteWholeFile(Home / "answers" / "leaguedetails.xml",
                   "<KickvaleData><LeagueID>5</LeagueID><Team><TeamID>101</TeamID></Team><Team><TeamID>100</TeamID>"
                   "</Team><Team><TeamID>102</TeamID></Team></KickvaleData>");
  }
  void Team(const std::string& id, const std::string& unit, const std::string& name,
            const std::string& answeredID = "") {
    WriteWholeFile(Home / "answers" / ("teamdetails@teamid=" + id + ".xml"),
                   TeamDetails(answeredID.empty() ? id : answeredID, unit, name));
  }
  // Runs the job; checks the work folder while the job still exists (it is emptied with the job).
  bool Run(const std::string& teamID, bool myLeague, std::vector<std::string>* workFiles = nullptr) {
    ResetWindow();
    TDlTeamList job(*Http, History, Settings(true), Callbacks(), List, teamID, myLeague);
    job.RunHere();
    if (workFiles)
      for (const auto& entry : fs::directory_iterator(Folders.WorkFolder()))
        workFiles->push_back(entry.path().filename().string());
    return job.Completed();
  }

  TTeamList List;
};

TEST_F(DlTeamListTest, AnotherTeamIsAddedUpdatedOrReported) {
  List.Add({"101", "200", "Blue Bears", false});
  List.Add({"102", "199", "Old Name", false});
  WriteWholeFile(Home / "answers" / "teamdetails@teamid=999.xml", TeamDetails("", "", ""));
  Team("666", "200", "Sneaky", "../666");
  struct {
    const char* ID;
    const char* LastLine;
    bool Completed;
  } cases[] = {
      {"100", "Connection completed successfully", true},
      {"101", "Connection completed successfully", true},
      {"102", "Connection completed successfully", true},
      {"999", "** Team does not exist", false},
      {"666", "** '../666' is not a valid ID", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ID);
    std::vector<std::string> work;
    EXPECT_EQ(Run(c.ID, false, &work), c.Completed);
    EXPECT_EQ(Lines().back(), c.LastLine) << ReportText();
    EXPECT_TRUE(HasLine("Downloaded team details (ID: " + std::string(c.ID) + ")")) << ReportText();
    if (c.Completed) {
      EXPECT_EQ(work, std::vector<std::string>{std::string(c.ID) + "-TeamDetails.xml"});
    }
    EXPECT_TRUE(DownloadEnabled);
    EXPECT_TRUE(CloseEnabled);
    EXPECT_EQ(Caption, "Download");
  }
  const std::vector<TTeamListEntry> expected = {
      {"101", "200", "Blue Bears", false}, {"102", "200", "Green Geese", false}, {"100", "200", "Red Lions", true}};
  EXPECT_EQ(List.Entries(), expected);
}

TEST_F(DlTeamListTest, TheNoticesTellWhetherAListedTeamChanged) {
  List.Add({"102", "199", "Old Name", true});
  Run("102", false);
  EXPECT_TRUE(HasLine("Team information updated")) << ReportText();
  Run("102", false);
  EXPECT_TRUE(HasLine("Team already listed")) << ReportText();
  EXPECT_EQ(Log.Lines()[Log.Lines().size() - 2].Kind, TDlMessageKind::Notice);
}

TEST_F(DlTeamListTest, AnInvalidTeamIDIsRefusedBeforeAnyRequest) {
  for (const char* id : {"", "12a", "-5", " 12", "../1"}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(Run(id, false));
    EXPECT_EQ(ErrorBoxes, std::vector<std::string>{"Invalid team ID"});
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(DownloadEnabled);
  }
  EXPECT_EQ(Server.TotalRequests(), 0);
  EXPECT_TRUE(List.Empty());
}

TEST_F(DlTeamListTest, MyLeagueAddsTheLeaguesTeams) {
  List.Add({"100", "200", "Red Lions", false});
  std::vector<std::string> work;
  ASSERT_TRUE(Run("", true, &work)) << ReportText();
  const std::vector<TTeamListEntry> expected = {
      {"100", "200", "Red Lions", false}, {"101", "200", "Blue Bears", true}, {"102", "200", "Green Geese", true}};
  EXPECT_EQ(List.Entries(), expected);
  EXPECT_EQ(CountLines("Team already listed"), 1);
  EXPECT_TRUE(HasLine("Downloaded league details"));
  std::sort(work.begin(), work.end());
  EXPECT_EQ(work, (std::vector<std::string>{"100-TeamDetails.xml", "101-TeamDetails.xml", "102-TeamDetails.xml",
                                            "LeagueDetails.xml"}));
  EXPECT_EQ(Server.RequestCount("teamdetails"), 3);
}

TEST_F(DlTeamListTest, TheJobThreadRunsBelowNormalPriority) {
  ResetWindow();
  const int own = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
  std::atomic<int> jobNice{-100};
  TDlCallbacks callbacks = Callbacks();
  callbacks.DownloadEnabled = [&](bool) { jobNice = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())); };
  {
    TDlTeamList job(*Http, History, Settings(true), callbacks, List, "100", false);
    job.Start();
    job.WaitFor();
    EXPECT_TRUE(job.Completed()) << ReportText();
  }
  EXPECT_GT(jobNice.load(), own);
  EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())), own);  // the starting thread keeps its own
}

TEST_F(DlTeamListTest, AFailedLoginEndsWithoutSuccess) {
  ResetWindow();
  TDlSettings settings = Settings(true);
  settings.Login.SecurityCode = "wrong";
  TDlTeamList job(*Http, History, settings, Callbacks(), List, "", true);
  job.RunHere();
  EXPECT_FALSE(job.Completed());
  EXPECT_EQ(Lines().back(), "** Login failed");
  EXPECT_TRUE(DownloadEnabled);
}

}  // namespace
