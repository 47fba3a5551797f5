#pragma once
// Loading the program folder's archive for the commands that work on its newest snapshot.
#include <string>

// Loads the preferences and every snapshot of the program folder into the program-wide history store, as
// the desktop program does at start. Problems with single files are written to standard error and do not
// fail the load; false (with `error` set) only when the folder itself cannot be used.
bool LoadCliArchive(const std::string& home, std::string& error);
