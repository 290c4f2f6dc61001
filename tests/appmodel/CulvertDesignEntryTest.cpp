// The culvert design entry: its checks, what it stores, the slope and
// visibility rules, the coefficient tables and the result rows.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "appmodel/CoefficientRows.h"
#include "appmodel/CulvertDesignEntry.h"
#include "appmodel/SlopeEntry.h"
#include "foundation/DisplayFormat.h"
#include "model/PipeCatalogue.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

namespace {

const TShippedTables& Shipped() { return ShippedTables(); }

// A crossing every check accepts.
TCulvertDesignEntryValues Valid() {
  TCulvertDesignEntryValues v;
  v.InletElevation = 100;
  v.OutletElevation = 99;
  v.CulvertLength = 100;
  v.TailwaterElevation = 99.5;
  v.OverflowElevation = 106;
  v.DesignDischarge = 50;
  v.FloodDischarge = 80;
  v.AllowableHeadwaterElevation = 104;
  v.AllowableHeadwaterType = "0";
  return v;
}

const char* const OutletMessage = "Outlet Invert Elevation should be lower than Inlet Invert Elevation.";
const char* const TailwaterMessage = "Tailwater Elevation should be higher than Outlet Invert Elevation.";
const char* const FloodMessage = "Flood Discharge should be zero or greater than Design Discharge.";
const char* const BuriedNMessage =
    "When entered Buried Manning's N Coefficient should be greater than 0 and less than 1.";

}  // namespace

TEST(CulvertDesignEntryCheck, ElevationsAndLength) {
  EXPECT_EQ(Valid().Check(false), "");
  auto v = Valid();
  v.OutletElevation = 100;
  EXPECT_EQ(v.Check(false), OutletMessage);
  // Equal elevations pass the tailwater, overflow and headwater checks.
  v = Valid();
  v.TailwaterElevation = 99;
  v.OverflowElevation = 100;
  v.AllowableHeadwaterElevation = 100;
  EXPECT_EQ(v.Check(false), "");
  v.TailwaterElevation = 98.99;
  EXPECT_EQ(v.Check(false), TailwaterMessage);
  v = Valid();
  v.OverflowElevation = 99.9;
  EXPECT_EQ(v.Check(false), "Overflow Elevation should be higher than Inlet Invert Elevation.");
  v = Valid();
  v.AllowableHeadwaterElevation = 99.9;
  EXPECT_EQ(v.Check(false), "Allowable Headwater Elevation should be higher than Inlet Invert Elevation.");
  v = Valid();
  v.CulvertLength = 0;
  EXPECT_EQ(v.Check(false), "Pipe length should be greater than 0.");
}

TEST(CulvertDesignEntryCheck, Discharges) {
  auto v = Valid();
  v.DesignDischarge = 0;
  EXPECT_EQ(v.Check(false), "Design Discharge should be greater than 0.");
  v = Valid();
  v.FloodDischarge = 50;
  EXPECT_EQ(v.Check(false), FloodMessage);
  v.FloodDischarge = 0;
  EXPECT_EQ(v.Check(false), "");
  v.FloodDischarge = -1;
  EXPECT_EQ(v.Check(false), FloodMessage);
  // Larger than the design run accepts.
  v = Valid();
  v.DesignDischarge = 100001;
  v.FloodDischarge = 0;
  EXPECT_EQ(v.Check(false), "Design and Flood Discharge should not exceed 100000 cfs.");
}

TEST(CulvertDesignEntryCheck, Coefficients) {
  auto v = Valid();
  v.CoeffN = 1;
  EXPECT_EQ(v.Check(false), "Manning's N Coefficient should greater than 0 and less than 1.");
  v.CoeffN = -0.01;
  EXPECT_EQ(v.Check(false), "Manning's N Coefficient should greater than 0 and less than 1.");
  v = Valid();
  v.CoeffKE = 1;
  EXPECT_EQ(v.Check(false), "Entrance Loss Coefficient (Ke) should be greater than 0 and less than 1.");
  // An empty buried n fails only while its field shows; 1 fails always.
  v = Valid();
  EXPECT_EQ(v.Check(true), BuriedNMessage);
  EXPECT_EQ(v.Check(false), "");
  v.BuriedCoeffN = 0.03;
  EXPECT_EQ(v.Check(true), "");
  v.BuriedCoeffN = 1;
  EXPECT_EQ(v.Check(false), BuriedNMessage);
}

