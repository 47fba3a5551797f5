#pragma once
// The numbers behind the history graphs: one point per history page on a shared time axis, for a player's
// skills, position ratings, stars and TSI, and for the club's team spirit, match stars per line, arena and
// supporters. The window only draws what these functions return.
//
// Time axis: a page of season s and round r lies at s + (r - 1) / 16, so that one season spans one unit and
// its 16 rounds are equally spaced. A value that does not exist in a page (the player was not in the squad,
// no match that week) gives no point there.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class THistory;
class THistoryPage;

constexpr int RoundsPerSeason = 16;
constexpr double RoundWidth = 1.0 / RoundsPerSeason;  // 0.0625

// season + (round - 1) x 0.0625.
double HistoryAxisX(int season, int round);
double HistoryAxisX(const THistoryPage& page);
// Season and round of an axis position: trunc(v) and trunc((v - trunc(v)) / 0.0625) + 1.
int HistoryAxisSeason(double x);
int HistoryAxisRound(double x);
// The bottom axis label of a position: "%d(%d)" with season and round ("39(16)").
std::string HistoryAxisLabel(double x);

// One point of a chart; Label is drawn next to it when not empty.
struct THistoryPoint {
  double X = 0;
  double Y = 0;
  std::string Label;
  bool operator==(const THistoryPoint&) const = default;
};
using THistoryPoints = std::vector<THistoryPoint>;

// ---- One player ------------------------------------------------------------------------------------------
constexpr int SkillSeriesCount = 10;     // attribute codes 3..12
constexpr int PositionSeriesCount = 8;   // attribute codes 30..37

struct TPlayerHistorySeries {
  std::array<THistoryPoints, SkillSeriesCount> Skills;        // GetValue(3..12)
  std::array<THistoryPoints, PositionSeriesCount> Positions;  // GetValue(30..37), rounded (halves to even)
  THistoryPoints Stars;  // the stars of the week's matches; the point after an early exit carries "Injured"
  THistoryPoints TSI;
};

// Every page holding the player (by PlayerID) gives its points. The stars of page i are those of its other
// match, else (when the previous page holds him) those of the previous page's league match, which was
// played in the same week; 0 stars give no point. When he was among the late places (came on or was taken
// off) of one of those matches and is injured or bruised in page i, the last stars point is labelled
// "Injured\r\n+%d" with his injury level.
TPlayerHistorySeries PlayerHistorySeries(const THistory& history, int64_t playerID);

// ---- Stacked bars ----------------------------------------------------------------------------------------
// One bar per page that has the value, each bar made of groups stacked from the bottom.
struct TStackedBars {
  std::vector<double> X;
  std::vector<std::vector<double>> Groups;  // Groups[g][bar]

  size_t BarCount() const { return X.size(); }
  // The sum of the groups whose flag is set (a missing flag counts as set).
  double Sum(size_t bar, const std::vector<bool>& shown = {}) const;
};

// Team stars per line of the league match (league) or the other match, for the pages holding one: keeper,
// defenders, inner midfielders, wingers, forwards (SumStarsByGroup).
enum TStarsGroup { sgKeeper, sgDefenders, sgInnerMidfielders, sgWingers, sgForwards, StarsGroupCount };
TStackedBars TeamStarsBars(const THistory& history, bool league);
// Arena capacity of every page: terraces, basic, roof, VIP.
enum TSeatGroup { sgTerraces, sgBasic, sgRoof, sgVIP, SeatGroupCount };
TStackedBars CapacityBars(const THistory& history);
// Spectators of the league or other match, by seat group, for the pages whose match sold any seat.
TStackedBars AttendanceBars(const THistory& history, bool league);

// The labels on top of the bars.
std::string TeamStarsLabel(double sum);   // the stars, "17.5"
std::string CapacityLabel(double sum);    // "%d" of round(sum / 1000), halves to even
std::string AttendanceLabel(double sum);  // grouped by blanks, "12 345"

// ---- Lines of the club -----------------------------------------------------------------------------------
// Training record's Morale and SelfConfidence.
std::array<THistoryPoints, 2> TeamSpiritSeries(const THistory& history);
// Economy record's FanClubSize.
THistoryPoints SupporterClubSeries(const THistory& history);
// Economy record's SponsorsPopularity and SupportersPopularity.
std::array<THistoryPoints, 2> PopularitySeries(const THistory& history);
