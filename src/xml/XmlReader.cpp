// The reader: one forward pass over the text, driven by a small state
// machine with one function per state. It tolerates what the system's files
// may hold and fails only on a tag that has no open element to go to or an
// element without a name. A text that ends while an element is still open
// (or inside markup) is read as far as it goes and marked truncated, so the
// callers that load whole files can refuse it.

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <string_view>
#include <vector>

#include "xml/XmlDocument.h"

namespace {
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// A reference is at most this long ("&" to ";"): anything longer is an "&"
// that was meant as text.
constexpr size_t MaxReferenceLength = 32;

bool IsAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(unsigned char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
int HexValue(unsigned char c) { return IsDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10; }
// Letters of the file's 8-bit code page count as name characters too.
bool IsNameStart(unsigned char c) { return IsAsciiLetter(c) || c == '_' || c == ':' || c >= 0x80; }
bool IsNameChar(unsigned char c) { return IsNameStart(c) || IsDigit(c) || c == '-' || c == '.'; }

// Character classes for the scanning loops, one table lookup per character.
enum : unsigned char { StopsName = 1, StopsAttributeName = 2, StopsPlainTag = 4, StopsText = 8 };
struct TCharClasses {
  unsigned char Of[256] = {};
  constexpr TCharClasses() {
    for (const char c : {' ', '\t', '\n', '\r', '"', '\'', '=', '>'})
      Of[static_cast<unsigned char>(c)] |= StopsPlainTag;
    for (const char c : {'<', '&'}) Of[static_cast<unsigned char>(c)] |= StopsText;
    for (const char c : {' ', '\t', '\n', '\r', '"', '\'', '='}) Of[static_cast<unsigned char>(c)] |= StopsName;
    for (const char c : {' ', '\t', '\n', '\r', '"', '\'', '=', '>', '/', '&'})
      Of[static_cast<unsigned char>(c)] |= StopsAttributeName;
  }
};
constexpr TCharClasses CharClasses;
bool Is(char c, unsigned char charClass) { return CharClasses.Of[static_cast<unsigned char>(c)] & charClass; }

// The first position from `i` on whose character is of the class, or n.
// Where SSE2 is at hand, sixteen characters are screened at a time: any
// below "(" (blanks, quotes, "&"), "<", "=" or ">" is a candidate, which
// the table then decides.
size_t SkipTo(const char* data, size_t i, size_t n, unsigned char charClass) {
#if defined(__SSE2__)
  const __m128i below = _mm_set1_epi8('(');
  const __m128i lt = _mm_set1_epi8('<'), eq = _mm_set1_epi8('='), gt = _mm_set1_epi8('>');
  while (i + 16 <= n) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
    const __m128i atLeast = _mm_cmpeq_epi8(_mm_max_epu8(v, below), v);
    const __m128i marks =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(v, lt), _mm_cmpeq_epi8(v, eq)), _mm_cmpeq_epi8(v, gt));
    unsigned mask =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_andnot_si128(atLeast, _mm_set1_epi8(-1)), marks)));
    while (mask) {
      const size_t at = i + static_cast<size_t>(__builtin_ctz(mask));
      if (Is(data[at], charClass)) return at;
      mask &= mask - 1;
    }
    i += 16;
  }
#endif
  while (i < n && !Is(data[i], charClass)) ++i;
  return i;
}

// An element's name in its tag: the characters from the second up to and
// including the first blank outside quotes (at `blank`, or the tag's size
// when none), trimmed, without the tag's closing ">" or "/".
std::string_view TagName(std::string_view tag, size_t blank) {
  std::string_view name = tag.size() > 1 ? tag.substr(1, blank) : std::string_view();
  while (!name.empty() && static_cast<unsigned char>(name.front()) <= ' ') name.remove_prefix(1);
  while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') name.remove_suffix(1);
  if (!name.empty() && name.back() == '>') name.remove_suffix(1);
  if (!name.empty() && name.back() == '/') name.remove_suffix(1);
  return name;
}

// Reader state (Entity has no state of its own: a reference is recognised
// and decoded where its "&" stands).
enum class TReadState { Outside, Tag, Text, Instruction, Comment, CData, DocType };

