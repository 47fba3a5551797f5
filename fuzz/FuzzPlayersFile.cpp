// Fuzz target: the players file ("Players.xml" of a snapshot, or a players file opened into the grid).
#include "FuzzSupport.h"
#include "core/PlayerList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TPlayerList list;
  bool loaded = false;
  ExpectLoadedOrReaderError([&] {
    list.LoadFromPlayersText(FuzzText(data, size), "Players.xml");
    loaded = true;
  });
  ExpectThat(loaded || list.Count() == 0, "a refused players file left players in the list");
  return 0;
}
