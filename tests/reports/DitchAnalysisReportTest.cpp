// The ditch analysis report built from the shipped tables and the sample
// project, and from hand-made rows for the limits the sample does not reach.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ditch/DitchAnalysis.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/DitchAnalysisReport.h"
#include "xml/XmlDocument.h"

namespace {

struct TShipped {
  TNerraParameterList Parameters;
  TCulvertBasePipeList Pipes;
  std::string Error;
};

const TShipped& Shipped() {
  static TShipped* tables = [] {
    auto* t = new TShipped();
    t->Error = StartupLoadParameters(std::string(DREVIA_BIN_DIR) + "/", t->Parameters, t->Pipes);
    return t;
  }();
  return *tables;
}

std::unique_ptr<TDitchAnalysis> Sample() {
  EXPECT_EQ(Shipped().Error, "");
  auto ditch = std::make_unique<TDitchAnalysis>(&Shipped().Parameters);
  TXMLDocument document;
  std::string error;
  const std::string fileName = std::string(DREVIA_SOURCE_DIR) + "/samples/ditch-analysis.xml";
  EXPECT_TRUE(OpenProjectDocument(fileName, document, error)) << error;
  ditch->Load(document.GetXML());
  ditch->FileName = fileName;
  EXPECT_EQ(ditch->Calculate(), 0);
  return ditch;
}

// The printed lines of all pages: texts of the same height, left to right.
std::vector<std::vector<std::string>> Lines(const std::vector<TRenderedPage>& pages) {
  std::vector<std::vector<std::string>> lines;
  for (const TRenderedPage& page : pages) {
    std::map<double, std::vector<const TRenderedText*>> byY;
    for (const TRenderedText& t : page.Texts) byY[t.Y].push_back(&t);
    for (auto& [y, texts] : byY) {
      std::sort(texts.begin(), texts.end(), [](auto* a, auto* b) { return a->X < b->X; });
      std::vector<std::string> line;
      for (const TRenderedText* t : texts) line.push_back(t->Text);
      lines.push_back(line);
    }
  }
  return lines;
}

bool Contains(const std::vector<std::string>& line, const std::string& text) {
  return std::find(line.begin(), line.end(), text) != line.end();
}

// The printed lines that show a text.
std::vector<std::vector<std::string>> LinesWith(const std::vector<TRenderedPage>& pages, const std::string& text) {
  std::vector<std::vector<std::string>> found;
  for (const auto& line : Lines(pages))
    if (Contains(line, text)) found.push_back(line);
  return found;
}

std::string After(const std::vector<std::string>& texts, const std::string& caption) {
  for (size_t i = 0; i + 1 < texts.size(); ++i)
    if (texts[i] == caption) return texts[i + 1];
  return "<none>";
}

// A project whose rows are made by hand: a section and its rows as given.
struct THandMade {
  TDitchAnalysis Project;
  TDitchAnalysisElement* Section = nullptr;

  THandMade() {
    Section = new TDitchAnalysisElement();
    Section->ElementId = 1;
    Section->SetBeginStation("20+00");
    Section->SetEndStation("22+00");
    Section->Side = "L";
    Section->Inslope = 4;
    Section->Backslope = 2;
    Section->Width = 2;
    Section->RunoffArea = 2;
    Section->RunoffCoeff = 0.5;
    Section->AreaSum = 2;
    Section->CASum = 1;
    Section->Grade = 7.2 / 62.4;
    Project.ElementList.Add("1", Section);
  }

  TDitchAnalysisElementResult& Row(bool first, TLiningType lining, double depth, double grade) {
    auto* row = new TDitchAnalysisElementResult();
    row->Element = Section;
    row->FirstLine = first;
    row->Lining = lining;
    row->Depth = depth;
    row->Grade = grade;
    row->WettedArea = 1;
    row->Intensity = 5;
    Project.ResultList.Add(std::string(), row);
    return *row;
  }
};

}  // namespace

