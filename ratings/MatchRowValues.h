#pragma once
// The values of one row of the match grid, computed from a MatchData element of a club match file, and
// everything the grid shows about a row (cell texts, colours, bars, status texts, hints, filters). The grid
// stores every cell as text; these functions read and write those texts, so that the widget only draws.
#include "data/Preferences.h"

#include <pugixml.hpp>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Columns of the match grid, in order; their keys are MatchColumnNames (data/Preferences.h).
enum TMatchColumn : int {
  mcMatchName,
  mcSeasonWeek,
  mcMatchID,
  mcHomeScore,
  mcAwayScore,
  mcStars,
  mcMatchType,
  mcFormation,
  mcAttitude,
  mcWeather,
  mcExperience,
  mcCrowd,
  mcTactic,
  mcTacticSkill,
  mcMidfield,
  mcRightDefence,
  mcCentralDefence,
  mcLeftDefence,
  mcRightAttack,
  mcCentralAttack,
  mcLeftAttack,
  mcKickStats,
  mcValue,
};

// Element names in the game's files of the columns read straight from them (empty for derived columns).
extern const std::array<const char*, MatchColumnCount> MatchColumnXMLNames;

using TMatchRowTexts = std::array<std::string, MatchColumnCount>;

// Read access to the cells of one row, so that the rules below work on the grid's own storage.
class TMatchRow {
public:
  virtual ~TMatchRow() = default;
  virtual std::string Cell(int column) const = 0;
};

class TMatchRowArray : public TMatchRow {
public:
  explicit TMatchRowArray(const TMatchRowTexts& texts) : FTexts(texts) {}
  std::string Cell(int column) const override { return FTexts.at(column); }

private:
  const TMatchRowTexts& FTexts;
};

// ---- Building a row ----------------------------------------------------------------------------------
// The 23 cells of one match. teamID decides the club's side: the lineup's home team ID differs -> away.
// Raises EConvertError for a malformed number and EPitchbookError when the lineup has no Team element or
// the details no Match element.
TMatchRowTexts BuildMatchRow(const pugi::xml_node& matchData, std::string_view teamID);

// Season, round (zero-padded to two digits) and the league digit: "38", "5", league -> "38051".
std::string SeasonWeekText(std::string_view season, std::string_view round, bool league);
// Formation code of a lineup's Player elements (the Lineup element): digits 8..1 from the left count extra
// defenders, central defender slots, wing back slots, extra inner midfielders, inner midfield slots,
// winger slots, extra forwards, forward slots.
int64_t FormationCode(const pugi::xml_node& lineupPlayers);
// A sector rating of the match details on the quarter-level scale: versions "1.0" and "1.1" count half
// levels (2a), "1.2" whole levels (4a - 3); later versions already count quarters.
int64_t ScaleSectorRating(int64_t rating, std::string_view version);
// Sector values in column order (midfield, right/central/left defence, right/central/left attack).
using TSectorValues = std::array<int64_t, 7>;
// 3 x midfield + the six defence and attack values.
int64_t KickStatsRating(const TSectorValues& sectors);
// This program's team rating: the levels (value + 3) / 4 weighted 2 midfield, 1 central defence and central
// attack, 1/2 each side, truncated.
int64_t PitchbookRating(const TSectorValues& sectors);

// ---- Reading cells -----------------------------------------------------------------------------------
// The trimmed cell as an integer; 0 when it is not one (the grid's GetCellInt).
int64_t MatchCellInt(std::string_view text);
// -1 lost, 0 draw, 1 won, from the club's side (an away row's name starts with "-").
int MatchResult(const TMatchRow& row);
// Season and round of a row for the player ratings window: column 1 without its last digit; the round is
// the last two characters of the rest, the season what precedes them.
struct TSeasonRound {
  std::string Season;
  std::string Round;
};
TSeasonRound SplitSeasonWeek(std::string_view seasonWeek);

// The cell as exported to a spreadsheet (CSV) or a script: the stored value, the match name without the
// leading "+" or "-" that marks the club's side (MatchIsAway tells it).
std::string MatchCellExportText(int column, const TMatchRow& row);
bool MatchIsAway(const TMatchRow& row);

// ---- Filters -----------------------------------------------------------------------------------------
// Item indexes of the three filter boxes; 0 (the box's title) and 1 (blank) mean no filter.
struct TMatchFilter {
  int TypeIndex = 0;     // 2 Official, 3 League, 4 Cup, 5 Friendly
  int ResultIndex = 0;   // 2 Won, 3 Lost, 4 Deuce
  int WeatherIndex = 0;  // 2 Sunny, 3 P. Cloudy, 4 Overcast, 5 Rainy
};
bool MatchRowHidden(const TMatchFilter& filter, const TMatchRow& row);
bool MatchRowHidden(const TMatchFilter& filter, int64_t matchType, int result, int64_t weatherID);

// ---- Showing cells -----------------------------------------------------------------------------------
enum class TMatchCellContent { None, Text, TypeImage, WeatherImage, Formation };

// What a data cell shows: a text (with its colour and weight, and for sector ratings a sub-level bar), or a
// picture. Colours are 0xRRGGBB.
struct TMatchCellView {
  TMatchCellContent Content = TMatchCellContent::None;
  std::string Text;
  bool Bold = false;                 // bold in addition to the column's own weight
  std::optional<uint32_t> Colour;    // replaces the column's font colour
  int Percent = -1;                  // sub-level bar, -1 = none
  uint32_t BarColour = 0;
  int64_t Value = 0;                 // image index or formation code
};
TMatchCellView MatchCellView(int column, const TMatchRow& row);

// The info pane of the status bar for a data cell (empty when there is nothing to say).
std::string MatchCellInfo(int column, const TMatchRow& row);
// The grid's tooltip after a click on a data cell; nothing when the hint is to stay as it is.
std::optional<std::string> MatchCellClickHint(int column, const TMatchRow& row);

// ---- Formation picture -------------------------------------------------------------------------------
// "defenders-midfielders-forwards" of a formation code.
std::string FormationText(int64_t code);
// One square of the formation picture on a grid of cells 1..13 wide and 1..8 high (a code holding more
// than three extra players of a line gives squares beyond it: the picture is clipped to its cell).
struct TFormationSquare {
  int X = 0;
  int Y = 0;
  bool Extra = false;  // an extra player of a line (drawn in red), else a slot (drawn in black)
  bool operator==(const TFormationSquare&) const = default;
};
std::vector<TFormationSquare> FormationSquares(int64_t code);
