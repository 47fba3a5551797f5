// Fuzz target: "Preferences.xml", read as Load reads it (Load turns the reader's error into its message).
#include "FuzzSupport.h"
#include "data/Preferences.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TPreferences preferences;
  ExpectLoadedOrReaderError([&] { preferences.LoadFromText(FuzzText(data, size), "Preferences.xml"); });
  return 0;
}
