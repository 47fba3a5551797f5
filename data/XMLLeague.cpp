#include "data/XMLLeague.h"

#include "core/Utils.h"
#include "data/XMLFields.h"
#include "data/XMLTeam.h"

#include <cstring>

void TXMLLeague::Assign(const TXMLLeague& source) {
  Matches = source.Matches;
  GoalsFor = source.GoalsFor;
  GoalsAgainst = source.GoalsAgainst;
  Points = source.Points;
  Position = source.Position;
}

bool TXMLLeague::operator==(const TXMLLeague& other) const {
  return Matches == other.Matches && GoalsFor == other.GoalsFor && GoalsAgainst == other.GoalsAgainst &&
         Points == other.Points && Position == other.Position;
}

void TXMLLeague::Read(const std::filesystem::path& fileName) { ReadText(ReadFileText(fileName), fileName.string()); }

void TXMLLeague::ReadText(std::string_view bytes, const std::string& sourceName) {
  pugi::xml_document doc;
  ReadRoot(ParseXMLRoot(bytes, sourceName, doc));
}

void TXMLLeague::ReadRoot(const pugi::xml_node& root) {
  const char* teamID = FTeam->TeamID.c_str();
  int32_t matches = 0, goalsFor = 0, goalsAgainst = 0, points = 0, position = 0;
  for (pugi::xml_node row = root.child("Team"); row; row = row.next_sibling("Team")) {
    if (std::strcmp(ElementText(row, {"TeamID"}), teamID) != 0) continue;
    matches = ElementInt(row, {"Matches"});
    goalsFor = ElementInt(row, {"GoalsFor"});
    goalsAgainst = ElementInt(row, {"GoalsAgainst"});
    points = ElementInt(row, {"Points"});
    position = ElementInt(row, {"Position"});
    break;
  }
  Matches = matches;
  GoalsFor = goalsFor;
  GoalsAgainst = goalsAgainst;
  Points = points;
  Position = position;
}
