#include "reports/PlotLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "reports/ReportLayout.h"

namespace {

using plots::TAxisTicks;
using plots::TPlot;
using plots::TPlotPoint;
using plots::TPlotSeries;
using plots::TSeriesStyle;

// Curves: black, blue, orange, green, purple, brown; all dark enough to
// stay apart from the white paper in grey, and each with its own dash and
// marker.
constexpr TSeriesLook CurveLooks[] = {
    {0x000000, 1.4, TPlotDash::Solid, TPlotMarker::Circle, true},
    {0x1F4E9A, 1.4, TPlotDash::Dash, TPlotMarker::Square, true},
    {0xB35900, 1.4, TPlotDash::DashDot, TPlotMarker::Triangle, true},
    {0x2E7D32, 1.4, TPlotDash::Dot, TPlotMarker::Diamond, true},
    {0x6A1B9A, 1.4, TPlotDash::LongDash, TPlotMarker::Cross, true},
    {0x5D4037, 1.4, TPlotDash::Solid, TPlotMarker::Square, true},
};
// Reference lines: thinner, grey to black, always broken.
constexpr TSeriesLook ReferenceLooks[] = {
    {0x404040, 1.0, TPlotDash::Dash, TPlotMarker::None, true},
    {0x000000, 1.0, TPlotDash::DashDot, TPlotMarker::None, true},
    {0x707070, 1.0, TPlotDash::LongDash, TPlotMarker::None, true},
    {0x202020, 1.0, TPlotDash::Dot, TPlotMarker::None, true},
};

constexpr double TitleSize = 11;
constexpr double AxisTitleSize = 9;
constexpr double TickSize = 8;
constexpr double LegendSize = 8;
constexpr double LabelSize = 7;
constexpr double NoteSize = 8;
constexpr double LegendWidth = 150;
constexpr double TickLength = 4;

bool IsReference(const TPlotSeries& series) { return series.Style == TSeriesStyle::Reference; }

bool Finite(const TPlotPoint& point) { return std::isfinite(point.X) && std::isfinite(point.Y); }

// The round values of step inside [min, max].
std::vector<double> ValuesInside(double min, double max, double step) {
  std::vector<double> values;
  if (!(step > 0)) return values;
  const double first = std::ceil(min / step - 1e-9) * step;
  for (int i = 0; i < 1000; ++i) {
    double value = first + i * step;
    if (value > max + step * 1e-9) break;
    if (std::fabs(value) < step * 1e-9) value = 0;
    values.push_back(value);
  }
  return values;
}

// Widens ticks to a range of the given width about their middle; the tick
// values stay round.
void Widen(TAxisTicks& ticks, double range) {
  if (!std::isfinite(range)) return;
  const double middle = (ticks.Min + ticks.Max) / 2;
  ticks.Min = middle - range / 2;
  ticks.Max = middle + range / 2;
  // Few more values than before: the step grows with the range.
  const TAxisTicks wider = plots::NiceTicks(ticks.Min, ticks.Max);
  ticks.Step = wider.Step;
  ticks.Decimals = wider.Decimals;
  ticks.Values = ValuesInside(ticks.Min, ticks.Max, ticks.Step);
}

// The advance of a text in the report's font, from its average letter
// (a little generous, so a text judged to fit does fit).
double EstimatedWidth(const std::string& text, double size) { return text.size() * size * 0.56; }

double Extent(double value, double fallback) { return std::isfinite(value) ? value : fallback; }

TRenderedText Text(const std::string& text, double x, double y, double width, double size,
                   TReportAlign align = TReportAlign::Left, bool bold = false) {
  TRenderedText rendered;
  rendered.Text = text;
  rendered.X = x;
  rendered.Y = y;
  rendered.Width = width;
  rendered.FontSize = size;
  rendered.Height = size * 1.25;
  rendered.Align = align;
  rendered.Bold = bold;
  return rendered;
}

TRenderedPolyline Line(double x1, double y1, double x2, double y2, uint32_t colour, double width) {
  TRenderedPolyline line;
  line.Points = {{x1, y1}, {x2, y2}};
  line.Colour = colour;
  line.Width = width;
  return line;
}

// Where a value lies along an axis, 0 at its start and 1 at its end. The
// axes enclose every value up to the largest they take (NiceTicks); one
// beyond that is drawn at the frame's edge, not across the page.
double AxisFraction(const TAxisTicks& ticks, double value) {
  const double span = ticks.Max - ticks.Min;
  if (!(span > 0) || !std::isfinite(span)) return 0.5;
  const double fraction = (value - ticks.Min) / span;
  if (std::isnan(fraction)) return 0.5;
  return std::clamp(fraction, 0.0, 1.0);
}

// Maps plot values into the frame.
struct TFrame {
  double Left = 0, Top = 0, Width = 0, Height = 0;
  TPlotAxes Axes;

