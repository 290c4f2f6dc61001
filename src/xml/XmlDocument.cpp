#include "xml/XmlDocument.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <mutex>
#include <new>
#include <stdexcept>

namespace {
bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

std::string_view NameOfEntry(std::string_view entry) {
  const size_t eq = entry.find('=');
  return eq == std::string_view::npos ? entry : entry.substr(0, eq);
}
}  // namespace

// ---- lists ----------------------------------------------------------------

void TXMLElementArray::reserve(size_t count) {
  if (count <= capacity()) return;
  if (count > UINT32_MAX) throw std::length_error("too many elements in one list");
  auto* block = static_cast<TBlock*>(::operator new(sizeof(TBlock) + count * sizeof(TXMLElement*)));
  block->Size = static_cast<uint32_t>(size());
  block->Capacity = static_cast<uint32_t>(count);
  if (FBlock) {
    std::copy(begin(), end(), reinterpret_cast<TXMLElement**>(block + 1));
    ::operator delete(FBlock);
  }
  FBlock = block;
}

void TXMLElementArray::resize(size_t count) {
  if (count <= size()) return;
  reserve(count);
  std::fill(end(), begin() + count, nullptr);
  FBlock->Size = static_cast<uint32_t>(count);
}

void TXMLElementArray::append(TXMLElement* const* elements, size_t count) {
  if (count == 0) return;
  // Exactly the room needed when growing: the reader appends each list once.
  if (size() + count > capacity()) reserve(size() + count);
  std::copy(elements, elements + count, end());
  FBlock->Size += static_cast<uint32_t>(count);
}

void TXMLElementArray::Release() {
  ::operator delete(FBlock);
  FBlock = nullptr;
}

void TXMLList::TTexts::Grow(size_t capacity) {
  if (capacity > UINT32_MAX) throw std::length_error("too many texts in one list");
  auto* block = static_cast<TBlock*>(::operator new(sizeof(TBlock) + capacity * sizeof(TText)));
  const size_t count = size();
  block->Size = static_cast<uint32_t>(count);
  block->Capacity = static_cast<uint32_t>(capacity);
  auto* to = reinterpret_cast<TText*>(block + 1);
  if (FBlock) {
    TText* from = Items();
    for (size_t i = 0; i < count; ++i) {
      new (to + i) TText(std::move(from[i]));
      from[i].~TText();
    }
    ::operator delete(FBlock);
  }
  FBlock = block;
}

void TXMLList::TTexts::resize(size_t count) {
  const size_t before = size();
  if (count == before) return;
  if (!FBlock || count > FBlock->Capacity) Grow(count);
  TText* items = Items();
  for (size_t i = count; i < before; ++i) items[i].~TText();
  for (size_t i = before; i < count; ++i) new (items + i) TText();
  FBlock->Size = static_cast<uint32_t>(count);
}

void TXMLList::TTexts::push_back(TText text) {
  const size_t count = size();
  if (!FBlock || count == FBlock->Capacity) Grow(count < 1 ? 1 : count * 2);
  new (Items() + count) TText(std::move(text));
  ++FBlock->Size;
}

void TXMLList::TTexts::CopyFrom(const TTexts& other) {
  Release();
  if (!other) return;
  Grow(other.size());
  for (size_t i = 0; i < other.size(); ++i) new (Items() + i) TText(other[i]);
  FBlock->Size = static_cast<uint32_t>(other.size());
}

void TXMLList::TTexts::Release() {
  if (!FBlock) return;
  for (TText& text : *this) text.~TText();
  ::operator delete(FBlock);
  FBlock = nullptr;
}

void TXMLList::DetachAll() {
  FElements.clear();
  FTexts.Release();
  Cursor = -1;
}

void TXMLList::Reserve(int count) {
  if (count > 0) FElements.reserve(static_cast<size_t>(count));
}

