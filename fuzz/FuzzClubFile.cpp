// Fuzz target: the club file (staff and youth) ("Club.xml" of a snapshot), read as the start-up loader reads it.
#include "FuzzSupport.h"
#include "data/XMLClub.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TXMLClub record;
  ExpectLoadedOrReaderError([&] { record.ReadText(FuzzText(data, size), "Club.xml"); });
  return 0;
}
