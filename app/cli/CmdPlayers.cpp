// pitchbook-cli players FILE [--weather 0..5] [--ignore-form] [--json|--csv]
// Every player of a players file or of a rating record file (".krf") with all his values by
// attribute code: stored values, effective skills and position ratings.
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"

#include "core/Csv.h"

#include "core/PlayerList.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iostream>
#include <memory>
#include <sstream>

namespace {
struct TPlayersOptions {
  std::string File;
  int Weather = wDisabled;
  bool IgnoreForm = false;
  TCliFormatFlags Output;
};

bool IsRecordFile(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext == ".krf";
}

std::string NumberText(double value) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return ec == std::errc() ? std::string(buffer, end) : std::string();
}

// The output is built whole before anything is printed, so that a value that fails does not leave
// half a table behind.
std::string FormatTable(const TPlayerList& list) {
  std::ostringstream out;
  out << "PlayerID\tPlayerName";
  for (int code = FirstPlayerAttribute; code <= LastPlayerAttribute; ++code) out << '\t' << code;
  out << '\n';
  for (const TPlayer& p : list) {
    out << p.PlayerID << '\t' << p.PlayerName;
    for (int code = FirstPlayerAttribute; code <= LastPlayerAttribute; ++code)
      out << '\t' << NumberText(p.GetValue(code));
    out << '\n';
  }
  return out.str();
}

// The table's columns with "." decimals whatever the locale.
std::string FormatCsv(const TPlayerList& list) {
  TCsvWriter csv;
  csv.Text("PlayerID").Text("PlayerName");
  for (int code = FirstPlayerAttribute; code <= LastPlayerAttribute; ++code) csv.Integer(code);
  csv.EndRow();
  for (const TPlayer& p : list) {
    csv.Integer(p.PlayerID).Text(p.PlayerName);
    for (int code = FirstPlayerAttribute; code <= LastPlayerAttribute; ++code) csv.Number(p.GetValue(code));
    csv.EndRow();
  }
  return csv.Result();
}

std::string FormatJson(const TPlayerList& list) {
  nlohmann::ordered_json players = nlohmann::ordered_json::array();
  for (const TPlayer& p : list) {
    nlohmann::ordered_json values = nlohmann::ordered_json::object();
    for (int code = FirstPlayerAttribute; code <= LastPlayerAttribute; ++code)
      values[std::to_string(code)] = p.GetValue(code);
    players.push_back({{"PlayerID", p.PlayerID}, {"PlayerName", p.PlayerName}, {"values", std::move(values)}});
  }
  // A name with bytes that are not UTF-8 must not cost the whole output.
  return players.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + '\n';
}

TCliCommand registerPlayers([](CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TPlayersOptions>();
  auto* cmd = app.add_subcommand("players", "Print every player of a players file or a .krf record file");
  cmd->add_option("FILE", options->File, "players XML file or .krf rating record file")->required();
  cmd->add_option("--weather", options->Weather, "weather 0 Rainy .. 5 Disabled")->check(CLI::Range(0, 5));
  cmd->add_flag("--ignore-form", options->IgnoreForm, "leave form out of the ratings");
  AddFormatFlags(*cmd, options->Output, true);
  cmd->callback([options, &context] {
    try {
      TPlayerList list(options->Weather, false, options->IgnoreForm);
      const std::filesystem::path path(options->File);
      if (IsRecordFile(path))
        list.LoadFromRecordFile(path);
      else
        list.LoadFromPlayersFile(path);
      const TCliFormat format = options->Output.Format();
      std::cout << (format == TCliFormat::Json  ? FormatJson(list)
                    : format == TCliFormat::Csv ? FormatCsv(list)
                                                : FormatTable(list));
      context.ExitCode = 0;
    } catch (const std::exception& e) {
      std::cerr << e.what() << '\n';
      context.ExitCode = 1;
    }
  });
});
}  // namespace
