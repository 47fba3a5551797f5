// The replay driver of the normal test suite: the fuzz targets' sources built with the normal compiler and
// this main(), which feeds every file of the folders named on the command line to the target. A target that
// aborts fails the test; the file being fed is printed first, so the failing input is named.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  int fed = 0;
  for (int i = 1; i < argc; ++i) {
    std::error_code ec;
    if (!fs::is_directory(argv[i], ec)) continue;  // a target without regressions has no folder yet
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(argv[i], ec))
      if (entry.is_regular_file() && entry.path().filename() != "README.md") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
      std::ifstream in(file, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      std::fprintf(stderr, "%s\n", file.c_str());
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++fed;
    }
  }
  std::printf("%d inputs replayed without a finding\n", fed);
  return 0;
}
