#include "ui/Application.h"

#include "core/DateTime.h"
#include "core/Intl.h"
#include "core/ProgramFolders.h"
#include "ui/FormMain.h"
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
  window.show();
  if (parser.isSet(quitOption)) QTimer::singleShot(parser.value(quitOption).toInt(), &window, &QWidget::close);
  const int result = app.exec();
  TSyncHook::Uninstall();
  return result;
}
