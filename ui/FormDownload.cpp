#include "ui/FormDownload.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "download/DlMatch.h"
#include "download/DlMyTeam.h"
#include "download/DlTeamList.h"
#include "download/KVIndyHTTP.h"
#include "ui/FormMain.h"
#include "ui/Icons.h"
#include "ui/Messages.h"
#include "ui/MyTeamDisplay.h"
#include "ui/PlayerGrid.h"
#include "ui/SyncHook.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHideEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace fs = std::filesystem;

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
QString T(const char* text) { return QString::fromUtf8(_(text)); }

// The report's colours on its black background.
QColor MessageColour(TDlMessageKind kind) {
  switch (kind) {
    case TDlMessageKind::Notice:
      return QColor(0x00, 0xff, 0xff);  // aqua
    case TDlMessageKind::Error:
      return QColor(0xff, 0xff, 0x00);  // yellow
    case TDlMessageKind::Info:
    case TDlMessageKind::Heading:
      break;
  }
  return QColor(0x00, 0xff, 0x00);  // green
}

enum TListColumn { lcTeam, lcLeague, lcName };
}  // namespace

TFormDownload::TFormDownload(TFormMain& main) : QDialog(&main), FMain(main) {
  setWindowTitle(T(N_("Download")));
  setWindowIcon(ToolIcon(iiDownload));
  setModal(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);

  // Top: the two pages on the left, login and options on the right.
  auto* top = new QHBoxLayout;
  FPageControl = new QTabWidget(this);
  FPageControl->addTab(BuildMyTeamPage(), T(N_("My Team")));
  FPageControl->addTab(BuildMatchPage(), T(N_("Match")));
  top->addWidget(FPageControl, 1);

  auto* side = new QVBoxLayout;
  auto* userBox = new QGroupBox(T(N_("User name")), this);
  auto* userLayout = new QVBoxLayout(userBox);
  FEditUserName = new QLineEdit(userBox);
  userLayout->addWidget(FEditUserName);
  auto* codeBox = new QGroupBox(T(N_("Security code")), this);
  auto* codeLayout = new QVBoxLayout(codeBox);
  FEditSecurityCode = new QLineEdit(codeBox);
  FEditSecurityCode->setEchoMode(QLineEdit::Password);
  codeLayout->addWidget(FEditSecurityCode);
  FCheckUpdateExisting = new QCheckBox(T(N_("Update existing data")), this);
  FCheckUpdateExisting->setChecked(true);
  FCheckSwitchLoginServer = new QCheckBox(T(N_("Switch login server")), this);
  side->addWidget(userBox);
  side->addWidget(codeBox);
  side->addSpacing(4);
  side->addWidget(FCheckUpdateExisting);
  side->addWidget(FCheckSwitchLoginServer);
  side->addStretch(1);
  top->addLayout(side);
  layout->addLayout(top, 3);

  layout->addWidget(new QLabel(T(N_("Connection Report:")), this));
  FReport = new QTextEdit(this);
  FReport->setReadOnly(true);
  FReport->setUndoRedoEnabled(false);
  FReport->setLineWrapMode(QTextEdit::WidgetWidth);
  FReport->setStyleSheet(QStringLiteral("QTextEdit { background-color: black; color: #c0c0c0; }"));
  FReport->setMinimumHeight(120);
  layout->addWidget(FReport, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  FButtonDownload = new QPushButton(this);
  FButtonClose = new QPushButton(T(N_("Close")), this);
  for (QPushButton* button : {FButtonDownload, FButtonClose}) {
    // Enter belongs to FormKeyDown, not to a default button.
    button->setAutoDefault(false);
    button->setMinimumWidth(96);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);

  connect(FButtonDownload, &QPushButton::clicked, this, &TFormDownload::ButtonDownloadClick);
  connect(FButtonClose, &QPushButton::clicked, this, &TFormDownload::ButtonCloseClick);
  connect(FEditUserName, &QLineEdit::textChanged, this, &TFormDownload::EditChange);
  connect(FEditSecurityCode, &QLineEdit::textChanged, this, &TFormDownload::EditChange);
  connect(FPageControl->tabBar(), &QTabBar::currentChanged, this, &TFormDownload::PageControlDownloadTypeChanging);
  for (QLineEdit* edit : {FEditUserName, FEditSecurityCode, FEditTeamID}) edit->installEventFilter(this);

  SetDownloadCaption(T(N_("Download")));
  WriteIntroduction();
  resize(720, 600);

  FMain.RegisterToolWindow(iiDownload, this, [this](int variant) { Open(variant); });
  // The start-up loader fills the history store after this window exists.
  connect(&FMain, &TFormMain::SeasonControlsEnabled, this, &TFormDownload::EnableSeasonControls);
  // A job must end while its window calls can still run on the window thread.
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
    FreeJob(FMyTeamJob);
    FreeJob(FMatchJob);
    FreeJob(FTeamListJob);
  });
}

