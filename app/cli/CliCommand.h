#pragma once
// Sub-commands of pitchbook-cli register themselves here, one file each, so that adding a command does
// not touch the others. A command's callback returns the process exit code.
#include <CLI/CLI.hpp>

#include <filesystem>
#include <functional>
#include <string>

struct TCliContext {
  int ExitCode = 0;
};

using TCliSetup = std::function<void(CLI::App& app, TCliContext& context)>;

// Registers a sub-command set-up; call it from a static object in the command's file.
struct TCliCommand {
  explicit TCliCommand(TCliSetup setup);
};

// Resolves the program folder exactly as the desktop program does (--home, PITCHBOOK_HOME, ...).
std::filesystem::path CliProgramFolder(const std::string& home);
