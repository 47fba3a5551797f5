// Fuzz target: a rating analyzer file (".raf"), read against the players of a snapshot as "Open" does.
#include "FuzzFixtures.h"
#include "FuzzSupport.h"
#include "core/PlayerList.h"
#include "ratings/RatingAnalyzerFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const TPlayerList* const snapshot = [] {
    auto* list = new TPlayerList;  // lives as long as the process, like the program's current snapshot
    list->LoadFromPlayersText(FuzzSnapshotPlayers, "Players.xml");
    return list;
  }();
  ExpectLoadedOrReaderError([&] {
    const TRatingAnalyzerSetup setup = ReadRatingAnalyzerText(FuzzText(data, size), *snapshot);
    // A place holds nobody or a player of the resulting list.
    for (const int64_t id : setup.PlayerIDs)
      ExpectThat(id == 0 || setup.Players->IndexOfID(id) > 0, "a place holds a player who is not in the list");
  });
  return 0;
}
