// The report of a project of any kind and the name its PDF is offered under.

#include <gtest/gtest.h>

#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "ditch/DitchAnalysis.h"
#include "inletspacing/InletSpacing.h"
#include "reports/CulvertAnalysisReport.h"
#include "reports/CulvertDesignReport.h"
#include "reports/DitchAnalysisReport.h"
#include "reports/InletSpacingReport.h"
#include "reports/ProjectReport.h"
#include "reports/Report.h"
#include "reports/StormSewerReport.h"
#include "stormsewer/StormSewer.h"
#include "support/ShippedTables.h"

TEST(ProjectReport, EveryKindGetsItsOwnReport) {
  const TNerraParameterList& parameters = ShippedTables().Parameters;
  TCulvertDesign design(&parameters, &ShippedTables().Pipes);
  TCulvertAnalysis analysis(&parameters, &ShippedTables().Pipes);
  TStormSewer sewer(true, &parameters);
  TInletSpacing inlets(&parameters);
  TDitchAnalysis ditch(&parameters);
  EXPECT_EQ(CreateProjectReport(design, parameters)->Heading, CulvertDesignReportHeading);
  EXPECT_EQ(CreateProjectReport(analysis, parameters)->Heading, CulvertAnalysisReportHeading);
  EXPECT_EQ(CreateProjectReport(sewer, parameters)->Heading, StormSewerReportHeading);
  EXPECT_EQ(CreateProjectReport(inlets, parameters)->Heading, InletSpacingReportHeading);
  EXPECT_EQ(CreateProjectReport(ditch, parameters)->Heading, DitchAnalysisReportHeading);
}

TEST(ProjectReport, DefaultFileNameBesideTheProject) {
  TDitchAnalysis ditch(&ShippedTables().Parameters);
  EXPECT_EQ(DefaultReportFileName(ditch), "ditch-analysis-report.pdf") << "a new project has no folder";
  ditch.FileName = "/jobs/sr31/mill creek.v2.xml";
  EXPECT_EQ(DefaultReportFileName(ditch), "/jobs/sr31/mill creek.v2-ditch-analysis-report.pdf");
  ditch.FileName = "C:\\jobs\\route9";
  EXPECT_EQ(DefaultReportFileName(ditch), "C:\\jobs\\route9-ditch-analysis-report.pdf");
  TCulvertDesign design(&ShippedTables().Parameters, &ShippedTables().Pipes);
  design.FileName = "route9.xml";
  EXPECT_EQ(DefaultReportFileName(design), "route9-culvert-design-report.pdf");
  EXPECT_EQ(CreateProjectReport(design, ShippedTables().Parameters)->PdfFileName, "route9-culvert-design-report.pdf")
      << "the report carries the name its PDF is offered under";
  TStormSewer sewer(false, &ShippedTables().Parameters);
  sewer.FileName = "/jobs/.xml";
  EXPECT_EQ(DefaultReportFileName(sewer), "/jobs/.xml-storm-sewer-report.pdf") << "a name that is only an extension";
}
