// The match viewer window against the local game server's live service, on the server's clock.
#include "TestSupport.h"

#include "core/DateTime.h"
#include "core/ProgramFolders.h"
#include "data/Preferences.h"
#include "demo/GameServer.h"
#include "demo/LiveMatches.h"
#include "download/KVIndyHTTP.h"
#include "ui/FormMatchViewer.h"
#include "ui/SyncHook.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>

namespace {

using namespace std::chrono_literals;

class TFormMatchViewerTest : public ::testing::Test {
protected:
  void SetUp() override {
    TSyncHook::Install();
    Kickoff = ParseDateTime("2026-12-09 15:00:00");
    std::vector<TLiveScriptMatch> matches;
    for (int i = 0; i < 11; ++i)
      matches.push_back(MakeLiveMatch(601 + i, Kickoff - std::chrono::minutes(70 * (i % 2)),
                                      "Home " + std::to_string(i), 10 + i, "Away " + std::to_string(i), 30 + i));
    Live = std::make_shared<TLiveMatchesSource>(nullptr, matches);
    Live->SetNow(Kickoff + 20min);
    Server = std::make_unique<TGameServer>(Live);
    Server->AddAccount("demo", "demo");
    Server->Start();
    Folders = TProgramFolders(Home.Path(), false, "");
    Folders.CreateDataFolders();
    Prefs.ConnectionSite = Server->Host();
    Prefs.ChooseBestServer = false;
    Http = std::make_unique<TKVIndyHTTP>(Prefs, Folders.WorkFolder());
    Http->SetLoopbackOnly(true);
    Http->SetMainWebHost(Server->Host());
    Http->SetReadTimeout(3000);
    Form = std::make_unique<TFormMatchViewer>(nullptr, *Http, Home.Path());
    Form->EditUser().setText("demo");
    Form->EditCode().setText("demo");
  }
  void TearDown() override {
    Form.reset();
    Http.reset();
    Server->Stop();
    TSyncHook::Uninstall();
  }
  void Add(const std::string& id) {
    Form->EditMatchID().setText(QString::fromStdString(id));
    Form->ButtonAddMatchClick();
  }
  // One timer tick: the worker runs on its thread; its calls to the window run here while we wait.
  void Tick() {
    Form->TimerTimer();
    Form->WaitForWorker();
  }

