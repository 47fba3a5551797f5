#pragma once
// Element access shared by the readers of the club files. The readers walk from the document element by child
// names; a missing element reads as the empty text, so only the conversion decides whether a value may be
// absent.
#include <pugixml.hpp>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

// Parses the whole file into doc and returns its document element (whatever its name). Raises EInOutError
// when the file cannot be read or parsed.
pugi::xml_node OpenXMLRoot(const std::filesystem::path& fileName, pugi::xml_document& doc);
// The same for the file's bytes; sourceName names the file in the message.
pugi::xml_node ParseXMLRoot(std::string_view bytes, const std::string& sourceName, pugi::xml_document& doc);

// Text of the element reached from node through the child names of path; "" when a step is missing. The
// pointer lives as long as the document.
const char* ElementText(pugi::xml_node node, std::initializer_list<const char*> path);

// Strict conversions of that text: the empty text and anything that is not a decimal number raise
// EConvertError "'%s' is not a valid integer value".
int32_t ElementInt(pugi::xml_node node, std::initializer_list<const char*> path);
int64_t ElementInt64(pugi::xml_node node, std::initializer_list<const char*> path);

// As ElementInt, except that the empty text (or a missing element) gives fallback.
int32_t ElementIntOr(pugi::xml_node node, std::initializer_list<const char*> path, int32_t fallback);
