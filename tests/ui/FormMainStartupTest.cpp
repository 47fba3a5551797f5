#include "FormMainTestSupport.h"

#include "data/Startup.h"
#include "core/Worker.h"
#include "demo/SampleWorld.h"
#include "ui/Icons.h"
#include "ui/MatchGrid.h"
#include "ui/SyncHook.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QEventLoop>
#include <QProgressBar>
#include <QTimer>

#include <atomic>
#include <set>
#include <stdexcept>
#include <thread>

namespace {
using enum TFormMain::TCommand;

// A worker whose steps run through Synchronize, as the loader's do.
class TSyncWorker : public TWorker {
public:
  std::function<void()> Step;
  int Steps = 1;
  std::atomic<int> Done{0};
  std::string Caught;

protected:
  void Execute() override {
    for (int i = 0; i < Steps && !Terminated(); ++i) {
      try {
        Synchronize(Step);
      } catch (const std::exception& e) {
        Caught = e.what();
      }
      ++Done;
    }
  }
};

class TFormMainStartup : public ::testing::Test {
protected:
  void SetUp() override {
    ResetProgramState();
    TSampleWorldOptions options;
    options.Seasons = 2;
    WriteSampleWorld(Home.Path(), options, &Info);
  }
  void TearDown() override {
    ResetProgramState();
  }

  TTempFolder Home;
  TSampleWorldInfo Info;
  TCapturedMessages Messages;
};
}  // namespace

TEST(SyncHook, CallsRunOnTheWindowThreadAndTheirExceptionsReachTheWorker) {
  TSyncHook::Install();
  const auto windowThread = std::this_thread::get_id();
  TSyncWorker worker;
  std::vector<std::thread::id> threads;
  int calls = 0;
  worker.Steps = 3;
  worker.Step = [&] {
    threads.push_back(std::this_thread::get_id());
    if (++calls == 2) throw std::runtime_error("window call failed");
  };
  worker.Start();
  // The window thread is busy waiting here: the calls must still run.
  TSyncHook::WaitRunningCalls([&] { return worker.Finished(); });
  worker.WaitFor();
  EXPECT_EQ(worker.Done, 3);
  EXPECT_EQ(worker.Caught, "window call failed");
  ASSERT_EQ(threads.size(), 3u);
  for (auto id : threads) EXPECT_EQ(id, windowThread);

  // Through the event loop as well.
  TSyncWorker second;
  int ran = 0;
  second.Step = [&] { ++ran; };
  second.Steps = 5;
  second.Start();
  EXPECT_TRUE(WaitUntil([&] { return second.Finished(); }, 10000));
  second.WaitFor();
  EXPECT_EQ(ran, 5);
  TSyncHook::Uninstall();
}

TEST_F(TFormMainStartup, TheWindowAppearsFirstAndTheCommandsEnableWhenLoadingEnds) {
  TFormMain window(Home.Path() / "");
  std::vector<std::unique_ptr<QWidget>> windows;
  for (int tag : {iiTacticsAdvisor, iiRatingAnalyzer, iiDownload, iiHistory, iiPlayerInformation, iiInjuryAnalyzer}) {
    windows.push_back(std::make_unique<QWidget>());
    window.RegisterToolWindow(tag, windows.back().get());
  }
  ASSERT_TRUE(window.FormCreate());
  std::set<int> progress;
  QObject::connect(&window.ProgressBar(), &QProgressBar::valueChanged, [&](int value) { progress.insert(value); });
  QStringList statusTexts;
  QObject::connect(&window.ProgressBar(), &QProgressBar::valueChanged,
                   [&] { statusTexts << window.StartupPane().text(); });
  window.show();
  // Showing returns at once: the loader works on its thread and nothing data-bound is enabled yet.
  EXPECT_TRUE(window.isVisible());
  ASSERT_NE(window.Startup(), nullptr);
  EXPECT_FALSE(window.LoadingFinished());
  EXPECT_FALSE(window.IsCommandEnabled(cmHistory));
  EXPECT_FALSE(window.IsCommandEnabled(cmMyTeamDownload));

  ASSERT_TRUE(WaitUntil([&] { return window.StartupDone(); }));
  EXPECT_TRUE(window.LoadingFinished());
  for (auto command : {cmHistory, cmMyTeamDownload, cmMatchDownload, cmInjuryAnalyzer, cmPlayerInformation,
                       cmTacticsAdvisor, cmRatingAnalyzer, cmTraining, cmPlayerComparison})
    EXPECT_TRUE(window.IsCommandEnabled(command)) << command;
  // The bar ran from 0 to 100 and is gone with the pane.
  EXPECT_TRUE(progress.count(0));
  EXPECT_TRUE(progress.count(100));
  EXPECT_GT(progress.size(), 5u);
  EXPECT_FALSE(window.ProgressBar().isVisible());
  EXPECT_FALSE(window.StartupPane().isVisible());
  EXPECT_TRUE(statusTexts.contains("Processing history")) << statusTexts.join(", ").toStdString();

  // Every round of the two seasons became a page, the newest is shown and its squad fills the main grid.
  EXPECT_GT(History().Count(), 16);
  EXPECT_EQ(window.ShownHistoryPage(), History().Count());
  const THistoryPage& newest = History().Latest();
  EXPECT_EQ(newest.World.Season, Info.LastSeason);
  EXPECT_FALSE(window.MainPlayerGrid().IsEmpty());
  EXPECT_GE(window.MainPlayerGrid().RowCount() - 1, newest.Players.Count() - 1);
  // The Matches tab opens on the club's own matches.
  EXPECT_EQ(TFormMain::ComboBoxIDText(window.TeamBox(true)), std::to_string(Info.OwnTeamID));
  EXPECT_FALSE(window.MainMatchGrid().IsEmpty());
  EXPECT_EQ(window.TeamBox(true).count(), 3);
  EXPECT_TRUE(Messages.Texts.isEmpty()) << Messages.Texts.join("\n").toStdString();
  window.close();
  EXPECT_EQ(window.Startup(), nullptr);
}

