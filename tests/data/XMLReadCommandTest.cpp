// pitchbook-cli read: one file through one reader, the fields by name, failures on stderr with exit code 1.
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {
std::string Quoted(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

TEST(XMLReadCommand, PrintsTheFieldsOfEachKindByName) {
  struct TCase {
    const char* Arguments;
    const char* Fixture;
    const char* Expected;  // a line of the output
  };
  const TCase cases[] = {
      {"read team", "data/TeamDetails.xml", "TeamName: Olympique de Mémed\n"},
      {"read team", "data/TeamDetails.xml", "TrainerPlayerID: 238124673\n"},
      {"read league --team-id 586189", "data/LeagueDetails.xml", "Position: 4\n"},
      {"read training", "realdata/training.xml", "TrainerID: 238124673\n"},
      {"read arena", "data/ArenaDetails.xml", "ExpandedVIP: 50\n"},
      {"read economy", "realdata/economy.xml", "ExpectedWeeksTotal: -553300\n"},
      {"read club", "data/Club.xml", "YouthLevel: 8\n"},
      {"read world --league-id 18", "realdata/worlddetails.xml", "FetchedDate: 2025-05-07 23:40:39\n"},
      {"read world --league-id 18", "realdata/worlddetails.xml", "CountryID: 17\n"},
  };
  for (const auto& c : cases) {
    const auto result = RunCli(std::string(c.Arguments) + " " + Quoted(FixturePath(c.Fixture)));
    EXPECT_EQ(result.ExitCode, 0) << c.Arguments << ": " << result.Err;
    EXPECT_NE(result.Out.find(c.Expected), std::string::npos) << c.Arguments << " printed:\n" << result.Out;
  }
}

TEST(XMLReadCommand, JsonHoldsTextsAsStringsAndNumbersAsNumbers) {
  const auto team = RunCli("read team --json " + Quoted(FixturePath("data/TeamDetails.xml")));
  ASSERT_EQ(team.ExitCode, 0) << team.Err;
  const auto json = nlohmann::json::parse(team.Out);
  EXPECT_EQ(json.at("TeamID"), "177327");
  EXPECT_EQ(json.at("Loginname"), "Jürgen Ødegård");
  EXPECT_EQ(json.at("NumberOfVictories"), 4);

  const auto league = RunCli("read league --json " + Quoted(FixturePath("data/LeagueDetails.xml")));
  ASSERT_EQ(league.ExitCode, 0) << league.Err;
  EXPECT_EQ(nlohmann::json::parse(league.Out),
            nlohmann::json({{"Matches", 0}, {"GoalsFor", 0}, {"GoalsAgainst", 0}, {"Points", 0}, {"Position", 0}}));

  const auto region = RunCli("read region --json " + Quoted(FixturePath("data/Club.xml")));
  EXPECT_EQ(region.ExitCode, 0);
  EXPECT_EQ(nlohmann::json::parse(region.Out), nlohmann::json::object());
}

TEST(XMLReadCommand, AFileThatFailsPrintsTheMessageAndExitsWithOne) {
  TTempFolder folder;
  WriteWholeFile(folder / "Club.xml",
                 "<KickvaleData><Team><Specialists><KeeperTrainers>x</KeeperTrainers></Specialists></Team>"
                 "</KickvaleData>");
  const auto bad = RunCli("read club " + Quoted(folder / "Club.xml"));
  EXPECT_EQ(bad.ExitCode, 1);
  EXPECT_EQ(bad.Out, "");
  EXPECT_EQ(bad.Err, "'x' is not a valid integer value\n");

  const auto missing = RunCli("read economy --json " + Quoted(folder / "missing.xml"));
  EXPECT_EQ(missing.ExitCode, 1);
  EXPECT_EQ(missing.Out, "");
  EXPECT_NE(missing.Err, "");
}
}  // namespace