bool HasPrefixAt(std::string_view text, size_t at, std::string_view prefix) {
  return text.size() - at >= prefix.size() && text.compare(at, prefix.size(), prefix) == 0;
}
}  // namespace

size_t ReferenceLength(std::string_view text, size_t at) {
  if (at >= text.size() || text[at] != '&') return 0;
  const size_t end = std::min(text.size(), at + MaxReferenceLength);
  size_t i = at + 1;
  if (i < end && text[i] == '#') {
    ++i;
    const bool hex = i < end && text[i] == 'x';
    if (hex) ++i;
    const size_t digitsStart = i;
    while (i < end && (hex ? IsHexDigit(text[i]) : IsDigit(text[i]))) ++i;
    if (i == digitsStart) return 0;
  } else {
    if (i >= end || !IsNameStart(text[i])) return 0;
    while (i < end && IsNameChar(text[i])) ++i;
  }
  if (i >= end || text[i] != ';') return 0;
  return i + 1 - at;
}

void AppendReference(std::string& out, std::string_view reference) {
  const std::string_view body = reference.substr(1, reference.size() - 2);
  if (body.empty()) {
    out += reference;
  } else if (body[0] == '#') {
    // A character of the 8-bit code page becomes that character; anything
    // beyond it (or NUL) has no place in the file's text and stays as written.
    const bool hex = body.size() > 1 && body[1] == 'x';
    unsigned value = 0;
    for (size_t i = hex ? 2 : 1; i < body.size() && value <= 0xFF; ++i)
      value = hex ? value * 16 + static_cast<unsigned>(HexValue(body[i])) : value * 10 + (body[i] - '0');
    if (value >= 1 && value <= 0xFF)
      out += static_cast<char>(value);
    else
      out += reference;
  } else if (body == "amp") {
    out += '&';
  } else if (body == "lt") {
    out += '<';
  } else if (body == "gt") {
    out += '>';
  } else if (body == "quot") {
    out += '"';
  } else if (body == "apos") {
    out += '\'';
  } else {
    out += reference;
  }
}

std::string DecodeEntity(const std::string& entity) {
  if (ReferenceLength(entity, 0) != entity.size()) return entity;
  std::string out;
  AppendReference(out, entity);
  return out;
}

// One parse of one text into one document.
class TXMLReader {
public:
  TXMLReader(TXMLDocument& document, std::string_view text) : FDocument(document), FText(text) {}

  void Run() {
    TReadState state = TReadState::Outside;
    try {
      while (FPos < FText.size()) {
        switch (state) {
          case TReadState::Outside: state = ReadOutside(); break;
          case TReadState::Text: state = ReadText(); break;
          case TReadState::Tag: state = ReadTag(); break;
          case TReadState::Instruction: state = ReadInstruction(); break;
          case TReadState::Comment: state = ReadComment(); break;
          case TReadState::CData: state = ReadCData(); break;
          case TReadState::DocType: state = ReadDocType(); break;
        }
      }
    } catch (...) {
      // What was read stays in the tree, which owns and frees it.
      GiveChildrenToOpenElements();
      throw;
    }
    GiveChildrenToOpenElements();
    // A partial text run is dropped; a partial tag, comment, CDATA section,
    // instruction or DOCTYPE, like an element still open, means the text was
    // cut short.
    const bool insideMarkup = state != TReadState::Outside && state != TReadState::Text;
    FDocument.FTruncated = FDocument.Current != nullptr || insideMarkup;
  }

private:
  // Between markup: "<" starts a tag, anything else a text run.
  TReadState ReadOutside() {
    if (FText[FPos] == '<') return BeginMarkup(FPos);
    FToken.clear();
    FRunStart = FPos;
    return TReadState::Text;
  }

