#include "TestSupport.h"

#include "core/TeamMatchFile.h"
#include "core/Utils.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

TEST(ReadCommand, PlayersFilePrintsEveryPlayerByFieldName) {
  auto result = RunCli("read players '" + FixturePath("core/players.xml").string() + "' --json");
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  auto json = nlohmann::json::parse(result.Out);
  ASSERT_FALSE(json["Players"].empty());
  EXPECT_EQ(json["Players"][0]["PlayerID"], 212345678);
  EXPECT_EQ(json["Players"][0]["PlayerName"], "Kjetil Ødegård");
}

TEST(ReadCommand, ClubMatchFileOfTheRealAnswersReadsAsAMatchRecord) {
  TTempFolder folder;
  pugi::xml_document details, lineup;
  LoadXMLFile(FixturePath("realdata/matchdetails.xml"), details);
  LoadXMLFile(FixturePath("realdata/matchlineup.xml"), lineup);
  TTeamMatchFile file;
  file.AddMatch("52282171", 91, 5, details.document_element(), lineup.document_element());
  file.SaveToFile(folder / "club.xml");
  auto result = RunCli("read match '" + (folder / "club.xml").string() + "' --json");
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  auto match = nlohmann::json::parse(result.Out)["Matches"][0];
  EXPECT_EQ(match["MatchID"], 52282171);
  EXPECT_EQ(match["HomeTeamName"], "Vorwärts Billstedt");
  EXPECT_EQ(match["Lineup"].size(), 21u);
}

TEST(ReadCommand, AMatchFileWithABrokenElementFailsWithTheMessage) {
  auto result = RunCli("read match '" + FixturePath("core/matches/4711.xml").string() + "'");
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_NE(result.Err.find("is not a valid integer value"), std::string::npos) << result.Err;
}
