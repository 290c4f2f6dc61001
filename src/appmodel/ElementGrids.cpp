#include "appmodel/ElementGrids.h"

#include <array>

#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "culvert/CulvertElement.h"
#include "ditch/DitchAnalysis.h"
#include "foundation/DisplayFormat.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "stormsewer/StormSewer.h"

namespace {

const std::array<const char*, cdcColumnCount> CulvertDesignHeadings = {"",
                                                                       "Design Discharge (cfs.)",
                                                                       "Allowable HW Elevation (ft.)",
                                                                       "Inlet Invert Elevation (ft.)",
                                                                       "Outlet Invert Elevation (ft.)",
                                                                       "Pipe Length (ft.)",
                                                                       "Slope (ft.)",
                                                                       "Tailwater Elevation (ft.)",
                                                                       "Overflow Elevation (ft.)",
                                                                       "Flood Discharge (cfs.)",
                                                                       "Manning N",
                                                                       "Special KE"};

const std::array<const char*, cacColumnCount> CulvertAnalysisHeadings = {"",
                                                                         "#",
                                                                         "Use HW",
                                                                         "Culvert Type",
                                                                         "Corrugation Type",
                                                                         "Culvert Size",
                                                                         "Inlet Invert Elevation (ft.)",
                                                                         "Outlet Invert Elevation (ft.)",
                                                                         "Pipe Length (ft.)",
                                                                         "Slope (ft.)",
                                                                         "Tailwater Elevation (ft.)",
                                                                         "Overflow Elevation (ft.)"};

const std::array<const char*, sscColumnCount> StormSewerHeadings = {"",
                                                                    "From Junction",
                                                                    "To Junction",
                                                                    "Begin Station",
                                                                    "End Station",
                                                                    "Inlet Type",
                                                                    "Time (min.)",
                                                                    "Pipe Length (ft.)",
                                                                    "Pipe Slope (ft./ft.)",
                                                                    "Inlet Cover Elevation (ft.)",
                                                                    "Outlet Cover Elevation (ft.)",
                                                                    "Inlet Crown Elevation (ft.)",
                                                                    "Outlet Crown Elevation (ft.)",
                                                                    "Inlet Invert Elevation (ft.)",
                                                                    "Outlet Invert Elevation (ft.)"};

const std::array<const char*, iscColumnCount> InletSpacingHeadings = {"",
                                                                      "Sump Type",
                                                                      "Station",
                                                                      "Gutter Length (ft.)",
                                                                      "Conc. Time (min.)",
                                                                      "Runoff Coeff.",
                                                                      "Area (acres)",
                                                                      "Long. Slope (ft./ft.)",
                                                                      "Gutter X-Slope (ft./ft.)",
                                                                      "Gutter Width (ft.)",
                                                                      "Flow (cfs.)",
                                                                      "Pavement X-Slope (ft./ft.)"};

const std::array<const char*, dacColumnCount> DitchHeadings = {
    "Station Begin", "Station End", "Runoff Coeff.", "Area",       "Inslope",         "Width",        "Radius",
    "Backslope",     "Grade",       "Ditch Length",  "Conc. Time", "Elevation Begin", "Elevation End"};

template <size_t N>
std::string HeadingOf(const std::array<const char*, N>& headings, int column) {
  if (column < 0 || column >= static_cast<int>(N)) return std::string();
  return headings[static_cast<size_t>(column)];
}

std::string Buried(bool buried) { return buried ? "B" : ""; }

// Elevations the storm sewer leaves out are 0 (or below): an empty cell.
std::string PositiveOrEmpty(double value, int decimals) {
  return value > 0 ? FormatFixed(value, decimals) : std::string();
}

std::string DescriptionOf(const TNerraParameterList* parameters, TParameterCategory category, const std::string& code) {
  if (!parameters) return std::string();
  const TNerraBaseCode* entry = parameters->FindCode(category, code);
  return entry ? entry->Description : std::string();
}

std::string CorrugationDescription(const TCulvertAnalysis& project, const TCulvertBaseElement& culvert) {
  const std::string type = culvert.CulvertTypeText();
  if (type == "2") return DescriptionOf(project.Parameters, pcCircularCorrugationType, culvert.CorrugationText());
  if (type == "4") return DescriptionOf(project.Parameters, pcArcCorrugationType, culvert.CorrugationText());
  return "N/A";
}

}  // namespace

int GridColumnCount(TElementGridKind kind) {
  switch (kind) {
    case TElementGridKind::CulvertDesign: return cdcColumnCount;
    case TElementGridKind::CulvertAnalysis: return cacColumnCount;
    case TElementGridKind::StormSewer: return sscColumnCount;
    case TElementGridKind::InletSpacing: return iscColumnCount;
    case TElementGridKind::DitchAnalysis: return dacColumnCount;
  }
  return 0;
}

