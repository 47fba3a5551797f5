#include "core/Utils.h"

#include "core/Errors.h"
#include "core/Intl.h"
#include "core/SaveFault.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace fs = std::filesystem;

namespace {
template <typename T>
T StrictInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string_view rest = text.substr(i);
  bool negative = false;
  if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
    negative = rest[0] == '-';
    rest.remove_prefix(1);
  }
  // from_chars would accept a second sign or stop early: insist on digits only, to the end.
  bool ok = !rest.empty();
  for (char c : rest) ok = ok && c >= '0' && c <= '9';
  using U = std::make_unsigned_t<T>;
  U magnitude = 0;
  if (ok) {
    auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude);
    ok = ec == std::errc() && end == rest.data() + rest.size();
  }
  const U limit = negative ? U(std::numeric_limits<T>::max()) + 1 : U(std::numeric_limits<T>::max());
  if (!ok || magnitude > limit)
    throw EConvertError(FormatText(_("'%s' is not a valid integer value"), std::string(text).c_str()));
  return negative ? T(U(0) - magnitude) : T(magnitude);
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Display width of a UTF-8 text: one per character, so that names with accented letters line up.
int CharCount(std::string_view text) {
  int n = 0;
  for (unsigned char c : text)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

std::string SystemMessage(int error) { return std::strerror(error); }

[[noreturn]] void RaiseWriteError(const fs::path& path, int error) {
  throw EInOutError(
      FormatText(_("Cannot write file \"%s\": %s"), path.string().c_str(), SystemMessage(error).c_str()));
}

[[noreturn]] void RaiseReadError(const fs::path& path, int error) {
  throw EInOutError(
      FormatText(_("Cannot read file \"%s\": %s"), path.string().c_str(), SystemMessage(error).c_str()));
}

// Closes the descriptor and removes the temporary file unless Release was called.
class TTempFileGuard {
public:
  TTempFileGuard(int fd, fs::path path) : FFd(fd), FPath(std::move(path)) {}
  ~TTempFileGuard() {
    if (FFd >= 0) ::close(FFd);
    if (!FPath.empty()) ::unlink(FPath.c_str());
  }
  TTempFileGuard(const TTempFileGuard&) = delete;
  TTempFileGuard& operator=(const TTempFileGuard&) = delete;
  int Fd() const { return FFd; }
  // Closes the descriptor; returns 0 or the error number.
  int Close() {
    int result = ::close(FFd) == 0 ? 0 : errno;
    FFd = -1;
    return result;
  }
  void Release() { FPath.clear(); }

private:
  int FFd;
  fs::path FPath;
};

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// The encoding named in the XML declaration at the start of the data (empty when none is declared).
std::string_view DeclaredEncoding(std::string_view data) {
  if (data.substr(0, 3) == "\xEF\xBB\xBF") data.remove_prefix(3);
  if (data.substr(0, 5) != "<?xml") return {};
  auto end = data.find("?>");
  if (end == std::string_view::npos) return {};
  std::string_view decl = data.substr(0, end);
  auto pos = decl.find("encoding");
  if (pos == std::string_view::npos) return {};
  pos = decl.find_first_of("\"'", pos);
  if (pos == std::string_view::npos) return {};
  auto close = decl.find(decl[pos], pos + 1);
  if (close == std::string_view::npos) return {};
  return decl.substr(pos + 1, close - pos - 1);
}

bool IsWesternSingleByte(std::string_view encoding) {
  for (std::string_view name : {"iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "latin-1", "windows-1252",
                                "cp1252", "x-cp1252"})
    if (EqualsNoCase(encoding, name)) return true;
  return false;
}

// Windows-1252 0x80..0x9F; the five unassigned bytes map to the C1 control with the same number.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}
}  // namespace

