#include "appmodel/EditValue.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>

#include "foundation/FormatSettings.h"

namespace {
const char* const DigitChars = "0123456789ABCDEF";
const char* const MonthNames[12] = {"jan", "feb", "mar", "apr", "may", "jun", "jul", "aug", "sep", "oct", "nov", "dec"};
const char* const ShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                    "July",    "August",   "September", "October", "November", "December"};

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsLetter(char ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }
char Lower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }
char Upper(char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; }
bool Contains(const std::string& set, char ch) { return set.find(ch) != std::string::npos; }

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string LowerText(std::string text) {
  for (char& ch : text) ch = Lower(ch);
  return text;
}

bool MaskAccepts(char ch, const std::string& mask, int caretPosition) {
  if (caretPosition < 1 || caretPosition > static_cast<int>(mask.size())) return false;
  switch (const char m = mask[static_cast<size_t>(caretPosition - 1)]) {
    case '#': return IsDigit(ch);
    case '&': return IsLetter(ch);
    case '*': return IsDigit(ch) || IsLetter(ch);
    default: return ch == m;
  }
}

// Runs of digits of a text, each of at most nine digits; false otherwise.
bool DigitRuns(const std::string& text, std::vector<int>& runs) {
  runs.clear();
  size_t i = 0;
  while (i < text.size()) {
    if (!IsDigit(text[i])) {
      ++i;
      continue;
    }
    const size_t start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i - start > 9) return false;
    runs.push_back(std::atoi(text.substr(start, i - start).c_str()));
  }
  return true;
}

int CurrentYear() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

bool EncodeTime(int hour, int minute, int second, double& fraction) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return false;
  fraction = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
  return true;
}

// The date of the first two or three runs, in the field order.
bool EncodeDateRuns(const std::vector<int>& runs, const std::string& order, TDateTime& date) {
  int year = 0, month = 0, day = 0;
  if (runs.size() == 2) {
    const bool monthFirst = order.find('M') < order.find('D');
    month = monthFirst ? runs[0] : runs[1];
    day = monthFirst ? runs[1] : runs[0];
    year = CurrentYear();
  } else {
    for (size_t i = 0; i < 3; ++i) {
      const char field = i < order.size() ? order[i] : "MDY"[i];
      (field == 'Y' ? year : field == 'M' ? month : day) = runs[i];
    }
    // The runs were cut from the text, so a short year is known by its size.
    if (year < 100) year += year < 50 ? 2000 : 1900;
  }
  return TryEncodeDate(year, month, day, date);
}

void ReplaceSeparator(std::string& text, char separator) {
  if (separator == '.') return;
  for (char& ch : text)
    if (ch == '.') ch = separator;
}

std::string Padded(int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

// Significant digits of |value| (precision of them, rounded) and the decimal
// exponent of the first.
void Decompose(double value, int precision, std::string& digits, int& exponent) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*e", precision - 1, std::fabs(value));
  digits.clear();
  const char* p = buffer;
  for (; *p && *p != 'e'; ++p)
    if (*p != '.') digits += *p;
  exponent = *p ? std::atoi(p + 1) : 0;
}

int ClampPrecision(int precision) { return precision < 1 ? 1 : precision > 17 ? 17 : precision; }

std::string ExponentText(int exponent, int minDigits, bool plusSign) {
  std::string text = exponent < 0 ? "-" : plusSign ? "+" : "";
  return text + Padded(std::abs(exponent), minDigits < 1 ? 1 : minDigits > 4 ? 4 : minDigits);
}
}  // namespace

TEditSlot SlotOfType(TEditDataType type) {
  if (IsIntegerType(type)) return TEditSlot::Integer;
  if (IsNumberType(type) || IsDateTimeType(type)) return TEditSlot::Float;
  return TEditSlot::Text;
}

bool IsIntegerType(TEditDataType type) { return BaseOfType(type) != 0; }
bool IsNumberType(TEditDataType type) { return type == edtExponent || type == edtFixed || type == edtFloat; }
bool IsDateTimeType(TEditDataType type) { return type == edtDateTime || type == edtDate || type == edtTime; }

