#include "model/ValueFormat.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "foundation/FormatSettings.h"
#include "xml/XmlDocument.h"

std::string FloatToXml(double value) {
  if (!std::isfinite(value) || value == 0) return "0";
  // Round to 15 significant digits first; the notation follows the rounded
  // value's magnitude.
  // to_chars gives what "%.14e" gives, without printf's cost (a large
  // project writes millions of numbers).
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  std::string text(buffer, written.ptr);
  const size_t e = text.find('e');
  const int exponent = std::atoi(text.c_str() + e + 1);
  const bool negative = text[0] == '-';
  std::string digits;
  for (size_t i = negative ? 1 : 0; i < e; ++i)
    if (text[i] != '.') digits += text[i];
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  const char separator = FormatSettings().DecimalSeparator;
  std::string out = negative ? "-" : "";
  if (exponent < -4 || exponent >= 15) {
    out += digits[0];
    if (digits.size() > 1) {
      out += separator;
      out.append(digits, 1, std::string::npos);
    }
    out += 'E';
    out += std::to_string(exponent);
  } else if (exponent < 0) {
    out += '0';
    out += separator;
    out.append(static_cast<size_t>(-exponent - 1), '0');
    out += digits;
  } else {
    const size_t integerDigits = static_cast<size_t>(exponent) + 1;
    if (digits.size() <= integerDigits) {
      out += digits;
      out.append(integerDigits - digits.size(), '0');
    } else {
      out.append(digits, 0, integerDigits);
      out += separator;
      out.append(digits, integerDigits, std::string::npos);
    }
  }
  return out;
}

std::string IntToXml(int64_t value) { return std::to_string(value); }

std::string DateToXml(TDateTime date) {
  int year, month, day;
  DecodeDate(date, year, month, day);
  char buffer[32];
  const char s = FormatSettings().DateSeparator;
  std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%04d", month, s, day, s, year);
  return buffer;
}

TXMLElement* AddTextLeaf(TXMLElement* parent, const std::string& name, const std::string& value) {
  return parent->AddChild(name, true, value);
}

TXMLElement* AddFloatLeaf(TXMLElement* parent, const std::string& name, double value) {
  return parent->AddChild(name, true, FloatToXml(value));
}

TXMLElement* AddIntLeaf(TXMLElement* parent, const std::string& name, int64_t value) {
  return parent->AddChild(name, true, IntToXml(value));
}

TXMLElement* AddDateLeaf(TXMLElement* parent, const std::string& name, TDateTime value) {
  return parent->AddChild(name, true, DateToXml(value));
}
