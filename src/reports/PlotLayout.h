#pragma once
// A plot laid out on a report page: frame, grid, round ticks with their
// values, axis titles, legend, the series as polylines and markers, shaded
// bands, point labels and the note, all as rendered primitives in points.
// The desktop's plot view takes the look of each series from here too, so
// a chart on screen and on paper tell the series apart the same way.

#include <cstdint>
#include <string>
#include <vector>

#include "plots/Plot.h"

struct TRenderedPage;

enum class TPlotDash { Solid, Dash, Dot, DashDot, LongDash };
enum class TPlotMarker { None, Circle, Square, Triangle, Diamond, Cross };

// How one series is drawn. Colours are dark enough to tell from white when
// printed in grey, and the dash and marker differ from one series to the
// next, so a black and white copy still tells them apart.
struct TSeriesLook {
  uint32_t Colour = 0;  // 0xRRGGBB
  double Width = 1.2;   // of the line, in points
  TPlotDash Dash = TPlotDash::Solid;
  TPlotMarker Marker = TPlotMarker::None;
  bool Joined = true;  // false: markers only
};

inline constexpr uint32_t PlotWarningColour = 0xC00000;
inline constexpr uint32_t PlotGridColour = 0xC8C8C8;
inline constexpr uint32_t PlotBandColour = 0xE4E4E4;

// The look of plot.Series[index]. Lines and point series take the next look
// of one sequence, reference lines of another, so adding a limit does not
// change the look of the curves.
TSeriesLook SeriesLook(const plots::TPlot& plot, size_t index);

// The axes a plot is drawn on: round ticks enclosing every value (a step
// beyond a reference line that would lie on the frame's edge), on a
// category plot a tick per category, and on an equal scale plot the
// shorter range widened so a foot across is a foot up in a box of
// width x height.
struct TPlotAxes {
  plots::TAxisTicks X;
  plots::TAxisTicks Y;
};
TPlotAxes PlotAxes(const plots::TPlot& plot, double width = 0, double height = 0);

// The text of a tick value on an axis (the category's name on a category
// axis; empty between categories).
std::string TickText(const plots::TPlot& plot, const plots::TAxisTicks& ticks, double value, bool xAxis);

// Lays the plot out in the box (points from the paper's corner) and adds it
// to the page. A plot with no points says so in its box.
void LayOutPlot(const plots::TPlot& plot, double x, double y, double width, double height, TRenderedPage& page);

// Whether a plot needs a page of its own (a drawing to scale, a profile
// with labelled points, many categories); others go two to a page.
bool PlotNeedsWholePage(const plots::TPlot& plot);
