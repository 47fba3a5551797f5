#include "data/XMLRootSplit.h"

namespace {
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class TScanner {
public:
  explicit TScanner(std::string_view text) : FText(text) {}

  size_t Pos = 0;

  bool AtEnd() const { return Pos >= FText.size(); }
  bool At(std::string_view what) const { return FText.substr(Pos, what.size()) == what; }
  void SkipSpace() {
    while (!AtEnd() && IsSpace(FText[Pos])) ++Pos;
  }
  // Moves past the next occurrence of what; false when there is none.
  bool SkipPast(std::string_view what) {
    const size_t found = FText.find(what, Pos);
    if (found == std::string_view::npos) return false;
    Pos = found + what.size();
    return true;
  }
  // Skips whitespace, comments and processing instructions; false on an unterminated one.
  bool SkipMisc() {
    for (;;) {
      SkipSpace();
      if (At("<!--")) {
        Pos += 4;
        if (!SkipPast("-->")) return false;
      } else if (At("<?")) {
        Pos += 2;
        if (!SkipPast("?>")) return false;
      } else {
        return true;
      }
    }
  }
  // At "<" of a start tag: moves past its ">" (quoted attribute values may hold ">"). Returns 1 for a start
  // tag, 2 for an empty-element tag, 0 when the tag does not end.
  int SkipStartTag() {
    char quote = 0;
    for (size_t i = Pos + 1; i < FText.size(); ++i) {
      const char c = FText[i];
      if (quote) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '<') {
        return 0;
      } else if (c == '>') {
        Pos = i + 1;
        return FText[i - 1] == '/' ? 2 : 1;
      }
    }
    return 0;
  }
  // At "<" of an element: moves past its end tag. Markup is only counted, not checked: the parser checks it.
  bool SkipElement() {
    int depth = 0;
    for (;;) {
      const size_t open = FText.find('<', Pos);
      if (open == std::string_view::npos) return false;
      Pos = open;
      if (At("<!--")) {
        Pos += 4;
        if (!SkipPast("-->")) return false;
      } else if (At("<![CDATA[")) {
        Pos += 9;
        if (!SkipPast("]]>")) return false;
      } else if (At("<?")) {
        Pos += 2;
        if (!SkipPast("?>")) return false;
      } else if (At("<!")) {
        return false;
      } else if (At("</")) {
        if (!SkipPast(">")) return false;
        if (--depth <= 0) return depth == 0;
      } else {
        const int tag = SkipStartTag();
        if (tag == 0) return false;
        if (tag == 1) ++depth;
        if (depth == 0) return true;  // an empty-element child
      }
    }
  }

private:
  std::string_view FText;
};
}  // namespace

std::optional<TXMLRootSplit> SplitXMLRoot(std::string_view text) {
  TScanner scan(text);
  if (scan.At("\xEF\xBB\xBF")) scan.Pos += 3;
  if (!scan.SkipMisc() || !scan.At("<") || scan.At("<!") || scan.At("</")) return std::nullopt;
  if (scan.SkipStartTag() != 1) return std::nullopt;
  TXMLRootSplit split;
  split.Skeleton.assign(text.substr(0, scan.Pos));
  for (;;) {
    const size_t gap = scan.Pos;
    if (!scan.SkipMisc() || scan.AtEnd()) return std::nullopt;
    split.Skeleton.append(text.substr(gap, scan.Pos - gap));
    if (scan.At("</")) {
      // The root's end tag and whatever follows it: the parser of the skeleton judges them.
      split.Skeleton.append(text.substr(scan.Pos));
      return split;
    }
    if (!scan.At("<") || scan.At("<!")) return std::nullopt;
    const size_t start = scan.Pos;
    if (!scan.SkipElement()) return std::nullopt;
    split.Children.push_back(text.substr(start, scan.Pos - start));
  }
}
