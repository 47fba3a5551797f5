// The owned, 1-based player list: loading a players file, deleting, copies and the pushed settings;
// and the players command of pitchbook-cli that prints such a list.
#include "TestSupport.h"

#include "core/Errors.h"
#include "core/PlayerList.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {
std::unique_ptr<TPlayer> Named(const std::string& name, int64_t id) {
  auto p = std::make_unique<TPlayer>();
  p->PlayerName = name;
  p->PlayerID = id;
  return p;
}

std::string Names(const TPlayerList& list) {
  std::string names;
  for (const TPlayer& p : list) names += p.PlayerName + ";";
  return names;
}

const char* const PlayersHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?><KickvaleData><Team><PlayerList>";
const char* const PlayersTail = "</PlayerList></Team></KickvaleData>";
}  // namespace

TEST(PlayerList, LoadsTheRealisticPlayersFile) {
  TPlayerList list(wSunny, false, true);
  list.LoadFromPlayersFile(FixturePath("core/players.xml"));
  ASSERT_EQ(list.Count(), 6);
  EXPECT_EQ(Names(list),
            "Kjetil \xC3\x98" "deg\xC3\xA5rd;Jos\xC3\xA9 Mar\xC3\xAD" "a  N\xC3\xBA\xC3\xB1" "ez;\xC5\x81ukasz \xC5\xBBmuda;"
            "J\xC3\xBCrgen M\xC3\xBCller;S\xC3\xB8ren \xC3\x86r\xC3\xB8;Ciprian \xC5\x9E" "tef\xC4\x83nescu;");
  const TPlayer& coach = list[3];
  EXPECT_EQ(coach.PlayerID, 203344556);
  EXPECT_EQ(coach.TrainerType, "2");
  EXPECT_EQ(coach.TrainerSkill, "6");
  EXPECT_EQ(list[1].TrainerType, "");  // <TrainerData /> without children
  EXPECT_EQ(list[4].InjuryLevel, 2);
  for (const TPlayer& p : list) {
    EXPECT_EQ(p.Weather, wSunny);
    EXPECT_TRUE(p.IgnoreForm);
    EXPECT_FALSE(p.IncludeTraining);
  }
}

TEST(PlayerList, EmptyPlayerListGivesNoPlayers) {
  TTempFolder tmp;
  WriteWholeFile(tmp / "Players.xml", std::string(PlayersHead) + PlayersTail);
  TPlayerList list;
  list.LoadFromPlayersFile(tmp / "Players.xml");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.begin(), list.end());
  EXPECT_EQ(list.Get(0), nullptr);
  EXPECT_THROW(list.Get(1), ERangeError);
}

TEST(PlayerList, AFailedLoadLeavesTheListUnchanged) {
  TTempFolder tmp;
  std::string players = ReadWholeFile(FixturePath("core/players.xml"));
  const std::string badAge = players.substr(0, players.rfind("<Age>")) + "<Age></Age>" +
                             players.substr(players.find("</Age>", players.rfind("<Age>")) + 6);
  WriteWholeFile(tmp / "bad-age.xml", badAge);
  WriteWholeFile(tmp / "no-list.xml", "<?xml version=\"1.0\"?><KickvaleData><Team/></KickvaleData>");
  WriteWholeFile(tmp / "broken.xml", std::string(PlayersHead) + "<Player>");

  TPlayerList list;
  list.Add(Named("Kept", 1));
  EXPECT_THROW(list.LoadFromPlayersFile(tmp / "bad-age.xml"), EConvertError);
  EXPECT_THROW(list.LoadFromPlayersFile(tmp / "no-list.xml"), EInOutError);
  EXPECT_THROW(list.LoadFromPlayersFile(tmp / "broken.xml"), EInOutError);
  EXPECT_THROW(list.LoadFromPlayersFile(tmp / "missing.xml"), EInOutError);
  EXPECT_EQ(Names(list), "Kept;");
}

