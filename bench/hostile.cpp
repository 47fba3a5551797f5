// Time and peak memory of the players file reader on each hostile file (demo/HostileFiles.h). Each read runs
// in a child process of its own, so that its peak memory is its own: the counters are the child's
// wall time and maximum resident set; the label says whether the file loaded or was refused.
//   bench_hostile --benchmark_counters_tabular=true
#include "core/PlayerList.h"
#include "demo/HostileFiles.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void BM_HostileFile(benchmark::State& state) {
  const THostileFile& file = HostileFiles().at(static_cast<size_t>(state.range(0)));
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("pitchbook-hostile-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = WriteHostileFile(file, folder);
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
      TPlayerList list;
      try {
        list.LoadFromPlayersFile(path);
      } catch (const std::exception&) {
        std::_Exit(1);
      }
      std::_Exit(0);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    state.counters["maxRSS_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
    state.SetLabel(std::string(file.Name) + ": " +
                   (WIFSIGNALED(status) ? "CRASHED" : WEXITSTATUS(status) == 0 ? "loaded" : "refused"));
  }
  std::filesystem::remove_all(folder);
}

}  // namespace

BENCHMARK(BM_HostileFile)->DenseRange(0, 6)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
