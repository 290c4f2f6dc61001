#include "JsonWriter.h"

#include <cmath>
#include <cstdio>

#include "foundation/Latin1.h"

void TJsonWriter::BeforeValue() {
  if (FAfterKey) {
    FAfterKey = false;
    return;
  }
  if (!FHasValue.empty()) {
    if (FHasValue.back()) FOut << ',';
    FHasValue.back() = true;
  }
}

void TJsonWriter::BeginObject() {
  BeforeValue();
  FOut << '{';
  FHasValue.push_back(false);
}

void TJsonWriter::EndObject() {
  FHasValue.pop_back();
  FOut << '}';
}

void TJsonWriter::BeginArray() {
  BeforeValue();
  FOut << '[';
  FHasValue.push_back(false);
}

void TJsonWriter::EndArray() {
  FHasValue.pop_back();
  FOut << ']';
}

void TJsonWriter::Key(const std::string& key) {
  BeforeValue();
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
