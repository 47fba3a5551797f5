#pragma once
// A test hook in SaveFileAtomically, the one place every file of the program is saved through: it makes a
// chosen save fail the way a full disk, a failing rename or a killed process would, so that tests can show
// that each writer leaves the previous file intact. Nothing in the program sets it; unset, a save only
// reads one atomic counter.

enum class TSaveFault {
  None,
  NoSpace,      // the write stops half way with ENOSPC (the temporary file is removed, as on a real error)
  RenameFails,  // the data is written and synced, then the rename fails with EIO
  Kill,         // the process is killed (SIGKILL) after the data is written, before the rename
};

// Arms the fault for the countdown-th save from now on (1 = the next one); the saves before it succeed and
// the hook disarms itself once it fired. InjectSaveFault(TSaveFault::None) disarms it.
void InjectSaveFault(TSaveFault fault, int countdown = 1);
// The number of saves started since the last InjectSaveFault (to pick the countdown for a writer that saves
// several files).
int SavesSinceInjection();