int BaseOfType(TEditDataType type) {
  switch (type) {
    case edtBinary: return 2;
    case edtHex: return 16;
    case edtInteger: return 10;
    case edtOctal: return 8;
    default: return 0;
  }
}

std::string DefaultMask(TEditDataType type) {
  switch (type) {
    case edtDate: return "MM/DD/YYYY";
    case edtDateTime: return "MM/DD/YYYY hh:mm:ss";
    case edtTime: return "hh:mm:ss";
    default: return std::string();
  }
}

bool AcceptsKey(TEditDataType type, char ch, const std::string& extendedChar, const std::string& filteredChar,
                const std::string& mask, int caretPosition) {
  if (ch == BackspaceKey) return true;
  if (Contains(filteredChar, ch)) return false;
  switch (type) {
    case edtAlpha: return IsLetter(ch) || Contains(extendedChar, ch);
    case edtAlphaNumeric: return IsDigit(ch) || IsLetter(ch) || Contains(extendedChar, ch);
    case edtBinary: return ch == '0' || ch == '1';
    case edtDateTime:
    case edtDate:
    case edtTime:
    case edtFree: return true;
    case edtExponent: return IsDigit(ch) || Contains("+-.Ee", ch);
    case edtFixed:
    case edtFloat: return IsDigit(ch) || Contains("+-.", ch);
    case edtHex: return IsDigit(ch) || Contains("ABCDEFabcdef", ch);
    case edtInteger: return IsDigit(ch) || ch == '+' || ch == '-';
    case edtMask: return MaskAccepts(ch, mask, caretPosition);
    case edtNumeric: return IsDigit(ch) || Contains(extendedChar, ch);
    case edtOctal: return ch >= '0' && ch <= '7';
    case edtPhone: return IsDigit(ch) || Contains(" #()-", ch);
  }
  return false;
}

int32_t ReadDigits(const std::string& text, int base) {
  int64_t value = 0;
  for (char ch : text) {
    const char* at = ch ? std::strchr(DigitChars, Upper(ch)) : nullptr;
    const int digit = at ? static_cast<int>(at - DigitChars) : -1;
    if (digit < 0 || digit >= base) return 0;
    value = value * base + digit;
    if (value > std::numeric_limits<int32_t>::max()) return 0;
  }
  return static_cast<int32_t>(value);
}

std::string WriteDigits(int32_t value, int base) {
  if (value <= 0 || base < 2 || base > 16) return std::string();
  std::string text;
  for (; value > 0; value /= base) text.insert(text.begin(), DigitChars[value % base]);
  return text;
}

bool TryReadNumber(const std::string& text, double& value) {
  std::string number = Trim(text);
  const char separator = FormatSettings().DecimalSeparator;
  for (char& ch : number)
    if (ch == separator) ch = '.';
  size_t start = 0;
  if (!number.empty() && number[0] == '+') start = 1;
  if (start == number.size() || (start == 1 && number[1] == '-')) return false;
  double result = 0;
  const char* first = number.data() + start;
  const char* last = number.data() + number.size();
  const auto [end, error] = std::from_chars(first, last, result, std::chars_format::general);
  if (error != std::errc() || end != last || !std::isfinite(result)) return false;
  value = result;
  return true;
}

TDateTime ReadDateText(const std::string& text, const std::string& fieldOrder) {
  std::string work = LowerText(Trim(text));
  if (work.empty()) return 0;
  for (int month = 0; month < 12; ++month) {
    const std::string name = MonthNames[month];
    const std::string number = std::to_string(month + 1);
    for (size_t at = work.find(name); at != std::string::npos; at = work.find(name, at + number.size()))
      work.replace(at, name.size(), number);
  }
  std::vector<int> runs;
  if (!DigitRuns(work, runs) || runs.size() < 2 || runs.size() == 4 || runs.size() > 6) return -1;
  TDateTime date = 0;
  if (!EncodeDateRuns(runs, fieldOrder, date)) return -1;
  if (runs.size() >= 5) {
    double time = 0;
    if (!EncodeTime(runs[3], runs[4], runs.size() == 6 ? runs[5] : 0, time)) return -1;
    date += time;
  }
  return date;
}

