#pragma once
// The region file of a snapshot (file kind "RegionDetails"). It is downloaded and kept with the snapshot so
// that the snapshot is complete, but nothing in it is used.
#include <filesystem>

class TXMLRegion {
public:
  // Reads nothing: the file is not even opened, so a damaged region file never costs a snapshot.
  void Read(const std::filesystem::path& fileName);
};
