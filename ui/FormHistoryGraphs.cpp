// The graphs window: construction, the chart panels with their check boxes and presets, the season range,
// and the player navigation. The player's pages are in FormHistoryGraphsPlayer.cpp, the club's in
// FormHistoryGraphsClub.cpp.
#include "ui/FormHistoryGraphs.h"

#include "core/Intl.h"
#include "core/Player.h"
#include "data/History.h"
#include "ui/HistoryGraph.h"
#include "ui/PlayerGrid.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QString Tr(const char* text) { return QString::fromUtf8(_(text)); }

struct TPageLocation {
  int Top;
  int Inner;
};
constexpr TPageLocation PageLocations[TFormHistoryGraphs::PageCount] = {
    {0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5},  // Players
    {1, 0}, {1, 1},                                  // Team
    {2, 0}, {2, 1}, {2, 2}, {2, 3},                  // Arena
    {3, 0}, {3, 1}, {3, 2}};                         // Economy

constexpr int SidePanelWidth = 150;

// Series indexes of the skills chart (attribute code - 3) and the positions chart (code - 30).
enum : int { skStamina, skPlaymaking, skWinger, skScoring, skKeeper, skPassing, skDefending, skSetPieces, skForm,
             skExperience };
enum : int { psForward, psWing, psInnerMidfielder, psWingBack, psCentralDefender, psGoalkeeper, psPenaltyTaker,
             psMaximum };
}  // namespace

