// Single-inlet hydraulics of the gutter run. The constants are those of the
// highway drainage practice this module follows (curb-opening and grate
// interception on grade, weir and orifice flow at a sag).

#include "inletspacing/InletHydraulics.h"

#include <cctype>
#include <climits>
#include <cmath>

namespace {

// A catch basin code that is not one of the standard inlets names a curb
// opening by its length in whole feet.
bool ReadLengthCode(const std::string& code, double& length) {
  size_t begin = 0;
  size_t end = code.size();
  while (begin < end && std::isspace(static_cast<unsigned char>(code[begin]))) ++begin;
  while (end > begin && std::isspace(static_cast<unsigned char>(code[end - 1]))) --end;
  size_t i = begin;
  bool negative = false;
  if (i < end && (code[i] == '+' || code[i] == '-')) negative = code[i++] == '-';
  if (i == end) return false;
  long long value = 0;
  for (; i < end; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(code[i]))) return false;
    value = value * 10 + (code[i] - '0');
    if (value > INT_MAX) return false;
  }
  length = static_cast<double>(negative ? -value : value);
  return true;
}

}  // namespace

TCatchBasinGeometry CatchBasinGeometry(const std::string& code) {
  TCatchBasinGeometry g;
  g.HasLength = true;
  if (code == "0") {
    g.InletWidth = 1.4;
    g.InletLength = 2.5;
    g.GrateOnGrade = true;
    g.SagRule = TSagRule::GrateA;
  } else if (code == "1") {
    g.InletWidth = 1.4;
    g.InletLength = 5;
    g.GrateOnGrade = true;
    g.SagRule = TSagRule::GrateB;
  } else if (code == "2" || code == "3" || code == "21") {
    g.InletWidth = 2.5;
    g.InletLength = 10;
    g.SagRule = TSagRule::GrateC;
  } else if (code == "4" || code == "5") {
    g.InletLength = 10;
  } else {
    // An opening of no positive length would intercept by its 10 % floor
    // alone on grade and divide by zero at a sag.
    g.HasLength = ReadLengthCode(code, g.InletLength) && g.InletLength > 0;
    if (!g.HasLength) g.InletLength = 0;
  }
  return g;
}

double SurfaceFactor(const std::string& surface) {
  if (surface == "1") return 7.2;
  if (surface == "2") return 5.7;
  if (surface == "3") return 5.0;
  if (surface == "4") return 4.38;
  if (surface == "5") return 3.7;
  return 0;
}

double OverlandTime(double length, double slopePercent, const std::string& surface) {
  if (length <= 0 || slopePercent <= 0) return 0;
  const double f = SurfaceFactor(surface);
  const double b0 = 4.37 * std::log10(length / 10);
  const double b = b0 + (f - b0) * 3.5 / 1.8;
  const double c = 4.4 - 1.15 * std::log10(slopePercent);
  return 6 * std::pow(10.0, (2 * c - b) / 11.2);
}

double GutterConveyance(double manningN, double crossSlope, double longSlope) {
  if (manningN <= 0 || crossSlope <= 0 || longSlope <= 0) return 0;
  return 0.56 / (manningN * crossSlope) * std::pow(longSlope, 0.5);
}

double PowPositive(double x, double e) { return x > 0 ? std::pow(x, e) : 0; }

double TriangularDepth(double flow, double conveyance) {
  if (conveyance <= 0) return 0;
  return PowPositive(flow / conveyance, 0.375);
}

double InterceptionPerLength(double depression, double depth) {
  if (depth <= 0 || depression + depth <= 0) return 0;
  const double a = depression;
  const double y = depth;
  return 0.7 * std::pow(a + y, 1.5) * (1 - PowPositive(a / (a + y), 2.5));
}

double InterceptionEfficiency(double lengthRatio, double depressionRatio) {
  const double x = depressionRatio;
  const double full = std::pow(x + 1, 2.5);
  const double e = (full - PowPositive(x + 1 - lengthRatio, 2.5)) / (full - PowPositive(x, 2.5));
  if (!(e <= 1)) return 1;
  if (e < 0.1) return 0.1;
  return e;
}

TSagGrateConstants SagGrateConstants(TSagRule rule) {
  switch (rule) {
    case TSagRule::GrateA: return {2.5, 1.45, 0.1074, 0.1667};
    case TSagRule::GrateB: return {5, 2.9, 0.1074, 0.1667};
    default: return {3, 3.79, 0.0833, 0.2083};
  }
}

double SagGrateWeirFlow(double head, const TSagGrateConstants& k, double inletWidth) {
  const double h = head;
  return 3 * k.WeirLength * std::pow(h, 1.5) +
         (2.4 * inletWidth / k.DepressionDepth) * (std::pow(h + k.DepressionDepth, 2.5) - std::pow(h, 2.5));
}

