#pragma once
// The grid file (".mgf") of the player and match grids: the layout checksum, for match grids the checksum of
// the team ID, then the column count, the row count (header row included) and, per column, the length of
// its text and the text: one line per row, each ending in CR LF. Integers are 8 bytes, little-endian.
// The reader is the engine's, so that it can be fuzzed and scripted; the grids only apply what it parsed.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TGridFile {
  int64_t LayoutChecksum = 0;
  int64_t TeamChecksum = 0;                     // match grids only
  std::vector<std::vector<std::string>> Rows;  // Rows[0] is the header row as stored
};

// Sum over the columns of column index x TextChecksum(title). Files are written with the untranslated
// titles, so that a file written under one language loads under another.
int64_t GridLayoutChecksum(const std::vector<std::string>& titles);
// Whether a stored checksum fits the columns: over the untranslated titles, or over the titles as
// translated now (files of earlier versions, which used the translated ones).
bool GridLayoutMatches(int64_t checksum, const std::vector<std::string>& titles);

// Parses a grid file for a grid with these (untranslated) column titles. Raises EInOutError "Invalid grid
// file" when the layout checksum or the column count does not fit, or the file is cut short or damaged.
// withTeamChecksum: a match grid's file; trimCells: blanks around the cells are dropped. Single-byte
// column texts of older versions are read as Windows-1252.
TGridFile ReadGridFile(std::string_view text, const std::vector<std::string>& titles, bool withTeamChecksum,
                       bool trimCells);
// The file text of the rows (every row as wide as titles) with the untranslated titles' layout checksum.
std::string FormatGridFile(const std::vector<std::vector<std::string>>& rows, const std::vector<std::string>& titles,
                           bool withTeamChecksum, int64_t teamChecksum = 0);
