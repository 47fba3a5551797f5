#include "core/Worker.h"

#include <algorithm>
#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace {
TWorker::TSyncHook& SyncHook() {
  static TWorker::TSyncHook hook;
  return hook;
}
// Nice steps of "below normal" above the process's own value.
constexpr int BelowNormalNiceSteps = 5;

void ApplyPriority(TWorker::TPriority priority) {
  if (priority == TWorker::TPriority::Normal) return;
  // On Linux the nice value is a thread's own: PRIO_PROCESS with the thread ID changes only this thread.
  // Raising it needs no privilege; a failure leaves the thread at normal priority, which is harmless.
  const id_t thread = static_cast<id_t>(gettid());
  errno = 0;
  const int nice = getpriority(PRIO_PROCESS, thread);
  if (errno == 0) setpriority(PRIO_PROCESS, thread, std::min(nice + BelowNormalNiceSteps, 19));
}
}  // namespace

TWorker::~TWorker() {
  // A worker is never destroyed while its thread runs: stop it, wake it and wait.
  Terminate();
  Resume();
  WaitFor();
}

void TWorker::Start() {
  FFinished.store(false);
  FThread = std::thread([this, priority = FPriority] {
    ApplyPriority(priority);
    Execute();
    FFinished.store(true);
  });
}

void TWorker::RunHere() {
  FFinished.store(false);
  Execute();
  FFinished.store(true);
}

void TWorker::WaitFor() {
  if (FThread.joinable() && FThread.get_id() != std::this_thread::get_id()) FThread.join();
}

void TWorker::Resume() {
  {
    std::lock_guard lock(FMutex);
    FResumed = true;
  }
  FWake.notify_all();
}

void TWorker::Suspend() {
  std::unique_lock lock(FMutex);
  FWake.wait(lock, [this] { return FResumed || Terminated(); });
  FResumed = false;
}

void TWorker::SetSyncHook(TSyncHook hook) { SyncHook() = std::move(hook); }

void TWorker::Synchronize(const std::function<void()>& fn) {
  auto& hook = SyncHook();
  if (hook)
    hook(fn);
  else
    fn();
}
