#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "foundation/FormatSettings.h"
#include "xml/XmlDocument.h"

TEST(XmlWriter, ProjectFramingOnOneLine) {
  TXMLDocument document;
  auto* root = new TXMLElement();
  document.SetRoot(root);
  root->SetName("Application");
  root->Attributes.SetAttribute("Name", "Drevia");
  root->Attributes.SetAttribute("Version", "110");
  root->Attributes.SetAttribute("unit", "english");
  TXMLElement* identification = root->AddChild("Identification");
  identification->AddChild("PID", true, "A&B");
  identification->AddChild("Project", true, "");
  EXPECT_EQ(document.GetXML(),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>"
            "<Application Name=\"Drevia\" Version=\"110\" unit=\"english\"><Identification>"
            "<PID>A&amp;B</PID><Project/></Identification></Application>");
}

TEST(XmlWriter, ElementSerialisationRules) {
  TXMLElement element("E");
  element.Text = "ignored";
  element.AddChild("C", true, "1");
  EXPECT_EQ(element.GetXML(), "<E><C>1</C></E>") << "children win over text";

  TXMLElement empty("Empty");
  empty.Attributes.SetAttribute("a", "1");
  EXPECT_EQ(empty.GetXML(), "<Empty a=\"1\"/>");

  TXMLElement blankAttribute("X");
  blankAttribute.Attributes.SetAttribute("a", "");
  blankAttribute.Text = "t";
  EXPECT_EQ(blankAttribute.GetXML(), "<X>t</X>") << "empty attributes are not written";
}

TEST(XmlWriter, AttributeStorageAndLookup) {
  TXMLAttributeList list;
  list.SetAttribute("a", "x<y");
  EXPECT_EQ(list.GetAttribute("a"), "x&lt;y");
  EXPECT_EQ(list.GetXML(), "a=\"x&lt;y\"");

  TXMLAttributeList versions;
  versions.SetAttribute("version", "1");
  versions.SetAttribute("Version", "2");
  EXPECT_EQ(versions.Count(), 2) << "replacement matches the name exactly";
  EXPECT_EQ(versions.GetAttribute("VERSION"), "1") << "look-up takes the first match ignoring case";
  EXPECT_EQ(versions.GetXML(), "version=\"1\" Version=\"1\"");
  versions.SetAttribute("version", "3");
  EXPECT_EQ(versions.Count(), 2);
  EXPECT_TRUE(versions.HasAttributeValue("version", "3"));
}

// Lists keep their entries in blocks that grow; entries must survive the
// moves, and a list with both texts and elements keeps them paired.
TEST(XmlWriter, ListsKeepEveryEntryAsTheyGrow) {
  TXMLAttributeList many;
  for (int i = 0; i < 100; ++i)
    many.SetAttribute("attribute" + std::to_string(i),
                      "a long value that is never a short string " + std::to_string(i));
  ASSERT_EQ(many.Count(), 100);
  EXPECT_EQ(many.Cursor, 99);
  EXPECT_EQ(many.GetAttribute("attribute0"), "a long value that is never a short string 0");
  EXPECT_EQ(many.GetAttribute("ATTRIBUTE99"), "a long value that is never a short string 99");
  many.SetAttribute("attribute50", "replaced");
  EXPECT_EQ(many.EntryText(50), "attribute50=replaced");
  EXPECT_EQ(many.EntryText(100), "") << "beyond the end";
  many.Add(new TXMLElement("X"));  // the list owns it from now on
  ASSERT_EQ(many.Count(), 101) << "an element added after the texts pairs with an empty text";
  EXPECT_EQ(many.Element(100)->Name, "X");
  EXPECT_EQ(many.Element(99), nullptr);
  EXPECT_EQ(many.EntryText(100), "");
  EXPECT_EQ(many.GetAttribute("attribute7"), "a long value that is never a short string 7");

  TXMLList mixed(false);
  TXMLElement a("A"), b("B");
  mixed.Add(&a);
  mixed.Add(&b);
  EXPECT_EQ(mixed.Count(), 2);
  mixed.DetachAll();
  EXPECT_EQ(mixed.Count(), 0);
  EXPECT_EQ(mixed.Element(0), nullptr);

  // Searching by attributes copies the filter list; the copy outlives it.
  TXMLDocument document;
  document.Parse("<R><A k=\"1\" m=\"2\"/><A k=\"1\"/><A m=\"2\" k=\"1\"/></R>");
  TXMLSearchList& children = document.GetRoot()->Children;
  children.SetSearchPath("A");
  {
    TXMLAttributeList filter;
    filter.AppendDecoded("k=1");
    filter.AppendDecoded("m=2");
    children.SetSearchAttributes(filter);
  }
  EXPECT_EQ(children.Search()->Count(), 2);
}

