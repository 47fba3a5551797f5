#pragma once
// Loading the program folder's archive for the commands that work on its snapshots.
#include "core/ProgramFolders.h"

#include <string>

// The preferences of the program folder (--home, else as the desktop program finds it) into the
// program-wide preferences object, and the data folders made. A preferences file that cannot be read is
// reported on standard error and leaves the defaults; false (with `error` set) only when the folder itself
// cannot be used.
bool LoadCliPreferences(const std::string& home, TProgramFolders& folders, std::string& error);

// The preferences as above and every snapshot of the program folder into the program-wide history store,
// as the desktop program does at start. Problems with single files do not fail the load: they are written
// to standard error, or handed back in `loadErrors` when the caller shows them itself.
bool LoadCliArchive(const std::string& home, std::string& error, TProgramFolders* folders = nullptr,
                    std::string* loadErrors = nullptr);

// The club a match command works on: the given ID, else the own club of the newest snapshot; empty (with
// `error` set) when there is none or the ID is not a number.
std::string CliTeamID(const std::string& team, std::string& error);

// The archive loaded as LoadCliArchive does and the club a match command works on (CliTeamID); empty
// after the problem is written to standard error.
std::string LoadCliClub(const std::string& home, const std::string& team, TProgramFolders& folders);
