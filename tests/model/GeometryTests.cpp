// Section geometry against closed forms, and the compound-arc pieces where
// they meet.

#include <gtest/gtest.h>

#include <cmath>

#include "model/Geometry.h"

namespace {

void ExpectSection(const TSectionGeometry& g, double area, double top, double perimeter, const char* what) {
  EXPECT_NEAR(g.Area, area, 1e-9) << what;
  EXPECT_NEAR(g.TopWidth, top, 1e-6) << what;
  EXPECT_NEAR(g.WettedPerimeter, perimeter, 1e-9) << what;
}

TEST(GeometryTest, ClosedFormsAndPowers) {
  EXPECT_DOUBLE_EQ(DegToRad(180), Pi);
  EXPECT_DOUBLE_EQ(RadToDeg(Pi), 180);
  EXPECT_DOUBLE_EQ(RealPower(8, 1.0 / 3), 2);
  EXPECT_EQ(RealPower(0, 0.5), 0);
  EXPECT_EQ(RealPower(-3, 0), 1);
  EXPECT_EQ(RealPower(-8, 0.5), 0);  // no real power: finite, not NaN
  EXPECT_EQ(RealPower(0, -1), 0);    // nor infinity

  const double R = 1.5, a = 2 * Pi / 3;  // a quarter of the diameter deep: 120 degrees
  const double quarterArea = (a - std::sin(a)) * R * R / 2;
  ExpectSection(CircleSegment(R, R), Pi * R * R / 2, 2 * R, Pi * R, "half");
  ExpectSection(CircleSegment(2 * R, R), Pi * R * R, 0, 2 * Pi * R, "full");
  ExpectSection(CircleSegment(R / 2, R), quarterArea, R * std::sqrt(3.0), R * a, "quarter");
  ExpectSection(CircleSegment(1.5 * R, R), Pi * R * R - quarterArea, R * std::sqrt(3.0), R * (2 * Pi - a), "3/4");
  ExpectSection(CircleSegment(0.7, 0), 0, 0, 0, "no radius");
  ExpectSection(CircleSegment(2 * R + 1e-12, R), Pi * R * R, 0, 2 * Pi * R, "rounding above the crown");
  ExpectSection(CircleSegment(-1e-12, R), 0, 0, 0, "rounding below the invert");

  ExpectSection(RectangleSection(4, 6, 4), 24, 6, 20, "at the top");
  ExpectSection(RectangleSection(4.5, 6, 4), 27, 6, 20, "above the top");
  ExpectSection(RectangleSection(3.999, 6, 4), 23.994, 6, 20, "within 0.002 ft of the top");
  ExpectSection(RectangleSection(3.99, 6, 4), 23.94, 6, 13.98, "0.01 ft below the top");
}

// A consistent four-arc section built from its radii and top angle.
struct TArc {
  double RT, RS, ThetaDeg;
  double Theta() const { return DegToRad(ThetaDeg); }
  double Span() const { return 2 * (RS + (RT - RS) * std::sin(Theta() / 2)); }
  double Rise() const { return 2 * (RT - (RT - RS) * std::cos(Theta() / 2)); }
  TSectionGeometry At(double y) const { return CompoundArcSection(y, Rise(), Span(), RT, RS, Theta(), Pi - Theta()); }
};

TEST(GeometryTest, CompoundArcPiecesMeet) {
  for (const TArc arc : {TArc{5, 1.5, 80}, TArc{6, 1, 60}, TArc{4, 2, 100}}) {
    const double rise = arc.Rise(), H = (1 - std::cos(arc.Theta() / 2)) * arc.RT;
    const TSectionGeometry middle = arc.At(rise / 2);
    const TSectionGeometry lower =
        CompoundArcLowerPart(rise / 2, rise, arc.Span(), arc.RT, arc.RS, arc.Theta(), Pi - arc.Theta());
    ExpectSection(middle, lower.Area, arc.Span(), lower.WettedPerimeter, "widest at mid-height");
    ExpectSection(arc.At(rise), 2 * middle.Area, 0, 2 * middle.WettedPerimeter, "full");
    for (double joint : {H, rise - H}) {  // no steps where the arcs meet
      const TSectionGeometry below = arc.At(joint - 1e-7), above = arc.At(joint + 1e-7);
      EXPECT_NEAR(below.Area, above.Area, 1e-5) << joint;
      EXPECT_NEAR(below.TopWidth, above.TopWidth, 1e-5) << joint;
      EXPECT_NEAR(below.WettedPerimeter, above.WettedPerimeter, 1e-5) << joint;
    }
    for (int i = 1; i <= 100; ++i) EXPECT_GT(arc.At(rise * i / 100).Area, arc.At(rise * (i - 1) / 100).Area) << i;
  }
}

TEST(GeometryTest, CompleteCompoundArc) {
  const TArc arc{5, 1.5, 80};
  double RT = arc.RT, RS = arc.RS, theta = 0, phi = 0;  // radii given
  CompleteCompoundArc(RT, RS, theta, arc.Rise(), arc.Span(), phi);
  EXPECT_NEAR(theta, 80, 1e-9);
  EXPECT_NEAR(phi, 100, 1e-9);

  RT = 0, RS = 0, theta = 80, phi = 0;  // top angle given: both radii recovered
  CompleteCompoundArc(RT, RS, theta, arc.Rise(), arc.Span(), phi);
  EXPECT_NEAR(RT, arc.RT, 1e-9);
  EXPECT_NEAR(RS, arc.RS, 1e-9);

  RT = 5, RS = 0, theta = 0, phi = 40;  // too little given: all cleared
  CompleteCompoundArc(RT, RS, theta, 4, 6, phi);
  EXPECT_EQ(RT + RS + theta + phi, 0);

  RT = 0, RS = 0, theta = 180, phi = 0;  // degenerate: left unfilled, never infinite
  CompleteCompoundArc(RT, RS, theta, 4, 6, phi);
  EXPECT_TRUE(std::isfinite(RT) && std::isfinite(RS));
  RT = 2, RS = 2, theta = 0, phi = 0;
  CompleteCompoundArc(RT, RS, theta, 4, 4, phi);
  EXPECT_TRUE(std::isfinite(theta) && std::isfinite(phi));
}

TEST(GeometryTest, SegmentAreaAndConveyance) {
  for (double y : {0.0, 0.3, 1.0, 2.0, 3.1, 4.0}) EXPECT_NEAR(SegmentArea(2, y), CircleSegment(y, 2).Area, 1e-9) << y;
  const double area = SegmentArea(2, 0.8), top = 2 * std::sqrt(4 - 1.2 * 1.2);
  EXPECT_NEAR(SegmentConveyance(50, 2, 0.8), 50 * area * std::pow(area / top, 0.66666667), 1e-9);
  const double A = 4 * 1.5 + 3 * 1.5 * 1.5, P = 4 + 6.32 * 1.5;
  EXPECT_NEAR(TrapezoidConveyance(50, 1.5, 4, 3, 6.32), 50 * A * std::pow(A / P, 0.66666667), 1e-9);
  EXPECT_GT(TrapezoidConveyance(50, 1.0, 0, 4, 8.25), 0);  // V ditch
  // Dry or degenerate sections convey nothing instead of dividing by zero.
  for (double q : {TrapezoidConveyance(50, 0, 0, 4, 8.25), TrapezoidConveyance(50, 1, 0, 0, 0),
                   SegmentConveyance(50, 2, 0), SegmentConveyance(50, 2, 4), SegmentConveyance(50, 0, 1)})
    EXPECT_EQ(q, 0);
}

}  // namespace
