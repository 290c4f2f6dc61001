#include "appmodel/SlopeEntry.h"

#include <cmath>

double EntrySlope(double inletElevation, double outletElevation, double length) {
  if (!(length > 0)) return 0;
  const double slope = (inletElevation - outletElevation) / length;
  return std::isfinite(slope) ? slope : 0;
}

double OutletForSlope(double inletElevation, double length, double slope, double currentOutlet) {
  const double outlet = inletElevation - length * slope;
  return std::isfinite(outlet) ? outlet : currentOutlet;
}
