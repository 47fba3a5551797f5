#include "core/Clock.h"

#include <atomic>

namespace {
std::atomic<bool> gFixed{false};
std::atomic<TClock::time_point::rep> gFixedTicks{0};
}  // namespace

TClock::time_point TClock::Now() {
  if (gFixed.load()) return time_point(time_point::duration(gFixedTicks.load()));
  return std::chrono::system_clock::now();
}

void TClock::SetFixed(std::optional<time_point> fixed) {
  if (fixed) gFixedTicks.store(fixed->time_since_epoch().count());
  gFixed.store(fixed.has_value());
}