void TXMLList::Add(TXMLElement* element) {
  const size_t count = static_cast<size_t>(Count());
  FElements.resize(count);
  // Containers in project files hold a handful of leaves or more: growing
  // starts at four.
  FElements.push_back(element);
  if (FTexts) FTexts.resize(count + 1);
  Cursor = static_cast<int>(count);
}

void TXMLList::AddElements(TXMLElement* const* elements, size_t count) {
  if (count == 0) return;
  const size_t before = static_cast<size_t>(Count());
  FElements.resize(before);
  FElements.append(elements, count);
  if (FTexts) FTexts.resize(before + count);
  Cursor = static_cast<int>(before + count - 1);
}

void TXMLList::AppendText(std::string text, bool decoded) {
  const size_t count = static_cast<size_t>(Count());
  FTexts.resize(count);
  FTexts.push_back({std::move(text), decoded});
  Cursor = static_cast<int>(count);
}

void TXMLList::Clear() {
  if (FElements.empty() && !FTexts) {
    Cursor = -1;
    return;
  }
  if (FOwnsElements && !FElements.empty()) {
    // Frees the elements and all their descendants without recursion. Each
    // element's own list of children goes as soon as it has been read: a
    // large block freed after many small ones makes the allocator sweep
    // them all.
    std::vector<TXMLElement*> pending;
    pending.assign(FElements.begin(), FElements.end());
    DetachAll();
    FElements.Release();
    while (!pending.empty()) {
      TXMLElement* element = pending.back();
      pending.pop_back();
      if (!element) continue;
      TXMLElementArray& children = static_cast<TXMLList&>(element->Children).FElements;
      // Last child first onto the stack: elements go in document order,
      // the order in which the reader took their memory.
      pending.insert(pending.end(), std::make_reverse_iterator(children.end()),
                     std::make_reverse_iterator(children.begin()));
      children.clear();
      delete element;
    }
  }
  DetachAll();
}

void TXMLList::First() { Cursor = Count() > 0 ? 0 : -1; }

bool TXMLList::Eof() const { return Count() == 0 || Cursor == Count(); }

void TXMLList::Next() {
  if (!Eof()) ++Cursor;
}

TXMLElement* TXMLList::Current() const { return Element(Cursor); }

void TXMLList::Locate(const TXMLElement* element) {
  Cursor = -1;
  for (size_t i = 0; i < FElements.size(); ++i)
    if (FElements[i] == element) {
      Cursor = static_cast<int>(i);
      return;
    }
}

std::string TXMLList::CurrentEntry() const { return EntryText(Cursor); }

std::string TXMLList::CurrentName() const { return std::string(NameOfEntry(EntryText(Cursor))); }

TXMLElement* TXMLList::Element(int index) const {
  if (index < 0 || static_cast<size_t>(index) >= FElements.size()) return nullptr;
  return FElements[static_cast<size_t>(index)];
}

const std::string& TXMLList::EntryText(int index) const {
  static const std::string empty;
  if (index < 0 || static_cast<size_t>(index) >= FTexts.size()) return empty;
  return FTexts[static_cast<size_t>(index)].Text;
}

// ---- attributes -----------------------------------------------------------

void TXMLAttributeList::SetAttribute(const std::string& name, const std::string& value) {
  std::string entry = name + "=" + EscapeText(value);
  if (FTexts)
    for (auto& existing : FTexts)
      if (NameOfEntry(existing.Text) == name) {
        existing.Text = std::move(entry);
        existing.Decoded = false;
        return;
      }
  AppendText(std::move(entry), false);
}

void TXMLAttributeList::AppendDecoded(std::string text) { AppendText(std::move(text), true); }

std::string TXMLAttributeList::GetAttribute(const std::string& name) const {
  if (!FTexts) return std::string();
  for (const auto& entry : FTexts) {
    const size_t eq = entry.Text.find('=');
    const std::string_view entryName = NameOfEntry(entry.Text);
    if (EqualsNoCase(entryName, name)) return eq == std::string::npos ? std::string() : entry.Text.substr(eq + 1);
  }
  return std::string();
}

