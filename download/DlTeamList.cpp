#include "download/DlTeamList.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"
#include "download/KVIndyHTTP.h"
#include "download/TeamList.h"

namespace fs = std::filesystem;

namespace {
enum class TAddOutcome { Added, Updated, AlreadyListed, DoesNotExist };
}

TTeamListEntry TeamListEntryOfDetails(const pugi::xml_node& details) {
  const pugi::xml_node team = details.child("Team");
  TTeamListEntry entry;
  entry.TeamID = ChildText(team, "TeamID");
  entry.UnitID = ChildText(team.child("LeagueLevelUnit"), "LeagueLevelUnitID");
  entry.Name = ChildText(team, "TeamName");
  entry.Checked = true;
  // Both IDs end up in file names of the match download.
  for (const std::string* id : {&entry.TeamID, &entry.UnitID})
    if (!id->empty() && !IsDigitsID(*id)) throw EConvertError(FormatText(_("'%s' is not a valid ID"), id->c_str()));
  return entry;
}

TDlTeamList::TDlTeamList(TKVIndyHTTP& http, THistory& history, TDlSettings settings, TDlCallbacks callbacks,
                         TTeamList& list, std::string teamID, bool myLeague)
    : TDlCustom(http, history, std::move(settings), std::move(callbacks)),
      FList(list),
      FTeamID(std::move(teamID)),
      FMyLeague(myLeague) {}

TDlTeamList::~TDlTeamList() { StopAndWait(); }

void TDlTeamList::Execute() {
  Sync(FCallbacks.DownloadEnabled, false);
  Sync(FCallbacks.CloseEnabled, false);
  if (!FMyLeague && !IsDigitsID(FTeamID)) {
    Sync(FCallbacks.ErrorBox, std::string(_("Invalid team ID")));
  } else {
    try {
      if (ConnectToServer()) {
        if (FMyLeague)
          DownloadLeague();
        else
          AddTeam(FTeamID);
        // Only a run without an error line counts as a success.
        if (!ReportedError()) {
          ReportInfo(_("Connection completed successfully"));
          SetCompleted();
        }
      }
    } catch (const TTerminated&) {
      ReportNotice(_("Connection terminated"));
    } catch (const std::exception& error) {
      ReportConnectionError(error);
    }
  }
  Sync(FCallbacks.DownloadCaption, std::string(_("Download")));
  Sync(FCallbacks.DownloadEnabled, true);
  Sync(FCallbacks.CloseEnabled, true);
}

void TDlTeamList::DownloadLeague() {
  ReportInfo(_("Downloading league details..."));
  const std::string answer = FHttp.GetText(FHttp.DataURL("leaguedetails", {}));
  pugi::xml_document league;
  ParseAnswer(answer, league, "LeagueDetails.xml");
  const fs::path& work = FSettings.Folders.WorkFolder();
  std::error_code ec;
  fs::create_directories(work, ec);
  SaveFileAtomically(work / "LeagueDetails.xml", answer);
  CheckTerminated();
  ReportInfo(_("Downloaded league details"), true);
  for (pugi::xml_node team = league.document_element().child("Team"); team; team = team.next_sibling("Team")) {
    CheckTerminated();
    AddTeam(ChildText(team, "TeamID"));
  }
}

void TDlTeamList::AddTeam(const std::string& requestedID) {
  ReportInfo(FormatText(_("Downloading team details (ID: %s)..."), requestedID.c_str()));
  const std::string answer = FHttp.GetText(FHttp.DataURL("teamdetails&teamID=%s", {requestedID}));
  pugi::xml_document details;
  ParseAnswer(answer, details, "TeamDetails.xml");
  const fs::path& work = FSettings.Folders.WorkFolder();
  std::error_code ec;
  fs::create_directories(work, ec);
  SaveFileAtomically(work / "TeamDetails.xml", answer);
  CheckTerminated();
  ReportInfo(FormatText(_("Downloaded team details (ID: %s)"), requestedID.c_str()), true);

  const TTeamListEntry entry = TeamListEntryOfDetails(details.document_element());

  // The list is the window's: it changes on the window thread, and the report follows outside that call.
  TAddOutcome outcome = TAddOutcome::DoesNotExist;
  SyncCall([&] {
    const int index = entry.TeamID.empty() ? -1 : FList.IndexOf(entry.TeamID);
    if (index >= 0) {
      TTeamListEntry& listed = FList[index];
      outcome = listed.UnitID == entry.UnitID && listed.Name == entry.Name ? TAddOutcome::AlreadyListed
                                                                           : TAddOutcome::Updated;
      listed.UnitID = entry.UnitID;
      listed.Name = entry.Name;
    } else if (!entry.TeamID.empty()) {
      FList.Add(entry);
      outcome = TAddOutcome::Added;
    }
  });
  switch (outcome) {
    case TAddOutcome::Added:
      break;
    case TAddOutcome::Updated:
      ReportNotice(_("Team information updated"));
      break;
    case TAddOutcome::AlreadyListed:
      ReportNotice(_("Team already listed"));
      break;
    case TAddOutcome::DoesNotExist:
      ReportError(_("Team does not exist"));
      break;
  }
  if (!entry.TeamID.empty()) {
    const fs::path target = work / (entry.TeamID + "-TeamDetails.xml");
    if (!fs::exists(target, ec)) fs::rename(work / "TeamDetails.xml", target, ec);
  }
}
