// Storm Sewer Design and Storm Sewer Analysis on the command line.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CliKinds.h"
#include "foundation/DisplayFormat.h"
#include "stormsewer/StormSewer.h"

namespace {

TStormSewer& Sewer(TNerraBaseProject& project) { return dynamic_cast<TStormSewer&>(project); }

std::string Fixed(double value, int decimals) { return FormatFixed(value, decimals); }

struct TColumn {
  std::string (*Cell)(const TStormSewerElement&);
};

std::string Marker(const TStormSewerElement& pipe) {
  if (pipe.IsOpenJunction) {
    return "begin";
  }
  return pipe.IsFinalJunction ? "final" : "";
}

// The columns of the result dialog; a warned diameter, red there, gets a "!".
const TColumn Columns[] = {
    {Marker},
    {[](const TStormSewerElement& p) { return p.BeginJunction + " - " + p.EndJunction; }},
    {[](const TStormSewerElement& p) { return p.BeginStation + " - " + p.EndStation; }},
    {[](const TStormSewerElement& p) { return Fixed(p.GlobalArea, 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.BeginTime, 1); }},
    {[](const TStormSewerElement& p) { return Fixed(p.Rainfall, 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.HGRainfall, 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.Flow(), 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.HGFlow(), 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.Diameter, 0) + (p.PipeDiameterWarning ? "!" : ""); }},
    {[](const TStormSewerElement& p) { return Fixed(p.Length, 1); }},
    {[](const TStormSewerElement& p) { return Fixed(p.PipeSlope(), 4); }},
    {[](const TStormSewerElement& p) { return Fixed(p.InletFlow, 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.OutletFlowLine(), 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.Velocity, 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.FullCapacity(), 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.FrictionSlope(), 4); }},
    {[](const TStormSewerElement& p) { return Fixed(p.HGInletFlow, 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.HGOutletFlow, 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.InletCover, 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.OutletCover, 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.CoverMinusHG(), 2); }},
    {[](const TStormSewerElement& p) { return Fixed(p.CoverMinusCrown(), 2); }},
    {[](const TStormSewerElement& p) { return p.InletType; }},
    {[](const TStormSewerElement& p) { return Fixed(p.EffectiveN, 3); }},
};

void PrintText(TNerraBaseProject& project, std::ostream& out) {
  const TStormSewer& sewer = Sewer(project);
  const TStormSewerElementList& list = sewer.ElementList;
  constexpr size_t columnCount = std::size(Columns);
  const std::vector<std::string> headings = ResultHeadingsOf(TProjectKind::StormSewerDesign, columnCount);
  std::vector<std::vector<std::string>> cells(list.Count() + 1, std::vector<std::string>(columnCount));
  std::vector<size_t> widths(columnCount, 0);
  for (size_t c = 0; c < columnCount; ++c) {
    cells[0][c] = headings[c];
    for (int row = 0; row < list.Count(); ++row) {
      cells[row + 1][c] = Columns[c].Cell(*list.Pipe(row));
    }
    for (const auto& line : cells) {
      widths[c] = std::max(widths[c], line[c].size());
    }
  }
  out << (sewer.IsAnalysis ? "STORM SEWER SYSTEM ANALYSIS" : "STORM SEWER SYSTEM DESIGN") << '\n';
  for (const auto& line : cells) {
    std::string text;
    for (size_t c = 0; c < columnCount; ++c) {
      std::string cell = line[c];
      cell.resize(widths[c], ' ');
      text += (c == 0 ? "" : " | ") + cell;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << '\n';
  }
  if (list.Count() == 0) {
    out << "No records found\n";
  } else if (list.Count() == 1) {
    out << "One record found\n";
  } else {
    out << list.Count() << " records found\n";
  }
}

}  // namespace

TCliKind StormSewerCliKind() {
  TCliKind kind;
  kind.Kinds = {TProjectKind::StormSewerDesign, TProjectKind::StormSewerAnalysis};
  kind.PrintText = PrintText;
  return kind;
}
