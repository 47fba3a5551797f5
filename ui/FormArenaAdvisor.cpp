#include "ui/FormArenaAdvisor.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/Money.h"
#include "ui/FormHistoryGraphs.h"
#include "ui/FormMain.h"
#include "ui/Icons.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QString Tr(const char* text) { return QString::fromUtf8(_(text)); }
QString Q(const std::string& text) { return QString::fromStdString(text); }

const QString NumberLabelName = QStringLiteral("ArenaNumber");

// Padded numbers line up only in a fixed-pitch font.
QLabel* NumberLabel() {
  auto* label = new QLabel;
  label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  label->setObjectName(NumberLabelName);
  return label;
}

// The Engineering page's numbers stand right-aligned in their columns: the recommendations' money has no
// padding and the project's money a wider one with ": " in front, so only their right edges can line up,
// with each other and with the column heads.
QLabel* RightAligned(QLabel* label) {
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

QString Capacity(int64_t value) { return ": " + Q(FormatArenaNumber(value, 10)); }
QString ProjectMoney(int64_t value) { return ": " + Q(FormatArenaNumber(value, 11)); }

// The rows of seat types and total with a leading caption column.
void AddSeatCaptions(QGridLayout* grid, int column) {
  for (int t = 0; t < SeatTypeCount; ++t) grid->addWidget(new QLabel(Tr(SeatTypeNames[t])), t + 1, column);
  grid->addWidget(new QLabel(Tr(SeatTotalName)), SeatTypeCount + 1, column);
}
}  // namespace

TFormArenaAdvisor::TFormArenaAdvisor(TFormMain& main) : QDialog(&main, Qt::Window), FMain(main) {
  setWindowTitle(Tr(N_("Arena Advisor")));
  auto* layout = new QVBoxLayout(this);
  FPages = new QTabWidget;
  FPages->addTab(BuildGeneralPage(), Tr(N_("Ge&neral")));
  FPages->addTab(BuildMaintenancePage(), Tr(N_("&Maintenance")));
  FPages->addTab(BuildEngineeringPage(), Tr(N_("&Engineering")));
  layout->addWidget(FPages);
  auto* buttons = new QHBoxLayout;
  FButtonGraphs = new QPushButton(Tr(N_("&Graphs")));
  FButtonClose = new QPushButton(Tr(N_("&Close")));
  buttons->addStretch();
  buttons->addWidget(FButtonGraphs);
  buttons->addWidget(FButtonClose);
  layout->addLayout(buttons);
  connect(FButtonGraphs, &QPushButton::clicked, this, &TFormArenaAdvisor::ButtonGraphsClick);
  connect(FButtonClose, &QPushButton::clicked, this, &QWidget::close);
  FMain.RegisterToolWindow(iiArenaAdvisor, this);
}

TFormArenaAdvisor::~TFormArenaAdvisor() { FMain.RegisterToolWindow(iiArenaAdvisor, nullptr); }

QWidget* TFormArenaAdvisor::BuildGeneralPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  FArenaName = new QLabel;
  QFont bold = FArenaName->font();
  bold.setBold(true);
  FArenaName->setFont(bold);
  layout->addWidget(FArenaName);
  auto* grid = new QGridLayout;
  AddSeatCaptions(grid, 0);
  const char* const heads[3] = {N_("Current"), N_("Expanding"), N_("Final")};
  for (int row = 0; row < 3; ++row) {
    grid->addWidget(new QLabel(Tr(heads[row])), 0, row + 1);
    for (int t = 0; t <= SeatTypeCount; ++t) grid->addWidget(FCapacity[row][t] = NumberLabel(), t + 1, row + 1);
  }
  layout->addLayout(grid);
  auto* fans = new QGridLayout;
  fans->addWidget(new QLabel(Tr(N_("Supporter Club: "))), 0, 0);
  fans->addWidget(FClub = new QLabel, 0, 1);
  fans->addWidget(new QLabel(Tr(N_("Supporters: "))), 1, 0);
  fans->addWidget(FMood = new QLabel, 1, 1);
  fans->setColumnStretch(1, 1);
  layout->addLayout(fans);
  layout->addStretch();
  return page;
}

