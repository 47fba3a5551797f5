#pragma once
// The team-list download: adds the teams of the own league ("My league") or one team by its ID ("Other
// team") to the team list, from the teams' details. A team already listed gets its league unit and name
// updated.
#include "download/DlCustom.h"
#include "download/TeamList.h"

#include <pugixml.hpp>

#include <string>

// The checked list entry of a team-details answer (root of the parsed answer): Team/TeamID,
// Team/LeagueLevelUnit/LeagueLevelUnitID and Team/TeamName. An empty TeamID means the team does not exist.
// Raises EConvertError "'%s' is not a valid ID" when an ID is not digits.
TTeamListEntry TeamListEntryOfDetails(const pugi::xml_node& details);

class TDlTeamList final : public TDlCustom {
public:
  // myLeague: the own league's teams; else the team teamID (typed by the user: digits only, else the
  // error box "Invalid team ID"). The list belongs to the window; the job changes it through Synchronize.
  TDlTeamList(TKVIndyHTTP& http, THistory& history, TDlSettings settings, TDlCallbacks callbacks, TTeamList& list,
              std::string teamID, bool myLeague);
  ~TDlTeamList() override;

protected:
  void Execute() override;

private:
  void DownloadLeague();
  void AddTeam(const std::string& teamID);

  TTeamList& FList;
  std::string FTeamID;
  bool FMyLeague;
};
