// pitchbook-cli keeper, injury and arena: the calculators' numbers as the Keeper Analyzer, the Injury
// Analyzer and the Arena Advisor compute them.
#include "CliWorld.h"
#include "CsvReader.h"

#include "core/DateTime.h"
#include "core/Utils.h"
#include "data/Money.h"
#include "ratings/ArenaAdvisor.h"
#include "ratings/InjuryAnalyzer.h"
#include "ratings/KeeperAnalyzer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {
// In the order the command prints the keys.
nlohmann::ordered_json RunJson(const std::string& arguments) {
  const TCommandResult r = RunCli(arguments + " --json");
  EXPECT_EQ(r.ExitCode, 0) << arguments << ": " << r.Err;
  return r.ExitCode == 0 ? nlohmann::ordered_json::parse(r.Out) : nlohmann::ordered_json();
}
}  // namespace

TEST(KeeperCommand, GivesTheWindowsEstimate) {
  struct TCase {
    std::string Tsi, Form, Level;
    int FormIndex, LevelIndex;
  };
  const TCase cases[] = {
      {"10000", "6", "Avr", 5, 1},        // 9.64, track 86, detail 64, formidable .. outstanding
      {"10000", "passable", "avr", 5, 1}, // the level by name, in any case
      {"abc", "6", "Avr", 5, 1},          // no number: TSI 0
      {"2500", "1", "Low", 0, 0},
      {"48000", "3", "High", 2, 2},
      {"48000", "excellent", "High", 7, 2},  // "excellent" ignores the second box
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Tsi + " " + c.Form + " " + c.Level);
    const nlohmann::ordered_json json = RunJson("keeper --tsi '" + c.Tsi + "' --form '" + c.Form + "' --level " + c.Level);
    const TKeeperEstimate e = EstimateKeeper(c.Tsi, c.FormIndex, c.LevelIndex);
    EXPECT_EQ(json["skill"].get<double>(), StrToFloat(FormatFloat(e.Skill, 2)));
    EXPECT_EQ(json["track"], e.ScalePosition);
    EXPECT_EQ(json["detail"], e.DetailPosition);
    EXPECT_EQ(json["lower"], e.LowerLevel);
    EXPECT_EQ(json["upper"], e.UpperLevel);
  }
  EXPECT_EQ(RunJson("keeper --tsi 10000").dump(),
            R"({"skill":9.64,"track":86,"detail":64,"lower":"formidable","upper":"outstanding"})");
  for (const char* bad : {"--form 9", "--form superb", "--level Medium"}) {
    const TCommandResult r = RunCli(std::string("keeper --tsi 10000 ") + bad);
    EXPECT_EQ(r.ExitCode, 2) << bad;
    EXPECT_TRUE(r.Out.empty()) << bad;
  }
}

TEST(InjuryCommand, ShowsTheWindowsRowsWithTheirDates) {
  struct TCase {
    int Weeks, Age, Doctors;
    std::vector<std::string> Rows;
  };
  const TCase cases[] = {
      {-1, 17, 0, {}},
      {0, 17, 0, {"Healthy"}},
      {1, 25, 1, {"Healthy", "Bruised but playing"}},
      {4, 33, 7, {"Healthy", "Bruised but playing", "Bruised but training"}},
  };
  const TClock::time_point today = ParseDate("2026-03-29");  // the day before a daylight saving change
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Weeks);
    const nlohmann::ordered_json json =
        RunJson("injury --weeks " + std::to_string(c.Weeks) + " --age " + std::to_string(c.Age) + " --doctors " +
                std::to_string(c.Doctors) + " --today 2026-03-29");
    const auto ranges = RecoveryRanges(c.Weeks, c.Age, c.Doctors);
    ASSERT_EQ(json["rows"].size(), c.Rows.size());
    const TRecoveryRow order[] = {rrHealthy, rrPlaying, rrTraining};
    for (size_t i = 0; i < c.Rows.size(); ++i) {
      const auto& row = json["rows"][i];
      const TRecoveryRange& range = ranges[order[i]];
      EXPECT_EQ(row["row"], c.Rows[i]);
      EXPECT_EQ(row["minDays"], range.MinDays);
      EXPECT_EQ(row["maxDays"], range.MaxDays);
      EXPECT_EQ(row["minDate"], RecoveryDate(today, range.MinDays));
      EXPECT_EQ(row["maxDate"], RecoveryDate(today, range.MaxDays));
    }
  }
  EXPECT_EQ(RunJson("injury --weeks 0 --age 17 --doctors 0 --today 2026-12-09")["rows"][0].dump(),
            R"({"row":"Healthy","minDays":0,"maxDays":6,"minDate":"2026-12-09","maxDate":"2026-12-15"})");
  for (const char* bad : {"--weeks 10 --age 17 --doctors 0", "--weeks 1 --age 40 --doctors 0",
                          "--weeks 1 --age 17 --doctors 0 --today 2026-02-30"}) {
    const TCommandResult r = RunCli(std::string("injury ") + bad);
    EXPECT_NE(r.ExitCode, 0) << bad;
    EXPECT_TRUE(r.Out.empty()) << bad;
  }
}

