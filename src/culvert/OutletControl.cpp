// Outlet control: full-flow loss, the direct-step water-surface profile, the
// computation of one discharge with its overflow search, and the result row.

#include <algorithm>
#include <cmath>
#include <optional>

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
      if (std::fabs(yn - y1) <= dy0)
        y2 = yn;
      else
        y2 = y1 < yn ? y1 + dy : y1 - dy;
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
      if (denominator != 0)
        dx = std::fabs(dE / denominator);
      else
        dx = dE == 0 ? 0 : HUGE_VAL;

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

namespace {

// The barrel as one discharge computation sees it.
struct TBarrelGeometry {
  double BuriedDepth;
  double Rise;      // of the catalogue entry
  double Fall;      // slope times length
  double FullArea;  // of the catalogue entry
};

// Sets the outlet control headwater for the working discharge and returns
// the outlet control code it stands for (ccUnknown when neither form of
// outlet control applies). Where the direct-step profile gives the
// headwater, the critical depth at the exit is kept in profileExitDepth.
int OutletControlHeadwater(TCulvertBaseElement& e, const TBarrelGeometry& barrel,
                           std::optional<double>& profileExitDepth) {
  const double b = barrel.BuriedDepth;
  const double D = barrel.Rise;
  const double dc = e.CurrentCriticalDepth;
  const double yn = e.CurrentNormalDepth;
  const double tw = std::max(e.TailwaterDepth() - b, 0.0);
  const double h0 = (dc + D - b) / 2;
  const double Ef = VelocityHead(e.BarrelDischarge, barrel.FullArea) * (e.Ke() + 1) + D;
  if (!(D - b > dc)) {
    e.OutletHeadwaterDepth = std::max(D - b, tw) + e.OutletLoss - barrel.Fall;
    return ccOutlet;
  }
  if (tw >= h0) {
    e.OutletHeadwaterDepth = tw + e.OutletLoss - barrel.Fall;
    return ccOutlet;
  }
  e.OutletHeadwaterDepth = h0 + e.OutletLoss - barrel.Fall;
  if (e.OutletHeadwaterDepth >= Ef) return ccOutletFull;
  if (yn >= dc) {
    e.FProfileHeadwater = e.ProfileHeadwater();
    if (!(e.FProfileHeadwater > 0)) return ccOutletFull;
    profileExitDepth = dc;
    e.OutletHeadwaterDepth = e.FProfileHeadwater;
    return ccOutletProfile;
  }
  if (!(e.InletHeadwaterDepth / (D - b) > 1.2)) {
    e.OutletHeadwaterValid = false;
    return ccUnknown;
  }
  return ccOutlet;
}

// Inlet and outlet control of the working barrel discharge, and which of
// them controls.
void CalculateControl(TCulvertBaseElement& e, const TBarrelGeometry& barrel, std::optional<double>& profileExitDepth) {
  e.CurrentNormalDepth = e.BarrelNormalDepth();
  e.CurrentCriticalDepth = e.BarrelCriticalDepth();
  e.InletHeadwaterDepth = e.InletControlHeadwater();
  e.OutletLoss = e.OutletFullFlowLoss();
  for (int pass = 1; pass <= 2; ++pass) {
    const int c = OutletControlHeadwater(e, barrel, profileExitDepth);
    e.ControlCode = (e.InletHeadwaterDepth > e.OutletHeadwaterDepth || c == ccUnknown) ? static_cast<uint8_t>(ccInlet)
                                                                                       : static_cast<uint8_t>(c);
    // Normal depth at the crown: take the barrel as just short of full once.
    if (pass == 1 && e.FlowTypeNumber() == 1 &&
        std::fabs(e.CurrentNormalDepth + barrel.BuriedDepth - barrel.Rise) <= 0.01) {
      e.CurrentNormalDepth = e.FullDepthRatio() * e.CurrentNormalDepth;
      continue;
    }
    break;
  }
}

// The overflow search: where the headwater overtops the road, the barrel
// discharge is lowered by 10, then 1, then 0.1 cfs until the headwater
// stays just below the road; what no longer passes the barrel overflows.
class TOverflowSearch {
public:
  enum TStep { NotStarted, Tens, Units, Tenths, Exhausted };

