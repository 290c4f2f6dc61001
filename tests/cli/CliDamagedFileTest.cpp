// Files that were edited by hand or cut short, through drevia-cli: a bare
// "&" must not cost any of the document, and a file that ends before its
// root is closed must be refused rather than loaded in part.

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

struct TRun {
  int Status;
  std::string Out, Err;
};

class CliDamagedFile : public ::testing::Test {
protected:
  void SetUp() override {
    Folder = fs::temp_directory_path() / ("drevia-cli-damaged-" + std::to_string(getpid()));
    fs::create_directories(Folder);
  }
  void TearDown() override { fs::remove_all(Folder); }

  std::string Write(const std::string& name, const std::string& content) const {
    std::ofstream(Folder / name, std::ios::binary) << content;
    return (Folder / name).string();
  }

  TRun Run(const std::string& arguments, const std::string& dataDir = DREVIA_BIN_DIR) const {
    const fs::path out = Folder / "stdout.txt", err = Folder / "stderr.txt";
    const std::string command = "'" DREVIA_BIN_DIR "/drevia-cli' --data-dir '" + dataDir + "' " + arguments + " >'" +
                                out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
  }

  fs::path Folder;
};

const std::string Sample = std::string(DREVIA_SOURCE_DIR) + "/samples/storm-sewer-design.xml";
const std::string Incomplete = "The file is incomplete: it ends before the closing </Application>.\n";

TEST_F(CliDamagedFile, BareAmpersandLoadsWholeAndSavesUnchanged) {
  std::string escaped = ReadFile(Sample);
  const std::string project = "<Project>Route 114 widening, Station 10+00 to 27+10</Project>";
  ASSERT_NE(escaped.find(project), std::string::npos);
  escaped.replace(escaped.find(project), project.size(), "<Project>Route 12 &amp; County 4</Project>");
  std::string bare = escaped;
  bare.replace(bare.find("&amp;"), 5, "&");

  const std::string escapedFile = Write("escaped.xml", escaped), bareFile = Write("bare.xml", bare);
  const std::string escapedOut = (Folder / "escaped-out.xml").string(), bareOut = (Folder / "bare-out.xml").string();
  ASSERT_EQ(Run("save-input '" + escapedFile + "' '" + escapedOut + "'").Status, 0);
  const TRun saved = Run("save-input '" + bareFile + "' '" + bareOut + "'");
  EXPECT_EQ(saved.Status, 0) << saved.Err;
  EXPECT_EQ(ReadFile(bareOut), ReadFile(escapedOut)) << "the bare & is written back as &amp;, nothing else changes";
  EXPECT_NE(ReadFile(bareOut).find("<Project>Route 12 &amp; County 4</Project>"), std::string::npos);

  const TRun reference = Run("calc '" + Sample + "' --json"), calculated = Run("calc '" + bareFile + "' --json");
  EXPECT_EQ(calculated.Status, 0);
  EXPECT_EQ(calculated.Out, reference.Out) << "every element is still there";
}

TEST_F(CliDamagedFile, ProjectCutShortIsRefused) {
  const std::string whole = ReadFile(Sample);
  // Cut in the middle of an element, in a text run, and just before the
  // closing tag of the root; and a comment that runs to the end.
  const std::string texts[] = {whole.substr(0, whole.size() / 2), whole.substr(0, whole.find("</PID>")),
                               whole.substr(0, whole.rfind("</Application>")),
                               whole.substr(0, whole.find("<StormSewerParameters>")) + "<!-- " +
                                   whole.substr(whole.find("<StormSewerParameters>"))};
  for (const std::string& text : texts) {
    const std::string file = Write("cut.xml", text);
    const std::string out = (Folder / "cut-out.xml").string();
    for (const std::string& arguments :
         {"calc '" + file + "'", "save-input '" + file + "' '" + out + "'", "save-results '" + file + "' '" + out + "'",
          "kind '" + file + "'", "roundtrip '" + file + "'"}) {
      const TRun run = Run(arguments);
      EXPECT_EQ(run.Status, 1) << arguments << " of " << text.size() << " bytes";
      EXPECT_EQ(run.Err, Incomplete) << arguments;
      EXPECT_EQ(run.Out, "") << arguments;
    }
    EXPECT_FALSE(fs::exists(out));
  }
}

TEST_F(CliDamagedFile, ParameterFileCutShortEndsStartUp) {
  for (const char* damaged : {"AppParameters.xml", "UniversalCulvertParameters.xml"}) {
    const fs::path data = Folder / "data";
    fs::create_directories(data);
    for (const char* name : {"AppParameters.xml", "UniversalCulvertParameters.xml"}) {
      std::string text = ReadFile(fs::path(DREVIA_BIN_DIR) / name);
      ASSERT_FALSE(text.empty()) << name;
      if (std::string(name) == damaged) text.resize(text.size() * 2 / 3);
      std::ofstream(data / name, std::ios::binary) << text;
    }
    const std::string cut = ReadFile(data / damaged);
    const TRun run = Run("calc '" + Sample + "'", data.string());
    EXPECT_EQ(run.Status, 1) << damaged;
    EXPECT_EQ(run.Err, "Parameter Files not present or corrupted. Check Installation.\n") << damaged;
    EXPECT_EQ(ReadFile(data / damaged), cut) << "a damaged file is never written back";
    fs::remove_all(data);
  }
}

}  // namespace
