#include "plots/PlotBuild.h"

#include <algorithm>
#include <limits>

namespace plots::build {

void FinishReferences(TPlot& plot) {
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  for (const TPlotSeries& series : plot.Series) {
    if (series.Style == TSeriesStyle::Reference) continue;
    for (const TPlotPoint& point : series.Points) {
      if (!Finite(point.X)) continue;
      low = std::min(low, point.X);
      high = std::max(high, point.X);
    }
  }
  for (const TPlotBand& band : plot.Bands) {
    low = std::min(low, band.From);
    high = std::max(high, band.To);
  }
  // Categories take the width of a whole category each.
  if (!plot.XCategories.empty()) {
    low = -0.5;
    high = static_cast<double>(plot.XCategories.size()) - 0.5;
  }
  const bool any = low <= high;
  for (TPlotSeries& series : plot.Series) {
    if (series.Style != TSeriesStyle::Reference) continue;
    const double y = series.Points.empty() ? std::nan("") : series.Points.front().Y;
    series.Points.clear();
    if (!any || !Finite(y)) continue;
    series.Points.push_back({low, y, {}});
    // Over a range of no width one point, which painters draw across.
    if (high > low) series.Points.push_back({high, y, {}});
  }
  DropEmptySeries(plot);
}

void AddNote(TPlot& plot, const std::string& sentence) {
  if (sentence.empty()) return;
  if (!plot.Note.empty()) plot.Note += " ";
  plot.Note += sentence;
}

std::string Count(int count, const std::string& singular, const std::string& plural) {
  return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

void DropEmptySeries(TPlot& plot) {
  plot.Series.erase(std::remove_if(plot.Series.begin(), plot.Series.end(),
                                   [](const TPlotSeries& series) { return series.Points.empty(); }),
                    plot.Series.end());
}

}  // namespace plots::build
