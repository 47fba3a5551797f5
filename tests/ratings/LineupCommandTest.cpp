// pitchbook-cli lineup on a generated sample world: the search on the newest snapshot's squad as the
// tactics advisor would start it.
#include "TeamSelectTestSquads.h"

#include "TestSupport.h"
#include "core/PlayerList.h"
#include "core/Utils.h"
#include "demo/SampleWorld.h"
#include "ratings/Combinations.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <set>

using namespace teamselecttest;
namespace fs = std::filesystem;

namespace {
class LineupCommand : public testing::Test {
protected:
  static void SetUpTestSuite() {
    Folder = new TTempFolder;
    TSampleWorldOptions options;
    options.Seasons = 1;
    options.Seed = 7;
    WriteSampleWorld(Folder->Path(), options, &Info);
  }
  static void TearDownTestSuite() {
    delete Folder;
    Folder = nullptr;
  }

  static std::string Home() { return "--home '" + Folder->Path().string() + "'"; }

  // The newest snapshot's squad as the command offers it: no coach, nobody injured or suspended.
  static std::unique_ptr<TPlayerList> Squad(bool all = false) {
    TPlayerList file(wDisabled, false, false);
    file.LoadFromPlayersFile(Folder->Path() / "History" / Info.Snapshots.back().FileName);
    auto squad = std::make_unique<TPlayerList>(wDisabled, false, false);
    for (const TPlayer& p : file)
      if (Trim(p.TrainerSkill).empty() && (all || (p.InjuryLevel <= 0 && p.Cards != 3))) squad->Add(p.Clone());
    return squad;
  }

  static nlohmann::json RunJson(const std::string& arguments) {
    const TCommandResult r = RunCli("lineup " + Home() + " --json " + arguments);
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    return r.ExitCode == 0 ? nlohmann::json::parse(r.Out) : nlohmann::json();
  }

  static TTempFolder* Folder;
  static TSampleWorldInfo Info;
};
TTempFolder* LineupCommand::Folder = nullptr;
TSampleWorldInfo LineupCommand::Info;

void ExpectSameLineup(const nlohmann::json& json, const TTeam& team) {
  ASSERT_EQ(json["slots"].size(), 16u);
  for (int slot = 0; slot < 16; ++slot) {
    const auto& s = json["slots"][slot];
    EXPECT_EQ(s["slot"], slot);
    EXPECT_EQ(s["role"], team.GetRoleFlags(slot));
    EXPECT_EQ(s["playerId"], IdAt(team, slot)) << slot;
    EXPECT_EQ(s["name"], team.GetSlot(slot) ? team.GetSlot(slot)->PlayerName : "");
    EXPECT_DOUBLE_EQ(s["rating"].get<double>(), double(team.SlotUnits(slot)) / TTeam::UnitsPerPoint);
  }
  EXPECT_DOUBLE_EQ(json["adjustedStrength"].get<double>(), double(team.AdjustedStrengthUnits()) / 2000);
  EXPECT_DOUBLE_EQ(json["benchStrength"].get<double>(), team.BenchStrength());
  EXPECT_EQ(json["captain"], team.Captain()->PlayerID);
  EXPECT_EQ(json["setPiecesTaker"], team.SetPiecesTaker()->PlayerID);
}
}  // namespace

TEST_F(LineupCommand, FindsTheLineupOfTheNewestSquadWhateverTheThreadCount) {
  const auto squad = Squad();
  for (int formation : {442, 1343}) {
    SCOPED_TRACE(formation);
    TTeamSelect select(wDisabled, false, false);
    select.SetReference(true);
    select.Prepare(*squad);
    const int candidates = select.FieldCandidates().Count();
    ASSERT_GE(candidates, 14);
    ASSERT_TRUE(select.Run(RolesOf(formation)));

    for (const char* threads : {"1", "2", "0"}) {
      const auto json = RunJson("--formation " + std::to_string(formation) + " --threads " + threads);
      EXPECT_EQ(json["formation"], formation);
      EXPECT_EQ(json["combinations"], Binomial(candidates, 10) + Binomial(candidates - 10, 4));
      // Most lineups cannot win and are passed over by the bounds; they still count as tried.
      EXPECT_GT(json["skippedByBound"].get<uint64_t>(), 0u);
      EXPECT_LT(json["skippedByBound"], json["combinations"]);
      EXPECT_EQ(json["complete"], true);
      EXPECT_GE(json["elapsedMs"].get<int64_t>(), 0);
      ExpectSameLineup(json, select.BestTeam());
    }
  }
}

