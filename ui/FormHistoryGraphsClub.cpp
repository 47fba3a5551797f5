// The graphs window's club pages: team spirit and stars per line, arena and supporters, and the economy
// with the figures of a chosen week.
#include "ui/FormHistoryGraphs.h"

#include "core/Intl.h"
#include "core/Player.h"
#include "data/History.h"
#include "data/HistorySeries.h"
#include "data/HistorySeriesEconomy.h"
#include "data/Money.h"
#include "core/Utils.h"
#include "ui/HistoryGraph.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QPieSeries>
#include <QPieSlice>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
QString Tr(const char* text) { return QString::fromUtf8(_(text)); }
QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

const char* const RevenueRows[RevenueSeriesCount] = {N_("Crowd"), N_("Sponsors"), N_("Financial"), N_("Temporary"),
                                                     N_("Total")};
const char* const ExpenseRows[ExpenseSeriesCount] = {N_("Arena"), N_("Wages"),       N_("Interest"), N_("Temporary"),
                                                     N_("Staff"), N_("Youth squad"), N_("Total")};
const QRgb RevenueColours[RevenueSeriesCount - 1] = {0xFF1F77B4, 0xFFFF7F0E, 0xFF2CA02C, 0xFF9467BD};
const QRgb ExpenseColours[ExpenseSeriesCount - 1] = {0xFF1F77B4, 0xFFD62728, 0xFF2CA02C,
                                                     0xFF9467BD, 0xFFFF7F0E, 0xFF8C564B};

QPieSeries* NewPie(const QString& title, QWidget* parent, QLayout* layout) {
  auto* chart = new QChart;
  chart->setTitle(title);
  QFont titleFont = chart->titleFont();
  titleFont.setBold(true);
  chart->setTitleFont(titleFont);
  chart->setMargins(QMargins(2, 2, 2, 2));
  chart->setBackgroundRoundness(0);
  chart->legend()->setAlignment(Qt::AlignBottom);
  auto* pie = new QPieSeries;
  pie->setPieSize(0.8);
  chart->addSeries(pie);
  auto* view = new QChartView(chart, parent);
  view->setRenderHint(QPainter::Antialiasing);
  view->setMinimumSize(240, 240);
  layout->addWidget(view);
  return pie;
}

void FillPie(QPieSeries* pie, const std::vector<TEconomySlice>& slices, const QRgb* colours,
             const char* const* names, int nameCount) {
  pie->clear();
  for (const TEconomySlice& s : slices) {
    QPieSlice* slice = pie->append(FromUtf8(s.Name) + "  " + FromUtf8(GroupDigits(' ', s.Amount)), double(s.Amount));
    // The slice keeps the colour of its line, whichever slices are left out.
    for (int n = 0; n < nameCount; ++n)
      if (s.Name == _(names[n])) slice->setBrush(QColor::fromRgb(colours[n]));
  }
}
}  // namespace

QWidget* TFormHistoryGraphs::BuildEconomyGeneralPage() {
  auto* page = new QWidget;
  auto* layout = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  auto* week = new QHBoxLayout;
  FComboWeek = new QComboBox(page);
  FComboWeek->setMinimumWidth(170);
  week->addWidget(new QLabel(Tr(N_("Week:")), page));
  week->addWidget(FComboWeek, 1);
  left->addLayout(week);
  connect(FComboWeek, &QComboBox::currentIndexChanged, this, [this](int k) {
    if (k >= 0) ComboWeekChange(k);
  });

  auto* figures = new QGroupBox(Tr(N_("Figures")), page);
  auto* grid = new QGridLayout(figures);
  grid->setVerticalSpacing(2);
  int row = 0;
  auto heading = [&](const char* text) {
    auto* label = new QLabel(Tr(text), figures);
    label->setStyleSheet("font-weight: bold");
    grid->addWidget(label, row++, 0, 1, 2);
  };
  auto figure = [&](const QString& caption, const QString& name, bool bold) {
    grid->addWidget(new QLabel(caption, figures), row, 0);
    QLabel* value = NewLabel(name, figures, bold);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(value, row++, 1);
  };
  heading(N_("Revenue"));
  for (int r = 0; r < RevenueSeriesCount; ++r)
    figure(Tr(RevenueRows[r]) + ":", QString("LabelRevenue%1").arg(r), r == RevenueSeriesCount - 1);
  heading(N_("Expenses"));
  for (int r = 0; r < ExpenseSeriesCount; ++r)
    figure(Tr(ExpenseRows[r]) + ":", QString("LabelExpense%1").arg(r), r == ExpenseSeriesCount - 1);
  grid->setRowMinimumHeight(row++, 6);
  figure(Tr(N_("Income/Loss:")), "LabelIncomeLoss", true);
  figure(Tr(N_("Cash funds:")), "LabelCashFunds", false);
  grid->setRowMinimumHeight(row++, 6);
  figure(Tr(N_("Sponsors:")), "LabelSponsors", false);
  figure(Tr(N_("Supporters:")), "LabelSupporters", false);
  figure(Tr(N_("Supporter club:")), "LabelSupporterClub", false);
  grid->setColumnStretch(1, 1);
  left->addWidget(figures);
  left->addStretch(1);
  layout->addLayout(left, 2);

  auto* pies = new QVBoxLayout;
  FPieRevenue = NewPie(Tr(N_("Revenue")), page, pies);
  FPieExpenses = NewPie(Tr(N_("Expenses")), page, pies);
  layout->addLayout(pies, 3);
  return page;
}