namespace {
// Reads the whole file into a buffer of the caller's kind: Reserve(n) makes room for n bytes (keeping those
// read), Data() is where they go. One read more than the file's size tells its end, so a regular file takes
// two reads whatever its size.
template <class TBuffer>
void ReadFileInto(const fs::path& path, TBuffer& buffer, size_t& size) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) RaiseReadError(path, errno);
  struct TCloser {
    int Fd;
    ~TCloser() { ::close(Fd); }
  } closer{fd};
  struct stat st;
  if (::fstat(fd, &st) != 0) RaiseReadError(path, errno);
  if (S_ISDIR(st.st_mode)) RaiseReadError(path, EISDIR);
  // Refused before anything is read, so that a huge file costs neither time nor memory.
  if (st.st_size > static_cast<off_t>(MaxReadFileSize)) RaiseReadError(path, EFBIG);
  size = 0;
  size_t capacity = static_cast<size_t>(std::max<off_t>(st.st_size, 0)) + 1;
  buffer.Reserve(capacity, size);
  for (;;) {
    if (size == capacity) {
      // A device or a pipe has no size to check beforehand: it may grow only up to one byte past the limit.
      if (size > MaxReadFileSize) RaiseReadError(path, EFBIG);
      buffer.Reserve(capacity = std::min(capacity * 2, MaxReadFileSize + 1), size);
    }
    ssize_t n = ::read(fd, buffer.Data() + size, capacity - size);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseReadError(path, errno);
    }
    if (n == 0) break;
    size += static_cast<size_t>(n);
  }
}

struct TStringBuffer {
  std::string& Text;
  void Reserve(size_t capacity, size_t) { Text.resize(capacity); }
  char* Data() { return Text.data(); }
};

// Memory from pugixml's allocator, which a document can take over (load_buffer_inplace_own) instead of
// copying the file's bytes.
class TPugiBuffer {
public:
  TPugiBuffer() = default;
  TPugiBuffer(const TPugiBuffer&) = delete;
  TPugiBuffer& operator=(const TPugiBuffer&) = delete;
  ~TPugiBuffer() {
    if (FData) pugi::get_memory_deallocation_function()(FData);
  }
  void Reserve(size_t capacity, size_t kept) {
    char* data = static_cast<char*>(pugi::get_memory_allocation_function()(capacity));
    if (!data) throw std::bad_alloc();
    if (kept > 0) std::memcpy(data, FData, kept);
    if (FData) pugi::get_memory_deallocation_function()(FData);
    FData = data;
  }
  char* Data() { return FData; }
  char* Release() { return std::exchange(FData, nullptr); }

private:
  char* FData = nullptr;
};
}  // namespace

// ---- XML files ----------------------------------------------------------------------------------------

void WriteXMLSkeleton(std::vector<std::string>& lines, const std::string& root) {
  lines.push_back("<?xml version=\"1.0\" ?>");
  lines.push_back("<" + root + ">");
  lines.push_back("</" + root + ">");
}

void NewXMLDocument(pugi::xml_document& doc, const std::string& root) {
  // Built node by node rather than parsed, so that no root name can make it fail half-way.
  doc.reset();
  auto decl = doc.append_child(pugi::node_declaration);
  decl.append_attribute("version") = "1.0";
  doc.append_child(root.c_str());
}

void OpenXMLFile(const fs::path& path, pugi::xml_document& doc, const std::string& root) {
  std::error_code ec;
  if (fs::exists(path, ec)) {
    LoadXMLFile(path, doc);
    return;
  }
  NewXMLDocument(doc, root);
  SaveXMLFile(doc, path);
}

void CopyChildNodes(const pugi::xml_node& source, pugi::xml_node target) {
  for (pugi::xml_node child : source.children()) target.append_copy(child);
}

namespace {
constexpr unsigned XMLParseOptions = pugi::parse_default | pugi::parse_declaration;

// Old files declare ISO-8859-1 (or hold such bytes without saying so); the program keeps UTF-8 only.
// A NUL byte means UTF-16/32, which pugixml recognises by itself.
bool NeedsWesternConversion(std::string_view data) {
  const std::string_view declared = DeclaredEncoding(data);
  return IsWesternSingleByte(declared) || ((declared.empty() || EqualsNoCase(declared, "utf-8")) &&
                                           data.find('\0') == std::string_view::npos && !IsValidUtf8(data));
}

void CheckParsed(const pugi::xml_parse_result& result, const std::string& sourceName) {
  if (!result)
    throw EInOutError(FormatText(_("\"%s\" is not a valid XML file: %s (at byte %lld)"), sourceName.c_str(),
                                 result.description(), static_cast<long long>(result.offset)));
}
}  // namespace

