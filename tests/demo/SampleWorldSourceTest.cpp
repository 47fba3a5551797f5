// The sample world behind the local game server: requests map to the world's answers, and the world moves
// on while the server runs.
#include "TestSupport.h"
#include "data/Preferences.h"
#include "demo/GameServer.h"
#include "demo/WorldSource.h"
#include "download/KVIndyHTTP.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

TSampleWorldOptions Options() {
  TSampleWorldOptions o;
  o.Seasons = 2;
  o.LastRound = 6;
  o.Seed = 4;
  return o;
}

}  // namespace

TEST(SampleWorldSource, RequestsMapToTheWorldsAnswers) {
  TSampleWorldSource source(Options());
  TSampleWorld world(Options());
  world.RunToEnd();
  const std::string own = std::to_string(world.Info().OwnTeamID);
  const std::string followed = std::to_string(world.Info().FollowedTeamIDs[1]);
  const std::string unit = std::to_string(world.Info().OwnUnitID);
  struct {
    TGameRequest Request;
    std::string Expected;
  } cases[] = {
      {{"players", {}}, world.OwnTeamFile(2)},
      {{"WorldDetails", {}}, world.OwnTeamFile(8)},
      {{"leaguedetails", {}}, world.OwnTeamFile(1)},
      {{"leaguedetails", {{"leagueLevelUnitID", unit}}}, world.LeagueDetailsFile(0)},
      {{"leaguefixtures", {{"leagueLevelUnitID", unit}, {"season", ""}}}, world.LeagueFixturesFile(0, 0)},
      {{"matches", {{"teamID", followed}}}, world.MatchesFile(world.Info().FollowedTeamIDs[1])},
      {{"matchlineup", {{"matchID", ""}, {"teamID", own}}}, world.MatchLineupFile(0, 0)},
      {{"teamdetails", {{"teamID", followed}}}, world.TeamDetailsFile(world.Info().FollowedTeamIDs[1])},
      {{"teamdetails", {}}, world.TeamDetailsFile(0)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Request.File);
    ASSERT_FALSE(c.Expected.empty());
    EXPECT_EQ(source.Answer(c.Request), c.Expected);
  }
  const auto* round = world.Info().FindRound(world.Season(), world.Round() - 1);
  ASSERT_NE(round, nullptr);
  const std::string played = std::to_string(round->LeagueMatchID);
  EXPECT_EQ(source.Answer({"matchdetails", {{"matchID", played}}}), world.MatchDetailsFile(round->LeagueMatchID));
  for (const TGameRequest& unknown : std::initializer_list<TGameRequest>{
           {"matchdetails", {}}, {"matchdetails", {{"matchID", "12x"}}}, {"teamdetails", {{"teamID", "-5"}}},
           {"teamdetails", {{"teamID", "1"}}}, {"live", {}}, {"", {}}})
    EXPECT_EQ(source.Answer(unknown), std::nullopt) << unknown.File;
}

TEST(SampleWorldSource, TheServedWorldMovesOnARoundAtATime) {
  auto source = std::make_shared<TSampleWorldSource>(Options());
  TGameServer server(source);
  server.AddAccount("demo", "demo");
  server.SetRequireSession(false);
  server.Start();
  TTempFolder home;
  TPreferences prefs;
  prefs.ConnectionSite = server.Host();
  prefs.ChooseBestServer = false;
  TKVIndyHTTP http(prefs, home / "Work");
  http.SetLoopbackOnly(true);
  http.SetReadTimeout(5000);
  auto round = [&]() {
    pugi::xml_document doc;
    doc.load_string(http.GetText(server.Address() + "/community/ckpp/ckppxml.axd?file=worlddetails").c_str());
    int own = 0;
    source->Use([&](const TSampleWorld& w) { own = w.Info().OwnLeagueID; });
    for (auto league : doc.document_element().child("LeagueList").children("League"))
      if (league.child("LeagueID").text().as_int() == own) return league.child("MatchRound").text().as_int();
    return 0;
  };
  EXPECT_EQ(round(), 6);
  source->AdvanceRound();
  EXPECT_EQ(round(), 7);
  server.Stop();
}