std::string GridColumnHeading(TElementGridKind kind, int column) {
  switch (kind) {
    case TElementGridKind::CulvertDesign: return HeadingOf(CulvertDesignHeadings, column);
    case TElementGridKind::CulvertAnalysis: return HeadingOf(CulvertAnalysisHeadings, column);
    case TElementGridKind::StormSewer: return HeadingOf(StormSewerHeadings, column);
    case TElementGridKind::InletSpacing: return HeadingOf(InletSpacingHeadings, column);
    case TElementGridKind::DitchAnalysis: return HeadingOf(DitchHeadings, column);
  }
  return std::string();
}

std::string CellText(const TCulvertDesign& project, int row, int column) {
  const TCulvertDesignElement* e = project.Crossing(row);
  if (!e) return std::string();
  switch (column) {
    case cdcBuried: return Buried(e->BuriedOption);
    case cdcDesignDischarge: return FormatFixed(e->DesignDischarge, 2);
    case cdcAllowableHeadwater: return FormatFixed(e->AllowableHeadwaterElevation, 2);
    case cdcInletElevation: return FormatFixed(e->InletElevation, 2);
    case cdcOutletElevation: return FormatFixed(e->OutletElevation, 2);
    case cdcCulvertLength: return FormatFixed(e->CulvertLength, 2);
    case cdcSlope: return FormatFixed(e->Slope(), 4);
    case cdcTailwater: return FormatFixed(e->TailwaterElevation, 2);
    case cdcOverflow: return FormatFixed(e->OverflowElevation, 2);
    case cdcFloodDischarge: return FormatFixed(e->FloodDischarge, 2);
    case cdcManningN: return FormatFixed(e->CoeffN, 3);
    case cdcSpecialKE: return FormatFixed(e->CoeffKE, 3);
    default: return std::string();
  }
}

std::string CellText(const TCulvertAnalysis& project, int row, int column) {
  const TCulvertBaseElement* e = project.Elements.Culvert(row);
  if (!e) return std::string();
  switch (column) {
    case cacBuried: return Buried(e->BuriedOption);
    case cacElementId: return std::to_string(e->ElementId);
    case cacUseHW: return e->UseHW > 0 ? std::to_string(e->UseHW) : "No inlet";
    case cacCulvertType: return DescriptionOf(project.Parameters, pcAnalysisPipeType, e->CulvertTypeText());
    case cacCorrugationType: return CorrugationDescription(project, *e);
    case cacCulvertSize: return e->Pipe ? e->Pipe->SizeLabel : std::string();
    case cacInletElevation: return FormatFixed(e->InletElevation, 2);
    case cacOutletElevation: return FormatFixed(e->OutletElevation, 2);
    case cacCulvertLength: return FormatFixed(e->CulvertLength, 2);
    case cacSlope: return FormatFixed(e->Slope(), 4);
    case cacTailwater: return FormatFixed(e->TailwaterElevationMin, 2);
    case cacOverflow: return FormatFixed(e->OverflowElevation, 2);
    default: return std::string();
  }
}

std::string CellText(const TStormSewer& project, int row, int column) {
  const TStormSewerElement* e = project.ElementList.Pipe(row);
  if (!e) return std::string();
  switch (column) {
    case sscFromJunction: return e->BeginJunction;
    case sscToJunction: return e->EndJunction;
    case sscBeginStation: return e->BeginStation;
    case sscEndStation: return e->EndStation;
    case sscInletType: return e->InletTypeText();
    case sscTime: return FormatFixed(e->Time(), 1);
    case sscLength: return FormatFixed(e->Length, 1);
    case sscSlope: return FormatFixed(e->PipeSlope(), 4);
    case sscInletCover: return FormatFixed(e->InletCover, 2);
    case sscOutletCover: return FormatFixed(e->OutletCover, 2);
    case sscInletCrown: return PositiveOrEmpty(e->InletCrown, 2);
    case sscOutletCrown: return PositiveOrEmpty(e->OutletCrown, 2);
    case sscInletInvert: return PositiveOrEmpty(e->InletInvert, 2);
    case sscOutletInvert: return PositiveOrEmpty(e->OutletInvert, 2);
    default: return std::string();
  }
}

std::string CellText(const TInletSpacing& project, int row, int column) {
  const TInletSpacingElement* e = project.Elements.Items(row);
  if (!e) return std::string();
  switch (column) {
    case iscSumpType: return DescriptionOf(project.Parameters, pcSumpType, e->Sump);
    case iscStation: return e->StationText();
    case iscGutterLength: return FormatFixed(e->GutterLength, 2);
    case iscConcTime: return FormatFixed(e->ConcTime, 2);
    case iscRunoffCoeff: return FormatFixed(e->RunoffCoeff, 2);
    case iscArea: return FormatFixed(e->RunoffArea, 2);
    case iscLongSlope: return FormatFixed(e->LongSlope, 4);
    case iscGutterSlope: return FormatFixed(e->GutterSlope, 4);
    case iscGutterWidth: return FormatFixed(e->GutterWidth, 2);
    case iscFlow: return FormatFixed(e->Flow, 2);
    case iscPavementSlope: return FormatFixed(e->PavementSlope, 4);
    default: return std::string();
  }
}

