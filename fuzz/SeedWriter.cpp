// Writes the fuzz targets' seeds, one sub-folder per target: the test fixtures (and the real answers among
// them), the answers and files of the sample world, and files the program's own writers make (a ".raf"
// file and grid files for the targets' fixed snapshot and titles, "Preferences.xml", "TeamList.kcf").
// Nothing large is committed: scripts/fuzz.sh and the replay test run this first.
// Usage: pitchbook-fuzz-seeds CORPUS_FOLDER REPOSITORY_FOLDER
#include "FuzzFixtures.h"
#include "core/Errors.h"
#include "core/PlayerList.h"
#include "core/TeamMatchFile.h"
#include "core/DateTime.h"
#include "core/Utils.h"
#include "data/GridFile.h"
#include "data/Preferences.h"
#include "demo/GameServer.h"
#include "demo/LiveMatches.h"
#include "demo/SampleWorld.h"
#include "download/TeamList.h"
#include "ratings/RatingAnalyzerFile.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {
fs::path Corpus;

void Write(const std::string& target, const std::string& name, std::string_view bytes) {
  fs::create_directories(Corpus / target);
  SaveFileAtomically(Corpus / target / name, bytes);
}

void CopyFixture(const fs::path& repository, const std::string& target, const std::string& relative) {
  const fs::path source = repository / "tests" / "fixtures" / relative;
  std::string name = relative;
  for (char& c : name)
    if (c == '/') c = '-';
  Write(target, "fixture-" + name, ReadFileText(source));
}

std::string DocumentText(const pugi::xml_document& doc) {
  std::ostringstream out;
  doc.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
  return out.str();
}

// A club match file holding one match stored as the download stores it.
std::string ClubMatchFile(const std::string& matchID, const std::string& details, const std::string& lineup,
                          const std::string& opponent) {
  pugi::xml_document d, l, o;
  ParseXMLText(details, d, "details");
  ParseXMLText(lineup, l, "lineup");
  ParseXMLText(opponent, o, "opponent");
  TTeamMatchFile file;
  file.AddMatch(matchID, 38, 5, d.document_element(), l.document_element(), o.document_element());
  return DocumentText(file.Document());
}

void FixtureSeeds(const fs::path& repository) {
  CopyFixture(repository, "players_file", "core/players.xml");
  CopyFixture(repository, "record_file", "core/record-cp1252.krf");
  const std::multimap<std::string, std::string> data = {
      {"team_file", "data/TeamDetails.xml"},         {"team_details_answer", "data/TeamDetails.xml"},
      {"league_file", "data/LeagueDetails.xml"},     {"league_file", "realdata/leaguedetails.xml"},
      {"team_details_answer", "realdata/leaguedetails.xml"},
      {"training_file", "data/Training.xml"},        {"training_file", "realdata/training.xml"},
      {"arena_file", "data/ArenaDetails.xml"},       {"economy_file", "data/Economy.xml"},
      {"economy_file", "realdata/economy.xml"},      {"club_file", "data/Club.xml"},
      {"world_file", "data/WorldDetails.xml"},       {"world_file", "data/WorldDetailsTrimmed.xml"},
      {"world_file", "realdata/worlddetails.xml"},   {"match_details", "realdata/matchdetails.xml"},
      {"match_lineup", "realdata/matchlineup.xml"}};
  for (const auto& [target, relative] : data) CopyFixture(repository, target, relative);
  const fs::path real = repository / "tests" / "fixtures" / "realdata";
  const std::string lineup = ReadFileText(real / "matchlineup.xml");
  Write("club_match_file", "fixture-realdata.xml",
        ClubMatchFile("52282171", ReadFileText(real / "matchdetails.xml"), lineup, lineup));
}

std::string Child(const std::string& xml, const char* first, const char* second = nullptr) {
  pugi::xml_document doc;
  ParseXMLText(xml, doc, "answer");
  pugi::xml_node node = doc.document_element().child(first);
  if (second) node = node.child(second);
  return node.text().as_string();
}