TFormDownload::~TFormDownload() {
  // FormDestroy.
  FreeJob(FMyTeamJob);
  FreeJob(FMatchJob);
  FreeJob(FTeamListJob);
  SaveTeamList();
  FMain.RegisterToolWindow(iiDownload, nullptr);
}

QWidget* TFormDownload::BuildMyTeamPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  FFileRows = new TMyTeamDisplay(page);
  layout->addWidget(FFileRows);
  return page;
}

QWidget* TFormDownload::BuildMatchPage() {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setHorizontalSpacing(10);

  layout->addWidget(new QLabel(T(N_("Team List:")), page), 0, 0);
  FListViewTeams = new QTreeWidget(page);
  FListViewTeams->setRootIsDecorated(false);
  FListViewTeams->setUniformRowHeights(true);
  FListViewTeams->setAllColumnsShowFocus(true);
  FListViewTeams->setHeaderLabels({T(N_("Team")), T(N_("League")), T(N_("Name"))});
  // Room for the check box and an eight-digit ID, and for a six-digit league unit.
  const QFontMetrics metrics = FListViewTeams->fontMetrics();
  FListViewTeams->setColumnWidth(lcTeam, metrics.horizontalAdvance(QStringLiteral("00000000")) + 34);
  FListViewTeams->setColumnWidth(lcLeague, metrics.horizontalAdvance(QStringLiteral("000000")) + 14);
  FListViewTeams->header()->setMinimumSectionSize(40);
  // The last column takes the rest of the view.
  FListViewTeams->header()->setStretchLastSection(true);
  connect(FListViewTeams, &QTreeWidget::itemChanged, this, &TFormDownload::ListViewItemChanged);
  layout->addWidget(FListViewTeams, 1, 0, 2, 1);

  auto* selectRow = new QHBoxLayout;
  FButtonSelectAll = new QPushButton(T(N_("Select All")), page);
  FButtonSelectNone = new QPushButton(T(N_("Select None")), page);
  selectRow->addWidget(FButtonSelectAll);
  selectRow->addWidget(FButtonSelectNone);
  selectRow->addStretch(1);
  layout->addLayout(selectRow, 3, 0);

  auto* right = new QVBoxLayout;
  right->addWidget(new QLabel(T(N_("Add Teams:")), page));
  FButtonMyLeague = new QPushButton(T(N_("My league")), page);
  FButtonOtherTeam = new QPushButton(T(N_("Other team")), page);
  right->addWidget(FButtonMyLeague);
  right->addWidget(FButtonOtherTeam);
  right->addWidget(new QLabel(T(N_("Team ID:")), page));
  FEditTeamID = new QLineEdit(page);
  FEditTeamID->setMaximumWidth(110);
  right->addWidget(FEditTeamID);
  right->addSpacing(10);
  right->addWidget(new QLabel(T(N_("Remove Teams:")), page));
  FButtonRemoveChecked = new QPushButton(T(N_("Checked")), page);
  right->addWidget(FButtonRemoveChecked);
  right->addStretch(1);
  layout->addLayout(right, 1, 1, 3, 1);

  auto* modes = new QHBoxLayout;
  FModeGroup = new QButtonGroup(page);
  FRadioLastMatch = new QRadioButton(T(N_("Last match")), page);
  FRadioRecentMatches = new QRadioButton(T(N_("Recent matches")), page);
  FRadioSeason = new QRadioButton(T(N_("Season")), page);
  FModeGroup->addButton(FRadioLastMatch);
  FModeGroup->addButton(FRadioRecentMatches);
  FModeGroup->addButton(FRadioSeason);
  FRadioLastMatch->setChecked(true);
  FEditSeason = new QLineEdit(QStringLiteral("0"), page);
  FEditSeason->setMaximumWidth(48);
  FEditSeason->setAlignment(Qt::AlignRight);
  auto* upDown = new QVBoxLayout;
  upDown->setSpacing(0);
  FSeasonUp = new QToolButton(page);
  FSeasonDown = new QToolButton(page);
  FSeasonUp->setArrowType(Qt::UpArrow);
  FSeasonDown->setArrowType(Qt::DownArrow);
  for (QToolButton* button : {FSeasonUp, FSeasonDown}) {
    button->setFixedSize(18, 12);
    button->setAutoRepeat(true);
    upDown->addWidget(button);
  }
  modes->addWidget(FRadioLastMatch);
  modes->addWidget(FRadioRecentMatches);
  modes->addWidget(FRadioSeason);
  modes->addWidget(FEditSeason);
  modes->addLayout(upDown);
  modes->addStretch(1);
  layout->addLayout(modes, 4, 0, 1, 2);
  layout->setRowStretch(1, 1);
  layout->setColumnStretch(0, 1);
  // Usable once there is a snapshot to take the season from.
  for (QWidget* control : std::initializer_list<QWidget*>{FRadioSeason, FEditSeason, FSeasonUp, FSeasonDown})
    control->setEnabled(false);

  connect(FButtonSelectAll, &QPushButton::clicked, this, [this] { ButtonSelectClick(true); });
  connect(FButtonSelectNone, &QPushButton::clicked, this, [this] { ButtonSelectClick(false); });
  connect(FButtonMyLeague, &QPushButton::clicked, this, [this] { ButtonDlTeamListClick(true); });
  connect(FButtonOtherTeam, &QPushButton::clicked, this, [this] { ButtonDlTeamListClick(false); });
  connect(FButtonRemoveChecked, &QPushButton::clicked, this, &TFormDownload::ButtonRemoveCheckedClick);
  connect(FSeasonUp, &QToolButton::clicked, this, [this] { UpDownSeasonChanging(+1); });
  connect(FSeasonDown, &QToolButton::clicked, this, [this] { UpDownSeasonChanging(-1); });
  connect(FEditSeason, &QLineEdit::textEdited, this, &TFormDownload::EditSeasonKeyPress);
  for (QPushButton* button : {FButtonSelectAll, FButtonSelectNone, FButtonMyLeague, FButtonOtherTeam,
                              FButtonRemoveChecked})
    button->setAutoDefault(false);
  return page;
}

