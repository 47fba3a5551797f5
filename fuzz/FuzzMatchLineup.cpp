// Fuzz target: the match lineup answer, stored and read back as the match download and the program do.
#include "MatchAnswer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzStoredMatch(FuzzText(data, size), false);
  return 0;
}
