// The match viewer window.
#include "ui/FormMatchViewer.h"

#include "core/Intl.h"
#include "core/ShippedFiles.h"
#include "data/Preferences.h"
#include "download/KVIndyHTTP.h"
#include "ui/FormMain.h"
#include "ui/Icons.h"
#include "ui/SyncHook.h"

#include <QAudioOutput>
#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString T(const char* text) { return QString::fromUtf8(_(text)); }

// A text of the viewer's own that other windows translate differently ("Start" is the history window's
// first page, "Stop" the download jobs' cancel): looked up under the viewer's context, as pgettext does.
QString TContext(const char* contextAndText, const char* text) {
  const char* translated = dgettext("default", contextAndText);
  return QString::fromUtf8(translated == contextAndText ? text : translated);
}
#define C_(context, text) TContext(context "\004" text, text)
QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Unseen output: the tab's caption turns this colour until the tab is selected.
const QColor HighlightColour(0xC0, 0x20, 0x20);

QColor ColourOf(TLiveColour colour) {
  switch (colour) {
    case TLiveColour::Green: return QColor(0x00, 0x80, 0x00);
    case TLiveColour::Blue: return QColor(0x00, 0x00, 0xFF);
    case TLiveColour::Black: break;
  }
  return Qt::black;
}

}  // namespace

TMatchTab::TMatchTab(QWidget* parent) : QWidget(parent) {
  auto* board = new QFrame(this);
  board->setObjectName("ScoreBoard");
  board->setStyleSheet(
      "#ScoreBoard { border-radius: 6px; background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #1d3b6e, "
      "stop:1 #08162e); } QLabel { color: white; }");
  FScore = new QLabel(" 0:0 ", board);
  QFont digits("Monospace");
  digits.setStyleHint(QFont::TypeWriter);
  digits.setPointSize(28);
  digits.setBold(true);
  FScore->setFont(digits);
  FScore->setAlignment(Qt::AlignCenter);
  FMinute = new QLabel("--", board);
  FWeather = new QLabel(board);
  FAttendance = new QLabel(board);
  auto* info = new QVBoxLayout;
  info->addWidget(FMinute);
  info->addWidget(FWeather);
  info->addWidget(FAttendance);
  auto* boardLayout = new QHBoxLayout(board);
  boardLayout->addWidget(FScore, 1);
  boardLayout->addLayout(info);
  FCommentary = new QTextEdit(this);
  FCommentary->setReadOnly(true);
  FCommentary->setAcceptRichText(false);
  FCommentary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(board);
  layout->addWidget(FCommentary, 1);
}

void TMatchTab::AppendPiece(const TDisplayElement& element) {
  QTextCursor cursor(FCommentary->document());
  cursor.movePosition(QTextCursor::End);
  QTextCharFormat format;
  format.setForeground(ColourOf(element.Colour));
  format.setFontWeight(element.Bold ? QFont::Bold : QFont::Normal);
  // insertText never interprets its text: tags, entities and links stay plain characters.
  QString text = Q(element.Text);
  text.replace("\r\n", "\n");
  cursor.insertText(text, format);
}

void TMatchTab::ShowState(const TMatch& match) {
  FScore->setText(Q(match.ScoreText));
  FMinute->setText(Q(match.MinuteText));
  FWeather->setText(Q(match.WeatherText));
  FAttendance->setText(match.AttendanceText.empty() ? QString() : T(N_("Attendance: %1")).arg(Q(match.AttendanceText)));
  FCommentary->verticalScrollBar()->setValue(FCommentary->verticalScrollBar()->maximum());
}

