#pragma once
// The snapshot: one download of the managed club, stored as nine XML files in the history folder that
// share one name prefix, the local download day: "2009-09-28 Players.xml", "2009-09-28 TeamDetails.xml", ...
// A snapshot counts only when all nine files exist; its players file stands for the whole snapshot.
#include "core/Clock.h"
#include "core/Intl.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The nine own-team files, in table (and download) order.
enum class TSnapshotKind { Team, League, Players, Training, Arena, Economy, Club, Region, World };

struct TMyTeamDlRow {
  const char* Label;      // shown in the download window (an N_() text: translate where shown)
  const char* FileParam;  // the value of the file= parameter of the server request
  const char* Kind;       // the kind in the file name
};

inline constexpr std::array<TMyTeamDlRow, 9> TMyTeamDlData = {{
    {N_("Team"), "team", "TeamDetails"},
    {N_("League"), "leaguedetails", "LeagueDetails"},
    {N_("Players"), "players", "Players"},
    {N_("Training"), "training", "Training"},
    {N_("Arena"), "arenadetails", "ArenaDetails"},
    {N_("Economy"), "economy", "Economy"},
    {N_("Club"), "club", "Club"},
    {N_("Region"), "regiondetails", "RegionDetails"},
    {N_("World"), "worlddetails", "WorldDetails"},
}};

inline const TMyTeamDlRow& MyTeamDlRow(TSnapshotKind kind) { return TMyTeamDlData[static_cast<size_t>(kind)]; }

// ---- Names --------------------------------------------------------------------------------------------
// "2009-09-28 Players.xml": the day ("yyyy-mm-dd"), a blank, the kind, ".xml".
std::string SnapshotFileName(std::string_view day, TSnapshotKind kind);
// The same for the local day of a time point (a download names its files after TClock::Now()).
std::string SnapshotFileName(TClock::time_point time, TSnapshotKind kind);
// historyFolder / SnapshotFileName(day, kind).
std::filesystem::path SnapshotFilePath(const std::filesystem::path& historyFolder, std::string_view day,
                                       TSnapshotKind kind);

// The date part of a snapshot file's name: the name up to its first blank ("" when it has none).
std::string SnapshotDay(const std::filesystem::path& snapshotFile);
// The file of another kind of the snapshot that playersFile belongs to (same folder, same day).
std::filesystem::path SnapshotSibling(const std::filesystem::path& playersFile, TSnapshotKind kind);
// All nine files of that snapshot, in table order.
std::vector<std::filesystem::path> SnapshotFiles(const std::filesystem::path& playersFile);

// True when playersFile is "<day> Players.xml" and all nine files of its day exist as regular files.
bool IsCompleteSnapshot(const std::filesystem::path& playersFile);
// The players files of every complete snapshot in the folder, sorted by name (that is, by day).
std::vector<std::filesystem::path> FindCompleteSnapshots(const std::filesystem::path& historyFolder);

// ---- Ordering key -------------------------------------------------------------------------------------
// The in-memory key that sorts snapshots, as plain text, in season, round and fetch-time order: the
// season in four digits, the round in two, then the digits of the fetch date-time ("2009-09-28 12:00:00"
// gives 20090928120000). Fixed widths keep the order right past season 99. Season must be 0..9999 and
// round 0..99, else ERangeError. Never slice a key by hand: use the accessors below.
std::string SnapshotKey(int season, int round, std::string_view fetchDateTime);
// The leading part of a key that holds season and round: keys of one round share it.
std::string_view RoundKey(std::string_view key);
std::string MakeRoundKey(int season, int round);
// Season and round read back from a key; EConvertError when the key is too short or not digits there.
int KeySeason(std::string_view key);
int KeyRound(std::string_view key);
// The fetch date-time digits of a key.
std::string_view KeyFetchDigits(std::string_view key);
