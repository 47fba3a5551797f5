#pragma once
// Start-up timing for the start-up benchmark: with PITCHBOOK_STARTUP_TIMES naming a file, the main window
// writes the CLOCK_MONOTONIC time (in nanoseconds) of its first paint, of the end of the start-up loader's
// loading and of the end of the whole start-up into that file, then closes itself. The benchmark takes the
// same clock just before it starts the program, so every figure is a time from launch.
#include <QObject>

#include <cstdint>
#include <string>

class TFormMain;

class TStartupTimes : public QObject {
public:
  // Watches the window when the variable is set; otherwise does nothing.
  static void AttachIfAsked(TFormMain& window);

  TStartupTimes(TFormMain& window, std::string fileName);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void Check();
  static int64_t Now();

  TFormMain& FWindow;
  std::string FFileName;
  int64_t FPainted = 0;
  int64_t FLoaded = 0;
  int64_t FCompleted = 0;
  bool FWritten = false;
};
