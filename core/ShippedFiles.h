#pragma once
// Files that ship with the program rather than live in the user's program folder.
#include <filesystem>
#include <vector>

// The folder of the running executable (empty when it cannot be told): shipped files are found from it.
std::filesystem::path ExecutableFolder();

// The goal sound the match viewer plays: "Goal.mp3" of the program folder when the user put one there,
// else the first shipped copy that exists (see ShippedGoalSounds). Empty when there is none at all.
std::filesystem::path GoalSoundFile(const std::filesystem::path& programFolder);

// Where the shipped goal sound is looked for, in order: the installed copy
// (<executable folder>/../share/pitchbook/Goal.mp3), then the source tree's (a program run from its build
// folder). Modifiable so that tests can stand for a program without its shipped sound.
std::vector<std::filesystem::path>& ShippedGoalSounds();
