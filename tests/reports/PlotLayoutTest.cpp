// Plots laid out on report pages: axes, series, looks and the plot pages
// at the end of a report.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "reports/PlotLayout.h"
#include "reports/Report.h"
#include "support/PlotSeries.h"

namespace {

using plots::TPlot;
using plots::TPlotSeries;
using plots::TSeriesStyle;

TPlot Performance() {
  TPlot plot;
  plot.Title = "Culvert 1";
  plot.XAxisTitle = "Discharge (cfs)";
  plot.YAxisTitle = "Headwater Elevation (ft)";
  plot.Series.push_back(Series("Headwater", TSeriesStyle::Line, {{0, 100.2}, {50, 103.1}, {120, 107.9}}));
  plot.Series.push_back(Series("Road crest", TSeriesStyle::Reference, {{0, 108.5}}));
  return plot;
}

// The polylines of the page in the given colour with more than one point
// or a marker (grid lines and ticks are grey or black two-point lines).
std::vector<TRenderedPolyline> SeriesLines(const TRenderedPage& page, uint32_t colour, TPlotDash dash) {
  std::vector<TRenderedPolyline> lines;
  for (const TRenderedPolyline& line : page.Polylines)
    if (line.Colour == colour && line.Dash == dash && line.Width > 0.9) lines.push_back(line);
  return lines;
}

}  // namespace

TEST(PlotLayout, AxesTicksTitlesAndLegend) {
  const TPlot plot = Performance();
  TRenderedPage page;
  LayOutPlot(plot, 36, 100, 720, 400, page);
  for (const char* text : {"Culvert 1", "Discharge (cfs)", "Headwater Elevation (ft)", "Headwater", "Road crest", "0",
                           "20", "120", "100", "110"})
    EXPECT_TRUE(page.HasText(text)) << text;
  EXPECT_FALSE(page.HasText("100.0")) << "tick values with the digits their step needs only";
  TPlot edge = Performance();
  edge.Series[1].Points = {edge.Series[0].Points[0], edge.Series[0].Points[2]};
  edge.Series[1].Points[0].Y = edge.Series[1].Points[1].Y = 110;
  EXPECT_EQ(PlotAxes(edge).Y.Max, 112) << "a reference line never lies on the frame's edge";
  EXPECT_EQ(PlotAxes(edge).Y.Values.back(), 112);
  for (const TRenderedText& text : page.Texts) {
    EXPECT_GE(text.X, 36 - 1e-9) << text.Text;
    EXPECT_LE(text.X + text.Width, 756 + 1e-9) << text.Text;
    EXPECT_GE(text.Y, 100 - 1e-9) << text.Text;
    EXPECT_LE(text.Y + text.Height, 500 + 1e-9) << text.Text;
  }

  const TSeriesLook curve = SeriesLook(plot, 0), reference = SeriesLook(plot, 1);
  const auto curves = SeriesLines(page, curve.Colour, curve.Dash);
  // The curve and its legend sample.
  ASSERT_GE(curves.size(), 1u);
  EXPECT_EQ(curves[0].Points.size(), 3u);
  EXPECT_EQ(curves[0].Marker, curve.Marker);
  EXPECT_LT(curves[0].Points[0].Y, 500);
  EXPECT_GT(curves[0].Points[0].Y, curves[0].Points[2].Y) << "higher values higher on the page";

  // A reference line of one value runs across the frame, under the curve.
  const auto references = SeriesLines(page, reference.Colour, reference.Dash);
  ASSERT_GE(references.size(), 1u);
  ASSERT_EQ(references[0].Points.size(), 2u);
  EXPECT_DOUBLE_EQ(references[0].Points[0].Y, references[0].Points[1].Y);
  EXPECT_NEAR(references[0].Points[0].X, curves[0].Points[0].X, 1e-9) << "the frame's left edge: x from 0";
  EXPECT_GT(references[0].Points[1].X - references[0].Points[0].X, 400);
  EXPECT_NE(reference.Dash, TPlotDash::Solid);
  const auto at = [&](const TRenderedPolyline& line) {
    return std::find_if(page.Polylines.begin(), page.Polylines.end(), [&](const TRenderedPolyline& l) {
      return l.Points.size() == line.Points.size() && l.Points[0].X == line.Points[0].X && l.Colour == line.Colour;
    });
  };
  EXPECT_LT(at(references[0]), at(curves[0]));
}