bool IsPlainUtf8XML(std::string_view data) {
  const std::string_view declared = DeclaredEncoding(data);
  return (declared.empty() || EqualsNoCase(declared, "utf-8")) && data.find('\0') == std::string_view::npos &&
         IsValidUtf8(data);
}

void ParseXMLText(std::string_view data, pugi::xml_document& doc, const std::string& sourceName) {
  const bool convert = NeedsWesternConversion(data);
  pugi::xml_parse_result result;
  if (convert) {
    std::string utf8 = Cp1252ToUtf8(data);
    result = doc.load_buffer(utf8.data(), utf8.size(), XMLParseOptions, pugi::encoding_utf8);
  } else {
    result = doc.load_buffer(data.data(), data.size(), XMLParseOptions, pugi::encoding_auto);
  }
  CheckParsed(result, sourceName);
  if (convert) {
    // The document now holds UTF-8: a saved copy must not claim otherwise.
    pugi::xml_node decl = doc.first_child();
    if (decl.type() == pugi::node_declaration) {
      pugi::xml_attribute enc = decl.attribute("encoding");
      if (enc) enc.set_value("UTF-8");
    }
  }
}

void LoadXMLFile(const fs::path& path, pugi::xml_document& doc) {
  // The document takes the file's bytes over and parses them where they are: no copy of the whole file.
  TPugiBuffer buffer;
  size_t size = 0;
  ReadFileInto(path, buffer, size);
  const std::string_view data(buffer.Data(), size);
  if (NeedsWesternConversion(data)) {
    ParseXMLText(data, doc, path.string());
    return;
  }
  CheckParsed(doc.load_buffer_inplace_own(buffer.Release(), size, XMLParseOptions, pugi::encoding_auto),
              path.string());
}

void SaveXMLFile(const pugi::xml_document& doc, const fs::path& path) {
  std::ostringstream out;
  doc.save(out, "  ", pugi::format_indent, pugi::encoding_utf8);
  SaveFileAtomically(path, out.view());
}

std::string ChildText(const pugi::xml_node& node, const char* name) {
  return node.child(name).text().as_string();
}

// ---- Files --------------------------------------------------------------------------------------------

namespace {
std::atomic<int> SaveFaultCountdown{0};  // 0: no fault armed
std::atomic<TSaveFault> SaveFaultKind{TSaveFault::None};
std::atomic<int> SaveCount{0};

// The fault for this save, when one is armed and due; counts the save either way.
TSaveFault DueSaveFault() {
  SaveCount.fetch_add(1, std::memory_order_relaxed);
  if (SaveFaultCountdown.load(std::memory_order_relaxed) == 0) return TSaveFault::None;
  if (SaveFaultCountdown.fetch_sub(1) != 1) return TSaveFault::None;
  return SaveFaultKind.exchange(TSaveFault::None);
}
}  // namespace

void InjectSaveFault(TSaveFault fault, int countdown) {
  SaveFaultKind = fault;
  SaveCount = 0;
  SaveFaultCountdown = fault == TSaveFault::None ? 0 : std::max(countdown, 1);
}

int SavesSinceInjection() { return SaveCount.load(); }

