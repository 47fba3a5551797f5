#include "ui/FormMain.h"

#include "core/DateTime.h"
#include "core/Errors.h"
#include "core/Intl.h"
#include "core/ReleaseNotes.h"
#include "data/Startup.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "download/KVIndyHTTP.h"
#include "download/TeamTitles.h"
#include "ui/FormAbout.h"
#include "ui/FormPlayerRatings.h"
#include "ui/FormPreferences.h"
#include "ui/FormWhatsNew.h"
#include "ui/Icons.h"
#include "ui/GridCsvExport.h"
#include "ui/MatchGrid.h"
#include "ui/Messages.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Q(const char* text) { return QString::fromUtf8(text); }
// The translated text of an untranslated system text.
QString T(const char* text) { return QString::fromUtf8(_(text)); }

constexpr int ToolBarHeight = 42;
constexpr int ToolIconSize = 32;
// Rows of the player grids the window is made tall enough for at the first start.
constexpr int FittedRows = 29;
// The splitters keep this many pixels for either pane.
constexpr int MinimumPane = 51;
constexpr int StartupPaneWidth = 200;

// The weather entries of the popup and the "Specialty Effects" submenu.
struct TWeatherEntry {
  const char* MenuText;
  int ImageIndex;
  const char* Hint;
};
constexpr TWeatherEntry WeatherEntries[] = {
    {N_("&Sunny"), iiSunny, N_("Sunny")},
    {N_("&Partially Cloudy"), iiPartiallyCloudy, N_("Partially cloudy")},
    {N_("&Overcast"), iiOvercast, N_("Overcast")},
    {N_("&Rainy"), iiRainy, N_("Rainy")},
    {N_("&Undefined"), iiUndefinedWeather, N_("Undefined")},
    {N_("&Disabled"), iiDisabledWeather, N_("Disabled (Default)")},
};

// Filter box items: item 0 is the box's own title (no filtering), item 1 a blank.
constexpr const char* TypeItems[] = {N_("Type"), " ", N_("Official"), N_("League"), N_("Cup"), N_("Friendly")};
constexpr const char* ResultItems[] = {N_("Result"), " ", N_("Won"), N_("Lost"), N_("Deuce")};
constexpr const char* WeatherItems[] = {N_("Weather"), " ", N_("Sunny"), N_("P. Cloudy"), N_("Overcast"),
                                        N_("Rainy")};
}  // namespace

int ComparisonPageOf(const THistory& history, int shownPage) {
  if (shownPage < 2 || shownPage > history.Count()) return 0;
  for (int a = shownPage; a >= 1; --a)
    if (!history.SameForm(shownPage, a)) return a;
  return 0;
}

// ---- Construction -------------------------------------------------------------------------------------------

TFormMain::TFormMain(std::filesystem::path programFolder, QWidget* parent)
    : QMainWindow(parent), FProgramFolder(std::move(programFolder)) {
  InitIconTheme();
  setWindowTitle(QStringLiteral("Pitchbook"));
  setWindowIcon(ProgramIcon());
  setMinimumSize(400, 500);
  resize(692, 712);
  FStatusUnit = static_cast<int>(std::lround(ToolIconSize / 4.0));
  FScrollBarSize = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  BuildActions();
  BuildMenus();
  FPages = new QTabWidget(this);
  FPages->setDocumentMode(false);
  BuildPlayersTab();
  BuildMatchesTab();
  setCentralWidget(FPages);
  BuildStatusBar();
  BuildTray();
  // Shift is seen by the window before its controls.
  qApp->installEventFilter(this);
}

TFormMain::~TFormMain() {
  qApp->removeEventFilter(this);
  // A window destroyed without its close sequence must still stop the loader before the grids go.
  StopStartup();
}

QAction* TFormMain::NewCommand(TCommand command, const char* menuText, const char* hint, int imageIndex,
                               bool checkableButton) {
  auto* menuAction = new QAction(ToolIcon(imageIndex), T(menuText), this);
  menuAction->setStatusTip(T(hint));
  auto* buttonAction = new QAction(ToolIcon(imageIndex), T(hint), this);
  buttonAction->setToolTip(T(hint));
  buttonAction->setCheckable(checkableButton);
  FMenuActions[command] = menuAction;
  FButtonActions[command] = buttonAction;
  return menuAction;
}

int TFormMain::CommandTag(TCommand command) {
  static constexpr int Tags[cmCount] = {iiTacticsAdvisor,   iiArenaAdvisor,      iiRatingAnalyzer,
                                        iiKeeperAnalyzer,   iiInjuryAnalyzer,    iiMatchViewer,
                                        iiPlayerInformation, iiAssumePassableForms, iiTraining,
                                        iiPlayerComparison, iiDisabledWeather,   iiPreferences,
                                        iiDownload,         iiHistory,           iiAddToMainGrid,
                                        iiPlayerRatings,    iiDownload};
  return Tags[command];
}

