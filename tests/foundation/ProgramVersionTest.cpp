// The program's version data: read from the generated header, in the forms
// the about box, the report title and the update check show.

#include <gtest/gtest.h>

#include <string>

#include "foundation/ProgramVersion.h"
#include "foundation/Version.h"

TEST(ProgramVersion, RunningVersionIsTheBuiltOne) {
  const TProgramVersion& running = RunningProgramVersion();
  EXPECT_EQ(running.ProductName, DREVIA_PRODUCT_NAME);
  const std::string dotted =
      std::to_string(running.Major) + "." + std::to_string(running.Minor) + "." + std::to_string(running.Release);
  EXPECT_EQ(dotted, DREVIA_VERSION);
  EXPECT_EQ(running.Build, 0);
  EXPECT_EQ(FileVersionText(running), DREVIA_FILE_VERSION ".");
  EXPECT_EQ(ReportTitle(running), DREVIA_PRODUCT_NAME " " DREVIA_FILE_VERSION ".");
  // A file format version below 100 would make every file written so far look newer.
  EXPECT_GE(DREVIA_FILE_FORMAT_VERSION, 110);
}

TEST(ProgramVersion, ParsingKeepsOnlyNumbersInRange) {
  const TProgramVersion full = ParseProgramVersion("P", "1.2.0.7");
  EXPECT_EQ(FileVersionText(full), "1.2.0.7.");
  EXPECT_EQ(FileVersionText(ParseProgramVersion("P", "3.4")), "3.4.0.0.");
  EXPECT_EQ(FileVersionText(ParseProgramVersion("P", "1.x.2.-3")), "1.0.2.0.");
  EXPECT_EQ(FileVersionText(ParseProgramVersion("P", "65535.65536.1.1")), "65535.0.1.1.");
  // No version at all, or only zeros, gives no text.
  EXPECT_EQ(FileVersionText(ParseProgramVersion("P", "")), "");
  EXPECT_EQ(FileVersionText(ParseProgramVersion("P", "0.0.0.0")), "");
  EXPECT_EQ(ReportTitle(ParseProgramVersion("P", "")), "P ");
}