  double Right() const { return Left + Width; }
  double Bottom() const { return Top + Height; }
  double X(double value) const { return Left + AxisFraction(Axes.X, value) * Width; }
  double Y(double value) const { return Bottom() - AxisFraction(Axes.Y, value) * Height; }
  TRenderedPoint At(const TPlotPoint& point) const { return {X(point.X), Y(point.Y)}; }
};

// The pieces of line of a series (plots::LinePieces) as page points; a
// reference line of one point runs across the whole frame.
std::vector<std::vector<TRenderedPoint>> Paths(const TPlotSeries& series, const TFrame& frame) {
  std::vector<std::vector<TRenderedPoint>> paths;
  for (const auto& piece : plots::LinePieces(series, frame.Axes.X.Min, frame.Axes.X.Max)) {
    std::vector<TRenderedPoint>& path = paths.emplace_back();
    for (const auto& [x, y] : piece) path.push_back({frame.X(x), frame.Y(y)});
  }
  return paths;
}

void AddSeries(const TPlotSeries& series, const TSeriesLook& look, const TFrame& frame, TRenderedPage& page) {
  for (std::vector<TRenderedPoint>& path : Paths(series, frame)) {
    TRenderedPolyline line;
    line.Points = std::move(path);
    line.Colour = look.Colour;
    line.Width = look.Width;
    line.Dash = look.Dash;
    // A line of many points would be a row of blots; it shows its markers
    // in the legend only.
    line.Marker = look.Joined && line.Points.size() > 40 ? TPlotMarker::None : look.Marker;
    if (series.Style == TSeriesStyle::Steps || IsReference(series)) line.Marker = TPlotMarker::None;
    line.Joined = look.Joined;
    page.Polylines.push_back(std::move(line));
  }
}

struct TBox {
  double Left, Top, Right, Bottom;
  bool Meets(const TBox& other) const {
    constexpr double clearance = 1.5;
    return Left < other.Right + clearance && other.Left < Right + clearance && Top < other.Bottom + clearance &&
           other.Top < Bottom + clearance;
  }
};

// A point's label above it, on the side its line does not run to: left of
// a point where the line rises to the right, right of it where the line
// falls or there is no line. Where that place is taken by another label,
// the other side or below; a label with no free place is left out rather
// than printed over another (as the same label of two series at one point).
void AddPointLabels(const TPlotSeries& series, const TFrame& frame, std::vector<TBox>& taken, TRenderedPage& page) {
  const bool joined = series.Style != TSeriesStyle::Points;
  const double height = LabelSize * 1.25;
  for (size_t i = 0; i < series.Points.size(); ++i) {
    const TPlotPoint& point = series.Points[i];
    if (point.Label.empty() || !Finite(point)) continue;
    const TRenderedPoint at = frame.At(point);
    double rise = 0;  // up the page to the right
    if (joined) {
      const TPlotPoint* before = i > 0 && Finite(series.Points[i - 1]) ? &series.Points[i - 1] : nullptr;
      const TPlotPoint* after =
          i + 1 < series.Points.size() && Finite(series.Points[i + 1]) ? &series.Points[i + 1] : nullptr;
      const TPlotPoint& from = before ? *before : point;
      const TPlotPoint& to = after ? *after : point;
      if (to.X != from.X) rise = (to.Y - from.Y) / (to.X - from.X);
    }
    const double width = EstimatedWidth(point.Label, LabelSize) + 2;
    bool preferLeft = rise > 0;
    if (at.X - 4 - width < frame.Left) preferLeft = false;
    if (at.X + 4 + width > frame.Right()) preferLeft = true;
    const double above = std::max(at.Y - 3 - height, frame.Top + 1);
    const double below = std::min(at.Y + 3, frame.Bottom() - height - 1);
    const std::pair<bool, double> places[] = {
        {preferLeft, above}, {!preferLeft, above}, {preferLeft, below}, {!preferLeft, below}};
    for (const auto& [left, y] : places) {
      const double x = left ? at.X - 4 - width : at.X + 4;
      if (x < frame.Left - 1 || x + width > frame.Right() + 1) continue;
      const TBox box{x, y, x + width, y + height};
      if (std::any_of(taken.begin(), taken.end(), [&](const TBox& other) { return box.Meets(other); })) continue;
      taken.push_back(box);
      page.Texts.push_back(Text(point.Label, x, y, width, LabelSize, left ? TReportAlign::Right : TReportAlign::Left));
      break;
    }
  }
}

// A category's name on one line where it fits its share of the axis, else
// on two, broken at the blank nearest its middle.
std::vector<std::string> CategoryLines(const std::string& text, double width) {
  if (EstimatedWidth(text, TickSize) <= width) return {text};
  size_t best = std::string::npos;
  for (size_t i = text.find(' '); i != std::string::npos; i = text.find(' ', i + 1))
    if (best == std::string::npos ||
        std::abs(static_cast<double>(i) - text.size() / 2.0) < std::abs(static_cast<double>(best) - text.size() / 2.0))
      best = i;
  if (best == std::string::npos) return {text};
  return {text.substr(0, best), text.substr(best + 1)};
}

// How the categories' names go under the axis: each on one line, some on
// two, or, where even two lines of its share do not hold a name, numbered
// with a key of the names under the plot.
enum class TCategoryMode { OneLine, TwoLines, Numbered };

TCategoryMode CategoryMode(const TPlot& plot, double frameWidth) {
  if (plot.XCategories.empty()) return TCategoryMode::OneLine;
  const double room = frameWidth / plot.XCategories.size() - 4;
  TCategoryMode mode = TCategoryMode::OneLine;
  for (const std::string& text : plot.XCategories) {
    const std::vector<std::string> lines = CategoryLines(text, room);
    for (const std::string& line : lines)
      if (EstimatedWidth(line, TickSize) > room) return TCategoryMode::Numbered;
    if (lines.size() > 1) mode = TCategoryMode::TwoLines;
  }
  return mode;
}

// The key of numbered categories: "1  name" in two or three columns, down
// each column first.
struct TCategoryKey {
  size_t Columns = 0, Rows = 0;
  double Height() const { return Rows * LabelSize * 1.25 + 4; }
};

// As many columns as the longest entry allows across the width.
TCategoryKey CategoryKeyOf(const TPlot& plot, double width) {
  TCategoryKey key;
  double longest = 0;
  for (size_t i = 0; i < plot.XCategories.size(); ++i)
    longest = std::max(longest, EstimatedWidth(std::to_string(i + 1) + "  " + plot.XCategories[i], LabelSize));
  key.Columns = std::clamp(static_cast<size_t>(width / (longest + 10)), size_t{1}, size_t{6});
  key.Rows = (plot.XCategories.size() + key.Columns - 1) / key.Columns;
  return key;
}

void AddCategoryKey(const TPlot& plot, const TCategoryKey& key, double x, double top, double width,
                    TRenderedPage& page) {
  const double column = width / key.Columns;
  for (size_t i = 0; i < plot.XCategories.size(); ++i) {
    const double left = x + (i / key.Rows) * column;
    const double y = top + (i % key.Rows) * LabelSize * 1.25;
    page.Texts.push_back(Text(std::to_string(i + 1) + "  " + plot.XCategories[i], left, y, column - 8, LabelSize));
  }
}

void AddAxes(const TPlot& plot, const TFrame& frame, bool numbered, TRenderedPage& page) {
  const TPlotAxes& axes = frame.Axes;
  const bool categories = !plot.XCategories.empty();
  const double xSpacing =
      axes.X.Values.size() > 1 ? frame.Width / std::max<size_t>(axes.X.Values.size(), 1) : frame.Width;
  for (double value : axes.X.Values) {
    const double x = frame.X(value);
    if (!categories) page.Polylines.push_back(Line(x, frame.Top, x, frame.Bottom(), PlotGridColour, 0.4));
    page.Polylines.push_back(Line(x, frame.Bottom(), x, frame.Bottom() + TickLength, 0, 0.75));
    double width = categories ? frame.Width / plot.XCategories.size() : std::max(xSpacing, 30.0);
    const long index = std::lround(value);
    if (numbered) {
      // Numbers too close to read each get every second, fifth, ... one.
      const double needed = EstimatedWidth(std::to_string(plot.XCategories.size()), TickSize) + 4;
      long every = 1;
      while (width * every < needed) every = every == 1 ? 2 : every == 2 ? 5 : every * 2;
      if (index % every != 0) continue;
      width *= every;
    }
    const std::string text = numbered ? std::to_string(index + 1) : TickText(plot, axes.X, value, true);
    const std::vector<std::string> lines = CategoryLines(text, width - 4);
    for (size_t line = 0; line < lines.size(); ++line)
      page.Texts.push_back(Text(lines[line], x - width / 2, frame.Bottom() + TickLength + 1 + line * TickSize * 1.25,
                                width, TickSize, TReportAlign::Center));
  }
  for (double value : axes.Y.Values) {
    const double y = frame.Y(value);
    page.Polylines.push_back(Line(frame.Left, y, frame.Right(), y, PlotGridColour, 0.4));
    page.Polylines.push_back(Line(frame.Left - TickLength, y, frame.Left, y, 0, 0.75));
    page.Texts.push_back(Text(TickText(plot, axes.Y, value, false), frame.Left - 50, y - TickSize * 0.625,
                              50 - TickLength - 2, TickSize, TReportAlign::Right));
  }
  TRenderedPolyline box;
  box.Points = {{frame.Left, frame.Top},
                {frame.Right(), frame.Top},
                {frame.Right(), frame.Bottom()},
                {frame.Left, frame.Bottom()},
                {frame.Left, frame.Top}};
  box.Width = 0.9;
  page.Polylines.push_back(std::move(box));
}

void AddBands(const TPlot& plot, const TFrame& frame, TRenderedPage& page) {
  for (const plots::TPlotBand& band : plot.Bands) {
    if (!std::isfinite(band.From) || !std::isfinite(band.To)) continue;
    const double left = std::clamp(frame.X(std::min(band.From, band.To)), frame.Left, frame.Right());
    const double right = std::clamp(frame.X(std::max(band.From, band.To)), frame.Left, frame.Right());
    page.Fills.push_back({left, frame.Top, right - left, frame.Height, PlotBandColour});
    if (!band.Text.empty()) {
      const double width = std::max(right - left, 70.0);
      page.Texts.push_back(
          Text(band.Text, (left + right - width) / 2, frame.Top + 2, width, LabelSize, TReportAlign::Center));
    }
  }
}

void AddLegend(const TPlot& plot, double left, double top, double bottom, TRenderedPage& page) {
  double y = top;
  for (size_t i = 0; i < plot.Series.size(); ++i) {
    const TPlotSeries& series = plot.Series[i];
    if (series.Name.empty()) continue;
    if (y + LegendSize * 1.25 > bottom) break;
    const TSeriesLook look = SeriesLook(plot, i);
    const double middle = y + LegendSize * 0.625;
    TRenderedPolyline sample;
    sample.Points = {{left, middle}, {left + 28, middle}};
    sample.Colour = look.Colour;
    sample.Width = look.Width;
    sample.Dash = look.Dash;
    sample.Joined = look.Joined;
    page.Polylines.push_back(sample);
    if (look.Marker != TPlotMarker::None && series.Style != TSeriesStyle::Steps) {
      TRenderedPolyline marker;
      marker.Points = {{left + 14, middle}};
      marker.Colour = look.Colour;
      marker.Marker = look.Marker;
      marker.Joined = false;
      page.Polylines.push_back(marker);
    }
    page.Texts.push_back(Text(series.Name, left + 34, y, LegendWidth - 36, LegendSize));
    y += LegendSize * 1.25 + 5;
  }
}

bool HasLegend(const TPlot& plot) {
  return std::any_of(plot.Series.begin(), plot.Series.end(), [](const TPlotSeries& s) { return !s.Name.empty(); });
}

}  // namespace

