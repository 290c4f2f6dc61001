#pragma once
// The system's own XML document model, its one-line writer and its reader.
// All text is 8-bit ISO-8859-1, the code page of the system's files.

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/FileIO.h"  // ReadFileBytes, WriteFileAtomically, EFOpenError

class TXMLElement;

// Raised by the reader for a parse that fails.
class EXMLParseError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// The element pointers of a list in one block that holds its own size and
// room: a pointer wide where a std::vector takes three, since a document
// holds two lists per element and most of them stay empty.
class TXMLElementArray {
public:
  TXMLElementArray() = default;
  ~TXMLElementArray() { Release(); }
  TXMLElementArray(const TXMLElementArray&) = delete;
  TXMLElementArray& operator=(const TXMLElementArray&) = delete;

  size_t size() const { return FBlock ? FBlock->Size : 0; }
  bool empty() const { return size() == 0; }
  size_t capacity() const { return FBlock ? FBlock->Capacity : 0; }
  TXMLElement** begin() const { return FBlock ? Items() : nullptr; }
  TXMLElement** end() const { return begin() + size(); }
  TXMLElement*& operator[](size_t index) const { return Items()[index]; }
  // Forgets the entries and keeps the room.
  void clear() {
    if (FBlock) FBlock->Size = 0;
  }
  void reserve(size_t count);
  void push_back(TXMLElement* element) {
    if (size() == capacity()) reserve(capacity() < 4 ? 4 : capacity() * 2);
    Items()[FBlock->Size++] = element;
  }
  // Grows to count entries, the new ones null.
  void resize(size_t count);
  void append(TXMLElement* const* elements, size_t count);
  // Forgets the entries and frees the room.
  void Release();

private:
  struct TBlock {
    uint32_t Size;
    uint32_t Capacity;
  };
  TXMLElement** Items() const { return reinterpret_cast<TXMLElement**>(FBlock + 1); }
  TBlock* FBlock = nullptr;
};

// Ordered (text, element) entries with a cursor. An owning list destroys the
// elements it references; a search result only references them.
class TXMLList {
public:
  explicit TXMLList(bool ownsElements = true) : FOwnsElements(ownsElements) {}
  // Not virtual: lists are never destroyed through a base pointer, and a
  // document holds two lists per element.
  ~TXMLList() {
    // Most lists of a tree are empty when destroyed: no call for them.
    if (FOwnsElements && (!FElements.empty() || FTexts)) Clear();
  }
  TXMLList(const TXMLList&) = delete;
  TXMLList& operator=(const TXMLList&) = delete;

  void Add(TXMLElement* element);
  void Clear();
  int Count() const {
    const size_t texts = FTexts.size();
    return static_cast<int>(FElements.size() > texts ? FElements.size() : texts);
  }
  void First();
  bool Eof() const;
  void Next();
  TXMLElement* Current() const;
  void Locate(const TXMLElement* element);
  std::string CurrentEntry() const;
  std::string CurrentName() const;

  // Positional access without moving the cursor.
  TXMLElement* Element(int index) const;
  const std::string& EntryText(int index) const;
  // Forgets every entry without destroying any element.
  void DetachAll();
  // Room for this many entries without growing again.
  void Reserve(int count);
  // Adds elements at the end in one step, the cursor on the last (as Add).
  void AddElements(TXMLElement* const* elements, size_t count);

protected:
  friend class TXMLElement;
  friend class TXMLSearchList;
  struct TText {
    std::string Text;
    // Attribute values the reader parsed are held decoded; the writer escapes
    // them again so a file read and written keeps its values.
    bool Decoded = false;
  };
  // The texts in one block that holds its own size and room, made on first
  // use: an attribute list costs one allocation, not two.
  class TTexts {
  public:
    TTexts() = default;
    ~TTexts() { Release(); }
    TTexts(const TTexts&) = delete;
    TTexts& operator=(const TTexts&) = delete;
    explicit operator bool() const { return FBlock != nullptr; }
    size_t size() const { return FBlock ? FBlock->Size : 0; }
    TText* begin() const { return FBlock ? Items() : nullptr; }
    TText* end() const { return begin() + size(); }
    TText& operator[](size_t index) const { return Items()[index]; }
    // To count entries, new ones empty (makes the block).
    void resize(size_t count);
    void push_back(TText text);
    void CopyFrom(const TTexts& other);
    void Release();

