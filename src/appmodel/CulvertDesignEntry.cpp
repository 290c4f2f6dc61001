#include "appmodel/CulvertDesignEntry.h"

#include <cmath>

#include "appmodel/CulvertAnalysisEntry.h"
#include "appmodel/SlopeEntry.h"
#include "foundation/DisplayFormat.h"
#include "model/PipeCatalogue.h"

// --- element entry ------------------------------------------------------------------

void TCulvertDesignEntryValues::Load(const TCulvertDesignElement& element) {
  InletElevation = element.InletElevation;
  OutletElevation = element.OutletElevation;
  CulvertLength = element.CulvertLength;
  TailwaterElevation = element.TailwaterElevation;
  OverflowElevation = element.OverflowElevation;
  BuriedOption = element.BuriedOption;
  DisableBuriedTable = element.DisableBuriedTable;
  DesignDischarge = element.DesignDischarge;
  FloodDischarge = element.FloodDischarge;
  DefaultInletType = element.DefaultInletTypeNumber();
  AllowableHeadwaterElevation = element.AllowableHeadwaterElevation;
  AllowableHeadwaterType = element.AllowableHeadwaterType;
  CoeffN = element.CoeffN;
  BuriedCoeffN = element.BuriedCoeffN;
  CoeffKE = element.CoeffKE;
}

namespace {

// Every comparison is written so that a value that is not a number fails the
// check it belongs to instead of slipping through.
const char* FirstFailingCheck(const TCulvertDesignEntryValues& v, bool buriedCoeffNVisible) {
  if (!(v.OutletElevation < v.InletElevation))
    return "Outlet Invert Elevation should be lower than Inlet Invert Elevation.";
  if (!(v.TailwaterElevation >= v.OutletElevation))
    return "Tailwater Elevation should be higher than Outlet Invert Elevation.";
  if (!(v.OverflowElevation >= v.InletElevation))
    return "Overflow Elevation should be higher than Inlet Invert Elevation.";
  if (!(v.AllowableHeadwaterElevation >= v.InletElevation))
    return "Allowable Headwater Elevation should be higher than Inlet Invert Elevation.";
  if (!(v.CulvertLength > 0)) return "Pipe length should be greater than 0.";
  if (!(v.DesignDischarge > 0)) return "Design Discharge should be greater than 0.";
  if (!(v.FloodDischarge == 0 || v.FloodDischarge > v.DesignDischarge))
    return "Flood Discharge should be zero or greater than Design Discharge.";
  if (!(v.CoeffN >= 0 && v.CoeffN < 1)) return "Manning's N Coefficient should greater than 0 and less than 1.";
  if (!(v.BuriedCoeffN < 1) || (buriedCoeffNVisible && !(v.BuriedCoeffN > 0)))
    return "When entered Buried Manning's N Coefficient should be greater than 0 and less than 1.";
  if (!(v.CoeffKE >= 0 && v.CoeffKE < 1))
    return "Entrance Loss Coefficient (Ke) should be greater than 0 and less than 1.";
  return nullptr;
}

bool AllFinite(const TCulvertDesignEntryValues& v) {
  for (double value :
       {v.InletElevation, v.OutletElevation, v.CulvertLength, v.TailwaterElevation, v.OverflowElevation,
        v.DesignDischarge, v.FloodDischarge, v.AllowableHeadwaterElevation, v.CoeffN, v.BuriedCoeffN, v.CoeffKE}) {
    if (!std::isfinite(value)) return false;
  }
  return true;
}

}  // namespace

std::string TCulvertDesignEntryValues::Check(bool buriedCoeffNVisible) const {
  if (const char* message = FirstFailingCheck(*this, buriedCoeffNVisible)) return message;
  // The design run refuses these; saying so here keeps the user in the form
  // where the value can be corrected.
  if (DesignDischarge > TCulvertDesignElement::MaxDischarge || FloodDischarge > TCulvertDesignElement::MaxDischarge)
    return "Design and Flood Discharge should not exceed 100000 cfs.";
  if (!AllFinite(*this)) return "Elevations, length, discharges and coefficients should be ordinary numbers.";
  return std::string();
}

void TCulvertDesignEntryValues::Store(TCulvertDesignElement& element) const {
  element.InletElevation = InletElevation;
  element.OutletElevation = OutletElevation;
  element.TailwaterElevation = TailwaterElevation;
  element.OverflowElevation = OverflowElevation;
  element.BuriedOption = BuriedOption;
  element.DisableBuriedTable = DisableBuriedTable;
  element.CulvertLength = CulvertLength;
  element.SetDefaultInletType(DefaultInletType == 0 ? 1 : DefaultInletType);
  element.DesignDischarge = DesignDischarge;
  element.FloodDischarge = FloodDischarge;
  element.AllowableHeadwaterElevation = AllowableHeadwaterElevation;
  element.AllowableHeadwaterType = AllowableHeadwaterType;
  element.CoeffN = CoeffN;
  element.BuriedCoeffN = BuriedCoeffN;
  element.CoeffKE = CoeffKE;
}

