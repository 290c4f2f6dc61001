// Pipe runs, the element and network checks, deletion and the project file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SewerTestSupport.h"

using sewertest::AddPipe;

namespace {

struct TPipeRun {
  const char* Begin;
  const char* End;
  double Time;
  double Slope;
};

std::string CheckOf(const std::vector<TPipeRun>& pipes) {
  TStormSewer project(false);
  for (const TPipeRun& run : pipes) {
    AddPipe(project, run.Begin, run.End, run.Time, 1, 100, run.Slope);
  }
  return project.ElementList.CheckStructure();
}

}  // namespace

TEST(StormSewerElement, SlopeAndSection) {
  TStormSewerElement pipe;
  pipe.Length = 50;
  pipe.InletCrown = 100;
  pipe.OutletCrown = 99.5;
  EXPECT_DOUBLE_EQ(pipe.PipeSlope(), 0.01);
  // Inverts take over only when both are given.
  pipe.InletInvert = 98;
  EXPECT_DOUBLE_EQ(pipe.PipeSlope(), 0.01);
  pipe.OutletInvert = 97;
  EXPECT_DOUBLE_EQ(pipe.PipeSlope(), 0.02);
  pipe.Length = 0;
  EXPECT_EQ(pipe.PipeSlope(), 0);

  pipe.Diameter = 12;
  const TSectionProperties full = pipe.SectionProperties(1);
  EXPECT_NEAR(full.Area, 3.14159265358979 / 4, 1e-12);
  EXPECT_NEAR(full.HydraulicRadius, 0.25, 1e-12);
  const TSectionProperties half = pipe.SectionProperties(0.5);
  EXPECT_NEAR(half.TopWidth, 1, 1e-12);
  EXPECT_NEAR(half.Area, full.Area / 2, 1e-12);
  // A ratio a hair past the crown stays a full circle, not NaN.
  EXPECT_NEAR(pipe.SectionProperties(1 + 1e-12).Area, full.Area, 1e-9);

  EXPECT_EQ(pipe.ManningN(), 0.015);
  pipe.Diameter = 66;
  EXPECT_EQ(pipe.ManningN(), 0.013);
  pipe.CoeffN = 0.02;
  EXPECT_EQ(pipe.ManningN(), 0.02);
}

TEST(StormSewerElement, CapacityAndFrictionSlope) {
  TStormSewerElement pipe;
  pipe.Length = 100;
  pipe.InletCrown = 101;
  pipe.OutletCrown = 100;
  pipe.EffectiveN = 0.015;
  const struct {
    double Diameter;
    double Capacity;
  } table[] = {{12, 3.32}, {15, 6.02}, {18, 9.79}};
  for (const auto& row : table) {
    pipe.Diameter = row.Diameter;
    EXPECT_NEAR(pipe.FullCapacity(), row.Capacity, 0.01) << row.Diameter;
  }
  pipe.Diameter = 12;
  pipe.HGRainfall = 3;
  pipe.GlobalArea = 1;
  EXPECT_NEAR(pipe.FrictionSlope(), 0.00943, 0.00001);
  // Before any calculation there is no n and no capacity, never a NaN.
  pipe.EffectiveN = 0;
  EXPECT_EQ(pipe.FullCapacity(), 0);
  pipe.Diameter = 0;
  EXPECT_EQ(pipe.FrictionSlope(), 0);
}

TEST(StormSewerElement, ElementCheckMessages) {
  auto valid = [] {
    TStormSewerElement pipe;
    pipe.BeginJunction = "A";
    pipe.EndJunction = "B";
    pipe.InletCrown = 100;
    pipe.OutletCrown = 99;
    pipe.Length = 100;
    return pipe;
  };
  struct TCase {
    void (*Change)(TStormSewerElement&);
    const char* Message;
  };
  const TCase cases[] = {
      {[](TStormSewerElement&) {}, ""},
      // Zero means "not given" for the diameter, the time and n.
      {[](TStormSewerElement& p) { p.MinDiameter = 0, p.CoeffN = 0, p.SetTime(0); }, ""},
      {[](TStormSewerElement& p) { p.OutletCrown = 100; },
       "Outlet Invert Elevation should be lower than Inlet Invert Elevation."},
      {[](TStormSewerElement& p) { p.Length = 0; }, "Pipe length should be greater than 0."},
      {[](TStormSewerElement& p) { p.MinDiameter = -1; }, "Pipe Diameter should be greater than 0."},
      {[](TStormSewerElement& p) { p.SetTime(-1); }, "Time should be greater than 0."},
      {[](TStormSewerElement& p) { p.RunoffCoeff3 = 1.01; }, "Invalid Runoff Coefficient (should be between 0 and 1)"},
      {[](TStormSewerElement& p) { p.RunoffCoeff4 = -0.1; }, "Invalid Runoff Coefficient (should be between 0 and 1)"},
      {[](TStormSewerElement& p) { p.RunoffArea2 = -1; }, "Runoff area should greater or equal zero."},
      {[](TStormSewerElement& p) { p.CoeffN = 1; }, "Manning's N Coefficient should greater than 0 and less than 1."},
      {[](TStormSewerElement& p) { p.CoeffN = -0.01; },
       "Manning's N Coefficient should greater than 0 and less than 1."},
      {[](TStormSewerElement& p) { p.EndJunction = "A"; }, "Junction From cannot be equal to Junction End"},
      // The first failing rule wins.
      {[](TStormSewerElement& p) { p.Length = 0, p.EndJunction = "A"; }, "Pipe length should be greater than 0."},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    TStormSewerElement pipe = valid();
    cases[i].Change(pipe);
    EXPECT_EQ(pipe.Check(false), cases[i].Message) << "case " << i;
  }
  // An analysis element is judged by its inverts, a design element by its crowns.
  TStormSewerElement pipe = valid();
  EXPECT_EQ(pipe.Check(true), "Outlet Invert Elevation should be lower than Inlet Invert Elevation.");
  pipe.InletInvert = 95;
  pipe.OutletInvert = 94;
  EXPECT_EQ(pipe.Check(true), "");
}