  private:
    struct TBlock {
      uint32_t Size;
      uint32_t Capacity;
    };
    TText* Items() const { return reinterpret_cast<TText*>(FBlock + 1); }
    void Grow(size_t capacity);
    TBlock* FBlock = nullptr;
  };
  void AppendText(std::string text, bool decoded);
  // Entry i is (FTexts[i], FElements[i]); either may be shorter than the
  // list, the missing part being an empty text or no element. So a list of
  // children carries no texts and a list of attributes no elements.
  TXMLElementArray FElements;
  TTexts FTexts;

public:
  // Declared next to the flag below so that the two share one word: a
  // document holds two lists per element.
  int Cursor = -1;

protected:
  bool FOwnsElements;
};

// Attributes as name=value entries; the value is stored escaped when set
// through SetAttribute and decoded when parsed by the reader.
class TXMLAttributeList : public TXMLList {
public:
  TXMLAttributeList() : TXMLList(true) {}
  void SetAttribute(const std::string& name, const std::string& value);
  std::string GetAttribute(const std::string& name) const;
  bool HasAttributeValue(const std::string& name, const std::string& value) const;
  std::string GetXML();
  void GetXML(std::string& out);
  void Parse(std::string_view text);
  // Appends a name=value entry whose value is already decoded (reader).
  void AppendDecoded(std::string text);
};

// The children of an element, searchable by path, text and attributes.
class TXMLSearchList : public TXMLList {
public:
  TXMLSearchList();
  ~TXMLSearchList();

  void SetSearchPath(const std::string& path);
  void SetSearchText(const std::string& text);
  void SetSearchAttributes(const TXMLAttributeList& attributes);
  // The result references elements of the tree and does not own them.
  std::unique_ptr<TXMLList> Search();

private:
  // Path, text and attributes of the search; made on first use, since
  // nearly every element's children are never searched.
  struct TCriteria;
  TCriteria& Criteria();
  std::unique_ptr<TCriteria> FCriteria;
};

class TXMLElement {
public:
  TXMLElement() = default;
  explicit TXMLElement(std::string name) : Name(std::move(name)) {}
  // Destroys the subtree without recursion, so any depth is safe.
  ~TXMLElement();
  TXMLElement(const TXMLElement&) = delete;
  TXMLElement& operator=(const TXMLElement&) = delete;
  // Elements come from a pool of element-sized blocks (see XmlDocument.cpp).
  static void* operator new(size_t size);
  static void operator delete(void* block, size_t size);

  std::string Text;
  std::string Name;
  TXMLSearchList Children;
  TXMLAttributeList Attributes;
  TXMLElement* Parent = nullptr;

  const std::string& GetName() const { return Name; }
  void SetName(const std::string& name) { Name = name; }
  const std::string& GetText() const { return Text; }
  void SetText(const std::string& text) { Text = text; }
  TXMLElement* GetParent() const { return Parent; }
  void SetParent(TXMLElement* parent) { Parent = parent; }

  TXMLElement* AddChild(const std::string& name, bool hasText = false, const std::string& text = std::string());
  bool IsEmpty() const { return Text.empty() && Children.Count() == 0; }
  std::string GetXML();
  // Appends the serialisation to out (iterative, any depth).
  void GetXML(std::string& out);
  void ParseTag(std::string_view tagText);

  // Convenience for loaders: child count and child by position, and the first
  // child of a name (exact), none when absent.
  int ChildCount() const { return Children.Count(); }
  TXMLElement* Child(int index) const { return Children.Element(index); }
  TXMLElement* FindChild(const std::string& name) const;
};

