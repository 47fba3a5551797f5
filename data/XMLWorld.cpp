#include "data/XMLWorld.h"

#include "core/Snapshot.h"
#include "core/Utils.h"
#include "data/XMLFields.h"
#include "data/XMLTeam.h"

#include <cstring>
#include <utility>

void TXMLWorld::Assign(const TXMLWorld& source) {
  FetchedDate = source.FetchedDate;
  Season = source.Season;
  MatchRound = source.MatchRound;
  CountryID = source.CountryID;
}

bool TXMLWorld::operator==(const TXMLWorld& other) const {
  return FetchedDate == other.FetchedDate && Season == other.Season && MatchRound == other.MatchRound &&
         CountryID == other.CountryID;
}

std::string TXMLWorld::SortKey() const { return SnapshotKey(Season, MatchRound, FetchedDate); }

void TXMLWorld::Read(const std::filesystem::path& fileName) { ReadText(ReadFileText(fileName), fileName.string()); }

void TXMLWorld::ReadText(std::string_view bytes, const std::string& sourceName) {
  pugi::xml_document doc;
  ReadRoot(ParseXMLRoot(bytes, sourceName, doc));
}

void TXMLWorld::ReadRoot(const pugi::xml_node& root) {
  std::string fetchedDate = ElementText(root, {"FetchedDate"});
  const char* leagueID = FTeam->LeagueID.c_str();
  int32_t season = 0, matchRound = 0, countryID = 0;
  // A stored snapshot holds only the own league, a fresh answer all of them; either way the first match wins.
  for (pugi::xml_node league = root.child("LeagueList").child("League"); league;
       league = league.next_sibling("League")) {
    if (std::strcmp(ElementText(league, {"LeagueID"}), leagueID) != 0) continue;
    season = ElementInt(league, {"Season"});
    matchRound = ElementInt(league, {"MatchRound"});
    countryID = ElementInt(league, {"Country", "CountryID"});
    break;
  }
  FetchedDate = std::move(fetchedDate);
  Season = season;
  MatchRound = matchRound;
  CountryID = countryID;
}
