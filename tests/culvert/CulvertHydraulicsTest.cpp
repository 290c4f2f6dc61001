// Culvert hydraulics: depth solvers seen through the culvert shapes, the
// inlet control forms and their boundaries, the outlet control cases, the
// overflow search and the improved inlet texts.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CulvertTestSupport.h"
#include "model/Geometry.h"

namespace {

double ManningDischarge(const TCulvertBaseElement& e, double depth, double b, double S) {
  const TBedSection bed = e.BedSection(b);
  const TSectionProperties s = e.SectionProperties((depth + b) / e.Rise());
  const double A = s.Area - bed.Area;
  const double P = s.WettedPerimeter - bed.WettedPerimeter + bed.TopWidth;
  return 1.486 / e.EffectiveN * A * std::pow(A / P, 2.0 / 3) * std::sqrt(S);
}

double FroudeSquared(const TCulvertBaseElement& e, double depth, double b, double Q) {
  const TBedSection bed = e.BedSection(b);
  const TSectionProperties s = e.SectionProperties((depth + b) / e.Rise());
  const double A = s.Area - bed.Area;
  return Q * Q * s.TopWidth / (32.2 * A * A * A);
}

}  // namespace

TEST(CulvertSolvers, RootsSatisfyManningAndCriticalFlow) {
  std::vector<std::unique_ptr<TCulvertBaseElement>> shapes;
  shapes.push_back(MakeCulvert<TCircularSmoothElement>("", 9));
  shapes.push_back(MakeCulvert<TEllipticalSmoothElement>("", 6));
  shapes.push_back(MakeCulvert<TArcCorrugatedElement>("1", 8));
  shapes.push_back(MakeCulvert<TBoxSmoothElement>("", 19));
  for (auto& e : shapes) {
    ASSERT_NE(e->Pipe, nullptr);
    for (double b : {0.0, 0.4}) {
      SCOPED_TRACE("type " + e->CulvertTypeCode() + " bed " + std::to_string(b));
      e->BuriedCoeffN = 0.03;
      const double D = e->Rise();
      const double Q = 12;
      const double yn = e->NormalDepth(b, 0.01, D, Q);
      ASSERT_GT(yn, 0.01);
      ASSERT_LT(yn + b, 0.9 * D);
      // The root lies within the bisection's 0.001 ft bracket.
      EXPECT_LT(ManningDischarge(*e, yn - 0.002, b, 0.01), Q);
      EXPECT_GT(ManningDischarge(*e, yn + 0.002, b, 0.01), Q);

      const double dc = e->CriticalDepth(b, D, Q);
      EXPECT_GT(FroudeSquared(*e, dc - 0.002, b, Q), 1);
      EXPECT_LT(FroudeSquared(*e, dc + 0.002, b, Q), 1);
    }
  }
}

TEST(CulvertSolvers, FullBarrelAndMaximumDepthRatio) {
  auto circle = MakeCircle(3);
  EXPECT_DOUBLE_EQ(circle->NormalDepth(0.5, 0.01, 3, 1000), 2.5);  // above full flow: the crown
  EXPECT_NEAR(circle->EffectiveN, 0.012, 1e-15);

  // A last ratio at or above the maximum flow depth ratio reports the crown.
  struct TLowRatio : TCircularSmoothElement {
    double MaxFlowDepthRatio() const override { return 0.55; }
  } low;
  low.Pipe = circle->Pipe;
  const double free = circle->NormalDepth(0, 0.01, 3, 45);
  ASSERT_GT(free / 3, 0.55);
  ASSERT_LT(free / 3, 0.938);
  EXPECT_DOUBLE_EQ(low.NormalDepth(0, 0.01, 3, 45), 3);
}

