#include "appmodel/InletSpacingEntry.h"

#include <cmath>

#include "appmodel/StormSewerEntry.h"
#include "foundation/DisplayFormat.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"

namespace {

std::string ListedCode(const TNerraBaseList& codes, const std::string& code) {
  return codes.IndexOfCode(code) >= 0 ? code : std::string();
}

bool IsListed(const TNerraBaseList& codes, const std::string& code) {
  return !code.empty() && codes.IndexOfCode(code) >= 0;
}

bool AllFinite(const TInletSpacingEntryValues& v) {
  for (double value :
       {v.LongSlope, v.Flow, v.ConcTime, v.GutterLength, v.GutterSlope, v.GutterWidth, v.ManningGN, v.PavementSlope,
        v.ManningPN, v.Depression, v.RunoffCoeff, v.RunoffArea, v.OverlandLength, v.OverlandSlope})
    if (!std::isfinite(value)) return false;
  return true;
}

}  // namespace

TInletSpacingEntryModel::TInletSpacingEntryModel(const TNerraParameterList& parameters)
    : FSumpTypes(parameters.CodesOfCategory(pcSumpType)),
      FCatchBasinTypes(parameters.CodesOfCategory(pcCBType)),
      FSurfaceTypes(parameters.CodesOfCategory(pcSurfaceType)) {}

TInletSpacingEntryModel::~TInletSpacingEntryModel() = default;

std::string TInletSpacingEntryModel::Caption(int32_t elementId) {
  std::string caption = "Inlet Spacing Entry";
  if (elementId > 0) caption += " #" + std::to_string(elementId);
  return caption;
}

bool TInletSpacingEntryModel::GroupsVisible(const std::string& sumpCode) {
  return !sumpCode.empty() && sumpCode != SumpBeginPoint;
}

TInletSpacingEntryValues TInletSpacingEntryModel::Load(const TInletSpacingElement& element) const {
  TInletSpacingEntryValues v;
  v.StationText = element.StationText();
  v.SumpCode = ListedCode(*FSumpTypes, element.Sump);
  LoadGroups(element, v);
  return v;
}

void TInletSpacingEntryModel::LoadGroups(const TInletSpacingElement& e, TInletSpacingEntryValues& v) const {
  TInletSpacingEntryValues groups;
  groups.StationText = v.StationText;
  groups.SumpCode = v.SumpCode;
  if (GroupsVisible(v.SumpCode)) {
    groups.CatchBasinCode = ListedCode(*FCatchBasinTypes, e.CatchBasin);
    groups.SurfaceCode = ListedCode(*FSurfaceTypes, e.Surface);
    groups.LongSlope = e.LongSlope;
    groups.Flow = e.Flow;
    groups.ConcTime = e.ConcTime;
    groups.GutterLength = e.GutterLength;
    groups.GutterSlope = e.GutterSlope;
    groups.GutterWidth = e.GutterWidth;
    // The n boxes show the n in use, so an unset n shows (and keeps) 0.015.
    groups.ManningGN = e.GutterN();
    groups.PavementSlope = e.PavementSlope;
    groups.ManningPN = e.PavementN();
    groups.Depression = e.Depression;
    groups.RunoffCoeff = e.RunoffCoeff;
    groups.RunoffArea = e.RunoffArea;
    groups.OverlandLength = e.OverlandLength;
    groups.OverlandSlope = e.OverlandSlope;
  }
  v = groups;
}

std::string TInletSpacingEntryModel::Check(const TInletSpacingEntryValues& v) const {
  TInletSpacingEntry entry;
  entry.StationText = v.StationText;
  entry.SumpSelected = IsListed(*FSumpTypes, v.SumpCode);
  entry.SumpIsFirstEntry = entry.SumpSelected && FSumpTypes->IndexOfCode(v.SumpCode) == 0;
  entry.CatchBasinSelected = IsListed(*FCatchBasinTypes, v.CatchBasinCode);
  entry.SurfaceSelected = IsListed(*FSurfaceTypes, v.SurfaceCode);
  entry.LongSlope = v.LongSlope;
  entry.Flow = v.Flow;
  entry.RunoffCoeff = v.RunoffCoeff;
  entry.RunoffArea = v.RunoffArea;
  entry.ConcTime = v.ConcTime;
  entry.OverlandLength = v.OverlandLength;
  entry.OverlandSlope = v.OverlandSlope;
  entry.GutterLength = v.GutterLength;
  entry.GutterSlope = v.GutterSlope;
  entry.GutterWidth = v.GutterWidth;
  entry.ManningGN = v.ManningGN;
  entry.ManningPN = v.ManningPN;
  entry.PavementSlope = v.PavementSlope;
  entry.Depression = v.Depression;
  std::string message = CheckInletSpacingEntry(entry);
  // A begin point skips the range rules, so a value beyond the range of
  // numbers would reach the project file as "inf".
  if (message.empty() && !AllFinite(v)) message = MsgEntryNotANumber;
  return message;
}

