// The preferences in memory: defaults, column flags, server choice, proxy and password rules, Apply.
#include "core/Errors.h"
#include "data/GameHosts.h"
#include "data/Preferences.h"

#include <gtest/gtest.h>

#include <set>

TEST(Preferences, DefaultsHideTheDocumentedColumns) {
  TPreferences p;
  const std::set<int> hiddenPlayers{2, 10, 13, 18, 19, 20, 21, 22, 23, 25, 26, 27, 28, 29};
  const std::set<int> hiddenMatches{2, 8, 21};
  for (int i = 0; i < PlayerColumnCount; ++i) EXPECT_EQ(p.GetPlayerColumn(i), !hiddenPlayers.count(i)) << i;
  for (int i = 0; i < MatchColumnCount; ++i) EXPECT_EQ(p.GetMatchColumn(i), !hiddenMatches.count(i)) << i;
  EXPECT_FALSE(p.ColumnsChanged);
  EXPECT_EQ(p.CurrencyIndex, 93);
  EXPECT_EQ(p.GetCurrencyName(), "US$");
  EXPECT_EQ(p.GetCurrencyRate(), 10);
  EXPECT_EQ(p.SeasonLimit, 2);
  EXPECT_EQ(p.ConnectionSite, GameHosts().ServerAddresses[0]);
  EXPECT_TRUE(p.ChooseBestServer && p.SaveUsernamePassword && p.LoadPlayersToTempGird && p.DoNotImportCoach);
  EXPECT_FALSE(p.EnableProxy || p.EnableProxyAuthentication || p.UseAlternateHistoryPath);
}

TEST(Preferences, ColumnsChangedOnlyWhenAFlagChanges) {
  TPreferences p;
  p.SetPlayerColumn(0, true);
  p.SetMatchColumn(2, false);
  EXPECT_FALSE(p.ColumnsChanged);
  p.SetMatchColumn(2, true);
  EXPECT_TRUE(p.ColumnsChanged);
  p.ColumnsChanged = false;
  p.SetDefaults();  // goes through the setters: column 2 is hidden again
  EXPECT_TRUE(p.ColumnsChanged);
  EXPECT_FALSE(p.GetMatchColumn(2));
  EXPECT_THROW(p.GetPlayerColumn(38), ERangeError);
  EXPECT_THROW(p.SetPlayerColumn(-1, true), ERangeError);
  EXPECT_THROW(p.GetMatchColumn(23), ERangeError);
  EXPECT_THROW(p.SetMatchColumn(23, true), ERangeError);
}

TEST(Preferences, SetDefaultsKeepsThePrivateValues) {
  TPreferences p;
  p.UserName = "manager";
  p.SelectedTeamM = "FC A";
  p.IndexWeatherT = 3;
  p.StatePlayerComparison = true;
  p.SetPassword("code");
  p.SeasonLimit = 40;
  p.SetDefaults();
  EXPECT_EQ(p.SeasonLimit, 2);
  EXPECT_EQ(p.UserName, "manager");
  EXPECT_EQ(p.SelectedTeamM, "FC A");
  EXPECT_EQ(p.IndexWeatherT, 3);
  EXPECT_TRUE(p.StatePlayerComparison);
  EXPECT_EQ(p.GetPassword(), "code");
}

TEST(Preferences, DefaultSiteFollowsTheGameHostsInUse) {
  TGameHosts local{"127.0.0.1:9000", {"127.0.0.1:9001", "b", "c", "d", "e", "f"}};
  SetGameHosts(local);
  TPreferences p;
  EXPECT_EQ(p.ConnectionSite, "127.0.0.1:9001");
  ResetGameHosts();
  p.SetDefaults();
  EXPECT_EQ(p.ConnectionSite, DefaultGameHosts().ServerAddresses[0]);
}

TEST(Preferences, ScrambleReversesAndInvertsAndIsItsOwnInverse) {
  EXPECT_EQ(Scramble("abc"), "\x9C\x9D\x9E");
  EXPECT_EQ(Scramble(""), "");
  std::string every;
  for (int c = 0; c < 256; ++c) every += char(c);
  for (const std::string& text : {std::string("abc"), std::string("pä€ss"), every}) {
    EXPECT_EQ(Scramble(text).size(), text.size());
    EXPECT_EQ(Scramble(Scramble(text)), text);
  }
}

