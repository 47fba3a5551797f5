#include "ratings/ArenaAdvisor.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "data/Money.h"

#include <cctype>

const std::array<const char*, SeatTypeCount> SeatTypeNames{N_("Terraces"), N_("Basic Seating"),
                                                           N_("Seats Under Roof"), N_("Seats in VIP Boxes")};
const char* const SeatTotalName = N_("TOTAL");
const std::array<const char*, ArenaRecommendationCount> ArenaRecommendationNames{N_("Worst"), N_("Ideal"),
                                                                                 N_("Best")};

namespace {
const std::array<const char*, 12> SupporterMoods{
    N_("Murderous"), N_("Furious"),      N_("Angry"),     N_("Irritated"),    N_("Disappointed"),
    N_("Calm"),      N_("Content"),      N_("Satisfied"), N_("Delirious"),    N_("High on Life"),
    N_("Dancing in the Streets"), N_("Sending Love Poems to you")};

// Edits hold what the user typed; a number the game could hold is a 32-bit one.
std::optional<int64_t> ParseEdit(const std::string& text) {
  try {
    return StrToInt(text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

std::string ToText(int64_t value) { return std::to_string(value); }
}  // namespace

int64_t SeatSum(const TArenaSeats& seats) { return seats[0] + seats[1] + seats[2] + seats[3]; }

TArenaSeats operator+(const TArenaSeats& a, const TArenaSeats& b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2], a[3] + b[3]};
}

TArenaSeats operator-(const TArenaSeats& a, const TArenaSeats& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2], a[3] - b[3]};
}

TArenaSeats CurrentSeats(const TXMLArena& arena) { return {arena.Terraces, arena.Basic, arena.Roof, arena.VIP}; }

TArenaSeats ExpandingSeats(const TXMLArena& arena) {
  return {arena.ExpandedTerraces, arena.ExpandedBasic, arena.ExpandedRoof, arena.ExpandedVIP};
}

TArenaSeats FinalSeats(const TXMLArena& arena) {
  const TArenaSeats expanding = ExpandingSeats(arena);
  if (SeatSum(expanding) <= 0) return {};
  return CurrentSeats(arena) + expanding;
}

TArenaSeats SplitArenaTotal(int64_t total) {
  TArenaSeats seats{};
  for (int t = stBasic; t < SeatTypeCount; ++t)
    seats[t] = RoundHalfEven(double(total) * double(ArenaShareWeights[t]) / double(ArenaShareWeightSum));
  seats[stTerraces] = total - (seats[stBasic] + seats[stRoof] + seats[stVIP]);
  return seats;
}

int64_t ArenaTotalFromShare(TSeatType type, int64_t capacity) {
  if (type < 0 || type >= SeatTypeCount) throw ERangeError();
  return RoundHalfEven(double(capacity) * double(ArenaShareWeightSum) / double(ArenaShareWeights[type]));
}

int64_t ArenaConstructionCost(const TArenaSeats& change) {
  int64_t cost = 0;
  for (int t = 0; t < SeatTypeCount; ++t)
    cost += change[t] > 0 ? change[t] * ArenaBuildCost[t] : -change[t] * ArenaRemoveCost;
  return cost > 0 ? cost + ArenaConstructionFee : cost;
}

int64_t ArenaMaintenanceCost(const TArenaSeats& seats) {
  int64_t sum = 0;
  for (int t = 0; t < SeatTypeCount; ++t) sum += seats[t] * ArenaMaintenance[t];
  return sum;
}

int64_t ArenaMatchIncome(const TArenaSeats& seats) {
  int64_t sum = 0;
  for (int t = 0; t < SeatTypeCount; ++t) sum += seats[t] * ArenaIncome[t];
  return sum;
}

std::string FormatArenaNumber(int64_t value, int width) {
  std::string text = value == 0 ? std::string("-- --- ---") : GroupDigits(' ', value);
  if (width > 0 && text.size() < size_t(width)) text.insert(0, size_t(width) - text.size(), ' ');
  return text;
}

std::string ArenaEmptyMoneyText() { return ": " + FormatArenaNumber(0, 12); }

std::string SupporterMoodName(int mood) {
  if (mood < 0 || mood >= int(SupporterMoods.size())) return {};
  return UpperCaseFirstLetter(_(SupporterMoods[size_t(mood)]));
}

std::string UpperCaseFirstLetter(std::string text) {
  if (text.empty()) return text;
  const auto first = static_cast<unsigned char>(text[0]);
  if (first < 0x80) {
    text[0] = char(std::toupper(first));
  } else if (first == 0xC3 && text.size() > 1) {
    // Latin-1 small letters à..þ (not the division sign) sit 0x20 above their capitals in UTF-8 too.
    const auto second = static_cast<unsigned char>(text[1]);
    if (second >= 0xA0 && second <= 0xBE && second != 0xB7) text[1] = char(second - 0x20);
  }
  return text;
}

