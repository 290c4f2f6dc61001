// drevia-cli save-results and the desktop's Save Result write one file: for
// every sample and option (and for a refusal and a partial result) the
// document the desktop drives writes the same bytes, or nothing, as the
// command line.

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "appmodel/HeadlessDocumentUI.h"
#include "appmodel/MainDocument.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

namespace {
namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

struct TSaveCase {
  std::string Input;                             // relative to the source folder
  std::string Options;                           // drevia-cli's
  std::function<void(TMainDocument&)> Controls;  // the same choice made in the window
};

void AnalysisOption(TMainDocument& document, TAnalysisOption option) {
  document.CulvertAnalysis()->SetAnalysisOption(option);
}

void DesignPipeType(TMainDocument& document, const std::string& pipeType, bool improved) {
  document.CulvertDesign()->PipeType = pipeType;
  document.CulvertDesign()->ImprovedInlet = improved;
}

const std::vector<TSaveCase>& Cases() {
  static const std::vector<TSaveCase> cases = {
      {"samples/culvert-analysis-performance.xml", "--option performance",
       [](TMainDocument& d) { AnalysisOption(d, aoPerformanceCurve); }},
      {"samples/culvert-analysis-performance.xml", "--option buried",
       [](TMainDocument& d) { AnalysisOption(d, aoBuriedDepthCurve); }},
      {"samples/culvert-analysis-performance.xml", "--option system",
       [](TMainDocument& d) { AnalysisOption(d, aoCulvertSystem); }},
      {"samples/culvert-analysis-buried.xml", "--option buried",
       [](TMainDocument& d) { AnalysisOption(d, aoBuriedDepthCurve); }},
      {"samples/culvert-analysis-system.xml", "--option system",
       [](TMainDocument& d) { AnalysisOption(d, aoCulvertSystem); }},
      {"samples/culvert-analysis-system.xml", "--option performance",
       [](TMainDocument& d) { AnalysisOption(d, aoPerformanceCurve); }},
      {"samples/culvert-design.xml", "--pipe-type 0", [](TMainDocument& d) { DesignPipeType(d, "0", false); }},
      {"samples/culvert-design.xml", "--pipe-type 99 --improved-inlet",
       [](TMainDocument& d) { DesignPipeType(d, "99", true); }},
      {"samples/culvert-design.xml", "--pipe-type 1", [](TMainDocument& d) { DesignPipeType(d, "1", false); }},
      {"samples/culvert-design.xml", "--pipe-type 5", [](TMainDocument& d) { DesignPipeType(d, "5", false); }},
      {"samples/storm-sewer-design.xml", "", nullptr},
      {"samples/storm-sewer-analysis.xml", "", nullptr},
      {"tests/data/xml/StormSewerSystemDesign.xml", "", nullptr},
      {"samples/inlet-spacing.xml", "", nullptr},
      {"samples/ditch-analysis.xml", "", nullptr},
      {"tests/data/cli/culvert-design-later-invalid.xml", "", nullptr},
      {"tests/data/cli/culvert-design-empty.xml", "", nullptr},
      {"tests/data/cli/storm-sewer-invalid-network.xml", "", nullptr},
      {"tests/data/cli/inlet-spacing-no-rainfall.xml", "", nullptr},
  };
  return cases;
}

int RunCli(const std::string& arguments) {
  const std::string command = "cd '" DREVIA_SOURCE_DIR "' && '" DREVIA_BIN_DIR
                              "/drevia-cli' --data-dir '" DREVIA_BIN_DIR "' " +
                              arguments + " >/dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(SaveResults, CommandLineWritesWhatSaveResultWrites) {
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  ASSERT_EQ(parameters.LoadParameterFile(std::string(DREVIA_BIN_DIR) + "/AppParameters.xml"), "");
  ASSERT_EQ(pipes.LoadPipeFile(std::string(DREVIA_BIN_DIR) + "/UniversalCulvertParameters.xml"), "");
  const fs::path folder = fs::temp_directory_path() / ("drevia-save-results-" + std::to_string(getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  int index = 0;
  int savedCount = 0;
  for (const TSaveCase& c : Cases()) {
    SCOPED_TRACE(c.Input + " " + c.Options);
    const fs::path fromCli = folder / (std::to_string(index) + "-cli.xml");
    const fs::path fromDesktop = folder / (std::to_string(index) + "-desktop.xml");
    ++index;
    const int status = RunCli("save-results '" + c.Input + "' '" + fromCli.string() + "' " + c.Options);

    THeadlessDocumentUI ui;
    TMainDocument document(parameters, pipes, ui);
    ASSERT_EQ(document.OpenProject(std::string(DREVIA_SOURCE_DIR) + "/" + c.Input), "");
    if (c.Controls) c.Controls(document);
    const bool saved = document.SaveResult(fromDesktop.string());

    EXPECT_EQ(fs::exists(fromCli), saved);
    EXPECT_EQ(fs::exists(fromDesktop), saved);
    if (saved) {
      ++savedCount;
      EXPECT_EQ(ReadBytes(fromCli), ReadBytes(fromDesktop));
    }
    // The command line fails exactly when the window had something to say.
    EXPECT_EQ(status == 0, ui.Messages.empty() && saved);
  }
  // Refused: the performance sample run as a system (no single outlet), the
  // older-named network (no final junction), the empty design and the
  // invalid network.
  EXPECT_EQ(savedCount, static_cast<int>(Cases().size()) - 4);
  fs::remove_all(folder);
}