TEST(CulvertInletControl, CoefficientFormsAndTheirBoundaries) {
  // A 2 x 4 ft box: A = 8, sqrt(Db) = 2, so x = Q / 16 exactly.
  TBoxSmoothElement box;
  box.Parameters = &ShippedTables().Parameters;
  box.MakeOwnPipe().CulvertType = "5";
  box.OwnPipe->Rise = box.FRise = 4;
  box.OwnPipe->Span = box.FSpan = 2;
  box.InletElevation = 100;
  box.OutletElevation = 99;
  box.CulvertLength = 100;
  box.InletType = "1";
  box.BuriedOption = true;
  box.PrepareCoefficients();
  ASSERT_DOUBLE_EQ(box.QMAX, 3.5);
  ASSERT_DOUBLE_EQ(box.QMIN, 4);

  auto headwater = [&](double Q) {
    box.BarrelDischarge = Q;
    box.CurrentCriticalDepth = box.BarrelCriticalDepth();
    return box.InletControlHeadwater();
  };
  auto unsubmerged = [&](double Q) {
    const double dc = box.CriticalDepth(0, 4, Q);
    const double Hc = std::pow(Q / (2 * dc), 2) / 64.4 + dc;
    return 4 * (box.K * std::pow(Q / 16, box.M) + Hc / 4 + box.UnsubmergedSL * 0.01);
  };
  auto submerged = [&](double Q) { return 4 * (box.KD * std::pow(Q / 16, 2) + box.KP + box.SubmergedSL * 0.01); };

  EXPECT_NEAR(headwater(56), unsubmerged(56), 1e-12);  // x = QMAX
  EXPECT_NEAR(headwater(64), submerged(64), 1e-12);    // x = QMIN
  EXPECT_NEAR(headwater(60), (unsubmerged(56) + submerged(64)) / 2, 1e-12);
  EXPECT_NEAR(headwater(56 + 1e-7), unsubmerged(56), 1e-6);
  EXPECT_NEAR(headwater(64 - 1e-7), submerged(64), 1e-6);
  EXPECT_DOUBLE_EQ(box.BarrelDischarge, 64 - 1e-7);  // restored after the transition
}

TEST(CulvertInletControl, BoxFormBranchesAndCodeAdjustments) {
  TBoxSmoothElement box;
  box.MakeOwnPipe().CulvertType = "5";
  box.OwnPipe->Rise = 4;
  box.OwnPipe->Span = 2;
  // The discharge at which a = 1.5 dc / D takes a given value.
  auto dischargeFor = [](double a) { return 2 * std::sqrt(32.2 * std::pow(a * 4 / 1.5, 1 / 0.3333)); };
  auto hw = [&](double a, const char* code) {
    box.InletType = code;
    box.BarrelDischarge = dischargeFor(a);
    return box.InletControlHeadwater();
  };
  const double eps = 1e-6;
  EXPECT_NEAR(hw(0.9 - eps, "1"), 1.02 * 0.9 * 4, 1e-4);
  EXPECT_NEAR(hw(0.9 + eps, "1"), 0.9 * (0.31 * 0.9 + 0.74) * 4, 1e-4);
  EXPECT_NEAR(hw(1.32 - eps, "1"), 1.32 * (0.31 * 1.32 + 0.74) * 4, 1e-4);
  const double a = 1.32 + eps;
  const double C = -1.02364 + 2.28989 * a - 1.13667 * a * a + 0.19479 * a * a * a;
  const double q = dischargeFor(a) / 2;
  EXPECT_NEAR(hw(a, "1"), q * q / (C * C * 64 * 64.4) * 4, 1e-4);

  const double plain = hw(0.5, "1");
  EXPECT_NEAR(hw(0.5, "2"), (1.08 * plain / 4 + 0.02) * 4, 1e-12);
  EXPECT_NEAR(hw(0.5, "4"), hw(0.5, "2"), 1e-12);
  EXPECT_NEAR(hw(0.5, "3"), (1.24 * plain / 4 - 0.14) * 4, 1e-12);
}

TEST(CulvertInletControl, RegressionRowsPerShape) {
  auto pipe = MakeCulvert<TCircularSmoothElement>("", 9);  // 3 ft
  pipe->InletType = "7";
  pipe->BarrelDischarge = 20;
  const double x = 20 / std::pow(3.0, 2.5);
  const double p = 0.114099 + 0.653562 * x - 0.233615 * x * x + 0.0597723 * std::pow(x, 3) -
                   0.00616338 * std::pow(x, 4) + 0.000242832 * std::pow(x, 5);
  EXPECT_NEAR(pipe->InletControlHeadwater(), 3 * p, 1e-12);

  // The pipe arch keeps its polynomial with the buried option set.
  auto arch = MakeCulvert<TArcCorrugatedElement>("1", 8);
  arch->BarrelDischarge = 20;
  const double plain = arch->InletControlHeadwater();
  arch->BuriedOption = true;
  arch->PrepareCoefficients();
  EXPECT_DOUBLE_EQ(arch->InletControlHeadwater(), plain);
  const double xa = 20 / (arch->Pipe->Span * std::pow(arch->Pipe->Rise, 1.5));
  EXPECT_NEAR(plain / arch->Pipe->Rise,
              0.0890527 + 0.712545 * xa - 0.270921 * xa * xa + 0.0792502 * std::pow(xa, 3) -
                  0.00798048 * std::pow(xa, 4) + 0.000293213 * std::pow(xa, 5),
              1e-12);
}

