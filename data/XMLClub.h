#pragma once
// The club's staff and youth work of a snapshot (file kind "Club").
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class TXMLClub {
public:
  int32_t KeeperTrainers = 0;
  int32_t AssistantTrainers = 0;
  int32_t Psychologists = 0;
  int32_t PressSpokesmen = 0;
  int32_t Economists = 0;
  int32_t Physiotherapists = 0;
  int32_t Doctors = 0;
  int32_t YouthLevel = 0;

  // Replaces the record with the file's values (Team/Specialists and Team/YouthSquad/YouthLevel); every
  // value must be a number (EConvertError). A file that cannot be parsed raises EInOutError. On failure the
  // record is unchanged.
  void Read(const std::filesystem::path& fileName);
  // The same for the file's bytes; sourceName names the file in messages.
  void ReadText(std::string_view bytes, const std::string& sourceName);

  bool operator==(const TXMLClub&) const = default;
};
