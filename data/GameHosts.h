#pragma once
// The game's fixed network names, kept in this one place: the main web host (which answers the server list)
// and the fixed game-server addresses offered in the preferences. Tests and the demo point them at the
// local game server with SetGameHosts, so that nothing reaches a real address by accident.
#include <array>
#include <string>

constexpr int GameServerCount = 6;

struct TGameHosts {
  // Host name (optionally "host:port") of the game's main web site; the server list is asked there.
  std::string WebHost;
  // IPv4 literals of the game servers, as offered by the connection-site combo. The first one is the
  // default ConnectionSite of the preferences.
  std::array<std::string, GameServerCount> ServerAddresses;
};

// The built-in names.
const TGameHosts& DefaultGameHosts();
// The names in use: the built-in ones unless overridden.
const TGameHosts& GameHosts();
// Replaces the names in use (tests, the demo run). Not thread-safe: call it before any worker starts.
void SetGameHosts(const TGameHosts& hosts);
// Back to the built-in names.
void ResetGameHosts();