bool TXMLAttributeList::HasAttributeValue(const std::string& name, const std::string& value) const {
  return GetAttribute(name) == value;
}

void TXMLAttributeList::GetXML(std::string& out) {
  if (!FTexts) return;
  const size_t start = out.size();
  for (First(); !Eof(); Next()) {
    const std::string_view name = NameOfEntry(EntryText(Cursor));
    // The value is looked up again by name (first match ignoring case), as
    // every reader of the list sees it.
    const TText* found = nullptr;
    for (const auto& entry : FTexts)
      if (EqualsNoCase(NameOfEntry(entry.Text), name)) {
        found = &entry;
        break;
      }
    if (!found) continue;
    const size_t eq = found->Text.find('=');
    if (eq == std::string::npos || eq + 1 == found->Text.size()) continue;
    if (out.size() > start) out += ' ';
    out += name;
    out += "=\"";
    if (found->Decoded)
      AppendEscaped(out, std::string_view(found->Text).substr(eq + 1));
    else
      out.append(found->Text, eq + 1, std::string::npos);
    out += '"';
  }
}

std::string TXMLAttributeList::GetXML() {
  std::string out;
  GetXML(out);
  return out;
}

// ---- search ---------------------------------------------------------------

struct TXMLSearchList::TCriteria {
  TXMLAttributeList Attributes;
  std::string Text;
  std::string Path;
};

TXMLSearchList::TXMLSearchList() : TXMLList(true) {}

TXMLSearchList::~TXMLSearchList() = default;

TXMLSearchList::TCriteria& TXMLSearchList::Criteria() {
  if (!FCriteria) FCriteria = std::make_unique<TCriteria>();
  return *FCriteria;
}

void TXMLSearchList::SetSearchPath(const std::string& path) { Criteria().Path = path; }

void TXMLSearchList::SetSearchText(const std::string& text) { Criteria().Text = text; }

void TXMLSearchList::SetSearchAttributes(const TXMLAttributeList& attributes) {
  TXMLAttributeList& own = Criteria().Attributes;
  own.Clear();
  own.FTexts.CopyFrom(attributes.FTexts);
}

namespace {
std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t slash = path.find('/', start);
    if (slash == std::string::npos) {
      parts.push_back(path.substr(start));
      return parts;
    }
    parts.push_back(path.substr(start, slash - start));
    start = slash + 1;
  }
}

bool PassesFilters(const TXMLElement* element, const TXMLAttributeList& attributes, const std::string& text) {
  for (int i = 0; i < attributes.Count(); ++i) {
    const std::string& entry = attributes.EntryText(i);
    const size_t eq = entry.find('=');
    const std::string name = eq == std::string::npos ? entry : entry.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : entry.substr(eq + 1);
    if (!element->Attributes.HasAttributeValue(name, value)) return false;
  }
  return text.empty() || element->Text == text;
}

// True when element matches path segment `index` and, for the segments after
// it, some chain of descendants matches them. An explicit stack keeps long
// paths over deep trees off the call stack.
bool MatchesFrom(const TXMLElement* element, const std::vector<std::string>& parts, size_t index,
                 const TXMLAttributeList& attributes, const std::string& text) {
  struct Frame {
    const TXMLElement* Element;
    size_t Index;
    int NextChild;
  };
  auto nameMatches = [&](const TXMLElement* e, size_t i) { return parts[i].empty() || e->Name == parts[i]; };
  if (!nameMatches(element, index)) return false;
  std::vector<Frame> stack{{element, index, 0}};
  const size_t last = parts.size() - 1;
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.Index == last) {
      if (PassesFilters(frame.Element, attributes, text)) return true;
      stack.pop_back();
    } else if (frame.NextChild >= frame.Element->ChildCount()) {
      stack.pop_back();
    } else {
      const TXMLElement* child = frame.Element->Child(frame.NextChild++);
      const size_t childIndex = frame.Index + 1;
      if (child && nameMatches(child, childIndex)) stack.push_back({child, childIndex, 0});
    }
  }
  return false;
}
}  // namespace

