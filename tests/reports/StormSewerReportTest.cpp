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
#include "xml/XmlDocument.h"

namespace {

const TNerraParameterList& Parameters() {
  static TNerraParameterList* parameters = [] {
    auto* p = new TNerraParameterList();
    TCulvertBasePipeList pipes;
    EXPECT_EQ(StartupLoadParameters(std::string(DREVIA_BIN_DIR) + "/", *p, pipes), "");
    return p;
  }();
  return *parameters;
}

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

std::vector<std::string> AllTexts(const std::vector<TRenderedPage>& pages) {
  std::vector<std::string> texts;
  for (const TRenderedPage& page : pages)
    for (const std::string& t : page.TextsInOrder()) texts.push_back(t);
  return texts;
}

std::string After(const std::vector<std::string>& texts, const std::string& caption) {
  const auto it = std::find(texts.begin(), texts.end(), caption);
  return it == texts.end() || it + 1 == texts.end() ? "<none>" : *(it + 1);
}

int CountOf(const TRenderedPage& page, const std::string& text) {
  return static_cast<int>(std::count_if(page.Texts.begin(), page.Texts.end(),
                                        [&](const TRenderedText& t) { return t.Text == text; }));
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
constexpr double AreaLeft = 36 + 86, AreaRight = 36 + 120, CALeft = 36 + 120, CARight = 36 + 152;

}  // namespace

TEST(StormSewerReport, RecordsOfTheDesignSample) {
  const auto sewer = Sample("storm-sewer-design.xml", false);
  const auto report = CreateStormSewerReport(*sewer);
  const TReportDataset& d = report->Dataset;
  const std::vector<std::string> names = {
      "BEGIN_STATION",    "END_STATION",       "TOTAL_AREA",        "DELTA_CA",          "BEGIN_TIME",
      "RAINFALL",         "FLOW",              "HG_RAINFALL",       "HG_FLOW",           "DIAMETER",
      "PIPE_LENGTH",      "SLOPE",             "INLET_FLOW",        "OUTLET_FLOW",       "VELOCITY",
      "FULL_CAPACITY",    "HG_SLOPE",          "HG_INLET_ELEV",     "HG_OUTLET_ELEV",    "INLET_COVER_ELEV",
      "OUTLET_COVER_ELEV", "COVER_MINUS_HG",   "COVER_MINUS_CROWN", "INLET_TYPE",        "USED_MANNING",
      "PIPE_DIAMETER_WARNING", "IS_OPEN_JUNCTION", "IS_FINAL_JUNCTION", "JUNCTION_BEGIN_ID", "JUNCTION_END_ID"};
  ASSERT_EQ(d.FieldCount(), static_cast<int>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(d.Field(static_cast<int>(i)).Name, names[i]);
  EXPECT_EQ(d.Field(d.FieldIndex("INLET_TYPE")).Size, 10);
  EXPECT_EQ(d.Field(d.FieldIndex("PIPE_DIAMETER_WARNING")).Size, 80);

  ASSERT_EQ(d.RecordCount(), sewer->ElementList.Count());
  for (int r = 0; r < d.RecordCount(); ++r) {
    const TStormSewerElement& pipe = *sewer->ElementList.Pipe(r);
    EXPECT_EQ(d.Text(r, "JUNCTION_BEGIN_ID"), pipe.BeginJunction) << "list order";
    EXPECT_DOUBLE_EQ(d.AsFloat(r, "FLOW"), pipe.Rainfall * pipe.GlobalArea);
    EXPECT_DOUBLE_EQ(d.AsFloat(r, "HG_FLOW"), pipe.HGRainfall * pipe.GlobalArea);
    EXPECT_DOUBLE_EQ(d.AsFloat(r, "COVER_MINUS_HG"), pipe.InletCover - pipe.HGInletFlow);
    EXPECT_DOUBLE_EQ(d.AsFloat(r, "COVER_MINUS_CROWN"), pipe.InletCover - pipe.InletCrownElevation());
    EXPECT_DOUBLE_EQ(d.AsFloat(r, "USED_MANNING"), pipe.EffectiveN);
    EXPECT_EQ(d.Text(r, "PIPE_DIAMETER_WARNING"), pipe.PipeDiameterWarning ? "Warning" : "");
  }
  // Pipe 1: CB1 to MH1, 0.85 acres at 0.9 and 1.4 acres at 0.35.
  EXPECT_DOUBLE_EQ(d.AsFloat(0, "TOTAL_AREA"), 0.85 + 1.4);
  EXPECT_DOUBLE_EQ(d.AsFloat(0, "DELTA_CA"), 0.9 * 0.85 + 0.35 * 1.4);
  EXPECT_EQ(d.Text(0, "INLET_TYPE"), "CB 3x3 ft");
  EXPECT_EQ(d.Text(0, "BEGIN_STATION"), "10+00");
  EXPECT_EQ(d.Text(0, "END_STATION"), "12+80");
  EXPECT_EQ(d.Text(0, "IS_OPEN_JUNCTION"), "Y");
  EXPECT_EQ(d.Text(0, "IS_FINAL_JUNCTION"), "N");
  EXPECT_EQ(d.Text(1, "IS_OPEN_JUNCTION"), "N");
}

TEST(StormSewerReport, PagesOfTheDesignSample) {
  const auto sewer = Sample("storm-sewer-design.xml", false);
  const auto report = CreateStormSewerReport(*sewer);
  const auto pages = report->Paginate();
  ASSERT_EQ(pages.size(), 1u);
  const TRenderedPage& page = pages[0];
  const auto texts = page.TextsInOrder();
  EXPECT_EQ(CountOf(page, "STORM SEWER SYSTEM"), 1);
  EXPECT_EQ(After(texts, "PID :"), "SR-114-0047");
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
  EXPECT_EQ(CountOf(page, "INLET TYPE"), 1);
  EXPECT_EQ(CountOf(page, "storm-sewer-design.xml"), 1);
  EXPECT_EQ(CountOf(page, "Page 1"), 1);

  int open = 0, final = 0;
  for (int r = 0; r < report->Dataset.RecordCount(); ++r) {
    open += report->Dataset.Text(r, "IS_OPEN_JUNCTION") == "Y";
    final += report->Dataset.Text(r, "IS_FINAL_JUNCTION") == "Y";
  }
  EXPECT_GT(open, 1);
  EXPECT_EQ(final, 1);
  EXPECT_EQ(CountOf(page, "begin"), open);
  EXPECT_EQ(CountOf(page, "final"), final);
  EXPECT_EQ(CountOf(page, "CB1"), 1);
  int inletTypes = 0;
  for (int r = 0; r < report->Dataset.RecordCount(); ++r)
    inletTypes += report->Dataset.Text(r, "INLET_TYPE") == "CB 3x3 ft";
  EXPECT_EQ(CountOf(page, "CB 3x3 ft"), inletTypes);
}

TEST(StormSewerReport, AnalysisSampleAndItsWarnings) {
  const auto sewer = Sample("storm-sewer-analysis.xml", true);
  // The analysis sample has a pipe smaller than one arriving at its begin.
  const auto report = CreateStormSewerReport(*sewer);
  const auto pages = report->Paginate();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(CountOf(pages[0], "STORM SEWER SYSTEM"), 1) << "one heading for design and analysis";
  int warnings = 0;
  for (int i = 0; i < sewer->ElementList.Count(); ++i) warnings += sewer->ElementList.Pipe(i)->PipeDiameterWarning;
  ASSERT_GT(warnings, 0);
  EXPECT_EQ(CountOf(pages[0], "Warning"), warnings);
  for (const TRenderedText& t : pages[0].Texts)
    if (t.Text == "Warning") {
      EXPECT_TRUE(t.Bold);
      EXPECT_GE(t.X, 36 + 238.0) << "under the discharge columns";
      EXPECT_LE(t.X + t.Width, 36 + 294.0);
    }
}

TEST(StormSewerReport, RunningSumsInListOrder) {
  // The outlet pipe comes first in the list, its two branches after it;
  // the sums still run down the list. The first branch has no runoff
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
  // Every rendering starts again from nothing.
  EXPECT_EQ(DetailTextsBetween(report->Paginate()[0], AreaLeft, AreaRight).back(), "6.00");
  EXPECT_EQ(CountOf(pages[0], "final"), 1);
  EXPECT_EQ(CountOf(pages[0], "begin"), 2);
}

TEST(StormSewerReport, IdentificationAndCutTexts) {
  TStormSewer sewer(false, &Parameters());
  TStormSewerElement* pipe = AddPipe(sewer, 1, "A", "B", 1, 0.5);
  pipe->Structure = "CB";
  pipe->InletType = "Double grate 3x3";
  const auto report = CreateStormSewerReport(sewer);
  EXPECT_EQ(report->Dataset.Text(0, "INLET_TYPE"), "CB Double ");
  const auto texts = report->Paginate()[0].TextsInOrder();
  EXPECT_EQ(After(texts, "Date :"), "Project :") << "the zero date prints empty";
  EXPECT_EQ(After(texts, "Minimum Pipe Size :"), "0.00");
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "(10 yrs.)"), 0) << "no frequency, no caption";

