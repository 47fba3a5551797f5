#include "data/XMLClub.h"

#include "core/Utils.h"
#include "data/XMLFields.h"

void TXMLClub::Read(const std::filesystem::path& fileName) { ReadText(ReadFileText(fileName), fileName.string()); }

void TXMLClub::ReadText(std::string_view bytes, const std::string& sourceName) {
  pugi::xml_document doc;
  const pugi::xml_node team = ParseXMLRoot(bytes, sourceName, doc).child("Team");
  const pugi::xml_node specialists = team.child("Specialists");
  TXMLClub read;
  read.KeeperTrainers = ElementInt(specialists, {"KeeperTrainers"});
  read.AssistantTrainers = ElementInt(specialists, {"AssistantTrainers"});
  read.Psychologists = ElementInt(specialists, {"Psychologists"});
  read.PressSpokesmen = ElementInt(specialists, {"PressSpokesmen"});
  read.Economists = ElementInt(specialists, {"Economists"});
  read.Physiotherapists = ElementInt(specialists, {"Physiotherapists"});
  read.Doctors = ElementInt(specialists, {"Doctors"});
  read.YouthLevel = ElementInt(team, {"YouthSquad", "YouthLevel"});
  *this = read;
}
