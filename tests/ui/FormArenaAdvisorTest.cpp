// The arena advisor window on a created main window, reading the shown snapshot.
#include "FormMainTestSupport.h"

#include "data/Currencies.h"
#include "data/HistoryPage.h"
#include "ui/FormArenaAdvisor.h"
#include "ui/Icons.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>
#include <cstdlib>

namespace {
class TArenaAdvisorWindowTest : public TFormMainTest {
protected:
  void SetUp() override {
    TFormMainTest::SetUp();
    const auto it = std::find(LeagueCurrencyOrder.begin(), LeagueCurrencyOrder.end(), 1);  // rate 1
    Preferences().SetCurrencyIndex(int(it - LeagueCurrencyOrder.begin()));
    auto page = std::make_unique<THistoryPage>();
    page->Team.TeamName = "Testers";
    page->Arena.ArenaName = "Test Park";
    page->Arena.Terraces = 10000, page->Arena.Basic = 3000, page->Arena.Roof = 1000, page->Arena.VIP = 200;
    page->Arena.Total = 14200;
    page->Economy.FanClubSize = 1000;
    page->Economy.SupportersPopularity = 6;
    History().Add(std::move(page));
    Window->SetShownHistoryPage(1);
    Advisor = std::make_unique<TFormArenaAdvisor>(*Window);
  }
  void TearDown() override {
    Advisor.reset();
    TFormMainTest::TearDown();
  }
  QString Text(QLabel* label) const { return label->text(); }

  std::unique_ptr<TFormArenaAdvisor> Advisor;
};
}  // namespace

TEST_F(TArenaAdvisorWindowTest, ShowsTheSnapshotsArenaAndRecommendations) {
  Advisor->show();
  EXPECT_EQ(Advisor->ArenaNameLabel()->text(), "Test Park");
  EXPECT_EQ(Advisor->CapacityLabel(0, stTerraces)->text(), ":     10 000");
  EXPECT_EQ(Advisor->CapacityLabel(2, SeatTypeCount)->text(), ": -- --- ---");  // nothing being built
  EXPECT_EQ(Advisor->ClubLabel()->text(), "1 000 members");
  EXPECT_EQ(Advisor->MoodLabel()->text(), "Content");
  EXPECT_EQ(Advisor->UpkeepCostLabel(SeatTypeCount)->text(), ":     86 000");
  // (1 130 000 / 2 − 86 000)
  EXPECT_EQ(Advisor->ProfitLabel()->text(), "479 000 kr per week");
  EXPECT_EQ(Advisor->RecommendationLabel(arIdeal, SeatTypeCount)->text(), "    25 000");
  EXPECT_EQ(Advisor->ProjectEdit(SeatTypeCount)->text(), "14200");
  EXPECT_EQ(Advisor->ProjectMoneyLabel(0)->text(), ":  -- --- ---");
}

TEST_F(TArenaAdvisorWindowTest, ProjectEditsFillEachOtherAndTheMoney) {
  Advisor->show();
  Advisor->ProjectEdit(stTerraces)->setText("9900");
  EXPECT_EQ(Advisor->ProjectEdit(SeatTypeCount)->text(), "14100");
  EXPECT_EQ(Advisor->ProjectMoneyLabel(0)->text(), ":     106 000");
  Advisor->ProjectEdit(SeatTypeCount)->setText("25000");
  EXPECT_EQ(Advisor->ProjectEdit(stTerraces)->text(), "15703");
  Advisor->ProjectEdit(stVIP)->setText("500");
  Advisor->ShareButton(stVIP)->click();
  EXPECT_EQ(Advisor->ProjectEdit(SeatTypeCount)->text(), "24875");
  Advisor->ProjectEdit(stRoof)->setText("many");
  EXPECT_EQ(Advisor->ProjectMoneyLabel(1)->text(), ":   -- --- ---");
  Advisor->RowLabelButton(SeatTypeCount)->click();
  EXPECT_EQ(Advisor->ProjectEdit(stRoof)->text(), "1000");
  EXPECT_EQ(Advisor->ProjectMoneyLabel(0)->text(), ":  -- --- ---");

  Advisor->CheckBoxDifference()->setChecked(true);
  EXPECT_EQ(Advisor->ProjectEdit(stTerraces)->text(), "0");
  EXPECT_EQ(Advisor->RecommendationLabel(arIdeal, SeatTypeCount)->text(), "    10 800");
  Advisor->SetButton(arWorst)->click();  // 20000: 5800 more seats, the edits take the change
  EXPECT_EQ(Advisor->ProjectEdit(SeatTypeCount)->text(), "5800");
  // Showing again starts from the current arena.
  Advisor->hide();
  Advisor->show();
  EXPECT_FALSE(Advisor->CheckBoxDifference()->isChecked());
  EXPECT_EQ(Advisor->ProjectEdit(SeatTypeCount)->text(), "14200");
}