void SampleWorldSeeds() {
  TSampleWorldOptions options;
  options.Seasons = 2;
  TSampleWorld world(options);
  world.RunToEnd();
  const std::map<std::string, std::string> own = {
      {"TeamDetails", "team_file"},       {"LeagueDetails", "league_file"}, {"Players", "players_file"},
      {"Training", "training_file"},      {"ArenaDetails", "arena_file"},   {"Economy", "economy_file"},
      {"Club", "club_file"},              {"WorldDetails", "world_file"}};
  for (int i = 0; i < 9; ++i) {
    const auto found = own.find(SampleOwnFileKind(i));
    if (found != own.end()) Write(found->second, "sample-world.xml", world.OwnTeamFile(i));
  }
  Write("record_file", "sample-world.krf", world.RecordFileText());

  const std::string teamID = Child(world.TeamDetailsFile(0), "Team", "TeamID");
  Write("matches_answer", "sample-world.xml", world.MatchesFile(std::stoi(teamID)));
  Write("team_details_answer", "sample-world-team.xml", world.TeamDetailsFile(0));
  Write("team_details_answer", "sample-world-league.xml", world.LeagueDetailsFile(0));

  const std::string lineup = world.MatchLineupFile(0, 0);
  const std::string matchID = Child(lineup, "MatchID");
  const std::string homeID = Child(lineup, "HomeTeam", "HomeTeamID");
  const std::string awayID = Child(lineup, "AwayTeam", "AwayTeamID");
  const std::string opponent =
      world.MatchLineupFile(std::stoll(matchID), std::stoi(homeID == teamID ? awayID : homeID));
  const std::string details = world.MatchDetailsFile(std::stoll(matchID));
  Write("match_details", "sample-world.xml", details);
  Write("match_lineup", "sample-world.xml", lineup);
  Write("match_lineup", "sample-world-opponent.xml", opponent);
  Write("club_match_file", "sample-world.xml", ClubMatchFile(matchID, details, lineup, opponent));

  // The live service of the demo, in the second half of the fuzz target's two matches.
  const TClock::time_point kickoff = ParseDateTime("2026-12-09 15:00:00");
  auto live = std::make_shared<TLiveMatchesSource>(
      nullptr, std::vector<TLiveScriptMatch>{MakeLiveMatch(1001, kickoff, "Home One", 11, "Away Ünal", 12),
                                             MakeLiveMatch(1002, kickoff, "Home Two", 21, "Away Two", 22)});
  live->SetNow(kickoff + std::chrono::minutes(70));
  for (const char* id : {"1001", "1002"}) live->Answer({"live", {{"actionType", "addMatch"}, {"matchID", id}}, "demo"});
  for (const char* action : {"viewAll", "viewNew"}) {
    const auto answer = live->Answer({"live", {{"actionType", action}}, "demo"});
    if (answer) Write("live_answer", std::string("sample-world-") + action + ".xml", *answer);
  }
}

void WrittenSeeds() {
  TPlayerList snapshot;
  snapshot.LoadFromPlayersText(FuzzSnapshotPlayers, "Players.xml");
  TRatingAnalyzerSetup setup;
  setup.Team = {7, 2, 1, false};
  setup.Players = snapshot.Clone();
  setup.PlayerIDs[0] = snapshot[1].PlayerID;
  setup.PlayerIDs[5] = snapshot[2].PlayerID;
  setup.BehaviourItems = {0, 1, 2, 3, 4, 5, 0, 6, 4, 3};
  Write("raf_file", "written-setup.raf", RatingAnalyzerText(setup));
  Write("raf_file", "written-empty.raf", RatingAnalyzerText(TRatingAnalyzerSetup{}));

  const std::vector<std::vector<std::string>> rows = {
      {"Name", "ID", "Value", "Form"}, {" Kjetil Ødegård ", "212345678", "2.5", "8"}, {"Ann", "7", "", "x"}};
  Write("grid_file", "written-players.mgf", FormatGridFile(rows, FuzzGridTitles(), false));
  Write("grid_file", "written-matches.mgf", FormatGridFile(rows, FuzzGridTitles(), true, TextChecksum("177327")));

  const fs::path home = Corpus / ".home";
  fs::create_directories(home);
  TPreferences preferences;
  preferences.ProgramFolder = home;
  if (!preferences.Save()) throw EInOutError("the preferences seed cannot be written");
  Write("preferences_file", "written-defaults.xml", ReadFileText(preferences.FileName()));

  TTeamList list;
  list.Add({"2109789", "75082", "Slavoj Třebíč", true});
  list.Add({"42", "", "", false});
  ListViewSaveToFile(list, home / TTeamList::FileName);
  Write("team_list_file", "written.kcf", ReadFileText(home / TTeamList::FileName));
  fs::remove_all(home);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s CORPUS_FOLDER REPOSITORY_FOLDER\n", argv[0]);
    return 2;
  }
  Corpus = argv[1];
  try {
    FixtureSeeds(argv[2]);
    SampleWorldSeeds();
    WrittenSeeds();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
