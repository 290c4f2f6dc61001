// Culvert element model: section geometry per shape, roughness, entrance
// loss, inlet coefficient sets, validation and the element list.

#include <gtest/gtest.h>

#include <cmath>

#include "CulvertTestSupport.h"
#include "model/Geometry.h"

TEST(CulvertGeometry, SectionOfEachShape) {
  auto circle = MakeCircle(3);
  TSectionProperties half = circle->SectionProperties(0.5);
  EXPECT_NEAR(half.Area, Pi * 9 / 8, 1e-12);
  EXPECT_NEAR(half.TopWidth, 3, 1e-12);
  EXPECT_NEAR(half.WettedPerimeter, 1.5 * Pi, 1e-12);
  EXPECT_NEAR(half.HydraulicRadius, 0.75, 1e-12);

  TBoxSmoothElement box;
  box.FRise = 4;
  box.FSpan = 6;
  TSectionProperties partly = box.SectionProperties(0.5);
  EXPECT_DOUBLE_EQ(partly.Area, 12);
  EXPECT_DOUBLE_EQ(partly.WettedPerimeter, 10);  // roof dry
  EXPECT_DOUBLE_EQ(box.SectionProperties(1.0).WettedPerimeter, 20);

  // Elliptical concrete: the derived radii meet the fixed angles tangentially
  // and the section closes on about the catalogue's full area.
  auto ellipse = MakeCulvert<TEllipticalSmoothElement>("", 4);
  ASSERT_NE(ellipse->Pipe, nullptr);
  const double t = DegToRad(ellipse->Theta()) / 2;
  EXPECT_NEAR(ellipse->Span() / 2 - ellipse->RS(), (ellipse->RT() - ellipse->RS()) * std::sin(t), 1e-9);
  EXPECT_NEAR(ellipse->RT() - ellipse->Rise() / 2, (ellipse->RT() - ellipse->RS()) * std::cos(t), 1e-9);
  EXPECT_NEAR(ellipse->SectionProperties(1.0).Area, FullArea(*ellipse->Pipe), 0.05 * FullArea(*ellipse->Pipe));

  // Pipe arch: polynomial area, crown width 0 at the top.
  auto arch = MakeCulvert<TArcCorrugatedElement>("1", 5);
  ASSERT_NE(arch->Pipe, nullptr);
  const TSectionProperties top = arch->SectionProperties(1.0);
  EXPECT_NEAR(top.Area, FullArea(*arch->Pipe) * 0.99984, 1e-9);
  EXPECT_DOUBLE_EQ(top.TopWidth, 0);
  EXPECT_DOUBLE_EQ(arch->RT(), arch->Pipe->TopRadius);
}

TEST(CulvertGeometry, BedSectionAndCatalogueOrOwnSize) {
  auto circle = MakeCircle(3);
  circle->BuriedDepth = 0.5;
  const TBedSection bed = circle->BedSection(0.5);
  EXPECT_NEAR(bed.Area, SegmentArea(1.5, 0.5), 1e-12);
  EXPECT_NEAR(circle->AreaAboveBed(1.0, bed), circle->AreaAtRatio(0.5) - bed.Area, 1e-12);
  EXPECT_DOUBLE_EQ(circle->BedSection(0).Area, 0);

  // A catalogue box takes its size from the catalogue even with own values.
  auto box = MakeCulvert<TBoxSmoothElement>("", 19);
  ASSERT_NE(box->Pipe, nullptr);
  box->FRise = 0;
  box->FSpan = 1;
  EXPECT_DOUBLE_EQ(box->Rise(), box->Pipe->Rise);
  EXPECT_DOUBLE_EQ(box->Span(), box->Pipe->Span);
}