TFormHistoryGraphs::TFormHistoryGraphs(THistory& history, QWidget* parent) : QDialog(parent), FHistory(history) {
  setWindowTitle(Tr(N_("History Graphs")));
  setSizeGripEnabled(true);
  FTopTabs = new QTabWidget(this);
  for (QTabWidget*& inner : FInnerTabs) inner = new QTabWidget;

  // Players
  QTabWidget* players = FInnerTabs[0];
  players->addTab(BuildGeneralPage(), Tr(N_("General")));
  players->addTab(BuildChartPage(hgSkills,
                                 {{N_("Stamina"), 0xFF1F77B4}, {N_("Playmaking"), 0xFFFF7F0E},
                                  {N_("Winger"), 0xFF2CA02C}, {N_("Scoring"), 0xFFD62728},
                                  {N_("Keeper"), 0xFF9467BD}, {N_("Passing"), 0xFF8C564B},
                                  {N_("Defending"), 0xFFE377C2}, {N_("Set pieces"), 0xFF7F7F7F},
                                  {N_("Form"), 0xFFBCBD22}, {N_("Experience"), 0xFF17BECF}},
                                 false, true, false),
                  Tr(N_("Skills")));
  players->addTab(BuildChartPage(hgPositions,
                                 {{N_("Forward"), 0xFFD62728}, {N_("Wing"), 0xFF2CA02C},
                                  {N_("I. Midfielder"), 0xFFFF7F0E}, {N_("Wing Back"), 0xFF17BECF},
                                  {N_("C. Defender"), 0xFF1F77B4}, {N_("Goalkeeper"), 0xFF9467BD},
                                  {N_("Penalty Taker"), 0xFF7F7F7F}, {N_("Maximum"), 0xFF000000}},
                                 false, true, false),
                  Tr(N_("Positions")));
  players->addTab(BuildChartPage(hgStars, {{N_("Stars"), 0xFFE6A800}}, false, false, false), Tr(N_("Stars")));
  players->addTab(BuildChartPage(hgTSI, {{N_("TSI"), 0xFF1F77B4}}, false, false, false), Tr(N_("TSI")));
  players->addTab(BuildTrainingPage(), Tr(N_("Training")));
  auto* playersPage = new QWidget;
  auto* playersLayout = new QVBoxLayout(playersPage);
  playersLayout->setContentsMargins(4, 4, 4, 4);
  playersLayout->addWidget(BuildPlayerHeader());
  playersLayout->addWidget(players, 1);
  FTopTabs->addTab(playersPage, Tr(N_("Players")));

  // Team
  FInnerTabs[1]->addTab(BuildChartPage(hgTeamSpirit, {{N_("Team Spirit"), 0xFF1F77B4}, {N_("Confidence"), 0xFFFF7F0E}},
                                       false, true, false),
                        Tr(N_("Team Spirit && Confidence")));
  FInnerTabs[1]->addTab(BuildChartPage(hgTeamStars,
                                       {{N_("Keeper"), 0xFFFFD700}, {N_("Defence"), 0xFF2CA02C},
                                        {N_("Midfield"), 0xFF1F77B4}, {N_("Wing"), 0xFFFF8C00},
                                        {N_("Forward"), 0xFFD62728}},
                                       true, true, true),
                        Tr(N_("Stars")));
  FTopTabs->addTab(FInnerTabs[1], Tr(N_("Team")));

  // Arena
  FInnerTabs[2]->addTab(BuildChartPage(hgSupporterClub, {{N_("Supporter Club"), 0xFF1F77B4}}, true, false, false),
                        Tr(N_("Supporter Club")));
  FInnerTabs[2]->addTab(BuildChartPage(hgCapacity,
                                       {{N_("Terrace"), 0xFFD62728}, {N_("Seat"), 0xFF2CA02C},
                                        {N_("Roof"), 0xFFFFD700}, {N_("VIP"), 0xFF1F77B4}},
                                       true, false, false),
                        Tr(N_("Capacity")));
  FInnerTabs[2]->addTab(BuildChartPage(hgAttendance,
                                       {{N_("Terrace"), 0xFFD62728}, {N_("Seat"), 0xFF2CA02C},
                                        {N_("Roof"), 0xFFFFD700}, {N_("VIP"), 0xFF1F77B4}},
                                       true, true, true),
                        Tr(N_("Attendance")));
  FInnerTabs[2]->addTab(BuildChartPage(hgPopularity, {{N_("Sponsors"), 0xFF1F77B4}, {N_("Supporters"), 0xFFD62728}},
                                       false, true, false),
                        Tr(N_("Sponsors && Supporters")));
  FTopTabs->addTab(FInnerTabs[2], Tr(N_("Arena")));

  // Economy
  FInnerTabs[3]->addTab(BuildEconomyGeneralPage(), Tr(N_("General")));
  FInnerTabs[3]->addTab(BuildChartPage(hgRevenue,
                                       {{N_("Crowd"), 0xFF1F77B4}, {N_("Sponsors"), 0xFFFF7F0E},
                                        {N_("Financial"), 0xFF2CA02C}, {N_("Temporary"), 0xFF9467BD},
                                        {N_("Total"), 0xFF000000}},
                                       false, true, false),
                        Tr(N_("Revenue")));
  FInnerTabs[3]->addTab(BuildChartPage(hgExpenses,
                                       {{N_("Arena"), 0xFF1F77B4}, {N_("Wages"), 0xFFD62728},
                                        {N_("Interest"), 0xFF2CA02C}, {N_("Temporary"), 0xFF9467BD},
                                        {N_("Staff"), 0xFFFF7F0E}, {N_("Youth squad"), 0xFF8C564B},
                                        {N_("Total"), 0xFF000000}},
                                       false, true, false),
                        Tr(N_("Expenses")));
  FTopTabs->addTab(FInnerTabs[3], Tr(N_("Economy")));

  Graph(hgStars)->SetValueDecimals(1);
  Graph(hgTeamStars)->SetBarLabelFormatter([](double sum) { return QString::fromStdString(TeamStarsLabel(sum)); });
  Graph(hgCapacity)->SetBarLabelFormatter([](double sum) { return QString::fromStdString(CapacityLabel(sum)); });
  Graph(hgAttendance)->SetBarLabelFormatter([](double sum) { return QString::fromStdString(AttendanceLabel(sum)); });
  AddPresets();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FTopTabs, 1);
  layout->addWidget(BuildRangeBar());
  resize(920, 640);
}

