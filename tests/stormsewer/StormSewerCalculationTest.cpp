// The rational-method pass and the hydraulic grade pass.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "SewerTestSupport.h"

using sewertest::AddPipe;
using sewertest::Curves;
using sewertest::Project;

namespace {

// Capacity at the 0.938 depth of a pipe on a 0.01 slope with the given n.
double Capacity(double diameter, double n = 0.015) {
  TStormSewerElement pipe;
  pipe.Length = 100;
  pipe.InletCrown = 101;
  pipe.OutletCrown = 100;
  pipe.Diameter = diameter;
  pipe.EffectiveN = n;
  return pipe.FullCapacity();
}

// One open pipe carrying `flow` cfs (constant intensity times C*A = 1).
std::unique_ptr<TStormSewer> SinglePipe(const TNerraParameterList* curves, double minimumDiameter = 0,
                                        double pipeDiameter = 0) {
  auto project = Project(curves);
  project->GeneralParameters.MinimumDiameter = minimumDiameter;
  AddPipe(*project, "A", "B", 5, 1, 100)->MinDiameter = pipeDiameter;
  return project;
}

// A tree of two laterals into a trunk pipe; the trunk has no inlet crown
// (its slope comes from its inverts), so it hangs from the lowest arriving crown.
std::unique_ptr<TStormSewer> Tree(const TNerraParameterList* curves, double firstTime = 10) {
  auto project = Project(curves);
  AddPipe(*project, "A", "C", firstTime, 1, 110);
  AddPipe(*project, "B", "C", 15, 2, 110.5)->MinDiameter = 18;
  TStormSewerElement* trunk = AddPipe(*project, "C", "D", 5, 0.5, 0);
  trunk->OutletCrown = 0;
  trunk->InletInvert = 105;
  trunk->OutletInvert = 104;
  return project;
}

std::map<int, const TStormSewerElement*> ById(const TStormSewer& project) {
  std::map<int, const TStormSewerElement*> pipes;
  for (int i = 0; i < project.ElementList.Count(); ++i) {
    pipes[project.ElementList.Pipe(i)->ElementId] = project.ElementList.Pipe(i);
  }
  return pipes;
}

}  // namespace

TEST(StormSewerSizing, DiameterSteps) {
  const struct {
    double Flow;
    double MinimumDiameter;
    double Expected;
  } cases[] = {
      {0.5, 0, 12},
      {4, 0, 15},
      {Capacity(27) * 1.0001, 15, 30},
      {Capacity(30) * 1.0001, 15, 36},
      {Capacity(13) * 1.0001, 13, 16},
      // 8 and 10 grow by 2 in., from 12 on by 3 in.
      {Capacity(10) * 1.0001, 8, 12},
      {Capacity(12) * 1.0001, 8, 15},
  };
  for (const auto& c : cases) {
    auto curves = Curves(c.Flow, 0, 0);
    auto project = SinglePipe(curves.get(), c.MinimumDiameter);
    ASSERT_EQ(project->Calculate(), 0) << project->LastError;
    const TStormSewerElement& pipe = *project->ElementList.Pipe(0);
    EXPECT_EQ(pipe.Diameter, c.Expected) << "flow " << c.Flow;
    EXPECT_NEAR(pipe.Flow(), c.Flow, 1e-9);
    EXPECT_FALSE(pipe.PipeDiameterWarning);
  }
}

