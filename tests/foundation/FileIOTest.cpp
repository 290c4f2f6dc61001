// Reading documents from disk and replacing files safely.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "foundation/FileIO.h"

namespace {
namespace fs = std::filesystem;

class FileIOTest : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/drevia-fileio-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Folder = pattern;
  }
  void TearDown() override {
    std::error_code error;
    fs::permissions(Folder, fs::perms::owner_all, fs::perm_options::add, error);
    fs::remove_all(Folder, error);
  }
  std::string Path(const std::string& name) const { return (fs::path(Folder) / name).string(); }
  static void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }
  // Every name in the folder; a save must leave no temporary file behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  static std::string MessageOf(const std::string& path) {
    try {
      ReadFileBytes(path);
    } catch (const EFOpenError& error) {
      return error.what();
    }
    return std::string();
  }
  std::string Folder;
};

// ---- reading --------------------------------------------------------------

TEST_F(FileIOTest, ReadsARegularFileWhole) {
  const std::string bytes("<a>\0\xe9</a>\r\n", 11);
  Write(Path("a.xml"), bytes);
  EXPECT_EQ(ReadFileBytes(Path("a.xml")), bytes);
}

TEST_F(FileIOTest, MissingFileNamesThePath) {
  EXPECT_EQ(MessageOf(Path("none.xml")), "Cannot open file \"" + Path("none.xml") + "\".");
}

TEST_F(FileIOTest, DevicesFoldersAndPipesAreRefusedAtOnce) {
  EXPECT_NE(MessageOf("/dev/zero").find("not a regular file"), std::string::npos);
  EXPECT_NE(MessageOf(Folder).find("not a regular file"), std::string::npos);
  // A pipe without a writer would block an ordinary open for ever.
  ASSERT_EQ(mkfifo(Path("pipe").c_str(), 0600), 0);
  EXPECT_NE(MessageOf(Path("pipe")).find("not a regular file"), std::string::npos);
}

TEST_F(FileIOTest, FileBeyondTheLimitIsRefusedWithTheLimit) {
  // A sparse file: no disk space is used.
  const std::string path = Path("huge.xml");
  Write(path, "<");
  fs::resize_file(path, MaxDocumentFileSize + 1);
  const std::string message = MessageOf(path);
  EXPECT_NE(message.find("512 MB"), std::string::npos) << message;
}

TEST_F(FileIOTest, WideTextIsRefusedWithItsEncoding) {
  const std::pair<std::string, std::string> cases[] = {
      {std::string("\xff\xfe<\0?\0", 6), "UTF-16"},      {std::string("\xfe\xff\0<\0?", 6), "UTF-16"},
      {std::string("<\0?\0x\0", 6), "UTF-16"},           {std::string("\0<\0?\0x", 6), "UTF-16"},
      {std::string("\xff\xfe\0\0<\0\0\0", 8), "UTF-32"}, {std::string("<\0\0\0?\0\0\0", 8), "UTF-32"},
  };
  for (const auto& [bytes, encoding] : cases) {
    Write(Path("wide.xml"), bytes);
    const std::string message = MessageOf(Path("wide.xml"));
    EXPECT_NE(message.find(encoding + ", an encoding this program does not support"), std::string::npos) << message;
  }
  // UTF-8 with its mark and plain 8-bit text are read.
  EXPECT_EQ(UnsupportedTextEncoding("\xef\xbb\xbf<a/>"), "");
  EXPECT_EQ(UnsupportedTextEncoding("<a>\xe9</a>"), "");
  EXPECT_EQ(UnsupportedTextEncoding(""), "");
}

// ---- saving ---------------------------------------------------------------

TEST_F(FileIOTest, SaveReplacesTheFileAndLeavesNothingElse) {
  Write(Path("p.xml"), "old");
  ASSERT_TRUE(WriteFileAtomically(Path("p.xml"), "new"));
  EXPECT_EQ(Read(Path("p.xml")), "new");
  EXPECT_EQ(Names(), std::vector<std::string>{"p.xml"});
}

