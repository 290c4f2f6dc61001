// Hostile files and failing disks through drevia-cli, grouped by family.
// Each case must end at once with the system's message and exit status 1,
// and must never change or half-write a file it was not asked to write.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {
namespace fs = std::filesystem;

struct TRun {
  int Status = -1;
  std::string Out;
  std::string Err;
  double Seconds = 0;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string Sample(const std::string& name) { return ReadFile(fs::path(DREVIA_SOURCE_DIR) / "samples" / name); }

// Replaces the first occurrence; the test fails when there is none.
std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

class HostileFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/drevia-hostile-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Folder = pattern;
    DataDir = Folder / "data";
    fs::create_directory(DataDir);
    for (const char* name : {"AppParameters.xml", "UniversalCulvertParameters.xml"})
      fs::copy_file(fs::path(DREVIA_BIN_DIR) / name, DataDir / name);
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(Folder, error);
  }

  // Runs drevia-cli with the arguments (already quoted where needed) under
  // a time limit, so a case that would hang fails instead. `prefix` runs in
  // the shell first (limits, signal dispositions).
  TRun Cli(const std::string& arguments, const std::string& prefix = std::string()) const {
    const fs::path out = Folder / "stdout", err = Folder / "stderr";
    const std::string command = prefix + " timeout 20 '" DREVIA_BIN_DIR "/drevia-cli' --data-dir '" + DataDir.string() +
                                "' " + arguments + " >'" + out.string() + "' 2>'" + err.string() + "'";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(("bash -c \"" + command + "\"").c_str());
    TRun run;
    run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.Out = ReadFile(out);
    run.Err = ReadFile(err);
    return run;
  }
  std::string Write(const std::string& name, const std::string& bytes) const {
    WriteFile(Folder / name, bytes);
    return (Folder / name).string();
  }
  // Every name in the folder apart from the test's own.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Folder)) {
      const std::string name = entry.path().filename().string();
      if (name != "data" && name != "stdout" && name != "stderr") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path Folder;
  fs::path DataDir;
};

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// ---- encodings ------------------------------------------------------------

TEST_F(HostileFileTest, WideTextIsRefusedByItsEncoding) {
  const std::string text = Sample("culvert-design.xml");
  std::string le("\xff\xfe"), be("\xfe\xff");
  for (char c : text) {
    le += c, le += '\0';
    be += '\0', be += c;
  }
  for (const std::string& bytes : {le, be, le.substr(2)}) {
    const std::string path = Write("wide.xml", bytes);
    for (const std::string& command : std::vector<std::string>{"calc", "kind", "roundtrip"}) {
      const TRun run = Cli(command + " " + path);
      EXPECT_EQ(run.Status, 1) << command;
      EXPECT_TRUE(Contains(run.Err, "UTF-16, an encoding this program does not support")) << command << run.Err;
    }
  }
}

TEST_F(HostileFileTest, Utf8WithItsMarkStillOpens) {
  const std::string path = Write("bom.xml", "\xef\xbb\xbf" + Sample("ditch-analysis.xml"));
  const TRun run = Cli("calc " + path);
  EXPECT_EQ(run.Status, 0) << run.Err;
}

// ---- numbers out of range ---------------------------------------------------

TEST_F(HostileFileTest, CoefficientThatIsNoNumberEndsStartUpNamingTheEntry) {
  const std::string parameters = ReadFile(DataDir / "AppParameters.xml");
  const size_t at = parameters.find("<Coeff_A1>");
  ASSERT_NE(at, std::string::npos);
  const size_t end = parameters.find("</Coeff_A1>", at);
  WriteFile(DataDir / "AppParameters.xml", parameters.substr(0, at) + "<Coeff_A1>NaN" + parameters.substr(end));
  const std::string path = Write("p.xml", Sample("storm-sewer-design.xml"));
  for (const std::string& command : std::vector<std::string>{"params", "calc " + path}) {
    const TRun run = Cli(command);
    EXPECT_EQ(run.Status, 1) << command;
    EXPECT_TRUE(Contains(run.Err, "Parameter table RainfallCoefficient, entry \"")) << run.Err;
    EXPECT_TRUE(Contains(run.Err, "Coeff_A1 is \"NaN\", not a finite number")) << run.Err;
    EXPECT_EQ(run.Out, "");
  }
}

