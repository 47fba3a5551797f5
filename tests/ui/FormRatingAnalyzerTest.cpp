// The rating analyzer window: the lineup display's boxes, selection and "what if" edits, the command's
// enabling, Reset/Update, and saving and loading set-ups (a broken file changes nothing).
#include "FormMainTestSupport.h"

#include "ui/FormRatingAnalyzer.h"
#include "ui/Icons.h"
#include "ui/LineupDisplay.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "demo/SampleWorld.h"

#include <algorithm>
#include <cstdlib>

namespace {
class TFormRatingAnalyzerTest : public TFormMainTest {
protected:
  void SetUp() override {
    TFormMainTest::SetUp();
    auto page = std::make_unique<THistoryPage>();
    const char* names[] = {"Keeper Kim", "Dan Defender", "Mia Mid", "Max Mid", "Wes Wing", "Fred Forward"};
    for (int i = 0; i < 6; ++i) {
      auto p = MakeTestPlayer(names[i], 100 + i, 7);
      p->Experience = 1;
      p->StaminaSkill = 8;
      p->PlayerForm = 7;
      page->Players.Add(std::move(p));
    }
    History().Add(std::move(page));
    Window->UpdateToolButtons();
    Form = std::make_unique<TFormRatingAnalyzer>(*Window, [] { return &History().Latest(); });
    Form->show();
  }
  void TearDown() override {
    Form.reset();
    TFormMainTest::TearDown();
  }
  // The user picks the player with that ID in a place's box.
  void Choose(int place, int64_t id) {
    QComboBox& box = Form->Display().PlayerBox(place);
    const int item = Form->Display().Players().IndexOfID(id);
    box.setCurrentIndex(item);
    emit box.activated(item);
  }
  std::unique_ptr<TFormRatingAnalyzer> Form;
};
}  // namespace

TEST_F(TFormRatingAnalyzerTest, BoxesListBlankThenPlayersAndTheGroupsBehaviours) {
  EXPECT_TRUE(Window->IsCommandEnabled(TFormMain::cmRatingAnalyzer));
  TMyLineupDisplay& d = Form->Display();
  EXPECT_EQ(d.PlayerBox(0).count(), 7);
  EXPECT_EQ(d.PlayerBox(0).itemText(0), " ");
  EXPECT_EQ(d.PlayerBox(10).itemText(6), "Fred Forward");
  EXPECT_EQ(d.Caption(0).text(), "Keeper");
  EXPECT_EQ(d.Caption(2).text(), "Central Defender 2");
  EXPECT_EQ(d.Caption(9).text(), "Forward 1");
  EXPECT_EQ(d.BehaviourBox(1).count(), 5);
  EXPECT_EQ(d.BehaviourBox(9).itemText(1), "Defensive");
  EXPECT_EQ(d.BehaviourBox(3).itemText(6), "Extra Defender");
  EXPECT_TRUE(d.VersionLabel().text().startsWith("Version "));
  EXPECT_EQ(Form->ComboBoxTeamSpirit().currentText(), "Composed");
  EXPECT_EQ(Form->ComboBoxAttitude().currentText(), "Nrm");
  EXPECT_EQ(Form->ComboBoxArena().currentText(), "Home");
  EXPECT_FALSE(Form->PlayerSettingBox(TFormRatingAnalyzer::psPlaymaking).isEnabled());
  EXPECT_EQ(Form->LabelMidfield().text(), "disastrous");
  EXPECT_EQ(Form->LabelCounter().text(), "non-existent");
  EXPECT_EQ(Form->LabelCounterSub().text(), "Very low");
}