void TFormHistoryGraphs::ShowLeagueSet(TGraph graph, bool league) {
  TPanel& panel = FPanels[graph];
  if (!panel.League) return;
  if (panel.League->isChecked() != league) {
    // The radio button's toggle calls back here.
    (league ? panel.League : panel.Other)->setChecked(true);
    return;
  }
  FillLeagueSet(graph);
}

void TFormHistoryGraphs::FillLeagueSet(TGraph graph) {
  const bool league = FPanels[graph].League->isChecked();
  Graph(graph)->SetBars(graph == hgTeamStars ? TeamStarsBars(FHistory, league) : AttendanceBars(FHistory, league));
}

void TFormHistoryGraphs::FillClubCharts() {
  const auto spirit = TeamSpiritSeries(FHistory);
  for (int s = 0; s < 2; ++s) Graph(hgTeamSpirit)->SetLinePoints(s, spirit[s]);
  FillLeagueSet(hgTeamStars);
  FillLeagueSet(hgAttendance);
  TStackedBars fanClub;
  fanClub.Groups.resize(1);
  for (const THistoryPoint& p : SupporterClubSeries(FHistory)) {
    fanClub.X.push_back(p.X);
    fanClub.Groups[0].push_back(p.Y);
  }
  Graph(hgSupporterClub)->SetBars(fanClub);
  Graph(hgCapacity)->SetBars(CapacityBars(FHistory));
  const auto popularity = PopularitySeries(FHistory);
  for (int s = 0; s < 2; ++s) Graph(hgPopularity)->SetLinePoints(s, popularity[s]);
  try {
    const auto revenue = RevenueSeries(FHistory);
    for (int s = 0; s < RevenueSeriesCount; ++s) Graph(hgRevenue)->SetLinePoints(s, revenue[s]);
    const auto expenses = ExpenseSeries(FHistory);
    for (int s = 0; s < ExpenseSeriesCount; ++s) Graph(hgExpenses)->SetLinePoints(s, expenses[s]);
  } catch (const std::exception&) {
    // A display currency the program does not know: the money charts stay empty.
    for (int s = 0; s < RevenueSeriesCount; ++s) Graph(hgRevenue)->SetLinePoints(s, {});
    for (int s = 0; s < ExpenseSeriesCount; ++s) Graph(hgExpenses)->SetLinePoints(s, {});
  }

  FComboWeek->blockSignals(true);
  FComboWeek->clear();
  for (const std::string& name : EconomyWeekNames(FHistory)) FComboWeek->addItem(FromUtf8(name));
  FComboWeek->blockSignals(false);
  if (FComboWeek->count() > 0) {
    FComboWeek->setCurrentIndex(0);
    ComboWeekChange(0);
  }
  // The store may have grown since the player was picked.
  if (FPlayer) ShowPlayerData();
  UpdateRangeBounds();
}

void TFormHistoryGraphs::ComboWeekChange(int k) {
  TEconomyGeneral g;
  try {
    g = EconomyGeneral(FHistory, k);
  } catch (const std::exception&) {
    return;
  }
  FillPie(FPieRevenue, g.Revenue, RevenueColours, RevenueRows, RevenueSeriesCount - 1);
  FillPie(FPieExpenses, g.Expenses, ExpenseColours, ExpenseRows, ExpenseSeriesCount - 1);
  for (int r = 0; r < RevenueSeriesCount; ++r) FindLabel(QString("LabelRevenue%1").arg(r))->setText(FromUtf8(g.RevenueTexts[r]));
  for (int r = 0; r < ExpenseSeriesCount; ++r) FindLabel(QString("LabelExpense%1").arg(r))->setText(FromUtf8(g.ExpenseTexts[r]));
  FindLabel("LabelIncomeLoss")->setText(FromUtf8(g.IncomeLoss));
  FindLabel("LabelCashFunds")->setText(FromUtf8(g.CashFunds));
  FindLabel("LabelSponsors")->setText(FromUtf8(g.Sponsors));
  FindLabel("LabelSupporters")->setText(FromUtf8(g.Supporters));
  FindLabel("LabelSupporterClub")->setText(FromUtf8(g.SupporterClub));
  const QString currency = FromUtf8(CurrencyName());
  FPieRevenue->chart()->setTitle(Tr(N_("Revenue")) + " (" + currency + ")");
  FPieExpenses->chart()->setTitle(Tr(N_("Expenses")) + " (" + currency + ")");
}