std::unique_ptr<TXMLList> TXMLSearchList::Search() {
  auto result = std::make_unique<TXMLList>(false);
  const TCriteria& criteria = Criteria();
  // A path ending in "/" has an empty tail there, which searches no deeper.
  std::vector<std::string> parts = SplitPath(criteria.Path);
  if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
  for (int i = 0; i < Count(); ++i) {
    TXMLElement* child = Element(i);
    if (child && MatchesFrom(child, parts, 0, criteria.Attributes, criteria.Text)) result->Add(child);
  }
  return result;
}

// ---- elements -------------------------------------------------------------

// The children list frees the subtree without recursion.
TXMLElement::~TXMLElement() = default;

namespace {
// Reading a project makes and later frees elements by the hundred thousand.
// Element-sized blocks carved from large chunks make both cheap and keep a
// tree's elements close together in memory. Chunks are kept for the next
// document rather than handed back.
//
// Each thread keeps a few dozen free blocks of its own (TLocalBlocks) and
// meets the others at the shared pool only once per batch: a lock taken
// per element costs more than the element's parse.
class TElementPool {
public:
  static constexpr size_t Batch = 64;
  // Fills blocks with up to `most` free blocks, the one to use first last,
  // and returns how many.
  size_t Take(void** blocks, size_t most = Batch) {
    std::lock_guard<std::mutex> lock(FMutex);
    // The shared free blocks and each thread's own form one stack: the
    // block freed last is used first, so a tree read after one freed takes
    // its memory in the same order.
    size_t count = std::min(most, FFree.size());
    if (count > 0) {
      std::copy(FFree.end() - static_cast<std::ptrdiff_t>(count), FFree.end(), blocks);
      FFree.resize(FFree.size() - count);
      return count;
    }
    if (FFresh == FFreshEnd) Grow();
    // Never used blocks go out in address order.
    count = std::min(most, static_cast<size_t>(FFreshEnd - FFresh));
    for (size_t i = 0; i < count; ++i) blocks[count - 1 - i] = FFresh++;
    return count;
  }
  void Give(void* const* blocks, size_t count) noexcept {
    std::lock_guard<std::mutex> lock(FMutex);
    // Room for every block was reserved when its chunk was made.
    FFree.insert(FFree.end(), blocks, blocks + count);
  }

private:
  union TBlock {
    TBlock* Next;
    alignas(TXMLElement) unsigned char Storage[sizeof(TXMLElement)];
  };
  void Grow() {
    FFree.reserve(FBlocks + FChunkBlocks);
    FChunks.reserve(FChunks.size() + 1);
    // Not value-initialised: a block is written first by its element.
    FChunks.emplace_back(new TBlock[FChunkBlocks]);
    FFresh = FChunks.back().get();
    FFreshEnd = FFresh + FChunkBlocks;
    FBlocks += FChunkBlocks;
    if (FChunkBlocks < 16384) FChunkBlocks *= 2;
  }

  std::mutex FMutex;
  std::vector<void*> FFree;
  TBlock* FFresh = nullptr;
  TBlock* FFreshEnd = nullptr;
  size_t FBlocks = 0;
  size_t FChunkBlocks = 64;
  std::vector<std::unique_ptr<TBlock[]>> FChunks;
};

TElementPool& ElementPool() {
  // Never destroyed: elements of static documents may outlive any static.
  static TElementPool* pool = new TElementPool();
  return *pool;
}

// A thread's own free blocks; they go back to the pool when it ends.
// Elements freed after the thread's own blocks are gone (those of static
// objects, at the end of the program) go to the pool one by one.
thread_local bool LocalBlocksGone = false;
struct TLocalBlocks {
  void* Blocks[2 * TElementPool::Batch];
  size_t Count = 0;
  ~TLocalBlocks() {
    if (Count > 0) ElementPool().Give(Blocks, Count);
    Count = 0;
    LocalBlocksGone = true;
  }
  void* Allocate() {
    if (Count == 0) Count = ElementPool().Take(Blocks);
    void* block = Blocks[--Count];
    // The next element's block is written soon after this one: fetch it
    // while this one is filled.
#if defined(__GNUC__)
    if (Count > 0) {
      const char* next = static_cast<const char*>(Blocks[Count - 1]);
      for (size_t line = 0; line < sizeof(TXMLElement); line += 64) __builtin_prefetch(next + line, 1);
    }
#endif
    return block;
  }
  void Release(void* block) noexcept {
    if (Count == 2 * TElementPool::Batch) {
      // The older half goes to the pool, the newer stays on top.
      ElementPool().Give(Blocks, TElementPool::Batch);
      std::copy(Blocks + TElementPool::Batch, Blocks + Count, Blocks);
      Count = TElementPool::Batch;
    }
    Blocks[Count++] = block;
  }
};
thread_local TLocalBlocks LocalBlocks;
}  // namespace