TFormHistoryGraphs::~TFormHistoryGraphs() = default;

QLabel* TFormHistoryGraphs::NewLabel(const QString& name, QWidget* parent, bool bold) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  if (bold) {
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
  }
  return label;
}

QLabel* TFormHistoryGraphs::FindLabel(const QString& name) const { return findChild<QLabel*>(name); }

QWidget* TFormHistoryGraphs::BuildChartPage(TGraph graph, const std::vector<TSeriesLook>& series, bool bars,
                                            bool checkBoxes, bool leagueSwitch) {
  TPanel& panel = FPanels[graph];
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  panel.Graph = new THistoryGraph(page);
  for (const TSeriesLook& s : series) {
    if (bars)
      panel.Graph->AddBarGroup(Tr(s.Name), QColor::fromRgb(s.Colour));
    else
      panel.Graph->AddLineSeries(Tr(s.Name), QColor::fromRgb(s.Colour));
  }
  layout->addWidget(panel.Graph, 1);
  if (!checkBoxes && !leagueSwitch) return page;

  auto* side = new QWidget(page);
  side->setFixedWidth(SidePanelWidth);
  panel.Side = new QVBoxLayout(side);
  panel.Side->setContentsMargins(2, 2, 2, 2);
  if (leagueSwitch) {
    panel.League = new QRadioButton(Tr(N_("League")), side);
    panel.Other = new QRadioButton(Tr(N_("Other")), side);
    panel.League->setChecked(true);
    auto* group = new QButtonGroup(side);
    group->addButton(panel.League);
    group->addButton(panel.Other);
    connect(panel.League, &QRadioButton::toggled, this, [this, graph](bool league) { ShowLeagueSet(graph, league); });
    panel.Side->addWidget(panel.League);
    panel.Side->addWidget(panel.Other);
    panel.Side->addSpacing(8);
  }
  if (checkBoxes) {
    for (size_t i = 0; i < series.size(); ++i) {
      auto* box = new QCheckBox(Tr(series[i].Name), side);
      box->setChecked(true);
      box->setProperty("tag", static_cast<int>(i));
      // A small swatch of the series' colour, so that the box also serves as its legend.
      QPixmap swatch(10, 10);
      swatch.fill(QColor::fromRgb(series[i].Colour));
      box->setIcon(QIcon(swatch));
      connect(box, &QCheckBox::toggled, this,
              [this, graph, i](bool checked) { Graph(graph)->SetSeriesVisible(static_cast<int>(i), checked); });
      panel.Boxes.push_back(box);
      panel.Side->addWidget(box);
    }
    auto* select = new QPushButton(Tr(N_("&Select")), side);
    auto* unselect = new QPushButton(Tr(N_("&Unselect")), side);
    connect(select, &QPushButton::clicked, this, [this, graph] { SelectAll(graph, true); });
    connect(unselect, &QPushButton::clicked, this, [this, graph] { SelectAll(graph, false); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(select);
    buttons->addWidget(unselect);
    panel.Side->addSpacing(4);
    panel.Side->addLayout(buttons);
  }
  panel.Side->addStretch(1);
  layout->addWidget(side);
  return page;
}

void TFormHistoryGraphs::AddPresets() {
  struct TPresetButton {
    const char* Caption;
    int Preset;
  };
  auto add = [this](TGraph graph, const char* title, std::initializer_list<TPresetButton> presets, auto apply) {
    TPanel& panel = FPanels[graph];
    auto* caption = new QLabel(Tr(title));
    caption->setStyleSheet("font-weight: bold");
    // Before the final stretch.
    const int at = panel.Side->count() - 1;
    panel.Side->insertSpacing(at, 8);
    panel.Side->insertWidget(at + 1, caption);
    int index = at + 2;
    for (const TPresetButton& p : presets) {
      auto* button = new QPushButton(Tr(p.Caption));
      const int preset = p.Preset;
      connect(button, &QPushButton::clicked, this, [apply, preset] { apply(preset); });
      panel.Side->insertWidget(index++, button);
    }
  };
  add(hgSkills, N_("Presets"),
      {{N_("Forward"), spForward}, {N_("Wing"), spWing}, {N_("I. Midfielder"), spInnerMidfielder},
       {N_("Wing Back"), spWingBack}, {N_("C. Defender"), spCentralDefender}, {N_("Goalkeeper"), spGoalkeeper}},
      [this](int preset) { SkillPreset(static_cast<TSkillPreset>(preset)); });
  add(hgPositions, N_("Presets"),
      {{N_("Stamina"), ppStamina}, {N_("Playmaking"), ppPlaymaking}, {N_("Winger"), ppWinger},
       {N_("Scoring"), ppScoring}, {N_("Keeper"), ppKeeper}, {N_("Passing"), ppPassing}, {N_("Defending"), ppDefending}},
      [this](int preset) { PositionPreset(static_cast<TPositionPreset>(preset)); });
}

QWidget* TFormHistoryGraphs::BuildPlayerHeader() {
  auto* header = new QWidget;
  auto* layout = new QHBoxLayout(header);
  layout->setContentsMargins(2, 0, 2, 0);
  FLabelPlayerName = NewLabel("LabelPlayerName", header, true);
  QFont font = FLabelPlayerName->font();
  font.setPointSizeF(font.pointSizeF() * 1.3);
  FLabelPlayerName->setFont(font);
  auto* prev = new QPushButton(Tr(N_("&Prev")), header);
  auto* next = new QPushButton(Tr(N_("&Next")), header);
  prev->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  next->setIcon(style()->standardIcon(QStyle::SP_ArrowDown));
  connect(prev, &QPushButton::clicked, this, &TFormHistoryGraphs::ButtonPrevClick);
  connect(next, &QPushButton::clicked, this, &TFormHistoryGraphs::ButtonNextClick);
  layout->addWidget(FLabelPlayerName, 1);
  layout->addWidget(prev);
  layout->addWidget(next);
  return header;
}

QWidget* TFormHistoryGraphs::BuildRangeBar() {
  auto* bar = new QWidget;
  auto* layout = new QHBoxLayout(bar);
  layout->setContentsMargins(0, 0, 0, 0);
  FEditStart = new QSpinBox(bar);
  FEditEnd = new QSpinBox(bar);
  for (QSpinBox* edit : {FEditStart, FEditEnd}) {
    edit->setRange(0, 0);
    edit->setMinimumWidth(60);
  }
  auto* startLabel = new QLabel(Tr(N_("Start")), bar);
  auto* endLabel = new QLabel(Tr(N_("End")), bar);
  startLabel->setBuddy(FEditStart);
  endLabel->setBuddy(FEditEnd);
  auto* left = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), Tr(N_("Left")), bar);
  auto* right = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), Tr(N_("Right")), bar);
  auto* close = new QPushButton(Tr(N_("&Close")), bar);
  connect(FEditStart, &QSpinBox::valueChanged, this, &TFormHistoryGraphs::EditStartChange);
  connect(FEditEnd, &QSpinBox::valueChanged, this, &TFormHistoryGraphs::EditEndChange);
  connect(left, &QPushButton::clicked, this, &TFormHistoryGraphs::ButtonLeftClick);
  connect(right, &QPushButton::clicked, this, &TFormHistoryGraphs::ButtonRightClick);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(new QLabel(Tr(N_("Seasons:")), bar));
  layout->addWidget(startLabel);
  layout->addWidget(FEditStart);
  layout->addWidget(endLabel);
  layout->addWidget(FEditEnd);
  layout->addWidget(left);
  layout->addWidget(right);
  layout->addStretch(1);
  layout->addWidget(close);
  return bar;
}