  // A text run: plain characters are taken as they stand, references are
  // decoded, and "<" hands the run to the open element as its text.
  TReadState ReadText() {
    const char* data = FText.data();
    const size_t n = FText.size();
    size_t i = FPos;
    i = SkipTo(data, i, n, StopsText);
    if (i == n) {
      FPos = n;
      return TReadState::Text;
    }
    if (data[i] == '&') {
      FToken.append(data + FRunStart, i - FRunStart);
      const size_t length = ReferenceLength(FText, i);
      if (length > 0) {
        AppendReference(FToken, FText.substr(i, length));
        FPos = i + length;
      } else {
        FToken += '&';
        FPos = i + 1;
      }
      FRunStart = FPos;
      return TReadState::Text;
    }
    if (TXMLElement* current = FDocument.Current) {
      if (FToken.empty()) {
        // Built in place rather than assigned: most elements have no text yet.
        current->Text = std::string(data + FRunStart, i - FRunStart);
      } else {
        FToken.append(data + FRunStart, i - FRunStart);
        current->Text = FToken;
      }
    }
    FToken.clear();
    return BeginMarkup(i);
  }

  // "<" at `at`: an instruction, a comment, a CDATA section, a DOCTYPE or a tag.
  TReadState BeginMarkup(size_t at) {
    FMarkupStart = at;
    const char next = at + 1 < FText.size() ? FText[at + 1] : '\0';
    if (next != '?' && next != '!') {
      FPos = at + 1;
      return TReadState::Tag;
    }
    if (HasPrefixAt(FText, at, "<?")) {
      FPos = at + 2;
      return TReadState::Instruction;
    }
    if (HasPrefixAt(FText, at, "<!--")) {
      FPos = at + 4;
      return TReadState::Comment;
    }
    if (HasPrefixAt(FText, at, "<![CDATA[")) {
      // The section's content continues the element's current text run.
      FToken = FDocument.Current ? FDocument.Current->Text : std::string();
      FPos = at + 9;
      return TReadState::CData;
    }
    if (HasPrefixAt(FText, at, "<!DOCTYPE")) {
      FDocTypeBrackets = 0;
      FDocTypeQuote = 0;
      FPos = at + 9;
      return TReadState::DocType;
    }
    FPos = at + 1;
    return TReadState::Tag;
  }

  // A tag ends at the first ">" outside quotes; inside quotes only the
  // closing quote of the same kind counts.
  TReadState ReadTag() {
    const char* data = FText.data();
    const size_t n = FText.size();
    size_t i = FPos;
    // Most tags are a bare name ("<A>", "</A>", "<A/>"): then the first
    // blank, quote, "=" or ">" is the ">" that ends them.
    i = SkipTo(data, i, n, StopsPlainTag);
    if (i < n && data[i] == '>') {
      FPos = i + 1;
      const std::string_view tag = FText.substr(FMarkupStart, FPos - FMarkupStart);
      if (!ReadLeaf(tag)) HandleTag(tag, true);
      return TReadState::Outside;
    }
    // Otherwise, when the tag holds no quote, the first ">" ends it.
    const void* gt = std::memchr(data + i, '>', n - i);
    if (!gt) {
      FPos = n;
      return TReadState::Tag;
    }
    const size_t end = static_cast<size_t>(static_cast<const char*>(gt) - data);
    if (!std::memchr(data + i, '"', end - i) && !std::memchr(data + i, '\'', end - i)) {
      FPos = end + 1;
      HandleTag(FText.substr(FMarkupStart, FPos - FMarkupStart), false);
      return TReadState::Outside;
    }
    while (i < n) {
      const char c = data[i];
      if (c == '>') {
        FPos = i + 1;
        HandleTag(FText.substr(FMarkupStart, FPos - FMarkupStart), false);
        return TReadState::Outside;
      }
      if (c == '"' || c == '\'') {
        const size_t close = FText.find(c, i + 1);
        if (close == std::string_view::npos) break;
        i = close + 1;
      } else {
        ++i;
      }
    }
    FPos = n;
    return TReadState::Tag;
  }

  // Complete at a ">" right after a "?" (the one of "<?" counts).
  TReadState ReadInstruction() {
    const size_t end = FText.find("?>", FMarkupStart + 1);
    if (end == std::string_view::npos) {
      FPos = FText.size();
      return TReadState::Instruction;
    }
    FPos = end + 2;
    const std::string_view token = FText.substr(FMarkupStart, FPos - FMarkupStart);
    if (HasPrefixAt(token, 0, "<?xml") && token.size() > 5 && IsSpace(token[5]))
      FDocument.Header.Attributes.Parse(token);
    else if (HasPrefixAt(token, 0, "<?xml-stylesheet") && token.size() > 16 && IsSpace(token[16]))
      FDocument.Stylesheet.Attributes.Parse(token);
    return TReadState::Outside;
  }

