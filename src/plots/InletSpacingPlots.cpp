// Inlet spacing plot: the gutter spread arriving at each inlet along the
// stations (0 at the begin point of a gutter run, where the line starts
// afresh), with the allowable spread.

#include <string>
#include <vector>

#include "inletspacing/InletSpacing.h"
#include "plots/PlotBuild.h"

namespace plots {

using namespace build;

std::vector<TPlot> InletSpacingPlots(const TInletSpacing& project) {
  TPlot plot;
  plot.Title = "Gutter Spread";
  plot.XAxisTitle = "Station (ft)";
  plot.XStations = true;
  plot.YAxisTitle = "Spread (ft)";
  TPlotSeries spread{"Gutter Spread", TSeriesStyle::Line, {}, false};
  TPlotSeries inlets{"Inlets", TSeriesStyle::Points, {}, false};
  TPlotSeries sag{"Ponded Spread at Sag", TSeriesStyle::Points, {}, false};
  TPlotSeries over{"Spread Above Allowable", TSeriesStyle::Points, {}, true};
  TPlotSeries begins{"Begin Points", TSeriesStyle::Points, {}, false};
  const double allowed = project.GeneralParameters.MaxSpread;
  int leftOut = 0;
  bool calculated = false;
  for (int i = 0; i < project.Elements.Count(); ++i) {
    const TInletSpacingElement& element = *project.Elements.Items(i);
    const double station = element.StationFeet;
    if (element.IsBeginPoint()) {
      // A gutter run starts dry.
      if (element.StationFeet >= 0) {
        begins.Points.push_back({station, 0, "Begin"});
        spread.Points.push_back({station, 0, {}, !spread.Points.empty()});
      }
      continue;
    }
    calculated = calculated || element.TotalFlow > 0;
    if (element.StationFeet < 0 || !element.CalcMessage.empty() || !Finite(element.PavementSpread)) {
      ++leftOut;
      continue;
    }
    const std::string label = Number(element.ElementId);
    spread.Points.push_back({station, element.PavementSpread, {}});
    inlets.Points.push_back({station, element.PavementSpread, label});
    if (allowed > 0 && element.PavementSpread > allowed) over.Points.push_back({station, element.PavementSpread, {}});
    if (element.Sump == SumpSagEnd && Finite(element.SagSpread) && element.SagSpread > 0) {
      sag.Points.push_back({station, element.SagSpread, label});
    }
  }
  if (!calculated || inlets.Points.empty()) return {};
  plot.Series = {spread, inlets, sag, over, begins};
  if (allowed > 0) plot.Series.push_back(Reference("Allowable Spread", allowed));
  FinishReferences(plot);
  if (leftOut > 0) {
    AddNote(plot, Count(leftOut, "inlet", "inlets") + " without a station or a computed spread left out.");
  }
  return {plot};
}

}  // namespace plots
