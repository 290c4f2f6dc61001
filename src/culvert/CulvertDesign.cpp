// The culvert design: crossing checks, the candidates of each crossing and
// the size search over the pipe catalogue.

#include "culvert/CulvertDesign.h"

#include <algorithm>
#include <cmath>

#include "foundation/DebugChannel.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

namespace {

std::string ElementPrefix(int32_t id) { return "Element #" + std::to_string(id) + ": "; }

bool IsDesignedType(const std::string& t) { return t.size() == 1 && t[0] >= '1' && t[0] <= '5'; }

// Assigned from named texts: GCC 12 warns falsely (-Wrestrict) about
// assigning short literals to a std::string once inlined here.
const std::string CodeDesign = "D";
const std::string CodeFlood = "F";
const std::string CodeMaxSingle = "MAXS";
const std::string CodeMaxDouble = "MAXD";

}  // namespace

// --- crossing -------------------------------------------------------------------------

TCulvertDesignElement::TCulvertDesignElement() : Candidates(true) {}

void TCulvertDesignElement::SetDefaultInletType(int32_t value) {
  DefaultInletType = (value == 2 || value == 3) ? std::to_string(value) : "1";
}

int32_t TCulvertDesignElement::DefaultInletTypeNumber() const {
  if (DefaultInletType == "2") return 2;
  if (DefaultInletType == "3") return 3;
  return 1;
}

std::string TCulvertDesignElement::InletTypeFor(const std::string& culvertType) const {
  if (!BuriedOption) return DefaultInletType;
  if (culvertType == "1") return CircularConcreteInletType;
  if (culvertType == "2") return CircularCorrugatedInletType;
  if (culvertType == "3") return EllipticalConcreteInletType;
  if (culvertType == "4") return ArchCorrugatedInletType;
  if (culvertType == "5") return BoxInletType;
  return std::string();
}

double TCulvertDesignElement::Slope() const {
  return CulvertLength > 0 ? (InletElevation - OutletElevation) / CulvertLength : 0;
}

std::string TCulvertDesignElement::Validate() {
  const char* message = nullptr;
  if (OutletElevation >= InletElevation)
    message = "Outlet Invert Elevation should be lower than Inlet Invert Elevation.";
  else if (TailwaterElevation < OutletElevation)
    message = "Tailwater Elevation should be higher than Outlet Invert Elevation.";
  else if (OverflowElevation < InletElevation)
    message = "Overflow Elevation should be higher than Inlet Invert Elevation.";
  else if (AllowableHeadwaterElevation < InletElevation)
    message = "Allowable Headwater Elevation should be higher than Inlet Invert Elevation.";
  else if (!(CulvertLength > 0))
    message = "Pipe length should be greater than 0.";
  else if (!(DesignDischarge > 0))
    message = "Design Discharge should be greater than 0.";
  else if (FloodDischarge < 0 || (FloodDischarge > 0 && !(FloodDischarge > DesignDischarge)))
    message = "Flood Discharge should be zero or greater than Design Discharge.";
  else if (CoeffN < 0 || CoeffN >= 1)
    message = "Manning's N Coefficient should greater than 0 and less than 1.";
  else if (CoeffKE < 0 || CoeffKE >= 1)
    message = "Entrance Loss Coefficient (Ke) should be greater than 0 and less than 1.";
  // The element dialog refuses such a bed roughness; a file can still carry
  // one, and the composite n would then be meaningless (an overflowing power
  // even makes it 0).
  else if (BuriedCoeffN >= 1)
    message = "When entered Buried Manning's N Coefficient should be greater than 0 and less than 1.";
  // The overflow search lowers the discharge 10 cfs at a time; beyond this
  // it would take minutes per size (and never end once 10 cfs is lost in
  // the rounding of the discharge).
  else if (DesignDischarge > MaxDischarge || FloodDischarge > MaxDischarge)
    message = "Design and Flood Discharge should not exceed 100000 cfs.";
  return message ? ElementPrefix(ElementId) + message : std::string();
}