TEST(CulvertRoughness, ManningAndCompositeN) {
  auto circle = MakeCircle(3);
  circle->OwnPipe->n = 0;
  EXPECT_DOUBLE_EQ(circle->ManningN(), 0.012);
  circle->OwnPipe->n = 0.013;
  EXPECT_DOUBLE_EQ(circle->ManningN(), 0.013);
  circle->CoeffN = 0.015;
  EXPECT_DOUBLE_EQ(circle->ManningN(), 0.015);

  circle->BuriedCoeffN = 0.03;
  const double composite = std::pow((2 * std::pow(0.03, 1.5) + 10 * std::pow(0.015, 1.5)) / 12, 0.67);
  EXPECT_NEAR(circle->CompositeN(1, 10, 2, 0.5), composite, 1e-12);
  EXPECT_DOUBLE_EQ(circle->CompositeN(1, 10, 0, 0.5), 0.015);  // no bed
  circle->BuriedCoeffN = 0;
  EXPECT_DOUBLE_EQ(circle->CompositeN(1, 10, 2, 0.5), 0.015);

  TBoxSmoothElement box;
  box.CoeffN = 0.015;
  box.BuriedCoeffN = 0.03;
  const double dryRoof = std::pow((2 * std::pow(0.03, 1.5) + 8 * std::pow(0.015, 1.5)) / 12, 0.67);
  EXPECT_NEAR(box.CompositeN(1, 10, 2, 0.5), dryRoof, 1e-12);
  EXPECT_NEAR(box.CompositeN(1, 10, 2, 0.96), composite, 1e-12);

  TLongSpanElement span;
  span.BuriedCoeffN = 0.03;
  const double wall = 0.0336 / std::pow(2.0, 0.07);
  EXPECT_NEAR(span.CompositeN(2, 10, 2, 0.5), (0.03 * 2 + wall * 10) / 12, 1e-12);
  EXPECT_NEAR(span.CompositeN(2, 10, 0, 0.5), wall, 1e-12);
  EXPECT_TRUE(std::isfinite(span.CompositeN(0, 10, 0, 0)));
}

TEST(CulvertEntranceLoss, KeByShapeInletCodeAndOverride) {
  struct TCase {
    const char* Type;
    const char* Inlet;
    double CoeffKE;
    bool Buried;
    double Ke;
  };
  const TCase cases[] = {
      {"1", "1", 0, false, 0.2},  {"2", "3", 0, false, 0.25}, {"2", "1", 0, false, 0.9},
      {"5", "3", 0, false, 0.5},  {"5", "1", 0, false, 0.2},  {"4", "3", 0, false, 0.25},
      {"4", "2", 0, true, 0.9},   {"1", "1", 0, true, 0.5},  // KE of the coefficient set
      {"1", "1", 0.3, true, 0.3},                            // entered value wins
      {"1", "99", 0, true, 0},                               // unknown set: nothing loaded
  };
  for (const TCase& c : cases) {
    auto e = CreateCulvertElement(c.Type);
    e->Parameters = &ShippedTables().Parameters;
    e->InletType = c.Inlet;
    e->CoeffKE = c.CoeffKE;
    e->BuriedOption = c.Buried;
    e->PrepareCoefficients();
    EXPECT_NEAR(e->Ke(), c.Ke, 1e-12) << "type " << c.Type << " inlet " << c.Inlet;
  }
}

TEST(CulvertCoefficients, SetsLoadedOnlyForBuriedOption) {
  auto e = MakeCulvert<TCircularSmoothElement>("", 9);
  e->PrepareCoefficients();
  EXPECT_EQ(e->K, 0);
  EXPECT_EQ(e->KD, 0);
  EXPECT_EQ(e->QMAX, 0);
  EXPECT_DOUBLE_EQ(e->DefaultKe, 0.2);

  e->BuriedOption = true;
  e->PrepareCoefficients();
  EXPECT_DOUBLE_EQ(e->K, 0.0098);
  EXPECT_DOUBLE_EQ(e->M, 2);
  EXPECT_DOUBLE_EQ(e->KD, 0.0398);
  EXPECT_DOUBLE_EQ(e->KP, 0.67);
  EXPECT_DOUBLE_EQ(e->UnsubmergedSL, -0.5);
  EXPECT_DOUBLE_EQ(e->SubmergedSL, -0.5);
  EXPECT_DOUBLE_EQ(e->QMAX, 3.5);
  EXPECT_DOUBLE_EQ(e->QMIN, 4);
  EXPECT_NEAR(e->CoeffCD(), std::sqrt(0.01555 / 0.0398), 1e-12);

  TLongSpanElement span;
  span.Parameters = &ShippedTables().Parameters;
  span.UnsubInlet = "1";
  span.SubInlet = "1";
  span.PrepareCoefficients();
  EXPECT_DOUBLE_EQ(span.K, 0.0083);
  EXPECT_DOUBLE_EQ(span.KD, 0.0379);
  EXPECT_DOUBLE_EQ(span.KP, 0.69);
  EXPECT_DOUBLE_EQ(span.QMIN, 4);
  EXPECT_DOUBLE_EQ(span.Ke(), 0.5);
}