TEST(PlotLayout, StepsHoldValuesAndGapsBreakLines) {
  TPlot plot;
  plot.XAxisTitle = "Station (ft)";
  plot.YAxisTitle = "Shear (lb/ft2)";
  plot.Series.push_back(Series("", TSeriesStyle::Steps, {{0, 1}, {10, 2}, {20, 3}}));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  plot.Series.push_back(Series("", TSeriesStyle::Line, {{0, 1}, {5, nan}, {10, 2}, {15, 2.5}, {20, 1.5}}));
  plot.Series.back().Points[3].Break = true;
  TRenderedPage page;
  LayOutPlot(plot, 0, 0, 600, 300, page);

  const TSeriesLook steps = SeriesLook(plot, 0);
  const auto stepLines = SeriesLines(page, steps.Colour, steps.Dash);
  ASSERT_EQ(stepLines.size(), 1u) << "no legend without names";
  const auto& p = stepLines[0].Points;
  ASSERT_EQ(p.size(), 4u);
  EXPECT_DOUBLE_EQ(p[1].Y, p[0].Y) << "the first value held to the next station";
  EXPECT_DOUBLE_EQ(p[1].X, p[2].X);
  EXPECT_DOUBLE_EQ(p[3].Y, p[2].Y) << "the last point only ends the last step";
  EXPECT_GT(p[3].X, p[2].X);
  EXPECT_EQ(stepLines[0].Marker, TPlotMarker::None);

  const TSeriesLook line = SeriesLook(plot, 1);
  const auto parts = SeriesLines(page, line.Colour, line.Dash);
  ASSERT_EQ(parts.size(), 3u) << "a value that is not finite, and a break, start a new line";
  EXPECT_EQ(parts[0].Points.size(), 1u);
  EXPECT_EQ(parts[1].Points.size(), 1u);
  EXPECT_EQ(parts[2].Points.size(), 2u);
  for (const TRenderedPolyline& l : page.Polylines)
    for (const TRenderedPoint& point : l.Points) EXPECT_TRUE(std::isfinite(point.X) && std::isfinite(point.Y));
}

TEST(PlotLayout, StationsLabelledAsEngineersWriteThem) {
  TPlot plot;
  plot.XAxisTitle = "Station (ft)";
  plot.YAxisTitle = "Flow Depth (ft)";
  plot.XStations = true;
  plot.Series.push_back(Series("Flow Depth", TSeriesStyle::Line, {{10000, 0.7}, {11200, 1.4}}));
  TRenderedPage page;
  LayOutPlot(plot, 0, 0, 600, 300, page);
  EXPECT_TRUE(page.HasText("100+00"));
  EXPECT_TRUE(page.HasText("112+00"));
  EXPECT_FALSE(page.HasText("10000"));
}

TEST(PlotLayout, PointLabelsNeverPrintOverEachOther) {
  TPlot plot = Performance();
  // Two series with labels at the same points, as the headwaters of two
  // discharges that control alike.
  plot.Series.push_back(plot.Series[0]);
  plot.Series.push_back(plot.Series[0]);
  for (TPlotSeries& series : plot.Series)
    for (plots::TPlotPoint& point : series.Points) point.Label = "OUTLET*";
  TRenderedPage page;
  LayOutPlot(plot, 0, 0, 700, 400, page);
  std::vector<const TRenderedText*> labels;
  for (const TRenderedText& text : page.Texts)
    if (text.Text == "OUTLET*") labels.push_back(&text);
  ASSERT_GE(labels.size(), 3u) << "each point's label at least once";
  for (size_t i = 0; i < labels.size(); ++i)
    for (size_t j = i + 1; j < labels.size(); ++j) {
      const TRenderedText &a = *labels[i], &b = *labels[j];
      const bool apart = a.X + a.Width <= b.X || b.X + b.Width <= a.X || a.Y + a.Height <= b.Y || b.Y + b.Height <= a.Y;
      EXPECT_TRUE(apart) << a.X << "," << a.Y << " and " << b.X << "," << b.Y;
    }
}

TEST(PlotLayout, LooksStayApartInGrey) {
  TPlot plot;
  for (int i = 0; i < 4; ++i) plot.Series.push_back(Series("c", TSeriesStyle::Line, {{0, 0}}));
  plot.Series.insert(plot.Series.begin() + 1, Series("limit", TSeriesStyle::Reference, {{0, 1}}));
  plot.Series.push_back(Series("p", TSeriesStyle::Points, {{0, 0}}));
  std::set<std::pair<int, int>> seen;
  for (size_t i : {0, 2, 3, 4}) {
    const TSeriesLook look = SeriesLook(plot, i);
    EXPECT_TRUE(seen.insert({static_cast<int>(look.Dash), static_cast<int>(look.Marker)}).second) << i;
    EXPECT_TRUE(look.Joined);
  }
  TPlot withoutLimit = plot;
  withoutLimit.Series.erase(withoutLimit.Series.begin() + 1);
  EXPECT_EQ(SeriesLook(plot, 2).Marker, SeriesLook(withoutLimit, 1).Marker) << "a limit does not shift the curves";
  EXPECT_FALSE(SeriesLook(plot, 5).Joined);
  plot.Series[0].Warning = true;
  EXPECT_EQ(SeriesLook(plot, 0).Colour, PlotWarningColour);
}

