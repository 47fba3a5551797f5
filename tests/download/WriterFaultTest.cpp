// Every file the program writes, under an injected fault at its save (a full disk at the write, a failing
// rename, the process killed between write and rename): the previous file stays intact and readable by
// the program's own reader, and nothing the failed save left behind is taken for a file at the next start.
#include "DlTestSupport.h"

#include "core/Errors.h"
#include "core/PlayerList.h"
#include "core/SaveFault.h"
#include "core/Snapshot.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "data/GridFile.h"
#include "data/HistoryPage.h"
#include "demo/WorldSource.h"
#include "download/DlMyTeam.h"
#include "download/TeamList.h"
#include "ratings/RatingAnalyzerFile.h"

#include <pugixml.hpp>

#include <csignal>
#include <functional>

namespace fs = std::filesystem;
using namespace dltest;

namespace {

// One writer: Save writes the file(s) holding version v (raising on failure, as its callers see it), Read
// gives the version the program reads back (raising when it cannot), SavesBefore is the number of files
// one Save writes before the one the fault hits, First the first version to save.
struct TWriterCase {
  const char* Name;
  std::function<void(int v)> Save;
  std::function<int()> Read;
  int SavesBefore = 0;
  int First = 1;
};

// The folder's regular files, without the temporary files a killed save leaves (".name.<random>.tmp") and,
// after a kill, without the work folder's answers (every job empties it when it starts).
std::vector<std::string> FilesIn(const fs::path& folder, fs::path work, bool killed) {
  if (!work.has_filename()) work = work.parent_path();  // the folder's name ends with a separator
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    if (killed && name.starts_with(".") && name.ends_with(".tmp")) continue;
    if (killed && entry.path().parent_path() == work) continue;
    names.push_back(fs::relative(entry.path(), folder).string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

const std::vector<std::string> GridTitles = {"Name", "Goals"};

class WriterFaultTest : public DlJobTest {
protected:
  void SetUp() override {
    DlJobTest::SetUp();
    World = std::make_shared<TSampleWorldSource>(TSampleWorldOptions{1, 11, 5});
    Source = std::make_shared<TOverrideSource>(World);
    Server.SetSource(Source);
  }
  void TearDown() override {
    InjectSaveFault(TSaveFault::None);
    DlJobTest::TearDown();
  }

  // A client of its own: a child process must not talk over the parent's kept-alive connection.
  void NewClient() {
    Http = std::make_unique<TKVIndyHTTP>(Prefs, Folders.WorkFolder());
    Http->SetLoopbackOnly(true);
    Http->SetMainWebHost(Server.Host());
    Http->SetReadTimeout(3000);
  }
  int WorldRound() const { return ReadWorld(*World, [](const TSampleWorld& w) { return w.Round(); }); }

  fs::path SnapshotFile(TSnapshotKind kind) const { return Folders.HistoryFolder() / SnapshotFileName(Today, kind); }
  // The own-team download into the history folder; false when the job reported a failure.
  bool Download() {
    ResetWindow();
    TDlMyTeam job(*Http, History, Settings(true), Callbacks());
    job.RunHere();
    return job.Completed();
  }
  int ReadRound() const {
    THistoryPage page;
    page.Load(SnapshotFile(TSnapshotKind::Players).string());
    return page.World.MatchRound;
  }

  std::vector<TWriterCase> Cases() {
    const fs::path home = Home.Path();
    std::vector<TWriterCase> cases;
    cases.push_back({"preferences",
                     [this, home](int v) {
                       TPreferences prefs;
                       prefs.ProgramFolder = home;
                       prefs.UserName = "manager" + std::to_string(v);
                       if (TPreferencesResult r = prefs.Save(); !r.Ok) throw EInOutError(r.Detail);
                     },
                     [home] {
                       TPreferences prefs;
                       prefs.ProgramFolder = home;
                       if (TPreferencesResult r = prefs.Load(); !r.Ok) throw EInOutError(r.Detail);
                       return StrToInt(prefs.UserName.substr(7));
                     }});
    const fs::path grid = home / "MatchGridMain.mgf";
    cases.push_back({"grid file",
                     [grid](int v) {
                       SaveFileAtomically(grid, FormatGridFile({GridTitles, {"Keeper", std::to_string(v)}},
                                                               GridTitles, true, TextChecksum("1234")));
                     },
                     [grid] { return StrToInt(ReadGridFile(ReadFileText(grid), GridTitles, true, true).Rows[1][1]); }});
    const fs::path matches = TTeamMatchFile::PathOf(Folders.MatchesFolder(), "1234");
    cases.push_back({"club match file",
                     [matches](int v) {
                       TTeamMatchFile file;
                       file.Root().append_child("MatchData").append_attribute("ID").set_value(v);
                       file.SaveToFile(matches);
                     },
                     [matches] {
                       TTeamMatchFile file;
                       file.LoadFromFile(matches);
                       return StrToInt(file.Matches().at(0).attribute("ID").value());
                     }});
    const fs::path teamList = home / "TeamList.kcf";
    cases.push_back({"team list",
                     [teamList](int v) {
                       TTeamList list;
                       list.Add({std::to_string(v), "77", "Rovers", true});
                       ListViewSaveToFile(list, teamList);
                     },
                     [teamList] {
                       TTeamList list;
                       ListViewLoadFromFile(list, teamList);
                       return StrToInt(list.Entries().at(0).TeamID);
                     }});
    // The download saves the nine answers to the work folder first, then the nine snapshot files: the
    // fault hits the first snapshot file, or the fifth. The served world is at round v before the save
    // (advanced here, in this process, where the server runs).
    for (int before : {9, 13})
      cases.push_back({before == 9 ? "snapshot files (first)" : "snapshot files (fifth)",
                       [this](int v) {
                         if (!Download()) throw EInOutError(ReportText());
                         (void)v;
                       },
                       [this] { return ReadRound(); }, before, 0});
    cases.push_back({"work file",
                     [this](int v) {
                       Source->Set("workanswer", "<Answer>" + std::to_string(v) + "</Answer>");
                       if (!Http->Login(User, Code)) throw EInOutError("login");
                       Http->RequestToWorkFile("%s", {"workanswer"}, "WorkAnswer.xml");
                     },
                     [this] {
                       pugi::xml_document doc;
                       LoadXMLFile(Folders.WorkFolder() / "WorkAnswer.xml", doc);
                       return doc.document_element().text().as_int();
                     }});
    cases.push_back({"training-type change",
                     [this](int v) {
                       if (!fs::exists(SnapshotFile(TSnapshotKind::Players)) && !Download())
                         throw EInOutError(ReportText());
                       // What the history window does to the snapshot's training file.
                       const fs::path file = SnapshotFile(TSnapshotKind::Training);
                       pugi::xml_document doc;
                       LoadXMLFile(file, doc);
                       doc.document_element().child("Team").child("TrainingType").text().set(v);
                       SaveXMLFile(doc, file);
                     },
                     [this] {
                       THistoryPage page;
                       page.Load(SnapshotFile(TSnapshotKind::Players).string());
                       return page.Training.TrainingType;
                     }});
    const fs::path raf = home / "Analysis.raf";
    cases.push_back({"rating analyzer file",
                     [raf](int v) {
                       TPlayerList snapshot;
                       snapshot.LoadFromPlayersFile(FixturePath("core/players.xml"));
                       TRatingAnalyzerSetup setup;
                       setup.Team.TeamSpirit = v;
                       setup.Players = snapshot.Clone();
                       SaveRatingAnalyzerFile(raf, setup);
                     },
                     [raf] {
                       TPlayerList snapshot;
                       snapshot.LoadFromPlayersFile(FixturePath("core/players.xml"));
                       return LoadRatingAnalyzerFile(raf, snapshot).Team.TeamSpirit;
                     }});
    return cases;
  }

  std::shared_ptr<TSampleWorldSource> World;
  std::shared_ptr<TOverrideSource> Source;
};

TEST_F(WriterFaultTest, AFailedSaveLeavesThePreviousFileIntactAndNoFileTakenForARealOne) {
  const fs::path work = Folders.WorkFolder();
  for (const TWriterCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    // The snapshot's version is the served round; the others count from 1.
    const int version = c.First > 0 ? c.First : WorldRound() + 1;
    const auto prepare = [&](int v) {
      while (c.First == 0 && WorldRound() < v) World->AdvanceRound();
    };
    prepare(version);
    ASSERT_NO_THROW(c.Save(version)) << "the fault-free save";
    ASSERT_EQ(c.Read(), version);
    const std::vector<std::string> files = FilesIn(Home.Path(), work, false);
    const std::vector<std::string> kept = FilesIn(Home.Path(), work, true);

    prepare(version + 1);
    for (TSaveFault fault : {TSaveFault::NoSpace, TSaveFault::RenameFails, TSaveFault::Kill}) {
      SCOPED_TRACE(static_cast<int>(fault));
      if (fault == TSaveFault::Kill) {
        // The killed save runs in a child process; its files are this process's files.
        EXPECT_EXIT(
            {
              NewClient();
              InjectSaveFault(fault, c.SavesBefore + 1);
              try {
                c.Save(version + 1);
              } catch (...) {
              }
              std::_Exit(0);
            },
            ::testing::KilledBySignal(SIGKILL), "");
        EXPECT_EQ(FilesIn(Home.Path(), work, true), kept) << "no new or missing file";
      } else {
        InjectSaveFault(fault, c.SavesBefore + 1);
        EXPECT_ANY_THROW(c.Save(version + 1));
        InjectSaveFault(TSaveFault::None);
        EXPECT_EQ(FilesIn(Home.Path(), work, false), files) << "no new, missing or temporary file";
      }
      EXPECT_EQ(c.Read(), version) << "the previous file is read back";
    }
    // After all that the writer still works.
    ASSERT_NO_THROW(c.Save(version + 1));
    EXPECT_EQ(c.Read(), version + 1);
  }
}

// A kill part way through the nine snapshot files of a new day leaves a snapshot that the next start does
// not load (it lacks files), and the next download of the day writes the whole snapshot anew instead of
// completing the leftover with files of another download.
TEST_F(WriterFaultTest, AKilledSnapshotSaveIsSkippedAtStartAndReplacedWhole) {
  EXPECT_EXIT(
      {
        NewClient();
        InjectSaveFault(TSaveFault::Kill, 9 + 5);
        Download();
        std::_Exit(0);
      },
      ::testing::KilledBySignal(SIGKILL), "");
  EXPECT_TRUE(FindCompleteSnapshots(Folders.HistoryFolder()).empty());
  int left = 0;
  for (size_t i = 0; i < TMyTeamDlData.size(); ++i) left += fs::exists(SnapshotFile(TSnapshotKind(i)));
  EXPECT_EQ(left, 4);

  World->AdvanceRound();
  const int round = WorldRound();
  ResetWindow();
  TDlMyTeam job(*Http, History, Settings(false), Callbacks());
  job.RunHere();
  ASSERT_TRUE(job.Completed()) << ReportText();
  EXPECT_EQ(FindCompleteSnapshots(Folders.HistoryFolder()).size(), 1u);
  EXPECT_EQ(ReadRound(), round);
  for (size_t i = 0; i < TMyTeamDlData.size(); ++i) {
    pugi::xml_document doc;
    LoadXMLFile(SnapshotFile(TSnapshotKind(i)), doc);
    if (TSnapshotKind(i) == TSnapshotKind::World) continue;
    EXPECT_EQ(ReadWholeFile(SnapshotFile(TSnapshotKind(i))),
              ReadWorld(*World, [i](const TSampleWorld& w) { return w.OwnTeamFile(static_cast<int>(i)); }))
        << "every file comes from the second download";
  }
}

}  // namespace
