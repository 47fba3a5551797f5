#pragma once
// The match file of one club: root "PitchbookTeamData" holding one MatchData element per match, each with
// the season and round it belongs to and verbatim copies of the downloaded match details and lineups:
//
//   <MatchData ID="match ID">
//     <Season>07</Season> <MatchRound>03</MatchRound>
//     <matchDetails.asp> children of the match details answer's root </matchDetails.asp>
//     <matchLineup.asp> children of the club's own lineup answer's root </matchLineup.asp>
//     <(FileName of the opponent's lineup)> children of the opponent's lineup answer's root (optional) </…>
//   </MatchData>
//
// The club's own lineup always comes first, so that asking for "matchLineup.asp" by name finds it.
#include <pugixml.hpp>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class TTeamMatchFile {
public:
  static constexpr const char* RootName = "PitchbookTeamData";
  static constexpr const char* MatchDataName = "MatchData";
  static constexpr const char* DetailsName = "matchDetails.asp";
  static constexpr const char* LineupName = "matchLineup.asp";

  // The file of a club in the matches folder: team ID + ".xml".
  static std::filesystem::path PathOf(const std::filesystem::path& matchesFolder, std::string_view teamID);

  // An empty file in memory (the root element only).
  TTeamMatchFile();

  // Reads an existing file; raises EInOutError when it is missing or malformed (the object is unchanged).
  void LoadFromFile(const std::filesystem::path& path);
  // The same for the file's bytes; sourceName names the file in messages.
  void LoadFromText(std::string_view bytes, const std::string& sourceName);
  // Reads the file when it exists, else creates it empty on disk first.
  void Open(const std::filesystem::path& path);
  // Saves atomically: a failed save leaves the previous file intact.
  void SaveToFile(const std::filesystem::path& path) const;

  pugi::xml_node Root() const { return FDocument.document_element(); }
  pugi::xml_document& Document() { return FDocument; }

  // The MatchData elements in file order.
  std::vector<pugi::xml_node> Matches() const;
  // The MatchData element of that match ID, or an empty node.
  pugi::xml_node FindMatch(std::string_view matchID) const;
  // Removes the match's element; false when there was none.
  bool DeleteMatch(std::string_view matchID);
  // Appends a MatchData element composed from the downloaded answers (roots of the parsed files), first
  // removing an element of the same match ID. Season and round are written with at least two digits.
  // opponentLineup may be empty. Returns the new element.
  pugi::xml_node AddMatch(std::string_view matchID, int season, int round, const pugi::xml_node& details,
                          const pugi::xml_node& lineup, const pugi::xml_node& opponentLineup = pugi::xml_node());

private:
  pugi::xml_document FDocument;
};