// The <?xml ...?> declaration.
class TXMLHeader {
public:
  TXMLAttributeList Attributes;
  std::string Version() const;
  std::string Encoding() const;
  std::string GetXML() const;
  void Parse(const std::string& text) { Attributes.Parse(text); }
};

// The optional <?xml-stylesheet ...?> instruction.
class TXSLDocument {
public:
  TXMLAttributeList Attributes;
  std::string Alternate() const;
  std::string Type() const;
  std::string Href() const;
  std::string GetXML() const;
  void Parse(const std::string& text) { Attributes.Parse(text); }
};

class TDTDDocument {};
class TXMLError {};

class TXMLDocument {
public:
  TXMLDocument();
  ~TXMLDocument();
  TXMLDocument(const TXMLDocument&) = delete;
  TXMLDocument& operator=(const TXMLDocument&) = delete;

  TXMLError Errors;
  TXSLDocument Stylesheet;
  TDTDDocument DocType;
  TXMLHeader Header;
  TXMLElement* Current = nullptr;

  TXMLElement* GetRoot() const { return FRoot.get(); }
  // Takes ownership of the new root and disposes of the old one.
  void SetRoot(TXMLElement* root);
  void Clear();
  std::string GetXML();
  bool SaveToFile(const std::string& fileName);
  // Raises EFOpenError when the file cannot be opened or read (see
  // ReadFileBytes); false when it cannot be parsed.
  bool LoadFromFile(const std::string& fileName);
  // Raises EXMLParseError when the parse fails. Anything else is read as far
  // as it goes (see Truncated).
  void Parse(std::string_view text);
  // True when the last Parse reached the end of the text while an element
  // was still open, or inside a tag, comment, CDATA section, instruction or
  // DOCTYPE: the text was cut short. The system's own writer always closes
  // the root, so whoever reads a whole file refuses such a document.
  bool Truncated() const { return FTruncated; }

private:
  friend class TXMLReader;
  std::unique_ptr<TXMLElement> FRoot;
  bool FTruncated = false;
};

// Entity functions.
std::string EscapeText(const std::string& text);
void AppendEscaped(std::string& out, std::string_view text);
// A reference is "&name;", "&#digits;" or "&#xhex;", short and without a
// blank or "<" before its ";". An "&" that starts none is a character.
std::string DecodeEntity(const std::string& entity);
// Length of the well-formed reference starting at text[at], 0 when none.
size_t ReferenceLength(std::string_view text, size_t at);
// Appends a reference decoded: the five named ones and numeric references to
// a character of the 8-bit code page; any other stays as written.
void AppendReference(std::string& out, std::string_view reference);

// Value conversions used by every loader. None of them reports an error:
// a value that does not convert gives 0 (the zero date, false). A number
// that does not convert is noted, with the field it was read for, where a
// TUnreadableNumbers is collecting on the thread.
std::string XmlToText(const std::string& text);
int32_t XmlToInt(const std::string& text);
double XmlToFloat(const std::string& text, std::string_view field = {});
// True when XmlToFloat reads the text as it stands: a number, or nothing.
bool XmlIsNumber(const std::string& text);

// Collects the numbers XmlToFloat could not read while it lives (on its own
// thread; an inner one collects in place of an outer one until it ends).
class TUnreadableNumbers {
public:
  TUnreadableNumbers();
  ~TUnreadableNumbers();
  TUnreadableNumbers(const TUnreadableNumbers&) = delete;
  TUnreadableNumbers& operator=(const TUnreadableNumbers&) = delete;

  size_t Count() const { return FCount; }
  // Empty when every number was read; otherwise one sentence naming the
  // first few fields and texts.
  std::string Message() const;
  void Note(std::string_view field, const std::string& text);

private:
  static constexpr size_t Listed = 5;
  TUnreadableNumbers* FOuter;
  std::vector<std::string> FFound;
  size_t FCount = 0;
};
double XmlToDate(const std::string& text);
bool XmlToBool(const std::string& text);
