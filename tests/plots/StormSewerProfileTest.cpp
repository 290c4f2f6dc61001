// The storm sewer profile on a branched network: the default start, the path
// from an explicit start, and grade lines above the ground.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PlotTestSupport.h"
#include "stormsewer/SewerTestSupport.h"

using namespace plots;
using plottest::Find;

namespace {

// Branches meet at junctions 2 and 3 (ids in list order):
//   1: 5 -> 2 100 ft, 2: 2 -> 3 200 ft, 3: 1 -> 2 300 ft, 4: 3 -> OUT 100 ft,
//   5: 7 -> 3 (length e7).
// Paths to the outlet: from 3 600 ft, from 5 e7 + 100 ft.
struct TBranched {
  std::unique_ptr<TNerraParameterList> Curves = sewertest::Curves(120, 10, 1);
  std::unique_ptr<TStormSewer> Project = sewertest::Project(Curves.get());

  explicit TBranched(double e7 = 500) {
    for (auto [from, to, crown, length] :
         std::vector<std::tuple<const char*, const char*, double, double>>{{"5", "2", 104, 100},
                                                                           {"2", "3", 103, 200},
                                                                           {"1", "2", 106, 300},
                                                                           {"3", "OUT", 100, 100},
                                                                           {"7", "3", 103 + 0.01 * e7, e7}}) {
      TStormSewerElement* run = sewertest::AddPipe(*Project, from, to, 10, 0.5, crown, 0.01, length);
      run->InletCover = run->InletCrown + 5;
      run->OutletCover = run->OutletCrown + 5;
    }
  }
  TStormSewerElement& Run(int id) const { return *Project->ElementList.Pipe(id - 1); }
};

std::vector<std::string> Labels(const TPlotSeries& series) {
  std::vector<std::string> labels;
  for (const TPlotPoint& p : series.Points)
    if (!p.Label.empty()) labels.push_back(p.Label);
  return labels;
}

}  // namespace

TEST(StormSewerProfile, DefaultStartIsTheLongestPathOfEqualOnesTheLowestId) {
  EXPECT_EQ(DefaultProfileStart(*TBranched(500).Project), 3);
  TBranched longer(501);
  EXPECT_EQ(DefaultProfileStart(*longer.Project), 5);
  // Whatever the list order.
  TStormSewerElementList& list = longer.Project->ElementList;
  const std::string key = list.Key(4);
  list.Insert(0, key, list.Extract(4));
  EXPECT_EQ(DefaultProfileStart(*longer.Project), 5);
  EXPECT_EQ(DefaultProfileStart(TStormSewer(false)), 0);
  // A closed loop (3 -> 5 -> 2 -> 3) ends a path where it comes back: from
  // run 5 900 ft, from run 3 700 ft.
  TBranched loop;
  loop.Run(4).EndJunction = "5";
  EXPECT_EQ(DefaultProfileStart(*loop.Project), 5);
}

TEST(StormSewerProfile, FollowsTheDownstreamLinksFromTheStart) {
  TBranched network;
  EXPECT_TRUE(ProjectPlots(*network.Project).empty()) << "nothing before a calculation";
  ASSERT_EQ(network.Project->Calculate(), 0) << network.Project->LastError;

  const TPlot plot = StormSewerProfile(*network.Project, 1);
  EXPECT_EQ(plot.XAxisTitle, "Distance (ft)");
  EXPECT_EQ(plot.YAxisTitle, "Elevation (ft)");
  plottest::ExpectSound(plot);
  const TPlotSeries* invert = Find(plot, "Invert");
  const TPlotSeries* grade = Find(plot, "Hydraulic Grade Line");
  ASSERT_TRUE(invert && grade && Find(plot, "Crown") && Find(plot, "Ground / Rim"));
  EXPECT_EQ(Labels(*invert), (std::vector<std::string>{"5", "2", "3", "OUT"}));
  const std::vector<double> distances{0, 100, 100, 300, 300, 400};
  const int ids[] = {1, 2, 4};
  for (size_t i = 0; i < 6; ++i) {
    const TStormSewerElement& run = network.Run(ids[i / 2]);
    EXPECT_EQ(invert->Points[i].X, distances[i]);
    EXPECT_DOUBLE_EQ(invert->Points[i].Y, i % 2 ? run.OutletFlowLine() : run.InletFlow);
    EXPECT_DOUBLE_EQ(grade->Points[i].Y, i % 2 ? run.HGOutletFlow : run.HGInletFlow);
  }
  EXPECT_TRUE(plot.Bands.empty());

  const std::vector<TPlot> plots = ProjectPlots(*network.Project);
  ASSERT_EQ(plots.size(), 1u);
  EXPECT_EQ(Labels(*Find(plots[0], "Invert")), (std::vector<std::string>{"1", "2", "3", "OUT"}));
  EXPECT_TRUE(StormSewerProfile(*network.Project, 99).Empty());
}

TEST(StormSewerProfile, GradeAboveTheGroundIsFlagged) {
  TBranched network;
  network.Run(2).InletCover = 95;  // below the pipe at junction 2
  network.Run(1).InletCover = 0;   // not given
  ASSERT_EQ(network.Project->Calculate(), 0);
  const TPlot plot = StormSewerProfile(*network.Project, 1);
  ASSERT_EQ(plot.Bands.size(), 1u);
  EXPECT_EQ(plot.Bands[0].From, 100);
  EXPECT_EQ(plot.Bands[0].To, 300);
  const TPlotSeries* above = Find(plot, "Grade Above Ground");
  ASSERT_TRUE(above && above->Warning && above->Points.size() == 1);
  EXPECT_EQ(above->Points[0].Y, network.Run(2).HGInletFlow);
  // The missing ground is said, not drawn at 0.
  EXPECT_GT(plot.YMin(), 90);
  EXPECT_NE(plot.Note.find("1 run without a ground elevation"), std::string::npos) << plot.Note;
}
