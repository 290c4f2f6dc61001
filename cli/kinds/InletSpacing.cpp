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

void PrintRow(const TInletSpacingElement& p, TJsonWriter& json) {
  const auto object = json.Object();
  json.Field("Sump", p.Sump);
  json.Field("CatchBasin", p.CatchBasin);
  json.Field("Station", p.StationText());
  json.Field("StationFeet", static_cast<long long>(p.StationFeet));
  json.Field("GutterLength", p.GutterLength);
  json.Field("UsedGutterLength", p.UsedGutterLength());
  json.Field("RunoffCoeff", p.RunoffCoeff);
  json.Field("RunoffArea", p.RunoffArea);
  json.Field("LongSlope", p.LongSlope);
  json.Field("GutterSlope", p.GutterSlope);
  json.Field("ManningGN", p.GutterN());
  json.Field("PavementSlope", p.PavementSlope);
  json.Field("GutterWidth", p.GutterWidth);
  json.Field("Depression", p.Depression);
  json.Field("GutterTime", p.GutterTime);
  json.Field("TotalFlow", p.TotalFlow);
  json.Field("InterceptedFlow", p.InterceptedFlow);
  json.Field("DepthFlow", p.DepthFlow);
  json.Field("PavementSpread", p.PavementSpread);
  json.Field("BypassFlow", p.BypassFlow);
  json.Field("UsedTime", p.UsedTime);
  json.Field("Rainfall", p.Rainfall);
  json.Field("PreviousStation", p.PreviousStation);
  json.Field("GrateEdgeDepth", p.GrateEdgeDepth);
  json.Field("FrontalFlow", p.FrontalFlow);
  json.Field("PondedDepth", p.PondedDepth);
  json.Field("SagDesignFlow", p.SagDesignFlow);
  json.Field("SagSpread", p.SagSpread);
  json.Field("ConcTimeUsed", p.ConcTimeUsed);
  json.Field("CalcMessage", p.CalcMessage);
}

void PrintJson(TNerraBaseProject& base, TJsonWriter& json) {
  TInletSpacing& project = Inlets(base);
  {
    const auto elements = json.Array("elements");
    for (int i = 0; i < project.Elements.Count(); ++i) {
      const TInletSpacingElement* p = project.Elements.Items(i);
      if (!p) continue;
      const auto element = json.Object();
      json.Field("id", static_cast<long long>(p->ElementId));
      const auto rows = json.Array("rows");
      PrintRow(*p, json);
    }
  }
  const TInletSpacingElementList& list = project.Elements;
  const auto listObject = json.Object("list");
  json.Field("HasSumpData", list.HasSumpData);
  json.Field("SumpTotalFlow", list.SumpTotalFlow);
  json.Field("SumpPondedDepth", list.SumpPondedDepth);
  json.Field("SumpSpread", list.SumpSpread);
}

}  // namespace

TCliKind InletSpacingCliKind() {
  TCliKind kind;
  kind.Kinds = {TProjectKind::InletSpacing};
  kind.PrintText = PrintText;
  kind.PrintJson = PrintJson;
  return kind;
}