TEST(CulvertInletControl, RowsMarkRegressionHeadwaterFarBeyondItsFit) {
  // A 3 ft pipe: in range at its design flow, far beyond at ten times more;
  // the number is kept either way.
  auto pipe = MakeCulvert<TCircularSmoothElement>("", 9);
  pipe->PrepareCoefficients();
  pipe->CalculateAndRecord(true, false, 20, 0, 0);
  pipe->CalculateAndRecord(false, false, 300, 0, 0);
  ASSERT_EQ(pipe->Results.Count(), 2);
  EXPECT_FALSE(pipe->Results.Row(0)->InletControlExtrapolated);
  const TCulvertElementResult& far = *pipe->Results.Row(1);
  EXPECT_TRUE(far.InletControlExtrapolated);
  EXPECT_GT(far.InletHeadwater - 100, 3 * 3.0);
  EXPECT_TRUE(far.IsFinite());

  // The limit itself is still in range.
  pipe->InletHeadwaterDepth = 3 * MaxRegressionHeadwaterRatio;
  EXPECT_FALSE(pipe->InletControlExtrapolated());
  pipe->InletHeadwaterDepth = std::nextafter(3 * MaxRegressionHeadwaterRatio, 100.0);
  EXPECT_TRUE(pipe->InletControlExtrapolated());

  // The coefficient equations (buried option) and the box form are not the
  // regression, however high the headwater.
  auto buried = MakeCulvert<TCircularSmoothElement>("", 9);
  buried->BuriedOption = true;
  buried->PrepareCoefficients();
  buried->CalculateAndRecord(true, false, 300, 0, 0);
  ASSERT_EQ(buried->Results.Count(), 1);
  EXPECT_GT(buried->InletHeadwaterDepth, 3 * 3.0);
  EXPECT_FALSE(buried->Results.Row(0)->InletControlExtrapolated);
  auto box = MakeCulvert<TBoxSmoothElement>("", 19);
  box->InletHeadwaterDepth = 10 * box->Pipe->Rise;
  EXPECT_FALSE(box->InletControlExtrapolated());

  // The pipe arch uses its polynomial even when buried.
  auto arch = MakeCulvert<TArcCorrugatedElement>("1", 8);
  arch->BuriedOption = true;
  arch->PrepareCoefficients();
  arch->CalculateAndRecord(true, false, 40 * arch->Pipe->Span * std::pow(arch->Pipe->Rise, 1.5), 0, 0);
  ASSERT_EQ(arch->Results.Count(), 1);
  EXPECT_TRUE(arch->Results.Row(0)->InletControlExtrapolated);
}

TEST(CulvertOutletControl, TheFourOutletCases) {
  // 1: tailwater above h0.
  auto e = MakeCircle(3);
  e->PrepareCoefficients();
  e->CalculateDischarge(false, 20, 2.9, 0);
  EXPECT_NEAR(e->OutletHeadwaterDepth, 2.9 + e->OutletFullFlowLoss() - 1, 1e-12);
  EXPECT_EQ(e->ControlText(), "OUTLET");

  // 2: barrel flowing full on a flat, long barrel.
  e = MakeCircle(3);
  e->OutletElevation = 99.8;
  e->CulvertLength = 400;
  e->PrepareCoefficients();
  e->CalculateDischarge(false, 60, 0, 0);
  EXPECT_EQ(e->ControlCode, ccOutletFull);
  EXPECT_EQ(e->ControlText(), "OUTLET**");

  // 3: mild barrel, free outfall, profile reaches the inlet.
  e = MakeCircle(3);
  e->OutletElevation = 99.9;
  e->CulvertLength = 100;
  e->PrepareCoefficients();
  e->CalculateDischarge(false, 15, 0, 0);
  ASSERT_GE(e->CurrentNormalDepth, e->CurrentCriticalDepth);
  EXPECT_GT(e->FProfileHeadwater, 0);
  EXPECT_DOUBLE_EQ(e->OutletHeadwaterDepth, e->FProfileHeadwater);
  EXPECT_TRUE(e->ControlCode == ccOutletProfile || e->ControlCode == ccInlet);

  // 4: steep barrel with a low inlet headwater: inlet control, outlet N/A.
  e = MakeCircle(3);
  e->OutletElevation = 95;
  e->PrepareCoefficients();
  e->CalculateAndRecord(true, false, 10, 0, 0);
  ASSERT_LT(e->CurrentNormalDepth, e->CurrentCriticalDepth);
  const TCulvertElementResult& row = *e->Results.Row(0);
  EXPECT_EQ(row.HeadwaterControl, "INLET");
  EXPECT_FALSE(row.OutletHeadwaterValid);
  EXPECT_EQ(row.FlowType, "1 - C");
}

