// Inlet control headwater (coefficient equations, regression polynomials,
// box form) and the improved inlets tried by the design for circular pipes.

#include <algorithm>
#include <cmath>

#include "culvert/CulvertShapes.h"
#include "model/Geometry.h"
#include "model/PipeCatalogue.h"

namespace {

// HW/D regression rows per shape, for inlet codes "1", "2" and any other.
constexpr double CircularConcreteRows[3][6] = {
    {0.108786, 0.662381, -0.233801, 0.0579585, -0.0055789, 0.00020505},
    {0.11443, 0.657956, -0.233708, 0.0588654, -0.00587114, 0.00022394},
    {0.114099, 0.653562, -0.233615, 0.0597723, -0.00616338, 0.000242832},
};
constexpr double CircularCorrugatedRows[3][6] = {
    {0.187321, 0.56771, -0.156544, 0.0447052, -0.00343602, 0.000089661},
    {0.107137, 0.757789, -0.361462, 0.1233932, -0.01606422, 0.00076739},
    {0.167433, 0.538595, -0.149374, 0.0391543, -0.00343974, 0.000115882},
};
constexpr double EllipticalConcreteRows[3][6] = {
    {-0.03817, 0.84684, -0.32139, 0.0755, -0.00729, 0.00027},
    {0.05625, 0.674975, -0.221035, 0.05058, -0.00459, 0.00016},
    {0.15067, 0.50311, -0.12068, 0.02566, -0.00189, 0.00005},
};
constexpr double PipeArchRows[3][6] = {
    {0.0890527, 0.712545, -0.270921, 0.0792502, -0.00798048, 0.000293213},
    {0.0833006, 0.795145, -0.434075, 0.163774, -0.0249139, 0.00141066},
    {0.111281, 0.610579, -0.194937, 0.0512893, -0.00480538, 0.000168547},
};

int RegressionRow(const std::string& inletType) {
  if (inletType == "1") return 0;
  if (inletType == "2") return 1;
  return 2;
}

// Specific head at critical depth: velocity head in the critical section plus
// the depth. A section without area (no discharge) has no velocity head.
double CriticalSpecificHead(double Q, double area, double dc) {
  const double v = area != 0 ? Q / area : 0;
  return v * v / 64.4 + dc;
}

}  // namespace

double TCulvertBaseElement::InletControlHeadwater() { return CoefficientInletHeadwater(); }

double TCulvertBaseElement::CoefficientInletHeadwater() {
  const double D = Rise();
  if (!Pipe || !(D > 0)) return 0;
  const double b = BuriedDepth;
  const double Q = BarrelDischarge;
  const double S = Slope();
  const double dc = CurrentCriticalDepth;
  const double Ab = b > 0 ? AreaAtRatio(b / D) : 0;
  const double A = FullArea(*Pipe) - Ab;
  const double Db = D - b;
  if (!(A > 0) || !(Db > 0)) return 0;  // no flow section above the bed
  const double rootDb = std::sqrt(Db);

  const double Ac = AreaAtRatio((dc + b) / D) - Ab;
  const double Hc = CriticalSpecificHead(Q, Ac, dc);
  const double x = Q / (A * rootDb);

  if (x <= QMAX) return Db * (K * RealPower(x, M) + Hc / Db + UnsubmergedSL * S);
  if (x >= QMIN) return Db * (KD * x * x + KP + SubmergedSL * S);

  // Transition: interpolate HW/Db between the unsubmerged value at QMAX and
  // the submerged value at QMIN.
  const double Q1 = QMAX * A * rootDb;
  const double savedQ = BarrelDischarge;
  BarrelDischarge = Q1;
  const double dc1 = BarrelCriticalDepth();
  const double Ac1 = AreaAtRatio((dc1 + b) / Rise()) - Ab;
  const double Hc1 = CriticalSpecificHead(Q1, Ac1, dc1);
  BarrelDischarge = savedQ;
  const double h1 = K * RealPower(QMAX, M) + Hc1 / Db + UnsubmergedSL * S;
  const double h2 = KD * QMIN * QMIN + KP + SubmergedSL * S;
  return Db * (h1 + (x - QMAX) / (QMIN - QMAX) * (h2 - h1));
}

double TCulvertBaseElement::RegressionInletHeadwater(const double (&c)[6], double x) const {
  const double p = c[0] + x * (c[1] + x * (c[2] + x * (c[3] + x * (c[4] + x * c[5]))));
  return p;
}

double TCircularElement::CircularRegressionHeadwater(const double (&rows)[3][6]) {
  const double D = CatalogueRise();
  if (!(D > 0)) return 0;
  const double x = BarrelDischarge / RealPower(D, 2.5);
  return D * RegressionInletHeadwater(rows[RegressionRow(InletType)], x);
}

double TCircularSmoothElement::InletControlHeadwater() {
  return BuriedOption ? CoefficientInletHeadwater() : CircularRegressionHeadwater(CircularConcreteRows);
}

double TCircularCorrugatedElement::InletControlHeadwater() {
  return BuriedOption ? CoefficientInletHeadwater() : CircularRegressionHeadwater(CircularCorrugatedRows);
}