TEST(PlotLayout, CategoriesBandsNotesAndEmptyPlots) {
  TPlot plot;
  plot.XAxisTitle = "Crossing";
  plot.YAxisTitle = "Headwater (ft)";
  plot.XCategories = {"Main St", "Route 9", "Ramp B", "Circular Corrugated (2-2/3 x 1/2 in) 78 in"};
  plot.Series.push_back(Series("Headwater", TSeriesStyle::Points, {{0, 4.5}, {1, 6}, {2, 5.2}}));
  plot.Bands.push_back({0.5, 1.5, "Over the limit"});
  plot.Note = "1 crossing without a result is not plotted.";
  TRenderedPage page;
  LayOutPlot(plot, 0, 0, 700, 300, page);
  for (const char* text :
       {"Main St", "Route 9", "Ramp B", "Over the limit", "Crossing", "Circular Corrugated", "(2-2/3 x 1/2 in) 78 in"})
    EXPECT_TRUE(page.HasText(text)) << text << ": a long category on two lines";
  EXPECT_TRUE(page.HasText(plot.Note));
  EXPECT_FALSE(page.HasText("0")) << "categories instead of numbers";
  ASSERT_EQ(page.Fills.size(), 1u);
  EXPECT_GT(page.Fills[0].Width, 0);
  EXPECT_EQ(TickText(plot, PlotAxes(plot).X, 1, true), "Route 9");
  EXPECT_EQ(TickText(plot, PlotAxes(plot).X, 4, true), "");
  EXPECT_EQ(TickText(plot, PlotAxes(plot).X, 1.5, true), "");

  // Names too long for two lines of their share: numbers on the axis and
  // a key under the plot.
  TPlot many = plot;
  many.XCategories.clear();
  for (int i = 0; i < 10; ++i)
    many.XCategories.push_back("Circular Corrugated (2-2/3 x 1/2 in) " + std::to_string(40 + 6 * i) + " in x 2");
  TRenderedPage numbered;
  LayOutPlot(many, 0, 0, 700, 400, numbered);
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(numbered.HasText(std::to_string(i + 1))) << i;
    EXPECT_TRUE(numbered.HasText(std::to_string(i + 1) + "  " + many.XCategories[i])) << i;
  }
  EXPECT_FALSE(numbered.HasText("Circular Corrugated"));

  // A system of a hundred culverts: fewer numbers under the axis, no key
  // that would crowd the plot out, nothing outside the box.
  many.XCategories.resize(100, "Culvert");
  TRenderedPage crowded;
  LayOutPlot(many, 0, 0, 700, 400, crowded);
  EXPECT_TRUE(crowded.HasText("Numbered 1 to 100 in the order of the table."));
  EXPECT_TRUE(crowded.HasText("1"));
  EXPECT_FALSE(crowded.HasText("2")) << "every second number at most";
  int numbers = 0;
  for (const TRenderedText& text : crowded.Texts) {
    EXPECT_LE(text.Y + text.Height, 400 + 1e-9) << text.Text;
    numbers += !text.Text.empty() && std::isdigit(static_cast<unsigned char>(text.Text[0])) && text.Y > 300;
  }
  EXPECT_LE(numbers, 50);

  TPlot empty;
  empty.Title = "Profile";
  TRenderedPage blank;
  LayOutPlot(empty, 0, 0, 700, 300, blank);
  EXPECT_TRUE(blank.HasText("No values to plot."));
  EXPECT_TRUE(blank.Polylines.empty());
}

TEST(PlotLayout, EqualScaleWidensTheShorterRange) {
  TPlot plot;
  plot.EqualScale = true;
  plot.Series.push_back(Series("Ground", TSeriesStyle::Line, {{0, 3}, {8, 0}, {12, 0}, {20, 3}}));
  const TPlotAxes axes = PlotAxes(plot, 500, 250);
  EXPECT_NEAR((axes.X.Max - axes.X.Min) / 500, (axes.Y.Max - axes.Y.Min) / 250, 1e-9);
  EXPECT_LE(axes.Y.Min, 0);
  EXPECT_GE(axes.Y.Max, 3);
  ASSERT_FALSE(axes.Y.Values.empty());
  for (double value : axes.Y.Values) {
    EXPECT_NEAR(std::remainder(value, axes.Y.Step), 0, 1e-9) << "ticks stay round";
    EXPECT_TRUE(value >= axes.Y.Min - 1e-9 && value <= axes.Y.Max + 1e-9);
  }
  EXPECT_TRUE(PlotNeedsWholePage(plot));
  EXPECT_FALSE(PlotNeedsWholePage(Performance()));
}

