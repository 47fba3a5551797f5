// The local game server: routes, sessions, the folder source, faults, and `pitchbook-cli serve`.
#include "TestSupport.h"

#include "data/Preferences.h"
#include "demo/GameServer.h"
#include "download/KVIndyHTTP.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <future>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

class GameServerTest : public ::testing::Test {
protected:
  GameServerTest() : Server(std::make_shared<TFolderWorldSource>(Home / "world")) {}

  void SetUp() override {
    WriteWholeFile(Home / "world" / "club.xml", "<KickvaleData><FileName>club</FileName></KickvaleData>");
    Server.AddAccount("Manager", "s3cret");
    Server.Start();
    Prefs.ConnectionSite = Server.Host();
    Prefs.ChooseBestServer = false;
    Http = std::make_unique<TKVIndyHTTP>(Prefs, Home / "Work");
    Http->SetLoopbackOnly(true);
    Http->SetReadTimeout(2000);
  }

  std::string Get(const std::string& target) { return Http->GetText(Server.Address() + target); }

  TTempFolder Home;
  TGameServer Server;
  TPreferences Prefs;
  std::unique_ptr<TKVIndyHTTP> Http;
};

TEST(FolderWorldSourceTest, NamesFilesAfterTheRequest) {
  struct {
    TGameRequest Request;
    const char* Expected;
  } cases[] = {
      {{"players", {}}, "players.xml"},
      {{"MatchLineup", {{"teamID", "5"}, {"matchID", "77"}}}, "matchlineup@matchid=77@teamid=5.xml"},
      {{"matchlineup", {{"matchID", ""}, {"teamID", "5"}}}, "matchlineup@teamid=5.xml"},
      {{"../players", {}}, ""},
      {{"players", {{"teamID", "../../etc"}}}, ""},
      {{"players", {{"teamID", ".hidden"}}}, ""},
      {{"", {}}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Request.File);
    EXPECT_EQ(TFolderWorldSource::FileNameFor(c.Request), c.Expected);
  }
}

TEST(FolderWorldSourceTest, FallsBackToTheFileWithoutParameters) {
  TTempFolder home;
  WriteWholeFile(home / "matchlineup.xml", "generic");
  WriteWholeFile(home / "matchlineup@teamid=5.xml", "team 5");
  WriteWholeFile(home / "secret.xml", "secret");
  TFolderWorldSource source(home.Path());
  EXPECT_EQ(source.Answer({"matchlineup", {{"teamID", "5"}}}), "team 5");
  EXPECT_EQ(source.Answer({"matchlineup", {{"teamID", "6"}}}), "generic");
  EXPECT_EQ(source.Answer({"matchdetails", {}}), std::nullopt);
  EXPECT_EQ(source.Answer({"matchlineup", {{"teamID", "../secret"}}}), std::nullopt);
}

TEST_F(GameServerTest, FileRequestsNeedASession) {
  EXPECT_NE(Get("/community/ckpp/ckppxml.axd?file=club").find("Not authorized"), std::string::npos);
  EXPECT_EQ(Server.RequestCount(TGameServer::UnauthorizedKey), 1);
  ASSERT_TRUE(Http->Login("Manager", "s3cret"));
  EXPECT_EQ(Get("/community/ckpp/ckppxml.axd?file=club"), "<KickvaleData><FileName>club</FileName></KickvaleData>");
  EXPECT_EQ(Server.RequestCount("club"), 2);
  EXPECT_EQ(Server.RequestCount(TGameServer::UnauthorizedKey), 1);

  TPreferences other;
  other.ConnectionSite = Server.Host();
  other.ChooseBestServer = false;
  TKVIndyHTTP stranger(other, Home / "Work2");
  stranger.SetLoopbackOnly(true);
  EXPECT_NE(stranger.GetText(Server.Address() + "/community/ckpp/ckppxml.axd?file=club").find("Not authorized"),
            std::string::npos);
  Server.SetRequireSession(false);
  EXPECT_EQ(stranger.GetText(Server.Address() + "/community/ckpp/ckppxml.axd?file=club"),
            "<KickvaleData><FileName>club</FileName></KickvaleData>");
}

