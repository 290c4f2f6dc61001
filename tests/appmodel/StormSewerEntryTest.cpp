// The storm sewer element dialog's decisions (what it loads and stores by
// project kind, the slope and sums boxes, the check) and the result grid.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "appmodel/StormSewerEntry.h"
#include "foundation/DisplayFormat.h"
#include "model/ParameterList.h"
#include "stormsewer/StormSewerElement.h"
#include "support/ShippedTables.h"

namespace {

const TNerraParameterList& Codes() { return ShippedParameters(); }

// A pipe run every rule accepts.
TStormSewerEntryValues ValidPipe() {
  TStormSewerEntryValues v;
  v.BeginJunction = "A1";
  v.EndJunction = "B1";
  v.InletElevation = 100;
  v.OutletElevation = 99.5;
  v.Length = 50;
  v.Time = 10;
  v.RunoffArea = {1, 2, 0, 0};
  v.RunoffCoeff = {0.5, 0.9, 0, 0};
  return v;
}

}  // namespace

TEST(StormSewerEntry, DesignStoresCrownsAndLeavesInvertsAlone) {
  TStormSewerEntryModel design(false, Codes());
  TStormSewerElement pipe;
  pipe.InletInvert = 7;
  pipe.OutletInvert = 6;
  design.Store(ValidPipe(), pipe);
  EXPECT_EQ(pipe.InletCrown, 100);
  EXPECT_EQ(pipe.OutletCrown, 99.5);
  EXPECT_EQ(pipe.InletInvert, 7);
  EXPECT_EQ(pipe.OutletInvert, 6);
  EXPECT_EQ(pipe.Time(), 10);
  EXPECT_EQ(pipe.BeginTime, 10);  // the time restarts the concentration time

  TStormSewerEntryModel analysis(true, Codes());
  TStormSewerElement fixed;
  fixed.InletCrown = 3;
  analysis.Store(ValidPipe(), fixed);
  EXPECT_EQ(fixed.InletInvert, 100);
  EXPECT_EQ(fixed.OutletInvert, 99.5);
  EXPECT_EQ(fixed.InletCrown, 3);
  EXPECT_EQ(fixed.OutletCrown, 0);
}

TEST(StormSewerEntry, LoadShowsTheKindsElevationsAndOnlyListedCodes) {
  TStormSewerElement pipe;
  pipe.InletInvert = 90;
  pipe.InletCrown = 91;
  pipe.Side = "L";
  pipe.Structure = "XX";  // not a category of the table
  pipe.InletType = "my own grate";
  pipe.SetTime(4);
  pipe.RunoffArea4 = 2.5;
  pipe.RunoffCoeff3 = 0.3;
  const TStormSewerEntryValues analysis = TStormSewerEntryModel(true, Codes()).Load(pipe);
  EXPECT_EQ(analysis.InletElevation, 90);
  EXPECT_EQ(analysis.SideCode, "L");
  EXPECT_EQ(analysis.StructureCode, "");
  EXPECT_EQ(analysis.InletType, "my own grate");
  EXPECT_EQ(analysis.Time, 4);
  EXPECT_EQ(analysis.RunoffArea[3], 2.5);
  EXPECT_EQ(analysis.RunoffCoeff[2], 0.3);
  EXPECT_EQ(TStormSewerEntryModel(false, Codes()).Load(pipe).InletElevation, 91);
}

