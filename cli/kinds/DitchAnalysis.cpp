// Ditch Analysis on the command line.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "CliKinds.h"
#include "ditch/DitchAnalysis.h"
#include "foundation/DisplayFormat.h"
#include "model/ParameterList.h"

namespace {

TDitchAnalysis& Ditch(TNerraBaseProject& project) { return dynamic_cast<TDitchAnalysis&>(project); }

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
};

using TCell = std::string (*)(const TCellContext&);

struct TColumn {
  TCell Cell;
};

std::string IfSection(const TCellContext& c, double value, int decimals) {
  return c.SectionLine() ? FormatFixed(value, decimals) : std::string();
}

std::string IfResult(const TCellContext& c, double value, int decimals) {
  return c.ResultLine() ? FormatFixed(value, decimals) : std::string();
}

// The columns of the result dialog, in its order.
const TColumn Columns[] = {
    {[](const TCellContext& c) { return c.Row.FirstLine ? c.Element.BeginStationText() : ""; }},
    {[](const TCellContext& c) -> std::string {
      if (c.Inflow) return "Conc.Inflow";
      return c.Row.FirstLine ? c.Element.EndStationText() : "";
    }},
    {[](const TCellContext& c) {
      return c.SectionLine() && c.Sides ? c.Sides->DescriptionOfCode(c.Element.Side) : std::string();
    }},
    {[](const TCellContext& c) { return IfSection(c, c.Element.DitchLength(), 2); }},
    {[](const TCellContext& c) { return IfSection(c, c.Element.Radius > 0 ? c.Element.Radius : c.Element.Width, 2); }},
    {[](const TCellContext& c) { return IfSection(c, c.Element.Inslope, 2); }},
    {[](const TCellContext& c) { return IfSection(c, c.Element.Backslope, 2); }},
    {[](const TCellContext& c) { return IfSection(c, c.Element.DitchGrade(), 4); }},
    {[](const TCellContext& c) { return c.Row.FirstLine ? FormatFixed(c.Element.RunoffArea, 2) : std::string(); }},
    {[](const TCellContext& c) { return IfSection(c, c.Element.AreaSum, 2); }},
    {[](const TCellContext& c) { return c.Row.FirstLine ? FormatFixed(c.Element.RunoffCoeff, 2) : std::string(); }},
    {[](const TCellContext& c) { return IfSection(c, c.Element.CASum, 2); }},
    {[](const TCellContext& c) -> std::string {
      if (c.Inflow) return "";
      return c.Message ? c.Row.Message : c.Row.LiningName();
    }},
    {[](const TCellContext& c) { return IfResult(c, c.Row.Intensity, 2); }},
    {[](const TCellContext& c) { return c.ResultLine() ? c.Row.FrequencyCode : ""; }},
    {[](const TCellContext& c) { return IfResult(c, c.Row.ManningCoeff, 3); }},
    {[](const TCellContext& c) {
      if (c.Inflow) return FormatFixed(c.Element.ConcTime, 2);
      return IfResult(c, c.Row.FlowTime, 2);
    }},
    {[](const TCellContext& c) { return IfResult(c, c.Row.Velocity(), 2); }},
    {[](const TCellContext& c) { return IfResult(c, c.Row.Shear(), 2); }},
    {[](const TCellContext& c) { return IfResult(c, c.Row.Flow(), 2); }},
    {[](const TCellContext& c) { return IfResult(c, c.Row.Depth, 2); }},
    {[](const TCellContext& c) { return IfResult(c, c.Row.TopWidth(), 2); }},
};

void PrintText(TNerraBaseProject& base, std::ostream& out) {
  TDitchAnalysis& project = Ditch(base);
  std::unique_ptr<TNerraBaseList> sides;
  if (project.Parameters) sides = project.Parameters->CodesOfCategory(pcSewerSide);

  std::vector<std::vector<std::string>> table;
  table.emplace_back();
  table.back() = ResultHeadingsOf(TProjectKind::DitchAnalysis, std::size(Columns));
  for (int i = 0; i < project.ResultList.Count(); ++i) {
    const TDitchAnalysisElementResult* row = project.Result(i);
    if (!row || !row->Element) continue;
    const TCellContext context{*row, *row->Element, sides.get(), row->IsInflowRow(), row->IsMessageRow()};
    table.emplace_back();
    for (const TColumn& column : Columns) table.back().push_back(column.Cell(context));
  }

  std::vector<size_t> widths(std::size(Columns), 0);
  for (const auto& line : table)
    for (size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], line[c].size());
  out << "Ditch Analysis Result\n";
  for (const auto& line : table) {
    std::string text;
    for (size_t c = 0; c < line.size(); ++c) {
      if (c > 0) text += "  ";
      text += line[c];
      text.append(widths[c] - line[c].size(), ' ');
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << '\n';
  }
}

}  // namespace

TCliKind DitchAnalysisCliKind() {
  TCliKind kind;
  kind.Kinds = {TProjectKind::DitchAnalysis};
  kind.PrintText = PrintText;
  return kind;
}
