// pitchbook-cli serve DIR [--port P]: the local game server on a folder of answers, until interrupted.
// pitchbook-cli serve --demo [--seed S] [--seasons N] [--round R]: the same on the sample world, positioned
// right after the archive that `pitchbook-cli demo` writes with the same options; SIGUSR1 moves it on by one
// round. The first line of the output is the server's address, so that a script can read it and point the
// program at it; with --demo one line per live match follows ("Live match ID: Home - Away, kick-off ..."),
// played at --live-speed match minutes per real second.
#include "app/cli/CliCommand.h"

#include "core/DateTime.h"
#include "core/Version.h"
#include "demo/GameServer.h"
#include "demo/LiveMatches.h"
#include "demo/WorldSource.h"

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
  std::string LatestVersion;
  bool Demo = false;
  double LiveSpeed = 1.0 / 60;  // match minutes per real second (real time by default)
  TSampleWorldOptions World;
};

int RunServe(const TServeOptions& options) {
  std::error_code ec;
  if (options.Demo == !options.Folder.empty()) {
    std::cerr << "Give either a folder of answers or --demo" << std::endl;
    return 1;
  }
  if (!options.Demo && !std::filesystem::is_directory(options.Folder, ec)) {
    std::cerr << "Not a folder: " << options.Folder << std::endl;
    return 1;
  }
  // The server's threads inherit this mask, so the interrupt reaches sigwait below and nothing else.
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGINT);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGHUP);
  sigaddset(&signals, SIGUSR1);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);

  std::shared_ptr<TSampleWorldSource> world;
  std::shared_ptr<IGameWorldSource> source;
  std::shared_ptr<TLiveMatchesSource> live;
  if (options.Demo) {
    world = std::make_shared<TSampleWorldSource>(options.World);
    // The live matches run on a clock of their own: it starts now and goes LiveSpeed match minutes a second.
    const TClock::time_point start = TClock::Now();
    std::vector<TLiveScriptMatch> matches;
    world->Use([&](const TSampleWorld& w) { matches = MakeLiveMatches(w, start); });
    live = std::make_shared<TLiveMatchesSource>(world, std::move(matches));
    const double speed = options.LiveSpeed;
    live->SetClock([start, speed] {
      const auto real = std::chrono::duration<double>(TClock::Now() - start).count();
      return start + std::chrono::duration_cast<TClock::time_point::duration>(
                         std::chrono::duration<double>(real * speed * 60));
    });
    source = live;
  } else {
    source = std::make_shared<TFolderWorldSource>(options.Folder);
  }
  TGameServer server(source);
  server.AddAccount(options.LoginName, options.SecurityCode);
  server.SetRecommendedURL(options.RecommendedURL);
  if (!options.LatestVersion.empty() && !ParseVersion(options.LatestVersion)) {
    std::cerr << "Not a version: " << options.LatestVersion << std::endl;
    return 1;
  }
  server.SetLatestVersion(options.LatestVersion);
  try {
    server.Start(options.Port);
  } catch (const std::exception& e) {
    std::cerr << e.what() << std::endl;
    return 1;
  }
  std::cout << server.Address() << std::endl;
  if (!options.LatestVersion.empty())
    std::cerr << "The update check address (PITCHBOOK_UPDATE_URL) is " << server.LatestVersionURL() << std::endl;
  auto week = [&world] {
    std::string text;
    world->Use([&text](const TSampleWorld& w) {
      text = "season " + std::to_string(w.Season()) + " round " + std::to_string(w.Round());
    });
    return text;
  };
  if (world)
    std::cerr << "Serving the sample world of seed " << options.World.Seed << ", " << week() << " (login name \""
              << options.LoginName << "\"); SIGUSR1 plays the next round; interrupt to stop." << std::endl;
  else
    std::cerr << "Serving " << options.Folder << " (login name \"" << options.LoginName
              << "\"); interrupt to stop." << std::endl;
  if (live)
    for (const TLiveScriptMatch& m : live->Matches())
      std::cout << "Live match " << m.MatchID << ": " << m.HomeName << " - " << m.AwayName << ", kick-off "
                << FormatDateTime(m.Kickoff) << std::endl;
  int received = 0;
  while (sigwait(&signals, &received) == 0 && received == SIGUSR1) {
    if (!world) continue;
    world->AdvanceRound();
    std::cerr << "Now at " << week() << std::endl;
  }
  server.Stop();
  return 0;
}

const TCliCommand ServeCommand([](CLI::App& app, TCliContext& context) {
  auto options = std::make_shared<TServeOptions>();
  CLI::App* cmd = app.add_subcommand("serve", "Run the local game server on a folder of answers (127.0.0.1 only)");
  cmd->add_option("DIR", options->Folder, "Folder of answers: NAME.xml or NAME@key=value....xml per file request");
  cmd->add_flag("--demo", options->Demo, "Serve the sample world instead of a folder");
  cmd->add_option("--seed", options->World.Seed, "Seed of the sample world");
  cmd->add_option("--seasons", options->World.Seasons, "Seasons of the sample world (1..40)")
      ->check(CLI::Range(1, 40));
  cmd->add_option("--round", options->World.LastRound, "Round of the last season the world stands at (1..16)")
      ->check(CLI::Range(1, 16));
  cmd->add_option("--live-speed", options->LiveSpeed, "Match minutes per real second of the live matches (--demo)")
      ->check(CLI::PositiveNumber);
  cmd->add_option("--port", options->Port, "Port to listen on (0: any free port)")->check(CLI::Range(0, 65535));
  cmd->add_option("--login", options->LoginName, "Login name the server accepts (default \"demo\")");
  cmd->add_option("--code", options->SecurityCode, "Security code the server accepts (default \"demo\")");
  cmd->add_option("--recommended", options->RecommendedURL,
                  "RecommendedURL of the server list (default: the server's own address)");
  cmd->add_option("--latest-version", options->LatestVersion,
                  "Newest program version the update check is told of (default: none, the check gets 404)");
  cmd->callback([options, &context] { context.ExitCode = RunServe(*options); });
});

}  // namespace