TEST_F(LineupCommand, FixedPlayersWeatherAndTheTextForm) {
  const auto squad = Squad();
  TTeamSelect select(wSunny, false, true);
  select.Prepare(*squad);
  // The weakest field candidate up front, and the second keeper in goal.
  int weakest = 1;
  for (int i = 2; i <= select.FieldCandidates().Count(); ++i)
    if (select.FieldCandidates()[i].GetBestRating() < select.FieldCandidates()[weakest].GetBestRating()) weakest = i;
  const int64_t forward = select.FieldCandidates()[weakest].PlayerID;
  ASSERT_GE(select.KeeperCandidates().Count(), 1);
  const int64_t keeper = select.KeeperCandidates()[select.KeeperCandidates().Count()].PlayerID;
  select.FixFieldCandidate(weakest, 10);
  select.FixKeeperCandidate(select.KeeperCandidates().Count());
  ASSERT_TRUE(select.Run(RolesOf(433)));

  const std::string fixed = " --fixed 10=" + std::to_string(forward) + " --fixed 0=" + std::to_string(keeper);
  const auto json = RunJson("--formation 433 --weather 3 --ignore-form" + fixed);
  EXPECT_EQ(json["slots"][10]["playerId"], forward);
  EXPECT_EQ(json["slots"][0]["playerId"], keeper);
  ExpectSameLineup(json, select.BestTeam());
  EXPECT_EQ(json["combinations"], select.Total());

  const TCommandResult text = RunCli("lineup " + Home() + " --formation 433 --weather 3 --ignore-form" + fixed);
  ASSERT_EQ(text.ExitCode, 0) << text.Err;
  EXPECT_NE(text.Out.find("Formation: 433"), std::string::npos);
  EXPECT_NE(text.Out.find(select.BestTeam().GetSlot(5)->PlayerName), std::string::npos);
  EXPECT_NE(text.Out.find("Combinations: " + std::to_string(select.Total()) + " of " + std::to_string(select.Total())),
            std::string::npos);
  EXPECT_NE(text.Out.find("Captain: " + std::to_string(select.BestTeam().Captain()->PlayerID)), std::string::npos);
}

TEST_F(LineupCommand, AllTakesTheInjuredAndSuspendedToo) {
  const int left = Squad()->Count();
  const int all = Squad(true)->Count();
  const auto json = RunJson("--formation 442 --all --threads 1");
  TTeamSelect select(wDisabled, false, false);
  select.Prepare(*Squad(true));
  ASSERT_TRUE(select.Run(RolesOf(442)));
  ExpectSameLineup(json, select.BestTeam());
  EXPECT_EQ(json["combinations"], select.Total());
  EXPECT_GT(all, left);  // this world's newest squad has injured or suspended players
}

TEST_F(LineupCommand, TrainingAddsTheEstimatedProgress) {
  const auto plain = RunJson("--formation 442");
  const auto trained = RunJson("--formation 442 --training");
  EXPECT_EQ(trained["combinations"], plain["combinations"]);
  EXPECT_GT(trained["adjustedStrength"].get<double>(), plain["adjustedStrength"].get<double>());
}

TEST_F(LineupCommand, BadRequestsFailWithAMessage) {
  struct {
    std::string Arguments;
    int ExitCode;
  } const cases[] = {
      {Home() + " --formation 443", 2},
      {Home() + " --formation 442 --fixed 11=1", 2},
      {Home() + " --formation 442 --fixed 3", 2},
      {Home() + " --formation 442 --fixed 3=1", 2},
      {Home() + " --formation 442 --threads -1", 105},
  };
  for (const auto& c : cases) {
    const TCommandResult r = RunCli("lineup " + c.Arguments);
    EXPECT_EQ(r.ExitCode, c.ExitCode) << c.Arguments;
    EXPECT_FALSE(r.Err.empty()) << c.Arguments;
    EXPECT_TRUE(r.Out.empty()) << c.Arguments;
  }
  TTempFolder empty;
  const TCommandResult r = RunCli("lineup --home '" + empty.Path().string() + "' --formation 442");
  EXPECT_EQ(r.ExitCode, 1);
  EXPECT_NE(r.Err.find("The archive holds no snapshot."), std::string::npos);
}
