// The storm sewer report built from the shipped tables and the sample
// networks: its records, the two lines of every pipe, the running sums and
// the frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/StormSewerReport.h"
#include "stormsewer/StormSewer.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

namespace {

const TNerraParameterList& Parameters() { return ShippedParameters(); }

std::unique_ptr<TStormSewer> Sample(const std::string& name, bool isAnalysis) {
  auto sewer = std::make_unique<TStormSewer>(isAnalysis, &Parameters());
  TXMLDocument document;
  std::string error;
  const std::string fileName = std::string(DREVIA_SOURCE_DIR) + "/samples/" + name;
  EXPECT_TRUE(OpenProjectDocument(fileName, document, error)) << error;
  sewer->Load(document.GetXML());
  sewer->FileName = fileName;
  EXPECT_EQ(sewer->Calculate(), 0) << sewer->LastError;
  return sewer;
}

TStormSewerElement* AddPipe(TStormSewer& sewer, int id, const std::string& from, const std::string& to, double area,
                            double coefficient) {
  auto* pipe = new TStormSewerElement();
  pipe->ElementId = id;
  pipe->BeginJunction = from;
  pipe->EndJunction = to;
  pipe->RunoffArea1 = area;
  pipe->RunoffCoeff1 = coefficient;
  pipe->Length = 100;
  pipe->InletCrown = 110;
  pipe->OutletCrown = 109;
  pipe->SetTime(10);
  sewer.ElementList.AddPipe(pipe);
  return pipe;
}

std::string After(const std::vector<std::string>& texts, const std::string& caption) {
  const auto it = std::find(texts.begin(), texts.end(), caption);
  return it == texts.end() || it + 1 == texts.end() ? "<none>" : *(it + 1);
}

int CountOf(const TRenderedPage& page, const std::string& text) {
  return static_cast<int>(
      std::count_if(page.Texts.begin(), page.Texts.end(), [&](const TRenderedText& t) { return t.Text == text; }));
}

// The detail texts (captions are bold) printed within a band of x, top to
// bottom.
std::vector<std::string> DetailTextsBetween(const TRenderedPage& page, double left, double right) {
  std::vector<const TRenderedText*> found;
  for (const TRenderedText& t : page.Texts)
    if (!t.Bold && t.X >= left && t.X + t.Width <= right + 0.01) found.push_back(&t);
  std::stable_sort(found.begin(), found.end(), [](const auto* a, const auto* b) { return a->Y < b->Y; });
  std::vector<std::string> texts;
  for (const TRenderedText* t : found) texts.push_back(t->Text);
  return texts;
}

// Column 3 (areas) and 4 (C.A) of the page, from the left margin of 36 pt.
constexpr double AreaLeft = 36 + 96, AreaRight = 36 + 130, CALeft = 36 + 130, CARight = 36 + 160;

}  // namespace

TEST(StormSewerReport, DesignSample) {
  const auto sewer = Sample("storm-sewer-design.xml", false);
  const auto report = CreateStormSewerReport(*sewer);
  const TReportDataset& d = report->Dataset;
  ASSERT_EQ(d.FieldCount(), 30);
  EXPECT_EQ(d.Field(0).Name, "BEGIN_STATION");
  EXPECT_EQ(d.Field(29).Name, "JUNCTION_END_ID");
  ASSERT_EQ(d.RecordCount(), sewer->ElementList.Count());
  int open = 0, final = 0;
  for (int r = 0; r < d.RecordCount(); ++r) {
    const TStormSewerElement& pipe = *sewer->ElementList.Pipe(r);
    EXPECT_EQ(d.Text(r, "JUNCTION_BEGIN_ID"), pipe.BeginJunction) << "list order";
    EXPECT_DOUBLE_EQ(d.AsFloat(r, "HG_FLOW"), pipe.HGRainfall * pipe.GlobalArea);
    EXPECT_DOUBLE_EQ(d.AsFloat(r, "COVER_MINUS_CROWN"), pipe.InletCover - pipe.InletCrownElevation());
    open += pipe.IsOpenJunction;
    final += pipe.IsFinalJunction;
  }
  // Pipe 1: CB1 to MH1, 0.85 acres at 0.9 and 1.4 acres at 0.35.
  EXPECT_DOUBLE_EQ(d.AsFloat(0, "DELTA_CA"), 0.9 * 0.85 + 0.35 * 1.4);
  EXPECT_EQ(d.Text(0, "INLET_TYPE"), "CB 3x3 ft");
  EXPECT_EQ(d.Text(0, "IS_OPEN_JUNCTION"), "Y");

  const auto pages = report->Paginate();
  ASSERT_EQ(pages.size(), 2u) << "the table and the profile";
  const TRenderedPage& page = pages[0];
  const auto texts = page.TextsInOrder();
  EXPECT_EQ(CountOf(page, "STORM SEWER SYSTEM"), 1);
  EXPECT_EQ(After(texts, "Date :"), "03/18/2024");
  EXPECT_EQ(After(texts, "Rainfall Area:"), "3");
  EXPECT_EQ(After(texts, "Just Full Capacity Frequency (yrs.) :"), "10");
  EXPECT_EQ(After(texts, "Hydraulic Gradient Frequency (yrs.) :"), "25");
  EXPECT_EQ(After(texts, "Minimum Pipe Size :"), "15.00");
  EXPECT_EQ(After(texts, "Tailwater Elevation (ft.):"), "101.60");
  // Rainfall and discharge each caption their halves with the frequencies.
  EXPECT_EQ(CountOf(page, "(10 yrs.)"), 2);
  EXPECT_EQ(CountOf(page, "(25 yrs.)"), 2);
  EXPECT_EQ(CountOf(page, DeltaSign), 2);
  EXPECT_EQ(CountOf(page, SigmaSign), 2);
  // The painter reads every other text as ISO-8859-1, which has no Greek.
  for (const TRenderedText& text : page.Texts) {
    if (text.Text == DeltaSign || text.Text == SigmaSign) {
      EXPECT_TRUE(text.Utf8);
    }
  }
  EXPECT_GT(open, 1);
  EXPECT_EQ(final, 1);
  EXPECT_EQ(CountOf(page, "begin"), open);
  EXPECT_EQ(CountOf(page, "final"), final);
}

