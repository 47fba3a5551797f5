#pragma once
// The team details of a snapshot (file kind "TeamDetails"): the club, its manager and its series.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class TXMLTeam {
public:
  // The league and world readers compare these two with element texts, so they stay text.
  std::string LeagueID;
  std::string TeamID;
  std::string TeamName;
  std::string Loginname;
  std::string Email;
  std::string ICQ;
  std::string HomePage;
  std::string LeagueLevelUnitName;
  int32_t NumberOfVictories = 0;
  int32_t NumberOfUndefeated = 0;
  int32_t TrainerPlayerID = 0;

  // Replaces the record with the file's values. Texts never fail; NumberOfVictories, NumberOfUndefeated and
  // Trainer/PlayerID must be numbers (EConvertError), and a file that cannot be parsed raises EInOutError.
  // On failure the record is unchanged.
  void Read(const std::filesystem::path& fileName);
  // The same for the file's bytes; sourceName names the file in messages.
  void ReadText(std::string_view bytes, const std::string& sourceName);

  bool operator==(const TXMLTeam&) const = default;
};
