#include "ui/HistoryWindowsWiring.h"

#include "data/History.h"
#include "ui/FormHistory.h"
#include "ui/FormHistoryGraphs.h"
#include "ui/FormMain.h"
#include "ui/Icons.h"
#include "ui/PlayerGrid.h"

#include <QAction>

void ConnectHistoryWindows(TFormMain& window, TFormHistory& history, TFormHistoryGraphs& graphs) {
  TFormHistoryHost hh;
  hh.MainGrid = &window.MainPlayerGrid();
  hh.TempGrid = &window.TempPlayerGrid();
  hh.CurrentPageChanged = [&window](int i) { window.SetShownHistoryPage(i); };
  hh.IsComparisonOn = [&window] { return window.IsComparisonOn(); };
  hh.RunPlayerComparison = [&window] { window.PlayerComparisonClick(); };
  hh.IsArenaAdvisorEnabled = [&window] { return window.IsCommandEnabled(TFormMain::cmArenaAdvisor); };
  hh.SetArenaAdvisorEnabled = [&window](bool on) { window.SetCommandEnabled(TFormMain::cmArenaAdvisor, on); };
  hh.CloseHistoryGraphs = [&graphs] {
    if (graphs.isVisible()) graphs.close();
  };
  hh.Closed = [&window] { window.ReleaseToolButton(iiHistory); };
  history.SetHost(hh);
  window.RegisterToolWindow(iiHistory, &history);

  TFormHistoryGraphsHost gh;
  gh.MainGrid = &window.MainPlayerGrid();
  gh.CurrentPage = [&history] { return history.CurrentPage(); };
  gh.Closed = [&window] { window.ReleaseToolButton(iiPlayerInformation); };
  graphs.SetHost(gh);
  window.RegisterToolWindow(iiPlayerInformation, &graphs);

  // A double-click in the main grid opens the graphs on the page its column stands for.
  QObject::connect(&window.MainPlayerGrid(), &TPlayerGrid::HistoryGraphsRequested, &graphs,
                   [&window, &graphs](int col, int) {
                     if (History().Count() == 0 || !window.IsCommandEnabled(TFormMain::cmHistory)) return;
                     // Checked directly: a tool-button click would open the window a second time.
                     window.ButtonAction(TFormMain::cmPlayerInformation)->setChecked(true);
                     graphs.ShowForGridColumn(col);
                   });
  QObject::connect(&window, &TFormMain::HistoryPageShown, &history, [&history](int i) {
    if (i >= 1 && i <= History().Count()) history.ShowPage(&History().Page(i), nullptr);
  });
}
