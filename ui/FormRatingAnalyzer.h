#pragma once
// The "Rating Analyzer" window: a hand-made 4-4-2 of the current snapshot's players (TMyLineupDisplay), the
// team settings, the skills of the selected player's copy for "what if" edits, and the midfield and
// counter-attack estimates as level texts. Set-ups are saved to and loaded from ".raf" files.
#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class TFormMain;
class THistoryPage;
class TMyLineupDisplay;
class TPlayer;

class TFormRatingAnalyzer : public QWidget {
  Q_OBJECT

public:
  // currentPage gives the snapshot the history window shows (nullptr: the newest of the store is taken).
  TFormRatingAnalyzer(TFormMain& main, std::function<THistoryPage*()> currentPage);
  ~TFormRatingAnalyzer() override;

  // The six player settings, in this order.
  enum TPlayerSetting { psPlaymaking, psDefending, psPassing, psExperience, psStamina, psForm, PlayerSettingCount };

  void Recalculate();
  void ButtonUpdateClick();
  void ButtonResetClick();
  void ButtonQuickSaveClick();
  void ButtonQuickLoadClick();
  // The dialogs; the tests call SaveToFile/LoadFromFile directly. Both report failures in a message box.
  void ButtonSaveClick();
  void ButtonLoadClick();
  bool SaveToFile(const std::filesystem::path& path);
  bool LoadFromFile(const std::filesystem::path& path);

  TMyLineupDisplay& Display() const { return *FDisplay; }
  QComboBox& ComboBoxTeamSpirit() const { return *FComboBoxTeamSpirit; }
  QComboBox& ComboBoxAttitude() const { return *FComboBoxAttitude; }
  QComboBox& ComboBoxArena() const { return *FComboBoxArena; }
  QCheckBox& CheckBoxCounterAttacks() const { return *FCheckBoxCounterAttacks; }
  QComboBox& PlayerSettingBox(int setting) const { return *FPlayerBoxes.at(static_cast<size_t>(setting)); }
  QLabel& LabelPlayerName() const { return *FLabelPlayerName; }
  QLabel& LabelMidfield() const { return *FLabelMidfield; }
  QLabel& LabelMidfieldSub() const { return *FLabelMidfieldSub; }
  QLabel& LabelCounter() const { return *FLabelCounter; }
  QLabel& LabelCounterSub() const { return *FLabelCounterSub; }
  std::filesystem::path QuickFile() const;

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  const THistoryPage* Snapshot() const;
  void FillFromSnapshot();
  void PlayerSelected(TPlayer* player);
  void PlayerSettingChanged(int setting, int item);

  TFormMain& FMain;
  std::function<THistoryPage*()> FCurrentPage;
  TMyLineupDisplay* FDisplay = nullptr;
  QComboBox* FComboBoxTeamSpirit = nullptr;
  QComboBox* FComboBoxAttitude = nullptr;
  QComboBox* FComboBoxArena = nullptr;
  QCheckBox* FCheckBoxCounterAttacks = nullptr;
  std::array<QComboBox*, PlayerSettingCount> FPlayerBoxes{};
  QLabel* FLabelPlayerName = nullptr;
  QLabel* FLabelMidfield = nullptr;
  QLabel* FLabelMidfieldSub = nullptr;
  QLabel* FLabelCounter = nullptr;
  QLabel* FLabelCounterSub = nullptr;
  bool FFilled = false;
};