void SaveFileAtomically(const fs::path& path, std::string_view data, fs::perms perms) {
  fs::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  // Without explicit permissions a replaced file keeps its own; a new one gets the usual 0666 & ~umask,
  // which open() applies for us.
  mode_t mode = 0666;
  if (perms != fs::perms::unknown) {
    mode = static_cast<mode_t>(perms & fs::perms::mask);
  } else if (struct stat st; ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    mode = st.st_mode & 07777;
    perms = static_cast<fs::perms>(mode);
  }

  thread_local std::mt19937_64 random{std::random_device{}()};
  fs::path temp;
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    char suffix[24];
    std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(random()));
    temp = folder / ("." + path.filename().string() + suffix);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && (errno != EEXIST || attempt > 100)) RaiseWriteError(path, errno);
  }
  TTempFileGuard guard(fd, temp);
  const TSaveFault fault = DueSaveFault();

  const char* p = data.data();
  // A full disk takes the first half of the data, then refuses the rest.
  size_t left = fault == TSaveFault::NoSpace ? data.size() / 2 : data.size();
  while (left > 0) {
    ssize_t written = ::write(fd, p, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      RaiseWriteError(path, errno);
    }
    p += written;
    left -= static_cast<size_t>(written);
  }
  if (fault == TSaveFault::NoSpace) RaiseWriteError(path, ENOSPC);
  if (perms != fs::perms::unknown && ::fchmod(fd, mode) != 0) RaiseWriteError(path, errno);
  if (::fsync(fd) != 0) RaiseWriteError(path, errno);
  if (int error = guard.Close(); error != 0) RaiseWriteError(path, error);
  if (fault == TSaveFault::Kill) ::raise(SIGKILL);
  if (fault == TSaveFault::RenameFails) RaiseWriteError(path, EIO);
  if (::rename(temp.c_str(), path.c_str()) != 0) RaiseWriteError(path, errno);
  guard.Release();
  // Makes the rename itself durable; a failure here no longer endangers either version of the file.
  if (int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
}

std::string ReadFileText(const fs::path& path) {
  std::string result;
  TStringBuffer buffer{result};
  size_t size = 0;
  ReadFileInto(path, buffer, size);
  result.resize(size);
  return result;
}

// ---- Text and numbers ---------------------------------------------------------------------------------

int32_t StrToInt(std::string_view text) { return StrictInteger<int32_t>(text); }
int64_t StrToInt64(std::string_view text) { return StrictInteger<int64_t>(text); }

double StrToFloat(std::string_view text) {
  std::string_view t = text;
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  if (!t.empty() && t.front() == '+') t.remove_prefix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  if (t.empty() || ec != std::errc() || end != t.data() + t.size() || !std::isfinite(value))
    throw EConvertError(FormatText(_("'%s' is not a valid floating point value"), std::string(text).c_str()));
  return value;
}

std::string FloatToStr(double value) {
  if (value == 0) return "0";  // also for -0
  char buffer[64];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, ec == std::errc() ? end : buffer);
}

std::string FormatFloat(double value, int decimals) {
  decimals = std::clamp(decimals, 0, 30);
  // Decide halves on the decimal value the user would read, not on its binary neighbour.
  if (std::isfinite(value) && decimals <= 15 && std::fabs(value) < 1e15) value = RoundHalfAway(value, decimals);
  char buffer[400];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  std::string result(buffer, ec == std::errc() ? end : buffer);
  if (!result.empty() && result[0] == '-' && result.find_first_of("123456789") == std::string::npos)
    result.erase(0, 1);
  return result;
}

std::string KeepDigits(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (char c : text)
    if (c >= '0' && c <= '9') result += c;
  return result;
}

bool IsIntegerText(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c != '-' && (c < '0' || c > '9')) return false;
  try {
    StrToInt(text);
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

int PosText(std::string_view sub, std::string_view text) {
  if (sub.empty() || sub.size() > text.size()) return 0;
  auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  auto it = std::search(text.begin(), text.end(), sub.begin(), sub.end(),
                        [&](char a, char b) { return lower(a) == lower(b); });
  return it == text.end() ? 0 : static_cast<int>(it - text.begin()) + 1;
}

std::string CleanFileName(std::string_view text) {
  static constexpr std::string_view forbidden = ".\\/:*?\"<>|";
  std::string result;
  result.reserve(text.size());
  for (char c : text)
    if (forbidden.find(c) == std::string_view::npos) result += c;
  return Trim(result);
}

std::string Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string PadLeft(std::string_view text, int width) {
  std::string trimmed = Trim(text);
  int missing = width - CharCount(trimmed);
  return missing > 0 ? std::string(static_cast<size_t>(missing), ' ') + trimmed : trimmed;
}

std::string PadRight(std::string_view text, int width) {
  std::string trimmed = Trim(text);
  int missing = width - CharCount(trimmed);
  if (missing > 0) trimmed.append(static_cast<size_t>(missing), ' ');
  return trimmed;
}

std::string CenterText(std::string_view text, int width) {
  std::string trimmed = Trim(text);
  int missing = width - CharCount(trimmed);
  if (missing <= 0) return trimmed;
  auto left = static_cast<size_t>(RoundHalfEven(missing / 2.0));
  std::string result(static_cast<size_t>(missing), ' ');
  result.insert(left, trimmed);
  return result;
}

std::string GroupDigits(char separator, int64_t value) {
  // The magnitude in unsigned arithmetic, so that INT64_MIN has one too.
  uint64_t magnitude = value < 0 ? uint64_t(0) - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  char digits[24];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, magnitude);
  (void)ec;
  const size_t count = static_cast<size_t>(end - digits);
  std::string result;
  result.reserve(count + count / 3 + 1);
  if (value < 0) result += '-';
  for (size_t i = 0; i < count; ++i) {
    if (i > 0 && (count - i) % 3 == 0) result += separator;
    result += digits[i];
  }
  return result;
}

