#pragma once
// Small shared operations on XML files, text fields, numbers and money. Free functions without state,
// except that the money operations read the preferences.
#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// ---- XML files ----------------------------------------------------------------------------------------
// Appends the three lines "<?xml version=\"1.0\" ?>", "<root>", "</root>".
void WriteXMLSkeleton(std::vector<std::string>& lines, const std::string& root);
// A new document whose text is that skeleton.
void NewXMLDocument(pugi::xml_document& doc, const std::string& root);
// Opens the file when it exists; else creates it from the skeleton with that root, saves it (atomically)
// and opens it. Raises EInOutError when the file cannot be parsed or written.
void OpenXMLFile(const std::filesystem::path& path, pugi::xml_document& doc, const std::string& root);
// Appends to target a deep copy of each child of source, in order.
void CopyChildNodes(const pugi::xml_node& source, pugi::xml_node target);
// Parses a whole file (converting a declared ISO-8859-1/Windows-1252 encoding to UTF-8); raises
// EInOutError with the parser's message when the file is missing or malformed.
void LoadXMLFile(const std::filesystem::path& path, pugi::xml_document& doc);
// Saves the document indented, atomically (temporary file in the same folder, then rename).
void SaveXMLFile(const pugi::xml_document& doc, const std::filesystem::path& path);
// Text of a child element (empty when missing).
std::string ChildText(const pugi::xml_node& node, const char* name);

// ---- Files --------------------------------------------------------------------------------------------
// Writes data to a temporary file in the target's folder and renames it over the target, so that a crash
// or a full disk leaves the previous file intact. perms, when given, is applied before the rename.
// Raises EInOutError on failure.
void SaveFileAtomically(const std::filesystem::path& path, std::string_view data,
                        std::filesystem::perms perms = std::filesystem::perms::unknown);
// The whole file as bytes; raises EInOutError when it cannot be read.
std::string ReadFileText(const std::filesystem::path& path);

// ---- Text and numbers ---------------------------------------------------------------------------------
// Strict integer conversion: leading blanks, optional sign, decimal digits; anything else (the empty text
// too) raises EConvertError "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);
int64_t StrToInt64(std::string_view text);
// Decimal conversion with "." whatever the locale; raises EConvertError
// "'%s' is not a valid floating point value".
double StrToFloat(std::string_view text);
// Shortest text that reads back as the same double, "." as separator ("12.5", "3", "-0.25").
std::string FloatToStr(double value);
// Fixed number of decimals, "." as separator, halves away from zero ("%.2f" without the locale).
std::string FormatFloat(double value, int decimals);

std::string KeepDigits(std::string_view text);
bool IsIntegerText(std::string_view text);
// 1-based position of sub in text, both compared in lower case; 0 when absent.
int PosText(std::string_view sub, std::string_view text);
std::string CleanFileName(std::string_view text);
std::string Trim(std::string_view text);
std::string PadLeft(std::string_view text, int width);
std::string PadRight(std::string_view text, int width);
std::string CenterText(std::string_view text, int width);
std::string GroupDigits(char separator, int64_t value);
std::string GroupDigitsOfText(std::string_view text, char separator);
int DigitAt(int64_t value, int n);
int64_t TextChecksum(std::string_view text);
bool IsEnglishText();
std::string OrdinalSuffix(int n);
// Windows-1252 bytes to UTF-8.
std::string Cp1252ToUtf8(std::string_view text);
// True when the bytes are valid UTF-8.
bool IsValidUtf8(std::string_view text);

// Round to nearest, halves to even (percentages, displayed integers).
int64_t RoundHalfEven(double value);
// Round to `decimals` decimals, halves away from zero (position ratings).
double RoundHalfAway(double value, int decimals);
