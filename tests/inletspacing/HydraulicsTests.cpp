// Single-inlet hydraulics, checked against hand-worked values and against
// FHWA HEC-22 where its equations are the ones used here.

#include <gtest/gtest.h>

#include <cmath>

#include "inletspacing/InletHydraulics.h"

TEST(InletHydraulics, CatchBasinCodesGiveWidthLengthAndRules) {
  struct TCase {
    const char* Code;
    double Width;
    double Length;
    bool HasLength;
    bool Grate;
    TSagRule Sag;
  };
  const TCase cases[] = {
      {"0", 1.4, 2.5, true, true, TSagRule::GrateA},       {"1", 1.4, 5, true, true, TSagRule::GrateB},
      {"2", 2.5, 10, true, false, TSagRule::GrateC},       {"21", 2.5, 10, true, false, TSagRule::GrateC},
      {"5", 0, 10, true, false, TSagRule::CurbOpening},    {"15", 0, 15, true, false, TSagRule::CurbOpening},
      {" 20 ", 0, 20, true, false, TSagRule::CurbOpening}, {"Type B", 0, 0, false, false, TSagRule::CurbOpening},
      {"", 0, 0, false, false, TSagRule::CurbOpening},     {"00", 0, 0, false, false, TSagRule::CurbOpening},
      {"-5", 0, 0, false, false, TSagRule::CurbOpening},   {"99999999999", 0, 0, false, false, TSagRule::CurbOpening},
  };
  for (const TCase& c : cases) {
    const TCatchBasinGeometry g = CatchBasinGeometry(c.Code);
    EXPECT_EQ(g.InletWidth, c.Width) << c.Code;
    EXPECT_EQ(g.InletLength, c.Length) << c.Code;
    EXPECT_EQ(g.HasLength, c.HasLength) << c.Code;
    EXPECT_EQ(g.GrateOnGrade, c.Grate) << c.Code;
    EXPECT_EQ(g.SagRule, c.Sag) << c.Code;
  }
}

TEST(InletHydraulics, OverlandTimeByLengthSlopeAndSurface) {
  EXPECT_NEAR(OverlandTime(100, 2, "1"), 4.174, 0.0005);
  EXPECT_NEAR(OverlandTime(100, 2, "3"), 10.058, 0.0005);
  EXPECT_NEAR(OverlandTime(100, 2, "x"), 74.225, 0.0005);
  EXPECT_EQ(OverlandTime(0, 2, "1"), 0);
  EXPECT_EQ(OverlandTime(100, 0, "1"), 0);
}

TEST(InletHydraulics, InterceptionPerFootAndEfficiency) {
  EXPECT_NEAR(InterceptionPerLength(0.1667, 0.2), 0.134, 0.0005);
  EXPECT_NEAR(InterceptionPerLength(0, 0.2), 0.0626, 0.00005);
  EXPECT_EQ(InterceptionPerLength(0, 0), 0);
  EXPECT_EQ(InterceptionPerLength(0.1667, -0.1), 0);
  EXPECT_NEAR(InterceptionEfficiency(0.5, 0), 0.823, 0.0005);
  EXPECT_EQ(InterceptionEfficiency(1, 0), 1);
  // A very short inlet still takes its tenth of the flow.
  EXPECT_EQ(InterceptionEfficiency(0.001, 2), 0.1);
}

TEST(InletHydraulics, SagCurbOpeningWeirTransitionAndOrifice) {
  TSagSection s;
  s.GutterSlope = 0.02;
  s.PavementSlope = 0.02;
  struct TCase {
    double Flow;
    double Depth;
  };
  for (TCase c : {TCase{2, 0.161}, TCase{6, 0.336}, TCase{20, 1.31}}) {
    const TSagHead h = SagCurbHead(c.Flow, 10, s);
    EXPECT_NEAR(h.PondedDepth, c.Depth, c.Depth < 1 ? 0.0005 : 0.005) << c.Flow;
    // No gutter width: the spread is that of the pavement slope.
    EXPECT_NEAR(h.Spread, h.PondedDepth > 0.03 ? h.PondedDepth / 0.02 : 1.5 * h.PondedDepth / 0.03, 1e-9);
  }
  // With a gutter 2 ft wide at 0.1 and 0.02 beyond: 0.161 ft stays in it.
  s.GutterSlope = 0.1;
  s.GutterWidth = 2;
  const TSagHead inGutter = SagCurbHead(2, 10, s);
  EXPECT_NEAR(inGutter.Spread, inGutter.PondedDepth * 2 / 0.2, 1e-9);
  const TSagHead beyond = SagCurbHead(6, 10, s);
  EXPECT_NEAR(beyond.Spread, 2 + (beyond.PondedDepth - 0.2) / 0.02, 1e-9);
  // No length or no flow: nothing ponds, nothing divides by zero.
  EXPECT_EQ(SagCurbHead(2, 0, s).PondedDepth, 0);
  EXPECT_EQ(SagCurbHead(0, 10, s).Spread, 0);
}