  // Dropped whole; "-->" ends it (so "<!-->" is a complete comment), and
  // quotes inside have no effect.
  TReadState ReadComment() {
    const size_t end = FText.find("-->", FMarkupStart + 2);
    if (end == std::string_view::npos) {
      FPos = FText.size();
      return TReadState::Comment;
    }
    FPos = end + 3;
    return TReadState::Outside;
  }

  // The section's content is element text, taken literally; "]]>" ends it
  // and the text run goes on.
  TReadState ReadCData() {
    const size_t end = FText.find("]]>", FPos);
    if (end == std::string_view::npos) {
      FPos = FText.size();
      return TReadState::CData;
    }
    FToken.append(FText.data() + FPos, end - FPos);
    FPos = end + 3;
    FRunStart = FPos;
    return TReadState::Text;
  }

  // Skipped whole, internal subset and quoted literals included.
  TReadState ReadDocType() {
    for (; FPos < FText.size(); ++FPos) {
      const char c = FText[FPos];
      if (FDocTypeQuote) {
        if (c == FDocTypeQuote) FDocTypeQuote = 0;
      } else if (c == '"' || c == '\'') {
        FDocTypeQuote = c;
      } else if (c == '[') {
        ++FDocTypeBrackets;
      } else if (c == ']') {
        if (FDocTypeBrackets > 0) --FDocTypeBrackets;
      } else if (c == '>' && FDocTypeBrackets == 0) {
        ++FPos;
        return TReadState::Outside;
      }
    }
    return TReadState::DocType;
  }

  // The children of an open element wait in FPending until its end tag,
  // then move to its list in one allocation of the right size.
  void OpenElement(TXMLElement* element) {
    FPendingStart.push_back(FPending.size());
    FDocument.Current = element;
  }
  void CloseElement() {
    TXMLElement*& current = FDocument.Current;
    const size_t start = FPendingStart.back();
    FPendingStart.pop_back();
    current->Children.AddElements(FPending.data() + start, FPending.size() - start);
    FPending.resize(start);
    current = current->Parent;
  }
  // At the end of the text (or a failure) every element still open takes
  // the children read so far.
  // They stay open: Current is still where the text ended.
  void GiveChildrenToOpenElements() {
    TXMLElement* element = FDocument.Current;
    while (!FPendingStart.empty()) {
      const size_t start = FPendingStart.back();
      FPendingStart.pop_back();
      element->Children.AddElements(FPending.data() + start, FPending.size() - start);
      FPending.resize(start);
      element = element->Parent;
    }
  }

  // A bare tag (see ReadTag) names its element and holds no attribute.
  void HandleTag(std::string_view tag, bool bare) {
    TXMLElement*& current = FDocument.Current;
    if (tag[1] == '/') {
      if (!current) throw EXMLParseError("End tag without an open element: " + std::string(tag));
      // The name as written, not trimmed: "</A >" does not close A.
      if (tag.substr(2, tag.size() - 3) == current->Name) CloseElement();
    } else if (tag[tag.size() - 2] == '/') {
      if (!current) throw EXMLParseError("Element without an open element: " + std::string(tag));
      NewElement(tag, bare);
    } else if (current) {
      OpenElement(NewElement(tag, bare));
    } else {
      // The first start tag of the document, or one after the root closed:
      // the root element itself takes it and keeps any children it has.
      TXMLElement* root = FDocument.FRoot.get();
      root->ParseTag(tag);
      root->Parent = nullptr;
      OpenElement(root);
    }
  }

