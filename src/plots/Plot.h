#pragma once
// Plots of calculated projects: the series, reference lines and axes a chart
// shows, computed here without any toolkit. The desktop's result dialogs and
// the reports' plot pages paint the same TPlot values, each its own way.

#include <cstdint>
#include <string>
#include <vector>

class TNerraBaseProject;
class TCulvertAnalysis;
class TCulvertDesign;
class TStormSewer;
class TDitchAnalysis;
class TInletSpacing;

namespace plots {

struct TPlotPoint {
  double X = 0;
  double Y = 0;
  // Shown beside the point where it has one (a junction, an inlet, a culvert).
  std::string Label;
};

enum class TSeriesStyle {
  Line,       // joined points
  Points,     // markers only
  Reference,  // a dashed reference line across the plot (limits, inverts)
  Steps,      // a value held constant up to the next point (allowable shear per reach)
};

struct TPlotSeries {
  std::string Name;  // the legend's text
  TSeriesStyle Style = TSeriesStyle::Line;
  std::vector<TPlotPoint> Points;
  // Warn: painted in the warning colour (grade line above the cover, shear
  // above the allowable).
  bool Warning = false;
};

// A range of the x axis a reader's eye is drawn to, such as a run whose grade
// line rises above the cover.
struct TPlotBand {
  double From = 0;
  double To = 0;
  std::string Text;
};

struct TAxisTicks {
  double Min = 0;
  double Max = 0;
  double Step = 0;
  std::vector<double> Values;  // Min, Min + Step, ..., Max
  int Decimals = 0;            // digits after the point that show every value exactly
};

// Round ticks (1, 2, 2.5 or 5 times a power of ten) that enclose [low, high]
// with at most maxCount + 1 values. A range of zero width is widened around
// its value; non-finite input gives the ticks of [0, 1].
TAxisTicks NiceTicks(double low, double high, int maxCount = 8);

struct TPlot {
  std::string Title;
  std::string XAxisTitle;  // with its unit: "Discharge (cfs)"
  std::string YAxisTitle;
  std::vector<TPlotSeries> Series;
  std::vector<TPlotBand> Bands;
  // Category plots (a row per crossing, a point per culvert): the text under
  // each whole x value instead of a number.
  std::vector<std::string> XCategories;
  // Draw x and y at the same scale (cross-section drawings).
  bool EqualScale = false;
  // Rows left out because they hold no valid value, said under the plot.
  std::string Note;

  bool Empty() const;
  // The finite extent of every series and band.
  double XMin() const;
  double XMax() const;
  double YMin() const;
  double YMax() const;
};

// Every plot of a calculated project of any kind, in the order the report's
// plot pages print them; empty where the project has no results.
std::vector<TPlot> ProjectPlots(const TNerraBaseProject& project);

// Culvert analysis: for each culvert, the performance curve (headwater
// elevation against discharge) or the buried depth curve, by the analysis's
// option; for a culvert system, one plot of the system.
std::vector<TPlot> CulvertAnalysisPlots(const TCulvertAnalysis& project);
// Culvert design: the chosen size of each crossing against its limits.
std::vector<TPlot> CulvertDesignPlots(const TCulvertDesign& project);

// Storm sewer: the pipe runs from startRunId down to the final junction. The
// default start is the run farthest upstream by length along the path; 0
// where the project has no runs.
int32_t DefaultProfileStart(const TStormSewer& project);
TPlot StormSewerProfile(const TStormSewer& project, int32_t startRunId);

// Ditch: depth and shear along the stations; and the cross-section of one
// result row with the water surface at its depth.
std::vector<TPlot> DitchPlots(const TDitchAnalysis& project);
TPlot DitchCrossSection(const TDitchAnalysis& project, int resultIndex);

// Inlet spacing: gutter spread against station with the allowable spread and
// the inlets marked.
std::vector<TPlot> InletSpacingPlots(const TInletSpacing& project);

}  // namespace plots
