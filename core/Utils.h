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
// Parses a whole file (converting a declared ISO-8859-1/Windows-1252 encoding, or bytes that are not
// UTF-8 in a file that declares none, to UTF-8); raises EInOutError with the parser's message when the
// file is missing or malformed.
void LoadXMLFile(const std::filesystem::path& path, pugi::xml_document& doc);
// The same for XML text in memory (an answer of the game's server); sourceName names it in the message.
void ParseXMLText(std::string_view data, pugi::xml_document& doc, const std::string& sourceName);
// Whether ParseXMLText takes data as UTF-8 as it stands: declared UTF-8 or not declared, no NUL byte, valid
// UTF-8 (so any part of it cut at markup parses to the same text).
bool IsPlainUtf8XML(std::string_view data);
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
// The largest file the program reads: far above any file of the game or the program (a club match file of
// fifty seasons stays under a third of it), far below what would cost the memory of a small machine.
inline constexpr size_t MaxReadFileSize = size_t{64} << 20;
// The whole file as bytes; raises EInOutError when it cannot be read or is larger than MaxReadFileSize.
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

// The text with every character that is not 0..9 removed.
std::string KeepDigits(std::string_view text);
// True when every character is "-" or 0..9 and the whole text is a 32-bit integer; false for "".
bool IsIntegerText(std::string_view text);
// 1-based position of sub in text, both compared in lower case (ASCII letters); 0 when absent or sub is "".
int PosText(std::string_view sub, std::string_view text);
// The text without any of the characters . \ / : * ? " < > |, then trimmed.
std::string CleanFileName(std::string_view text);
// The text without leading and trailing blanks and control characters.
std::string Trim(std::string_view text);
// Pad the trimmed text with blanks to width characters (UTF-8 characters, not bytes); longer texts stay.
std::string PadLeft(std::string_view text, int width);
std::string PadRight(std::string_view text, int width);
// The trimmed text with round((width - length) / 2) blanks before it (halves to even), the rest after.
std::string CenterText(std::string_view text, int width);
// Digits of the value's magnitude in groups of three from the right, "-" before negatives:
// GroupDigits(' ', 1234567) = "1 234 567".
std::string GroupDigits(char separator, int64_t value);
// GroupDigits of the strict 64-bit conversion of text (EConvertError when it is not an integer).
std::string GroupDigitsOfText(std::string_view text, char separator);
// Decimal digit n (1 = units) of the value: (value div 10^(n-1)) mod 10, negative for negative values.
// ERangeError for n < 1.
int DigitAt(int64_t value, int n);
// Sum over the bytes at 1-based positions i of (i div 10 + 1) * byte value ("abc" gives 294).
int64_t TextChecksum(std::string_view text);
// True when the built-in English texts are in use (the last skill level is not translated).
bool IsEnglishText();
// "st", "nd", "rd" or "th" for n; 11, 12, 13 (mod 100) give "th" only with the English texts.
std::string OrdinalSuffix(int n);
// Windows-1252 bytes to UTF-8.
std::string Cp1252ToUtf8(std::string_view text);
// True when the bytes are valid UTF-8.
bool IsValidUtf8(std::string_view text);

// Round to nearest, halves to even (percentages, displayed integers). ERangeError outside 64 bits.
int64_t RoundHalfEven(double value);
// Round to `decimals` (0..15) decimals, halves away from zero (position ratings). A value within a
// rounding error of a half counts as the half, so that a computed 2.675 gives 2.68.
double RoundHalfAway(double value, int decimals);