void TInletSpacingEntryModel::Store(const TInletSpacingEntryValues& v, TInletSpacingElement& e) const {
  e.SetStationText(v.StationText);
  e.LongSlope = v.LongSlope;
  e.Flow = v.Flow;
  e.ConcTime = v.ConcTime;
  e.Sump = IsListed(*FSumpTypes, v.SumpCode) ? v.SumpCode : std::string();
  e.CatchBasin = IsListed(*FCatchBasinTypes, v.CatchBasinCode) ? v.CatchBasinCode : std::string();
  e.Surface = IsListed(*FSurfaceTypes, v.SurfaceCode) ? v.SurfaceCode : std::string();
  e.GutterLength = v.GutterLength;
  e.GutterSlope = v.GutterSlope;
  e.GutterWidth = v.GutterWidth;
  e.ManningGN = v.ManningGN;
  e.PavementSlope = v.PavementSlope;
  e.ManningPN = v.ManningPN;
  e.RunoffCoeff = v.RunoffCoeff;
  e.RunoffArea = v.RunoffArea;
  e.OverlandLength = v.OverlandLength;
  e.OverlandSlope = v.OverlandSlope;
  e.Depression = v.Depression;
}

// ---------------------------------------------------------------- result grid

const std::vector<std::string>& InletSpacingResultHeadings() {
  static const std::vector<std::string> headings = {"Sump Type",
                                                    "Station",
                                                    "Gutter Length (ft.)",
                                                    "Runoff Coeff.",
                                                    "Concen. Time (min.)",
                                                    "Gutter Time (min.)",
                                                    "Time Used (min.)",
                                                    "Longitud. Slope (ft./ft.)",
                                                    "Gutter X-Slope (ft./ft.)",
                                                    "Pavement X-Slope (ft./ft.)",
                                                    "Gutter Width (ft.)",
                                                    "Local Depression (ft.)",
                                                    "Rainfall",
                                                    "Area (acres)",
                                                    "Intercepted Flow (cfs.)",
                                                    "Bypass Flow (cfs.)",
                                                    "Total Flow (cfs.)",
                                                    "Depth Flow (ft.)",
                                                    "Spread on Pavement (ft.)"};
  return headings;
}

namespace {

bool NumericCell(const TInletSpacingElement& e, int column, double& value, int& decimals) {
  struct TCell {
    double Value;
    int Decimals;
  };
  TCell cell{0, 2};
  switch (column) {
    case isrGutterLength: cell = {e.UsedGutterLength(), 2}; break;
    case isrRunoffCoeff: cell = {e.RunoffCoeff, 2}; break;
    case isrConcTime: cell = {e.ConcTimeUsed, 2}; break;
    case isrGutterTime: cell = {e.GutterTime, 2}; break;
    case isrUsedTime: cell = {e.UsedTime, 2}; break;
    case isrLongSlope: cell = {e.LongSlope, 4}; break;
    case isrGutterSlope: cell = {e.GutterSlope, 4}; break;
    case isrPavementSlope: cell = {e.PavementSlope, 2}; break;
    case isrGutterWidth: cell = {e.GutterWidth, 2}; break;
    case isrDepression: cell = {e.Depression, 4}; break;
    case isrRainfall: cell = {e.Rainfall, 2}; break;
    case isrArea: cell = {e.RunoffArea, 2}; break;
    case isrInterceptedFlow: cell = {e.InterceptedFlow, 2}; break;
    case isrBypassFlow: cell = {e.BypassFlow, 2}; break;
    case isrTotalFlow: cell = {e.TotalFlow, 2}; break;
    case isrDepthFlow: cell = {e.DepthFlow, 3}; break;
    case isrPavementSpread: cell = {e.PavementSpread, 2}; break;
    default: return false;
  }
  value = cell.Value;
  decimals = cell.Decimals;
  return true;
}

}  // namespace

std::string InletSpacingResultCell(const TInletSpacingElement& e, int column, const TNerraBaseList& sumpTypes) {
  if (column == isrSumpType) return sumpTypes.DescriptionOfCode(e.Sump);
  if (column == isrStation) return e.StationText();
  double value = 0;
  int decimals = 0;
  if (!NumericCell(e, column, value, decimals)) return std::string();
  return FormatFixed(value, decimals);
}

TSumpDataTexts SumpDataTexts(const TInletSpacingElementList& list) {
  TSumpDataTexts texts;
  texts.Visible = list.HasSumpData;
  if (!texts.Visible) return texts;
  texts.TotalFlow = FormatFixed(list.SumpTotalFlow, 2);
  texts.PondedDepth = FormatFixed(list.SumpPondedDepth, 3);
  texts.Spread = FormatFixed(list.SumpSpread, 2);
  return texts;
}
