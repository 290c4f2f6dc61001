#include "xml/XmlDocument.h"

#include <cctype>

namespace {
// Frees elements and all their descendants without recursion.
void DestroyElements(std::vector<TXMLElement*> pending) {
  while (!pending.empty()) {
    TXMLElement* element = pending.back();
    pending.pop_back();
    for (int i = 0; i < element->Children.Count(); ++i) pending.push_back(element->Children.Element(i));
    element->Children.DetachAll();
    delete element;
  }
}

bool EqualsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string NameOfEntry(const std::string& entry) {
  const size_t eq = entry.find('=');
  return eq == std::string::npos ? entry : entry.substr(0, eq);
}
}  // namespace

// ---- lists ----------------------------------------------------------------

TXMLList::~TXMLList() {
  if (FOwnsElements) Clear();
}

void TXMLList::DetachAll() {
  FEntries.clear();
  Cursor = -1;
}

void TXMLList::Add(TXMLElement* element) {
  FEntries.push_back({std::string(), element, false});
  Cursor = Count() - 1;
}

void TXMLList::Clear() {
  std::vector<TXMLElement*> owned;
  if (FOwnsElements)
    for (auto& entry : FEntries)
      if (entry.Element) owned.push_back(entry.Element);
  DetachAll();
  DestroyElements(std::move(owned));
}

void TXMLList::First() { Cursor = Count() > 0 ? 0 : -1; }

bool TXMLList::Eof() const { return Count() == 0 || Cursor == Count(); }

void TXMLList::Next() {
  if (!Eof()) ++Cursor;
}

TXMLElement* TXMLList::Current() const { return Element(Cursor); }

void TXMLList::Locate(const TXMLElement* element) {
  Cursor = -1;
  for (int i = 0; i < Count(); ++i)
    if (FEntries[static_cast<size_t>(i)].Element == element) {
      Cursor = i;
      return;
    }
}

std::string TXMLList::CurrentEntry() const { return EntryText(Cursor); }

std::string TXMLList::CurrentName() const { return NameOfEntry(CurrentEntry()); }

TXMLElement* TXMLList::Element(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return FEntries[static_cast<size_t>(index)].Element;
}

const std::string& TXMLList::EntryText(int index) const {
  static const std::string empty;
  if (index < 0 || index >= Count()) return empty;
  return FEntries[static_cast<size_t>(index)].Text;
}

// ---- attributes -----------------------------------------------------------

void TXMLAttributeList::SetAttribute(const std::string& name, const std::string& value) {
  std::string entry = name + "=" + EscapeText(value);
  for (auto& existing : FEntries)
    if (NameOfEntry(existing.Text) == name) {
      existing.Text = std::move(entry);
      existing.Decoded = false;
      return;
    }
  FEntries.push_back({std::move(entry), nullptr, false});
  Cursor = Count() - 1;
}

void TXMLAttributeList::AppendDecoded(std::string text) {
  FEntries.push_back({std::move(text), nullptr, true});
  Cursor = Count() - 1;
}

std::string TXMLAttributeList::GetAttribute(const std::string& name) const {
  for (const auto& entry : FEntries) {
    const size_t eq = entry.Text.find('=');
    const std::string entryName = eq == std::string::npos ? entry.Text : entry.Text.substr(0, eq);
    if (EqualsNoCase(entryName, name)) return eq == std::string::npos ? std::string() : entry.Text.substr(eq + 1);
  }
  return std::string();
}

bool TXMLAttributeList::HasAttributeValue(const std::string& name, const std::string& value) const {
  return GetAttribute(name) == value;
}

void TXMLAttributeList::GetXML(std::string& out) {
  const size_t start = out.size();
  for (First(); !Eof(); Next()) {
    const std::string name = CurrentName();
    // The value is looked up again by name (first match ignoring case), as
    // every reader of the list sees it.
    const TEntry* found = nullptr;
    for (const auto& entry : FEntries)
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
      AppendEscaped(out, found->Text.substr(eq + 1));
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

void TXMLSearchList::SetSearchAttributes(const TXMLAttributeList& attributes) {
  SearchAttributes.Clear();
  for (int i = 0; i < attributes.Count(); ++i) SearchAttributes.FEntries.push_back(attributes.FEntries[static_cast<size_t>(i)]);
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
  // A path ending in "/" has an empty tail there, which searches no deeper.
  std::vector<std::string> parts = SplitPath(SearchPath);
  if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
  for (int i = 0; i < Count(); ++i) {
    TXMLElement* child = Element(i);
    if (child && MatchesFrom(child, parts, 0, SearchAttributes, SearchText)) result->Add(child);
  }
  return result;
}

// ---- elements -------------------------------------------------------------

TXMLElement::~TXMLElement() {
  std::vector<TXMLElement*> owned;
  for (int i = 0; i < Children.Count(); ++i) owned.push_back(Children.Element(i));
  Children.DetachAll();
  DestroyElements(std::move(owned));
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

namespace {
// About the size of the serialised subtree, so the output grows only once.
size_t EstimatedXmlSize(const TXMLElement* root) {
  size_t size = 0;
  std::vector<const TXMLElement*> pending{root};
  while (!pending.empty()) {
    const TXMLElement* e = pending.back();
    pending.pop_back();
    size += 2 * e->Name.size() + 5 + e->Text.size() + e->Text.size() / 8;
    for (int i = 0; i < e->Attributes.Count(); ++i) size += e->Attributes.EntryText(i).size() + 4;
    for (int i = 0; i < e->ChildCount(); ++i) pending.push_back(e->Child(i));
  }
  return size;
}
}  // namespace

void TXMLElement::GetXML(std::string& out) {
  out.reserve(out.size() + EstimatedXmlSize(this));
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
// Every line followed by CR LF, lines split at CR, LF or CR LF.
std::string ToCrLfLines(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 2);
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += "\r\n";
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  if (!text.empty() && text.back() != '\r' && text.back() != '\n') out += "\r\n";
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
  const std::string bytes = ReadFileBytes(fileName);  // open failure goes to the caller
  try {
    Parse(ToCrLfLines(bytes));
    return true;
  } catch (...) {
    return false;
  }
}

// ---- entities and values --------------------------------------------------

void AppendEscaped(std::string& out, const std::string& text) {
  const size_t plain = text.find_first_of("&<>\"'");
  if (plain == std::string::npos) {
    out += text;
    return;
  }
  out.append(text, 0, plain);
  for (size_t i = plain; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '&': out += "&amp;"; break;
      case '>': out += "&gt;"; break;
      case '<': out += "&lt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
}

std::string EscapeText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text);
  return out;
}

