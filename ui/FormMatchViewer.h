#pragma once
// The "Match Viewer" window: up to ten live matches, one tab each with a score board and the running
// commentary, refreshed once a minute by a TMatchUpdates worker. The tabs' model is download/MatchPages.h;
// this window only shows it. Commentary pieces are inserted as plain text with their colour and weight, so
// nothing a server writes is ever read as markup.
#include "download/MatchPages.h"
#include "download/MatchUpdates.h"

#include <QWidget>

#include <filesystem>
#include <memory>
#include <vector>

class QAction;
class QAudioOutput;
class QLabel;
class QLineEdit;
class QMediaPlayer;
class QMenu;
class QPushButton;
class QTabWidget;
class QTextEdit;
class QTimer;
class QToolButton;
class TFormMain;
class TKVIndyHTTP;

// One tab's controls.
class TMatchTab : public QWidget {
  Q_OBJECT
public:
  explicit TMatchTab(QWidget* parent = nullptr);
  // Appends one piece at the end of the commentary.
  void AppendPiece(const TDisplayElement& element);
  // Score board, minute, weather and attendance from the model.
  void ShowState(const TMatch& match);
  QTextEdit& Commentary() const { return *FCommentary; }
  QLabel& Score() const { return *FScore; }
  QLabel& Minute() const { return *FMinute; }

private:
  QLabel* FScore = nullptr;
  QLabel* FMinute = nullptr;
  QLabel* FWeather = nullptr;
  QLabel* FAttendance = nullptr;
  QTextEdit* FCommentary = nullptr;
};

class TFormMatchViewer : public QWidget {
  Q_OBJECT
public:
  // main: the main window (registration, tool button); http: the shared client; programFolder: where
  // "Goal.mp3" is looked for. main may be null in tests.
  TFormMatchViewer(TFormMain* main, TKVIndyHTTP& http, std::filesystem::path programFolder);
  ~TFormMatchViewer() override;

  void ToolAddClick();
  void ToolRemoveClick();
  void ToolStartClick();
  void ButtonAddMatchClick();
  void TimerTimer();
  void UpdateToolBarButtons();
  void SetStatus(const QString& text);
  // Waits for a running refresh worker (window thread; its calls to the window run meanwhile).
  void WaitForWorker();

  TMatchPages& Pages() { return FPages; }
  QTabWidget& Tabs() const { return *FTabs; }
  TMatchTab& TabPage(int index) const;
  QToolButton& ToolAdd() const { return *FToolAdd; }
  QToolButton& ToolRemove() const { return *FToolRemove; }
  QToolButton& ToolStart() const { return *FToolStart; }
  QLineEdit& EditUser() const { return *FEditUser; }
  QLineEdit& EditCode() const { return *FEditCode; }
  QLineEdit& EditMatchID() const { return *FEditMatchID; }
  QWidget& AddPanel() const { return *FAddPanel; }
  QLabel& StatusPanel() const { return *FStatus; }
  QTimer& Timer() const { return *FTimer; }
  bool RefreshOn() const { return FRefreshOn; }
  bool Updating() const { return FWorker && !FWorker->Finished(); }

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  TMatchViewerHooks Hooks();
  void ShowTab(TMatch& match);
  void PlayGoal();
  void SwitchOff();
  void PopupMenu1Popup();

  TFormMain* FMain;
  TKVIndyHTTP& FHttp;
  std::filesystem::path FProgramFolder;
  TMatchPages FPages;
  std::unique_ptr<TMatchUpdates> FWorker;
  QTabWidget* FTabs = nullptr;
  QToolButton* FToolAdd = nullptr;
  QToolButton* FToolRemove = nullptr;
  QToolButton* FToolStart = nullptr;
  QWidget* FAddPanel = nullptr;
  QLineEdit* FEditUser = nullptr;
  QLineEdit* FEditCode = nullptr;
  QLineEdit* FEditMatchID = nullptr;
  QLabel* FStatus = nullptr;
  QTimer* FTimer = nullptr;
  QMenu* FPopupMenu1 = nullptr;
  QAction* FHome1 = nullptr;
  QAction* FAway1 = nullptr;
  QMediaPlayer* FPlayer = nullptr;
  QAudioOutput* FAudio = nullptr;
  bool FRefreshOn = false;  // the Start toggle: the timer runs (or a refresh does) while on
};
