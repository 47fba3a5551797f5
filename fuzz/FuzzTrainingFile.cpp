// Fuzz target: the training file ("Training.xml" of a snapshot), read as the start-up loader reads it.
#include "FuzzSupport.h"
#include "data/XMLTraining.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TXMLTraining record;
  ExpectLoadedOrReaderError([&] { record.ReadText(FuzzText(data, size), "Training.xml"); });
  return 0;
}