TEST(DitchAnalysisReport, OneRecordPerResultRowInFieldOrder) {
  const auto ditch = Sample();
  const auto report = CreateDitchAnalysisReport(*ditch, Shipped().Parameters);
  const TReportDataset& d = report->Dataset;
  const std::vector<std::string> names = {
      "FIRST_LINE", "BEGIN_STATION", "END_STATION", "SIDE", "INSLOPE", "WIDTH", "BACKSLOPE", "GRADE", "AREA",
      "AREA_SUM", "RUNOFF_COEFF", "CA", "LINING", "RAINFALL", "MANNING_N", "TIME_FLOW", "VELOCITY", "FLOW", "DEPTH",
      "WIDTH_FLOW", "STORM_FREQUENCY", "DITCH_LENGTH", "SHEAR_CAPTION", "IS_GRADE_VALID", "IS_SHEAR_VALID",
      "IS_DEPTH_VALID"};
  ASSERT_EQ(d.FieldCount(), static_cast<int>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(d.Field(static_cast<int>(i)).Name, names[i]);
  EXPECT_EQ(d.Field(d.FieldIndex("FIRST_LINE")).Size, 10);
  EXPECT_EQ(d.Field(d.FieldIndex("LINING")).Size, 40);
  ASSERT_EQ(d.RecordCount(), ditch->ResultList.Count());

  EXPECT_EQ(d.Text(0, "FIRST_LINE"), "Y");
  EXPECT_EQ(d.Text(0, "BEGIN_STATION"), "100+00");
  EXPECT_EQ(d.Text(0, "END_STATION"), "103+00");
  EXPECT_EQ(d.Text(0, "SIDE"), "R");
  EXPECT_EQ(d.Text(0, "LINING"), "Seed");
  EXPECT_EQ(d.Text(0, "STORM_FREQUENCY"), "10");
  EXPECT_NEAR(d.AsFloat(0, "GRADE"), 0.008, 1e-12);
  EXPECT_DOUBLE_EQ(d.AsFloat(0, "DITCH_LENGTH"), 300);
  EXPECT_DOUBLE_EQ(d.AsFloat(0, "CA"), 1.8 * 0.55);
  EXPECT_DOUBLE_EQ(d.AsFloat(0, "FLOW"), ditch->Result(0)->Flow());
  EXPECT_EQ(d.Text(0, "SHEAR_CAPTION"), ditch->Result(0)->ShearText());
  EXPECT_EQ(d.Text(0, "IS_DEPTH_VALID"), "True");
  // The depth row of every section is computed for the depth storm.
  int depthRows = 0;
  for (int r = 0; r < d.RecordCount(); ++r) depthRows += d.Text(r, "STORM_FREQUENCY") == "50";
  EXPECT_EQ(depthRows, 5) << "one per section, none for the inflow";
  // The arc section prints its radius as the width and has no side slopes.
  for (int r = 0; r < d.RecordCount(); ++r) {
    if (d.Text(r, "BEGIN_STATION") != "108+00") continue;
    EXPECT_DOUBLE_EQ(d.AsFloat(r, "WIDTH"), 3);
    EXPECT_TRUE(d.IsNull(r, "INSLOPE"));
    EXPECT_TRUE(d.IsNull(r, "BACKSLOPE"));
  }
}

TEST(DitchAnalysisReport, SectionDataOnlyOnItsFirstLine) {
  const auto ditch = Sample();
  const auto report = CreateDitchAnalysisReport(*ditch, Shipped().Parameters);
  const TReportDataset& d = report->Dataset;
  const auto pages = report->Paginate();
  // Every row of a section prints, but its stations and areas only once.
  int rowsOfSecond = 0;
  for (int r = 0; r < d.RecordCount(); ++r) rowsOfSecond += d.Text(r, "BEGIN_STATION") == "103+00";
  ASSERT_GE(rowsOfSecond, 2);
  const auto stationLines = LinesWith(pages, "103+00");
  ASSERT_EQ(stationLines.size(), 2u) << "end of the first section, begin of the second";
  EXPECT_EQ(stationLines[1][0], "103+00");
  EXPECT_EQ(stationLines[1][1], "105+50");
  EXPECT_EQ(After(stationLines[1], "105+50"), "R");
  EXPECT_EQ(After(stationLines[1], "R"), "250.00") << "length from the stations";
  EXPECT_TRUE(Contains(stationLines[1], "0.0250")) << "grade from the elevations";
  EXPECT_TRUE(Contains(stationLines[1], "3.00")) << "area sum";
  EXPECT_TRUE(Contains(stationLines[1], "1.59")) << "C·A sum";
  size_t printed = 0;
  for (const TRenderedPage& page : pages) printed += page.Records.size();
  EXPECT_EQ(printed, static_cast<size_t>(d.RecordCount()));
}

TEST(DitchAnalysisReport, ConcentratedInflow) {
  const auto ditch = Sample();
  const auto report = CreateDitchAnalysisReport(*ditch, Shipped().Parameters);
  const TReportDataset& d = report->Dataset;
  int inflow = -1;
  for (int r = 0; r < d.RecordCount() && inflow < 0; ++r)
    if (d.Text(r, "END_STATION") == "Concentrated Inflow") inflow = r;
  ASSERT_GE(inflow, 0);
  EXPECT_EQ(d.Text(inflow, "FIRST_LINE"), "Y");
  EXPECT_DOUBLE_EQ(d.AsFloat(inflow, "TIME_FLOW"), 25);
  EXPECT_DOUBLE_EQ(d.AsFloat(inflow, "AREA"), 6.5);
  for (const char* empty : {"SIDE", "GRADE", "LINING", "FLOW", "DEPTH", "AREA_SUM", "SHEAR_CAPTION"})
    EXPECT_TRUE(d.IsNull(inflow, empty)) << empty;
  const auto lines = LinesWith(report->Paginate(), "Concentrated Inflow");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], (std::vector<std::string>{"105+50", "Concentrated Inflow", "6.50", "0.35",
                                                FormatFieldFixed(d, inflow, "CA", 2), "25.00"}));
}

