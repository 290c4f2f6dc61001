#include "culvert/CulvertElement.h"

#include <cmath>
#include <cstdio>

#include "foundation/DisplayFormat.h"
#include "model/Geometry.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

std::string FixedText(double value, int decimals) { return FormatFixed(std::isfinite(value) ? value : 0.0, decimals); }

bool TCulvertElementResult::IsFinite() const {
  for (double v : {Flow, Velocity, Overflow, InletHeadwater, CriticalDepth, NormalDepth, OutletHeadwater, Tailwater,
                   HeadwaterLoss, BuriedDepth, CoeffN, CoeffKE}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

TCulvertBaseElement::TCulvertBaseElement() : Results(true) {}
TCulvertBaseElement::~TCulvertBaseElement() = default;

std::string TCulvertBaseElement::CulvertTypeText() const { return Pipe ? Pipe->CulvertType : CulvertTypeCode(); }

std::string TCulvertBaseElement::CorrugationText() const { return Pipe ? Pipe->CorrugationType : CatalogueCorrugation; }

int32_t TCulvertBaseElement::PipeSizeIndexValue() const { return Pipe ? Pipe->PipeSizeIndex : CatalogueIndex; }

TCulvertBasePipe& TCulvertBaseElement::MakeOwnPipe() {
  OwnPipe = std::make_unique<TCulvertBasePipe>();
  Pipe = OwnPipe.get();
  return *OwnPipe;
}

void TCulvertBaseElement::Assign(const TBaseObject* source) {
  TNerraElement::Assign(source);
  const auto* e = dynamic_cast<const TCulvertBaseElement*>(source);
  if (!e || e == this) return;
  AllowableHeadwaterElevation = e->AllowableHeadwaterElevation;
  DeltaDischarge = e->DeltaDischarge;
  FloodDischarge = e->FloodDischarge;
  DesignDischarge = e->DesignDischarge;
  CulvertLength = e->CulvertLength;
  OverflowElevation = e->OverflowElevation;
  InletElevation = e->InletElevation;
  OutletElevation = e->OutletElevation;
  UseHW = e->UseHW;
  CulvertQuantity = e->CulvertQuantity;
  AllowableHeadwaterType = e->AllowableHeadwaterType;
  InletType = e->InletType;
  BuriedDepthDelta = e->BuriedDepthDelta;
  BuriedDepthMin = e->BuriedDepthMin;
  BuriedDepthMax = e->BuriedDepthMax;
  CoeffKE = e->CoeffKE;
  FRise = e->FRise;
  TailwaterElevationMin = e->TailwaterElevationMin;
  TailwaterElevationMax = e->TailwaterElevationMax;
  BuriedCoeffN = e->BuriedCoeffN;
  BuriedOption = e->BuriedOption;
  Parameters = e->Parameters;
  CatalogueCorrugation = e->CatalogueCorrugation;
  CatalogueIndex = e->CatalogueIndex;
  if (e->OwnPipe && e->Pipe == e->OwnPipe.get()) {
    MakeOwnPipe() = *e->OwnPipe;
  } else {
    OwnPipe.reset();
    Pipe = e->Pipe;
  }
}

double TCulvertBaseElement::ManningN() const {
  if (CoeffN > 0) return CoeffN;
  if (Pipe && Pipe->n > 0) return Pipe->n;
  return 0.012;
}

double TCulvertBaseElement::CompositeN(double, double wallPerimeter, double bedWidth, double) const {
  const double nw = ManningN();
  const double nb = BuriedCoeffN;
  if (wallPerimeter > 0 && nb > 0 && bedWidth > 0) {
    return RealPower((bedWidth * RealPower(nb, 1.5) + wallPerimeter * RealPower(nw, 1.5)) / (bedWidth + wallPerimeter),
                     0.67);
  }
  return nw;
}

std::string TCulvertBaseElement::Validate() {
  std::string message;
  if (!Pipe) {
    message = "Pipe not compatible with current version. Check the input file.";
  } else {
    const std::string& type = Pipe->CulvertType;
    if ((type == "1" || type == "2" || type == "3" || type == "4") && Pipe->PipeSizeIndex <= 0)
      message = "Culvert Size not compatible with current version of Drevia. Check the input file.";
  }
  if (OutletElevation >= InletElevation) return "Outlet Invert Elevation should be lower than Inlet Invert Elevation.";
  if (TailwaterElevationMin < OutletElevation)
    return "Tailwater Elevation should be higher than Outlet Invert Elevation.";
  if (TailwaterElevationMax != 0 && TailwaterElevationMax < TailwaterElevationMin)
    return "Tailwater Min. should be lower than Tailwater Max.";
  if (OverflowElevation < InletElevation) return "Overflow Elevation should be higher than Inlet Invert Elevation.";
  if (!(CulvertLength > 0)) return "Pipe length should be greater than 0.";
  if (!(DesignDischarge > 0)) return "Discharge Min. should be greater than 0.";
  if (FloodDischarge != 0 && !(FloodDischarge > DesignDischarge))
    return "Discharge Max. should be greater than Discharge Min.";
  // The entered n is checked rather than the n of the last run, which is 0
  // before any computation and so would let any entry through.
  if (CoeffN < 0 || CoeffN >= 1) return "Manning's N Coefficient should greater than 0 and less than 1.";
  const double ke = Ke();
  if (ke < 0 || ke >= 1) return "Entrance Loss Coefficient (Ke) should be greater than 0 and less than 1.";
  return message;
}

const TNerraBaseCode* TCulvertBaseElement::FindCode(TParameterCategory category, const std::string& code) const {
  return Parameters ? Parameters->FindCode(category, code) : nullptr;
}

void TCulvertBaseElement::LoadInletCoefficients(TParameterCategory category) {
  DefaultKe = 0;
  if (BuriedOption) {
    const auto* set = dynamic_cast<const TNerraInletTypeCode*>(FindCode(category, InletType));
    if (!set) return;
    QMAX = set->QMAX;
    M = set->M;
    K = set->K;
    UnsubmergedSL = set->SL;
    if (!(Ke() > 0)) DefaultKe = set->KE;
    QMIN = set->QMIN;
    KD = set->KD;
    KP = set->KP;
    SubmergedSL = set->SL;
  } else if (!(Ke() > 0)) {
    DefaultKe = ShapeDefaultKe(InletType);
  }
}

double TCulvertBaseElement::ShapeDefaultKe(const std::string&) const { return 0.2; }

double TCulvertBaseElement::Ke() const { return DefaultKe > 0 ? DefaultKe : CoeffKE; }

double TCulvertBaseElement::Rise() const { return Pipe && Pipe->Rise > 0 ? Pipe->Rise : FRise; }

double TCulvertBaseElement::BarrelNormalDepth() { return NormalDepth(BuriedDepth, Slope(), Rise(), BarrelDischarge); }

double TCulvertBaseElement::BarrelCriticalDepth() { return CriticalDepth(BuriedDepth, Rise(), BarrelDischarge); }

void TCulvertBaseElement::ClearCoefficients() { SubmergedSL = UnsubmergedSL = KP = KD = QMAX = QMIN = K = M = 0; }

void TCulvertBaseElement::PrepareCoefficients() { ClearCoefficients(); }

double TCulvertBaseElement::Slope() const {
  return CulvertLength > 0 ? (InletElevation - OutletElevation) / CulvertLength : 0;
}

double TCulvertBaseElement::OverflowHeight() const {
  const double h = OverflowElevation - InletElevation;
  return h < 0 ? 0 : h;
}

double TCulvertBaseElement::TailwaterDepth() const { return FTailwaterDepth < 0 ? 0 : FTailwaterDepth; }

double TCulvertBaseElement::TailwaterLevel() const { return TailwaterDepth() + OutletElevation; }

double TCulvertBaseElement::AreaAtRatio(double depthRatio) const { return SectionProperties(depthRatio).Area; }

double TCulvertBaseElement::ControllingHeadwaterDepth() const {
  return InletHeadwaterDepth > OutletHeadwaterDepth ? InletHeadwaterDepth : OutletHeadwaterDepth;
}

double TCulvertBaseElement::CoeffCD() const { return KD > 0 ? std::sqrt(0.01555 / KD) : 0; }

double TCulvertBaseElement::CatalogueRise() const { return Pipe ? Pipe->Rise : 0; }

bool TCulvertBaseElement::InletControlExtrapolated() const {
  // The regressions are all scaled by the catalogue rise.
  const double D = CatalogueRise();
  return InletControlByRegression() && D > 0 && InletHeadwaterDepth / D > MaxRegressionHeadwaterRatio;
}

TBedSection TCulvertBaseElement::BedSection(double buriedDepth) const {
  TBedSection bed;
  const double D = Rise();
  if (buriedDepth > 0 && D > 0) {
    const TSectionProperties s = SectionProperties(buriedDepth / D);
    bed.Area = s.Area;
    bed.TopWidth = s.TopWidth;
    bed.WettedPerimeter = s.WettedPerimeter;
  }
  return bed;
}

double TCulvertBaseElement::AreaAboveBed(double depth, const TBedSection& bed) const {
  const double D = Rise();
  if (!(D > 0)) return 0;
  return AreaAtRatio((depth + BuriedDepth) / D) - bed.Area;
}

double TCulvertBaseElement::AllowableHeadwaterDepth() const { return AllowableHeadwaterDepth(CatalogueRise()); }

double TCulvertBaseElement::AllowableHeadwaterDepth(double D) const {
  double h = 0;
  if (AllowableHeadwaterType == "0")
    h = D;
  else if (AllowableHeadwaterType == "1")
    h = D + 2;
  else if (AllowableHeadwaterType == "2")
    h = D + 4;
  const double a = AllowableHeadwaterElevation - InletElevation;
  if (a > 0 && a < h) h = a;
  return h;
}

bool TCulvertBaseElement::HeadwaterAllowanceCheck() const {
  return 1.25 * AllowableHeadwaterDepth() >= CatalogueRise();
}

std::string TCulvertBaseElement::DesignCodeText() const {
  if (DesignCode != "D" && DesignCode != "F") return DesignCode;
  if (DesignOffset == 0) return DesignCode;
  if (DesignOffset > 0) return DesignCode + " + " + std::to_string(DesignOffset);
  return DesignCode + " - " + std::to_string(-static_cast<int64_t>(DesignOffset));
}

int TCulvertBaseElement::FlowTypeNumber() const { return ControllingHeadwaterDepth() <= 1.2 * CatalogueRise() ? 1 : 2; }

std::string TCulvertBaseElement::FlowTypeLetter() const {
  const double tw = TailwaterDepth();
  const double D = CatalogueRise();
  const int number = FlowTypeNumber();
  if (ControlCode == ccInlet) {
    if (number == 1) return tw < D ? "C" : "D";
    return tw < D ? "E" : "H";
  }
  if (number == 1) return tw - BuriedDepth < CurrentNormalDepth ? "A" : "B";
  return tw < D ? "F" : "G";
}

std::string TCulvertBaseElement::FlowTypeText() const {
  return std::to_string(FlowTypeNumber()) + " - " + FlowTypeLetter();
}

std::string TCulvertBaseElement::ControlText() const {
  switch (ControlCode) {
    case ccInlet: return "INLET";
    case ccOutlet: return "OUTLET";
    case ccOutletFull: return "OUTLET**";
    case ccOutletProfile: return "OUTLET*";
    case ccUnknown: return "UNKNOWN";
    default: return std::string();
  }
}

void TCulvertBaseElement::ClearResults() {
  Results.Clear();
  ResultNotFinite = false;
}

// --- element list ------------------------------------------------------------------

int32_t TCulvertElementList::DeleteElement(int32_t id) {
  const int32_t result = TNerraElementList::DeleteElement(id);
  if (result == 0) {
    for (int i = 0; i < Count(); ++i) {
      if (auto* culvert = Culvert(i); culvert && culvert->UseHW == id) culvert->UseHW = 0;
    }
  }
  return result;
}

void TCulvertElementList::ClearCalculated() {
  for (int i = 0; i < Count(); ++i) {
    if (auto* element = Element(i)) element->Calculated = false;
  }
}

bool TCulvertElementList::HasSingleOutlet() const {
  int outlets = 0;
  for (int i = 0; i < Count(); ++i) {
    if (auto* culvert = Culvert(i); culvert && culvert->UseHW == 0) ++outlets;
  }
  return outlets == 1;
}

bool TCulvertElementList::ContainsId(const TCulvertElementList& list, int32_t id) {
  for (int i = 0; i < list.Count(); ++i) {
    if (auto* element = list.Element(i); element && element->ElementId == id) return true;
  }
  return false;
}

std::unique_ptr<TCulvertElementResultList> TCulvertElementList::CollectResultsOfType(
    const TCulvertElementList& culverts, const std::string& culvertType) {
  auto rows = std::make_unique<TCulvertElementResultList>(false);
  for (int i = 0; i < culverts.Count(); ++i) {
    const auto* culvert = culverts.Culvert(i);
    if (!culvert || !culvert->Pipe || culvert->Pipe->CulvertType != culvertType) continue;
    for (int r = 0; r < culvert->Results.Count(); ++r) rows->Add(culvert->Results.Key(r), culvert->Results.Object(r));
  }
  return rows;
}