  sewer.Identification.ProjectDate = -700;  // before the zero date
  EXPECT_EQ(After(CreateStormSewerReport(sewer)->Paginate()[0].TextsInOrder(), "Date :"), "Project :");
}

TEST(StormSewerReport, UncalculatedPipesPrintNoBrokenNumbers) {
  // Nothing calculated: no diameter, so the capacity and friction slope
  // have nothing to divide by.
  TStormSewer sewer(false, &Parameters());
  AddPipe(sewer, 1, "A", "B", 1, 0.5);
  const auto report = CreateStormSewerReport(sewer);
  for (const std::string& t : AllTexts(report->Paginate())) {
    EXPECT_EQ(t.find("nan"), std::string::npos) << t;
    EXPECT_TRUE(t != "inf" && t != "-inf") << t;
  }
}

TEST(StormSewerReport, ProjectWithoutPipes) {
  TStormSewer sewer(true, &Parameters());
  const auto report = CreateStormSewerReport(sewer);
  EXPECT_EQ(report->Dataset.RecordCount(), 0);
  const auto pages = report->Paginate();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(pages[0].HasText("STORM SEWER SYSTEM"));
  EXPECT_TRUE(pages[0].HasText("Rainfall Area:"));
  EXPECT_TRUE(pages[0].HasText("JUNCTION"));
  EXPECT_TRUE(pages[0].HasText("Page 1"));
}

TEST(StormSewerReport, LongNetworkBreaksIntoPagesWithHeadings) {
  TStormSewer sewer(false, &Parameters());
  for (int i = 1; i <= 40; ++i) AddPipe(sewer, i, "J" + std::to_string(i), "J" + std::to_string(i + 1), 1, 0.5);
  const auto report = CreateStormSewerReport(sewer);
  const auto pages = report->Paginate();
  ASSERT_GT(pages.size(), 1u);
  size_t printed = 0;
  for (const TRenderedPage& page : pages) {
    EXPECT_EQ(CountOf(page, "JUNCTION"), 1) << "page " << page.Number;
    EXPECT_EQ(CountOf(page, "Rainfall Area:"), page.Number == 1 ? 1 : 0);
    printed += page.Records.size();
  }
  EXPECT_EQ(printed, 40u);
  // The sums carry on across the page break.
  EXPECT_EQ(DetailTextsBetween(pages.back(), AreaLeft, AreaRight).back(), "40.00");
}
