// pitchbook-cli archive: the loader run as at program start, its pages and report as JSON or text.
#include "data/HistoryTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

using namespace historytest;
namespace fs = std::filesystem;

TEST(StartupArchiveCli, ListsThePagesAndTheLoadErrorsAsJson) {
  TTempFolder home;
  const fs::path history = home / "History";
  fs::create_directories(history);
  TTestSnapshot s;
  s.Players = {MakePlayer(1), MakePlayer(2), MakePlayer(3)};
  WriteSnapshot(history, s);
  s.Day = "2009-10-04";
  s.FetchedDate = "2009-10-04 09:30:00";
  s.Round = 6;
  WriteSnapshot(history, s);
  s.Day = "2009-10-03";
  WriteSnapshot(history, s);
  WriteWholeFile(history / "2009-10-04 Club.xml", "<broken");
  fs::create_directories(history / "Matches");
  WriteMatchFile(history / "Matches" / "4711.xml", {MatchDataXml(1, 38, 5, 1, {{1, 1}})});

  const TCommandResult r = RunCli("archive --json --home '" + home.Path().string() + "'");
  ASSERT_EQ(r.ExitCode, 0) << r.Err;
  const auto json = nlohmann::json::parse(r.Out);
  ASSERT_EQ(json["pages"].size(), 2u);
  EXPECT_EQ(json["pages"][0], nlohmann::json::parse(R"({"index": 1, "season": 38, "round": 5,
      "fetchedDate": "2009-09-28 12:00:00", "file": "2009-09-28 Players.xml", "players": 3,
      "leagueMatch": true, "otherMatch": false})"));
  EXPECT_EQ(json["pages"][1]["file"], "2009-10-03 Players.xml");
  EXPECT_EQ(json["loadErrors"],
            "Following team data files could not be loaded properly:\r\n\r\n2009-10-04 *.xml\r\n");
  // The program's folders were set up as at a start.
  EXPECT_TRUE(fs::is_directory(home / "Work"));
  EXPECT_TRUE(fs::is_directory(history / "Obsolete"));

  const TCommandResult text = RunCli("archive --home '" + home.Path().string() + "'");
  EXPECT_EQ(text.ExitCode, 0);
  EXPECT_NE(text.Out.find("2009-10-03 Players.xml"), std::string::npos);
  EXPECT_NE(text.Out.find("2009-10-04 *.xml"), std::string::npos);
}

TEST(StartupArchiveCli, AnUnusableProgramFolderExitsWith2) {
  TTempFolder home;
  WriteWholeFile(home / "file", "not a folder");
  const TCommandResult r = RunCli("archive --json --home '" + (home / "file").string() + "'");
  EXPECT_EQ(r.ExitCode, 2);
  EXPECT_FALSE(r.Err.empty());
}
