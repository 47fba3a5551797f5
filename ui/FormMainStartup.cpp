// The main window's show and close sequences: the start-up loader on its thread with its status pane and
// progress bar, and the orderly stop of the loader, the preferences and the grid files at close.
#include "ui/FormMain.h"

#include "core/Intl.h"
#include "data/Startup.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "download/TeamTitles.h"
#include "download/UpdateCheck.h"
#include "ui/FormPreferences.h"
#include "ui/Icons.h"
#include "ui/MatchGrid.h"
#include "ui/Messages.h"
#include "ui/StartupTimes.h"
#include "ui/SyncHook.h"
#include "ui/WindowChores.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QSystemTrayIcon>
#include <QTimer>

#include <iostream>

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }

// The start-up pane offers the newer version with a link to its download page; the page opens in the
// browser only when the user follows the link.
void OfferUpdate(TFormMain& main, const TUpdateAnswer& answer) {
  QLabel& pane = main.StartupPane();
  const QString page = Q(answer.DownloadPage);
  pane.setTextFormat(Qt::RichText);
  // The pane is narrow: the whole offer is the link, its tool tip says where it leads.
  pane.setText("<a href=\"" + page.toHtmlEscaped() + "\">" +
               Q(FormatText(_("Version %s is available"), answer.Version.c_str())).toHtmlEscaped() + "</a>");
  pane.setToolTip(QString::fromUtf8(_("Open the download page")) + "\n" + page);
  pane.setOpenExternalLinks(false);
  pane.setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  // Only the page of this answer is ever opened, whatever the link text says.
  QObject::disconnect(&pane, &QLabel::linkActivated, nullptr, nullptr);
  QObject::connect(&pane, &QLabel::linkActivated, &pane, [page] { BrowseURL(page); });
  pane.show();
  main.RzStatusBarResize();
}
}  // namespace

void TFormMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (FShown || event->spontaneous() || !FCreated) return;
  FShown = true;
  FormShow();
}

void TFormMain::FormShow() {
  TStartupTimes::AttachIfAsked(*this);
  FitWindowToGrids();
  ApplyInitialSplits();
  // A temporary grid lower than a fifth of the main one gets the difference.
  const int mainHeight = FPlayersSplitter->sizes().value(0);
  const int tempHeight = FPlayersSplitter->sizes().value(1);
  if (tempHeight < mainHeight / 5) resize(width(), height() + mainHeight / 5 - tempHeight);
  FitAllColumns();
  RzStatusBarResize();
  StartStartup();
}

// ---- The start-up loader ------------------------------------------------------------------------------------------

void TFormMain::StartStartup() {
  if (FStartup) return;
  TSyncHook::Install();
  TStartupCallbacks callbacks;
  callbacks.StatusText = [this](const std::string& text) {
    ShowProgress();
    FProgressBar->setValue(0);
    FStartupPane->setText(Q(text));
  };
  callbacks.Progress = [this](int percent) {
    if (!FProgressBar->isVisibleTo(this)) ShowProgress();
    if (FProgressBar->value() != percent) FProgressBar->setValue(std::min(percent, FProgressBar->maximum()));
  };
  callbacks.FinishLoading = [this] { FinishLoading(); };
  callbacks.ReportLoadErrors = [this](const std::string& text) { ShowPlainMessage(this, Q(text)); };
  callbacks.MatchFoldersUpgraded = [this] { RefreshTeamTitles(); };
  callbacks.ShowNewestPage = [this](THistoryPage& page) {
    SetShownHistoryPage(History().Count());
    // A first start (no grid files yet) shows the newest squad instead of two empty grids.
    if (FPlayerGridM->IsEmpty() && FPlayerGridT->IsEmpty()) {
      FPlayerGridM->LoadPage(page);
      FPlayerGridM->SelectRow(TAdvGrid::FixedRows);
    }
    emit HistoryPageShown(FShownHistoryPage);
  };
  callbacks.EnableSeasonControls = [this] { emit SeasonControlsEnabled(); };
  callbacks.PlayerGridsEmpty = [this] { return FPlayerGridM->IsEmpty() && FPlayerGridT->IsEmpty(); };
  callbacks.RunMyTeamDownload = [this] {
    if (IsCommandEnabled(cmMyTeamDownload)) ToolButtonClick(iiDownload, 0);
  };
  callbacks.RestoreToggles = [this] { RestoreToggles(); };
  // The loader waits at its end for the update check only when one is wanted; it is resumed as soon as the
  // pane is hidden, and otherwise simply ends.
  const bool updateCheck = Preferences().CheckUpdates && !UpdateCheckAddress(Preferences()).empty();
  callbacks.HideStatusPane = [this, updateCheck] {
    HideStartupPane();
    if (updateCheck) FStartup->Resume();
  };
  callbacks.UpdateCheck = [this](TStartup&) {
    // On the loader's thread: the request must not block the window. Everything but a newer version only
    // goes to the log.
    const TUpdateResult result = CheckForUpdate(Preferences(), FFolders->WorkFolder(), std::cerr);
    if (result.Outcome == TUpdateOutcome::Newer) TWorker::Synchronize([&] { OfferUpdate(*this, result.Answer); });
  };
  TStartupSettings settings = TStartupSettings::Of(*FFolders, Preferences());
  settings.SuspendAtEnd = updateCheck;
  FStartup = std::make_unique<TStartup>(History(), std::move(settings), std::move(callbacks));
  FStartup->Start();
}

