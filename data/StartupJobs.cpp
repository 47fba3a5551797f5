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
  std::mutex doneMutex;
  size_t reported = 0;
  auto work = [&] {
    for (;;) {
      if (failed.load() || (stop && stop())) return;
      const size_t index = next.fetch_add(1);
      if (index >= count) return;
      try {
        job(index);
        finished.fetch_add(1);
        if (done) {
          // One report at a time, each with a higher count than the one before.
          std::lock_guard lock(doneMutex);
          if (const size_t now = finished.load(); now > reported) done(reported = now);
        }
      } catch (...) {
        std::lock_guard lock(errorMutex);
        if (!error) error = std::current_exception();
        failed.store(true);
        return;
      }
    }
  };
  // A helper for fewer than two jobs would only cost its start.
  const size_t helpers = count > 1 ? std::min<size_t>(static_cast<size_t>(FWorkers - 1), count - 1) : 0;
  std::vector<std::thread> threads;
  threads.reserve(helpers);
  // Joins the helpers started so far should starting another one fail.
  struct TJoin {
    std::vector<std::thread>& Threads;
    ~TJoin() {
      for (auto& t : Threads) t.join();
    }
  } join{threads};
  for (size_t i = 0; i < helpers; ++i) threads.emplace_back(work);
  work();
  for (auto& t : threads) t.join();
  threads.clear();
  if (error) std::rethrow_exception(error);
}