TEST_F(TFormRatingAnalyzerTest, ChoosingPlayersEstimatesAndTheSamePlayerTwiceEmptiesTheFirstPlace) {
  Choose(5, 102);
  Choose(6, 103);
  EXPECT_EQ(Form->LabelMidfield().text(), "wretched");  // 2.425
  EXPECT_EQ(Form->LabelMidfieldSub().text(), "Low");
  EXPECT_EQ(Form->LabelPlayerName().text(), "Max Mid");
  EXPECT_EQ(Form->PlayerSettingBox(TFormRatingAnalyzer::psPlaymaking).currentIndex(), 6);
  EXPECT_EQ(Form->PlayerSettingBox(TFormRatingAnalyzer::psStamina).currentIndex(), 7);

  Choose(7, 102);
  EXPECT_EQ(Form->Display().PlayerAt(5), nullptr);
  EXPECT_EQ(Form->Display().PlayerAt(7)->PlayerID, 102);

  // Entering a box selects its player; a blank place disables the settings.
  Form->Display().SelectPlace(1);
  EXPECT_FALSE(Form->PlayerSettingBox(TFormRatingAnalyzer::psForm).isEnabled());
  EXPECT_EQ(Form->LabelPlayerName().text(), "");
}

TEST_F(TFormRatingAnalyzerTest, EditingASkillChangesOnlyTheCopyAndTheEstimate) {
  Choose(5, 102);
  Choose(6, 103);
  QComboBox& playmaking = Form->PlayerSettingBox(TFormRatingAnalyzer::psPlaymaking);
  playmaking.setCurrentIndex(19);
  emit playmaking.activated(19);
  EXPECT_EQ(Form->Display().SelectedPlayer()->PlaymakerSkill, 20);
  EXPECT_EQ(History().Latest().Players[4].PlaymakerSkill, 7) << "the snapshot is untouched";
  // (7.7 + 22) x 0.75 / 3 / 2 + 0.5 = 4.2125
  EXPECT_EQ(Form->LabelMidfield().text(), "weak");
  EXPECT_EQ(Form->LabelMidfieldSub().text(), "Very low");
}

TEST_F(TFormRatingAnalyzerTest, ResetAndUpdateKeepOrClearTheLineup) {
  Choose(0, 100);
  Choose(5, 102);
  Form->ComboBoxTeamSpirit().setCurrentIndex(9);
  Form->ButtonUpdateClick();
  EXPECT_EQ(Form->Display().PlayerAt(0)->PlayerID, 100);
  EXPECT_EQ(Form->Display().SelectedPlayer()->PlayerID, 102);
  Form->ButtonResetClick();
  EXPECT_EQ(Form->Display().PlayerAt(0), nullptr);
  EXPECT_EQ(Form->Display().PlayerAt(5), nullptr);
  EXPECT_EQ(Form->ComboBoxTeamSpirit().currentIndex(), 4);
}

TEST_F(TFormRatingAnalyzerTest, QuickSaveAndLoadRestoreTheSetUpAndABrokenFileChangesNothing) {
  Choose(0, 100);
  Choose(5, 102);
  Form->Display().BehaviourBox(5).setCurrentIndex(3);
  Form->ComboBoxAttitude().setCurrentIndex(2);
  Form->ButtonQuickSaveClick();
  ASSERT_TRUE(std::filesystem::exists(Form->QuickFile()));
  EXPECT_EQ(Form->QuickFile().filename(), "Quick.raf");

  Form->ButtonResetClick();
  Form->ButtonQuickLoadClick();
  EXPECT_EQ(Form->Display().PlayerAt(0)->PlayerID, 100);
  EXPECT_EQ(Form->Display().PlayerAt(5)->PlayerID, 102);
  EXPECT_EQ(Form->Display().BehaviourBox(5).currentIndex(), 3);
  EXPECT_EQ(Form->ComboBoxAttitude().currentIndex(), 2);
  EXPECT_EQ(Form->Display().SelectedPlayer()->PlayerID, 100) << "the keeper's choice is selected";

  WriteWholeFile(Home / "broken.raf", "AppVersion=1\r\nTeamSpirit=3\r\nAttitude=zero\r\n");
  EXPECT_FALSE(Form->LoadFromFile(Home / "broken.raf"));
  ASSERT_EQ(Messages.Texts.size(), 1);
  EXPECT_EQ(Messages.Texts[0], "Error occurred while loading\nRating Analyzer data.");
  EXPECT_EQ(Form->ComboBoxTeamSpirit().currentIndex(), 4);
  EXPECT_EQ(Form->Display().PlayerAt(5)->PlayerID, 102);

  EXPECT_FALSE(Form->SaveToFile(Home / "no-such-folder" / "x.raf"));
  EXPECT_EQ(Messages.Texts.back(), "Error occurred while saving\nRating Analyzer data.");
}