void TFormMain::BuildActions() {
  // Windows opened by number; the button stays pressed while its window is open.
  struct TWindowCommand {
    TCommand Command;
    const char* MenuText;
    const char* Hint;
    int Variant;
  };
  const TWindowCommand windowCommands[] = {
      {cmTacticsAdvisor, N_("&Tactics Advisor..."), N_("Tactics Advisor"), 0},
      {cmArenaAdvisor, N_("&Arena Advisor..."), N_("Arena Advisor"), 0},
      {cmRatingAnalyzer, N_("&Rating Analyzer..."), N_("Rating Analyzer"), 0},
      {cmKeeperAnalyzer, N_("&Keeper Analyzer..."), N_("Keeper Analyzer"), 0},
      {cmInjuryAnalyzer, N_("Injury Analyzer..."), N_("Injury Analyzer"), 0},
      {cmMatchViewer, N_("&Match Viewer..."), N_("Match Viewer"), 0},
      {cmPlayerInformation, N_("Player &Information..."), N_("Player Information"), 0},
      {cmPreferences, N_("&Preferences..."), N_("Preferences"), 0},
      {cmMyTeamDownload, N_("&My Team Download..."), N_("My Team Download"), 0},
      {cmHistory, N_("&History..."), N_("History"), 0},
      {cmPlayerRatings, N_("Player Ratings and Team Formation..."), N_("Player Ratings and Team Formation"), 0},
      {cmMatchDownload, N_("&Match Download..."), N_("Match Download"), 1},
  };
  for (const TWindowCommand& c : windowCommands) {
    NewCommand(c.Command, c.MenuText, c.Hint, CommandTag(c.Command), true);
    const int tag = CommandTag(c.Command);
    const int variant = c.Variant;
    if (c.Command == cmTacticsAdvisor) {
      connect(FMenuActions[c.Command], &QAction::triggered, this, [this] { TacticsAdvisorClick(); });
      connect(FButtonActions[c.Command], &QAction::triggered, this, [this] { TacticsAdvisorClick(); });
      continue;
    }
    if (c.Command == cmMatchDownload)
      connect(FMenuActions[c.Command], &QAction::triggered, this, [this] { MatchDownloadMenuClick(); });
    else
      connect(FMenuActions[c.Command], &QAction::triggered, this, [this, tag, variant] { ToolButtonClick(tag, variant); });
    connect(FButtonActions[c.Command], &QAction::triggered, this, [this, tag, variant] { ToolButtonClick(tag, variant); });
  }
  FMenuActions[cmPlayerInformation]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
  FMenuActions[cmPreferences]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  FMenuActions[cmMyTeamDownload]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  FMenuActions[cmMatchDownload]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));

  // The display modes: one checkable action serves menu entry and tool button, so that the button's down
  // state and the menu's check mark always change together.
  struct TModeCommand {
    TCommand Command;
    const char* MenuText;
    const char* Hint;
  };
  const TModeCommand modeCommands[] = {
      {cmAssumePassableForms, N_("Assume \"&Passable\" Forms"), N_("Assume passable forms")},
      {cmTraining, N_("&Training"), N_("Training")},
      {cmPlayerComparison, N_("Player Comparison"), N_("Player comparison")},
  };
  for (const TModeCommand& c : modeCommands) {
    auto* action = new QAction(ToolIcon(CommandTag(c.Command)), T(c.MenuText), this);
    action->setCheckable(true);
    action->setToolTip(T(c.Hint));
    action->setStatusTip(T(c.Hint));
    FMenuActions[c.Command] = action;
    FButtonActions[c.Command] = action;
  }
  connect(FMenuActions[cmAssumePassableForms], &QAction::triggered, this, [this] { SetModesOnGrids(); });
  connect(FMenuActions[cmTraining], &QAction::triggered, this, [this] { SetModesOnGrids(); });
  connect(FMenuActions[cmPlayerComparison], &QAction::triggered, this, [this] {
    // The page compared with follows the snapshot the history window shows at the moment of the switch.
    FComparisonPage = ComparisonPageOf(History(), FShownHistoryPage);
    SetModesOnGrids();
  });

  // Add to Main Grid.
  NewCommand(cmAddToMainGrid, N_("&Add to Main Grid"), N_("Add to Main Grid"), iiAddToMainGrid, false);
  connect(FMenuActions[cmAddToMainGrid], &QAction::triggered, this, [this] { AddToMainGridClick(); });
  connect(FButtonActions[cmAddToMainGrid], &QAction::triggered, this, [this] { AddToMainGridClick(); });

  // The weather: a popup shared by the drop-down button and the "Specialty Effects" submenu.
  FPopupMenuWeather = new QMenu(this);
  FWeatherGroup = new QActionGroup(this);
  FWeatherGroup->setExclusive(true);
  for (const TWeatherEntry& entry : WeatherEntries) {
    auto* action = new QAction(ToolIcon(entry.ImageIndex), T(entry.MenuText), FWeatherGroup);
    action->setCheckable(true);
    action->setChecked(entry.ImageIndex == iiDisabledWeather);
    action->setData(entry.ImageIndex);
    action->setToolTip(T(entry.Hint));
    action->setStatusTip(T(entry.Hint));
    const int image = entry.ImageIndex;
    connect(action, &QAction::triggered, this, [this, image] { ChooseWeather(image); });
    FPopupMenuWeather->addAction(action);
  }
  auto* weatherButtonAction = new QAction(ToolIcon(iiDisabledWeather), QString(), this);
  connect(weatherButtonAction, &QAction::triggered, this, [this] { ApplyWeather(); });
  FButtonActions[cmWeather] = weatherButtonAction;
  auto* weatherMenu = new QMenu(T(N_("&Specialty Effects")), this);
  weatherMenu->addActions(FPopupMenuWeather->actions());
  FMenuActions[cmWeather] = weatherMenu->menuAction();

  // Enabled at creation: Keeper Analyzer, Assume passable forms, Preferences, Add to Main Grid, the
  // weather, the Match Viewer's menu entry and Player Ratings (it shows a grid's match).
  for (TCommand command : {cmKeeperAnalyzer, cmAssumePassableForms, cmPreferences, cmAddToMainGrid, cmWeather,
                           cmMatchViewer, cmPlayerRatings})
    FRuleEnabled[command] = true;

  // The player grids' popup.
  FPopupMenuPlayer = new QMenu(this);
  QMenu* listMenu = FPopupMenuPlayer->addMenu(T(N_("&List")));
  FListAdd = listMenu->addAction(T(N_("&Add")), this, [this] { ListAddClick(); });
  FListAdd->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
  FListClear = listMenu->addAction(T(N_("Clear")), this, [this] { ListClearClick(); });
  FListCopy = listMenu->addAction(T(N_("&Copy to Clipboard")), this, [this] { CopyToClipboardClick(); });
  FListCopy->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A));
  FListCopyAll = listMenu->addAction(T(N_("Copy All to Clipboard")), this, [this] { CopyAllToClipboardClick(); });
  listMenu->addSeparator();
  FListCount = listMenu->addAction(QString());
  FListCount->setEnabled(false);
  FPopupPlayerInformation = FPopupMenuPlayer->addAction(ToolIcon(iiPlayerInformation), T(N_("Player &Information")),
                                                        this, [this] { ToolButtonClick(iiPlayerInformation); });
  FPopupMenuPlayer->addSeparator();
  FPopupExportKeeper = FPopupMenuPlayer->addAction(T(N_("Export to Keeper Analyzer")), this,
                                                   [this] { ExportToKeeperAnalyzerClick(); });
  FPopupExportInjury = FPopupMenuPlayer->addAction(T(N_("Export to Injury Analyzer")), this,
                                                   [this] { ExportToInjuryAnalyzerClick(); });
  FPopupMenuPlayer->addSeparator();
  FPopupAdd = FPopupMenuPlayer->addAction(T(N_("&Add")), this, [this] { PopupAddClick(); });
  FPopupMove = FPopupMenuPlayer->addAction(T(N_("&Move")), this, [this] { PopupMoveClick(); });
  FPopupMenuPlayer->addSeparator();
  FPopupDelete = FPopupMenuPlayer->addAction(ThemeIcon("edit-delete"), T(N_("Delete Player")), this,
                                             [this] { DeletePlayerClick(); });
  FPopupMenuPlayer->addSeparator();
  FPopupMenuPlayer->addAction(T(ExportCsvCaption), this, [this] { ExportGridAsCsv(FocusedPlayerGrid(), this); });
  connect(FPopupMenuPlayer, &QMenu::aboutToShow, this, [this] { UpdatePopupMenu(); });
  // The list shortcuts work while the popup is closed.
  addAction(FListAdd);
  addAction(FListCopy);
  UpdatePopupMenu();
}