// Values near the largest double (a storm sewer with a hostile cover
// elevation) once made the axis range overflow and printed "-nan" ticks;
// what lies beyond the axes is drawn at the frame's edge, not off the page.
TEST(PlotLayout, HugeValuesGiveFiniteAxesAndPaths) {
  const double huge = 1.7e308;
  TPlot tall = Performance();
  tall.Series.push_back(Series("Ground", TSeriesStyle::Line, {{0, huge}, {120, -huge}}));
  TPlot wide = Performance();
  wide.XStations = true;
  wide.Series.push_back(Series("Ground", TSeriesStyle::Line, {{-huge, 100}, {huge, 104}}));
  wide.Bands.push_back({-huge, huge, "Grade line above the ground"});
  TPlot section;
  section.EqualScale = true;
  section.Series.push_back(Series("Ditch", TSeriesStyle::Line, {{-huge, 1}, {0, 0}, {huge, 1}}));
  for (const TPlot* plot : {&tall, &wide, &section}) {
    TRenderedPage page;
    LayOutPlot(*plot, 36, 100, 720, 400, page);
    for (const TRenderedPolyline& line : page.Polylines)
      for (const TRenderedPoint& point : line.Points)
        ASSERT_TRUE(point.X >= 36 && point.X <= 756 && point.Y >= 100 && point.Y <= 500) << "in its box, finite";
    for (const TRenderedFill& fill : page.Fills) ASSERT_TRUE(std::isfinite(fill.X) && std::isfinite(fill.Width));
    for (const TRenderedText& text : page.Texts) {
      EXPECT_EQ(text.Text.find("nan"), std::string::npos) << text.Text;
      EXPECT_EQ(text.Text.find("inf"), std::string::npos) << text.Text;
    }
  }
}

TEST(PlotLayout, PlotPagesFollowTheRecordsWithHeaderFooterAndNumbers) {
  TReport report;
  report.Dataset.AddIntegerField("ROW");
  report.Dataset.Open();
  report.Dataset.Append();
  report.Dataset.SetInteger("ROW", 7);
  report.Dataset.Post();
  TReportLayout& layout = report.Layout;
  layout.AddBand(TReportBandKind::PageHeader, 40).Label("HEADING", 0, 0, 720);
  layout.AddBand(TReportBandKind::Title, 30).Label("TITLE", 0, 0, 100);
  layout.AddBand(TReportBandKind::Detail, 12).Cell("ROW", 0, 0, 50);
  TReportBand& footer = layout.AddBand(TReportBandKind::PageFooter, 20);
  footer.Label("Page ", 600, 0, 120).Kind = TReportItemKind::PageNumber;
  footer.Computed([](const TReportDataset& d, int r) { return "row " + d.Text(r, "ROW"); }, 200, 0, 100);

  TPlot profile = Performance();
  profile.Title = "Profile";
  profile.Series[0].Points[1].Label = "J-2";
  TPlot second = Performance();
  second.Title = "Culvert 2";
  TPlot third = Performance();
  third.Title = "Culvert 3";
  layout.Plots = {Performance(), second, profile, third};

  const auto pages = report.Paginate();
  ASSERT_EQ(pages.size(), 4u) << "records; two plots; the labelled profile alone; the last plot";
  EXPECT_TRUE(pages[1].HasText("Culvert 1"));
  EXPECT_TRUE(pages[1].HasText("Culvert 2"));
  EXPECT_TRUE(pages[2].HasText("J-2"));
  EXPECT_FALSE(pages[2].HasText("Culvert 3"));
  EXPECT_TRUE(pages[3].HasText("Culvert 3"));
  for (const TRenderedPage& page : pages) {
    EXPECT_TRUE(page.HasText("HEADING"));
    EXPECT_TRUE(page.HasText("Page " + std::to_string(page.Number) + " of 4"));
    double footerTop = 0;
    for (const TRenderedText& text : page.Texts)
      if (text.Text.rfind("Page ", 0) == 0) footerTop = text.Y;
    for (const TRenderedText& text : page.Texts) {
      if (text.Y >= footerTop) continue;  // the footer's own
      EXPECT_LE(text.Y + text.Height, footerTop + 1e-9) << text.Text;
    }
  }
  for (size_t i = 1; i < pages.size(); ++i) {
    EXPECT_FALSE(pages[i].HasText("TITLE"));
    EXPECT_FALSE(pages[i].HasText("row 7")) << "plot pages print no record";
    EXPECT_TRUE(pages[i].Records.empty());
  }
  EXPECT_TRUE(pages[0].HasText("row 7"));
}