void TFormDownload::WriteIntroduction() {
  FReport->clear();
  FReportPosition = -1;
  QTextCursor cursor(FReport->document());
  QTextCharFormat format;
  format.setForeground(QColor(0xc0, 0xc0, 0xc0));
  cursor.insertText(T(N_("The security code is NOT the password of your game account. It is a separate code "
                         "for programs like this one, which can only read your team's data.")),
                    format);
  cursor.insertBlock();
  cursor.insertText(T(N_("You cannot download your team's data until you have set a security code in the "
                         "game's web preferences.")),
                    format);
  cursor.insertBlock();
  cursor.insertText(T(N_("Several logins with a wrong user name or security code lock your team for a while.")),
                    format);
  cursor.insertBlock();
  cursor.insertBlock();
}

// ---- Creation and opening -----------------------------------------------------------------------------------------

void TFormDownload::FormCreate() {
  const auto& prefs = Preferences();
  FEditUserName->setText(Q(prefs.UserName));
  FEditSecurityCode->setText(Q(prefs.GetPassword()));
  // The main window restores its team boxes, filters and match grids when it is created; this window adds
  // the list of followed teams.
  try {
    ListViewLoadFromFile(FTeamList, FMain.ProgramFolder() / TTeamList::FileName);
  } catch (const std::exception&) {
    // A missing or unreadable list starts empty.
    FTeamList.Clear();
  }
  ShowTeamList();
  if (History().Count() >= 1) EnableSeasonControls();
  EditChange();
}