QWidget* TFormArenaAdvisor::BuildMaintenancePage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* grid = new QGridLayout;
  AddSeatCaptions(grid, 0);
  grid->addWidget(new QLabel(Tr(N_("Current"))), 0, 1);
  grid->addWidget(new QLabel(Tr(N_("Cost"))), 0, 2);
  grid->addWidget(new QLabel(Tr(N_("Income"))), 0, 3);
  for (int t = 0; t <= SeatTypeCount; ++t) {
    grid->addWidget(FUpkeepCapacity[t] = NumberLabel(), t + 1, 1);
    grid->addWidget(FUpkeepCost[t] = NumberLabel(), t + 1, 2);
    grid->addWidget(FUpkeepIncome[t] = NumberLabel(), t + 1, 3);
  }
  layout->addLayout(grid);
  auto* profit = new QHBoxLayout;
  profit->addWidget(new QLabel(Tr(N_("Maximum Arena Profit: "))));
  profit->addWidget(FProfit = new QLabel);
  profit->addStretch();
  layout->addLayout(profit);
  layout->addStretch();
  return page;
}

QWidget* TFormArenaAdvisor::BuildEngineeringPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* grid = new QGridLayout;
  // Room between the columns, so that the project's ": " reads as part of its own field.
  grid->setHorizontalSpacing(16);
  // Column heads: the seat types and the total are the project's clickable row labels.
  for (int t = 0; t <= SeatTypeCount; ++t) {
    FRowLabels[t] = new QPushButton(Tr(t < SeatTypeCount ? SeatTypeNames[t] : SeatTotalName));
    FRowLabels[t]->setFlat(true);
    FRowLabels[t]->setStyleSheet(QStringLiteral("QPushButton { text-align: right; padding: 2px 0px; }"));
    grid->addWidget(FRowLabels[t], 0, t + 1);
  }
  const char* const money[3] = {N_("Construction"), N_("Maintenance"), N_("Income")};
  for (int i = 0; i < 3; ++i) grid->addWidget(RightAligned(new QLabel(Tr(money[i]))), 0, SeatTypeCount + 2 + i);
  for (int r = 0; r < ArenaRecommendationCount; ++r) {
    grid->addWidget(new QLabel(Tr(ArenaRecommendationNames[r])), r + 1, 0);
    for (int c = 0; c < SeatTypeCount + 4; ++c)
      grid->addWidget(FRecommend[r][c] = RightAligned(NumberLabel()), r + 1, c + 1);
    FSetButtons[r] = new QPushButton(Tr(N_("Set")));
    grid->addWidget(FSetButtons[r], r + 1, SeatTypeCount + 5);
    connect(FSetButtons[r], &QPushButton::clicked, this, [this, r] {
      // The plan's numbers, not its display: a zero shows as dashes.
      FProject.SetSeats(ArenaRecommendation(TArenaRecommendation(r), FClubSize, FCurrent, FProject.Difference()).Seats);
      ShowProjectEdits();
      ShowProjectMoney();
    });
  }
  const int projectRow = ArenaRecommendationCount + 1;
  grid->addWidget(new QLabel(Tr(N_("Project"))), projectRow, 0);
  for (int t = 0; t <= SeatTypeCount; ++t) {
    FProjectEdits[t] = new QLineEdit;
    FProjectEdits[t]->setAlignment(Qt::AlignRight);
    grid->addWidget(FProjectEdits[t], projectRow, t + 1);
    if (t < SeatTypeCount) {
      connect(FProjectEdits[t], &QLineEdit::textChanged, this, [this, t] { ProjectCapacityChange(t); });
      // A letter like a key cap, the same in every language (and "A" has another meaning elsewhere).
      FShareButtons[t] = new QPushButton(QStringLiteral("A"));
      FShareButtons[t]->setToolTip(Tr(N_("The arena in which these seats are the supporters' share")));
      grid->addWidget(FShareButtons[t], projectRow + 1, t + 1);
      connect(FShareButtons[t], &QPushButton::clicked, this, [this, t] {
        FProject.ShareTotal(TSeatType(t));
        ShowProjectEdits();
        ShowProjectMoney();
      });
      connect(FRowLabels[t], &QPushButton::clicked, this, [this, t] {
        FProject.RowLabelClick(TSeatType(t));
        ShowProjectEdits();
        ShowProjectMoney();
      });
    }
  }
  connect(FProjectEdits[SeatTypeCount], &QLineEdit::textChanged, this, &TFormArenaAdvisor::ProjectTotalChange);
  connect(FRowLabels[SeatTypeCount], &QPushButton::clicked, this, [this] {
    FProject.TotalLabelClick();
    ShowProjectEdits();
    ShowProjectMoney();
  });
  for (int i = 0; i < 3; ++i)
    grid->addWidget(FProjectMoney[i] = RightAligned(NumberLabel()), projectRow, SeatTypeCount + 2 + i);
  layout->addLayout(grid);
  FDifference = new QCheckBox(Tr(N_("Show &Difference")));
  layout->addWidget(FDifference);
  connect(FDifference, &QCheckBox::toggled, this, [this](bool on) {
    FProject.SetDifference(on);
    ShowProjectEdits();
    ShowProjectMoney();
    ShowRecommendations();
  });
  layout->addStretch();
  return page;
}

