#include <gtest/gtest.h>

#include <cmath>

#include "DitchTestSupport.h"

namespace {

void ExpectFinite(const TDitchAnalysis& project) {
  for (int i = 0; i < project.ResultList.Count(); ++i) {
    const TDitchAnalysisElementResult* row = project.Result(i);
    SCOPED_TRACE(i);
    for (double value : {row->FlowTime, row->Depth, row->Intensity, row->WettedArea, row->Flow(), row->Velocity(),
                         row->Shear(), row->TopWidth()})
      EXPECT_TRUE(std::isfinite(value));
  }
}

// Rows of one element, in result order.
std::vector<const TDitchAnalysisElementResult*> RowsOf(const TDitchAnalysis& project,
                                                       const TDitchAnalysisElement* element) {
  std::vector<const TDitchAnalysisElementResult*> rows;
  for (int i = 0; i < project.ResultList.Count(); ++i)
    if (project.Result(i)->Element == element) rows.push_back(project.Result(i));
  return rows;
}

double ManningFlow(double n, double slope, double area, double radius) {
  return 1.486 / n * area * std::pow(radius, 2.0 / 3.0) * std::sqrt(slope);
}

}  // namespace

// Trapezoid, 4 ft bottom, 3:1 side slopes, S = 0.005, mat lining n = 0.04,
// worked by hand the HEC-15 way: at y = 1.00 ft, A = 7.00 ft2,
// P = 4 + 2·sqrt(10) = 10.32 ft, R = 0.678 ft, Q = 14.19 cfs, and the
// maximum shear on the bed is 62.4 · 1.00 · 0.005 = 0.31 lb/ft2.
TEST(DitchSolveDepth, MatchesAHandWorkedTrapezoid) {
  const double K = 1.486 * std::sqrt(0.005) / 0.04;
  const double P1 = 2 * std::sqrt(10.0);
  const double depth = SolveDepth(14.19, P1, 3, 4, 0, K);
  EXPECT_NEAR(depth, 1.00, 0.001);
  EXPECT_NEAR(62.4 * depth * 0.005, 0.312, 0.0005);

  // V ditch (no bottom width): A = z·y², P = 2·y·sqrt(1+z²).
  const double y = 0.8;
  const double vFlow = ManningFlow(0.03, 0.02, 4 * y * y, 4 * y * y / (2 * y * std::sqrt(17.0)));
  EXPECT_NEAR(SolveDepth(vFlow, 2 * std::sqrt(17.0), 4, 0, 0, 1.486 * std::sqrt(0.02) / 0.03), y, 0.001);
}

// Published worked example (Chow, Open-Channel Hydraulics, 1959, Example
// 6.2): trapezoid b = 20 ft, z = 2, S = 0.0016, n = 0.025, Q = 400 cfs has a
// normal depth of 3.36 ft. Run through a whole calculation: 100 ac at C 0.8
// under a constant 5 in/hr depth storm gives the 400 cfs, and the seed n
// override of 0.025 is not raised for the depth storm. The bed shear is
// gamma·d·S, as HEC-15 takes the maximum shear of a straight channel.
TEST(DitchCalculate, MatchesAPublishedTrapezoidNormalDepth) {
  auto parameters = MakeTestParameters();
  TDitchAnalysis project(parameters.get());
  project.GeneralParameters.WaterShedAreaCode = "K";
  project.GeneralParameters.VelocityStormFrequency = "10";
  project.GeneralParameters.DepthStormFrequency = "50";
  TDitchAnalysisElement* section = AddSection(project, 1, "0+00", "10+00", 100, 0.8, 0.0016, 20, 2);
  section->CoeffN = 0.025;
  section->SetLiningCode("1");

  ASSERT_EQ(project.Calculate(), 0);
  const auto rows = RowsOf(project, section);
  // 320 cfs under the shear storm stays within what seed allows.
  ASSERT_EQ(rows.size(), 2u);
  const TDitchAnalysisElementResult& depthRow = *rows[1];
  EXPECT_EQ(depthRow.Lining, ltSeed);
  EXPECT_DOUBLE_EQ(depthRow.ManningCoeff, 0.025);
  EXPECT_DOUBLE_EQ(depthRow.Flow(), 400);
  EXPECT_NEAR(depthRow.Depth, 3.36, 0.005);
  EXPECT_NEAR(depthRow.WettedArea, (20 + 2 * depthRow.Depth) * depthRow.Depth, 1e-9);
  EXPECT_NEAR(depthRow.TopWidth(), 20 + 4 * depthRow.Depth, 1e-9);
  EXPECT_NEAR(depthRow.Shear(), 62.4 * 3.36 * 0.0016, 0.0005);
  EXPECT_EQ(depthRow.ShearText(), "0.34");
}