TEST_F(FileIOTest, SaveThroughALinkUpdatesTheLinkedFileAndKeepsItsMode) {
  fs::create_directory(Path("real"));
  Write(Path("real/p.xml"), "old");
  ASSERT_EQ(chmod(Path("real/p.xml").c_str(), 0600), 0);
  fs::create_symlink("real/p.xml", Path("link.xml"));
  fs::create_symlink("link.xml", Path("link2.xml"));

  ASSERT_TRUE(WriteFileAtomically(Path("link2.xml"), "new"));
  EXPECT_TRUE(fs::is_symlink(Path("link2.xml")));
  EXPECT_TRUE(fs::is_symlink(Path("link.xml")));
  EXPECT_EQ(Read(Path("real/p.xml")), "new");
  struct stat status {};
  ASSERT_EQ(stat(Path("real/p.xml").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"link.xml", "link2.xml", "real"}));
}

TEST_F(FileIOTest, NewFileGetsTheUsualModeNotThePrivateOne) {
  const mode_t previous = umask(022);
  ASSERT_TRUE(WriteFileAtomically(Path("fresh.xml"), "x"));
  umask(previous);
  struct stat status {};
  ASSERT_EQ(stat(Path("fresh.xml").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0644u);
}

TEST_F(FileIOTest, DanglingLinkCreatesItsTarget) {
  fs::create_symlink("target.xml", Path("link.xml"));
  ASSERT_TRUE(WriteFileAtomically(Path("link.xml"), "x"));
  EXPECT_TRUE(fs::is_symlink(Path("link.xml")));
  EXPECT_EQ(Read(Path("target.xml")), "x");
}

TEST_F(FileIOTest, LinkLoopIsRefused) {
  fs::create_symlink("b", Path("a"));
  fs::create_symlink("a", Path("b"));
  EXPECT_FALSE(WriteFileAtomically(Path("a"), "x"));
}

TEST_F(FileIOTest, PlantedLinksUnderTemporaryNamesAreNeverFollowed) {
  // The old fixed temporary name, planted as a link to a victim file.
  Write(Path("victim"), "keep");
  fs::create_symlink("victim", Path("p.xml.tmp~"));
  ASSERT_TRUE(WriteFileAtomically(Path("p.xml"), "new"));
  EXPECT_EQ(Read(Path("victim")), "keep");
  EXPECT_EQ(Read(Path("p.xml")), "new");
}

TEST_F(FileIOTest, ReadOnlyTargetIsRefusedAndKept) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write any file; the refusal cannot be seen";
  Write(Path("p.xml"), "old");
  ASSERT_EQ(chmod(Path("p.xml").c_str(), 0444), 0);
  EXPECT_FALSE(WriteFileAtomically(Path("p.xml"), "new"));
  EXPECT_EQ(Read(Path("p.xml")), "old");
}

TEST_F(FileIOTest, TargetThatIsNotARegularFileIsRefused) {
  fs::create_directory(Path("folder"));
  EXPECT_FALSE(WriteFileAtomically(Path("folder"), "x"));
  EXPECT_TRUE(fs::is_directory(Path("folder")));
  EXPECT_FALSE(WriteFileAtomically("/dev/null", "x"));
  EXPECT_FALSE(WriteFileAtomically(Path("missing-folder/p.xml"), "x"));
}

TEST_F(FileIOTest, ConcurrentSavesToOneTargetAllSucceed) {
  Write(Path("p.xml"), "old");
  std::atomic<int> failures{0};
  std::vector<std::thread> savers;
  for (int t = 0; t < 3; ++t)
    savers.emplace_back([&, t] {
      const std::string text(1000, static_cast<char>('a' + t));
      for (int i = 0; i < 100; ++i)
        if (!WriteFileAtomically(Path("p.xml"), text)) ++failures;
    });
  for (auto& saver : savers) saver.join();
  EXPECT_EQ(failures.load(), 0);
  const std::string last = Read(Path("p.xml"));
  ASSERT_EQ(last.size(), 1000u);
  EXPECT_EQ(last.find_first_not_of(last[0]), std::string::npos);
  EXPECT_EQ(Names(), std::vector<std::string>{"p.xml"});
}

}  // namespace
