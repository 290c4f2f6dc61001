// Any byte sequence must end in a tree or a parse failure; the tree must
// write, search and destroy without trouble, and what the writer gives must
// read again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "xml/XmlDocument.h"

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
  TXMLDocument again;
  try {
    again.Parse(once);
  } catch (const EXMLParseError&) {
    // The writer's output of a parsed tree always reads again.
    __builtin_trap();
  }
  return 0;
}
