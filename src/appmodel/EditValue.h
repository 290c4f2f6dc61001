#pragma once
// The value rules of the typed edit box, kept apart from the widget so that
// they can be checked without a screen: which keys a kind accepts, how the
// text becomes a value and how the value is shown again.
//
// Text is ISO-8859-1, as everywhere in the core.

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/DateTime.h"

enum TEditDataType {
  edtAlpha,
  edtAlphaNumeric,
  edtBinary,
  edtDateTime,
  edtDate,
  edtTime,
  edtExponent,
  edtFixed,
  edtFloat,
  edtFree,
  edtHex,
  edtInteger,
  edtMask,
  edtNumeric,
  edtOctal,
  edtPhone
};

// Which of the three value slots a kind uses.
enum class TEditSlot { Text, Integer, Float };
TEditSlot SlotOfType(TEditDataType type);
bool IsIntegerType(TEditDataType type);   // binary, hex, integer, octal
bool IsNumberType(TEditDataType type);    // exponent, fixed, float
bool IsDateTimeType(TEditDataType type);  // date-time, date, time
int BaseOfType(TEditDataType type);       // 2, 16, 10, 8; 0 for other kinds
// "MM/DD/YYYY", "MM/DD/YYYY hh:mm:ss", "hh:mm:ss"; empty for other kinds.
std::string DefaultMask(TEditDataType type);

constexpr char BackspaceKey = '\b';

// The key filter: true when the character may go into the text.
// caretPosition counts from 1 and matters only to the mask kind.
bool AcceptsKey(TEditDataType type, char ch, const std::string& extendedChar, const std::string& filteredChar,
                const std::string& mask, int caretPosition);

// Digits of the given base ("0123456789ABCDEF", either case). Any other
// character, a digit too large for the base, or a value that does not fit a
// 32-bit signed integer gives 0.
int32_t ReadDigits(const std::string& text, int base);
// The value in the base; zero and negative values give the empty text.
std::string WriteDigits(int32_t value, int base);

// A decimal number, with the user's decimal separator or a point; false when
// the text is not a number (surrounding blanks are allowed).
bool TryReadNumber(const std::string& text, double& value);

// Date reading: month names "Jan" to "Dec" become 1 to 12, then the runs of
// digits are taken as the date fields in the order the field order names
// ("MDY", "DMY" or "YMD"), then hours, minutes and seconds. Two runs mean the
// current year; a year of one or two digits falls into 1950 to 2049.
// -1 when the text is not a date, 0 for an empty text.
TDateTime ReadDateText(const std::string& text, const std::string& fieldOrder);
// "hh:mm[:ss]" as a fraction of the day; -1 when it is not a time.
TDateTime ReadTimeText(const std::string& text);
// The field order a date mask writes ("MDY" for "MM/DD/YYYY"); empty when the
// mask does not name all three fields.
std::string FieldOrderOfMask(const std::string& mask);
// The date and time formatted by the mask: yyyy yy, m mm mmm (month, or
// minutes right after an hour), d dd, h hh, n nn, s ss, "/" the user's date
// separator; anything else is copied. Letters are case-blind.
std::string FormatDateMask(TDateTime value, const std::string& mask);

// Number display. Exponent: Precision significant digits, an exponent of at
// least Digits digits ("1.50000000E+003"). Fixed: Digits decimals of the value
// rounded to Precision significant digits, exponent form from 10^Precision on
// (with Precision 9 exactly the shared display format). General: the shorter
// of fixed and exponent form with Precision significant digits, trailing
// zeros dropped. Non-finite values give the empty text.
std::string FormatExponent(double value, int precision, int digits);
std::string FormatFixedPrecision(double value, int precision, int digits);
std::string FormatGeneral(double value, int precision, int digits);

// The one known text that starts with what was typed (ignoring case), when
// there is exactly one and it is longer; otherwise empty.
std::string CompleteFromKnown(const std::string& typed, const std::vector<std::string>& known);

// The value behind a typed edit box: three slots (text, integer, number), of
// which the data type uses one, and the format properties.
class TEditValue {
public:
  TEditDataType DataType = edtFree;
  int Precision = 15;
  int Digits = 2;
  // No range while MinValue > MaxValue.
  double MinValue = 0;
  double MaxValue = -1;
  std::string ExtendedChar;
  std::string FilteredChar;
  // Mask of the mask kind, display format of the date kinds (empty: the
  // kind's default).
  std::string Mask;

  // The key filter with this value's properties. Returns the character to
  // insert, or 0 when the key is refused. The decimal point key gives the
  // user's decimal separator in the number kinds, whatever the locale.
  char FilterKey(char ch, int caretPosition) const;
  // A text inserted at caretPosition (pasted, dropped): each character goes
  // through FilterKey; false when any is refused. Decimal point keys are
  // turned into the user's separator in place.
  bool FilterText(std::string& text, int caretPosition) const;

  // Text to value, after every change of the text. The number kinds keep
  // their previous value when the text does not convert.
  void ReadText(const std::string& text);
  // Value to text.
  std::string DisplayText() const;

  // Setting the value by kind. A text that a text kind refuses (any
  // character failing the filter) becomes empty; the other kinds read the
  // text as typed text is read, except that a number kind given a text that
  // is not a number, or any kind given a number that is not finite, clears
  // every slot.
  void SetText(const std::string& text);
  void SetInteger(int32_t value);
  void SetFloat(double value);
  void Clear();

  // The order of the date fields when reading: the mask's, or the user's
  // when the mask does not name all three.
  std::string DateFieldOrder() const;

  const std::string& Text() const { return FText; }
  int32_t Integer() const { return FInteger; }
  double Float() const { return FFloat; }
  // The date kinds: the whole day number (edtDate) or the day with its time.
  TDateTime Date() const;
  // The mask in force (the kind's default when none is set).
  std::string EffectiveMask() const;

  // The exit check: a range applies when MinValue <= MaxValue.
  bool InRange(const std::string& shownText) const;

private:
  bool TextKindAccepts(const std::string& text) const;

  std::string FText;
  int32_t FInteger = 0;
  double FFloat = 0;
};
