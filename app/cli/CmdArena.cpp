// pitchbook-cli arena [--home DIR] [--club-size N] [--total N | --terraces N --basic N --roof N --vip N]
//                     [--json|--csv]
// The Arena Advisor's figures for the newest snapshot's arena (an empty arena without --home): the current
// capacity with its maintenance, income and profit, the three recommended sizes and the project row with
// its construction cost, maintenance and income. Money is in the preferences' currency, as the window
// shows it.
#include "app/cli/CliArchive.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"

#include "core/Csv.h"
#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "data/History.h"
#include "data/Money.h"
#include "data/Preferences.h"
#include "ratings/ArenaAdvisor.h"

#include <iostream>
#include <memory>
#include <optional>
#include <string>

namespace {
struct TArenaRequest {
  std::string Home;
  std::optional<int64_t> ClubSize;
  std::optional<int64_t> Total;
  std::array<std::optional<int64_t>, SeatTypeCount> Capacity;
  TCliFormatFlags Output;
};

const char* const SeatKeys[SeatTypeCount] = {"terraces", "basic", "roof", "vip"};

// The arena the window plans from: its name, seats and total as the arena record holds them.
struct TArenaStart {
  std::string Name;
  TArenaSeats Current{};
  int64_t Total = 0;
  int64_t ClubSize = 0;
};

void AddSeats(nlohmann::ordered_json& object, const TArenaSeats& seats, int64_t total) {
  for (int t = 0; t < SeatTypeCount; ++t) object[SeatKeys[t]] = seats[t];
  object["total"] = total;
}

nlohmann::ordered_json PlanJson(const TArenaPlan& plan) {
  nlohmann::ordered_json object = nlohmann::ordered_json::object();
  AddSeats(object, plan.Seats, SeatSum(plan.Seats));
  object["cost"] = plan.LocalCost;
  object["maintenance"] = plan.LocalMaintenance;
  object["income"] = plan.LocalIncome;
  return object;
}

void CsvPlan(TCsvWriter& csv, const std::string& row, const TArenaSeats& seats, int64_t total,
             std::optional<int64_t> cost, int64_t maintenance, int64_t income) {
  csv.Text(row);
  for (int64_t seat : seats) csv.Integer(seat);
  csv.Integer(total);
  if (cost)
    csv.Integer(*cost);
  else
    csv.Text("");
  csv.Integer(maintenance).Integer(income).EndRow();
}

std::string TextPlan(const std::string& row, const TArenaSeats& seats, int64_t total, const std::string& cost,
                     int64_t maintenance, int64_t income) {
  std::string line = PadRight(row, 10);
  for (int64_t seat : seats) line += FormatArenaNumber(seat, 11);
  line += FormatArenaNumber(total, 11) + PadLeft(cost, 13) + FormatArenaNumber(maintenance, 13) +
          FormatArenaNumber(income, 13);
  return line + '\n';
}

int RunArena(const TArenaRequest& request) {
  TArenaStart start;
  if (!request.Home.empty()) {
    std::string error;
    if (!LoadCliArchive(request.Home, error)) {
      std::cerr << error << '\n';
      return 2;
    }
    if (History().Count() == 0) {
      std::cerr << _("The archive holds no snapshot.") << '\n';
      return 1;
    }
    const THistoryPage& page = History().Latest();
    start.Name = page.Arena.ArenaName;
    start.Current = CurrentSeats(page.Arena);
    start.Total = page.Arena.Total;
    start.ClubSize = page.Economy.FanClubSize;
  } else {
    // No archive to plan from, but the money in the user's own currency: only the preferences are read.
    try {
      TPreferences& preferences = Preferences();
      preferences.ProgramFolder = CliProgramFolder("");
      if (const TPreferencesResult result = preferences.Load(); !result) std::cerr << result.Message << '\n';
    } catch (const std::exception& e) {
      // No program folder at all: the defaults' currency.
      std::cerr << e.what() << '\n';
    }
  }
  if (request.ClubSize) start.ClubSize = *request.ClubSize;

  TArenaProject project;
  project.Reset(start.Current, start.Total);
  if (request.Total) project.SetTotalText(std::to_string(*request.Total));
  for (int t = 0; t < SeatTypeCount; ++t)
    if (request.Capacity[t]) project.SetCapacityText(TSeatType(t), std::to_string(*request.Capacity[t]));

  try {
    const TArenaUpkeep upkeep = ArenaUpkeep(start.Current);
    std::array<TArenaPlan, ArenaRecommendationCount> plans;
    for (int r = 0; r < ArenaRecommendationCount; ++r)
      plans[r] = ArenaRecommendation(TArenaRecommendation(r), start.ClubSize, start.Current, false);
    const std::optional<TArenaPlan> money = project.Money();
    const std::optional<TArenaSeats> projectSeats = project.Seats();
    if (!money || !projectSeats) throw EConvertError(_("The project's capacities are not whole numbers."));

    switch (request.Output.Format()) {
      case TCliFormat::Json: {
        nlohmann::ordered_json current = {{"name", start.Name}};
        AddSeats(current, start.Current, start.Total);
        current["maintenance"] = upkeep.LocalCostTotal;
        current["income"] = upkeep.LocalIncomeTotal;
        current["profit"] = upkeep.LocalProfit;
        current["supporterClub"] = start.ClubSize;
        nlohmann::ordered_json recommendations = nlohmann::ordered_json::array();
        for (int r = 0; r < ArenaRecommendationCount; ++r) {
          nlohmann::ordered_json plan = {{"name", ArenaRecommendationNames[r]}};
          plan.update(PlanJson(plans[r]));
          recommendations.push_back(std::move(plan));
        }
        PrintJson({{"currency", CurrencyName()},
                   {"current", current},
                   {"recommendations", recommendations},
                   {"project", PlanJson(*money)}});
        break;
      }
      case TCliFormat::Csv: {
        TCsvWriter csv;
        csv.Row({"row", "terraces", "basic", "roof", "vip", "total", "cost", "maintenance", "income"});
        CsvPlan(csv, "Current", start.Current, start.Total, std::nullopt, upkeep.LocalCostTotal,
                upkeep.LocalIncomeTotal);
        for (int r = 0; r < ArenaRecommendationCount; ++r)
          CsvPlan(csv, ArenaRecommendationNames[r], plans[r].Seats, SeatSum(plans[r].Seats), plans[r].LocalCost,
                  plans[r].LocalMaintenance, plans[r].LocalIncome);
        CsvPlan(csv, "Project", money->Seats, SeatSum(money->Seats), money->LocalCost, money->LocalMaintenance,
                money->LocalIncome);
        std::cout << csv.Result();
        break;
      }
      case TCliFormat::Text: {
        std::string out;
        if (!start.Name.empty()) out += start.Name + '\n';
        out += PadRight("", 10);
        for (const char* name : {N_("Terraces"), N_("Basic"), N_("Roof"), N_("VIP")}) out += PadLeft(_(name), 11);
        out += PadLeft(_(SeatTotalName), 11) + PadLeft(_("Cost"), 13) + PadLeft(_("Maintenance"), 13) +
               PadLeft(_("Income"), 13) + '\n';
        out += TextPlan(_("Current"), start.Current, start.Total, "", upkeep.LocalCostTotal, upkeep.LocalIncomeTotal);
        for (int r = 0; r < ArenaRecommendationCount; ++r)
          out += TextPlan(_(ArenaRecommendationNames[r]), plans[r].Seats, SeatSum(plans[r].Seats),
                          FormatArenaNumber(plans[r].LocalCost, 0), plans[r].LocalMaintenance, plans[r].LocalIncome);
        out += TextPlan(_("Project"), money->Seats, SeatSum(money->Seats), FormatArenaNumber(money->LocalCost, 0),
                        money->LocalMaintenance, money->LocalIncome);
        out += FormatText(_("Supporter Club: %s members"), GroupDigits(' ', start.ClubSize).c_str()) + '\n';
        out += FormatText(_("Maximum Arena Profit: %s %s per week"), GroupDigits(' ', upkeep.LocalProfit).c_str(),
                          CurrencyName().c_str()) +
               '\n';
        std::cout << out;
        break;
      }
    }
  } catch (const EPitchbookError& e) {
    // A currency index outside the table (a damaged preferences file): no amounts in the wrong unit.
    std::cerr << e.what() << '\n';
    return 1;
  }
  return 0;
}

const TCliCommand ArenaCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<TArenaRequest>();
  CLI::App* command =
      app.add_subcommand("arena", _("Plan the arena: current capacity, recommended sizes and a project"));
  command->add_option("--home", request->Home,
                      _("Program folder whose newest snapshot has the arena (default: plan from an empty arena)"));
  command->add_option("--club-size", request->ClubSize, _("Supporter club members (default: the snapshot's)"))
      ->check(CLI::NonNegativeNumber);
  CLI::Option* total =
      command->add_option("--total", request->Total, _("Project: a total split by the supporters' shares"))
          ->check(CLI::NonNegativeNumber);
  const char* const hints[SeatTypeCount] = {N_("Project: terraces"), N_("Project: basic seating"),
                                            N_("Project: seats under roof"), N_("Project: seats in VIP boxes")};
  for (int t = 0; t < SeatTypeCount; ++t)
    command->add_option(std::string("--") + SeatKeys[t], request->Capacity[t], _(hints[t]))
        ->check(CLI::NonNegativeNumber)
        ->excludes(total);
  AddFormatFlags(*command, request->Output, true);
  command->callback([request, &context] { context.ExitCode = RunArena(*request); });
});
}  // namespace
