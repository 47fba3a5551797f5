#include "download/DlMatch.h"

#include "core/DateTime.h"
#include "core/Errors.h"
#include "core/Intl.h"
#include "core/MatchPage.h"
#include "core/TeamMatchFile.h"
#include "core/Utils.h"
#include "data/History.h"
#include "download/KVIndyHTTP.h"

#include <chrono>

namespace fs = std::filesystem;

namespace {

// An ID from the team list or from an answer, before it becomes part of a file name or a stored node.
const std::string& CheckedID(const std::string& id) {
  if (!IsDigitsID(id)) throw EConvertError(FormatText(_("'%s' is not a valid ID"), id.c_str()));
  return id;
}

// Calendar time of "yyyy-mm-dd[ hh:nn:ss]" without a time zone.
std::chrono::sys_seconds CivilTime(const std::string& text) {
  const bool withTime = text.size() > 10;
  if (withTime ? !TryParseDateTime(text) : !TryParseDate(text))
    throw EConvertError(FormatText(_("'%s' is not a valid date and time"), text.c_str()));
  auto field = [&](size_t pos, size_t length) { return StrToInt(std::string_view(text).substr(pos, length)); };
  using namespace std::chrono;
  const sys_days day = year{field(0, 4)} / month{unsigned(field(5, 2))} / std::chrono::day{unsigned(field(8, 2))};
  sys_seconds time = day;
  if (withTime) time += hours{field(11, 2)} + minutes{field(14, 2)} + seconds{field(17, 2)};
  return time;
}

bool IsFriendly(int matchType) { return matchType == 4 || matchType == 5 || matchType == 8 || matchType == 9; }

}  // namespace

void ModifyMatchDate(int& season, int& round, int delta) {
  round += delta;
  if (round < 1) {
    round += 14;
    --season;
  }
  while (round > 16) {
    round -= 16;
    ++season;
  }
}

int WholeDaysBetween(const std::string& earlier, const std::string& later) {
  using namespace std::chrono;
  return static_cast<int>(duration_cast<days>(CivilTime(later) - CivilTime(earlier)).count());
}

void PlaceMatchInList(const pugi::xml_node& matches, const std::string& matchID, int matchType, int& season,
                      int& round) {
  int leagueMatches = 0;   // finished league matches in the list
  int leagueAfter = 0;     // finished league matches after this one
  bool found = false;
  std::string matchDate;
  std::string firstLeagueDate;
  bool firstLeagueSeen = false;
  for (pugi::xml_node match = matches.child("Team").child("MatchList").child("Match");
       match && ChildText(match, "Status") == "FINISHED"; match = match.next_sibling("Match")) {
    const bool league = ChildText(match, "MatchType") == "1";
    if (league) {
      ++leagueMatches;
      if (!firstLeagueSeen) {
        firstLeagueSeen = true;
        firstLeagueDate = ChildText(match, "MatchDate");
      }
    }
    if (ChildText(match, "MatchID") == matchID) {
      found = true;
      matchDate = ChildText(match, "MatchDate");
    } else if (found && league) {
      ++leagueAfter;
    }
  }
  switch (matchType) {
    case 1:  // league
      ModifyMatchDate(season, round, -leagueAfter);
      break;
    case 2:  // qualification: after the last round of the previous season
      round = 15;
      --season;
      break;
    case 3:  // cup: played in the week after its league round
      ModifyMatchDate(season, round, 1 - leagueAfter);
      break;
    default:
      if (!IsFriendly(matchType)) break;
      ModifyMatchDate(season, round, -(leagueMatches - 1));
      if (firstLeagueSeen && found) {
        if (CivilTime(firstLeagueDate) < CivilTime(matchDate))
          ModifyMatchDate(season, round, WholeDaysBetween(firstLeagueDate, matchDate) / 7 + 1);
      }
      break;
  }
}

std::vector<std::string> FinishedMatchIDs(const pugi::xml_node& matches) {
  std::vector<std::string> ids;
  // The list runs from the oldest match; a match that is not finished has nothing to download yet.
  for (pugi::xml_node match = matches.child("Team").child("MatchList").child("Match");
       match && ChildText(match, "Status") == "FINISHED"; match = match.next_sibling("Match"))
    ids.push_back(ChildText(match, "MatchID"));
  return ids;
}

TDlMatch::TDlMatch(TKVIndyHTTP& http, THistory& history, TDlSettings settings, TDlCallbacks callbacks,
                   TDlMatchOptions options)
    : TDlCustom(http, history, std::move(settings), std::move(callbacks)), FOptions(std::move(options)) {}

TDlMatch::~TDlMatch() { StopAndWait(); }