TSeriesLook SeriesLook(const TPlot& plot, size_t index) {
  size_t curves = 0, references = 0;
  for (size_t i = 0; i < index && i < plot.Series.size(); ++i) (IsReference(plot.Series[i]) ? references : curves)++;
  if (index >= plot.Series.size()) return CurveLooks[0];
  const TPlotSeries& series = plot.Series[index];
  TSeriesLook look = IsReference(series) ? ReferenceLooks[references % std::size(ReferenceLooks)]
                                         : CurveLooks[curves % std::size(CurveLooks)];
  if (series.Style == TSeriesStyle::Points) look.Joined = false;
  if (series.Warning) {
    look.Colour = PlotWarningColour;
    look.Width += 0.4;
  }
  return look;
}

TPlotAxes PlotAxes(const TPlot& plot, double width, double height) {
  TPlotAxes axes;
  if (!plot.XCategories.empty()) {
    const int count = static_cast<int>(plot.XCategories.size());
    axes.X.Min = -0.5;
    axes.X.Max = count - 0.5;
    axes.X.Step = 1;
    for (int i = 0; i < count; ++i) axes.X.Values.push_back(i);
  } else {
    const double low = Extent(plot.XMin(), 0), high = Extent(plot.XMax(), low + 1);
    axes.X = plots::NiceTicks(low, high);
  }
  const double low = Extent(plot.YMin(), 0), high = Extent(plot.YMax(), low + 1);
  axes.Y = plots::NiceTicks(low, high, 6);
  // A reference line on the frame's top or bottom edge would hide under
  // it: the axis goes a step further.
  for (const TPlotSeries& series : plot.Series) {
    if (!IsReference(series) || plot.EqualScale) continue;
    for (const TPlotPoint& point : series.Points) {
      if (!Finite(point)) continue;
      if (std::fabs(point.Y - axes.Y.Min) < axes.Y.Step * 1e-6) {
        axes.Y.Min -= axes.Y.Step;
        axes.Y.Values.insert(axes.Y.Values.begin(), axes.Y.Min);
      }
      if (std::fabs(point.Y - axes.Y.Max) < axes.Y.Step * 1e-6) {
        axes.Y.Max += axes.Y.Step;
        axes.Y.Values.push_back(axes.Y.Max);
      }
    }
  }
  if (plot.EqualScale && width > 0 && height > 0) {
    const double perPointX = (axes.X.Max - axes.X.Min) / width;
    const double perPointY = (axes.Y.Max - axes.Y.Min) / height;
    if (perPointX > perPointY)
      Widen(axes.Y, perPointX * height);
    else if (perPointY > perPointX && plot.XCategories.empty())
      Widen(axes.X, perPointY * width);
  }
  return axes;
}

