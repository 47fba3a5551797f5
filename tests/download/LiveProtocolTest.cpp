// The viewer's refreshes against the local game server's live service, on the server's clock.
#include "TestSupport.h"

#include "core/DateTime.h"
#include "core/ProgramFolders.h"
#include "data/Preferences.h"
#include "demo/GameServer.h"
#include "demo/LiveMatches.h"
#include "download/KVIndyHTTP.h"
#include "download/MatchUpdates.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;

class LiveProtocolTest : public ::testing::Test {
protected:
  void SetUp() override {
    Kickoff = ParseDateTime("2026-12-09 15:00:00");
    Matches = {MakeLiveMatch(501, Kickoff, "Home One", 11, "Away One", 12),
               MakeLiveMatch(502, Kickoff - 70min, "Home Two", 21, "Away Two", 22)};
    Live = std::make_shared<TLiveMatchesSource>(nullptr, Matches);
    Live->SetNow(Kickoff - 5min);
    Server = std::make_unique<TGameServer>(Live);
    Server->AddAccount("demo", "demo");
    Server->AddAccount("other", "other");
    Server->Start();
    Folders = TProgramFolders(Home.Path(), false, "");
    Folders.CreateDataFolders();
    Prefs.ConnectionSite = Server->Host();
    Prefs.ChooseBestServer = false;
    Http = std::make_unique<TKVIndyHTTP>(Prefs, Folders.WorkFolder());
    Http->SetLoopbackOnly(true);
    Http->SetMainWebHost(Server->Host());
    Http->SetReadTimeout(3000);
    ASSERT_TRUE(Http->Login("demo", "demo"));
  }
  void TearDown() override {
    Http.reset();
    Server->Stop();
  }

  void Add(const std::string& id) { Http->GetText(Http->LiveURL("&actionType=addMatch&matchID=%s", {id})); }

  TMatchViewerHooks Hooks() {
    TMatchViewerHooks hooks;
    hooks.SetStatus = [this](const std::string& s) { Statuses.push_back(s); };
    hooks.PlayGoal = [this] { ++Goals; };
    hooks.SwitchOff = [this] { SwitchedOff = true; };
    hooks.EnableTimer = [this] { ++TimerOn; };
    return hooks;
  }

  // One timer tick on the calling thread.
  void Tick() {
    TMatchUpdates worker(Pages, *Http, Hooks());
    worker.RunHere();
    EXPECT_FALSE(std::filesystem::exists(Folders.WorkFolder() / "Live.XML"));
  }

  TTempFolder Home;
  TClock::time_point Kickoff;
  std::vector<TLiveScriptMatch> Matches;
  std::shared_ptr<TLiveMatchesSource> Live;
  std::unique_ptr<TGameServer> Server;
  TProgramFolders Folders;
  TPreferences Prefs;
  std::unique_ptr<TKVIndyHTTP> Http;
  TMatchPages Pages;
  std::vector<std::string> Statuses;
  int Goals = 0, TimerOn = 0;
  bool SwitchedOff = false;
};

TEST(LiveMatchMinute, FollowsTheHalvesAndTheBreak) {
  const auto k = ParseDateTime("2026-12-09 15:00:00");
  const struct {
    std::chrono::minutes After;
    int Minute;
  } cases[] = {{-1min, -1}, {0min, 0}, {45min, 45}, {50min, 45}, {60min, 45}, {61min, 46}, {105min, 90}, {300min, 90}};
  for (const auto& c : cases) EXPECT_EQ(LiveMatchMinute(k, k + c.After), c.Minute) << c.After.count();
}

TEST(LiveMatchScript, EventsFitTheFinalScore) {
  for (int64_t id = 1; id <= 40; ++id) {
    const TLiveScriptMatch m = MakeLiveMatch(id, {}, "A", 1, "B", 2);
    ASSERT_GE(m.Events.size(), 3u);
    EXPECT_EQ(m.Events.front().Minute, 0);
    EXPECT_GE(m.Events.front().Key, "30");
    EXPECT_LE(m.Events.front().Key, "35_9");
    EXPECT_EQ(m.Events.back().Key, "599_0");
    int home = 0, away = 0, minute = 0;
    for (const auto& e : m.Events) {
      EXPECT_GE(e.Minute, minute);
      minute = e.Minute;
      if (e.Key == "100_1") ++home;
      if (e.Key == "100_2") ++away;
      EXPECT_EQ(e.HomeGoals, home);
      EXPECT_EQ(e.AwayGoals, away);
    }
  }
}

