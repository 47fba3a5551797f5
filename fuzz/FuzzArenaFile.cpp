// Fuzz target: the arena file ("ArenaDetails.xml" of a snapshot), read as the start-up loader reads it.
#include "FuzzSupport.h"
#include "data/XMLArena.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TXMLArena record;
  ExpectLoadedOrReaderError([&] { record.ReadText(FuzzText(data, size), "ArenaDetails.xml"); });
  return 0;
}