void TFormMain::BuildMenus() {
  QMenu* fileMenu = menuBar()->addMenu(T(N_("&File")));
  QAction* exitAction = fileMenu->addAction(ThemeIcon("application-exit"), T(N_("E&xit")), this, &QWidget::close);
  exitAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

  QMenu* playersMenu = menuBar()->addMenu(T(N_("Players Grid")));
  playersMenu->addAction(T(N_("Main Grid")))->setEnabled(false);
  playersMenu->addAction(ThemeIcon("document-open"), T(N_("&Open...")), this, [this] { OpenClick(true); });
  playersMenu->addAction(ThemeIcon("edit-clear"), T(N_("C&lear")), this, [this] { ClearGridClick(true); });
  playersMenu->addSeparator();
  playersMenu->addAction(FMenuActions[cmPlayerInformation]);
  playersMenu->addAction(FMenuActions[cmAssumePassableForms]);
  playersMenu->addAction(FMenuActions[cmTraining]);
  playersMenu->addAction(FMenuActions[cmPlayerComparison]);
  playersMenu->addAction(FMenuActions[cmWeather]);
  playersMenu->addSeparator();
  playersMenu->addAction(T(N_("Temporary Grid")))->setEnabled(false);
  playersMenu->addAction(ThemeIcon("document-open"), T(N_("&Open...")), this, [this] { OpenClick(false); });
  playersMenu->addAction(ThemeIcon("edit-clear"), T(N_("C&lear")), this, [this] { ClearGridClick(false); });
  playersMenu->addSeparator();
  playersMenu->addAction(FMenuActions[cmMyTeamDownload]);
  playersMenu->addAction(FMenuActions[cmHistory]);
  playersMenu->addAction(FMenuActions[cmAddToMainGrid]);

  QMenu* matchesMenu = menuBar()->addMenu(T(N_("Matches Grid")));
  // Two entries of the same name: the grid each acts on is named above it.
  matchesMenu->addAction(T(N_("Main Grid")))->setEnabled(false);
  FDeleteMatchM = matchesMenu->addAction(ThemeIcon("edit-delete"), T(N_("Delete Match")), this,
                                         [this] { DeleteMatchClick(true); });
  matchesMenu->addAction(T(N_("Temporary Grid")))->setEnabled(false);
  FDeleteMatchT = matchesMenu->addAction(ThemeIcon("edit-delete"), T(N_("Delete Match")), this,
                                         [this] { DeleteMatchClick(false); });
  matchesMenu->addSeparator();
  matchesMenu->addAction(FMenuActions[cmPlayerRatings]);
  matchesMenu->addAction(FMenuActions[cmMatchDownload]);

  QMenu* toolsMenu = menuBar()->addMenu(T(N_("&Tools")));
  for (TCommand command :
       {cmTacticsAdvisor, cmArenaAdvisor, cmRatingAnalyzer, cmKeeperAnalyzer, cmInjuryAnalyzer, cmMatchViewer})
    toolsMenu->addAction(FMenuActions[command]);

  QMenu* viewMenu = menuBar()->addMenu(T(N_("&View")));
  viewMenu->addAction(FMenuActions[cmPreferences]);

  QMenu* helpMenu = menuBar()->addMenu(T(N_("&Help")));
  // One window of each, made on first use and kept; the notes are read again at every opening.
  FWhatsNew = helpMenu->addAction(T(N_("&What's New...")), this, [this] {
    auto* form = findChild<TFormWhatsNew*>();
    if (!form) form = new TFormWhatsNew(ReleaseNotesCandidates(), PITCHBOOK_VERSION, this);
    form->Reload();
    form->show();
    form->raise();
    form->activateWindow();
  });
  helpMenu->addSeparator();
  helpMenu->addAction(ThemeIcon("help-about"), T(N_("&About...")), this, [this] {
    auto* form = findChild<TFormAbout*>();
    if (!form) form = new TFormAbout(FProgramFolder, this);
    form->show();
    form->raise();
    form->activateWindow();
  });
}