TEST(CulvertDesignEntryCheck, FirstFailureWinsAndNonNumbersFail) {
  auto v = Valid();
  v.OutletElevation = 101;  // also fails the tailwater check
  v.DesignDischarge = 0;
  EXPECT_EQ(v.Check(true), OutletMessage);

  const double nan = std::numeric_limits<double>::quiet_NaN();
  v = Valid();
  v.OutletElevation = nan;
  EXPECT_EQ(v.Check(false), OutletMessage);
  v = Valid();
  v.FloodDischarge = nan;
  EXPECT_EQ(v.Check(false), FloodMessage);
  v = Valid();
  v.OverflowElevation = std::numeric_limits<double>::infinity();
  EXPECT_EQ(v.Check(false), "Elevations, length, discharges and coefficients should be ordinary numbers.");
}

TEST(CulvertDesignEntry, LoadAndStore) {
  TCulvertDesignElement element;
  element.DefaultInletType = "7";  // reads as row 1
  element.BoxInletType = "2";
  TCulvertDesignEntryValues v;
  v.Load(element);
  EXPECT_EQ(v.DefaultInletType, 1);

  v = Valid();
  v.BuriedOption = true;
  v.DisableBuriedTable = true;
  v.DefaultInletType = 3;
  v.CoeffN = 0.013;
  v.BuriedCoeffN = 0.03;
  v.CoeffKE = 0.5;
  v.Store(element);
  EXPECT_EQ(element.InletElevation, 100);
  EXPECT_EQ(element.OutletElevation, 99);
  EXPECT_EQ(element.TailwaterElevation, 99.5);
  EXPECT_EQ(element.OverflowElevation, 106);
  EXPECT_TRUE(element.BuriedOption);
  EXPECT_TRUE(element.DisableBuriedTable);
  EXPECT_EQ(element.CulvertLength, 100);
  EXPECT_EQ(element.DefaultInletType, "3");
  EXPECT_EQ(element.DesignDischarge, 50);
  EXPECT_EQ(element.FloodDischarge, 80);
  EXPECT_EQ(element.AllowableHeadwaterElevation, 104);
  EXPECT_EQ(element.AllowableHeadwaterType, "0");
  EXPECT_EQ(element.CoeffN, 0.013);
  EXPECT_EQ(element.BuriedCoeffN, 0.03);
  EXPECT_EQ(element.CoeffKE, 0.5);
  EXPECT_EQ(element.BoxInletType, "2");  // not the entry's to change

  TCulvertDesignEntryValues again;
  again.Load(element);
  EXPECT_EQ(again.DefaultInletType, 3);
  EXPECT_EQ(again.AllowableHeadwaterType, "0");
  // No headwall row selected stores row 1.
  again.DefaultInletType = 0;
  again.Store(element);
  EXPECT_EQ(element.DefaultInletType, "1");
}

TEST(CulvertDesignEntry, SlopeRules) {
  EXPECT_EQ(EntrySlope(100, 98, 0), 0);
  EXPECT_EQ(EntrySlope(100, 98, -5), 0);
  EXPECT_EQ(FormatFixed(EntrySlope(100, 98, 200), 4), "0.0100");
  EXPECT_EQ(EntrySlope(100, std::numeric_limits<double>::quiet_NaN(), 10), 0);
  EXPECT_DOUBLE_EQ(OutletForSlope(100, 50, 0.02, 97), 99);
  EXPECT_EQ(OutletForSlope(100, 50, std::numeric_limits<double>::infinity(), 97), 97);
}

TEST(CulvertDesignEntry, InletTypesAndCoefficients) {
  const TNerraParameterList& parameters = Shipped().Parameters;
  TCulvertDesignElement element;
  element.CircularConcreteInletType = "1";
  element.ArchCorrugatedInletType = "1";
  element.BoxInletType = "no such code";
  EXPECT_EQ(SelectedInletTypeText(element, 0, parameters), "Square edge with headwall");
  EXPECT_EQ(SelectedInletTypeText(element, 3, parameters), parameters.FindCode(pcInletType, "1")->Description);
  EXPECT_EQ(SelectedInletTypeText(element, 4, parameters), "");

  const TNerraInletTypeCode* set = parameters.FindInletType(pcCircularConcreteInletType, "1");
  ASSERT_NE(set, nullptr);
  const auto rows = InletCoefficientRows(*set);
  ASSERT_EQ(rows.size(), 8u);
  const char* names[] = {"Ke", "K", "M", "Qmax", "SL", "Y", "c", "Qmin"};
  const char* values[] = {"0.5000", "0.0098", "2.0000", "3.5000", "-0.5000", "0.6700", "0.0398", "4.0000"};
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].Name, names[i]);
    EXPECT_EQ(rows[i].Value, values[i]);
  }

  EXPECT_FALSE(InletCoefficientsAvailable(4));
  EXPECT_FALSE(InletCoefficientsAvailable(5));
  EXPECT_TRUE(InletCoefficientsAvailable(1));

  EXPECT_EQ(CoefficientKETitle(0), "INLET");
  const auto full = CoefficientKERows(3);
  ASSERT_EQ(full.size(), 5u);
  EXPECT_EQ(full[4].Name, "Box Concrete");
  EXPECT_EQ(full[4].Value, "0.5");
  EXPECT_EQ(CoefficientKERows(9)[0].Value, "");
}

