#pragma once
// Dates are day counts with a fraction for the time of day; day 0 is
// 12/30/1899, the zero date.

#include <string>

using TDateTime = double;

bool TryEncodeDate(int year, int month, int day, TDateTime& date);
TDateTime EncodeDate(int year, int month, int day);  // 0 for an invalid date
void DecodeDate(TDateTime date, int& year, int& month, int& day);
// Parses a date written with the user's date separator and field order; false
// when the text is not a valid date.
bool TryStrToDate(const std::string& text, TDateTime& date);
// The user's short date: two-digit month and day, four-digit year.
std::string DateToStr(TDateTime date);
