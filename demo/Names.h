#pragma once
// The countries of the sample world and the names its people, clubs, arenas and regions get. Names are
// UTF-8 and many carry letters beyond ASCII (ö, é, ł, ñ, č, ...), as the game's real data does.
#include "demo/WorldRandom.h"

#include <string>
#include <vector>

struct TWorldCountry {
  int LeagueID;
  const char* LeagueName;    // in the league's own language
  const char* EnglishName;
  const char* ShortName;
  int CountryID;
  const char* CountryName;
  const char* CurrencyName;
  const char* CurrencyRate;  // as the game writes it (some countries with a decimal comma)
  const char* CountryCode;
  const char* Continent;
  const char* ZoneName;
  int LanguageID;
  const char* LanguageName;
  int SeasonOffset;          // the league's season number minus the reference league's
  int NumberOfLevels;
  int ActiveTeams;
  std::vector<const char*> FirstNames;
  std::vector<const char*> LastNames;
  std::vector<const char*> Towns;
  std::vector<const char*> ClubPrefixes;  // "FC %s", "%s IF", ...: a pattern with one %s for the town
  std::vector<const char*> Regions;
};

// The leagues of the world, in ascending LeagueID (the order of the world file).
const std::vector<TWorldCountry>& WorldCountries();
// Index into WorldCountries() of the country with that CountryID, or -1.
int CountryIndexOf(int countryID);

struct TPersonName {
  std::string First;
  std::string Last;
  std::string Full() const { return First + " " + Last; }
};

TPersonName MakePersonName(int countryIndex, TWorldRandom& random);
std::string MakeClubName(int countryIndex, TWorldRandom& random);
std::string MakeArenaName(const std::string& clubName, TWorldRandom& random);