TEST(XmlWriter, EscapingAndEntities) {
  EXPECT_EQ(EscapeText("a&lt;b"), "a&amp;lt;b");
  EXPECT_EQ(EscapeText("<\"'>&"), "&lt;&quot;&apos;&gt;&amp;");
  EXPECT_EQ(DecodeEntity("&apos;"), "'");
  EXPECT_EQ(DecodeEntity("&#65;"), "A");
  EXPECT_EQ(DecodeEntity("&#x263A;"), "&#x263A;") << "no character of the code page";
  EXPECT_EQ(DecodeEntity("&foo;"), "&foo;");
  EXPECT_EQ(DecodeEntity("& b;"), "& b;");
}

TEST(XmlWriter, DeclarationAndStylesheet) {
  TXMLDocument document;
  document.Header.Attributes.SetAttribute("version", "1.1");
  EXPECT_EQ(document.Header.GetXML(), "<?xml version=\"1.1\" encoding=\"ISO-8859-1\" ?>");
  EXPECT_EQ(document.Stylesheet.GetXML(), "");
  document.Stylesheet.Attributes.SetAttribute("href", "a.xsl");
  EXPECT_EQ(document.Stylesheet.GetXML(), "<?xml-stylesheet alternate=\"yes\" type=\"text/xsl\" href=\"a.xsl\" ?>");
}

TEST(XmlWriter, SearchByPathTextAndAttributes) {
  TXMLDocument document;
  document.Parse("<R><A k=\"1\"><B>x</B></A><A k=\"2\"><B>y</B><C/></A><D><B>x</B></D></R>");
  TXMLSearchList& children = document.GetRoot()->Children;

  children.SetSearchPath("A");
  EXPECT_EQ(children.Search()->Count(), 2);

  children.SetSearchPath("A/B");
  children.SetSearchText("y");
  auto found = children.Search();
  ASSERT_EQ(found->Count(), 1);
  EXPECT_EQ(found->Element(0)->Attributes.GetAttribute("k"), "2") << "the child itself is returned";

  children.SetSearchPath("/B");
  children.SetSearchText("x");
  EXPECT_EQ(children.Search()->Count(), 2) << "an empty head matches every name";

  children.SetSearchPath("A");
  children.SetSearchText("");
  TXMLAttributeList filter;
  filter.AppendDecoded("k=1");
  children.SetSearchAttributes(filter);
  EXPECT_EQ(children.Search()->Count(), 1);
}

TEST(XmlValues, ConversionsNeverFail) {
  EXPECT_TRUE(XmlToBool("true"));
  EXPECT_TRUE(XmlToBool("yes"));
  EXPECT_TRUE(XmlToBool("T"));
  EXPECT_FALSE(XmlToBool("1"));
  EXPECT_FALSE(XmlToBool(""));
  EXPECT_EQ(XmlToInt("12"), 12);
  EXPECT_EQ(XmlToInt("-12"), -12);
  EXPECT_EQ(XmlToInt("12 "), 0);
  EXPECT_EQ(XmlToInt("  "), 0);
  EXPECT_EQ(XmlToInt("99999999999"), 0);
  EXPECT_EQ(XmlToFloat(""), 0);
  EXPECT_EQ(XmlToFloat("2.5"), 2.5);
  EXPECT_EQ(XmlToFloat("-1E-5"), -1e-5);
  EXPECT_EQ(XmlToFloat("1e999"), 0) << "overflow is not a number the system keeps";
  EXPECT_EQ(XmlToFloat("nan"), 0);
  EXPECT_EQ(XmlToFloat("inf"), 0);
  EXPECT_EQ(XmlToFloat("2,5"), 0);
  EXPECT_EQ(XmlToDate("12/30/1899"), 0);
  EXPECT_EQ(XmlToDate("not a date"), 0);

  const TFormatSettings saved = FormatSettings();
  SetFormatSettings({',', '.', "DMY"});
  EXPECT_EQ(XmlToFloat("2,5"), 2.5);
  // The point reads under every locale: the shipped tables are written so.
  EXPECT_EQ(XmlToFloat("2.5"), 2.5);
  EXPECT_EQ(XmlToFloat("2.5,1"), 0);
  SetFormatSettings(saved);
}