void TFormDownload::Open(int page) {
  FPageControl->setCurrentIndex(page == pgMatch ? pgMatch : pgMyTeam);
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
  // Enter in a login field starts the download: the cursor waits in the first field still to be filled.
  (FEditUserName->text().isEmpty() ? FEditUserName : FEditSecurityCode)->setFocus();
}

// ---- Starting and stopping --------------------------------------------------------------------------------------

TDlSettings TFormDownload::Settings() const {
  TDlSettings settings;
  settings.Login.UserName = FEditUserName->text().toStdString();
  settings.Login.SecurityCode = FEditSecurityCode->text().toStdString();
  settings.Login.SwitchLoginServer = FCheckSwitchLoginServer->isChecked();
  settings.UpdateExistingData = FCheckUpdateExisting->isChecked();
  settings.Folders = FMain.Folders();
  return settings;
}

TDlCallbacks TFormDownload::Callbacks() {
  TDlCallbacks callbacks;
  callbacks.Report = [this](const TDlMessage& message) {
    AddReportMessage(message);
    // A team the team-list job added shows with its report line.
    ShowTeamList();
  };
  // A row the display does not have is ignored, not thrown about inside the job's window call.
  callbacks.FileState = [this](int row, TDlFileState state) {
    if (row < 0 || row >= TMyTeamDisplay::NodeCount) return;
    FFileRows->GetNode(row).SetStatus(state == TDlFileState::Done     ? TMyTeamNode::Done
                                      : state == TDlFileState::Failed ? TMyTeamNode::Failed
                                                                      : TMyTeamNode::Pending);
  };
  callbacks.FileBold = [this](int row, bool bold) {
    if (row >= 0 && row < TMyTeamDisplay::NodeCount) FFileRows->GetNode(row).SetBusy(bold);
  };
  callbacks.DownloadCaption = [this](const std::string& caption) { SetDownloadCaption(Q(caption)); };
  callbacks.CloseEnabled = [this](bool enabled) { FButtonClose->setEnabled(enabled); };
  callbacks.DownloadEnabled = [this](bool enabled) {
    FTeamListRunning = !enabled;
    // The team-list job has changed the list by now.
    ShowTeamList();
    UpdateButtons();
  };
  callbacks.UntickSwitchLoginServer = [this] { FCheckSwitchLoginServer->setChecked(false); };
  callbacks.EnableSeasonControls = [this] { EnableSeasonControls(); };
  callbacks.ShowNewPage = [this](THistoryPage& page) { ShowNewPage(page); };
  callbacks.RefreshTeamTitles = [this] { FMain.RefreshTeamTitles(); };
  callbacks.ReloadTeam = [this](const TTeamListEntry& team) { ReloadTeam(team); };
  callbacks.ErrorBox = [this](const std::string& text) { ShowErrorMessage(this, Q(text)); };
  return callbacks;
}

template <class TJob> void TFormDownload::FreeJob(std::unique_ptr<TJob>& job) {
  if (!job) return;
  if (!job->Finished()) {
    job->Terminate();
    // The job may be waiting for one of its window calls: keep running them until its thread has ended.
    TSyncHook::WaitRunningCalls([&job] { return job->Finished(); });
  }
  job.reset();
}

bool TFormDownload::JobRunning() const {
  return (FMyTeamJob && !FMyTeamJob->Finished()) || (FMatchJob && !FMatchJob->Finished()) ||
         (FTeamListJob && !FTeamListJob->Finished());
}

