// drevia-report end to end: its exit statuses and messages, and the PDF it
// writes, read back with poppler's tools where they are installed.

#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

bool HasTool(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

const std::string Samples = std::string(DREVIA_SOURCE_DIR) + "/samples/";

class ReportCli : public ::testing::Test {
protected:
  void SetUp() override {
    Folder = fs::temp_directory_path() / ("drevia-report-test-" + std::to_string(getpid()));
    fs::create_directories(Folder);
  }
  void TearDown() override { fs::remove_all(Folder); }

  std::string Path(const std::string& name) const { return (Folder / name).string(); }

  std::string Write(const std::string& name, const std::string& content) const {
    std::ofstream(Folder / name, std::ios::binary) << content;
    return Path(name);
  }

  // Runs a shell command line with its output in files; the status as the
  // shell gives it.
  TRun Shell(const std::string& command) const {
    const fs::path out = Folder / "stdout.txt", err = Folder / "stderr.txt";
    const std::string line = command + " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(line.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(out), ReadFile(err)};
  }

  // The program without a display and without a platform chosen for it.
  TRun Report(const std::string& arguments) const {
    return Shell("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM '" DREVIA_BIN_DIR "/drevia-report' " +
                 arguments);
  }

  fs::path Folder;
};

const char* const EmptyDesign =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><Application Name=\"Drevia\" Version=\"110\" unit=\"english\">"
    "<CulvertDesign><Identification><PID>CD-1</PID><Project>Empty</Project><Description/><Location/>"
    "<ProjectDate>07/15/2024</ProjectDate><Designer/></Identification><UniversalCulvertParameters>"
    "<DischargeFrequency>25</DischargeFrequency><FloodFrequency>100</FloodFrequency></UniversalCulvertParameters>"
    "<CulvertDesignList></CulvertDesignList></CulvertDesign></Application>";

}  // namespace

TEST_F(ReportCli, EverySampleWritesItsReport) {
  const std::pair<const char*, const char*> runs[] = {
      {"culvert-design.xml", ""},
      {"culvert-design.xml", "--pipe-type 99 --improved-inlet"},
      {"culvert-analysis-performance.xml", "--option performance"},
      {"culvert-analysis-buried.xml", "--option buried"},
      {"culvert-analysis-system.xml", "--option system"},
      {"storm-sewer-design.xml", ""},
      {"storm-sewer-analysis.xml", ""},
      {"inlet-spacing.xml", ""},
      {"ditch-analysis.xml", ""},
  };
  for (const auto& [sample, options] : runs) {
    const std::string out = Path("report.pdf");
    fs::remove(out);
    const TRun run = Report("'" + Samples + sample + "' '" + out + "' " + options);
    EXPECT_EQ(run.Status, 0) << sample << " " << options << ": " << run.Err;
    EXPECT_EQ(run.Err, "") << "nothing but the program's own messages on standard error";
    EXPECT_EQ(ReadFile(out).substr(0, 5), "%PDF-") << sample;
  }
}

TEST_F(ReportCli, RefusedCalculationTellsItsMessageAndWritesNothing) {
  const std::string out = Path("empty.pdf");
  const TRun empty = Report("'" + Write("empty.xml", EmptyDesign) + "' '" + out + "'");
  EXPECT_EQ(empty.Status, 1);
  EXPECT_EQ(empty.Err, "There is nothing to design: the project has no culvert crossing. Add a crossing first.\n");
  EXPECT_FALSE(fs::exists(out));

  // A culvert system needs exactly one outlet; the performance sample has
  // none marked, so the system analysis is refused as drevia-cli refuses it.
  const TRun system = Report("'" + Samples + "culvert-analysis-performance.xml' '" + out + "' --option system");
  EXPECT_EQ(system.Status, 1);
  EXPECT_NE(system.Err.find("Culvert System"), std::string::npos) << system.Err;
  EXPECT_FALSE(fs::exists(out));

  const std::string kept = Write("kept.pdf", "earlier");
  const TRun missing = Report("'" + Path("no-such-project.xml") + "' '" + kept + "'");
  EXPECT_EQ(missing.Status, 1);
  EXPECT_FALSE(missing.Err.empty());
  EXPECT_EQ(ReadFile(kept), "earlier") << "a failed run leaves an earlier file alone";

  const TRun noTables =
      Report("--data-dir '" + Folder.string() + "' '" + Samples + "ditch-analysis.xml' '" + out + "'");
  EXPECT_EQ(noTables.Status, 1);
  EXPECT_FALSE(noTables.Err.empty());
}

TEST_F(ReportCli, UnwritableOutputFails) {
  const TRun run = Report("'" + Samples + "ditch-analysis.xml' '" + Path("no-folder/out.pdf") + "'");
  EXPECT_EQ(run.Status, 1);
  EXPECT_EQ(run.Err, "Cannot save file.\n");
}

