#include "core/Version.h"

#include <algorithm>
#include <charconv>

std::optional<std::vector<int>> ParseVersion(std::string_view text) {
  constexpr size_t MaxGroups = 4;
  constexpr size_t MaxDigits = 6;
  std::vector<int> numbers;
  size_t start = 0;
  while (true) {
    const size_t dot = text.find('.', start);
    const std::string_view group = text.substr(start, dot == std::string_view::npos ? text.size() - start : dot - start);
    if (group.empty() || group.size() > MaxDigits || numbers.size() == MaxGroups) return std::nullopt;
    for (char c : group)
      if (c < '0' || c > '9') return std::nullopt;
    int value = 0;
    std::from_chars(group.data(), group.data() + group.size(), value);
    numbers.push_back(value);
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  return numbers;
}

int CompareVersions(const std::vector<int>& a, const std::vector<int>& b) {
  for (size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const int x = i < a.size() ? a[i] : 0;
    const int y = i < b.size() ? b[i] : 0;
    if (x != y) return x < y ? -1 : 1;
  }
  return 0;
}
