// pitchbook-cli matches [--home DIR] [--team ID] [--json|--csv]
// The rows of the match grid for a club's match file (the own club by default), every column as the grid
// computes it, oldest first.
#include "app/cli/CliArchive.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliOutput.h"

#include "core/Csv.h"
#include "core/Errors.h"
#include "core/Intl.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "data/Preferences.h"
#include "ratings/MatchRowValues.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace {
struct TMatchesRequest {
  std::string Home;
  std::string Team;
  TCliFormatFlags Output;
};

// A cell for JSON: the number it holds, null when empty, else its text.
nlohmann::ordered_json JsonCell(const std::string& text) {
  if (text.empty()) return nullptr;
  try {
    if (IsIntegerText(text)) return StrToInt64(text);
    return StrToFloat(text);
  } catch (const EPitchbookError&) {
    return text;
  }
}

int RunMatches(const TMatchesRequest& request) {
  TProgramFolders folders;
  const std::string teamID = LoadCliClub(request.Home, request.Team, folders);
  if (teamID.empty()) return 2;
  std::vector<TMatchRowTexts> rows;
  try {
    const std::filesystem::path path = TTeamMatchFile::PathOf(folders.MatchesFolder(), teamID);
    std::error_code ec;
    // A club without a match file has no matches, as its grid shows none.
    if (std::filesystem::exists(path, ec)) {
      TTeamMatchFile file;
      file.LoadFromFile(path);
      for (const pugi::xml_node& match : file.Matches()) rows.push_back(BuildMatchRow(match, teamID));
    }
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
  // Oldest first; matches of one week keep the file's order.
  std::stable_sort(rows.begin(), rows.end(), [](const TMatchRowTexts& a, const TMatchRowTexts& b) {
    return MatchCellInt(a[mcSeasonWeek]) < MatchCellInt(b[mcSeasonWeek]);
  });

  switch (request.Output.Format()) {
    case TCliFormat::Json: {
      nlohmann::ordered_json matches = nlohmann::ordered_json::array();
      for (const TMatchRowTexts& texts : rows) {
        const TMatchRowArray row(texts);
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (int c = 0; c < MatchColumnCount; ++c) {
          const std::string text = MatchCellExportText(c, row);
          object[MatchColumnNames[c]] = c == mcMatchName ? nlohmann::ordered_json(text) : JsonCell(text);
        }
        object["Away"] = MatchIsAway(row);
        matches.push_back(std::move(object));
      }
      PrintJson({{"teamId", teamID}, {"matches", matches}});
      break;
    }
    case TCliFormat::Csv: {
      TCsvWriter csv;
      for (int c = 0; c < MatchColumnCount; ++c) csv.Text(MatchColumnNames[c]);
      csv.EndRow();
      for (const TMatchRowTexts& texts : rows) {
        const TMatchRowArray row(texts);
        for (int c = 0; c < MatchColumnCount; ++c) csv.Text(MatchCellExportText(c, row));
        csv.EndRow();
      }
      std::cout << csv.Result();
      break;
    }
    case TCliFormat::Text: {
      std::string out;
      for (int c = 1; c < MatchColumnCount; ++c) out += std::string(MatchColumnNames[c]) + '\t';
      out += std::string(MatchColumnNames[mcMatchName]) + '\n';
      // The match name last, so that the numbers stay in their columns.
      for (const TMatchRowTexts& texts : rows) {
        const TMatchRowArray row(texts);
        for (int c = 1; c < MatchColumnCount; ++c) out += MatchCellExportText(c, row) + '\t';
        out += MatchCellExportText(mcMatchName, row) + '\n';
      }
      std::cout << out;
      break;
    }
  }
  return 0;
}

const TCliCommand MatchesCommand([](CLI::App& app, TCliContext& context) {
  auto request = std::make_shared<TMatchesRequest>();
  CLI::App* command = app.add_subcommand("matches", _("List a club's matches as the match grid shows them"));
  command->add_option("--home", request->Home, _("Program folder (default: as the desktop program finds it)"));
  command->add_option("--team", request->Team, _("Team ID of the club (default: the own club)"));
  AddFormatFlags(*command, request->Output, true);
  command->callback([request, &context] { context.ExitCode = RunMatches(*request); });
});
}  // namespace
