// Any byte sequence must end in a tree or a parse failure; the tree must
// write, search and destroy without trouble, and what the writer gives must
// read again.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "xml/XmlDocument.h"

namespace {
// Element and attribute names are written as they were read; only names
// made of ordinary name characters can be expected to read back the same.
bool PlainNames(const TXMLElement* root) {
  std::vector<const TXMLElement*> pending{root};
  while (!pending.empty()) {
    const TXMLElement* e = pending.back();
    pending.pop_back();
    auto plain = [](const std::string& name) {
      for (unsigned char c : name)
        if (!(std::isalnum(c) || c == '_' || c == '-' || c == '.' || c == ':')) return false;
      return true;
    };
    if (!plain(e->Name)) return false;
    for (int i = 0; i < e->Attributes.Count(); ++i) {
      const std::string& entry = e->Attributes.EntryText(i);
      if (!plain(entry.substr(0, entry.find('=')))) return false;
    }
    for (int i = 0; i < e->ChildCount(); ++i) pending.push_back(e->Child(i));
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TXMLDocument document;
  try {
    document.Parse(text);
  } catch (const EXMLParseError&) {
    return 0;
  }
  const std::string once = document.GetXML();
  TXMLSearchList& children = document.GetRoot()->Children;
  children.SetSearchPath("a/b");
  (void)children.Search();
  (void)XmlToFloat(document.GetRoot()->Text);
  (void)XmlToDate(document.GetRoot()->Text);
  // An empty root is written as an empty-element tag, which no reader takes
  // as the first tag of a document; the system never writes one.
  if (document.GetRoot()->Name.empty() || document.GetRoot()->IsEmpty()) return 0;
  if (!PlainNames(document.GetRoot())) return 0;
  TXMLDocument again;
  try {
    again.Parse(once);
  } catch (const EXMLParseError&) {
    // The writer's output of a parsed tree always reads again.
    __builtin_trap();
  }
  // ... whole: the writer closes every element it opens.
  if (again.Truncated()) __builtin_trap();
  return 0;
}
