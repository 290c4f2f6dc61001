// The two culvert calculators: section figures full and at a depth, the
// completion of an elliptical section, and the Manning depths and flows,
// checked against hand calculations.

#include <gtest/gtest.h>

#include <cmath>

#include "culvert/CulvertCalculators.h"

namespace {

TCalculatorSection Circle(double diameter) {
  TCalculatorSection s;
  s.Diameter = diameter;
  return s;
}

TCalculatorSection Box(double width, double height) {
  TCalculatorSection s;
  s.Width = width;
  s.Height = height;
  return s;
}

// An elliptical section of span 4 and rise 3 given by its top angle only.
TCalculatorSection Ellipse() {
  TCalculatorSection s;
  s.Span = 4;
  s.Rise = 3;
  s.Theta = 45.2;
  return s;
}

THydraulicToolInput Design(double flow, double n, double slope) { return THydraulicToolInput{flow, n, slope}; }

// 1.486 / 0.013 · 0.5^0.66667 · 0.01^0.5 · π, worked by hand: a 2 ft pipe
// flowing full (R = D/4 = 0.5 ft) at n 0.013 and slope 1 %.
constexpr double HandFullFlow = 114.307692 * 0.629960 * 0.1 * 3.14159265;

}  // namespace

TEST(CulvertGeometricTool, CircleFullAndHalf) {
  const TGeometricToolResult r = CalculateGeometricTool(csCircular, Circle(2), 1);
  EXPECT_EQ(r.Message.Text, "");
  EXPECT_NEAR(r.Full.Area, Pi, 1e-9);
  EXPECT_NEAR(r.Full.WettedPerimeter, 2 * Pi, 1e-9);
  EXPECT_NEAR(r.Full.HydraulicRadius, 0.5, 1e-9);
  EXPECT_NEAR(r.Partial.Area, Pi / 2, 1e-9);
  EXPECT_NEAR(r.Partial.TopWidth, 2, 1e-9);
  EXPECT_NEAR(r.Partial.WettedPerimeter, Pi, 1e-9);
  EXPECT_NEAR(r.Partial.HydraulicRadius, 0.5, 1e-9);
  // The full top width is 0 at the crown, not a rounding remainder.
  EXPECT_EQ(r.Full.TopWidth, 0);

  const TGeometricToolResult dry = CalculateGeometricTool(csCircular, Circle(2), 0);
  EXPECT_NEAR(dry.Full.Area, Pi, 1e-9);
  EXPECT_EQ(dry.Partial.Area, 0);
  EXPECT_EQ(dry.Partial.WettedPerimeter, 0);
  EXPECT_EQ(dry.Partial.HydraulicRadius, 0);
}

TEST(CulvertGeometricTool, BoxFullAndHalf) {
  const TGeometricToolResult r = CalculateGeometricTool(csBox, Box(4, 3), 1.5);
  EXPECT_EQ(r.Message.Text, "");
  EXPECT_DOUBLE_EQ(r.Full.Area, 12);
  EXPECT_DOUBLE_EQ(r.Full.WettedPerimeter, 14);
  EXPECT_DOUBLE_EQ(r.Full.HydraulicRadius, 6.0 / 7);
  EXPECT_DOUBLE_EQ(r.Partial.Area, 6);
  EXPECT_DOUBLE_EQ(r.Partial.TopWidth, 4);
  EXPECT_DOUBLE_EQ(r.Partial.WettedPerimeter, 7);
  EXPECT_DOUBLE_EQ(r.Partial.HydraulicRadius, 6.0 / 7);
}