  // The commonest element of all, "<A>text</A>" with a bare start tag at
  // FMarkupStart and a text without references, read at once. False, with
  // nothing done, for anything else.
  bool ReadLeaf(std::string_view tag) {
    TXMLElement* current = FDocument.Current;
    if (!current || tag[1] == '/' || tag[tag.size() - 2] == '/') return false;
    const std::string_view name = TagName(tag, tag.size());
    if (name.empty()) return false;
    const char* data = FText.data();
    const size_t n = FText.size();
    const size_t textEnd = SkipTo(data, FPos, n, StopsText);
    const size_t endTagEnd = textEnd + 2 + name.size();
    if (endTagEnd >= n || data[textEnd] != '<' || data[textEnd + 1] != '/' || data[endTagEnd] != '>' ||
        std::memcmp(data + textEnd + 2, name.data(), name.size()) != 0)
      return false;
    auto* element = new TXMLElement(std::string(name));
    FPending.push_back(element);
    element->Parent = current;
    if (textEnd > FPos) element->Text = std::string(data + FPos, textEnd - FPos);
    FPos = endTagEnd + 1;
    return true;
  }

  // A new child of the open element (its parent, also when it closes
  // itself), named (and given its attributes) by its tag. One without a name stays in the tree, like what was read
  // before it, when the parse fails.
  TXMLElement* NewElement(std::string_view tag, bool bare) {
    if (!bare) {
      auto* element = new TXMLElement();
      FPending.push_back(element);
      element->Parent = FDocument.Current;
      element->ParseTag(tag);
      return element;
    }
    const std::string_view name = TagName(tag, tag.size());
    auto* element = new TXMLElement(std::string(name));
    FPending.push_back(element);
    element->Parent = FDocument.Current;
    if (name.empty()) throw EXMLParseError("Element without a name: " + std::string(tag));
    return element;
  }

  TXMLDocument& FDocument;
  std::string_view FText;
  size_t FPos = 0;
  // The "<" of the markup being read.
  size_t FMarkupStart = 0;
  // The text run so far where it needed decoding (or continues a CDATA
  // section); FRunStart is where its not yet collected characters begin.
  std::string FToken;
  size_t FRunStart = 0;
  // Inside a DOCTYPE: nesting of its internal subset "[...]" and quotes.
  int FDocTypeBrackets = 0;
  char FDocTypeQuote = 0;
  // Children read for the open elements, outermost first; FPendingStart
  // holds where each open element's children begin.
  std::vector<TXMLElement*> FPending;
  std::vector<size_t> FPendingStart;
};

void TXMLDocument::Parse(std::string_view text) {
  Clear();
  TXMLReader(*this, text).Run();
}

namespace {
// The common tag, read in one pass: a name without quotes or "=", then
// name="value" pairs (either quote) separated by blanks. It gives what the
// general rules below give for such a tag; false for anything else, with
// the element's name and attributes then still to be read by those rules.
bool ParseSimpleTag(std::string_view tag, std::string& name, TXMLAttributeList& attributes) {
  const size_t n = tag.size();
  if (n < 2 || tag[0] == '"' || tag[0] == '\'' || tag[0] == '=') return false;
  size_t i = 1;
  i = SkipTo(tag.data(), i, n, StopsName);
  if (i < n && !IsSpace(tag[i])) return false;  // a quote or "="

  const std::string_view tagName = TagName(tag, i);
  if (tagName.empty()) return false;
  name.assign(tagName.data(), tagName.size());
  attributes.Clear();
  if (i == n) return true;
  std::string entry;
  while (true) {
    while (i < n && IsSpace(tag[i])) ++i;
    if (i == n) break;
    // Between attributes only the end of the tag may stand.
    const std::string_view rest = tag.substr(i);
    if (rest == ">" || rest == "/>") return true;
    const size_t nameStart = i;
    while (i < n && !Is(tag[i], StopsAttributeName)) ++i;
    if (i == nameStart || i + 1 >= n || tag[i] != '=') break;
    const char quote = tag[i + 1];
    if (quote != '"' && quote != '\'') break;
    const size_t valueStart = i + 2;
    const size_t close = tag.find(quote, valueStart);
    if (close == std::string_view::npos || close + 1 >= n) break;
    const char after = tag[close + 1];
    if (!IsSpace(after) && after != '>' && after != '/') break;
    entry.clear();
    entry.reserve(i - nameStart + close - valueStart + 1);
    entry.append(tag.data() + nameStart, i - nameStart);
    entry += '=';
    const size_t valueAt = entry.size();
    for (size_t v = valueStart; v < close;) {
      const size_t amp = tag.find('&', v);
      const size_t end = amp < close ? amp : close;
      entry.append(tag.data() + v, end - v);
      if (end == close) break;
      // A well-formed reference is decoded; any other "&" is a character.
      const size_t length = ReferenceLength(tag, amp);
      if (length > 0) {
        AppendReference(entry, tag.substr(amp, length));
        v = amp + length;
      } else {
        entry += '&';
        v = amp + 1;
      }
    }
    if (IsSpace(after)) {
      // A value that a blank ends loses its outer spaces.
      size_t first = valueAt;
      while (first < entry.size() && entry[first] == ' ') ++first;
      size_t last = entry.size();
      while (last > first && entry[last - 1] == ' ') --last;
      entry.erase(last);
      entry.erase(valueAt, first - valueAt);
    }
    attributes.AppendDecoded(std::move(entry));
    i = close + 1;
    if (after == '>' || after == '/') return true;
  }
  attributes.Clear();
  return false;
}
}  // namespace

