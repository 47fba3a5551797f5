#include "ui/FormTacticsAdvisor.h"

#include "core/Intl.h"
#include "core/Player.h"
#include "core/PlayerList.h"
#include "data/History.h"
#include "ui/FormCustomFormation.h"
#include "ui/FormMain.h"
#include "ui/FormTeamSelection.h"
#include "ui/FormationDisplay.h"
#include "ui/Icons.h"

#include <algorithm>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
QString T(const char* text) { return QString::fromUtf8(_(text)); }

const char* const FormationCaptions[TFormTacticsAdvisor::FormationCount] = {
    "4 - 4 - 2", "4 - 3 - 3", "4 - 5 - 1", "3 - 5 - 2", "5 - 3 - 2", "3 - 4 - 3", "5 - 4 - 1"};
const char* const PageCaptions[3] = {N_("Normal"), N_("Asym WB"), N_("Asym W")};
const char* const ExclusionCaptions[TFormTacticsAdvisor::exCount] = {N_("Injured"), N_("Suspended"), N_("Coach"),
                                                                     N_("Last match")};
// The player grid's abbreviations of the position ratings 30..35.
const char* const PositionAbbreviations[6] = {N_("F"), N_("W"), N_("IM"), N_("WB"), N_("CD"), N_("GK")};
constexpr uint8_t RoleOrder[5] = {rfCentralDefender, rfWingBack, rfInnerMidfielder, rfWinger, rfForward};

// The item's index in its candidate list (1-based).
constexpr int IndexRole = Qt::UserRole;
constexpr int RatingRole = Qt::UserRole + 1;

// Round to nearest with halves to even, as displayed integers are.
long RoundEven(double value) { return std::lrint(value); }

// The formation code of a caption "D - M - F".
int CaptionCode(const QString& caption) {
  if (caption.size() < 9) return 0;
  const QChar d = caption[0], m = caption[4], f = caption[8];
  if (!d.isDigit() || !m.isDigit() || !f.isDigit()) return 0;
  return d.digitValue() * 100 + m.digitValue() * 10 + f.digitValue();
}

double BestRating(const QListWidgetItem& item) { return item.data(RatingRole).toDouble(); }
bool IsEnabled(const QListWidgetItem& item) { return item.flags() & Qt::ItemIsEnabled; }
bool IsChecked(const QListWidgetItem& item) { return item.checkState() == Qt::Checked; }
void SetChecked(QListWidgetItem& item, bool checked) { item.setCheckState(checked ? Qt::Checked : Qt::Unchecked); }
}  // namespace

bool AdvisorFormationRoles(int code, TRoleArray& roles) {
  TTeam team(wDisabled, false, false);
  if (TTeam::IsFormationCode(code)) {
    team.SetFormation(code);
    roles = team.GetAllRoleFlags();
    return true;
  }
  const int variant = code / 1000;
  const int base = code % 1000;
  if (variant < 1 || variant > 2 || !TTeam::IsFormationCode(base)) return false;
  team.SetFormation(base);
  roles = team.GetAllRoleFlags();
  int counts[5] = {};
  for (int slot = 1; slot <= TTeam::LastStarterSlot; ++slot)
    for (int r = 0; r < 5; ++r)
      if (roles[static_cast<size_t>(slot)] == RoleOrder[r]) ++counts[r];
  // The asymmetric variant trades one wide player for a central one of the same line.
  const int wide = variant == 1 ? 1 : 3;
  if (counts[wide] == 0) return false;
  --counts[wide];
  ++counts[wide - 1];
  int slot = 1;
  for (int r = 0; r < 5; ++r)
    for (int k = 0; k < counts[r]; ++k) roles[static_cast<size_t>(slot++)] = RoleOrder[r];
  return true;
}

QString AdvisorItemText(const TPlayer& player) {
  QString name = Q(player.PlayerName).trimmed().left(30);
  name = name.leftJustified(30, QLatin1Char(' '));
  const double best = player.GetValue(paBestRating);
  int position = paForwardRating;
  for (int code = paForwardRating; code <= paKeeperRating; ++code)
    if (player.GetValue(code) == best) position = code;
  const QString rating = QString::number(RoundEven(best)).rightJustified(3, QLatin1Char(' '));
  const QString abbreviation =
      T(PositionAbbreviations[position - paForwardRating]).rightJustified(2, QLatin1Char(' '));
  return name + rating + QLatin1Char(' ') + abbreviation + QLatin1Char(' ');
}

