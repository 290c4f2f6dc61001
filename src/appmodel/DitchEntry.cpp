#include "appmodel/DitchEntry.h"

#include <cmath>
#include <initializer_list>

#include "ditch/DitchAnalysisElementResult.h"
#include "foundation/DisplayFormat.h"

std::string DitchEntryCaption(const TDitchAnalysisElement& element) {
  std::string caption = "Ditch Analysis Element";
  if (element.ElementId > 0) caption += " #" + std::to_string(element.ElementId);
  return caption;
}

TDitchEntryValues LoadDitchEntry(const TDitchAnalysisElement& element) {
  TDitchEntryValues values;
  values.BeginStation = element.BeginStationText();
  values.EndStation = element.EndStationText();
  // The derived values, so a section given by stations and elevations shows
  // its length and grade.
  values.DitchLength = element.DitchLength();
  values.Grade = element.DitchGrade();
  values.Side = element.Side;
  values.LiningCode = element.LiningCode();
  if (element.HasRadius()) {
    values.Shape = TDitchEntryValues::shRadius;
    values.RadiusWidth = element.Radius;
  } else {
    values.Shape = TDitchEntryValues::shTrapezoidal;
    values.RadiusWidth = element.Width;
  }
  values.ElevationBegin = element.ElevationBegin;
  values.ElevationEnd = element.ElevationEnd;
  values.RunoffCoeff = element.RunoffCoeff;
  values.RunoffArea = element.RunoffArea;
  values.Inslope = element.Inslope;
  values.Backslope = element.Backslope;
  values.CoeffN = element.CoeffN;
  values.ConcTime = element.ConcTime;
  return values;
}