TEST(StormSewerEntry, CheckJudgesTheKindsPairFirstThenTheRulesInOrder) {
  TStormSewerEntryModel design(false, Codes());
  TStormSewerEntryValues v = ValidPipe();
  EXPECT_EQ(design.Check(v), "");

  v.OutletElevation = 100;  // level pipe, and no length either: rule 1 speaks first
  v.Length = 0;
  EXPECT_EQ(design.Check(v), "Outlet Invert Elevation should be lower than Inlet Invert Elevation.");
  v.OutletElevation = 99;
  EXPECT_EQ(design.Check(v), "Pipe length should be greater than 0.");
  v.Length = 50;

  v.MinDiameter = -1;
  EXPECT_EQ(design.Check(v), "Pipe Diameter should be greater than 0.");
  v.MinDiameter = 0;
  v.Time = -1;
  EXPECT_EQ(design.Check(v), "Time should be greater than 0.");
  v.Time = 0;
  v.RunoffCoeff[3] = 1.01;
  EXPECT_EQ(design.Check(v), "Invalid Runoff Coefficient (should be between 0 and 1)");
  v.RunoffCoeff[3] = 1;
  v.RunoffArea[2] = -0.5;
  EXPECT_EQ(design.Check(v), "Runoff area should greater or equal zero.");
  v.RunoffArea[2] = 0;
  v.CoeffN = 1;
  EXPECT_EQ(design.Check(v), "Manning's N Coefficient should greater than 0 and less than 1.");
  v.CoeffN = 0;
  v.EndJunction = v.BeginJunction;
  EXPECT_EQ(design.Check(v), "Junction From cannot be equal to Junction End");
  v.EndJunction = "C";
  // Diameter, time and n of 0 mean "not given" and pass.
  EXPECT_EQ(design.Check(v), "");
}

TEST(StormSewerEntry, NumbersBeyondRangeAreRefused) {
  TStormSewerEntryModel analysis(true, Codes());
  TStormSewerEntryValues v = ValidPipe();
  v.Length = std::numeric_limits<double>::infinity();
  EXPECT_EQ(analysis.Check(v), MsgEntryNotANumber);
  v = ValidPipe();
  v.InletCover = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(analysis.Check(v), MsgEntryNotANumber);
  v = ValidPipe();
  v.InletElevation = std::numeric_limits<double>::quiet_NaN();  // rule 1 cannot hold
  EXPECT_EQ(analysis.Check(v), "Outlet Invert Elevation should be lower than Inlet Invert Elevation.");
}

TEST(StormSewerResult, NumbersWithTheirDecimalsAndTheWarnedDiameter) {
  TStormSewerElement pipe;
  pipe.GlobalArea = 2.3;
  pipe.Rainfall = 5;
  pipe.HGRainfall = 6;
  pipe.BeginTime = 12.34;
  pipe.Diameter = 15;
  pipe.Length = 50;
  pipe.InletCrown = 100;
  pipe.OutletCrown = 99.5;
  pipe.InletFlow = 98.75;
  pipe.InletCover = 105;
  pipe.HGInletFlow = 99.2;
  pipe.EffectiveN = 0.013;
  EXPECT_EQ(StormSewerResultCell(pipe, ssrSumCA), "2.30");
  EXPECT_EQ(StormSewerResultCell(pipe, ssrTime), "12.3");
  EXPECT_EQ(StormSewerResultCell(pipe, ssrFlow), "11.50");
  EXPECT_EQ(StormSewerResultCell(pipe, ssrHGFlow), "13.80");
  EXPECT_EQ(StormSewerResultCell(pipe, ssrDiameter), "15");
  EXPECT_EQ(StormSewerResultCell(pipe, ssrLength), "50.0");
  EXPECT_EQ(StormSewerResultCell(pipe, ssrSlope), "0.0100");
  EXPECT_EQ(StormSewerResultCell(pipe, ssrOutletFlow), "98.25");
  EXPECT_EQ(StormSewerResultCell(pipe, ssrCoverMinusHG), "5.80");
  EXPECT_EQ(StormSewerResultCell(pipe, ssrCoverMinusCrown), "5.00");
  EXPECT_EQ(StormSewerResultCell(pipe, ssrManningN), "0.013");

  EXPECT_FALSE(StormSewerResultCellWarned(pipe, ssrDiameter));
  pipe.PipeDiameterWarning = true;
  EXPECT_TRUE(StormSewerResultCellWarned(pipe, ssrDiameter));
  EXPECT_FALSE(StormSewerResultCellWarned(pipe, ssrVelocity));

  pipe.Velocity = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(StormSewerResultCell(pipe, ssrVelocity), "");  // never "nan" in the grid
}
