#pragma once
// Splits the text of an XML document into the texts of its root element's child elements and a skeleton
// (everything else: prolog, the root's tags, what lies between the children, what follows the root), so
// that a large file can be parsed one child at a time, on several threads, without ever holding its whole
// document tree. Parsing the skeleton and each child on its own accepts exactly the documents that parsing
// the whole text accepts; the split only declines (and the caller parses the whole text) where a document
// of another shape could make a difference: a document type declaration, character data or CDATA directly
// in the root, an empty-element root, or text that is not well-formed where the split has to look.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct TXMLRootSplit {
  // The document without the root's child elements; the whitespace, comments and processing instructions
  // between them stay in it.
  std::string Skeleton;
  // The child elements, in document order, each from its "<" to the end of its end tag.
  std::vector<std::string_view> Children;
};

// The split of text (which must stay alive as long as the result's Children), or nothing when the split
// declines.
std::optional<TXMLRootSplit> SplitXMLRoot(std::string_view text);