TArenaUpkeep ArenaUpkeep(const TArenaSeats& current) {
  TArenaUpkeep u;
  int64_t cost = 0, income = 0;
  for (int t = 0; t < SeatTypeCount; ++t) {
    const int64_t c = current[t] * ArenaMaintenance[t];
    const int64_t i = current[t] * ArenaIncome[t];
    u.LocalCost[t] = ToLocalCurrency(c);
    u.LocalIncome[t] = ToLocalCurrency(i);
    cost += c;
    income += i;
  }
  u.LocalCostTotal = ToLocalCurrency(cost);
  u.LocalIncomeTotal = ToLocalCurrency(income);
  u.LocalProfit = RoundHalfEven(double(u.LocalIncomeTotal) / 2.0 - double(u.LocalCostTotal));
  return u;
}

TArenaPlan ArenaRecommendation(TArenaRecommendation which, int64_t clubSize, const TArenaSeats& current,
                               bool difference) {
  if (which < 0 || which >= ArenaRecommendationCount) throw ERangeError();
  const TArenaSeats seats = SplitArenaTotal(clubSize * ArenaRecommendationFactors[which]);
  const TArenaSeats change = seats - current;
  // Maintenance and income are linear, so the change's figures are the differences of the arenas'.
  const TArenaSeats& shown = difference ? change : seats;
  return {shown, ToLocalCurrency(ArenaConstructionCost(change)), ToLocalCurrency(ArenaMaintenanceCost(shown)),
          ToLocalCurrency(ArenaMatchIncome(shown))};
}

// ---- TArenaProject ----------------------------------------------------------------------------------------

void TArenaProject::Reset(const TArenaSeats& current, int64_t currentTotal) {
  FCurrent = current;
  FCurrentTotal = currentTotal;
  FDifference = false;
  for (int t = 0; t < SeatTypeCount; ++t) FCapacity[t] = ToText(current[t]);
  UpdateTotal();
}

void TArenaProject::UpdateTotal() {
  const auto seats = Seats();
  FTotal = seats ? ToText(SeatSum(*seats)) : std::string();
}

void TArenaProject::SetCapacityText(TSeatType type, std::string text) {
  FCapacity.at(type) = std::move(text);
  UpdateTotal();
}

void TArenaProject::SetTotalText(std::string text) {
  FTotal = std::move(text);
  const auto total = ParseEdit(FTotal);
  if (!total) return;
  const TArenaSeats seats = SplitArenaTotal(*total);
  for (int t = 0; t < SeatTypeCount; ++t) FCapacity[t] = ToText(seats[t]);
}

void TArenaProject::ShareTotal(TSeatType type) {
  const auto capacity = ParseEdit(FCapacity.at(type));
  if (!capacity) return;
  SetTotalText(ToText(ArenaTotalFromShare(type, *capacity)));
}

void TArenaProject::SetSeats(const TArenaSeats& seats) {
  for (int t = 0; t < SeatTypeCount; ++t) FCapacity[t] = ToText(seats[t]);
  UpdateTotal();
}

void TArenaProject::RowLabelClick(TSeatType type) {
  FCapacity.at(type) = FDifference ? std::string("0") : ToText(FCurrent[type]);
  UpdateTotal();
}

void TArenaProject::TotalLabelClick() {
  SetSeats(FDifference ? TArenaSeats{} : FCurrent);
}

void TArenaProject::SetDifference(bool on) {
  if (on == FDifference) return;
  FDifference = on;
  const int64_t sign = on ? -1 : 1;
  for (int t = 0; t < SeatTypeCount; ++t)
    if (const auto v = ParseEdit(FCapacity[t])) FCapacity[t] = ToText(*v + sign * FCurrent[t]);
  if (const auto v = ParseEdit(FTotal)) FTotal = ToText(*v + sign * FCurrentTotal);
}

std::optional<TArenaSeats> TArenaProject::Seats() const {
  TArenaSeats seats{};
  for (int t = 0; t < SeatTypeCount; ++t) {
    const auto v = ParseEdit(FCapacity[t]);
    if (!v) return std::nullopt;
    seats[t] = *v;
  }
  return seats;
}

std::optional<TArenaPlan> TArenaProject::Money() const {
  const auto seats = Seats();
  if (!seats) return std::nullopt;
  const TArenaSeats change = FDifference ? *seats : *seats - FCurrent;
  return TArenaPlan{*seats, ToLocalCurrency(ArenaConstructionCost(change)),
                    ToLocalCurrency(ArenaMaintenanceCost(*seats)), ToLocalCurrency(ArenaMatchIncome(*seats))};
}
