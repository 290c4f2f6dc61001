#pragma once
// Gutter flow, inlet interception and sag ponding of single inlets, in feet,
// cubic feet per second and minutes. The gutter run in InletSpacing.cpp
// strings these together.

#include <string>

enum class TSagRule { GrateA, GrateB, GrateC, CurbOpening };

// What a catch basin code tells about its inlet.
struct TCatchBasinGeometry {
  double InletWidth = 0;   // ft, the grate width across the gutter
  double InletLength = 0;  // ft
  bool HasLength = false;  // false for a code that names no usable length
  bool GrateOnGrade = false;
  TSagRule SagRule = TSagRule::CurbOpening;
};
TCatchBasinGeometry CatchBasinGeometry(const std::string& code);

// The factor of the overland time for a surface code; 0 when unknown.
double SurfaceFactor(const std::string& surface);
// Overland flow time in minutes; length in ft, slope in percent. Both must
// be positive (the element check ensures it when the time is used).
double OverlandTime(double length, double slopePercent, const std::string& surface);

// Triangular gutter conveyance: Q = K * d^2.667 at curb depth d.
double GutterConveyance(double manningN, double crossSlope, double longSlope);
// Depth of a triangular gutter carrying the flow: (Q/K)^0.375.
double TriangularDepth(double flow, double conveyance);
// x^e for x > 0, else 0: flow capacity of a depth that is not there.
double PowPositive(double x, double e);

// Interception capacity per foot of inlet length at the given depth over a
// local depression; 0 when there is no depth.
double InterceptionPerLength(double depression, double depth);
// Share of the flow taken by an inlet shorter than the length for full
// interception, kept between 0.1 and 1.
double InterceptionEfficiency(double lengthRatio, double depressionRatio);

// The cross section a sag inlet ponds in.
struct TSagSection {
  double GutterSlope = 0;    // Sw
  double PavementSlope = 0;  // Sx
  double Depression = 0;     // a
  double GutterWidth = 0;    // W
};
struct TSagHead {
  double PondedDepth = 0;
  double Spread = 0;
};
struct TSagGrateConstants {
  double WeirLength;       // P, ft
  double OpeningArea;      // Ao, ft2
  double CrossSlope;       // e of the depression
  double DepressionDepth;  // f, ft
};
TSagGrateConstants SagGrateConstants(TSagRule rule);
// Weir flow of the grate at head h (P, t and f as given).
double SagGrateWeirFlow(double head, const TSagGrateConstants& constants, double inletWidth);
TSagHead SagGrateHead(double flow, const TSagGrateConstants& constants, double inletWidth, const TSagSection& section);
TSagHead SagCurbHead(double flow, double inletLength, const TSagSection& section);
