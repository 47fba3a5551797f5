// Start-up of the real programs on sample worlds with the season limit off, timed from launch:
//  - BM_DesktopStartup/N: the desktop program on the offscreen platform; the time is the main window's first
//    paint, the counters add the end of the loader's loading ("loaded_ms") and of the whole start-up
//    ("completed_ms"). The program writes these times itself when PITCHBOOK_STARTUP_TIMES names a file
//    (see ui/StartupTimes.h) and then closes.
//  - BM_CliArchive/N: `pitchbook-cli archive`, the same loader without windows; the time is the whole run,
//    "peak_MB" its peak resident memory (ru_maxrss), "cpu_ms" the processor time it used (best run).
// Each world is written once into a temporary program folder and loaded once before it is measured, so that
// the superseded snapshots are already in the obsolete folder and every measured start reads what a real
// start after that reads. The programs are looked for beside this benchmark's folder (build/), or in
// PITCHBOOK_BIN_DIR.
#include "data/Preferences.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {
fs::path BinaryFolder() {
  if (const char* dir = std::getenv("PITCHBOOK_BIN_DIR"); dir && *dir) return dir;
  return fs::read_symlink("/proc/self/exe").parent_path().parent_path();
}

int64_t Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct TRun {
  int64_t Launched = 0;
  int64_t Ended = 0;
  long PeakKB = 0;
  double CpuMs = 0;  // user and system time of all its threads
  int Status = -1;
};

// Runs the program with its output thrown away and the extra variables set; waits for it.
TRun Run(const fs::path& program, const std::vector<std::string>& args, const std::vector<std::string>& extraEnv) {
  std::vector<std::string> argStrings{program.string()};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings(extraEnv);
  for (char** e = environ; *e; ++e) envStrings.emplace_back(*e);
  std::vector<char*> envp;
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  TRun run;
  pid_t pid = 0;
  run.Launched = Now();
  const int error = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + program.string());
  rusage usage{};
  if (wait4(pid, &run.Status, 0, &usage) < 0) throw std::runtime_error("wait4 failed");
  run.Ended = Now();
  run.PeakKB = usage.ru_maxrss;
  run.CpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
  return run;
}

void RunCliArchive(const fs::path& home) {
  const TRun run = Run(BinaryFolder() / "pitchbook-cli", {"archive", "--home", home.string()}, {});
  if (!WIFEXITED(run.Status) || WEXITSTATUS(run.Status) != 0) throw std::runtime_error("pitchbook-cli archive failed");
}

// A sample world of that many seasons in a temporary program folder, with the season limit and the update
// check off, loaded once.
const fs::path& World(int seasons) {
  static std::map<int, fs::path> worlds;
  static struct TCleanup {
    ~TCleanup() {
      std::error_code ec;
      for (auto& [n, folder] : worlds) fs::remove_all(folder, ec);
    }
  } cleanup;
  if (auto it = worlds.find(seasons); it != worlds.end()) return it->second;
  const fs::path folder = fs::temp_directory_path() / ("pitchbook-bench-startup-" + std::to_string(getpid()) + "-" +
                                                       std::to_string(seasons));
  // Written by the CLI: a world written here would leave this process large, and a started program
  // inherits the peak resident size of the process that starts it.
  const TRun demo = Run(BinaryFolder() / "pitchbook-cli", {"demo", folder.string(), "--seasons", std::to_string(seasons)}, {});
  if (!WIFEXITED(demo.Status) || WEXITSTATUS(demo.Status) != 0) throw std::runtime_error("pitchbook-cli demo failed");
  TPreferences& preferences = Preferences();
  preferences.ProgramFolder = folder;
  preferences.SetDefaults();
  preferences.LimitHistoryDataLoading = false;
  preferences.CheckUpdates = false;
  if (!preferences.Save()) throw std::runtime_error("cannot write the preferences");
  RunCliArchive(folder);
  return worlds.emplace(seasons, folder).first->second;
}

double Milliseconds(int64_t ns) { return static_cast<double>(ns) / 1e6; }

void BM_DesktopStartup(benchmark::State& state) {
  const fs::path& home = World(static_cast<int>(state.range(0)));
  const fs::path timesFile = home / "startup-times.txt";
  const std::vector<std::string> env{"QT_QPA_PLATFORM=offscreen", "PITCHBOOK_STARTUP_TIMES=" + timesFile.string()};
  double loaded = 0, completed = 0, bestPaint = 1e300, bestLoaded = 1e300;
  for (auto _ : state) {
    std::error_code ec;
    fs::remove(timesFile, ec);
    const TRun run = Run(BinaryFolder() / "pitchbook", {"--home", home.string()}, env);
    std::ifstream in(timesFile);
    std::map<std::string, int64_t> times;
    std::string name;
    for (int64_t value; in >> name >> value;) times[name] = value;
    if (!times.count("paint") || !times.count("completed")) {
      state.SkipWithError("the program wrote no start-up times");
      return;
    }
    state.SetIterationTime(static_cast<double>(times["paint"] - run.Launched) / 1e9);
    loaded += Milliseconds(times["loaded"] - run.Launched);
    completed += Milliseconds(times["completed"] - run.Launched);
    bestPaint = std::min(bestPaint, Milliseconds(times["paint"] - run.Launched));
    bestLoaded = std::min(bestLoaded, Milliseconds(times["loaded"] - run.Launched));
  }
  // On a shared machine the best run says most about the program itself.
  state.counters["paint_best_ms"] = bestPaint;
  state.counters["loaded_best_ms"] = bestLoaded;
  state.counters["loaded_ms"] = loaded / static_cast<double>(state.iterations());
  state.counters["completed_ms"] = completed / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DesktopStartup)->Arg(10)->Arg(40)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_CliArchive(benchmark::State& state) {
  const fs::path& home = World(static_cast<int>(state.range(0)));
  long peak = 0;
  double best = 1e300, cpu = 1e300;
  for (auto _ : state) {
    const TRun run = Run(BinaryFolder() / "pitchbook-cli", {"archive", "--home", home.string()}, {});
    if (!WIFEXITED(run.Status) || WEXITSTATUS(run.Status) != 0) {
      state.SkipWithError("pitchbook-cli archive failed");
      return;
    }
    state.SetIterationTime(static_cast<double>(run.Ended - run.Launched) / 1e9);
    peak = std::max(peak, run.PeakKB);
    best = std::min(best, Milliseconds(run.Ended - run.Launched));
    cpu = std::min(cpu, run.CpuMs);
  }
  state.counters["best_ms"] = best;
  // The work itself, whatever else the machine runs: with two workers it may exceed the time.
  state.counters["cpu_ms"] = cpu;
  state.counters["peak_MB"] = static_cast<double>(peak) / 1024.0;
}
BENCHMARK(BM_CliArchive)->Arg(10)->Arg(20)->Arg(40)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
}  // namespace
