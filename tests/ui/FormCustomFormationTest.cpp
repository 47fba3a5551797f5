// The custom formation window: role counts and their limits, templates and the template code rule, the
// formation display's places, Cancel, and G&O running the search with the fixed players.
#include "FormTacticsAdvisorTestSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {
using enum TFormCustomFormation::TRoleCount;

std::vector<int> Counts(const TFormCustomFormation& form) {
  std::vector<int> counts;
  for (int c = 0; c < TFormCustomFormation::rcCount; ++c) {
    const auto count = static_cast<TFormCustomFormation::TRoleCount>(c);
    EXPECT_EQ(form.EditCount(count).value(), form.Count(count));
    counts.push_back(form.Count(count));
  }
  return counts;
}

std::vector<int> PlaceRoles(const TFormationDisplay& display) {
  std::vector<int> roles;
  for (int slot = 1; slot <= 10; ++slot) roles.push_back(display.Roles()[static_cast<size_t>(slot)]);
  return roles;
}

constexpr int CD = rfCentralDefender, WB = rfWingBack, IM = rfInnerMidfielder, W = rfWinger, FW = rfForward;
}  // namespace

TEST_F(TLineupWindowsTest, TemplatesSetTheCountsAndTheRoles) {
  struct TCase {
    int Template;
    std::vector<int> Counts;
    std::vector<int> Roles;
  };
  const TCase cases[] = {
      {3, {1, 2, 3, 2, 2}, {CD, WB, WB, IM, IM, IM, W, W, FW, FW}},     // 3 - 5 - 2
      {0, {2, 2, 2, 2, 2}, {CD, CD, WB, WB, IM, IM, W, W, FW, FW}},     // 4 - 4 - 2
      {6, {3, 2, 2, 2, 1}, {CD, CD, CD, WB, WB, IM, IM, W, W, FW}},     // 5 - 4 - 1
      {1, {2, 2, 1, 2, 3}, {CD, CD, WB, WB, IM, W, W, FW, FW, FW}},     // 4 - 3 - 3
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Template);
    Custom->RadioTemplate(c.Template).click();
    EXPECT_EQ(Counts(*Custom), c.Counts);
    EXPECT_EQ(PlaceRoles(Custom->Display()), c.Roles);
    EXPECT_EQ(Custom->CheckedTemplate(), c.Template);
    EXPECT_TRUE(Custom->ButtonGO().isEnabled());
  }
  EXPECT_EQ(TFormCustomFormation::TemplateCode("3 - 5 - 2"), 352);
  EXPECT_EQ(TFormCustomFormation::TemplateCode("Other"), 0);
  EXPECT_EQ(TFormCustomFormation::TemplateCode("4-4-2"), 0);
}

TEST_F(TLineupWindowsTest, CountsCheckTheTemplateOfTheirCodeAndStopAtTen) {
  // 4 - 4 - 2, then 3 CD, 2 WB, 3 CM, 0 W, 2 F: code 532.
  Custom->StepCount(rcWingers, -2);
  EXPECT_EQ(Custom->Total(), 8);
  EXPECT_FALSE(Custom->ButtonGO().isEnabled());
  Custom->StepCount(rcCentralDefenders, +1);
  // Nine: place 10 gets no role and is not on the pitch; G&O stays off.
  EXPECT_EQ(Custom->Total(), 9);
  EXPECT_FALSE(Custom->ButtonGO().isEnabled());
  EXPECT_EQ(PlaceRoles(Custom->Display()), (std::vector<int>{CD, CD, CD, WB, WB, IM, IM, FW, FW, 0}));
  EXPECT_FALSE(Custom->Display().Slot(10)->isVisibleTo(&Custom->Display()));
  Custom->StepCount(rcInnerMidfielders, +1);
  EXPECT_EQ(Counts(*Custom), (std::vector<int>{3, 2, 3, 0, 2}));
  EXPECT_EQ(Custom->CheckedTemplate(), 4);
  EXPECT_EQ(Custom->RadioTemplate(4).text(), "5 - 3 - 2");
  EXPECT_TRUE(Custom->ButtonGO().isEnabled());
  EXPECT_EQ(PlaceRoles(Custom->Display()), (std::vector<int>{CD, CD, CD, WB, WB, IM, IM, IM, FW, FW}));

  // At ten every raise is refused, by the spin's own buttons too.
  for (int c = 0; c < TFormCustomFormation::rcCount; ++c) {
    const auto count = static_cast<TFormCustomFormation::TRoleCount>(c);
    const int before = Custom->Count(count);
    Custom->StepCount(count, +1);
    EXPECT_EQ(Custom->Count(count), before) << c;
    Custom->EditCount(count).stepUp();
    EXPECT_EQ(Custom->EditCount(count).value(), before) << c;
  }
  EXPECT_EQ(Custom->Total(), 10);

  // Limits of the wide roles: two at most.
  Custom->StepCount(rcForwards, -2);
  Custom->StepCount(rcWingBacks, +1);
  EXPECT_EQ(Custom->Count(rcWingBacks), 2);
  // Counts of ten that no template has: "Other".
  Custom->StepCount(rcCentralDefenders, +2);
  EXPECT_EQ(Counts(*Custom), (std::vector<int>{5, 2, 3, 0, 0}));
  EXPECT_EQ(Custom->CheckedTemplate(), TFormCustomFormation::OtherTemplate);
}

