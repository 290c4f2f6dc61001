// The inlet spacing entry dialog's decisions (groups by sump type, what it
// loads and stores, the check on the boxes) and the result grid and panel.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "appmodel/InletSpacingEntry.h"
#include "appmodel/StormSewerEntry.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"
#include "support/ShippedTables.h"

namespace {

const TNerraParameterList& Codes() { return ShippedParameters(); }

// An inlet on grade every rule accepts.
TInletSpacingEntryValues ValidInlet() {
  TInletSpacingEntryValues v;
  v.StationText = "12+50";
  v.SumpCode = "1";
  v.CatchBasinCode = "0";
  v.SurfaceCode = "2";
  v.LongSlope = 0.02;
  v.Flow = 0;
  v.RunoffCoeff = 0.5;
  v.RunoffArea = 1.2;
  v.ConcTime = 0;
  v.OverlandLength = 100;
  v.OverlandSlope = 2;
  v.GutterSlope = 0.08;
  v.GutterWidth = 2;
  v.ManningGN = 0.015;
  v.ManningPN = 0.016;
  v.PavementSlope = 0.02;
  return v;
}

}  // namespace

TEST(InletSpacingEntry, CheckGivesTheFirstFailingRulesMessage) {
  TInletSpacingEntryModel model(Codes());
  TInletSpacingEntryValues v = ValidInlet();
  EXPECT_EQ(model.Check(v), "");

  v.StationText = "  ";
  EXPECT_EQ(model.Check(v), "Station cannot be empty.");
  v.StationText = "12+50";
  v.SumpCode = "";
  EXPECT_EQ(model.Check(v), "Sump Type, Catch Basin Type and Surface Type should be selected.");
  v.SumpCode = "1";

  v.RunoffArea = 0;
  EXPECT_EQ(model.Check(v), "Either Discharge or Runoff Coefficient and Area must be greater than zero.");
  v.RunoffArea = 1.2;

  v.OverlandSlope = 0;
  EXPECT_EQ(model.Check(v), "Either Concentration Time or Overland Length and Slope must be greater than zero.");
  v.OverlandSlope = 2;
  v.SurfaceCode = "";
  EXPECT_EQ(model.Check(v), "Sump Type, Catch Basin Type and Surface Type should be selected.");
  v.ConcTime = 5;  // a given time needs no surface
  EXPECT_EQ(model.Check(v), "");

  v.ManningPN = 1.5;
  EXPECT_EQ(model.Check(v), "When entered, Mannings N should be greater than 0 and less than 1.");
  v.ManningPN = 0.016;
  v.Depression = -0.1;
  EXPECT_EQ(model.Check(v), MsgDepression);
  v.Depression = 0;

  v.CatchBasinCode = "free text";  // typed, not an entry of the list
  EXPECT_EQ(model.Check(v), "Sump Type, Catch Basin Type and Surface Type should be selected.");
}

TEST(InletSpacingEntry, NumbersBeyondRangeAreRefusedEvenForABeginPoint) {
  TInletSpacingEntryModel model(Codes());
  TInletSpacingEntryValues v;
  v.StationText = "0+00";
  v.SumpCode = "0";
  v.GutterLength = std::numeric_limits<double>::infinity();
  EXPECT_EQ(model.Check(v), MsgEntryNotANumber);
  v = ValidInlet();
  v.GutterLength = std::numeric_limits<double>::infinity();
  EXPECT_EQ(model.Check(v), MsgEntryNotANumber);
}

TEST(InletSpacingResult, CellsAndSumpPanel) {
  const auto& headings = InletSpacingResultHeadings();
  ASSERT_EQ(headings.size(), static_cast<size_t>(isrColumnCount));
  EXPECT_EQ(headings[isrPavementSpread], "Spread on Pavement (ft.)");

  TInletSpacingEntryModel model(Codes());
  TInletSpacingElement inlet;
  inlet.Sump = "2";
  inlet.SetStationText("12+50");
  inlet.PreviousStation = 1000;
  inlet.PavementSlope = 0.025;
  inlet.DepthFlow = 0.1234;
  inlet.LongSlope = 0.02;
  EXPECT_EQ(InletSpacingResultCell(inlet, isrSumpType, model.SumpTypes()), "Sag inlet (low point)");
  EXPECT_EQ(InletSpacingResultCell(inlet, isrStation, model.SumpTypes()), "12+50");
  EXPECT_EQ(InletSpacingResultCell(inlet, isrGutterLength, model.SumpTypes()), "250.00");  // from the stations
  EXPECT_EQ(InletSpacingResultCell(inlet, isrPavementSlope, model.SumpTypes()), "0.03");
  EXPECT_EQ(InletSpacingResultCell(inlet, isrLongSlope, model.SumpTypes()), "0.0200");
  EXPECT_EQ(InletSpacingResultCell(inlet, isrDepthFlow, model.SumpTypes()), "0.123");
  inlet.Sump = "7";
  EXPECT_EQ(InletSpacingResultCell(inlet, isrSumpType, model.SumpTypes()), "");
  EXPECT_EQ(InletSpacingResultCell(inlet, isrColumnCount, model.SumpTypes()), "");

  TInletSpacingGeneralParameters general;
  TInletSpacingElementList list(&general);
  list.SumpTotalFlow = 3.456;
  EXPECT_FALSE(SumpDataTexts(list).Visible);
  list.HasSumpData = true;
  list.SumpPondedDepth = 0.25;
  list.SumpSpread = 8;
  const TSumpDataTexts texts = SumpDataTexts(list);
  EXPECT_TRUE(texts.Visible);
  EXPECT_EQ(texts.TotalFlow, "3.46");
  EXPECT_EQ(texts.PondedDepth, "0.250");
  EXPECT_EQ(texts.Spread, "8.00");
}
