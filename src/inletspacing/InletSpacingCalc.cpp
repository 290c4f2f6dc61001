// The gutter run: flow of each inlet's own area plus what the inlet before
// it let pass, gutter depth and spread by Manning's equation for a
// triangular or a composite gutter, interception on grade and ponding at a
// sag. One pass over the list, in list order.

#include <algorithm>
#include <cmath>

#include "inletspacing/InletHydraulics.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"

namespace {

constexpr double DepthStep = 0.00005;  // ft, the step of the uniform gutter search
// The step search ends by itself once the depth reaches 0; this only guards
// against data (a rainfall curve) that never lets the flow fall.
constexpr long MaxDepthSteps = 2000000;
// Passes of the composite gutter between rainfall and depth; a few settle
// any real gutter. Large flows can keep the capacity more than 0.005 cfs
// from the flow within the depth tolerance, so the pass count is bounded.
constexpr int MaxCompositePasses = 100;
constexpr int MaxBisections = 200;
constexpr double BisectionWidth = 0.00005;  // ft
constexpr double FlowTolerance = 0.005;     // cfs
constexpr double MinimumTime = 10;          // min, shortest storm duration used
constexpr double Exponent = 2.667;

// The intensity curve of the project's area and frequency, looked up once
// per calculation rather than for every step of the depth searches.
struct TRainfallCurve {
  bool Found = false;
  double A1 = 0;
  double A2 = 0;
  double A3 = 0;

  double At(double minutes) const {
    if (!Found) return 0;
    // The same guards as the code table's own intensity: a duration outside
    // the curve gives no rain rather than an infinite or undefined one.
    const double base = minutes + A2;
    const double divisor = A3 == 0 ? 1 : std::pow(base, A3);
    if (divisor == 0 || (base <= 0 && A3 != 0)) return 0;
    const double value = A1 / divisor;
    return std::isfinite(value) ? value : 0;
  }
};

std::string ElementPrefix(const TInletSpacingElement& p) { return "Element #" + std::to_string(p.ElementId) + ": "; }

void AddMessage(TInletSpacingElement& p, const std::string& text) {
  if (!p.CalcMessage.empty()) p.CalcMessage += " ";
  p.CalcMessage += p.CalcMessage.empty() ? ElementPrefix(p) + text : text;
}

bool AllResultsFinite(const TInletSpacingElement& p) {
  for (double v :
       {p.GutterTime, p.TotalFlow, p.InterceptedFlow, p.DepthFlow, p.PavementSpread, p.BypassFlow, p.UsedTime,
        p.Rainfall, p.GrateEdgeDepth, p.FrontalFlow, p.PondedDepth, p.SagDesignFlow, p.SagSpread, p.ConcTimeUsed})
    if (!std::isfinite(v)) return false;
  return true;
}

// The element check, less what cannot spoil a result: the code selections
// (an unknown code has its own meaning or its own report), the time inputs
// of a given discharge and the station of a given gutter length.
std::string ComputabilityProblem(const TInletSpacingElement& p) {
  TInletSpacingEntry e = EntryOfElement(p);
  e.SumpSelected = e.CatchBasinSelected = e.SurfaceSelected = true;
  e.SumpIsFirstEntry = false;
  if (p.Flow > 0) e.ConcTime = 1;
  if (p.GutterLength > 0)
    e.StationText = StationToText(0);
  else if (p.PreviousStation == NoStation)
    return MsgStationInvalid;
  return CheckInletSpacingEntry(e);
}

class TGutterRun {
public:
  TGutterRun(TInletSpacingElementList& list, const TRainfallCurve& curve) : FList(list), FCurve(curve) {}
  void Run();

private:
  void Inlet(TInletSpacingElement& p);
  void SkipInlet(TInletSpacingElement& p, double incoming, const std::string& message);
  double Qt(const TInletSpacingElement& p) const { return p.OwnFlow() + p.BypassFlow; }
  double UniformGutterDepth(TInletSpacingElement& p);
  double CompositeGutterDepth(TInletSpacingElement& p, double startDepth);
  void InterceptOnGrade(TInletSpacingElement& p, double depth);
  void SagHead(TInletSpacingElement& p);

  // Composite gutter of the current element.
  double Capacity(double d) const;
  double CompositeGutterTime(double flow, double d) const;
  void SolveCompositeDepth(TInletSpacingElement& p, bool givenFlow);

  TInletSpacingElementList& FList;
  const TRainfallCurve& FCurve;
  double FPreviousStation = 0;
  double FCarryOver = 0;
  double FSagCarry = 0;
  bool FSagSeen = false;