THistoryPage* TFormArenaAdvisor::ShownPage() const {
  const int i = FMain.ShownHistoryPage();
  return i >= 1 && i <= History().Count() ? &History().Page(i) : nullptr;
}

void TFormArenaAdvisor::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormShow();
}

void TFormArenaAdvisor::closeEvent(QCloseEvent* event) {
  QDialog::closeEvent(event);
  FMain.ReleaseToolButton(iiArenaAdvisor);
}

void TFormArenaAdvisor::FormShow() {
  const THistoryPage* page = ShownPage();
  FPages->setEnabled(page != nullptr);
  if (!page) {
    // No snapshot: blank fields rather than a zero arena that looks like data.
    for (auto* label : FPages->findChildren<QLabel*>())
      if (label->objectName() == NumberLabelName || label == FArenaName || label == FClub || label == FMood ||
          label == FProfit)
        label->clear();
    FFillingCapacities = FFillingTotal = true;
    for (auto* edit : FProjectEdits) edit->clear();
    FFillingCapacities = FFillingTotal = false;
    return;
  }
  const TXMLArena& arena = page->Arena;
  const TXMLEconomy& economy = page->Economy;
  FCurrent = CurrentSeats(arena);
  FClubSize = economy.FanClubSize;
  FArenaName->setText(Q(arena.ArenaName));
  const TArenaSeats rows[3] = {FCurrent, ExpandingSeats(arena), FinalSeats(arena)};
  for (int row = 0; row < 3; ++row) {
    for (int t = 0; t < SeatTypeCount; ++t) FCapacity[row][t]->setText(Capacity(rows[row][t]));
    FCapacity[row][SeatTypeCount]->setText(Capacity(row == 0 ? arena.Total : SeatSum(rows[row])));
  }
  FClub->setText(Q(FormatText(_("%s members"), GroupDigits(' ', FClubSize).c_str())));
  FMood->setText(Q(SupporterMoodName(economy.SupportersPopularity)));

  try {
    const TArenaUpkeep upkeep = ArenaUpkeep(FCurrent);
    for (int t = 0; t < SeatTypeCount; ++t) {
      FUpkeepCapacity[t]->setText(Capacity(FCurrent[t]));
      FUpkeepCost[t]->setText(Capacity(upkeep.LocalCost[t]));
      FUpkeepIncome[t]->setText(Capacity(upkeep.LocalIncome[t]));
    }
    FUpkeepCapacity[SeatTypeCount]->setText(Capacity(arena.Total));
    FUpkeepCost[SeatTypeCount]->setText(Capacity(upkeep.LocalCostTotal));
    FUpkeepIncome[SeatTypeCount]->setText(Capacity(upkeep.LocalIncomeTotal));
    FProfit->setText(Q(FormatText(_("%s %s per week"), GroupDigits(' ', upkeep.LocalProfit).c_str(),
                                  CurrencyName().c_str())));
  } catch (const ERangeError&) {
    // No valid currency chosen: the amounts stay empty rather than shown in the wrong unit.
    FProfit->clear();
  }

  // The box first: its toggle converts the edits, which Reset then overwrites anyway.
  {
    const QSignalBlocker block(FDifference);
    FDifference->setChecked(false);
  }
  FProject.Reset(FCurrent, arena.Total);
  ShowProjectEdits();
  ShowProjectMoney();
  ShowRecommendations();
}