TEST(StormSewerSizing, NormalFlowVelocityAndManningChange) {
  auto curves = Curves(2, 0, 0);
  auto project = SinglePipe(curves.get());
  ASSERT_EQ(project->Calculate(), 0);
  const TStormSewerElement& pipe = *project->ElementList.Pipe(0);
  EXPECT_EQ(pipe.Diameter, 12);
  EXPECT_NEAR(pipe.Velocity, 4.17, 0.02);
  EXPECT_EQ(pipe.EffectiveN, 0.015);
  // Free outlet: half way between the critical depth (about 0.60 ft) and the crown.
  EXPECT_NEAR(pipe.HGOutletFlow - pipe.OutletFlowLine(), (1 + 0.60) / 2, 0.01);

  // The search runs with the n of the starting size; the report shows the
  // n of the size found.
  auto large = Curves(Capacity(60) * 1.0001, 0, 0);
  project = SinglePipe(large.get(), 60);
  ASSERT_EQ(project->Calculate(), 0);
  EXPECT_EQ(project->ElementList.Pipe(0)->Diameter, 66);
  EXPECT_EQ(project->ElementList.Pipe(0)->EffectiveN, 0.013);
}

TEST(StormSewerSizing, WarningsForSmallOrOverloadedPipes) {
  auto curves = Curves(4, 0, 0);
  auto project = SinglePipe(curves.get(), 0, 12);
  ASSERT_EQ(project->Calculate(), 0);
  const TStormSewerElement& fixed = *project->ElementList.Pipe(0);
  EXPECT_EQ(fixed.Diameter, 12);
  EXPECT_TRUE(fixed.PipeDiameterWarning);
  EXPECT_NEAR(fixed.Velocity, 4 / (144 * 0.0054541), 1e-12);

  project = Project(curves.get());
  AddPipe(*project, "A", "B", 5, 0.1, 110)->MinDiameter = 24;
  AddPipe(*project, "B", "C", 5, 0.1, 108)->MinDiameter = 18;
  ASSERT_EQ(project->Calculate(), 0);
  EXPECT_FALSE(project->ElementList.Pipe(0)->PipeDiameterWarning);
  EXPECT_TRUE(project->ElementList.Pipe(1)->PipeDiameterWarning);
  EXPECT_EQ(project->ElementList.Pipe(1)->Diameter, 18);
}

TEST(StormSewerAccumulation, TwoLateralsIntoATrunk) {
  auto curves = Curves(120, 10, 1);
  auto project = Tree(curves.get());
  ASSERT_EQ(project->Calculate(), 0) << project->LastError;
  const TStormSewerElement& first = *project->ElementList.Pipe(0);
  const TStormSewerElement& second = *project->ElementList.Pipe(1);
  const TStormSewerElement& trunk = *project->ElementList.Pipe(2);

  // Laterals: i = 120 / (t + 10) at their own inlet times.
  EXPECT_NEAR(first.Rainfall, 6, 1e-12);
  EXPECT_NEAR(first.Flow(), 6, 1e-12);
  EXPECT_EQ(first.Diameter, 15);  // 12 in. carries 3.32 cfs, 15 in. 6.02 cfs
  EXPECT_NEAR(second.Rainfall, 4.8, 1e-12);
  EXPECT_EQ(second.Diameter, 18);  // fixed, and 9.79 cfs >= 9.6 cfs
  EXPECT_FALSE(second.PipeDiameterWarning);

  // Trunk: both areas plus its own, the later arrival, the larger diameter.
  EXPECT_DOUBLE_EQ(trunk.GlobalArea, 1 + 2 + 0.5);
  const double arrival = std::max(first.EndTime(), second.EndTime());
  EXPECT_GT(arrival, 15);
  EXPECT_DOUBLE_EQ(trunk.BeginTime, arrival);
  EXPECT_NEAR(trunk.Rainfall, 120 / (arrival + 10), 1e-12);
  EXPECT_GE(trunk.Diameter, 18);
  EXPECT_NEAR(trunk.InletFlow,
              std::min(first.OutletCrownElevation(), second.OutletCrownElevation()) - trunk.Diameter / 12, 1e-12);
  EXPECT_NEAR(first.OutletCrownElevation(), 109, 1e-12);

  // A late own inlet time wins over the arrivals.
  project->ElementList.Pipe(2)->SetTime(40);
  ASSERT_EQ(project->Calculate(), 0);
  EXPECT_EQ(project->ElementList.Pipe(2)->BeginTime, 40);
}