TEST_F(TArenaAdvisorWindowTest, RegistersAndCloseReleasesTheButton) {
  EXPECT_EQ(Window->ToolWindow(iiArenaAdvisor), Advisor.get());
  Window->SetCommandEnabled(TFormMain::cmArenaAdvisor, true);
  Window->ToolButtonClick(iiArenaAdvisor);
  EXPECT_TRUE(Advisor->isVisible());
  EXPECT_TRUE(Window->ButtonAction(TFormMain::cmArenaAdvisor)->isChecked());
  Advisor->ButtonClose()->click();
  EXPECT_FALSE(Advisor->isVisible());
  EXPECT_FALSE(Window->ButtonAction(TFormMain::cmArenaAdvisor)->isChecked());
}

TEST_F(TArenaAdvisorWindowTest, NoSnapshotShowsNothing) {
  Advisor->show();
  Advisor->hide();
  Window->SetShownHistoryPage(0);
  Advisor->show();
  EXPECT_EQ(Advisor->ShownPage(), nullptr);
  EXPECT_FALSE(Advisor->Pages()->isEnabled());
  EXPECT_EQ(Advisor->ArenaNameLabel()->text(), "");
  EXPECT_EQ(Advisor->CapacityLabel(0, stTerraces)->text(), "");
  EXPECT_EQ(Advisor->RecommendationLabel(arBest, 0)->text(), "");
  EXPECT_EQ(Advisor->ProjectEdit(SeatTypeCount)->text(), "");
  EXPECT_EQ(Advisor->ProjectMoneyLabel(0)->text(), "");
}

// Pictures of the pages when PITCHBOOK_SCREENSHOT_DIR names a folder (for looking at them).
TEST_F(TArenaAdvisorWindowTest, Screenshots) {
  const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "PITCHBOOK_SCREENSHOT_DIR not set";
  Advisor->show();
  for (int page = 0; page < Advisor->Pages()->count(); ++page) {
    Advisor->Pages()->setCurrentIndex(page);
    QApplication::processEvents();
    EXPECT_TRUE(Advisor->grab().save(QString("%1/arena-%2.png").arg(folder).arg(page)));
  }
}

namespace {
// Where a label's text ends on the page.
int TextRight(const QLabel& label, const QWidget& page) {
  const QRect r = label.contentsRect();
  const int right = label.alignment() & Qt::AlignRight
                        ? r.right()
                        : r.left() + label.fontMetrics().horizontalAdvance(label.text()) - 1;
  return label.mapTo(&page, QPoint(right, 0)).x();
}
}  // namespace

// On the Engineering page every money column ends in one place: its head, the three recommendations and
// the project's field, with an amount or with the empty pattern; the capacity columns likewise.
TEST_F(TArenaAdvisorWindowTest, EngineeringColumnsLineUp) {
  Advisor->show();
  Advisor->Pages()->setCurrentIndex(2);
  QWidget& page = *Advisor->Pages()->currentWidget();
  const struct {
    const char* Project;
  } cases[] = {{"10000"}, {"12000"}, {"x"}};  // unchanged (dashes), a change with money, not a number
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Project);
    Advisor->ProjectEdit(stTerraces)->setText(c.Project);
    QApplication::processEvents();
    for (int i = 0; i < 3; ++i) {
      const int column = SeatTypeCount + 1 + i;
      const int right = TextRight(*Advisor->RecommendationLabel(arWorst, column), page);
      for (int r = arIdeal; r <= arBest; ++r)
        EXPECT_EQ(TextRight(*Advisor->RecommendationLabel(r, column), page), right) << "money " << i << " row " << r;
      EXPECT_EQ(TextRight(*Advisor->ProjectMoneyLabel(i), page), right) << "money " << i;
      const auto heads = page.findChildren<QLabel*>();
      const auto head = std::find_if(heads.begin(), heads.end(), [&](QLabel* l) {
        return l->text() == (i == 0 ? "Construction" : i == 1 ? "Maintenance" : "Income");
      });
      ASSERT_NE(head, heads.end());
      EXPECT_EQ(TextRight(**head, page), right) << "money " << i;
    }
    for (int t = 0; t <= SeatTypeCount; ++t) {
      const int right = TextRight(*Advisor->RecommendationLabel(arWorst, t), page);
      for (int r = arIdeal; r <= arBest; ++r) EXPECT_EQ(TextRight(*Advisor->RecommendationLabel(r, t), page), right);
    }
  }
}
