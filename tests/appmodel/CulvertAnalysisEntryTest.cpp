// The culvert analysis entry dialog's pipe type rules, checks and the element
// it hands back, and the texts of its result grid.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "appmodel/CulvertAnalysisEntry.h"
#include "appmodel/CulvertDesignEntry.h"
#include "culvert/CulvertShapes.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "support/ShippedTables.h"

namespace {

class CulvertAnalysisEntry : public ::testing::Test {
protected:
  void SetUp() override {
    for (int id : {1, 3, 5}) {
      auto* e = new TCircularSmoothElement();
      e->ElementId = id;
      e->Pipe = Catalogue.FindPipe("1", "", 3);
      List.Add(std::to_string(id), e);
    }
  }

  // A circular concrete culvert that passes every check.
  TCulvertAnalysisEntryValues Valid() const {
    TCulvertAnalysisEntryValues v;
    v.PipeNumber = 7;
    v.PipeType = "1";
    v.PipeSize = Catalogue.FindPipe("1", "", 3);
    v.InletType = "1";
    v.PipeLength = 100;
    v.InletInvert = 100;
    v.OutletInvert = 99;
    v.FlowMin = 10;
    return v;
  }

  TCulvertBaseElement* Element(int index) const { return List.Culvert(index); }

  const TNerraParameterList& Parameters = ShippedParameters();
  const TCulvertBasePipeList& Catalogue = ShippedPipes();
  TCulvertElementList List{true};
};

TEST_F(CulvertAnalysisEntry, PipeNumberMustBeFreeAmongTheOthers) {
  TCulvertAnalysisEntryValues v = Valid();
  v.PipeNumber = 3;
  // Keeping its own number passes, and the later checks still run.
  EXPECT_EQ(v.Check(List, Element(1)), "");
  v.OutletInvert = 101;
  EXPECT_EQ(v.Check(List, Element(1)), "Outlet Invert Elevation should be lower than Inlet Invert Elevation.");
  v.OutletInvert = 99;
  EXPECT_EQ(v.Check(List, Element(0)), InvalidPipeNumberMessage);
  EXPECT_EQ(v.Check(List, nullptr), InvalidPipeNumberMessage);
  v.PipeNumber = 0;
  EXPECT_EQ(v.Check(List, nullptr), InvalidPipeNumberMessage);
  EXPECT_EQ(NewPipeNumber(List), 6);
  EXPECT_EQ(NewPipeNumber(TCulvertElementList(true)), 1);
}

TEST_F(CulvertAnalysisEntry, GeneralChecksInTheirOrder) {
  TCulvertAnalysisEntryValues v = Valid();
  v.TailwaterMin = 102;  // max 0: not given
  EXPECT_EQ(v.Check(List, nullptr), "");
  v.TailwaterMax = 101;
  EXPECT_EQ(v.Check(List, nullptr), "Tailwater Min. should be lower than Tailwater Max.");
  v.TailwaterMax = 0;
  v.PipeLength = 0;
  EXPECT_EQ(v.Check(List, nullptr), "Pipe length should be greater than 0.");
  v.PipeLength = 100;
  v.FlowMin = 0;
  EXPECT_EQ(v.Check(List, nullptr), "Discharge Min. should be greater than 0.");
  v.FlowMin = 10;
  v.FlowMax = 10;
  EXPECT_EQ(v.Check(List, nullptr), "Discharge Max. should be greater than Discharge Min.");
  v.FlowMax = 0;
  EXPECT_EQ(v.Check(List, nullptr), "");
  v.CoeffN = 1;
  EXPECT_EQ(v.Check(List, nullptr), "Manning's N Coefficient should greater than 0 and less than 1.");
  v.CoeffN = 0;
  v.CoeffKE = -0.1;
  EXPECT_EQ(v.Check(List, nullptr), "Entrance Loss Coefficient (Ke) should be greater than 0 and less than 1.");
  v.CoeffKE = 0;
  v.FlowDelta = std::nan("");
  EXPECT_EQ(v.Check(List, nullptr), "Data entered is incorrect.");
}

TEST_F(CulvertAnalysisEntry, PageChecksReplaceTheGeneralMessage) {
  TCulvertAnalysisEntryValues v = Valid();
  v.PipeType = "7";
  v.Span = 20;
  v.Rise = 10;
  v.Theta = 190;
  v.Phi = 90;
  v.RT = 8;
  v.RS = 4;
  v.FlowArea = 150;
  v.PipeLength = 0;
  EXPECT_EQ(v.Check(List, nullptr), "Theta and Phi angles should between 0 and 180 degrees.");
  v.Theta = 90;
  EXPECT_EQ(v.Check(List, nullptr), "Pipe length should be greater than 0.");
  v.PipeLength = 100;
  v.RS = 0;
  EXPECT_EQ(v.Check(List, nullptr), "RT and RS should be greater than 0.");
  v.RS = 4;
  v.FlowArea = 0;
  EXPECT_EQ(v.Check(List, nullptr), "Flow Area should be greater than 0.");
  v.FlowArea = 150;
  v.Rise = 0;
  EXPECT_EQ(v.Check(List, nullptr), "Span and Rise should be greater than 0 for Long Span Culvert.");

  v = Valid();
  v.PipeType = "5";
  v.CustomBox = true;
  v.BoxWidth = 6;
  EXPECT_EQ(v.Check(List, nullptr), "Box Height and Width should be greater than 0, when a Custom Size is selected.");
  v.BoxHeight = 4;
  EXPECT_EQ(v.Check(List, nullptr), "");

  // A pipe without a catalogue size would compute nothing.
  v = Valid();
  v.PipeSize = nullptr;
  EXPECT_EQ(v.Check(List, nullptr), "Pipe Size should be selected.");
  v.PipeType.clear();
  EXPECT_EQ(v.Check(List, nullptr), "Pipe Type should be selected.");
}

TEST_F(CulvertAnalysisEntry, CodeListsByPipeType) {
  EXPECT_EQ(InletCategoryOf("1", false), pcInletType);
  EXPECT_EQ(InletCategoryOf("1", true), pcCircularConcreteInletType);
  EXPECT_EQ(InletCategoryOf("2", true), pcCircularCorrugatedInletType);
  EXPECT_EQ(InletCategoryOf("3", true), pcEllipticalConcreteInletType);
  EXPECT_EQ(InletCategoryOf("4", true), pcInletType);
  TParameterCategory corrugation = pcRainfallArea;
  EXPECT_TRUE(CorrugationCategoryOf("4", corrugation));
  EXPECT_EQ(corrugation, pcArcCorrugationType);
  EXPECT_FALSE(CorrugationCategoryOf("3", corrugation));
}

TEST_F(CulvertAnalysisEntry, CustomBoxGetsAPipeOfItsOwn) {
  TCulvertAnalysisEntryValues v = Valid();
  v.PipeType = "5";
  v.BoxInletType = "2";
  v.CustomBox = true;
  v.BoxWidth = 6;
  v.BoxHeight = 4;
  std::unique_ptr<TCulvertBaseElement> e = v.Build(Element(0), &Parameters);
  auto* box = dynamic_cast<TBoxSmoothElement*>(e.get());
  ASSERT_TRUE(box);
  ASSERT_TRUE(box->Pipe);
  EXPECT_EQ(box->Pipe, box->OwnPipe.get());
  EXPECT_EQ(box->Pipe->CulvertType, "5");
  EXPECT_EQ(box->Pipe->PipeSizeIndex, -1);
  EXPECT_DOUBLE_EQ(box->Rise(), 4);
  EXPECT_DOUBLE_EQ(box->Span(), 6);
  EXPECT_EQ(box->InletType, "2");
}

TEST_F(CulvertAnalysisEntry, SameTypeKeepsTheElementsOtherValues) {
  TCulvertBaseElement* original = Element(1);
  original->CulvertQuantity = 0;
  original->AllowableHeadwaterElevation = 120;
  original->CoeffN = 0.013;
  TCulvertAnalysisEntryValues v;
  v.Load(*original);
  EXPECT_EQ(v.PipeNumber, 3);
  EXPECT_EQ(v.PipeType, "1");
  EXPECT_EQ(v.Quantity, 1);
  EXPECT_EQ(v.PipeSize, original->Pipe);

  v.PipeSize = Catalogue.FindPipe("1", "", 4);
  std::unique_ptr<TCulvertBaseElement> e = v.Build(original, &Parameters);
  ASSERT_TRUE(dynamic_cast<TCircularSmoothElement*>(e.get()));
  EXPECT_EQ(e->Pipe, Catalogue.FindPipe("1", "", 4));
  EXPECT_EQ(e->PipeSizeIndexValue(), 4);
  EXPECT_EQ(e->CulvertQuantity, 1);
  EXPECT_DOUBLE_EQ(e->CoeffN, 0.013);
  EXPECT_DOUBLE_EQ(e->AllowableHeadwaterElevation, 120);
  EXPECT_EQ(original->Pipe, Catalogue.FindPipe("1", "", 3));
}

TEST_F(CulvertAnalysisEntry, LongSpanRoundTrip) {
  TCulvertAnalysisEntryValues v = Valid();
  v.PipeType = "7";
  v.Span = 20;
  v.Rise = 10;
  v.Theta = 60;
  v.Phi = 90;
  v.RT = 8;
  v.RS = 4;
  v.FlowArea = 150;
  v.UnsubInlet = "2";
  v.SubInlet = "3";
  std::unique_ptr<TCulvertBaseElement> e = v.Build(nullptr, &Parameters);
  auto* span = dynamic_cast<TLongSpanElement*>(e.get());
  ASSERT_TRUE(span);
  EXPECT_TRUE(span->BuriedOption);
  EXPECT_EQ(span->Pipe->SizeLabel, "20.0 x 10.0 ft.");
  EXPECT_EQ(span->Pipe->CulvertType, "7");

  TCulvertAnalysisEntryValues back;
  back.Load(*span);
  EXPECT_EQ(back.PipeType, "7");
  EXPECT_DOUBLE_EQ(back.Theta, 60);
  EXPECT_DOUBLE_EQ(back.FlowArea, 150);
  EXPECT_EQ(back.UnsubInlet, "2");
  EXPECT_EQ(back.SubInlet, "3");
}

TEST_F(CulvertAnalysisEntry, LongSpanCoefficientsComeFromBothSets) {
  const auto* unsubmerged = Parameters.FindUnsubmergedInlet("1");
  const auto* submerged = Parameters.FindSubmergedInlet("2");
  ASSERT_TRUE(unsubmerged && submerged);
  const TNerraInletTypeCode set = LongSpanCoefficientSet(*unsubmerged, *submerged);
  EXPECT_DOUBLE_EQ(set.KE, unsubmerged->KE);
  EXPECT_DOUBLE_EQ(set.SL, unsubmerged->SL);
  EXPECT_DOUBLE_EQ(set.KP, submerged->KP);
  EXPECT_DOUBLE_EQ(set.KD, submerged->KD);
  EXPECT_DOUBLE_EQ(set.QMIN, submerged->QMIN);
}

TEST(CulvertAnalysisResultGrid, Cells) {
  TCulvertElementResult row;
  row.Flow = 12.345;
  row.OutletHeadwater = 104.5;
  row.CoeffN = 0.012;
  row.FlowType = "1 - A";
  row.HeadwaterControl = "INLET";
  row.Tailwater = 101;
  EXPECT_EQ(CulvertAnalysisResultCell(row, 0), "12.35");
  EXPECT_EQ(CulvertAnalysisResultCell(row, 3), "N/A");
  row.OutletHeadwaterValid = true;
  EXPECT_EQ(CulvertAnalysisResultCell(row, 3), "104.50");
  EXPECT_EQ(CulvertAnalysisResultCell(row, 4), "1 - A");
  EXPECT_EQ(CulvertAnalysisResultCell(row, 8), "0.0120");
  EXPECT_EQ(CulvertAnalysisResultCell(row, 9), "INLET");
  EXPECT_EQ(CulvertAnalysisResultCell(row, 11), "101.00");
  EXPECT_EQ(CulvertAnalysisResultHeading(3), "HWCO (ft.)");
  EXPECT_EQ(CulvertAnalysisResultHeading(11), "Tailwater (ft.)");
}

// An extrapolated inlet headwater keeps its number and gets the mark, in the
// analysis and the design grids alike; the list tells that a note is due.
TEST(CulvertAnalysisResultGrid, ExtrapolatedInletHeadwaterIsMarked) {
  TCulvertElementResultList rows(true);
  auto* plain = new TCulvertElementResult();
  plain->InletHeadwater = 104.567;
  rows.Add(std::string(), plain);
  EXPECT_EQ(CulvertAnalysisResultCell(*plain, 2), "104.57");
  EXPECT_FALSE(AnyInletControlExtrapolated(rows));
  auto* far = new TCulvertElementResult();
  far->InletHeadwater = 30550.918;
  far->InletControlExtrapolated = true;
  rows.Add(std::string(), far);
  EXPECT_EQ(CulvertAnalysisResultCell(*far, 2), "30550.92!");
  EXPECT_EQ(CulvertDesignResultCell(*far, 4, nullptr), "30550.92!");
  EXPECT_EQ(CulvertDesignResultCell(*plain, 4, nullptr), "104.57");
  EXPECT_TRUE(AnyInletControlExtrapolated(rows));
}

}  // namespace