TEST(CulvertOutletControl, RowRecordsPerBarrelAndBuriedLevels) {
  auto e = MakeCircle(3);
  e->CulvertQuantity = 2;
  e->BuriedOption = true;
  e->PrepareCoefficients();
  e->CalculateAndRecord(true, false, 30, 1.5, 0.3);
  const TCulvertElementResult& row = *e->Results.Row(0);
  EXPECT_DOUBLE_EQ(row.Flow, 15);
  EXPECT_DOUBLE_EQ(row.BuriedDepth, 0.3);
  EXPECT_NEAR(row.InletHeadwater, e->InletHeadwaterDepth + 100 + 0.3, 1e-12);
  EXPECT_DOUBLE_EQ(row.Tailwater, 100.5);
  EXPECT_DOUBLE_EQ(row.Overflow, 0);
  EXPECT_TRUE(row.IsFinite());

  e->Pipe = nullptr;
  EXPECT_EQ(e->CalculateAndRecord(true, false, 30, 1.5, 0), 0);
  EXPECT_EQ(e->Results.Count(), 1);  // no pipe: nothing done
}

TEST(CulvertOverflow, SearchSequenceOfTheStepDown) {
  // Overtops (inlet headwater 6 ft over a 5 ft road) from 18.25 cfs on.
  struct TProbe : TCircularSmoothElement {
    std::vector<double> Visited;
    double InletControlHeadwater() override {
      Visited.push_back(BarrelDischarge);
      return BarrelDischarge >= 18.25 ? 6 : 1;
    }
  };
  TProbe probe;
  auto model = MakeCircle(6);
  probe.Pipe = model->Pipe;
  probe.InletElevation = 100;
  probe.OutletElevation = 99;
  probe.CulvertLength = 100;
  probe.CulvertQuantity = 1;
  probe.OverflowElevation = 105;
  probe.CalculateDischarge(true, 25, 0, 0);
  const std::vector<double> expected = {25,   15,   24,   23,   22,   21,   20,   19,  18,
                                        18.9, 18.8, 18.7, 18.6, 18.5, 18.4, 18.3, 18.2};
  ASSERT_EQ(probe.Visited.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(probe.Visited[i], expected[i], 1e-9) << i;
  EXPECT_NEAR(probe.BarrelDischarge, 18.2, 1e-9);
  EXPECT_NEAR(probe.OverflowDischarge, 6.8, 1e-9);
  EXPECT_DOUBLE_EQ(probe.InletHeadwaterDepth, 6);  // the headwater at the full discharge

  probe.Visited.clear();
  probe.OverflowElevation = 0;
  probe.CalculateDischarge(true, 25, 0, 0);
  EXPECT_EQ(probe.Visited.size(), 1u);
  EXPECT_DOUBLE_EQ(probe.OverflowDischarge, 0);
}

TEST(CulvertImprovedInlet, TextsAndSmallPipes) {
  TCircularSmoothElement e;
  EXPECT_EQ(e.ImprovedInletText(), "");
  e.ImprovedInletType = iiSideTaper;
  e.ImprovedInletSlope = 0.0125;
  e.ImprovedInletFall = 0.6;
  EXPECT_EQ(e.ImprovedInletText(), "Side Taper (S=0.0125)(F=0.60)");
  e.DesignCode = "D";
  e.DesignOffset = -2;
  EXPECT_EQ(e.DesignCodeText(), "D - 2");
  e.DesignOffset = 1;
  EXPECT_EQ(e.DesignCodeText(), "D + 1");
  e.DesignCode = "MAXS";
  EXPECT_EQ(e.DesignCodeText(), "MAXS");

  auto small = MakeCircle(3.5);
  EXPECT_EQ(small->DesignImprovedInlet(1), -1);
}
