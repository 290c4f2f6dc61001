#pragma once
// Helpers the plot builders share; not part of the plots' interface.

#include <cmath>
#include <string>

#include "plots/Plot.h"

namespace plots::build {

inline bool Finite(double value) { return std::isfinite(value); }

inline std::string Number(int value) { return std::to_string(value); }

// A reference line at y; FinishReferences spans it over the plot.
inline TPlotSeries Reference(const std::string& name, double y) {
  TPlotSeries series;
  series.Name = name;
  series.Style = TSeriesStyle::Reference;
  series.Points.push_back({0, y, {}});
  return series;
}

// Spans every reference line over the x range of the other series (and the
// bands), or of the categories; drops reference lines whose y is not finite and, when the plot has
// nothing else, every reference line.
void FinishReferences(TPlot& plot);

// Appends a sentence to the plot's note.
void AddNote(TPlot& plot, const std::string& sentence);

// "1 row" / "3 rows".
std::string Count(int count, const std::string& singular, const std::string& plural);

// Drops series without points, keeping the order of the others.
void DropEmptySeries(TPlot& plot);

}  // namespace plots::build