TEST(InletHydraulics, SagGrateWeirTransitionAndOrifice) {
  const TSagGrateConstants a = SagGrateConstants(TSagRule::GrateA);
  TSagSection s;
  s.GutterSlope = 0.02;
  s.PavementSlope = 0.02;
  struct TCase {
    double Flow;
    double Depth;
  };
  for (TCase c : {TCase{2, 0.204}, TCase{5, 0.457}, TCase{10, 1.566}}) {
    const TSagHead h = SagGrateHead(c.Flow, a, 1.4, s);
    EXPECT_NEAR(h.PondedDepth, c.Depth, 0.0005) << c.Flow;
    EXPECT_TRUE(std::isfinite(h.Spread));
  }
  // The weir head solves the weir equation.
  const TSagHead weir = SagGrateHead(2, a, 1.4, s);
  EXPECT_NEAR(SagGrateWeirFlow(weir.PondedDepth, a, 1.4), 2, 1e-5);
  // Uniform slope: within the depression H/e + t, beyond it (H - a)/Sx + t.
  EXPECT_NEAR(weir.Spread, (weir.PondedDepth - 0) / 0.02 + 1.4, 1e-9);
  EXPECT_EQ(SagGrateHead(0, a, 1.4, s).PondedDepth, 0);
}

TEST(InletHydraulics, SagGrateSpreadOnACompositeSection) {
  const TSagGrateConstants c = SagGrateConstants(TSagRule::GrateC);  // e 0.0833
  TSagSection s{0.05, 0.02, 0.1, 3};
  // X = 0.1 / 0.0333 = 3.0030, Y = 0.2502, Z = (3 - 3.003 - 2.5) * 0.05 + Y = 0.1250.
  const TSagHead h = SagGrateHead(3, c, 2.5, s);
  ASSERT_GT(h.PondedDepth, 0.125);
  EXPECT_NEAR(h.Spread, (h.PondedDepth - 0.12515) / 0.02 + 3, 0.01);
  // A gutter as steep as the depression: no division by zero.
  for (TSagSection flat : {TSagSection{c.CrossSlope, 0.02, 0.1, 3}, TSagSection{c.CrossSlope, c.CrossSlope, 0, 3}})
    EXPECT_TRUE(std::isfinite(SagGrateHead(3, c, 2.5, flat).Spread));
  // The usual 0.0833 gutter at a combination inlet: the pond leaves the
  // gutter at Z = (W - t) Sw + a = 0.14165 ft, the same Z the general case
  // gives for any e; below it the depression slope alone sets the spread.
  const TSagSection usual{c.CrossSlope, 0.02, 0.1, 3};
  const TSagHead high = SagGrateHead(3, c, 2.5, usual);
  ASSERT_GT(high.PondedDepth, 0.14165);
  EXPECT_NEAR(high.Spread, (high.PondedDepth - 0.14165) / 0.02 + 3, 1e-9);
  const TSagHead low = SagGrateHead(1.5, c, 2.5, usual);
  ASSERT_LT(low.PondedDepth, 0.14165);
  EXPECT_NEAR(low.Spread, low.PondedDepth / c.CrossSlope + 2.5, 1e-9);
  // A gutter steeper than the depression (0.15 against e 0.1074) and a pond
  // shallower than the 0.4 ft depression: (H - a) / Sw + t is negative for
  // a small flow and is reported as no spread; a larger flow keeps the rule.
  const TSagGrateConstants a = SagGrateConstants(TSagRule::GrateA);
  const TSagSection steep{0.15, 0.02, 0.4, 2};
  const TSagHead shallow = SagGrateHead(0.5, a, 1.4, steep);
  ASSERT_GT(shallow.PondedDepth, 0.001);
  ASSERT_LT((shallow.PondedDepth - 0.4) / 0.15 + 1.4, 0);
  EXPECT_EQ(shallow.Spread, 0);
  const TSagHead deeper = SagGrateHead(2, a, 1.4, steep);
  EXPECT_NEAR(deeper.Spread, (deeper.PondedDepth - 0.4) / 0.15 + 1.4, 1e-9);
  EXPECT_GT(deeper.Spread, 0);
}

// HEC-22 (3rd ed.) Example 4-1, English units: Sx = 0.02, n = 0.016,
// SL = 0.010, T = 8.2 ft gives Q = 1.4 ft3/s; a 2 ft width next to the curb
// carries Eo = 0.53 of it (0.74 ft3/s). Triangular gutter flow here is
// K d^2.667 with d = T Sx, the same equation.
TEST(InletHydraulics, TriangularGutterMatchesHec22Example4_1) {
  const double k = GutterConveyance(0.016, 0.02, 0.010);
  const double d = 8.2 * 0.02;
  const double q = k * std::pow(d, 2.667);
  EXPECT_NEAR(q, 1.4, 0.05);
  // The inverse uses 0.375 for 1/2.667, a few thousandths of a foot off.
  EXPECT_NEAR(TriangularDepth(q, k) / 0.02, 8.2, 0.005);
  const double frontal = q - k * std::pow(d - 2 * 0.02, 2.667);
  EXPECT_NEAR(frontal / q, 0.53, 0.005);
  EXPECT_NEAR(frontal, 0.74, 0.01);
}
