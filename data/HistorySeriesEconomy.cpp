#include "data/HistorySeriesEconomy.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/Money.h"

TEconomyFigures CurrentWeekFigures(const TXMLEconomy& e) {
  return {e.IncomeSpectators, e.IncomeSponsors, e.IncomeFinancial, e.IncomeTemporary, e.IncomeSum,
          e.CostsArena,       e.CostsPlayers,   e.CostsFinancial,  e.CostsTemporary,  e.CostsStaff,
          e.CostsYouth,       e.CostsSum};
}

TEconomyFigures LastWeekFigures(const TXMLEconomy& e) {
  return {e.LastIncomeSpectators, e.LastIncomeSponsors, e.LastIncomeFinancial, e.LastIncomeTemporary,
          e.LastIncomeSum,        e.LastCostsArena,     e.LastCostsPlayers,    e.LastCostsFinancial,
          e.LastCostsTemporary,   e.LastCostsStaff,     e.LastCostsYouth,      e.LastCostsSum};
}

TEconomyFigures CompletedWeekFigures(const THistory& history, int index) {
  if (index < 1 || index > history.Count()) throw ERangeError();
  if (index == history.Count()) return CurrentWeekFigures(history.Page(index).Economy);
  return LastWeekFigures(history.Page(index + 1).Economy);
}

namespace {
std::array<int64_t, RevenueSeriesCount> RevenueValues(const TEconomyFigures& f) {
  return {f.Crowd, f.Sponsors, f.Financial, f.Temporary, f.IncomeTotal};
}
std::array<int64_t, ExpenseSeriesCount> ExpenseValues(const TEconomyFigures& f) {
  return {f.Arena, f.Wages, f.Interest, f.TemporaryCosts, f.Staff, f.Youth, f.CostsTotal};
}

TEconomyFigures ToLocal(const TEconomyFigures& f) {
  return {ToLocalCurrency(f.Crowd),    ToLocalCurrency(f.Sponsors),    ToLocalCurrency(f.Financial),
          ToLocalCurrency(f.Temporary), ToLocalCurrency(f.IncomeTotal), ToLocalCurrency(f.Arena),
          ToLocalCurrency(f.Wages),    ToLocalCurrency(f.Interest),    ToLocalCurrency(f.TemporaryCosts),
          ToLocalCurrency(f.Staff),    ToLocalCurrency(f.Youth),       ToLocalCurrency(f.CostsTotal)};
}

const char* const RevenueSliceNames[RevenueSeriesCount - 1] = {N_("Crowd"), N_("Sponsors"), N_("Financial"),
                                                               N_("Temporary")};
const char* const ExpenseSliceNames[ExpenseSeriesCount - 1] = {N_("Arena"), N_("Wages"), N_("Interest"),
                                                               N_("Temporary"), N_("Staff"), N_("Youth squad")};

const char* const MoodNames[12] = {N_("Murderous"),    N_("Furious"),  N_("Angry"),     N_("Irritated"),
                                   N_("Disappointed"), N_("Calm"),     N_("Content"),   N_("Satisfied"),
                                   N_("Delirious"),    N_("High on Life"), N_("Dancing in the Streets"),
                                   N_("Sending Love Poems to you")};
}  // namespace

std::array<THistoryPoints, RevenueSeriesCount> RevenueSeries(const THistory& history) {
  std::array<THistoryPoints, RevenueSeriesCount> series;
  for (int i = 1; i <= history.Count(); ++i) {
    const double x = HistoryAxisX(history.Page(i));
    const auto values = RevenueValues(CompletedWeekFigures(history, i));
    for (int s = 0; s < RevenueSeriesCount; ++s) series[s].push_back({x, double(ToLocalCurrency(values[s])), {}});
  }
  return series;
}

std::array<THistoryPoints, ExpenseSeriesCount> ExpenseSeries(const THistory& history) {
  std::array<THistoryPoints, ExpenseSeriesCount> series;
  for (int i = 1; i <= history.Count(); ++i) {
    const double x = HistoryAxisX(history.Page(i));
    const auto values = ExpenseValues(CompletedWeekFigures(history, i));
    for (int s = 0; s < ExpenseSeriesCount; ++s) series[s].push_back({x, double(ToLocalCurrency(values[s])), {}});
  }
  return series;
}

std::vector<std::string> EconomyWeekNames(const THistory& history) {
  std::vector<std::string> names;
  names.reserve(history.Count());
  for (int i = history.Count(); i >= 1; --i) {
    const TXMLWorld& world = history.Page(i).World;
    names.push_back(FormatText(_("Week %.2d, Season %.2d"), world.MatchRound, world.Season));
  }
  return names;
}

std::string MoodName(int popularity) {
  if (popularity < 0 || popularity > 11) return {};
  return _(MoodNames[popularity]);
}

TEconomyGeneral EconomyGeneral(const THistory& history, int k) {
  if (k < 0 || k >= history.Count()) throw ERangeError();
  const int index = history.Count() - k;
  const THistoryPage& page = history.Page(index);
  const TXMLEconomy& economy = page.Economy;
  TEconomyGeneral g;
  const std::string currency = CurrencyName();
  TEconomyFigures base;
  int64_t incomeLoss = 0;
  if (k == 0) {
    base = CurrentWeekFigures(economy);
    incomeLoss = economy.ExpectedCash - economy.Cash;
    g.CashFunds = FormatText("%s %s (%s %s)", FormatMoney(economy.Cash).c_str(), currency.c_str(),
                             FormatMoney(economy.ExpectedCash).c_str(), currency.c_str());
  } else {
    const TXMLEconomy& next = history.Page(index + 1).Economy;
    base = LastWeekFigures(next);
    incomeLoss = next.LastWeeksTotal;
    g.CashFunds = FormatText("%s %s", FormatMoney(economy.Cash).c_str(), currency.c_str());
  }
  g.Figures = ToLocal(base);
  g.IncomeLoss = FormatMoney(incomeLoss);
  const auto revenue = RevenueValues(g.Figures);
  const auto expenses = ExpenseValues(g.Figures);
  for (int s = 0; s < RevenueSeriesCount; ++s) g.RevenueTexts[s] = GroupDigits(' ', revenue[s]);
  for (int s = 0; s < ExpenseSeriesCount; ++s) g.ExpenseTexts[s] = GroupDigits(' ', expenses[s]);
  for (int s = 0; s < RevenueSeriesCount - 1; ++s)
    if (revenue[s] > 0) g.Revenue.push_back({_(RevenueSliceNames[s]), revenue[s]});
  for (int s = 0; s < ExpenseSeriesCount - 1; ++s)
    if (expenses[s] > 0) g.Expenses.push_back({_(ExpenseSliceNames[s]), expenses[s]});
  g.Sponsors = MoodName(economy.SponsorsPopularity);
  g.Supporters = MoodName(economy.SupportersPopularity);
  g.SupporterClub = FormatText(_("%s members"), GroupDigits(' ', economy.FanClubSize).c_str());
  return g;
}
