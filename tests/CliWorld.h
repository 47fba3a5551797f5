#pragma once
// A sample world in a temporary program folder, loaded into a history store the way pitchbook-cli loads
// it, for the tests that compare the command line's numbers with the engine functions the windows call.
#include "TestSupport.h"

#include "core/ProgramFolders.h"
#include "data/History.h"
#include "data/Preferences.h"
#include "data/Startup.h"
#include "demo/SampleWorld.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <memory>
#include <string>

struct TCliWorld {
  TTempFolder Folder;
  TSampleWorldInfo Info;
  THistory Store;
  TProgramFolders Folders;

  TCliWorld() {
    TSampleWorldOptions options;
    options.Seasons = 1;
    options.Seed = 7;
    WriteSampleWorld(Folder.Path(), options, &Info);
    Folders = TProgramFolders(Folder.Path(), false, "");
    TStartupSettings settings = TStartupSettings::Of(Folders, Preferences());
    settings.SuspendAtEnd = false;
    TStartup startup(Store, settings);
    startup.RunHere();
  }

  std::string Home() const { return "--home '" + Folder.Path().string() + "'"; }

  // The command's JSON answer; a failed command fails the test and gives null.
  nlohmann::json Json(const std::string& arguments) const {
    const TCommandResult r = RunCli(arguments + " " + Home() + " --json");
    EXPECT_EQ(r.ExitCode, 0) << arguments << ": " << r.Err;
    return r.ExitCode == 0 ? nlohmann::json::parse(r.Out) : nlohmann::json();
  }
};

// One world for all tests of a program (generating it takes a moment).
inline TCliWorld& CliWorld() {
  static TCliWorld world;
  return world;
}
