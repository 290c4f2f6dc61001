// Section geometry against closed forms and the consistency of the
// compound-arc pieces where they meet.

#include <gtest/gtest.h>

#include <cmath>

#include "model/Geometry.h"

namespace {

void ExpectSection(const TSectionGeometry& g, double area, double top, double perimeter, const char* what,
                   double tolerance = 1e-9) {
  EXPECT_NEAR(g.Area, area, tolerance) << what;
  EXPECT_NEAR(g.TopWidth, top, tolerance) << what;
  EXPECT_NEAR(g.WettedPerimeter, perimeter, tolerance) << what;
}

TEST(GeometryTest, AngleConversionsAndPower) {
  EXPECT_DOUBLE_EQ(DegToRad(180), Pi);
  EXPECT_DOUBLE_EQ(RadToDeg(Pi), 180);
  EXPECT_DOUBLE_EQ(RealPower(8, 1.0 / 3), 2);
  EXPECT_EQ(RealPower(0, 0.5), 0);
  EXPECT_EQ(RealPower(0, 0), 1);
  EXPECT_EQ(RealPower(-3, 0), 1);
  EXPECT_EQ(RealPower(-8, 0.5), 0);  // no real power: finite, not NaN
  EXPECT_EQ(RealPower(0, -1), 0);    // no infinity either
}

TEST(GeometryTest, CircleSegmentClosedForms) {
  const double R = 1.5;
  ExpectSection(CircleSegment(R, R), Pi * R * R / 2, 2 * R, Pi * R, "half full");
  ExpectSection(CircleSegment(2 * R, R), Pi * R * R, 0, 2 * Pi * R, "full");
  ExpectSection(CircleSegment(0, R), 0, 0, 0, "empty");
  ExpectSection(CircleSegment(0.7, 0), 0, 0, 0, "no radius");
  ExpectSection(CircleSegment(0.7, -1), 0, 0, 0, "negative radius");
  // A quarter of the diameter: central angle 120 degrees.
  const double a = 2 * Pi / 3;
  ExpectSection(CircleSegment(R / 2, R), (a - std::sin(a)) * R * R / 2, R * std::sqrt(3.0), R * a, "quarter");
  // The segment above the centre mirrors the one below.
  const TSectionGeometry low = CircleSegment(R / 2, R);
  ExpectSection(CircleSegment(1.5 * R, R), Pi * R * R - low.Area, low.TopWidth, 2 * Pi * R - low.WettedPerimeter,
                "three quarters");
  // Depths a rounding step outside the pipe give the nearest real section.
  ExpectSection(CircleSegment(2 * R + 1e-12, R), Pi * R * R, 0, 2 * Pi * R, "above crown", 1e-6);
  ExpectSection(CircleSegment(-1e-12, R), 0, 0, 0, "below invert", 1e-6);
}

TEST(GeometryTest, RectangleCountsTopOnlyWhenFull) {
  ExpectSection(RectangleSection(4, 6, 4), 24, 6, 20, "at the top");
  ExpectSection(RectangleSection(4.5, 6, 4), 27, 6, 20, "above the top");
  ExpectSection(RectangleSection(3.999, 6, 4), 6 * 3.999, 6, 20, "within 0.002 ft");
  ExpectSection(RectangleSection(3.99, 6, 4), 6 * 3.99, 6, 6 + 2 * 3.99, "0.01 ft below the top");
  ExpectSection(RectangleSection(1, 6, 4), 6, 6, 8, "part full");
}

// A consistent four-arc section built from its radii and top angle.
struct TArc {
  double RT = 5, RS = 1.5, ThetaDeg = 80;
  double Theta() const { return DegToRad(ThetaDeg); }
  double Phi() const { return Pi - Theta(); }
  double Span() const { return 2 * (RS + (RT - RS) * std::sin(Theta() / 2)); }
  double Rise() const { return 2 * (RT - (RT - RS) * std::cos(Theta() / 2)); }
  double H() const { return (1 - std::cos(Theta() / 2)) * RT; }
  TSectionGeometry At(double y) const { return CompoundArcSection(y, Rise(), Span(), RT, RS, Theta(), Phi()); }
};

TEST(GeometryTest, CompoundArcPiecesMeet) {
  for (const TArc arc : {TArc{}, TArc{6, 1, 60}, TArc{4, 2, 100}}) {
    const double rise = arc.Rise();
    const TSectionGeometry middle = arc.At(rise / 2);
    const TSectionGeometry lower =
        CompoundArcLowerPart(rise / 2, rise, arc.Span(), arc.RT, arc.RS, arc.Theta(), arc.Phi());
    ExpectSection(middle, lower.Area, lower.TopWidth, lower.WettedPerimeter, "mid-height");
    EXPECT_NEAR(middle.TopWidth, arc.Span(), 1e-9) << "widest at mid-height";

    const TSectionGeometry full = arc.At(rise);
    EXPECT_NEAR(full.Area, 2 * middle.Area, 1e-9);
    EXPECT_NEAR(full.TopWidth, 0, 1e-9);
    EXPECT_NEAR(full.WettedPerimeter, 2 * middle.WettedPerimeter, 1e-9);

    // The pieces join without steps at the ends of the invert and crown arcs.
    const double eps = 1e-7;
    for (double joint : {arc.H(), rise - arc.H()}) {
      const TSectionGeometry below = arc.At(joint - eps), above = arc.At(joint + eps);
      EXPECT_NEAR(below.Area, above.Area, 1e-5) << joint;
      EXPECT_NEAR(below.TopWidth, above.TopWidth, 1e-5) << joint;
      EXPECT_NEAR(below.WettedPerimeter, above.WettedPerimeter, 1e-5) << joint;
    }
    // Area grows with depth all the way up.
    double previous = -1;
    for (int i = 0; i <= 100; ++i) {
      const double area = arc.At(rise * i / 100).Area;
      EXPECT_GT(area, previous) << i;
      previous = area;
    }
  }
}

TEST(GeometryTest, CompleteCompoundArc) {
  const TArc arc;
  // Radii given, angles missing.
  double RT = arc.RT, RS = arc.RS, theta = 0, phi = 0;
  CompleteCompoundArc(RT, RS, theta, arc.Rise(), arc.Span(), phi);
  EXPECT_NEAR(theta, RadToDeg(2 * std::asin((arc.Span() / 2 - RS) / (RT - RS))), 1e-9);
  EXPECT_NEAR(theta, arc.ThetaDeg, 1e-9);
  EXPECT_NEAR(phi, 180 - theta, 1e-9);

  // Top angle given: both radii recovered from rise and span.
  RT = 0, RS = 0, theta = arc.ThetaDeg, phi = 0;
  CompleteCompoundArc(RT, RS, theta, arc.Rise(), arc.Span(), phi);
  EXPECT_NEAR(RT, arc.RT, 1e-9);
  EXPECT_NEAR(RS, arc.RS, 1e-9);
  EXPECT_NEAR(phi, 100, 1e-9);

  // Given values are kept.
  RT = 7, RS = 0, theta = arc.ThetaDeg, phi = 33;
  CompleteCompoundArc(RT, RS, theta, arc.Rise(), arc.Span(), phi);
  EXPECT_EQ(RT, 7);
  EXPECT_EQ(phi, 33);

  // Too little given: everything cleared.
  RT = 5, RS = 0, theta = 0, phi = 40;
  CompleteCompoundArc(RT, RS, theta, 4, 6, phi);
  EXPECT_EQ(RT, 0);
  EXPECT_EQ(RS, 0);
  EXPECT_EQ(theta, 0);
  EXPECT_EQ(phi, 0);

  // Degenerate inputs leave values unfilled rather than infinite.
  RT = 0, RS = 0, theta = 180, phi = 0;
  CompleteCompoundArc(RT, RS, theta, 4, 6, phi);
  EXPECT_TRUE(std::isfinite(RT) && std::isfinite(RS));
  RT = 2, RS = 2, theta = 0, phi = 0;
  CompleteCompoundArc(RT, RS, theta, 4, 4, phi);
  EXPECT_TRUE(std::isfinite(theta) && std::isfinite(phi));
}

TEST(GeometryTest, SegmentAreaAndConveyance) {
  const double R = 2;
  for (double y : {0.0, 0.3, 1.0, 2.0, 3.1, 4.0})
    EXPECT_NEAR(SegmentArea(R, y), CircleSegment(y, R).Area, 1e-9) << y;

  const double y = 0.8;
  const double area = SegmentArea(R, y);
  const double top = 2 * std::sqrt(R * R - (R - y) * (R - y));
  EXPECT_NEAR(SegmentConveyance(1.49 / 0.03, R, y), 1.49 / 0.03 * area * std::pow(area / top, 0.66666667), 1e-9);

  // b y + z y^2 over b + k y.
  const double A = 4 * 1.5 + 3 * 1.5 * 1.5, P = 4 + 6.32 * 1.5;
  EXPECT_NEAR(TrapezoidConveyance(49.67, 1.5, 4, 3, 6.32), 49.67 * A * std::pow(A / P, 0.66666667), 1e-9);
  // A V ditch (no bottom width) still conveys.
  EXPECT_GT(TrapezoidConveyance(49.67, 1.0, 0, 4, 8.25), 0);

  // Dry or degenerate sections convey nothing instead of dividing by zero.
  EXPECT_EQ(TrapezoidConveyance(49.67, 0, 0, 4, 8.25), 0);
  EXPECT_EQ(TrapezoidConveyance(49.67, 1, 0, 0, 0), 0);
  EXPECT_EQ(SegmentConveyance(49.67, R, 0), 0);
  EXPECT_EQ(SegmentConveyance(49.67, R, 2 * R), 0);
  EXPECT_EQ(SegmentConveyance(49.67, 0, 1), 0);
  EXPECT_EQ(SegmentArea(0, 1), 0);
}

}  // namespace
