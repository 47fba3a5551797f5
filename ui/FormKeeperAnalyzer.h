#pragma once
// The "Keeper Analyzer" window: a keeper's skill estimated from his TSI and form (ratings/KeeperAnalyzer.h),
// shown as a number, as the two whole levels around it and on a vertical scale of the level names. The
// main window's player grid can hand it the selected player ("Export to Keeper Analyzer").
#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QSlider;
class TFormMain;

class TFormKeeperAnalyzer : public QWidget {
  Q_OBJECT

public:
  // Built for the main window and registered there as the window of the Keeper Analyzer command.
  explicit TFormKeeperAnalyzer(TFormMain& main);
  ~TFormKeeperAnalyzer() override;

  // Fills in an exported player (form item = form level - 1, second form item 0..2) and recalculates.
  void ApplyExport(int tsi, int formItem, int secondFormItem);
  // Recalculates from the inputs.
  void Calculate();
  // The form level box changed: "excellent" (the last) fixes the second box at "Low" and disables it;
  // leaving it restores the second box's previous choice.
  void ComboBoxFormChange();

  QLineEdit& EditTSI() const { return *FEditTSI; }
  QComboBox& ComboBoxForm() const { return *FComboBoxForm; }
  QComboBox& ComboBoxSecondForm() const { return *FComboBoxSecondForm; }
  QSlider& TrackBar() const { return *FTrackBar; }
  QProgressBar& ProgressBarDetail() const { return *FProgressBarDetail; }
  QLabel& LabelSkill() const { return *FLabelSkill; }
  QLabel& LabelLowEnd() const { return *FLabelLowEnd; }
  QLabel& LabelHighEnd() const { return *FLabelHighEnd; }
  // The scale's level names, index 0 = "divine" (top) .. 19 = "disastrous" (bottom).
  QLabel& ScaleLabel(int index) const { return *FScaleLabels.at(static_cast<size_t>(index)); }

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  TFormMain& FMain;
  QLineEdit* FEditTSI = nullptr;
  QComboBox* FComboBoxForm = nullptr;
  QComboBox* FComboBoxSecondForm = nullptr;
  QSlider* FTrackBar = nullptr;
  QProgressBar* FProgressBarDetail = nullptr;
  QLabel* FLabelSkill = nullptr;
  QLabel* FLabelLowEnd = nullptr;
  QLabel* FLabelHighEnd = nullptr;
  std::array<QLabel*, 20> FScaleLabels{};
  int FRememberedSecondForm = 1;
};