TFormTacticsAdvisor::TFormTacticsAdvisor(TFormMain& main) : QWidget(&main, Qt::Window), FMain(main) {
  setWindowTitle(T(N_("Tactics Advisor")));
  setWindowIcon(ToolIcon(iiTacticsAdvisor));

  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  FControls = new QWidget(this);
  outer->addWidget(FControls);
  auto* layout = new QVBoxLayout(FControls);
  layout->setContentsMargins(8, 8, 8, 8);

  auto* formationCaption = new QLabel(T(N_("&Formation:")), FControls);
  layout->addWidget(formationCaption);
  FPages = new QTabWidget(FControls);
  for (int page = 0; page < 3; ++page) FPages->addTab(BuildFormationPage(), T(PageCaptions[page]));
  formationCaption->setBuddy(FPages);
  layout->addWidget(FPages);

  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  auto* lists = new QHBoxLayout;
  auto makeList = [&](const char* caption, QListWidget*& list, QLabel*& count) {
    auto* column = new QVBoxLayout;
    auto* label = new QLabel(T(caption), FControls);
    list = new QListWidget(FControls);
    list->setFont(fixed);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    label->setBuddy(list);
    count = new QLabel(FControls);
    column->addWidget(label);
    column->addWidget(list, 1);
    column->addWidget(count);
    connect(list, &QListWidget::itemChanged, this, &TFormTacticsAdvisor::ListItemChanged);
    return column;
  };
  auto* players = makeList(N_("&Players:"), FListPlayers, FLabelPlayers);
  auto* keepers = makeList(N_("&Keepers:"), FListKeepers, FLabelKeepers);
  lists->addLayout(players, 3);
  lists->addLayout(keepers, 2);
  // The whole item text (37 characters), the check box and a scroll bar, without a horizontal scroll bar.
  for (QListWidget* list : {FListPlayers, FListKeepers}) {
    const int text = list->fontMetrics().horizontalAdvance(QString(38, QLatin1Char('0')));
    const int indicator = list->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list);
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    list->setMinimumWidth(text + indicator + scrollBar + 2 * list->frameWidth() + 16);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  FListPlayers->setMinimumHeight(320);
  FListKeepers->setMinimumHeight(120);

  auto* side = new QVBoxLayout;
  FButtonSelectAll = new QPushButton(T(N_("Select All")), FControls);
  FButtonUnselectAll = new QPushButton(T(N_("Unselect All")), FControls);
  FButtonInverse = new QPushButton(T(N_("Inverse Selection")), FControls);
  for (QPushButton* button : {FButtonSelectAll, FButtonUnselectAll, FButtonInverse}) side->addWidget(button);
  side->addSpacing(8);
  auto* pick = new QGridLayout;
  FButtonBest = new QPushButton(T(N_("Best")), FControls);
  FEditBest = new QSpinBox(FControls);
  FEditBest->setRange(10, 99);
  FEditBest->setValue(20);
  FButtonMinValue = new QPushButton(T(N_("Min Value")), FControls);
  FEditMinValue = new QSpinBox(FControls);
  FEditMinValue->setRange(0, 999);
  FEditMinValue->setValue(35);
  pick->addWidget(FButtonBest, 0, 0);
  pick->addWidget(FEditBest, 0, 1);
  pick->addWidget(FButtonMinValue, 1, 0);
  pick->addWidget(FEditMinValue, 1, 1);
  side->addLayout(pick);
  side->addSpacing(8);
  auto* exclude = new QGroupBox(T(N_("Exclude:")), FControls);
  auto* excludeLayout = new QVBoxLayout(exclude);
  for (int e = 0; e < exCount; ++e) {
    FExclude[e] = new QCheckBox(T(ExclusionCaptions[e]), exclude);
    FExclude[e]->setChecked(e != exLastMatch);
    excludeLayout->addWidget(FExclude[e]);
    connect(FExclude[e], &QCheckBox::clicked, this, &TFormTacticsAdvisor::CheckBoxExcludeClick);
  }
  side->addWidget(exclude);
  side->addStretch(1);
  lists->addLayout(side);
  layout->addLayout(lists, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  FButtonGO = new QPushButton(T(N_("G&O")), FControls);
  FButtonCancel = new QPushButton(T(N_("Cancel")), FControls);
  for (QPushButton* button : {FButtonGO, FButtonCancel}) {
    button->setMinimumWidth(96);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);

  connect(FButtonSelectAll, &QPushButton::clicked, this, &TFormTacticsAdvisor::ButtonSelectAllClick);
  connect(FButtonUnselectAll, &QPushButton::clicked, this, &TFormTacticsAdvisor::ButtonUnselectAllClick);
  connect(FButtonInverse, &QPushButton::clicked, this, &TFormTacticsAdvisor::ButtonInverseSelectionClick);
  connect(FButtonBest, &QPushButton::clicked, this, &TFormTacticsAdvisor::ButtonBestClick);
  connect(FButtonMinValue, &QPushButton::clicked, this, &TFormTacticsAdvisor::ButtonMinValueClick);
  connect(FButtonGO, &QPushButton::clicked, this, [this] { ButtonGOClick(false); });
  connect(FButtonCancel, &QPushButton::clicked, this, &TFormTacticsAdvisor::ButtonCancelClick);
  UpdateCounts();

  connect(&FMain, &TFormMain::TacticsAdvisorRequested, this,
          [this](std::shared_ptr<TPlayerList> squad) { FSquad = std::move(squad); });
  FMain.RegisterToolWindow(iiTacticsAdvisor, this, [this](int variant) { Open(variant); });
}

TFormTacticsAdvisor::~TFormTacticsAdvisor() { FMain.RegisterToolWindow(iiTacticsAdvisor, nullptr); }

QWidget* TFormTacticsAdvisor::BuildFormationPage() {
  auto* widget = new QWidget;
  auto* grid = new QGridLayout(widget);
  std::vector<QRadioButton*> radios;
  for (int i = 0; i < FormationCount; ++i) {
    auto* radio = new QRadioButton(QString::fromLatin1(FormationCaptions[i]), widget);
    radio->setChecked(i == 0);
    grid->addWidget(radio, i % 4, i / 4);
    radios.push_back(radio);
  }
  auto* custom = new QPushButton(T(N_("&Custom")), widget);
  grid->addWidget(custom, 3, 1);
  grid->setColumnStretch(2, 1);
  connect(custom, &QPushButton::clicked, this, &TFormTacticsAdvisor::ButtonCustomClick);
  FRadios.push_back(std::move(radios));
  FCustomButtons.push_back(custom);
  return widget;
}

QRadioButton& TFormTacticsAdvisor::RadioFormation(int page, int index) const {
  return *FRadios.at(static_cast<size_t>(page)).at(static_cast<size_t>(index));
}

QPushButton& TFormTacticsAdvisor::ButtonCustom(int page) const { return *FCustomButtons.at(static_cast<size_t>(page)); }

// ---- Session -------------------------------------------------------------------------------------------------

void TFormTacticsAdvisor::Open(int) {
  if (FSessionActive) {
    BringForward();
    return;
  }
  FSessionActive = true;
  if (FTeamSelection && FSquad) FTeamSelection->Prepare(*FSquad);
  FSquad.reset();
  FormShow();
  show();
  raise();
  activateWindow();
}

void TFormTacticsAdvisor::BringForward() {
  auto front = [](QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
  };
  if (FTeamSelection && FTeamSelection->isVisible()) return front(FTeamSelection);
  // A search hidden by its window's close comes back.
  if (FTeamSelection && FTeamSelection->Searching()) return front(FTeamSelection);
  if (FCustomFormation && FCustomFormation->isVisible()) {
    raise();
    return front(FCustomFormation);
  }
  if (isVisible()) return front(this);
  // Nothing of the session is left on screen: start a new one.
  FSessionActive = false;
  Open();
}

void TFormTacticsAdvisor::EndSession() {
  FSessionActive = false;
  FMain.ReleaseToolButton(iiTacticsAdvisor);
}

// ---- Lists ---------------------------------------------------------------------------------------------------

void TFormTacticsAdvisor::FillList(QListWidget& list, const TPlayerList& players) {
  list.clear();
  for (int i = 1; i <= players.Count(); ++i) {
    const TPlayer& player = players[i];
    auto* item = new QListWidgetItem(AdvisorItemText(player));
    item->setData(IndexRole, i);
    item->setData(RatingRole, player.GetValue(paBestRating));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
    item->setCheckState(Qt::Unchecked);
    list.addItem(item);
  }
}

bool TFormTacticsAdvisor::Excluded(const TPlayer& player) const {
  if (FExclude[exInjured]->isChecked() && player.InjuryLevel > 0) return true;
  if (FExclude[exSuspended]->isChecked() && player.Cards == 3) return true;
  if (FExclude[exCoach]->isChecked() && !Q(player.TrainerSkill).trimmed().isEmpty()) return true;
  if (FExclude[exLastMatch]->isChecked() && History().PlayedLastMatch(player.PlayerID)) return true;
  return false;
}

int TFormTacticsAdvisor::ApplyExclusions() {
  if (!FTeamSelection) return 0;
  const TTeamSelect& select = FTeamSelection->Selector();
  int enabledPlayers = 0;
  for (bool keepers : {false, true}) {
    QListWidget& list = keepers ? *FListKeepers : *FListPlayers;
    const TPlayerList& players = keepers ? select.KeeperCandidates() : select.FieldCandidates();
    for (int row = 0; row < list.count(); ++row) {
      QListWidgetItem& item = *list.item(row);
      const int index = item.data(IndexRole).toInt();
      const bool excluded = index >= 1 && index <= players.Count() && Excluded(players[index]);
      if (excluded) {
        SetChecked(item, false);
        item.setFlags(item.flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable));
      } else {
        item.setFlags(item.flags() | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        if (!keepers) ++enabledPlayers;
      }
    }
  }
  return enabledPlayers;
}

void TFormTacticsAdvisor::UpdateBestRange(int enabledPlayers) {
  // The edit follows the spin when the new maximum clamps it. With fewer than ten enabled players the
  // minimum comes down to their count, or the spin box would raise its maximum to 10 and show 10.
  FEditBest->setRange(std::min(10, enabledPlayers), enabledPlayers);
}

void TFormTacticsAdvisor::FormShow() {
  FFilling = true;
  if (FTeamSelection) {
    FillList(*FListPlayers, FTeamSelection->Selector().FieldCandidates());
    FillList(*FListKeepers, FTeamSelection->Selector().KeeperCandidates());
  } else {
    FListPlayers->clear();
    FListKeepers->clear();
  }
  const int enabled = ApplyExclusions();
  UpdateBestRange(enabled);
  if (enabled < 19) {
    FEditBest->setValue(enabled);
    for (int row = 0; row < FListPlayers->count(); ++row)
      if (IsEnabled(*FListPlayers->item(row))) SetChecked(*FListPlayers->item(row), true);
  } else {
    FEditBest->setValue(18);
    ApplyBest(18);
  }
  for (int row = 0; row < FListKeepers->count(); ++row)
    if (IsEnabled(*FListKeepers->item(row))) SetChecked(*FListKeepers->item(row), true);
  FFilling = false;
  UpdateCounts();
}

void TFormTacticsAdvisor::ListItemChanged(QListWidgetItem*) {
  if (!FFilling) UpdateCounts();
}

int TFormTacticsAdvisor::CheckedCount(bool keepers) const {
  const QListWidget& list = keepers ? *FListKeepers : *FListPlayers;
  int count = 0;
  for (int row = 0; row < list.count(); ++row)
    if (IsChecked(*list.item(row))) ++count;
  return count;
}

int TFormTacticsAdvisor::EnabledCount(bool keepers) const {
  const QListWidget& list = keepers ? *FListKeepers : *FListPlayers;
  int count = 0;
  for (int row = 0; row < list.count(); ++row)
    if (IsEnabled(*list.item(row))) ++count;
  return count;
}

void TFormTacticsAdvisor::UpdateCounts() {
  const int players = CheckedCount(false);
  FLabelPlayers->setText(Q(FormatText(_("Players: %d"), players)));
  FLabelKeepers->setText(Q(FormatText(_("Keepers: %d"), CheckedCount(true))));
  const bool enough = players >= 10;
  FButtonGO->setEnabled(enough);
  for (QPushButton* custom : FCustomButtons) custom->setEnabled(enough);
}

void TFormTacticsAdvisor::ButtonSelectAllClick() {
  FFilling = true;
  for (int row = 0; row < FListPlayers->count(); ++row)
    if (IsEnabled(*FListPlayers->item(row))) SetChecked(*FListPlayers->item(row), true);
  FFilling = false;
  UpdateCounts();
}

void TFormTacticsAdvisor::ButtonUnselectAllClick() {
  FFilling = true;
  for (int row = 0; row < FListPlayers->count(); ++row) SetChecked(*FListPlayers->item(row), false);
  FFilling = false;
  UpdateCounts();
}

void TFormTacticsAdvisor::ButtonInverseSelectionClick() {
  FFilling = true;
  for (int row = 0; row < FListPlayers->count(); ++row) {
    QListWidgetItem& item = *FListPlayers->item(row);
    SetChecked(item, IsEnabled(item) && !IsChecked(item));
  }
  FFilling = false;
  UpdateCounts();
}

void TFormTacticsAdvisor::ButtonBestClick() { ApplyBest(FEditBest->value()); }

void TFormTacticsAdvisor::ApplyBest(int n) {
  if (n <= 0) return;
  // The n highest ratings, descending; a rating goes before the first value that it equals or exceeds.
  std::vector<double> top(static_cast<size_t>(n), 0.0);
  for (int row = 0; row < FListPlayers->count(); ++row) {
    const QListWidgetItem& item = *FListPlayers->item(row);
    if (!IsEnabled(item)) continue;
    const double rating = BestRating(item);
    for (size_t j = 0; j < top.size(); ++j) {
      if (rating >= top[j]) {
        top.insert(top.begin() + static_cast<std::ptrdiff_t>(j), rating);
        top.pop_back();
        break;
      }
    }
  }
  const double threshold = top.back();
  FEditMinValue->setValue(static_cast<int>(RoundEven(threshold + 1)));
  const bool filling = FFilling;
  FFilling = true;
  ApplyMinValue(threshold);
  // Ties at the threshold: the lowest in the list give way until n remain.
  int checked = CheckedCount(false);
  for (int row = FListPlayers->count() - 1; row >= 0 && checked > n; --row) {
    QListWidgetItem& item = *FListPlayers->item(row);
    if (IsChecked(item) && BestRating(item) == threshold) {
      SetChecked(item, false);
      --checked;
    }
  }
  FFilling = filling;
  if (!FFilling) UpdateCounts();
}

void TFormTacticsAdvisor::ButtonMinValueClick() { ApplyMinValue(FEditMinValue->value()); }

void TFormTacticsAdvisor::ApplyMinValue(double minimum) {
  const bool filling = FFilling;
  FFilling = true;
  for (int row = 0; row < FListPlayers->count(); ++row) {
    QListWidgetItem& item = *FListPlayers->item(row);
    if (IsEnabled(item)) SetChecked(item, BestRating(item) >= minimum);
  }
  FFilling = filling;
  if (!FFilling) UpdateCounts();
}

void TFormTacticsAdvisor::CheckBoxExcludeClick() {
  FFilling = true;
  const int enabled = ApplyExclusions();
  UpdateBestRange(enabled);
  FFilling = false;
  UpdateCounts();
}

// ---- Formation -----------------------------------------------------------------------------------------------

QString TFormTacticsAdvisor::CheckedFormationCaption() const {
  for (QRadioButton* radio : FRadios.at(static_cast<size_t>(FPages->currentIndex())))
    if (radio->isChecked()) return radio->text();
  return {};
}

int TFormTacticsAdvisor::FormationCode() const {
  const int code = CaptionCode(CheckedFormationCaption());
  if (code == 0) return 0;
  return code + 1000 * FPages->currentIndex();
}

std::vector<std::string> TFormTacticsAdvisor::CheckedNames(bool keepers) const {
  std::vector<std::string> names;
  if (!FTeamSelection) return names;
  const TTeamSelect& select = FTeamSelection->Selector();
  const TPlayerList& players = keepers ? select.KeeperCandidates() : select.FieldCandidates();
  const QListWidget& list = keepers ? *FListKeepers : *FListPlayers;
  for (int row = 0; row < list.count(); ++row) {
    const QListWidgetItem& item = *list.item(row);
    const int index = item.data(IndexRole).toInt();
    if (IsChecked(item) && index >= 1 && index <= players.Count()) names.push_back(players[index].PlayerName);
  }
  return names;
}

void TFormTacticsAdvisor::ButtonGOClick(bool custom) {
  if (!FTeamSelection || FTeamSelection->Selector().Running()) return;
  if (custom && !FCustomFormation) return;
  hide();
  TTeamSelect& select = FTeamSelection->Selector();
  // The lists stand in the candidates' order: remove from the bottom so that the indexes above stay.
  for (bool keepers : {false, true}) {
    const QListWidget& list = keepers ? *FListKeepers : *FListPlayers;
    for (int row = list.count() - 1; row >= 0; --row) {
      const QListWidgetItem& item = *list.item(row);
      if (IsChecked(item)) continue;
      const int index = item.data(IndexRole).toInt();
      if (keepers)
        select.RemoveKeeperCandidate(index);
      else
        select.RemoveFieldCandidate(index);
    }
  }
  std::array<bool, 11> fixed{};
  TRoleArray roles{};
  if (custom) {
    const TFormationDisplay& display = FCustomFormation->Display();
    roles = display.Roles();
    for (int place = 0; place < TFormationDisplay::PlaceCount; ++place) {
      const std::string name = display.PlaceName(place).toStdString();
      if (name.empty()) continue;
      if (const int index = select.FieldCandidates().IndexOfName(name); index > 0)
        select.FixFieldCandidate(index, place);
      else if (const int keeper = select.KeeperCandidates().IndexOfName(name); keeper > 0)
        select.FixKeeperCandidate(keeper, place);
      else
        continue;
      fixed[static_cast<size_t>(place)] = true;
    }
  } else if (!AdvisorFormationRoles(FormationCode(), roles)) {
    AdvisorFormationRoles(442, roles);
  }
  select.BestTeam().SetAllRoleFlags(roles);
  FTeamSelection->StartSearch(fixed);
}

void TFormTacticsAdvisor::ButtonCustomClick() {
  if (!FCustomFormation) return;
  QStringList field, keepers;
  for (const std::string& name : CheckedNames(false)) field << Q(name);
  for (const std::string& name : CheckedNames(true)) keepers << Q(name);
  FCustomFormation->Open(field, keepers, FButtonGO->isEnabled());
  FCustomFormation->ClickTemplate(CheckedFormationCaption());
  switch (FPages->currentIndex()) {
    case pgAsymWB:
      FCustomFormation->StepCount(TFormCustomFormation::rcWingBacks, -1);
      FCustomFormation->StepCount(TFormCustomFormation::rcCentralDefenders, +1);
      break;
    case pgAsymW:
      FCustomFormation->StepCount(TFormCustomFormation::rcWingers, -1);
      FCustomFormation->StepCount(TFormCustomFormation::rcInnerMidfielders, +1);
      break;
    default:
      break;
  }
}

void TFormTacticsAdvisor::ButtonCancelClick() { close(); }

void TFormTacticsAdvisor::SetControlsEnabled(bool enabled) { FControls->setEnabled(enabled); }

// ---- Window --------------------------------------------------------------------------------------------------

void TFormTacticsAdvisor::closeEvent(QCloseEvent* event) {
  if (FCustomFormation && FCustomFormation->isVisible()) FCustomFormation->close();
  QWidget::closeEvent(event);
  EndSession();
}

void TFormTacticsAdvisor::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void TFormTacticsAdvisor::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  // The custom formation window stays in front of the advisor while it is open.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && FCustomFormation &&
      FCustomFormation->isVisible())
    FCustomFormation->raise();
}
