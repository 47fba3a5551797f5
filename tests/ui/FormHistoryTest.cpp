// The history window: its list of snapshots, loading a page into a grid and correcting a snapshot's
// training type.
#include "ui/FormHistory.h"

#include "core/Intl.h"
#include "data/HistorySeriesEconomy.h"
#include "ui/FormHistoryGraphs.h"
#include "ui/HistoryGraph.h"

#include "TestSupport.h"
#include "data/History.h"
#include "data/HistoryTestSupport.h"
#include "data/Preferences.h"
#include "ui/Messages.h"
#include "ui/Messages.h"
#include "ui/PlayerGrid.h"

#include <QApplication>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

#include <map>

namespace fs = std::filesystem;
using namespace historytest;

namespace {
// Captures the questions (answering them as told) and the error boxes.
struct TCapturedBoxes {
  QStringList Questions;
  QStringList Errors;
  bool Answer = true;
  TCapturedBoxes() {
    SetQuestionSink([this](const QString& text, int) {
      Questions << text;
      return Answer ? mbYes : mbNo;
    });
    SetMessageSink([this](const QString& text) { Errors << text; });
  }
  ~TCapturedBoxes() {
    SetQuestionSink({});
    SetMessageSink({});
  }
};

std::map<std::string, std::string> FolderContents(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(folder)) files[entry.path().filename().string()] = ReadWholeFile(entry.path());
  return files;
}

QStringList Column(const QTreeWidget& list, int column) {
  QStringList texts;
  for (int i = 0; i < list.topLevelItemCount(); ++i) texts << list.topLevelItem(i)->text(column);
  return texts;
}

// A history folder with snapshots loaded into a store.
struct TArchive {
  TTempFolder Folder;
  THistory History;
  fs::path Add(const TTestSnapshot& s) {
    const fs::path players = WriteSnapshot(Folder.Path(), s);
    auto page = std::make_unique<THistoryPage>();
    page->Load(players.string());
    History.Add(std::move(page));
    return players;
  }
};

TTestSnapshot Snapshot(const std::string& day, const std::string& fetched, int round, int trainingType = 3) {
  TTestSnapshot s;
  s.Day = day;
  s.FetchedDate = fetched;
  s.Round = round;
  s.TrainingType = trainingType;
  s.Players = {MakePlayer(1), MakePlayer(2)};
  return s;
}
}  // namespace

TEST(FormHistory, RowsAreNewestDateFirstAndSnapshotsOfOneDateNewestWeekFirst) {
  TArchive a;
  a.Add(Snapshot("2009-09-21", "2009-09-21 10:00:00", 4));
  // A late download of round 5 and an early one of round 6 on one day (the early one named by its hour).
  a.Add(Snapshot("2009-09-28", "2009-09-28 08:00:00", 5));
  TTestSnapshot early = Snapshot("2009-09-28b", "2009-09-28 23:00:00", 6);
  a.Add(early);
  a.Add(Snapshot("2009-10-05", "2009-10-05 10:00:00", 7, 9));
  TFormHistory form(a.History);
  form.FillList();
  const QTreeWidget& list = *form.ListView();
  EXPECT_EQ(Column(list, TFormHistory::hcDate), QStringList({"2009-10-05", "2009-09-28", "2009-09-28", "2009-09-21"}));
  EXPECT_EQ(Column(list, TFormHistory::hcWeek), QStringList({"38-07", "38-06", "38-05", "38-04"}));
  EXPECT_EQ(Column(list, TFormHistory::hcDay), QStringList({"Monday", "Monday", "Monday", "Monday"}));
  EXPECT_EQ(Column(list, TFormHistory::hcTraining),
            QStringList({"Goaltending", "Defending", "Defending", "Defending"}));
  EXPECT_EQ(Column(list, TFormHistory::hcMatches), QStringList({"None", "None", "None", "None"}));
  EXPECT_EQ(list.topLevelItem(0)->text(TFormHistory::hcFileName), "2009-10-05 Players.xml");
  // Each row carries its page; without a current page the newest row is selected.
  EXPECT_EQ(form.RowPage(list.topLevelItem(3)), &a.History.Page(1));
  EXPECT_EQ(form.SelectedPage(), &a.History.Page(4));
  form.ShowPage(&a.History.Page(2), nullptr);
  form.FillList();
  EXPECT_EQ(form.SelectedPage(), &a.History.Page(2));
  // A later download of that week replaces the page: the window no longer hands out the old one.
  a.Add(Snapshot("2009-09-29", "2009-09-29 10:00:00", 5));
  EXPECT_EQ(form.CurrentPage(), nullptr);
  EXPECT_EQ(form.RowPage(form.ListView()->topLevelItem(2)), nullptr);
}

