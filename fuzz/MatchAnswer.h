#pragma once
// The two answers of one match that the match download stores together: a target fuzzes one of them and
// takes the other from here, so that the reader gets past it to the fuzzed part.
#include "FuzzSupport.h"
#include "core/MatchPage.h"
#include "core/TeamMatchFile.h"
#include "download/KVIndyHTTP.h"
#include "ratings/MatchRowValues.h"

inline constexpr const char* FuzzMatchDetails = R"(<?xml version="1.0" encoding="utf-8"?>
<KickvaleData><Match><MatchID>52282171</MatchID><MatchType>1</MatchType><MatchDate>2005-11-05 18:40:00</MatchDate>
<HomeTeam><HomeTeamID>826235</HomeTeamID><HomeTeamName>Home</HomeTeamName><HomeGoals>2</HomeGoals>
<RatingMidfield>8</RatingMidfield><RatingRightDef>21</RatingRightDef><RatingMidDef>20</RatingMidDef>
<RatingLeftDef>16</RatingLeftDef><RatingRightAtt>9</RatingRightAtt><RatingMidAtt>11</RatingMidAtt>
<RatingLeftAtt>11</RatingLeftAtt><TeamAttitude>0</TeamAttitude></HomeTeam>
<AwayTeam><AwayTeamID>648638</AwayTeamID><AwayTeamName>Away</AwayTeamName><AwayGoals>2</AwayGoals>
<RatingMidfield>10</RatingMidfield><RatingRightDef>15</RatingRightDef><RatingMidDef>17</RatingMidDef>
<RatingLeftDef>15</RatingLeftDef><RatingRightAtt>7</RatingRightAtt><RatingMidAtt>17</RatingMidAtt>
<RatingLeftAtt>7</RatingLeftAtt></AwayTeam>
<Arena><ArenaID>829673</ArenaID><ArenaName>Arena</ArenaName><WeatherID>1</WeatherID><SoldTotal>10685</SoldTotal></Arena>
</Match></KickvaleData>)";

inline constexpr const char* FuzzMatchLineup = R"(<?xml version="1.0" encoding="utf-8"?>
<KickvaleData><MatchID>52282171</MatchID><MatchType>1</MatchType><MatchDate>2005-11-05 18:40:00</MatchDate>
<HomeTeam><HomeTeamID>826235</HomeTeamID><HomeTeamName>Home</HomeTeamName></HomeTeam>
<AwayTeam><AwayTeamID>648638</AwayTeamID><AwayTeamName>Away</AwayTeamName></AwayTeam>
<Team><TeamID>826235</TeamID><TeamName>Home</TeamName><ExperienceLevel>2</ExperienceLevel>
<StartingLineup><Player><PlayerID>54988078</PlayerID><RoleID>100</RoleID><FirstName>A</FirstName><LastName>B</LastName>
<NickName></NickName><Behaviour>0</Behaviour></Player></StartingLineup>
<Lineup><Player><PlayerID>54988078</PlayerID><RoleID>100</RoleID><FirstName>A</FirstName><LastName>B</LastName>
<NickName></NickName><RatingStars>3</RatingStars><Behaviour>0</Behaviour></Player></Lineup></Team></KickvaleData>)";

// Parses the fuzzed answer as the download does, stores it with the other answer as the download stores a
// match, then reads the stored match as the program does: the match record and the match grid's row.
inline void FuzzStoredMatch(std::string_view bytes, bool fuzzedIsDetails) {
  pugi::xml_document fuzzed;
  ExpectLoadedOrReaderError([&] { ParseXmlAnswer(std::string(bytes), fuzzed); });
  if (!fuzzed.document_element()) return;
  pugi::xml_document other;
  ParseXmlAnswer(fuzzedIsDetails ? FuzzMatchLineup : FuzzMatchDetails, other);
  const pugi::xml_node details = fuzzedIsDetails ? fuzzed.document_element() : other.document_element();
  const pugi::xml_node lineup = fuzzedIsDetails ? other.document_element() : fuzzed.document_element();
  TTeamMatchFile file;
  const pugi::xml_node match = file.AddMatch("52282171", 38, 5, details, lineup, lineup);
  TMatchPage page;
  ExpectLoadedOrReaderError([&] { page.ReadMatchData(match); });
  for (const char* teamID : {"826235", "648638"}) ExpectLoadedOrReaderError([&] { BuildMatchRow(match, teamID); });
}
