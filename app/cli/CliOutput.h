#pragma once
// Output helpers shared by the commands: JSON as the commands print it, and the choice between text, JSON
// and CSV output of a command that has rows.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <string>

// Indented by two, with bytes that are not UTF-8 replaced rather than failing the whole output.
void PrintJson(const nlohmann::ordered_json& value);

enum class TCliFormat { Text, Json, Csv };

// --json and, where rows fit, --csv; the two exclude each other.
struct TCliFormatFlags {
  bool Json = false;
  bool Csv = false;
  TCliFormat Format() const { return Json ? TCliFormat::Json : Csv ? TCliFormat::Csv : TCliFormat::Text; }
};
void AddFormatFlags(CLI::App& command, TCliFormatFlags& flags, bool csv);