TEST_F(ReportCli, UsageErrors) {
  const std::string ditch = "'" + Samples + "ditch-analysis.xml' ";
  for (const std::string& arguments :
       {std::string(), ditch, ditch + Path("a.pdf") + " --option sideways", ditch + Path("a.pdf") + " --frobnicate",
        ditch + Path("a.pdf") + " extra", ditch + Path("a.pdf") + " --pipe-type",
        "'" + Samples + "culvert-design.xml' " + Path("a.pdf") + " --pipe-type 7",
        ditch + Path("a.pdf") + " --option buried", ditch + Path("a.pdf") + " --improved-inlet"}) {
    const TRun run = Report(arguments);
    EXPECT_EQ(run.Status, 2) << arguments;
    EXPECT_FALSE(run.Err.empty()) << arguments;
    EXPECT_FALSE(fs::exists(Path("a.pdf"))) << arguments;
  }
  const TRun wrongKind = Report(ditch + Path("a.pdf") + " --pipe-type 1");
  EXPECT_EQ(wrongKind.Err,
            "drevia-report: --pipe-type does not apply to a DitchAnalysis project (only to CulvertDesign)\n"
            "Run 'drevia-report --help' for more information.\n");
  const TRun help = Report("--help");
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("--option"), std::string::npos);
  const TRun version = Report("--version");
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out.rfind("drevia-report (", 0), 0u) << version.Out;
}

TEST_F(ReportCli, PdfHasTitleFontAndReadableText) {
  const std::string out = Path("ditch.pdf");
  ASSERT_EQ(Report("'" + Samples + "ditch-analysis.xml' '" + out + "'").Status, 0);
  const std::string pdf = ReadFile(out);
  if (!HasTool("pdfinfo") || !HasTool("pdftotext") || !HasTool("pdffonts")) {
    // Without poppler, at least the title is in the file's information.
    EXPECT_NE(pdf.find("/Title"), std::string::npos);
    GTEST_SKIP() << "poppler-utils are not installed";
  }
  const TRun info = Shell("pdfinfo '" + out + "'");
  EXPECT_NE(info.Out.find("Title:           DITCH ANALYSIS - ditch-analysis.xml"), std::string::npos) << info.Out;
  EXPECT_NE(info.Out.find("Creator:"), std::string::npos);
  const TRun fonts = Shell("pdffonts '" + out + "'");
  EXPECT_EQ(fonts.Out.find("DejaVu"), std::string::npos) << fonts.Out;
  const TRun text = Shell("pdftotext -layout '" + out + "' -");
  EXPECT_NE(text.Out.find("Page 1 of 3"), std::string::npos) << "the table, the depth and the shear plots";
  // The narrow columns' headings read as words of their own.
  for (const char* word : {" SIDE ", " LENGTH ", " RADIUS "})
    EXPECT_NE(text.Out.find(word), std::string::npos) << word << "\n" << text.Out;
}

// The plots follow the tables on pages of their own, as real text under the
// same header and footer.
TEST_F(ReportCli, PlotPagesEndTheReport) {
  if (!HasTool("pdftotext")) GTEST_SKIP() << "poppler-utils are not installed";
  // The pages of the PDF as text; pdftotext ends each with a form feed.
  const auto pagesOf = [&](const std::string& sample, const std::string& options) {
    const std::string out = Path("plots.pdf");
    fs::remove(out);
    const TRun run = Report("'" + Samples + sample + "' '" + out + "' " + options);
    EXPECT_EQ(run.Status, 0) << sample << ": " << run.Err;
    std::vector<std::string> pages;
    std::stringstream text(Shell("pdftotext -layout '" + out + "' -").Out);
    for (std::string page; std::getline(text, page, '\f');)
      if (page.find_first_not_of(" \n") != std::string::npos) pages.push_back(page);
    return pages;
  };
  const auto has = [](const std::string& page, std::initializer_list<const char*> words) {
    for (const char* word : words)
      if (page.find(word) == std::string::npos) return false;
    return true;
  };
  const auto plotPage = [&](const std::vector<std::string>& pages, std::initializer_list<const char*> words) {
    for (size_t i = 0; i < pages.size(); ++i)
      if (has(pages[i], words)) return static_cast<int>(i) + 1;
    return 0;
  };
  for (const char* sample :
       {"culvert-analysis-performance.xml", "culvert-analysis-buried.xml", "culvert-analysis-system.xml"}) {
    const auto pages = pagesOf(sample, "");
    const int page = plotPage(pages, {"Discharge (cfs)", "Headwater Elevation (ft)"});
    ASSERT_GT(page, 1) << sample << ": a performance curve after the table";
    const std::string number = "Page " + std::to_string(page) + " of " + std::to_string(pages.size());
    EXPECT_TRUE(has(pages[page - 1], {"CULVERT ANALYSIS", "Performance Curve", number.c_str()})) << pages[page - 1];
  }
  EXPECT_GT(plotPage(pagesOf("culvert-analysis-buried.xml", "--option buried"),
                     {"Buried Depth (ft)", "Headwater Elevation (ft)"}),
            1);
  for (const char* sample : {"storm-sewer-design.xml", "storm-sewer-analysis.xml"}) {
    const auto pages = pagesOf(sample, "");
    const int page = plotPage(pages, {"Distance (ft)", "Elevation (ft)", "STORM SEWER SYSTEM"});
    EXPECT_EQ(page, static_cast<int>(pages.size())) << sample << ": the profile on the last page";
  }
  for (const char* sample : {"culvert-design.xml", "inlet-spacing.xml", "ditch-analysis.xml"})
    EXPECT_GT(pagesOf(sample, "").size(), 1u) << sample;
}
