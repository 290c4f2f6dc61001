#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "xml/XmlDocument.h"

namespace {
std::string RoundTrip(const std::string& text) {
  TXMLDocument document;
  document.Parse(text);
  return document.GetXML();
}
}  // namespace

TEST(XmlReader, WriterOutputReadsBackEqual) {
  TXMLDocument document;
  auto* root = new TXMLElement("Application");
  document.SetRoot(root);
  root->Attributes.SetAttribute("Name", "Dr\"evia & co");
  TXMLElement* leaf = root->AddChild("Leaf", true, "a<b & 'c'");
  leaf->Attributes.SetAttribute("id", "3");
  root->AddChild("Empty", true, "");
  const std::string text = document.GetXML();

  TXMLDocument read;
  read.Parse(text);
  EXPECT_EQ(read.GetRoot()->Name, "Application");
  EXPECT_EQ(read.GetRoot()->Attributes.GetAttribute("Name"), "Dr\"evia & co");
  EXPECT_EQ(read.GetRoot()->Child(0)->Text, "a<b & 'c'");
  EXPECT_EQ(read.GetRoot()->Child(0)->Attributes.GetAttribute("id"), "3");
  EXPECT_TRUE(read.GetRoot()->Child(1)->IsEmpty());
  EXPECT_EQ(read.GetXML(), text) << "a file read and written again keeps every value";
}

TEST(XmlReader, MultiLineLayoutAndContainerText) {
  TXMLDocument document;
  document.Parse("<A>\r\n  <B>1</B>\r\n  <B>2</B>\r\n</A>\r\n");
  TXMLElement* root = document.GetRoot();
  ASSERT_EQ(root->ChildCount(), 2);
  EXPECT_EQ(root->Child(0)->Text, "1");
  EXPECT_EQ(root->Child(1)->Text, "2");
  EXPECT_EQ(root->Text, "\r\n") << "a container keeps the last text run it saw";
}

TEST(XmlReader, MismatchedEndTagsAreIgnored) {
  TXMLDocument document;
  document.Parse("<A><B>1</C><B>2</B></A>");
  TXMLElement* root = document.GetRoot();
  ASSERT_EQ(root->ChildCount(), 1);
  TXMLElement* first = root->Child(0);
  EXPECT_EQ(first->Text, "1");
  ASSERT_EQ(first->ChildCount(), 1);
  EXPECT_EQ(first->Child(0)->Text, "2");
  EXPECT_EQ(document.Current, first) << "the end tag of A is ignored as well";
}

TEST(XmlReader, EntitiesQuotesAndComments) {
  TXMLDocument document;
  document.Parse("<A>x &amp; y &foo; z</A>");
  EXPECT_EQ(document.GetRoot()->Text, "x & y &foo; z");

  document.Parse("<R><E v='it&apos;s' w=\"a b\"/></R>");
  TXMLElement* e = document.GetRoot()->Child(0);
  EXPECT_EQ(e->Name, "E");
  EXPECT_EQ(e->Attributes.GetAttribute("v"), "it's");
  EXPECT_EQ(e->Attributes.GetAttribute("w"), "a b");

  document.Parse("<R><!-- don't --><S>1</S></R>");
  ASSERT_EQ(document.GetRoot()->ChildCount(), 1);
  EXPECT_EQ(document.GetRoot()->Child(0)->Text, "1");

  document.Parse("<R><E a= \"lost\"/></R>");
  EXPECT_EQ(document.GetRoot()->Child(0)->Attributes.GetAttribute("a"), "") << "no blank after =";
}