QToolBar* TFormMain::NewToolBar(QWidget* parent) {
  auto* bar = new QToolBar(parent);
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(ToolIconSize, ToolIconSize));
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  bar->setMinimumHeight(ToolBarHeight);
  return bar;
}

void TFormMain::BuildPlayersTab() {
  auto* page = new QWidget(FPages);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* top = NewToolBar(page);
  top->addAction(FButtonActions[cmTacticsAdvisor]);
  top->addAction(FButtonActions[cmArenaAdvisor]);
  top->addSeparator();
  top->addAction(FButtonActions[cmRatingAnalyzer]);
  top->addAction(FButtonActions[cmKeeperAnalyzer]);
  top->addAction(FButtonActions[cmInjuryAnalyzer]);
  top->addAction(FButtonActions[cmMatchViewer]);
  FButtonActions[cmMatchViewer]->setVisible(false);
  top->addSeparator();
  top->addAction(FButtonActions[cmPlayerInformation]);
  top->addAction(FButtonActions[cmAssumePassableForms]);
  top->addAction(FButtonActions[cmTraining]);
  top->addAction(FButtonActions[cmPlayerComparison]);
  FWeatherButton = new QToolButton(top);
  FWeatherButton->setDefaultAction(FButtonActions[cmWeather]);
  FWeatherButton->setMenu(FPopupMenuWeather);
  FWeatherButton->setPopupMode(QToolButton::MenuButtonPopup);
  FWeatherButton->setIconSize(QSize(ToolIconSize, ToolIconSize));
  top->addWidget(FWeatherButton);
  top->addSeparator();
  top->addAction(FButtonActions[cmPreferences]);
  layout->addWidget(top);

  FPlayersSplitter = new QSplitter(Qt::Vertical, page);
  FPlayersSplitter->setChildrenCollapsible(false);
  layout->addWidget(FPlayersSplitter, 1);

  auto* bottomRow = new QWidget(page);
  auto* bottomLayout = new QHBoxLayout(bottomRow);
  bottomLayout->setContentsMargins(0, 0, 4, 0);
  auto* bottom = NewToolBar(bottomRow);
  bottom->addAction(FButtonActions[cmMyTeamDownload]);
  bottom->addAction(FButtonActions[cmHistory]);
  bottom->addSeparator();
  bottom->addAction(FButtonActions[cmAddToMainGrid]);
  bottomLayout->addWidget(bottom, 1);
  auto* badge = new QLabel(bottomRow);
  badge->setPixmap(CKPPBadge());
  badge->setToolTip(T(N_("Data from Kickvale's product-provider interface (CKPP)")));
  bottomLayout->addWidget(badge);
  layout->addWidget(bottomRow);
  FPages->addTab(page, T(N_("Players")));
}

