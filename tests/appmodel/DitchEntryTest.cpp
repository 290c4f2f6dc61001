// The ditch analysis entry dialog's fields, checks and storing, and the
// texts of its result grid.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "appmodel/DitchEntry.h"
#include "ditch/DitchAnalysisElementResult.h"
#include "model/ParameterList.h"
#include "support/ShippedTables.h"

namespace {

TDitchEntryValues ValidSection() {
  TDitchEntryValues v;
  v.BeginStation = "10+00";
  v.EndStation = "12+50";
  v.RunoffCoeff = 0.5;
  v.RunoffArea = 2;
  v.ElevationBegin = 100;
  v.ElevationEnd = 95;
  v.Shape = TDitchEntryValues::shTrapezoidal;
  return v;
}

TEST(DitchEntry, ShowsAndStoresTheDerivedLengthAndGrade) {
  TDitchAnalysisElement element;
  element.SetBeginStation("10+00");
  element.SetEndStation("12+50");
  element.ElevationBegin = 100;
  element.ElevationEnd = 95;
  element.RunoffCoeff = 0.5;
  element.RunoffArea = 1;

  TDitchEntryValues values = LoadDitchEntry(element);
  EXPECT_EQ(values.BeginStation, "10+00");
  EXPECT_EQ(values.EndStation, "12+50");
  EXPECT_DOUBLE_EQ(values.DitchLength, 250);
  EXPECT_DOUBLE_EQ(values.Grade, 0.02);
  EXPECT_EQ(values.Shape, TDitchEntryValues::shTrapezoidal);

  ASSERT_EQ(CheckDitchEntryValues(values), "");
  StoreDitchEntry(values, element);
  EXPECT_DOUBLE_EQ(element.Length, 250);
  EXPECT_DOUBLE_EQ(element.Grade, 0.02);
  // The stored values are explicit now: moving the end station keeps them.
  element.SetEndStation("20+00");
  EXPECT_DOUBLE_EQ(element.DitchLength(), 250);
}

TEST(DitchEntry, NoShapeChosenCountsAsATrapezoid) {
  TDitchAnalysisElement element;
  element.Radius = 4;
  TDitchEntryValues values = LoadDitchEntry(element);
  EXPECT_EQ(values.Shape, TDitchEntryValues::shRadius);
  values.Shape = TDitchEntryValues::shNone;
  StoreDitchEntry(values, element);
  EXPECT_DOUBLE_EQ(element.Radius, 0);
  EXPECT_DOUBLE_EQ(element.Width, 4);
}

TEST(DitchEntry, ChecksRunInTheirOrder) {
  TDitchEntryValues v = ValidSection();
  v.BeginStation = "   ";  // blanks are no station
  v.RunoffCoeff = 2;
  EXPECT_EQ(CheckDitchEntryValues(v), "Begin Station cannot be empty");
  v.BeginStation = "10+00";
  EXPECT_EQ(CheckDitchEntryValues(v), "Invalid Runoff Coefficient (should be between 0 and 1)");
  v.RunoffCoeff = 1;
  v.RunoffArea = 0;
  EXPECT_EQ(CheckDitchEntryValues(v), "Runoff area should greater or equal zero.");
  v.RunoffArea = 1;
  v.EndStation.clear();
  v.DitchLength = 100;
  EXPECT_EQ(CheckDitchEntryValues(v), "End Station cannot be empty");
  v.EndStation = "11+00";
  v.ElevationEnd = 0;
  EXPECT_EQ(CheckDitchEntryValues(v), "Begin / End Elevations or Grade should be greater than 0;");
  v.Grade = 0.01;
  EXPECT_EQ(CheckDitchEntryValues(v), "");
}

TEST(DitchEntry, RefusesWhatWouldBeStoredAsSomethingElse) {
  // A station without "+" would be stored as "not given".
  TDitchEntryValues v = ValidSection();
  v.EndStation = "1250";
  EXPECT_EQ(CheckDitchEntryValues(v), "Station (To) should be written as 12+34.");
  v = ValidSection();
  v.BeginStation = "+50";
  EXPECT_EQ(CheckDitchEntryValues(v), "Station (From) should be written as 12+34.");

  v = ValidSection();
  v.Inslope = std::numeric_limits<double>::infinity();
  EXPECT_EQ(CheckDitchEntryValues(v), "Data entered is incorrect.");
  v.Inslope = std::nan("");
  EXPECT_EQ(CheckDitchEntryValues(v), "Data entered is incorrect.");
}

TEST(DitchEntry, LiningIsStoredByItsClassCode) {
  TDitchAnalysisElement element;
  element.Lining = ltTurfType2;
  TDitchEntryValues values = LoadDitchEntry(element);
  EXPECT_EQ(values.LiningCode, "2");
  values.LiningCode = "7";
  StoreDitchEntry(values, element);
  EXPECT_EQ(element.Lining, ltRCPTypeB);
  values.LiningCode.clear();
  StoreDitchEntry(values, element);
  EXPECT_EQ(element.Lining, ltNone);
}

class DitchResultGrid : public ::testing::Test {
protected:
  void SetUp() override {
    Sides = ShippedParameters().CodesOfCategory(pcSewerSide);
    Section.SetBeginStation("10+00");
    Section.SetEndStation("12+50");
    Section.ElevationBegin = 100;
    Section.ElevationEnd = 95;
    Section.Side = "L";
    Section.RunoffArea = 2;
    Section.RunoffCoeff = 0.5;
    Section.Width = 4;
    Section.Inslope = 3;
    Section.Backslope = 2;
    Section.AreaSum = 5;
    Section.CASum = 2.5;
    Inflow.SetBeginStation("13+00");
    Inflow.ConcTime = 12;
    Inflow.RunoffArea = 1;
    Inflow.RunoffCoeff = 0.9;
  }