TEST(StormSewerReport, DiameterWarningUnderTheDischarge) {
  // The analysis sample has a pipe smaller than one arriving at its begin.
  const auto sewer = Sample("storm-sewer-analysis.xml", true);
  int warnings = 0;
  for (int i = 0; i < sewer->ElementList.Count(); ++i) warnings += sewer->ElementList.Pipe(i)->PipeDiameterWarning;
  ASSERT_GT(warnings, 0);
  const auto pages = CreateStormSewerReport(*sewer)->Paginate();
  ASSERT_EQ(pages.size(), 2u) << "the table and the profile";
  EXPECT_EQ(CountOf(pages[0], "Warning"), warnings);
  for (const TRenderedText& t : pages[0].Texts)
    if (t.Text == "Warning") {
      EXPECT_TRUE(t.Bold);
      EXPECT_GE(t.X, 36 + 248.0);
      EXPECT_LE(t.X + t.Width, 36 + 308.0);
    }
}

TEST(StormSewerReport, RunningSumsInListOrder) {
  // The outlet pipe comes first in the list, its two branches after it;
  // the sums still run down the list. The first pipe has no runoff
  // coefficient, so its C.A sum stays 0 and prints empty.
  TStormSewer sewer(false, &Parameters());
  AddPipe(sewer, 1, "B", "C", 1, 0);
  AddPipe(sewer, 2, "A", "B", 2, 0.5);
  AddPipe(sewer, 3, "D", "B", 3, 0.5);
  ASSERT_EQ(sewer.ElementList.CheckStructure(), "");
  const auto report = CreateStormSewerReport(sewer);
  const auto pages = report->Paginate();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(DetailTextsBetween(pages[0], AreaLeft, AreaRight),
            (std::vector<std::string>{"1.00", "1.00", "2.00", "3.00", "3.00", "6.00"}));
  EXPECT_EQ(DetailTextsBetween(pages[0], CALeft, CARight),
            (std::vector<std::string>{"0.00", "1.00", "1.00", "1.50", "2.50"}));
  EXPECT_EQ(DetailTextsBetween(report->Paginate()[0], AreaLeft, AreaRight).back(), "6.00")
      << "every rendering starts again from nothing";
  EXPECT_EQ(CountOf(pages[0], "final"), 1);
  EXPECT_EQ(CountOf(pages[0], "begin"), 2);

  // Across a page break the sums carry on.
  for (int i = 4; i <= 40; ++i) AddPipe(sewer, i, "J" + std::to_string(i), "J" + std::to_string(i + 1), 1, 0.5);
  const auto long_ = CreateStormSewerReport(sewer)->Paginate();
  ASSERT_GT(long_.size(), 1u);
  EXPECT_EQ(CountOf(long_.back(), "JUNCTION"), 1);
  EXPECT_EQ(DetailTextsBetween(long_.back(), AreaLeft, AreaRight).back(), "43.00");
}

TEST(StormSewerReport, UncalculatedPipeAndUnsetDate) {
  TStormSewer sewer(false, &Parameters());
  TStormSewerElement* pipe = AddPipe(sewer, 1, "A", "B", 1, 0.5);
  pipe->Structure = "CB";
  pipe->InletType = "Double grate 3x3";
  const auto report = CreateStormSewerReport(sewer);
  EXPECT_EQ(report->Dataset.Text(0, "INLET_TYPE"), "CB Double ");
  const TRenderedPage page = report->Paginate()[0];
  const auto texts = page.TextsInOrder();
  EXPECT_EQ(After(texts, "Date :"), "Project :") << "the zero date prints empty";
  EXPECT_EQ(CountOf(page, "(10 yrs.)"), 0) << "no frequency, no caption";
  // No diameter: capacity and friction slope have nothing to divide by.
  for (const std::string& t : texts) EXPECT_TRUE(t.find("nan") == std::string::npos && t != "inf") << t;

  sewer.Identification.ProjectDate = -700;  // before the zero date
  EXPECT_EQ(After(CreateStormSewerReport(sewer)->Paginate()[0].TextsInOrder(), "Date :"), "Project :");
}

TEST(StormSewerReport, ProjectWithoutPipes) {
  TStormSewer sewer(true, &Parameters());
  const auto pages = CreateStormSewerReport(sewer)->Paginate();
  ASSERT_EQ(pages.size(), 1u);
  for (const char* text : {"STORM SEWER SYSTEM", "Rainfall Area:", "JUNCTION", "Page 1 of 1"})
    EXPECT_TRUE(pages[0].HasText(text)) << text;
}
