// The params and intensity commands, run in-process on the shipped files.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

// The command functions live in the command-line program itself, which has
// no library of its own; build them into this test directly.
#include "ParamsCommands.cpp"

namespace {

std::string DataFolder() { return std::string(DREVIA_SOURCE_DIR) + "/data"; }

bool HaveShippedFiles() {
  return std::filesystem::exists(DataFolder() + "/AppParameters.xml") &&
         std::filesystem::exists(DataFolder() + "/UniversalCulvertParameters.xml");
}

TEST(ParamsCommandTest, SummaryAndFailure) {
  if (!HaveShippedFiles()) GTEST_SKIP() << "shipped parameter files not present yet";
  std::ostringstream out, err;
  EXPECT_EQ(RunParamsCommand(DataFolder(), out, err), 0);
  EXPECT_EQ(err.str(), "");
  for (const char* line : {"  RainfallArea: ", "  ArchCorrugatedInletType: ", "Pipe catalogue: ",
                           "  type 5 (concrete box): "})
    EXPECT_NE(out.str().find(line), std::string::npos) << line;

  std::ostringstream none, message;
  EXPECT_EQ(RunParamsCommand("/nonexistent-drevia-folder", none, message), 1);
  EXPECT_EQ(none.str(), "");
  EXPECT_EQ(message.str(), "Parameters configuration file not found\n");
}

TEST(ParamsCommandTest, Intensity) {
  if (!HaveShippedFiles()) GTEST_SKIP() << "shipped parameter files not present yet";
  TNerraParameterList parameters;
  ASSERT_EQ(parameters.LoadParameterFile(DataFolder() + "/AppParameters.xml"), "");
  const auto areas = parameters.CodesOfCategory(pcRainfallArea);
  const auto frequencies = parameters.CodesOfCategory(pcStormFrequency);
  ASSERT_GT(areas->Count(), 0);
  ASSERT_GT(frequencies->Count(), 0);
  const std::string area = areas->ItemAs<TNerraBaseCode>(0)->Code;
  const std::string frequency = frequencies->ItemAs<TNerraBaseCode>(0)->Code;

  std::ostringstream out, err;
  EXPECT_EQ(RunIntensityCommand(DataFolder(), area, frequency, "12.5", out, err), 0);
  // Printed with every digit, so it reads back exactly.
  EXPECT_EQ(std::stod(out.str()), parameters.RainfallIntensity(frequency, area, 12.5));

  std::ostringstream zero, note;
  EXPECT_EQ(RunIntensityCommand(DataFolder(), "no such area", frequency, "10", zero, note), 0);
  EXPECT_EQ(zero.str(), "0\n");
  EXPECT_NE(note.str(), "");

  for (const char* minutes : {"", "abc", "10 min", "1e", "nan", "inf", "1e999"}) {
    std::ostringstream bad, usage;
    EXPECT_EQ(RunIntensityCommand(DataFolder(), area, frequency, minutes, bad, usage), 2) << minutes;
    EXPECT_EQ(bad.str(), "") << minutes;
  }
  std::ostringstream missing, failure;
  EXPECT_EQ(RunIntensityCommand("/nonexistent-drevia-folder", area, frequency, "10", missing, failure), 1);
}

}  // namespace