std::string CellText(const TDitchAnalysis& project, int row, int column) {
  const TDitchAnalysisElement* e = project.Element(row);
  if (!e) return std::string();
  switch (column) {
    case dacBeginStation: return e->BeginStationText();
    case dacEndStation: return e->IsConcentratedInflow() ? "Conc. Inflow" : e->EndStationText();
    case dacRunoffCoeff: return FormatFixed(e->RunoffCoeff, 2);
    case dacArea: return FormatFixed(e->RunoffArea, 2);
    case dacInslope: return FormatFixed(e->Inslope, 2);
    case dacWidth: return FormatFixed(e->Width, 2);
    case dacRadius: return FormatFixed(e->Radius, 2);
    case dacBackslope: return FormatFixed(e->Backslope, 2);
    case dacGrade: return FormatFixed(e->DitchGrade(), 4);
    case dacLength: return FormatFixed(e->DitchLength(), 2);
    case dacConcTime: return FormatFixed(e->ConcTime, 2);
    case dacElevationBegin: return FormatFixed(e->ElevationBegin, 2);
    case dacElevationEnd: return FormatFixed(e->ElevationEnd, 2);
    default: return std::string();
  }
}

std::vector<TGridMarker> StormSewerMarkers(const TStormSewer& project) {
  std::vector<TGridMarker> markers;
  const int count = project.ElementList.Count();
  if (count == 0) return markers;
  const TStormSewerNetwork network(project.ElementList);
  markers.reserve(static_cast<size_t>(count));
  for (int pipe = 0; pipe < count; ++pipe) {
    if (network.IsFinal(pipe))
      markers.push_back(TGridMarker::Red);
    else if (network.IsOpen(pipe))
      markers.push_back(TGridMarker::White);
    else
      markers.push_back(TGridMarker::BrightGreen);
  }
  return markers;
}

TGridMarker InletSpacingMarker(const TInletSpacing& project, int row) {
  const TInletSpacingElement* e = project.Elements.Items(row);
  if (!e) return TGridMarker::None;
  if (e->Sump == SumpBeginPoint) return TGridMarker::BrightGreen;
  if (e->Sump == SumpSagEnd) return TGridMarker::Blue;
  if (e->Sump == SumpSagApproach) return TGridMarker::Red;
  return TGridMarker::White;
}

bool StormSewerColumnVisible(bool isAnalysis, int column) {
  if (column == sscInletCrown || column == sscOutletCrown) return !isAnalysis;
  if (column == sscInletInvert || column == sscOutletInvert) return isAnalysis;
  return true;
}

// ---- TElementGrid -----------------------------------------------------------

void TElementGrid::SetProject(TNerraBaseProject* project) {
  FCulvertDesign = nullptr;
  FCulvertAnalysis = nullptr;
  FStormSewer = nullptr;
  FInletSpacing = nullptr;
  FDitch = nullptr;
  switch (FKind) {
    case TElementGridKind::CulvertDesign: FCulvertDesign = dynamic_cast<TCulvertDesign*>(project); break;
    case TElementGridKind::CulvertAnalysis: FCulvertAnalysis = dynamic_cast<TCulvertAnalysis*>(project); break;
    case TElementGridKind::StormSewer: FStormSewer = dynamic_cast<TStormSewer*>(project); break;
    case TElementGridKind::InletSpacing: FInletSpacing = dynamic_cast<TInletSpacing*>(project); break;
    case TElementGridKind::DitchAnalysis: FDitch = dynamic_cast<TDitchAnalysis*>(project); break;
  }
  Refresh();
}

void TElementGrid::Refresh() {
  FSewerMarkers = FStormSewer ? StormSewerMarkers(*FStormSewer) : std::vector<TGridMarker>();
}

int TElementGrid::RowCount() const {
  if (FCulvertDesign) return FCulvertDesign->Elements.Count();
  if (FCulvertAnalysis) return FCulvertAnalysis->Elements.Count();
  if (FStormSewer) return FStormSewer->ElementList.Count();
  if (FInletSpacing) return FInletSpacing->Elements.Count();
  if (FDitch) return FDitch->ElementList.Count();
  return 0;
}

bool TElementGrid::ColumnVisible(int column) const {
  if (FKind != TElementGridKind::StormSewer || !FStormSewer) return true;
  return StormSewerColumnVisible(FStormSewer->IsAnalysis, column);
}

std::string TElementGrid::Text(int row, int column) const {
  if (FCulvertDesign) return CellText(*FCulvertDesign, row, column);
  if (FCulvertAnalysis) return CellText(*FCulvertAnalysis, row, column);
  if (FStormSewer) return CellText(*FStormSewer, row, column);
  if (FInletSpacing) return CellText(*FInletSpacing, row, column);
  if (FDitch) return CellText(*FDitch, row, column);
  return std::string();
}

TGridMarker TElementGrid::Marker(int row, int column) const {
  if (FStormSewer && column == sscMarker && row >= 0 && row < static_cast<int>(FSewerMarkers.size()))
    return FSewerMarkers[static_cast<size_t>(row)];
  if (FInletSpacing && column == iscMarker) return InletSpacingMarker(*FInletSpacing, row);
  return TGridMarker::None;
}