TDateTime ReadTimeText(const std::string& text) {
  const std::string work = Trim(text);
  if (work.empty()) return 0;
  // Only digits and colons, two or three fields.
  for (char ch : work)
    if (!IsDigit(ch) && ch != ':') return -1;
  std::vector<int> runs;
  if (!DigitRuns(work, runs) || runs.size() < 2 || runs.size() > 3) return -1;
  size_t colons = 0;
  for (char ch : work) colons += ch == ':';
  if (colons != runs.size() - 1 || work.front() == ':' || work.back() == ':') return -1;
  double time = 0;
  return EncodeTime(runs[0], runs[1], runs.size() == 3 ? runs[2] : 0, time) ? time : -1;
}

std::string FieldOrderOfMask(const std::string& mask) {
  std::string order;
  bool afterHour = false;
  for (size_t i = 0; i < mask.size();) {
    const char ch = Lower(mask[i]);
    size_t run = 1;
    while (i + run < mask.size() && Lower(mask[i + run]) == ch) ++run;
    i += run;
    char field = 0;
    if (ch == 'y') field = 'Y';
    if (ch == 'd') field = 'D';
    if (ch == 'm' && !afterHour) field = 'M';
    if (field && order.find(field) == std::string::npos) order += field;
    if (IsLetter(ch)) afterHour = ch == 'h';
  }
  return order.size() == 3 ? order : std::string();
}

std::string FormatDateMask(TDateTime value, const std::string& mask) {
  if (!std::isfinite(value)) return std::string();
  int year = 0, month = 0, day = 0;
  DecodeDate(value, year, month, day);
  long seconds = std::lround((value - std::floor(value)) * 86400.0);
  if (seconds > 86399) seconds = 86399;
  const int hour = static_cast<int>(seconds / 3600), minute = static_cast<int>(seconds / 60 % 60),
            second = static_cast<int>(seconds % 60);
  std::string text;
  bool afterHour = false;
  for (size_t i = 0; i < mask.size();) {
    const char ch = Lower(mask[i]);
    size_t run = 1;
    if (IsLetter(ch))
      while (i + run < mask.size() && Lower(mask[i + run]) == ch) ++run;
    i += run;
    const int width = run >= 2 ? 2 : 1;
    if (ch == 'y')
      text += run >= 3 ? Padded(year, 4) : Padded(year % 100, 2);
    else if (ch == 'm' && afterHour)
      text += Padded(minute, width);
    else if (ch == 'm')
      text += run >= 4 ? LongMonths[month - 1] : run == 3 ? ShortMonths[month - 1] : Padded(month, width);
    else if (ch == 'd')
      text += Padded(day, width);
    else if (ch == 'h')
      text += Padded(hour, width);
    else if (ch == 'n')
      text += Padded(minute, width);
    else if (ch == 's')
      text += Padded(second, width);
    else if (ch == '/')
      text += FormatSettings().DateSeparator;
    else
      text.append(run, mask[i - run]);
    if (IsLetter(ch)) afterHour = ch == 'h';
  }
  return text;
}

std::string FormatExponent(double value, int precision, int digits) {
  if (!std::isfinite(value)) return std::string();
  precision = ClampPrecision(precision);
  std::string mantissa;
  int exponent = 0;
  Decompose(value, precision, mantissa, exponent);
  if (value == 0) exponent = 0;
  std::string text = value < 0 ? "-" : "";
  text += mantissa[0];
  if (mantissa.size() > 1) text += '.' + mantissa.substr(1);
  ReplaceSeparator(text, FormatSettings().DecimalSeparator);
  return text + "E" + ExponentText(exponent, digits, true);
}