void TDlMatch::Execute() {
  ShowRunning(true);
  bool connected = false;
  try {
    connected = ConnectToServer();
    if (connected)
      for (const TTeamListEntry& team : FOptions.Teams) {
        CheckTerminated();
        DownloadTeam(team);
      }
  } catch (const TTerminated&) {
  } catch (const std::exception& error) {
    // A failing team ends the mode; the teams before it are saved.
    ReportConnectionError(error);
  }
  if (connected && !Terminated()) {
    // A mode that ended in an error is not reported as completed.
    if (!ReportedError()) {
      ReportInfo(_("Connection completed"));
      SetCompleted();
    }
    try {
      Sync(FCallbacks.RefreshTeamTitles);
      for (const TTeamListEntry& team : FOptions.Teams) Sync(FCallbacks.ReloadTeam, team);
    } catch (const std::exception& error) {
      ReportError(error.what());
    }
  }
  if (Terminated()) ReportNotice(_("Connection terminated"));
  ShowRunning(false);
}

void TDlMatch::DownloadTeam(const TTeamListEntry& team) {
  const fs::path path = TTeamMatchFile::PathOf(FSettings.Folders.MatchesFolder(), CheckedID(team.TeamID));
  TTeamMatchFile store;
  store.Open(path);
  ReportHeading(FormatText(_("Team: %s"), team.Name.c_str()));
  try {
    switch (FOptions.Mode) {
      case TDlMatchMode::LastMatch:
        DownloadMatch(team, std::nullopt, std::nullopt, std::string(), store);
        break;
      case TDlMatchMode::RecentMatches:
        RecentMatches(team, store);
        break;
      case TDlMatchMode::Season:
        SeasonMatches(team, store);
        break;
    }
  } catch (const TTerminated&) {
    // Every MatchData in the store is whole (a match is appended only once all its answers are in), so the
    // matches downloaded before the stop are kept.
    store.SaveToFile(path);
    throw;
  }
  store.SaveToFile(path);
}

void TDlMatch::RecentMatches(const TTeamListEntry& team, TTeamMatchFile& store) {
  pugi::xml_document matches;
  EnsureWorkFile(CheckedID(team.TeamID) + "-Matches.xml", "matches&teamID=%s", {team.TeamID},
                 _("Downloading matches..."), _("Downloaded matches"), matches);
  for (const std::string& matchID : FinishedMatchIDs(matches.document_element()))
    DownloadMatch(team, std::nullopt, std::nullopt, CheckedID(matchID), store);
}

void TDlMatch::SeasonMatches(const TTeamListEntry& team, TTeamMatchFile& store) {
  const std::string seasonText = FOptions.Season >= 1 ? std::to_string(FOptions.Season) : std::string();
  pugi::xml_document fixtures;
  EnsureWorkFile(CheckedID(team.UnitID) + "-LeagueFixtures.xml", "leaguefixtures&leagueLevelUnitID=%s&season=%s",
                 {team.UnitID, seasonText}, _("Downloading league fixtures..."), _("Downloaded league fixtures"),
                 fixtures);
  const pugi::xml_node root = fixtures.document_element();
  const int season = StrToInt(ChildText(root, "Season"));
  // Four matches per round; the walk ends at the first fixture not yet played, even when later ones are.
  int k = 0;
  for (pugi::xml_node match = root.child("Match"); match && !ChildText(match, "HomeGoals").empty();
       match = match.next_sibling("Match"), ++k) {
    if (ChildText(match.child("HomeTeam"), "HomeTeamID") != team.TeamID &&
        ChildText(match.child("AwayTeam"), "AwayTeamID") != team.TeamID)
      continue;
    DownloadMatch(team, k / 4 + 1, season, CheckedID(ChildText(match, "MatchID")), store);
  }
}

