#pragma once
// The match download: for every checked team of the team list, the lineups of both sides and the match
// details of one or more matches, each stored as a MatchData element of the team's match store (history
// folder + "Matches/" + team ID + ".xml") under the season and round it was played in.
#include "download/DlCustom.h"
#include "download/TeamList.h"

#include <pugixml.hpp>

#include <optional>
#include <string>
#include <vector>

class TTeamMatchFile;

// "Last match", "Recent matches", "Season".
enum class TDlMatchMode { LastMatch, RecentMatches, Season };

struct TDlMatchOptions {
  TDlMatchMode Mode = TDlMatchMode::LastMatch;
  // "Season" mode: the season to walk; 0 means the current one.
  int Season = 0;
  // The checked teams of the list, in list order.
  std::vector<TTeamListEntry> Teams;
};

// Moves a game week by delta rounds: below round 1 it wraps once by +14 into the previous season (league
// rounds are counted, the two qualification weeks are not); above 16 it wraps by -16 into the next season
// as often as needed.
void ModifyMatchDate(int& season, int& round, int delta);

// Whole days from the earlier to the later of two "yyyy-mm-dd[ hh:nn:ss]" texts, counted on the calendar
// (a change of summer time in between does not cost a day); negative when later comes first. Raises
// EConvertError for a malformed text.
int WholeDaysBetween(const std::string& earlier, const std::string& later);

// The IDs of the finished matches at the start of a matches answer (root of the parsed answer), oldest
// first: the walk ends at the first match that is not finished. The IDs are as written (the job checks each
// before it asks for that match, so that the matches before a bad one are kept).
std::vector<std::string> FinishedMatchIDs(const pugi::xml_node& matches);

// Moves season and round (taken from the league table) to the week in which the match of that ID and type
// was played, from the finished matches of the team's matches answer. EConvertError for a malformed match
// date.
void PlaceMatchInList(const pugi::xml_node& matches, const std::string& matchID, int matchType, int& season,
                      int& round);

class TDlMatch final : public TDlCustom {
public:
  TDlMatch(TKVIndyHTTP& http, THistory& history, TDlSettings settings, TDlCallbacks callbacks,
           TDlMatchOptions options);
  ~TDlMatch() override;

  const TDlMatchOptions& Options() const { return FOptions; }

protected:
  void Execute() override;

private:
  // One team in the chosen mode; the match store is saved at the end (and when stopped).
  void DownloadTeam(const TTeamListEntry& team);
  void RecentMatches(const TTeamListEntry& team, TTeamMatchFile& store);
  void SeasonMatches(const TTeamListEntry& team, TTeamMatchFile& store);
  // Downloads one match (a round, season or match ID that is not known is found out) and stores it.
  void DownloadMatch(const TTeamListEntry& team, std::optional<int> round, std::optional<int> season,
                     const std::string& matchID, TTeamMatchFile& store);
  // Places a match whose round was taken from the league table: the team's matches list tells how far
  // back it lies.
  void PlaceMatch(const TTeamListEntry& team, const std::string& matchID, int matchType, int& season, int& round);
  // The answer cached in the work folder as fileName, requested first when the folder does not hold it.
  void EnsureWorkFile(const std::string& fileName, std::string_view format,
                      std::initializer_list<std::string_view> args, const std::string& downloading,
                      const std::string& downloaded, pugi::xml_document& document);
  void RequestXml(std::string_view format, std::initializer_list<std::string_view> args,
                  pugi::xml_document& document);

  TDlMatchOptions FOptions;
};
