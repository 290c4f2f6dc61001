// Outlet control: full-flow loss, the direct-step water-surface profile, the
// computation of one discharge with its overflow search, and the result row.

#include <algorithm>
#include <cmath>

#include "culvert/CulvertShapes.h"
#include "model/Geometry.h"
#include "model/PipeCatalogue.h"

namespace {

double VelocityHead(double Q, double area) {
  const double v = area != 0 ? Q / area : 0;
  return v * v / 64.4;
}

}  // namespace

// Head loss of the barrel flowing full over area A and wetted perimeter P
// (both above the bed).
static double FullFlowLoss(const TCulvertBaseElement& e, double A, double P) {
  if (!(A > 0) || !(P > 0)) return 0;
  const double R = A / P;
  const double V = e.BarrelDischarge / A;
  const double n = e.EffectiveN;
  return (1 + e.Ke() + 29 * n * n * e.CulvertLength / RealPower(R, 1.33333)) * V * V / 64.4;
}

double TCulvertBaseElement::OutletFullFlowLoss() {
  const TSectionProperties full = SectionProperties(1.0);
  double A = full.Area;
  double P = full.WettedPerimeter;
  if (BuriedDepth > 0) {
    const TBedSection bed = BedSection(BuriedDepth);
    A -= bed.Area;
    P = P - bed.WettedPerimeter + bed.TopWidth;
  }
  return FullFlowLoss(*this, A, P);
}

double TEllipticalElement::OutletFullFlowLoss() {
  if (!Pipe) return 0;
  double A = FullArea(*Pipe);
  const double Rf = FullHydraulicRadius(*Pipe);
  double P = Rf > 0 ? A / Rf : 0;
  if (BuriedDepth > 0) {
    const TBedSection bed = BedSection(BuriedDepth);
    A -= bed.Area;
    P = P - bed.WettedPerimeter + bed.TopWidth;
  }
  return FullFlowLoss(*this, A, P);
}

double TCulvertBaseElement::ProfileHeadwater() {
  const double D = Rise();
  if (!(D > 0)) return -10;
  const double b = BuriedDepth;
  const double Q = BarrelDischarge;
  const double S = Slope();
  const double L = CulvertLength;
  const double n = EffectiveN;
  const double yn = CurrentNormalDepth;
  const TBedSection bed = BedSection(b);

  double y1 = std::max(TailwaterDepth() - b, CurrentCriticalDepth);
  if (!std::isfinite(y1) || !std::isfinite(yn)) return -10;
  double E1 = VelocityHead(Q, AreaAtRatio((y1 + b) / D) - bed.Area) + y1;
  const double dy0 = std::clamp(std::fabs(yn - y1) / 50, 0.05, 0.2);
  double dy = dy0;
  double x = 0;
  int halvings = 0;

  // Each step moves at least dy0 / 8 towards the normal depth, so the walk
  // ends well within this many steps for any real barrel.
  for (int step = 0; step < 1000000; ++step) {
    double y2, E2, V2, dx;
    for (;;) {
      if (std::fabs(yn - y1) <= dy0) y2 = yn;
      else y2 = y1 < yn ? y1 + dy : y1 - dy;
      const double a2 = AreaAtRatio((y2 + b) / D) - bed.Area;
      V2 = a2 != 0 ? Q / a2 : 0;
      E2 = V2 * V2 / 64.4 + y2;

      const double ym = (y1 + y2) / 2;
      const TSectionProperties mean = SectionProperties((ym + b) / D);
      const double A = mean.Area - bed.Area;
      const double P = mean.WettedPerimeter - bed.WettedPerimeter + bed.TopWidth;
      const double R = P != 0 ? A / P : 0;
      const double v = A != 0 ? Q / A : 0;
      const double Sf = R > 0 ? v * v * n * n / 2.21 / RealPower(R, 1.3333) : v * v * n * n / 2.21;
      const double dE = E1 - E2;
      const double denominator = S - Sf;
      // On a reach where the bed and friction slopes balance, no distance
      // changes the energy: the reach is taken as endless (or as no reach
      // when the energy does not change either).
      if (denominator != 0) dx = std::fabs(dE / denominator);
      else dx = dE == 0 ? 0 : HUGE_VAL;

      if (dx >= L / 5 && halvings < 3) {
        dy /= 2;
        ++halvings;
        continue;
      }
      break;
    }
    x += dx;
    if (y2 + b > FullDepthRatio() * D && x < L) return -10;
    if (x >= L || y2 == yn) return E1 + Ke() * V2 * V2 / 64.4;
    y1 = y2;
    E1 = E2;
  }
  return -10;
}

