#include "data/XMLTeam.h"

#include "core/Utils.h"
#include "data/XMLFields.h"

#include <utility>

void TXMLTeam::Read(const std::filesystem::path& fileName) { ReadText(ReadFileText(fileName), fileName.string()); }

void TXMLTeam::ReadText(std::string_view bytes, const std::string& sourceName) {
  pugi::xml_document doc;
  const pugi::xml_node root = ParseXMLRoot(bytes, sourceName, doc);
  // Filled aside and moved in at the end, so that a bad number leaves the record as it was. The order of the
  // conversions decides which value a failing file reports.
  TXMLTeam read;
  const pugi::xml_node user = root.child("User");
  read.Loginname = ElementText(user, {"Loginname"});
  read.Email = ElementText(user, {"Email"});
  read.ICQ = ElementText(user, {"ICQ"});
  const pugi::xml_node team = root.child("Team");
  read.TeamID = ElementText(team, {"TeamID"});
  read.TeamName = ElementText(team, {"TeamName"});
  read.HomePage = ElementText(team, {"HomePage"});
  read.NumberOfVictories = ElementInt(team, {"NumberOfVictories"});
  read.NumberOfUndefeated = ElementInt(team, {"NumberOfUndefeated"});
  read.LeagueID = ElementText(team, {"League", "LeagueID"});
  read.LeagueLevelUnitName = ElementText(team, {"LeagueLevelUnit", "LeagueLevelUnitName"});
  read.TrainerPlayerID = ElementInt(team, {"Trainer", "PlayerID"});
  *this = std::move(read);
}