namespace {

double SagGrateWeirHead(double flow, const TSagGrateConstants& k, double inletWidth) {
  double lower = 0;
  double upper = 30;
  double mid = 0;
  for (int i = 0; i < 201; ++i) {
    mid = (lower + upper) / 2;
    const double residual = mid <= 0 ? -1 : SagGrateWeirFlow(mid, k, inletWidth) - flow;
    if (residual == 0) break;
    if (residual > 0)
      upper = mid;
    else
      lower = mid;
    if (std::fabs(upper - lower) < 0.0000005) break;
  }
  return mid;
}

// Where the flow from the curb reaches the pond's edge: the depression's
// own cross slope e, then the gutter slope, then the pavement slope. When the
// gutter is as steep as the depression the pond never leaves the depression
// slope for the gutter slope (the limit of the general case).
double SagGrateSpread(double head, const TSagGrateConstants& k, double t, const TSagSection& s) {
  const double e = k.CrossSlope;
  const double h = head;
  const double a = s.Depression;
  double spread = h / e + t;
  if (s.GutterSlope != s.PavementSlope) {
    const double sw = s.GutterSlope;
    const bool meets = e - sw != 0;
    const double x = meets ? a / (e - sw) : 0;
    const double y = x * sw + a;
    const double z = meets ? (s.GutterWidth - x - t) * sw + y : (s.GutterWidth - t) * sw + a;
    if (h > z)
      spread = (h - z) / s.PavementSlope + s.GutterWidth;
    else if (meets && h > y)
      spread = (h - a) / sw + t;
  } else {
    const double sx = s.PavementSlope;
    if (e - sx != 0) {
      const double y = a / (e - sx) * sx + a;
      if (h > y) spread = (h - a) / sx + t;
    }
  }
  // A gutter steeper than the depression puts the gutter surface above the
  // pond while the pond is shallower than the depression, and the gutter
  // rule then gives a negative width; as at a curb opening, that is none.
  return spread < 0 ? 0 : spread;
}

}  // namespace

TSagHead SagGrateHead(double flow, const TSagGrateConstants& k, double t, const TSagSection& section) {
  const double hw = SagGrateWeirHead(flow, k, t);
  const double ratio = flow / (5.37 * k.OpeningArea);
  const double ho = ratio * ratio - k.DepressionDepth / 2;
  double h;
  if (hw <= 0.4) {
    h = ho < 1.4 ? hw : ho;
  } else if (ho >= 1.4) {
    h = ho;
  } else {
    // Between weir and orifice flow the head is interpolated on the flow.
    const double qw = SagGrateWeirFlow(0.4, k, t);
    const double qo = 5.37 * k.OpeningArea * std::pow(k.DepressionDepth / 2 + 1.4, 0.5);
    h = 0.4 + (flow - qw) / (qo - qw);
  }
  TSagHead result;
  if (h < 0.001) return result;
  result.PondedDepth = h;
  result.Spread = SagGrateSpread(h, k, t, section);
  return result;
}

TSagHead SagCurbHead(double flow, double inletLength, const TSagSection& s) {
  TSagHead result;
  if (inletLength <= 0 || flow <= 0) return result;
  const double openingHeight = 0.3333;
  const double hb = openingHeight;
  const double l = inletLength;
  double h = std::pow(flow / (3.087 * l), 0.66667);
  if (h / hb > 1) {
    const double r = flow / (l * 5.62 * std::pow(hb, 1.5));
    const double y2 = hb * r * r + hb / 2;
    if (y2 / hb >= 2) {
      h = y2;
    } else {
      const double q1 = 3.087 * l * std::pow(hb, 1.5);
      const double q2 = 5.62 * std::pow(hb, 1.5) * std::pow(1.5, 0.5) * l;
      h = hb * (1 + (flow - q1) / (q2 - q1));
    }
  }
  result.PondedDepth = h;
  const double a = s.Depression;
  double spread;
  if (s.GutterWidth > 0) {
    const double w = s.GutterWidth;
    if (h - a <= w * s.GutterSlope)
      spread = h * w / (w * s.GutterSlope + a);
    else
      spread = w + (h - a - w * s.GutterSlope) / s.PavementSlope;
  } else {
    if (h <= 1.5 * s.PavementSlope + a)
      spread = 1.5 * h / (1.5 * s.PavementSlope + a);
    else
      spread = (h - a) / s.PavementSlope;
  }
  result.Spread = spread < 0 ? 0 : spread;
  return result;
}