TEST(CulvertDesignResult, CellsOfARow) {
  TCulvertElementResult row;
  row.Flow = 12.5;
  row.CulvertQuantity = 2;
  row.CoeffN = 0.0125;
  row.OutletHeadwater = 103.456;
  row.DesignCode = "D - 1";
  row.ImprovedInletType = iiSideTaper;
  row.ImprovedInlet = "Side tapered";
  EXPECT_EQ(CulvertDesignResultHeadings().size(), static_cast<size_t>(CulvertDesignResultColumns));
  EXPECT_EQ(CulvertDesignResultCell(row, 0, nullptr), "12.50");
  EXPECT_EQ(CulvertDesignResultCell(row, 1, nullptr), "2");
  EXPECT_EQ(CulvertDesignResultCell(row, 2, nullptr), "");
  EXPECT_EQ(CulvertDesignResultCell(row, 5, nullptr), "N/A");
  EXPECT_EQ(CulvertDesignResultCell(row, 10, nullptr), "0.0125");
  EXPECT_EQ(CulvertDesignResultCell(row, 13, nullptr), "D - 1");
  EXPECT_EQ(CulvertDesignResultCell(row, 14, nullptr), "");
  EXPECT_EQ(CulvertDesignResultCell(row, 15, nullptr), "Side tapered");
  row.OutletHeadwaterValid = true;
  row.BuriedOption = true;
  row.BuriedDepth = 0.5;
  row.Velocity = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(CulvertDesignResultCell(row, 5, nullptr), "103.46");
  EXPECT_EQ(CulvertDesignResultCell(row, 14, nullptr), "0.50");
  EXPECT_EQ(CulvertDesignResultCell(row, 7, nullptr), "");  // never "nan" in the grid
}

TEST(CulvertDesignResult, RowsOfTheSampleDesign) {
  TXMLDocument document;
  ASSERT_TRUE(document.LoadFromFile(std::string(DREVIA_SOURCE_DIR) + "/samples/culvert-design.xml"));
  TCulvertDesign design(&Shipped().Parameters, &Shipped().Pipes);
  design.Load(document.GetXML());
  design.PipeType = "99";
  ASSERT_EQ(design.Calculate(), 0);
  const TCulvertDesignElement& crossing = *design.Crossing(0);

  TCulvertDesignResultModel model(crossing, "99", &Shipped().Parameters);
  ASSERT_EQ(model.Tabs().size(), 5u);
  EXPECT_EQ(model.Tabs()[3], "Corrugated Pipe Arch");
  EXPECT_EQ(model.ShownType(), "1");
  EXPECT_EQ(model.Heading(), "CIRCULAR SMOOTH PIPE RESULT");
  ASSERT_GT(model.Rows().Count(), 0);
  EXPECT_EQ(model.Cell(0, 13), "D");
  EXPECT_EQ(model.Cell(0, 15), "");  // circular concrete has no corrugation
  EXPECT_EQ(model.Cell(0, 2), model.Rows().Row(0)->Pipe->SizeLabel);
  EXPECT_EQ(model.Cell(model.Rows().Count(), 0), "");  // beyond the rows

  model.SelectTab(1);
  EXPECT_EQ(model.ShownType(), "2");
  EXPECT_EQ(model.Heading(), "CIRCULAR CORRUGATED PIPE RESULT");
  int designRows = 0;
  for (int r = 0; r < model.Rows().Count(); ++r) {
    const TCulvertElementResult& row = *model.Rows().Row(r);
    EXPECT_EQ(row.Pipe->CulvertType, "2");
    if (row.DesignCode != "D") continue;
    ++designRows;
    EXPECT_EQ(model.Cell(r, 15),
              Shipped().Parameters.FindCode(pcCircularCorrugationType, row.Pipe->CorrugationType)->Description);
  }
  EXPECT_GT(designRows, 0);
}