std::string FormatFixedPrecision(double value, int precision, int digits) {
  if (!std::isfinite(value)) return std::string();
  precision = ClampPrecision(precision);
  digits = digits < 0 ? 0 : digits > 18 ? 18 : digits;
  if (std::fabs(value) >= std::pow(10.0, precision)) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*E", precision - 1, value);
    std::string text(buffer);
    ReplaceSeparator(text, FormatSettings().DecimalSeparator);
    return text;
  }
  std::string number;
  int exponent = 0;
  Decompose(value, precision, number, exponent);
  // Position of the decimal point within the digits; then rounded half away
  // from zero to the decimals asked for.
  int point = exponent + 1;
  if (point < 0) {
    number.insert(0, static_cast<size_t>(-point), '0');
    point = 0;
  }
  const size_t keep = static_cast<size_t>(point + digits);
  if (number.size() < keep) number.append(keep - number.size(), '0');
  if (number.size() > keep) {
    const bool up = number[keep] >= '5';
    number.resize(keep);
    size_t i = number.size();
    if (up) {
      while (i > 0 && number[i - 1] == '9') number[--i] = '0';
      if (i == 0) {
        number.insert(0, 1, '1');
        ++point;
      } else {
        ++number[i - 1];
      }
    }
  }
  const bool negative = value < 0 && number.find_first_not_of('0') != std::string::npos;
  std::string text = negative ? "-" : "";
  text += point > 0 ? number.substr(0, static_cast<size_t>(point)) : "0";
  if (digits > 0) text += FormatSettings().DecimalSeparator + number.substr(static_cast<size_t>(point));
  return text;
}

std::string FormatGeneral(double value, int precision, int digits) {
  if (!std::isfinite(value)) return std::string();
  if (value == 0) return "0";
  precision = ClampPrecision(precision);
  std::string number;
  int exponent = 0;
  Decompose(value, precision, number, exponent);
  while (number.size() > 1 && number.back() == '0') number.pop_back();
  std::string text = value < 0 ? "-" : "";
  const char separator = FormatSettings().DecimalSeparator;
  if (exponent >= precision || exponent < -5) {
    text += number[0];
    if (number.size() > 1) text += separator + number.substr(1);
    return text + "E" + ExponentText(exponent, digits, false);
  }
  if (exponent < 0) {
    text += "0";
    text += separator;
    text += std::string(static_cast<size_t>(-exponent - 1), '0') + number;
    return text;
  }
  const size_t whole = static_cast<size_t>(exponent + 1);
  if (number.size() <= whole) return text + number + std::string(whole - number.size(), '0');
  return text + number.substr(0, whole) + separator + number.substr(whole);
}

std::string CompleteFromKnown(const std::string& typed, const std::vector<std::string>& known) {
  if (typed.empty()) return std::string();
  const std::string prefix = LowerText(typed);
  const std::string* match = nullptr;
  for (const std::string& text : known) {
    if (text.size() < prefix.size() || LowerText(text.substr(0, prefix.size())) != prefix) continue;
    if (match) return std::string();
    match = &text;
  }
  return match && match->size() > typed.size() ? *match : std::string();
}

char TEditValue::FilterKey(char ch, int caretPosition) const {
  if (ch == BackspaceKey) return ch;
  if (Contains(FilteredChar, ch)) return 0;
  const char separator = FormatSettings().DecimalSeparator;
  if (IsNumberType(DataType) && (ch == '.' || ch == separator)) return separator;
  return AcceptsKey(DataType, ch, ExtendedChar, FilteredChar, EffectiveMask(), caretPosition) ? ch : 0;
}

bool TEditValue::FilterText(std::string& text, int caretPosition) const {
  for (size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i] == BackspaceKey ? 0 : FilterKey(text[i], caretPosition + static_cast<int>(i));
    if (!ch) return false;
    text[i] = ch;
  }
  return true;
}

std::string TEditValue::EffectiveMask() const { return Mask.empty() ? DefaultMask(DataType) : Mask; }

