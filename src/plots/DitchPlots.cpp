// Ditch plots: flow depth and shear along the stations, and the
// cross-section of one result row.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "culvert/CulvertElement.h"
#include "ditch/DitchAnalysis.h"
#include "plots/PlotBuild.h"

namespace plots {

using namespace build;

namespace {

const char* const StationTitle = "Station (ft)";

// A section's rows: the lining it ended with (the last row of the shear
// pass) and the depth storm's row.
struct TSectionRows {
  const TDitchAnalysisElement* Element = nullptr;
  const TDitchAnalysisElementResult* Shear = nullptr;
  const TDitchAnalysisElementResult* Depth = nullptr;
};

// The ditch sections of the result list in flow order; inflow markers and
// message rows are no sections.
std::vector<TSectionRows> Sections(const TDitchAnalysis& project) {
  std::vector<TSectionRows> sections;
  const TDitchAnalysisElement* current = nullptr;
  std::vector<const TDitchAnalysisElementResult*> rows;
  auto close = [&]() {
    // The depth row is the last row of a section; the row before it the
    // last lining of the shear pass.
    if (current && rows.size() >= 2) sections.push_back({current, rows[rows.size() - 2], rows.back()});
    rows.clear();
  };
  for (int i = 0; i < project.ResultList.Count(); ++i) {
    const TDitchAnalysisElementResult* row = project.Result(i);
    if (!row->Element) continue;
    if (row->Element != current) {
      close();
      current = row->Element;
    }
    if (row->IsMessageRow() || row->IsInflowRow()) continue;
    rows.push_back(row);
  }
  close();
  return sections;
}

// The stations a section spans: its own where given, else from where the
// previous section ended and over its length.
void SectionStations(const TDitchAnalysisElement& element, double& station, double& from, double& to) {
  from = element.BeginStation >= 0 ? element.BeginStation : station;
  to = element.EndStation >= 0 ? element.EndStation : from + element.DitchLength();
  station = to;
}

double AllowableShear(const TDitchAnalysis& project, TLiningType lining) {
  if (lining < ltSeed || lining > ltRCPTypeB) return std::nan("");
  return project.GeneralParameters.AllowableShear(lining);
}

}  // namespace

std::vector<TPlot> DitchPlots(const TDitchAnalysis& project) {
  TPlot depthPlot;
  depthPlot.Title = "Flow Depth";
  depthPlot.XAxisTitle = StationTitle;
  depthPlot.XStations = true;
  depthPlot.YAxisTitle = "Flow Depth (ft)";
  TPlot shearPlot;
  shearPlot.Title = "Shear";
  shearPlot.XAxisTitle = StationTitle;
  shearPlot.XStations = true;
  shearPlot.YAxisTitle = "Shear (lb/sq ft)";
  TPlotSeries depth{"Flow Depth", TSeriesStyle::Line, {}, false};
  TPlotSeries tooDeep{"Depth Exceeds Allowed", TSeriesStyle::Points, {}, true};
  TPlotSeries shear{"Shear", TSeriesStyle::Line, {}, false};
  TPlotSeries allowable{"Allowable Shear", TSeriesStyle::Steps, {}, false};
  TPlotSeries tooHigh{"Shear Above Allowable", TSeriesStyle::Points, {}, true};
  int leftOut = 0;
  double station = 0;
  double lastEnd = 0;
  for (const TSectionRows& section : Sections(project)) {
    double from = 0;
    double to = 0;
    SectionStations(*section.Element, station, from, to);
    const double d = section.Depth->Depth;
    const double s = section.Shear->Shear();
    const double limit = AllowableShear(project, section.Shear->Lining);
    if (!Finite(from) || !Finite(to) || !Finite(d) || !Finite(s)) {
      ++leftOut;
      continue;
    }
    const double middle = (from + to) / 2;
    depth.Points.push_back({from, d, {}});
    depth.Points.push_back({to, d, {}});
    if (!section.Depth->IsDepthValid()) tooDeep.Points.push_back({middle, d, {}});
    shear.Points.push_back({from, s, section.Shear->LiningName()});
    shear.Points.push_back({to, s, {}});
    if (Finite(limit)) {
      allowable.Points.push_back({from, limit, {}});
      lastEnd = to;
      if (s > limit + 1e-12) tooHigh.Points.push_back({middle, s, {}});
    }
  }
  // The last step ends where its section ends.
  if (!allowable.Points.empty()) allowable.Points.push_back({lastEnd, allowable.Points.back().Y, {}});
  depthPlot.Series = {depth, tooDeep};
  shearPlot.Series = {shear, allowable, tooHigh};
  std::vector<TPlot> plots;
  for (TPlot* plot : {&depthPlot, &shearPlot}) {
    DropEmptySeries(*plot);
    if (plot->Empty()) continue;
    if (leftOut > 0) AddNote(*plot, Count(leftOut, "section", "sections") + " without a finite result left out.");
    plots.push_back(*plot);
  }
  return plots;
}

TPlot DitchCrossSection(const TDitchAnalysis& project, int resultIndex) {
  TPlot plot;
  plot.XAxisTitle = "Offset (ft)";
  plot.YAxisTitle = "Height above the Bottom (ft)";
  if (resultIndex < 0 || resultIndex >= project.ResultList.Count()) return plot;
  const TDitchAnalysisElementResult& row = *project.Result(resultIndex);
  if (!row.Element || row.IsMessageRow() || row.IsInflowRow()) return plot;
  const TDitchAnalysisElement& element = *row.Element;
  plot.Title = "Cross-Section";
  if (element.BeginStation >= 0) plot.Title += ", Station " + element.BeginStationText();
  if (!row.LiningName().empty()) plot.Title += ", " + row.LiningName();

  const double depth = row.Depth;
  const bool wet = Finite(depth) && depth > 0;
  // Drawn a little higher than the water.
  double height = wet ? std::max(depth * 1.25, depth + 0.5) : 1.0;
  TPlotSeries ditch{"Ditch", TSeriesStyle::Line, {}, false};
  TPlotSeries water{"Water Surface", TSeriesStyle::Line, {}, false};
  double left = 0;
  double right = 0;
  if (element.HasRadius()) {
    // A circular arc with its lowest point at the origin.
    const double r = element.Radius;
    height = std::min(height, 2 * r);
    const double reach = std::acos(std::clamp(1 - height / r, -1.0, 1.0));
    const int steps = 48;
    for (int i = 0; i <= steps; ++i) {
      const double angle = -reach + 2 * reach * i / steps;
      ditch.Points.push_back({r * std::sin(angle), r * (1 - std::cos(angle)), {}});
    }
    if (wet && depth <= 2 * r) {
      right = std::sqrt(std::max(0.0, r * r - (r - depth) * (r - depth)));
      left = -right;
    }
  } else {
    // A trapezoid (a V without a bottom width): the road side (inslope) on
    // the left, the back slope on the right, centred on the bottom.
    const double half = std::max(element.Width, 0.0) / 2;
    const double inslope = std::max(element.Inslope, 0.0);
    const double backslope = std::max(element.Backslope, 0.0);
    ditch.Points.push_back({-half - inslope * height, height, {}});
    ditch.Points.push_back({-half, 0, {}});
    ditch.Points.push_back({half, 0, {}});
    ditch.Points.push_back({half + backslope * height, height, {}});
    left = -half - inslope * depth;
    right = half + backslope * depth;
  }
  for (const TPlotPoint& point : ditch.Points) {
    if (!Finite(point.X) || !Finite(point.Y)) {
      AddNote(plot, "The section's shape has no finite size.");
      return plot;
    }
  }
  if (wet && right > left && Finite(left) && Finite(right)) {
    water.Points.push_back({left, depth, "Depth " + FixedText(depth, 2) + " ft"});
    water.Points.push_back({right, depth, {}});
  } else if (wet) {
    AddNote(plot, "The flow depth lies above the section.");
  }
  plot.Series = {ditch, water};
  DropEmptySeries(plot);
  // Equal scales where the drawing is at most eight times as wide as it is
  // high; a wide, shallow ditch is drawn with its height exaggerated.
  const double width = plot.XMax() - plot.XMin();
  const double drawnHeight = plot.YMax() - plot.YMin();
  plot.EqualScale = drawnHeight > 0 && width <= 8 * drawnHeight;
  if (!plot.EqualScale && drawnHeight > 0) AddNote(plot, "Height exaggerated.");
  return plot;
}

}  // namespace plots
