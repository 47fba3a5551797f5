// The tactics advisor: its lists from the main grid's squad, the preselection, Best and Min Value with
// their tie rule, exclusions, the counts that enable G&O and &Custom, and the Tactics Advisor command.
#include "FormTacticsAdvisorTestSupport.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {

std::vector<int> Levels(int count, int first = 3) {
  std::vector<int> levels;
  for (int i = 0; i < count; ++i) levels.push_back(first + i % 17);
  return levels;
}

QStringList Names(std::initializer_list<int> numbers) {
  QStringList names;
  for (int n : numbers) names << QString::asprintf("P%02d", n);
  return names;
}

}  // namespace

TEST_F(TLineupWindowsTest, ItemTextsAndListsFollowTheCandidates) {
  AddSquad({5, 9}, {12});
  OpenAdvisor();
  ASSERT_TRUE(Advisor->isVisible());
  const TTeamSelect& select = Selection->Selector();
  ASSERT_EQ(select.FieldCandidates().Count(), 2);
  ASSERT_EQ(select.KeeperCandidates().Count(), 1);
  ASSERT_EQ(Advisor->ListPlayers().count(), 2);
  ASSERT_EQ(Advisor->ListKeepers().count(), 1);
  // 30 characters of name, the rating in 3, a blank, the position in 2, a blank.
  const TPlayer& keeper = select.KeeperCandidates()[1];
  const QString text = Advisor->ListKeepers().item(0)->text();
  EXPECT_EQ(text.size(), 37);
  EXPECT_EQ(text.left(30), QString("K1").leftJustified(30));
  EXPECT_EQ(text.mid(30, 3), QString::number(std::lrint(keeper.GetValue(paBestRating))).rightJustified(3));
  EXPECT_EQ(text.right(4), " GK ");
  EXPECT_EQ(AdvisorItemText(select.FieldCandidates()[2]), Advisor->ListPlayers().item(1)->text());

  // A long name is cut to 30 characters, the rating still in its place.
  auto player = LevelPlayer("  Bartholomew-Maximilian von Oberhausen  ", 1, 7);
  const QString longText = AdvisorItemText(*player);
  EXPECT_EQ(longText.size(), 37);
  EXPECT_EQ(longText.left(30), QString("Bartholomew-Maximilian von Obe"));
}

TEST_F(TLineupWindowsTest, PreselectionChecksAllUpTo18EnabledPlayersAndTheBest18Above) {
  struct TCase {
    int Players;
    int BestEdit;
    int Checked;
  };
  for (const TCase& c : {TCase{18, 18, 18}, TCase{19, 18, 18}, TCase{12, 12, 12}, TCase{7, 7, 7}}) {
    SCOPED_TRACE(c.Players);
    Window->MainPlayerGrid().Clear();
    Advisor->close();
    // Distinct levels; P01 is the weakest.
    std::vector<int> levels;
    for (int i = 0; i < c.Players; ++i) levels.push_back(2 + i);
    AddSquad(levels);
    OpenAdvisor();
    EXPECT_EQ(Advisor->EditBest().value(), c.BestEdit);
    EXPECT_EQ(Advisor->EditBest().minimum(), std::min(10, c.Players));  // fewer than ten: their count
    EXPECT_EQ(Advisor->EditBest().maximum(), c.Players);
    EXPECT_EQ(Advisor->CheckedCount(false), c.Checked);
    // With 19 the weakest is the one left out.
    EXPECT_EQ(Advisor->ListPlayers().item(0)->checkState() == Qt::Checked, c.Players <= 18);
    // All enabled keepers are checked.
    EXPECT_EQ(Advisor->CheckedCount(true), 2);
    EXPECT_EQ(Advisor->LabelPlayers().text(), QString("Players: %1").arg(c.Checked));
    EXPECT_EQ(Advisor->LabelKeepers().text(), QString("Keepers: 2"));
  }
}

