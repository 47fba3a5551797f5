// pitchbook-cli history on a sample world: the history graphs' series, point for point, from the same
// engine functions the graphs call, and as CSV under a German locale.
#include "CliWorld.h"
#include "CsvReader.h"

#include "core/Utils.h"
#include "data/HistorySeries.h"
#include "data/HistorySeriesEconomy.h"

#include <gtest/gtest.h>

namespace {
void ExpectSeries(const nlohmann::json& series, const std::string& name, const THistoryPoints& points) {
  SCOPED_TRACE(name);
  EXPECT_EQ(series["name"], name);
  ASSERT_EQ(series["points"].size(), points.size());
  for (size_t i = 0; i < points.size(); ++i) {
    const auto& p = series["points"][i];
    EXPECT_EQ(p["label"], HistoryAxisLabel(points[i].X));
    EXPECT_DOUBLE_EQ(p["x"].get<double>(), points[i].X);
    EXPECT_DOUBLE_EQ(p["y"].get<double>(), points[i].Y);
  }
}

// The series of a JSON answer by name.
const nlohmann::json& Named(const nlohmann::json& json, const std::string& name) {
  for (const auto& s : json["series"])
    if (s["name"] == name) return s;
  static const nlohmann::json none;
  ADD_FAILURE() << "no series " << name;
  return none;
}
}  // namespace

TEST(HistoryCommand, GivesTheGraphsSeriesOnTheirTimeAxis) {
  TCliWorld& world = CliWorld();
  const THistory& history = world.Store;
  const int64_t playerID = history.Latest().Players[1].PlayerID;
  const TPlayerHistorySeries player = PlayerHistorySeries(history, playerID);
  const nlohmann::json p = world.Json("history player " + std::to_string(playerID));
  ASSERT_EQ(p["series"].size(), 20u);
  ExpectSeries(Named(p, "Stamina"), "Stamina", player.Skills[0]);
  ExpectSeries(Named(p, "Experience"), "Experience", player.Skills[9]);
  ExpectSeries(Named(p, "Goalkeeper"), "Goalkeeper", player.Positions[5]);
  ExpectSeries(Named(p, "Stars"), "Stars", player.Stars);
  ExpectSeries(Named(p, "TSI"), "TSI", player.TSI);
  EXPECT_GT(player.TSI.size(), 10u);

  const nlohmann::json club = world.Json("history club");
  const auto spirit = TeamSpiritSeries(history);
  ExpectSeries(Named(club, "Team Spirit"), "Team Spirit", spirit[0]);
  ExpectSeries(Named(club, "Supporter Club"), "Supporter Club", SupporterClubSeries(history));
  const TStackedBars capacity = CapacityBars(history);
  THistoryPoints vip;
  for (size_t b = 0; b < capacity.BarCount(); ++b) vip.push_back({capacity.X[b], capacity.Groups[sgVIP][b], ""});
  ExpectSeries(Named(club, "Capacity VIP"), "Capacity VIP", vip);

  const nlohmann::json economy = world.Json("history economy --series 'revenue total' 'Expenses Wages'");
  ASSERT_EQ(economy["series"].size(), 2u);
  ExpectSeries(economy["series"][0], "Revenue Total", RevenueSeries(history)[RevenueSeriesCount - 1]);
  ExpectSeries(economy["series"][1], "Expenses Wages", ExpenseSeries(history)[1]);

  const TCommandResult unknown = RunCli("history club --series Nonsense " + world.Home());
  EXPECT_EQ(unknown.ExitCode, 2);
  EXPECT_TRUE(unknown.Out.empty());
  EXPECT_EQ(RunCli("history player " + world.Home()).ExitCode, 2);
  EXPECT_EQ(RunCli("history player 1 " + world.Home()).ExitCode, 1);
}

TEST(HistoryCommand, CsvReadsBackWithDecimalPointsUnderAGermanLocale) {
  TCliWorld& world = CliWorld();
  const THistoryPoints spirit = TeamSpiritSeries(world.Store)[1];
  TGermanTexts german;
  ASSERT_TRUE(german.Available) << PB_GERMAN_MISSING;
  const TCommandResult r = RunCli("history club --series Confidence --csv " + world.Home());
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const TCsvRows rows = ReadCsv(r.Out);
  ASSERT_EQ(rows.size(), spirit.size() + 1);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"series", "label", "x", "y", "note"}));
  for (size_t i = 0; i < spirit.size(); ++i) {
    EXPECT_EQ(rows[i + 1][0], "Confidence");
    EXPECT_EQ(rows[i + 1][1], HistoryAxisLabel(spirit[i].X));
    EXPECT_EQ(StrToFloat(rows[i + 1][2]), spirit[i].X);
    EXPECT_EQ(StrToFloat(rows[i + 1][3]), spirit[i].Y);
  }
  // Round 2 lies at season + 0.0625: a decimal point, not a comma.
  EXPECT_NE(rows[2][2].find('.'), std::string::npos) << rows[2][2];
}