TEST(PlayerList, DeleteMovesTheLastPlayerIntoTheGap) {
  TPlayerList list;
  for (auto name : {"A", "B", "C"}) list.Add(Named(name, name[0]));
  list.Delete(1);
  EXPECT_EQ(Names(list), "C;B;");
  list.Delete(2);
  EXPECT_EQ(Names(list), "C;");
  EXPECT_THROW(list.Delete(0), ERangeError);
  EXPECT_THROW(list.Delete(2), ERangeError);
  list.DeleteByName("nobody");  // an absent name leaves the list alone
  EXPECT_EQ(Names(list), "C;");
  list.DeleteByName("C");
  EXPECT_EQ(list.Count(), 0);
}

TEST(PlayerList, LookupsAndRangeChecks) {
  TPlayerList list;
  list.Add(Named("Ann", 10));
  list.Add(Named("Bob", int64_t(1) << 35));
  list.Add(Named("Ann", 30));
  EXPECT_EQ(list.IndexOfName("Ann"), 1);
  EXPECT_EQ(list.IndexOfName("ann"), 0);
  EXPECT_EQ(list.IndexOfID(int64_t(1) << 35), 2);
  EXPECT_EQ(list.IndexOfID(30), 3);
  EXPECT_EQ(list.IndexOfID(99), 0);
  EXPECT_EQ(list.Get(3)->PlayerID, 30);
  EXPECT_THROW(list.Get(4), ERangeError);
  EXPECT_THROW(list.Get(-1), ERangeError);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.IndexOfName("Ann"), 0);
}

TEST(PlayerList, SettersPushIntoEveryPlayerWithoutClearingRatings) {
  TPlayerList list(wDisabled, false, false);
  auto p = list.NewPlayer();
  p->KeeperSkill = 10;
  p->PlayerForm = 8;
  p->InjuryLevel = -1;
  p->Experience = 1;
  list.Add(std::move(p));
  EXPECT_DOUBLE_EQ(list[1].GetKeeperRating(), 45.0);
  list.SetWeather(wRainy);
  list.SetIgnoreForm(true);
  list.SetIncludeTraining(true);
  EXPECT_EQ(list.Weather(), wRainy);
  EXPECT_EQ(list[1].Weather, wRainy);
  EXPECT_TRUE(list[1].IgnoreForm);
  EXPECT_TRUE(list[1].IncludeTraining);
  EXPECT_DOUBLE_EQ(list[1].GetKeeperRating(), 45.0);  // still the cached value
  list[1].ClearRatings();
  EXPECT_DOUBLE_EQ(list[1].GetKeeperRating(), 39.06);
  auto fresh = list.NewPlayer();
  EXPECT_EQ(fresh->Weather, wRainy);
  EXPECT_TRUE(fresh->IgnoreForm);
}

TEST(PlayerList, CloneCopiesEveryPlayerInOrder) {
  TPlayerList list(wOvercast, true, false);
  list.LoadFromPlayersFile(FixturePath("core/players.xml"));
  list.SetIncludeTraining(false);
  list[2].GetBestRating();
  auto copy = list.Clone();
  ASSERT_EQ(copy->Count(), list.Count());
  EXPECT_EQ(copy->Weather(), wOvercast);
  EXPECT_FALSE(copy->IncludeTraining());
  EXPECT_EQ(Names(*copy), Names(list));
  EXPECT_NE(&(*copy)[2], &list[2]);
  EXPECT_EQ((*copy)[2].RatingCache(), list[2].RatingCache());
}

