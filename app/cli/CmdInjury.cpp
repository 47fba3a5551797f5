// pitchbook-cli injury --weeks N --age N --doctors N [--today yyyy-mm-dd] [--json|--csv]
// The recovery dates of the Injury Analyzer window: the rows it shows for the weeks of injury, age and
// doctors, each with the least and the most days and their dates counted from today.
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"

#include "core/Csv.h"
#include "core/DateTime.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "ratings/InjuryAnalyzer.h"

#include <iostream>
#include <memory>
#include <string>

namespace {
struct TInjuryRequest {
  int Weeks = InjuryWeeksMin;
  int Age = InjuryAgeMin;
  int Doctors = 0;
  std::string Today;
  TCliFormatFlags Output;
};

// The rows with their stable names (JSON, CSV) and the window's captions (text), healthy first: it is the
// row every injury has.
struct TInjuryRow {
  TRecoveryRow Row;
  const char* Name;
  const char* Caption;
};
const TInjuryRow Rows[rrCount] = {{rrHealthy, "Healthy", N_("Healthy:")},
                                  {rrPlaying, "Bruised but playing", N_("Bruised but playing:")},
                                  {rrTraining, "Bruised but training", N_("Bruised but training:")}};

int RunInjury(const TInjuryRequest& request) {
  TClock::time_point today = TClock::Now();
  if (!request.Today.empty()) {
    const auto parsed = TryParseDate(Trim(request.Today));
    if (!parsed) {
      std::cerr << FormatText(_("'%s' is not a valid date"), request.Today.c_str()) << '\n';
      return 2;
    }
    today = *parsed;
  }
  const auto ranges = RecoveryRanges(request.Weeks, request.Age, request.Doctors);
  nlohmann::ordered_json rows = nlohmann::ordered_json::array();
  TCsvWriter csv;
  csv.Row({"row", "minDays", "maxDays", "minDate", "maxDate"});
  std::string text;
  for (const TInjuryRow& row : Rows) {
    const TRecoveryRange& range = ranges[static_cast<size_t>(row.Row)];
    if (!range.Visible) continue;
    const std::string minDate = RecoveryDate(today, range.MinDays);
    const std::string maxDate = RecoveryDate(today, range.MaxDays);
    rows.push_back({{"row", row.Name},
                    {"minDays", range.MinDays},
                    {"maxDays", range.MaxDays},
                    {"minDate", minDate},
                    {"maxDate", maxDate}});
    csv.Text(row.Name).Integer(range.MinDays).Integer(range.MaxDays).Text(minDate).Text(maxDate).EndRow();
    text += PadRight(_(row.Caption), 22) + "  " + minDate + " (" + FormatText(_("%d day(s)"), range.MinDays) +
            ")  -  " + maxDate + " (" + FormatText(_("%d day(s)"), range.MaxDays) + ")\n";
  }
  switch (request.Output.Format()) {
    case TCliFormat::Json:
      PrintJson({{"rows", rows}});
      break;
    case TCliFormat::Csv:
      std::cout << csv.Result();
      break;
    case TCliFormat::Text:
      std::cout << _("Recovery Dates") << '\n' << text;
      break;
  }
  return 0;
}

const TCliCommand InjuryCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<TInjuryRequest>();
  CLI::App* command =
      app.add_subcommand("injury", _("Estimate the recovery dates of an injured player (Injury Analyzer)"));
  command->add_option("--weeks", request->Weeks, _("Weeks of injury, -1 (none) .. 9"))
      ->required()
      ->check(CLI::Range(InjuryWeeksMin, InjuryWeeksMax));
  command->add_option("--age", request->Age, _("The player's age, 17 .. 37"))
      ->required()
      ->check(CLI::Range(InjuryAgeMin, InjuryAgeMax));
  command->add_option("--doctors", request->Doctors, _("The club's doctors, 0 .. 99"))
      ->required()
      ->check(CLI::Range(0, InjuryDoctorsMax));
  command->add_option("--today", request->Today, _("Count from this day, yyyy-mm-dd (default: today)"));
  AddFormatFlags(*command, request->Output, true);
  command->callback([request, &context] { context.ExitCode = RunInjury(*request); });
});
}  // namespace
