#pragma once
// The one clock of the engine. "Today" and "now" come from here so that tests can fix them.
#include <chrono>
#include <optional>

class TClock {
public:
  using time_point = std::chrono::system_clock::time_point;
  // The current time, or the fixed time a test has set.
  static time_point Now();
  static void SetFixed(std::optional<time_point> fixed);
};
