#include "appmodel/HelpTopics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;

const fs::path ShippedHelp = fs::path(DREVIA_SOURCE_DIR) / "data" / "help";

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(HelpTopics, EveryTopicOfTheWindowsHasAShippedPage) {
  THelpTopicMap map;
  ASSERT_TRUE(map.Load(ShippedHelp / HelpTopicMapName));
  for (int topic : {0, 1002, 110, 201, 202, 203, 301, 302, 303, 401, 402, 403, 501, 502, 503, 601, 602, 603}) {
    const std::string page = map.PageOfTopic(topic);
    EXPECT_FALSE(page.empty()) << "topic " << topic;
    EXPECT_TRUE(fs::is_regular_file(ShippedHelp / page)) << "topic " << topic << ": " << page;
  }
}

namespace {
// The targets of href="..." that name a local file (no anchor, no scheme).
std::vector<std::string> LocalLinks(const std::string& text) {
  std::vector<std::string> links;
  const std::string start = "href=\"";
  for (size_t at = text.find(start); at != std::string::npos; at = text.find(start, at + 1)) {
    const size_t from = at + start.size();
    const size_t to = text.find('"', from);
    if (to == std::string::npos) break;
    const std::string target = text.substr(from, to - from);
    if (!target.empty() && target.find_first_of("#:") == std::string::npos) links.push_back(target);
  }
  return links;
}
}  // namespace

TEST(HelpTopics, PagesArePlainAsciiAndTheirLinksResolve) {
  int pages = 0;
  for (const auto& entry : fs::directory_iterator(ShippedHelp)) {
    if (entry.path().extension() != ".html") continue;
    ++pages;
    const std::string text = ReadAll(entry.path());
    for (unsigned char ch : text) EXPECT_LT(ch, 0x80) << entry.path().filename();
    for (const std::string& target : LocalLinks(text))
      EXPECT_TRUE(fs::is_regular_file(ShippedHelp / target)) << entry.path().filename() << " -> " << target;
  }
  EXPECT_GE(pages, 18);
}

TEST(HelpTopics, MapKeepsOnlyPlainPagesOfTheFolder) {
  const fs::path folder = fs::temp_directory_path() / "drevia-help-map" / "help";
  fs::create_directories(folder);
  std::ofstream(folder / HelpTopicMapName) << "# comment\n"
                                              " 0 = index.html \n"
                                              "7=../../etc/passwd\n"
                                              "8=/etc/passwd\n"
                                              "9=.hidden\n"
                                              "x=page.html\n"
                                              "-1=page.html\n"
                                              "12=page.html\n";
  std::ofstream(folder / "index.html") << "<html></html>";
  THelpTopicMap map;
  ASSERT_TRUE(map.Load(folder / HelpTopicMapName));
  EXPECT_EQ(map.Pages().size(), 2u);
  EXPECT_EQ(map.PageOfTopic(0), "index.html");
  EXPECT_EQ(map.PageOfTopic(12), "page.html");
  EXPECT_EQ(map.PageOfTopic(7), "");

  const std::string helpFile = (folder.parent_path() / "drevia.chm").string();
  EXPECT_EQ(HelpPageFile(helpFile, 0), folder / "index.html");
  // An unknown topic opens the contents; a mapped page that is missing opens nothing.
  EXPECT_EQ(HelpPageFile(helpFile, 555), folder / "index.html");
  EXPECT_TRUE(HelpPageFile(helpFile, 12).empty());
  EXPECT_TRUE(HelpPageFile("", 0).empty());
  EXPECT_TRUE(HelpPageFile("/nowhere/drevia.chm", 0).empty());
  fs::remove_all(folder.parent_path());
}
}  // namespace
