#include "data/HistorySeries.h"

#include "core/Intl.h"
#include "core/MatchPage.h"
#include "core/Player.h"
#include "core/Utils.h"
#include "data/History.h"

#include <cmath>

double HistoryAxisX(int season, int round) { return season + (round - 1) * RoundWidth; }

double HistoryAxisX(const THistoryPage& page) { return HistoryAxisX(page.World.Season, page.World.MatchRound); }

int HistoryAxisSeason(double x) { return static_cast<int>(std::trunc(x)); }

int HistoryAxisRound(double x) {
  const double season = std::trunc(x);
  // Positions are multiples of 1/16 and exact in binary, but an axis tick computed by adding steps may land
  // a hair below one: that must not read as the round before.
  return static_cast<int>(std::trunc((x - season) / RoundWidth + 1e-7)) + 1;
}

std::string HistoryAxisLabel(double x) { return FormatText("%d(%d)", HistoryAxisSeason(x), HistoryAxisRound(x)); }

TPlayerHistorySeries PlayerHistorySeries(const THistory& history, int64_t playerID) {
  TPlayerHistorySeries series;
  const bool inMatches = FitsMatchID(playerID);
  const int32_t id = inMatches ? static_cast<int32_t>(playerID) : 0;
  for (int i = 1; i <= history.Count(); ++i) {
    const THistoryPage& page = history.Page(i);
    const TPlayer* player = page.FindPlayer(playerID);
    if (!player) continue;
    const double x = HistoryAxisX(page);
    for (int s = 0; s < SkillSeriesCount; ++s) series.Skills[s].push_back({x, player->GetValue(paStamina + s), {}});
    for (int s = 0; s < PositionSeriesCount; ++s)
      series.Positions[s].push_back(
          {x, static_cast<double>(RoundHalfEven(player->GetValue(paForwardRating + s))), {}});
    series.TSI.push_back({x, static_cast<double>(RoundHalfEven(player->TSI)), {}});
    if (!inMatches) continue;
    // The week of page i holds its other match and the league match that followed the previous snapshot.
    const THistoryPage* previous = i >= 2 ? &history.Page(i - 1) : nullptr;
    double stars = page.OtherMatch.GetStars(id);
    if (stars == 0 && previous && previous->FindPlayer(playerID)) stars = previous->LeagueMatch.GetStars(id);
    if (stars != 0) series.Stars.push_back({x, stars, {}});
    const bool late = page.OtherMatch.IsInLateSlots(id) || (previous && previous->LeagueMatch.IsInLateSlots(id));
    // A late place also means a substitution for tactics: only a player who is hurt now left injured.
    if (late && player->InjuryLevel >= 0 && !series.Stars.empty())
      series.Stars.back().Label = std::string(_("Injured")) + "\r\n+" + std::to_string(player->InjuryLevel);
  }
  return series;
}

double TStackedBars::Sum(size_t bar, const std::vector<bool>& shown) const {
  double sum = 0;
  for (size_t g = 0; g < Groups.size(); ++g)
    if (g >= shown.size() || shown[g]) sum += Groups[g][bar];
  return sum;
}

namespace {
void AddBar(TStackedBars& bars, double x, std::initializer_list<double> values) {
  if (bars.Groups.empty()) bars.Groups.resize(values.size());
  bars.X.push_back(x);
  size_t g = 0;
  for (double v : values) bars.Groups[g++].push_back(v);
}
}  // namespace

TStackedBars TeamStarsBars(const THistory& history, bool league) {
  TStackedBars bars;
  bars.Groups.resize(StarsGroupCount);
  for (int i = 1; i <= history.Count(); ++i) {
    const THistoryPage& page = history.Page(i);
    const TMatchPage& match = league ? page.LeagueMatch : page.OtherMatch;
    if (!match.HasMatch()) continue;
    const TStarsByGroup sums = match.SumStarsByGroup();
    AddBar(bars, HistoryAxisX(page),
           {sums.Keeper, sums.Defenders, sums.InnerMidfielders, sums.Wingers, sums.Forwards});
  }
  return bars;
}

TStackedBars CapacityBars(const THistory& history) {
  TStackedBars bars;
  bars.Groups.resize(SeatGroupCount);
  for (int i = 1; i <= history.Count(); ++i) {
    const THistoryPage& page = history.Page(i);
    const TXMLArena& a = page.Arena;
    AddBar(bars, HistoryAxisX(page), {double(a.Terraces), double(a.Basic), double(a.Roof), double(a.VIP)});
  }
  return bars;
}

TStackedBars AttendanceBars(const THistory& history, bool league) {
  TStackedBars bars;
  bars.Groups.resize(SeatGroupCount);
  for (int i = 1; i <= history.Count(); ++i) {
    const THistoryPage& page = history.Page(i);
    const TMatchPage& m = league ? page.LeagueMatch : page.OtherMatch;
    // The bar and its label are the four seat groups; a match that sold none (or none is stored) has no bar.
    const double total = double(m.SoldTerraces) + m.SoldBasic + m.SoldRoof + m.SoldVIP;
    if (total == 0) continue;
    AddBar(bars, HistoryAxisX(page), {double(m.SoldTerraces), double(m.SoldBasic), double(m.SoldRoof), double(m.SoldVIP)});
  }
  return bars;
}

std::string TeamStarsLabel(double sum) { return FloatToStr(RoundHalfAway(sum, 1)); }

std::string CapacityLabel(double sum) { return FormatText("%d", static_cast<int>(RoundHalfEven(sum / 1000))); }

std::string AttendanceLabel(double sum) { return GroupDigits(' ', RoundHalfEven(sum)); }

std::array<THistoryPoints, 2> TeamSpiritSeries(const THistory& history) {
  std::array<THistoryPoints, 2> series;
  for (int i = 1; i <= history.Count(); ++i) {
    const THistoryPage& page = history.Page(i);
    const double x = HistoryAxisX(page);
    series[0].push_back({x, double(page.Training.Morale), {}});
    series[1].push_back({x, double(page.Training.SelfConfidence), {}});
  }
  return series;
}

THistoryPoints SupporterClubSeries(const THistory& history) {
  THistoryPoints points;
  for (int i = 1; i <= history.Count(); ++i) {
    const THistoryPage& page = history.Page(i);
    points.push_back({HistoryAxisX(page), double(page.Economy.FanClubSize), {}});
  }
  return points;
}

std::array<THistoryPoints, 2> PopularitySeries(const THistory& history) {
  std::array<THistoryPoints, 2> series;
  for (int i = 1; i <= history.Count(); ++i) {
    const THistoryPage& page = history.Page(i);
    const double x = HistoryAxisX(page);
    series[0].push_back({x, double(page.Economy.SponsorsPopularity), {}});
    series[1].push_back({x, double(page.Economy.SupportersPopularity), {}});
  }
  return series;
}
