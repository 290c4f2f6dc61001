// Normal and critical depth of a partly full barrel by bisection on the depth
// ratio. Every element kind inherits these two solvers; they only reach the
// element through its section geometry, composite n, full-flow ratio and
// maximum flow depth ratio, so each shape gets the same numerics.

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "model/Geometry.h"
#include "model/NerraBase.h"

namespace {

// The bracket is narrowed at most this many times; with the 0.001 ft stop it
// ends long before for any real barrel.
constexpr int MaxBisections = 1001;
constexpr double StopWidth = 0.001;  // ft
constexpr double ManningK = 1.486;
constexpr double Gravity = 32.2;

bool AllFinite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

// The part of the section above the buried bed: the bed's area is cut away,
// its wetted perimeter replaced by the bed's width.
struct TBedSection {
  double Area = 0;
  double TopWidth = 0;
  double WettedPerimeter = 0;
};

TBedSection BedSection(const TNerraElement& element, double bed, double rise) {
  TBedSection result;
  if (bed > 0) {
    TSectionProperties s = element.SectionProperties(bed / rise);
    result.Area = s.Area;
    result.TopWidth = s.TopWidth;
    result.WettedPerimeter = s.WettedPerimeter;
  }
  return result;
}

double SafeRatio(double numerator, double denominator) { return denominator > 0 ? numerator / denominator : 0.0; }

bool BracketClosed(double lo, double hi, double rise) {
  return std::fabs(lo - rise) < StopWidth || std::fabs(lo - hi) < StopWidth;
}

}  // namespace

double TNerraElement::NormalDepth(double startDepth, double slope, double rise, double discharge) {
  const double b = startDepth;
  const double D = rise;
  const double Q = discharge;
  // A barrel without height, or one whose bed fills it, carries nothing
  // above the bed: the depth is zero rather than a division by zero.
  if (!AllFinite({b, slope, D, Q}) || D <= 0 || b >= D) {
    EffectiveN = ManningN();
    return 0;
  }

  const TSectionProperties full = SectionProperties(1.0);
  const TBedSection bed = BedSection(*this, b, D);
  const double wallPerimeter = full.WettedPerimeter - bed.WettedPerimeter;
  const double fullArea = full.Area - bed.Area;
  const double fullPerimeter = wallPerimeter + bed.TopWidth;
  const double fullRadius = SafeRatio(fullArea, fullPerimeter);
  const double fullN = CompositeN(fullRadius, wallPerimeter, bed.TopWidth, 1.0);

  // Flat or adverse barrels have no normal depth; any flow fills them.
  const bool canFlowFree = slope > 0 && fullN > 0 && fullArea > 0;
  if (!canFlowFree) {
    if (Q > 0) {
      EffectiveN = fullN;
      return D - b;
    }
  } else {
    const double fullDischarge = ManningK * RealPower(fullRadius, 0.66667) * std::sqrt(slope) * fullArea / fullN;
    if (fullDischarge > 0 && Q / fullDischarge >= FullFlowDischargeRatio()) {
      EffectiveN = fullN;
      return D - b;
    }
  }

  const double slopeTerm = slope > 0 ? std::sqrt(slope) * ManningK : 0.0;
  double lo = b;
  double hi = D;
  double ratio = 1.0;
  for (int i = 0; i < MaxBisections; ++i) {
    ratio = (lo + hi) / (2 * D);
    const TSectionProperties s = SectionProperties(ratio);
    const double area = s.Area - bed.Area;
    const double perimeter = s.WettedPerimeter - bed.WettedPerimeter + bed.TopWidth;
    const double radius = SafeRatio(area, perimeter);
    EffectiveN = CompositeN(radius, wallPerimeter, bed.TopWidth, ratio);
    const double demand = slopeTerm > 0 ? Q * EffectiveN / slopeTerm : 0.0;
    const double f = std::max(area, 0.0) * RealPower(radius, 0.66667) - demand;
    if (f > 0)
      hi = ratio * D;
    else if (f < 0)
      lo = ratio * D;
    else
      break;
    if (BracketClosed(lo, hi, D)) break;
  }
  if (ratio >= MaxFlowDepthRatio()) ratio = 1.0;
  return ratio * D - b;
}

double TNerraElement::CriticalDepth(double startDepth, double rise, double discharge) {
  const double b = startDepth;
  const double D = rise;
  const double Q = discharge;
  if (!AllFinite({b, D, Q}) || D <= 0 || b >= D) return 0;

  const TBedSection bed = BedSection(*this, b, D);
  const double flowTerm = Q * Q;
  double lo = b;
  double hi = D;
  double ratio = 1.0;
  for (int i = 0; i < MaxBisections; ++i) {
    ratio = (lo + hi) / (2 * D);
    const TSectionProperties s = SectionProperties(ratio);
    const double area = s.Area - bed.Area;
    double f;
    if (area > 0)
      f = 1 - flowTerm * s.TopWidth / (Gravity * area * area * area);
    else
      // No flow area yet: any discharge needs more depth, none needs none.
      f = flowTerm * s.TopWidth > 0 ? -1.0 : 1.0;
    if (f > 0)
      hi = ratio * D;
    else if (f < 0)
      lo = ratio * D;
    else
      break;
    if (BracketClosed(lo, hi, D)) break;
  }
  return ratio * D - b;
}
