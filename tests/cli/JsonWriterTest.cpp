// The JSON writer behind calc --json: what it escapes, how numbers read
// back, and that objects and arrays close where their scopes end.

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>
#include <type_traits>

#include "JsonWriter.h"

namespace {

// The scope objects are what keeps objects balanced: they must not be
// copied or moved away from the block that opened them.
static_assert(!std::is_copy_constructible_v<TJsonWriter::TScope>);
static_assert(!std::is_move_constructible_v<TJsonWriter::TScope>);
static_assert(!std::is_copy_assignable_v<TJsonWriter::TScope>);

std::string StringValue(const std::string& text) {
  std::ostringstream out;
  TJsonWriter json(out);
  json.String(text);
  return out.str();
}

std::string NumberValue(double value) {
  std::ostringstream out;
  TJsonWriter json(out);
  json.Number(value);
  return out.str();
}

TEST(JsonWriter, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(StringValue(""), "\"\"");
  EXPECT_EQ(StringValue("plain / text"), "\"plain / text\"");
  EXPECT_EQ(StringValue("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(StringValue("line\nbreak\r\ttab"), "\"line\\nbreak\\r\\ttab\"");
  // The other control characters as \u escapes, including NUL inside text.
  EXPECT_EQ(StringValue(std::string("a\0b", 3)), "\"a\\u0000b\"");
  EXPECT_EQ(StringValue("\x01\x08\x0b\x0c\x1f"), "\"\\u0001\\u0008\\u000b\\u000c\\u001f\"");
  // Space and DEL are not control characters in JSON.
  EXPECT_EQ(StringValue(" \x7f"), "\" \x7f\"");
}

TEST(JsonWriter, TextIsLatin1AndComesOutAsUtf8) {
  // "é", "°" and "ÿ" as the project files hold them.
  EXPECT_EQ(StringValue("caf\xe9 45\xb0 \xff"), "\"caf\xc3\xa9 45\xc2\xb0 \xc3\xbf\"");
  std::ostringstream out;
  TJsonWriter json(out);
  {
    const auto object = json.Object();
    json.Field("\xb5m", "\xe9");
  }
  EXPECT_EQ(out.str(), "{\"\xc2\xb5m\":\"\xc3\xa9\"}");
}

TEST(JsonWriter, NumbersThatAreNotFiniteBecomeNull) {
  EXPECT_EQ(NumberValue(std::numeric_limits<double>::quiet_NaN()), "null");
  EXPECT_EQ(NumberValue(std::numeric_limits<double>::infinity()), "null");
  EXPECT_EQ(NumberValue(-std::numeric_limits<double>::infinity()), "null");
  std::ostringstream out;
  TJsonWriter json(out);
  {
    const auto object = json.Object();
    json.Field("a", std::nan(""));
    json.Field("b", 1.0);
  }
  EXPECT_EQ(out.str(), "{\"a\":null,\"b\":1}");
}

TEST(JsonWriter, NumbersReadBackExactly) {
  const double values[] = {0.0,
                           1.0,
                           -2.5,
                           0.1,
                           1.0 / 3.0,
                           2.0 / 3.0 * 1e-7,
                           123456.789,
                           1e21,
                           1e-300,
                           DBL_MIN,
                           DBL_MAX,
                           DBL_TRUE_MIN,
                           0.30000000000000004,
                           9007199254740993.0,
                           -1.2345678901234567e-5};
  for (double value : values) {
    const std::string text = NumberValue(value);
    char* end = nullptr;
    const double back = std::strtod(text.c_str(), &end);
    EXPECT_EQ(*end, '\0') << text;
    EXPECT_EQ(back, value) << text;
  }
  // What the records hold: shortest forms stay short, others show 17 digits.
  EXPECT_EQ(NumberValue(0.5), "0.5");
  EXPECT_EQ(NumberValue(100.0), "100");
  EXPECT_EQ(NumberValue(0.1), "0.10000000000000001");
  EXPECT_EQ(NumberValue(1e21), "1e+21");
}

TEST(JsonWriter, IntegersAndBooleans) {
  std::ostringstream out;
  TJsonWriter json(out);
  {
    const auto values = json.Array();
    json.Integer(LLONG_MIN);
    json.Integer(LLONG_MAX);
    json.Integer(0);
    json.Bool(true);
    json.Bool(false);
    json.Null();
  }
  EXPECT_EQ(out.str(), "[-9223372036854775808,9223372036854775807,0,true,false,null]");
}

TEST(JsonWriter, ScopesNestAndPlaceTheCommas) {
  std::ostringstream out;
  TJsonWriter json(out);
  {
    const auto top = json.Object();
    json.Field("kind", "CulvertDesign");
    {
      const auto elements = json.Array("elements");
      for (int id = 1; id <= 2; ++id) {
        const auto element = json.Object();
        json.Field("id", id);
        const auto rows = json.Array("rows");
        {
          const auto row = json.Object();
          json.Field("Flow", 2.5 * id);
          json.Field("Valid", id == 1);
          json.Field("Pipe", nullptr);
        }
        const auto empty = json.Object();
      }
    }
    { const auto list = json.Object("list"); }
    const auto last = json.Array("last");
  }
  EXPECT_EQ(out.str(),
            "{\"kind\":\"CulvertDesign\",\"elements\":["
            "{\"id\":1,\"rows\":[{\"Flow\":2.5,\"Valid\":true,\"Pipe\":null},{}]},"
            "{\"id\":2,\"rows\":[{\"Flow\":5,\"Valid\":false,\"Pipe\":null},{}]}],"
            "\"list\":{},\"last\":[]}");
}

// A scope closes what it opened even when the block is left early.
TEST(JsonWriter, ScopesCloseOnEveryWayOut) {
  std::ostringstream out;
  TJsonWriter json(out);
  const auto write = [&json](bool early) {
    const auto object = json.Object();
    json.Field("early", early);
    if (early) return;
    json.Field("more", 1);
  };
  {
    const auto both = json.Array();
    write(true);
    write(false);
  }
  EXPECT_EQ(out.str(), "[{\"early\":true},{\"early\":false,\"more\":1}]");

  std::ostringstream thrown;
  TJsonWriter writer(thrown);
  try {
    const auto array = writer.Array();
    writer.Integer(1);
    throw 1;
  } catch (int) {
  }
  EXPECT_EQ(thrown.str(), "[1]");
}

}  // namespace