TEST(Preferences, ServerChoice) {
  TPreferences p;
  int fetches = 0;
  std::string answer = "kv3.example:80";
  p.SetRecommendedServerFetcher([&] {
    ++fetches;
    return answer;
  });
  p.ConnectionSite = "192.0.2.99";

  p.ChooseBestServer = false;
  EXPECT_EQ(p.GetServer(), "192.0.2.99");
  EXPECT_EQ(p.GetCheckServer(), "192.0.2.99");
  EXPECT_EQ(fetches, 0) << "no server list request with a fixed site";

  p.ChooseBestServer = true;
  EXPECT_EQ(p.GetCheckServer(), "");  // the check never fetches
  EXPECT_EQ(p.GetServer(), "kv3.example:80");
  EXPECT_EQ(p.GetServer(), "kv3.example:80");
  EXPECT_EQ(fetches, 1) << "fetched once per login";
  EXPECT_EQ(p.GetCheckServer(), "kv3.example:80");

  p.ForgetRecommendedServer();
  answer = "kv4.example";
  EXPECT_EQ(p.GetServer(), "kv4.example");
  EXPECT_EQ(fetches, 2);

  p.ForgetRecommendedServer();
  p.SetRecommendedServerFetcher([]() -> std::string { throw std::runtime_error("no route"); });
  EXPECT_EQ(p.GetServer(), "");
  p.SetRecommendedServerFetcher(nullptr);
  EXPECT_EQ(p.GetServer(), "");
}

TEST(Preferences, ProxySettingsAsTheClientUsesThem) {
  const struct {
    bool Enable, Authenticate;
    const char* Port;
    const char *Server, *ExpectedPort, *User, *Password;
  } cases[] = {
      {false, true, "8080", "", "0", "", ""},
      {true, false, "8080", "proxy", "8080", "", ""},
      {true, true, "8080", "proxy", "8080", "user", "pw"},
      {true, true, "80a", "proxy", "0", "user", "pw"},
      {true, true, "", "proxy", "0", "user", "pw"},
      {true, true, "-1", "proxy", "0", "user", "pw"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Port) + (c.Enable ? " enabled" : " disabled"));
    TPreferences p;
    p.ProxyServer = "proxy";
    p.ProxyPort = c.Port;
    p.ProxyUserName = "user";
    p.ProxyPassword = "pw";
    p.EnableProxy = c.Enable;
    p.EnableProxyAuthentication = c.Authenticate;
    EXPECT_EQ(p.GetProxyServer(), c.Server);
    EXPECT_EQ(p.GetProxyPort(), c.ExpectedPort);
    EXPECT_EQ(p.GetProxyUserName(), c.User);
    EXPECT_EQ(p.GetProxyPassword(), c.Password);
  }
}

TEST(Preferences, PasswordIsKeptOnlyWhileItMayBeSaved) {
  TPreferences p;
  p.SetPassword("first");
  EXPECT_EQ(p.GetPassword(), "first");
  p.SaveUsernamePassword = false;
  EXPECT_EQ(p.GetPassword(), "");
  p.SetPassword("second");
  p.SaveUsernamePassword = true;
  EXPECT_EQ(p.GetPassword(), "") << "a code typed while saving was off is not remembered";
}

TEST(Preferences, CurrencyIndexOutsideTheTableIsRefused) {
  TPreferences p;
  EXPECT_THROW(p.SetCurrencyIndex(96), ERangeError);
  EXPECT_THROW(p.SetCurrencyIndex(-1), ERangeError);
  EXPECT_EQ(p.CurrencyIndex, 93);
  p.SetCurrencyIndex(0);
  EXPECT_EQ(p.GetCurrencyName(), "dirhams");  // Al Maghrib
  p.CurrencyIndex = 200;
  EXPECT_THROW(p.GetCurrencyName(), ERangeError);
  EXPECT_THROW(p.GetCurrencyRate(), ERangeError);
}

TEST(Preferences, ApplyEndsTheAlternateHistoryPathWithASeparator) {
  const struct {
    const char *Typed, *Applied;
  } cases[] = {
      {"/data/history", "/data/history/"},
      {"  /data/history \t", "/data/history/"},
      {"/data/history/", "/data/history/"},
      {"D:\\Kickvale\\History\\", "D:\\Kickvale\\History\\"},
      {"", ""},
      {"   ", ""},
  };
  for (const auto& c : cases) {
    TPreferences p;
    p.AlternateHistoryPath = c.Typed;
    p.Apply();
    EXPECT_EQ(p.AlternateHistoryPath, c.Applied) << '"' << c.Typed << '"';
  }
}