void TFormArenaAdvisor::ShowRecommendations() {
  for (int r = 0; r < ArenaRecommendationCount; ++r) {
    auto& labels = FRecommend[r];
    try {
      const TArenaPlan plan =
          ArenaRecommendation(TArenaRecommendation(r), FClubSize, FCurrent, FDifference->isChecked());
      for (int t = 0; t < SeatTypeCount; ++t) labels[t]->setText(Q(FormatArenaNumber(plan.Seats[t], 10)));
      labels[SeatTypeCount]->setText(Q(FormatArenaNumber(SeatSum(plan.Seats), 10)));
      labels[SeatTypeCount + 1]->setText(Q(FormatArenaNumber(plan.LocalCost, 0)));
      labels[SeatTypeCount + 2]->setText(Q(FormatArenaNumber(plan.LocalMaintenance, 0)));
      labels[SeatTypeCount + 3]->setText(Q(FormatArenaNumber(plan.LocalIncome, 0)));
    } catch (const ERangeError&) {
      for (auto* label : labels) label->clear();
    }
  }
}

void TFormArenaAdvisor::ShowProjectEdits() {
  FFillingCapacities = FFillingTotal = true;
  for (int t = 0; t < SeatTypeCount; ++t) FProjectEdits[t]->setText(Q(FProject.CapacityText(TSeatType(t))));
  FProjectEdits[SeatTypeCount]->setText(Q(FProject.TotalText()));
  FFillingCapacities = FFillingTotal = false;
}

void TFormArenaAdvisor::ShowProjectMoney() {
  std::optional<TArenaPlan> plan;
  try {
    plan = FProject.Money();
  } catch (const ERangeError&) {
  }
  if (!plan) {
    for (auto* label : FProjectMoney) label->setText(Q(ArenaEmptyMoneyText()));
    return;
  }
  FProjectMoney[0]->setText(ProjectMoney(plan->LocalCost));
  FProjectMoney[1]->setText(ProjectMoney(plan->LocalMaintenance));
  FProjectMoney[2]->setText(ProjectMoney(plan->LocalIncome));
}

void TFormArenaAdvisor::ProjectCapacityChange(int type) {
  if (FFillingCapacities) return;
  FProject.SetCapacityText(TSeatType(type), FProjectEdits[type]->text().toStdString());
  FFillingTotal = true;
  FProjectEdits[SeatTypeCount]->setText(Q(FProject.TotalText()));
  FFillingTotal = false;
  ShowProjectMoney();
}

void TFormArenaAdvisor::ProjectTotalChange() {
  if (FFillingTotal) return;
  FProject.SetTotalText(FProjectEdits[SeatTypeCount]->text().toStdString());
  FFillingCapacities = true;
  for (int t = 0; t < SeatTypeCount; ++t) FProjectEdits[t]->setText(Q(FProject.CapacityText(TSeatType(t))));
  FFillingCapacities = false;
  ShowProjectMoney();
}

void TFormArenaAdvisor::ButtonGraphsClick() {
  if (auto* graphs = dynamic_cast<TFormHistoryGraphs*>(FMain.ToolWindow(iiPlayerInformation)))
    graphs->SetPage(TFormHistoryGraphs::hpSupporterClub);
  FMain.ToolButtonClick(iiPlayerInformation);
}