// ---- Pages, check boxes, presets ------------------------------------------------------------------------------
void TFormHistoryGraphs::SetPage(TPage page) {
  const TPageLocation at = PageLocations[page];
  FTopTabs->setCurrentIndex(at.Top);
  FInnerTabs[at.Top]->setCurrentIndex(at.Inner);
}

TFormHistoryGraphs::TPage TFormHistoryGraphs::CurrentPage() const {
  const int top = FTopTabs->currentIndex();
  const int inner = FInnerTabs[top]->currentIndex();
  for (int p = 0; p < PageCount; ++p)
    if (PageLocations[p].Top == top && PageLocations[p].Inner == inner) return static_cast<TPage>(p);
  return hpGeneral;
}

QCheckBox* TFormHistoryGraphs::CheckBox(TGraph graph, int index) const {
  const auto& boxes = FPanels[graph].Boxes;
  return index >= 0 && index < static_cast<int>(boxes.size()) ? boxes[index] : nullptr;
}

void TFormHistoryGraphs::SelectAll(TGraph graph, bool checked) {
  for (QCheckBox* box : FPanels[graph].Boxes) box->setChecked(checked);
}

void TFormHistoryGraphs::SkillPreset(TSkillPreset preset) {
  static const std::vector<int> groups[] = {
      {skScoring, skPassing},                                         // Forward
      {skWinger, skPlaymaking, skStamina, skPassing, skDefending},    // Wing
      {skPlaymaking, skStamina, skPassing, skDefending},              // I. Midfielder
      {skDefending, skWinger},                                        // Wing Back
      {skDefending},                                                  // C. Defender
      {skKeeper}};                                                    // Goalkeeper
  SelectAll(hgSkills, false);
  for (int s : groups[preset]) CheckBox(hgSkills, s)->setChecked(true);
}