void TFormDownload::ButtonDownloadClick() {
  if (FButtonDownload->text() != T(N_("Download"))) {
    // Stop: the job ends at its next check and then gives the button back. The window goes on painting
    // meanwhile; the button stays disabled so that a second click cannot start a job beside it.
    FStopping = true;
    if (FMyTeamJob && !FMyTeamJob->Finished()) FMyTeamJob->Terminate();
    if (FMatchJob && !FMatchJob->Finished()) FMatchJob->Terminate();
    UpdateButtons();
    return;
  }
  if (JobRunning()) return;
  try {
    if (FPageControl->currentIndex() == pgMatch) {
      if (FTeamList.Empty()) return;
      TDlMatchOptions options;
      if (FRadioRecentMatches->isChecked()) {
        options.Mode = TDlMatchMode::RecentMatches;
      } else if (FRadioSeason->isChecked()) {
        options.Mode = TDlMatchMode::Season;
        const std::string text = FEditSeason->text().toStdString();
        int season = 0;
        bool valid = IsDigitsID(text);
        if (valid) {
          try {
            season = StrToInt(text);
          } catch (const EPitchbookError&) {
            valid = false;
          }
        }
        if (!valid) {
          ShowErrorMessage(this, T(N_("Invalid season number")));
          return;
        }
        options.Season = season;
      }
      options.Teams = FTeamList.CheckedEntries();
      FreeJob(FMatchJob);
      SetDownloadCaption(T(N_("Stop")));
      FButtonClose->setEnabled(false);
      FMatchJob = std::make_unique<TDlMatch>(FMain.HTTP(), History(), Settings(), Callbacks(), std::move(options));
      FMatchJob->Start();
    } else {
      FreeJob(FMyTeamJob);
      SetDownloadCaption(T(N_("Stop")));
      FButtonClose->setEnabled(false);
      FMyTeamJob = std::make_unique<TDlMyTeam>(FMain.HTTP(), History(), Settings(), Callbacks());
      FMyTeamJob->Start();
    }
  } catch (const std::exception& error) {
    // The thread could not be started.
    SetDownloadCaption(T(N_("Download")));
    FButtonClose->setEnabled(true);
    ShowErrorMessage(this, Q(error.what()));
  }
}

void TFormDownload::ButtonDlTeamListClick(bool myLeague) {
  // The jobs share the HTTP client and the work folder: one at a time.
  if (JobRunning()) return;
  FreeJob(FTeamListJob);
  FTeamListRunning = true;
  UpdateButtons();
  try {
    FTeamListJob = std::make_unique<TDlTeamList>(FMain.HTTP(), History(), Settings(), Callbacks(), FTeamList,
                                                 FEditTeamID->text().toStdString(), myLeague);
    FTeamListJob->Start();
  } catch (const std::exception& error) {
    FTeamListRunning = false;
    UpdateButtons();
    ShowErrorMessage(this, Q(error.what()));
  }
}

void TFormDownload::SetDownloadCaption(const QString& caption) {
  FButtonDownload->setText(caption);
  if (caption == T(N_("Download"))) FStopping = false;
  UpdateButtons();
}

void TFormDownload::UpdateButtons() {
  const bool logins = !FEditUserName->text().isEmpty() && !FEditSecurityCode->text().isEmpty();
  const bool running = FButtonDownload->text() != T(N_("Download"));
  FButtonDownload->setEnabled(running ? !FStopping : logins && !FTeamListRunning);
  const bool idle = !running && !FTeamListRunning;
  FButtonMyLeague->setEnabled(logins && idle);
  FButtonOtherTeam->setEnabled(logins && idle);
  // A match download saves the stores of its teams: they are not deleted under it.
  FButtonRemoveChecked->setEnabled(idle);
}

void TFormDownload::EditChange() { UpdateButtons(); }

// ---- Team list --------------------------------------------------------------------------------------------------

