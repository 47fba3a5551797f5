#pragma once
// The program folder and the data folders below it.
#include <filesystem>
#include <string>

// The program folder, in this order: the --home value (when not empty), the environment variable
// PITCHBOOK_HOME, the folder of the executable when it is writable, else $XDG_DATA_HOME/pitchbook
// (~/.local/share/pitchbook). The result ends with a separator.
std::filesystem::path ResolveProgramFolder(const std::string& home);
