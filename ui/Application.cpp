#include "ui/Application.h"

#include "core/Intl.h"
#include "core/ProgramFolders.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QTimer>

#include <clocale>

int RunPitchbook(int argc, char** argv) {
  QApplication app(argc, argv);
  // QApplication sets the user's locale for everything; numbers in files and on screen stay "C".
  std::setlocale(LC_NUMERIC, "C");
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
  QMainWindow window;
  window.setWindowTitle("Pitchbook");
  window.setCentralWidget(new QLabel(QString::fromStdString(folder.string())));
  window.resize(1100, 720);
  window.show();
  if (parser.isSet(quitOption)) QTimer::singleShot(parser.value(quitOption).toInt(), &window, &QWidget::close);
  return app.exec();
}