std::string TEditValue::DateFieldOrder() const {
  const std::string order = FieldOrderOfMask(EffectiveMask());
  return order.empty() ? FormatSettings().DateOrder : order;
}

void TEditValue::ReadText(const std::string& text) {
  switch (SlotOfType(DataType)) {
    case TEditSlot::Text: FText = text; return;
    case TEditSlot::Integer: FInteger = ReadDigits(text, BaseOfType(DataType)); return;
    case TEditSlot::Float: break;
  }
  if (DataType == edtTime) {
    FFloat = ReadTimeText(text);
  } else if (IsDateTimeType(DataType)) {
    FFloat = ReadDateText(text, DateFieldOrder());
  } else if (Trim(text).empty()) {
    FFloat = 0;
  } else {
    TryReadNumber(text, FFloat);
  }
}

std::string TEditValue::DisplayText() const {
  switch (DataType) {
    case edtExponent: return FormatExponent(FFloat, Precision, Digits);
    case edtFixed: return FormatFixedPrecision(FFloat, Precision, Digits);
    case edtFloat: return FormatGeneral(FFloat, Precision, Digits);
    case edtDate:
    case edtDateTime:
    case edtTime: return FFloat > 0 ? FormatDateMask(FFloat, EffectiveMask()) : std::string();
    default: break;
  }
  if (IsIntegerType(DataType)) return WriteDigits(FInteger, BaseOfType(DataType));
  return FText;
}

bool TEditValue::TextKindAccepts(const std::string& text) const {
  if (DataType == edtFree) return true;
  for (size_t i = 0; i < text.size(); ++i)
    if (!AcceptsKey(DataType, text[i], ExtendedChar, FilteredChar, EffectiveMask(), static_cast<int>(i) + 1) ||
        text[i] == BackspaceKey)
      return false;
  return true;
}

void TEditValue::SetText(const std::string& text) {
  double number = 0;
  if (SlotOfType(DataType) == TEditSlot::Text)
    FText = TextKindAccepts(text) ? text : std::string();
  else if (!IsNumberType(DataType) || Trim(text).empty())
    ReadText(text);
  else if (TryReadNumber(text, number))
    FFloat = number;
  else
    Clear();
}

void TEditValue::SetInteger(int32_t value) {
  if (SlotOfType(DataType) == TEditSlot::Text)
    SetText(std::to_string(value));
  else if (SlotOfType(DataType) == TEditSlot::Integer)
    FInteger = value;
  else
    FFloat = value;
}

void TEditValue::SetFloat(double value) {
  if (!std::isfinite(value)) return Clear();
  switch (SlotOfType(DataType)) {
    case TEditSlot::Float: FFloat = value; return;
    case TEditSlot::Integer: {
      const double whole = std::round(value);
      if (whole < std::numeric_limits<int32_t>::min() || whole > std::numeric_limits<int32_t>::max()) return Clear();
      FInteger = static_cast<int32_t>(whole);
      return;
    }
    case TEditSlot::Text: SetText(FormatGeneral(value, 15, 0)); return;
  }
}

void TEditValue::Clear() {
  FText.clear();
  FInteger = 0;
  FFloat = 0;
}

TDateTime TEditValue::Date() const {
  if (DataType == edtDate) return std::trunc(FFloat);
  if (DataType == edtTime) return FFloat - std::trunc(FFloat);
  return FFloat;
}

bool TEditValue::InRange(const std::string& shownText) const {
  const bool rangeSet = MinValue <= MaxValue;
  if (IsIntegerType(DataType)) return !rangeSet || (MinValue <= FInteger && FInteger <= MaxValue);
  if (IsNumberType(DataType)) return !rangeSet || (MinValue <= FFloat && FFloat <= MaxValue);
  if (IsDateTimeType(DataType)) {
    if (FFloat < 1 && shownText.empty()) return true;
    return !(rangeSet && MaxValue > 0) || (MinValue <= FFloat && FFloat <= MaxValue);
  }
  return true;
}
