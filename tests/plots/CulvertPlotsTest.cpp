// Culvert plots: rows without an outlet control headwater, the system's
// order, the design's candidates against their limits.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "PlotTestSupport.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "culvert/CulvertShapes.h"

using namespace plots;
using plottest::Find;

TEST(CulvertAnalysisPlots, PerformanceCurveLeavesOutRowsWithoutOutletHeadwater) {
  // Two 3 ft pipes on a 5 % slope: steep, so the low discharges have no
  // outlet control headwater.
  TCulvertAnalysis project(&ShippedParameters(), &ShippedPipes());
  auto e = std::make_unique<TCircularSmoothElement>();
  e->Parameters = &ShippedParameters();
  e->Pipe = ShippedPipes().FindPipe("1", "", 5);
  e->ElementId = 7;
  e->InletElevation = 100;
  e->OutletElevation = 95;
  e->TailwaterElevationMin = 96;
  e->CulvertLength = 100;
  e->CulvertQuantity = 2;
  e->InletType = "1";
  e->DesignDischarge = 10;
  e->FloodDischarge = 200;
  e->DeltaDischarge = 10;
  const TCulvertBaseElement& culvert = *e;
  project.Elements.Add("7", e.release());
  ASSERT_EQ(project.Calculate(), 0) << project.LastError;
  int invalid = 0;
  for (int i = 0; i < culvert.Results.Count(); ++i) invalid += culvert.Results.Row(i)->OutletHeadwaterValid ? 0 : 1;
  ASSERT_GT(invalid, 0);
  ASSERT_LT(invalid, culvert.Results.Count());

  std::vector<TPlot> plots = ProjectPlots(project);
  ASSERT_EQ(plots.size(), 1u);
  EXPECT_EQ(plots[0].XAxisTitle, "Discharge (cfs)");
  EXPECT_EQ(plots[0].YAxisTitle, "Headwater Elevation (ft)");
  plottest::ExpectSound(plots[0], "Tailwater", 96);
  plottest::ExpectSound(plots[0], "Inlet Invert", 100);
  const TPlotSeries* inlet = Find(plots[0], "Inlet Control");
  ASSERT_TRUE(inlet && Find(plots[0], "Outlet Control"));
  EXPECT_EQ(static_cast<int>(inlet->Points.size()), culvert.Results.Count());
  EXPECT_EQ(static_cast<int>(Find(plots[0], "Outlet Control")->Points.size()), culvert.Results.Count() - invalid);
  EXPECT_NE(plots[0].Note.find(std::to_string(invalid) + " rows without a valid outlet"), std::string::npos);
  // The crossing's discharge (both barrels), from Qmin to Qmax.
  EXPECT_EQ(inlet->Points.front().X, 10);
  EXPECT_EQ(inlet->Points.back().X, 200);
  EXPECT_EQ(Find(plots[0], "Overflow Elevation"), nullptr);

  // A rising tailwater is a series of its own.
  project.Elements.Culvert(0)->TailwaterElevationMax = 98;
  ASSERT_EQ(project.Calculate(), 0);
  plots = ProjectPlots(project);
  const TPlotSeries* tailwater = Find(plots[0], "Tailwater");
  ASSERT_NE(tailwater, nullptr);
  EXPECT_EQ(tailwater->Style, TSeriesStyle::Line);
  EXPECT_NEAR(tailwater->Points.back().Y, 98, 1e-9);

  // One discharge: a reference line of one point, drawn across.
  project.Elements.Culvert(0)->FloodDischarge = 10;
  ASSERT_EQ(project.Calculate(), 0);
  plots = ProjectPlots(project);
  const TPlotSeries* invert = Find(plots[0], "Inlet Invert");
  ASSERT_TRUE(invert && invert->Points.size() == 1);
  EXPECT_EQ(invert->Points[0].X, 10);
}