TEST(XmlReader, AnAmpersandThatStartsNoReferenceIsText) {
  // Hand-edited files hold bare "&"; the rest of the document must survive.
  TXMLDocument document;
  document.Parse("<R><Road>Route 12 & County 4</Road><Next>x;y</Next></R>");
  TXMLElement* root = document.GetRoot();
  ASSERT_EQ(root->ChildCount(), 2);
  EXPECT_EQ(root->Child(0)->Text, "Route 12 & County 4");
  EXPECT_EQ(root->Child(1)->Text, "x;y");
  EXPECT_FALSE(document.Truncated());
  EXPECT_NE(document.GetXML().find("<Road>Route 12 &amp; County 4</Road><Next>x;y</Next>"), std::string::npos);

  const struct {
    const char* Text;
    const char* Read;
  } cases[] = {
      {"a&b", "a&b"},
      {"a &amp b;", "a &amp b;"},                    // a blank before the ";"
      {"&;&#;&#x;&#xg;&1a;", "&;&#;&#x;&#xg;&1a;"},  // nothing of a reference
      {"&#49;&#48;", "10"},
      {"&#x41;&#X41;&#0065;", "A&#X41;A"},
      {"&#233;&#xE9;", "\xe9\xe9"},
      {"&#0;&#256;&#x263A;&#99999999999999999999;", "&#0;&#256;&#x263A;&#99999999999999999999;"},
      {"&lt;&gt;&quot;&apos;&amp;amp;", "<>\"'&amp;"},
      {"&nbsp; &unknown.name-1;", "&nbsp; &unknown.name-1;"},
      {"&aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa;", "&aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa;"},
      {"end &", "end &"},
  };
  for (const auto& c : cases) {
    document.Parse(std::string("<R><V>") + c.Text + "</V><W/></R>");
    ASSERT_EQ(document.GetRoot()->ChildCount(), 2) << c.Text;
    EXPECT_EQ(document.GetRoot()->Child(0)->Text, c.Read) << c.Text;
  }

  document.Parse("<R><E v=\"R & B\" w='a&#38;b&amp;c' x=\"&\"/><F/></R>");
  ASSERT_EQ(document.GetRoot()->ChildCount(), 2);
  TXMLElement* e = document.GetRoot()->Child(0);
  EXPECT_EQ(e->Attributes.GetAttribute("v"), "R & B");
  EXPECT_EQ(e->Attributes.GetAttribute("w"), "a&b&c");
  EXPECT_EQ(e->Attributes.GetAttribute("x"), "&");
  EXPECT_EQ(e->GetXML(), "<E v=\"R &amp; B\" w=\"a&amp;b&amp;c\" x=\"&amp;\"/>");
}

TEST(XmlReader, TextsCutShortAreMarkedTruncated) {
  const struct {
    const char* Text;
    bool Truncated;
  } cases[] = {
      {"<A></A>", false},
      {"<?xml version=\"1.0\" ?>\r\n<A>\r\n<B>1</B>\r\n</A>\r\n", false},
      {"before<A>x</A>after", false},
      {"", false},
      {"just text", false},
      {"<A><B>1</B></A><", true},
      {"<A><B>1</B>", true},
      {"<A><B>open", true},
      {"<A><B x=\"1", true},
      {"<A><!-- never closed </A>", true},
      {"<A><![CDATA[ never closed </A>", true},
      {"<A></A><!-- trailing", true},
      {"<?xml version=\"1.0\"", true},
      {"<!DOCTYPE A [ <A></A>", true},
  };
  for (const auto& c : cases) {
    TXMLDocument document;
    document.Parse(c.Text);
    EXPECT_EQ(document.Truncated(), c.Truncated) << c.Text;
  }
  // What came before the cut is still read (the callers decide to refuse it),
  // and the next parse starts afresh.
  TXMLDocument document;
  document.Parse("<A><B>1</B><C>2");
  EXPECT_TRUE(document.Truncated());
  ASSERT_EQ(document.GetRoot()->ChildCount(), 2);
  EXPECT_EQ(document.GetRoot()->Child(0)->Text, "1");
  document.Parse("<A></A>");
  EXPECT_FALSE(document.Truncated());

  const std::string path = ::testing::TempDir() + "drevia_truncated.xml";
  std::ofstream(path, std::ios::binary) << "<A>\n<B>1</B>\n";
  EXPECT_TRUE(document.LoadFromFile(path));
  EXPECT_TRUE(document.Truncated());
  std::filesystem::remove(path);
}

TEST(XmlReader, DeclarationAndInstructions) {
  TXMLDocument document;
  document.Parse("<?xml version=\"1.0\"?><A>t</A>");
  EXPECT_EQ(document.Header.Attributes.GetAttribute("version"), "1.0?");

  document.Parse("<?xml version=\"1.0\" encoding=\"UTF-8\" ?><?xml-stylesheet href=\"s.xsl\" ?><?other x?><A>t</A>");
  EXPECT_EQ(document.Header.Encoding(), "UTF-8");
  EXPECT_EQ(document.Stylesheet.Href(), "s.xsl");
  EXPECT_EQ(document.GetRoot()->Text, "t");
}

