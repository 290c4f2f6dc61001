// The params and intensity commands, run in-process on the shipped files.

#include <gtest/gtest.h>

#include <sstream>

#include "ParamsCommands.h"
#include "model/ParameterList.h"
#include "support/ShippedTables.h"

namespace {

const std::string Data = ShippedDataFolder();

TEST(ParamsCommandTest, SummaryIntensityAndFailures) {
  std::ostringstream out, err;
  EXPECT_EQ(RunParamsCommand(Data, out, err), 0);
  for (const char* line : {"  RainfallArea: ", "  ArchCorrugatedInletType: ", "  type 5 (concrete box): "})
    EXPECT_NE(out.str().find(line), std::string::npos) << line;
  std::ostringstream none, message;
  EXPECT_EQ(RunParamsCommand("/nonexistent-drevia", none, message), 1);
  EXPECT_EQ(message.str(), "Parameters configuration file not found\n");

  const TNerraParameterList& table = ShippedParameters();
  const std::string area = table.CodesOfCategory(pcRainfallArea)->ItemAs<TNerraBaseCode>(0)->Code;
  const std::string frequency = table.CodesOfCategory(pcStormFrequency)->ItemAs<TNerraBaseCode>(0)->Code;
  std::ostringstream value, quiet;
  EXPECT_EQ(RunIntensityCommand(Data, area, frequency, "12.5", value, quiet), 0);
  EXPECT_EQ(std::stod(value.str()), table.RainfallIntensity(frequency, area, 12.5));  // reads back exactly
  std::ostringstream zero, note;
  EXPECT_EQ(RunIntensityCommand(Data, "no such area", frequency, "10", zero, note), 0);
  EXPECT_EQ(zero.str(), "0\n");
  EXPECT_NE(note.str(), "");
  for (const char* minutes : {"", "abc", "10 min", "nan", "inf", "1e999"}) {
    std::ostringstream bad, usage;
    EXPECT_EQ(RunIntensityCommand(Data, area, frequency, minutes, bad, usage), 2) << minutes;
  }
}

}  // namespace
