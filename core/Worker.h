#pragma once
// The base of the engine's workers (start-up loader, download jobs, lineup search, live refresh): a thread
// with a stop flag polled between steps, an optional suspend point, and a Synchronize hook through which
// the worker changes windows. The desktop program installs a hook that runs the function on the window
// thread and waits; without a hook (CLI, tests) the function runs at once on the worker's thread.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class TWorker {
public:
  using TSyncHook = std::function<void(const std::function<void()>&)>;

  TWorker() = default;
  TWorker(const TWorker&) = delete;
  TWorker& operator=(const TWorker&) = delete;
  virtual ~TWorker();

  // Starts Execute on a new thread, at the priority asked for with SetPriority.
  void Start();
  // Below normal: the thread yields to the window thread (on Linux a higher nice value). Applies to the
  // thread of the next Start only; RunHere leaves the calling thread alone.
  enum class TPriority { Normal, BelowNormal };
  void SetPriority(TPriority priority) { FPriority = priority; }
  TPriority Priority() const { return FPriority; }
  // Runs Execute on the calling thread (the CLI and tests use it to run a worker to its end).
  void RunHere();
  // Asks the worker to stop at its next check; does not wait.
  void Terminate() { FTerminated.store(true); }
  bool Terminated() const { return FTerminated.load(); }
  // Waits until the thread has ended (no-op when it was never started).
  void WaitFor();
  bool Finished() const { return FFinished.load(); }
  // Wakes a worker that waits in Suspend.
  void Resume();

  // The program-wide hook; set once by the desktop program before any worker starts.
  static void SetSyncHook(TSyncHook hook);
  // Runs fn through the hook (on the window thread) and waits for it.
  static void Synchronize(const std::function<void()>& fn);

protected:
  virtual void Execute() = 0;
  // Blocks the worker's thread until Resume or Terminate (used at the end of the start-up loader).
  void Suspend();

private:
  std::thread FThread;
  std::atomic<bool> FTerminated{false};
  std::atomic<bool> FFinished{false};
  std::mutex FMutex;
  std::condition_variable FWake;
  bool FResumed = false;
  TPriority FPriority = TPriority::Normal;
};
