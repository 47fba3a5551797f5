#include "ui/FormRatingAnalyzer.h"

#include "core/Intl.h"
#include "core/PlayerVocabulary.h"
#include "data/History.h"
#include "ratings/RatingAnalyzerFile.h"
#include "ui/FormMain.h"
#include "ui/Icons.h"
#include "ui/LineupDisplay.h"
#include "ui/Messages.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace fs = std::filesystem;

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
QString T(const char* text) { return QString::fromUtf8(_(text)); }

constexpr int LineupWidth = 720;
constexpr int LineupHeight = 470;

struct TSettingBox {
  const char* Caption;
  int Attribute;
  int Levels;
};
// In the order of TFormRatingAnalyzer::TPlayerSetting; item index = value - 1.
constexpr TSettingBox SettingBoxes[TFormRatingAnalyzer::PlayerSettingCount] = {
    {N_("Playmaking"), paPlaymaking, 20}, {N_("Defending"), paDefending, 20}, {N_("Passing"), paPassing, 20},
    {N_("Experience"), paExperience, 20}, {N_("Stamina"), paStamina, 9},      {N_("Form"), paForm, 8}};

QComboBox* NamesBox(QWidget* parent, const char* const* names, int count, int current) {
  auto* box = new QComboBox(parent);
  for (int i = 0; i < count; ++i) box->addItem(T(names[i]));
  box->setCurrentIndex(current);
  return box;
}

QLabel* ResultLabel(QWidget* parent, bool big) {
  auto* label = new QLabel(parent);
  QFont font = label->font();
  font.setBold(big);
  if (big) font.setPointSizeF(font.pointSizeF() * 1.3);
  label->setFont(font);
  label->setMinimumWidth(200);
  return label;
}
}  // namespace

TFormRatingAnalyzer::TFormRatingAnalyzer(TFormMain& main, std::function<THistoryPage*()> currentPage)
    : QWidget(&main, Qt::Window), FMain(main), FCurrentPage(std::move(currentPage)) {
  setWindowTitle(T(N_("Rating Analyzer")));
  setWindowIcon(ToolIcon(iiRatingAnalyzer));

  auto* outer = new QHBoxLayout(this);
  auto* pitch = new QWidget(this);
  pitch->setFixedSize(LineupWidth, LineupHeight);
  FDisplay = new TMyLineupDisplay(pitch, QRect(0, 0, LineupWidth, LineupHeight));
  outer->addWidget(pitch, 0, Qt::AlignTop);

  auto* side = new QVBoxLayout;
  auto* team = new QGroupBox(T(N_("Team")), this);
  auto* teamForm = new QFormLayout(team);
  FComboBoxTeamSpirit = NamesBox(team, TeamSpiritNames, TeamSpiritCount, TeamSpiritDefault);
  teamForm->addRow(T(N_("Team Spirit")), FComboBoxTeamSpirit);
  FComboBoxAttitude = NamesBox(team, AnalyzerAttitudeNames, AnalyzerAttitudeCount, AnalyzerAttitudeDefault);
  teamForm->addRow(T(N_("Attitude")), FComboBoxAttitude);
  FComboBoxArena = NamesBox(team, AnalyzerArenaNames, AnalyzerArenaCount, 0);
  teamForm->addRow(T(N_("Arena")), FComboBoxArena);
  FCheckBoxCounterAttacks = new QCheckBox(T(N_("Counter-attacks")), team);
  teamForm->addRow(FCheckBoxCounterAttacks);
  side->addWidget(team);

  auto* player = new QGroupBox(T(N_("Player")), this);
  auto* playerForm = new QFormLayout(player);
  FLabelPlayerName = new QLabel(player);
  QFont bold = FLabelPlayerName->font();
  bold.setBold(true);
  FLabelPlayerName->setFont(bold);
  playerForm->addRow(FLabelPlayerName);
  for (int s = 0; s < PlayerSettingCount; ++s) {
    auto* box = new QComboBox(player);
    for (int level = 1; level <= SettingBoxes[s].Levels; ++level) box->addItem(T(SkillLevelNames[level]));
    box->setEnabled(false);
    playerForm->addRow(T(SettingBoxes[s].Caption), box);
    connect(box, &QComboBox::activated, this, [this, s](int item) { PlayerSettingChanged(s, item); });
    FPlayerBoxes[static_cast<size_t>(s)] = box;
  }
  side->addWidget(player);

  auto* results = new QGroupBox(T(N_("Ratings")), this);
  auto* resultGrid = new QGridLayout(results);
  FLabelMidfield = ResultLabel(results, true);
  FLabelMidfieldSub = ResultLabel(results, false);
  FLabelCounter = ResultLabel(results, true);
  FLabelCounterSub = ResultLabel(results, false);
  resultGrid->addWidget(new QLabel(T(N_("Midfield:")), results), 0, 0);
  resultGrid->addWidget(FLabelMidfield, 0, 1);
  resultGrid->addWidget(FLabelMidfieldSub, 1, 1);
  resultGrid->addWidget(new QLabel(T(N_("Counter-attacks:")), results), 2, 0);
  resultGrid->addWidget(FLabelCounter, 2, 1);
  resultGrid->addWidget(FLabelCounterSub, 3, 1);
  side->addWidget(results);

  auto* buttons = new QGridLayout;
  auto button = [this, buttons](const char* caption, int row, int column, void (TFormRatingAnalyzer::*click)()) {
    auto* b = new QPushButton(T(caption), this);
    connect(b, &QPushButton::clicked, this, click);
    buttons->addWidget(b, row, column);
  };
  button(N_("&Update"), 0, 0, &TFormRatingAnalyzer::ButtonUpdateClick);
  button(N_("&Reset"), 0, 1, &TFormRatingAnalyzer::ButtonResetClick);
  button(N_("&Quick Save"), 1, 0, &TFormRatingAnalyzer::ButtonQuickSaveClick);
  button(N_("Quick &Load"), 1, 1, &TFormRatingAnalyzer::ButtonQuickLoadClick);
  button(N_("&Save..."), 2, 0, &TFormRatingAnalyzer::ButtonSaveClick);
  button(N_("L&oad..."), 2, 1, &TFormRatingAnalyzer::ButtonLoadClick);
  side->addLayout(buttons);
  side->addStretch(1);
  outer->addLayout(side);

  connect(FDisplay, &TMyLineupDisplay::PlayerSelected, this, &TFormRatingAnalyzer::PlayerSelected);
  connect(FDisplay, &TMyLineupDisplay::LineupChanged, this, &TFormRatingAnalyzer::Recalculate);
  for (QComboBox* box : {FComboBoxTeamSpirit, FComboBoxAttitude, FComboBoxArena})
    connect(box, &QComboBox::currentIndexChanged, this, &TFormRatingAnalyzer::Recalculate);
  connect(FCheckBoxCounterAttacks, &QCheckBox::toggled, this, &TFormRatingAnalyzer::Recalculate);

  Recalculate();
  FMain.RegisterToolWindow(iiRatingAnalyzer, this);
}