// --- project ---------------------------------------------------------------------------

TCulvertDesign::TCulvertDesign(const TNerraParameterList* parameters, const TCulvertBasePipeList* catalogue)
    : Elements(true), Catalogue(catalogue), Parameters(parameters) {}

int32_t TCulvertDesign::Calculate() {
  LastError.clear();
  int32_t result = -1;
  for (int i = 0; i < Elements.Count(); ++i) {
    TCulvertDesignElement* crossing = Crossing(i);
    if (!crossing) continue;
    LastError = crossing->Validate();
    if (!LastError.empty()) break;
    result = DesignCulvertTypes(*crossing, PipeType, ImprovedInlet, Catalogue);
    // A row that was not finite was left out; the crossing's results are
    // then incomplete, which the user must be told.
    for (int c = 0; c < crossing->Candidates.Count(); ++c) {
      const TCulvertBaseElement* candidate = crossing->Candidates.Culvert(c);
      if (candidate && candidate->ResultNotFinite) {
        LastError = ElementPrefix(crossing->ElementId) +
                    "The computation gives no finite result. Check the culvert size and elevations.";
        return result;
      }
    }
  }
  // Without a crossing the design has nothing to say but that.
  if (result < 0 && LastError.empty()) LastError = NothingToDesignMessage;
  return result;
}

int32_t TCulvertDesign::DesignCulvertTypes(TCulvertDesignElement& crossing, const std::string& pipeType,
                                           bool improvedInlet, const TCulvertBasePipeList* catalogue) {
  const TCulvertBasePipeList noPipes;
  const TCulvertBasePipeList& pipes = catalogue ? *catalogue : noPipes;
  // Culvert types as numbers 1 ... 5; 0 ends the design.
  std::string p = pipeType;
  bool all = false, box = false;
  if (p == "99") {
    p = "0";
    all = box = true;
  }
  const bool any = p == "0";
  int t = any ? 1 : (IsDesignedType(p) ? p[0] - '0' : 0);
  bool found = false;
  crossing.Candidates.Clear();

  while (t != 0) {
    const std::string type(1, static_cast<char>('0' + t));
    const bool corrugated = t == 2 || t == 4;
    std::unique_ptr<TNerraBaseList> corrugations;
    if (corrugated && Parameters)
      corrugations = Parameters->CodesOfCategory(t == 2 ? pcCircularCorrugationType : pcArcCorrugationType);
    const int corrugationCount = corrugations ? corrugations->Count() : 0;

    for (int i = 1;; ++i) {
      std::unique_ptr<TCulvertBaseElement> e = CandidateFactory ? CandidateFactory(type) : CreateCulvertElement(type);
      if (!e) return 0;
      std::string corrugation;
      if (corrugated && i <= corrugationCount) {
        if (const auto* code = dynamic_cast<const TNerraBaseCode*>(corrugations->Object(i - 1)))
          corrugation = code->Code;
      }
      e->Parameters = Parameters;
      e->ElementId = crossing.ElementId;
      e->InletType = crossing.InletTypeFor(type);
      e->BuriedOption = crossing.BuriedOption;
      e->InletElevation = crossing.InletElevation;
      e->OutletElevation = crossing.OutletElevation;
      e->TailwaterElevationMin = crossing.TailwaterElevation;
      e->TailwaterElevationMax = 0;
      e->OverflowElevation = crossing.OverflowElevation;
      e->AllowableHeadwaterElevation = crossing.AllowableHeadwaterElevation;
      e->AllowableHeadwaterType = crossing.AllowableHeadwaterType;
      e->UseHW = 0;
      e->CulvertLength = crossing.CulvertLength;
      e->Pipe = nullptr;
      e->CulvertQuantity = 1;
      e->DesignDischarge = crossing.DesignDischarge;
      e->FloodDischarge = crossing.FloodDischarge;
      e->DeltaDischarge = 0;
      e->BuriedDepth = 0;
      e->CoeffN = crossing.CoeffN;
      e->BuriedCoeffN = crossing.BuriedCoeffN;
      e->CoeffKE = crossing.CoeffKE;
      // Kept so a candidate that ends without a pipe still says what it was.
      e->CatalogueCorrugation = corrugation;
      e->CatalogueIndex = 0;
      e->PrepareCoefficients();
      found = SearchPipeSize(*e, type, corrugation, pipes, improvedInlet, crossing.DisableBuriedTable) >= 0;
      crossing.Candidates.Add(std::string(), e.release());
      if (!(corrugated && i < corrugationCount)) break;
    }

    // Pipe type "0" stops at the first type (from the circular corrugated
    // pipe on) whose last candidate found a size; "99" designs every type.
    if (!any)
      t = 0;
    else if (t == 1)
      t = 2;
    else if (t == 2)
      t = (all || !found) ? 3 : box ? 5 : 0;
    else if (t == 3)
      t = (all || !found) ? 4 : 0;
    else if (t == 4)
      t = box ? 5 : 0;
    else
      t = 0;
  }
  return 0;
}

