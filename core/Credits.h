#pragma once
// What the About window names: the program, its licence and the libraries it is built on with theirs.
#include <string_view>
#include <vector>

struct TLibraryCredit {
  const char* Name;     // "Qt 6"
  const char* Licence;  // SPDX identifier ("LGPL-3.0"), or the licence's own name
  const char* Use;      // N_() text: what the program uses it for
};

inline constexpr const char* ProgramName = "Pitchbook";
inline constexpr const char* ProgramLicence = "MIT License";

// Every library the installed programs link or ship, in the order the About window lists them.
const std::vector<TLibraryCredit>& LibraryCredits();
