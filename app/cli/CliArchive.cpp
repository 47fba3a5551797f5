#include "app/cli/CliArchive.h"

#include "app/cli/CliCommand.h"
#include "core/ProgramFolders.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "data/Startup.h"

#include <exception>
#include <iostream>

bool LoadCliArchive(const std::string& home, std::string& error) {
  TStartupSettings settings;
  try {
    const std::filesystem::path programFolder = CliProgramFolder(home);
    TPreferences& preferences = Preferences();
    preferences.ProgramFolder = programFolder;
    if (const TPreferencesResult result = preferences.Load(); !result) std::cerr << result.Message << '\n';
    const TProgramFolders folders(programFolder, preferences.UseAlternateHistoryPath,
                                  preferences.AlternateHistoryPath);
    folders.CreateDataFolders();
    settings = TStartupSettings::Of(folders, preferences);
    settings.SuspendAtEnd = false;
  } catch (const std::exception& e) {
    error = e.what();
    return false;
  }
  TStartup startup(History(), settings);
  startup.RunHere();
  if (const std::string report = startup.LoadErrorsReport(); !report.empty()) std::cerr << report << '\n';
  return true;
}