namespace {

// x = Q / (B D^1.5) with the catalogue span and rise.
double ArchRegressionX(const TCulvertBasePipe* pipe, double Q) {
  if (!pipe || !(pipe->Span > 0) || !(pipe->Rise > 0)) return -1;
  return Q / (pipe->Span * RealPower(pipe->Rise, 1.5));
}

}  // namespace

double TEllipticalSmoothElement::InletControlHeadwater() {
  if (BuriedOption) return CoefficientInletHeadwater();
  const double x = ArchRegressionX(Pipe, BarrelDischarge);
  if (x < 0) return 0;
  return Pipe->Rise * RegressionInletHeadwater(EllipticalConcreteRows[RegressionRow(InletType)], x);
}

double TArcCorrugatedElement::InletControlHeadwater() {
  const double x = ArchRegressionX(Pipe, BarrelDischarge);
  if (x < 0) return 0;
  return Pipe->Rise * RegressionInletHeadwater(PipeArchRows[RegressionRow(InletType)], x);
}

double TBoxSmoothElement::InletControlHeadwater() {
  if (BuriedOption) return CoefficientInletHeadwater();
  if (!Pipe) return 0;
  const double B = Pipe->Span;
  const double D = Pipe->Rise;
  if (!(B > 0) || !(D > 0)) return 0;
  const double q = BarrelDischarge / B;
  const double dc = RealPower(q * q / 32.2, 0.3333);
  const double a = 1.5 * dc / D;
  double h;
  if (a <= 0.9) {
    h = 1.02 * a;
  } else if (a <= 1.32) {
    h = a * (0.31 * a + 0.74);
  } else {
    const double C = -1.02364 + 2.28989 * a - 1.13667 * a * a + 0.19479 * a * a * a;
    h = q * q / (C * C * D * D * D * 64.4);
  }
  if (InletType == "2" || InletType == "4")
    h = 1.08 * h + 0.02;
  else if (InletType == "3")
    h = 1.24 * h - 0.14;
  return h * D;
}

// --- improved inlets --------------------------------------------------------------------

double TCulvertBaseElement::TaperedInletHeadwater(int type, double, double F) {
  const double D = CatalogueRise();
  const double Q = BarrelDischarge;
  if (!(D > 0)) return F;
  double c, d, e;
  if (type == iiSideTaper) {
    e = 0;
    if (F >= 0.2 * D) {
      const double L = std::max(4 * F, F + 1.5 * D);
      e = 0.5 * RealPower(Q / L, 0.667);
    }
    const double t = Q / (1.178 * D * D);
    d = 0.0368 * t * t + 0.82 * D - F;
    c = -F;
  } else {
    d = 0.0378 * (Q / 2) / (D * D) + 0.7 * D;
    e = 0.5 * RealPower((Q / 2) / D, 0.6667);
    const double t = Q / (2 * (D - 0.333 * F)) / D;
    c = 0.0232 * t * t + 0.87 * D - F;
  }
  const double s = FaceHeadwater > D ? ThroatHeadwater - F : FaceHeadwater - F;
  return F + std::max({s, e, d, c});
}

double TCircularElement::CircularTaperedHeadwater(double f, double g, int type, double Ec, double fall) {
  const double D = CatalogueRise();
  const double t = D > 0 ? BarrelDischarge / (D * D) : 0;
  FaceHeadwater = f * t * t + Ec - 0.011 * CurrentCriticalDepth;
  ThroatHeadwater = g * t * t + 0.89 * D;
  return TCulvertBaseElement::TaperedInletHeadwater(type, Ec, fall);
}

double TCircularSmoothElement::TaperedInletHeadwater(int type, double Ec, double fall) {
  return CircularTaperedHeadwater(0.0016, 0.0318, type, Ec, fall);
}

double TCircularCorrugatedElement::TaperedInletHeadwater(int type, double Ec, double fall) {
  return CircularTaperedHeadwater(0.0045, 0.0341, type, Ec, fall);
}

