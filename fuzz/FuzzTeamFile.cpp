// Fuzz target: the team file ("TeamDetails.xml" of a snapshot), read as the start-up loader reads it.
#include "FuzzSupport.h"
#include "data/XMLTeam.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TXMLTeam record;
  ExpectLoadedOrReaderError([&] { record.ReadText(FuzzText(data, size), "TeamDetails.xml"); });
  return 0;
}
