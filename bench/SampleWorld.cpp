// Generation speed of the sample world: the whole archive of a club written to disk, and the world
// simulated without writing (what the local game server does at start).
#include "demo/SampleWorld.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

static void BM_WriteSampleWorld(benchmark::State& state) {
  const fs::path folder = fs::temp_directory_path() / ("pitchbook-bench-world-" + std::to_string(getpid()));
  TSampleWorldOptions options;
  options.Seasons = static_cast<int>(state.range(0));
  TSampleWriteResult result;
  for (auto _ : state) {
    fs::remove_all(folder);
    result = WriteSampleWorld(folder, options);
  }
  state.counters["files"] = result.Files;
  state.counters["snapshots"] = result.Snapshots;
  fs::remove_all(folder);
}
BENCHMARK(BM_WriteSampleWorld)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);

static void BM_SimulateSampleWorld(benchmark::State& state) {
  TSampleWorldOptions options;
  options.Seasons = static_cast<int>(state.range(0));
  for (auto _ : state) {
    TSampleWorld world(options);
    world.RunToEnd();
    benchmark::DoNotOptimize(world.Round());
  }
}
BENCHMARK(BM_SimulateSampleWorld)->Arg(10)->Arg(20)->Unit(benchmark::kMillisecond);