TEST(CulvertValidate, FirstFailingCheckInOrder) {
  auto valid = [] {
    auto e = MakeCulvert<TCircularSmoothElement>("", 9);
    e->OverflowElevation = 110;
    e->TailwaterElevationMin = 100;
    e->FloodDischarge = 20;
    e->PrepareCoefficients();
    return e;
  };
  EXPECT_EQ(valid()->Validate(), "");

  auto e = valid();
  e->Pipe = nullptr;
  EXPECT_EQ(e->Validate(), "Pipe not compatible with current version. Check the input file.");
  e->OutletElevation = 100;  // a later failing check replaces the catalogue message
  EXPECT_EQ(e->Validate(), "Outlet Invert Elevation should be lower than Inlet Invert Elevation.");

  e = valid();
  e->TailwaterElevationMin = 98;
  e->CulvertLength = 0;
  EXPECT_EQ(e->Validate(), "Tailwater Elevation should be higher than Outlet Invert Elevation.");
  e = valid();
  e->TailwaterElevationMax = 99.5;
  EXPECT_EQ(e->Validate(), "Tailwater Min. should be lower than Tailwater Max.");
  e = valid();
  e->OverflowElevation = 0;
  EXPECT_EQ(e->Validate(), "Overflow Elevation should be higher than Inlet Invert Elevation.");
  e = valid();
  e->FloodDischarge = 10;
  EXPECT_EQ(e->Validate(), "Discharge Max. should be greater than Discharge Min.");
  e = valid();
  e->CoeffN = 1;
  EXPECT_EQ(e->Validate(), "Manning's N Coefficient should greater than 0 and less than 1.");

  TBoxSmoothElement box;
  box.MakeOwnPipe().CulvertType = "5";
  box.FSpan = 6;
  EXPECT_EQ(box.Validate(), "Box Height and Width should be greater than 0, when a Custom Size is selected.");

  TLongSpanElement span;
  span.MakeOwnPipe().CulvertType = "7";
  span.FSpan = span.FRise = span.FRT = span.FRS = span.FlowArea = 5;
  span.FTheta = 190;
  EXPECT_EQ(span.Validate(), "Theta and Phi angles should between 0 and 180 degrees.");
}

TEST(CulvertElementList, DeleteOutletsAndCollect) {
  TCulvertElementList list(true);
  EXPECT_FALSE(list.HasSingleOutlet());
  for (int id = 1; id <= 3; ++id) {
    auto e = MakeCulvert<TCircularSmoothElement>("", 9);
    e->ElementId = id;
    e->UseHW = id == 1 ? 0 : 1;
    list.Add(std::to_string(id), e.release());
  }
  EXPECT_TRUE(list.HasSingleOutlet());
  EXPECT_TRUE(TCulvertElementList::ContainsId(list, 3));
  EXPECT_FALSE(TCulvertElementList::ContainsId(list, 4));

  list.Culvert(1)->CalculateAndRecord(true, false, 10, 0, 0);
  list.Culvert(2)->CalculateAndRecord(true, false, 10, 0, 0);
  auto rows = TCulvertElementList::CollectResultsOfType(list, "1");
  EXPECT_EQ(rows->Count(), 2);
  EXPECT_FALSE(rows->OwnsObjects());
  EXPECT_EQ(TCulvertElementList::CollectResultsOfType(list, "2")->Count(), 0);
  rows.reset();

  EXPECT_EQ(list.DeleteElement(1), 0);
  EXPECT_EQ(list.Culvert(0)->UseHW, 0);
  EXPECT_EQ(list.Culvert(1)->UseHW, 0);
  EXPECT_FALSE(list.HasSingleOutlet());
  EXPECT_EQ(list.DeleteElement(7), -1);
}

TEST(CulvertElementCopy, AssignCopiesInputAndOwnPipe) {
  TLongSpanElement source;
  source.ElementId = 4;
  source.FSpan = 20;
  source.FTheta = 80;
  source.UnsubInlet = "2";
  source.InletElevation = 101;
  source.MakeOwnPipe().Rise = 12;
  source.CalculateAndRecord(true, false, 10, 0, 0);

  TLongSpanElement copy;
  copy.Assign(&source);
  EXPECT_EQ(copy.ElementId, 4);
  EXPECT_DOUBLE_EQ(copy.FSpan, 20);
  EXPECT_DOUBLE_EQ(copy.FTheta, 80);
  EXPECT_EQ(copy.UnsubInlet, "2");
  EXPECT_DOUBLE_EQ(copy.InletElevation, 101);
  ASSERT_NE(copy.Pipe, nullptr);
  EXPECT_NE(copy.Pipe, source.Pipe);  // a record of its own
  EXPECT_DOUBLE_EQ(copy.Pipe->Rise, 12);
  EXPECT_EQ(copy.Results.Count(), 0);
}
