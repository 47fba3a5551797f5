// pitchbook-cli use-server: points a program folder's preferences at one game server (the demo run's step).
#include "TestSupport.h"

#include "data/Preferences.h"

#include <gtest/gtest.h>

namespace {

TPreferences LoadFrom(const TTempFolder& home) {
  TPreferences preferences;
  preferences.ProgramFolder = home.Path();
  EXPECT_TRUE(preferences.Load());
  return preferences;
}

TEST(UseServerCommand, SetsTheSiteSwitchesTheBestServerOffAndKeepsTheOtherSettings) {
  TTempFolder home;
  TPreferences before;
  before.ProgramFolder = home.Path();
  before.ChooseBestServer = true;
  before.CurrencyIndex = 7;
  before.HomeTeamScores = !before.HomeTeamScores;
  ASSERT_TRUE(before.Save());

  const TCommandResult result =
      RunCli("use-server --home '" + home.Path().string() + "' --server 127.0.0.1:5123 --login demo --code 's e'");
  ASSERT_EQ(result.ExitCode, 0) << result.Err;
  const TPreferences after = LoadFrom(home);
  EXPECT_EQ(after.ConnectionSite, "127.0.0.1:5123");
  EXPECT_FALSE(after.ChooseBestServer);
  EXPECT_EQ(after.UserName, "demo");
  EXPECT_TRUE(after.SaveUsernamePassword);
  EXPECT_EQ(after.GetPassword(), "s e");
  EXPECT_EQ(after.CurrencyIndex, 7);
  EXPECT_EQ(after.HomeTeamScores, before.HomeTeamScores);
}

TEST(UseServerCommand, RefusesWhatIsNoPlainHostAndLeavesTheFileAlone) {
  TTempFolder home;
  TPreferences before;
  before.ProgramFolder = home.Path();
  before.ConnectionSite = "127.0.0.9";
  ASSERT_TRUE(before.Save());
  const std::string file = ReadWholeFile(home / "Preferences.xml");
  for (const char* arguments : {"--server ''", "--server '127.0.0.1/path'", "--server 'user@127.0.0.1'",
                                "--server 'http://127.0.0.1:80'", "--server 127.0.0.1 --login demo"}) {
    SCOPED_TRACE(arguments);
    const TCommandResult result = RunCli("use-server --home '" + home.Path().string() + "' " + arguments);
    EXPECT_NE(result.ExitCode, 0);
    EXPECT_EQ(ReadWholeFile(home / "Preferences.xml"), file);
  }
  // An unreadable file is not replaced by defaults.
  WriteWholeFile(home / "Preferences.xml", "<broken");
  EXPECT_NE(RunCli("use-server --home '" + home.Path().string() + "' --server 127.0.0.1:1").ExitCode, 0);
  EXPECT_EQ(ReadWholeFile(home / "Preferences.xml"), "<broken");
}

}  // namespace
