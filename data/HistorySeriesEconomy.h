#pragma once
// The club's weekly revenue and expenses over the history pages, and the figures of one chosen week, as the
// history graphs show them. Money is in the display currency of the preferences (data/Money.h).
//
// An economy record holds the figures of the week in progress (expected) and of the week before (last). The
// completed week of page i is therefore found in the next page's last-week figures; only the newest page,
// which has no next page yet, shows its own figures of the week in progress.
#include "data/HistorySeries.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class TXMLEconomy;

// One week's figures in the game's base unit.
struct TEconomyFigures {
  // Revenue
  int64_t Crowd = 0;       // spectators
  int64_t Sponsors = 0;
  int64_t Financial = 0;
  int64_t Temporary = 0;
  int64_t IncomeTotal = 0;
  // Expenses
  int64_t Arena = 0;
  int64_t Wages = 0;       // players
  int64_t Interest = 0;    // financial
  int64_t TemporaryCosts = 0;
  int64_t Staff = 0;
  int64_t Youth = 0;
  int64_t CostsTotal = 0;
  bool operator==(const TEconomyFigures&) const = default;
};

TEconomyFigures CurrentWeekFigures(const TXMLEconomy& economy);
TEconomyFigures LastWeekFigures(const TXMLEconomy& economy);
// The completed week of page index (1..Count): the next page's last-week figures, the newest page's own.
TEconomyFigures CompletedWeekFigures(const THistory& history, int index);

constexpr int RevenueSeriesCount = 5;   // crowd, sponsors, financial, temporary, total
constexpr int ExpenseSeriesCount = 7;   // arena, wages, interest, temporary, staff, youth squad, total
// One point per page, in the display currency.
std::array<THistoryPoints, RevenueSeriesCount> RevenueSeries(const THistory& history);
std::array<THistoryPoints, ExpenseSeriesCount> ExpenseSeries(const THistory& history);

// The entries of the week box, newest first: "Week %.2d, Season %.2d" (round, season) of every page.
std::vector<std::string> EconomyWeekNames(const THistory& history);

// The mood names of the popularity values 0..11 ("Murderous" .. "Sending Love Poems to you"), translated;
// empty outside.
std::string MoodName(int popularity);

// One slice of a pie: its (translated) name and amount in the display currency.
struct TEconomySlice {
  std::string Name;
  int64_t Amount = 0;
};

// Everything the economy's general page shows for entry k of the week box (0 = the newest week). All
// amounts are in the display currency; the texts are grouped by blanks.
struct TEconomyGeneral {
  std::vector<TEconomySlice> Revenue;   // only the slices above 0
  std::vector<TEconomySlice> Expenses;
  TEconomyFigures Figures;              // in the display currency
  std::array<std::string, RevenueSeriesCount> RevenueTexts;   // crowd .. total
  std::array<std::string, ExpenseSeriesCount> ExpenseTexts;   // arena .. total
  std::string CashFunds;
  std::string IncomeLoss;
  std::string Sponsors;
  std::string Supporters;
  std::string SupporterClub;
};

// k = 0: the newest page's week in progress, cash funds "%s %s (%s %s)" with Cash and ExpectedCash,
// income/loss ExpectedCash - Cash. k >= 1: the week of page Count - k, from the last-week figures of the page
// after it (income/loss its LastWeeksTotal), cash funds "%s %s" with the Cash of page Count - k. The moods
// and the supporter club are those of the week's page. Raises ERangeError for k outside 0..Count - 1.
TEconomyGeneral EconomyGeneral(const THistory& history, int k);
