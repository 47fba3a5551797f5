#include "data/XMLFields.h"

#include "core/Utils.h"

pugi::xml_node OpenXMLRoot(const std::filesystem::path& fileName, pugi::xml_document& doc) {
  LoadXMLFile(fileName, doc);
  return doc.document_element();
}

pugi::xml_node ParseXMLRoot(std::string_view bytes, const std::string& sourceName, pugi::xml_document& doc) {
  ParseXMLText(bytes, doc, sourceName);
  return doc.document_element();
}

const char* ElementText(pugi::xml_node node, std::initializer_list<const char*> path) {
  for (const char* name : path) node = node.child(name);
  return node.text().get();
}

int32_t ElementInt(pugi::xml_node node, std::initializer_list<const char*> path) {
  return StrToInt(ElementText(node, path));
}

int64_t ElementInt64(pugi::xml_node node, std::initializer_list<const char*> path) {
  return StrToInt64(ElementText(node, path));
}

int32_t ElementIntOr(pugi::xml_node node, std::initializer_list<const char*> path, int32_t fallback) {
  const char* text = ElementText(node, path);
  return *text == '\0' ? fallback : StrToInt(text);
}