TEST(FormHistory, ChoosingTheCheckedTrainingTypeDoesNothing) {
  TArchive a;
  a.Add(Snapshot("2009-09-28", "2009-09-28 12:00:00", 5, 3));
  TFormHistory form(a.History);
  form.FillList();
  form.ModifyTrainingTypeDropDown();
  int checked = -1;
  for (QAction* action : form.TrainingTypeMenu()->actions())
    if (action->isChecked()) checked = action->data().toInt();
  EXPECT_EQ(checked, 3);
  TCapturedBoxes boxes;
  const auto before = FolderContents(a.Folder.Path());
  EXPECT_FALSE(form.ModifyTrainingType(3));
  EXPECT_TRUE(boxes.Questions.isEmpty());
  EXPECT_EQ(FolderContents(a.Folder.Path()), before);
}

TEST(FormHistory, AnsweringNoLeavesFilePageAndListUnchanged) {
  TArchive a;
  a.Add(Snapshot("2009-09-28", "2009-09-28 12:00:00", 5, 3));
  TFormHistory form(a.History);
  form.FillList();
  TCapturedBoxes boxes;
  boxes.Answer = false;
  const auto before = FolderContents(a.Folder.Path());
  EXPECT_FALSE(form.ModifyTrainingType(9));
  ASSERT_EQ(boxes.Questions.size(), 1);
  EXPECT_EQ(boxes.Questions[0], "Training type value in file \"2009-09-28 Training.xml\" is about to be changed."
                                "\r\n\r\nDo you wish to proceed?");
  EXPECT_EQ(FolderContents(a.Folder.Path()), before);
  EXPECT_EQ(a.History.Page(1).Training.TrainingType, 3);
  EXPECT_EQ(form.ListView()->topLevelItem(0)->text(TFormHistory::hcTraining), "Defending");
}

TEST(FormHistory, AnsweringYesChangesExactlyTheSnapshotsOwnTrainingFile) {
  TArchive a;
  // Downloaded on the 28th, while the server's date was already the 30th: the files carry the 28th.
  a.Add(Snapshot("2009-09-28", "2009-09-30 01:00:00", 5, 3));
  a.Add(Snapshot("2009-10-05", "2009-10-05 12:00:00", 6, 3));
  THistoryPage& page = a.History.Page(1);
  TFormHistory form(a.History);
  int graphsClosed = 0;
  TFormHistoryHost host;
  host.CloseHistoryGraphs = [&] { ++graphsClosed; };
  form.SetHost(host);
  form.FillList();
  form.ListView()->setCurrentItem(form.ListView()->topLevelItem(1));
  ASSERT_EQ(form.SelectedPage(), &page);
  TCapturedBoxes boxes;
  auto before = FolderContents(a.Folder.Path());
  ASSERT_TRUE(form.ModifyTrainingType(9));
  EXPECT_TRUE(boxes.Errors.isEmpty());
  auto after = FolderContents(a.Folder.Path());
  const std::string changed = "2009-09-28 Training.xml";
  ASSERT_EQ(after.size(), before.size());  // no stray "2009-09-30 Training.xml"
  for (const auto& [name, text] : before) {
    if (name != changed) {
      EXPECT_EQ(after[name], text) << name;
    }
  }
  EXPECT_NE(after[changed], before[changed]);
  TXMLTraining reread;
  reread.Read(a.Folder / changed);
  EXPECT_EQ(reread.TrainingType, 9);
  EXPECT_EQ(reread.Morale, page.Training.Morale);  // the rest of the file kept
  EXPECT_EQ(page.Training.TrainingType, 9);
  EXPECT_EQ(form.ListView()->topLevelItem(1)->text(TFormHistory::hcTraining), "Goaltending");
  EXPECT_EQ(a.History.Page(2).Training.TrainingType, 3);
  EXPECT_EQ(graphsClosed, 1);
}

TEST(FormHistory, AFailedChangeIsReportedAndChangesNothing) {
  TArchive a;
  a.Add(Snapshot("2009-09-28", "2009-09-28 12:00:00", 5, 3));
  // The file lost its TrainingType element after it was loaded.
  const fs::path training = a.Folder / "2009-09-28 Training.xml";
  WriteWholeFile(training, "<?xml version=\"1.0\"?>\n<KickvaleData><Team/></KickvaleData>\n");
  TFormHistory form(a.History);
  form.FillList();
  TCapturedBoxes boxes;
  const auto before = FolderContents(a.Folder.Path());
  EXPECT_FALSE(form.ModifyTrainingType(9));
  EXPECT_EQ(boxes.Errors, QStringList({"Operation could NOT be completed successfully!"}));
  EXPECT_EQ(FolderContents(a.Folder.Path()), before);
  EXPECT_EQ(a.History.Page(1).Training.TrainingType, 3);
  // A missing file is not created.
  fs::remove(training);
  EXPECT_FALSE(form.ModifyTrainingType(9));
  EXPECT_FALSE(fs::exists(training));
  EXPECT_EQ(boxes.Errors.size(), 2);
}

