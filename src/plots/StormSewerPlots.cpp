// The storm sewer profile: ground, crown, invert and hydraulic grade line
// along the path from a pipe run down to the outlet.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "plots/PlotBuild.h"
#include "stormsewer/StormSewer.h"

namespace plots {

using namespace build;

namespace {

// Positions of the runs from start down to the outlet: each run is followed
// by the first run (in list order) that leaves its end junction. A loop ends
// the path where it would come back.
std::vector<int> DownstreamPath(const TStormSewerNetwork& network, int start) {
  std::vector<int> path;
  std::set<int> seen;
  for (int run = start; run >= 0 && seen.insert(run).second;) {
    path.push_back(run);
    const int junction = network.EndOf[run];
    const int first = network.LeavingStart[junction];
    run = first < network.LeavingStart[junction + 1] ? network.Leaving[first] : -1;
  }
  return path;
}

double PathLength(const TStormSewerElementList& list, const std::vector<int>& path) {
  double length = 0;
  for (int run : path) {
    const double l = list.Pipe(run)->Length;
    if (Finite(l) && l > 0) length += l;
  }
  return length;
}

int PositionOf(const TStormSewerElementList& list, int32_t id) {
  for (int i = 0; i < list.Count(); ++i) {
    if (list.Pipe(i)->ElementId == id) return i;
  }
  return -1;
}

// An elevation of 0 is one the user did not give.
bool Given(double elevation) { return Finite(elevation) && elevation != 0; }

}  // namespace

int32_t DefaultProfileStart(const TStormSewer& project) {
  const TStormSewerElementList& list = project.ElementList;
  if (list.Count() == 0) return 0;
  const TStormSewerNetwork network(list);
  int best = -1;
  double bestLength = 0;
  // Only runs that start a branch can be farthest upstream; without any (a
  // loop) every run is a candidate.
  bool anyOpen = false;
  for (int i = 0; i < list.Count(); ++i) anyOpen = anyOpen || network.IsOpen(i);
  for (int i = 0; i < list.Count(); ++i) {
    if (anyOpen && !network.IsOpen(i)) continue;
    const double length = PathLength(list, DownstreamPath(network, i));
    const double tolerance = 1e-9 * std::max(1.0, bestLength);
    if (best < 0 || length > bestLength + tolerance ||
        (length >= bestLength - tolerance && list.Pipe(i)->ElementId < list.Pipe(best)->ElementId)) {
      best = i;
      bestLength = length;
    }
  }
  return list.Pipe(best)->ElementId;
}

TPlot StormSewerProfile(const TStormSewer& project, int32_t startRunId) {
  TPlot plot;
  plot.Title = "Storm Sewer Profile";
  plot.XAxisTitle = "Distance (ft)";
  plot.YAxisTitle = "Elevation (ft)";
  const TStormSewerElementList& list = project.ElementList;
  const int start = PositionOf(list, startRunId);
  if (start < 0) return plot;
  const TStormSewerNetwork network(list);
  const std::vector<int> path = DownstreamPath(network, start);

  TPlotSeries ground{"Ground / Rim", TSeriesStyle::Line, {}, false};
  TPlotSeries crown{"Crown", TSeriesStyle::Line, {}, false};
  TPlotSeries invert{"Invert", TSeriesStyle::Line, {}, false};
  TPlotSeries grade{"Hydraulic Grade Line", TSeriesStyle::Line, {}, false};
  TPlotSeries above{"Grade Above Ground", TSeriesStyle::Points, {}, true};
  int leftOut = 0;
  int noGround = 0;
  bool calculated = false;
  double distance = 0;
  for (int position : path) {
    const TStormSewerElement& run = *list.Pipe(position);
    const double length = run.Length;
    const double inletInvert = run.InletFlow;
    const double outletInvert = run.OutletFlowLine();
    const double inletCrown = run.InletCrownElevation();
    const double outletCrown = run.OutletCrownElevation();
    if (!Finite(length) || length <= 0 || !Finite(inletInvert) || !Finite(outletInvert) || !Finite(inletCrown) ||
        !Finite(outletCrown) || !Finite(run.HGInletFlow) || !Finite(run.HGOutletFlow)) {
      ++leftOut;
      continue;
    }
    calculated = calculated || run.Diameter > 0;
    const double from = distance;
    const double to = distance + length;
    distance = to;
    invert.Points.push_back({from, inletInvert, run.BeginJunction});
    invert.Points.push_back({to, outletInvert, {}});
    crown.Points.push_back({from, inletCrown, {}});
    crown.Points.push_back({to, outletCrown, {}});
    grade.Points.push_back({from, run.HGInletFlow, {}});
    grade.Points.push_back({to, run.HGOutletFlow, {}});
    bool over = false;
    if (Given(run.InletCover)) {
      ground.Points.push_back({from, run.InletCover, {}});
      if (run.HGInletFlow > run.InletCover) {
        above.Points.push_back({from, run.HGInletFlow, {}});
        over = true;
      }
    } else {
      ++noGround;
    }
    if (Given(run.OutletCover)) {
      ground.Points.push_back({to, run.OutletCover, {}});
      if (run.HGOutletFlow > run.OutletCover) {
        above.Points.push_back({to, run.HGOutletFlow, {}});
        over = true;
      }
    }
    if (over) {
      plot.Bands.push_back(
          {from, to, "Grade line above the ground from " + run.BeginJunction + " to " + run.EndJunction});
    }
  }
  // Before a calculation there is no profile.
  if (!calculated) {
    plot.Bands.clear();
    return plot;
  }
  // The final junction is named at the end of the last run.
  if (!invert.Points.empty()) invert.Points.back().Label = list.Pipe(path.back())->EndJunction;
  plot.Title += ", " + list.Pipe(path.front())->BeginJunction + " to " + list.Pipe(path.back())->EndJunction;
  plot.Series = {ground, crown, invert, grade, above};
  DropEmptySeries(plot);
  if (leftOut > 0) {
    AddNote(plot, Count(leftOut, "run", "runs") + " without a length or a finite elevation left out.");
  }
  if (noGround > 0) AddNote(plot, Count(noGround, "run", "runs") + " without a ground elevation at the inlet.");
  return plot;
}

}  // namespace plots
