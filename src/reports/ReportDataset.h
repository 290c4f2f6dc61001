#pragma once
// The in-memory table a report prints from: named, typed fields and one
// record per printed detail row. A field never assigned in a record is null
// and prints as empty text.

#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

enum class TReportFieldType { String, Float, Integer, Boolean };

struct TReportFieldDef {
  std::string Name;
  TReportFieldType Type = TReportFieldType::String;
  int Size = 0;  // maximum length in characters, string fields only
};

// Null, or the value of the field's type.
using TReportValue = std::variant<std::monostate, std::string, double, int32_t, bool>;

class TReportDataset {
public:
  // Fields are defined before the dataset is opened; a name defined twice
  // keeps its first definition.
  void AddStringField(const std::string& name, int size);
  void AddFloatField(const std::string& name);
  void AddIntegerField(const std::string& name);
  void AddBooleanField(const std::string& name);
  // Fixes the field list; records can be appended from now on.
  void Open() { FOpen = true; }
  bool Active() const { return FOpen; }

  int FieldCount() const { return static_cast<int>(FFields.size()); }
  const TReportFieldDef& Field(int index) const { return FFields.at(static_cast<size_t>(index)); }
  // -1 for a name that is not defined.
  int FieldIndex(const std::string& name) const;

  // Starts a new record with every field null; Post adds it. Appending again
  // before Post drops the unposted record.
  void Append();
  void Post();
  bool Editing() const { return FEditing; }
  // Assign a field of the record being appended. A value of another type
  // is converted to the field's type; a text longer than the field's size is
  // cut to it; a float that is not finite leaves the field null. False when
  // there is no record being appended or no such field.
  bool SetString(const std::string& field, const std::string& value);
  bool SetFloat(const std::string& field, double value);
  bool SetInteger(const std::string& field, int32_t value);
  bool SetBoolean(const std::string& field, bool value);

  int RecordCount() const { return static_cast<int>(FRecords.size()); }
  // Out-of-range records and unknown fields read as null.
  const TReportValue& Value(int record, int field) const;
  const TReportValue& Value(int record, const std::string& field) const;
  bool IsNull(int record, int field) const;
  bool IsNull(int record, const std::string& field) const;
  // The field's text: strings as they are, numbers in the shortest form
  // that reads back exactly (decimal point "."), booleans "True"/"False",
  // null as the empty text.
  std::string Text(int record, int field) const;
  std::string Text(int record, const std::string& field) const;
  // Numeric reading of a field; 0 for null or text that is not a number.
  double AsFloat(int record, const std::string& field) const;

private:
  bool AddField(const std::string& name, TReportFieldType type, int size);
  bool Assign(const std::string& field, TReportValue value);

  std::vector<TReportFieldDef> FFields;
  std::vector<std::vector<TReportValue>> FRecords;
  std::vector<TReportValue> FPending;
  bool FOpen = false;
  bool FEditing = false;
};

// Reads a whole text as a number ("." or the user's decimal separator);
// false for anything else, including texts that give no finite number.
bool ReadReportNumber(const std::string& text, double& value);
