#pragma once
// The preferences window: edits the program-wide TPreferences. OK copies the controls into the object and
// applies it (the history path gets its separator, the grids show and hide their columns); Defaults puts
// every setting back; the file itself is written when the program ends.
#include <QDialog>

#include <filesystem>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class TPreferences;

class TFormPreferences : public QDialog {
  Q_OBJECT

public:
  // programFolder: where "Goal.mp3" is looked for and where the folder picker starts. applyColumns runs
  // after OK and Defaults (the main window re-lays out its grids when a column flag changed).
  TFormPreferences(std::filesystem::path programFolder, std::function<void()> applyColumns,
                   QWidget* parent = nullptr);
  ~TFormPreferences() override;

  // Copy between the preferences and the controls.
  void ReadFromWindow(TPreferences& preferences) const;
  void WriteToWindow(const TPreferences& preferences);

  void OKClick();
  void CancelClick();
  void DefaultsClick();

  // The controls, for the main window's tests and the enabling rules.
  QTabWidget& Tabs() const { return *FTabs; }
  QListWidget& PlayerColumns() const { return *FPlayerColumns; }
  QListWidget& MatchColumns() const { return *FMatchColumns; }
  QCheckBox& LoadPlayersToTempGrid() const { return *FLoadToTemp; }
  QCheckBox& DoNotImportCoach() const { return *FDoNotImportCoach; }
  QCheckBox& ChooseBestServer() const { return *FChooseBestServer; }
  QComboBox& ConnectionSite() const { return *FConnectionSite; }
  QCheckBox& SaveUsernamePassword() const { return *FSaveUsernamePassword; }
  QCheckBox& EnableProxy() const { return *FEnableProxy; }
  QLineEdit& ProxyServer() const { return *FProxyServer; }
  QLineEdit& ProxyPort() const { return *FProxyPort; }
  QCheckBox& EnableProxyAuthentication() const { return *FEnableProxyAuthentication; }
  QLineEdit& ProxyUserName() const { return *FProxyUserName; }
  QLineEdit& ProxyPassword() const { return *FProxyPassword; }
  QCheckBox& CheckUpdates() const { return *FCheckUpdates; }
  QCheckBox& LimitHistoryDataLoading() const { return *FLimitHistory; }
  QSpinBox& SeasonLimit() const { return *FSeasonLimit; }
  QLabel& SeasonsBack() const { return *FSeasonsBack; }
  QCheckBox& UseAlternateHistoryPath() const { return *FUseAlternatePath; }
  QLineEdit& AlternateHistoryPath() const { return *FAlternatePath; }
  QToolButton& BrowseHistoryPath() const { return *FBrowse; }
  QCheckBox& HomeTeamScores() const { return *FHomeTeamScores; }
  QCheckBox& AwayTeamScores() const { return *FAwayTeamScores; }
  QComboBox& League() const { return *FLeague; }
  QLabel& CurrencyName() const { return *FCurrencyName; }
  QLabel& RelativeRate() const { return *FRelativeRate; }
  QTreeWidget& CurrencySettings() const { return *FCurrencySettings; }

signals:
  // The window was closed (the main window releases its Preferences button).
  void Closed();

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

private:
  QWidget* BuildGridsTab();
  QWidget* BuildConnectionTab();
  QWidget* BuildStartupTab();
  QWidget* BuildMatchViewerTab();
  QWidget* BuildMiscTab();
  void UpdateEnabledStates();
  void LeagueChange();
  void BrowseClick();

  std::filesystem::path FProgramFolder;
  std::function<void()> FApplyColumns;

  QTabWidget* FTabs = nullptr;
  QListWidget* FPlayerColumns = nullptr;
  QListWidget* FMatchColumns = nullptr;
  QCheckBox* FLoadToTemp = nullptr;
  QCheckBox* FDoNotImportCoach = nullptr;
  QCheckBox* FChooseBestServer = nullptr;
  QComboBox* FConnectionSite = nullptr;
  QCheckBox* FSaveUsernamePassword = nullptr;
  QCheckBox* FEnableProxy = nullptr;
  QLineEdit* FProxyServer = nullptr;
  QLineEdit* FProxyPort = nullptr;
  QCheckBox* FEnableProxyAuthentication = nullptr;
  QLineEdit* FProxyUserName = nullptr;
  QLineEdit* FProxyPassword = nullptr;
  QLabel* FProxyWarning = nullptr;
  QCheckBox* FCheckUpdates = nullptr;
  QCheckBox* FLimitHistory = nullptr;
  QSpinBox* FSeasonLimit = nullptr;
  QLabel* FSeasonsBack = nullptr;
  QCheckBox* FUseAlternatePath = nullptr;
  QLineEdit* FAlternatePath = nullptr;
  QToolButton* FBrowse = nullptr;
  QCheckBox* FHomeTeamScores = nullptr;
  QCheckBox* FAwayTeamScores = nullptr;
  QLabel* FGoalSoundMissing = nullptr;
  QComboBox* FLeague = nullptr;
  QLabel* FCurrencyName = nullptr;
  QLabel* FRelativeRate = nullptr;
  QTreeWidget* FCurrencySettings = nullptr;
};