TEST(StormSewerAccumulation, ListOrderAndRecalculation) {
  auto curves = Curves(95, 12, 0.8);
  auto forward = Tree(curves.get());
  auto backward = Project(curves.get());
  for (int i = forward->ElementList.Count() - 1; i >= 0; --i) {
    auto* copy = new TStormSewerElement();
    copy->Assign(forward->ElementList.Pipe(i));
    backward->ElementList.AddPipe(copy);
  }
  ASSERT_EQ(forward->Calculate(), 0);
  ASSERT_EQ(backward->Calculate(), 0);
  ASSERT_EQ(backward->Calculate(), 0);  // twice in a row changes nothing
  auto a = ById(*forward);
  auto b = ById(*backward);
  for (const auto& [id, pipe] : a) {
    EXPECT_EQ(pipe->BeginTime, b[id]->BeginTime) << id;
    EXPECT_EQ(pipe->Diameter, b[id]->Diameter) << id;
    EXPECT_EQ(pipe->GlobalArea, b[id]->GlobalArea) << id;
    EXPECT_EQ(pipe->HGInletFlow, b[id]->HGInletFlow) << id;
    EXPECT_EQ(pipe->HGOutletFlow, b[id]->HGOutletFlow) << id;
  }

  // Lowering a lateral's time lowers the trunk's time, whatever the order.
  const double before = b[3]->BeginTime;
  backward->ElementList.Pipe(2)->SetTime(2);  // the pipe with id 1, now last but one
  backward->ElementList.Pipe(1)->SetTime(1);  // id 2
  ASSERT_EQ(backward->Calculate(), 0);
  EXPECT_LT(b[3]->BeginTime, before);
  EXPECT_DOUBLE_EQ(b[3]->BeginTime, std::max({5.0, b[1]->EndTime(), b[2]->EndTime()}));
}

TEST(StormSewerAccumulation, DesignAndAnalysisDifferOnlyInTheInletElevation) {
  auto curves = Curves(95, 12, 0.8);
  auto design = Project(curves.get(), false);
  auto analysis = Project(curves.get(), true);
  for (TStormSewer* project : {design.get(), analysis.get()}) {
    AddPipe(*project, "A", "C", 8, 1.2, 110);
    AddPipe(*project, "B", "C", 11, 2.5, 110.5);
    AddPipe(*project, "C", "D", 3, 0.4, 108, 0.005, 250);
    ASSERT_EQ(project->Calculate(), 0) << project->LastError;
  }
  for (int i = 0; i < 3; ++i) {
    const TStormSewerElement& d = *design->ElementList.Pipe(i);
    const TStormSewerElement& a = *analysis->ElementList.Pipe(i);
    EXPECT_EQ(d.Diameter, a.Diameter);
    EXPECT_EQ(d.BeginTime, a.BeginTime);
    EXPECT_EQ(d.Velocity, a.Velocity);
    // The given elevation is the crown in a design and the invert in an analysis.
    EXPECT_NEAR(d.InletFlow, a.InletFlow - d.Diameter / 12, 1e-9);
    EXPECT_NEAR(d.OutletFlowLine(), a.OutletFlowLine() - d.Diameter / 12, 1e-9);
  }
}

TEST(StormSewerAccumulation, ElevationsBelowTheDatumAreGiven) {
  // A coastal network surveyed below the datum: the trunk's own inlet
  // elevation holds, although it lies below the crowns arriving at C.
  auto curves = Curves(95, 12, 0.8);
  for (bool isAnalysis : {false, true}) {
    auto project = Project(curves.get(), isAnalysis);
    AddPipe(*project, "A", "C", 8, 1.2, -2);
    AddPipe(*project, "B", "C", 11, 2.5, -1.5);
    const TStormSewerElement* trunk = AddPipe(*project, "C", "D", 3, 0.4, -6, 0.005, 250);
    ASSERT_EQ(project->Calculate(), 0) << project->LastError;
    const double expected = isAnalysis ? -6 : -6 - trunk->Diameter / 12;
    EXPECT_DOUBLE_EQ(trunk->InletFlow, expected) << isAnalysis;
    EXPECT_DOUBLE_EQ(trunk->OutletFlowLine(), expected - 0.005 * 250) << isAnalysis;
  }
}