int32_t TCulvertBaseElement::CalculateDischarge(bool checkOverflow, double discharge, double tailwaterDepth,
                                                double buriedDepth) {
  if (!Pipe) return 0;
  // A barrel count below one (a file without it) is taken as one barrel.
  const int32_t barrels = CulvertQuantity < 1 ? 1 : CulvertQuantity;
  BarrelDischarge = discharge / barrels;
  BuriedDepth = buriedDepth;
  FTailwaterDepth = tailwaterDepth;
  ImprovedInletType = iiNone;
  ImprovedInletFall = 0;
  ImprovedInletSlope = 0;
  OutletHeadwaterValid = true;
  const double Q0 = BarrelDischarge;
  const double b = buriedDepth;
  const double D = CatalogueRise();
  const double SL = Slope() * CulvertLength;
  const double fullArea = FullArea(*Pipe);

  int overflowState = 0;
  double savedInletHeadwater = 0, savedOutletHeadwater = 0;
  bool exitDepthSaved = false;
  double savedExitDepth = 0;

  for (;;) {
    CurrentNormalDepth = BarrelNormalDepth();
    CurrentCriticalDepth = BarrelCriticalDepth();
    InletHeadwaterDepth = InletControlHeadwater();
    OutletLoss = OutletFullFlowLoss();

    for (int pass = 1; pass <= 2; ++pass) {
      int c = 1;
      const double dc = CurrentCriticalDepth;
      const double yn = CurrentNormalDepth;
      const double tw = std::max(TailwaterDepth() - b, 0.0);
      const double h0 = (dc + D - b) / 2;
      const double Ef = VelocityHead(BarrelDischarge, fullArea) * (Ke() + 1) + D;
      if (D - b > dc) {
        if (tw >= h0) {
          OutletHeadwaterDepth = tw + OutletLoss - SL;
        } else {
          OutletHeadwaterDepth = h0 + OutletLoss - SL;
          if (OutletHeadwaterDepth >= Ef) {
            c = ccOutletFull;
          } else if (yn >= dc) {
            FProfileHeadwater = ProfileHeadwater();
            if (FProfileHeadwater > 0) {
              c = ccOutletProfile;
              exitDepthSaved = true;
              savedExitDepth = dc;
              OutletHeadwaterDepth = FProfileHeadwater;
            } else {
              c = ccOutletFull;
            }
          } else if (!(InletHeadwaterDepth / (D - b) > 1.2)) {
            OutletHeadwaterValid = false;
            c = ccUnknown;
          }
        }
      } else {
        OutletHeadwaterDepth = std::max(D - b, tw) + OutletLoss - SL;
      }
      ControlCode = (InletHeadwaterDepth > OutletHeadwaterDepth || c == ccUnknown) ? static_cast<uint8_t>(ccInlet) : static_cast<uint8_t>(c);
      // Normal depth at the crown: take the barrel as just short of full once.
      if (pass == 1 && FlowTypeNumber() == 1 && std::fabs(yn + b - D) <= 0.01) {
        CurrentNormalDepth = FullDepthRatio() * yn;
        continue;
      }
      break;
    }

    if (!(checkOverflow && OverflowHeight() > 0 && overflowState != 4)) break;
    // Overflow search: lower the barrel discharge by 10, then 1, then 0.1 cfs
    // until the headwater stays just below the road.
    double& Q = BarrelDischarge;
    if (ControllingHeadwaterDepth() < OverflowHeight()) {
      if (overflowState == 0) break;
      if (overflowState == 1) {
        Q += 9;
        overflowState = 2;
        continue;
      }
      if (overflowState == 2) {
        Q += 0.9;
        overflowState = 3;
        continue;
      }
      InletHeadwaterDepth = savedInletHeadwater;
      OutletHeadwaterDepth = savedOutletHeadwater;
      overflowState = 0;
      break;
    }
    if (overflowState == 0) {
      savedInletHeadwater = InletHeadwaterDepth;
      savedOutletHeadwater = OutletHeadwaterDepth;
      overflowState = 1;
    }
    if (overflowState == 1) {
      if (Q < 10) overflowState = 2;
      else Q -= 10;
    }
    if (overflowState == 2) {
      if (Q < 1) overflowState = 3;
      else Q -= 1;
    }
    if (overflowState == 3) {
      if (Q < 0.1) overflowState = 4;
      else Q -= 0.1;
    }
  }

  OverflowDischarge = Q0 - BarrelDischarge;

  const double exitDepth = exitDepthSaved ? savedExitDepth : OutletHeadwaterDepth - OutletLoss + SL;
  OutletLoss = std::max(InletHeadwaterDepth, OutletHeadwaterDepth) - exitDepth + SL;

  const double dc = CurrentCriticalDepth;
  const double twDepth = TailwaterDepth();
  double d;
  if (InletHeadwaterDepth <= OutletHeadwaterDepth) {
    d = dc;
    if (twDepth - b > dc && twDepth < D) d = twDepth - b;
    if (twDepth >= D) d = D - b;
  } else {
    d = CurrentNormalDepth;
  }
  const double Dr = Rise();
  const double area = Dr > 0 ? AreaAtRatio((d + b) / Dr) - AreaAtRatio(b / Dr) : 0;
  OutletVelocity = area != 0 ? BarrelDischarge / area : 0;
  return 0;
}

