// The ditch analysis report built from the shipped tables and the sample
// project, and from hand-made rows for the limits the sample does not reach.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ditch/DitchAnalysis.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/DitchAnalysisReport.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

namespace {

std::unique_ptr<TDitchAnalysis> Sample() {
  auto ditch = std::make_unique<TDitchAnalysis>(&ShippedTables().Parameters);
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

TEST(DitchAnalysisReport, SectionDataOnceThenItsRows) {
  const auto ditch = Sample();
  const auto report = CreateDitchAnalysisReport(*ditch, ShippedTables().Parameters);
  const TReportDataset& d = report->Dataset;
  ASSERT_EQ(d.RecordCount(), ditch->ResultList.Count());
  EXPECT_EQ(d.Text(0, "STORM_FREQUENCY"), "10");
  EXPECT_EQ(d.Text(0, "SHEAR_CAPTION"), ditch->Result(0)->ShearText());
  auto pages = report->Paginate();
  // The rows' lines only; the plots after them label their reaches too.
  pages.erase(std::remove_if(pages.begin(), pages.end(), [](const TRenderedPage& p) { return p.Records.empty(); }),
              pages.end());
  // The second section tries three linings: four lines, the first with the
  // section's stations, dimensions and areas, the others without.
  const auto stationLines = LinesWith(pages, "103+00");
  ASSERT_EQ(stationLines.size(), 2u) << "end of the first section, begin of the second";
  EXPECT_EQ(stationLines[1], (std::vector<std::string>{"103+00",
                                                       "105+50",
                                                       "R",
                                                       "250.00",
                                                       "2.00",
                                                       "4.00",
                                                       "2.00",
                                                       "0.0250",
                                                       "1.20",
                                                       "3.00",
                                                       "0.50",
                                                       "1.59",
                                                       "Seed",
                                                       FormatFieldFixed(d, 2, "RAINFALL", 2),
                                                       "10",
                                                       "0.030",
                                                       FormatFieldFixed(d, 2, "TIME_FLOW", 2),
                                                       FormatFieldFixed(d, 2, "VELOCITY", 2),
                                                       d.Text(2, "SHEAR_CAPTION"),
                                                       FormatFieldFixed(d, 2, "FLOW", 2),
                                                       FormatFieldFixed(d, 2, "DEPTH", 2),
                                                       FormatFieldFixed(d, 2, "WIDTH_FLOW", 2)}));
  const auto depthLine = LinesWith(pages, "Temp. Mat");
  ASSERT_EQ(depthLine.size(), 5u);
  EXPECT_EQ(depthLine[1].front(), "Temp. Mat") << "the depth row of the second section";
  EXPECT_TRUE(Contains(depthLine[1], "50"));
  // The arc section prints its radius as the width and has no side slopes.
  const auto arc = LinesWith(pages, "108+00")[1];
  EXPECT_EQ(arc[3], "200.00");
  EXPECT_EQ(arc[4], "3.00");
  EXPECT_EQ(arc[5], "0.0120");
}

TEST(DitchAnalysisReport, ConcentratedInflow) {
  const auto ditch = Sample();
  const auto report = CreateDitchAnalysisReport(*ditch, ShippedTables().Parameters);
  const auto lines = LinesWith(report->Paginate(), "Concentrated Inflow");
  ASSERT_EQ(lines.size(), 1u);
  // Stations, area, coefficient, C·A sum (1.8·0.55 + 1.2·0.5 + 6.5·0.35) and
  // its own concentration time; no results.
  EXPECT_EQ(lines[0], (std::vector<std::string>{"105+50", "Concentrated Inflow", "6.50", "0.35", "3.87", "25.00"}));
}

TEST(DitchAnalysisReport, SteepGradeMark) {
  auto ditch = Sample();
  ditch->Element(0)->Grade = 0.12;
  ditch->Element(1)->Grade = 0.05;
  ASSERT_EQ(ditch->Calculate(), 0);
  const auto report = CreateDitchAnalysisReport(*ditch, ShippedTables().Parameters);
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
  ditch.Row(true, ltSeed, 1.0, 7.2 / 62.4);                 // shear 7.20
  ditch.Row(false, ltRCPTypeB, 10.5, 5.9 / (10.5 * 62.4));  // depth 10.50, shear 5.90
  auto& message = ditch.Row(false, ltExceedsAllowed, 0, 0);
  message.Message = "Depth exceeds allowed";
  const auto report = CreateDitchAnalysisReport(ditch.Project, ShippedTables().Parameters);
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
  const auto text =
      std::find_if(lines.begin(), lines.end(), [](auto& l) { return Contains(l, "Depth exceeds allowed"); });
  ASSERT_NE(text, lines.end());
  EXPECT_EQ(text->size(), 1u) << "a message row prints only its message";
}

TEST(DitchAnalysisReport, TitleBandFrameAndEmptyProject) {
  auto ditch = Sample();
  ditch->GeneralParameters.SetAllowableShear(ltTurfType3, 7);
  const auto pages = CreateDitchAnalysisReport(*ditch, ShippedTables().Parameters)->Paginate();
  const auto texts = pages[0].TextsInOrder();
  EXPECT_EQ(After(texts, "Date :"), "04/15/2024");
  EXPECT_EQ(After(texts, "Rainfall Area :"), "3");
  const std::vector<std::pair<std::string, std::string>> shears = {
      {"Seed:", "0.40"},   {"Jute Mat:", "0.45"}, {"Temporary Mat:", "1.00"}, {"Type 1:", "2.00"},
      {"Type 2:", "3.00"}, {"Type 3:", "7.00"},   {"Type B:", "6.00"}};
  for (const auto& [caption, value] : shears) EXPECT_EQ(After(texts, caption), value) << caption;
  for (const TRenderedPage& page : pages) {
    EXPECT_TRUE(page.HasText("DITCH ANALYSIS"));
    EXPECT_EQ(page.HasText("(lbs./ sq.ft.)"), !page.Records.empty()) << "the table's headings, not over the plots";
    EXPECT_TRUE(page.HasText("ditch-analysis.xml"));
    EXPECT_EQ(page.HasText("Allowable Shears"), page.Number == 1);
  }

  TDitchAnalysis empty(&ShippedTables().Parameters);
  ASSERT_EQ(empty.Calculate(), 0);
  const auto blank = CreateDitchAnalysisReport(empty, ShippedTables().Parameters)->Paginate();
  ASSERT_EQ(blank.size(), 1u);
  EXPECT_TRUE(blank[0].HasText("(*) Warning: Grade is steeper than allowable."));
  EXPECT_TRUE(blank[0].HasText("STATION"));
  // A project date never set prints nothing rather than a date nobody chose.
  EXPECT_EQ(After(blank[0].TextsInOrder(), "Date :"), "Project :");
}
