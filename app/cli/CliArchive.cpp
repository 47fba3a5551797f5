#include "app/cli/CliArchive.h"

#include "app/cli/CliCommand.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "data/Startup.h"

#include <exception>
#include <iostream>

bool LoadCliPreferences(const std::string& home, TProgramFolders& folders, std::string& error) {
  try {
    const std::filesystem::path programFolder = CliProgramFolder(home);
    TPreferences& preferences = Preferences();
    preferences.ProgramFolder = programFolder;
    if (const TPreferencesResult result = preferences.Load(); !result) std::cerr << result.Message << '\n';
    folders = TProgramFolders(programFolder, preferences.UseAlternateHistoryPath, preferences.AlternateHistoryPath);
    folders.CreateDataFolders();
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
  return true;
}

bool LoadCliArchive(const std::string& home, std::string& error, TProgramFolders* folders, std::string* loadErrors) {
  TProgramFolders local;
  TProgramFolders& used = folders ? *folders : local;
  if (!LoadCliPreferences(home, used, error)) return false;
  TStartupSettings settings;
  try {
    settings = TStartupSettings::Of(used, Preferences());
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
  settings.SuspendAtEnd = false;
  TStartup startup(History(), settings);
  startup.RunHere();
  const std::string report = startup.LoadErrorsReport();
  if (loadErrors)
    *loadErrors = report;
  else if (!report.empty())
    std::cerr << report << '\n';
  return true;
}

std::string CliTeamID(const std::string& team, std::string& error) {
  std::string id = Trim(team);
  if (id.empty() && History().Count() > 0) id = Trim(History().Latest().Team.TeamID);
  if (id.empty()) {
    error = _("The archive holds no snapshot; name the club with --team.");
    return {};
  }
  if (id.find_first_not_of("0123456789") != std::string::npos) {
    error = FormatText(_("'%s' is not a valid integer value"), id.c_str());
    return {};
  }
  return id;
}

std::string LoadCliClub(const std::string& home, const std::string& team, TProgramFolders& folders) {
  std::string error;
  std::string teamID;
  if (LoadCliArchive(home, error, &folders)) teamID = CliTeamID(team, error);
  if (teamID.empty()) std::cerr << error << '\n';
  return teamID;
}