TEST(StormSewerGrade, OutletFromTailwater) {
  auto curves = Curves(2, 0, 0);
  auto project = SinglePipe(curves.get());
  ASSERT_EQ(project->Calculate(), 0);
  const TStormSewerElement& pipe = *project->ElementList.Pipe(0);
  const double freeLevel = pipe.HGOutletFlow;
  EXPECT_GT(freeLevel, pipe.OutletFlowLine());
  // Not full: the inlet grade is the normal depth above the inlet flow line,
  // or the friction line when that is higher.
  EXPECT_NEAR(pipe.HGInletFlow, std::max(pipe.InletFlow + 0.587, pipe.FrictionSlope() * 100 + freeLevel), 0.002);

  for (double tailwater : {freeLevel - 0.3, freeLevel + 5}) {
    project->GeneralParameters.TailwaterElevation = tailwater;
    ASSERT_EQ(project->Calculate(), 0);
    EXPECT_EQ(pipe.HGOutletFlow, std::max(freeLevel, tailwater));
  }
  EXPECT_DOUBLE_EQ(pipe.HGInletFlow, pipe.FrictionSlope() * 100 + freeLevel + 5);
}

TEST(StormSewerGrade, FullPipeAndSubmergedChain) {
  // The grade storm is five times the sizing storm: the pipe flows full.
  auto curves = Curves(2, 0, 0, 10);
  auto project = SinglePipe(curves.get());
  ASSERT_EQ(project->Calculate(), 0);
  const TStormSewerElement& full = *project->ElementList.Pipe(0);
  EXPECT_GT(full.HGFlow(), full.FullCapacity());
  EXPECT_DOUBLE_EQ(full.HGInletFlow,
                   std::max(full.FrictionSlope() * full.Length + full.HGOutletFlow, full.InletFlow + 1));

  // A high tailwater backs up through the chain: the upstream pipe's outlet
  // grade is the trunk's inlet grade, at the trunk's storm duration.
  auto timed = Curves(95, 12, 0.8);
  project = Project(timed.get());
  AddPipe(*project, "A", "B", 6, 1, 110);
  AddPipe(*project, "B", "C", 0, 1, 108);
  project->GeneralParameters.TailwaterElevation = 150;
  ASSERT_EQ(project->Calculate(), 0);
  const TStormSewerElement& upstream = *project->ElementList.Pipe(0);
  const TStormSewerElement& outlet = *project->ElementList.Pipe(1);
  EXPECT_EQ(outlet.HGOutletFlow, 150);
  EXPECT_EQ(upstream.HGOutletFlow, outlet.HGInletFlow);
  EXPECT_EQ(upstream.HGRainfall, outlet.HGRainfall);
  EXPECT_EQ(outlet.HGRainfall, timed->RainfallIntensity("25", "1", outlet.EndTime()));

  // With a free outlet the upstream pipe takes its own, shorter storm.
  project->GeneralParameters.TailwaterElevation = 0;
  ASSERT_EQ(project->Calculate(), 0);
  EXPECT_EQ(upstream.HGRainfall, timed->RainfallIntensity("25", "1", upstream.EndTime()));
  EXPECT_GT(upstream.HGRainfall, outlet.HGRainfall);
}