void TFormDownload::ShowTeamList() {
  // Rebuilt only when the list differs from what the view shows, so that the selection survives the
  // team-list job's reports.
  bool same = FListViewTeams->topLevelItemCount() == FTeamList.Count();
  for (int i = 0; same && i < FTeamList.Count(); ++i) {
    const TTeamListEntry& entry = FTeamList[i];
    const QTreeWidgetItem* item = FListViewTeams->topLevelItem(i);
    same = item->text(lcTeam) == Q(entry.TeamID) && item->text(lcLeague) == Q(entry.UnitID) &&
           item->text(lcName) == Q(entry.Name) && (item->checkState(lcTeam) == Qt::Checked) == entry.Checked;
  }
  if (same) return;
  FShowingTeamList = true;
  FListViewTeams->setUpdatesEnabled(false);
  FListViewTeams->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(FTeamList.Count());
  for (const TTeamListEntry& entry : FTeamList.Entries()) {
    auto* item = new QTreeWidgetItem({Q(entry.TeamID), Q(entry.UnitID), Q(entry.Name)});
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(lcTeam, entry.Checked ? Qt::Checked : Qt::Unchecked);
    items << item;
  }
  FListViewTeams->addTopLevelItems(items);
  FListViewTeams->setUpdatesEnabled(true);
  FShowingTeamList = false;
}

void TFormDownload::ListViewItemChanged(QTreeWidgetItem* item) {
  if (FShowingTeamList || !item) return;
  const int index = FListViewTeams->indexOfTopLevelItem(item);
  if (index < 0 || index >= FTeamList.Count()) return;
  FTeamList[index].Checked = item->checkState(lcTeam) == Qt::Checked;
}

void TFormDownload::ButtonSelectClick(bool checked) {
  FTeamList.SetAllChecked(checked);
  ShowTeamList();
}

void TFormDownload::ButtonRemoveCheckedClick() {
  const std::vector<TTeamListEntry> checked = FTeamList.CheckedEntries();
  if (checked.empty()) return;
  QString question = T(N_("Following teams are about to be removed from Team List.\nDo you also wish to remove "
                          "related team data?\n\nChoose \"No\" to remove selected teams ONLY from Team List.\n"
                          "Choose \"Yes\" to delete additional team information.\n"));
  for (const TTeamListEntry& entry : checked) question += QStringLiteral("\n* ") + Q(entry.Name);
  const TMessageButton answer = AskQuestion(this, TQuestionIcon::Question, question, mbYes | mbNo | mbCancel);
  if (answer != mbYes && answer != mbNo) return;
  QStringList failures;
  for (int i = FTeamList.Count() - 1; i >= 0; --i) {
    const TTeamListEntry& entry = FTeamList[i];
    if (!entry.Checked) continue;
    // Only an ID of digits names a match file.
    if (answer == mbYes && IsDigitsID(entry.TeamID)) {
      const fs::path store = TTeamMatchFile::PathOf(FMain.Folders().MatchesFolder(), entry.TeamID);
      std::error_code error;
      if (!fs::remove(store, error) && error)
        failures << Q(FormatText(_("Cannot delete %s: %s"), store.string().c_str(), error.message().c_str()));
    }
    FTeamList.Delete(i);
  }
  ShowTeamList();
  // Once for all removals: the titles depend only on the match files left.
  FMain.RefreshTeamTitles();
  SaveTeamList();
  if (!failures.isEmpty()) ShowErrorMessage(this, failures.join(QLatin1Char('\n')));
}

void TFormDownload::SaveTeamList() const {
  try {
    ListViewSaveToFile(FTeamList, FMain.ProgramFolder() / TTeamList::FileName);
  } catch (const std::exception&) {
    // Written again when the window closes and when the program ends.
  }
}

// ---- Season -----------------------------------------------------------------------------------------------------

void TFormDownload::EnableSeasonControls() {
  for (QWidget* control : std::initializer_list<QWidget*>{FRadioSeason, FEditSeason, FSeasonUp, FSeasonDown})
    control->setEnabled(true);
}

