// The bisection solvers checked against closed forms of a box and a circle.

#include <gtest/gtest.h>

#include <cmath>

#include "model/Geometry.h"
#include "model/NerraBase.h"

namespace {

constexpr double Tolerance = 0.002;  // the solvers stop on a 0.001 ft bracket

class TBoxElement : public TNerraElement {
public:
  TBoxElement(double width, double rise) : Width(width), Rise(rise) {}
  double Width;
  double Rise;
  double MaxRatio = 0.938;
  mutable int Evaluations = 0;

  double MaxFlowDepthRatio() const override { return MaxRatio; }

  TSectionProperties SectionProperties(double depthRatio) const override {
    ++Evaluations;
    const TSectionGeometry g = RectangleSection(depthRatio * Rise, Width, Rise);
    return {g.Area, g.TopWidth, g.WettedPerimeter > 0 ? g.Area / g.WettedPerimeter : 0, g.WettedPerimeter};
  }
};

class TPipeElement : public TNerraElement {
public:
  explicit TPipeElement(double diameter) : Diameter(diameter) {}
  double Diameter;

  TSectionProperties SectionProperties(double depthRatio) const override {
    const TSectionGeometry g = CircleSegment(depthRatio * Diameter, Diameter / 2);
    return {g.Area, g.TopWidth, g.WettedPerimeter > 0 ? g.Area / g.WettedPerimeter : 0, g.WettedPerimeter};
  }
};

// Manning discharge of an open rectangle (no top) at depth y.
double RectangleDischarge(double width, double y, double slope, double n) {
  const double area = width * y;
  const double radius = area / (width + 2 * y);
  return 1.486 / n * area * std::pow(radius, 0.66667) * std::sqrt(slope);
}

TEST(DepthSolverTest, NormalDepthOfBoxMatchesManning) {
  struct TCase {
    double Width, Rise, Bed, Depth, Slope;
  };
  const TCase cases[] = {
      {4, 4, 0, 1.0, 0.01}, {4, 4, 0, 2.5, 0.002}, {6, 3, 0, 0.3, 0.05}, {4, 4, 0.5, 1.2, 0.01},
      {8, 5, 1.0, 3.0, 0.001},
  };
  for (const TCase& c : cases) {
    TBoxElement box(c.Width, c.Rise);
    // Above a bed the flow section is the rectangle above it, with the bed
    // width in place of the buried walls and floor.
    const double Q = RectangleDischarge(c.Width, c.Depth, c.Slope, 0.012);
    const double y = box.NormalDepth(c.Bed, c.Slope, c.Rise, Q);
    EXPECT_NEAR(y, c.Depth, Tolerance) << "width " << c.Width << " bed " << c.Bed;
    EXPECT_DOUBLE_EQ(box.EffectiveN, 0.012);
  }
}

TEST(DepthSolverTest, NormalDepthFullRules) {
  TBoxElement box(4, 4);
  // Above 1.064 times the full-barrel capacity the barrel is full.
  const double area = 16, radius = 16.0 / 16;
  const double fullQ = 1.486 / 0.012 * area * std::pow(radius, 0.66667) * std::sqrt(0.01);
  EXPECT_DOUBLE_EQ(box.NormalDepth(0, 0.01, 4, 1.07 * fullQ), 4);

  // A solved ratio at or above the maximum flow depth ratio reports the rise
  // (0.85 of the rise stays below the full-flow shortcut).
  box.MaxRatio = 0.8;
  const double aboveLimit = RectangleDischarge(4, 0.85 * 4, 0.01, 0.012);
  EXPECT_DOUBLE_EQ(box.NormalDepth(0, 0.01, 4, aboveLimit), 4);
  const double belowLimit = RectangleDischarge(4, 0.75 * 4, 0.01, 0.012);
  EXPECT_NEAR(box.NormalDepth(0, 0.01, 4, belowLimit), 3.0, Tolerance);

  // With a bed the full depth is the rise above the bed.
  EXPECT_DOUBLE_EQ(box.NormalDepth(1, 0.01, 4, 10 * fullQ), 3);
}

TEST(DepthSolverTest, CriticalDepthMatchesClosedForms) {
  // Rectangle: yc = (q^2/g)^(1/3) with q the discharge per foot of width.
  for (double Q : {5.0, 20.0, 60.0}) {
    TBoxElement box(4, 6);
    const double expected = std::cbrt((Q / 4) * (Q / 4) / 32.2);
    EXPECT_NEAR(box.CriticalDepth(0, 6, Q), expected, Tolerance) << Q;
    EXPECT_NEAR(box.CriticalDepth(0.5, 6, Q), expected, Tolerance) << Q;
  }
  // Circle: the Froude condition Q^2 T / (g A^3) = 1 holds at the result.
  TPipeElement pipe(3);
  const double yc = pipe.CriticalDepth(0, 3, 30);
  const TSectionGeometry g = CircleSegment(yc, 1.5);
  EXPECT_NEAR(30.0 * 30.0 * g.TopWidth / (32.2 * g.Area * g.Area * g.Area), 1.0, 0.01);
}

TEST(DepthSolverTest, NormalDepthOfPipeSatisfiesManning) {
  TPipeElement pipe(3);
  const double y = pipe.NormalDepth(0, 0.005, 3, 20);
  ASSERT_GT(y, 0);
  ASSERT_LT(y, 3);
  const TSectionGeometry g = CircleSegment(y, 1.5);
  const double Q = 1.486 / 0.012 * g.Area * std::pow(g.Area / g.WettedPerimeter, 0.66667) * std::sqrt(0.005);
  EXPECT_NEAR(Q, 20, 0.1);
}

TEST(DepthSolverTest, BisectionIsBounded) {
  TBoxElement box(4, 4);
  box.NormalDepth(0, 0.01, 4, 30);
  EXPECT_LE(box.Evaluations, 2 + 20);  // full and bed sections, then halving to 0.001 ft
  box.Evaluations = 0;
  box.CriticalDepth(0, 4, 30);
  EXPECT_LE(box.Evaluations, 20);
  // A huge barrel still stops long before the evaluation limit.
  TBoxElement huge(1e6, 1e6);
  huge.CriticalDepth(0, 1e6, 1);
  EXPECT_LE(huge.Evaluations, 1001);
}

TEST(DepthSolverTest, DegenerateInputsStayFinite) {
  struct TCase {
    const char* Name;
    double Bed, Slope, Rise, Q;
  };
  const TCase cases[] = {
      {"zero slope", 0, 0, 4, 10},   {"adverse slope", 0, -0.01, 4, 10}, {"zero rise", 0, 0.01, 0, 10},
      {"bed fills barrel", 4, 0.01, 4, 10}, {"no flow", 0, 0.01, 4, 0},   {"no flow, flat", 0, 0, 4, 0},
      {"NaN discharge", 0, 0.01, 4, NAN},   {"negative flow", 0, 0.01, 4, -5},
  };
  for (const TCase& c : cases) {
    TBoxElement box(4, 4);
    const double normal = box.NormalDepth(c.Bed, c.Slope, c.Rise, c.Q);
    const double critical = box.CriticalDepth(c.Bed, c.Rise, c.Q);
    EXPECT_TRUE(std::isfinite(normal)) << c.Name;
    EXPECT_TRUE(std::isfinite(critical)) << c.Name;
    EXPECT_TRUE(std::isfinite(box.EffectiveN)) << c.Name;
    EXPECT_GE(normal, 0) << c.Name;
    EXPECT_LE(normal, std::max(c.Rise - c.Bed, 0.0) + 1e-12) << c.Name;
  }
  // A flat barrel carrying flow runs full; without flow it is dry.
  TBoxElement box(4, 4);
  EXPECT_DOUBLE_EQ(box.NormalDepth(0, 0, 4, 10), 4);
  EXPECT_NEAR(box.NormalDepth(0, 0, 4, 0), 0, Tolerance);
  EXPECT_NEAR(box.CriticalDepth(0, 4, 0), 0, Tolerance);
}

}  // namespace
