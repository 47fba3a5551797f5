// Fuzz target: "TeamList.kcf", the teams whose matches the match download follows.
#include "FuzzSupport.h"
#include "download/TeamList.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TTeamList list;
  ExpectLoadedOrReaderError([&] { ListViewLoadFromText(list, FuzzText(data, size)); });
  // The file has one entry per line: a list longer than the text has lines is a reader fault.
  size_t lines = 1;
  for (size_t i = 0; i < size; ++i) lines += data[i] == '\n';
  ExpectThat(static_cast<size_t>(list.Count()) <= lines, "more team list entries than lines");
  return 0;
}
