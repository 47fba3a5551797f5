// The injury analyzer window: its rows appear with the weeks of injury and show dates counted from the
// clock's today; the export from the main window's player grid.
#include "FormMainTestSupport.h"

#include "core/Clock.h"
#include "core/DateTime.h"
#include "ui/FormInjuryAnalyzer.h"
#include "ui/Icons.h"

#include <QApplication>
#include <QLabel>
#include <QSpinBox>

namespace {

class TFormInjuryAnalyzerTest : public TFormMainTest {
protected:
  void SetUp() override {
    TFormMainTest::SetUp();
    TClock::SetFixed(ParseDateTime("2026-05-30 10:00:00"));
    Form = std::make_unique<TFormInjuryAnalyzer>(*Window);
  }
  void TearDown() override {
    Form.reset();
    TClock::SetFixed(std::nullopt);
    TFormMainTest::TearDown();
  }
  std::unique_ptr<TFormInjuryAnalyzer> Form;
};

TEST_F(TFormInjuryAnalyzerTest, RowsFollowTheWeeksOfInjury) {
  EXPECT_EQ(Window->ToolWindow(iiInjuryAnalyzer), Form.get());
  EXPECT_EQ(Form->SpinInjuryWeeks().value(), -1);
  EXPECT_EQ(Form->SpinAge().value(), 17);
  for (int row = 0; row < rrCount; ++row) EXPECT_TRUE(Form->RowHeader(row).isHidden());

  Form->SpinInjuryWeeks().setValue(0);
  EXPECT_FALSE(Form->RowHeader(rrHealthy).isHidden());
  EXPECT_FALSE(Form->RowMaximum(rrHealthy).isHidden());
  EXPECT_TRUE(Form->RowSeparator(rrPlaying).isHidden());
  EXPECT_EQ(Form->RowMinimum(rrHealthy).text(), "2026-05-30\n0 day(s)");
  EXPECT_EQ(Form->RowMaximum(rrHealthy).text(), "2026-06-05\n6 day(s)");

  Form->SpinDoctors().setValue(1);
  EXPECT_EQ(Form->RowMaximum(rrHealthy).text(), "2026-06-04\n5 day(s)");

  Form->SpinInjuryWeeks().setValue(2);
  Form->SpinDoctors().setValue(0);
  for (int row = 0; row < rrCount; ++row) EXPECT_FALSE(Form->RowMinimum(row).isHidden());
  EXPECT_EQ(Form->RowMinimum(rrTraining).text(), "2026-05-30\n0 day(s)");
  EXPECT_EQ(Form->RowMaximum(rrPlaying).text(), "2026-06-10\n11 day(s)");
  EXPECT_EQ(Form->RowMaximum(rrHealthy).text(), "2026-06-16\n17 day(s)");
}

TEST_F(TFormInjuryAnalyzerTest, AClearedWeeksFieldIsTheBlankValueAndTheWindowOpensAtItsFullSize) {
  const QSize first = Form->size();
  Form->SpinInjuryWeeks().setValue(2);
  Form->show();
  QApplication::processEvents();
  EXPECT_GE(first.height(), Form->sizeHint().height());  // room for every row from the start
  EXPECT_GE(first.width(), Form->sizeHint().width());
  EXPECT_GT(first.height(), 150);
  Form->SpinInjuryWeeks().clear();
  EXPECT_EQ(Form->SpinInjuryWeeks().value(), -1);
  for (int row = 0; row < rrCount; ++row) EXPECT_TRUE(Form->RowHeader(row).isHidden());
}

TEST_F(TFormInjuryAnalyzerTest, ExportFillsTheSpinsWithinTheirRanges) {
  auto player = MakeTestPlayer("Hurt", 88);
  player->InjuryLevel = 3;
  player->Age = 25;
  Window->TempPlayerGrid().AddPlayer(*player);
  Window->TempPlayerGrid().SelectRow(1);
  Window->ExportToInjuryAnalyzerClick();
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Form->SpinInjuryWeeks().value(), 3);
  EXPECT_EQ(Form->SpinAge().value(), 25);
  EXPECT_EQ(Form->SpinDoctors().value(), 0);
  EXPECT_TRUE(Window->ButtonAction(TFormMain::cmInjuryAnalyzer)->isChecked());

  emit Window->InjuryAnalyzerExport(12, 41, 150);
  EXPECT_EQ(Form->SpinInjuryWeeks().value(), 9);
  EXPECT_EQ(Form->SpinAge().value(), 37);
  EXPECT_EQ(Form->SpinDoctors().value(), 99);
  EXPECT_EQ(Form->RowMaximum(rrHealthy).text().section('\n', 1), "235 day(s)");
  Form->close();
  EXPECT_FALSE(Window->ButtonAction(TFormMain::cmInjuryAnalyzer)->isChecked());
}

// Writes a picture of the window when PITCHBOOK_SCREENSHOT_DIR names a folder (for looking at it).
TEST_F(TFormInjuryAnalyzerTest, Screenshot) {
  const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "PITCHBOOK_SCREENSHOT_DIR not set";
  Form->SpinInjuryWeeks().setValue(3);
  Form->SpinAge().setValue(27);
  Form->SpinDoctors().setValue(2);
  Form->show();
  QApplication::processEvents();
  EXPECT_TRUE(Form->grab().save(QString::fromUtf8(folder) + "/InjuryAnalyzer.png"));
}

}  // namespace
