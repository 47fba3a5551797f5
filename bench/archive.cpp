// The start-up loader on sample worlds of 2, 5, 10, 20 and 40 seasons: the whole archive is read at every start,
// so its time has to stay linear in the number of snapshots. Each world is written once into a temporary
// program folder; the first run moves its superseded snapshots, every measured run then reads what a
// start after that reads. The season limit is off, so every snapshot becomes a page.
#include "data/Startup.h"
#include "data/History.h"
#include "demo/SampleWorld.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {
struct TBenchWorld {
  fs::path Folder;
  TStartupSettings Settings;
};

const TBenchWorld& World(int seasons) {
  static std::map<int, TBenchWorld> worlds;
  static struct TCleanup {
    ~TCleanup() {
      std::error_code ec;
      for (auto& [n, w] : worlds) fs::remove_all(w.Folder, ec);
    }
  } cleanup;
  auto it = worlds.find(seasons);
  if (it != worlds.end()) return it->second;
  TBenchWorld w;
  w.Folder = fs::temp_directory_path() / ("pitchbook-bench-archive-" + std::to_string(getpid()) + "-" +
                                          std::to_string(seasons));
  TSampleWorldOptions options;
  options.Seasons = seasons;
  WriteSampleWorld(w.Folder, options);
  w.Settings.HistoryFolder = w.Folder / "History";
  w.Settings.ObsoleteFolder = w.Settings.HistoryFolder / "Obsolete";
  w.Settings.MatchesFolder = w.Settings.HistoryFolder / "Matches";
  w.Settings.LimitHistoryDataLoading = false;
  w.Settings.SuspendAtEnd = false;
  THistory history;
  TStartup(history, w.Settings).RunHere();
  return worlds.emplace(seasons, std::move(w)).first->second;
}

void BM_LoadArchive(benchmark::State& state) {
  const TBenchWorld& world = World(static_cast<int>(state.range(0)));
  int pages = 0;
  for (auto _ : state) {
    THistory history;
    TStartup startup(history, world.Settings);
    startup.RunHere();
    pages = history.Count();
    benchmark::DoNotOptimize(pages);
  }
  state.counters["pages"] = pages;
  state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_LoadArchive)->Arg(2)->Arg(5)->Arg(10)->Arg(20)->Arg(40)->Unit(benchmark::kMillisecond);
}  // namespace
