#include "core/Worker.h"

namespace {
TWorker::TSyncHook& SyncHook() {
  static TWorker::TSyncHook hook;
  return hook;
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
  FThread = std::thread([this] {
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