void TFormDownload::SetSeasonPosition(int position) {
  FSeasonPosition = position;
  FEditSeason->setText(QString::number(position));
}

void TFormDownload::PageControlDownloadTypeChanging(int newPage) {
  if (newPage != pgMatch || !FRadioSeason->isEnabled() || FSeasonPosition != 0 || History().Count() < 1) return;
  const int season = History().Latest().World.Season;
  FSeasonMax = season;
  FSeasonMin = std::max(1, season - 2);
  SetSeasonPosition(std::clamp(season, FSeasonMin, std::max(FSeasonMin, FSeasonMax)));
}

void TFormDownload::UpDownSeasonChanging(int delta) {
  // The up-down counts on from what the edit shows, as typed.
  int position = FSeasonPosition;
  const std::string text = FEditSeason->text().toStdString();
  if (IsDigitsID(text) && text.size() <= 6) position = StrToInt(text);
  SetSeasonPosition(std::clamp(position + delta, FSeasonMin, std::max(FSeasonMin, FSeasonMax)));
  FRadioSeason->setChecked(true);
}

void TFormDownload::EditSeasonKeyPress() { FRadioSeason->setChecked(true); }

// ---- Report -----------------------------------------------------------------------------------------------------

void TFormDownload::AddReportMessage(const TDlMessage& message) {
  QTextDocument* document = FReport->document();
  QTextCursor cursor(document);
  if (message.Replace && FReportPosition >= 0 && FReportPosition < document->blockCount()) {
    // The lines of the previous message go; the document ends again in the empty line after them.
    cursor.setPosition(document->findBlockByNumber(FReportPosition).position());
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
  } else {
    cursor.movePosition(QTextCursor::End);
  }
  FReportPosition = cursor.blockNumber();
  QTextCharFormat format;
  format.setForeground(MessageColour(message.Kind));
  if (message.Kind == TDlMessageKind::Heading) {
    format.setFontWeight(QFont::Bold);
    format.setFontUnderline(true);
  }
  QString text = Q(DlMessageLine(message));
  text.remove(QLatin1Char('\r'));
  cursor.insertText(text, format);
  cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
  FReport->setTextCursor(cursor);
  FReport->verticalScrollBar()->setValue(FReport->verticalScrollBar()->maximum());
}

QString TFormDownload::ReportText() const { return FReport->toPlainText(); }

// ---- The main window's side -------------------------------------------------------------------------------------

void TFormDownload::ShowNewPage(THistoryPage& page) {
  TPlayerGrid& grid = Preferences().LoadPlayersToTempGird ? FMain.TempPlayerGrid() : FMain.MainPlayerGrid();
  grid.LoadPage(page);
  FMain.UpdateToolButtons();
}

void TFormDownload::ReloadTeam(const TTeamListEntry& team) {
  // The team's matches changed: a match grid that shows that team loads them again.
  for (bool main : {true, false})
    if (!team.TeamID.empty() && TFormMain::ComboBoxIDText(FMain.TeamBox(main)) == team.TeamID) FMain.TeamBoxChange(main);
}

// ---- Keys and closing -------------------------------------------------------------------------------------------

void TFormDownload::FormKeyDown(int key, const QWidget* focused) {
  if (key == Qt::Key_Escape) {
    close();
    return;
  }
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  if (!focused) focused = focusWidget();
  if ((focused == FEditUserName || focused == FEditSecurityCode || focused == FEditTeamID) &&
      FButtonDownload->isEnabled())
    FButtonDownload->click();
}

bool TFormDownload::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // The edit that saw the key has the focus, whether or not the window is the active one.
      FormKeyDown(key, qobject_cast<const QWidget*>(watched));
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFormDownload::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      FormKeyDown(event->key());
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void TFormDownload::ButtonCloseClick() { close(); }

void TFormDownload::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  // Not when the whole desktop hides it (the main window minimised).
  if (!event->spontaneous()) FormClose();
}

void TFormDownload::FormClose() {
  FMain.ReleaseToolButton(iiDownload);
  SaveTeamList();
}
