// Culvert analysis and culvert design plots.

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "plots/PlotBuild.h"

namespace plots {

using namespace build;

namespace {

const char* const HeadwaterTitle = "Headwater Elevation (ft)";

// The headwater that governs a row: outlet control where it is valid and
// higher, else inlet control.
double ControllingHeadwater(const TCulvertElementResult& row) {
  if (row.OutletHeadwaterValid && row.OutletHeadwater > row.InletHeadwater) return row.OutletHeadwater;
  return row.InletHeadwater;
}

// The total discharge of the crossing; rows hold the discharge per barrel.
double CrossingDischarge(const TCulvertElementResult& row) {
  return row.Flow * std::max(row.CulvertQuantity, static_cast<int32_t>(1));
}

std::string CulvertName(const TCulvertBaseElement& culvert) { return "Culvert " + Number(culvert.ElementId); }

// A headwater curve of one culvert against x (discharge or buried depth).
template <typename XOf>
TPlot HeadwaterCurve(const TCulvertBaseElement& culvert, const std::string& title, const std::string& xTitle, XOf xOf) {
  TPlot plot;
  plot.Title = title;
  plot.ElementId = culvert.ElementId;
  plot.XAxisTitle = xTitle;
  plot.YAxisTitle = HeadwaterTitle;
  TPlotSeries inlet{"Inlet Control", TSeriesStyle::Line, {}, false};
  TPlotSeries outlet{"Outlet Control", TSeriesStyle::Line, {}, false};
  TPlotSeries controlling{"Controlling Headwater", TSeriesStyle::Line, {}, false};
  TPlotSeries tailwater{"Tailwater", TSeriesStyle::Line, {}, false};
  int notFinite = 0;
  int noOutlet = 0;
  std::string previousControl;
  for (int i = 0; i < culvert.Results.Count(); ++i) {
    const TCulvertElementResult& row = *culvert.Results.Row(i);
    const double x = xOf(row);
    const double hw = ControllingHeadwater(row);
    if (!Finite(x) || !Finite(row.InletHeadwater) || !Finite(hw)) {
      ++notFinite;
      continue;
    }
    inlet.Points.push_back({x, row.InletHeadwater, {}});
    // The control is named where it changes.
    const bool changed = previousControl != row.HeadwaterControl;
    previousControl = row.HeadwaterControl;
    controlling.Points.push_back({x, hw, changed ? row.HeadwaterControl : std::string()});
    if (row.OutletHeadwaterValid && Finite(row.OutletHeadwater)) {
      outlet.Points.push_back({x, row.OutletHeadwater, {}});
    } else {
      ++noOutlet;
    }
    if (Finite(row.Tailwater)) tailwater.Points.push_back({x, row.Tailwater, {}});
  }
  // A tailwater that does not vary with x is a reference line.
  const bool constantTailwater =
      !tailwater.Points.empty() &&
      std::all_of(tailwater.Points.begin(), tailwater.Points.end(), [&](const TPlotPoint& p) {
        return std::fabs(p.Y - tailwater.Points.front().Y) <= 1e-9 * std::max(1.0, std::fabs(p.Y));
      });
  plot.Series = {inlet, outlet, controlling};
  if (constantTailwater) {
    plot.Series.push_back(Reference("Tailwater", tailwater.Points.front().Y));
  } else {
    plot.Series.push_back(tailwater);
  }
  plot.Series.push_back(Reference("Inlet Invert", culvert.InletElevation));
  if (culvert.AllowableHeadwaterElevation > 0) {
    plot.Series.push_back(Reference("Allowable Headwater", culvert.AllowableHeadwaterElevation));
  }
  if (culvert.OverflowElevation > 0) plot.Series.push_back(Reference("Overflow Elevation", culvert.OverflowElevation));
  if (notFinite > 0) AddNote(plot, Count(notFinite, "row", "rows") + " without a finite headwater left out.");
  // The calculation itself drops rows that gave no finite result.
  if (culvert.ResultNotFinite) AddNote(plot, "Rows the calculation could not compute are missing.");
  if (noOutlet > 0 && !inlet.Points.empty()) {
    AddNote(plot, Count(noOutlet, "row", "rows") + " without a valid outlet control headwater left out of " +
                      "the outlet control curve.");
  }
  if (inlet.Points.empty()) plot.Series.clear();
  FinishReferences(plot);
  return plot;
}

// The culverts of a system from the outlet upstream: the outlet first, then
// the culverts draining into each culvert already placed, in list order.
// Culverts not reached (a link to a missing culvert, a loop) come last.
std::vector<const TCulvertBaseElement*> SystemOrder(const TCulvertElementList& culverts) {
  std::vector<const TCulvertBaseElement*> order;
  std::set<const TCulvertBaseElement*> placed;
  auto place = [&](const TCulvertBaseElement* culvert) {
    if (placed.insert(culvert).second) order.push_back(culvert);
  };
  for (int i = 0; i < culverts.Count(); ++i) {
    if (culverts.Culvert(i)->UseHW < 1) place(culverts.Culvert(i));
  }
  for (size_t next = 0; next < order.size(); ++next) {
    for (int i = 0; i < culverts.Count(); ++i) {
      const TCulvertBaseElement* culvert = culverts.Culvert(i);
      if (culvert->UseHW >= 1 && culvert->UseHW == order[next]->ElementId) place(culvert);
    }
  }
  for (int i = 0; i < culverts.Count(); ++i) place(culverts.Culvert(i));
  return order;
}

TPlot SystemPlot(const TCulvertAnalysis& project) {
  TPlot plot;
  plot.Title = "Culvert System";
  plot.XAxisTitle = "Culvert (outlet to upstream)";
  plot.YAxisTitle = "Elevation (ft)";
  TPlotSeries controlling{"Controlling Headwater", TSeriesStyle::Line, {}, false};
  TPlotSeries inlet{"Inlet Control", TSeriesStyle::Points, {}, false};
  TPlotSeries outlet{"Outlet Control", TSeriesStyle::Points, {}, false};
  TPlotSeries tailwater{"Tailwater", TSeriesStyle::Line, {}, false};
  TPlotSeries invert{"Inlet Invert", TSeriesStyle::Line, {}, false};
  int without = 0;
  int noOutlet = 0;
  for (const TCulvertBaseElement* culvert : SystemOrder(project.Elements)) {
    const TCulvertElementResult* row = culvert->Results.Count() > 0 ? culvert->Results.Row(0) : nullptr;
    if (!row || !Finite(row->InletHeadwater) || !Finite(ControllingHeadwater(*row))) {
      ++without;
      continue;
    }
    const double x = static_cast<double>(plot.XCategories.size());
    plot.XCategories.push_back(CulvertName(*culvert));
    controlling.Points.push_back({x, ControllingHeadwater(*row), row->HeadwaterControl});
    inlet.Points.push_back({x, row->InletHeadwater, {}});
    if (row->OutletHeadwaterValid && Finite(row->OutletHeadwater)) {
      outlet.Points.push_back({x, row->OutletHeadwater, {}});
    } else {
      ++noOutlet;
    }
    if (Finite(row->Tailwater)) tailwater.Points.push_back({x, row->Tailwater, {}});
    if (Finite(culvert->InletElevation)) invert.Points.push_back({x, culvert->InletElevation, {}});
  }
  plot.Series = {controlling, inlet, outlet, tailwater, invert};
  DropEmptySeries(plot);
  if (without > 0) AddNote(plot, Count(without, "culvert", "culverts") + " without a result left out.");
  if (noOutlet > 0 && !plot.XCategories.empty()) {
    AddNote(plot, Count(noOutlet, "culvert", "culverts") + " without a valid outlet control headwater.");
  }
  return plot;
}

const char* CulvertTypeName(const std::string& type) {
  if (type == "1") return "Circular Concrete";
  if (type == "2") return "Circular Corrugated";
  if (type == "3") return "Elliptical Concrete";
  if (type == "4") return "Pipe Arch";
  if (type == "5") return "Box";
  if (type == "7") return "Long Span";
  return "Culvert";
}

// The row of a candidate's chosen size: its last "D" row; without one (no
// size passed) its last "MAXS" or "MAXD" row.
const TCulvertElementResult* ChosenRow(const TCulvertBaseElement& candidate) {
  const TCulvertElementResult* largest = nullptr;
  for (int i = candidate.Results.Count() - 1; i >= 0; --i) {
    const TCulvertElementResult* row = candidate.Results.Row(i);
    if (row->DesignCode == "D") return row;
    if (!largest && (row->DesignCode == "MAXS" || row->DesignCode == "MAXD")) largest = row;
  }
  return largest;
}

// The flood row of the same size and number of barrels as the chosen row.
const TCulvertElementResult* FloodRow(const TCulvertBaseElement& candidate, const TCulvertElementResult& chosen) {
  for (int i = candidate.Results.Count() - 1; i >= 0; --i) {
    const TCulvertElementResult* row = candidate.Results.Row(i);
    if (row->DesignCode == "F" && row->Pipe == chosen.Pipe && row->CulvertQuantity == chosen.CulvertQuantity) {
      return row;
    }
  }
  return nullptr;
}

std::string CandidateLabel(const TCulvertBaseElement& candidate, const TCulvertElementResult& row,
                           const TNerraParameterList* parameters) {
  const TCulvertBasePipe* pipe = row.Pipe ? row.Pipe : candidate.Pipe;
  const std::string type = pipe ? pipe->CulvertType : candidate.CulvertTypeCode();
  std::string label = CulvertTypeName(type);
  const std::string corrugation = pipe ? pipe->CorrugationType : candidate.CorrugationText();
  if (!corrugation.empty()) {
    const TNerraBaseCode* code =
        parameters ? parameters->FindCode(type == "4" ? pcArcCorrugationType : pcCircularCorrugationType, corrugation)
                   : nullptr;
    label += " (" + (code && !code->Description.empty() ? code->Description : corrugation) + ")";
  }
  if (pipe && !pipe->SizeLabel.empty()) label += " " + pipe->SizeLabel;
  if (row.CulvertQuantity > 1) label += " x " + Number(row.CulvertQuantity);
  if (row.DesignCode != "D") label += ", largest size, short of the allowable";
  return label;
}

TPlot CrossingPlot(const TCulvertDesign& project, const TCulvertDesignElement& crossing) {
  TPlot plot;
  plot.Title = "Crossing " + Number(crossing.ElementId);
  plot.ElementId = crossing.ElementId;
  plot.XAxisTitle = "Culvert Type and Size";
  plot.YAxisTitle = HeadwaterTitle;
  TPlotSeries design{"Headwater at Design Discharge", TSeriesStyle::Points, {}, false};
  TPlotSeries flood{"Headwater at Flood Discharge", TSeriesStyle::Points, {}, false};
  TPlotSeries allowable{"Allowable Headwater", TSeriesStyle::Points, {}, false};
  TPlotSeries over{"Above the Allowable Headwater", TSeriesStyle::Points, {}, true};
  int without = 0;
  for (int i = 0; i < crossing.Candidates.Count(); ++i) {
    const TCulvertBaseElement& candidate = *crossing.Candidates.Culvert(i);
    const TCulvertElementResult* row = ChosenRow(candidate);
    if (!row || !Finite(ControllingHeadwater(*row))) {
      if (candidate.Results.Count() > 0) ++without;
      continue;
    }
    const double x = static_cast<double>(plot.XCategories.size());
    plot.XCategories.push_back(CandidateLabel(candidate, *row, project.Parameters));
    const double hw = ControllingHeadwater(*row);
    design.Points.push_back({x, hw, row->HeadwaterControl});
    // The allowable headwater is measured from the inlet invert, for a
    // buried barrel too (its bed counts against the limit).
    const double rise = row->Pipe ? row->Pipe->Rise : 0;
    const double limit = crossing.InletElevation + candidate.AllowableHeadwaterDepth(rise);
    if (Finite(limit)) {
      allowable.Points.push_back({x, limit, {}});
      if (hw > limit + 1e-9) over.Points.push_back({x, hw, {}});
    }
    if (const TCulvertElementResult* floodRow = FloodRow(candidate, *row)) {
      if (Finite(ControllingHeadwater(*floodRow))) {
        flood.Points.push_back({x, ControllingHeadwater(*floodRow), floodRow->HeadwaterControl});
      }
    }
  }
  plot.Series = {design, flood, allowable, over};
  if (crossing.OverflowElevation > 0)
    plot.Series.push_back(Reference("Overflow Elevation", crossing.OverflowElevation));
  if (plot.XCategories.empty()) plot.Series.clear();
  FinishReferences(plot);
  if (without > 0) AddNote(plot, Count(without, "candidate", "candidates") + " without a finite headwater left out.");
  return plot;
}

}  // namespace

std::vector<TPlot> CulvertAnalysisPlots(const TCulvertAnalysis& project) {
  std::vector<TPlot> plots;
  if (project.AnalysisOption == aoCulvertSystem) {
    TPlot plot = SystemPlot(project);
    if (!plot.Empty()) plots.push_back(plot);
    return plots;
  }
  const bool buried = project.AnalysisOption == aoBuriedDepthCurve;
  for (int i = 0; i < project.Elements.Count(); ++i) {
    const TCulvertBaseElement& culvert = *project.Elements.Culvert(i);
    TPlot plot = buried ? HeadwaterCurve(culvert, "Buried Depth Curve, " + CulvertName(culvert), "Buried Depth (ft)",
                                         [](const TCulvertElementResult& row) { return row.BuriedDepth; })
                        : HeadwaterCurve(culvert, "Performance Curve, " + CulvertName(culvert), "Discharge (cfs)",
                                         [](const TCulvertElementResult& row) { return CrossingDischarge(row); });
    if (!plot.Empty()) plots.push_back(plot);
  }
  return plots;
}

std::vector<TPlot> CulvertDesignPlots(const TCulvertDesign& project) {
  std::vector<TPlot> plots;
  for (int i = 0; i < project.Elements.Count(); ++i) {
    const TCulvertDesignElement* crossing = project.Crossing(i);
    if (!crossing) continue;
    TPlot plot = CrossingPlot(project, *crossing);
    if (!plot.Empty()) plots.push_back(plot);
  }
  return plots;
}

}  // namespace plots