TEST(FormHistory, ARecordFileHasNoTrainingTypeToModify) {
  TArchive a;
  WriteWholeFile(a.Folder / "old.krf", RecordText(37, 3, "2008-01-01", {MakePlayer(1)}));
  auto page = std::make_unique<THistoryPage>();
  page->Load((a.Folder / "old.krf").string());
  a.History.Add(std::move(page));
  TFormHistory form(a.History);
  form.FillList();
  ASSERT_NE(form.SelectedPage(), nullptr);
  EXPECT_FALSE(form.ButtonModifyTrainingType()->isEnabled());
  EXPECT_TRUE(form.ButtonLoad()->isEnabled());
  TCapturedBoxes boxes;
  EXPECT_FALSE(form.ModifyTrainingType(9));
  EXPECT_TRUE(boxes.Questions.isEmpty());
}

TEST(FormHistory, ShowingAPageSwitchesTheComparisonOffLoadsTheGridAndSetsTheArenaAdvisor) {
  TArchive a;
  a.Add(Snapshot("2009-09-28", "2009-09-28 12:00:00", 5));
  THistoryPage& page = a.History.Page(1);
  TPlayerGrid main, temp;
  bool comparison = true, arena = false;
  int comparisonRuns = 0, arenaChanges = 0, shownIndex = -1;
  TFormHistoryHost host;
  host.CurrentPageChanged = [&](int index) { shownIndex = index; };
  host.MainGrid = &main;
  host.TempGrid = &temp;
  host.IsComparisonOn = [&] { return comparison; };
  host.RunPlayerComparison = [&] {
    EXPECT_EQ(shownIndex, 1);  // the comparison is switched off against the new page
    ++comparisonRuns;
    comparison = !comparison;
  };
  host.IsArenaAdvisorEnabled = [&] { return arena; };
  host.SetArenaAdvisorEnabled = [&](bool on) {
    ++arenaChanges;
    arena = on;
  };
  TFormHistory form(a.History);
  form.SetHost(host);
  form.ShowPage(&page, &main);
  EXPECT_EQ(form.CurrentPage(), &page);
  EXPECT_EQ(form.CurrentPageIndex(), 1);
  EXPECT_EQ(comparisonRuns, 1);
  EXPECT_FALSE(comparison);
  EXPECT_TRUE(arena);
  EXPECT_EQ(main.RowCount() - 1, 2);
  EXPECT_TRUE(temp.IsEmpty());
  // Again: the grid is cleared first, the comparison and the command are left as they are.
  form.ShowPage(&page, &main);
  EXPECT_EQ(main.RowCount() - 1, 2);
  EXPECT_EQ(comparisonRuns, 1);
  EXPECT_EQ(arenaChanges, 1);
  page.Team.TeamName.clear();
  form.ShowPage(&page, nullptr);
  EXPECT_FALSE(arena);

  // Load goes to the grid the preference names, then closes the window.
  int closed = 0;
  host.Closed = [&] { ++closed; };
  form.SetHost(host);
  Preferences().LoadPlayersToTempGird = true;
  form.show();
  QApplication::processEvents();
  form.ButtonLoadClick();
  Preferences().LoadPlayersToTempGird = false;
  EXPECT_EQ(temp.RowCount() - 1, 2);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(closed, 1);
}

TEST(FormHistory, GermanTextsOfBothWindows) {
  TTempFolder folder;
  auto german = std::make_unique<TGermanTexts>();
  ASSERT_TRUE(german->Available) << PB_GERMAN_MISSING;
  {
    THistory history;
    TFormHistory form(history);
    EXPECT_EQ(form.windowTitle(), "Verlauf");
    EXPECT_EQ(form.ListView()->headerItem()->text(TFormHistory::hcFileName), "Dateiname");
    TFormHistoryGraphs graphs(history);
    EXPECT_EQ(graphs.windowTitle(), "Verlaufsgrafiken");
    graphs.Graph(TFormHistoryGraphs::hgSkills)->SetSeasonRange(39, 40);
    EXPECT_EQ(graphs.Graph(TFormHistoryGraphs::hgSkills)->Title(), "Saison 39 - 40");
    EXPECT_EQ(QString::fromStdString(MoodName(11)), "schicken dir Liebesgedichte");
  }
  german.reset();
}