TEST(XmlReader, Failures) {
  TXMLDocument document;
  EXPECT_THROW(document.Parse("<A/>"), EXMLParseError) << "no element is open";
  EXPECT_THROW(document.Parse("</A>"), EXMLParseError);
  EXPECT_THROW(document.Parse("< A></A>"), EXMLParseError) << "empty name";
  EXPECT_NO_THROW(document.Parse("text before<A>x</A>text after"));
  EXPECT_EQ(document.GetRoot()->Text, "x");
  EXPECT_NO_THROW(document.Parse("<A><B>open"));
  EXPECT_EQ(document.GetRoot()->ChildCount(), 1);
  EXPECT_NO_THROW(document.Parse("<A><B attr=\"unterminated"));

  const std::string path = ::testing::TempDir() + "drevia_end_tag_only.xml";
  std::ofstream(path) << "</A>";
  EXPECT_FALSE(document.LoadFromFile(path));
  std::filesystem::remove(path);
}

TEST(XmlReader, CDataAndDocTypeAreTolerated) {
  TXMLDocument document;
  document.Parse("<!DOCTYPE A [ <!ENTITY x \"y>\"> ]><A>a<![CDATA[<b>&amp;]]>c</A>");
  EXPECT_EQ(document.GetRoot()->Name, "A");
  EXPECT_EQ(document.GetRoot()->Text, "a<b>&amp;c");
}

TEST(XmlReader, DeepNestingNeverRecurses) {
  const int depth = 200000;
  std::string text;
  text.reserve(static_cast<size_t>(depth) * 8);
  for (int i = 0; i < depth; ++i) text += "<a>";
  {
    TXMLDocument document;
    document.Parse(text);
    std::string out = document.GetXML();
    EXPECT_GT(out.size(), static_cast<size_t>(depth) * 3);
    TXMLSearchList& children = document.GetRoot()->Children;
    std::string path = "a";
    for (int i = 0; i < 1000; ++i) path += "/a";
    children.SetSearchPath(path);
    EXPECT_EQ(children.Search()->Count(), 1);
  }  // destroying the tree must not overflow the stack either
  for (int i = 0; i < depth; ++i) text += "</a>";
  EXPECT_EQ(RoundTrip(text).size(), std::string("<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>").size() +
                                        static_cast<size_t>(depth - 1) * 7 + 4);
}

TEST(XmlReader, ProjectTextsOfEveryKindRoundTrip) {
  const std::filesystem::path folder = std::filesystem::path(DREVIA_TEST_DATA_DIR) / "xml";
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".xml") continue;
    ++files;
    TXMLDocument document;
    ASSERT_TRUE(document.LoadFromFile(entry.path().string())) << entry.path();
    const std::string once = document.GetXML();
    TXMLDocument again;
    again.Parse(once);
    EXPECT_EQ(again.GetXML(), once) << entry.path();
    EXPECT_EQ(again.GetRoot()->Name, "Application") << entry.path();
  }
  EXPECT_GE(files, 7);
}

// The reader takes the common tag shapes a quicker way; every shape must
// still give the name and attributes the general rules give.
TEST(XmlReader, EveryTagShapeReadsByTheSameRules) {
  const std::vector<std::pair<std::string, std::string>> tags = {
      {"<A>", "A"},
      {"<A/>", "A"},
      {"<\x01"
       "A\x01>",
       "A\x01"},
      {"<A a=\"1\">", "A"},
      {"<A a=\" x \" b=\"2\">", "A"},
      {"<A a=\" x \">", "A"},
      {"<A / b=\"2\">", "A"},
      {"<A a=\"1\"b=\"2\">", "A"},
      {"<A a='it\"s' b=\"&amp;&bogus;&#65;&#300;&\">", "A"},
      {"<A a=\"1\"/ b=\"2\">", "A"},
      {"<A\tb='x'\r\nc=\"y\"/>", "A"},
      {"<A a b=\"1\">", "A"},
      {"<A =\"1\">", "A"},
      {"<A a=1 b=2>", "A"},
      {"<A a=\"1\" >", "A"},
      {"<A a=\"x>y\">", "A"},
      {"<A a=\"1\"  b='2'/>", "A"},
      {"<A=1>", "A=1"},
      {"<A\"B C\" d=\"1\">", "A\"B C\""},
  };
  for (const auto& [tag, name] : tags) {
    TXMLElement element;
    element.ParseTag(tag);
    EXPECT_EQ(element.Name, name) << tag;
    TXMLAttributeList expected;
    if (tag.find_first_of(" \t\r\n=") != std::string::npos) expected.Parse(tag);
    ASSERT_EQ(element.Attributes.Count(), expected.Count()) << tag;
    for (int i = 0; i < expected.Count(); ++i) EXPECT_EQ(element.Attributes.EntryText(i), expected.EntryText(i)) << tag;
    EXPECT_EQ(element.Attributes.GetXML(), expected.GetXML()) << tag;

    // The same tag inside a document.
    TXMLDocument document;
    document.Parse("<R>" + tag);
    ASSERT_EQ(document.GetRoot()->ChildCount(), 1) << tag;
    const TXMLElement* read = document.GetRoot()->Child(0);
    EXPECT_EQ(read->Name, name) << tag;
    EXPECT_EQ(const_cast<TXMLElement*>(read)->Attributes.GetXML(), expected.GetXML()) << tag;
  }
}

