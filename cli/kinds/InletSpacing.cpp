// Inlet Spacing on the command line.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "CliKinds.h"
#include "foundation/DisplayFormat.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"

namespace {

TInletSpacing& Inlets(TNerraBaseProject& project) { return dynamic_cast<TInletSpacing&>(project); }

std::string Fixed(double value, int decimals) { return FormatFixed(value, decimals); }

struct TColumn {
  std::string (*Cell)(const TInletSpacingElement&, const TNerraBaseList*);
};

// The columns of the result dialog, in its order.
const TColumn Columns[] = {
    {[](const TInletSpacingElement& p, const TNerraBaseList* sumps) {
      return sumps ? sumps->DescriptionOfCode(p.Sump) : std::string();
    }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return p.StationText(); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.UsedGutterLength(), 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.RunoffCoeff, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.ConcTimeUsed, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.GutterTime, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.UsedTime, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.LongSlope, 4); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.GutterSlope, 4); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.PavementSlope, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.GutterWidth, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.Depression, 4); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.Rainfall, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.RunoffArea, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.InterceptedFlow, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.BypassFlow, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.TotalFlow, 2); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.DepthFlow, 3); }},
    {[](const TInletSpacingElement& p, const TNerraBaseList*) { return Fixed(p.PavementSpread, 2); }},
};

void PrintText(TNerraBaseProject& base, std::ostream& out) {
  TInletSpacing& project = Inlets(base);
  std::unique_ptr<TNerraBaseList> sumps;
  if (project.Parameters) sumps = project.Parameters->CodesOfCategory(pcSumpType);

  std::vector<std::vector<std::string>> table;
  table.emplace_back();
  table.back() = ResultHeadingsOf(TProjectKind::InletSpacing, std::size(Columns));
  for (int i = 0; i < project.Elements.Count(); ++i) {
    const TInletSpacingElement* p = project.Elements.Items(i);
    if (!p) continue;
    table.emplace_back();
    for (const TColumn& column : Columns) table.back().push_back(column.Cell(*p, sumps.get()));
  }
  std::vector<size_t> widths(std::size(Columns), 0);
  for (const auto& line : table)
    for (size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], line[c].size());
  out << "Inlet Spacing Result\n";
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
  const TInletSpacingElementList& list = project.Elements;
  if (list.HasSumpData) {
    out << "SUMP DATA\n";
    out << "Total Flow  " << Fixed(list.SumpTotalFlow, 2) << '\n';
    out << "Ponded Depth  " << Fixed(list.SumpPondedDepth, 3) << '\n';
    out << "Spread on Pavement  " << Fixed(list.SumpSpread, 2) << '\n';
  }
}

}  // namespace

TCliKind InletSpacingCliKind() {
  TCliKind kind;
  kind.Kinds = {TProjectKind::InletSpacing};
  kind.PrintText = PrintText;
  return kind;
}
