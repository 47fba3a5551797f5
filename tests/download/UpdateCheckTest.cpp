// The start-up update check against the local game server: what it offers, what it only logs, and that no
// request leaves the program unless an address is configured.
#include "download/UpdateCheck.h"

#include "TestSupport.h"
#include "data/Preferences.h"
#include "demo/GameServer.h"
#include "download/KVIndyHTTP.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace {

// PITCHBOOK_UPDATE_URL set (or unset) while the object lives.
class TUpdateURLVariable {
public:
  explicit TUpdateURLVariable(const char* value) {
    if (const char* old = std::getenv("PITCHBOOK_UPDATE_URL")) FOld = old, FHad = true;
    if (value)
      setenv("PITCHBOOK_UPDATE_URL", value, 1);
    else
      unsetenv("PITCHBOOK_UPDATE_URL");
  }
  ~TUpdateURLVariable() {
    if (FHad)
      setenv("PITCHBOOK_UPDATE_URL", FOld.c_str(), 1);
    else
      unsetenv("PITCHBOOK_UPDATE_URL");
  }

private:
  std::string FOld;
  bool FHad = false;
};

class UpdateCheckTest : public ::testing::Test {
protected:
  void SetUp() override {
    Server.Start();
    Prefs.CheckUpdates = true;
  }
  TUpdateResult Check() {
    Log.str("");
    return CheckForUpdate(Prefs, Work.Path(), Log);
  }

  TUpdateURLVariable NoVariable{nullptr};
  TGameServer Server{nullptr};
  TPreferences Prefs;
  TTempFolder Work;
  std::ostringstream Log;
};

}  // namespace

TEST(UpdateAnswer, OnlyAVersionAndAnHttpPageMakeAnAnswer) {
  const TUpdateAnswer answer =
      ParseUpdateAnswer("# comment\r\n\r\n Version = 0.2.0 \r\nDownloadPage=https://example.org/dl?a=1\r\nNews=x\r\n");
  EXPECT_EQ(answer.Version, "0.2.0");
  EXPECT_EQ(answer.DownloadPage, "https://example.org/dl?a=1");
  const TUpdateAnswer back = ParseUpdateAnswer(FormatUpdateAnswer({"1.2.3", "http://127.0.0.1:1/p"}));
  EXPECT_EQ(back.Version, "1.2.3");
  EXPECT_EQ(back.DownloadPage, "http://127.0.0.1:1/p");

  struct TCase {
    const char* Text;
    const char* Message;
  };
  const TCase cases[] = {
      {"", "no Version"},
      {"<html>Not Found</html>", "line 1 is not Key=Value"},
      {"Version=0.2.0\n", "no DownloadPage"},
      {"DownloadPage=http://a/\n", "no Version"},
      {"Version=0.2\nVersion=0.3\nDownloadPage=http://a/\n", "Version given twice"},
      {"Version=latest\nDownloadPage=http://a/\n", "'latest' is not a version"},
      {"Version=0.2\nDownloadPage=file:///etc/passwd\n", "DownloadPage is not an http(s) address"},
      {"Version=0.2\nDownloadPage=javascript:alert(1)\n", "DownloadPage is not an http(s) address"},
      {"Version=0.2\nDownloadPage=http://a/b c\n", "DownloadPage is not an http(s) address"},
      {"Version=0.2\nDownloadPage=http:///path\n", "DownloadPage is not an http(s) address"},
      {"Version=0.2\nDownloadPage=http://a/\nDownloadPage=http://b/\n", "DownloadPage given twice"},
      {"=0.2\n", "line 1 is not Key=Value"},
  };
  for (const auto& c : cases) {
    try {
      ParseUpdateAnswer(c.Text);
      ADD_FAILURE() << "accepted: " << c.Text;
    } catch (const EUpdateAnswerError& e) {
      EXPECT_EQ(std::string(e.what()), c.Message) << c.Text;
    }
  }
}

TEST_F(UpdateCheckTest, ANewerVersionIsOfferedTheSameOrAnOlderOneOnlyLogged) {
  struct TCase {
    const char* Latest;
    const char* Running;
    TUpdateOutcome Expected;
  };
  const TCase cases[] = {
      {"0.1.1", "0.1.0", TUpdateOutcome::Newer},   {"0.10", "0.9.5", TUpdateOutcome::Newer},
      {"1.0.0", "0.99", TUpdateOutcome::Newer},    {"0.1.0", "0.1.0", TUpdateOutcome::Current},
      {"0.1", "0.1.0", TUpdateOutcome::Current},   {"0.0.9", "0.1.0", TUpdateOutcome::Current},
      {"0.9.0", "0.10.0", TUpdateOutcome::Current},
  };
  TKVIndyHTTP http(Prefs, Work.Path());
  http.SetLoopbackOnly(true);
  for (const auto& c : cases) {
    Server.SetLatestVersion(c.Latest);
    const TUpdateResult result = TUpdateCheck(http, Server.LatestVersionURL(), c.Running).Run();
    EXPECT_EQ(result.Outcome, c.Expected) << c.Latest << " vs " << c.Running << ": " << result.LogLine;
    EXPECT_EQ(result.Answer.Version, c.Latest);
    EXPECT_EQ(result.Answer.DownloadPage, Server.Address() + TGameServer::DownloadPagePath);
    EXPECT_NE(result.LogLine.find(c.Latest), std::string::npos) << result.LogLine;
  }
  EXPECT_EQ(Server.RequestCount(TGameServer::LatestVersionKey), static_cast<int>(std::size(cases)));
}

