#pragma once
// Comma-separated text for spreadsheets (RFC 4180): one record per row, CR LF after every record, a field in
// double quotes when it holds a comma, a quote, a line break or blanks at either end, quotes inside doubled.
// Text is UTF-8 as it stands; numbers are written with "." whatever the user's locale, so that a file made
// under a German locale reads back the same under any other.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One field as it goes into the file.
std::string CsvField(std::string_view text);

class TCsvWriter {
public:
  // Fields of the current row.
  TCsvWriter& Text(std::string_view text);
  TCsvWriter& Integer(int64_t value);
  // The shortest text that reads back as the same double ("12.5", "3").
  TCsvWriter& Number(double value);
  // Ends the current row (a row without fields gives an empty record).
  void EndRow();
  // A whole row of texts.
  void Row(const std::vector<std::string>& fields);

  // The records written so far; a row that was not ended is left out.
  const std::string& Result() const { return FText; }

private:
  std::string FText;
  std::string FRow;
  bool FRowStarted = false;
};
