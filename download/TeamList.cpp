#include "download/TeamList.h"

#include "core/Errors.h"
#include "core/Utils.h"

#include <algorithm>

namespace {

// A field as it may stand in the file: no separator, no line break.
std::string FileField(std::string_view text) {
  std::string field(text);
  for (char& c : field)
    if (c == '|' || c == '\r' || c == '\n') c = ' ';
  return field;
}

}  // namespace

TTeamListEntry& TTeamList::operator[](int index) {
  if (index < 0 || index >= Count()) throw ERangeError();
  return FEntries[static_cast<size_t>(index)];
}

const TTeamListEntry& TTeamList::operator[](int index) const {
  if (index < 0 || index >= Count()) throw ERangeError();
  return FEntries[static_cast<size_t>(index)];
}

int TTeamList::IndexOf(std::string_view teamID) const {
  for (size_t i = 0; i < FEntries.size(); ++i)
    if (FEntries[i].TeamID == teamID) return static_cast<int>(i);
  return -1;
}

void TTeamList::Delete(int index) {
  if (index < 0 || index >= Count()) throw ERangeError();
  FEntries.erase(FEntries.begin() + index);
}

void TTeamList::SetAllChecked(bool checked) {
  for (TTeamListEntry& entry : FEntries) entry.Checked = checked;
}

std::vector<TTeamListEntry> TTeamList::CheckedEntries() const {
  std::vector<TTeamListEntry> result;
  std::copy_if(FEntries.begin(), FEntries.end(), std::back_inserter(result),
               [](const TTeamListEntry& e) { return e.Checked; });
  return result;
}

void ListViewSaveToFile(const TTeamList& list, const std::filesystem::path& path) {
  std::string text;
  for (const TTeamListEntry& entry : list.Entries()) {
    text += entry.Checked ? "1|" : "0|";
    text += FileField(entry.TeamID) + "|";
    text += FileField(entry.UnitID) + "|";
    text += FileField(entry.Name) + "|";
    text += "\n";
  }
  SaveFileAtomically(path, text);
}

void ListViewLoadFromFile(TTeamList& list, const std::filesystem::path& path) {
  ListViewLoadFromText(list, ReadFileText(path));
}

void ListViewLoadFromText(TTeamList& list, std::string_view text) {
  TTeamList loaded;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find('|') == std::string_view::npos) continue;
    // Files of older versions were written in the Windows code page.
    const std::string utf8 = IsValidUtf8(line) ? std::string(line) : Cp1252ToUtf8(line);

    TTeamListEntry entry;
    std::vector<std::string> subItems;
    size_t pos = 0;
    int field = 0;
    while (pos <= utf8.size()) {
      const size_t bar = utf8.find('|', pos);
      const bool closed = bar != std::string::npos;
      const std::string value = utf8.substr(pos, closed ? bar - pos : std::string::npos);
      if (field == 0)
        entry.Checked = value == "1";
      else if (field == 1)
        entry.TeamID = value;
      else if (closed)
        subItems.push_back(value);
      if (!closed) break;
      pos = bar + 1;
      ++field;
    }
    if (subItems.size() > 0) entry.UnitID = subItems[0];
    if (subItems.size() > 1) entry.Name = subItems[1];
    loaded.Add(std::move(entry));
  }
  list = std::move(loaded);
}