TEST_F(TLineupWindowsTest, BestKeepsTheListOrderAmongTiesAndTakesEveryoneWhenNExceedsTheEnabled) {
  // Levels: P01..P15 distinct and strong, P16..P18 tied, P19 and P20 weak.
  std::vector<int> levels;
  for (int i = 0; i < 15; ++i) levels.push_back(6 + i);
  levels.insert(levels.end(), {5, 5, 5, 2, 3});
  AddSquad(levels);
  OpenAdvisor();
  const double tied = Selection->Selector().FieldCandidates()[16].GetValue(paBestRating);

  struct TCase {
    int N;
    QStringList Unchecked;
    int MinValue;
  };
  const TCase cases[] = {
      // The 17th value is one of the tied: the lowest of them in the list gives way.
      {17, Names({18, 19, 20}), static_cast<int>(std::lrint(tied + 1))},
      {16, Names({17, 18, 19, 20}), static_cast<int>(std::lrint(tied + 1))},
      {18, Names({19, 20}), static_cast<int>(std::lrint(tied + 1))},
      // Above the enabled count the threshold is 0: everyone is checked.
      {25, {}, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.N);
    Advisor->ButtonUnselectAllClick();
    Advisor->ApplyBest(c.N);
    EXPECT_EQ(Advisor->CheckedCount(false), std::min(c.N, 20));
    QStringList unchecked;
    for (int row = 0; row < Advisor->ListPlayers().count(); ++row)
      if (Advisor->ListPlayers().item(row)->checkState() != Qt::Checked)
        unchecked << Advisor->ListPlayers().item(row)->text().left(3);
    EXPECT_EQ(unchecked, c.Unchecked);
    EXPECT_EQ(Advisor->EditMinValue().value(), c.MinValue);
  }

  // Min Value checks everyone at or above the value, whatever the count.
  Advisor->ApplyMinValue(tied);
  EXPECT_EQ(Advisor->CheckedCount(false), 18);
  Advisor->EditMinValue().setValue(0);
  Advisor->ButtonMinValue().click();
  EXPECT_EQ(Advisor->CheckedCount(false), 20);
}

TEST_F(TLineupWindowsTest, SelectionButtonsTouchOnlyEnabledPlayers) {
  std::vector<std::unique_ptr<TPlayer>> players;
  for (int i = 0; i < 12; ++i) players.push_back(LevelPlayer(QString::asprintf("P%02d", i + 1).toStdString(), 100 + i, 5 + i));
  players[3]->InjuryLevel = 2;
  players.push_back(KeeperPlayer("K1", 200, 10));
  AddToGrid(std::move(players));
  OpenAdvisor();
  QListWidget& list = Advisor->ListPlayers();
  EXPECT_EQ(Advisor->CheckedCount(false), 11);
  Advisor->ButtonUnselectAllClick();
  EXPECT_EQ(Advisor->CheckedCount(false), 0);
  Check(list, 0, true);
  Advisor->ButtonInverseSelectionClick();
  // The injured one stays unchecked: inverted are only the enabled ones.
  EXPECT_EQ(Advisor->CheckedCount(false), 10);
  EXPECT_NE(list.item(3)->checkState(), Qt::Checked);
  EXPECT_NE(list.item(0)->checkState(), Qt::Checked);
  Advisor->ButtonSelectAllClick();
  EXPECT_EQ(Advisor->CheckedCount(false), 11);
  EXPECT_NE(list.item(3)->checkState(), Qt::Checked);
  // The keepers are not touched by any of them.
  EXPECT_EQ(Advisor->CheckedCount(true), 1);
}