int32_t TCulvertBaseElement::CalculateAndRecord(bool clearResults, bool checkOverflow, double discharge,
                                                double tailwaterDepth, double buriedDepth) {
  if (!Pipe) return 0;
  if (clearResults) ClearResults();
  const int32_t r = CalculateDischarge(checkOverflow, discharge, tailwaterDepth, buriedDepth);
  AppendResultRow();
  return r;
}

void TCulvertBaseElement::AppendResultRow() {
  auto row = std::make_unique<TCulvertElementResult>();
  const double lift = BuriedOption ? BuriedDepth : 0;
  row->ElementId = ElementId;
  row->UseHW = UseHW;
  row->Pipe = Pipe;
  row->CulvertQuantity = CulvertQuantity < 1 ? 1 : CulvertQuantity;
  row->Flow = BarrelDischarge;
  row->HeadwaterLoss = OutletLoss;
  row->Tailwater = TailwaterLevel();
  row->InletHeadwater = InletHeadwaterDepth + InletElevation + lift;
  row->OutletHeadwater = OutletHeadwaterDepth + InletElevation + lift;
  row->OutletHeadwaterValid = OutletHeadwaterValid;
  row->FlowType = FlowTypeText();
  row->Velocity = OutletVelocity;
  row->NormalDepth = CurrentNormalDepth;
  row->CriticalDepth = CurrentCriticalDepth;
  row->CoeffN = EffectiveN;
  row->CoeffKE = Ke();
  row->HeadwaterControl = ControlText();
  row->Overflow = OverflowDischarge;
  row->DesignCode = DesignCodeText();
  row->BuriedDepth = BuriedDepth;
  row->BuriedOption = BuriedOption;
  row->ImprovedInletType = ImprovedInletType;
  row->ImprovedInlet = ImprovedInletText();
  row->HeadwaterAllowanceCheck = HeadwaterAllowanceCheck();
  // A row that is not finite would put NaN into a grid or a file; it is left
  // out and the project reports the element instead.
  if (!row->IsFinite()) {
    ResultNotFinite = true;
    return;
  }
  Results.Add(std::string(), row.release());
}
