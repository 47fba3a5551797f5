#include "data/XMLTraining.h"

#include "core/Utils.h"
#include "data/XMLFields.h"

void TXMLTraining::Read(const std::filesystem::path& fileName) { ReadText(ReadFileText(fileName), fileName.string()); }

void TXMLTraining::ReadText(std::string_view bytes, const std::string& sourceName) {
  pugi::xml_document doc;
  const pugi::xml_node team = ParseXMLRoot(bytes, sourceName, doc).child("Team");
  TXMLTraining read;
  read.TrainingLevel = ElementInt(team, {"TrainingLevel"});
  // Older answers of the server leave the stamina share empty; it was no share at all then.
  read.StaminaTrainingPart = ElementIntOr(team, {"StaminaTrainingPart"}, 0);
  read.TrainingType = ElementInt(team, {"TrainingType"});
  read.Morale = ElementInt(team, {"Morale"});
  read.SelfConfidence = ElementInt(team, {"SelfConfidence"});
  read.Experience433 = ElementInt(team, {"Experience433"});
  read.Experience451 = ElementInt(team, {"Experience451"});
  read.Experience352 = ElementInt(team, {"Experience352"});
  read.Experience532 = ElementInt(team, {"Experience532"});
  read.Experience343 = ElementInt(team, {"Experience343"});
  read.Experience541 = ElementInt(team, {"Experience541"});
  // The field is 64-bit because staff IDs keep growing; a 32-bit conversion would fail valid files.
  read.TrainerID = ElementInt64(team, {"Trainer", "TrainerID"});
  *this = read;
}
