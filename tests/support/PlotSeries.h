#pragma once
// A plot series from its name, style and (x, y) values, for the tests of the
// plot painters.

#include <initializer_list>
#include <string>
#include <utility>

#include "plots/Plot.h"

inline plots::TPlotSeries Series(const std::string& name, plots::TSeriesStyle style,
                                 std::initializer_list<std::pair<double, double>> xy) {
  plots::TPlotSeries series;
  series.Name = name;
  series.Style = style;
  for (const auto& [x, y] : xy) {
    series.Points.emplace_back();
    series.Points.back().X = x;
    series.Points.back().Y = y;
  }
  return series;
}