  std::vector<std::string> Cells(const TDitchAnalysisElementResult& row) const {
    std::vector<std::string> cells;
    for (int c = 0; c < DitchResultColumnCount; ++c) cells.push_back(DitchResultCell(row, c, Sides.get()));
    return cells;
  }

  std::unique_ptr<TNerraBaseList> Sides;
  TDitchAnalysisElement Section;
  TDitchAnalysisElement Inflow;
};

TEST_F(DitchResultGrid, FirstRowShowsTheSectionAndItsResult) {
  TDitchAnalysisElementResult row;
  row.Element = &Section;
  row.FirstLine = true;
  row.Lining = ltJuteMat;
  row.Intensity = 4;
  row.FrequencyCode = "10";
  row.ManningCoeff = 0.04;
  row.FlowTime = 15;
  row.Depth = 0.5;
  row.Grade = 0.02;
  row.WettedArea = 2.5;
  const std::vector<std::string> c = Cells(row);
  EXPECT_EQ(c[0], "10+00");
  EXPECT_EQ(c[1], "12+50");
  EXPECT_EQ(c[2], "Left");
  EXPECT_EQ(c[3], "250.00");
  EXPECT_EQ(c[4], "4.00");
  EXPECT_EQ(c[7], "0.0200");
  EXPECT_EQ(c[9], "5.00");
  EXPECT_EQ(c[11], "2.50");
  EXPECT_EQ(c[12], "Jute Mat");
  EXPECT_EQ(c[14], "10");
  EXPECT_EQ(c[15], "0.040");
  EXPECT_EQ(c[16], "15.00");
  EXPECT_EQ(c[17], "4.00");  // 4 in/hr x 2.5 / 2.5 sq ft
  EXPECT_EQ(c[18], "0.62");  // 0.5 x 62.4 x 0.02, no parentheses
  EXPECT_EQ(c[19], "10.00");
  EXPECT_EQ(c[21], "6.50");  // (3 + 2) x 0.5 + 4

  row.FirstLine = false;
  const std::vector<std::string> next = Cells(row);
  for (int col = 0; col <= 11; ++col) EXPECT_EQ(next[col], "") << col;
  EXPECT_EQ(next[12], "Jute Mat");
}

TEST_F(DitchResultGrid, MessageRowShowsOnlyItsMessage) {
  TDitchAnalysisElementResult row;
  row.Element = &Section;
  row.Lining = ltExceedsAllowed;
  row.Message = "Depth exceeds allowed";
  row.WettedArea = 1.0;
  const std::vector<std::string> c = Cells(row);
  EXPECT_EQ(c[12], "Depth exceeds allowed");
  for (int col = 13; col < DitchResultColumnCount; ++col) EXPECT_EQ(c[col], "") << col;
}

TEST_F(DitchResultGrid, InflowRowShowsItsAreaAndTime) {
  TDitchAnalysisElementResult row;
  row.Element = &Inflow;
  row.FirstLine = true;
  const std::vector<std::string> c = Cells(row);
  EXPECT_EQ(c[0], "13+00");
  EXPECT_EQ(c[1], "Conc.Inflow");
  EXPECT_EQ(c[2], "");
  EXPECT_EQ(c[3], "");
  EXPECT_EQ(c[8], "1.00");
  EXPECT_EQ(c[9], "");
  EXPECT_EQ(c[10], "0.90");
  EXPECT_EQ(c[12], "");
  EXPECT_EQ(c[16], "12.00");
  for (int col : {13, 14, 15, 17, 18, 19, 20, 21}) EXPECT_EQ(c[col], "") << col;
}

}  // namespace
