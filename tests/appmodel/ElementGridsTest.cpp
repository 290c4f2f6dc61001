#include <gtest/gtest.h>

#include "appmodel/ElementGrids.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "culvert/CulvertShapes.h"
#include "ditch/DitchAnalysis.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "stormsewer/StormSewer.h"
#include "support/ShippedTables.h"

namespace {

const TShippedTables& Tables() { return ShippedTables(); }

TStormSewerElement* AddPipe(TStormSewer& sewer, const std::string& from, const std::string& to) {
  auto* pipe = new TStormSewerElement();
  pipe->ElementId = sewer.ElementList.Count() + 1;
  pipe->BeginJunction = from;
  pipe->EndJunction = to;
  sewer.ElementList.AddPipe(pipe);
  return pipe;
}

TInletSpacingElement* AddInlet(TInletSpacing& project, const std::string& sump) {
  auto* inlet = project.Elements.AddNew<TInletSpacingElement>();
  inlet->Sump = sump;
  return inlet;
}

}  // namespace

TEST(ElementGrids, ColumnsAndHeadings) {
  EXPECT_EQ(GridColumnCount(TElementGridKind::CulvertDesign), 12);
  EXPECT_EQ(GridColumnCount(TElementGridKind::CulvertAnalysis), 12);
  EXPECT_EQ(GridColumnCount(TElementGridKind::StormSewer), 15);
  EXPECT_EQ(GridColumnCount(TElementGridKind::InletSpacing), 12);
  EXPECT_EQ(GridColumnCount(TElementGridKind::DitchAnalysis), 13);
  EXPECT_EQ(GridColumnHeading(TElementGridKind::CulvertDesign, cdcBuried), "");
  EXPECT_EQ(GridColumnHeading(TElementGridKind::CulvertDesign, cdcSpecialKE), "Special KE");
  EXPECT_EQ(GridColumnHeading(TElementGridKind::StormSewer, sscOutletInvert), "Outlet Invert Elevation (ft.)");
  EXPECT_EQ(GridColumnHeading(TElementGridKind::DitchAnalysis, dacBeginStation), "Station Begin");
  EXPECT_EQ(GridColumnHeading(TElementGridKind::InletSpacing, iscColumnCount), "");
}

// Junctions 5 -> 1 -> 2 -> 3 with a lateral 4 -> 2.
TEST(ElementGrids, StormSewerMarkersFollowTheNetwork) {
  TStormSewer sewer(false);
  AddPipe(sewer, "5", "1");
  AddPipe(sewer, "1", "2");
  AddPipe(sewer, "2", "3");
  AddPipe(sewer, "4", "2");
  const std::vector<TGridMarker> expected = {TGridMarker::White, TGridMarker::BrightGreen, TGridMarker::Red,
                                             TGridMarker::White};
  EXPECT_EQ(StormSewerMarkers(sewer), expected);

  TElementGrid grid(TElementGridKind::StormSewer);
  grid.SetProject(&sewer);
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.Marker(2, sscMarker), TGridMarker::Red);
  EXPECT_EQ(grid.Marker(2, sscFromJunction), TGridMarker::None);
  EXPECT_EQ(grid.Text(2, sscMarker), "");
  // A single pipe ends the network: red wins over white.
  TStormSewer single(false);
  AddPipe(single, "1", "2");
  EXPECT_EQ(StormSewerMarkers(single), std::vector<TGridMarker>{TGridMarker::Red});
}

TEST(ElementGrids, StormSewerElevationsAndColumnVisibility) {
  TStormSewer design(false);
  TStormSewerElement* pipe = AddPipe(design, "1", "2");
  pipe->InletCrown = 0;
  pipe->OutletCrown = 95.125;
  pipe->InletInvert = -3;
  pipe->Structure = "CB";
  pipe->InletType = "K";
  pipe->SetTime(12.34);
  EXPECT_EQ(CellText(design, 0, sscInletCrown), "");
  EXPECT_EQ(CellText(design, 0, sscOutletCrown), "95.13");
  EXPECT_EQ(CellText(design, 0, sscInletInvert), "");
  EXPECT_EQ(CellText(design, 0, sscInletType), "CB K");
  EXPECT_EQ(CellText(design, 0, sscTime), "12.3");
  EXPECT_EQ(CellText(design, 1, sscTime), "");

  TElementGrid grid(TElementGridKind::StormSewer);
  grid.SetProject(&design);
  EXPECT_TRUE(grid.ColumnVisible(sscInletCrown));
  EXPECT_FALSE(grid.ColumnVisible(sscOutletInvert));
  TStormSewer analysis(true);
  grid.SetProject(&analysis);
  EXPECT_FALSE(grid.ColumnVisible(sscOutletCrown));
  EXPECT_TRUE(grid.ColumnVisible(sscInletInvert));
  EXPECT_TRUE(grid.ColumnVisible(sscLength));
}

