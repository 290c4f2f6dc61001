#pragma once
// Plots of calculated projects: the series, reference lines and axes a chart
// shows, computed here without any toolkit. The desktop's result dialogs and
// the reports' plot pages paint the same TPlot values, each its own way.

#include <cstdint>
#include <string>
#include <utility>
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
  // The line starts afresh here, not joined to the point before (the next
  // gutter run of an inlet spacing).
  bool Break = false;
};

enum class TSeriesStyle {
  Line,    // joined points
  Points,  // markers only
  // A dashed reference line (limits, inverts): two points at one y, at the
  // ends of the x range the other series cover (on a category plot from
  // -0.5 to the last category + 0.5); one point where that range has no
  // width, to be drawn across the plot.
  Reference,
  // A value held from each point's x up to the next point's x (allowable
  // shear per reach); the last point closes the last step.
  Steps,
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
// its value; non-finite input gives the ticks of [0, 1]; values beyond
// +-1e307 are taken as +-1e307.
TAxisTicks NiceTicks(double low, double high, int maxCount = 8);

// A station in feet as hundreds "+" feet, with the given digits after the
// point: 10550 gives "105+50", 12.5 with one digit "0+12.5", -150 "-1+50".
std::string StationText(double feet, int decimals = 0);

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
  // The x values are stations in feet, labelled as engineers write them
  // ("105+50").
  bool XStations = false;
  // Rows left out because they hold no valid value, said under the plot.
  std::string Note;
  // The element a plot of one element shows (a culvert's curve, a
  // crossing); 0 for a plot of the whole project.
  int32_t ElementId = 0;

  bool Empty() const;
  // The finite extent of every series and band.
  double XMin() const;
  double XMax() const;
  double YMin() const;
  double YMax() const;
};

// The pieces of line a joined series draws, in plot values: a point that is
// not finite, or one marked Break, starts a new piece; a Steps series holds
// each value up to the next point's x (its last point only ends the last
// step); a Reference of a single point runs from xMin to xMax.
std::vector<std::vector<std::pair<double, double>>> LinePieces(const TPlotSeries& series, double xMin, double xMax);

// Every plot of a calculated project of any kind, in the order the report's
// plot pages print them; empty where the project has no results.
std::vector<TPlot> ProjectPlots(const TNerraBaseProject& project);

// The place of the element's own plot among the plots; -1 where it has none
// (an element without results leaves no plot, so places and list positions
// differ).
int PlotOfElement(const std::vector<TPlot>& plots, int32_t elementId);

// Culvert analysis: for each culvert with rows, the performance curve
// (headwater elevation against the total discharge of the crossing) or the
// buried depth curve, by the analysis's option; for a culvert system, one
// plot of the system with a category per culvert from the outlet upstream.
// The controlling headwater of a row is the outlet control headwater where
// that is valid and higher, else the inlet control headwater.
std::vector<TPlot> CulvertAnalysisPlots(const TCulvertAnalysis& project);
// Culvert design: one plot per designed crossing, with a category per
// candidate (culvert type and corrugation) at its chosen size: the headwater
// at the design and the flood discharge, the allowable headwater the size
// was chosen against, and the overflow elevation.
std::vector<TPlot> CulvertDesignPlots(const TCulvertDesign& project);

// Storm sewer: the pipe runs from startRunId down to the final junction. The
// default start is the run farthest upstream by length along the path to the
// outlet (of equal lengths, the lowest ElementId); 0 where the project has no
// runs. A start id that names no run gives an empty plot.
int32_t DefaultProfileStart(const TStormSewer& project);
TPlot StormSewerProfile(const TStormSewer& project, int32_t startRunId);

// Ditch: two plots along the stations, the flow depth of the depth storm and
// the shear of the chosen lining with that lining's allowable shear; and the
// cross-section of one result row (an index into ResultList) with the water
// surface at its depth, empty for message and inflow rows. The section is
// drawn at equal scales where it is at most eight times as wide as high;
// a wider one with its height exaggerated (the Note says so).
std::vector<TPlot> DitchPlots(const TDitchAnalysis& project);
TPlot DitchCrossSection(const TDitchAnalysis& project, int resultIndex);

// Inlet spacing: gutter spread against station (0 at the begin point of a
// gutter run) with the allowable spread and the inlets marked.
std::vector<TPlot> InletSpacingPlots(const TInletSpacing& project);

}  // namespace plots
