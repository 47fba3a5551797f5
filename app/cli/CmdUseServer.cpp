// pitchbook-cli use-server --server HOST:PORT [--home DIR] [--login NAME --code CODE]
// Points a program folder's preferences at one game server: the connection site becomes HOST:PORT and the
// choice of the best server is switched off, so that login, session test and every request go there (the
// demo run points the desktop program at the local game server this way). With --login and --code the
// login is remembered too, so that the download window opens with its fields filled. Everything else in
// "Preferences.xml" stays as it was.
#include "app/cli/CliCommand.h"

#include "data/Preferences.h"
#include "download/KVIndyHTTP.h"

#include <iostream>
#include <memory>

namespace {

struct TUseServerOptions {
  std::string Home;
  std::string Server;
  std::string LoginName;
  std::string SecurityCode;
};

std::string WithLineFeeds(std::string text) {
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
  return text;
}

int RunUseServer(const TUseServerOptions& options) {
  // Only a plain host[:port]: the site becomes part of every request's address.
  if (options.Server.empty() || RecommendedHostOf(options.Server) != options.Server) {
    std::cerr << "Not a host or host:port: " << options.Server << std::endl;
    return 1;
  }
  if (options.LoginName.empty() != options.SecurityCode.empty()) {
    std::cerr << "Give both --login and --code, or neither" << std::endl;
    return 1;
  }
  TPreferences preferences;
  preferences.ProgramFolder = CliProgramFolder(options.Home);
  // A file that cannot be read is not replaced by defaults behind the user's back.
  if (auto loaded = preferences.Load(); !loaded) {
    std::cerr << WithLineFeeds(loaded.Message) << '\n' << loaded.Detail << std::endl;
    return 1;
  }
  preferences.ConnectionSite = options.Server;
  preferences.ChooseBestServer = false;
  if (!options.LoginName.empty()) {
    preferences.UserName = options.LoginName;
    preferences.SaveUsernamePassword = true;
    preferences.SetPassword(options.SecurityCode);
  }
  if (auto saved = preferences.Save(); !saved) {
    std::cerr << WithLineFeeds(saved.Message) << '\n' << saved.Detail << std::endl;
    return 1;
  }
  std::cout << preferences.FileName().string() << ": connection site " << options.Server << std::endl;
  return 0;
}

const TCliCommand UseServerCommand([](CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TUseServerOptions>();
  auto* command = app.add_subcommand(
      "use-server", "Point the preferences at one game server (fixed site, no best-server choice)");
  command->add_option("--home", options->Home, "Program folder");
  command->add_option("--server", options->Server, "Game server as host or host:port")->required();
  command->add_option("--login", options->LoginName, "Login name to remember");
  command->add_option("--code", options->SecurityCode, "Security code to remember");
  command->callback([options, &context] { context.ExitCode = RunUseServer(*options); });
});

}  // namespace