// Under AddressSanitizer every element gets its own allocation, so that a
// use after free is still caught.
#if defined(__SANITIZE_ADDRESS__)
#define DREVIA_ELEMENT_POOL 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DREVIA_ELEMENT_POOL 0
#endif
#endif
#ifndef DREVIA_ELEMENT_POOL
#define DREVIA_ELEMENT_POOL 1
#endif

void* TXMLElement::operator new(size_t size) {
  if (!DREVIA_ELEMENT_POOL || size != sizeof(TXMLElement)) return ::operator new(size);
  if (LocalBlocksGone) {
    void* block = nullptr;
    ElementPool().Take(&block, 1);
    return block;
  }
  return LocalBlocks.Allocate();
}

void TXMLElement::operator delete(void* block, size_t size) {
  if (!block) return;
  if (!DREVIA_ELEMENT_POOL || size != sizeof(TXMLElement)) return ::operator delete(block);
  if (LocalBlocksGone)
    ElementPool().Give(&block, 1);
  else
    LocalBlocks.Release(block);
}

TXMLElement* TXMLElement::AddChild(const std::string& name, bool hasText, const std::string& text) {
  auto* child = new TXMLElement(name);
  if (hasText) child->Text = text;
  Children.Add(child);
  return child;
}

TXMLElement* TXMLElement::FindChild(const std::string& name) const {
  for (int i = 0; i < Children.Count(); ++i) {
    TXMLElement* child = Children.Element(i);
    if (child && child->Name == name) return child;
  }
  return nullptr;
}

namespace {
// Writes the start of an element; true when its children follow and its end
// tag is still to be written.
bool OpenElement(TXMLElement* e, std::string& out) {
  out += '<';
  out += e->Name;
  if (e->Attributes.Count() > 0) {
    out += ' ';
    const size_t mark = out.size();
    e->Attributes.GetXML(out);
    if (out.size() == mark) out.pop_back();
  }
  if (e->IsEmpty()) {
    out += "/>";
    return false;
  }
  out += '>';
  if (e->Children.Count() == 0) {
    AppendEscaped(out, e->Text);
    out += "</";
    out += e->Name;
    out += '>';
    return false;
  }
  return true;
}
}  // namespace

void TXMLElement::GetXML(std::string& out) {
  struct Frame {
    TXMLElement* Element;
    int NextChild;
  };
  std::vector<Frame> stack;
  if (OpenElement(this, out)) stack.push_back({this, 0});
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.NextChild < frame.Element->Children.Count()) {
      TXMLElement* child = frame.Element->Children.Element(frame.NextChild++);
      if (child && OpenElement(child, out)) stack.push_back({child, 0});
    } else {
      out += "</";
      out += frame.Element->Name;
      out += '>';
      stack.pop_back();
    }
  }
}

std::string TXMLElement::GetXML() {
  std::string out;
  GetXML(out);
  return out;
}

// ---- declaration and stylesheet ------------------------------------------

std::string TXMLHeader::Version() const {
  std::string v = Attributes.GetAttribute("version");
  return v.empty() ? "1.0" : v;
}

