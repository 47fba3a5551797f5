#include "ui/FormMain.h"

#include "core/DateTime.h"
#include "core/Errors.h"
#include "core/Intl.h"
#include "data/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include "ui/Messages.h"
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QString Q(const std::string& text) { return QString::fromStdString(text); }
QString Q(const char* text) { return QString::fromUtf8(text); }
}  // namespace

TFormMain::TFormMain(std::filesystem::path programFolder, QWidget* parent)
    : QMainWindow(parent), FProgramFolder(std::move(programFolder)) {
  setWindowTitle("Pitchbook");
  setMinimumSize(400, 500);
  resize(1100, 760);
  BuildMenus();
  BuildCentralArea();
}

TFormMain::~TFormMain() = default;

bool TFormMain::FormCreate() {
  ApplyProgramFormatSettings();
  auto& prefs = Preferences();
  prefs.ProgramFolder = FProgramFolder;
  if (auto loaded = prefs.Load(); !loaded)
    ShowErrorMessage(this, Q(loaded.Message));
  FFolders = std::make_unique<TProgramFolders>(FProgramFolder, prefs.UseAlternateHistoryPath,
                                               prefs.AlternateHistoryPath);
  try {
    FFolders->CreateDataFolders();
  } catch (const EInOutError& e) {
    ShowErrorMessage(this, Q(e.what()));
    return false;
  }
  FStatusFolder->setText(Q(FormatText(_("History folder: %s"), FFolders->HistoryFolder().c_str())));
  if (auto* screen = QApplication::primaryScreen()) {
    auto area = screen->availableGeometry();
    resize(std::min(width(), area.width()), std::min(height(), area.height()));
    move(area.center() - rect().center());
  }
  return true;
}

void TFormMain::closeEvent(QCloseEvent* event) {
  if (auto saved = Preferences().Save(); !saved)
    ShowErrorMessage(this, Q(saved.Message));
  event->accept();
}

void TFormMain::BuildMenus() {
  auto* fileMenu = menuBar()->addMenu(Q(_("&File")));
  auto* exitAction = fileMenu->addAction(Q(_("E&xit")));
  exitAction->setShortcut(QKeySequence::Quit);
  connect(exitAction, &QAction::triggered, this, &QWidget::close);
}

void TFormMain::BuildCentralArea() {
  FPages = new QTabWidget(this);
  for (const char* caption : {N_("Players"), N_("Matches")}) {
    auto* page = new QWidget(FPages);
    auto* layout = new QVBoxLayout(page);
    auto* note = new QLabel(Q(_("No snapshot loaded yet.")), page);
    note->setAlignment(Qt::AlignCenter);
    layout->addWidget(note);
    FPages->addTab(page, Q(_(caption)));
  }
  setCentralWidget(FPages);
  FStatusFolder = new QLabel(this);
  statusBar()->addWidget(FStatusFolder, 1);
}