TEST_F(TLineupWindowsTest, ThePlaceDropDownShowsTenRowsOfEighteenNames) {
  TFormationDisplay& display = Custom->Display();
  QStringList names;
  for (int i = 1; i <= 18; ++i) names << QStringLiteral("Player %1").arg(i);
  display.SetNames(names, {"Kurt"});
  Custom->show();
  display.PlaceMouseDown(3, Qt::LeftButton);
  ASSERT_EQ(display.Box().count(), 18);
  display.Box().showPopup();
  QAbstractItemView* view = display.Box().view();
  const int row = view->sizeHintForRow(0);
  ASSERT_GT(row, 0);
  EXPECT_LE(view->window()->height(), 11 * row) << "rows visible: " << view->window()->height() / row;
  EXPECT_GE(view->window()->height(), 9 * row);
  display.Box().hidePopup();
}

TEST_F(TLineupWindowsTest, PlacesTakeNamesFromTheDropDownAndAPlayerStandsOnOnePlaceOnly) {
  TFormationDisplay& display = Custom->Display();
  display.SetNames({"Adam", "Bert", "Carl"}, {"Kurt"});
  display.PlaceMouseDown(3, Qt::LeftButton);
  ASSERT_EQ(display.BoxPlace(), 3);
  ASSERT_TRUE(display.Box().isVisibleTo(&display));
  EXPECT_EQ(display.Box().count(), 3);
  EXPECT_EQ(display.Box().x(), display.Slot(3)->x());
  EXPECT_EQ(display.Box().width(), display.Slot(3)->width());
  display.BoxSelect(1);
  EXPECT_EQ(display.PlaceName(3), "Bert");
  EXPECT_EQ(display.Slot(3)->text(), "Bert");
  EXPECT_FALSE(display.Box().isVisibleTo(&display));

  // The keeper's place offers the keepers, with the current name preselected.
  display.PlaceMouseDown(0, Qt::LeftButton);
  EXPECT_EQ(display.Box().count(), 1);
  display.BoxSelect(0);
  EXPECT_EQ(display.PlaceName(0), "Kurt");
  display.PlaceMouseDown(3, Qt::LeftButton);
  EXPECT_EQ(display.Box().currentText(), "Bert");

  // The same player on a second place leaves the first.
  display.PlaceMouseDown(7, Qt::LeftButton);
  display.BoxSelect(1);
  EXPECT_EQ(display.PlaceName(7), "Bert");
  EXPECT_TRUE(display.PlaceName(3).isEmpty());
  EXPECT_TRUE(display.Slot(3)->text().isEmpty());

  // Right click empties a place; names survive a change of roles.
  display.PlaceMouseDown(0, Qt::RightButton);
  EXPECT_TRUE(display.PlaceName(0).isEmpty());
  Custom->RadioTemplate(3).click();
  EXPECT_EQ(display.Slot(7)->text(), "Bert");
  // Names no longer offered leave their places; &Clear removes the rest.
  display.PlaceMouseDown(2, Qt::LeftButton);
  display.BoxSelect(0);
  display.SetNames({"Adam", "Carl"}, {"Kurt"});
  EXPECT_TRUE(display.PlaceName(7).isEmpty());
  EXPECT_EQ(display.PlaceName(2), "Adam");
  Custom->ButtonClear().click();
  EXPECT_TRUE(display.PlaceName(2).isEmpty());

  // The place under the mouse is drawn raised.
  display.SetHotPlace(5);
  EXPECT_EQ(display.Slot(5)->frameShadow(), QFrame::Raised);
  display.SetHotPlace(-1);
  EXPECT_EQ(display.Slot(5)->frameShadow(), QFrame::Sunken);
}