TEST(CulvertGeometricTool, RefusalsKeepZeros) {
  struct Case {
    TCalculatorShape shape;
    TCalculatorSection section;
    double depth;
    const char* message;
    bool fullKept;
  };
  TCalculatorSection noAngle = Ellipse();
  noAngle.Theta = 0;
  TCalculatorSection flat = Ellipse();
  flat.Rise = 0;
  const Case cases[] = {
      {csCircular, Circle(0), 1, "Diameter should be greater than 0.", false},
      {csCircular, Circle(-2), 0, "Diameter should be greater than 0.", false},
      {csElliptical, flat, 1, "Span and Rise should be greater than 0.", false},
      {csElliptical, noAngle, 1, "Theta or RT/RS should be greater than 0.", false},
      {csBox, Box(-4, 3), 1, "Width and Height should not be negative.", false},
      {csCircular, Circle(1e300), 1, "The values entered are too large to compute.", false},
      // A depth outside the section keeps the full column and refuses the partial.
      {csCircular, Circle(2), 2.5, "Depth should not be greater than Diameter.", true},
      {csElliptical, Ellipse(), 3.1, "Depth should not be greater than Rise.", true},
      {csBox, Box(4, 3), 3.5, "Depth should not be greater than Height.", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const TGeometricToolResult r = CalculateGeometricTool(c.shape, c.section, c.depth);
    EXPECT_EQ(r.Message.Text, c.message);
    EXPECT_FALSE(r.Message.Notice);
    EXPECT_EQ(r.Full.Area > 0, c.fullKept);
    EXPECT_EQ(r.Partial.Area, 0);
    EXPECT_EQ(r.Partial.WettedPerimeter, 0);
  }

  const TGeometricToolResult arch = CalculateGeometricTool(csPipeArch, Ellipse(), 1);
  EXPECT_EQ(arch.Message.Text, "Not available in this version");
  EXPECT_TRUE(arch.Message.Notice);
}

TEST(CulvertGeometricTool, EllipseCompletedBothWays) {
  // From the angle: RT, RS and Phi are filled in.
  const TGeometricToolResult fromAngle = CalculateGeometricTool(csElliptical, Ellipse(), 1.5);
  ASSERT_EQ(fromAngle.Message.Text, "");
  ASSERT_TRUE(fromAngle.ArcCompleted);
  EXPECT_NEAR(fromAngle.Phi, 180 - 45.2, 1e-9);
  EXPECT_GT(fromAngle.RT, fromAngle.RS);
  // At mid-height the section holds half its full area.
  EXPECT_NEAR(fromAngle.Partial.Area, fromAngle.Full.Area / 2, 1e-9);
  EXPECT_NEAR(fromAngle.Partial.TopWidth, 4, 1e-9);

  // From the radii: the angles come back as they were.
  TCalculatorSection radii;
  radii.Span = 4;
  radii.Rise = 3;
  radii.RT = fromAngle.RT;
  radii.RS = fromAngle.RS;
  const TGeometricToolResult fromRadii = CalculateGeometricTool(csElliptical, radii, 1.5);
  ASSERT_EQ(fromRadii.Message.Text, "");
  ASSERT_TRUE(fromRadii.ArcCompleted);
  EXPECT_NEAR(fromRadii.Theta, 45.2, 1e-9);
  EXPECT_NEAR(fromRadii.Phi, 134.8, 1e-9);
  EXPECT_NEAR(fromRadii.Full.Area, fromAngle.Full.Area, 1e-9);
}

TEST(CulvertHydraulicTool, CircleAgainstHandCalculation) {
  const THydraulicToolResult full = CalculateHydraulicTool(csCircular, Circle(2), Design(0, 0.013, 0.01));
  EXPECT_EQ(full.Message.Text, "");
  EXPECT_NEAR(full.QFull, HandFullFlow, 1e-3);
  EXPECT_GT(full.QMax, full.QFull);
  // No discharge: no depths, but the capacities still.
  EXPECT_EQ(full.NormalDepth, 0);
  EXPECT_EQ(full.CriticalDepth, 0);

  // Half full, R is still D/4, so half the full flow runs at half the depth.
  const THydraulicToolResult half =
      CalculateHydraulicTool(csCircular, Circle(2), Design(HandFullFlow / 2, 0.013, 0.01));
  EXPECT_NEAR(half.NormalDepth, 1.0, 2e-3);

  // Critical at half depth: Q = sqrt(g A^3 / T) = sqrt(32.2 · (π/2)^3 / 2).
  const double criticalFlow = std::sqrt(32.2 * std::pow(Pi / 2, 3) / 2);
  const THydraulicToolResult critical =
      CalculateHydraulicTool(csCircular, Circle(2), Design(criticalFlow, 0.013, 0.01));
  EXPECT_NEAR(critical.CriticalDepth, 1.0, 2e-3);

  // Beyond the full-flow ratio the normal depth is the whole diameter.
  const THydraulicToolResult surcharged =
      CalculateHydraulicTool(csCircular, Circle(2), Design(2 * HandFullFlow, 0.013, 0.01));
  EXPECT_DOUBLE_EQ(surcharged.NormalDepth, 2);
}

TEST(CulvertHydraulicTool, BoxAgainstHandCalculation) {
  // 4 ft wide at 1 ft deep: A = 4, P = 6.
  const double flowAtOneFoot = 1.486 / 0.013 * std::pow(4.0 / 6, 0.66667) * 0.1 * 4;
  const THydraulicToolResult r = CalculateHydraulicTool(csBox, Box(4, 3), Design(flowAtOneFoot, 0.013, 0.01));
  EXPECT_EQ(r.Message.Text, "");
  EXPECT_NEAR(r.NormalDepth, 1.0, 2e-3);
  // Rectangle: yc = (q² / g)^(1/3) with q the flow per foot of width.
  EXPECT_NEAR(r.CriticalDepth, std::cbrt(std::pow(flowAtOneFoot / 4, 2) / 32.2), 2e-3);
  EXPECT_NEAR(r.QFull, 1.486 / 0.013 * std::pow(12.0 / 14, 0.66667) * 0.1 * 12, 1e-9);
}

TEST(CulvertHydraulicTool, EllipseDepthsLieInTheBarrel) {
  const THydraulicToolResult r = CalculateHydraulicTool(csElliptical, Ellipse(), Design(20, 0.013, 0.01));
  EXPECT_EQ(r.Message.Text, "");
  EXPECT_GT(r.NormalDepth, 0);
  EXPECT_LE(r.NormalDepth, 3);
  EXPECT_GT(r.CriticalDepth, 0);
  EXPECT_LE(r.CriticalDepth, 3);
  EXPECT_GT(r.QMax, r.QFull);
}

TEST(CulvertHydraulicTool, RefusalsKeepZeros) {
  TCalculatorSection noAngle = Ellipse();
  noAngle.Theta = 0;
  TCalculatorSection equalRadii = noAngle;
  equalRadii.RT = equalRadii.RS = 2;
  struct Case {
    TCalculatorShape shape;
    TCalculatorSection section;
    THydraulicToolInput design;
    const char* message;
  };
  const Case cases[] = {
      {csCircular, Circle(2), Design(10, 0, 0.01), "Diameter, Manning and Slope should be greater than 0."},
      {csCircular, Circle(2), Design(10, 0.013, 0), "Diameter, Manning and Slope should be greater than 0."},
      {csElliptical, Ellipse(), Design(10, 0, 0.01), "Rise, Span, Manning and Slope should be greater than 0."},
      {csElliptical, noAngle, Design(10, 0.013, 0.01), "RT/RS or Theta should be greater than 0."},
      {csElliptical, equalRadii, Design(10, 0.013, 0.01), "Span, Rise, RT, RS, Theta and Phi do not make a section."},
      {csBox, Box(0, 3), Design(10, 0.013, 0.01), "Width, Height, Manning and Slope should be greater than 0."},
      {csCircular, Circle(1e300), Design(1e300, 0.013, 0.01), "The values entered are too large to compute."},
      {csPipeArch, Ellipse(), Design(10, 0.013, 0.01), "Not available in this version"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    const THydraulicToolResult r = CalculateHydraulicTool(c.shape, c.section, c.design);
    EXPECT_EQ(r.Message.Text, c.message);
    EXPECT_EQ(r.Message.Notice, c.shape == csPipeArch);
    EXPECT_EQ(r.NormalDepth, 0);
    EXPECT_EQ(r.CriticalDepth, 0);
    EXPECT_EQ(r.QMax, 0);
    EXPECT_EQ(r.QFull, 0);
  }
}
