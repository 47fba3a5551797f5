// Fuzz target: the world file ("WorldDetails.xml" of a snapshot), read as the start-up loader reads it.
#include "FuzzSupport.h"
#include "data/XMLWorld.h"
#include "data/XMLTeam.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The row is chosen by the team's LeagueID: one the seeds hold, so that the values are read.
  for (const char* id : {"5", "46", "18"}) {
    TXMLTeam team;
    team.LeagueID = id;
    TXMLWorld record(team);
    ExpectLoadedOrReaderError([&] { record.ReadText(FuzzText(data, size), "WorldDetails.xml"); });
  }
  return 0;
}