TEST(DitchSolveDepth, StaysInsideTheSectionForAnyFlow) {
  const double K = 1.486 * std::sqrt(0.01) / 0.04;
  // A flow needing more than 11 ft ends just below the bracket top.
  const double deep = SolveDepth(1e7, 2 * std::sqrt(10.0), 3, 4, 0, K);
  EXPECT_GT(deep, 10.99);
  EXPECT_LT(deep, 11.0);

  // Circular arc: the trial depths never go past the diameter, for small
  // and huge flows alike, and the result carries the flow.
  for (double r : {0.5, 1.0, 3.0}) {
    for (double Q : {0.5, 20.0, 1e6}) {
      SCOPED_TRACE(r * 1000 + Q);
      const double depth = SolveDepth(Q, 0, 0, 0, r, K);
      EXPECT_TRUE(std::isfinite(depth));
      EXPECT_GT(depth, 0);
      EXPECT_LT(depth, 2 * r);
      // The flow lies between the capacities just around the depth (near
      // the diameter the capacity is too steep to meet the flow closer).
      EXPECT_LE(SegmentConveyance(K, r, depth - 0.0002), Q + 0.01);
      if (depth + 0.0002 < 2 * r) {
        EXPECT_GE(SegmentConveyance(K, r, depth + 0.0002), Q - 0.01);
      }
    }
  }
  // A flat channel has no capacity: the depth runs to the top and no NaN.
  EXPECT_GT(SolveDepth(5, 2 * std::sqrt(10.0), 3, 4, 0, 0), 10.99);
}