TEST(PlayersCommand, PrintsEveryValueOfEveryPlayerAsJson) {
  const auto fixture = FixturePath("core/players.xml");
  TCommandResult result = RunCli("players '" + fixture.string() + "' --json");
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  const auto json = nlohmann::json::parse(result.Out);
  ASSERT_TRUE(json.is_array());
  ASSERT_EQ(json.size(), 6u);

  TPlayerList list;
  list.LoadFromPlayersFile(fixture);
  for (int i = 1; i <= list.Count(); ++i) {
    const auto& row = json[static_cast<size_t>(i - 1)];
    EXPECT_EQ(row["PlayerID"].get<int64_t>(), list[i].PlayerID);
    EXPECT_EQ(row["PlayerName"].get<std::string>(), list[i].PlayerName);
    ASSERT_EQ(row["values"].size(), 37u);
    for (int code = 1; code <= 37; ++code)
      EXPECT_EQ(row["values"][std::to_string(code)].get<double>(), list[i].GetValue(code)) << i << "/" << code;
  }
  // The keeper of the file: form 8, healthy, experience 1, keeper 10, weather Disabled.
  const auto& keeper = json[0]["values"];
  EXPECT_EQ(keeper["35"].get<double>(), 45.0);
  EXPECT_EQ(keeper["37"].get<double>(), 45.0);
  EXPECT_EQ(keeper["28"].get<double>(), -1.0);
  // Müller is injured, form 5: F = 3.90625 x 0.9; central defender (ln 3 / 2 - 1 + 11) x F = 37.0874.
  const auto& mueller = json[3]["values"];
  EXPECT_EQ(mueller["9"].get<double>(), 11.0);
  EXPECT_DOUBLE_EQ(mueller["34"].get<double>(), 37.09);
}

TEST(PlayersCommand, WeatherAndIgnoreFormReachThePlayers) {
  const auto fixture = FixturePath("core/players.xml");
  TCommandResult result = RunCli("players '" + fixture.string() + "' --weather 0 --ignore-form --json");
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  const auto json = nlohmann::json::parse(result.Out);
  // Núñez is Technical: playmaking 9 - 0.8 in rain; the keeper without form: 9 x 4.34.
  EXPECT_DOUBLE_EQ(json[1]["values"]["4"].get<double>(), 8.2);
  EXPECT_DOUBLE_EQ(json[0]["values"]["35"].get<double>(), 39.06);
  // Müller is Quick: defending 11 - 0.4 in rain.
  EXPECT_DOUBLE_EQ(json[3]["values"]["9"].get<double>(), 10.6);
}

TEST(PlayersCommand, ReadsRecordFilesAndPrintsATable) {
  TCommandResult result = RunCli("players '" + FixturePath("core/record-cp1252.krf").string() + "'");
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  EXPECT_EQ(result.Out.substr(0, result.Out.find('\n')),
            "PlayerID\tPlayerName\t1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11\t12\t13\t14\t15\t16\t17\t18\t19\t20\t21\t22\t23\t24\t"
            "25\t26\t27\t28\t29\t30\t31\t32\t33\t34\t35\t36\t37");
  EXPECT_NE(result.Out.find("\n209988776\tJ\xC3\xBCrgen M\xC3\xBCller\t38\t209988776\t6\t4\t"), std::string::npos)
      << result.Out;
  EXPECT_EQ(std::count(result.Out.begin(), result.Out.end(), '\n'), 3);
}

TEST(PlayersCommand, AFileThatFailsGivesTheMessageAndExitCodeOne) {
  TTempFolder tmp;
  WriteWholeFile(tmp / "bad.xml",
                 std::string(PlayersHead) + "<Player><PlayerID>12a</PlayerID></Player>" + PlayersTail);
  TCommandResult result = RunCli("players '" + (tmp / "bad.xml").string() + "' --json");
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_EQ(result.Out, "");
  EXPECT_EQ(result.Err, "'12a' is not a valid integer value\n");

  result = RunCli("players '" + (tmp / "none.krf").string() + "'");
  EXPECT_EQ(result.ExitCode, 1);
  EXPECT_NE(result.Err.find("none.krf"), std::string::npos) << result.Err;
}
