#include "core/Credits.h"

#include "core/Intl.h"

const std::vector<TLibraryCredit>& LibraryCredits() {
  static const std::vector<TLibraryCredit> credits{
      {"Qt 6", "LGPL-3.0", N_("windows, graphs and sound")},
      {"pugixml", "MIT", N_("reading and writing XML")},
      {"libcurl", "curl", N_("the connection to the game server")},
      {"cpp-httplib", "MIT", N_("the local game server")},
      {"CLI11", "BSD-3-Clause", N_("the command line of pitchbook-cli")},
      {"nlohmann/json", "MIT", N_("JSON output of pitchbook-cli")},
      {"GNU gettext / libintl", "LGPL-2.1-or-later", N_("translations")},
      {"Flag icons", "MIT", N_("the country flags")},
  };
  return credits;
}