// Three elements worked by hand with a constant intensity of 4 in/hr
// (10 years, shear) and 5 in/hr (50 years, depth):
//   1: section, 2 ac, C 0.5       -> area 2, CA 1.0, starts at Time 10
//   2: inflow, 3 ac, C 0.4, 30 min -> area 5, CA 2.2, times raised to 30
//   3: section, 1 ac, C 0.8       -> area 6, CA 3.0, starts at 30
TEST(DitchCalculate, AccumulatesRunoffAndTimesDownTheDitch) {
  auto parameters = MakeTestParameters();
  TDitchAnalysis project(parameters.get());
  project.GeneralParameters.Time = 10;
  project.GeneralParameters.WaterShedAreaCode = "K";
  project.GeneralParameters.VelocityStormFrequency = "10";
  project.GeneralParameters.DepthStormFrequency = "50";
  TDitchAnalysisElement* first = AddSection(project, 1, "0+00", "2+00", 2, 0.5, 0.01);
  first->ConcTime = 5;
  auto* inflow = new TDitchAnalysisElement();
  inflow->ElementId = 2;
  inflow->SetBeginStation("2+00");
  inflow->RunoffArea = 3;
  inflow->RunoffCoeff = 0.4;
  inflow->ConcTime = 30;
  project.ElementList.Add("2", inflow);
  TDitchAnalysisElement* third = AddSection(project, 3, "2+00", "5+00", 1, 0.8, 0.01);

  ASSERT_EQ(project.Calculate(), 0);
  ExpectFinite(project);

  EXPECT_DOUBLE_EQ(first->AreaSum, 2);
  EXPECT_DOUBLE_EQ(first->CASum, 1.0);
  EXPECT_DOUBLE_EQ(inflow->AreaSum, 5);
  EXPECT_DOUBLE_EQ(inflow->CASum, 2.2);
  EXPECT_DOUBLE_EQ(third->AreaSum, 6);
  EXPECT_DOUBLE_EQ(third->CASum, 3.0);

  const auto inflowRows = RowsOf(project, inflow);
  ASSERT_EQ(inflowRows.size(), 1u);
  EXPECT_TRUE(inflowRows[0]->FirstLine);
  EXPECT_DOUBLE_EQ(inflowRows[0]->Depth, 0);
  EXPECT_EQ(inflowRows[0]->Lining, ltNone);

  struct Expected {
    const TDitchAnalysisElement* element;
    double startTime;
    double length;
  };
  for (const Expected& e : {Expected{first, 10, 200}, Expected{third, 30, 300}}) {
    const auto rows = RowsOf(project, e.element);
    ASSERT_GE(rows.size(), 2u);
    EXPECT_TRUE(rows.front()->FirstLine);
    for (const TDitchAnalysisElementResult* row : rows) {
      const bool depthRow = row->FrequencyCode == "50";
      EXPECT_DOUBLE_EQ(row->Intensity, depthRow ? 5 : 4);
      EXPECT_DOUBLE_EQ(row->Flow(), (depthRow ? 5 : 4) * e.element->CASum);
      EXPECT_DOUBLE_EQ(row->Grade, 0.01);
      // Travel time over the section at the row's own velocity.
      EXPECT_NEAR(row->FlowTime, e.startTime + e.length / (row->Velocity() * 60), 1e-9);
      // The depth carries the flow by Manning's equation.
      const double y = row->Depth;
      const double area = 2 * y + 3 * y * y;
      EXPECT_NEAR(row->WettedArea, area, 1e-12);
      EXPECT_NEAR(ManningFlow(row->ManningCoeff, 0.01, area, area / (2 + 2 * y * std::sqrt(10.0))), row->Flow(), 0.02);
    }
  }
}

TEST(DitchCalculate, TimesFollowEachStormSeparately) {
  auto parameters = MakeTestParameters();
  TDitchAnalysis project(parameters.get());
  project.GeneralParameters.Time = 12;
  project.GeneralParameters.WaterShedAreaCode = "A";
  project.GeneralParameters.VelocityStormFrequency = "10";
  project.GeneralParameters.DepthStormFrequency = "50";
  TDitchAnalysisElement* first = AddSection(project, 1, "0+00", "8+00", 5, 0.6, 0.004);
  first->ConcTime = 15;  // beats Time
  TDitchAnalysisElement* second = AddSection(project, 2, "8+00", "16+00", 4, 0.6, 0.004);
  second->ConcTime = 1;  // never beats the running time
  ASSERT_EQ(project.Calculate(), 0);
  ExpectFinite(project);

  auto intensity = [](double a1, double t) { return a1 / std::pow(t + 10, 0.8); };
  double shearEnd = 0;
  double depthEnd = 0;
  for (const TDitchAnalysisElement* element : {first, second}) {
    const auto rows = RowsOf(project, element);
    const double shearStart = element == first ? 15 : shearEnd;
    const double depthStart = element == first ? 15 : depthEnd;
    for (const TDitchAnalysisElementResult* row : rows) {
      const bool depthRow = row->FrequencyCode == "50";
      // The row's intensity is that at the end of the section.
      EXPECT_NEAR(row->Intensity, intensity(depthRow ? 80 : 60, row->FlowTime), 1e-12);
      EXPECT_GT(row->FlowTime, depthRow ? depthStart : shearStart);
      if (depthRow)
        depthEnd = row->FlowTime;
      else
        shearEnd = row->FlowTime;
    }
  }
  EXPECT_NE(shearEnd, depthEnd);
}

