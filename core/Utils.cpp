#include "core/Utils.h"

#include "core/Errors.h"
#include "core/Intl.h"

#include <charconv>
#include <cmath>
#include <limits>

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
}  // namespace

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