TEST(ElementGrids, InletSpacingMarkersAndSumpDescription) {
  TInletSpacing project(&Tables().Parameters);
  AddInlet(project, "0");
  AddInlet(project, "2");
  AddInlet(project, "3");
  AddInlet(project, "");
  AddInlet(project, "1");
  EXPECT_EQ(InletSpacingMarker(project, 0), TGridMarker::BrightGreen);
  EXPECT_EQ(InletSpacingMarker(project, 1), TGridMarker::Blue);
  EXPECT_EQ(InletSpacingMarker(project, 2), TGridMarker::Red);
  EXPECT_EQ(InletSpacingMarker(project, 3), TGridMarker::White);
  EXPECT_EQ(InletSpacingMarker(project, 4), TGridMarker::White);
  EXPECT_EQ(InletSpacingMarker(project, 5), TGridMarker::None);

  const TNerraBaseCode* sag = Tables().Parameters.FindCode(pcSumpType, "2");
  ASSERT_NE(sag, nullptr);
  EXPECT_EQ(CellText(project, 1, iscSumpType), sag->Description);
  EXPECT_EQ(CellText(project, 3, iscSumpType), "");
  project.Elements.Items(0)->StationFeet = 1250;
  EXPECT_EQ(CellText(project, 0, iscStation), "12+50");
  // Without a code table the description is simply empty.
  TInletSpacing bare;
  AddInlet(bare, "2");
  EXPECT_EQ(CellText(bare, 0, iscSumpType), "");
}

TEST(ElementGrids, CulvertAnalysisTexts) {
  TCulvertAnalysis project(&Tables().Parameters, &Tables().Pipes);
  auto* concrete = project.Elements.AddNew<TCircularSmoothElement>();
  concrete->ElementId = 3;
  concrete->Pipe = Tables().Pipes.FindPipe("1", "", 1);
  concrete->BuriedOption = true;
  concrete->UseHW = 0;
  auto* corrugated = project.Elements.AddNew<TCircularCorrugatedElement>();
  corrugated->Pipe = Tables().Pipes.FindPipe("2", "1", 1);
  corrugated->UseHW = 3;
  ASSERT_NE(concrete->Pipe, nullptr);
  ASSERT_NE(corrugated->Pipe, nullptr);

  EXPECT_EQ(CellText(project, 0, cacBuried), "B");
  EXPECT_EQ(CellText(project, 0, cacElementId), "3");
  EXPECT_EQ(CellText(project, 0, cacUseHW), "No inlet");
  EXPECT_EQ(CellText(project, 0, cacCorrugationType), "N/A");
  EXPECT_EQ(CellText(project, 0, cacCulvertType), Tables().Parameters.FindCode(pcAnalysisPipeType, "1")->Description);
  EXPECT_EQ(CellText(project, 0, cacCulvertSize), concrete->Pipe->SizeLabel);
  EXPECT_EQ(CellText(project, 1, cacBuried), "");
  EXPECT_EQ(CellText(project, 1, cacUseHW), "3");
  const TNerraBaseCode* corrugation =
      Tables().Parameters.FindCode(pcCircularCorrugationType, corrugated->CorrugationText());
  ASSERT_NE(corrugation, nullptr);
  EXPECT_EQ(CellText(project, 1, cacCorrugationType), corrugation->Description);
}

// Fixed decimals after rounding to nine significant digits.
TEST(ElementGrids, CulvertDesignNumbersKeepNineSignificantDigits) {
  TCulvertDesign project;
  auto* crossing = project.Elements.AddNew<TCulvertDesignElement>();
  crossing->DesignDischarge = 12345678.26;
  crossing->FloodDischarge = 12345678901.0;
  crossing->InletElevation = 101;
  crossing->OutletElevation = 100;
  crossing->CulvertLength = 80;
  crossing->CoeffN = 0.0125;
  EXPECT_EQ(CellText(project, 0, cdcBuried), "");
  EXPECT_EQ(CellText(project, 0, cdcDesignDischarge), "12345678.30");
  EXPECT_EQ(CellText(project, 0, cdcFloodDischarge), "1.23456789E+10");
  EXPECT_EQ(CellText(project, 0, cdcSlope), "0.0125");
  EXPECT_EQ(CellText(project, 0, cdcManningN), "0.013");
  EXPECT_EQ(CellText(project, 0, cdcColumnCount), "");
  crossing->BuriedOption = true;
  EXPECT_EQ(CellText(project, 0, cdcBuried), "B");
}

TEST(ElementGrids, DitchConcentratedInflowAndDerivedValues) {
  TDitchAnalysis project;
  auto* section = project.ElementList.AddNew<TDitchAnalysisElement>();
  section->SetBeginStation("10+00");
  section->SetEndStation("12+50");
  section->ElevationBegin = 100;
  section->ElevationEnd = 95;
  auto* inflow = project.ElementList.AddNew<TDitchAnalysisElement>();
  inflow->SetBeginStation("12+50");
  inflow->ConcTime = 8;
  EXPECT_EQ(CellText(project, 0, dacEndStation), "12+50");
  EXPECT_EQ(CellText(project, 0, dacLength), "250.00");
  EXPECT_EQ(CellText(project, 0, dacGrade), "0.0200");
  EXPECT_EQ(CellText(project, 1, dacEndStation), "Conc. Inflow");
}

TEST(ElementGrids, GridWithoutProjectOrOfAnotherKindIsEmpty) {
  TElementGrid grid(TElementGridKind::DitchAnalysis);
  EXPECT_EQ(grid.RowCount(), 0);
  TCulvertDesign other;
  other.Elements.AddNew<TCulvertDesignElement>();
  grid.SetProject(&other);
  EXPECT_EQ(grid.RowCount(), 0);
  EXPECT_EQ(grid.Text(0, 0), "");
}