TEST(DitchCalculate, PicksTheWeakestLiningThatHolds) {
  auto parameters = MakeTestParameters();
  TDitchAnalysis project(parameters.get());
  project.GeneralParameters.WaterShedAreaCode = "K";
  project.GeneralParameters.VelocityStormFrequency = "10";
  project.GeneralParameters.DepthStormFrequency = "50";
  TDitchAnalysisElement* gentle = AddSection(project, 1, "0+00", "1+00", 1, 0.3, 0.002);
  TDitchAnalysisElement* steep = AddSection(project, 2, "1+00", "2+00", 20, 0.9, 0.04);
  ASSERT_EQ(project.Calculate(), 0);

  // A gentle grade holds on seed: one shear row, then the depth row, whose
  // seed n is raised from 0.03 to 0.04.
  const auto gentleRows = RowsOf(project, gentle);
  ASSERT_EQ(gentleRows.size(), 2u);
  EXPECT_EQ(gentleRows[0]->Lining, ltSeed);
  EXPECT_LE(gentleRows[0]->Shear(), 0.4);
  EXPECT_DOUBLE_EQ(gentleRows[0]->ManningCoeff, 0.03);
  EXPECT_EQ(gentleRows[1]->Lining, ltSeed);
  EXPECT_DOUBLE_EQ(gentleRows[1]->ManningCoeff, 0.04);
  EXPECT_FALSE(gentleRows[1]->FirstLine);

  // A steep one climbs the order until a lining holds.
  const auto steepRows = RowsOf(project, steep);
  ASSERT_GE(steepRows.size(), 3u);
  const auto& order = project.GeneralParameters.LiningOrder;
  for (size_t i = 0; i + 1 < steepRows.size(); ++i) {
    EXPECT_EQ(steepRows[i]->Lining, order[i]);
    EXPECT_EQ(steepRows[i]->FirstLine, i == 0);
    if (i + 2 < steepRows.size()) {
      EXPECT_GT(steepRows[i]->Shear(), project.GeneralParameters.AllowableOrder[i]);
    }
  }
  const TDitchAnalysisElementResult* lastShear = steepRows[steepRows.size() - 2];
  EXPECT_LE(lastShear->Shear(), project.GeneralParameters.AllowableShear(lastShear->Lining));
  EXPECT_EQ(steepRows.back()->Lining, lastShear->Lining);
  EXPECT_EQ(steepRows.back()->FrequencyCode, "50");

  // A user's 0.03 on seed is raised for the depth storm as well.
  gentle->CoeffN = 0.03;
  gentle->Lining = ltSeed;
  project.Calculate();
  EXPECT_DOUBLE_EQ(RowsOf(project, gentle)[1]->ManningCoeff, 0.04);
}

TEST(DitchCalculate, ExceededLimitsBecomeMessageRows) {
  auto parameters = MakeTestParameters();
  TDitchAnalysis project(parameters.get());
  project.GeneralParameters.WaterShedAreaCode = "K";
  project.GeneralParameters.VelocityStormFrequency = "10";
  project.GeneralParameters.DepthStormFrequency = "50";
  // A torrent in a narrow, very steep ditch overtops rock and 10 ft of depth.
  TDitchAnalysisElement* torrent = AddSection(project, 1, "0+00", "1+00", 5000, 1, 0.3, 0, 0.5);
  TDitchAnalysisElement* next = AddSection(project, 2, "1+00", "2+00", 1, 0.5, 0.01);
  ASSERT_EQ(project.Calculate(), 0);
  ExpectFinite(project);

  const auto rows = RowsOf(project, torrent);
  ASSERT_EQ(rows.size(), 10u);  // seven linings, the depth row, two messages
  const TDitchAnalysisElementResult* depthRow = rows[7];
  EXPECT_EQ(depthRow->Lining, ltRCPTypeB);
  EXPECT_FALSE(depthRow->IsDepthValid());
  EXPECT_GT(depthRow->Depth, 10.99);
  EXPECT_LT(depthRow->Depth, 11.0);
  EXPECT_EQ(rows[8]->Message, "Shear exceeds allowed");
  EXPECT_EQ(rows[9]->Message, "Depth exceeds allowed");
  for (const auto* message : {rows[8], rows[9]}) {
    EXPECT_EQ(message->Lining, ltExceedsAllowed);
    EXPECT_DOUBLE_EQ(message->WettedArea, 1.0);
    EXPECT_FALSE(message->FirstLine);
  }
  // The next section starts from the depth row's time.
  for (const auto* row : RowsOf(project, next))
    if (row->FrequencyCode == "50") {
      EXPECT_GT(row->FlowTime, depthRow->FlowTime);
    }

  // With rock switched off the search ends at the last lining, silently.
  project.GeneralParameters.SetAllowableShear(ltRCPTypeB, 0);
  project.Calculate();
  const auto without = RowsOf(project, torrent);
  ASSERT_EQ(without.size(), 8u);
  EXPECT_EQ(without[5]->Lining, ltTurfType3);
  EXPECT_EQ(without[6]->Lining, ltTurfType3);
  EXPECT_EQ(without[7]->Message, "Depth exceeds allowed");
}

