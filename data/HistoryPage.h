#pragma once
// One snapshot of the managed club: team, league standing, training, arena, economy, club staff, world date,
// the squad, and the league match and other match of that week. Loaded from the nine XML files of a dated
// snapshot or from an old single-file rating record (".krf").
#include "core/MatchPage.h"
#include "core/PlayerList.h"
#include "data/XMLArena.h"
#include "data/XMLClub.h"
#include "data/XMLEconomy.h"
#include "data/XMLLeague.h"
#include "data/XMLRegion.h"
#include "data/XMLTeam.h"
#include "data/XMLTraining.h"
#include "data/XMLWorld.h"

#include <cstdint>
#include <climits>
#include <string>
#include <string_view>

class TPlayer;

// Match records keep 32-bit player IDs; a wider ID never played in one.
inline bool FitsMatchID(int64_t playerID) { return playerID >= INT32_MIN && playerID <= INT32_MAX; }

// The texts of one row of the history window's list (the window puts them into its list view).
struct THistoryListItem {
  std::string Date;      // fetch date, "yyyy-mm-dd"
  std::string Day;       // weekday name of that date
  std::string Week;      // season and round, "%.2d-%.2d"
  std::string Matches;   // "Both", "League", "Other" or "None" (translated)
  std::string Training;  // training type name (translated)
  std::string FileName;  // the file the page was loaded from, without its folder
  class THistoryPage* Page = nullptr;
};

class THistoryPage {
public:
  // The records are members, so a page always has contents; they start zeroed and empty (two empty
  // matches, an empty squad with the list's default settings).
  THistoryPage();
  THistoryPage(const THistoryPage&) = delete;
  THistoryPage& operator=(const THistoryPage&) = delete;

  // A name ending in ".xml" (any case) is a snapshot's Players file, anything else a rating record file.
  // Raises whatever the readers raise; the page is then unusable and the caller drops it.
  void Load(const std::string& fileName);
  void LoadXml(const std::string& fileName);
  // LoadXml in two steps, for the start-up loader, which parses the league and world files anyway to sort
  // the snapshots: ReadXmlHead reads the team file and takes the league and world records from those
  // documents, ReadXmlRest reads the other files (it may run on another thread, but only after the head).
  void ReadXmlHead(const std::string& fileName, const pugi::xml_node& leagueRoot, const pugi::xml_node& worldRoot);
  void ReadXmlRest();
  void LoadRecordFile(const std::string& fileName);
  // The same for the file's bytes; fileName is kept as the page's FileName.
  void LoadRecordText(std::string_view bytes, const std::string& fileName);
  void ReadRecordHeader(const std::string& text);

  // The club's coach among the squad: for XML pages the member named by the team file's trainer, for record
  // pages the first member with trainer data. Found once; nullptr when there is none.
  TPlayer* GetTrainer();
  // Role flags of the player in this week's league match, else in its other match; 0 when in neither.
  int GetPlayedPosition(int64_t playerID) const;
  // The player's rating as of page pageIndex in the role he played this week; 0 on any failure.
  double GetPlayedRating(int64_t playerID, int pageIndex, int weather) const;
  // The texts of the history window's row of this page.
  THistoryListItem AddListItem();

  // Season x 100 + match round: the order of pages in the history store.
  int RoundKey() const { return World.RoundKey(); }
  // The squad member with that ID, or nullptr.
  TPlayer* FindPlayer(int64_t playerID) const;

  // The team comes first: the league and world records select their rows by its IDs.
  TXMLTeam Team;
  TXMLLeague League;
  TXMLTraining Training;
  TXMLArena Arena;
  TXMLEconomy Economy;
  TXMLClub Club;
  TXMLRegion Region;
  TXMLWorld World;
  TPlayerList Players;
  TMatchPage LeagueMatch;
  TMatchPage OtherMatch;
  std::string FileName;
  bool IsXml = false;

private:
  TPlayer* FTrainer = nullptr;
  bool FTrainerSearched = false;
};