TFormMatchViewer::TFormMatchViewer(TFormMain* main, TKVIndyHTTP& http, std::filesystem::path programFolder)
    : QWidget(main, Qt::Window), FMain(main), FHttp(http), FProgramFolder(std::move(programFolder)) {
  setWindowTitle(T(N_("Match Viewer")));
  setWindowIcon(ToolIcon(iiMatchViewer));
  resize(640, 560);
  // FormCreate: the login from the preferences, the goal sound switches for new tabs.
  FPages.HomeScoresDefault = Preferences().HomeTeamScores;
  FPages.AwayScoresDefault = Preferences().AwayTeamScores;

  auto makeTool = [this](const char* text) {
    auto* b = new QToolButton(this);
    b->setText(T(text));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
  };
  FToolAdd = makeTool(N_("Add"));
  FToolAdd->setCheckable(true);
  FToolRemove = makeTool(N_("Remove"));
  FToolRemove->setEnabled(false);
  FToolStart = makeTool("");
  FToolStart->setText(C_("match viewer", "Start"));
  FToolStart->setCheckable(true);
  FToolStart->setEnabled(false);
  connect(FToolAdd, &QToolButton::clicked, this, [this] { ToolAddClick(); });
  connect(FToolRemove, &QToolButton::clicked, this, [this] { ToolRemoveClick(); });
  connect(FToolStart, &QToolButton::clicked, this, [this] { ToolStartClick(); });
  FStatus = new QLabel(T(N_("Idle")), this);
  FStatus->setFrameShape(QFrame::StyledPanel);
  FStatus->setMinimumWidth(160);
  auto* tools = new QHBoxLayout;
  tools->addWidget(FToolAdd);
  tools->addWidget(FToolRemove);
  tools->addWidget(FToolStart);
  tools->addStretch(1);
  tools->addWidget(FStatus);

  FAddPanel = new QWidget(this);
  FEditUser = new QLineEdit(Q(Preferences().UserName), FAddPanel);
  FEditCode = new QLineEdit(Q(Preferences().GetPassword()), FAddPanel);
  FEditCode->setEchoMode(QLineEdit::Password);
  FEditMatchID = new QLineEdit(FAddPanel);
  auto* buttonAdd = new QPushButton(T(N_("Add Match")), FAddPanel);
  connect(buttonAdd, &QPushButton::clicked, this, [this] { ButtonAddMatchClick(); });
  connect(FEditMatchID, &QLineEdit::returnPressed, this, [this] { ButtonAddMatchClick(); });
  auto* form = new QFormLayout(FAddPanel);
  form->addRow(T(N_("User name:")), FEditUser);
  form->addRow(T(N_("Security code:")), FEditCode);
  form->addRow(T(N_("Match ID:")), FEditMatchID);
  form->addRow(QString(), buttonAdd);
  FAddPanel->hide();

  FTabs = new QTabWidget(this);
  FTabs->setUsesScrollButtons(false);
  FTabs->tabBar()->setExpanding(false);
  connect(FTabs, &QTabWidget::currentChanged, this, [this](int index) {
    FPages.SetActiveIndex(index);
    if (index >= 0) FTabs->tabBar()->setTabTextColor(index, QColor());
  });
  FPopupMenu1 = new QMenu(this);
  QMenu* sounds = FPopupMenu1->addMenu(T(N_("Sounds")));
  FHome1 = sounds->addAction(T(N_("Home")));
  FHome1->setCheckable(true);
  FAway1 = sounds->addAction(T(N_("Away")));
  FAway1->setCheckable(true);
  FPopupMenu1->addSeparator();
  FPopupMenu1->addAction(T(N_("Remove Match")), this, [this] { ToolRemoveClick(); });
  connect(FHome1, &QAction::triggered, this, [this](bool on) {
    if (FPages.ActiveIndex() >= 0) FPages.Tab(static_cast<size_t>(FPages.ActiveIndex())).HomeScores = on;
  });
  connect(FAway1, &QAction::triggered, this, [this](bool on) {
    if (FPages.ActiveIndex() >= 0) FPages.Tab(static_cast<size_t>(FPages.ActiveIndex())).AwayScores = on;
  });
  FTabs->tabBar()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(FTabs->tabBar(), &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    if (FPages.Count() == 0) return;
    const int index = FTabs->tabBar()->tabAt(at);
    if (index >= 0) FTabs->setCurrentIndex(index);
    PopupMenu1Popup();
    FPopupMenu1->exec(FTabs->tabBar()->mapToGlobal(at));
  });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(tools);
  layout->addWidget(FAddPanel);
  layout->addWidget(FTabs, 1);

  FTimer = new QTimer(this);
  FTimer->setInterval(60000);
  FTimer->setSingleShot(true);
  connect(FTimer, &QTimer::timeout, this, [this] { TimerTimer(); });
  if (FMain) FMain->RegisterToolWindow(iiMatchViewer, this);
}

TFormMatchViewer::~TFormMatchViewer() {
  // A refresh still running holds references to the tabs: stop it and wait before they go.
  if (FWorker) {
    FWorker->Terminate();
    WaitForWorker();
  }
  if (FMain) FMain->RegisterToolWindow(iiMatchViewer, nullptr);
}

TMatchTab& TFormMatchViewer::TabPage(int index) const { return *static_cast<TMatchTab*>(FTabs->widget(index)); }

void TFormMatchViewer::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!Updating()) SetStatus(T(N_("Idle")));
}

void TFormMatchViewer::closeEvent(QCloseEvent* event) {
  if (FRefreshOn) ToolStartClick();
  if (FMain) FMain->ReleaseToolButton(iiMatchViewer);
  event->accept();
}

void TFormMatchViewer::SetStatus(const QString& text) {
  FStatus->setText(text);
  FStatus->repaint();
}

void TFormMatchViewer::WaitForWorker() {
  if (!FWorker) return;
  TSyncHook::WaitRunningCalls([this] { return FWorker->Finished(); });
  FWorker->WaitFor();
  FWorker.reset();
}

void TFormMatchViewer::ToolAddClick() {
  FAddPanel->setVisible(!FAddPanel->isVisible());
  FToolAdd->setChecked(FAddPanel->isVisible());
  if (FAddPanel->isVisible()) FEditMatchID->setFocus();
}

TMatchViewerHooks TFormMatchViewer::Hooks() {
  TMatchViewerHooks hooks;
  hooks.SetStatus = [this](const std::string& s) { SetStatus(Q(s)); };
  hooks.TabChanged = [this](TMatch& m) { ShowTab(m); };
  hooks.PlayGoal = [this] { PlayGoal(); };
  hooks.SwitchOff = [this] { SwitchOff(); };
  hooks.EnableTimer = [this] {
    if (FRefreshOn) FTimer->start();
  };
  return hooks;
}

