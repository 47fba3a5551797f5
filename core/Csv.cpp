#include "core/Csv.h"

#include "core/Utils.h"

std::string CsvField(std::string_view text) {
  const bool quote = text.find_first_of(",\"\r\n") != std::string_view::npos ||
                     (!text.empty() && (text.front() == ' ' || text.back() == ' ' || text.front() == '\t' ||
                                        text.back() == '\t'));
  if (!quote) return std::string(text);
  std::string field = "\"";
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  field += '"';
  return field;
}

TCsvWriter& TCsvWriter::Text(std::string_view text) {
  if (FRowStarted) FRow += ',';
  FRow += CsvField(text);
  FRowStarted = true;
  return *this;
}

TCsvWriter& TCsvWriter::Integer(int64_t value) { return Text(std::to_string(value)); }

TCsvWriter& TCsvWriter::Number(double value) { return Text(FloatToStr(value)); }

void TCsvWriter::EndRow() {
  FText += FRow;
  FText += "\r\n";
  FRow.clear();
  FRowStarted = false;
}

void TCsvWriter::Row(const std::vector<std::string>& fields) {
  for (const std::string& field : fields) Text(field);
  EndRow();
}
