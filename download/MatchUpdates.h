#pragma once
// The match viewer's refreshes: the first one when a match is added ("viewAll", on the calling thread) and
// the timed one ("viewNew", a worker per timer tick). The live answer goes through "Live.XML" in the work
// folder, which is deleted whatever happens.
#include "core/Worker.h"
#include "download/MatchPages.h"

#include <functional>
#include <string>

class TKVIndyHTTP;

// What a refresh shows. The worker calls every one of them through TWorker::Synchronize (on the window
// thread in the desktop program); any may be empty.
struct TMatchViewerHooks {
  std::function<void(const std::string&)> SetStatus;
  // After a tab's queued output was written: the window updates caption, score board and texts.
  std::function<void(TMatch&)> TabChanged;
  std::function<void()> PlayGoal;
  // All matches ended, or the refresh failed: the automatic refresh goes off.
  std::function<void()> SwitchOff;
  // The refresh ended normally with matches still running: the timer goes on again.
  std::function<void()> EnableTimer;
};

// Requests the live list with the action ("viewAll" / "viewNew") into the work folder's "Live.XML" and
// returns its bytes; the file is gone afterwards, also when the request fails (which raises).
std::string FetchLiveAnswer(TKVIndyHTTP& http, const std::string& action);

// The refresh after adding a match: every tab applies the "viewAll" answer. Status "Refreshing...", then
// "Idle", or "Connection failed" on any failure (nothing raises). Runs on the calling thread.
void RefreshAll(TMatchPages& pages, TKVIndyHTTP& http, const TMatchViewerHooks& hooks);

class TMatchUpdates : public TWorker {
public:
  TMatchUpdates(TMatchPages& pages, TKVIndyHTTP& http, TMatchViewerHooks hooks);
  // True once the last refresh found every match ended.
  bool AllEnded() const { return FAllEnded; }
  bool Failed() const { return FFailed; }

protected:
  void Execute() override;

private:
  TMatchPages& FPages;
  TKVIndyHTTP& FHttp;
  TMatchViewerHooks FHooks;
  bool FAllEnded = false;
  bool FFailed = false;
};
