#pragma once
// A small RFC 4180 reader for the tests that open exported CSV files again: records separated by CR LF
// (or LF), fields by commas, quoted fields with doubled quotes and line breaks inside. Throws on a quote
// that is not closed or a stray character after a closing quote, so that a broken file cannot pass.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using TCsvRows = std::vector<std::vector<std::string>>;

inline TCsvRows ReadCsv(std::string_view text) {
  TCsvRows rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false, afterQuote = false, any = false;
  size_t i = 0;
  auto endField = [&] {
    row.push_back(field);
    field.clear();
    afterQuote = false;
  };
  while (i < text.size()) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          i += 2;
          continue;
        }
        quoted = false;
        afterQuote = true;
      } else {
        field += c;
      }
      ++i;
      continue;
    }
    any = true;
    if (c == ',') {
      endField();
    } else if (c == '\r' || c == '\n') {
      endField();
      rows.push_back(std::move(row));
      row.clear();
      any = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '"' && field.empty() && !afterQuote) {
      quoted = true;
    } else {
      if (afterQuote) throw std::runtime_error("CSV: text after a closing quote");
      field += c;
    }
    ++i;
  }
  if (quoted) throw std::runtime_error("CSV: quote not closed");
  if (any) {
    endField();
    rows.push_back(std::move(row));
  }
  return rows;
}
