#pragma once
// The list of teams whose matches the match download follows: team ID, league unit, name and whether the
// team is selected. The download window shows it in a list view; the engine keeps it as this plain model,
// which is also what "TeamList.kcf" in the program folder holds, one line per entry in list order:
//
//   1|123456|789|Red Lions|      checked, team 123456, league unit 789, named Red Lions
//   0|42||                       unchecked, team 42, no league unit, no name
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct TTeamListEntry {
  std::string TeamID;  // the list view's caption
  std::string UnitID;  // sub-item 0: LeagueLevelUnitID
  std::string Name;    // sub-item 1: the team name
  bool Checked = false;

  bool operator==(const TTeamListEntry&) const = default;
};

class TTeamList {
public:
  static constexpr const char* FileName = "TeamList.kcf";

  int Count() const { return static_cast<int>(FEntries.size()); }
  bool Empty() const { return FEntries.empty(); }
  // Range-checked (ERangeError outside 0..Count()-1).
  TTeamListEntry& operator[](int index);
  const TTeamListEntry& operator[](int index) const;
  const std::vector<TTeamListEntry>& Entries() const { return FEntries; }

  // Index of the entry with that team ID, -1 when there is none.
  int IndexOf(std::string_view teamID) const;
  void Add(TTeamListEntry entry) { FEntries.push_back(std::move(entry)); }
  void Delete(int index);
  void Clear() { FEntries.clear(); }
  // "Select All" / "Select None".
  void SetAllChecked(bool checked);
  // The checked entries in list order (what the match download works through).
  std::vector<TTeamListEntry> CheckedEntries() const;

private:
  std::vector<TTeamListEntry> FEntries;
};

// Writes the list to path atomically. A "|" or a line break inside a field would split it into other fields
// or a forged entry when the file is read back, so such characters are written as blanks.
void ListViewSaveToFile(const TTeamList& list, const std::filesystem::path& path);
// Replaces the list with the file's entries: every line that holds a "|" is one entry; a first field "1"
// checks it, the second is the team ID, the next two fields ended by "|" are the league unit and the name.
// Lines without "|" are skipped. Raises EInOutError when the file cannot be read (the list is then
// unchanged).
void ListViewLoadFromFile(TTeamList& list, const std::filesystem::path& path);
// The same for the file's bytes.
void ListViewLoadFromText(TTeamList& list, std::string_view text);
