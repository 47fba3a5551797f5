#pragma once
// Hostile inputs for the readers' limits: files a broken disk, a broken server or a malicious user could
// hand the program. Each is written by streaming, so that writing a 100 MB file costs no memory (the
// benchmark measures the reader's memory, not the generator's).
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

struct THostileFile {
  const char* Name;
  const char* FileName;
  std::function<void(std::ostream&)> Write;
};

// A players file (as the server sends it) around one extreme: a 100 MB text, an element nested 100 000
// deep, a 10 000-digit number, bytes that are not UTF-8, an entity-expansion bomb, 100 000 players
// (over the readers' size limit) and 50 000 players (under it).
const std::vector<THostileFile>& HostileFiles();
// The file written to folder / file.FileName; returns that path.
std::filesystem::path WriteHostileFile(const THostileFile& file, const std::filesystem::path& folder);
