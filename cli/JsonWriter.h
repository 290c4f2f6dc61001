#pragma once
// A small streaming JSON writer. Numbers are written with 17 significant
// digits so they read back exactly; a value that is not finite becomes null.
// Strings are taken as ISO-8859-1 and written as UTF-8.
//
// Objects and arrays are opened by scope objects that close them when they
// go out of scope, so an object cannot be left open or closed twice, and a
// key always has its value:
//
//   {
//     const auto top = json.Object();
//     json.Field("kind", name);
//     const auto rows = json.Array("rows");
//     json.Number(1.5);
//   }

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

class TJsonWriter {
public:
  // Closes the object or array it opened when it ends. It can be neither
  // copied nor moved, so scopes end in the reverse order of their opening.
  class [[nodiscard]] TScope {
  public:
    TScope(const TScope&) = delete;
    TScope& operator=(const TScope&) = delete;
    ~TScope() { FWriter.Close(FDepth); }

  private:
    friend class TJsonWriter;
    TScope(TJsonWriter& writer, size_t depth) : FWriter(writer), FDepth(depth) {}
    TJsonWriter& FWriter;
    size_t FDepth;
  };

  explicit TJsonWriter(std::ostream& out) : FOut(out) {}
  TJsonWriter(const TJsonWriter&) = delete;
  TJsonWriter& operator=(const TJsonWriter&) = delete;

  // An object or an array: as a value (at the top or in an array), or as the
  // value of key in the enclosing object.
  TScope Object();
  TScope Object(const std::string& key);
  TScope Array();
  TScope Array(const std::string& key);

  // Values at the top or in an array.
  void String(const std::string& value);
  void Number(double value);
  void Integer(long long value);
  void Bool(bool value);
  void Null();

  // A key in an object; its value (a value call or an Object/Array) follows.
  void Key(const std::string& key);

  // A key and its value, in an object.
  void Field(const std::string& key, const std::string& value) {
    Key(key);
    String(value);
  }
  void Field(const std::string& key, const char* value) {
    Key(key);
    String(value);
  }
  void Field(const std::string& key, double value) {
    Key(key);
    Number(value);
  }
  void Field(const std::string& key, int value) {
    Key(key);
    Integer(value);
  }
  void Field(const std::string& key, long long value) {
    Key(key);
    Integer(value);
  }
  void Field(const std::string& key, bool value) {
    Key(key);
    Bool(value);
  }
  void Field(const std::string& key, std::nullptr_t) {
    Key(key);
    Null();
  }

private:
  struct TContainer {
    bool IsObject;
    bool HasValue;  // true once it holds a value (the next one needs a comma)
  };
  TScope Open(char bracket, bool isObject);
  void Close(size_t depth);
  void BeforeValue();
  void WriteString(const std::string& value);
  std::ostream& FOut;
  std::vector<TContainer> FOpen;
  bool FAfterKey = false;
};
