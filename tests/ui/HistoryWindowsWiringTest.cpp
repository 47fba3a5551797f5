#include "FormMainTestSupport.h"

#include "demo/SampleWorld.h"
#include "ui/FormHistory.h"
#include "ui/FormHistoryGraphs.h"
#include "ui/HistoryWindowsWiring.h"
#include "ui/Icons.h"

#include <QAction>

namespace {
using enum TFormMain::TCommand;
}

TEST(HistoryWindowsWiring, TheStartUpShowsTheNewestPageAndTheCommandsOpenBothWindows) {
  ResetProgramState();
  TTempFolder home;
  TSampleWorldOptions options;
  options.Seasons = 2;
  TSampleWorldInfo info;
  WriteSampleWorld(home.Path(), options, &info);
  TCapturedMessages messages;
  {
    TFormMain window(home.Path() / "");
    ASSERT_TRUE(window.FormCreate());
    TFormHistory history(History(), &window);
    TFormHistoryGraphs graphs(History(), &window);
    ConnectHistoryWindows(window, history, graphs);
    window.show();
    ASSERT_TRUE(WaitUntil([&] { return window.StartupDone(); }));
    // The loader made the newest snapshot current in the history window.
    ASSERT_NE(history.CurrentPage(), nullptr);
    EXPECT_EQ(history.CurrentPage(), &History().Latest());
    EXPECT_TRUE(window.IsCommandEnabled(cmHistory));
    EXPECT_TRUE(window.IsCommandEnabled(cmPlayerInformation));

    window.ButtonAction(cmHistory)->trigger();
    EXPECT_TRUE(history.isVisible());
    // A double-click in the main grid opens the graphs on the current row's player.
    window.MainPlayerGrid().SelectCell(1, 1);
    window.MainPlayerGrid().DblClick();
    EXPECT_TRUE(graphs.isVisible());
    EXPECT_TRUE(window.ButtonAction(cmPlayerInformation)->isChecked());
    graphs.close();
    history.close();
    window.close();
  }
  EXPECT_TRUE(messages.Texts.isEmpty()) << messages.Texts.join("\n").toStdString();
  ResetProgramState();
}
