#pragma once
// The club's arena of a snapshot (file kind "ArenaDetails"): current seats and those under construction.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class TXMLArena {
public:
  std::string ArenaName;
  int32_t Terraces = 0;
  int32_t Basic = 0;
  int32_t Roof = 0;
  int32_t VIP = 0;
  int32_t Total = 0;
  int32_t ExpandedTerraces = 0;
  int32_t ExpandedBasic = 0;
  int32_t ExpandedRoof = 0;
  int32_t ExpandedVIP = 0;

  // Replaces the record with the file's values (under Arena). The current capacities must be numbers
  // (EConvertError); an expanded capacity with empty text stays 0 (nothing under construction). A file that
  // cannot be parsed raises EInOutError. On failure the record is unchanged.
  void Read(const std::filesystem::path& fileName);
  // The same for the file's bytes; sourceName names the file in messages.
  void ReadText(std::string_view bytes, const std::string& sourceName);

  bool operator==(const TXMLArena&) const = default;
};
