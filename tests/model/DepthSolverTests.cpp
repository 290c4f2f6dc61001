// The bisection solvers checked against closed forms of a box and a circle.

#include <gtest/gtest.h>

#include <cmath>

#include "model/Geometry.h"
#include "model/NerraBase.h"

namespace {

constexpr double Tolerance = 0.002;  // the solvers stop on a 0.001 ft bracket

TSectionProperties Properties(const TSectionGeometry& g) {
  return {g.Area, g.TopWidth, g.WettedPerimeter > 0 ? g.Area / g.WettedPerimeter : 0, g.WettedPerimeter};
}

class TBoxElement : public TNerraElement {
public:
  TBoxElement(double width, double rise) : Width(width), Rise(rise) {}
  double Width, Rise, MaxRatio = 0.938;
  mutable int Evaluations = 0;
  double MaxFlowDepthRatio() const override { return MaxRatio; }
  TSectionProperties SectionProperties(double ratio) const override {
    ++Evaluations;
    return Properties(RectangleSection(ratio * Rise, Width, Rise));
  }
};

class TPipeElement : public TNerraElement {
public:
  TSectionProperties SectionProperties(double ratio) const override {
    return Properties(CircleSegment(ratio * 3, 1.5));
  }
};

// Manning discharge of an open rectangle at depth y, n = 0.012.
double RectangleDischarge(double width, double y, double slope) {
  const double area = width * y;
  return 1.486 / 0.012 * area * std::pow(area / (width + 2 * y), 0.66667) * std::sqrt(slope);
}

TEST(DepthSolverTest, NormalDepthMatchesManning) {
  // Above a bed the flow section is the rectangle above it (bed width in place
  // of the buried walls and floor), so the open-channel formula still holds.
  const struct {
    double Width, Rise, Bed, Depth, Slope;
  } cases[] = {
      {4, 4, 0, 1.0, 0.01}, {4, 4, 0, 2.5, 0.002}, {6, 3, 0, 0.3, 0.05}, {4, 4, 0.5, 1.2, 0.01}, {8, 5, 1, 3, 0.001}};
  for (const auto& c : cases) {
    TBoxElement box(c.Width, c.Rise);
    EXPECT_NEAR(box.NormalDepth(c.Bed, c.Slope, c.Rise, RectangleDischarge(c.Width, c.Depth, c.Slope)), c.Depth,
                Tolerance)
        << c.Width << " bed " << c.Bed;
    EXPECT_DOUBLE_EQ(box.EffectiveN, 0.012);
    EXPECT_LE(box.Evaluations, 2 + 20);  // bracket halves down to 0.001 ft
  }
  TPipeElement pipe;
  const TSectionGeometry g = CircleSegment(pipe.NormalDepth(0, 0.005, 3, 20), 1.5);
  EXPECT_NEAR(1.486 / 0.012 * g.Area * std::pow(g.Area / g.WettedPerimeter, 0.66667) * std::sqrt(0.005), 20, 0.1);
}

TEST(DepthSolverTest, FullBarrelRules) {
  TBoxElement box(4, 4);
  const double fullQ = 1.486 / 0.012 * 16 * std::sqrt(0.01);  // closed box: R = 16/16
  EXPECT_DOUBLE_EQ(box.NormalDepth(0, 0.01, 4, 1.07 * fullQ), 4);
  EXPECT_DOUBLE_EQ(box.NormalDepth(1, 0.01, 4, 10 * fullQ), 3);  // the rise above the bed
  // A solved ratio at or above the maximum flow depth ratio reports the rise.
  box.MaxRatio = 0.8;
  EXPECT_DOUBLE_EQ(box.NormalDepth(0, 0.01, 4, RectangleDischarge(4, 3.4, 0.01)), 4);
  EXPECT_NEAR(box.NormalDepth(0, 0.01, 4, RectangleDischarge(4, 3.0, 0.01)), 3.0, Tolerance);
}

TEST(DepthSolverTest, CriticalDepthMatchesClosedForms) {
  for (double Q : {5.0, 20.0, 60.0}) {
    TBoxElement box(4, 6);
    const double expected = std::cbrt((Q / 4) * (Q / 4) / 32.2);  // (q^2/g)^(1/3)
    EXPECT_NEAR(box.CriticalDepth(0, 6, Q), expected, Tolerance) << Q;
    EXPECT_NEAR(box.CriticalDepth(0.5, 6, Q), expected, Tolerance) << Q;
  }
  TPipeElement pipe;
  const TSectionGeometry g = CircleSegment(pipe.CriticalDepth(0, 3, 30), 1.5);
  EXPECT_NEAR(30.0 * 30.0 * g.TopWidth / (32.2 * g.Area * g.Area * g.Area), 1.0, 0.01);  // Froude 1
  TBoxElement huge(1e6, 1e6);
  huge.CriticalDepth(0, 1e6, 1);
  EXPECT_LE(huge.Evaluations, 1001);
}

TEST(DepthSolverTest, DegenerateInputsStayFinite) {
  const struct {
    const char* Name;
    double Bed, Slope, Rise, Q;
  } cases[] = {{"zero slope", 0, 0, 4, 10},   {"adverse slope", 0, -0.01, 4, 10}, {"zero rise", 0, 0.01, 0, 10},
               {"bed fills", 4, 0.01, 4, 10}, {"no flow", 0, 0.01, 4, 0},         {"no flow, flat", 0, 0, 4, 0},
               {"NaN flow", 0, 0.01, 4, NAN}, {"negative flow", 0, 0.01, 4, -5}};
  for (const auto& c : cases) {
    TBoxElement box(4, 4);
    const double normal = box.NormalDepth(c.Bed, c.Slope, c.Rise, c.Q);
    EXPECT_TRUE(std::isfinite(box.CriticalDepth(c.Bed, c.Rise, c.Q))) << c.Name;
    EXPECT_TRUE(std::isfinite(box.EffectiveN)) << c.Name;
    EXPECT_GE(normal, 0) << c.Name;
    EXPECT_LE(normal, std::max(c.Rise - c.Bed, 0.0)) << c.Name;
  }
  // A flat barrel carrying flow runs full; without flow it is dry.
  TBoxElement box(4, 4);
  EXPECT_DOUBLE_EQ(box.NormalDepth(0, 0, 4, 10), 4);
  EXPECT_NEAR(box.NormalDepth(0, 0, 4, 0), 0, Tolerance);
  EXPECT_NEAR(box.CriticalDepth(0, 4, 0), 0, Tolerance);
}

}  // namespace