void TXMLElement::ParseTag(std::string_view tagText) {
  if (ParseSimpleTag(tagText, Name, Attributes)) return;
  bool inDouble = false, inSingle = false;
  size_t p = tagText.size();  // 0-based position of the first blank outside quotes
  for (size_t i = 0; i < tagText.size(); ++i) {
    const char c = tagText[i];
    if (c == '\'' && !inDouble)
      inSingle = !inSingle;
    else if (c == '"' && !inSingle)
      inDouble = !inDouble;
    else if (IsSpace(c) && !inDouble && !inSingle) {
      p = i;
      break;
    }
  }
  const std::string_view name = TagName(tagText, p);
  if (name.empty()) throw EXMLParseError("Element without a name: " + std::string(tagText));
  Name.assign(name.data(), name.size());
  // A tag without a blank or "=" (the common "<Name>") holds no attribute.
  if (p == tagText.size() && tagText.find('=') == std::string_view::npos) {
    Attributes.Clear();
    return;
  }
  Attributes.Parse(tagText);
}

void TXMLAttributeList::Parse(std::string_view text) {
  enum class TAttrState { Start, Name, Value };
  Clear();
  // Without a blank or "=" the state never reaches a value: nothing to add.
  bool any = false;
  for (const char c : text)
    if (IsSpace(c) || c == '=') {
      any = true;
      break;
    }
  if (!any) return;
  TAttrState state = TAttrState::Start;
  std::string token, name;
  bool inDouble = false, inSingle = false;
  auto trimmed = [](std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
  };
  auto append = [&](std::string_view value) {
    std::string entry;
    entry.reserve(name.size() + 1 + value.size());
    entry += name;
    entry += '=';
    entry += value;
    AppendDecoded(std::move(entry));
  };

  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\'' && !inDouble) {
      inSingle = !inSingle;
    } else if (c == '"' && !inSingle) {
      inDouble = !inDouble;
    } else if (IsSpace(c) && !inDouble && !inSingle) {
      if (state == TAttrState::Start) {
        token.clear();
        state = TAttrState::Name;
      } else if (state == TAttrState::Value) {
        append(trimmed(token));
        token.clear();
        state = TAttrState::Start;
      }
    } else if (c == '=' && (state == TAttrState::Start || state == TAttrState::Name)) {
      name = trimmed(token);
      token.clear();
      state = TAttrState::Value;
    } else if ((c == '>' || c == '/') && !inDouble && !inSingle && state == TAttrState::Value) {
      append(token);
      return;
    } else if (c == '&' && state == TAttrState::Value) {
      // A well-formed reference is decoded; any other "&" is a character.
      const size_t length = ReferenceLength(text, i);
      if (length > 0) {
        AppendReference(token, text.substr(i, length));
        i += length - 1;
      } else {
        token += '&';
      }
    } else {
      token += c;
    }
  }
  if (!inDouble && !inSingle && state == TAttrState::Value) append(token);
}
