#include "foundation/DateTime.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "foundation/FormatSettings.h"

namespace {
// Days from 1970-01-01 for a proleptic Gregorian date (Howard Hinnant's
// civil calendar algorithms).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long y = static_cast<long long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

const long long ZeroDateOffset = DaysFromCivil(1899, 12, 30);

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

// One unsigned decimal field of at most 9 digits.
bool ParseField(const std::string& text, size_t& pos, int& value) {
  const size_t start = pos;
  long long v = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && pos - start < 9) v = v * 10 + (text[pos++] - '0');
  value = static_cast<int>(v);
  return pos > start;
}
}  // namespace

bool TryEncodeDate(int year, int month, int day, TDateTime& date) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return false;
  date = static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                             ZeroDateOffset);
  return true;
}

TDateTime EncodeDate(int year, int month, int day) {
  TDateTime date = 0;
  return TryEncodeDate(year, month, day, date) ? date : 0;
}

void DecodeDate(TDateTime date, int& year, int& month, int& day) {
  if (!std::isfinite(date) || std::fabs(date) > 3e6) date = 0;
  CivilFromDays(static_cast<long long>(std::trunc(date)) + ZeroDateOffset, year, month, day);
}

bool TryStrToDate(const std::string& text, TDateTime& date) {
  const TFormatSettings settings = FormatSettings();
  int fields[3] = {0, 0, 0};
  size_t digits[3] = {0, 0, 0};
  size_t pos = 0;
  int count = 0;
  while (count < 3) {
    const size_t start = pos;
    if (!ParseField(text, pos, fields[count])) return false;
    digits[count] = pos - start;
    ++count;
    if (pos == text.size()) break;
    if (text[pos] != settings.DateSeparator) return false;
    ++pos;
  }
  if (pos != text.size() || count < 2) return false;
  const std::string& order = settings.DateOrder;
  int year = 0, month = 0, day = 0;
  if (count == 2) {
    // Month and day only: the current year applies.
    const bool monthFirst = order.find('M') < order.find('D');
    month = monthFirst ? fields[0] : fields[1];
    day = monthFirst ? fields[1] : fields[0];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    year = local.tm_year + 1900;
  } else {
    size_t yearDigits = 0;
    for (int i = 0; i < 3; ++i) {
      const char field = order[static_cast<size_t>(i)];
      if (field == 'Y') {
        year = fields[i];
        yearDigits = digits[i];
      } else if (field == 'M') {
        month = fields[i];
      } else {
        day = fields[i];
      }
    }
    // Two-digit years fall into the window 1950 to 2049.
    if (yearDigits <= 2) year += year < 50 ? 2000 : 1900;
  }
  return TryEncodeDate(year, month, day, date);
}

std::string DateToStr(TDateTime date) {
  int year, month, day;
  DecodeDate(date, year, month, day);
  char buffer[32];
  const TFormatSettings settings = FormatSettings();
  const char s = settings.DateSeparator;
  const std::string& order = settings.DateOrder;
  if (order == "DMY")
    std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%04d", day, s, month, s, year);
  else if (order == "YMD")
    std::snprintf(buffer, sizeof buffer, "%04d%c%02d%c%02d", year, s, month, s, day);
  else
    std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%04d", month, s, day, s, year);
  return buffer;
}
