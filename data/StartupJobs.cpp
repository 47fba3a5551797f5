#include "data/StartupJobs.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

void TStartupJobs::Run(size_t count, const std::function<void(size_t job)>& job, const std::function<bool()>& stop,
                       const std::function<void(size_t finished)>& done) const {
  std::atomic<size_t> next{0}, finished{0};
  std::mutex errorMutex;
  std::exception_ptr error;
  std::atomic<bool> failed{false};
  auto work = [&](bool caller) {
    for (;;) {
      if (failed.load() || (stop && stop())) return;
      const size_t index = next.fetch_add(1);
      if (index >= count) return;
      try {
        job(index);
      } catch (...) {
        std::lock_guard lock(errorMutex);
        if (!error) error = std::current_exception();
        failed.store(true);
        return;
      }
      const size_t now = finished.fetch_add(1) + 1;
      if (caller && done) done(now);
    }
  };
  // A helper for fewer than two jobs would only cost its start.
  const size_t helpers = count > 1 ? std::min<size_t>(static_cast<size_t>(FWorkers - 1), count - 1) : 0;
  std::vector<std::thread> threads;
  threads.reserve(helpers);
  for (size_t i = 0; i < helpers; ++i) threads.emplace_back(work, false);
  struct TJoin {
    std::vector<std::thread>& Threads;
    ~TJoin() {
      for (auto& t : Threads) t.join();
    }
  } join{threads};
  try {
    work(true);
  } catch (...) {
    // done() failed on this thread: the helpers stop at their next job.
    failed.store(true);
    for (auto& t : threads) t.join();
    threads.clear();
    throw;
  }
  for (auto& t : threads) t.join();
  threads.clear();
  if (error) std::rethrow_exception(error);
}
