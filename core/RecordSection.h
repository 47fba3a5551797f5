#pragma once
// Player sections of rating record files (".krf") and of the rating analyzer's files: key=value lines
// headed by "[player<ID>]" and closed by "TrainerSkill=". Also the line joining and key lookup that
// the record file's header shares with the sections.
#include "core/Player.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The section of one player, lines separated by "|", ending in "||". ERangeError when Specialty,
// Agreeability, Honesty or Aggressiveness is outside its table.
std::string WriteRecordSection(const TPlayer& player);

// Fills the player from the lines first..last (0-based, inclusive). EConvertError when "[player", "]" or
// a required number is missing or malformed.
void ReadRecordSection(TPlayer& player, const std::vector<std::string>& lines, size_t first, size_t last);

// The file as lines (a UTF-8 byte-order mark and carriage returns removed); EInOutError when it cannot
// be read. The bytes are left as they are: the joined text of a section is decoded.
std::vector<std::string> ReadRecordLines(const std::filesystem::path& path);
// The same for the file's bytes.
std::vector<std::string> SplitRecordLines(std::string_view data);

// Joins lines first..last into one "|"-separated text: every line trimmed, each blank or "=" turned
// into one blank, runs of them collapsed.
std::string JoinRecordLines(const std::vector<std::string>& lines, size_t first, size_t last);
// Valid UTF-8 is kept; anything else is read as Windows-1252 (files of older versions).
std::string DecodeRecordText(std::string_view text);

// Lookups by "|" + key, first occurrence, case-sensitive, in a joined text:
// everything after the key up to the next "|", trimmed (empty when the key is absent);
std::string RecordTextValue(std::string_view text, std::string_view key);
// the word after the separating blank up to the next blank or "|" (empty when absent or valueless);
std::string RecordWordValue(std::string_view text, std::string_view key);
// the word value as a strict 32-bit integer (EConvertError when empty or malformed).
int32_t RecordIntValue(std::string_view text, std::string_view key);