void TFormMain::StopStartup() {
  if (!FStartup) return;
  FStartup->Terminate();
  FStartup->Resume();
  // The loader may be waiting for one of its calls to run here: keep running them until it has ended.
  TSyncHook::WaitRunningCalls([this] { return FStartup->Finished(); });
  FStartup->WaitFor();
  FStartup.reset();
}

void TFormMain::ShowProgress() {
  // The bar goes before the pane, so the pane is taken away first when only it is shown.
  if (FStartupPane->isVisibleTo(this) && !FProgressBar->isVisibleTo(this)) FStartupPane->hide();
  FProgressBar->show();
  FStartupPane->show();
  RzStatusBarResize();
}

void TFormMain::FinishLoading() {
  FProgressBar->setValue(100);
  FProgressBar->hide();
  RzStatusBarResize();
  for (TCommand command :
       {cmHistory, cmMyTeamDownload, cmMatchDownload, cmInjuryAnalyzer, cmPlayerInformation, cmTacticsAdvisor})
    SetCommandEnabled(command, true);
  UpdateToolButtons();
  SelectOwnTeamWhenNoneChosen();
  FLoadingFinished = true;
  emit StartupLoadingFinished();
}

void TFormMain::SelectOwnTeamWhenNoneChosen() {
  // The first start has no remembered team: the Matches tab opens on the club's own matches.
  if (FTeamBoxM->currentIndex() >= 0 || History().Count() < 1) return;
  const std::string ownID = History().Latest().Team.TeamID;
  if (ownID.empty()) return;
  for (int i = 0; i < FTeamBoxM->count(); ++i)
    if (TeamIDOfTitle(FTeamBoxM->itemText(i).toStdString()) == ownID) {
      {
        const QSignalBlocker blocker(FTeamBoxM);
        FTeamBoxM->setCurrentIndex(i);
      }
      TeamBoxChange(true);
      return;
    }
}

void TFormMain::RestoreToggles() {
  const auto& prefs = Preferences();
  if (prefs.StateAssumePassableForms && !IsAssumePassableForms()) AssumePassableFormsClick();
  if (IsCommandEnabled(cmTraining) && prefs.StateTraining && !IsTrainingOn()) TrainingClick();
  if (IsCommandEnabled(cmPlayerComparison) && prefs.StatePlayerComparison && !IsComparisonOn())
    PlayerComparisonClick();
}

void TFormMain::HideStartupPane() {
  FStartupPane->hide();
  FProgressBar->hide();
  RzStatusBarResize();
  FStartupDone = true;
  emit StartupCompleted();
}

// ---- The close sequence -------------------------------------------------------------------------------------------

void TFormMain::closeEvent(QCloseEvent* event) {
  if (TSyncHook::InCall()) {
    // A box of the loader is open: the loader cannot stop before it closes, so the close waits too.
    event->ignore();
    QTimer::singleShot(100, this, &QWidget::close);
    return;
  }
  FormClose();
  event->accept();
}

void TFormMain::RememberPrivatePreferences() {
  auto& prefs = Preferences();
  prefs.SelectedTeamM = FTeamBoxM->currentText().toStdString();
  prefs.SelectedTeamT = FTeamBoxT->currentText().toStdString();
  prefs.IndexTypeM = FTypeBoxM->currentIndex();
  prefs.IndexResultM = FResultBoxM->currentIndex();
  prefs.IndexWeatherM = FWeatherBoxM->currentIndex();
  prefs.IndexTypeT = FTypeBoxT->currentIndex();
  prefs.IndexResultT = FResultBoxT->currentIndex();
  prefs.IndexWeatherT = FWeatherBoxT->currentIndex();
  prefs.StateAssumePassableForms = IsAssumePassableForms();
  prefs.StateTraining = IsTrainingOn();
  prefs.StatePlayerComparison = IsComparisonOn();
}

void TFormMain::FormClose() {
  if (FClosed || !FCreated) return;
  FClosed = true;
  RememberPrivatePreferences();
  if (auto saved = Preferences().Save(); !saved) ShowErrorMessage(this, Q(saved.Message));
  StopStartup();
  FFormPreferences->hide();
  // No repainting while the modes are switched off.
  FPlayerGridM->hide();
  FPlayerGridT->hide();
  // The grid files keep ratings computed without the modes.
  if (IsAssumePassableForms()) AssumePassableFormsClick();
  if (IsTrainingOn()) TrainingClick();
  if (FWeatherImage != iiDisabledWeather) ChooseWeather(iiDisabledWeather);
  SaveGridFiles();
  FTrayIcon->hide();
}

void TFormMain::SaveGridFiles() {
  const auto& work = FFolders->WorkFolder();
  auto save = [](auto&& write) {
    try {
      write();
    } catch (const std::exception&) {
      // A grid file that cannot be written costs only the grid's rows at the next start.
    }
  };
  save([&] { FPlayerGridM->SaveToFile(work / "PlayerGridMain.mgf"); });
  save([&] { FPlayerGridT->SaveToFile(work / "PlayerGridTemp.mgf"); });
  save([&] { FMatchGridM->SaveToFile(work / "MatchGridMain.mgf"); });
  save([&] { FMatchGridT->SaveToFile(work / "MatchGridTemp.mgf"); });
}
