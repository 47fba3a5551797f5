// The team selection window: a search started by the advisor's G&O runs on its thread and reports through
// the window thread; the window shows the labels, the best lineup and the caption; Cancel keeps the best
// lineup found so far and marks it incomplete; the Tactics Advisor command brings the right window forward.
#include "FormTacticsAdvisorTestSupport.h"

#include "core/Intl.h"
#include "demo/SampleWorld.h"

#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <cstdlib>

namespace {

int NamedSlots(const TTeamDisplay& display, int first, int last) {
  int named = 0;
  for (int slot = first; slot <= last; ++slot)
    if (!display.Slot(slot)->text().isEmpty()) ++named;
  return named;
}

}  // namespace

TEST_F(TLineupWindowsTest, CompletedSearchOnASampleWorldSquadShowsTheLineupAndItsValues) {
  TSampleWorldOptions options;
  options.Seasons = 2;
  WriteSampleWorld(Home.Path(), options);
  // A new main window on the sample world: its start-up loader fills the main grid.
  Custom.reset();
  Selection.reset();
  Advisor.reset();
  Window = std::make_unique<TFormMain>(Home.Path() / "");
  ASSERT_TRUE(Window->FormCreate());
  Advisor = std::make_unique<TFormTacticsAdvisor>(*Window);
  Selection = std::make_unique<TFormTeamSelection>(*Window, *Advisor);
  Custom = std::make_unique<TFormCustomFormation>(*Advisor);
  Window->show();
  ASSERT_TRUE(WaitUntil([this] { return Window->StartupDone(); }));
  ASSERT_TRUE(Window->IsCommandEnabled(TFormMain::cmTacticsAdvisor));

  Window->ButtonAction(TFormMain::cmTacticsAdvisor)->trigger();
  ASSERT_TRUE(Advisor->isVisible());
  const int squad = Window->MainPlayerGrid().RowCount() - TAdvGrid::FixedRows;
  EXPECT_EQ(Advisor->ListPlayers().count() + Advisor->ListKeepers().count(), squad);
  ASSERT_GE(Advisor->CheckedCount(false), 10);
  Advisor->PageControl().setCurrentIndex(TFormTacticsAdvisor::pgNormal);
  Advisor->RadioFormation(0, 3).setChecked(true);  // 3 - 5 - 2
  const int candidates = Advisor->CheckedCount(false);
  Advisor->ButtonGO().click();
  EXPECT_FALSE(Advisor->isVisible());
  EXPECT_TRUE(Selection->isVisible());
  ASSERT_TRUE(WaitForSearch());

  const TTeamSelect& select = Selection->Selector();
  EXPECT_TRUE(select.Complete());
  EXPECT_EQ(Selection->windowTitle(), "Team creation completed");
  EXPECT_EQ(select.Total(), TTeamSelect::CombinationTotal(candidates, 0));
  EXPECT_EQ(select.Tried(), select.Total());
  const TTeamSelectProgress progress = TTeamSelectProgress::Of(select.Tried(), select.Total(), select.ElapsedMs(),
                                                              select.BestTeam().AdjustedStrength(),
                                                              select.BestTeam().BenchStrength(),
                                                              select.SkippedByBound());
  EXPECT_EQ(Selection->LabelTrials().text().toStdString(), progress.Trials);
  EXPECT_EQ(Selection->LabelSkippedByBound().text().toStdString(), progress.Skipped);
  EXPECT_EQ(Selection->LabelTeamValue().text().toStdString(), progress.TeamValue);
  EXPECT_EQ(Selection->LabelAvrPlayer().text().toStdString(), progress.AvrPlayer);
  EXPECT_EQ(Selection->LabelSubValue().text().toStdString(), progress.SubValue);
  EXPECT_EQ(Selection->LabelAvrSub().text().toStdString(), progress.AvrSub);
  EXPECT_EQ(Selection->ProgressBar().value(), 100);
  EXPECT_TRUE(Selection->LabelIncomplete().text().isEmpty());
  EXPECT_GT(select.BestTeam().AdjustedStrength(), 0);

  // The display shows the best lineup: eleven starters in a 3-5-2 and its bench.
  const TTeamDisplay& display = Selection->Display();
  EXPECT_EQ(NamedSlots(display, 0, 10), 11);
  for (int slot = 0; slot < 16; ++slot) {
    const TPlayer* player = select.BestTeam().GetSlot(slot);
    EXPECT_EQ(display.Slot(slot)->text().toStdString(), player ? player->PlayerName : std::string()) << slot;
  }
  EXPECT_EQ(CountRoles(display.Team()).Counts, (std::array<int, 5>{1, 2, 3, 2, 2}));
  EXPECT_TRUE(display.PenaltyTakersButton()->isEnabled());
  EXPECT_FALSE(Selection->ButtonCancel().isEnabled());
  // Every place drawn lowered: nobody was fixed.
  for (int slot = 0; slot <= 10; ++slot) EXPECT_EQ(display.Slot(slot)->frameShadow(), QFrame::Sunken);

  // "Penalty takers" shows the list of the shown team.
  display.PenaltyTakersButton()->click();
  ASSERT_EQ(Messages.Texts.size(), 1);
  EXPECT_TRUE(Messages.Texts[0].startsWith("Penalty kick takers:\r\n01. "));

  // The command brings the finished search's window forward instead of a new session.
  Window->TacticsAdvisorClick();
  EXPECT_FALSE(Advisor->isVisible());
  EXPECT_TRUE(Selection->isVisible());
  // Closing it after the search ends the session and releases the button.
  Selection->close();
  EXPECT_FALSE(Window->ButtonAction(TFormMain::cmTacticsAdvisor)->isChecked());
  EXPECT_FALSE(Advisor->SessionActive());

  if (const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR")) {
    // The window after a completed search, for looking at it.
    InitTranslations(std::filesystem::temp_directory_path());
    Window->TacticsAdvisorClick();
    Advisor->RadioFormation(0, 0).setChecked(true);
    Advisor->ButtonGO().click();
    ASSERT_TRUE(WaitForSearch());
    QApplication::processEvents();
    EXPECT_TRUE(Selection->grab().save(QString::fromUtf8(folder) + "/team-selection.png"));
    Selection->close();
    Window->TacticsAdvisorClick();
    Advisor->CheckExclude(TFormTacticsAdvisor::exLastMatch).click();
    QApplication::processEvents();
    EXPECT_TRUE(Advisor->grab().save(QString::fromUtf8(folder) + "/tactics-advisor.png"));
    Advisor->CheckExclude(TFormTacticsAdvisor::exLastMatch).click();
    Advisor->ButtonSelectAll().click();
    Advisor->ButtonCustom(0).click();
    Custom->Display().PlaceMouseDown(1, Qt::LeftButton);
    Custom->Display().BoxSelect(0);
    Custom->Display().PlaceMouseDown(0, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(Custom->grab().save(QString::fromUtf8(folder) + "/custom-formation.png"));
    Custom->ButtonCancelClick();
    Advisor->close();
  }
  Window->close();
}

TEST_F(TLineupWindowsTest, CancelKeepsTheBestLineupSoFarMarkedIncomplete) {
  // 26 candidates: C(26, 10) = 5,311,735 lineups, walked one by one in the yardstick mode.
  std::vector<int> levels;
  for (int i = 0; i < 26; ++i) levels.push_back(4 + i % 13);
  AddSquad(levels);
  Selection->Selector().SetReference(true);
  Selection->Selector().SetThreads(1);
  OpenAdvisor();
  Advisor->ButtonSelectAllClick();
  ASSERT_EQ(Advisor->CheckedCount(false), 26);
  Advisor->ButtonGO().click();
  EXPECT_EQ(Selection->windowTitle(), "Team creation in progress...");
  EXPECT_TRUE(Selection->ButtonCancel().isEnabled());
  // Closing the window while the search runs only hides it.
  Selection->close();
  EXPECT_TRUE(Advisor->SessionActive());
  // The command shows it again.
  Window->TacticsAdvisorClick();
  EXPECT_TRUE(Selection->isVisible());
  EXPECT_FALSE(Advisor->isVisible());

  // The first report shows a lineup; then cancel.
  ASSERT_TRUE(WaitUntil([this] { return !Selection->Display().Slot(1)->text().isEmpty() || !Selection->Searching(); }));
  ASSERT_TRUE(Selection->Searching()) << "the search ended before it could be cancelled";
  EXPECT_FALSE(Selection->Display().PenaltyTakersButton()->isEnabled());
  Selection->ButtonCancel().click();
  ASSERT_TRUE(WaitForSearch(30000));

  const TTeamSelect& select = Selection->Selector();
  EXPECT_FALSE(select.Complete());
  EXPECT_LT(select.Tried(), select.Total());
  EXPECT_EQ(Selection->windowTitle(), "Team creation completed");
  EXPECT_FALSE(Selection->LabelIncomplete().text().isEmpty());
  EXPECT_LT(Selection->ProgressBar().value(), 100);
  EXPECT_GT(select.BestTeam().AdjustedStrength(), 0);
  EXPECT_EQ(NamedSlots(Selection->Display(), 0, 10), 11);
  EXPECT_EQ(Selection->Display().Slot(1)->text().toStdString(), select.BestTeam().GetSlot(1)->PlayerName);
  EXPECT_TRUE(Selection->Display().PenaltyTakersButton()->isEnabled());
  EXPECT_EQ(Selection->LabelTrials().text().toStdString(),
            TTeamSelectProgress::Of(select.Tried(), select.Total(), 0, 0, 0).Trials);
}

TEST_F(TLineupWindowsTest, DestroyingTheWindowStopsARunningSearch) {
  std::vector<int> levels;
  for (int i = 0; i < 26; ++i) levels.push_back(4 + i % 13);
  AddSquad(levels);
  Selection->Selector().SetReference(true);
  Selection->Selector().SetThreads(1);
  OpenAdvisor();
  Advisor->ButtonSelectAllClick();
  Advisor->ButtonGO().click();
  ASSERT_TRUE(Selection->Searching());
  // Returns (the search's last window calls run meanwhile) instead of waiting for 5 million lineups.
  Selection.reset();
  SUCCEED();
}