TEST(DitchAnalysisReport, SteepGradeMark) {
  auto ditch = Sample();
  ditch->Element(0)->Grade = 0.12;
  ditch->Element(1)->Grade = 0.05;
  ASSERT_EQ(ditch->Calculate(), 0);
  const auto report = CreateDitchAnalysisReport(*ditch, Shipped().Parameters);
  const auto steep = LinesWith(report->Paginate(), "0.1200");
  ASSERT_EQ(steep.size(), 1u);
  EXPECT_EQ(After(steep[0], "0.1200"), "*");
  const auto gentle = LinesWith(report->Paginate(), "0.0500");
  ASSERT_EQ(gentle.size(), 1u);
  EXPECT_FALSE(Contains(gentle[0], "*"));
  int marks = 0;
  for (const auto& line : Lines(report->Paginate())) marks += Contains(line, "*");
  EXPECT_EQ(marks, 1) << "only on the first line of the steep section";
}

TEST(DitchAnalysisReport, ExceededLimitsInParentheses) {
  THandMade ditch;
  ditch.Row(true, ltSeed, 1.0, 7.2 / 62.4);      // shear 7.20
  ditch.Row(false, ltRCPTypeB, 10.5, 5.9 / (10.5 * 62.4));  // depth 10.50, shear 5.90
  auto& message = ditch.Row(false, ltExceedsAllowed, 0, 0);
  message.Message = "Depth exceeds allowed";
  const auto report = CreateDitchAnalysisReport(ditch.Project, Shipped().Parameters);
  const auto lines = Lines(report->Paginate());
  const auto shear = std::find_if(lines.begin(), lines.end(), [](auto& l) { return Contains(l, "(7.20)"); });
  ASSERT_NE(shear, lines.end());
  EXPECT_TRUE(Contains(*shear, "1.00")) << "a depth below 10 ft without parentheses";
  EXPECT_EQ(After(*shear, "0.1154"), "*");
  const auto deep = std::find_if(lines.begin(), lines.end(), [](auto& l) { return Contains(l, "(10.50)"); });
  ASSERT_NE(deep, lines.end());
  EXPECT_TRUE(Contains(*deep, "5.90"));
  EXPECT_TRUE(Contains(*deep, "RCP, Type B"));
  EXPECT_FALSE(Contains(*deep, "*")) << "not a first line";
  const auto text = std::find_if(lines.begin(), lines.end(), [](auto& l) { return Contains(l, "Depth exceeds allowed"); });
  ASSERT_NE(text, lines.end());
  EXPECT_EQ(text->size(), 1u) << "a message row prints only its message";
}

TEST(DitchAnalysisReport, TitleBandAndFrame) {
  auto ditch = Sample();
  ditch->GeneralParameters.SetAllowableShear(ltTurfType3, 7);
  const auto report = CreateDitchAnalysisReport(*ditch, Shipped().Parameters);
  const auto pages = report->Paginate();
  const auto texts = pages[0].TextsInOrder();
  EXPECT_EQ(After(texts, "PID :"), "SR-31-0417");
  EXPECT_EQ(After(texts, "Date :"), "04/15/2024");
  EXPECT_EQ(After(texts, "Rainfall Area :"), "3");
  EXPECT_EQ(After(texts, "Seed:"), "0.40");
  EXPECT_EQ(After(texts, "Jute Mat:"), "0.45");
  EXPECT_EQ(After(texts, "Temporary Mat:"), "1.00");
  EXPECT_EQ(After(texts, "Type 1:"), "2.00");
  EXPECT_EQ(After(texts, "Type 3:"), "7.00");
  EXPECT_EQ(After(texts, "Type B:"), "6.00");
  EXPECT_TRUE(pages[0].HasText("(*) Warning: Grade is steeper than allowable."));
  for (const TRenderedPage& page : pages) {
    EXPECT_TRUE(page.HasText("DITCH ANALYSIS"));
    EXPECT_TRUE(page.HasText("PROTECT"));
    EXPECT_TRUE(page.HasText("(lbs./ sq.ft.)"));
    EXPECT_TRUE(page.HasText("ditch-analysis.xml"));
    EXPECT_TRUE(page.HasText("Page " + std::to_string(page.Number)));
    EXPECT_EQ(page.HasText("Allowable Shears"), page.Number == 1);
  }
}

TEST(DitchAnalysisReport, ProjectWithoutSections) {
  TDitchAnalysis ditch(&Shipped().Parameters);
  ASSERT_EQ(ditch.Calculate(), 0);
  const auto report = CreateDitchAnalysisReport(ditch, Shipped().Parameters);
  EXPECT_EQ(report->Dataset.RecordCount(), 0);
  const auto pages = report->Paginate();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(pages[0].HasText("DITCH ANALYSIS"));
  EXPECT_TRUE(pages[0].HasText("Allowable Shears"));
  EXPECT_TRUE(pages[0].HasText("STATION"));
  // A project date never set prints nothing rather than a date nobody chose.
  EXPECT_EQ(After(pages[0].TextsInOrder(), "Date :"), "Project :");
}