TEST(StormSewerCalculation, LargeAndDeepNetworks) {
  auto curves = Curves(95, 12, 0.8);
  // A trunk of 150 pipes, each with a lateral: far beyond 101 pipe runs.
  auto project = Project(curves.get());
  const int trunkLength = 150;
  for (int i = 0; i < trunkLength; ++i) {
    const double crown = 500 - i * 1.0;
    AddPipe(*project, "L" + std::to_string(i), "T" + std::to_string(i), 5 + i % 7, 0.3, crown + 0.5);
    AddPipe(*project, "T" + std::to_string(i), "T" + std::to_string(i + 1), 2, 0.2, crown);
  }
  ASSERT_EQ(project->Calculate(), 0) << project->LastError;
  for (int i = 0; i < project->ElementList.Count(); ++i) {
    const TStormSewerElement& pipe = *project->ElementList.Pipe(i);
    EXPECT_EQ(pipe.Rainfall, curves->RainfallIntensity("10", "1", pipe.BeginTime)) << i;
  }
  const TStormSewerElement& outlet = *project->ElementList.Pipe(2 * trunkLength - 1);
  EXPECT_NEAR(outlet.GlobalArea, trunkLength * 0.5, 1e-9);
  EXPECT_GT(outlet.Diameter, 30);

  // A single chain far deeper than any call stack would allow.
  auto chain = Project(curves.get());
  const int depth = 20000;
  for (int i = 0; i < depth; ++i) {
    AddPipe(*chain, "J" + std::to_string(i), "J" + std::to_string(i + 1), i == 0 ? 5 : 0, 0.001, 1000 - i * 0.05, 0.005,
            10);
  }
  ASSERT_EQ(chain->Calculate(), 0) << chain->LastError;
  EXPECT_NEAR(chain->ElementList.Pipe(depth - 1)->GlobalArea, depth * 0.001, 1e-6);
  EXPECT_GT(chain->ElementList.Pipe(0)->HGInletFlow, 0);
}

TEST(StormSewerCalculation, RefusesWhatCannotBeCalculated) {
  auto curves = Curves(95, 12, 0.8);
  auto project = Project(curves.get());
  AddPipe(*project, "A", "B", 5, 1, 100);
  AddPipe(*project, "C", "D", 5, 1, 100);
  EXPECT_EQ(project->Calculate(), -1);
  EXPECT_EQ(project->LastError, "Invalid Storm Sewer Structure: More than one final junctions [1]");

  project = Project(curves.get());
  AddPipe(*project, "A", "B", 5, 1, 100)->CoeffN = -0.013;
  EXPECT_EQ(project->Calculate(), -1);
  EXPECT_EQ(project->LastError, "Element #1: Manning's N Coefficient should greater than 0 and less than 1.");

  // Drainage areas the element dialog refuses would give negative flows.
  project = Project(curves.get());
  AddPipe(*project, "A", "B", 5, 1, 100);
  AddPipe(*project, "B", "C", 5, -2, 99)->RunoffCoeff1 = 0.5;
  EXPECT_EQ(project->Calculate(), -1);
  EXPECT_EQ(project->LastError, "Element #2: Runoff area should greater or equal zero.");
  project->ElementList.Pipe(1)->RunoffArea1 = 2;
  project->ElementList.Pipe(0)->RunoffCoeff3 = -0.2;
  EXPECT_EQ(project->Calculate(), -1);
  EXPECT_EQ(project->LastError, "Element #1: Invalid Runoff Coefficient (should be between 0 and 1)");

  // A flow no pipe carries stops the sizing instead of growing for ever.
  auto flood = Curves(1e12, 0, 0);
  project = SinglePipe(flood.get());
  EXPECT_EQ(project->Calculate(), -1);
  EXPECT_EQ(project->LastError, "Element #1: The flow needs a pipe larger than 1200 in.");

  // Without rainfall data every flow is 0 and the smallest size stays.
  project = Project(nullptr);
  AddPipe(*project, "A", "B", 5, 1, 100);
  ASSERT_EQ(project->Calculate(), 0);
  EXPECT_EQ(project->ElementList.Pipe(0)->Diameter, 12);
  EXPECT_EQ(project->ElementList.Pipe(0)->Velocity, 0);
  EXPECT_EQ(project->LastError, "");
}
