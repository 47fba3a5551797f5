#include "core/TeamMatchFile.h"

#include "core/Utils.h"

#include <cctype>
#include <charconv>

namespace {
// "%.2d" without the C library's locale: at least two digits, sign in front.
std::string TwoDigits(int value) {
  char buffer[16];
  const bool negative = value < 0;
  const long long magnitude = negative ? -static_cast<long long>(value) : value;
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
  (void)ec;
  std::string digits(buffer, end);
  if (digits.size() < 2) digits.insert(0, 2 - digits.size(), '0');
  return negative ? "-" + digits : digits;
}

// The copy of the opponent's lineup is named after the answer's FileName; a name that cannot be an element
// name falls back to the lineup's own name (it still follows the club's lineup, so readers are not misled).
std::string OpponentElementName(const pugi::xml_node& opponentLineup) {
  const std::string name = opponentLineup.child("FileName").child_value();
  bool valid = !name.empty() && (std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_');
  for (char c : name)
    valid = valid && (std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '_');
  return valid ? name : TTeamMatchFile::LineupName;
}
}  // namespace

std::filesystem::path TTeamMatchFile::PathOf(const std::filesystem::path& matchesFolder, std::string_view teamID) {
  return matchesFolder / (std::string(teamID) + ".xml");
}

TTeamMatchFile::TTeamMatchFile() { NewXMLDocument(FDocument, RootName); }

void TTeamMatchFile::LoadFromFile(const std::filesystem::path& path) { LoadFromText(ReadFileText(path), path.string()); }

void TTeamMatchFile::LoadFromText(std::string_view bytes, const std::string& sourceName) {
  pugi::xml_document document;
  ParseXMLText(bytes, document, sourceName);
  FDocument.reset(document);
}

void TTeamMatchFile::Open(const std::filesystem::path& path) {
  pugi::xml_document document;
  OpenXMLFile(path, document, RootName);
  FDocument.reset(document);
}

void TTeamMatchFile::SaveToFile(const std::filesystem::path& path) const { SaveXMLFile(FDocument, path); }

std::vector<pugi::xml_node> TTeamMatchFile::Matches() const {
  std::vector<pugi::xml_node> result;
  for (pugi::xml_node m = Root().child(MatchDataName); m; m = m.next_sibling(MatchDataName)) result.push_back(m);
  return result;
}

pugi::xml_node TTeamMatchFile::FindMatch(std::string_view matchID) const {
  for (pugi::xml_node m = Root().child(MatchDataName); m; m = m.next_sibling(MatchDataName))
    if (matchID == m.attribute("ID").value()) return m;
  return pugi::xml_node();
}

bool TTeamMatchFile::DeleteMatch(std::string_view matchID) {
  const pugi::xml_node match = FindMatch(matchID);
  return match && Root().remove_child(match);
}

pugi::xml_node TTeamMatchFile::AddMatch(std::string_view matchID, int season, int round,
                                        const pugi::xml_node& details, const pugi::xml_node& lineup,
                                        const pugi::xml_node& opponentLineup) {
  DeleteMatch(matchID);
  pugi::xml_node match = Root().append_child(MatchDataName);
  match.append_attribute("ID").set_value(std::string(matchID).c_str());
  match.append_child("Season").text().set(TwoDigits(season).c_str());
  match.append_child("MatchRound").text().set(TwoDigits(round).c_str());
  CopyChildNodes(details, match.append_child(DetailsName));
  CopyChildNodes(lineup, match.append_child(LineupName));
  if (opponentLineup) CopyChildNodes(opponentLineup, match.append_child(OpponentElementName(opponentLineup).c_str()));
  return match;
}