TEST(StormSewerNetwork, CheckMessages) {
  const struct {
    std::vector<TPipeRun> Pipes;
    const char* Message;
  } cases[] = {
      {{}, "Invalid Storm Sewer Structure: Final Junction not present"},
      {{{"A", "B", 5, 0.01}, {"B", "C", 0, 0}}, "Invalid Storm Sewer Structure: Negative Slope [1]"},
      {{{"A", "B", 5, -0.01}}, "Invalid Storm Sewer Structure: Negative Slope [0]"},
      {{{"A", "A", 5, 0.01}}, "Invalid Storm Sewer Structure: Junction From cannot be equal to Junction End [0]"},
      {{{"A", "B", 0, 0.01}},
       "Invalid Storm Sewer Structure: Time should be greater than 0 when Junction Begin is zero [0]"},
      {{{"Z", "A", 5, 0.01}, {"A", "B", 0, 0.01}, {"A", "C", 0, 0.01}},
       "Invalid Storm Sewer Structure: Junction From not unique [1]"},
      {{{"A", "B", 5, 0.01}, {"C", "D", 5, 0.01}}, "Invalid Storm Sewer Structure: More than one final junctions [1]"},
      // No pipe starts a branch: "0" closes the loop and is exempt from uniqueness.
      {{{"0", "A", 5, 0.01}, {"A", "0", 5, 0.01}, {"0", "OUT", 5, 0.01}},
       "Invalid Storm Sewer Structure: Begin Junction not present"},
      // Neither a start nor an end: the last message replaces the first.
      {{{"A", "B", 5, 0.01}, {"B", "A", 5, 0.01}}, "Invalid Storm Sewer Structure: Final Junction not present"},
      {{{"Z", "A", 5, 0.01}, {"A", "B", 5, 0.01}, {"B", "A", 5, 0.01}},
       "Invalid Storm Sewer Structure: Final Junction not present"},
      // Loops that pass the rules above would never drain to the outlet.
      {{{"Z", "A", 5, 0.01}, {"A", "OUT", 5, 0.01}, {"C", "D", 5, 0.01}, {"D", "C", 5, 0.01}},
       "Invalid Storm Sewer Structure: Closed loop, pipes do not drain to the final junction [2]"},
      {{{"S", "0", 5, 0.01}, {"0", "X", 5, 0.01}, {"X", "0", 5, 0.01}, {"0", "OUT", 5, 0.01}},
       "Invalid Storm Sewer Structure: Closed loop, pipes do not drain to the final junction [1]"},
      // Valid: two open pipes from "0", and two open pipes from the same junction.
      {{{"0", "A", 5, 0.01}, {"0", "A", 5, 0.01}, {"A", "OUT", 0, 0.01}}, ""},
      {{{"A", "B", 5, 0.01}, {"A", "B", 5, 0.01}, {"B", "C", 0, 0.01}}, ""},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(CheckOf(cases[i].Pipes), cases[i].Message) << "case " << i;
  }
}

TEST(StormSewerNetwork, CheckSetsOpenAndFinalFlags) {
  TStormSewer project(false);
  AddPipe(project, "A", "C", 5, 1, 110);
  AddPipe(project, "C", "D", 0, 1, 100);
  AddPipe(project, "B", "C", 5, 1, 110);
  ASSERT_EQ(project.ElementList.CheckStructure(), "");
  const bool open[] = {true, false, true};
  const bool final[] = {false, true, false};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(project.ElementList.Pipe(i)->IsOpenJunction, open[i]) << i;
    EXPECT_EQ(project.ElementList.Pipe(i)->IsFinalJunction, final[i]) << i;
  }
}