TEST_F(LiveProtocolTest, TwoMatchesFollowedToTheEndSwitchTheRefreshOff) {
  Pages.AddMatch("501");
  Add("501");
  Pages.AddMatch("502");
  Add("502");
  RefreshAll(Pages, *Http, Hooks());
  EXPECT_EQ(Statuses, (std::vector<std::string>{"Refreshing...", "Idle"}));
  TMatch& first = Pages.Tab(0);
  TMatch& second = Pages.Tab(1);
  EXPECT_EQ(first.Caption, "") << "not started yet";
  EXPECT_EQ(first.Commentary.size(), 1u);
  EXPECT_EQ(second.Caption.rfind("Home Two (", 0), 0u);
  EXPECT_EQ(second.MinuteText, "50th");

  // Minute by minute on the server's clock until the worker switches itself off.
  int ticks = 0;
  for (auto now = Kickoff - 4min; !SwitchedOff && ticks < 200; now += 1min, ++ticks) {
    Live->SetNow(now);
    Tick();
  }
  EXPECT_TRUE(SwitchedOff);
  EXPECT_TRUE(first.Ended);
  EXPECT_TRUE(second.Ended);
  EXPECT_EQ(first.MinuteText, "End");
  EXPECT_EQ(ticks, 4 + 105 + 1);
  const TLiveScriptEvent& last = Matches[0].Events.back();
  EXPECT_EQ(first.Caption, "Home One (" + std::to_string(last.HomeGoals) + ") vs (" +
                               std::to_string(last.AwayGoals) + ") Away One");
  EXPECT_EQ(TimerOn, ticks - 1);
  EXPECT_EQ(Goals > 0, last.HomeGoals + last.AwayGoals > 0);
  EXPECT_FALSE(first.AttendanceText.empty());
  EXPECT_FALSE(first.WeatherText.empty());

  // Every event reached the commentary once, and no tag text did.
  std::string text;
  for (const auto& e : first.Commentary) text += e.Text;
  EXPECT_EQ(text.find('<'), std::string::npos);
  EXPECT_EQ(text.find("&nbsp;"), std::string::npos);
  size_t headers = 0;
  for (const auto& e : first.Commentary) headers += e.Colour == TLiveColour::Blue;
  std::vector<int> minutes;
  for (const auto& e : Matches[0].Events)
    if (e.Minute != 0 && (minutes.empty() || minutes.back() != e.Minute)) minutes.push_back(e.Minute);
  EXPECT_EQ(headers, minutes.size());
}

TEST_F(LiveProtocolTest, FollowedListsBelongToTheUser) {
  Add("501");
  Pages.AddMatch("501");
  Live->SetNow(Kickoff + 10min);
  RefreshAll(Pages, *Http, Hooks());
  EXPECT_EQ(Pages.Tab(0).Caption.empty(), false);

  TKVIndyHTTP other(Prefs, Folders.WorkFolder());
  other.SetLoopbackOnly(true);
  other.SetMainWebHost(Server->Host());
  ASSERT_TRUE(other.Login("other", "other"));
  const TLiveAnswer answer = ReadLiveAnswer(FetchLiveAnswer(other, "viewAll"));
  EXPECT_TRUE(answer.Matches.empty());
  // An unknown match cannot be followed: the request fails as a connection failure would.
  EXPECT_THROW(other.GetText(other.LiveURL("&actionType=addMatch&matchID=%s", {"999"})), EHTTPError);
}

TEST_F(LiveProtocolTest, AFailedRefreshSaysSoAndSwitchesOff) {
  Pages.AddMatch("501");
  Add("501");
  Server->InjectFault("live", TGameFault::TruncatedXml);
  Tick();
  EXPECT_EQ(Statuses, (std::vector<std::string>{"Refreshing...", "Connection failed"}));
  EXPECT_TRUE(SwitchedOff);
  EXPECT_EQ(TimerOn, 0);
}

}  // namespace

namespace {
// The window switches a tab's goal sounds while the refresh worker reads them: under ThreadSanitizer this
// proves the switches are safe to share (scripts/sanitize.sh runs it there).
TEST_F(LiveProtocolTest, SoundSwitchesChangeSafelyWhileTheRefreshWorkerRuns) {
  for (const char* id : {"501", "502"}) {
    Pages.AddMatch(id);
    Add(id);
  }
  for (int minute = 10; minute <= 100; minute += 30) {
    Live->SetNow(Kickoff + std::chrono::minutes(minute));
    TMatchUpdates worker(Pages, *Http, Hooks());
    worker.Start();
    for (bool on = false; !worker.Finished(); on = !on) {
      Pages.Tab(0).HomeScores = on;
      Pages.Tab(1).AwayScores = on;
    }
    worker.WaitFor();
    EXPECT_FALSE(worker.Failed());
  }
  EXPECT_TRUE(Pages.Tab(1).Ended);
}
}  // namespace
