#include "ui/SyncHook.h"

#include "core/Worker.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>

namespace {
struct TCall {
  const std::function<void()>* Fn = nullptr;
  std::exception_ptr Error;
  bool Done = false;
};

struct TQueue {
  std::mutex Mutex;
  std::condition_variable CallDone;  // a worker waits for its call
  std::condition_variable CallAdded; // the window thread waits in WaitRunningCalls
  std::deque<std::shared_ptr<TCall>> Calls;
};

// Calls being run on the window thread (nested when a call runs an event loop).
int gCallDepth = 0;

TQueue& Queue() {
  static TQueue queue;
  return queue;
}

bool OnWindowThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return !app || QThread::currentThread() == app->thread();
}

void RunOnWindowThread(const std::function<void()>& fn) {
  if (OnWindowThread()) {
    fn();
    return;
  }
  auto call = std::make_shared<TCall>();
  call->Fn = &fn;
  TQueue& queue = Queue();
  {
    std::lock_guard lock(queue.Mutex);
    queue.Calls.push_back(call);
  }
  queue.CallAdded.notify_all();
  // The event loop runs the queue; WaitRunningCalls runs it directly while the loop is blocked.
  QMetaObject::invokeMethod(QCoreApplication::instance(), [] { TSyncHook::RunPending(); }, Qt::QueuedConnection);
  std::unique_lock lock(queue.Mutex);
  queue.CallDone.wait(lock, [&] { return call->Done; });
  if (call->Error) std::rethrow_exception(call->Error);
}
}  // namespace

void TSyncHook::Install() { TWorker::SetSyncHook(RunOnWindowThread); }

void TSyncHook::Uninstall() { TWorker::SetSyncHook({}); }

int TSyncHook::RunPending() {
  TQueue& queue = Queue();
  int ran = 0;
  for (;;) {
    std::shared_ptr<TCall> call;
    {
      std::lock_guard lock(queue.Mutex);
      if (queue.Calls.empty()) break;
      call = queue.Calls.front();
      queue.Calls.pop_front();
    }
    ++gCallDepth;
    try {
      (*call->Fn)();
    } catch (...) {
      call->Error = std::current_exception();
    }
    --gCallDepth;
    {
      std::lock_guard lock(queue.Mutex);
      call->Done = true;
    }
    queue.CallDone.notify_all();
    ++ran;
  }
  return ran;
}

bool TSyncHook::InCall() { return gCallDepth > 0; }

void TSyncHook::WaitRunningCalls(const std::function<bool()>& done) {
  TQueue& queue = Queue();
  while (!done()) {
    RunPending();
    std::unique_lock lock(queue.Mutex);
    // Woken by a new call; the time-out catches the end of the worker, which nobody signals here.
    queue.CallAdded.wait_for(lock, std::chrono::milliseconds(5), [&] { return !queue.Calls.empty(); });
  }
  RunPending();
}
