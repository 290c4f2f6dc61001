// Ditch plots: each section's shear against the allowable shear of its own
// lining, and the cross-section of a result row.

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "PlotTestSupport.h"
#include "ditch/DitchTestSupport.h"

using namespace plots;
using plottest::Find;

namespace {

// Three sections of rising grade, so of stronger linings, with a concentrated
// inflow after the first.
struct TThreeSections {
  std::unique_ptr<TNerraParameterList> Parameters = MakeTestParameters();
  TDitchAnalysis Project{Parameters.get()};

  TThreeSections() {
    Project.GeneralParameters.WaterShedAreaCode = "K";
    Project.GeneralParameters.VelocityStormFrequency = "10";
    Project.GeneralParameters.DepthStormFrequency = "50";
    AddSection(Project, 1, "0+00", "4+00", 10, 0.8, 0.002);
    AddSection(Project, 2, "4+00", "", 2, 0.5, 0)->ConcTime = 5;
    AddSection(Project, 3, "4+00", "7+50", 2, 0.8, 0.02);
    AddSection(Project, 4, "7+50", "9+00", 2, 0.8, 0.05);
  }
};

}  // namespace

TEST(DitchPlots, EachSectionAgainstTheAllowableShearOfItsLining) {
  TThreeSections ditch;
  EXPECT_TRUE(DitchPlots(ditch.Project).empty()) << "nothing before a calculation";
  ASSERT_EQ(ditch.Project.Calculate(), 0);
  const std::vector<TPlot> plots = ProjectPlots(ditch.Project);
  ASSERT_EQ(plots.size(), 2u);
  EXPECT_EQ(plots[0].YAxisTitle, "Flow Depth (ft)");
  EXPECT_EQ(plots[1].XAxisTitle, "Station (ft)");
  EXPECT_EQ(plots[1].YAxisTitle, "Shear (lb/sq ft)");
  const TPlotSeries* shear = Find(plots[1], "Shear");
  const TPlotSeries* allowable = Find(plots[1], "Allowable Shear");
  ASSERT_TRUE(shear && allowable && shear->Points.size() == 6 && allowable->Points.size() == 4);
  EXPECT_EQ(allowable->Style, TSeriesStyle::Steps);
  // Two points per section at its stations (the inflow is none); the steps
  // close at the last station.
  EXPECT_EQ(shear->Points[2].X, 400);
  EXPECT_EQ(shear->Points[5].X, 900);
  EXPECT_EQ(allowable->Points[3].X, 900);
  std::set<std::string> linings;
  for (size_t s = 0; s < 3; ++s) {
    const std::string lining = shear->Points[2 * s].Label;
    linings.insert(lining);
    for (int l = ltSeed; l <= ltRCPTypeB; ++l)
      if (LiningNames[l] == lining) {
        EXPECT_EQ(allowable->Points[s].Y, ditch.Project.GeneralParameters.AllowableShear(TLiningType(l))) << lining;
      }
  }
  ASSERT_EQ(linings.size(), 3u) << "the case needs a lining per section";
  EXPECT_EQ(Find(plots[1], "Shear Above Allowable"), nullptr);

  // With only a weak seed lining every section is flagged.
  ditch.Project.GeneralParameters.SetAllowableShear(ltSeed, 0.01);
  for (int l = ltJuteMat; l <= ltRCPTypeB; ++l) ditch.Project.GeneralParameters.SetAllowableShear(TLiningType(l), 0);
  ASSERT_EQ(ditch.Project.Calculate(), 0);
  const std::vector<TPlot> weak = DitchPlots(ditch.Project);
  const TPlotSeries* over = Find(weak[1], "Shear Above Allowable");
  ASSERT_TRUE(over && over->Warning);
  EXPECT_EQ(over->Points.size(), 3u);
}

TEST(DitchCrossSection, WaterSurfaceAtTheRowsDepth) {
  TThreeSections ditch;
  ASSERT_EQ(ditch.Project.Calculate(), 0);
  const TDitchAnalysisElementResult& first = *ditch.Project.Result(0);
  TPlot plot = DitchCrossSection(ditch.Project, 0);
  plottest::ExpectSound(plot);
  EXPECT_EQ(plot.XAxisTitle, "Offset (ft)");
  // Bottom 2 ft wide, side slopes 3:1.
  const TPlotSeries* water = Find(plot, "Water Surface");
  ASSERT_TRUE(water && water->Points.size() == 2);
  EXPECT_NEAR(water->Points[1].X, 1 + 3 * first.Depth, 1e-9);
  EXPECT_EQ(water->Points[1].Y, first.Depth);
  EXPECT_TRUE(plot.EqualScale);
  // A wide V ditch is drawn with its height exaggerated.
  ditch.Project.Element(0)->Width = 0;
  ditch.Project.Element(0)->Inslope = 12;
  ASSERT_EQ(ditch.Project.Calculate(), 0);
  plot = DitchCrossSection(ditch.Project, 0);
  EXPECT_FALSE(plot.EqualScale);
  EXPECT_NE(plot.Note.find("exaggerated"), std::string::npos);
  // Rows without a section, and indexes outside the list, draw nothing.
  for (int i = 0; i < ditch.Project.ResultList.Count(); ++i)
    EXPECT_EQ(DitchCrossSection(ditch.Project, i).Empty(), ditch.Project.Result(i)->IsInflowRow()) << i;
  EXPECT_TRUE(DitchCrossSection(ditch.Project, -1).Empty());
  EXPECT_TRUE(DitchCrossSection(ditch.Project, ditch.Project.ResultList.Count()).Empty());
}
