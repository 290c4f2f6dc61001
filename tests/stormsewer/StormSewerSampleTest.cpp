// The shipped sample projects with the shipped rainfall curves.

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "SewerTestSupport.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

namespace {

const TNerraParameterList& Shipped() { return ShippedParameters(); }

std::unique_ptr<TStormSewer> Sample(const char* name, bool isAnalysis) {
  auto project = std::make_unique<TStormSewer>(isAnalysis, &Shipped());
  project->Load(ReadFileBytes(std::string(DREVIA_SOURCE_DIR) + "/samples/" + name));
  EXPECT_EQ(project->LastError, "") << name;
  return project;
}

}  // namespace

TEST(StormSewerSamples, CalculateWithTheShippedCurves) {
  for (bool isAnalysis : {false, true}) {
    auto project = Sample(isAnalysis ? "storm-sewer-analysis.xml" : "storm-sewer-design.xml", isAnalysis);
    const TStormSewerElementList& list = project->ElementList;
    ASSERT_GE(list.Count(), 10);
    ASSERT_EQ(project->Calculate(), 0) << project->LastError;
    int warnings = 0;
    int open = 0;
    for (int i = 0; i < list.Count(); ++i) {
      const TStormSewerElement& pipe = *list.Pipe(i);
      EXPECT_GT(pipe.Rainfall, 0) << i;
      EXPECT_EQ(pipe.Rainfall, Shipped().RainfallIntensity("10", "3", pipe.BeginTime)) << i;
      EXPECT_GE(pipe.Diameter, 15) << i;
      EXPECT_GE(pipe.HGInletFlow, pipe.HGOutletFlow) << i;
      warnings += pipe.PipeDiameterWarning;
      open += pipe.IsOpenJunction;
    }
    EXPECT_GE(open, 3);
    // The analysis holds one lateral built a size too small.
    EXPECT_EQ(warnings, isAnalysis ? 1 : 0);
    const TStormSewerElement& outlet = *list.Pipe(list.Count() - 1);
    EXPECT_TRUE(outlet.IsFinalJunction);
    EXPECT_EQ(outlet.HGOutletFlow, project->GeneralParameters.TailwaterElevation);

    // A result file reads back as the same input.
    TStormSewer reloaded(isAnalysis, &Shipped());
    reloaded.Load(project->SaveWithResults());
    EXPECT_EQ(reloaded.SaveInput(), project->SaveInput());
  }
}

TEST(StormSewerSamples, ProjectsCalculateSideBySide) {
  auto design = Sample("storm-sewer-design.xml", false);
  auto analysis = Sample("storm-sewer-analysis.xml", true);
  ASSERT_EQ(design->Calculate(), 0);
  ASSERT_EQ(analysis->Calculate(), 0);
  const std::string designText = design->SaveWithResults();
  const std::string analysisText = analysis->SaveWithResults();
  // Nothing is shared between projects but the read-only code table.
  auto design2 = Sample("storm-sewer-design.xml", false);
  auto analysis2 = Sample("storm-sewer-analysis.xml", true);
  std::thread first([&] {
    for (int i = 0; i < 20; ++i) design2->Calculate();
  });
  std::thread second([&] {
    for (int i = 0; i < 20; ++i) analysis2->Calculate();
  });
  first.join();
  second.join();
  EXPECT_EQ(design2->SaveWithResults(), designText);
  EXPECT_EQ(analysis2->SaveWithResults(), analysisText);
}
