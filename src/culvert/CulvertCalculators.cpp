#include "culvert/CulvertCalculators.h"

#include <cmath>
#include <initializer_list>

#include "culvert/CulvertShapes.h"

namespace {

constexpr double ManningK = 1.486;
constexpr double ManningExponent = 0.66667;

// Rounding leaves values like 1e-16 for a top width at the crown; they would
// show as "-0.0000" or as noise.
double Cleaned(double value) { return std::fabs(value) < 1e-12 ? 0.0 : value; }

TCalculatorMessage Error(const std::string& text) { return TCalculatorMessage{text, false}; }

// Hand-entered radii and angles that do not fit the span and rise give
// negative or undefined figures; those are refused rather than shown.
bool Sound(const TSectionFigures& f) {
  for (double v : {f.Area, f.TopWidth, f.WettedPerimeter, f.HydraulicRadius})
    if (!std::isfinite(v) || v < 0) return false;
  return true;
}

const char* const NoArcSection = "Span, Rise, RT, RS, Theta and Phi do not make a section.";

// The values the user left at 0 filled in; false when some stay unusable.
bool CompleteArc(const TCalculatorSection& s, double& RT, double& RS, double& Theta, double& Phi) {
  RT = s.RT;
  RS = s.RS;
  Theta = s.Theta;
  Phi = s.Phi;
  CompleteCompoundArc(RT, RS, Theta, s.Rise, s.Span, Phi);
  return RT > 0 && RS > 0 && Theta > 0 && Phi > 0;
}

TSectionGeometry ArcAt(double y, const TCalculatorSection& s, double RT, double RS, double Theta, double Phi) {
  return CompoundArcSection(y, s.Rise, s.Span, RT, RS, DegToRad(Theta), DegToRad(Phi));
}

// --- geometric tool -----------------------------------------------------------------

// The partial column at depth y, when the depth lies within the section.
void FillPartial(TGeometricToolResult& r, double y, double height, const char* depthMessage,
                 const TSectionGeometry& atDepth) {
  if (y > height) {
    r.Message = Error(depthMessage);
    return;
  }
  if (y > 0) r.Partial = FiguresOf(atDepth);
}

TGeometricToolResult CircularGeometry(const TCalculatorSection& s, double y) {
  TGeometricToolResult r;
  const double D = s.Diameter;
  if (!(D > 0)) {
    r.Message = Error("Diameter should be greater than 0.");
    return r;
  }
  r.Full = FiguresOf(CircleSegment(D, D / 2));
  FillPartial(r, y, D, "Depth should not be greater than Diameter.", CircleSegment(y, D / 2));
  return r;
}

TGeometricToolResult EllipticalGeometry(const TCalculatorSection& s, double y) {
  TGeometricToolResult r;
  if (!(s.Rise > 0 && s.Span > 0)) {
    r.Message = Error("Span and Rise should be greater than 0.");
    return r;
  }
  if (!((s.RT > 0 && s.RS > 0) || s.Theta > 0)) {
    r.Message = Error("Theta or RT/RS should be greater than 0.");
    return r;
  }
  r.ArcCompleted = true;
  if (!CompleteArc(s, r.RT, r.RS, r.Theta, r.Phi)) {
    r.Message = Error(NoArcSection);
    return r;
  }
  r.Full = FiguresOf(ArcAt(s.Rise, s, r.RT, r.RS, r.Theta, r.Phi));
  FillPartial(r, y, s.Rise, "Depth should not be greater than Rise.", ArcAt(y, s, r.RT, r.RS, r.Theta, r.Phi));
  if (!Sound(r.Full) || !Sound(r.Partial)) {
    r.Full = r.Partial = TSectionFigures();
    r.Message = Error(NoArcSection);
  }
  return r;
}

TGeometricToolResult BoxGeometry(const TCalculatorSection& s, double y) {
  TGeometricToolResult r;
  const double H = s.Height;
  const double W = s.Width;
  // A zero box gives zeros, but a negative one would show negative areas.
  if (H < 0 || W < 0) {
    r.Message = Error("Width and Height should not be negative.");
    return r;
  }
  r.Full = FiguresOf(RectangleSection(H, W, H));
  FillPartial(r, y, H, "Depth should not be greater than Height.", RectangleSection(y, W, H));
  return r;
}

// --- hydraulic tool -----------------------------------------------------------------

// Normal and critical depth from a throw-away element of the shape: with no
// pipe its own rise, width and CoeffN apply, and its depth ratios shape the
// normal depth as in a culvert computation.
void SolveDepths(TCulvertBaseElement& element, double rise, const THydraulicToolInput& d, THydraulicToolResult& r) {
  element.FRise = rise;
  element.BarrelDischarge = d.Flow;
  element.CulvertLength = 1;
  element.InletElevation = d.Slope;
  element.OutletElevation = 0;
  element.CoeffN = d.ManningN;
  r.NormalDepth = element.NormalDepth(0, d.Slope, rise, d.Flow);
  r.CriticalDepth = element.CriticalDepth(0, rise, d.Flow);
}

bool DesignGiven(const THydraulicToolInput& d) { return d.ManningN > 0 && d.Slope > 0; }

THydraulicToolResult CircularHydraulics(const TCalculatorSection& s, const THydraulicToolInput& d) {
  THydraulicToolResult r;
  const double D = s.Diameter;
  if (!(D > 0 && DesignGiven(d))) {
    r.Message = Error("Diameter, Manning and Slope should be greater than 0.");
    return r;
  }
  if (d.Flow > 0) {
    TCircularSmoothElement element;
    SolveDepths(element, D, d, r);
  }
  r.QFull = ManningFlow(CircleSegment(D, D / 2), d.ManningN, d.Slope);
  r.QMax = ManningFlow(CircleSegment(0.938 * D, D / 2), d.ManningN, d.Slope);
  return r;
}

// The entered compound arc with the base ratios of a culvert element
// (0.938, 1.064), not those of a catalogue elliptical pipe.
class TCalculatorArcElement : public TEllipticalElement {
public:
  std::string CulvertTypeCode() const override { return "7"; }
};

THydraulicToolResult EllipticalHydraulics(const TCalculatorSection& s, const THydraulicToolInput& d) {
  THydraulicToolResult r;
  if (!(s.Rise > 0 && s.Span > 0 && DesignGiven(d))) {
    r.Message = Error("Rise, Span, Manning and Slope should be greater than 0.");
    return r;
  }
  if (!((s.RT > 0 && s.RS > 0) || s.Theta > 0)) {
    r.Message = Error("RT/RS or Theta should be greater than 0.");
    return r;
  }
  double RT, RS, Theta, Phi;
  if (!CompleteArc(s, RT, RS, Theta, Phi) || !Sound(FiguresOf(ArcAt(s.Rise, s, RT, RS, Theta, Phi)))) {
    r.Message = Error(NoArcSection);
    return r;
  }
  if (d.Flow > 0) {
    TCalculatorArcElement element;
    element.FSpan = s.Span;
    element.FRT = RT;
    element.FRS = RS;
    element.FTheta = Theta;
    element.FPhi = Phi;
    SolveDepths(element, s.Rise, d, r);
  }
  r.QFull = ManningFlow(ArcAt(s.Rise, s, RT, RS, Theta, Phi), d.ManningN, d.Slope);
  r.QMax = ManningFlow(ArcAt(0.909 * s.Rise, s, RT, RS, Theta, Phi), d.ManningN, d.Slope);
  return r;
}

THydraulicToolResult BoxHydraulics(const TCalculatorSection& s, const THydraulicToolInput& d) {
  THydraulicToolResult r;
  const double H = s.Height;
  const double W = s.Width;
  if (!(H > 0 && W > 0 && DesignGiven(d))) {
    r.Message = Error("Width, Height, Manning and Slope should be greater than 0.");
    return r;
  }
  if (d.Flow > 0) {
    TBoxSmoothElement element;
    element.FSpan = W;
    SolveDepths(element, H, d, r);
  }
  r.QFull = ManningFlow(RectangleSection(H, W, H), d.ManningN, d.Slope);
  r.QMax = ManningFlow(RectangleSection(0.95 * H, W, H), d.ManningN, d.Slope);
  return r;
}

// Dimensions or discharges near the limits of a double overflow on the way
// (an area of 1e300 squared); such results are refused as a whole rather
// than shown in part.
const char* const OutOfRange = "The values entered are too large to compute.";

bool AllFinite(std::initializer_list<double> values) {
  for (double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

TGeometricToolResult Checked(TGeometricToolResult r) {
  const TSectionFigures& f = r.Full;
  const TSectionFigures& p = r.Partial;
  if (AllFinite({f.Area, f.TopWidth, f.WettedPerimeter, f.HydraulicRadius, p.Area, p.TopWidth, p.WettedPerimeter,
                 p.HydraulicRadius, r.RT, r.RS, r.Theta, r.Phi}))
    return r;
  TGeometricToolResult refused;
  refused.Message = Error(OutOfRange);
  return refused;
}

THydraulicToolResult Checked(THydraulicToolResult r) {
  if (AllFinite({r.NormalDepth, r.CriticalDepth, r.QMax, r.QFull})) return r;
  THydraulicToolResult refused;
  refused.Message = Error(OutOfRange);
  return refused;
}

TCalculatorMessage NotAvailable() { return TCalculatorMessage{"Not available in this version", true}; }

}  // namespace

const std::vector<std::string>& CalculatorShapeNames() {
  static const std::vector<std::string> names{"Circular", "Elliptical", "Pipe Arch", "Box"};
  return names;
}

TSectionFigures FiguresOf(const TSectionGeometry& g) {
  TSectionFigures f;
  f.Area = Cleaned(g.Area);
  f.TopWidth = Cleaned(g.TopWidth);
  f.WettedPerimeter = Cleaned(g.WettedPerimeter);
  f.HydraulicRadius = f.WettedPerimeter > 0 ? f.Area / f.WettedPerimeter : 0;
  return f;
}

double ManningFlow(const TSectionGeometry& geometry, double n, double slope) {
  if (!(n > 0) || !(slope > 0)) return 0;
  const TSectionFigures f = FiguresOf(geometry);
  return ManningK / n * RealPower(f.HydraulicRadius, ManningExponent) * std::sqrt(slope) * f.Area;
}

TGeometricToolResult CalculateGeometricTool(TCalculatorShape shape, const TCalculatorSection& section, double depth) {
  switch (shape) {
    case csCircular: return Checked(CircularGeometry(section, depth));
    case csElliptical: return Checked(EllipticalGeometry(section, depth));
    case csBox: return Checked(BoxGeometry(section, depth));
    case csPipeArch: break;
  }
  TGeometricToolResult r;
  r.Message = NotAvailable();
  return r;
}

THydraulicToolResult CalculateHydraulicTool(TCalculatorShape shape, const TCalculatorSection& section,
                                            const THydraulicToolInput& design) {
  switch (shape) {
    case csCircular: return Checked(CircularHydraulics(section, design));
    case csElliptical: return Checked(EllipticalHydraulics(section, design));
    case csBox: return Checked(BoxHydraulics(section, design));
    case csPipeArch: break;
  }
  THydraulicToolResult r;
  r.Message = NotAvailable();
  return r;
}
