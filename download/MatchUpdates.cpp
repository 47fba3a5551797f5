// The refreshes of the match viewer.
#include "download/MatchUpdates.h"

#include "core/Intl.h"
#include "download/KVIndyHTTP.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr const char* LiveFileName = "Live.XML";

void Call(const std::function<void()>& fn) {
  if (fn) TWorker::Synchronize(fn);
}

void Status(const TMatchViewerHooks& hooks, const char* text) {
  if (hooks.SetStatus) TWorker::Synchronize([&hooks, text] { hooks.SetStatus(_(text)); });
}

// Deletes the live file when the refresh leaves, whichever way.
struct TLiveFileGuard {
  std::filesystem::path Path;
  ~TLiveFileGuard() {
    std::error_code ec;
    std::filesystem::remove(Path, ec);
  }
};

}  // namespace

std::string FetchLiveAnswer(TKVIndyHTTP& http, const std::string& action) {
  TLiveFileGuard guard{http.WorkFolder() / LiveFileName};
  http.GetToWorkFile(http.LiveURL("&actionType=%s", {action}), LiveFileName);
  std::ifstream in(guard.Path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void RefreshAll(TMatchPages& pages, TKVIndyHTTP& http, const TMatchViewerHooks& hooks) {
  Status(hooks, N_("Refreshing..."));
  try {
    pages.ApplyLiveAnswer(FetchLiveAnswer(http, "viewAll"));
    if (hooks.TabChanged)
      for (size_t i = 0; i < pages.Count(); ++i) hooks.TabChanged(pages.Tab(i));
    Status(hooks, N_("Idle"));
  } catch (const std::exception&) {
    Status(hooks, N_("Connection failed"));
  }
}

TMatchUpdates::TMatchUpdates(TMatchPages& pages, TKVIndyHTTP& http, TMatchViewerHooks hooks)
    : FPages(pages), FHttp(http), FHooks(std::move(hooks)) {}

void TMatchUpdates::Execute() {
  Status(FHooks, N_("Refreshing..."));
  try {
    const std::string bytes = FetchLiveAnswer(FHttp, "viewNew");
    if (Terminated()) return;
    const TLiveAnswer answer = ReadLiveAnswer(bytes);
    bool running = false;
    for (size_t i = 0; i < FPages.Count() && !Terminated(); ++i) {
      TMatch& tab = FPages.Tab(i);
      tab.Buffering = true;
      if (tab.Update(answer)) FPages.GoalFlag = true;
      // The tab's output reaches the screen on the window thread only.
      TWorker::Synchronize([this, &tab] {
        tab.Flush();
        if (FHooks.TabChanged) FHooks.TabChanged(tab);
      });
      tab.Buffering = false;
      running = running || !tab.Ended;
    }
    if (Terminated()) return;
    TWorker::Synchronize([this] {
      if (FPages.GoalFlag) {
        if (FHooks.PlayGoal) FHooks.PlayGoal();
        FPages.GoalFlag = false;
      }
    });
    FAllEnded = !running;
    Call(running ? FHooks.EnableTimer : FHooks.SwitchOff);
    Status(FHooks, N_("Idle"));
  } catch (const std::exception&) {
    FFailed = true;
    Status(FHooks, N_("Connection failed"));
    Call(FHooks.SwitchOff);
  }
}