TEST_F(HostileFileTest, InletCoefficientOutOfRangeEndsStartUp) {
  const std::string parameters = ReadFile(DataDir / "AppParameters.xml");
  const size_t at = parameters.find("<KD>");
  ASSERT_NE(at, std::string::npos);
  const size_t end = parameters.find("</KD>", at);
  WriteFile(DataDir / "AppParameters.xml", parameters.substr(0, at) + "<KD>1e999" + parameters.substr(end));
  const TRun run = Cli("params");
  EXPECT_EQ(run.Status, 1);
  EXPECT_TRUE(Contains(run.Err, "KD is \"1e999\", not a finite number")) << run.Err;
}

TEST_F(HostileFileTest, CatalogueSizeWithoutRiseSpanOrAreaEndsStartUp) {
  const std::string catalogue = ReadFile(DataDir / "UniversalCulvertParameters.xml");
  const struct {
    std::string From, To, Message;
  } cases[] = {
      {"diameter=\"1\"", "diameter=\"0\"", "the rise must be greater than 0"},
      {"diameter=\"1\"", "diameter=\"nan\"", "diameter is \"nan\", not a finite number"},
  };
  for (const auto& c : cases) {
    WriteFile(DataDir / "UniversalCulvertParameters.xml", Replaced(catalogue, c.From, c.To));
    const TRun run = Cli("params");
    EXPECT_EQ(run.Status, 1) << c.To;
    EXPECT_TRUE(Contains(run.Err, "Pipe catalogue CircularSmoothPipeList, size \"12 in\" (id 1)")) << run.Err;
    EXPECT_TRUE(Contains(run.Err, c.Message)) << run.Err;
  }
  // Zero widths and areas of the shaped sizes.
  for (const char* list : {"EllipticalSmoothPipeList", "ArcCorrugatedPipeList", "BoxSmoothPipeList"}) {
    const size_t at = catalogue.find(std::string("<") + list);
    ASSERT_NE(at, std::string::npos) << list;
    const size_t width = catalogue.find("width=\"", at);
    const size_t close = catalogue.find('"', width + 7);
    WriteFile(DataDir / "UniversalCulvertParameters.xml",
              catalogue.substr(0, width) + "width=\"0" + catalogue.substr(close));
    const TRun run = Cli("params");
    EXPECT_EQ(run.Status, 1) << list;
    EXPECT_TRUE(Contains(run.Err, std::string("Pipe catalogue ") + list)) << run.Err;
    EXPECT_TRUE(Contains(run.Err, "the span must be greater than 0")) << run.Err;
  }
}

TEST_F(HostileFileTest, ShippedTablesPassTheChecks) {
  const TRun run = Cli("params");
  EXPECT_EQ(run.Status, 0) << run.Err;
}

// ---- ids and elements that cannot be kept -----------------------------------

TEST_F(HostileFileTest, ElementIdBeyond32BitsIsRefusedNamingTheElement) {
  const std::string text = Replaced(Sample("ditch-analysis.xml"), "id=\"1\"", "id=\"4294967297\"");
  const std::string path = Write("p.xml", text);
  const std::string out = (Folder / "out.xml").string();
  for (const std::string& command : std::vector<std::string>{"calc " + path, "save-input " + path + " " + out}) {
    const TRun run = Cli(command);
    EXPECT_EQ(run.Status, 1) << command;
    EXPECT_TRUE(Contains(run.Err, "Element #4294967297: the id is out of range")) << run.Err;
  }
  EXPECT_FALSE(fs::exists(out));
  EXPECT_EQ(ReadFile(path), text);
}