std::string TickText(const TPlot& plot, const TAxisTicks& ticks, double value, bool xAxis) {
  if (xAxis && !plot.XCategories.empty()) {
    const double whole = std::round(value);
    if (std::fabs(value - whole) > 1e-9 || whole < 0 || whole >= static_cast<double>(plot.XCategories.size()))
      return std::string();
    return plot.XCategories[static_cast<size_t>(whole)];
  }
  if (xAxis && plot.XStations) return plots::StationText(value, ticks.Decimals);
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(ticks.Decimals, 0, 12), value);
  return buffer;
}

bool PlotNeedsWholePage(const TPlot& plot) {
  if (plot.EqualScale || plot.XCategories.size() > 12) return true;
  for (const TPlotSeries& series : plot.Series)
    if (std::any_of(series.Points.begin(), series.Points.end(), [](const TPlotPoint& p) { return !p.Label.empty(); }))
      return true;
  return false;
}

void LayOutPlot(const TPlot& plot, double x, double y, double width, double height, TRenderedPage& page) {
  double top = y;
  if (!plot.Title.empty()) {
    page.Texts.push_back(Text(plot.Title, x, top, width, TitleSize, TReportAlign::Center, true));
    top += TitleSize * 1.25 + 4;
  }
  if (plot.Empty()) {
    page.Texts.push_back(Text("No values to plot.", x, top + 10, width, AxisTitleSize, TReportAlign::Center));
    return;
  }
  const double legend = HasLegend(plot) ? LegendWidth : 0;
  double bottom = y + height;
  if (!plot.Note.empty()) {
    bottom -= NoteSize * 1.25;
    page.Texts.push_back(Text(plot.Note, x, bottom, width, NoteSize));
    bottom -= 2;
  }
  // The y axis's title reads across, above the axis, as is usual on
  // engineering charts, so it prints and extracts as ordinary text.
  page.Texts.push_back(Text(plot.YAxisTitle, x, top, width - legend, AxisTitleSize, TReportAlign::Left, true));
  top += AxisTitleSize * 1.25 + 6;
  const double frameLeft = x + 52;
  const double frameRight = x + width - legend - (legend > 0 ? 12 : 8);
  const TCategoryMode categories = CategoryMode(plot, frameRight - frameLeft);
  if (categories == TCategoryMode::Numbered) {
    // A key taller than a third of the plot would leave no room to plot;
    // the numbers then say the categories' order alone.
    const TCategoryKey key = CategoryKeyOf(plot, width);
    if (key.Height() <= height / 3) {
      bottom -= key.Height();
      AddCategoryKey(plot, key, x, bottom + 2, width, page);
    } else {
      bottom -= NoteSize * 1.25 + 2;
      page.Texts.push_back(
          Text("Numbered 1 to " + std::to_string(plot.XCategories.size()) + " in the order of the table.", x, bottom,
               width, NoteSize));
    }
  }
  bottom -= AxisTitleSize * 1.25;
  page.Texts.push_back(
      Text(plot.XAxisTitle, frameLeft, bottom, frameRight - frameLeft, AxisTitleSize, TReportAlign::Center, true));
  bottom -= TickLength + TickSize * 1.25 + 4;
  if (categories == TCategoryMode::TwoLines) bottom -= TickSize * 1.25;

  TFrame frame;
  frame.Left = frameLeft;
  frame.Top = top;
  frame.Width = std::max(frameRight - frameLeft, 10.0);
  frame.Height = std::max(bottom - top, 10.0);
  frame.Axes = PlotAxes(plot, frame.Width, frame.Height);

  AddBands(plot, frame, page);
  AddAxes(plot, frame, categories == TCategoryMode::Numbered, page);
  // Reference lines first, so the curves lie over them.
  for (bool references : {true, false})
    for (size_t i = 0; i < plot.Series.size(); ++i)
      if (IsReference(plot.Series[i]) == references) AddSeries(plot.Series[i], SeriesLook(plot, i), frame, page);
  std::vector<TBox> taken;
  for (const plots::TPlotBand& band : plot.Bands)
    if (!band.Text.empty()) taken.push_back({frame.Left, frame.Top, frame.Right(), frame.Top + 2 + LabelSize * 1.25});
  for (const TPlotSeries& series : plot.Series) AddPointLabels(series, frame, taken, page);
  if (legend > 0) AddLegend(plot, frameRight + 12, top, frame.Bottom(), page);
}
