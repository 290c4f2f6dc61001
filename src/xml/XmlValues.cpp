// Value conversions every loader uses. A value that does not convert becomes
// 0, the zero date or false without a message.

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "foundation/DateTime.h"
#include "foundation/FormatSettings.h"
#include "xml/XmlDocument.h"

namespace {
bool IsBlank(const std::string& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > ' ') return false;
  return true;
}
}  // namespace

std::string XmlToText(const std::string& text) { return text; }

int32_t XmlToInt(const std::string& text) {
  if (IsBlank(text)) return 0;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*begin == '+') ++begin;
  int32_t value = 0;
  const auto [ptr, ec] = std::from_chars(begin, end, value);
  if (ec != std::errc() || ptr != end) return 0;
  return value;
}

double XmlToFloat(const std::string& text) {
  if (IsBlank(text)) return 0;
  const char separator = FormatSettings().DecimalSeparator;
  // Sign, digits, the user's decimal separator, digits, exponent; nothing else.
  std::string plain;
  plain.reserve(text.size());
  size_t i = 0;
  const size_t n = text.size();
  if (text[i] == '+' || text[i] == '-') plain += text[i++];
  size_t digits = 0;
  while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++], ++digits;
  if (i < n && text[i] == separator) {
    plain += '.';
    ++i;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++], ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    size_t exponentDigits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++], ++exponentDigits;
    if (exponentDigits == 0) return 0;
  }
  if (i != n) return 0;
  const char* begin = plain.data();
  if (*begin == '+') ++begin;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(begin, plain.data() + plain.size(), value);
  if (ec != std::errc() || !std::isfinite(value)) return 0;
  return value;
}

double XmlToDate(const std::string& text) {
  if (IsBlank(text)) return 0;
  TDateTime date = 0;
  return TryStrToDate(text, date) ? date : 0;
}

bool XmlToBool(const std::string& text) {
  if (text.empty()) return false;
  const char c = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return c == 'Y' || c == 'T';
}