std::string TXMLHeader::Encoding() const {
  std::string v = Attributes.GetAttribute("encoding");
  return v.empty() ? "ISO-8859-1" : v;
}

std::string TXMLHeader::GetXML() const {
  return "<?xml version=\"" + Version() + "\" encoding=\"" + Encoding() + "\" ?>";
}

std::string TXSLDocument::Alternate() const {
  std::string v = Attributes.GetAttribute("alternate");
  return v.empty() ? "yes" : v;
}

std::string TXSLDocument::Type() const {
  std::string v = Attributes.GetAttribute("type");
  return v.empty() ? "text/xsl" : v;
}

std::string TXSLDocument::Href() const { return Attributes.GetAttribute("href"); }

std::string TXSLDocument::GetXML() const {
  if (Href().empty()) return std::string();
  return "<?xml-stylesheet alternate=\"" + Alternate() + "\" type=\"" + Type() + "\" href=\"" + Href() + "\" ?>";
}

// ---- document -------------------------------------------------------------

TXMLDocument::TXMLDocument() : FRoot(std::make_unique<TXMLElement>()) {}

TXMLDocument::~TXMLDocument() = default;

void TXMLDocument::SetRoot(TXMLElement* root) {
  if (root == FRoot.get()) return;
  Current = nullptr;
  FRoot.reset(root ? root : new TXMLElement());
}

void TXMLDocument::Clear() {
  FTruncated = false;
  Stylesheet.Attributes.Clear();
  Header.Attributes.Clear();
  FRoot->Name.clear();
  FRoot->Text.clear();
  FRoot->Children.Clear();
  FRoot->Attributes.Clear();
  Current = nullptr;
}

std::string TXMLDocument::GetXML() {
  std::string out = Header.GetXML();
  out += Stylesheet.GetXML();
  FRoot->GetXML(out);
  return out;
}

namespace {
// Every line followed by CR LF, lines split at CR, LF or CR LF. Text that
// already has that form (the system's own files: one line and CR LF) is
// handed back as it is, without a second copy of a large file.
std::string ToCrLfLines(std::string text) {
  const size_t n = text.size();
  // Plain when every LF follows a CR and every CR comes before an LF.
  bool plain = true;
  const char* const begin = text.data();
  const char* const end = begin + n;
  for (const char* p = begin;
       plain && (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))); ++p)
    plain = p > begin && p[-1] == '\r';
  for (const char* p = begin;
       plain && (p = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)))); ++p)
    plain = p + 1 < end && p[1] == '\n';
  if (plain) {
    if (n > 0 && text.back() != '\n') text += "\r\n";
    return text;
  }
  std::string out;
  out.reserve(n + n / 16 + 2);
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  if (n > 0 && text.back() != '\r' && text.back() != '\n') out += "\r\n";
  return out;
}
}  // namespace

bool TXMLDocument::SaveToFile(const std::string& fileName) {
  try {
    return WriteFileAtomically(fileName, ToCrLfLines(GetXML()));
  } catch (...) {
    return false;
  }
}

bool TXMLDocument::LoadFromFile(const std::string& fileName) {
  std::string bytes = ReadFileBytes(fileName);  // open failure goes to the caller
  try {
    Parse(ToCrLfLines(std::move(bytes)));
    return true;
  } catch (...) {
    return false;
  }
}

// ---- entities and values --------------------------------------------------

void AppendEscaped(std::string& out, std::string_view text) {
  // Plain runs are copied whole; only the five special characters are
  // written one by one.
  size_t from = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char* entity;
    switch (text[i]) {
      case '&': entity = "&amp;"; break;
      case '>': entity = "&gt;"; break;
      case '<': entity = "&lt;"; break;
      case '"': entity = "&quot;"; break;
      case '\'': entity = "&apos;"; break;
      default: continue;
    }
    out.append(text.data() + from, i - from);
    out += entity;
    from = i + 1;
  }
  out.append(text.data() + from, text.size() - from);
}

std::string EscapeText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text);
  return out;
}
