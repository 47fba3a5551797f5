#pragma once
// The pieces of commentary a live match writes, and the rewriting of an event text into them. An event text
// comes from a server and is data, never markup: the only formats that reach the screen are plain black
// text, green bold link text and blue bold minute headers, and the window escapes every piece it shows.
#include <string>
#include <string_view>
#include <vector>

enum class TLiveColour { Black, Green, Blue };

struct TDisplayElement {
  std::string Text;
  TLiveColour Colour = TLiveColour::Black;
  bool Bold = false;
  bool operator==(const TDisplayElement&) const = default;
};

// "black", "green", "blue".
const char* LiveColourName(TLiveColour colour);

// The queue of a tab's output while a refresh runs outside the window thread.
class TDisplayList {
public:
  void Add(TDisplayElement element) { FItems.push_back(std::move(element)); }
  const TDisplayElement& Get(size_t i) const { return FItems.at(i); }
  size_t Count() const { return FItems.size(); }
  void Clear() { FItems.clear(); }

private:
  std::vector<TDisplayElement> FItems;
};

// The event text as pieces: "&nbsp;" becomes a blank, "<BR>" / "<BR />" a line break (any case), double
// blanks collapse; the text inside a link ("<A HREF...>...</A>", any case, any attributes) is green and
// bold, the rest black. Every other tag is dropped and its inner text kept; a "<" that does not open a tag
// closed by ">" is an ordinary character. The common character entities are decoded to plain characters.
// Adjacent pieces of one format are joined; empty pieces are left out.
std::vector<TDisplayElement> EventTextPieces(std::string_view text);