  TTempFolder Home;
  TClock::time_point Kickoff;
  std::shared_ptr<TLiveMatchesSource> Live;
  std::unique_ptr<TGameServer> Server;
  TProgramFolders Folders;
  TPreferences Prefs;
  std::unique_ptr<TKVIndyHTTP> Http;
  std::unique_ptr<TFormMatchViewer> Form;
};

TEST_F(TFormMatchViewerTest, TwoMatchesRefreshedToTheEndSwitchTheRefreshOff) {
  EXPECT_FALSE(Form->ToolRemove().isEnabled());
  EXPECT_FALSE(Form->ToolStart().isEnabled());
  Form->ToolAddClick();
  EXPECT_TRUE(Form->AddPanel().isVisibleTo(Form.get()));
  Add("601");
  Add("602");
  EXPECT_FALSE(Form->AddPanel().isVisibleTo(Form.get()));
  ASSERT_EQ(Form->Tabs().count(), 2);
  EXPECT_TRUE(Form->ToolRemove().isEnabled());
  EXPECT_TRUE(Form->RefreshOn());
  EXPECT_EQ(Form->ToolStart().text(), "Stop");
  EXPECT_EQ(Form->TabPage(0).Minute().text(), "20th");
  EXPECT_EQ(Form->TabPage(1).Minute().text(), "75th");
  EXPECT_EQ(Form->StatusPanel().text(), "Idle");
  EXPECT_TRUE(Form->Tabs().tabText(0).startsWith("Home 0 ("));

  // Adding a match already shown sends nothing.
  const int requests = Server->TotalRequests();
  Add("601");
  EXPECT_EQ(Server->TotalRequests(), requests);

  int ticks = 0;
  for (auto now = Kickoff + 21min; Form->RefreshOn() && ticks < 120; now += 1min, ++ticks) {
    Live->SetNow(now);
    Tick();
    const char* shots = std::getenv("PB_SHOTS_DIR");
    if (shots && now == Kickoff + 75min) {  // the first in its second half, the second ended
      Form->resize(720, 600);
      Form->Tabs().setCurrentIndex(0);
      Form->grab().save(QString(shots) + "/viewer-second-half.png");
      Form->Tabs().setCurrentIndex(1);
      Form->grab().save(QString(shots) + "/viewer-ended-tab.png");
    }
  }
  EXPECT_FALSE(Form->RefreshOn());
  EXPECT_EQ(Form->ToolStart().text(), "Start");
  EXPECT_EQ(Form->TabPage(0).Minute().text(), "End");
  EXPECT_EQ(Form->TabPage(1).Minute().text(), "End");
  EXPECT_EQ(Form->StatusPanel().text(), "Idle");
  const QString text = Form->TabPage(0).Commentary().toPlainText();
  EXPECT_TRUE(text.contains("The referee ends the match"));
  EXPECT_FALSE(text.contains('<'));
  if (const char* shots = std::getenv("PB_SHOTS_DIR")) {
    Form->Tabs().setCurrentIndex(0);
    Form->grab().save(QString(shots) + "/viewer-both-ended.png");
  }
}

TEST_F(TFormMatchViewerTest, TenTabsAtMostAndRemovingKeepsOrDropsTabs) {
  for (int i = 0; i < 10; ++i) Add(std::to_string(601 + i));
  EXPECT_EQ(Form->Tabs().count(), 10);
  EXPECT_FALSE(Form->ToolAdd().isEnabled());
  const int requests = Server->TotalRequests();
  Add("611");
  EXPECT_EQ(Form->Tabs().count(), 10);
  EXPECT_EQ(Server->TotalRequests(), requests);

  // A failed remove keeps the tab.
  Server->InjectFault("live", TGameFaultSpec{TGameFault::HttpError, 500, {}, 1});
  Form->Tabs().setCurrentIndex(9);
  Form->ToolRemoveClick();
  EXPECT_EQ(Form->Tabs().count(), 10);
  EXPECT_EQ(Form->StatusPanel().text(), "Connection failed");

  Form->ToolRemoveClick();
  EXPECT_EQ(Form->Tabs().count(), 9);
  EXPECT_EQ(Form->Tabs().currentIndex(), 8);
  EXPECT_TRUE(Form->ToolAdd().isEnabled());
  while (Form->Tabs().count() > 0) Form->ToolRemoveClick();
  EXPECT_FALSE(Form->ToolRemove().isEnabled());
  EXPECT_EQ(Form->Tabs().currentIndex(), -1);
  EXPECT_EQ(Form->Pages().ActiveIndex(), -1);
}

TEST_F(TFormMatchViewerTest, ClosingWhileARefreshHangsEndsWithinTheReadTimeout) {
  Add("601");
  Http->SetReadTimeout(500);
  Server->InjectFault("live", TGameFaultSpec{TGameFault::Stall, 500, std::chrono::hours(1), -1});
  Form->TimerTimer();
  EXPECT_TRUE(Form->Updating());
  const auto begin = std::chrono::steady_clock::now();
  Form->close();
  Form.reset();  // stops the worker and waits for it
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(5));
}

TEST(FormMatchViewerRendering, HostilePiecesAppearAsPlainCharacters) {
  TMatchTab tab;
  const char* texts[] = {"<b>bold</b>", "<A HREF=\"javascript:x\">link", "<img src=x>", "&amp; &lt;", "<"};
  QString expected;
  for (const char* t : texts) {
    tab.AppendPiece({t, TLiveColour::Green, true});
    expected += QString::fromUtf8(t);
  }
  EXPECT_EQ(tab.Commentary().toPlainText(), expected);
  EXPECT_FALSE(tab.Commentary().toHtml().contains("<img"));
  EXPECT_FALSE(tab.Commentary().toHtml().contains("href=\"javascript"));
  // Invalid UTF-8 reaching a tab is shown with replacement characters, not a crash.
  tab.AppendPiece({std::string("\xff\xfe"), TLiveColour::Black, false});
  EXPECT_EQ(tab.Commentary().toPlainText().size(), expected.size() + 2);
}

}  // namespace

// "Start" and "Stop" are translated differently by other windows (first page, cancel): the viewer's own
// button keeps its own German words.
TEST_F(TFormMatchViewerTest, TheRefreshButtonHasItsOwnGermanWords) {
  TGermanTexts german;
  ASSERT_TRUE(german.Available) << PB_GERMAN_MISSING;
  Form->ToolStartClick();
  EXPECT_EQ(Form->ToolStart().text(), "Stopp");
  Form->ToolStartClick();
  EXPECT_EQ(Form->ToolStart().text(), "Start");
}