QWidget* TFormMain::BuildFilterPanel(bool main) {
  auto* panel = new QWidget;
  auto* grid = new QGridLayout(panel);
  grid->setContentsMargins(2, 1, 2, 1);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(1);
  auto* team = new QComboBox(panel);
  team->setMinimumContentsLength(24);
  team->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  team->setToolTip(T(N_("Team")));
  grid->addWidget(team, 0, 0, 1, 3);
  auto newFilterBox = [&](const auto& items, int column) {
    auto* box = new QComboBox(panel);
    for (const char* item : items) box->addItem(item[0] == ' ' ? QStringLiteral(" ") : T(item));
    box->setCurrentIndex(0);
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    grid->addWidget(box, 1, column);
    return box;
  };
  QComboBox* type = newFilterBox(TypeItems, 0);
  QComboBox* result = newFilterBox(ResultItems, 1);
  QComboBox* weather = newFilterBox(WeatherItems, 2);
  (main ? FTeamBoxM : FTeamBoxT) = team;
  (main ? FTypeBoxM : FTypeBoxT) = type;
  (main ? FResultBoxM : FResultBoxT) = result;
  (main ? FWeatherBoxM : FWeatherBoxT) = weather;
  connect(team, &QComboBox::activated, this, [this, main] { TeamBoxChange(main); });
  for (QComboBox* box : {type, result, weather}) {
    connect(box, &QComboBox::activated, this, [this, main, box] { FilterBoxChange(main, *box); });
    // The cream is the box's own; its drop-down has readable colours of its own for the current item.
    box->setStyleSheet(QStringLiteral("QComboBox { background-color: rgb(255, 251, 240); }"
                                      "QComboBox QAbstractItemView { background-color: white; color: black;"
                                      " selection-background-color: rgb(0, 120, 215); selection-color: white; }"
));
    // The style's menu-like drop-down paints its items with the box's own colours (white text on the
    // cream for the current one); a plain item delegate paints them with the drop-down's colours above.
    box->setItemDelegate(new QStyledItemDelegate(box));
  }
  return panel;
}

void TFormMain::BuildMatchesTab() {
  auto* page = new QWidget(FPages);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* top = NewToolBar(page);
  top->addWidget(BuildFilterPanel(true));
  top->addSeparator();
  top->addAction(FButtonActions[cmPlayerRatings]);
  layout->addWidget(top);

  FMatchesSplitter = new QSplitter(Qt::Vertical, page);
  FMatchesSplitter->setChildrenCollapsible(false);
  layout->addWidget(FMatchesSplitter, 1);

  auto* bottomRow = new QWidget(page);
  auto* bottomLayout = new QHBoxLayout(bottomRow);
  bottomLayout->setContentsMargins(0, 0, 4, 0);
  auto* bottom = NewToolBar(bottomRow);
  bottom->addWidget(BuildFilterPanel(false));
  bottom->addSeparator();
  bottom->addAction(FButtonActions[cmMatchDownload]);
  bottomLayout->addWidget(bottom, 1);
  auto* badge = new QLabel(bottomRow);
  badge->setPixmap(CKPPBadge());
  bottomLayout->addWidget(badge);
  layout->addWidget(bottomRow);
  FPages->addTab(page, T(N_("Matches")));
}

void TFormMain::BuildStatusBar() {
  auto newPane = [this] {
    auto* pane = new QLabel(this);
    QFont bold = pane->font();
    bold.setBold(true);
    pane->setFont(bold);
    pane->setAlignment(Qt::AlignCenter);
    pane->setFrameShape(QFrame::StyledPanel);
    pane->setFrameShadow(QFrame::Sunken);
    return pane;
  };
  FColumnPane = newPane();
  FInfoPane = newPane();
  FStartupPane = new QLabel(this);
  FStartupPane->setAlignment(Qt::AlignCenter);
  FStartupPane->setFixedWidth(StartupPaneWidth);
  FStartupPane->hide();
  FProgressBar = new QProgressBar(this);
  FProgressBar->setRange(0, 100);
  FProgressBar->setFixedWidth(150);
  FProgressBar->setMaximumHeight(16);
  FProgressBar->setTextVisible(false);
  FProgressBar->hide();
  statusBar()->addWidget(FColumnPane);
  statusBar()->addWidget(FInfoPane);
  statusBar()->addPermanentWidget(FStartupPane);
  statusBar()->addPermanentWidget(FProgressBar);
}

void TFormMain::BuildTray() {
  FTrayIcon = new QSystemTrayIcon(ProgramIcon(), this);
  FTrayIcon->setToolTip(QStringLiteral("Pitchbook"));
  auto* menu = new QMenu(this);
  auto restore = [this] {
    FTrayIcon->hide();
    showNormal();
    activateWindow();
  };
  menu->addAction(T(N_("&Show")), this, restore);
  menu->addAction(T(N_("E&xit")), this, &QWidget::close);
  FTrayIcon->setContextMenu(menu);
  connect(FTrayIcon, &QSystemTrayIcon::activated, this, [restore](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) restore();
  });
}

// ---- FormCreate -------------------------------------------------------------------------------------------------