TEST_F(TLineupWindowsTest, CustomFromTheAdvisorTakesTheFormationAndCancelRestoresTheRoles) {
  AddSquad({5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
  OpenAdvisor();
  Advisor->PageControl().setCurrentIndex(TFormTacticsAdvisor::pgAsymWB);
  Advisor->RadioFormation(TFormTacticsAdvisor::pgAsymWB, 0).setChecked(true);  // 4 - 4 - 2
  const TRoleArray before = Custom->Display().Roles();
  Advisor->ButtonCustom(TFormTacticsAdvisor::pgAsymWB).click();
  ASSERT_TRUE(Custom->isVisible());
  // The advisor is off while the custom formation is open.
  EXPECT_FALSE(Advisor->ButtonGO().isEnabled());
  EXPECT_FALSE(Advisor->ListPlayers().isEnabled());
  // Asymmetric wing backs: one wing back fewer, one central defender more.
  EXPECT_EQ(Counts(*Custom), (std::vector<int>{3, 1, 2, 2, 2}));
  EXPECT_EQ(Custom->Display().FieldNames().size(), 12);
  EXPECT_EQ(Custom->Display().KeeperNames(), (QStringList{"K2", "K1"}));
  EXPECT_TRUE(Custom->ButtonGO().isEnabled());

  Custom->ButtonCancel().click();
  EXPECT_FALSE(Custom->isVisible());
  EXPECT_EQ(Custom->Display().Roles(), before);
  EXPECT_EQ(Counts(*Custom), (std::vector<int>{2, 2, 2, 2, 2}));
  EXPECT_EQ(Custom->CheckedTemplate(), 0);
  EXPECT_TRUE(Advisor->ListPlayers().isEnabled());

  // Asymmetric wingers on 3 - 5 - 2: one winger fewer, one inner midfielder more.
  Advisor->PageControl().setCurrentIndex(TFormTacticsAdvisor::pgAsymW);
  Advisor->RadioFormation(TFormTacticsAdvisor::pgAsymW, 3).setChecked(true);
  Advisor->ButtonCustom(TFormTacticsAdvisor::pgAsymW).click();
  EXPECT_EQ(Counts(*Custom), (std::vector<int>{1, 2, 4, 1, 2}));
  Custom->close();
  EXPECT_TRUE(Advisor->ListPlayers().isEnabled());
}

TEST_F(TLineupWindowsTest, CustomGoSearchesWithTheFixedPlayersInTheirPlaces) {
  // P01 is the weakest: the search would never take him, fixed he stays on his place.
  AddSquad({2, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20});
  OpenAdvisor();
  Advisor->ButtonSelectAllClick();
  Advisor->ButtonCustom(TFormTacticsAdvisor::pgNormal).click();
  TFormationDisplay& display = Custom->Display();
  display.PlaceMouseDown(9, Qt::LeftButton);
  display.BoxSelect(0);  // P01 as a forward
  display.PlaceMouseDown(0, Qt::LeftButton);
  display.BoxSelect(0);  // K2, the weaker keeper (the keepers stand in reverse order)
  const QString keeper = display.PlaceName(0);
  ASSERT_EQ(display.PlaceName(9), "P01");
  Custom->ButtonGO().click();
  EXPECT_FALSE(Custom->isVisible());
  EXPECT_FALSE(Advisor->isVisible());
  ASSERT_TRUE(WaitForSearch());

  const TTeamSelect& select = Selection->Selector();
  EXPECT_TRUE(select.Complete());
  const TTeam& best = select.BestTeam();
  ASSERT_NE(best.GetSlot(9), nullptr);
  EXPECT_EQ(best.GetSlot(9)->PlayerName, "P01");
  ASSERT_NE(best.Keeper(), nullptr);
  EXPECT_EQ(best.Keeper()->PlayerName, keeper.toStdString());
  // Eleven candidates left for nine places: C(11, 9) starters, then C(2, 4) = none on the bench.
  EXPECT_EQ(select.Total(), TTeamSelect::CombinationTotal(11, 1));
  const TTeamDisplay& shown = Selection->Display();
  for (int slot = 0; slot <= 10; ++slot)
    EXPECT_EQ(shown.Slot(slot)->frameShadow(), slot == 0 || slot == 9 ? QFrame::Raised : QFrame::Sunken) << slot;
  EXPECT_EQ(shown.Slot(9)->text(), "P01");
}