// --- size search -------------------------------------------------------------------------

namespace {

struct TSearch {
  TCulvertBaseElement& e;
  const std::string& type;
  const std::string& corrugation;
  const TCulvertBasePipeList& catalogue;
  bool improvedInlet;
  bool useBurial;
  double tailwater;
  double burial = 0;  // the buried depth of the last size used for a row
  // FindPipe of every index from 1 to the largest, looked up once: the
  // search asks for the same sizes again and again.
  std::vector<const TCulvertBasePipe*> sizes;

  void LookUpSizes(int32_t largest) {
    sizes.assign(static_cast<size_t>(largest > 0 ? largest : 0) + 1, nullptr);
    for (int32_t i = 1; i <= largest; ++i) sizes[static_cast<size_t>(i)] = catalogue.FindPipe(type, corrugation, i);
  }

  const TCulvertBasePipe* Size(int32_t index) const {
    if (index >= 1 && static_cast<size_t>(index) < sizes.size()) return sizes[static_cast<size_t>(index)];
    return catalogue.FindPipe(type, corrugation, index);
  }

  // Points the element at a size and takes that size's burial depth.
  void UseSize(int32_t index) {
    e.Pipe = Size(index);
    if (e.Pipe && useBurial) burial = e.Pipe->BurialDepth;
  }

  void Row(int32_t found, int32_t offset, double discharge) {
    e.DesignOffset = offset;
    UseSize(found + offset);
    e.CalculateAndRecord(false, true, discharge, tailwater, burial);
  }

  // The "D" rows around the found size (and "F" rows at the flood
  // discharge); sizes outside the catalogue add no row.
  void DesignRows(int32_t found) {
    const double referenceArea = FullArea(Size(found));
    e.DesignCode = CodeDesign;
    Row(found, 0, e.DesignDischarge);
    Row(found, -1, e.DesignDischarge);
    if (improvedInlet) {
      e.DesignOffset = -2;
      UseSize(found - 2);
      e.CalculateDesign(tailwater, referenceArea);
    } else {
      Row(found, -2, e.DesignDischarge);
    }
    Row(found, 1, e.DesignDischarge);
    if (e.FloodDischarge > 0) {
      e.DesignCode = CodeFlood;
      for (int32_t offset : {0, -1, -2, 1}) Row(found, offset, e.FloodDischarge);
    }
  }
};

// The headwater depths the search compares are measured above the buried
// bed, and the headwater is reported at bed + depth. The allowable headwater
// (the chosen depth above the inlet invert, or the allowable elevation) is
// measured from the invert: the bed's thickness counts against it, or a
// buried size would be accepted with its headwater above the limit by the
// burial.
double AllowableDepthAboveBed(const TCulvertBaseElement& e) { return e.AllowableHeadwaterDepth() - e.BuriedDepth; }

}  // namespace