bool TFormMain::FormCreate() {
  ApplyProgramFormatSettings();
  auto& prefs = Preferences();
  prefs.ProgramFolder = FProgramFolder;
  if (auto loaded = prefs.Load(); !loaded) ShowErrorMessage(this, Q(loaded.Message));
  FFolders = std::make_unique<TProgramFolders>(FProgramFolder, prefs.UseAlternateHistoryPath,
                                               prefs.AlternateHistoryPath);
  FShiftHeld = false;
  try {
    FFolders->CreateDataFolders();
  } catch (const EInOutError& e) {
    ShowErrorMessage(this, Q(e.what()));
    return false;
  }
  FHTTP = std::make_unique<TKVIndyHTTP>(prefs, FFolders->WorkFolder());
  FHTTP->SetReadTimeout(TKVIndyHTTP::DefaultReadTimeout);
  FClipboardList = std::make_unique<TPlayerList>(wDisabled, false, false);
  CreateGrids();

  // The grids as they were left; a missing or unreadable grid file leaves the grid empty.
  const auto& work = FFolders->WorkFolder();
  for (auto [grid, name] : {std::pair{FPlayerGridM, "PlayerGridMain.mgf"}, std::pair{FPlayerGridT, "PlayerGridTemp.mgf"}}) {
    try {
      grid->LoadFromFile(work / name);
    } catch (const EPitchbookError&) {
      grid->Clear();
    }
  }
  FPlayerGridM->SortPlayers(0, sfAscending, fkText);
  FPlayerGridT->SortPlayers(0, sfAscending, fkText);
  FMatchGridM->SortMatches(1, sfDescending, fkInteger);
  FMatchGridT->SortMatches(1, sfDescending, fkInteger);

  RefreshTeamTitles();
  RestoreMatchGrids();

  FFormPreferences = std::make_unique<TFormPreferences>(FProgramFolder, [this] { ApplyColumnPreferences(); }, this);
  connect(FFormPreferences.get(), &TFormPreferences::Closed, this, [this] { ReleaseToolButton(iiPreferences); });
  RegisterToolWindow(iiPreferences, FFormPreferences.get());

  // The match grids' double click shows the player ratings window; its Prev and Next walk the grid whose
  // match it shows. The window presses and releases its tool button itself.
  FFormPlayerRatings = std::make_unique<TFormPlayerRatings>(this);
  // Prev / Next walk the second match grid when it is this window's active control, else the first (the
  // window's focus widget stays while the ratings window is in front).
  FFormPlayerRatings->SetGridChooser([this] { return focusWidget() == FMatchGridT ? FMatchGridT : FMatchGridM; });
  FFormPlayerRatings->AttachGrid(FMatchGridM);
  FFormPlayerRatings->AttachGrid(FMatchGridT);
  connect(FFormPlayerRatings.get(), &TFormPlayerRatings::Opened, this,
          [this] { FButtonActions[cmPlayerRatings]->setChecked(true); });
  connect(FFormPlayerRatings.get(), &TFormPlayerRatings::Closed, this, [this] { ReleaseToolButton(iiPlayerRatings); });
  RegisterToolWindow(iiPlayerRatings, FFormPlayerRatings.get());

  FCreated = true;
  for (int c = 0; c < cmCount; ++c) UpdateCommandEnabled(static_cast<TCommand>(c));
  return true;
}

void TFormMain::CreateGrids() {
  FPlayerGridM = new TPlayerGrid(FPlayersSplitter);
  FPlayerGridT = new TPlayerGrid(FPlayersSplitter);
  FMatchGridM = new TMatchGrid(FMatchesSplitter);
  FMatchGridT = new TMatchGrid(FMatchesSplitter);
  FPlayersSplitter->addWidget(FPlayerGridM);
  FPlayersSplitter->addWidget(FPlayerGridT);
  FMatchesSplitter->addWidget(FMatchGridM);
  FMatchesSplitter->addWidget(FMatchGridT);
  FPlayersSplitter->setStretchFactor(0, 81);
  FPlayersSplitter->setStretchFactor(1, 19);
  FMatchesSplitter->setStretchFactor(0, 56);
  FMatchesSplitter->setStretchFactor(1, 44);
  for (QSplitter* splitter : {FPlayersSplitter, FMatchesSplitter})
    connect(splitter, &QSplitter::splitterMoved, this, [this, splitter] { ClampSplitter(*splitter); });
  for (TPlayerGrid* grid : {FPlayerGridM, FPlayerGridT}) {
    grid->SetPopupMenu(FPopupMenuPlayer);
    connect(grid, &TAdvGrid::CurrentCellChanged, this, [this] { UpdatePopupMenu(); });
  }
  for (TMatchGrid* grid : {FMatchGridM, FMatchGridT}) grid->SetMatchesFolder(FFolders->MatchesFolder());
  for (TAdvGrid* grid : std::initializer_list<TAdvGrid*>{FPlayerGridM, FPlayerGridT, FMatchGridM, FMatchGridT}) {
    grid->setMinimumHeight(MinimumPane);
    connect(grid, &TAdvGrid::ColumnPaneChanged, FColumnPane, &QLabel::setText);
    connect(grid, &TAdvGrid::InfoPaneChanged, FInfoPane, &QLabel::setText);
    // Columns follow the grid's width (the viewport shrinks when the scroll bar appears).
    grid->viewport()->installEventFilter(this);
    grid->setProperty("pbGrid", true);
  }
  SetModesOnGrids();
}

// ---- Window size, splitters and columns -------------------------------------------------------------------------

void TFormMain::ApplyInitialSplits() {
  const int players = std::max(FPlayersSplitter->height(), 100);
  FPlayersSplitter->setSizes({players * 81 / 100, players - players * 81 / 100});
  const int matches = std::max(FMatchesSplitter->height(), 100);
  FMatchesSplitter->setSizes({matches * 56 / 100, matches - matches * 56 / 100});
}

void TFormMain::ClampSplitter(QSplitter& splitter) {
  const QList<int> sizes = splitter.sizes();
  if (sizes.size() != 2) return;
  const int total = sizes[0] + sizes[1];
  const int low = std::max(total / 10, MinimumPane);
  const int high = std::min(total - total / 10, total - MinimumPane);
  const int upper = std::clamp(sizes[0], std::min(low, high), std::max(low, high));
  if (upper != sizes[0]) splitter.setSizes({upper, total - upper});
}

