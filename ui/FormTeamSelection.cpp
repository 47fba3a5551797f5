#include "ui/FormTeamSelection.h"

#include "core/Intl.h"
#include "core/PlayerList.h"
#include "ui/FormMain.h"
#include "ui/FormTacticsAdvisor.h"
#include "ui/Icons.h"
#include "ui/Messages.h"
#include "ui/SyncHook.h"
#include "ui/TeamDisplay.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
QString T(const char* text) { return QString::fromUtf8(_(text)); }

// Captions of the value labels, in the order of TFormTeamSelection::FValues.
const char* const ValueCaptions[9] = {N_("Trials"),       N_("Trials per second"), N_("Team value"),
                                      N_("Average player"), N_("Bench value"),      N_("Average substitute"),
                                      N_("Elapsed time"),  N_("Estimated time"),    N_("Skipped by bound")};
constexpr int PanelWidth = 250;
}  // namespace

TFormTeamSelection::TFormTeamSelection(TFormMain& main, TFormTacticsAdvisor& advisor)
    : QWidget(&main, Qt::Window), FMain(main), FAdvisor(advisor),
      FSelect(std::make_unique<TTeamSelect>(main.GetWeatherCode(), main.IsTrainingOn(), main.IsAssumePassableForms())) {
  setWindowTitle(T(N_("Team Selection")));
  setWindowIcon(ToolIcon(iiTacticsAdvisor));

  const QRect displayRect(DisplayLeft, DisplayTop, DisplayWidth, DisplayHeight);
  FDisplay = new TTeamDisplay(this, displayRect);
  connect(FDisplay, &TTeamDisplay::PenaltyTakersRequested, this,
          [this](const QString& text) { ShowPlainMessage(this, text); });
  const QRect bench = FDisplay->BenchPanel()->geometry();

  auto* panel = new QWidget(this);
  const int panelLeft = DisplayLeft + DisplayWidth + 12;
  const int height = bench.bottom() + 1 + DisplayTop;
  panel->setGeometry(panelLeft, DisplayTop, PanelWidth, height - 2 * DisplayTop);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(6);
  for (int i = 0; i < 9; ++i) {
    auto* caption = new QLabel(T(ValueCaptions[i]), panel);
    auto* value = new QLabel(QStringLiteral(": 0"), panel);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Leave a gap between the strengths and the times.
    const int row = i + (i >= 2 ? 1 : 0) + (i >= 6 ? 1 : 0);
    grid->addWidget(caption, row, 0);
    grid->addWidget(value, row, 1);
    FValues[static_cast<size_t>(i)] = value;
  }
  grid->setRowMinimumHeight(2, 8);
  grid->setRowMinimumHeight(7, 8);
  grid->setColumnStretch(1, 1);
  column->addLayout(grid);
  FProgressBar = new QProgressBar(panel);
  FProgressBar->setRange(0, 100);
  FProgressBar->setValue(0);
  column->addSpacing(8);
  column->addWidget(FProgressBar);
  FLabelIncomplete = new QLabel(panel);
  FLabelIncomplete->setWordWrap(true);
  FLabelIncomplete->setStyleSheet(QStringLiteral("QLabel { color: #a00000; }"));
  column->addWidget(FLabelIncomplete);
  column->addStretch(1);
  FButtonCancel = new QPushButton(T(N_("Cancel")), panel);
  FButtonCancel->setEnabled(false);
  column->addWidget(FButtonCancel, 0, Qt::AlignRight);
  connect(FButtonCancel, &QPushButton::clicked, this, &TFormTeamSelection::ButtonCancelClick);

  setFixedSize(panelLeft + PanelWidth + 8, height);

  FSelect->Callbacks.Progress = [this](const TTeamSelectProgress& progress) { ShowProgress(progress); };
  FSelect->Callbacks.PenaltyTakersEnabled = [this](bool enabled) {
    FDisplay->PenaltyTakersButton()->setEnabled(enabled);
  };
  FSelect->Callbacks.StateChanged = [this](TTeamSelectState state) { StateChanged(state); };
  advisor.SetTeamSelection(this);
}

TFormTeamSelection::~TFormTeamSelection() {
  FDestroying = true;
  if (FSearching) {
    FSelect->Cancel();
    // The search's last calls wait for this thread: run them until the end is reported.
    TSyncHook::WaitRunningCalls([this] { return !FSearching; });
  }
  FSelect.reset();
  FAdvisor.SetTeamSelection(nullptr);
}

bool TFormTeamSelection::Prepare(const TPlayerList& squad) {
  if (FSelect->Running()) return false;
  FSelect->SetRatingSettings(squad.Weather(), squad.IncludeTraining(), squad.IgnoreForm());
  return FSelect->Prepare(squad);
}

bool TFormTeamSelection::StartSearch(const std::array<bool, 11>& fixed) {
  if (FSelect->Running()) return false;
  FFixed = fixed;
  FLabelIncomplete->clear();
  FProgressBar->setValue(0);
  FDisplay->SetTeam(FSelect->BestTeam());
  ShowFixedPlaces();
  FButtonCancel->setEnabled(true);
  show();
  raise();
  activateWindow();
  FSearching = true;
  if (!FSelect->Start(FSelect->BestTeam().GetAllRoleFlags())) {
    FSearching = false;
    FButtonCancel->setEnabled(false);
    return false;
  }
  return true;
}

void TFormTeamSelection::ShowFixedPlaces() {
  for (int slot = 0; slot < TTeamDisplay::StarterCount; ++slot)
    FDisplay->Slot(slot)->setFrameShadow(FFixed[static_cast<size_t>(slot)] ? QFrame::Raised : QFrame::Sunken);
}

void TFormTeamSelection::ButtonCancelClick() {
  if (!FSelect->Running()) return;
  FSelect->Cancel();
  FButtonCancel->setEnabled(false);
}

void TFormTeamSelection::ShowProgress(const TTeamSelectProgress& progress) {
  const std::string* texts[9] = {&progress.Trials,      &progress.TrialsPerSec,  &progress.TeamValue,
                                 &progress.AvrPlayer,   &progress.SubValue,      &progress.AvrSub,
                                 &progress.ElapsedTime, &progress.EstimatedTime, &progress.Skipped};
  for (int i = 0; i < 9; ++i) FValues[static_cast<size_t>(i)]->setText(Q(*texts[i]));
  if (progress.Percent) FProgressBar->setValue(*progress.Percent);
  FDisplay->SetTeam(FSelect->BestTeam());
  FDisplay->update();
}

void TFormTeamSelection::StateChanged(TTeamSelectState state) {
  setWindowTitle(Q(TeamSelectCaption(state)));
  if (state == tssInProgress) return;
  FSearching = false;
  FButtonCancel->setEnabled(false);
  if (FDestroying) return;
  FDisplay->SetTeam(FSelect->BestTeam());
  if (!FSelect->Complete())
    FLabelIncomplete->setText(T(N_("Incomplete: the search was stopped; the lineup is the best of the trials so far.")));
  if (!isVisible()) show();
  if (!FSelect->Error().empty()) ShowErrorMessage(this, Q(FSelect->Error()));
}

void TFormTeamSelection::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  // While the search runs the window only hides; it comes back when the search ends.
  if (!FSelect->Running() && !FSearching) FAdvisor.EndSession();
}

void TFormTeamSelection::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}
