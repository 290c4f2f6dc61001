// The inlet spacing report built from the shipped tables and the sample
// gutter run: its records, the lines of begin points, inlets on grade and
// sag inlets, and the closing sump data.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "foundation/DisplayFormat.h"
#include "inletspacing/InletSpacing.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/InletSpacingReport.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

namespace {

const TNerraParameterList& Parameters() { return ShippedParameters(); }

std::unique_ptr<TInletSpacing> Sample() {
  auto project = std::make_unique<TInletSpacing>(&Parameters());
  TXMLDocument document;
  std::string error;
  const std::string fileName = std::string(DREVIA_SOURCE_DIR) + "/samples/inlet-spacing.xml";
  EXPECT_TRUE(OpenProjectDocument(fileName, document, error)) << error;
  project->Load(document.GetXML());
  project->FileName = fileName;
  EXPECT_EQ(project->Calculate(), 0);
  return project;
}

std::string CatchBasinDescription(const std::string& code) {
  return Parameters().CodesOfCategory(pcCBType)->DescriptionOfCode(code);
}

std::string After(const std::vector<std::string>& texts, const std::string& caption) {
  const auto it = std::find(texts.begin(), texts.end(), caption);
  return it == texts.end() || it + 1 == texts.end() ? "<none>" : *(it + 1);
}

// The texts of the detail line that starts with a station, left to right.
std::vector<std::string> Line(const TRenderedPage& page, const std::string& station) {
  const auto first = std::find_if(page.Texts.begin(), page.Texts.end(),
                                  [&](const TRenderedText& t) { return t.Text == station && !t.Bold; });
  if (first == page.Texts.end()) return {"<no line>"};
  std::vector<const TRenderedText*> line;
  for (const TRenderedText& t : page.Texts)
    if (t.Y == first->Y) line.push_back(&t);
  std::stable_sort(line.begin(), line.end(), [](const auto* a, const auto* b) { return a->X < b->X; });
  std::vector<std::string> texts;
  for (const TRenderedText* t : line) texts.push_back(t->Text);
  return texts;
}

}  // namespace

TEST(InletSpacingReport, RecordsOfTheSample) {
  const auto project = Sample();
  const auto report = CreateInletSpacingReport(*project, Parameters());
  const TReportDataset& d = report->Dataset;
  ASSERT_EQ(d.FieldCount(), 20);
  EXPECT_EQ(d.Field(0).Name, "STATION");
  EXPECT_EQ(d.Field(19).Name, "LOCAL_DEPRESSION");
  ASSERT_EQ(d.RecordCount(), 8);
  EXPECT_EQ(d.Text(0, "CB_TYPE"), "0") << "a begin point";
  EXPECT_EQ(d.Text(1, "CB_TYPE"), "4");
  EXPECT_DOUBLE_EQ(d.AsFloat(1, "GUTTER_LENGTH"), 300) << "the station difference";
  EXPECT_EQ(d.Text(7, "STATION"), "33+00") << "list order";
  EXPECT_DOUBLE_EQ(d.AsFloat(2, "CONC_TIME"), project->Elements.Items(2)->ConcTimeUsed) << "the time in use";
}

TEST(InletSpacingReport, LinesOfBeginPointsAndInlets) {
  const auto project = Sample();
  const auto pages = CreateInletSpacingReport(*project, Parameters())->Paginate();
  ASSERT_EQ(pages.size(), 2u) << "the table and the spread plot";
  const TRenderedPage& page = pages[0];
  EXPECT_EQ(Line(page, "10+00"), (std::vector<std::string>{"10+00", "Begin"}));
  EXPECT_EQ(Line(page, "30+00"), (std::vector<std::string>{"30+00", "Begin"}));

  // An inlet on grade prints its flows and no sump text.
  const TInletSpacingElement& onGrade = *project->Elements.Items(1);
  const auto grade = Line(page, "13+00");
  ASSERT_EQ(grade.size(), 19u);
  EXPECT_EQ(grade[1], CatchBasinDescription("4"));
  EXPECT_EQ(grade[2], "300.00");
  EXPECT_EQ(grade[12], "0.0833") << "local depression";
  EXPECT_EQ(grade[14], FormatFixed(onGrade.InterceptedFlow, 2));
  EXPECT_EQ(grade[15], FormatFixed(onGrade.BypassFlow, 2));
  EXPECT_EQ(grade[17], FormatFixed(onGrade.DepthFlow, 3));

  // Sag inlets star their intercepted and bypass flows.
  for (const auto& [station, sump] : {std::pair{"22+00", "Sag"}, std::pair{"24+50", "End"}}) {
    const auto sag = Line(page, station);
    ASSERT_EQ(sag.size(), 20u) << station;
    EXPECT_EQ(sag[14], "******");
    EXPECT_EQ(sag[15], "******");
    EXPECT_EQ(sag[19], sump);
  }
}