void TDlMatch::DownloadMatch(const TTeamListEntry& team, std::optional<int> knownRound,
                             std::optional<int> knownSeason, const std::string& knownMatchID,
                             TTeamMatchFile& store) {
  const std::string& teamID = CheckedID(team.TeamID);
  int round = 0;
  int season = 0;
  if (knownRound) {
    round = *knownRound;
  } else {
    // The matches played so far: the round of the team's latest league match.
    pugi::xml_document league;
    EnsureWorkFile(CheckedID(team.UnitID) + "-LeagueDetails.xml", "leaguedetails&leagueLevelUnitID=%s",
                   {team.UnitID}, _("Downloading league details..."), _("Downloaded league details"), league);
    round = StrToInt(ChildText(league.document_element().child("Team"), "Matches"));
  }
  if (knownSeason) {
    season = *knownSeason;
  } else {
    pugi::xml_document fixtures;
    EnsureWorkFile(CheckedID(team.UnitID) + "-LeagueFixtures.xml", "leaguefixtures&leagueLevelUnitID=%s",
                   {team.UnitID}, _("Downloading league fixtures..."), _("Downloaded league fixtures"), fixtures);
    season = StrToInt(ChildText(fixtures.document_element(), "Season"));
  }
  const int limitKey = season * 100 + round + 1;

  ReportInfo(_("Downloading match lineup..."));
  pugi::xml_document lineup;
  if (!knownMatchID.empty())
    RequestXml("matchlineup&matchID=%s&teamID=%s", {knownMatchID, teamID}, lineup);
  else
    RequestXml("matchlineup&teamID=%s", {teamID}, lineup);
  const pugi::xml_node lineupRoot = lineup.document_element();
  const bool home = ChildText(lineupRoot.child("HomeTeam"), "HomeTeamID") == teamID;
  const std::string opponentID = home ? ChildText(lineupRoot.child("AwayTeam"), "AwayTeamID")
                                      : ChildText(lineupRoot.child("HomeTeam"), "HomeTeamID");
  // The own lineup names the match, also when the latest one was asked for: the opponent's lineup is
  // asked for that match, not for the opponent's latest.
  const std::string matchID = CheckedID(ChildText(lineupRoot, "MatchID"));
  const int matchType = StrToInt(ChildText(lineupRoot, "MatchType"));
  pugi::xml_document opponent;
  RequestXml("matchlineup&matchID=%s&teamID=%s", {matchID, opponentID}, opponent);
  ReportInfo(_("Downloaded match lineup"), true);

  ReportInfo(_("Downloading match details..."));
  pugi::xml_document details;
  RequestXml("matchdetails&matchID=%s", {matchID}, details);
  ReportInfo(_("Downloaded match details"), true);

  if (!knownRound) PlaceMatch(team, matchID, matchType, season, round);
  if (round != 15 && round != 16 && season * 100 + round > limitKey) throw EPitchbookError(_("Invalid MatchDay."));

  const bool existed = static_cast<bool>(store.FindMatch(matchID));
  if (existed) {
    if (!FSettings.UpdateExistingData) {
      ReportNotice(FormatText(_("ID: %s, xml node exists"), matchID.c_str()));
      return;
    }
    store.DeleteMatch(matchID);
  }
  const pugi::xml_node node =
      store.AddMatch(matchID, season, round, details.document_element(), lineupRoot, opponent.document_element());
  ReportNotice(FormatText(existed ? _("ID: %s, xml node updated") : _("ID: %s, xml node created"), matchID.c_str()));

  // The week's page of the own club shows the new match at once.
  SyncCall([&] {
    const int index = FHistory.FindRound(season, round);
    if (index == 0 || FHistory.Latest().Team.TeamID != teamID) return;
    TMatchPage match;
    match.ReadMatchData(node);
    THistoryPage& page = FHistory.Page(index);
    (matchType == 1 || matchType == 2 ? page.LeagueMatch : page.OtherMatch) = std::move(match);
  });
}

void TDlMatch::PlaceMatch(const TTeamListEntry& team, const std::string& matchID, int matchType, int& season,
                          int& round) {
  pugi::xml_document matches;
  EnsureWorkFile(CheckedID(team.TeamID) + "-Matches.xml", "matches&teamID=%s", {team.TeamID},
                 _("Downloading matches..."), _("Downloaded matches"), matches);
  PlaceMatchInList(matches.document_element(), matchID, matchType, season, round);
}

void TDlMatch::EnsureWorkFile(const std::string& fileName, std::string_view format,
                              std::initializer_list<std::string_view> args, const std::string& downloading,
                              const std::string& downloaded, pugi::xml_document& document) {
  const fs::path path = FSettings.Folders.WorkFolder() / fileName;
  std::error_code ec;
  if (fs::exists(path, ec)) {
    LoadXMLFile(path, document);
    return;
  }
  ReportInfo(downloading);
  const std::string answer = FHttp.GetText(FHttp.DataURL(format, args));
  // Only a well-formed answer is cached: the later steps of the job read it again.
  ParseAnswer(answer, document, fileName);
  fs::create_directories(FSettings.Folders.WorkFolder(), ec);
  SaveFileAtomically(path, answer);
  CheckTerminated();
  ReportInfo(downloaded, true);
}

void TDlMatch::RequestXml(std::string_view format, std::initializer_list<std::string_view> args,
                          pugi::xml_document& document) {
  FHttp.RequestToXml(format, args, document);
  CheckTerminated();
}
