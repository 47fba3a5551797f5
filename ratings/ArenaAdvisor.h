#pragma once
// The arena advisor's arithmetic: seat splits by the supporters' share weights, construction, maintenance
// and match income of an arena, the three recommended sizes and the project row the user edits. Amounts
// are in the game's base currency unless a name says "Local" (converted into the user's currency with
// ToLocalCurrency, which raises ERangeError for a currency index outside the table).
#include "data/XMLArena.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Seat types, always in this order.
enum TSeatType { stTerraces, stBasic, stRoof, stVIP, SeatTypeCount };

using TArenaSeats = std::array<int64_t, SeatTypeCount>;

// The seat types' untranslated names ("Terraces" ...) and that of the sum, "TOTAL".
extern const std::array<const char*, SeatTypeCount> SeatTypeNames;
extern const char* const SeatTotalName;

// Constants per seat type; the weights add up to ArenaShareWeightSum.
inline constexpr std::array<int64_t, SeatTypeCount> ArenaShareWeights{1000, 400, 160, 32};
inline constexpr int64_t ArenaShareWeightSum = 1592;
inline constexpr std::array<int64_t, SeatTypeCount> ArenaBuildCost{450, 750, 900, 3000};
inline constexpr std::array<int64_t, SeatTypeCount> ArenaMaintenance{5, 7, 10, 25};
inline constexpr std::array<int64_t, SeatTypeCount> ArenaIncome{65, 95, 130, 325};
inline constexpr int64_t ArenaRemoveCost = 60;
inline constexpr int64_t ArenaConstructionFee = 100000;

// Recommendation factors: seats per supporter-club member.
enum TArenaRecommendation { arWorst, arIdeal, arBest, ArenaRecommendationCount };
inline constexpr std::array<int64_t, ArenaRecommendationCount> ArenaRecommendationFactors{20, 25, 30};
extern const std::array<const char*, ArenaRecommendationCount> ArenaRecommendationNames;

int64_t SeatSum(const TArenaSeats& seats);
TArenaSeats operator+(const TArenaSeats& a, const TArenaSeats& b);
TArenaSeats operator-(const TArenaSeats& a, const TArenaSeats& b);

// The arena record's current, expanding and final (current + expanding while something is being built,
// else all 0) seats.
TArenaSeats CurrentSeats(const TXMLArena& arena);
TArenaSeats ExpandingSeats(const TXMLArena& arena);
TArenaSeats FinalSeats(const TXMLArena& arena);

// Basic, roof and VIP take their rounded share (halves to even) of the total, the terraces the rest, so
// the four always add up to the total.
TArenaSeats SplitArenaTotal(int64_t total);
// The total whose share of the type is capacity (the "A" buttons): Round(capacity × 1592 / weight).
int64_t ArenaTotalFromShare(TSeatType type, int64_t capacity);
// Building the change: added seats at their build cost, removed seats at 60 each, plus 100000 when the sum
// is positive (nothing to do costs nothing).
int64_t ArenaConstructionCost(const TArenaSeats& change);
int64_t ArenaMaintenanceCost(const TArenaSeats& seats);
int64_t ArenaMatchIncome(const TArenaSeats& seats);

// Groups of three digits separated by blanks, "-- --- ---" for 0, padded with blanks on the left to width.
std::string FormatArenaNumber(int64_t value, int width);
// The money fields' text when the project cannot be computed: ": " and the empty pattern padded to 12.
std::string ArenaEmptyMoneyText();

// The supporters' mood (0..11) as its translated name with the first letter in upper case; "" outside.
std::string SupporterMoodName(int mood);
// The text with its first letter in upper case: ASCII and the accented letters of Latin-1 (UTF-8).
std::string UpperCaseFirstLetter(std::string text);

// What a row of the engineering page shows.
struct TArenaPlan {
  TArenaSeats Seats{};
  int64_t LocalCost = 0;
  int64_t LocalMaintenance = 0;
  int64_t LocalIncome = 0;
  bool operator==(const TArenaPlan&) const = default;
};

// Maintenance page figures, converted.
struct TArenaUpkeep {
  TArenaSeats LocalCost{};
  int64_t LocalCostTotal = 0;
  TArenaSeats LocalIncome{};
  int64_t LocalIncomeTotal = 0;
  // Round(income total / 2 − cost total): a home match every other week.
  int64_t LocalProfit = 0;
};
TArenaUpkeep ArenaUpkeep(const TArenaSeats& current);

// A recommended arena for the club size: Split(club size × factor); cost of the change from current. With
// difference, the seats, maintenance and income are the changes to the current arena's.
TArenaPlan ArenaRecommendation(TArenaRecommendation which, int64_t clubSize, const TArenaSeats& current,
                               bool difference);

// The project row: the texts of the four capacity edits and the total edit, kept consistent the way the
// window's edits are. In difference mode the edits hold the change to the current arena.
class TArenaProject {
public:
  // Show: difference off, the edits get the current capacities (the total their sum).
  void Reset(const TArenaSeats& current, int64_t currentTotal);

  const std::string& CapacityText(TSeatType type) const { return FCapacity.at(type); }
  const std::string& TotalText() const { return FTotal; }
  bool Difference() const { return FDifference; }

  // The user typed into a capacity edit: the total becomes the sum of the four (empty when one of them is
  // not an integer).
  void SetCapacityText(TSeatType type, std::string text);
  // The user typed into the total edit: the four edits get Split(total); unchanged when it is no integer.
  void SetTotalText(std::string text);
  // "A" beside a type: the total whose share that type's edit holds, then split. Nothing for a non-integer.
  void ShareTotal(TSeatType type);
  // "Set" of a recommendation: its shown seats into the four edits.
  void SetSeats(const TArenaSeats& seats);
  // Clicking a row label: "0" in difference mode, else the current capacity; for the total all four.
  void RowLabelClick(TSeatType type);
  void TotalLabelClick();
  // Converts the edits between absolute values and changes; non-integer edits stay as they are.
  void SetDifference(bool on);

  // The four edits as numbers; nothing when one is not an integer.
  std::optional<TArenaSeats> Seats() const;
  // Cost of the change, maintenance and income of the edits' seats, converted; nothing when an edit is not
  // an integer.
  std::optional<TArenaPlan> Money() const;

private:
  void UpdateTotal();

  TArenaSeats FCurrent{};
  int64_t FCurrentTotal = 0;
  std::array<std::string, SeatTypeCount> FCapacity;
  std::string FTotal;
  bool FDifference = false;
};