TEST(DitchCalculate, NoRainfallMeansADryDitchWithoutDivisionByZero) {
  auto parameters = MakeTestParameters();
  for (const TNerraParameterList* table :
       {static_cast<const TNerraParameterList*>(parameters.get()), static_cast<const TNerraParameterList*>(nullptr)}) {
    TDitchAnalysis project(table);
    project.GeneralParameters.Time = 7;
    project.GeneralParameters.WaterShedAreaCode = "NONE";
    project.GeneralParameters.VelocityStormFrequency = "10";
    project.GeneralParameters.DepthStormFrequency = "50";
    AddSection(project, 1, "0+00", "3+00", 2, 0.5, 0.01);
    TDitchAnalysisElement* arc = AddSection(project, 2, "3+00", "6+00", 2, 0.5, 0.01);
    arc->Radius = 2;
    ASSERT_EQ(project.Calculate(), 0);
    ExpectFinite(project);
    // With a table that has no curve each section says why it is dry (a
    // message row after its rows, and a line of LastError); without any
    // table there is nothing to say.
    ASSERT_EQ(project.ResultList.Count(), table ? 6 : 4);
    for (int i = 0; i < project.ResultList.Count(); ++i) {
      if (!project.Result(i)->Message.empty()) continue;
      EXPECT_DOUBLE_EQ(project.Result(i)->Depth, 0);
      EXPECT_DOUBLE_EQ(project.Result(i)->FlowTime, 7);
    }
    if (table) {
      EXPECT_EQ(project.Result(2)->Message, NoRainfallIntensityMessage);
      EXPECT_EQ(project.Result(5)->Message, NoRainfallIntensityMessage);
      EXPECT_EQ(project.LastError, std::string("Element #1: ") + NoRainfallIntensityMessage +
                                       "\nElement #2: " + NoRainfallIntensityMessage);
    } else {
      EXPECT_EQ(project.LastError, "");
    }
    EXPECT_EQ(project.SaveWithResults().find("nan"), std::string::npos);
  }
}

TEST(DitchRainfall, CurveGivesWhatTheCodeTableGives) {
  auto parameters = MakeTestParameters();
  parameters->LoadParameters(
      "<?xml version=\"1.0\"?><Application Name=\"Drevia\" Version=\"110\"><ApplicationParameters version=\"110\">" +
      RainfallEntry("A", "10", 60, 10, 0.8) + RainfallEntry("K", "10", 4, 0, 0) + RainfallEntry("Z", "10", 30, 0, 0.7) +
      RainfallEntry("A", "10", 70, 12, 0.75) +  // the later entry counts
      "</ApplicationParameters></Application>");
  for (const char* area : {"A", "K", "Z", "a", "NONE"}) {
    for (const char* frequency : {"10", "50", ""}) {
      const TDitchRainfall curve(parameters.get(), area, frequency);
      for (double time : {-20.0, -12.0, -0.5, 0.0, 1e-9, 5.0, 17.25, 60.0, 1440.0, 1e12}) {
        SCOPED_TRACE(std::string(area) + "/" + frequency + "/" + std::to_string(time));
        EXPECT_EQ(curve.At(time), parameters->RainfallIntensity(frequency, area, time));
      }
    }
  }
  EXPECT_EQ(TDitchRainfall(nullptr, "A", "10").At(5), 0);
}
