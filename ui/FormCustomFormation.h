#pragma once
// The "Custom Formation" window: a formation built by hand before a lineup search. Five role counts (with
// their limits, adding up to ten), the formation templates, and a pitch on which the user may fix players
// on places. G&O starts the search through the tactics advisor with these roles and the fixed players.
#include "core/Team.h"

#include <QWidget>

#include <array>

class QButtonGroup;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TFormTacticsAdvisor;
class TFormationDisplay;

class TFormCustomFormation : public QWidget {
  Q_OBJECT

public:
  // The role counts, in the order the places 1..10 take them.
  enum TRoleCount : int { rcCentralDefenders, rcWingBacks, rcInnerMidfielders, rcWingers, rcForwards, rcCount };
  static constexpr int TemplateCount = 8;  // seven formations and "Other"
  static constexpr int OtherTemplate = 7;

  // A window of the tactics advisor (it stays above it), which it hands itself to.
  explicit TFormCustomFormation(TFormTacticsAdvisor& advisor);
  ~TFormCustomFormation() override;

  // From the advisor's &Custom: the names offered, G&O's enabled state; the advisor's controls are off
  // while this window is open, and the roles are kept for Cancel.
  void Open(const QStringList& fieldNames, const QStringList& keeperNames, bool goEnabled);
  // Clicks the template radio button with that caption (nothing when there is none).
  void ClickTemplate(const QString& caption);
  // Steps a count by delta as its spin buttons would (refused beyond its limits or a total of 10).
  void StepCount(TRoleCount count, int delta);

  // A template caption "D - M - F" gives the code DMF (digits at character positions 1, 5 and 9); 0 for
  // other captions.
  static int TemplateCode(const QString& caption);

  // ---- Handlers ------------------------------------------------------------------------------------------
  void TemplateClick(int index);
  void CountChange(TRoleCount count, int value);
  void ButtonClearClick();
  void ButtonGOClick();
  void ButtonCancelClick();

  // ---- For the advisor and tests -------------------------------------------------------------------------
  TFormationDisplay& Display() const { return *FDisplay; }
  int Count(TRoleCount count) const;
  int Total() const;
  // The checked template (OtherTemplate for "Other"), -1 for none.
  int CheckedTemplate() const;
  QSpinBox& EditCount(TRoleCount count) const { return *FCounts[static_cast<size_t>(count)]; }
  QRadioButton& RadioTemplate(int index) const { return *FTemplates[static_cast<size_t>(index)]; }
  QPushButton& ButtonClear() const { return *FButtonClear; }
  QPushButton& ButtonGO() const { return *FButtonGO; }
  QPushButton& ButtonCancel() const { return *FButtonCancel; }

protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  // Roles of places 1..10 from the counts, then the template that matches them.
  void RolesFromCounts();
  void CountsFromRoles();
  void CheckMatchingTemplate();
  void UpdateGO();

  TFormTacticsAdvisor& FAdvisor;
  TRoleArray FKeptRoles{};
  std::array<int, rcCount> FValues{2, 2, 2, 2, 2};
  bool FUpdating = false;
  // The advisor's G&O was enabled when the window opened.
  bool FGOAllowed = true;

  TFormationDisplay* FDisplay = nullptr;
  std::array<QSpinBox*, rcCount> FCounts{};
  std::array<QRadioButton*, TemplateCount> FTemplates{};
  QButtonGroup* FTemplateGroup = nullptr;
  QPushButton* FButtonClear = nullptr;
  QPushButton* FButtonGO = nullptr;
  QPushButton* FButtonCancel = nullptr;
};