TFormRatingAnalyzer::~TFormRatingAnalyzer() { FMain.RegisterToolWindow(iiRatingAnalyzer, nullptr); }

fs::path TFormRatingAnalyzer::QuickFile() const { return FMain.ProgramFolder() / "Quick.raf"; }

const THistoryPage* TFormRatingAnalyzer::Snapshot() const {
  if (FCurrentPage)
    if (const THistoryPage* page = FCurrentPage()) return page;
  // The history window has not chosen a page yet: it shows the newest.
  return History().Count() > 0 ? &History().Latest() : nullptr;
}

void TFormRatingAnalyzer::FillFromSnapshot() {
  const THistoryPage* page = Snapshot();
  if (page)
    FDisplay->FillPlayers(page->Players);
  else
    FDisplay->FillPlayers(TPlayerList());
}

void TFormRatingAnalyzer::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // A window restored from the task bar keeps its lineup; opening it again starts from the snapshot.
  if (event->spontaneous()) return;
  FillFromSnapshot();
  FDisplay->PlayerBox(0).setFocus();
}

void TFormRatingAnalyzer::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  FMain.ReleaseToolButton(iiRatingAnalyzer);
}

void TFormRatingAnalyzer::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TFormRatingAnalyzer::PlayerSelected(TPlayer* player) {
  // Without any snapshot there is nobody to select, and the player settings stay disabled.
  if (!Snapshot()) return;
  FLabelPlayerName->setText(player ? Q(player->PlayerName) : QString());
  for (int s = 0; s < PlayerSettingCount; ++s) {
    QComboBox* box = FPlayerBoxes[static_cast<size_t>(s)];
    const QSignalBlocker block(box);
    box->setEnabled(player != nullptr);
    if (!player) {
      box->setCurrentIndex(0);
      continue;
    }
    const int code = SettingBoxes[s].Attribute;
    const double value = code == paForm || code == paExperience ? player->GetValue(code) : player->GetBaseSkill(code);
    // A stored value beyond the box (experience 0, a skill above divine) shows the nearest item.
    box->setCurrentIndex(std::clamp(static_cast<int>(std::trunc(value)) - 1, 0, box->count() - 1));
  }
}

void TFormRatingAnalyzer::PlayerSettingChanged(int setting, int item) {
  TPlayer* player = FDisplay->SelectedPlayer();
  if (!player) return;
  player->SetValue(SettingBoxes[setting].Attribute, item + 1);
  Recalculate();
}

