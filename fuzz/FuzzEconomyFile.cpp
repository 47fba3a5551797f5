// Fuzz target: the economy file ("Economy.xml" of a snapshot), read as the start-up loader reads it.
#include "FuzzSupport.h"
#include "data/XMLEconomy.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TXMLEconomy record;
  ExpectLoadedOrReaderError([&] { record.ReadText(FuzzText(data, size), "Economy.xml"); });
  return 0;
}
