// The inlet spacing entry dialog's decisions (groups by sump type, what it
// loads and stores, the check on the boxes) and the result grid and panel.

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "appmodel/InletSpacingEntry.h"
#include "appmodel/StormSewerEntry.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"

namespace {

const TNerraParameterList& Codes() {
  static const TNerraParameterList* codes = [] {
    auto* list = new TNerraParameterList();
    EXPECT_EQ(list->LoadParameterFile(std::string(DREVIA_SOURCE_DIR) + "/data/AppParameters.xml"), "");
    return list;
  }();
  return *codes;
}

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

TEST(InletSpacingEntry, CaptionAndGroupVisibility) {
  EXPECT_EQ(TInletSpacingEntryModel::Caption(0), "Inlet Spacing Entry");
  EXPECT_EQ(TInletSpacingEntryModel::Caption(3), "Inlet Spacing Entry #3");
  EXPECT_FALSE(TInletSpacingEntryModel::GroupsVisible(""));  // no selection counts as a begin point
  EXPECT_FALSE(TInletSpacingEntryModel::GroupsVisible("0"));
  EXPECT_TRUE(TInletSpacingEntryModel::GroupsVisible("1"));
  EXPECT_TRUE(TInletSpacingEntryModel::GroupsVisible("3"));
}

TEST(InletSpacingEntry, LoadShowsStoredValuesAndTheNInUse) {
  TInletSpacingEntryModel model(Codes());
  TInletSpacingElement inlet;
  inlet.SetStationText("3+05");
  inlet.Sump = "1";
  inlet.CatchBasin = "typed by hand";
  inlet.Surface = "9";  // not in the code list
  inlet.ManningGN = 0;
  inlet.ManningPN = 0.02;
  inlet.Depression = 0.1;
  const TInletSpacingEntryValues v = model.Load(inlet);
  EXPECT_EQ(v.StationText, "3+05");
  EXPECT_EQ(v.SumpCode, "1");
  EXPECT_EQ(v.CatchBasinCode, "");
  EXPECT_EQ(v.SurfaceCode, "");  // the blank surface entry
  EXPECT_EQ(v.ManningGN, 0.015);
  EXPECT_EQ(v.ManningPN, 0.02);
  EXPECT_EQ(v.Depression, 0.1);

  // OK on what was loaded keeps the n in use.
  TInletSpacingEntryValues accepted = ValidInlet();
  accepted.ManningGN = v.ManningGN;
  model.Store(accepted, inlet);
  EXPECT_EQ(inlet.ManningGN, 0.015);
}

TEST(InletSpacingEntry, BeginPointShowsZerosAndIsStoredWithoutFurtherChecks) {
  TInletSpacingEntryModel model(Codes());
  TInletSpacingElement inlet;
  inlet.Sump = "1";
  inlet.LongSlope = 0.03;
  inlet.CatchBasin = "0";
  inlet.Surface = "1";
  TInletSpacingEntryValues v = model.Load(inlet);
  EXPECT_EQ(v.LongSlope, 0.03);
  EXPECT_EQ(v.SurfaceCode, "1");

  v.LongSlope = 0.5;  // typed, then the sump type changes to a begin point
  v.SumpCode = "0";
  model.LoadGroups(inlet, v);
  EXPECT_EQ(v.LongSlope, 0);
  EXPECT_EQ(v.ManningGN, 0);
  EXPECT_EQ(v.CatchBasinCode, "");
  EXPECT_EQ(v.SurfaceCode, "");
  v.StationText = "0+00";
  EXPECT_EQ(model.Check(v), "");
  model.Store(v, inlet);
  EXPECT_EQ(inlet.Sump, "0");
  EXPECT_EQ(inlet.LongSlope, 0);
  EXPECT_EQ(inlet.CatchBasin, "");
  EXPECT_EQ(inlet.Surface, "");
  EXPECT_EQ(inlet.StationFeet, 0);

  // Back to an inlet: the stored values show again, the typed ones are gone.
  v.SumpCode = "1";
  inlet.LongSlope = 0.04;
  model.LoadGroups(inlet, v);
  EXPECT_EQ(v.LongSlope, 0.04);
}

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

TEST(InletSpacingEntry, StoreTakesEveryBoxAndOnlyListedCodes) {
  TInletSpacingEntryModel model(Codes());
  TInletSpacingEntryValues v = ValidInlet();
  v.Flow = 1.5;
  v.GutterLength = 120;
  v.Depression = 0.08;
  TInletSpacingElement inlet;
  model.Store(v, inlet);
  EXPECT_EQ(inlet.StationFeet, 1250);
  EXPECT_EQ(inlet.Sump, "1");
  EXPECT_EQ(inlet.CatchBasin, "0");
  EXPECT_EQ(inlet.Surface, "2");
  EXPECT_EQ(inlet.Flow, 1.5);
  EXPECT_EQ(inlet.GutterLength, 120);
  EXPECT_EQ(inlet.GutterSlope, 0.08);
  EXPECT_EQ(inlet.ManningPN, 0.016);
  EXPECT_EQ(inlet.OverlandSlope, 2);
  EXPECT_EQ(inlet.Depression, 0.08);
  v.CatchBasinCode = "typed";
  v.SurfaceCode = "nope";
  model.Store(v, inlet);
  EXPECT_EQ(inlet.CatchBasin, "");
  EXPECT_EQ(inlet.Surface, "");
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