double TCulvertDesignEntryValues::Slope() const { return EntrySlope(InletElevation, OutletElevation, CulvertLength); }

TCulvertDesignVisibility CulvertDesignVisibility(bool burialOption, bool automaticBurialDepth) {
  TCulvertDesignVisibility visibility;
  visibility.AutomaticBurialDepthVisible = burialOption;
  visibility.CulvertTypeGridShown = burialOption;
  visibility.BuriedCoeffNVisible = burialOption && !automaticBurialDepth;
  return visibility;
}

// --- inlet types and coefficients -------------------------------------------------

const std::array<TCulvertInletTypeRow, 5>& CulvertInletTypeRows() {
  // The pipe arch row reads its codes from the plain InletType table, which
  // carries no coefficient sets.
  static const std::array<TCulvertInletTypeRow, 5> rows{{
      {"Circular Concrete", pcCircularConcreteInletType, &TCulvertDesignElement::CircularConcreteInletType},
      {"Circular Corrugated", pcCircularCorrugatedInletType, &TCulvertDesignElement::CircularCorrugatedInletType},
      {"Elliptical Concrete", pcEllipticalConcreteInletType, &TCulvertDesignElement::EllipticalConcreteInletType},
      {"Corrugated Pipe Arch", pcInletType, &TCulvertDesignElement::ArchCorrugatedInletType},
      {"Box", pcBoxInletType, &TCulvertDesignElement::BoxInletType},
  }};
  return rows;
}

std::string SelectedInletTypeText(const TCulvertDesignElement& element, int row,
                                  const TNerraParameterList& parameters) {
  if (row < 0 || row >= 5) return std::string();
  const TCulvertInletTypeRow& entry = CulvertInletTypeRows()[static_cast<size_t>(row)];
  const TNerraBaseCode* code = parameters.FindCode(entry.Category, element.*entry.Code);
  return code ? code->Description : std::string();
}

const std::array<const char*, 3>& HeadwallRowTexts() {
  static const std::array<const char*, 3> texts{"No Headwall", "Half Headwall", "Full Headwall"};
  return texts;
}

// --- result dialog ---------------------------------------------------------------

std::vector<std::string> CulvertDesignResultHeadings() {
  return {"Q (cfs.)",
          "#",
          "Size",
          "Headloss (ft.)",
          "HWCI (ft.)",
          "HWCO (ft.)",
          "Flow Type",
          "Velocity (fps.)",
          "DN (ft.)",
          "DC (ft.)",
          "Manning N",
          "Type HW Control",
          "Overflow (cfs.)",
          "Design Code",
          "Buried Depth (ft.)",
          "Note"};
}

std::vector<std::string> CulvertDesignResultTabs(const std::string& pipeType) {
  if (pipeType != "0" && pipeType != "99") return {};
  return {"Circular Smooth", "Circular Corrugated", "Elliptical Smooth", "Corrugated Pipe Arch", "Box"};
}

std::string CulvertDesignResultCell(const TCulvertElementResult& row, int column,
                                    const TNerraParameterList* parameters) {
  switch (column) {
    case 0: return FormatFixed(row.Flow, 2);
    case 1: return std::to_string(row.CulvertQuantity);
    case 2: return row.Pipe ? row.Pipe->SizeLabel : std::string();
    case 3: return FormatFixed(row.HeadwaterLoss, 2);
    case 4: return InletHeadwaterCell(row);
    case 5: return row.OutletHeadwaterValid ? FormatFixed(row.OutletHeadwater, 2) : std::string("N/A");
    case 6: return row.FlowType;
    case 7: return FormatFixed(row.Velocity, 2);
    case 8: return FormatFixed(row.NormalDepth, 2);
    case 9: return FormatFixed(row.CriticalDepth, 2);
    case 10: return FormatFixed(row.CoeffN, 4);
    case 11: return row.HeadwaterControl;
    case 12: return FormatFixed(row.Overflow, 2);
    case 13: return row.DesignCode;
    case 14: return row.BuriedOption ? FormatFixed(row.BuriedDepth, 2) : std::string();
    case 15: return DesignResultNote(row, parameters);
    default: return std::string();
  }
}

TCulvertDesignResultModel::TCulvertDesignResultModel(const TCulvertDesignElement& crossing, const std::string& pipeType,
                                                     const TNerraParameterList* parameters)
    : FCrossing(crossing),
      FParameters(parameters),
      FTabs(CulvertDesignResultTabs(pipeType)),
      FShownType(DesignResultTypes(pipeType).front()) {
  Collect();
}

void TCulvertDesignResultModel::SelectTab(int index) {
  if (index < 0 || index >= static_cast<int>(FTabs.size())) return;
  FShownType = std::to_string(index + 1);
  Collect();
}

std::string TCulvertDesignResultModel::Cell(int row, int column) const {
  const TCulvertElementResult* result = FRows->Row(row);
  return result ? CulvertDesignResultCell(*result, column, FParameters) : std::string();
}

void TCulvertDesignResultModel::Collect() {
  FRows = TCulvertElementList::CollectResultsOfType(FCrossing.Candidates, FShownType);
}
