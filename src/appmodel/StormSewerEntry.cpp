#include "appmodel/StormSewerEntry.h"

#include <cmath>

#include "appmodel/SlopeEntry.h"
#include "foundation/DisplayFormat.h"
#include "model/ParameterList.h"
#include "stormsewer/StormSewerElement.h"

namespace {

// The stored code when the list holds it; a code the list does not know
// selects nothing.
std::string ListedCode(const TNerraBaseList& codes, const std::string& code) {
  return codes.IndexOfCode(code) >= 0 ? code : std::string();
}

bool AllFinite(const TStormSewerEntryValues& v) {
  for (int i = 0; i < 4; ++i)
    if (!std::isfinite(v.RunoffArea[i]) || !std::isfinite(v.RunoffCoeff[i])) return false;
  for (double value :
       {v.InletElevation, v.OutletElevation, v.InletCover, v.OutletCover, v.Length, v.MinDiameter, v.Time, v.CoeffN})
    if (!std::isfinite(value)) return false;
  return true;
}

}  // namespace

TStormSewerEntryModel::TStormSewerEntryModel(bool isAnalysis, const TNerraParameterList& parameters)
    : IsAnalysis(isAnalysis),
      FSides(parameters.CodesOfCategory(pcSewerSide)),
      FCategories(parameters.CodesOfCategory(pcStructureCategory)),
      FTypes(parameters.CodesOfCategory(pcStructureType)) {}

TStormSewerEntryModel::~TStormSewerEntryModel() = default;

std::string TStormSewerEntryModel::Caption(int32_t elementId) {
  std::string caption = "Storm Sewer Element";
  if (elementId > 0) caption += " #" + std::to_string(elementId);
  return caption;
}

std::string TStormSewerEntryModel::InletElevationLabel() const {
  return IsAnalysis ? "Inlet Invert(ft.)" : "Inlet Crown(ft.)";
}

std::string TStormSewerEntryModel::OutletElevationLabel() const {
  return IsAnalysis ? "Outlet Invert(ft.)" : "Outlet Crown(ft.)";
}

std::vector<std::string> TStormSewerEntryModel::TypesOfCategory(const std::string& categoryCode) const {
  std::vector<std::string> types;
  if (categoryCode.empty()) return types;
  for (int i = 0; i < FTypes->Count(); ++i) {
    const auto* type = FTypes->ItemAs<TNerraStructureTypeCode>(i);
    if (type && type->Structure == categoryCode) types.push_back(type->Description);
  }
  return types;
}

TStormSewerEntryValues TStormSewerEntryModel::Load(const TStormSewerElement& e) const {
  TStormSewerEntryValues v;
  v.BeginJunction = e.BeginJunction;
  v.EndJunction = e.EndJunction;
  v.BeginStation = e.BeginStation;
  v.EndStation = e.EndStation;
  v.SideCode = ListedCode(*FSides, e.Side);
  v.StructureCode = ListedCode(*FCategories, e.Structure);
  v.InletType = e.InletType;
  v.RunoffArea = {e.RunoffArea1, e.RunoffArea2, e.RunoffArea3, e.RunoffArea4};
  v.RunoffCoeff = {e.RunoffCoeff1, e.RunoffCoeff2, e.RunoffCoeff3, e.RunoffCoeff4};
  v.InletElevation = IsAnalysis ? e.InletInvert : e.InletCrown;
  v.OutletElevation = IsAnalysis ? e.OutletInvert : e.OutletCrown;
  v.InletCover = e.InletCover;
  v.OutletCover = e.OutletCover;
  v.Length = e.Length;
  v.MinDiameter = e.MinDiameter;
  v.Time = e.Time();
  v.CoeffN = e.CoeffN;
  return v;
}

std::string TStormSewerEntryModel::Check(const TStormSewerEntryValues& values) const {
  TStormSewerElement scratch;
  Store(values, scratch);
  std::string message = scratch.Check(IsAnalysis);
  // A value beyond the range of numbers can pass the range rules and would
  // reach the project file as "inf".
  if (message.empty() && !AllFinite(values)) message = MsgEntryNotANumber;
  return message;
}

void TStormSewerEntryModel::Store(const TStormSewerEntryValues& v, TStormSewerElement& e) const {
  e.BeginJunction = v.BeginJunction;
  e.EndJunction = v.EndJunction;
  e.BeginStation = v.BeginStation;
  e.EndStation = v.EndStation;
  e.Side = v.SideCode;
  e.Structure = v.StructureCode;
  e.InletType = v.InletType;
  e.SetTime(v.Time);
  e.Length = v.Length;
  if (IsAnalysis) {
    e.InletInvert = v.InletElevation;
    e.OutletInvert = v.OutletElevation;
  } else {
    e.InletCrown = v.InletElevation;
    e.OutletCrown = v.OutletElevation;
  }
  e.InletCover = v.InletCover;
  e.OutletCover = v.OutletCover;
  e.MinDiameter = v.MinDiameter;
  e.CoeffN = v.CoeffN;
  e.RunoffCoeff1 = v.RunoffCoeff[0];
  e.RunoffCoeff2 = v.RunoffCoeff[1];
  e.RunoffCoeff3 = v.RunoffCoeff[2];
  e.RunoffCoeff4 = v.RunoffCoeff[3];
  e.RunoffArea1 = v.RunoffArea[0];
  e.RunoffArea2 = v.RunoffArea[1];
  e.RunoffArea3 = v.RunoffArea[2];
  e.RunoffArea4 = v.RunoffArea[3];
}

