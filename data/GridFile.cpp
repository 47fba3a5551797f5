#include "data/GridFile.h"

#include <algorithm>
#include "core/Errors.h"
#include "core/Intl.h"
#include "core/Utils.h"

namespace {
// A grid has at least its header row and one data row.
constexpr int64_t MinimumRows = 2;

[[noreturn]] void Invalid() { throw EInOutError(_("Invalid grid file")); }

void AppendInt64(std::string& out, int64_t value) {
  auto bits = static_cast<uint64_t>(value);
  for (int i = 0; i < 8; ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

int64_t ReadInt64(std::string_view data, size_t& pos) {
  if (data.size() < 8 || pos > data.size() - 8) Invalid();
  uint64_t bits = 0;
  for (size_t i = 0; i < 8; ++i) bits |= uint64_t(static_cast<unsigned char>(data[pos + i])) << (8 * i);
  pos += 8;
  return static_cast<int64_t>(bits);
}

// The lines of a column text: CR LF, CR and LF all end a line; a final line break adds no empty line.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}
}  // namespace

int64_t GridLayoutChecksum(const std::vector<std::string>& titles) {
  int64_t sum = 0;
  for (size_t c = 0; c < titles.size(); ++c) sum += int64_t(c) * TextChecksum(titles[c]);
  return sum;
}

bool GridLayoutMatches(int64_t checksum, const std::vector<std::string>& titles) {
  if (checksum == GridLayoutChecksum(titles)) return true;
  std::vector<std::string> translated;
  translated.reserve(titles.size());
  for (const std::string& title : titles) translated.emplace_back(_(title.c_str()));
  return checksum == GridLayoutChecksum(translated);
}

TGridFile ReadGridFile(std::string_view data, const std::vector<std::string>& titles, bool withTeamChecksum,
                       bool trimCells) {
  TGridFile file;
  size_t pos = 0;
  file.LayoutChecksum = ReadInt64(data, pos);
  if (!GridLayoutMatches(file.LayoutChecksum, titles)) Invalid();
  if (withTeamChecksum) file.TeamChecksum = ReadInt64(data, pos);
  const auto columnCount = static_cast<int64_t>(titles.size());
  if (ReadInt64(data, pos) != columnCount) Invalid();
  const int64_t rows = ReadInt64(data, pos);
  if (rows < MinimumRows) Invalid();
  // Every stored cell ends in a line break, so each column needs a byte per row: a row count beyond the
  // remaining bytes shared among the columns is a damaged file (and would allocate rows x columns cells
  // before a single one is read).
  const uint64_t perColumn = (data.size() - pos) / static_cast<uint64_t>(std::max<int64_t>(columnCount, 1));
  if (static_cast<uint64_t>(rows) > perColumn + MinimumRows) Invalid();
  file.Rows.assign(static_cast<size_t>(rows), std::vector<std::string>(titles.size()));
  for (size_t c = 0; c < titles.size(); ++c) {
    const int64_t length = ReadInt64(data, pos);
    if (length < 0 || static_cast<uint64_t>(length) > data.size() - pos) Invalid();
    std::string_view text = data.substr(pos, static_cast<size_t>(length));
    pos += static_cast<size_t>(length);
    std::string converted;
    if (!IsValidUtf8(text)) {
      converted = Cp1252ToUtf8(text);
      text = converted;
    }
    const auto lines = SplitLines(text);
    for (size_t r = 0; r < file.Rows.size() && r < lines.size(); ++r)
      file.Rows[r][c] = trimCells ? Trim(lines[r]) : std::string(lines[r]);
  }
  return file;
}

std::string FormatGridFile(const std::vector<std::vector<std::string>>& rows, const std::vector<std::string>& titles,
                           bool withTeamChecksum, int64_t teamChecksum) {
  std::string out;
  AppendInt64(out, GridLayoutChecksum(titles));
  if (withTeamChecksum) AppendInt64(out, teamChecksum);
  AppendInt64(out, static_cast<int64_t>(titles.size()));
  AppendInt64(out, static_cast<int64_t>(rows.size()));
  std::string column;
  for (size_t c = 0; c < titles.size(); ++c) {
    column.clear();
    for (const auto& row : rows) {
      if (c < row.size()) column += row[c];
      column += "\r\n";
    }
    AppendInt64(out, static_cast<int64_t>(column.size()));
    out += column;
  }
  return out;
}
