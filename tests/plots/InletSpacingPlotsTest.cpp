// Inlet spacing plot: the spread at each inlet against the allowable spread.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlotTestSupport.h"
#include "inletspacing/InletSpacing.h"

using namespace plots;
using plottest::Find;

namespace {

std::vector<std::string> Labels(const TPlotSeries* series) {
  std::vector<std::string> labels;
  for (const TPlotPoint& p : series->Points) labels.push_back(p.Label);
  return labels;
}

}  // namespace

TEST(InletSpacingPlots, SpreadAtEachInletAgainstTheAllowable) {
  TInletSpacing project(&ShippedParameters());
  project.Load(plottest::SampleText("inlet-spacing.xml"));
  EXPECT_TRUE(ProjectPlots(project).empty()) << "nothing before a calculation";
  ASSERT_EQ(project.Calculate(), 0);
  std::vector<TPlot> plots = ProjectPlots(project);
  ASSERT_EQ(plots.size(), 1u);
  EXPECT_EQ(plots[0].XAxisTitle, "Station (ft)");
  EXPECT_EQ(plots[0].YAxisTitle, "Spread (ft)");
  plottest::ExpectSound(plots[0], "Allowable Spread", 8);
  // Elements 1 and 7 begin gutter runs; the others are inlets.
  EXPECT_EQ(Labels(Find(plots[0], "Inlets")), (std::vector<std::string>{"2", "3", "4", "5", "6", "8"}));
  // The spread line starts dry at each begin point.
  const TPlotSeries* spread = Find(plots[0], "Gutter Spread");
  ASSERT_EQ(spread->Points.size(), 8u);
  EXPECT_EQ(spread->Points[0].Y, 0);
  EXPECT_EQ(spread->Points[1].Y, project.Elements.Items(1)->PavementSpread);
  EXPECT_EQ(spread->Points[6].X, 3000);
  EXPECT_EQ(spread->Points[6].Y, 0);
  // The second run is not joined to the last inlet of the first.
  EXPECT_FALSE(spread->Points[0].Break);
  EXPECT_TRUE(spread->Points[6].Break);
  EXPECT_EQ(Labels(Find(plots[0], "Ponded Spread at Sag")), (std::vector<std::string>{"6"}));

  // An inlet without a readable station is left out and counted, and so is
  // the next, whose gutter length the calculation then cannot tell.
  project.Elements.Items(2)->SetStationText("16");
  ASSERT_EQ(project.Calculate(), 0);
  plots = InletSpacingPlots(project);
  EXPECT_EQ(Labels(Find(plots[0], "Inlets")), (std::vector<std::string>{"2", "5", "6", "8"}));
  EXPECT_NE(plots[0].Note.find("2 inlets without a station"), std::string::npos) << plots[0].Note;
}