TEST_F(GameServerTest, AnswersOnlyTheGamesPaths) {
  ASSERT_TRUE(Http->Login("Manager", "s3cret"));
  const char* unknown[] = {
      "/community/ckpp/other.axd?file=club",
      "/Common/ckpp/ckppxml.axd?file=club",           // only live matches there
      "/community/ckpp/ckppxml.axd?file=live",        // and live matches only there
      "/community/ckpp/ckppxml.axd?actionType=view",  // no file
      "/community/ckpp/ckppxml.axd?file=nosuchfile",
  };
  for (const char* target : unknown) {
    SCOPED_TRACE(target);
    try {
      Get(target);
      ADD_FAILURE() << "answered";
    } catch (const EHTTPError& e) {
      EXPECT_EQ(e.Status(), 404);
    }
  }
  EXPECT_EQ(Server.RequestCount(TGameServer::UnknownKey), 4);
  // Paths compare without regard to case, as on the game's server.
  EXPECT_NO_THROW(Get("/COMMUNITY/CKPP/CKPPXML.AXD?file=club"));
}

TEST_F(GameServerTest, RefusesLoginsOfOtherApplications) {
  const std::string base = "/community/ckpp/ckppxml.axd?file=login&actionType=login&loginname=Manager"
                           "&readonlypassword=s3cret";
  EXPECT_NE(Get(base + "&ckppID=734&ckppKey=5D27C0A3-9E14-4B6F-8A52-7F03D9B1E6C4").find("<LoginResult>0<"),
            std::string::npos);
  EXPECT_NE(Get(base + "&ckppID=735&ckppKey=5D27C0A3-9E14-4B6F-8A52-7F03D9B1E6C4").find("<LoginResult>2<"),
            std::string::npos);
  EXPECT_NE(Get(base + "&ckppID=734").find("<LoginResult>2<"), std::string::npos);
}

TEST_F(GameServerTest, FaultsCanBeLimitedToSomeRequests) {
  ASSERT_TRUE(Http->Login("Manager", "s3cret"));
  TGameFaultSpec fault{TGameFault::HttpError};
  fault.Times = 2;
  Server.InjectFault("club", fault);
  EXPECT_THROW(Get("/community/ckpp/ckppxml.axd?file=club"), EHTTPError);
  EXPECT_THROW(Get("/community/ckpp/ckppxml.axd?file=club"), EHTTPError);
  EXPECT_NO_THROW(Get("/community/ckpp/ckppxml.axd?file=club"));
}

TEST_F(GameServerTest, StopEndsAStalledAnswer) {
  ASSERT_TRUE(Http->Login("Manager", "s3cret"));
  Http->SetReadTimeout(20000);
  Server.InjectFault("club", TGameFault::Stall);
  auto request = std::async(std::launch::async, [this] {
    try {
      Get("/community/ckpp/ckppxml.axd?file=club");
      return false;
    } catch (const EHTTPError&) {
      return true;
    }
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const auto start = std::chrono::steady_clock::now();
  Server.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  ASSERT_EQ(request.wait_for(std::chrono::seconds(5)), std::future_status::ready);
  EXPECT_TRUE(request.get());
  EXPECT_FALSE(Server.Running());
}

TEST(CmdServeTest, ServesAFolderUntilInterrupted) {
  TTempFolder home;
  WriteWholeFile(home / "players.xml", "<KickvaleData><FileName>players</FileName></KickvaleData>");
  int out[2];
  ASSERT_EQ(pipe(out), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(out[1], 1);
    close(out[0]);
    close(out[1]);
    const std::string folder = home.Path().string();
    execl(PB_CLI_PATH, PB_CLI_PATH, "serve", folder.c_str(), "--login", "demo", "--code", "a&b", nullptr);
    _exit(127);
  }
  close(out[1]);
  std::string line;
  char c;
  while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
  close(out[0]);
  ASSERT_EQ(line.rfind("http://127.0.0.1:", 0), 0u) << line;

  TPreferences prefs;
  prefs.ConnectionSite = line.substr(7);
  prefs.ChooseBestServer = false;
  TKVIndyHTTP http(prefs, home / "Work");
  http.SetLoopbackOnly(true);
  http.SetReadTimeout(2000);
  EXPECT_TRUE(http.Login("demo", "a&b"));
  http.RequestToWorkFile("%s", {"players"}, "players.xml");
  EXPECT_EQ(ReadWholeFile(home / "Work" / "players.xml"), ReadWholeFile(home / "players.xml"));

  kill(pid, SIGINT);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
