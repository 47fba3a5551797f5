#pragma once
// The team's row of its series' league table (file kind "LeagueDetails").
#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class TXMLTeam;

class TXMLLeague {
public:
  // The row is chosen by team.TeamID at the time of Read, so the team file is read first. The team record
  // must outlive this one (both belong to the same history page).
  explicit TXMLLeague(const TXMLTeam& team) : FTeam(&team) {}
  // A copy would still select rows by the other page's team: copy values with Assign instead.
  TXMLLeague(const TXMLLeague&) = delete;
  TXMLLeague& operator=(const TXMLLeague&) = delete;

  int32_t Matches = 0;
  int32_t GoalsFor = 0;
  int32_t GoalsAgainst = 0;
  int32_t Points = 0;
  int32_t Position = 0;

  const TXMLTeam& Team() const { return *FTeam; }
  // Copies the five values, keeping this record's team.
  void Assign(const TXMLLeague& source);
  // Equal values (whatever the team).
  bool operator==(const TXMLLeague& other) const;

  // Walks the Team rows under the root from the first; the first whose TeamID text equals the team's TeamID is
  // read (all five values must be numbers) and the walk ends. Without such a row all five values are 0. A file
  // that cannot be parsed raises EInOutError, a bad number EConvertError; on failure the record is unchanged.
  void Read(const std::filesystem::path& fileName);
  // The same from the document element of a file already parsed (the start-up loader reads the file anyway).
  void ReadRoot(const pugi::xml_node& root);
  // The same for the file's bytes; sourceName names the file in messages.
  void ReadText(std::string_view bytes, const std::string& sourceName);

private:
  const TXMLTeam* FTeam;
};