  // The element being computed.
  TCatchBasinGeometry FBasin;
  double FKw = 0;
  double FKp = 0;
  double FLength = 0;
  double FWidth = 0;
  double FSw = 0;
  double FSx = 0;
  // Last depth solve of the composite gutter.
  double FMid = 0;
  double FQw = 0;
  double FQc = 0;
  double FTg = 0;
};

void TGutterRun::Run() {
  FList.ClearSumpData();
  for (int i = 0; i < FList.Count(); ++i) {
    TInletSpacingElement* p = FList.Items(i);
    if (!p) continue;
    if (p->GutterSlope <= 0) {
      p->GutterSlope = p->PavementSlope;
      p->ManningGN = p->PavementN();
    }
    if (p->IsBeginPoint()) {
      // Old results of an element that used to be an inlet would be shown
      // as if they belonged to the begin point.
      p->ClearResults();
      FCarryOver = 0;
      p->PreviousStation = p->StationFeet;
      FPreviousStation = p->StationFeet;
      if (p->StationFeet == NoStation) AddMessage(*p, MsgStationEmpty);
      continue;
    }
    Inlet(*p);
  }
}

void TGutterRun::SkipInlet(TInletSpacingElement& p, double incoming, const std::string& message) {
  // What arrives passes on untouched, so the inlets below still see it.
  const double previous = p.PreviousStation;
  p.ClearResults();
  p.PreviousStation = previous;
  p.BypassFlow = incoming;
  p.TotalFlow = incoming;
  FCarryOver = incoming;
  AddMessage(p, message);
}

void TGutterRun::Inlet(TInletSpacingElement& p) {
  p.ClearResults();
  p.PreviousStation = FPreviousStation;
  FPreviousStation = p.StationFeet;
  if (p.Sump == SumpSagApproach) FSagSeen = true;
  const double incoming = FCarryOver;
  p.BypassFlow = incoming;

  const std::string invalid = ComputabilityProblem(p);
  if (!invalid.empty()) return SkipInlet(p, incoming, invalid);

  FBasin = CatchBasinGeometry(p.CatchBasin);
  FLength = p.UsedGutterLength();
  FWidth = p.GutterWidth;
  FSw = p.GutterSlope;
  FSx = p.PavementSlope;
  FKw = GutterConveyance(p.GutterN(), FSw, p.LongSlope);
  FKp = GutterConveyance(p.PavementN(), FSx, p.LongSlope);

  p.ConcTimeUsed = p.ConcTime > 0 ? p.ConcTime : OverlandTime(p.OverlandLength, p.OverlandSlope, p.Surface);
  double d = UniformGutterDepth(p);
  if (p.TotalFlow > 0 && FSx != FSw && !(FWidth * FSw > d)) d = CompositeGutterDepth(p, d);

  if (p.Sump == SumpSagEnd) {
    SagHead(p);
    p.InterceptedFlow = p.TotalFlow;
  } else if (!FBasin.HasLength) {
    AddMessage(p, "Catch Basin Type \"" + p.CatchBasin + "\" gives no inlet length; no flow is intercepted.");
    p.InterceptedFlow = 0;
  } else {
    InterceptOnGrade(p, d);
  }
  p.BypassFlow = p.TotalFlow - p.InterceptedFlow;
  p.DepthFlow = d;
  p.PavementSpread = d / FSw;
  if (FSx != FSw && FWidth * FSw < d) p.PavementSpread = FWidth + (d - FWidth * FSw) / FSx;
  if (!AllResultsFinite(p)) return SkipInlet(p, incoming, "the gutter flow could not be computed from these values.");

  if (p.Sump == SumpSagApproach) FSagCarry = p.TotalFlow;
  FCarryOver = p.BypassFlow;
  if (p.Sump == SumpSagEnd && FSagSeen) {
    FList.HasSumpData = true;
    FList.SumpTotalFlow = p.SagDesignFlow;
    FList.SumpPondedDepth = p.PondedDepth;
    FList.SumpSpread = p.SagSpread;
    FSagCarry = 0;
  }
}

double TGutterRun::UniformGutterDepth(TInletSpacingElement& p) {
  const double gw = FBasin.InletWidth;
  p.UsedTime = 0;
  double d = 0;
  if (p.Flow > 0) {
    p.RunoffCoeff = 0;
    p.RunoffArea = 0;
    p.ConcTimeUsed = 0;
    p.GutterTime = 0;
    // No intensity enters a given discharge; an old one would only mislead.
    p.Rainfall = 0;
    const double qt = Qt(p);
    d = TriangularDepth(qt, FKw);
    p.GrateEdgeDepth = d - gw * FSw;
    p.FrontalFlow = qt - FKw * PowPositive(p.GrateEdgeDepth, Exponent);
    p.TotalFlow = qt;
    return d;
  }

  p.Rainfall = FCurve.At(p.ConcTimeUsed);
  if (!FCurve.Found) AddMessage(p, NoRainfallIntensityMessage);
  const double qt0 = Qt(p);
  if (qt0 <= 0) {
    // Nothing flows: no depth, no spread, and no travel time to divide by.
    p.UsedTime = p.ConcTimeUsed;
    p.GrateEdgeDepth = -gw * FSw;
    p.TotalFlow = 0;
    return 0;
  }

  d = TriangularDepth(qt0, FKw) - DepthStep;
  double area = d * d * 0.5 / FSw;
  double tg = area > 0 ? FLength / (0.75 * qt0 / area) / 60 : 0;
  double qk = 0;
  for (long step = 0;; ++step) {
    p.UsedTime = tg + p.ConcTimeUsed;
    p.Rainfall = FCurve.At(p.UsedTime);
    qk = FKw * PowPositive(d, Exponent);
    if (Qt(p) >= qk) break;
    if (step == MaxDepthSteps) {
      AddMessage(p, "the gutter depth did not settle; the results are those of the last step.");
      break;
    }
    d -= DepthStep;
    area = d * d * 0.5 / FSw;
    if (area > 0) tg = FLength / (0.75 * qk / area) / 60;
  }
  // Only the depth the search ends at shows its grate edge and frontal flow.
  p.GrateEdgeDepth = d - gw * FSw;
  p.FrontalFlow = qk - FKw * PowPositive(p.GrateEdgeDepth, Exponent);
  if (tg + p.ConcTimeUsed < MinimumTime) {
    p.UsedTime = MinimumTime;
    p.Rainfall = FCurve.At(MinimumTime);
    const double qt = Qt(p);
    d = TriangularDepth(qt, FKw);
    p.GrateEdgeDepth = d - gw * FSw;
    p.FrontalFlow = qt - FKw * PowPositive(p.GrateEdgeDepth, Exponent);
  }
  p.GutterTime = tg;
  p.TotalFlow = Qt(p);
  return d;
}

double TGutterRun::Capacity(double d) const {
  const double dx = std::max(d - FWidth * FSw, 0.0);
  const double beyond = PowPositive(dx, Exponent);
  return FKw * PowPositive(d, Exponent) - FKw * beyond + FKp * beyond;
}

double TGutterRun::CompositeGutterTime(double flow, double d) const {
  const double dx = std::max(d - FWidth * FSw, 0.0);
  const double area = 0.5 * FWidth * (d + dx) + 0.5 * dx * dx / FSx;
  if (flow <= 0 || area <= 0) return 0;
  return FLength / (0.75 * flow / area * 60);
}

void TGutterRun::SolveCompositeDepth(TInletSpacingElement& p, bool givenFlow) {
  const double qt = Qt(p);
  double lower = 0.01;
  double upper = TriangularDepth(qt, FKw);
  // A pavement that carries less than the gutter at the same depth (a gutter
  // flatter than the pavement, or a rougher pavement) puts the depth above
  // the gutter's own triangular depth; the search would otherwise end at its
  // upper bound with a depth too shallow for the flow. The pavement triangle
  // alone carries the flow at the depth below, so it bounds the search.
  if (Capacity(upper) < qt && FKp > 0) upper = FWidth * FSw + TriangularDepth(qt, FKp);
  const double f0 = Capacity(lower) - qt;
  for (int i = 0; i < MaxBisections; ++i) {
    FMid = (lower + upper) / 2;
    FQw = FKw * PowPositive(FMid, Exponent);
    FQc = Capacity(FMid);
    FTg = CompositeGutterTime(FQc, FMid);
    const double g = (FQc - qt) * f0;
    if (!givenFlow && (g == 0 || std::fabs(lower - upper) < BisectionWidth)) break;
    if (g < 0) upper = FMid;
    if (g > 0) lower = FMid;
    if (givenFlow && (g == 0 || std::fabs(lower - upper) < BisectionWidth)) break;
  }
}

double TGutterRun::CompositeGutterDepth(TInletSpacingElement& p, double startDepth) {
  p.UsedTime = 0;
  if (p.Flow > 0) {
    p.RunoffArea = 0;
    p.RunoffCoeff = 0;
    p.ConcTimeUsed = 0;
    SolveCompositeDepth(p, true);
    FTg = 0;
  } else {
    FQc = p.TotalFlow;
    FTg = CompositeGutterTime(FQc, startDepth);
    FMid = startDepth;
    FQw = FKw * PowPositive(startDepth, Exponent);
    for (int pass = 0;; ++pass) {
      p.UsedTime = FTg + p.ConcTimeUsed;
      p.Rainfall = FCurve.At(p.UsedTime);
      if (std::fabs(FQc - Qt(p)) <= FlowTolerance) {
        if (p.UsedTime < MinimumTime) {
          p.UsedTime = MinimumTime;
          p.Rainfall = FCurve.At(MinimumTime);
          SolveCompositeDepth(p, false);
        } else if (pass == 0) {
          SolveCompositeDepth(p, false);
        }
        break;
      }
      if (pass == MaxCompositePasses) {
        AddMessage(p, "the composite gutter flow did not settle within " + std::to_string(MaxCompositePasses) +
                          " passes; the results are those of the last pass.");
        break;
      }
      SolveCompositeDepth(p, false);
    }
  }
  p.GrateEdgeDepth = FMid - FBasin.InletWidth * FSw;
  p.FrontalFlow = FQw - FKw * PowPositive(p.GrateEdgeDepth, Exponent);
  p.GutterTime = FTg;
  p.TotalFlow = Qt(p);
  return FMid;
}

void TGutterRun::InterceptOnGrade(TInletSpacingElement& p, double depth) {
  const double a = p.Depression;
  const double y = FBasin.GrateOnGrade ? p.GrateEdgeDepth : depth;
  const double perFoot = InterceptionPerLength(a, y);
  if (perFoot <= 0) {
    p.InterceptedFlow = p.TotalFlow;
    return;
  }
  const double sideFlow = FBasin.GrateOnGrade ? p.TotalFlow - p.FrontalFlow : p.TotalFlow;
  const double fullLength = sideFlow / perFoot;
  if (fullLength < FBasin.InletLength) {
    p.InterceptedFlow = p.TotalFlow;
    return;
  }
  const double e = InterceptionEfficiency(FBasin.InletLength / fullLength, a / y);
  p.InterceptedFlow = FBasin.GrateOnGrade ? p.FrontalFlow + (p.TotalFlow - p.FrontalFlow) * e : e * p.TotalFlow;
  if (p.InterceptedFlow > p.TotalFlow) p.InterceptedFlow = p.TotalFlow;
}

void TGutterRun::SagHead(TInletSpacingElement& p) {
  p.SagDesignFlow = p.TotalFlow + FSagCarry;
  p.PondedDepth = 0;
  p.SagSpread = 0;
  TSagSection section;
  section.GutterSlope = FSw;
  section.PavementSlope = FSx;
  section.Depression = p.Depression;
  section.GutterWidth = FWidth;
  TSagHead head;
  if (FBasin.SagRule != TSagRule::CurbOpening) {
    head = SagGrateHead(p.SagDesignFlow, SagGrateConstants(FBasin.SagRule), FBasin.InletWidth, section);
  } else if (FBasin.HasLength) {
    head = SagCurbHead(p.SagDesignFlow, FBasin.InletLength, section);
  } else {
    AddMessage(p, "Catch Basin Type \"" + p.CatchBasin + "\" gives no inlet length; the ponded depth is unknown.");
  }
  p.PondedDepth = head.PondedDepth;
  p.SagSpread = head.Spread;
}

TRainfallCurve CurveOf(const TNerraParameterList* parameters, const TInletSpacingGeneralParameters& g) {
  TRainfallCurve curve;
  if (!parameters) return curve;
  const TRainfallCoefficients c = parameters->FindRainfallCoefficients(g.WaterShedAreaCode, g.StormFrequency);
  curve.Found = c.Position >= 0;
  curve.A1 = c.A1;
  curve.A2 = c.A2;
  curve.A3 = c.A3;
  return curve;
}

}  // namespace

int32_t TInletSpacing::Calculate() {
  LastError.clear();
  const TRainfallCurve curve = CurveOf(Parameters, GeneralParameters);
  TGutterRun(Elements, curve).Run();
  // The run goes on past an element it cannot compute, so the other results
  // stay available; the messages still say that the run is not complete.
  for (int i = 0; i < Elements.Count(); ++i) {
    const TInletSpacingElement* p = Elements.Items(i);
    if (!p || p->CalcMessage.empty()) continue;
    if (!LastError.empty()) LastError += "\n";
    LastError += p->CalcMessage;
  }
  return 0;
}
