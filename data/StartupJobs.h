#pragma once
// The start-up loader's work split: independent jobs 0..count-1 (one file or one match each) run on the
// calling thread and on helper threads, each taking the next job from a shared counter. The jobs write only
// their own results; the caller merges the results afterwards in job order, so the outcome does not depend
// on how the jobs were shared out.
#include <cstddef>
#include <functional>

class TStartupJobs {
public:
  // workers counts the calling thread: 1 runs every job here, in order.
  explicit TStartupJobs(int workers) : FWorkers(workers < 1 ? 1 : workers) {}

  // Runs the jobs and returns once every started job has ended. stop is asked before each job (from any
  // thread): once it says yes no further job starts. done(finished) runs after a job, on the thread that ran
  // it, never on two threads at once, with the number of jobs finished so far, higher at each call (it
  // reports progress through TWorker::Synchronize, which any thread may call). The first exception a job or
  // done lets out is raised here after all threads have ended.
  void Run(size_t count, const std::function<void(size_t job)>& job, const std::function<bool()>& stop,
           const std::function<void(size_t finished)>& done = {}) const;

  int Workers() const { return FWorkers; }

private:
  int FWorkers;
};
