#include "appmodel/EditValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "foundation/DisplayFormat.h"
#include "foundation/FormatSettings.h"

namespace {
// Each test states the user's formats it needs and puts the defaults back.
class EditValueTest : public ::testing::Test {
protected:
  void SetUp() override { SetFormatSettings(TFormatSettings{}); }
  void TearDown() override { SetFormatSettings(TFormatSettings{}); }

  static TEditValue Edit(TEditDataType type) {
    TEditValue value;
    value.DataType = type;
    return value;
  }

  // Types the keys one by one as the edit box does: refused keys vanish, the
  // text is read after every accepted key.
  static std::string Type(TEditValue& value, const std::string& keys) {
    std::string text;
    for (char key : keys) {
      const char ch = value.FilterKey(key, static_cast<int>(text.size()) + 1);
      if (!ch) continue;
      text += ch;
      value.ReadText(text);
    }
    return text;
  }
};

TEST_F(EditValueTest, KeyFilterByKind) {
  EXPECT_TRUE(AcceptsKey(edtAlpha, 'q', "", "", "", 1));
  EXPECT_FALSE(AcceptsKey(edtAlpha, '1', "", "", "", 1));
  EXPECT_TRUE(AcceptsKey(edtAlpha, '_', "_", "", "", 1));
  EXPECT_TRUE(AcceptsKey(edtAlphaNumeric, '7', "", "", "", 1));
  EXPECT_FALSE(AcceptsKey(edtBinary, '2', "", "", "", 1));
  EXPECT_TRUE(AcceptsKey(edtExponent, 'E', "", "", "", 1));
  EXPECT_FALSE(AcceptsKey(edtFloat, 'e', "", "", "", 1));
  EXPECT_FALSE(AcceptsKey(edtFloat, ',', "", "", "", 1));
  EXPECT_TRUE(AcceptsKey(edtHex, 'f', "", "", "", 1));
  EXPECT_FALSE(AcceptsKey(edtHex, 'g', "", "", "", 1));
  EXPECT_TRUE(AcceptsKey(edtInteger, '-', "", "", "", 1));
  EXPECT_FALSE(AcceptsKey(edtInteger, '.', "", "", "", 1));
  EXPECT_TRUE(AcceptsKey(edtNumeric, '+', "+", "", "", 1));
  EXPECT_FALSE(AcceptsKey(edtNumeric, '+', "", "", "", 1));
  EXPECT_FALSE(AcceptsKey(edtOctal, '8', "", "", "", 1));
  EXPECT_TRUE(AcceptsKey(edtPhone, '(', "", "", "", 1));
  EXPECT_FALSE(AcceptsKey(edtPhone, 'x', "", "", "", 1));
  EXPECT_TRUE(AcceptsKey(edtFree, '\xE9', "", "", "", 1));
  // Refused characters win over every kind; backspace always passes.
  EXPECT_FALSE(AcceptsKey(edtFree, '"', "", "\"", "", 1));
  EXPECT_FALSE(AcceptsKey(edtAlpha, '_', "_", "_", "", 1));
  EXPECT_TRUE(AcceptsKey(edtBinary, BackspaceKey, "", "\b", "", 1));
}

TEST_F(EditValueTest, MaskFilterFollowsTheCaret) {
  const std::string mask = "##-&*";
  EXPECT_TRUE(AcceptsKey(edtMask, '4', "", "", mask, 1));
  EXPECT_FALSE(AcceptsKey(edtMask, 'a', "", "", mask, 2));
  EXPECT_TRUE(AcceptsKey(edtMask, '-', "", "", mask, 3));
  EXPECT_FALSE(AcceptsKey(edtMask, '5', "", "", mask, 3));
  EXPECT_TRUE(AcceptsKey(edtMask, 'k', "", "", mask, 4));
  EXPECT_TRUE(AcceptsKey(edtMask, '9', "", "", mask, 5));
  EXPECT_FALSE(AcceptsKey(edtMask, '9', "", "", mask, 6));
  EXPECT_FALSE(AcceptsKey(edtMask, '9', "", "", mask, 0));
}

TEST_F(EditValueTest, IntegerKinds) {
  TEditValue value = Edit(edtInteger);
  EXPECT_EQ(value.DisplayText(), "");
  // The minus sign is not a digit of the base-10 reading.
  EXPECT_EQ(Type(value, "-5"), "-5");
  EXPECT_EQ(value.Integer(), 0);
  EXPECT_EQ(value.DisplayText(), "");
  Type(value, "120");
  EXPECT_EQ(value.Integer(), 120);
  value.ReadText("");
  EXPECT_EQ(value.Integer(), 0);
  // Too large for 32 bits: nothing is kept rather than a wrapped number.
  value.ReadText("2147483647");
  EXPECT_EQ(value.Integer(), 2147483647);
  value.ReadText("2147483648");
  EXPECT_EQ(value.Integer(), 0);
  value.SetInteger(-3);
  EXPECT_EQ(value.DisplayText(), "");

  EXPECT_EQ(ReadDigits("ff", 16), 255);
  EXPECT_EQ(WriteDigits(255, 16), "FF");
  EXPECT_EQ(ReadDigits("101", 2), 5);
  EXPECT_EQ(ReadDigits("102", 2), 0);
  EXPECT_EQ(ReadDigits("17", 8), 15);
  EXPECT_EQ(WriteDigits(15, 8), "17");
  EXPECT_EQ(WriteDigits(5, 2), "101");
}

TEST_F(EditValueTest, FloatKeysAndReading) {
  TEditValue value = Edit(edtFloat);
  // The comma is refused, so the text is 15.
  EXPECT_EQ(Type(value, "1,5"), "15");
  EXPECT_EQ(value.Float(), 15);
  // A text that does not convert keeps the previous value; empty gives 0.
  value.ReadText("-");
  EXPECT_EQ(value.Float(), 15);
  value.ReadText("1.2.3");
  EXPECT_EQ(value.Float(), 15);
  value.ReadText("  ");
  EXPECT_EQ(value.Float(), 0);
  value.ReadText("+2.5");
  EXPECT_EQ(value.Float(), 2.5);
  value.ReadText("1e999");
  EXPECT_EQ(value.Float(), 2.5);
}

TEST_F(EditValueTest, DecimalKeyGivesTheUserSeparator) {
  SetFormatSettings(TFormatSettings{',', '.', "DMY"});
  TEditValue value = Edit(edtFixed);
  value.Digits = 2;
  value.Precision = 9;
  EXPECT_EQ(Type(value, "2.75"), "2,75");
  EXPECT_EQ(value.Float(), 2.75);
  EXPECT_EQ(value.DisplayText(), "2,75");
  std::string pasted = "1.5";
  EXPECT_TRUE(value.FilterText(pasted, 1));
  EXPECT_EQ(pasted, "1,5");
  std::string refused = "1.5x";
  EXPECT_FALSE(value.FilterText(refused, 1));
}

TEST_F(EditValueTest, NumberDisplay) {
  TEditValue fixed = Edit(edtFixed);
  fixed.Precision = 9;
  fixed.Digits = 2;
  fixed.SetFloat(3.14159);
  EXPECT_EQ(fixed.DisplayText(), "3.14");
  // Precision 9 is the shared display format, for every magnitude.
  for (double v : {0.0, -0.0, 0.005, 0.015, -2.675, 1234567.891, 123456789.4, 999999999.6, 1e9, -3.5e12, 1e-12})
    for (int decimals : {0, 2, 4})
      EXPECT_EQ(FormatFixedPrecision(v, 9, decimals), FormatFixed(v, decimals)) << v << " " << decimals;
  EXPECT_EQ(FormatFixedPrecision(123.456, 4, 3), "123.500");
  EXPECT_EQ(FormatFixedPrecision(12345.6, 4, 1), "1.235E+04");

  EXPECT_EQ(FormatGeneral(2.5, 9, 0), "2.5");
  EXPECT_EQ(FormatGeneral(-100, 9, 0), "-100");
  EXPECT_EQ(FormatGeneral(1.0 / 3.0, 9, 0), "0.333333333");
  EXPECT_EQ(FormatGeneral(0.00001, 9, 0), "0.00001");
  EXPECT_EQ(FormatGeneral(0.0000015, 9, 0), "1.5E-6");
  EXPECT_EQ(FormatGeneral(1e9, 9, 0), "1E9");
  EXPECT_EQ(FormatGeneral(123456789, 9, 0), "123456789");

  EXPECT_EQ(FormatExponent(1500, 4, 3), "1.500E+003");
  EXPECT_EQ(FormatExponent(-0.025, 3, 0), "-2.50E-2");
  EXPECT_EQ(FormatExponent(0, 2, 2), "0.0E+00");

  for (auto format : {FormatGeneral, FormatFixedPrecision, FormatExponent}) {
    EXPECT_EQ(format(std::nan(""), 9, 2), "");
    EXPECT_EQ(format(INFINITY, 9, 2), "");
  }
}

TEST_F(EditValueTest, SettingValues) {
  TEditValue alpha = Edit(edtAlpha);
  alpha.SetText("Culvert");
  EXPECT_EQ(alpha.DisplayText(), "Culvert");
  alpha.SetText("Culvert 2");
  EXPECT_EQ(alpha.Text(), "");
  TEditValue free = Edit(edtFree);
  free.SetText("Route 9 \"north\"");
  EXPECT_EQ(free.Text(), "Route 9 \"north\"");

  TEditValue number = Edit(edtFloat);
  number.SetFloat(4.5);
  number.SetFloat(std::nan(""));
  EXPECT_EQ(number.Float(), 0);
  EXPECT_EQ(number.DisplayText(), "0");
  number.SetText("7.5");
  EXPECT_EQ(number.Float(), 7.5);
  number.SetText("seven");
  EXPECT_EQ(number.Float(), 0);
  TEditValue integer = Edit(edtInteger);
  integer.SetFloat(7.6);
  EXPECT_EQ(integer.Integer(), 8);
  integer.SetFloat(1e12);
  EXPECT_EQ(integer.Integer(), 0);
}

TEST_F(EditValueTest, DateReading) {
  TEditValue date = Edit(edtDate);
  date.ReadText("Dec 31, 2005");
  EXPECT_EQ(date.Float(), EncodeDate(2005, 12, 31));
  EXPECT_EQ(date.DisplayText(), "12/31/2005");
  date.ReadText("  ");
  EXPECT_EQ(date.Float(), 0);
  EXPECT_EQ(date.DisplayText(), "");
  date.ReadText("13/31/2005");
  EXPECT_EQ(date.Float(), -1);
  EXPECT_EQ(date.DisplayText(), "");
  date.ReadText("nonsense");
  EXPECT_EQ(date.Float(), -1);
  date.ReadText("2-3-07");
  EXPECT_EQ(date.Float(), EncodeDate(2007, 2, 3));
  date.ReadText("1/2/99");
  EXPECT_EQ(date.Float(), EncodeDate(1999, 1, 2));

  EXPECT_DOUBLE_EQ(ReadDateText("JAN 5 2010 6:30", "MDY"), EncodeDate(2010, 1, 5) + 0.2708333333333333);
  EXPECT_EQ(ReadDateText("5 jan 2010", "DMY"), EncodeDate(2010, 1, 5));
  EXPECT_EQ(ReadDateText("2010/1/5", "YMD"), EncodeDate(2010, 1, 5));
  EXPECT_EQ(ReadDateText("1/5/2010 25:00", "MDY"), -1);
  EXPECT_DOUBLE_EQ(ReadTimeText("18:00"), 0.75);
  EXPECT_EQ(ReadTimeText("18"), -1);
  EXPECT_EQ(ReadTimeText("7:61"), -1);
}

TEST_F(EditValueTest, DateFollowsItsMaskInEveryLocale) {
  // A day-month-year user with the project date's month-first mask: what the
  // field shows must read back as the same date.
  SetFormatSettings(TFormatSettings{',', '.', "DMY"});
  TEditValue date = Edit(edtDate);
  date.Mask = "MM/DD/YYYY";
  date.SetFloat(EncodeDate(2005, 12, 31));
  EXPECT_EQ(date.DisplayText(), "12.31.2005");
  date.ReadText(date.DisplayText());
  EXPECT_EQ(date.Float(), EncodeDate(2005, 12, 31));
  EXPECT_EQ(FieldOrderOfMask("hh:mm dd/mm/yy"), "DMY");
  EXPECT_EQ(FieldOrderOfMask("hh:mm:ss"), "");

  TEditValue time = Edit(edtDateTime);
  time.SetFloat(EncodeDate(2020, 2, 29) + 0.5 + 61.0 / 86400);
  EXPECT_EQ(time.DisplayText(), "02.29.2020 12:01:01");
  EXPECT_EQ(FormatDateMask(EncodeDate(2020, 3, 4), "d mmm yy"), "4 Mar 20");
}

TEST_F(EditValueTest, ExitRangeCheck) {
  TEditValue number = Edit(edtFloat);
  number.SetFloat(-4);
  EXPECT_TRUE(number.InRange("-4"));
  number.MinValue = 0;
  number.MaxValue = 10;
  EXPECT_FALSE(number.InRange("-4"));
  number.SetFloat(10);
  EXPECT_TRUE(number.InRange("10"));

  TEditValue date = Edit(edtDate);
  date.MinValue = EncodeDate(2000, 1, 1);
  date.MaxValue = EncodeDate(2000, 12, 31);
  EXPECT_TRUE(date.InRange(""));
  date.ReadText("12/31/2005");
  EXPECT_FALSE(date.InRange("12/31/2005"));
  date.ReadText("6/1/2000");
  EXPECT_TRUE(date.InRange("06/01/2000"));
}

TEST_F(EditValueTest, SmartCompletion) {
  const std::vector<std::string> known = {"Concrete", "Corrugated metal", "Plastic"};
  EXPECT_EQ(CompleteFromKnown("pl", known), "Plastic");
  EXPECT_EQ(CompleteFromKnown("co", known), "");
  EXPECT_EQ(CompleteFromKnown("CONC", known), "Concrete");
  EXPECT_EQ(CompleteFromKnown("Plastic", known), "");
  EXPECT_EQ(CompleteFromKnown("", known), "");
}
}  // namespace
