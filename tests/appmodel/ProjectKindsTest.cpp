// The kind table: every name a file may carry selects one row, every row
// builds a project that writes its own first name, and the outcome of a
// calculation follows the kind's rule.

#include <gtest/gtest.h>

#include <set>

#include "appmodel/ProjectKinds.h"
#include "culvert/CulvertDesign.h"
#include "culvert/CulvertElement.h"
#include "inletspacing/InletSpacing.h"
#include "model/NerraBase.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "stormsewer/StormSewer.h"

TEST(ProjectKinds, KindElementNamesSelectTheirKind) {
  EXPECT_EQ(ProjectKindOfElementName("CulvertDesign"), TProjectKind::CulvertDesign);
  EXPECT_EQ(ProjectKindOfElementName("CulvertAnalysis"), TProjectKind::CulvertAnalysis);
  EXPECT_EQ(ProjectKindOfElementName("StormSewerDesign"), TProjectKind::StormSewerDesign);
  EXPECT_EQ(ProjectKindOfElementName("StormSewerAnalysis"), TProjectKind::StormSewerAnalysis);
  EXPECT_EQ(ProjectKindOfElementName("StormSewerSystemDesign"), TProjectKind::StormSewerAnalysis);
  EXPECT_EQ(ProjectKindOfElementName("InletSpacingDesign"), TProjectKind::InletSpacing);
  EXPECT_EQ(ProjectKindOfElementName("DitchAnalysis"), TProjectKind::DitchAnalysis);
  EXPECT_EQ(ProjectKindOfElementName("InletSpacing"), TProjectKind::Unknown);
  EXPECT_EQ(ProjectKindOfElementName("culvertdesign"), TProjectKind::Unknown);
  EXPECT_EQ(ProjectKindOfElementName(""), TProjectKind::Unknown);
  EXPECT_EQ(ProjectKindRowOf(TProjectKind::Unknown), nullptr);
}

// A row that created another kind's project, or two rows claiming one name,
// would open files as the wrong kind.
TEST(ProjectKinds, EveryRowBuildsItsOwnKindAndNoNameIsClaimedTwice) {
  const TNerraParameterList parameters;
  const TCulvertBasePipeList catalogue;
  std::set<std::string> names;
  std::set<TProjectKind> kinds;
  for (const TProjectKindRow& row : ProjectKinds()) {
    SCOPED_TRACE(row.ElementNames.front());
    EXPECT_TRUE(kinds.insert(row.Kind).second);
    for (const std::string& name : row.ElementNames) EXPECT_TRUE(names.insert(name).second) << name;
    ASSERT_TRUE(row.CreateProject && row.Elements && row.ResultHeadings && row.Results);
    std::unique_ptr<TNerraBaseProject> project = row.CreateProject(parameters, catalogue);
    ASSERT_TRUE(project);
    EXPECT_EQ(project->KindElementName(), row.ElementNames.front());
    EXPECT_EQ(ProjectKindRowOf(*project), &row);
    EXPECT_EQ(row.Elements(*project).Count(), 0);
    EXPECT_FALSE(row.ResultHeadings().empty());
    // A project not yet calculated has a header and no rows.
    const TResultTree results = ProjectResults(*project);
    EXPECT_FALSE(results.Columns.empty());
    EXPECT_EQ(results.Columns.front(), "id");
    EXPECT_TRUE(FlattenResults(results).empty());
    if (row.CreateElement) {
      row.Elements(*project).Add(std::string(), row.CreateElement().release());
      EXPECT_EQ(row.Elements(*project).Count(), 1);
    }
  }
  EXPECT_EQ(kinds.size(), 6u);
  // Only culvert analysis lets its dialog create the element.
  EXPECT_EQ(ProjectKindRowOf(TProjectKind::CulvertAnalysis)->CreateElement, nullptr);
}

TEST(ProjectKinds, OutcomeFollowsTheKindsRule) {
  const TNerraParameterList parameters;
  const TCulvertBasePipeList catalogue;
  TCulvertDesign design(&parameters, &catalogue);
  TStormSewer sewer(false, &parameters);
  TInletSpacing inlets(&parameters);

  // Culvert kinds refuse a negative result only; a message after a
  // positive one is a partial result.
  EXPECT_EQ(CalculationOutcome(design, -1), TCalculationOutcome::Refused);
  EXPECT_EQ(CalculationOutcome(design, 1), TCalculationOutcome::Done);
  design.LastError = "Element #5: Design Discharge should be greater than 0.";
  EXPECT_EQ(CalculationOutcome(design, 0), TCalculationOutcome::Partial);
  EXPECT_EQ(CalculationOutcome(design, -1), TCalculationOutcome::Refused);

  // Storm sewer refuses any result but 0; per-pipe messages after a
  // finished calculation leave the results standing.
  EXPECT_EQ(CalculationOutcome(sewer, 1), TCalculationOutcome::Refused);
  EXPECT_EQ(CalculationOutcome(sewer, 0), TCalculationOutcome::Done);
  sewer.LastError = "Element #2: No rainfall intensity for this Rainfall Area and Storm Frequency.";
  EXPECT_EQ(CalculationOutcome(sewer, 0), TCalculationOutcome::Partial);

  // Inlet spacing never refuses.
  EXPECT_EQ(CalculationOutcome(inlets, -1), TCalculationOutcome::Done);
  inlets.LastError = "Element #2: No rainfall intensity for this Rainfall Area and Storm Frequency.";
  EXPECT_EQ(CalculationOutcome(inlets, -1), TCalculationOutcome::Partial);
}

TEST(ProjectKinds, CalculateProjectRunsTheNetworkCheckFirst) {
  const TNerraParameterList parameters;
  TStormSewer sewer(false, &parameters);
  auto* pipe = new TStormSewerElement();
  pipe->BeginJunction = "A";
  pipe->EndJunction = "A";
  sewer.ElementList.Add("001", pipe);
  const TCalculation calculation = CalculateProject(sewer);
  EXPECT_EQ(calculation.Outcome, TCalculationOutcome::Refused);
  EXPECT_NE(calculation.Message.find("Invalid Storm Sewer Structure"), std::string::npos);

  // An empty culvert design is refused, saying there is nothing to design.
  const TCulvertBasePipeList catalogue;
  TCulvertDesign design(&parameters, &catalogue);
  const TCalculation empty = CalculateProject(design);
  EXPECT_EQ(empty.Outcome, TCalculationOutcome::Refused);
  EXPECT_EQ(empty.Message, NothingToDesignMessage);
}
