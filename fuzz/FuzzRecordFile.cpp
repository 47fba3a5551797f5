// Fuzz target: a rating record file (".krf"), read as a snapshot of the history as the start-up loader does.
#include "FuzzSupport.h"
#include "data/HistoryPage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  THistoryPage page;
  ExpectLoadedOrReaderError([&] { page.LoadRecordText(FuzzText(data, size), "Record.krf"); });
  return 0;
}