TEST_F(TFormRatingAnalyzerTest, ClosingReleasesTheToolButtonAndEscapeCloses) {
  QAction* button = Window->ButtonAction(TFormMain::cmRatingAnalyzer);
  if (button->isCheckable()) button->setChecked(true);
  QTest::keyClick(Form.get(), Qt::Key_Escape);
  EXPECT_FALSE(Form->isVisible());
  EXPECT_FALSE(button->isChecked());
}

TEST_F(TFormRatingAnalyzerTest, Screenshot) {
  Choose(0, 100);
  Choose(1, 101);
  Choose(5, 102);
  Choose(6, 103);
  Choose(7, 104);
  Choose(9, 105);
  if (const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR"))
    Form->grab().save(QString::fromLocal8Bit(folder) + "/FormRatingAnalyzer.png");
  EXPECT_EQ(Form->Display().PlayerAt(9)->PlayerID, 105);
}

// The window on the newest snapshot of a generated sample world, with a full 4-4-2 and mixed behaviours.
TEST(FormRatingAnalyzerSampleWorld, FullLineupOnTheSampleWorld) {
  ResetProgramState();
  TCapturedMessages messages;
  TTempFolder home;
  TSampleWorldOptions options;
  options.Seasons = 1;
  options.Seed = 3;
  TSampleWorldInfo info;
  WriteSampleWorld(home.Path(), options, &info);
  TFormMain window(home.Path() / "");
  ASSERT_TRUE(window.FormCreate());
  auto page = std::make_unique<THistoryPage>();
  page->Players.LoadFromPlayersFile(home.Path() / "History" / info.Snapshots.back().FileName);
  ASSERT_GE(page->Players.Count(), 11);
  History().Add(std::move(page));
  window.UpdateToolButtons();
  EXPECT_FALSE(window.IsCommandEnabled(TFormMain::cmRatingAnalyzer)) << "no window registered yet";
  TFormRatingAnalyzer form(window, [] { return &History().Latest(); });
  EXPECT_TRUE(window.IsCommandEnabled(TFormMain::cmRatingAnalyzer));
  form.show();

  // The best keeper in goal; the others by playmaking, the best two in the inner midfield.
  const TPlayerList& players = form.Display().Players();
  std::vector<const TPlayer*> order;
  for (const TPlayer& p : players) order.push_back(&p);
  std::sort(order.begin(), order.end(), [](const TPlayer* a, const TPlayer* b) { return a->KeeperSkill > b->KeeperSkill; });
  const TPlayer* keeper = order.front();
  order.erase(order.begin());
  std::sort(order.begin(), order.end(),
            [](const TPlayer* a, const TPlayer* b) { return a->PlaymakerSkill > b->PlaymakerSkill; });
  const int places[] = {5, 6, 7, 8, 1, 2, 3, 4, 9, 10};
  auto choose = [&form](int place, int64_t id) {
    QComboBox& box = form.Display().PlayerBox(place);
    const int item = form.Display().Players().IndexOfID(id);
    box.setCurrentIndex(item);
    emit box.activated(item);
  };
  choose(0, keeper->PlayerID);
  for (int i = 0; i < 10; ++i) choose(places[i], order[static_cast<size_t>(i)]->PlayerID);
  form.Display().BehaviourBox(7).setCurrentIndex(3);  // right winger towards middle
  form.Display().BehaviourBox(3).setCurrentIndex(1);  // right back offensive
  form.ComboBoxTeamSpirit().setCurrentIndex(6);
  form.Display().SelectPlace(5);
  for (int place = 0; place < AnalyzerPositionCount; ++place) EXPECT_NE(form.Display().PlayerAt(place), nullptr);
  EXPECT_FALSE(form.LabelCounter().text().isEmpty());
  if (const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR"))
    form.grab().save(QString::fromLocal8Bit(folder) + "/FormRatingAnalyzerSampleWorld.png");
  ResetProgramState();
}