void TFormHistoryGraphs::PositionPreset(TPositionPreset preset) {
  static const std::vector<int> groups[] = {
      {psWing, psInnerMidfielder},                                    // Stamina
      {psWing, psInnerMidfielder},                                    // Playmaking
      {psWing, psWingBack},                                           // Winger
      {psForward},                                                    // Scoring
      {psGoalkeeper},                                                 // Keeper
      {psForward, psWing, psInnerMidfielder},                         // Passing
      {psWing, psInnerMidfielder, psWingBack, psCentralDefender}};    // Defending
  // The six positions and the penalty taker; Maximum stays as it is.
  for (int s = psForward; s <= psPenaltyTaker; ++s) CheckBox(hgPositions, s)->setChecked(false);
  for (int s : groups[preset]) CheckBox(hgPositions, s)->setChecked(true);
}

// ---- Opening and navigation ---------------------------------------------------------------------------------
void TFormHistoryGraphs::ShowForGridColumn(int col) {
  SelectAll(hgSkills, false);
  SelectAll(hgPositions, false);
  for (int s = 0; s < Graph(hgSkills)->SeriesCount(); ++s) Graph(hgSkills)->SetSeriesSelected(s, false);
  for (int s = 0; s < Graph(hgPositions)->SeriesCount(); ++s) Graph(hgPositions)->SetSeriesSelected(s, false);
  auto choose = [this](TGraph graph, int series, bool selected) {
    CheckBox(graph, series)->setChecked(true);
    Graph(graph)->SetSeriesSelected(series, selected);
  };
  if (col >= paStamina && col <= paDefending) {
    SetPage(hpSkills);
    choose(hgSkills, col - paStamina, true);
  } else if (col >= paSetPieces && col <= paExperience) {
    SetPage(hpSkills);
    choose(hgSkills, col - paStamina, false);
  } else if (col == paTSI) {
    SetPage(hpTSI);
  } else if (col >= paForwardRating && col <= paKeeperRating) {
    SetPage(hpPositions);
    choose(hgPositions, col - paForwardRating, true);
  } else if (col == paSetPiecesRating || col == paBestRating) {
    SetPage(hpPositions);
    choose(hgPositions, col - paForwardRating, false);
  } else {
    SetPage(hpGeneral);
    SelectAll(hgSkills, true);
    SelectAll(hgPositions, true);
  }
  PickGridPlayer();
  show();
  raise();
  activateWindow();
}

