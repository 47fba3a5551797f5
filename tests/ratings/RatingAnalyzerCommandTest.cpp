// pitchbook-cli analyze on a generated sample world: a file read against the newest snapshot.
#include "TestSupport.h"

#include "core/PlayerList.h"
#include "demo/SampleWorld.h"
#include "ratings/RatingAnalyzerFile.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {
class AnalyzeCommand : public testing::Test {
protected:
  static void SetUpTestSuite() {
    Folder = new TTempFolder;
    TSampleWorldOptions options;
    options.Seasons = 1;
    options.Seed = 11;
    WriteSampleWorld(Folder->Path(), options, &Info);
  }
  static void TearDownTestSuite() {
    delete Folder;
    Folder = nullptr;
  }
  static std::string Home() { return "--home '" + Folder->Path().string() + "'"; }
  static std::unique_ptr<TPlayerList> Newest() {
    auto list = std::make_unique<TPlayerList>();
    list->LoadFromPlayersFile(Folder->Path() / "History" / Info.Snapshots.back().FileName);
    return list;
  }
  static TTempFolder* Folder;
  static TSampleWorldInfo Info;
};
TTempFolder* AnalyzeCommand::Folder = nullptr;
TSampleWorldInfo AnalyzeCommand::Info;
}  // namespace

TEST_F(AnalyzeCommand, JsonShowsPlacesSettingsAndTheTwoMidfielderEstimate) {
  auto squad = Newest();
  ASSERT_GE(squad->Count(), 3);
  TRatingAnalyzerSetup setup;
  setup.Players = squad->Clone();
  // Two edited copies on the inner midfield: playmaking 7, experience 1, form 7, stamina 8, no specialty.
  for (int i : {2, 3}) {
    TPlayer& p = (*setup.Players)[i];
    p.PlaymakerSkill = 7;
    p.Experience = 1;
    p.PlayerForm = 7;
    p.StaminaSkill = 8;
    p.Specialty = 0;
  }
  setup.PlayerIDs[0] = (*squad)[1].PlayerID;
  setup.PlayerIDs[5] = (*squad)[2].PlayerID;
  setup.PlayerIDs[6] = (*squad)[3].PlayerID;
  SaveRatingAnalyzerFile(*Folder / "two.raf", setup);

  const TCommandResult result = RunCli("analyze '" + (*Folder / "two.raf").string() + "' " + Home() + " --json");
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  const nlohmann::json json = nlohmann::json::parse(result.Out);
  EXPECT_EQ(json["teamSpirit"], 4);
  EXPECT_EQ(json["attitude"], 1);
  EXPECT_EQ(json["arena"], 0);
  EXPECT_EQ(json["counterAttacks"], false);
  ASSERT_EQ(json["positions"].size(), 11u);
  EXPECT_EQ(json["positions"][0]["key"], "Goalkeeper");
  EXPECT_EQ(json["positions"][0]["playerId"], (*squad)[1].PlayerID);
  EXPECT_TRUE(json["positions"][0]["behaviour"].is_null());
  EXPECT_EQ(json["positions"][5]["key"], "InnerMidfielder1");
  EXPECT_EQ(json["positions"][5]["behaviour"], "Normal");
  EXPECT_EQ(json["positions"][1]["playerId"], 0);
  EXPECT_NEAR(json["midfield"]["value"].get<double>(), 2.425, 1e-9);
  EXPECT_EQ(json["midfield"]["level"], "wretched");
  EXPECT_EQ(json["midfield"]["sublevel"], "Low");
  EXPECT_EQ(json["counter"]["value"], 0);
  EXPECT_EQ(json["counter"]["level"], "non-existent");
  EXPECT_EQ(json["counter"]["sublevel"], "Very low");

  const TCommandResult text = RunCli("analyze '" + (*Folder / "two.raf").string() + "' " + Home());
  ASSERT_EQ(text.ExitCode, 0) << text.Err;
  EXPECT_NE(text.Out.find("Midfield: 2.4250 (wretched, Low)"), std::string::npos) << text.Out;
  EXPECT_NE(text.Out.find("Team Spirit: Composed"), std::string::npos) << text.Out;
}

TEST_F(AnalyzeCommand, BrokenFileGivesTheMessageAndExitOne) {
  WriteWholeFile(*Folder / "broken.raf", "AppVersion=1\r\n\r\nTeamSpirit=x\r\n");
  for (const std::string file : {"broken.raf", "missing.raf"}) {
    const TCommandResult result = RunCli("analyze '" + (*Folder / file).string() + "' " + Home() + " --json");
    EXPECT_EQ(result.ExitCode, 1) << file;
    EXPECT_EQ(result.Out, "") << file;
    EXPECT_NE(result.Err.find("Error occurred while loading\nRating Analyzer data."), std::string::npos) << result.Err;
  }
}
