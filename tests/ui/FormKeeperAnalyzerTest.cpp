// The keeper analyzer window: recalculation on every input, the "excellent" rule of the second form box,
// and the export from the main window's player grid.
#include "FormMainTestSupport.h"

#include "ui/FormKeeperAnalyzer.h"
#include "ui/Icons.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>

namespace {

class TFormKeeperAnalyzerTest : public TFormMainTest {
protected:
  void SetUp() override {
    TFormMainTest::SetUp();
    Form = std::make_unique<TFormKeeperAnalyzer>(*Window);
  }
  void TearDown() override {
    Form.reset();
    TFormMainTest::TearDown();
  }
  std::unique_ptr<TFormKeeperAnalyzer> Form;
};

TEST_F(TFormKeeperAnalyzerTest, EditingTheInputsRecalculatesEveryOutput) {
  EXPECT_TRUE(Window->IsCommandEnabled(TFormMain::cmKeeperAnalyzer));
  EXPECT_EQ(Form->ScaleLabel(0).text(), "divine");
  EXPECT_EQ(Form->ScaleLabel(19).text(), "disastrous");
  EXPECT_EQ(Form->ComboBoxForm().count(), 8);
  EXPECT_EQ(Form->ComboBoxForm().currentText(), "passable");
  EXPECT_EQ(Form->ComboBoxSecondForm().currentText(), "Avr");

  Form->EditTSI().setText("10000");
  EXPECT_EQ(Form->LabelSkill().text(), "Keeper Skill: 9.64");
  EXPECT_EQ(Form->TrackBar().value(), 86);
  EXPECT_EQ(Form->ProgressBarDetail().value(), 64);
  EXPECT_EQ(Form->LabelLowEnd().text(), "formidable");
  EXPECT_EQ(Form->LabelHighEnd().text(), "outstanding");

  Form->ComboBoxSecondForm().setCurrentIndex(0);
  EXPECT_EQ(Form->LabelSkill().text(), "Keeper Skill: 9.72");

  Form->EditTSI().setText("abc");
  EXPECT_EQ(Form->LabelSkill().text(), "Keeper Skill: 1.00");
  EXPECT_EQ(Form->TrackBar().value(), 0);
  EXPECT_EQ(Form->LabelLowEnd().text(), "disastrous");
  EXPECT_EQ(Form->LabelHighEnd().text(), "wretched");
}

TEST_F(TFormKeeperAnalyzerTest, ExcellentFormFixesTheSecondBoxAtLowAndRestoresItAfterwards) {
  QComboBox& second = Form->ComboBoxSecondForm();
  second.setCurrentIndex(2);
  Form->ComboBoxForm().setCurrentIndex(7);
  EXPECT_FALSE(second.isEnabled());
  EXPECT_EQ(second.currentIndex(), 0);
  Form->ComboBoxForm().setCurrentIndex(3);
  EXPECT_TRUE(second.isEnabled());
  EXPECT_EQ(second.currentIndex(), 2);
}

TEST_F(TFormKeeperAnalyzerTest, ExportFromThePlayerGridFillsTheWindowAndShowsIt) {
  auto player = MakeTestPlayer("Keeper", 77);
  player->TSI = 10000;
  player->PlayerForm = 6;
  Window->TempPlayerGrid().AddPlayer(*player);
  Window->TempPlayerGrid().SelectRow(1);
  Form->ComboBoxSecondForm().setCurrentIndex(2);
  Window->ExportToKeeperAnalyzerClick();
  EXPECT_TRUE(Form->isVisible());
  EXPECT_EQ(Form->EditTSI().text(), "10000");
  EXPECT_EQ(Form->ComboBoxForm().currentIndex(), 5);
  EXPECT_EQ(Form->ComboBoxSecondForm().currentText(), "Avr");
  EXPECT_EQ(Form->LabelSkill().text(), "Keeper Skill: 9.64");
  EXPECT_TRUE(Window->ButtonAction(TFormMain::cmKeeperAnalyzer)->isChecked());

  // An excellent keeper keeps "Low"; the exported "Avr" comes back with a lower form. A form outside the
  // box lands on its ends.
  emit Window->KeeperAnalyzerExport(5000, 7, 1);
  EXPECT_EQ(Form->ComboBoxSecondForm().currentIndex(), 0);
  emit Window->KeeperAnalyzerExport(5000, -1, 1);
  EXPECT_EQ(Form->ComboBoxForm().currentIndex(), 0);
  EXPECT_EQ(Form->ComboBoxSecondForm().currentIndex(), 1);
  emit Window->KeeperAnalyzerExport(5000, 12, 1);
  EXPECT_EQ(Form->ComboBoxForm().currentIndex(), 7);

  Form->close();
  EXPECT_FALSE(Window->ButtonAction(TFormMain::cmKeeperAnalyzer)->isChecked());
}

// Writes a picture of the window when PITCHBOOK_SCREENSHOT_DIR names a folder (for looking at it).
TEST_F(TFormKeeperAnalyzerTest, Screenshot) {
  const char* folder = std::getenv("PITCHBOOK_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "PITCHBOOK_SCREENSHOT_DIR not set";
  Form->EditTSI().setText("10000");
  Form->show();
  QApplication::processEvents();
  EXPECT_TRUE(Form->grab().save(QString::fromUtf8(folder) + "/KeeperAnalyzer.png"));
}

}  // namespace