  bool GaveUp() const { return FStep == Exhausted; }

  // Moves the barrel discharge after a computation; false when the search
  // is over (the headwater stays below the road).
  bool Next(TCulvertBaseElement& e) {
    double& Q = e.BarrelDischarge;
    if (e.ControllingHeadwaterDepth() < e.OverflowHeight()) return StepBack(e, Q);
    if (FStep == NotStarted) {
      FSavedInletHeadwater = e.InletHeadwaterDepth;
      FSavedOutletHeadwater = e.OutletHeadwaterDepth;
      FStep = Tens;
    }
    // A step larger than what is left moves on to the next finer step at once.
    if (FStep == Tens) {
      if (Q < 10)
        FStep = Units;
      else
        Q -= 10;
    }
    if (FStep == Units) {
      if (Q < 1)
        FStep = Tenths;
      else
        Q -= 1;
    }
    if (FStep == Tenths) {
      if (Q < 0.1)
        FStep = Exhausted;
      else
        Q -= 0.1;
    }
    return true;
  }

private:
  TStep FStep = NotStarted;
  double FSavedInletHeadwater = 0;
  double FSavedOutletHeadwater = 0;

  // Below the road: go back to one finer step under the last discharge that
  // overtopped, or end the search.
  bool StepBack(TCulvertBaseElement& e, double& Q) {
    switch (FStep) {
      case NotStarted: return false;  // the road is never overtopped
      case Tens:
        Q += 9;
        FStep = Units;
        return true;
      case Units:
        Q += 0.9;
        FStep = Tenths;
        return true;
      default:
        e.InletHeadwaterDepth = FSavedInletHeadwater;
        e.OutletHeadwaterDepth = FSavedOutletHeadwater;
        FStep = NotStarted;
        return false;
    }
  }
};

// The outlet loss over the barrel and the outlet velocity at the depth the
// controlling flow leaves the barrel with.
void SetOutletResults(TCulvertBaseElement& e, const TBarrelGeometry& barrel, std::optional<double> profileExitDepth) {
  const double b = barrel.BuriedDepth;
  const double D = barrel.Rise;
  const double exitDepth = profileExitDepth ? *profileExitDepth : e.OutletHeadwaterDepth - e.OutletLoss + barrel.Fall;
  e.OutletLoss = std::max(e.InletHeadwaterDepth, e.OutletHeadwaterDepth) - exitDepth + barrel.Fall;

  const double dc = e.CurrentCriticalDepth;
  const double twDepth = e.TailwaterDepth();
  double d;
  if (e.InletHeadwaterDepth <= e.OutletHeadwaterDepth) {
    d = dc;
    if (twDepth - b > dc && twDepth < D) d = twDepth - b;
    if (twDepth >= D) d = D - b;
  } else {
    d = e.CurrentNormalDepth;
  }
  const double Dr = e.Rise();
  const double area = Dr > 0 ? e.AreaAtRatio((d + b) / Dr) - e.AreaAtRatio(b / Dr) : 0;
  e.OutletVelocity = area != 0 ? e.BarrelDischarge / area : 0;
}

}  // namespace

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
  const TBarrelGeometry barrel{buriedDepth, CatalogueRise(), Slope() * CulvertLength, FullArea(*Pipe)};

  std::optional<double> profileExitDepth;
  TOverflowSearch overflow;
  for (;;) {
    CalculateControl(*this, barrel, profileExitDepth);
    if (!checkOverflow || !(OverflowHeight() > 0) || overflow.GaveUp()) break;
    if (!overflow.Next(*this)) break;
  }
  OverflowDischarge = Q0 - BarrelDischarge;
  SetOutletResults(*this, barrel, profileExitDepth);
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
  row->InletControlExtrapolated = InletControlExtrapolated();
  // A row that is not finite would put NaN into a grid or a file; it is left
  // out and the project reports the element instead.
  if (!row->IsFinite()) {
    ResultNotFinite = true;
    return;
  }
  Results.Add(std::string(), row.release());
}
