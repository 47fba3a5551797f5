// Fuzz target: the live-match answer applied to the match viewer's tabs. Two tabs follow the matches of the
// seeds; each input is applied twice, as the viewer's refresh does with answer after answer.
#include "FuzzSupport.h"
#include "download/MatchPages.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMatchPages pages;
  pages.AddMatch("1001");
  pages.AddMatch("1002");
  for (int pass = 0; pass < 2; ++pass) ExpectLoadedOrReaderError([&] { pages.ApplyLiveAnswer(FuzzText(data, size)); });
  return 0;
}
