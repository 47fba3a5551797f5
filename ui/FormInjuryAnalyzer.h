#pragma once
// The "Injury Analyzer" window: from the weeks of injury, the player's age and the club's doctors, the
// dates on which the player will be "Bruised but training", "Bruised but playing" and "Healthy"
// (ratings/InjuryAnalyzer.h), each as a range from the earliest to the latest day. The main window's player
// grid can hand it the selected player ("Export to Injury Analyzer").
#include "ratings/InjuryAnalyzer.h"

#include <QWidget>

#include <array>

class QLabel;
class QSpinBox;
class TFormMain;

class TFormInjuryAnalyzer : public QWidget {
  Q_OBJECT

public:
  // Built for the main window and registered there as the window of the Injury Analyzer command.
  explicit TFormInjuryAnalyzer(TFormMain& main);
  ~TFormInjuryAnalyzer() override;

  // Fills in an exported player (values outside the spins' ranges are clamped to them) and recalculates.
  void ApplyExport(int injuryWeeks, int age, int doctors);
  // Recalculates the rows from the spins, counting from today (TClock).
  void Calculate();

  QSpinBox& SpinInjuryWeeks() const { return *FSpinWeeks; }
  QSpinBox& SpinAge() const { return *FSpinAge; }
  QSpinBox& SpinDoctors() const { return *FSpinDoctors; }
  // A row's header, minimum, "-" and maximum (row: TRecoveryRow).
  QLabel& RowHeader(int row) const { return *FRows.at(static_cast<size_t>(row)).Header; }
  QLabel& RowMinimum(int row) const { return *FRows.at(static_cast<size_t>(row)).Minimum; }
  QLabel& RowMaximum(int row) const { return *FRows.at(static_cast<size_t>(row)).Maximum; }
  QLabel& RowSeparator(int row) const { return *FRows.at(static_cast<size_t>(row)).Separator; }

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  struct TRowLabels {
    QLabel* Header = nullptr;
    QLabel* Minimum = nullptr;
    QLabel* Separator = nullptr;
    QLabel* Maximum = nullptr;
  };

  TFormMain& FMain;
  QSpinBox* FSpinWeeks = nullptr;
  QSpinBox* FSpinAge = nullptr;
  QSpinBox* FSpinDoctors = nullptr;
  std::array<TRowLabels, rrCount> FRows{};
};