TEST(InletSpacingReport, TitleAndSumpData) {
  const auto project = Sample();
  ASSERT_TRUE(project->Elements.HasSumpData);
  const auto pages = CreateInletSpacingReport(*project, Parameters())->Paginate();
  ASSERT_EQ(pages.size(), 2u) << "the table and the spread plot";
  const auto texts = pages[0].TextsInOrder();
  EXPECT_TRUE(pages[0].HasText("INLET SPACING DESIGN"));
  EXPECT_EQ(After(texts, "Date :"), "04/22/2024");
  EXPECT_EQ(After(texts, "Rainfall Area:"), "3");
  EXPECT_EQ(After(texts, "Storm Frequency (yr.) :"), "10");
  EXPECT_EQ(After(texts, "Total Allow. Spread (ft.) :"), "8.00");
  EXPECT_EQ(After(texts, "Allowable Depth (ft.)"), "0.35");

  EXPECT_EQ(After(texts, "Total Flow (cfs) :"), FormatFixed(project->Elements.SumpTotalFlow, 2));
  EXPECT_EQ(After(texts, "Ponded Depth (ft.) :"), FormatFixed(project->Elements.SumpPondedDepth, 3));
  EXPECT_EQ(After(texts, "Spread on Pavement (ft.) :"), FormatFixed(project->Elements.SumpSpread, 2));
  const auto sump = std::find(texts.begin(), texts.end(), "SUMP DATA");
  EXPECT_NE(std::find(texts.begin(), sump, "33+00"), sump) << "after the last line";

  // Without an approach ("3") before the end ("2") there is no sump.
  project->Elements.Items(4)->Sump = "1";
  ASSERT_EQ(project->Calculate(), 0);
  ASSERT_FALSE(project->Elements.HasSumpData);
  EXPECT_FALSE(CreateInletSpacingReport(*project, Parameters())->Paginate()[0].HasText("SUMP DATA"));
}

TEST(InletSpacingReport, SumpCodeThatIsNoNumber) {
  // The calculation takes an inlet without a sump code as one on grade; the
  // report shows what it computed.
  const auto project = Sample();
  project->Elements.Items(1)->Sump = "";
  ASSERT_EQ(project->Calculate(), 0);
  const auto line = Line(CreateInletSpacingReport(*project, Parameters())->Paginate()[0], "13+00");
  ASSERT_EQ(line.size(), 19u);
  EXPECT_EQ(line[14], FormatFixed(project->Elements.Items(1)->InterceptedFlow, 2));
}

TEST(InletSpacingReport, UnknownCatchBasinUnsetDateAndNoElements) {
  TInletSpacing project(&Parameters());
  EXPECT_EQ(CreateInletSpacingReport(project, Parameters())->Paginate().size(), 1u);
  auto* inlet = new TInletSpacingElement();
  inlet->ElementId = 1;
  inlet->StationFeet = 1250;
  inlet->Sump = "1";
  inlet->CatchBasin = "my grate";
  project.Elements.Add("001", inlet);
  const TRenderedPage page = CreateInletSpacingReport(project, Parameters())->Paginate()[0];
  const auto line = Line(page, "12+50");
  ASSERT_GE(line.size(), 2u);
  EXPECT_EQ(line[1], FormatFixed(inlet->UsedGutterLength(), 2)) << "a code the table lacks has no description";
  EXPECT_EQ(After(page.TextsInOrder(), "Date :"), "Project :") << "an unset date prints empty";
  EXPECT_TRUE(page.HasText("INTERCPTD"));
  EXPECT_FALSE(page.HasText("SUMP DATA"));
}