TEST_F(HostileFileTest, CulvertOfAnUnknownTypeIsNotDroppedSilently) {
  std::string text = Sample("culvert-analysis-performance.xml");
  for (size_t at = text.find("<CulvertType>"); at != std::string::npos; at = text.find("<CulvertType>", at + 1)) {
    const size_t end = text.find("</CulvertType>", at);
    text.replace(at, end - at, "<CulvertType>9");
  }
  const std::string path = Write("p.xml", text);
  const TRun run = Cli("calc " + path + " --json");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Out, "");
  EXPECT_TRUE(Contains(run.Err, "Culvert Type \"9\" is not known")) << run.Err;
  EXPECT_TRUE(Contains(run.Err, "Element #")) << run.Err;
}

TEST_F(HostileFileTest, EmptyCulvertDesignSaysThereIsNothingToDesign) {
  const TRun run = Cli("calc '" DREVIA_TEST_DATA_DIR "/cli/culvert-design-empty.xml'");
  EXPECT_EQ(run.Status, 1);
  EXPECT_TRUE(Contains(run.Err, "nothing to design")) << run.Err;
  EXPECT_FALSE(Contains(run.Err, "Internal Error"));
}

// ---- no rainfall data -----------------------------------------------------------

TEST_F(HostileFileTest, StormSewerAndDitchWithoutRainfallShowResultsAndSayWhy) {
  const struct {
    std::string Sample, From, To;
  } cases[] = {
      {"storm-sewer-design.xml", "<FullCapacityFrequency>10<", "<FullCapacityFrequency>7<"},
      {"storm-sewer-analysis.xml", "<HydraulicGradeFrequency>", "<HydraulicGradeFrequency>7"},
      {"ditch-analysis.xml", "<DepthStormFrequency>50<", "<DepthStormFrequency>7<"},
  };
  for (const auto& c : cases) {
    const std::string path = Write("p.xml", Replaced(Sample(c.Sample), c.From, c.To));
    const TRun run = Cli("calc " + path + " --json");
    EXPECT_EQ(run.Status, 1) << c.Sample;
    EXPECT_TRUE(Contains(run.Out, "\"elements\"")) << c.Sample << ": results are still shown";
    EXPECT_TRUE(Contains(run.Err, "Element #1: No rainfall intensity for this Rainfall Area and Storm Frequency."))
        << c.Sample << run.Err;
  }
}

// ---- devices, folders and links --------------------------------------------------

TEST_F(HostileFileTest, DevicesFoldersAndPipesEndAtOnce) {
  ASSERT_EQ(mkfifo((Folder / "pipe").c_str(), 0600), 0);
  for (const std::string& path :
       std::vector<std::string>{std::string("/dev/zero"), Folder.string(), (Folder / "pipe").string()}) {
    for (const std::string& command : std::vector<std::string>{"calc", "roundtrip", "kind"}) {
      const TRun run = Cli(command + " '" + path + "'");
      EXPECT_EQ(run.Status, 1) << command << ' ' << path;
      EXPECT_TRUE(Contains(run.Err, "it is not a regular file")) << run.Err;
      EXPECT_EQ(run.Out, "") << command << ' ' << path;
      EXPECT_LT(run.Seconds, 10) << command << ' ' << path;
    }
  }
}

TEST_F(HostileFileTest, MissingFileSaysItCannotBeOpened) {
  for (const std::string& command : std::vector<std::string>{"calc", "kind"}) {
    const TRun run = Cli(command + " '" + (Folder / "none.xml").string() + "'");
    EXPECT_EQ(run.Status, 1);
    EXPECT_EQ(run.Err, "Cannot open file \"" + (Folder / "none.xml").string() + "\".\n");
  }
  const TRun run = Cli("save-input '" + (Folder / "none.xml").string() + "' '" + (Folder / "out.xml").string() + "'");
  EXPECT_EQ(run.Status, 1);
  EXPECT_TRUE(Contains(run.Err, "Cannot open file")) << run.Err;
}