void TFormMain::FitWindowToGrids() {
  // Wide enough for every shown player column at its default width and a scroll bar; tall enough for 29
  // rows in the two player grids together.
  int columns = 0;
  for (int c = 0; c < PlayerColumnCount; ++c)
    if (Preferences().GetPlayerColumn(c)) columns += FPlayerGridM->TitleFitWidth(c) + 1;
  // The grid's room without its frame, as the column fitting counts it (a shown scroll bar is part of it).
  const int gridWidth = FPlayerGridM->width() - 2 * FPlayerGridM->frameWidth();
  const int frameWidth = width() - gridWidth;
  const int wanted = columns + FScrollBarSize + frameWidth;
  const int rowHeight = TAdvGrid::DefaultRowHeight + 1;
  const int gridsHeight = FPlayerGridM->height() + FPlayerGridT->height();
  const int frameHeight = height() - gridsHeight;
  int wantedHeight = frameHeight + FittedRows * rowHeight;
  // The temporary grid gets at least 90 pixels.
  wantedHeight = std::max(wantedHeight, frameHeight + 90 * 100 / 19);
  QSize size(std::max(wanted, minimumWidth()), std::max(wantedHeight, minimumHeight()));
  if (const QScreen* screen = this->screen() ? this->screen() : QApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    size = size.boundedTo(area.size() - frame);
    resize(size);
    move(area.center() - QPoint(size.width() / 2, size.height() / 2) - QPoint(frame.width() / 2, frame.height() / 2));
  } else {
    resize(size);
  }
}

void TFormMain::FitColumns(TAdvGrid& grid) {
  const bool players = &grid == FPlayerGridM || &grid == FPlayerGridT;
  auto shown = [&](int c) {
    return players ? Preferences().GetPlayerColumn(c) : Preferences().GetMatchColumn(c);
  };
  // The room always leaves out a scroll bar, shown or not, so that a grid that scrolls and one that does not
  // get the same widths and their columns line up.
  const int available = grid.width() - 2 * grid.frameWidth() - FScrollBarSize;
  if (available <= 0) return;
  int total = 0;
  for (int c = 0; c < grid.ColCount(); ++c)
    if (shown(c)) total += grid.TitleFitWidth(c) + 1;
  if (total <= 0) return;
  const double factor = static_cast<double>(available) / total;
  int sum = 0;
  for (int c = 1; c < grid.ColCount(); ++c) {
    if (!shown(c)) {
      grid.SetColWidth(c, -1);
      continue;
    }
    const int defaultWidth = grid.TitleFitWidth(c);
    const int width = std::max(defaultWidth, static_cast<int>(defaultWidth * factor));
    grid.SetColWidth(c, width);
    sum += width + 1;
  }
  // The name column takes what is left.
  grid.SetColWidth(0, std::max(grid.TitleFitWidth(0), available - sum - 1));
}

void TFormMain::FitAllColumns() {
  if (!FCreated) return;
  for (TAdvGrid* grid : std::initializer_list<TAdvGrid*>{FPlayerGridM, FPlayerGridT, FMatchGridM, FMatchGridT})
    FitColumns(*grid);
}

void TFormMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RzStatusBarResize();
}

void TFormMain::RzStatusBarResize() {
  const int barWidth = statusBar()->width();
  const int fixed = (FStartupPane->isVisibleTo(this) ? StartupPaneWidth : 0) +
                    (FProgressBar->isVisibleTo(this) ? FProgressBar->width() : 0);
  const int columnWidth = std::max(0, std::min((barWidth - fixed) / 2, 25 * FStatusUnit));
  FColumnPane->setFixedWidth(columnWidth);
  FInfoPane->setFixedWidth(std::max(0, std::min(barWidth - fixed - columnWidth - 24, StartupPaneWidth)));
}

bool TFormMain::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Shift) FShiftHeld = event->type() == QEvent::KeyPress;
      break;
    }
    case QEvent::Resize:
      if (FCreated && watched->parent() && watched->parent()->property("pbGrid").toBool())
        FitColumns(*static_cast<TAdvGrid*>(watched->parent()));
      break;
    default:
      break;
  }
  return QMainWindow::eventFilter(watched, event);
}

bool TFormMain::ShiftHeld() const {
  return FShiftHeld || (QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier);
}

void TFormMain::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() != QEvent::WindowStateChange) return;
  // Minimised into the tray: only where the platform has one, else the window could not come back.
  if ((windowState() & Qt::WindowMinimized) && QSystemTrayIcon::isSystemTrayAvailable()) {
    FTrayIcon->show();
    QTimer::singleShot(0, this, &QWidget::hide);
  }
}

// ---- Commands and tool windows ------------------------------------------------------------------------------------

bool TFormMain::IsCommandEnabled(TCommand command) const { return FMenuActions[command]->isEnabled(); }

void TFormMain::SetCommandEnabled(TCommand command, bool enabled) {
  FRuleEnabled[command] = enabled;
  UpdateCommandEnabled(command);
}

