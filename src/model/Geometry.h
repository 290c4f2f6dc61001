#pragma once
// Section geometry of partly full conduits and open channels, and the
// completion of a compound-arc (elliptical) section. Pure functions, lengths
// in feet, angles in radians unless a function says degrees.

constexpr double Pi = 3.14159265358979323846;

// Flow area, top width and wetted perimeter of a partly full section.
struct TSectionGeometry {
  double Area = 0;
  double TopWidth = 0;
  double WettedPerimeter = 0;
};

double DegToRad(double degrees);
double RadToDeg(double radians);

// x^p as exp(p ln x): 0^p = 0 for p > 0 and x^0 = 1. A base of 0 or below
// with any other exponent has no real power here and gives 0, so a caller
// never sees NaN or infinity.
double RealPower(double x, double p);

// Circle of radius R filled to depth y (0 <= y <= 2R); all zeros for R <= 0.
TSectionGeometry CircleSegment(double y, double R);

// Four-arc section (top and invert arcs of radius RT and angle Theta, side
// arcs of radius RS and angle Phi), filled to depth y (0 <= y <= Rise).
TSectionGeometry CompoundArcSection(double y, double Rise, double Span, double RT, double RS, double Theta, double Phi);
// The part from the invert arc up to mid-height, for H < y <= Rise/2.
TSectionGeometry CompoundArcLowerPart(double y, double Rise, double Span, double RT, double RS, double Theta,
                                      double Phi);

// Box of width B and height Rise; flowing full (top counted in the
// perimeter) once the water is within 0.002 ft of the top.
TSectionGeometry RectangleSection(double y, double B, double Rise);

// Fills the compound-arc values left at 0 or below from those given. Theta
// and Phi are in degrees on both sides.
void CompleteCompoundArc(double& RT, double& RS, double& Theta, double Rise, double Span, double& Phi);

// Area of the circular segment of radius R and depth y.
double SegmentArea(double R, double y);

// Manning-type conveyance c·A·(A/P)^0.66666667 of a trapezoid of bottom
// width b, area factor z and perimeter factor k at depth y.
double TrapezoidConveyance(double c, double y, double b, double z, double k);
// The same for a circular segment, with the area over the top width in
// place of the hydraulic radius.
double SegmentConveyance(double c, double R, double y);
