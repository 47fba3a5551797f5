// Fuzz target: a grid file (".mgf") as the player grid (trimmed cells) and the match grid (team checksum)
// read it. The reader takes the grid's column titles; these are fixed here and the seeds are written for them.
#include "FuzzSupport.h"
#include "FuzzFixtures.h"
#include "data/GridFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string>& titles = FuzzGridTitles();
  for (const bool matchGrid : {false, true}) {
    ExpectLoadedOrReaderError([&] {
      const TGridFile file = ReadGridFile(FuzzText(data, size), titles, matchGrid, !matchGrid);
      ExpectThat(file.Rows.size() >= 2, "a grid file without a data row was accepted");
      for (const auto& row : file.Rows) ExpectThat(row.size() == titles.size(), "a row not as wide as the grid");
    });
  }
  return 0;
}
