#include "ui/Application.h"

#include "core/DateTime.h"
#include "core/Intl.h"
#include "core/ProgramFolders.h"
#include "data/History.h"
#include "ui/FormArenaAdvisor.h"
#include "ui/FormCustomFormation.h"
#include "ui/FormDownload.h"
#include "ui/FormHistory.h"
#include "ui/FormHistoryGraphs.h"
#include "ui/FormInjuryAnalyzer.h"
#include "ui/FormMatchViewer.h"
#include "ui/FormKeeperAnalyzer.h"
#include "ui/FormRatingAnalyzer.h"
#include "ui/FormMain.h"
#include "ui/FormTacticsAdvisor.h"
#include "ui/FormTeamSelection.h"
#include "ui/HistoryWindowsWiring.h"
#include "ui/Icons.h"
#include "ui/SyncHook.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

int RunPitchbook(int argc, char** argv) {
  QApplication app(argc, argv);
  // QApplication takes the user's locale for everything; numbers in files and on screen stay "C".
  ApplyProgramFormatSettings();
  QApplication::setApplicationName("Pitchbook");
  QCommandLineParser parser;
  parser.addHelpOption();
  QCommandLineOption homeOption("home", "Program folder (data, preferences).", "DIR");
  QCommandLineOption quitOption("quit-after", "Close the main window after MS milliseconds.", "MS");
  parser.addOption(homeOption);
  parser.addOption(quitOption);
  parser.process(app);
  auto folder = ResolveProgramFolder(parser.value(homeOption).toStdString());
  InitTranslations(folder);
  ApplyProgramFormatSettings();
  // Workers change windows only through calls run here, on the window thread.
  TSyncHook::Install();
  InitIconTheme();

  TFormMain window(folder);
  if (!window.FormCreate()) return 1;
  // The tool windows follow the main window, and go before it: they use its HTTP client and grids.
  TFormDownload formDownload(window);
  formDownload.FormCreate();
  // The lineup search's windows: the advisor registers for the Tactics Advisor command; the team selection
  // window owns the search and the custom formation window hands fixed players to it through the advisor.
  TFormTacticsAdvisor formTacticsAdvisor(window);
  TFormTeamSelection formTeamSelection(window, formTacticsAdvisor);
  TFormCustomFormation formCustomFormation(formTacticsAdvisor);
  TFormArenaAdvisor formArenaAdvisor(window);
  TFormHistory formHistory(History(), &window);
  TFormHistoryGraphs formHistoryGraphs(History(), &window);
  ConnectHistoryWindows(window, formHistory, formHistoryGraphs);
  TFormKeeperAnalyzer formKeeperAnalyzer(window);
  TFormRatingAnalyzer formRatingAnalyzer(window, [&formHistory] { return formHistory.CurrentPage(); });
  TFormInjuryAnalyzer formInjuryAnalyzer(window);
  TFormMatchViewer formMatchViewer(&window, window.HTTP(), window.ProgramFolder());
  window.show();
  if (parser.isSet(quitOption)) QTimer::singleShot(parser.value(quitOption).toInt(), &window, &QWidget::close);
  const int result = app.exec();
  TSyncHook::Uninstall();
  return result;
}
