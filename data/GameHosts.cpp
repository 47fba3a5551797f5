#include "data/GameHosts.h"

#include <optional>

namespace {
// Documentation addresses (RFC 5737) and a reserved domain (RFC 2606): they never lead anywhere real.
const TGameHosts BuiltInHosts{
    "www.kickvale.example",
    {"192.0.2.10", "192.0.2.11", "192.0.2.12", "198.51.100.20", "198.51.100.21", "203.0.113.30"}};

std::optional<TGameHosts>& Override() {
  static std::optional<TGameHosts> hosts;
  return hosts;
}
}  // namespace

const TGameHosts& DefaultGameHosts() { return BuiltInHosts; }

const TGameHosts& GameHosts() { return Override() ? *Override() : BuiltInHosts; }

void SetGameHosts(const TGameHosts& hosts) { Override() = hosts; }

void ResetGameHosts() { Override().reset(); }