TEST(ArenaCommand, PlansWithTheAdvisorsNumbers) {
  TCliWorld& world = CliWorld();
  const THistoryPage& page = world.Store.Latest();
  const TArenaSeats current = CurrentSeats(page.Arena);
  const int64_t club = page.Economy.FanClubSize;
  ASSERT_GT(club, 0);
  auto expectPlan = [](const auto& json, const TArenaPlan& plan) {
    const char* keys[] = {"terraces", "basic", "roof", "vip"};
    for (int t = 0; t < SeatTypeCount; ++t) EXPECT_EQ(json[keys[t]], plan.Seats[t]) << keys[t];
    EXPECT_EQ(json["total"], SeatSum(plan.Seats));
    EXPECT_EQ(json["cost"], plan.LocalCost);
    EXPECT_EQ(json["maintenance"], plan.LocalMaintenance);
    EXPECT_EQ(json["income"], plan.LocalIncome);
  };
  struct TCase {
    std::string Arguments;
    std::function<void(TArenaProject&)> Edit;
  };
  const TCase cases[] = {
      {"", [](TArenaProject&) {}},
      {"--total 30000", [](TArenaProject& p) { p.SetTotalText("30000"); }},
      {"--vip 900 --terraces 100", [](TArenaProject& p) {
         p.SetCapacityText(stVIP, "900");
         p.SetCapacityText(stTerraces, "100");
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Arguments);
    const nlohmann::json json = world.Json("arena " + c.Arguments);
    const TArenaUpkeep upkeep = ArenaUpkeep(current);
    EXPECT_EQ(json["current"]["total"], page.Arena.Total);
    EXPECT_EQ(json["current"]["maintenance"], upkeep.LocalCostTotal);
    EXPECT_EQ(json["current"]["income"], upkeep.LocalIncomeTotal);
    EXPECT_EQ(json["current"]["profit"], upkeep.LocalProfit);
    ASSERT_EQ(json["recommendations"].size(), 3u);
    for (int r = 0; r < ArenaRecommendationCount; ++r) {
      EXPECT_EQ(json["recommendations"][r]["name"], ArenaRecommendationNames[r]);
      expectPlan(json["recommendations"][r], ArenaRecommendation(TArenaRecommendation(r), club, current, false));
    }
    TArenaProject project;
    project.Reset(current, page.Arena.Total);
    c.Edit(project);
    expectPlan(json["project"], *project.Money());
  }

  // Without a program folder the plan starts from an empty arena: every seat of a project is built.
  const nlohmann::ordered_json empty = RunJson("arena --total 25000 --club-size 1000");
  EXPECT_EQ(empty["current"]["total"], 0);
  TArenaPlan built{SplitArenaTotal(25000), 0, 0, 0};
  built.LocalCost = ToLocalCurrency(ArenaConstructionCost(built.Seats));
  built.LocalMaintenance = ToLocalCurrency(ArenaMaintenanceCost(built.Seats));
  built.LocalIncome = ToLocalCurrency(ArenaMatchIncome(built.Seats));
  expectPlan(empty["project"], built);
  expectPlan(empty["recommendations"][1], built);  // Ideal: 25 seats per member

  // The project row as CSV, read back.
  const TCommandResult csv = RunCli("arena --total 25000 --club-size 1000 --csv");
  ASSERT_EQ(csv.ExitCode, 0) << csv.Err;
  const TCsvRows rows = ReadCsv(csv.Out);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"row", "terraces", "basic", "roof", "vip", "total", "cost",
                                               "maintenance", "income"}));
  EXPECT_EQ(rows[5][0], "Project");
  EXPECT_EQ(rows[5][5], "25000");
  EXPECT_EQ(rows[5][6], std::to_string(built.LocalCost));

  EXPECT_NE(RunCli("arena --total 100 --vip 5").ExitCode, 0);
}

TEST(VersionOption, PrintsTheProgramsVersion) {
  const TCommandResult r = RunCli("--version");
  EXPECT_EQ(r.ExitCode, 0);
  EXPECT_EQ(r.Out, std::string("pitchbook-cli ") + PITCHBOOK_VERSION + "\n");
}