TEST_F(HostileFileTest, SaveThroughALinkUpdatesTheLinkedFileAndKeepsItsMode) {
  fs::create_directory(Folder / "real");
  const std::string target = Write("real/project.xml", "old");
  ASSERT_EQ(chmod(target.c_str(), 0600), 0);
  fs::create_symlink("real/project.xml", Folder / "link.xml");
  const TRun run =
      Cli("save-input '" DREVIA_SOURCE_DIR "/samples/ditch-analysis.xml' '" + (Folder / "link.xml").string() + "'");
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(fs::is_symlink(Folder / "link.xml"));
  EXPECT_TRUE(Contains(ReadFile(target), "<DitchAnalysis"));
  struct stat status {};
  ASSERT_EQ(stat(target.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0600u);
  EXPECT_EQ(Names(), (std::vector<std::string>{"link.xml", "real"}));
}

TEST_F(HostileFileTest, PlantedTemporaryLinkIsNotFollowed) {
  const std::string victim = Write("victim", "keep");
  fs::create_symlink("victim", Folder / "out.xml.tmp~");
  const TRun run =
      Cli("save-input '" DREVIA_SOURCE_DIR "/samples/ditch-analysis.xml' '" + (Folder / "out.xml").string() + "'");
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_EQ(ReadFile(victim), "keep");
  EXPECT_TRUE(Contains(ReadFile(Folder / "out.xml"), "<DitchAnalysis"));
}

// ---- full and read-only disks ----------------------------------------------------

TEST_F(HostileFileTest, FullDiskLeavesTheOldFileAndNoTemporaryFile) {
  // A file size limit of 1 KiB stands in for a full disk; the write then
  // fails with EFBIG instead of ending the program.
  const std::string out = Write("out.xml", "old project");
  const TRun run = Cli("save-input '" DREVIA_SOURCE_DIR "/samples/storm-sewer-design.xml' '" + out + "'",
                       "ulimit -f 1; trap '' XFSZ;");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "Cannot save file.\n");
  EXPECT_EQ(ReadFile(out), "old project");
  EXPECT_EQ(Names(), std::vector<std::string>{"out.xml"});
}

TEST_F(HostileFileTest, ResultsCutShortOnAFullDiskFailSayingSo) {
  // Standard output is a file here, held to 1 KiB; every form of the
  // culvert design's results is longer than that.
  for (const char* form : {"--csv", "--json", ""}) {
    const TRun run = Cli(std::string("calc '" DREVIA_SOURCE_DIR "/samples/culvert-design.xml' ") + form,
                         "ulimit -f 1; trap '' XFSZ;");
    EXPECT_EQ(run.Status, 1) << form;
    EXPECT_TRUE(Contains(run.Err, "Cannot write the results to standard output.")) << form << ": " << run.Err;
  }
}

TEST_F(HostileFileTest, FileThatCannotBeReplacedIsRefused) {
  // Nobody, root included, can create a file in /proc: the save is refused
  // and the target stays as it was.
  const TRun run = Cli("save-input '" DREVIA_SOURCE_DIR "/samples/ditch-analysis.xml' /proc/version");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "Cannot save file.\n");
}

TEST_F(HostileFileTest, ReadOnlyTargetAndFolderAreRefused) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write read-only files and folders; the refusal cannot be seen";
  const std::string out = Write("out.xml", "old project");
  ASSERT_EQ(chmod(out.c_str(), 0444), 0);
  TRun run = Cli("save-input '" DREVIA_SOURCE_DIR "/samples/ditch-analysis.xml' '" + out + "'");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "Cannot save file.\n");
  EXPECT_EQ(ReadFile(out), "old project");

  fs::create_directory(Folder / "locked");
  const std::string inside = Write("locked/out.xml", "old project");
  ASSERT_EQ(chmod((Folder / "locked").c_str(), 0555), 0);
  run = Cli("save-input '" DREVIA_SOURCE_DIR "/samples/ditch-analysis.xml' '" + inside + "'");
  chmod((Folder / "locked").c_str(), 0755);
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(ReadFile(inside), "old project");
}

}  // namespace
