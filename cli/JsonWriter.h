#pragma once
// A small streaming JSON writer. Numbers are written with 17 significant
// digits so they read back exactly; a value that is not finite becomes null.
// Strings are taken as ISO-8859-1 and written as UTF-8.

#include <ostream>
#include <string>
#include <vector>

class TJsonWriter {
public:
  explicit TJsonWriter(std::ostream& out) : FOut(out) {}

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  void Key(const std::string& key);
  void String(const std::string& value);
  void Number(double value);
  void Integer(long long value);
  void Bool(bool value);
  void Null();

  // Key followed by a value.
  void Field(const std::string& key, const std::string& value) { Key(key); String(value); }
  void Field(const std::string& key, const char* value) { Key(key); String(value); }
  void Field(const std::string& key, double value) { Key(key); Number(value); }
  void Field(const std::string& key, int value) { Key(key); Integer(value); }
  void Field(const std::string& key, long long value) { Key(key); Integer(value); }
  void Field(const std::string& key, bool value) { Key(key); Bool(value); }

private:
  void BeforeValue();
  void WriteString(const std::string& value);
  std::ostream& FOut;
  // One flag per open container: true once it holds a value.
  std::vector<bool> FHasValue;
  bool FAfterKey = false;
};
