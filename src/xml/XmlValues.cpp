// Value conversions every loader uses. A value that does not convert becomes
// 0, the zero date or false; a number that does not convert is also noted
// where a TUnreadableNumbers collects them.

#include <cctype>
#include <charconv>
#include <cmath>
#include <string>

#include "foundation/DateTime.h"
#include "foundation/FormatSettings.h"
#include "xml/XmlDocument.h"

namespace {

thread_local TUnreadableNumbers* CollectingNumbers = nullptr;

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

namespace {

// The number a text holds; false, with 0, when it holds none.
bool ParseFloat(const std::string& text, double& value) {
  value = 0;
  const char separator = FormatSettings().DecimalSeparator;
  // Sign, digits, the user's decimal separator, digits, exponent; nothing
  // else. The point is read under every locale: it is the separator of the
  // shipped tables and of every file written where the user's separator is
  // the point.
  std::string plain;
  plain.reserve(text.size());
  size_t i = 0;
  const size_t n = text.size();
  if (text[i] == '+' || text[i] == '-') plain += text[i++];
  size_t digits = 0;
  while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++], ++digits;
  if (i < n && (text[i] == separator || text[i] == '.')) {
    plain += '.';
    ++i;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++], ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) plain += text[i++];
    size_t exponentDigits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) plain += text[i++], ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  if (i != n) return false;
  const char* begin = plain.data();
  if (*begin == '+') ++begin;
  const auto [ptr, ec] = std::from_chars(begin, plain.data() + plain.size(), value);
  if (ec != std::errc() || !std::isfinite(value)) {
    value = 0;
    return false;
  }
  return true;
}

}  // namespace

TUnreadableNumbers::TUnreadableNumbers() : FOuter(CollectingNumbers) { CollectingNumbers = this; }

TUnreadableNumbers::~TUnreadableNumbers() { CollectingNumbers = FOuter; }

std::string TUnreadableNumbers::Message() const {
  if (FCount == 0) return std::string();
  std::string message = "Values in the file that are not numbers were read as 0: ";
  for (size_t i = 0; i < FFound.size(); ++i) message += (i > 0 ? ", " : "") + FFound[i];
  if (FCount > FFound.size()) message += " and " + std::to_string(FCount - FFound.size()) + " more";
  return message + ". Check them before calculating.";
}

void TUnreadableNumbers::Note(std::string_view field, const std::string& text) {
  ++FCount;
  if (FFound.size() >= Listed) return;
  // Long or unprintable texts are shown cut short and as question marks.
  std::string shown;
  for (char c : text.substr(0, 40)) shown += static_cast<unsigned char>(c) < ' ' ? '?' : c;
  if (text.size() > 40) shown += "...";
  FFound.push_back((field.empty() ? std::string() : std::string(field) + " ") + "\"" + shown + "\"");
}

bool XmlIsNumber(const std::string& text) {
  double value = 0;
  return IsBlank(text) || ParseFloat(text, value);
}

double XmlToFloat(const std::string& text, std::string_view field) {
  if (IsBlank(text)) return 0;
  double value = 0;
  if (!ParseFloat(text, value) && CollectingNumbers) CollectingNumbers->Note(field, text);
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
