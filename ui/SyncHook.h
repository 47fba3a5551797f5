#pragma once
// The desktop program's Synchronize hook: a worker's call runs on the window thread while the worker waits.
//
// The calls are queued and the window thread runs them from its event loop. A window thread that has to
// wait for a worker (the main window's close handler stopping the start-up loader) must not simply join
// it: the worker may be waiting for one of these calls. It waits with WaitRunningCalls instead, which
// keeps running the queued calls until the worker is done. An exception raised by a call is carried back
// and raised again on the worker's thread, where the worker's own handlers deal with it.
#include <functional>

class TSyncHook {
public:
  // Installs the hook (TWorker::SetSyncHook); call it on the window thread once a QCoreApplication exists.
  static void Install();
  // Removes it; workers then run their calls on their own thread.
  static void Uninstall();
  // Runs every queued call now (window thread only). Returns how many ran.
  static int RunPending();
  // On the window thread: returns when done() is true, running the queued calls meanwhile (no other
  // events are processed). done is polled at least every few milliseconds.
  static void WaitRunningCalls(const std::function<bool()>& done);
  // True while the window thread is inside a worker's call (a message box it shows runs its own event
  // loop, in which a close request may arrive: waiting for the worker there would never end).
  static bool InCall();
};
