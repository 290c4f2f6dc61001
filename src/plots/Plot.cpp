#include "plots/Plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "ditch/DitchAnalysis.h"
#include "inletspacing/InletSpacing.h"
#include "stormsewer/StormSewer.h"

namespace plots {

namespace {

// The step of 1, 2, 2.5 or 5 times a power of ten nearest above rawStep.
double RoundStep(double rawStep) {
  const double power = std::pow(10.0, std::floor(std::log10(rawStep)));
  for (double factor : {1.0, 2.0, 2.5, 5.0}) {
    if (factor * power >= rawStep * (1 - 1e-12)) return factor * power;
  }
  return 10 * power;
}

int DecimalsOf(double step) {
  for (int decimals = 0; decimals < 12; ++decimals) {
    const double scaled = step * std::pow(10.0, decimals);
    if (std::fabs(scaled - std::round(scaled)) < 1e-9 * std::max(1.0, scaled)) return decimals;
  }
  return 12;
}

template <typename Pick>
double Extent(const TPlot& plot, Pick pick, bool wantMin) {
  double result = wantMin ? std::numeric_limits<double>::infinity() : -std::numeric_limits<double>::infinity();
  auto take = [&](double value) {
    if (!std::isfinite(value)) return;
    result = wantMin ? std::min(result, value) : std::max(result, value);
  };
  for (const TPlotSeries& series : plot.Series) {
    for (const TPlotPoint& point : series.Points) take(pick(point));
  }
  return result;
}

}  // namespace

TAxisTicks NiceTicks(double low, double high, int maxCount) {
  if (!std::isfinite(low) || !std::isfinite(high)) {
    low = 0;
    high = 1;
  }
  if (low > high) std::swap(low, high);
  // Beyond this the range, its step and the rounded ends would overflow to
  // infinity (and the ticks to NaN); such values lie past the axis end.
  constexpr double largest = 1e307;
  low = std::clamp(low, -largest, largest);
  high = std::clamp(high, -largest, largest);
  if (high - low < 1e-12 * std::max(1.0, std::fabs(high))) {
    const double half = std::max(std::fabs(low) * 0.05, 0.5);
    low -= half;
    high += half;
  }
  maxCount = std::max(maxCount, 1);
  TAxisTicks ticks;
  ticks.Step = RoundStep((high - low) / maxCount);
  ticks.Min = std::floor(low / ticks.Step + 1e-9) * ticks.Step;
  ticks.Max = std::ceil(high / ticks.Step - 1e-9) * ticks.Step;
  const int count = static_cast<int>(std::lround((ticks.Max - ticks.Min) / ticks.Step));
  for (int i = 0; i <= count; ++i) {
    double value = ticks.Min + i * ticks.Step;
    if (std::fabs(value) < ticks.Step * 1e-9) value = 0;  // no "-0"
    ticks.Values.push_back(value);
  }
  ticks.Decimals = DecimalsOf(ticks.Step);
  return ticks;
}

std::string StationText(double feet, int decimals) {
  if (!std::isfinite(feet)) return std::string();
  decimals = std::clamp(decimals, 0, 6);
  const double scale = std::pow(10.0, decimals);
  // Rounded once, in units of the last digit, so 9999.96 gives "100+00.0".
  const double units = std::round(std::fabs(feet) * scale);
  const double hundreds = std::floor(units / (100 * scale));
  const double rest = (units - hundreds * 100 * scale) / scale;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%s%.0f+%0*.*f", feet < 0 && units > 0 ? "-" : "", hundreds,
                decimals > 0 ? decimals + 3 : 2, decimals, rest);
  return buffer;
}

std::vector<std::vector<std::pair<double, double>>> LinePieces(const TPlotSeries& series, double xMin, double xMax) {
  std::vector<std::vector<std::pair<double, double>>> pieces(1);
  for (size_t i = 0; i < series.Points.size(); ++i) {
    const TPlotPoint& point = series.Points[i];
    if (!std::isfinite(point.X) || !std::isfinite(point.Y)) {
      if (!pieces.back().empty()) pieces.emplace_back();
      continue;
    }
    if (point.Break && !pieces.back().empty()) pieces.emplace_back();
    std::vector<std::pair<double, double>>& piece = pieces.back();
    if (series.Style == TSeriesStyle::Steps && !piece.empty()) {
      piece.emplace_back(point.X, piece.back().second);
      if (i + 1 == series.Points.size()) break;  // the last point only ends the last step
    }
    piece.emplace_back(point.X, point.Y);
  }
  if (pieces.back().empty()) pieces.pop_back();
  if (series.Style == TSeriesStyle::Reference && pieces.size() == 1 && pieces[0].size() == 1) {
    const double y = pieces[0][0].second;
    pieces[0] = {{xMin, y}, {xMax, y}};
  }
  return pieces;
}

bool TPlot::Empty() const {
  return std::none_of(Series.begin(), Series.end(), [](const TPlotSeries& s) { return !s.Points.empty(); });
}

double TPlot::XMin() const {
  double value = Extent(
      *this, [](const TPlotPoint& p) { return p.X; }, true);
  for (const TPlotBand& band : Bands) value = std::min(value, band.From);
  return value;
}

double TPlot::XMax() const {
  double value = Extent(
      *this, [](const TPlotPoint& p) { return p.X; }, false);
  for (const TPlotBand& band : Bands) value = std::max(value, band.To);
  return value;
}

double TPlot::YMin() const {
  return Extent(
      *this, [](const TPlotPoint& p) { return p.Y; }, true);
}
double TPlot::YMax() const {
  return Extent(
      *this, [](const TPlotPoint& p) { return p.Y; }, false);
}

int PlotOfElement(const std::vector<TPlot>& plots, int32_t elementId) {
  if (elementId == 0) return -1;
  for (size_t i = 0; i < plots.size(); ++i)
    if (plots[i].ElementId == elementId) return static_cast<int>(i);
  return -1;
}

std::vector<TPlot> ProjectPlots(const TNerraBaseProject& project) {
  if (auto* analysis = dynamic_cast<const TCulvertAnalysis*>(&project)) return CulvertAnalysisPlots(*analysis);
  if (auto* design = dynamic_cast<const TCulvertDesign*>(&project)) return CulvertDesignPlots(*design);
  if (auto* sewer = dynamic_cast<const TStormSewer*>(&project)) {
    const int32_t start = DefaultProfileStart(*sewer);
    if (start == 0) return {};
    TPlot profile = StormSewerProfile(*sewer, start);
    if (profile.Empty()) return {};
    return {profile};
  }
  if (auto* ditch = dynamic_cast<const TDitchAnalysis*>(&project)) return DitchPlots(*ditch);
  if (auto* inlets = dynamic_cast<const TInletSpacing*>(&project)) return InletSpacingPlots(*inlets);
  return {};
}

}  // namespace plots