void TFormMatchViewer::ShowTab(TMatch& match) {
  for (size_t i = 0; i < FPages.Count(); ++i) {
    if (&FPages.Tab(i) != &match) continue;
    const int index = static_cast<int>(i);
    TabPage(index).ShowState(match);
    if (!match.Caption.empty()) FTabs->setTabText(index, Q(match.Caption).replace('&', "&&"));
    FTabs->tabBar()->setTabTextColor(index, match.Highlighted ? HighlightColour : QColor());
  }
}

void TFormMatchViewer::ButtonAddMatchClick() {
  const std::string matchID = FEditMatchID->text().trimmed().toStdString();
  const std::string user = FEditUser->text().trimmed().toStdString();
  const std::string code = FEditCode->text().toStdString();
  if (matchID.empty() || user.empty() || code.empty()) return;
  if (FPages.Find(matchID) || FPages.Count() >= TMatchPages::MaxMatches) return;
  WaitForWorker();
  if (!FHttp.IsSessionAlive()) {
    SetStatus(T(N_("Logging in...")));
    if (!FHttp.Login(user, code)) {
      SetStatus(T(N_("Login failed")));
      return;
    }
  }
  SetStatus(T(N_("Adding team...")));
  try {
    FHttp.GetText(FHttp.LiveURL("&actionType=addMatch&matchID=%s", {matchID}));
  } catch (const std::exception&) {
    SetStatus(T(N_("Connection failed")));
    return;
  }
  FAddPanel->hide();
  FToolAdd->setChecked(false);
  TMatch* match = FPages.AddMatch(matchID);
  auto* page = new TMatchTab(FTabs);
  match->OnWrite = [page](const TDisplayElement& e) { page->AppendPiece(e); };
  for (const TDisplayElement& e : match->Commentary) page->AppendPiece(e);
  const int index = FTabs->addTab(page, Q(matchID));
  FTabs->setCurrentIndex(index);
  RefreshAll(FPages, FHttp, Hooks());
  UpdateToolBarButtons();
  if (!FRefreshOn) ToolStartClick();
  FToolStart->setEnabled(true);
}

void TFormMatchViewer::ToolRemoveClick() {
  WaitForWorker();
  const int index = FTabs->currentIndex();
  if (index < 0) return;
  SetStatus(T(N_("Removing team...")));
  try {
    FHttp.GetText(FHttp.LiveURL("&actionType=deleteMatch&matchID=%s",
                                {FPages.Tab(static_cast<size_t>(index)).MatchID}));
  } catch (const std::exception&) {
    SetStatus(T(N_("Connection failed")));
    return;
  }
  QWidget* page = FTabs->widget(index);
  FTabs->blockSignals(true);
  FTabs->removeTab(index);
  FTabs->blockSignals(false);
  delete page;
  FPages.Remove(static_cast<size_t>(index));
  FTabs->setCurrentIndex(FPages.ActiveIndex());
  UpdateToolBarButtons();
  SetStatus(T(N_("Idle")));
}

void TFormMatchViewer::ToolStartClick() {
  FRefreshOn = !FRefreshOn;
  const bool on = FRefreshOn;
  FToolStart->setText(on ? C_("match viewer", "Stop") : C_("match viewer", "Start"));
  FToolStart->setChecked(on);
  if (on)
    FTimer->start();
  else
    FTimer->stop();
}

void TFormMatchViewer::TimerTimer() {
  FTimer->stop();
  WaitForWorker();
  FWorker = std::make_unique<TMatchUpdates>(FPages, FHttp, Hooks());
  FWorker->Start();
}

void TFormMatchViewer::SwitchOff() {
  FRefreshOn = false;
  FTimer->stop();
  FToolStart->setChecked(false);
  FToolStart->setText(C_("match viewer", "Start"));
}

void TFormMatchViewer::PlayGoal() {
  const std::filesystem::path sound = GoalSoundFile(FProgramFolder);
  if (sound.empty()) return;  // no file: no sound, and nothing to say
  if (!FPlayer) {
    FPlayer = new QMediaPlayer(this);
    FAudio = new QAudioOutput(this);
    FPlayer->setAudioOutput(FAudio);
  }
  FPlayer->setSource(QUrl::fromLocalFile(QString::fromStdString(sound.string())));
  FPlayer->play();
}

void TFormMatchViewer::UpdateToolBarButtons() {
  FToolAdd->setEnabled(FPages.Count() < TMatchPages::MaxMatches);
  FToolRemove->setEnabled(FPages.Count() > 0);
}

void TFormMatchViewer::PopupMenu1Popup() {
  if (FPages.ActiveIndex() < 0) return;
  const TMatch& m = FPages.Tab(static_cast<size_t>(FPages.ActiveIndex()));
  FHome1->setChecked(m.HomeScores);
  FAway1->setChecked(m.AwayScores);
}
