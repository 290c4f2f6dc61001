#include "JsonWriter.h"

#include <cassert>
#include <cmath>
#include <cstdio>

#include "foundation/Latin1.h"

void TJsonWriter::BeforeValue() {
  if (FAfterKey) {
    FAfterKey = false;
    return;
  }
  if (!FOpen.empty()) {
    // A value in an object needs its key first.
    assert(!FOpen.back().IsObject);
    if (FOpen.back().HasValue) FOut << ',';
    FOpen.back().HasValue = true;
  }
}

TJsonWriter::TScope TJsonWriter::Open(char bracket, bool isObject) {
  BeforeValue();
  FOut << bracket;
  FOpen.push_back({isObject, false});
  return TScope(*this, FOpen.size());
}

void TJsonWriter::Close(size_t depth) {
  // Scopes can neither be copied nor moved, so the innermost one ends first.
  assert(depth == FOpen.size() && !FAfterKey);
  (void)depth;
  FOut << (FOpen.back().IsObject ? '}' : ']');
  FOpen.pop_back();
}

TJsonWriter::TScope TJsonWriter::Object() { return Open('{', true); }

TJsonWriter::TScope TJsonWriter::Object(const std::string& key) {
  Key(key);
  return Open('{', true);
}

TJsonWriter::TScope TJsonWriter::Array() { return Open('[', false); }

TJsonWriter::TScope TJsonWriter::Array(const std::string& key) {
  Key(key);
  return Open('[', false);
}

void TJsonWriter::Key(const std::string& key) {
  // Keys belong in an object, one value each.
  assert(!FOpen.empty() && FOpen.back().IsObject && !FAfterKey);
  if (FOpen.back().HasValue) FOut << ',';
  FOpen.back().HasValue = true;
  WriteString(key);
  FOut << ':';
  FAfterKey = true;
}

void TJsonWriter::String(const std::string& value) {
  BeforeValue();
  WriteString(value);
}

void TJsonWriter::WriteString(const std::string& value) {
  std::string out = "\"";
  for (char ch : Latin1ToUtf8(value)) {
    const auto c = static_cast<unsigned char>(ch);
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
          out += buffer;
        } else {
          out += ch;
        }
    }
  }
  out += '"';
  FOut << out;
}

void TJsonWriter::Number(double value) {
  BeforeValue();
  if (!std::isfinite(value)) {
    FOut << "null";
    return;
  }
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  FOut << buffer;
}

void TJsonWriter::Integer(long long value) {
  BeforeValue();
  FOut << value;
}

void TJsonWriter::Bool(bool value) {
  BeforeValue();
  FOut << (value ? "true" : "false");
}

void TJsonWriter::Null() {
  BeforeValue();
  FOut << "null";
}
