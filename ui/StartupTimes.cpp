#include "ui/StartupTimes.h"

#include "core/Utils.h"
#include "ui/FormMain.h"

#include <QEvent>
#include <QTimer>

#include <cstdlib>
#include <ctime>
#include <iostream>

void TStartupTimes::AttachIfAsked(TFormMain& window) {
  const char* fileName = std::getenv("PITCHBOOK_STARTUP_TIMES");
  if (!fileName || !*fileName) return;
  new TStartupTimes(window, fileName);
}

TStartupTimes::TStartupTimes(TFormMain& window, std::string fileName)
    : QObject(&window), FWindow(window), FFileName(std::move(fileName)) {
  window.installEventFilter(this);
  connect(&window, &TFormMain::StartupLoadingFinished, this, [this] {
    if (!FLoaded) FLoaded = Now();
  });
  connect(&window, &TFormMain::StartupCompleted, this, [this] {
    if (!FCompleted) FCompleted = Now();
    Check();
  });
}

int64_t TStartupTimes::Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

bool TStartupTimes::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &FWindow && event->type() == QEvent::Paint && !FPainted) {
    FPainted = Now();
    // Counted once the paint has been delivered, so the check runs after it.
    QTimer::singleShot(0, this, [this] { Check(); });
  }
  return QObject::eventFilter(watched, event);
}

void TStartupTimes::Check() {
  if (FWritten || !FPainted || !FCompleted) return;
  FWritten = true;
  const std::string text = "paint " + std::to_string(FPainted) + "\nloaded " + std::to_string(FLoaded) +
                           "\ncompleted " + std::to_string(FCompleted) + "\n";
  try {
    SaveFileAtomically(FFileName, text);
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
  }
  QTimer::singleShot(0, &FWindow, &QWidget::close);
}
