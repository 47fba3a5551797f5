#pragma once
// The titles of the main window's team boxes, "Team name (TeamID)", one per club match file of the
// matches folder, and the way back from such a title to the team ID.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// One title per readable match file ("<TeamID>.xml") of the folder, in file-name order. The name and ID
// come from the own lineup of the file's newest match (its last MatchData): the home side when its
// HomeTeamID equals the file's team ID, else the away side. A file that cannot be read, that holds no
// match, or whose newest match has no lineup is left out. A missing folder gives no titles.
std::vector<std::string> TeamTitles(const std::filesystem::path& matchesFolder);

// The title of one match file; empty when the file is left out (see TeamTitles).
std::string TeamTitleOfFile(const std::filesystem::path& matchFile);

// The team ID of a team-box title: everything after its last "(" up to its last ")", trimmed. A title
// without ")" after its last "(" gives an empty ID.
std::string TeamIDOfTitle(std::string_view title);
