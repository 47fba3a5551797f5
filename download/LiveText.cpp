// Rewriting of event texts into commentary pieces. One pass over the text, linear in its length whatever
// it holds, so that a hostile answer (megabytes, unclosed tags) cannot stall the refresh.
#include "download/LiveText.h"

#include <cctype>
#include <cstdint>

namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view prefix) {
  if (text.size() - pos < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Lower(text[pos + i]) != Lower(prefix[i])) return false;
  return true;
}

bool ContainsNoCase(std::string_view text, std::string_view word) {
  for (size_t i = 0; i + word.size() <= text.size(); ++i)
    if (StartsWithNoCase(text, i, word)) return true;
  return false;
}

// "&nbsp;" to a blank, "<BR>" / "<BR />" / "<BR/>" to a line break, then double blanks collapsed.
std::string Normalise(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    if (StartsWithNoCase(text, i, "&nbsp;")) {
      if (out.empty() || out.back() != ' ') out += ' ';
      i += 6;
    } else if (StartsWithNoCase(text, i, "<br>")) {
      out += "\r\n";
      i += 4;
    } else if (StartsWithNoCase(text, i, "<br />")) {
      out += "\r\n";
      i += 6;
    } else if (StartsWithNoCase(text, i, "<br/>")) {
      out += "\r\n";
      i += 5;
    } else {
      if (!(text[i] == ' ' && !out.empty() && out.back() == ' ')) out += text[i];
      ++i;
    }
  }
  return out;
}

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The entity at text[pos] ('&') decoded into out; the number of bytes it took, 0 when it is none we know.
size_t DecodeEntity(std::string_view text, size_t pos, std::string& out) {
  static const struct {
    const char* Name;
    char Char;
  } named[] = {{"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  for (const auto& n : named) {
    const std::string_view name(n.Name);
    if (StartsWithNoCase(text, pos, name)) {
      out += n.Char;
      return name.size();
    }
  }
  if (pos + 3 < text.size() && text[pos + 1] == '#') {
    uint32_t cp = 0;
    size_t i = pos + 2;
    const bool hex = text[i] == 'x' || text[i] == 'X';
    if (hex) ++i;
    const size_t first = i;
    while (i < text.size() && i - first < 7 && std::isxdigit(static_cast<unsigned char>(text[i])) &&
           (hex || std::isdigit(static_cast<unsigned char>(text[i])))) {
      cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(std::isdigit(static_cast<unsigned char>(text[i]))
                                                             ? text[i] - '0'
                                                             : Lower(text[i]) - 'a' + 10);
      ++i;
    }
    const bool valid = i > first && i < text.size() && text[i] == ';' && cp >= 0x20 && cp <= 0x10FFFF &&
                       !(cp >= 0xD800 && cp <= 0xDFFF);
    if (valid) {
      AppendUtf8(out, cp);
      return i + 1 - pos;
    }
  }
  return 0;
}

class TPieceWriter {
public:
  explicit TPieceWriter(std::vector<TDisplayElement>& pieces) : FPieces(pieces) {}
  void Append(std::string_view text, bool link) {
    if (text.empty()) return;
    const TLiveColour colour = link ? TLiveColour::Green : TLiveColour::Black;
    if (FPieces.empty() || FPieces.back().Colour != colour || FPieces.back().Bold != link)
      FPieces.push_back({std::string(), colour, link});
    FPieces.back().Text += text;
  }

private:
  std::vector<TDisplayElement>& FPieces;
};

}  // namespace

const char* LiveColourName(TLiveColour colour) {
  switch (colour) {
    case TLiveColour::Green: return "green";
    case TLiveColour::Blue: return "blue";
    case TLiveColour::Black: break;
  }
  return "black";
}

std::vector<TDisplayElement> EventTextPieces(std::string_view raw) {
  const std::string text = Normalise(raw);
  std::vector<TDisplayElement> pieces;
  TPieceWriter writer(pieces);
  bool link = false;
  std::string run;
  // Position of the next ">" at or after the scan, found once per stretch; npos once there is none left,
  // so a text full of "<" without ">" is still read in one pass.
  size_t nextClose = text.find('>');
  for (size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (c == '<' && i + 1 < text.size() && nextClose != std::string::npos &&
        (std::isalpha(static_cast<unsigned char>(text[i + 1])) || text[i + 1] == '/' || text[i + 1] == '!')) {
      if (nextClose < i) nextClose = text.find('>', i);
      if (nextClose != std::string::npos) {
        const std::string_view tag = std::string_view(text).substr(i + 1, nextClose - i - 1);
        const bool closing = !tag.empty() && tag[0] == '/';
        size_t nameStart = closing ? 1 : 0;
        size_t nameEnd = nameStart;
        while (nameEnd < tag.size() && std::isalnum(static_cast<unsigned char>(tag[nameEnd]))) ++nameEnd;
        const bool anchor = nameEnd - nameStart == 1 && Lower(tag[nameStart]) == 'a';
        if (anchor && (closing || ContainsNoCase(tag.substr(nameEnd), "href"))) {
          writer.Append(run, link);
          run.clear();
          link = !closing;
        }
        i = nextClose + 1;
        continue;
      }
    }
    if (c == '&') {
      if (const size_t used = DecodeEntity(text, i, run)) {
        i += used;
        continue;
      }
    }
    run += c;
    ++i;
  }
  writer.Append(run, link);
  return pieces;
}
