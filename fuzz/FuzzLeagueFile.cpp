// Fuzz target: the league file ("LeagueDetails.xml" of a snapshot), read as the start-up loader reads it.
#include "FuzzSupport.h"
#include "data/XMLLeague.h"
#include "data/XMLTeam.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The row is chosen by the team's TeamID: one the seeds hold, so that the values are read.
  for (const char* id : {"177327", "2109789", "1761624"}) {
    TXMLTeam team;
    team.TeamID = id;
    TXMLLeague record(team);
    ExpectLoadedOrReaderError([&] { record.ReadText(FuzzText(data, size), "LeagueDetails.xml"); });
  }
  return 0;
}
