// The reader: one forward pass over the text, driven by a small state
// machine. It tolerates what the system's files may hold and fails only on a
// tag that has no open element to go to or an element without a name.

#include <cstring>

#include "xml/XmlDocument.h"

namespace {
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

enum class TReadState { Outside, Tag, Entity, Text, Instruction, Comment, CData, DocType };

bool EndsWith(const std::string& text, const char* suffix) {
  const size_t n = std::strlen(suffix);
  return text.size() >= n && text.compare(text.size() - n, n, suffix) == 0;
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }
}  // namespace

void TXMLDocument::Parse(const std::string& text) {
  Clear();
  TReadState state = TReadState::Outside;
  std::string token;
  std::string entity;
  bool inDouble = false, inSingle = false;
  // Inside a DOCTYPE: nesting of its internal subset "[...]" and quotes.
  int docTypeBrackets = 0;
  char docTypeQuote = 0;

  auto handleTag = [&]() {
    if (token.size() >= 2 && token[1] == '/') {
      const std::string name = token.substr(2, token.size() - 3);
      if (!Current) throw EXMLParseError("End tag without an open element: " + token);
      if (name == Current->Name) Current = Current->Parent;
    } else if (token.size() >= 2 && token[token.size() - 2] == '/') {
      if (!Current) throw EXMLParseError("Element without an open element: " + token);
      auto* element = new TXMLElement();
      Current->Children.Add(element);
      element->ParseTag(token);
    } else if (Current) {
      auto* element = new TXMLElement();
      Current->Children.Add(element);
      element->ParseTag(token);
      element->Parent = Current;
      Current = element;
    } else {
      FRoot->ParseTag(token);
      FRoot->Parent = nullptr;
      Current = FRoot.get();
    }
  };

  const size_t n = text.size();
  const char* data = text.data();
  for (size_t i = 0; i < n; ++i) {
    const char c = data[i];
    switch (state) {
      case TReadState::Outside:
        if (c == '&') {
          entity = "&";
          state = TReadState::Entity;
        } else if (c == '<') {
          token = "<";
          state = TReadState::Tag;
        } else {
          token.assign(1, c);
          state = TReadState::Text;
        }
        break;

      case TReadState::Tag:
        // Past the length of the longest opener, plain characters can be
        // taken in one run up to the next quote or ">".
        if (token.size() >= 9 && c != '\'' && c != '"' && c != '>') {
          size_t j = i + 1;
          while (j < n && data[j] != '\'' && data[j] != '"' && data[j] != '>') ++j;
          token.append(data + i, j - i);
          i = j - 1;
          break;
        }
        token += c;
        if (token.size() == 2 && token == "<?")
          state = TReadState::Instruction;
        else if (token.size() == 4 && token == "<!--")
          state = TReadState::Comment;
        else if (token.size() == 9 && token == "<![CDATA[") {
          // The section's content continues the element's current text run.
          state = TReadState::CData;
          token = Current ? Current->Text : std::string();
        } else if (token.size() == 9 && token == "<!DOCTYPE") {
          state = TReadState::DocType;
          docTypeBrackets = 0;
          docTypeQuote = 0;
        }
        if (c == '\'' && !inDouble) {
          inSingle = !inSingle;
        } else if (c == '"' && !inSingle) {
          inDouble = !inDouble;
        } else if (c == '>' && !inDouble && !inSingle && state == TReadState::Tag) {
          handleTag();
          token.clear();
          state = TReadState::Outside;
        }
        break;

      case TReadState::Entity:
        entity += c;
        if (c == ';') {
          token += DecodeEntity(entity);
          entity.clear();
          state = TReadState::Text;
        }
        break;

      case TReadState::Text:
        if (c == '<') {
          if (Current) Current->Text = token;
          token = "<";
          state = TReadState::Tag;
        } else if (c == '&') {
          entity = "&";
          state = TReadState::Entity;
        } else {
          size_t j = i + 1;
          while (j < n && data[j] != '<' && data[j] != '&') ++j;
          token.append(data + i, j - i);
          i = j - 1;
        }
        break;

      case TReadState::Instruction:
        token += c;
        if (c == '>' && token.size() >= 2 && token[token.size() - 2] == '?') {
          if (StartsWith(token, "<?xml") && token.size() > 5 && IsSpace(token[5]))
            Header.Parse(token);
          else if (StartsWith(token, "<?xml-stylesheet") && token.size() > 16 && IsSpace(token[16]))
            Stylesheet.Parse(token);
          token.clear();
          state = TReadState::Outside;
        }
        break;

      case TReadState::Comment:
        token += c;
        if (c == '>' && EndsWith(token, "-->")) {
          token.clear();
          state = TReadState::Outside;
        }
        break;

      case TReadState::CData:
        // The section's content is element text, taken literally; "]]>"
        // ends it and the text run goes on.
        token += c;
        if (c == '>' && EndsWith(token, "]]>")) {
          token.resize(token.size() - 3);
          state = TReadState::Text;
        }
        break;

      case TReadState::DocType:
        // Skipped whole, internal subset and quoted literals included.
        if (docTypeQuote) {
          if (c == docTypeQuote) docTypeQuote = 0;
        } else if (c == '"' || c == '\'') {
          docTypeQuote = c;
        } else if (c == '[') {
          ++docTypeBrackets;
        } else if (c == ']') {
          if (docTypeBrackets > 0) --docTypeBrackets;
        } else if (c == '>' && docTypeBrackets == 0) {
          token.clear();
          state = TReadState::Outside;
        }
        break;
    }
  }
}

