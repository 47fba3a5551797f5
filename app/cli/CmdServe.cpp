// pitchbook-cli serve DIR [--port P]: the local game server on a folder of answers, until interrupted.
// The first line of the output is the server's address, so that a script can read it and point the
// program at it.
#include "app/cli/CliCommand.h"

#include "demo/GameServer.h"

#include <csignal>
#include <iostream>
#include <memory>
#include <pthread.h>

namespace {

struct TServeOptions {
  std::string Folder;
  int Port = 0;
  std::string LoginName = "demo";
  std::string SecurityCode = "demo";
  std::string RecommendedURL;
};

int RunServe(const TServeOptions& options) {
  std::error_code ec;
  if (!std::filesystem::is_directory(options.Folder, ec)) {
    std::cerr << "Not a folder: " << options.Folder << std::endl;
    return 1;
  }
  // The server's threads inherit this mask, so the interrupt reaches sigwait below and nothing else.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  TGameServer server(std::make_shared<TFolderWorldSource>(options.Folder));
  server.AddAccount(options.LoginName, options.SecurityCode);
  server.SetRecommendedURL(options.RecommendedURL);
  try {
    server.Start(options.Port);
  } catch (const std::exception& e) {
    std::cerr << e.what() << std::endl;
    return 1;
  }
  std::cout << server.Address() << std::endl;
  std::cerr << "Serving " << options.Folder << " (login name \"" << options.LoginName
            << "\"); interrupt to stop." << std::endl;
  int received = 0;
  sigwait(&signals, &received);
  server.Stop();
  return 0;
}

const TCliCommand ServeCommand([](CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TServeOptions>();
  CLI::App* cmd = app.add_subcommand("serve", "Run the local game server on a folder of answers (127.0.0.1 only)");
  cmd->add_option("DIR", options->Folder, "Folder of answers: NAME.xml or NAME@key=value....xml per file request")
      ->required();
  cmd->add_option("--port", options->Port, "Port to listen on (0: any free port)")->check(CLI::Range(0, 65535));
  cmd->add_option("--login", options->LoginName, "Login name the server accepts (default \"demo\")");
  cmd->add_option("--code", options->SecurityCode, "Security code the server accepts (default \"demo\")");
  cmd->add_option("--recommended", options->RecommendedURL,
                  "RecommendedURL of the server list (default: the server's own address)");
  cmd->callback([options, &context] { context.ExitCode = RunServe(*options); });
});

}  // namespace