TEST(XmlReader, ChildrenKeepTheirOrderWhereverTheTextEnds) {
  TXMLDocument document;
  document.Parse("<A><B/><C><D/><E/></C></A><A2><F/><G>");
  const TXMLElement* root = document.GetRoot();
  EXPECT_EQ(root->Name, "A2") << "a second root tag renames the root";
  ASSERT_EQ(root->ChildCount(), 4) << "and the root keeps the children it had";
  EXPECT_EQ(root->Child(0)->Name, "B");
  EXPECT_EQ(root->Child(1)->Name, "C");
  ASSERT_EQ(root->Child(1)->ChildCount(), 2);
  EXPECT_EQ(root->Child(1)->Child(1)->Name, "E");
  EXPECT_EQ(root->Child(2)->Name, "F");
  EXPECT_EQ(root->Child(3)->Name, "G");
  // Every element knows its parent, whether it closes itself, holds text or
  // holds children.
  EXPECT_EQ(root->Child(0)->GetParent(), root);
  EXPECT_EQ(root->Child(1)->GetParent(), root);
  EXPECT_EQ(root->Child(1)->Child(0)->GetParent(), root->Child(1));
  EXPECT_EQ(root->Child(2)->GetParent(), root);
  TXMLDocument attributes;
  attributes.Parse("<R><L a=\"1\"/><T>text</T><S b=\"2\">x</S></R>");
  for (int i = 0; i < attributes.GetRoot()->ChildCount(); ++i)
    EXPECT_EQ(attributes.GetRoot()->Child(i)->GetParent(), attributes.GetRoot()) << i;
  EXPECT_TRUE(document.Truncated());
  EXPECT_EQ(document.Current, root->Child(3));
  EXPECT_EQ(root->Children.Cursor, 3) << "the cursor rests on the last child, as after adding it";

  // A failure part way leaves what was read in the tree (and frees it).
  TXMLDocument failed;
  EXPECT_THROW(failed.Parse("<A><B><C/></B><D></X></D></A></A></A>"), EXMLParseError);
  ASSERT_EQ(failed.GetRoot()->ChildCount(), 2);
  EXPECT_EQ(failed.GetRoot()->Child(0)->ChildCount(), 1);
}

// Elements come from per-thread batches of a shared pool: trees read on
// several threads at once, freed on another thread, or kept until the end
// of the program must all come and go cleanly.
TEST(XmlReader, TreesReadOnSeveralThreadsAndFreedAnywhere) {
  std::string text = "<R>";
  for (int i = 0; i < 3000; ++i) text += "<E id=\"" + std::to_string(i) + "\"><A>" + std::to_string(i) + "</A><B/></E>";
  text += "</R>";
  std::vector<std::unique_ptr<TXMLDocument>> kept(4);
  std::vector<std::thread> threads;
  std::vector<int> counts(4, 0);
  for (size_t t = 0; t < kept.size(); ++t)
    threads.emplace_back([&, t] {
      for (int round = 0; round < 10; ++round) {
        auto document = std::make_unique<TXMLDocument>();
        document->Parse(text);
        counts[t] += document->GetRoot()->ChildCount();
        kept[t] = std::move(document);  // the previous one is freed here
      }
    });
  for (std::thread& thread : threads) thread.join();
  for (size_t t = 0; t < kept.size(); ++t) {
    EXPECT_EQ(counts[t], 30000);
    EXPECT_EQ(kept[t]->GetXML(), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>" + text);
  }
  kept.clear();  // freed on this thread, read on the others

  static TXMLDocument lasting;  // freed after this thread's own blocks are gone
  lasting.Parse(text);
  EXPECT_EQ(lasting.GetRoot()->ChildCount(), 3000);
}