TEST(XmlValues, NumbersThatDoNotReadAreNotedWhileCollecting) {
  EXPECT_EQ(XmlToFloat("abc", "Length"), 0) << "nothing collects: 0 without a word";
  TUnreadableNumbers outer;
  EXPECT_EQ(XmlToFloat("12.5", "Length"), 12.5);
  EXPECT_EQ(XmlToFloat("  ", "Length"), 0) << "an empty value is no fault";
  EXPECT_EQ(outer.Count(), 0u);
  EXPECT_EQ(outer.Message(), "");
  EXPECT_EQ(XmlToFloat("280 ft", "Length"), 0);
  EXPECT_EQ(XmlToFloat("1e999", "Grade"), 0);
  {
    // An inner collector takes the notes while it lives.
    TUnreadableNumbers inner;
    XmlToFloat("x", "Inner");
    EXPECT_EQ(inner.Count(), 1u);
  }
  EXPECT_EQ(XmlToFloat(std::string("a\tb") + std::string(60, 'c')), 0);
  EXPECT_EQ(outer.Count(), 3u);
  // Control characters show as "?", and a long text is cut at 40 characters.
  EXPECT_EQ(outer.Message(),
            "Values in the file that are not numbers were read as 0: Length \"280 ft\", "
            "Grade \"1e999\", \"a?b" +
                std::string(37, 'c') + "...\". Check them before calculating.");
  for (int i = 0; i < 4; ++i) XmlToFloat("-", "Time");
  EXPECT_EQ(outer.Count(), 7u);
  EXPECT_NE(outer.Message().find("Time \"-\", Time \"-\" and 2 more."), std::string::npos) << outer.Message();
}

TEST(XmlFiles, SaveAndLoadUseCrLfLinesAndLatin1) {
  const std::string path = ::testing::TempDir() + "drevia_xml_file_test.xml";
  TXMLDocument document;
  document.Parse("<A><B>caf\xe9</B></A>");
  ASSERT_TRUE(document.SaveToFile(path));
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, document.GetXML() + "\r\n");

  TXMLDocument again;
  ASSERT_TRUE(again.LoadFromFile(path));
  EXPECT_EQ(again.GetRoot()->Child(0)->Text, "caf\xe9");
  std::remove(path.c_str());

  EXPECT_FALSE(document.SaveToFile("/nonexistent-folder/x.xml"));
  EXPECT_THROW(again.LoadFromFile("/nonexistent-folder/x.xml"), EFOpenError);
}

TEST(XmlFiles, EveryLineEndingIsReadAsCrLf) {
  const std::string path = ::testing::TempDir() + "drevia_xml_line_endings.xml";
  // (file bytes, text of B as read)
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"<A><B>1\r\n2</B></A>\r\n", "1\r\n2"},  // already CR LF: read as it is
      {"<A><B>1\n2</B></A>", "1\r\n2"},         {"<A><B>1\r2</B></A>", "1\r\n2"},
      {"<A><B>1\r\r\n2</B></A>", "1\r\n\r\n2"}, {"<A><B>1\n\r2</B></A>", "1\r\n\r\n2"},
      {"<A><B>1\r\n\n2</B></A>", "1\r\n\r\n2"}, {"<A><B>\n2</B></A>", "\r\n2"},
      {"<A><B>2\r</B></A>", "2\r\n"},
  };
  for (const auto& [bytes, text] : cases) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    TXMLDocument document;
    ASSERT_TRUE(document.LoadFromFile(path));
    ASSERT_EQ(document.GetRoot()->ChildCount(), 1);
    EXPECT_EQ(document.GetRoot()->Child(0)->Text, text) << bytes;
  }
  std::remove(path.c_str());
}