std::string GroupDigitsOfText(std::string_view text, char separator) {
  return GroupDigits(separator, StrToInt64(text));
}

int DigitAt(int64_t value, int n) {
  if (n < 1) throw ERangeError();
  if (n > 19) return 0;  // 10^19 exceeds any 64-bit value
  int64_t divisor = 1;
  for (int i = 1; i < n; ++i) divisor *= 10;
  return static_cast<int>((value / divisor) % 10);
}

int64_t TextChecksum(std::string_view text) {
  int64_t sum = 0;
  for (size_t i = 0; i < text.size(); ++i)
    sum += static_cast<int64_t>((i + 1) / 10 + 1) * static_cast<unsigned char>(text[i]);
  return sum;
}

bool IsEnglishText() { return std::strcmp(_("divine"), "divine") == 0; }

std::string OrdinalSuffix(int n) {
  // Magnitudes in 64 bits: the negation of INT_MIN does not fit an int.
  const int64_t magnitude = n < 0 ? -int64_t(n) : int64_t(n);
  const int64_t lastTwo = magnitude % 100;
  if (IsEnglishText() && lastTwo >= 11 && lastTwo <= 13) return "th";
  switch (magnitude % 10) {
    case 1: return "st";
    case 2: return "nd";
    case 3: return "rd";
    default: return "th";
  }
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 8);
  for (unsigned char c : text) {
    if (c < 0x80)
      result += static_cast<char>(c);
    else if (c < 0xA0)
      AppendUtf8(result, Cp1252High[c - 0x80]);
    else
      AppendUtf8(result, c);
  }
  return result;
}

bool IsValidUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    // Files are mostly ASCII: eight bytes at a time while none has its high bit set.
    if (end - p >= 8) {
      uint64_t word;
      std::memcpy(&word, p, sizeof word);
      if ((word & 0x8080808080808080ULL) == 0) {
        p += 8;
        continue;
      }
    }
    unsigned char c = *p;
    if (c < 0x80) {
      ++p;
      continue;
    }
    int length;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      cp = c & 0x07;
    } else {
      return false;  // continuation byte without a lead, or a lead of an overlong form
    }
    if (end - p < length) return false;
    for (int i = 1; i < length; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (p[i] & 0x3F);
    }
    if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    p += length;
  }
  return true;
}

int64_t RoundHalfEven(double value) {
  // 2^63 is exactly representable; everything from there on (and NaN) has no 64-bit result.
  if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0)) throw ERangeError();
  double floor = std::floor(value);
  double fraction = value - floor;
  double result = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0)) result += 1;
  if (result >= 9223372036854775808.0) throw ERangeError();
  return static_cast<int64_t>(result);
}

double RoundHalfAway(double value, int decimals) {
  if (!std::isfinite(value)) return value;
  static constexpr std::array<double, 16> powers = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                    1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const double scale = powers[static_cast<size_t>(std::clamp(decimals, 0, 15))];
  const double scaled = std::fabs(value) * scale;
  if (scaled >= 4503599627370496.0) return value;  // 2^52: no fraction left to round
  // A computed 2.675 is stored as 2.67499999...; a half within a few units of the last place is a half.
  const double whole = std::floor(scaled);
  const double tolerance = 1e-11 * std::max(1.0, scaled);
  double rounded = scaled - whole >= 0.5 - tolerance ? whole + 1 : whole;
  return std::copysign(rounded / scale, value);
}