void TFormRatingAnalyzer::Recalculate() {
  TAnalyzerTeamSettings team;
  team.TeamSpirit = FComboBoxTeamSpirit->currentIndex();
  team.Attitude = FComboBoxAttitude->currentIndex();
  team.Arena = FComboBoxArena->currentIndex();
  team.CounterAttacks = FCheckBoxCounterAttacks->isChecked();
  const TAnalyzerEstimate estimate = FDisplay->Estimate(team);
  const TAnalyzerLevel midfield = AnalyzerLevelText(estimate.Midfield);
  const TAnalyzerLevel counter = AnalyzerLevelText(estimate.Counter);
  FLabelMidfield->setText(Q(midfield.Level));
  FLabelMidfieldSub->setText(Q(midfield.SubLevel));
  FLabelCounter->setText(Q(counter.Level));
  FLabelCounterSub->setText(Q(counter.SubLevel));
}

void TFormRatingAnalyzer::ButtonUpdateClick() {
  std::array<int64_t, AnalyzerPositionCount> ids{};
  int selectedPlace = -1;
  const TPlayer* selected = FDisplay->SelectedPlayer();
  for (int place = 0; place < AnalyzerPositionCount; ++place) {
    const TPlayer* p = FDisplay->PlayerAt(place);
    ids[static_cast<size_t>(place)] = p ? p->PlayerID : 0;
    if (p && p == selected) selectedPlace = place;
  }
  FillFromSnapshot();
  for (int place = 0; place < AnalyzerPositionCount; ++place) {
    const int64_t id = ids[static_cast<size_t>(place)];
    if (id == 0 || FDisplay->Players().IndexOfID(id) == 0) continue;
    const QSignalBlocker block(FDisplay->PlayerBox(place));
    FDisplay->PlayerBox(place).setCurrentIndex(FDisplay->Players().IndexOfID(id));
  }
  if (selectedPlace >= 0 && FDisplay->PlayerAt(selectedPlace)) FDisplay->SelectPlace(selectedPlace);
  Recalculate();
}

void TFormRatingAnalyzer::ButtonResetClick() {
  {
    const QSignalBlocker a(FComboBoxTeamSpirit), b(FComboBoxAttitude), c(FComboBoxArena);
    FComboBoxTeamSpirit->setCurrentIndex(TeamSpiritDefault);
    FComboBoxAttitude->setCurrentIndex(AnalyzerAttitudeDefault);
    FComboBoxArena->setCurrentIndex(0);
  }
  FDisplay->ResetBoxes();
  Recalculate();
}

bool TFormRatingAnalyzer::SaveToFile(const fs::path& path) {
  try {
    TRatingAnalyzerSetup setup = FDisplay->Setup();
    setup.Team.TeamSpirit = FComboBoxTeamSpirit->currentIndex();
    setup.Team.Attitude = FComboBoxAttitude->currentIndex();
    setup.Team.Arena = FComboBoxArena->currentIndex();
    SaveRatingAnalyzerFile(path, setup);
    return true;
  } catch (const std::exception&) {
    ShowErrorMessage(this, T(RatingAnalyzerSaveError));
    return false;
  }
}

bool TFormRatingAnalyzer::LoadFromFile(const fs::path& path) {
  TRatingAnalyzerSetup setup;
  try {
    const THistoryPage* page = Snapshot();
    const TPlayerList none;
    setup = LoadRatingAnalyzerFile(path, page ? page->Players : none);
  } catch (const std::exception&) {
    // Nothing has been touched yet: the window keeps its set-up.
    ShowErrorMessage(this, T(RatingAnalyzerLoadError));
    return false;
  }
  {
    const QSignalBlocker a(FComboBoxTeamSpirit), b(FComboBoxAttitude), c(FComboBoxArena);
    FComboBoxTeamSpirit->setCurrentIndex(setup.Team.TeamSpirit);
    FComboBoxAttitude->setCurrentIndex(setup.Team.Attitude);
    FComboBoxArena->setCurrentIndex(setup.Team.Arena);
  }
  FDisplay->ApplySetup(setup);
  Recalculate();
  return true;
}

void TFormRatingAnalyzer::ButtonQuickSaveClick() { SaveToFile(QuickFile()); }

void TFormRatingAnalyzer::ButtonQuickLoadClick() {
  if (fs::exists(QuickFile())) LoadFromFile(QuickFile());
}

namespace {
QString Filter() { return T(N_("Rating Analyzer Files")) + QStringLiteral(" (*.raf)"); }
}  // namespace

void TFormRatingAnalyzer::ButtonSaveClick() {
  QString name = QFileDialog::getSaveFileName(this, T(N_("Save As")), QString::fromStdString(FMain.ProgramFolder().string()),
                                              Filter());
  if (name.isEmpty()) return;
  // A name typed without a dot gets the filter's extension.
  if (!QFileInfo(name).fileName().contains(QLatin1Char('.'))) name += QStringLiteral(".raf");
  SaveToFile(fs::path(name.toStdString()));
}

void TFormRatingAnalyzer::ButtonLoadClick() {
  const QString name = QFileDialog::getOpenFileName(this, T(N_("Open")),
                                                    QString::fromStdString(FMain.ProgramFolder().string()), Filter());
  if (!name.isEmpty()) LoadFromFile(fs::path(name.toStdString()));
}
