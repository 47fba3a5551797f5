#pragma once
// The team's training settings and team state of a snapshot (file kind "Training").
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class TXMLTraining {
public:
  int32_t TrainingLevel = 0;        // training intensity, percent
  int32_t StaminaTrainingPart = 0;  // percent of the training spent on stamina
  int32_t TrainingType = 0;         // 0..12, see TTrainingData
  int32_t Morale = 0;
  int32_t SelfConfidence = 0;
  int32_t Experience433 = 0;
  int32_t Experience451 = 0;
  int32_t Experience352 = 0;
  int32_t Experience532 = 0;
  int32_t Experience343 = 0;
  int32_t Experience541 = 0;
  int64_t TrainerID = 0;

  // Replaces the record with the file's values (elements under Team). Every value must be a number
  // (EConvertError) except StaminaTrainingPart, whose empty text gives 0. A file that cannot be parsed raises
  // EInOutError. On failure the record is unchanged.
  void Read(const std::filesystem::path& fileName);
  // The same for the file's bytes; sourceName names the file in messages.
  void ReadText(std::string_view bytes, const std::string& sourceName);

  bool operator==(const TXMLTraining&) const = default;
};