void TFormHistoryGraphs::PickGridPlayer() {
  TPlayerGrid* grid = FHost.MainGrid;
  if (!grid || grid->IsEmpty()) return;
  auto player = std::make_unique<TPlayer>(wDisabled);
  grid->ReadRow(*player, -1);
  ShowPlayer(std::move(player));
}

void TFormHistoryGraphs::ShowPlayer(std::unique_ptr<TPlayer> player) {
  FPlayer = std::move(player);
  ShowPlayerData();
}

void TFormHistoryGraphs::ButtonPrevClick() {
  TPlayerGrid* grid = FHost.MainGrid;
  if (!grid || grid->IsEmpty()) return;
  const int first = 1, last = grid->RowCount() - 1;
  const int row = grid->Row();
  grid->SelectRow(row <= first ? last : row - 1);
  PickGridPlayer();
}

void TFormHistoryGraphs::ButtonNextClick() {
  TPlayerGrid* grid = FHost.MainGrid;
  if (!grid || grid->IsEmpty()) return;
  const int first = 1, last = grid->RowCount() - 1;
  const int row = grid->Row();
  grid->SelectRow(row >= last ? first : row + 1);
  PickGridPlayer();
}

// ---- Season range -------------------------------------------------------------------------------------------
void TFormHistoryGraphs::UpdateRangeBounds() {
  const int first = FHistory.Count() > 0 ? FHistory.Page(1).World.Season : 0;
  const int newest = FHistory.Count() > 0 ? FHistory.Latest().World.Season : 0;
  FRangeUpdating = true;
  FEditStart->setRange(first, newest);
  FEditEnd->setRange(first, newest);
  if (!FRangeSet && FHistory.Count() > 0) {
    FEditStart->setValue(newest);
    FEditEnd->setValue(newest);
    FRangeSet = true;
  }
  FRangeUpdating = false;
  ApplyRange();
}

void TFormHistoryGraphs::EditStartChange() {
  if (FRangeUpdating) return;
  // Start may not pass End: End is pulled along.
  if (FEditStart->value() > FEditEnd->value()) {
    FRangeUpdating = true;
    FEditEnd->setValue(FEditStart->value());
    FRangeUpdating = false;
  }
  ApplyRange();
}

void TFormHistoryGraphs::EditEndChange() {
  if (FRangeUpdating) return;
  if (FEditEnd->value() < FEditStart->value()) {
    FRangeUpdating = true;
    FEditStart->setValue(FEditEnd->value());
    FRangeUpdating = false;
  }
  ApplyRange();
}

void TFormHistoryGraphs::ButtonLeftClick() {
  if (FEditStart->value() - 1 < FEditStart->minimum()) return;
  FRangeUpdating = true;
  FEditStart->setValue(FEditStart->value() - 1);
  FEditEnd->setValue(FEditEnd->value() - 1);
  FRangeUpdating = false;
  ApplyRange();
}

void TFormHistoryGraphs::ButtonRightClick() {
  if (FEditEnd->value() + 1 > FEditEnd->maximum()) return;
  FRangeUpdating = true;
  FEditEnd->setValue(FEditEnd->value() + 1);
  FEditStart->setValue(FEditStart->value() + 1);
  FRangeUpdating = false;
  ApplyRange();
}

void TFormHistoryGraphs::ApplyRange() {
  for (const TPanel& panel : FPanels) panel.Graph->SetSeasonRange(FEditStart->value(), FEditEnd->value());
}

void TFormHistoryGraphs::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  FillClubCharts();
}

void TFormHistoryGraphs::hideEvent(QHideEvent* event) {
  QDialog::hideEvent(event);
  if (!event->spontaneous() && FHost.Closed) FHost.Closed();
}
