#pragma once
// The world file of a snapshot (file kind "WorldDetails"): when the server produced the data and which game
// week (season, match round) the team's own league was in.
#include "data/GameCalendar.h"

#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

class TXMLTeam;

class TXMLWorld {
public:
  // The league is chosen by team.LeagueID at the time of Read, so the team file is read first. The team
  // record must outlive this one (both belong to the same history page).
  explicit TXMLWorld(const TXMLTeam& team) : FTeam(&team) {}
  // A copy would still select the league by the other page's team: copy values with Assign instead.
  TXMLWorld(const TXMLWorld&) = delete;
  TXMLWorld& operator=(const TXMLWorld&) = delete;

  std::string FetchedDate;  // "yyyy-mm-dd", optionally a blank and a time of day, as served
  int32_t Season = 0;
  int32_t MatchRound = 0;
  int32_t CountryID = 0;

  const TXMLTeam& Team() const { return *FTeam; }
  // Copies the four values, keeping this record's team.
  void Assign(const TXMLWorld& source);
  // Equal values (whatever the team).
  bool operator==(const TXMLWorld& other) const;

  // FetchedDate from the root (empty when missing); then the League elements under LeagueList are walked from
  // the first, and the first whose LeagueID text equals the team's LeagueID gives Season, MatchRound and
  // Country/CountryID, which must be numbers (EConvertError). Without such a League the three stay 0. The full
  // world file and the copy trimmed to the own league read alike. A file that cannot be parsed raises
  // EInOutError. On failure the record is unchanged.
  void Read(const std::filesystem::path& fileName);
  // The same from the document element of a file already parsed (the start-up loader reads the file anyway).
  void ReadRoot(const pugi::xml_node& root);
  // The same for the file's bytes; sourceName names the file in messages.
  void ReadText(std::string_view bytes, const std::string& sourceName);

  // Calendar values of this game week (see GameCalendar.h).
  int32_t RoundKey() const { return SeasonRoundKey(Season, MatchRound); }
  std::string RoundLabel() const { return ::RoundLabel(Season, MatchRound); }
  // SnapshotKey of season, round and fetch date (ERangeError outside seasons 0..9999, rounds 0..99).
  std::string SortKey() const;
  // FetchedDate as date and time (ParseFetchedDate); EConvertError when it is empty or malformed.
  TClock::time_point FetchedDateTime() const { return ParseFetchedDate(FetchedDate); }

private:
  const TXMLTeam* FTeam;
};