void TXMLElement::ParseTag(const std::string& tagText) {
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
  // The characters from the second up to and including the blank, trimmed.
  std::string name = tagText.size() > 1 ? tagText.substr(1, p) : std::string();
  size_t first = 0, last = name.size();
  while (first < last && static_cast<unsigned char>(name[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(name[last - 1]) <= ' ') --last;
  name = name.substr(first, last - first);
  if (!name.empty() && name.back() == '>') name.pop_back();
  if (!name.empty() && name.back() == '/') name.pop_back();
  if (name.empty()) throw EXMLParseError("Element without a name: " + tagText);
  Name = std::move(name);
  Attributes.Parse(tagText);
}

void TXMLAttributeList::Parse(const std::string& text) {
  enum class TAttrState { Start, Name, Value, EntityInValue };
  Clear();
  // Without a blank or "=" the state never reaches a value: nothing to add.
  if (text.find_first_of(" \t\r\n=") == std::string::npos) return;
  TAttrState state = TAttrState::Start;
  std::string token, name, entity;
  bool inDouble = false, inSingle = false;
  auto trimmed = [](const std::string& s) {
    size_t first = 0, last = s.size();
    while (first < last && s[first] == ' ') ++first;
    while (last > first && s[last - 1] == ' ') --last;
    return s.substr(first, last - first);
  };

  for (const char c : text) {
    if (c == '\'' && !inDouble) {
      inSingle = !inSingle;
    } else if (c == '"' && !inSingle) {
      inDouble = !inDouble;
    } else if (IsSpace(c) && !inDouble && !inSingle) {
      if (state == TAttrState::Start) {
        token.clear();
        state = TAttrState::Name;
      } else if (state == TAttrState::Value) {
        AppendDecoded(name + "=" + trimmed(token));
        token.clear();
        state = TAttrState::Start;
      }
    } else if (c == '=' && (state == TAttrState::Start || state == TAttrState::Name)) {
      name = trimmed(token);
      token.clear();
      state = TAttrState::Value;
    } else if ((c == '>' || c == '/') && !inDouble && !inSingle && state == TAttrState::Value) {
      AppendDecoded(name + "=" + token);
      state = TAttrState::Start;
      return;
    } else if (c == '&' && state == TAttrState::Value) {
      entity = "&";
      state = TAttrState::EntityInValue;
    } else if (c == ';' && state == TAttrState::EntityInValue) {
      entity += ';';
      token += DecodeEntity(entity);
      entity.clear();
      state = TAttrState::Value;
    } else if (state == TAttrState::EntityInValue) {
      entity += c;
    } else {
      token += c;
    }
  }
  if (!inDouble && !inSingle && state == TAttrState::Value) AppendDecoded(name + "=" + token);
}