TEST_F(UpdateCheckTest, FailuresAndMalformedAnswersAreOneLogLineAndNoOffer) {
  Prefs.UpdateCheckURL = Server.LatestVersionURL();
  // No version on the server: 404.
  TUpdateResult result = Check();
  EXPECT_EQ(result.Outcome, TUpdateOutcome::Failed);
  for (const char* text : {"<html>oops</html>", "Version=9.9.9\n", "Version=next\nDownloadPage=http://a/\n",
                           "Version=9.9\nDownloadPage=file:///etc/passwd\n"}) {
    Server.SetLatestAnswer(text);
    result = Check();
    EXPECT_EQ(result.Outcome, TUpdateOutcome::Failed) << text;
    EXPECT_TRUE(result.Answer.Version.empty()) << text;
  }
  Server.SetLatestAnswer("Version=9.9\nDownloadPage=http://a/\n" + std::string(TUpdateCheck::MaxAnswerSize, '#'));
  EXPECT_EQ(Check().Outcome, TUpdateOutcome::Failed);
  const std::string log = Log.str();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
  EXPECT_EQ(log.rfind("Update check (" + Server.LatestVersionURL() + "): failed: ", 0), 0u) << log;

  // A server that is gone, and an address that is not a web address.
  Prefs.UpdateCheckURL = "http://127.0.0.1:1/latest";
  EXPECT_EQ(Check().Outcome, TUpdateOutcome::Failed);
  EXPECT_NE(Log.str().find("failed"), std::string::npos);
  Prefs.UpdateCheckURL = "file:///etc/hostname";
  EXPECT_EQ(Check().Outcome, TUpdateOutcome::Failed);
  EXPECT_NE(Log.str().find("not an http(s) address"), std::string::npos);
}

TEST_F(UpdateCheckTest, NoRequestAtAllUnlessAnAddressIsConfiguredAndTheCheckIsOn) {
  Server.SetLatestVersion("9.0");
  // Nothing configured: the default preferences make no request.
  Prefs.SetDefaults();
  EXPECT_TRUE(Prefs.CheckUpdates);
  EXPECT_EQ(Prefs.UpdateCheckURL, "");
  EXPECT_EQ(Check().Outcome, TUpdateOutcome::Off);
  EXPECT_EQ(Log.str(), "");
  // An address, but the check switched off.
  Prefs.UpdateCheckURL = Server.LatestVersionURL();
  Prefs.CheckUpdates = false;
  EXPECT_EQ(Check().Outcome, TUpdateOutcome::Off);
  {
    TUpdateURLVariable variable(Server.LatestVersionURL().c_str());
    EXPECT_EQ(Check().Outcome, TUpdateOutcome::Off);
  }
  EXPECT_EQ(Server.TotalRequests(), 0);

  // Switched on, from the preference and from the environment (which wins).
  Prefs.CheckUpdates = true;
  EXPECT_EQ(Check().Outcome, TUpdateOutcome::Newer);
  EXPECT_EQ(Server.TotalRequests(), 1);
  Prefs.UpdateCheckURL.clear();
  {
    TUpdateURLVariable variable((Server.LatestVersionURL() + "?from=environment").c_str());
    EXPECT_EQ(UpdateCheckAddress(Prefs), Server.LatestVersionURL() + "?from=environment");
    Prefs.UpdateCheckURL = "http://127.0.0.1:1/never";
    EXPECT_EQ(Check().Outcome, TUpdateOutcome::Newer);
  }
  EXPECT_EQ(Server.TotalRequests(), 2);
  EXPECT_EQ(Server.RequestLog().back(), std::string(TGameServer::LatestVersionPath) + "?from=environment");
  {
    // An empty variable counts as not set.
    TUpdateURLVariable variable("");
    EXPECT_EQ(UpdateCheckAddress(Prefs), "http://127.0.0.1:1/never");
  }
}

TEST(UpdateCheckServe, TheServeCommandRefusesALatestVersionThatIsNoVersion) {
  const TCommandResult bad = RunCli("serve --demo --latest-version soon --port 0");
  EXPECT_EQ(bad.ExitCode, 1);
  EXPECT_NE(bad.Err.find("Not a version: soon"), std::string::npos) << bad.Err;
}