TEST_F(TLineupWindowsTest, ExclusionsDisableAndUncheckAndTurningThemOffEnables) {
  struct TCase {
    TFormTacticsAdvisor::TExclusion Exclusion;
    std::function<void(TPlayer&)> Make;
    bool OnAtStart;
  };
  const TCase cases[] = {
      {TFormTacticsAdvisor::exInjured, [](TPlayer& p) { p.InjuryLevel = 1; }, true},
      {TFormTacticsAdvisor::exSuspended, [](TPlayer& p) { p.Cards = 3; }, true},
      {TFormTacticsAdvisor::exCoach, [](TPlayer& p) { p.TrainerType = "1"; p.TrainerSkill = "5"; }, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.Exclusion));
    Advisor->close();
    Window->MainPlayerGrid().Clear();
    std::vector<std::unique_ptr<TPlayer>> players;
    for (int i = 0; i < 19; ++i)
      players.push_back(LevelPlayer(QString::asprintf("P%02d", i + 1).toStdString(), 100 + i, 20 - i % 15));
    c.Make(*players[2]);
    // Bruised (injury level 0) and two cards exclude nobody.
    players[4]->InjuryLevel = 0;
    players[5]->Cards = 2;
    AddToGrid(std::move(players));
    OpenAdvisor();
    QCheckBox& box = Advisor->CheckExclude(c.Exclusion);
    QListWidget& list = Advisor->ListPlayers();
    ASSERT_EQ(box.isChecked(), c.OnAtStart);
    EXPECT_FALSE(list.item(2)->flags() & Qt::ItemIsEnabled);
    EXPECT_NE(list.item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(Advisor->EnabledCount(false), 18);
    // 18 enabled: all checked, and the spin's maximum is 18.
    EXPECT_EQ(Advisor->CheckedCount(false), 18);
    EXPECT_EQ(Advisor->EditBest().maximum(), 18);

    box.click();
    EXPECT_TRUE(list.item(2)->flags() & Qt::ItemIsEnabled);
    EXPECT_NE(list.item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(Advisor->EditBest().maximum(), 19);
    Check(list, 2, true);
    EXPECT_EQ(Advisor->CheckedCount(false), 19);
    Advisor->EditBest().setValue(19);

    box.click();
    EXPECT_FALSE(list.item(2)->flags() & Qt::ItemIsEnabled);
    EXPECT_NE(list.item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(Advisor->CheckedCount(false), 18);
    EXPECT_EQ(Advisor->LabelPlayers().text(), "Players: 18");
    // The edit follows the spin's clamp.
    EXPECT_EQ(Advisor->EditBest().maximum(), 18);
    EXPECT_EQ(Advisor->EditBest().value(), 18);
  }
}

TEST_F(TLineupWindowsTest, LastMatchExclusionStartsOffAndTakesThePlayersOfTheNewestMatch) {
  AddSquad(Levels(12));
  OpenAdvisor();
  EXPECT_FALSE(Advisor->CheckExclude(TFormTacticsAdvisor::exLastMatch).isChecked());
  // Without a match in the history store nobody played it.
  Advisor->CheckExclude(TFormTacticsAdvisor::exLastMatch).click();
  EXPECT_EQ(Advisor->EnabledCount(false), 12);
}

TEST_F(TLineupWindowsTest, GoAndCustomAreEnabledExactlyFromTenCheckedPlayers) {
  AddSquad(Levels(12));
  OpenAdvisor();
  QListWidget& list = Advisor->ListPlayers();
  auto enabled = [this] {
    const bool go = Advisor->ButtonGO().isEnabled();
    for (int page = 0; page < 3; ++page) EXPECT_EQ(Advisor->ButtonCustom(page).isEnabled(), go);
    return go;
  };
  EXPECT_TRUE(enabled());
  Advisor->ButtonUnselectAllClick();
  EXPECT_FALSE(enabled());
  for (int row = 0; row < 9; ++row) Check(list, row, true);
  EXPECT_FALSE(enabled());
  Check(list, 9, true);
  EXPECT_TRUE(enabled());
  EXPECT_EQ(Advisor->LabelPlayers().text(), "Players: 10");
  Check(list, 4, false);
  EXPECT_FALSE(enabled());
  Check(list, 4, true);
  EXPECT_TRUE(enabled());
  // Keepers do not count.
  for (int row = 0; row < Advisor->ListKeepers().count(); ++row) Check(Advisor->ListKeepers(), row, false);
  EXPECT_TRUE(enabled());
  EXPECT_EQ(Advisor->LabelKeepers().text(), "Keepers: 0");
}

TEST_F(TLineupWindowsTest, FormationCodesOfThePagesAndTheAsymmetricRoles) {
  AddSquad(Levels(12));
  OpenAdvisor();
  struct TCase {
    int Page;
    int Radio;
    int Code;
  };
  for (const TCase& c : {TCase{0, 0, 442}, TCase{0, 4, 532}, TCase{1, 3, 1352}, TCase{2, 6, 2541}, TCase{1, 4, 1532}}) {
    Advisor->PageControl().setCurrentIndex(c.Page);
    Advisor->RadioFormation(c.Page, c.Radio).setChecked(true);
    EXPECT_EQ(Advisor->FormationCode(), c.Code);
  }
  // The codes without a table entry trade a wide player for a central one of his line.
  const std::string CD = "2", WB = "4", IM = "8", W = "16", FW = "32";
  struct TRoles {
    int Code;
    std::vector<std::string> Slots;
  };
  const TRoles roles[] = {
      {1532, {CD, CD, CD, CD, WB, IM, W, W, FW, FW}},
      {1541, {CD, CD, CD, CD, WB, IM, IM, W, W, FW}},
      {2352, {CD, WB, WB, IM, IM, IM, IM, W, FW, FW}},
      {2451, {CD, CD, WB, WB, IM, IM, IM, IM, W, FW}},
      {442, {CD, CD, WB, WB, IM, IM, W, W, FW, FW}},
  };
  for (const TRoles& r : roles) {
    SCOPED_TRACE(r.Code);
    TRoleArray array{};
    ASSERT_TRUE(AdvisorFormationRoles(r.Code, array));
    std::vector<std::string> places;
    for (int slot = 1; slot <= 10; ++slot) places.push_back(std::to_string(array[static_cast<size_t>(slot)]));
    EXPECT_EQ(places, r.Slots);
    EXPECT_EQ(array[0], rfKeeper);
  }
  TRoleArray none{};
  EXPECT_FALSE(AdvisorFormationRoles(3532, none));
  EXPECT_FALSE(AdvisorFormationRoles(1999, none));
}

TEST_F(TLineupWindowsTest, CancelClosesAndReleasesTheCommandButton) {
  AddSquad(Levels(12));
  Window->SetCommandEnabled(TFormMain::cmTacticsAdvisor, true);
  OpenAdvisor();
  EXPECT_TRUE(Window->ButtonAction(TFormMain::cmTacticsAdvisor)->isChecked());
  EXPECT_TRUE(Advisor->SessionActive());
  Advisor->ButtonCancel().click();
  EXPECT_FALSE(Advisor->isVisible());
  EXPECT_FALSE(Advisor->SessionActive());
  EXPECT_FALSE(Window->ButtonAction(TFormMain::cmTacticsAdvisor)->isChecked());
  // The next command builds the lists again from the grid (with the checks of a first show).
  Advisor->ButtonUnselectAllClick();
  OpenAdvisor();
  EXPECT_EQ(Advisor->CheckedCount(false), 12);
}

// With the advisor's button down, the command brings forward the team selection window when it is shown,
// else the custom formation window (over the advisor it belongs to), else the advisor.
TEST_F(TLineupWindowsTest, TheCommandBringsTheAdvisorsWindowsForwardInOrder) {
  AddSquad({5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15});
  Window->show();
  OpenAdvisor();
  ASSERT_TRUE(Advisor->isVisible());
  enum TFront { Advisor_, Custom_, Selection_ };
  const struct {
    bool SelectionShown;
    bool CustomShown;
    TFront Expected;
  } cases[] = {
      {true, true, Selection_}, {true, false, Selection_}, {false, true, Custom_}, {false, false, Advisor_}};
  auto settle = [] {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "selection " << c.SelectionShown << ", custom " << c.CustomShown);
    Selection->setVisible(c.SelectionShown);
    Custom->setVisible(c.CustomShown);
    Window->activateWindow();
    settle();
    ASSERT_EQ(QApplication::activeWindow(), Window.get());
    OpenAdvisor();
    settle();
    QWidget* expected = c.Expected == Selection_ ? static_cast<QWidget*>(Selection.get())
                        : c.Expected == Custom_  ? static_cast<QWidget*>(Custom.get())
                                                 : static_cast<QWidget*>(Advisor.get());
    EXPECT_EQ(QApplication::activeWindow(), expected);
    EXPECT_TRUE(expected->isVisible());
    EXPECT_TRUE(Advisor->isVisible());
    EXPECT_TRUE(Window->ButtonAction(TFormMain::cmTacticsAdvisor)->isChecked());
  }
  Selection->hide();
  Custom->hide();
  Advisor->hide();
  Window->hide();
}