int32_t SearchPipeSize(TCulvertBaseElement& e, const std::string& culvertType, const std::string& corrugation,
                       const TCulvertBasePipeList& catalogue, bool improvedInlet, bool disableBuriedTable) {
  TSearch search{e,
                 culvertType,
                 corrugation,
                 catalogue,
                 improvedInlet,
                 e.BuriedOption && !disableBuriedTable,
                 e.TailwaterElevationMin - e.OutletElevation,
                 0,
                 {}};
  int32_t result = -1;
  bool found = false;
  e.CulvertQuantity = 1;
  e.Pipe = nullptr;
  const int32_t largest = catalogue.MaxPipeIndex(culvertType, corrugation);
  search.LookUpSizes(largest);

  while (!found && e.CulvertQuantity <= 2) {
    e.BarrelDischarge = e.DesignDischarge / e.CulvertQuantity;
    DebugTrace("Looking for pipe using CalculatePipeResult");
    for (int32_t i = 1; i <= largest && !found; ++i) {
      e.Pipe = search.Size(i);
      if (!e.Pipe) continue;
      if (DebugTraceEnabled()) DebugTrace("Pipe size = " + e.Pipe->SizeLabel);
      e.BuriedDepth = search.useBurial ? e.Pipe->BurialDepth : 0;
      e.CurrentNormalDepth = e.BarrelNormalDepth();
      e.CurrentCriticalDepth = e.BarrelCriticalDepth();
      e.InletHeadwaterDepth = e.InletControlHeadwater();
      if (AllowableDepthAboveBed(e) > e.InletHeadwaterDepth) {
        e.CalculateDischarge(true, e.DesignDischarge, search.tailwater, e.BuriedDepth);
        const double allowed = AllowableDepthAboveBed(e);
        found = allowed > e.InletHeadwaterDepth && allowed > e.OutletHeadwaterDepth;
      }
    }
    if (!e.Pipe) {
      DebugTrace("Increasing number of pipes.");
      ++e.CulvertQuantity;
      continue;
    }
    if (found) {
      const int32_t size = e.Pipe->PipeSizeIndex;
      search.DesignRows(size);
      e.DesignOffset = 0;
      e.Pipe = search.Size(size);
      // An allowable headwater short of 0.8 of the rise: try two barrels too.
      found = e.HeadwaterAllowanceCheck();
      if (!found) ++e.CulvertQuantity;
      result = 0;
    } else {
      e.DesignCode = e.CulvertQuantity == 1 ? CodeMaxSingle : CodeMaxDouble;
      search.UseSize(e.Pipe->PipeSizeIndex);
      e.CalculateAndRecord(false, true, e.DesignDischarge, search.tailwater, search.burial);
      ++e.CulvertQuantity;
    }
  }
  return result;
}

// --- what the result dialog shows -----------------------------------------------------

std::string DesignResultHeading(const std::string& culvertType) {
  if (culvertType == "2") return "CIRCULAR CORRUGATED PIPE RESULT";
  if (culvertType == "3") return "ELLIPTICAL SMOOTH PIPE RESULT";
  if (culvertType == "4") return "ARC SHAPED CORRUGATED PIPE RESULT";
  if (culvertType == "5") return "BOX PIPE RESULT";
  return "CIRCULAR SMOOTH PIPE RESULT";
}

std::vector<std::string> DesignResultTypes(const std::string& pipeType) {
  if (pipeType == "0" || pipeType == "99") return {"1", "2", "3", "4", "5"};
  return {pipeType};
}

std::string DesignResultNote(const TCulvertElementResult& row, const TNerraParameterList* parameters) {
  if (row.DesignCode != "D") return row.ImprovedInletType != iiNone ? row.ImprovedInlet : std::string();
  if (!row.Pipe || !parameters) return std::string();
  TParameterCategory category;
  if (row.Pipe->CulvertType == "2")
    category = pcCircularCorrugationType;
  else if (row.Pipe->CulvertType == "4")
    category = pcArcCorrugationType;
  else
    return std::string();
  const TNerraBaseCode* code = parameters->FindCode(category, row.Pipe->CorrugationType);
  return code ? code->Description : std::string();
}