int32_t TCulvertBaseElement::CalculateImprovedInlet(int type, double F, double s) {
  const std::string savedInletType = InletType;
  const double savedInletElevation = InletElevation;
  InletType = "3";
  InletElevation = s * CulvertLength + OutletElevation;
  ImprovedInletType = static_cast<uint8_t>(type);
  ImprovedInletFall = F;
  ImprovedInletSlope = s;

  const double Q = BarrelDischarge;
  const double D = CatalogueRise();
  CurrentNormalDepth = BarrelNormalDepth();
  CurrentCriticalDepth = BarrelCriticalDepth();
  const double dc = CurrentCriticalDepth;
  bool extrapolated = false;
  if (type == iiSideTaper || type == iiSlopeTaper) {
    const double Ec = CriticalSpecificHead(Q, AreaAtRatio(dc / D), dc);
    InletHeadwaterDepth = TaperedInletHeadwater(type, Ec, F);
  } else {
    InletHeadwaterDepth = InletControlHeadwater();
    // Judged before the fall is taken off: the regression's own HW/D.
    extrapolated = InletControlExtrapolated();
  }
  OutletLoss = OutletFullFlowLoss();
  const double h = std::max(TailwaterDepth(), (dc + D) / 2);
  OutletHeadwaterDepth = h + OutletLoss - Slope() * CulvertLength;
  InletHeadwaterDepth -= F;
  OutletHeadwaterDepth -= F;

  int code = 1;
  const double fullArea = FullArea(*Pipe);
  const double v = fullArea != 0 ? Q / fullArea : 0;
  if (TailwaterDepth() < (dc + D) / 2 && OutletHeadwaterDepth < v * v * (Ke() + 1) / 64.4 + D &&
      CurrentNormalDepth < dc && InletHeadwaterDepth / D <= 1.2) {
    code = 4;
    OutletHeadwaterDepth += F;
  }

  int32_t result = -1;
  if (code == 4 || InletHeadwaterDepth > OutletHeadwaterDepth) {
    ControlCode = ccInlet;
    OverflowDischarge = 0;
    const double area = AreaAtRatio(CurrentNormalDepth / D);
    OutletVelocity = area != 0 ? Q / area : 0;
    if (AllowableHeadwaterDepth() >= InletHeadwaterDepth) {
      auto* row = new TCulvertElementResult();
      row->ElementId = ElementId;
      row->UseHW = UseHW;
      row->Pipe = Pipe;
      row->CulvertQuantity = CulvertQuantity;
      row->Flow = Q;
      row->Tailwater = TailwaterLevel();
      row->InletHeadwater = InletHeadwaterDepth + InletElevation;
      row->OutletHeadwater = OutletHeadwaterDepth + InletElevation;
      row->FlowType = FlowTypeText();
      row->Velocity = OutletVelocity;
      row->NormalDepth = CurrentNormalDepth;
      row->CriticalDepth = CurrentCriticalDepth;
      row->CoeffN = EffectiveN;
      row->HeadwaterControl = ControlText();
      row->Overflow = OverflowDischarge;
      row->DesignCode = DesignCodeText();
      row->ImprovedInletType = ImprovedInletType;
      row->ImprovedInlet = ImprovedInletText();
      row->InletControlExtrapolated = extrapolated;
      if (row->IsFinite()) {
        Results.Add(std::string(), row);
        result = 1;
      } else {
        delete row;
        ResultNotFinite = true;
      }
    }
  }
  InletType = savedInletType;
  InletElevation = savedInletElevation;
  return result;
}

namespace {

// The falls are sums of 0.1 D steps, so they reach the 0.8 D and 1.4 D
// limits only up to rounding; compared with the curve loops' tolerance the
// limit fall itself is still tried (for D = 4.5 ft, eight steps give
// 3.6000000000000005).
bool NotBeyond(double fall, double limit) { return fall <= limit + std::max(1e-9, 1e-9 * std::fabs(limit)); }

}  // namespace

int32_t TCulvertBaseElement::DesignImprovedInlet(double Ar) {
  if (!Pipe) return -1;
  const double D = Pipe->Rise;
  if (D < 4 || !(Ar > 0) || FullArea(*Pipe) / Ar < 0.5) return -1;
  const double S = Slope();
  const double L = CulvertLength;
  int32_t r = -1;
  for (int t = iiFullHeadwall; t <= iiSlopeTaper; ++t) {
    double F, s;
    if (t == iiSlopeTaper) {
      // The re-graded slope is measured over the barrel beyond three rises;
      // a barrel of exactly three rises leaves no length for it, so no
      // finite slope and no trial. Shorter barrels keep the formula.
      if (L - 3 * D == 0) continue;
      F = 0.8 * D;
      s = (S * L - F) / (L - 3 * D);
    } else {
      F = 0;
      s = S;
    }
    while (s >= 0.005) {
      r = CalculateImprovedInlet(t, F, s);
      if (r > 0) break;
      const double nextF = F + 0.1 * D;
      double nextS;
      if (NotBeyond(nextF, 0.8 * D))
        nextS = (S * L - nextF) / L;
      else if (t == iiSlopeTaper && NotBeyond(nextF, 1.4 * D))
        nextS = (S * L - nextF) / (L - 3 * D);
      else
        break;
      if (nextS < 0.005) break;
      F = nextF;
      s = nextS;
    }
  }
  return r;
}

std::string TCulvertBaseElement::ImprovedInletText() const {
  std::string name;
  switch (ImprovedInletType) {
    case iiFullHeadwall: name = "Full Headwall "; break;
    case iiSideTaper: name = "Side Taper "; break;
    case iiSlopeTaper: name = "Slope Taper "; break;
    default: return std::string();
  }
  return name + "(S=" + FixedText(ImprovedInletSlope, 4) + ")(F=" + FixedText(ImprovedInletFall, 2) + ")";
}

void TCulvertBaseElement::CalculateDesign(double tailwaterDepth, double) {
  CalculateAndRecord(false, true, DesignDischarge, tailwaterDepth, 0);
}

void TCircularElement::CalculateDesign(double tailwaterDepth, double referenceFullArea) {
  if (DesignImprovedInlet(referenceFullArea) > 0) return;
  TCulvertBaseElement::CalculateDesign(tailwaterDepth, referenceFullArea);
}
