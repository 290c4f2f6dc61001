#include "model/Geometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Kept as these decimals on purpose, not as 2/3 and pi/4: results already
// on file were computed with them, and exact constants would shift every
// capacity slightly.
constexpr double ConveyanceExponent = 0.66666667;
constexpr double SideArcFactor = 0.784;

// Depths a hair outside their range (rounding at the crown or the invert)
// must not turn an angle into NaN.
double SafeAcos(double x) { return std::acos(std::clamp(x, -1.0, 1.0)); }
double SafeAsin(double x) { return std::asin(std::clamp(x, -1.0, 1.0)); }
double SafeSqrt(double x) { return x > 0 ? std::sqrt(x) : 0.0; }
double FiniteOrZero(double x) { return std::isfinite(x) ? x : 0.0; }

}  // namespace

double DegToRad(double degrees) { return degrees * Pi / 180; }
double RadToDeg(double radians) { return radians * 180 / Pi; }

double RealPower(double x, double p) {
  if (p == 0) return 1;
  if (x <= 0 || !std::isfinite(x)) return 0;
  return FiniteOrZero(std::exp(p * std::log(x)));
}

TSectionGeometry CircleSegment(double y, double R) {
  TSectionGeometry g;
  if (R <= 0) return g;
  if (y > R) {
    const double e = 2 * SafeAcos((y - R) / R);  // central angle of the dry part
    g.Area = R * R * (Pi - (e - std::sin(e)) / 2);
    g.TopWidth = 2 * R * std::sin(e / 2);
    g.WettedPerimeter = R * (2 * Pi - e);
  } else {
    const double a = 2 * SafeAcos((R - y) / R);
    g.Area = (a - std::sin(a)) * R * R / 2;
    g.TopWidth = 2 * R * std::sin(a / 2);
    g.WettedPerimeter = R * a;
  }
  return g;
}

TSectionGeometry CompoundArcLowerPart(double y, double Rise, double /*Span*/, double RT, double RS, double Theta,
                                      double Phi) {
  const double h = Rise / 2;
  const double t = Theta / 2;
  const double C = 2 * RT * std::sin(t);
  const double W = 2 * std::tan(t) * (RT - y);
  const double H = (1 - std::cos(t)) * RT;
  const double cosT = std::cos(t);
  const double L = cosT != 0 ? (h - y) / cosT : 0.0;
  const double w = Phi / 2 - (RS != 0 ? SafeAsin((h - y) / RS) : 0.0);
  const double s = std::sin(w) * L;
  const double X = (y >= h) ? RS : RS * s / (h - y);
  const double F = SideArcFactor * (2 * RS) * (2 * RS);

  TSectionGeometry g;
  g.WettedPerimeter = RT * Theta + 2 * RS * w;
  g.TopWidth = 2 * X + W;
  g.Area = (Theta - std::sin(Theta)) * RT * RT / 2 + ((C + W) / 2) * (y - H) + 2 * (F * w / (2 * Pi) - RS * s / 2);
  g.Area = FiniteOrZero(g.Area);
  g.TopWidth = FiniteOrZero(g.TopWidth);
  g.WettedPerimeter = FiniteOrZero(g.WettedPerimeter);
  return g;
}

TSectionGeometry CompoundArcSection(double y, double Rise, double Span, double RT, double RS, double Theta,
                                    double Phi) {
  const double H = (1 - std::cos(Theta / 2)) * RT;
  const TSectionGeometry half = CompoundArcLowerPart(Rise / 2, Rise, Span, RT, RS, Theta, Phi);
  const double fullArea = 2 * half.Area;
  const double fullPerimeter = 2 * half.WettedPerimeter;

  if (y <= H) return CircleSegment(y, RT);
  if (y <= Rise / 2) return CompoundArcLowerPart(y, Rise, Span, RT, RS, Theta, Phi);

  TSectionGeometry g;
  if (y < Rise - H) {
    // Upper half: the section is symmetric, so take the dry part below the
    // crown as a lower part turned over.
    const TSectionGeometry dry = CompoundArcLowerPart(Rise - y, Rise, Span, RT, RS, Theta, Phi);
    g.Area = fullArea - dry.Area;
    g.WettedPerimeter = 2 * RT * Theta + 2 * RS * Phi - dry.WettedPerimeter;
    g.TopWidth = dry.TopWidth;
  } else {
    const TSectionGeometry dry = CircleSegment(Rise - y, RT);
    g.Area = fullArea - dry.Area;
    g.WettedPerimeter = fullPerimeter - dry.WettedPerimeter;
    g.TopWidth = dry.TopWidth;
  }
  return g;
}

TSectionGeometry RectangleSection(double y, double B, double Rise) {
  TSectionGeometry g;
  g.Area = B * y;
  g.TopWidth = B;
  g.WettedPerimeter = (Rise - y <= 0.002) ? 2 * (B + Rise) : B + 2 * y;
  return g;
}

void CompleteCompoundArc(double& RT, double& RS, double& Theta, double Rise, double Span, double& Phi) {
  double t = DegToRad(Theta);
  double f = DegToRad(Phi);
  if (RT > 0 && RS > 0) {
    if (t <= 0) t = RT != RS ? 2 * SafeAsin((Span / 2 - RS) / (RT - RS)) : 0.0;
    if (f <= 0) f = Pi - t;
  } else if (t > 0) {
    if (f <= 0) f = Pi - t;
    const double half = t / 2;
    if (RT <= 0) {
      // Undefined for a half-angle of 90 degrees; the value is then left
      // unfilled (0) so the caller's "all given" check refuses it.
      const double denominator = std::sin(half) + std::cos(half) - 1;
      if (denominator != 0)
        RT = FiniteOrZero((std::cos(half) * Span / 2 - (1 - std::sin(half)) * Rise / 2) / denominator);
    }
    if (RS <= 0 && std::cos(half) != 0) RS = FiniteOrZero((Rise / 2 - (1 - std::cos(half)) * RT) / std::cos(half));
  } else {
    RT = 0;
    RS = 0;
    t = 0;
    f = 0;
  }
  Theta = RadToDeg(t);
  Phi = RadToDeg(f);
}

double SegmentArea(double R, double y) {
  if (R <= 0) return 0;
  return R * R * SafeAcos((R - y) / R) - (R - y) * SafeSqrt(2 * R * y - y * y);
}

double TrapezoidConveyance(double c, double y, double b, double z, double k) {
  const double A = b * y + z * y * y;
  const double P = b + k * y;
  // A dry channel (or one given no width) carries nothing.
  if (A <= 0 || P <= 0) return 0;
  return FiniteOrZero(c * A * RealPower(A / P, ConveyanceExponent));
}

double SegmentConveyance(double c, double R, double y) {
  const double A = SegmentArea(R, y);
  const double T = 2 * SafeSqrt(R * R - (R - y) * (R - y));
  if (A <= 0 || T <= 0) return 0;
  return FiniteOrZero(c * A * RealPower(A / T, ConveyanceExponent));
}
