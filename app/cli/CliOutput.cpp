#include "app/cli/CliOutput.h"

#include "core/Intl.h"

#include <iostream>

void PrintJson(const nlohmann::ordered_json& value) {
  std::cout << value.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

void AddFormatFlags(CLI::App& command, TCliFormatFlags& flags, bool csv) {
  CLI::Option* json = command.add_flag("--json", flags.Json, _("Print the result as JSON"));
  if (!csv) return;
  CLI::Option* csvFlag =
      command.add_flag("--csv", flags.Csv, _("Print the rows as CSV (UTF-8, header row, \".\" decimals)"));
  json->excludes(csvFlag);
}