namespace {

bool AllFinite(const TDitchEntryValues& v) {
  for (double x : {v.DitchLength, v.ElevationBegin, v.ElevationEnd, v.Grade, v.RunoffCoeff, v.RunoffArea, v.RadiusWidth,
                   v.Inslope, v.Backslope, v.CoeffN, v.ConcTime}) {
    if (!std::isfinite(x)) return false;
  }
  return true;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// A station text that is given but does not read as a station (no "+", or
// no digits before it) would be stored as "not given".
bool Unreadable(const std::string& station) {
  return !station.empty() && TDitchAnalysisElement::ParseStation(station) < 0;
}

}  // namespace

std::string CheckDitchEntryValues(const TDitchEntryValues& values) {
  if (!AllFinite(values)) return "Data entered is incorrect.";
  TDitchEntry entry;
  // Blanks alone are no station: they would be stored as "not given".
  entry.BeginStationText = Trimmed(values.BeginStation);
  entry.EndStationText = Trimmed(values.EndStation);
  entry.RunoffCoeff = values.RunoffCoeff;
  entry.RunoffArea = values.RunoffArea;
  entry.DitchLength = values.DitchLength;
  entry.ElevationBegin = values.ElevationBegin;
  entry.ElevationEnd = values.ElevationEnd;
  entry.Grade = values.Grade;
  entry.ConcTime = values.ConcTime;
  if (std::string message = CheckDitchEntry(entry); !message.empty()) return message;
  if (Unreadable(entry.BeginStationText)) return "Station (From) should be written as 12+34.";
  if (Unreadable(entry.EndStationText)) return "Station (To) should be written as 12+34.";
  return std::string();
}

void StoreDitchEntry(const TDitchEntryValues& values, TDitchAnalysisElement& element) {
  element.SetBeginStation(values.BeginStation);
  element.SetEndStation(values.EndStation);
  element.Length = values.DitchLength;
  element.Side = values.Side;
  element.ElevationBegin = values.ElevationBegin;
  element.ElevationEnd = values.ElevationEnd;
  element.Grade = values.Grade;
  element.RunoffArea = values.RunoffArea;
  element.RunoffCoeff = values.RunoffCoeff;
  if (values.Shape == TDitchEntryValues::shRadius) {
    element.Radius = values.RadiusWidth;
    element.Width = 0;
  } else {
    element.Radius = 0;
    element.Width = values.RadiusWidth;
  }
  element.Inslope = values.Inslope;
  element.Backslope = values.Backslope;
  element.ConcTime = values.ConcTime;
  element.CoeffN = values.CoeffN;
  // The codes come from the lining code list; anything else clears the choice.
  if (!element.SetLiningCode(values.LiningCode)) element.Lining = ltNone;
}

// --- result grid ----------------------------------------------------------------

namespace {

struct TCellContext {
  const TDitchAnalysisElementResult& Row;
  const TDitchAnalysisElement& Element;
  const TNerraBaseList* Sides;
  bool Inflow;
  bool Message;
  // A first row that shows the section's own data.
  bool SectionLine() const { return Row.FirstLine && !Inflow; }
  // Rows that carry hydraulic results.
  bool ResultLine() const { return !Inflow && !Message; }
  std::string IfSection(double value, int decimals) const {
    return SectionLine() ? FormatFixed(value, decimals) : std::string();
  }
  std::string IfFirst(double value, int decimals) const {
    return Row.FirstLine ? FormatFixed(value, decimals) : std::string();
  }
  std::string IfResult(double value, int decimals) const {
    return ResultLine() ? FormatFixed(value, decimals) : std::string();
  }
};

struct TColumn {
  const char* Heading;
  std::string (*Cell)(const TCellContext&);
};

std::string StationEnd(const TCellContext& c) {
  if (c.Inflow) return "Conc.Inflow";
  return c.Row.FirstLine ? c.Element.EndStationText() : std::string();
}

std::string SideText(const TCellContext& c) {
  return c.SectionLine() && c.Sides ? c.Sides->DescriptionOfCode(c.Element.Side) : std::string();
}

std::string ProtectType(const TCellContext& c) {
  if (c.Inflow) return std::string();
  return c.Message ? c.Row.Message : c.Row.LiningName();
}

std::string TimeFlow(const TCellContext& c) {
  if (c.Inflow) return FormatFixed(c.Element.ConcTime, 2);
  return c.IfResult(c.Row.FlowTime, 2);
}

const TColumn Columns[DitchResultColumnCount] = {
    {"Station Begin", [](const TCellContext& c) { return c.Row.FirstLine ? c.Element.BeginStationText() : ""; }},
    {"Station End", StationEnd},
    {"Side", SideText},
    {"Length (ft.)", [](const TCellContext& c) { return c.IfSection(c.Element.DitchLength(), 2); }},
    {"Radius Width (ft.)",
     [](const TCellContext& c) { return c.IfSection(c.Element.Radius > 0 ? c.Element.Radius : c.Element.Width, 2); }},
    {"Inslope (ft./ft.)", [](const TCellContext& c) { return c.IfSection(c.Element.Inslope, 2); }},
    {"Backslope (ft./ft.)", [](const TCellContext& c) { return c.IfSection(c.Element.Backslope, 2); }},
    {"Grade (ft./ft.)", [](const TCellContext& c) { return c.IfSection(c.Element.DitchGrade(), 4); }},
    {"Area (acres)", [](const TCellContext& c) { return c.IfFirst(c.Element.RunoffArea, 2); }},
    {"Area Sum (acres)", [](const TCellContext& c) { return c.IfSection(c.Element.AreaSum, 2); }},
    {"Runoff Coeff.", [](const TCellContext& c) { return c.IfFirst(c.Element.RunoffCoeff, 2); }},
    {"CA", [](const TCellContext& c) { return c.IfSection(c.Element.CASum, 2); }},
    {"Protect Type", ProtectType},
    {"Rainfall", [](const TCellContext& c) { return c.IfResult(c.Row.Intensity, 2); }},
    {"Storm Freq. (yrs.)", [](const TCellContext& c) { return c.ResultLine() ? c.Row.FrequencyCode : ""; }},
    {"Manning Coeff.", [](const TCellContext& c) { return c.IfResult(c.Row.ManningCoeff, 3); }},
    {"Time Flow (min.)", TimeFlow},
    {"Velocity Flow (fps.)", [](const TCellContext& c) { return c.IfResult(c.Row.Velocity(), 2); }},
    {"Shear", [](const TCellContext& c) { return c.IfResult(c.Row.Shear(), 2); }},
    {"Design Discharge (cfs.)", [](const TCellContext& c) { return c.IfResult(c.Row.Flow(), 2); }},
    {"Depth Flow (ft.)", [](const TCellContext& c) { return c.IfResult(c.Row.Depth, 2); }},
    {"Width Flow (ft.)", [](const TCellContext& c) { return c.IfResult(c.Row.TopWidth(), 2); }},
};

}  // namespace

std::string DitchResultHeading(int column) {
  if (column < 0 || column >= DitchResultColumnCount) return std::string();
  return Columns[column].Heading;
}

std::string DitchResultCell(const TDitchAnalysisElementResult& row, int column, const TNerraBaseList* sides) {
  if (column < 0 || column >= DitchResultColumnCount || !row.Element) return std::string();
  const TCellContext context{row, *row.Element, sides, row.IsInflowRow(), row.IsMessageRow()};
  return Columns[column].Cell(context);
}
