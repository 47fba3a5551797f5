#include "core/PlayerList.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/RecordSection.h"
#include "core/Utils.h"

TPlayerList::TPlayerList(int weather, bool includeTraining, bool ignoreForm)
    : FWeather(weather), FIgnoreForm(ignoreForm), FIncludeTraining(includeTraining) {
  FItems.emplace_back();  // the unused slot 0
}

void TPlayerList::SetWeather(int weather) {
  FWeather = weather;
  for (auto& p : *this) p.Weather = weather;
}

void TPlayerList::SetIgnoreForm(bool ignoreForm) {
  FIgnoreForm = ignoreForm;
  for (auto& p : *this) p.IgnoreForm = ignoreForm;
}

void TPlayerList::SetIncludeTraining(bool includeTraining) {
  FIncludeTraining = includeTraining;
  for (auto& p : *this) p.IncludeTraining = includeTraining;
}

TPlayer* TPlayerList::Get(int index) const {
  if (index < 0 || index > Count()) throw ERangeError();
  return FItems[static_cast<size_t>(index)].get();
}

void TPlayerList::Add(std::unique_ptr<TPlayer> player) { FItems.push_back(std::move(player)); }

int TPlayerList::IndexOfName(const std::string& name) const {
  for (int i = 1; i <= Count(); ++i)
    if (FItems[static_cast<size_t>(i)]->PlayerName == name) return i;
  return 0;
}

int TPlayerList::IndexOfID(int64_t id) const {
  for (int i = 1; i <= Count(); ++i)
    if (FItems[static_cast<size_t>(i)]->PlayerID == id) return i;
  return 0;
}

void TPlayerList::Delete(int index) {
  if (index < 1 || index > Count()) throw ERangeError();
  if (index != Count()) FItems[static_cast<size_t>(index)] = std::move(FItems.back());
  FItems.pop_back();
}

void TPlayerList::DeleteByName(const std::string& name) {
  // An absent name must not touch the list: index 0 is not a player.
  if (int index = IndexOfName(name)) Delete(index);
}

void TPlayerList::Clear() { FItems.resize(1); }

std::unique_ptr<TPlayer> TPlayerList::NewPlayer() const {
  return std::make_unique<TPlayer>(FWeather, FIncludeTraining, FIgnoreForm);
}

void TPlayerList::LoadFromPlayersFile(const std::filesystem::path& path) {
  LoadFromPlayersText(ReadFileText(path), path.string());
}

void TPlayerList::LoadFromPlayersText(std::string_view bytes, const std::string& sourceName) {
  pugi::xml_document doc;
  ParseXMLText(bytes, doc, sourceName);
  const pugi::xml_node list = doc.document_element().child("Team").child("PlayerList");
  // Without the element this is not a players file (an error page, another download): an empty squad
  // would pass for a real one.
  if (!list)
    throw EInOutError(FormatText(_("%s is not a players file: Team/PlayerList is missing"), sourceName.c_str()));
  std::vector<std::unique_ptr<TPlayer>> loaded;
  for (pugi::xml_node node = list.child("Player"); node; node = node.next_sibling()) {
    if (node.type() != pugi::node_element) continue;
    auto player = NewPlayer();
    player->LoadFromXML(node);
    loaded.push_back(std::move(player));
  }
  for (auto& p : loaded) Add(std::move(p));
}

void TPlayerList::LoadFromRecordFile(const std::filesystem::path& path) { LoadFromRecordText(ReadFileText(path)); }

void TPlayerList::LoadFromRecordText(std::string_view bytes) {
  const std::vector<std::string> lines = SplitRecordLines(bytes);
  std::vector<std::unique_ptr<TPlayer>> loaded;
  size_t first = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].find("TrainerSkill=") == std::string::npos) continue;
    auto player = NewPlayer();
    ReadRecordSection(*player, lines, first, i);
    loaded.push_back(std::move(player));
    first = i + 1;
  }
  for (auto& p : loaded) Add(std::move(p));
}

void TPlayerList::SaveToRecordText(std::string& text) const {
  text.clear();
  for (const auto& p : *this) text += WriteRecordSection(p);
}

std::unique_ptr<TPlayerList> TPlayerList::Clone() const {
  auto list = std::make_unique<TPlayerList>(FWeather, FIncludeTraining, FIgnoreForm);
  list->FItems.reserve(FItems.size());
  for (const auto& p : *this) list->Add(p.Clone());
  return list;
}