void TFormMain::UpdateCommandEnabled(TCommand command) {
  bool available = true;
  switch (command) {
    case cmAssumePassableForms:
    case cmTraining:
    case cmPlayerComparison:
    case cmWeather:
    case cmAddToMainGrid:
      break;
    default:
      available = ToolWindow(CommandTag(command)) != nullptr;
  }
  const bool enabled = FRuleEnabled[command] && available;
  FMenuActions[command]->setEnabled(enabled);
  FButtonActions[command]->setEnabled(enabled);
  if (command == cmKeeperAnalyzer || command == cmInjuryAnalyzer || command == cmPlayerInformation)
    UpdatePopupMenu();
}

void TFormMain::RegisterToolWindow(int tag, QWidget* window, std::function<void(int variant)> open) {
  if (tag < 0 || tag >= static_cast<int>(FToolWindows.size())) return;
  FToolWindows[static_cast<size_t>(tag)] = {window, std::move(open)};
  for (int c = 0; c < cmCount; ++c)
    if (CommandTag(static_cast<TCommand>(c)) == tag) UpdateCommandEnabled(static_cast<TCommand>(c));
}

QWidget* TFormMain::ToolWindow(int tag) const {
  if (tag < 0 || tag >= static_cast<int>(FToolWindows.size())) return nullptr;
  return FToolWindows[static_cast<size_t>(tag)].Window;
}

void TFormMain::ReleaseToolButton(int tag) {
  for (int c = 0; c < cmCount; ++c) {
    const auto command = static_cast<TCommand>(c);
    if (CommandTag(command) == tag && FButtonActions[command]->isCheckable() &&
        FButtonActions[command] != FMenuActions[command])
      FButtonActions[command]->setChecked(false);
  }
}

void TFormMain::ToolButtonClick(int tag, int variant) {
  QWidget* window = ToolWindow(tag);
  if (!window) {
    ReleaseToolButton(tag);
    return;
  }
  // Press the button of the command (of the download window: the one of the page asked for).
  for (int c = 0; c < cmCount; ++c) {
    const auto command = static_cast<TCommand>(c);
    if (CommandTag(command) != tag) continue;
    if (tag == iiDownload && (command == cmMatchDownload) != (variant == 1)) continue;
    FButtonActions[command]->setChecked(true);
  }
  if (window->isVisible()) {
    window->raise();
    window->activateWindow();
    return;
  }
  const auto& entry = FToolWindows[static_cast<size_t>(tag)];
  switch (tag) {
    case iiPlayerInformation:
      // The history graphs open for the main grid's current player and column.
      FPlayerGridM->DblClick();
      // No snapshot, or the mouse not on a cell: no window opened, so the button does not stay down.
      if (!window->isVisible()) ReleaseToolButton(tag);
      break;
    case iiPlayerRatings:
      // The grid's current match; the window shows even when the grid has none, so that the pressed
      // button has its window.
      FFormPlayerRatings->ShowForGrid(focusWidget() == FMatchGridT ? FMatchGridT : FMatchGridM);
      break;
    default:
      if (entry.Open)
        entry.Open(variant);
      else
        window->show();
  }
}

void TFormMain::UpdateToolButtons() {
  const int pages = History().Count();
  if (pages >= 1) SetCommandEnabled(cmRatingAnalyzer, true);
  if (pages >= 2) {
    SetCommandEnabled(cmTraining, true);
    SetCommandEnabled(cmPlayerComparison, true);
  }
}

std::string TFormMain::ComboBoxIDText(const QComboBox& box) { return TeamIDOfTitle(box.currentText().toStdString()); }

void TFormMain::SetShownHistoryPage(int page) { FShownHistoryPage = page; }

void TFormMain::UpdatePopupMenu() {
  if (!FListCount) return;
  const int count = FClipboardList ? FClipboardList->Count() : 0;
  FListCount->setText(Q(FormatText(_("Count: %d"), count)));
  FListCopy->setEnabled(count > 0);
  const bool mainFocused = FPlayerGridM && &FocusedPlayerGrid() == FPlayerGridM;
  FPopupPlayerInformation->setVisible(mainFocused);
  FPopupPlayerInformation->setEnabled(FMenuActions[cmPlayerInformation]->isEnabled());
  FPopupExportKeeper->setEnabled(ToolWindow(iiKeeperAnalyzer) != nullptr);
  FPopupExportInjury->setEnabled(ToolWindow(iiInjuryAnalyzer) != nullptr);
  FPopupAdd->setText(mainFocused ? T(N_("&Add to Temp Grid")) : T(N_("&Add to Main Grid")));
  FPopupMove->setText(mainFocused ? T(N_("&Move to Temp Grid")) : T(N_("&Move to Main Grid")));
}

void TFormMain::ApplyColumnPreferences() {
  auto& prefs = Preferences();
  if (!prefs.ColumnsChanged || !FCreated) return;
  for (TPlayerGrid* grid : {FPlayerGridM, FPlayerGridT})
    for (int c = 0; c < PlayerColumnCount; ++c)
      if (grid->IsColumnVisible(c) != prefs.GetPlayerColumn(c)) grid->SetColumnVisible(c, prefs.GetPlayerColumn(c));
  for (TMatchGrid* grid : {FMatchGridM, FMatchGridT})
    for (int c = 0; c < MatchColumnCount; ++c)
      if (grid->IsColumnVisible(c) != prefs.GetMatchColumn(c)) grid->SetColumnVisible(c, prefs.GetMatchColumn(c));
  prefs.ColumnsChanged = false;
  FitAllColumns();
}
