#include "reports/ReportDataset.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

#include "foundation/FormatSettings.h"

namespace {

const TReportValue NullValue;

std::string NumberText(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// The value converted to the type of the field it goes into; null when it
// cannot be.
TReportValue Converted(const TReportValue& value, const TReportFieldDef& field) {
  if (std::holds_alternative<std::monostate>(value)) return value;
  switch (field.Type) {
    case TReportFieldType::String: {
      std::string text;
      if (auto s = std::get_if<std::string>(&value))
        text = *s;
      else if (auto d = std::get_if<double>(&value))
        text = NumberText(*d);
      else if (auto i = std::get_if<int32_t>(&value))
        text = std::to_string(*i);
      else
        text = std::get<bool>(value) ? "True" : "False";
      const size_t size = static_cast<size_t>(field.Size);
      if (text.size() > size) text.resize(size);
      return text;
    }
    case TReportFieldType::Float: {
      double number = 0;
      if (auto s = std::get_if<std::string>(&value)) {
        if (!ReadReportNumber(*s, number)) return NullValue;
      } else if (auto d = std::get_if<double>(&value))
        number = *d;
      else if (auto i = std::get_if<int32_t>(&value))
        number = *i;
      else
        number = std::get<bool>(value) ? 1 : 0;
      if (!std::isfinite(number)) return NullValue;
      return number;
    }
    case TReportFieldType::Integer: {
      double number = 0;
      if (auto s = std::get_if<std::string>(&value)) {
        if (!ReadReportNumber(*s, number)) return NullValue;
      } else if (auto d = std::get_if<double>(&value))
        number = *d;
      else if (auto i = std::get_if<int32_t>(&value))
        return *i;
      else
        return static_cast<int32_t>(std::get<bool>(value));
      if (!std::isfinite(number) || std::fabs(number) > 2147483647.0) return NullValue;
      return static_cast<int32_t>(std::lround(number));
    }
    case TReportFieldType::Boolean:
      if (auto b = std::get_if<bool>(&value)) return *b;
      if (auto s = std::get_if<std::string>(&value)) return *s == "Y" || *s == "T" || *s == "True" || *s == "1";
      if (auto d = std::get_if<double>(&value)) return *d != 0;
      return std::get<int32_t>(value) != 0;
  }
  return NullValue;
}

}  // namespace

bool ReadReportNumber(const std::string& text, double& value) {
  std::string plain = text;
  const char separator = FormatSettings().DecimalSeparator;
  for (char& c : plain)
    if (c == separator) c = '.';
  size_t begin = plain.find_first_not_of(' ');
  size_t end = plain.find_last_not_of(' ');
  if (begin == std::string::npos) return false;
  const char* first = plain.data() + begin;
  const char* last = plain.data() + end + 1;
  if (*first == '+') ++first;
  double number = 0;
  const auto result = std::from_chars(first, last, number);
  if (result.ec != std::errc() || result.ptr != last || !std::isfinite(number)) return false;
  value = number;
  return true;
}

bool TReportDataset::AddField(const std::string& name, TReportFieldType type, int size) {
  if (FOpen || name.empty() || FieldIndex(name) >= 0) return false;
  FFields.push_back({name, type, size < 0 ? 0 : size});
  return true;
}

void TReportDataset::AddStringField(const std::string& name, int size) {
  AddField(name, TReportFieldType::String, size);
}
void TReportDataset::AddFloatField(const std::string& name) { AddField(name, TReportFieldType::Float, 0); }
void TReportDataset::AddIntegerField(const std::string& name) { AddField(name, TReportFieldType::Integer, 0); }
void TReportDataset::AddBooleanField(const std::string& name) { AddField(name, TReportFieldType::Boolean, 0); }

int TReportDataset::FieldIndex(const std::string& name) const {
  for (size_t i = 0; i < FFields.size(); ++i)
    if (FFields[i].Name == name) return static_cast<int>(i);
  return -1;
}

void TReportDataset::Append() {
  if (!FOpen) return;
  FPending.assign(FFields.size(), TReportValue());
  FEditing = true;
}

void TReportDataset::Post() {
  if (!FEditing) return;
  FRecords.push_back(std::move(FPending));
  FPending.clear();
  FEditing = false;
}

bool TReportDataset::Assign(const std::string& field, TReportValue value) {
  const int index = FieldIndex(field);
  if (!FEditing || index < 0) return false;
  FPending[static_cast<size_t>(index)] = Converted(value, FFields[static_cast<size_t>(index)]);
  return true;
}

bool TReportDataset::SetString(const std::string& field, const std::string& value) { return Assign(field, value); }
bool TReportDataset::SetFloat(const std::string& field, double value) { return Assign(field, value); }
bool TReportDataset::SetInteger(const std::string& field, int32_t value) { return Assign(field, value); }
bool TReportDataset::SetBoolean(const std::string& field, bool value) { return Assign(field, value); }

const TReportValue& TReportDataset::Value(int record, int field) const {
  if (record < 0 || record >= RecordCount() || field < 0 || field >= FieldCount()) return NullValue;
  return FRecords[static_cast<size_t>(record)][static_cast<size_t>(field)];
}

const TReportValue& TReportDataset::Value(int record, const std::string& field) const {
  return Value(record, FieldIndex(field));
}

bool TReportDataset::IsNull(int record, int field) const {
  return std::holds_alternative<std::monostate>(Value(record, field));
}

bool TReportDataset::IsNull(int record, const std::string& field) const { return IsNull(record, FieldIndex(field)); }

std::string TReportDataset::Text(int record, int field) const {
  const TReportValue& value = Value(record, field);
  if (auto s = std::get_if<std::string>(&value)) return *s;
  if (auto d = std::get_if<double>(&value)) return NumberText(*d);
  if (auto i = std::get_if<int32_t>(&value)) return std::to_string(*i);
  if (auto b = std::get_if<bool>(&value)) return *b ? "True" : "False";
  return std::string();
}

std::string TReportDataset::Text(int record, const std::string& field) const { return Text(record, FieldIndex(field)); }

double TReportDataset::AsFloat(int record, const std::string& field) const {
  const TReportValue& value = Value(record, field);
  if (auto d = std::get_if<double>(&value)) return *d;
  if (auto i = std::get_if<int32_t>(&value)) return *i;
  if (auto b = std::get_if<bool>(&value)) return *b ? 1 : 0;
  double number = 0;
  if (auto s = std::get_if<std::string>(&value)) ReadReportNumber(*s, number);
  return number;
}