TEST(CulvertAnalysisPlots, SystemFromTheOutletUpstream) {
  TCulvertAnalysis project(&ShippedParameters(), &ShippedPipes());
  project.Load(plottest::SampleText("culvert-analysis-system.xml"));
  project.SetAnalysisOption(aoCulvertSystem);
  EXPECT_TRUE(ProjectPlots(project).empty()) << "nothing before a calculation";
  ASSERT_EQ(project.Calculate(), 0) << project.LastError;
  const std::vector<TPlot> plots = ProjectPlots(project);
  ASSERT_EQ(plots.size(), 1u);
  // Listed 3, 2, 1, 4: culvert 1 is the outlet, 2 and 4 drain into it, 3 into 2.
  EXPECT_EQ(plots[0].XCategories, (std::vector<std::string>{"Culvert 1", "Culvert 2", "Culvert 4", "Culvert 3"}));
  const TPlotSeries* controlling = Find(plots[0], "Controlling Headwater");
  ASSERT_TRUE(controlling && controlling->Points.size() == 4);
  EXPECT_EQ(controlling->Points[3].X, 3);
  EXPECT_EQ(PlotOfElement(plots, 3), -1) << "the system's plot is no one culvert's";
  // As performance curves: one plot per culvert.
  project.SetAnalysisOption(aoPerformanceCurve);
  ASSERT_EQ(project.Calculate(), 0);
  EXPECT_EQ(ProjectPlots(project).size(), 4u);
  // A culvert without results leaves no plot: the result dialog of a later
  // culvert still finds its own (it once showed the plot at its list place).
  project.Elements.Culvert(0)->Results.Clear();
  const std::vector<TPlot> curves = ProjectPlots(project);
  ASSERT_EQ(curves.size(), 3u);
  const int32_t second = project.Elements.Culvert(1)->ElementId;
  ASSERT_GE(PlotOfElement(curves, second), 0);
  EXPECT_EQ(curves[static_cast<size_t>(PlotOfElement(curves, second))].Title,
            "Performance Curve, Culvert " + std::to_string(second));
  EXPECT_EQ(PlotOfElement(curves, project.Elements.Culvert(0)->ElementId), -1);
}

TEST(CulvertDesignPlots, ChosenSizesAgainstTheirLimits) {
  TCulvertDesign design(&ShippedParameters(), &ShippedPipes());
  design.Load(plottest::SampleText("culvert-design.xml"));
  ASSERT_EQ(design.Calculate(), 0) << design.LastError;
  const std::vector<TPlot> plots = ProjectPlots(design);
  ASSERT_EQ(static_cast<int>(plots.size()), design.Elements.Count());
  for (size_t p = 0; p < plots.size(); ++p) {
    const TPlot& plot = plots[p];
    const TCulvertDesignElement& crossing = *design.Crossing(static_cast<int>(p));
    SCOPED_TRACE(plot.Title);
    EXPECT_EQ(PlotOfElement(plots, crossing.ElementId), static_cast<int>(p));
    plottest::ExpectSound(plot, "Overflow Elevation", crossing.OverflowElevation);
    const TPlotSeries* atDesign = Find(plot, "Headwater at Design Discharge");
    const TPlotSeries* allowable = Find(plot, "Allowable Headwater");
    ASSERT_TRUE(atDesign && allowable && atDesign->Points.size() == plot.XCategories.size());
    // A size that was found stays below the limit it was chosen against; the
    // largest size that was not is flagged.
    const TPlotSeries* over = Find(plot, "Above the Allowable Headwater");
    size_t short_ = 0;
    for (size_t i = 0; i < plot.XCategories.size(); ++i) {
      const bool largest = plot.XCategories[i].find("largest") != std::string::npos;
      short_ += largest ? 1 : 0;
      EXPECT_EQ(atDesign->Points[i].Y >= allowable->Points[i].Y, largest) << plot.XCategories[i];
    }
    EXPECT_EQ(over ? over->Points.size() : 0u, short_);
    const TPlotSeries* flood = Find(plot, "Headwater at Flood Discharge");
    EXPECT_EQ(flood != nullptr, crossing.FloodDischarge > 0 && short_ < plot.XCategories.size());
  }
}
