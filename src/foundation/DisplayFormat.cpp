#include "foundation/DisplayFormat.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foundation/FormatSettings.h"

std::string FormatFixed(double value, int decimals) {
  if (!std::isfinite(value)) return std::string();
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  const char separator = FormatSettings().DecimalSeparator;
  char buffer[96];
  if (std::fabs(value) >= 1e9) {
    std::snprintf(buffer, sizeof buffer, "%.8E", value);
    std::string text(buffer);
    for (char& c : text)
      if (c == '.') c = separator;
    return text;
  }
  // Nine significant digits as a digit string and a decimal exponent, then
  // rounded half away from zero to the decimals asked for.
  std::snprintf(buffer, sizeof buffer, "%.8e", std::fabs(value));
  std::string digits;
  for (const char* p = buffer; *p && *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  int exponent = std::atoi(std::strchr(buffer, 'e') + 1);
  // Position of the decimal point within digits: exponent + 1.
  int point = exponent + 1;
  if (point < 0) {
    digits.insert(0, static_cast<size_t>(-point), '0');
    point = 0;
  }
  const size_t keep = static_cast<size_t>(point + decimals);
  if (digits.size() < keep) digits.append(keep - digits.size(), '0');
  if (digits.size() > keep) {
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
      size_t i = digits.size();
      while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
      if (i == 0) {
        digits.insert(0, 1, '1');
        ++point;
      } else {
        ++digits[i - 1];
      }
    }
  }
  // A value that rounds to zero shows without its sign.
  const bool negative = value < 0 && digits.find_first_not_of('0') != std::string::npos;
  std::string text = negative ? "-" : "";
  if (point > 0)
    text.append(digits, 0, static_cast<size_t>(point));
  else
    text += '0';
  if (decimals > 0) {
    text += separator;
    text.append(digits, static_cast<size_t>(point), std::string::npos);
  }
  return text;
}