TEST(StormSewerNetwork, DeletionKeepsTheNetworkConnected) {
  TStormSewer project(false);
  TStormSewerElementList& list = project.ElementList;
  AddPipe(project, "A", "B", 5, 1, 110);
  AddPipe(project, "X", "B", 5, 1, 110);
  AddPipe(project, "B", "C", 0, 1, 100);
  EXPECT_EQ(list.DeleteElement(99), -1);
  EXPECT_EQ(list.Count(), 3);
  // Removing the downstream pipe hands its end junction to both feeders.
  EXPECT_EQ(list.DeleteElement(3), 0);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Pipe(0)->EndJunction, "C");
  EXPECT_EQ(list.Pipe(1)->EndJunction, "C");
  // Removing a feeder (here the first element) touches nothing else.
  EXPECT_EQ(list.DeleteElement(1), 0);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Pipe(0)->ElementId, 2);
  EXPECT_EQ(list.Pipe(0)->BeginJunction, "X");
  EXPECT_EQ(list.Pipe(0)->EndJunction, "C");
}

TEST(StormSewerFile, InputBlocksFollowTheProjectKind) {
  for (bool isAnalysis : {false, true}) {
    TStormSewer project(isAnalysis);
    AddPipe(project, "A", "B", 5, 1, 100);
    const std::string input = project.SaveInput();
    EXPECT_NE(input.find(isAnalysis ? "<StormSewerAnalysis>" : "<StormSewerDesign>"), std::string::npos);
    EXPECT_EQ(input.find("<InletInvert>") != std::string::npos, isAnalysis);
    EXPECT_EQ(input.find("<InletCrown>") != std::string::npos, !isAnalysis);
    EXPECT_EQ(input.find("<BeginTime>"), std::string::npos);
    const std::string results = project.SaveWithResults();
    for (const char* key : {"<InletInvert>", "<OutletInvert>", "<InletCrown>", "<OutletCrown>", "<OuletFlow>",
                            "<UsedManning>", "<HGSlope>", "<CoverMinusHG>"}) {
      EXPECT_NE(results.find(key), std::string::npos) << key;
    }
    EXPECT_LT(results.find("<RunoffArea4>"), results.find("<BeginTime>"));
  }
}

TEST(StormSewerFile, RoundTripKeepsEveryInput) {
  TStormSewer project(true);
  project.Identification.PID = "J-17";
  project.Identification.ProjectDate = 45000;
  project.GeneralParameters.RainfallAreaCode = "3";
  project.GeneralParameters.FullCapacityFrequency = "10";
  project.GeneralParameters.HydraulicGradeFrequency = "25";
  project.GeneralParameters.MinimumDiameter = 15;
  project.GeneralParameters.TailwaterElevation = 92.25;
  TStormSewerElement* pipe = AddPipe(project, "A1", "B&2", 6.5, 0.85, 101.2);
  pipe->ElementId = 7;
  pipe->InletType = "<Grate & Curb>";
  pipe->Side = "L";
  pipe->Structure = "CB";
  pipe->BeginStation = "10+50";
  pipe->EndStation = "11+50";
  pipe->InletCover = 106.4;
  pipe->OutletCover = 105.1;
  pipe->CoeffN = 0.013;
  pipe->MinDiameter = 18;
  pipe->RunoffCoeff2 = 0.3;
  pipe->RunoffArea2 = 1.25;
  pipe->InletCrown = 102.7;  // an analysis file keeps only the inverts
  const std::string text = project.SaveInput();

  TStormSewer loaded(true);
  loaded.Load(text);
  EXPECT_EQ(loaded.LastError, "");
  EXPECT_EQ(loaded.SaveInput(), text);
  ASSERT_EQ(loaded.ElementList.Count(), 1);
  EXPECT_EQ(loaded.ElementList.Key(0), "007");
  const TStormSewerElement& copy = *loaded.ElementList.Pipe(0);
  EXPECT_EQ(copy.EndJunction, "B&2");
  EXPECT_EQ(copy.InletType, "<Grate & Curb>");
  EXPECT_EQ(copy.BeginTime, 6.5);
  EXPECT_EQ(copy.InletCrown, 0);
  EXPECT_EQ(loaded.GeneralParameters.TailwaterElevation, 92.25);
  EXPECT_EQ(loaded.Identification.ProjectDate, 45000);

  // Results on file are never read back, and the older kind name still loads.
  TStormSewer withResults(true);
  std::string older = project.SaveWithResults();
  for (const std::string from : {"<StormSewerAnalysis>", "</StormSewerAnalysis>"}) {
    older.replace(older.find(from), from.size(),
                  from[1] == '/' ? "</StormSewerSystemDesign>" : "<StormSewerSystemDesign>");
  }
  project.ElementList.Pipe(0)->Diameter = 42;
  withResults.Load(older);
  EXPECT_EQ(withResults.LastError, "");
  ASSERT_EQ(withResults.ElementList.Count(), 1);
  EXPECT_EQ(withResults.ElementList.Pipe(0)->Diameter, 0);
  EXPECT_EQ(withResults.ElementList.Pipe(0)->InletCrown, 102.7);
}

TEST(StormSewerFile, ForeignTextLoadsNothing) {
  for (const char* text : {"<Application><DitchAnalysis/></Application>", "not xml at all", ""}) {
    TStormSewer project(false);
    project.Load(text);
    EXPECT_EQ(project.LastError, "The XML document is not compatible with the Drevia Storm Sewer Module") << text;
    EXPECT_EQ(project.ElementList.Count(), 0);
  }
}
