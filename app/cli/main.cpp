#include "app/cli/CliCommand.h"

#include "core/Intl.h"
#include "core/ProgramFolders.h"

#include <clocale>
#include <iostream>
#include <vector>

namespace {
std::vector<TCliSetup>& Setups() {
  static std::vector<TCliSetup> setups;
  return setups;
}
}  // namespace

TCliCommand::TCliCommand(TCliSetup setup) { Setups().push_back(std::move(setup)); }

std::filesystem::path CliProgramFolder(const std::string& home) { return ResolveProgramFolder(home); }

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  std::setlocale(LC_NUMERIC, "C");
  InitTranslations(ResolveProgramFolder(""));
  CLI::App app{"pitchbook-cli: the Pitchbook engine on the command line (JSON output with --json)"};
  // "pitchbook-cli --version" prints "pitchbook-cli 0.1.0" and needs no sub-command.
  app.set_version_flag("--version", std::string("pitchbook-cli ") + PITCHBOOK_VERSION, _("Print the version and exit"));
  app.require_subcommand(1);
  TCliContext context;
  for (auto& setup : Setups()) setup(app, context);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  }
  return context.ExitCode;
}