double TStormSewerEntryModel::PipeSlope(const TStormSewerEntryValues& v) {
  return EntrySlope(v.InletElevation, v.OutletElevation, v.Length);
}

void TStormSewerEntryModel::ApplySlope(TStormSewerEntryValues& v, double slope) {
  v.OutletElevation = OutletForSlope(v.InletElevation, v.Length, slope, v.OutletElevation);
}

TStormSewerSums TStormSewerEntryModel::Sums(const TStormSewerEntryValues& v) {
  TStormSewerSums sums;
  for (int i = 0; i < 4; ++i) {
    sums.TotalArea += v.RunoffArea[i];
    sums.SumCA += v.RunoffCoeff[i] * v.RunoffArea[i];
  }
  sums.WeightedCoeff = sums.TotalArea > 0 ? sums.SumCA / sums.TotalArea : 0;
  return sums;
}

// ---------------------------------------------------------------- result grid

const std::vector<std::string>& StormSewerResultHeadings() {
  static const std::vector<std::string> headings = {"",
                                                    "Junction",
                                                    "Station",
                                                    "Sum CA",
                                                    "Time (min.)",
                                                    "Rainfall (FC)",
                                                    "Rainfall (HG)",
                                                    "Flow (FC) (cfs.)",
                                                    "Flow (HG) (cfs.)",
                                                    "Diameter (in.)",
                                                    "Length (ft.)",
                                                    "Slope (ft./ft.)",
                                                    "Inlet Flow Elev. (ft.)",
                                                    "Oulet Flow Elev. (ft.)",
                                                    "Velocity (fps.)",
                                                    "Just Full Capacity",
                                                    "Frict. Slope",
                                                    "HGL Inlet (ft.)",
                                                    "HGL Oulet (ft.)",
                                                    "Inlet Cover (ft.)",
                                                    "Outlet Cover (ft.)",
                                                    "Cover-HG (ft.)",
                                                    "Cover - Crown",
                                                    "InletType",
                                                    "Manning's \"n\""};
  return headings;
}

namespace {

std::string KindText(const TStormSewerElement& e) {
  if (e.IsOpenJunction) return "begin";
  if (e.IsFinalJunction) return "final";
  return std::string();
}

// Value and decimals of a numeric column; false for a text column.
bool NumericCell(const TStormSewerElement& e, int column, double& value, int& decimals) {
  struct TCell {
    double Value;
    int Decimals;
  };
  TCell cell{0, 2};
  switch (column) {
    case ssrSumCA: cell = {e.GlobalArea, 2}; break;
    case ssrTime: cell = {e.BeginTime, 1}; break;
    case ssrRainfall: cell = {e.Rainfall, 2}; break;
    case ssrHGRainfall: cell = {e.HGRainfall, 2}; break;
    case ssrFlow: cell = {e.Flow(), 2}; break;
    case ssrHGFlow: cell = {e.HGFlow(), 2}; break;
    case ssrDiameter: cell = {e.Diameter, 0}; break;
    case ssrLength: cell = {e.Length, 1}; break;
    case ssrSlope: cell = {e.PipeSlope(), 4}; break;
    case ssrInletFlow: cell = {e.InletFlow, 2}; break;
    case ssrOutletFlow: cell = {e.OutletFlowLine(), 2}; break;
    case ssrVelocity: cell = {e.Velocity, 2}; break;
    case ssrFullCapacity: cell = {e.FullCapacity(), 2}; break;
    case ssrFrictionSlope: cell = {e.FrictionSlope(), 4}; break;
    case ssrHGInlet: cell = {e.HGInletFlow, 2}; break;
    case ssrHGOutlet: cell = {e.HGOutletFlow, 2}; break;
    case ssrInletCover: cell = {e.InletCover, 2}; break;
    case ssrOutletCover: cell = {e.OutletCover, 2}; break;
    case ssrCoverMinusHG: cell = {e.CoverMinusHG(), 2}; break;
    case ssrCoverMinusCrown: cell = {e.CoverMinusCrown(), 2}; break;
    case ssrManningN: cell = {e.EffectiveN, 3}; break;
    default: return false;
  }
  value = cell.Value;
  decimals = cell.Decimals;
  return true;
}

}  // namespace

std::string StormSewerResultCell(const TStormSewerElement& e, int column) {
  switch (column) {
    case ssrKind: return KindText(e);
    case ssrJunction: return e.BeginJunction + " - " + e.EndJunction;
    case ssrStation: return e.BeginStation + " - " + e.EndStation;
    case ssrInletType: return e.InletType;
    default: break;
  }
  double value = 0;
  int decimals = 0;
  if (!NumericCell(e, column, value, decimals)) return std::string();
  return FormatFixed(value, decimals);
}

bool StormSewerResultCellWarned(const TStormSewerElement& e, int column) {
  return column == ssrDiameter && e.PipeDiameterWarning;
}
