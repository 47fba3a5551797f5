#pragma once
// Starts the desktop program: parses the command line, resolves the program folder, creates the windows
// and runs the event loop. Returns the process exit code.
int RunPitchbook(int argc, char** argv);
