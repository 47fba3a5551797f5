// pitchbook-cli archive: runs the start-up loader on the program folder exactly as the desktop program does
// at start (old match folders upgraded, superseded snapshots moved to the obsolete folder) and prints the
// pages of the history store and the load-error report.
#include "app/cli/CliArchive.h"
#include "app/cli/CliCommand.h"

#include "core/Intl.h"
#include "data/History.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {
struct TArchiveRequest {
  std::string Home;
  bool Json = false;
};

// Columns as wide as their (translated) headings or their widest value.
void PrintText(const THistory& history, const std::string& loadErrors) {
  const char* const headings[] = {_("Page"), _("Season"), _("Round"), _("Fetched"),
                                  _("Players"), _("League"), _("Other"), _("File")};
  constexpr int columns = 8;
  std::vector<std::array<std::string, columns>> rows;
  for (int i = 1; i <= history.Count(); ++i) {
    const THistoryPage& page = history.Page(i);
    rows.push_back({std::to_string(i), std::to_string(page.World.Season), std::to_string(page.World.MatchRound),
                    page.World.FetchedDate, std::to_string(page.Players.Count()),
                    page.LeagueMatch.HasMatch() ? _("yes") : _("no"), page.OtherMatch.HasMatch() ? _("yes") : _("no"),
                    fs::path(page.FileName).filename().string()});
  }
  std::array<size_t, columns> widths{};
  for (int c = 0; c < columns; ++c) {
    widths[c] = std::strlen(headings[c]);
    for (const auto& row : rows) widths[c] = std::max(widths[c], row[c].size());
  }
  // Numbers right-aligned, texts left-aligned, the last column unpadded.
  const bool numeric[columns] = {true, true, true, false, true, false, false, false};
  auto printRow = [&](const std::array<std::string, columns>& cells) {
    std::string line;
    for (int c = 0; c < columns; ++c) {
      const std::string& cell = cells[c];
      const std::string pad(c == columns - 1 ? 0 : widths[c] - cell.size(), ' ');
      line += numeric[c] ? pad + cell : cell + pad;
      if (c < columns - 1) line += "  ";
    }
    std::cout << line << '\n';
  };
  std::array<std::string, columns> head;
  for (int c = 0; c < columns; ++c) head[c] = headings[c];
  printRow(head);
  for (const auto& row : rows) printRow(row);
  if (!loadErrors.empty()) std::cout << '\n' << loadErrors << '\n';
}

void PrintJson(const THistory& history, const std::string& loadErrors) {
  nlohmann::ordered_json pages = nlohmann::ordered_json::array();
  for (int i = 1; i <= history.Count(); ++i) {
    const THistoryPage& page = history.Page(i);
    pages.push_back({{"index", i},
                     {"season", page.World.Season},
                     {"round", page.World.MatchRound},
                     {"fetchedDate", page.World.FetchedDate},
                     {"file", fs::path(page.FileName).filename().string()},
                     {"players", page.Players.Count()},
                     {"leagueMatch", page.LeagueMatch.HasMatch()},
                     {"otherMatch", page.OtherMatch.HasMatch()}});
  }
  const nlohmann::ordered_json result = {{"pages", pages}, {"loadErrors", loadErrors}};
  std::cout << result.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

int RunArchive(const TArchiveRequest& request) {
  std::string error, loadErrors;
  if (!LoadCliArchive(request.Home, error, nullptr, &loadErrors)) {
    std::cerr << error << '\n';
    return 2;
  }
  if (request.Json)
    PrintJson(History(), loadErrors);
  else
    PrintText(History(), loadErrors);
  return 0;
}

const TCliCommand ArchiveCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<TArchiveRequest>();
  CLI::App* command = app.add_subcommand(
      "archive", "Load the history folder as the program does at start and list the pages and load errors");
  command->add_option("--home", request->Home, "Program folder (default: as the desktop program finds it)");
  command->add_flag("--json", request->Json, "Print the result as a JSON object");
  command->callback([request, &context] { context.ExitCode = RunArchive(*request); });
});
}  // namespace
