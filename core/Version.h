#pragma once
// Dotted program versions ("0.1.0", "1.10"): parsed into their numbers and compared number by number, so
// that 0.10 is newer than 0.9 and 1.2 equals 1.2.0.
#include <optional>
#include <string_view>
#include <vector>

// The numbers of a version of one to four dot-separated groups of decimal digits (each below 1000000);
// std::nullopt for anything else (empty groups, signs, letters, spaces).
std::optional<std::vector<int>> ParseVersion(std::string_view text);
// Negative, zero or positive as a is older than, equal to or newer than b; missing trailing groups count as 0.
int CompareVersions(const std::vector<int>& a, const std::vector<int>& b);