TEST_F(TFormMainStartup, ClosingWhileTheLoaderRunsStopsItWithoutWaitingForever) {
  TFormMain window(Home.Path() / "");
  ASSERT_TRUE(window.FormCreate());
  window.show();
  ASSERT_NE(window.Startup(), nullptr);
  // No events are processed before the close: the loader's first calls are still queued.
  window.close();
  EXPECT_EQ(window.Startup(), nullptr);
  EXPECT_TRUE(std::filesystem::exists(Home / "Preferences.xml"));
}

TEST_F(TFormMainStartup, TheRememberedTogglesAreSwitchedOnAgainAfterLoading) {
  {
    TFormMain window(Home.Path() / "");
    ASSERT_TRUE(window.FormCreate());
    Preferences().StateAssumePassableForms = true;
    Preferences().StateTraining = true;
    Preferences().StatePlayerComparison = false;
    window.show();
    ASSERT_TRUE(WaitUntil([&] { return window.StartupDone(); }));
    EXPECT_TRUE(window.IsAssumePassableForms());
    EXPECT_TRUE(window.IsTrainingOn());
    EXPECT_FALSE(window.IsComparisonOn());
    EXPECT_TRUE(window.MainPlayerGrid().Modes().Training);
    window.close();
  }
  EXPECT_TRUE(Preferences().StateTraining);
  EXPECT_TRUE(Preferences().StateAssumePassableForms);
}

TEST_F(TFormMainStartup, FilesThatFailToLoadAreReportedInAPlainBox) {
  // The newest snapshot's players file is cut short.
  const auto& newest = Info.Snapshots.back();
  ASSERT_FALSE(newest.Record);
  WriteWholeFile(Home / "History" / newest.FileName, "<KickvaleData><Team>");
  TFormMain window(Home.Path() / "");
  ASSERT_TRUE(window.FormCreate());
  window.show();
  ASSERT_TRUE(WaitUntil([&] { return window.StartupDone(); }));
  ASSERT_EQ(Messages.Texts.size(), 1);
  EXPECT_TRUE(Messages.Texts[0].startsWith("Following team data files could not be loaded properly:"));
  EXPECT_TRUE(Messages.Texts[0].contains(QString::fromStdString(newest.Date + " *.xml")))
      << Messages.Texts[0].toStdString();
  window.close();
}

TEST_F(TFormMainStartup, ACloseRequestWhileTheLoaderShowsABoxWaitsForTheBox) {
  const auto& newest = Info.Snapshots.back();
  WriteWholeFile(Home / "History" / newest.FileName, "<KickvaleData><Team>");
  TFormMain window(Home.Path() / "");
  ASSERT_TRUE(window.FormCreate());
  QStringList shown;
  bool closedDuringBox = false;
  // The box runs its own event loop, and the close request arrives in it.
  SetMessageSink([&](const QString& text) {
    QTimer::singleShot(0, &window, &QWidget::close);
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    closedDuringBox = !window.isVisible();
    shown << text;
  });
  window.show();
  ASSERT_TRUE(WaitUntil([&] { return !window.isVisible(); }, 20000));
  EXPECT_FALSE(closedDuringBox);
  EXPECT_EQ(shown.size(), 1);
  EXPECT_EQ(window.Startup(), nullptr);
}
