// The culvert analysis report built from the shipped tables and the sample
// projects of the three analyses: records, culvert groups, conditional texts
// and pages.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "culvert/CulvertAnalysis.h"
#include "foundation/DisplayFormat.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/CulvertAnalysisReport.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

namespace {

std::unique_ptr<TCulvertAnalysis> Load(const std::string& sample, int option) {
  auto analysis = std::make_unique<TCulvertAnalysis>(&ShippedTables().Parameters, &ShippedTables().Pipes);
  TXMLDocument document;
  std::string error;
  const std::string fileName = std::string(DREVIA_SOURCE_DIR) + "/samples/culvert-analysis-" + sample + ".xml";
  EXPECT_TRUE(OpenProjectDocument(fileName, document, error)) << error;
  analysis->Load(document.GetXML());
  analysis->FileName = fileName;
  analysis->SetAnalysisOption(option);
  return analysis;
}

std::unique_ptr<TCulvertAnalysis> Sample(const std::string& sample, int option) {
  auto analysis = Load(sample, option);
  EXPECT_EQ(analysis->Calculate(), 0) << analysis->LastError;
  return analysis;
}

std::unique_ptr<TReport> ReportOf(const TCulvertAnalysis& analysis) {
  return CreateCulvertAnalysisReport(analysis, ShippedTables().Parameters);
}

std::vector<std::string> AllTexts(const std::vector<TRenderedPage>& pages) {
  std::vector<std::string> texts;
  for (const TRenderedPage& page : pages)
    for (const std::string& t : page.TextsInOrder()) texts.push_back(t);
  return texts;
}

// The texts of one culvert's group and rows, up to the next culvert.
std::vector<std::string> GroupOf(const std::vector<std::string>& texts, int id) {
  auto begin = texts.begin();
  while (begin != texts.end() &&
         !(*begin == "Pipe Number :" && begin + 1 != texts.end() && *(begin + 1) == std::to_string(id)))
    ++begin;
  if (begin == texts.end()) return {};
  const auto end = std::find(begin + 1, texts.end(), "Pipe Number :");
  return std::vector<std::string>(begin, end);
}

std::string After(const std::vector<std::string>& texts, const std::string& caption, int occurrence = 0) {
  for (size_t i = 0; i + 1 < texts.size(); ++i)
    if (texts[i] == caption && occurrence-- == 0) return texts[i + 1];
  return "<none>";
}

bool Has(const std::vector<std::string>& texts, const std::string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// The first text of a group's first row: after the third heading line,
// which holds the units of the three columns that have three captions.
std::vector<std::string>::const_iterator FirstRow(const std::vector<std::string>& group) {
  const auto last = std::find(group.begin(), group.end(), "ELEVATION");
  return last == group.end() || group.end() - last < 5 ? group.end() : last + 4;
}

const char* const CoefficientCaptions[] = {"Max. Q :", "Min. Q :", "K :", "M :", "c :", "Y :"};

}  // namespace

TEST(CulvertAnalysisReport, OneRecordPerRowInListOrder) {
  const auto analysis = Sample("system", aoCulvertSystem);
  const auto report = ReportOf(*analysis);
  const TReportDataset& d = report->Dataset;
  ASSERT_EQ(d.RecordCount(), 4);
  std::vector<std::string> order;
  for (int r = 0; r < d.RecordCount(); ++r) order.push_back(d.Text(r, "ELEMENT_NUMBER"));
  EXPECT_EQ(order, (std::vector<std::string>{"3", "2", "1", "4"})) << "list order, not calculation order";
  EXPECT_EQ(d.Field(d.FieldIndex("SIZE")).Size, 80);
  EXPECT_TRUE(d.IsNull(0, "THETA")) << "shape values of long spans only";
  const auto texts = AllTexts(report->Paginate());
  for (int r = 0; r < d.RecordCount(); ++r) {
    const auto group = GroupOf(texts, std::stoi(order[static_cast<size_t>(r)]));
    EXPECT_EQ(After(group, "Use HW :"), d.Text(r, "USEHW"));
    const auto row = FirstRow(group);
    ASSERT_NE(row, group.end());
    const std::string hwo = d.Text(r, "VALID_HWO") == "Y" ? FormatFieldFixed(d, r, "HWO", 2) : "N/A";
    EXPECT_EQ(*(row + 3), hwo) << "culvert " << order[static_cast<size_t>(r)];
  }
}

TEST(CulvertAnalysisReport, PlainCulvertWithoutCoefficients) {
  const auto analysis = Sample("performance", aoPerformanceCurve);
  const auto report = ReportOf(*analysis);
  const auto group = GroupOf(AllTexts(report->Paginate()), 1);
  ASSERT_FALSE(group.empty());
  for (const char* caption : CoefficientCaptions) EXPECT_FALSE(Has(group, caption)) << caption;
  EXPECT_FALSE(Has(group, "CD : "));
  EXPECT_FALSE(Has(group, "Buried Manning 'n' :"));
  EXPECT_FALSE(Has(group, "Unsubmerged Inlet :"));
  EXPECT_FALSE(Has(group, "Theta (deg.) :"));
  EXPECT_EQ(After(group, "Entrance Type :"), "No Headwall");
  EXPECT_EQ(After(group, "Culvert Type :"), "Circular Concrete");
  EXPECT_EQ(After(group, "Corrugation Type :"), "N/A");
  EXPECT_EQ(After(group, "Design Manning 'n' :"), "(default)");
  EXPECT_EQ(After(group, "Inlet Invert Elevation (ft.) :"), "100.00");
  EXPECT_EQ(After(group, "Culvert Slope (ft./ft.) :"), "0.0100");
  EXPECT_EQ(After(group, "Pipe Length (ft.) :"), "100.00");
  EXPECT_EQ(After(group, "Use HW :"), "0");
  EXPECT_EQ(After(group, "Pipe Quantity :"), "1");
  EXPECT_EQ(After(group, "Loss Coef. Ke : "), FormatFixed(analysis->Elements.Culvert(0)->Ke(), 4));
  // The group ends with the column headings, then the first row.
  const auto row = FirstRow(group);
  ASSERT_NE(row, group.end());
  EXPECT_EQ(*row, "10.00");
}

TEST(CulvertAnalysisReport, LongSpanCulvert) {
  const auto analysis = Sample("performance", aoPerformanceCurve);
  const auto report = ReportOf(*analysis);
  const auto pages = report->Paginate();
  const auto group = GroupOf(AllTexts(pages), 7);
  ASSERT_FALSE(group.empty());
  EXPECT_FALSE(Has(group, "Entrance Type :"));
  EXPECT_EQ(After(group, "Unsubmerged Inlet :"), "90 deg headwall, square edge");
  EXPECT_EQ(After(group, "Submerged Inlet :"), "90 deg headwall, square edge");
  EXPECT_EQ(After(group, "Theta (deg.) :"), "80.00");
  EXPECT_EQ(After(group, "Phi(deg.) :"), "100.00");
  EXPECT_EQ(After(group, "RT (ft.) :"), "13.4950");
  EXPECT_EQ(After(group, "RS (ft.) :"), "3.7110");
  EXPECT_EQ(After(group, "Flow Area (sq.ft.) :"), "190.00");
  EXPECT_EQ(After(group, "Culvert Type :"), "Long Span (user defined)");
  EXPECT_EQ(After(group, "Pipe Size :"), "20.0 x 12.0 ft.");
  // Long spans always use the coefficient equations.
  for (const char* caption : CoefficientCaptions) EXPECT_TRUE(Has(group, caption)) << caption;
  const TCulvertBaseElement& span = *analysis->Elements.Culvert(6);
  EXPECT_EQ(After(group, "K :"), FormatFixed(span.K, 4));
  EXPECT_EQ(After(group, "Max. Q :"), FormatFixed(span.QMAX, 2));
  EXPECT_EQ(After(group, "CD : "), FormatFixed(span.CoeffCD(), 4));
  EXPECT_EQ(After(group, "Buried Manning 'n' :"), "N/A");
  // The footer tells which pages end with such a culvert; the plot pages
  // after the records print none.
  const TRenderedPage* lastTable = nullptr;
  for (const TRenderedPage& page : pages) {
    if (page.Records.empty()) {
      EXPECT_FALSE(page.HasText("Inlet Control Design Equations Enabled")) << "page " << page.Number;
      continue;
    }
    lastTable = &page;
    const bool buried = report->Dataset.Text(page.Records.back(), "BURIAL_OPTION") == "Y";
    EXPECT_EQ(page.HasText("Inlet Control Design Equations Enabled"), buried) << "page " << page.Number;
  }
  ASSERT_NE(lastTable, nullptr);
  EXPECT_TRUE(lastTable->HasText("Inlet Control Design Equations Enabled"));
}

TEST(CulvertAnalysisReport, BuriedPipeArchShowsNoCoefficients) {
  auto analysis = Load("performance", aoPerformanceCurve);
  analysis->Elements.Culvert(3)->BuriedOption = true;
  ASSERT_EQ(analysis->Calculate(), 0) << analysis->LastError;
  const auto group = GroupOf(AllTexts(ReportOf(*analysis)->Paginate()), 4);
  ASSERT_FALSE(group.empty());
  for (const char* caption : CoefficientCaptions) EXPECT_FALSE(Has(group, caption)) << caption;
  EXPECT_EQ(After(group, "CD : "), "0.0000");
  EXPECT_EQ(After(group, "Entrance Type :"), "Full Headwall");
  EXPECT_EQ(After(group, "Corrugation Type :"), "3 x 1 in");
  EXPECT_EQ(After(group, "Culvert Type :"), "Corrugated Metal Pipe Arch");
}

TEST(CulvertAnalysisReport, BuriedDepthCurve) {
  auto analysis = Load("buried", aoBuriedDepthCurve);
  analysis->Elements.Culvert(1)->BuriedCoeffN = 0;
  analysis->Elements.Culvert(0)->CoeffN = 0.013;
  ASSERT_EQ(analysis->Calculate(), 0) << analysis->LastError;
  const auto report = ReportOf(*analysis);
  const TReportDataset& d = report->Dataset;
  const auto texts = AllTexts(report->Paginate());
  const auto concrete = GroupOf(texts, 1);
  EXPECT_EQ(After(concrete, "Buried Manning 'n' :"), "0.0300");
  EXPECT_EQ(After(concrete, "Design Manning 'n' :"), "0.0130");
  EXPECT_EQ(After(concrete, "Entrance Type :"), "Square edge with headwall");
  for (const char* caption : CoefficientCaptions) EXPECT_TRUE(Has(concrete, caption)) << caption;
  EXPECT_EQ(After(GroupOf(texts, 2), "Buried Manning 'n' :"), "N/A");
  EXPECT_EQ(After(GroupOf(texts, 2), "Corrugation Type :"), "3 x 1 in");
  EXPECT_EQ(After(GroupOf(texts, 3), "Entrance Type :"), "Wingwalls flared 30 to 75 deg");
  EXPECT_TRUE(GroupOf(texts, 5).empty()) << "a culvert without the buried option has no rows";
  // Culvert 1: buried depths 0 to 0.8 by 0.2.
  std::vector<std::string> depths;
  for (int r = 0; r < d.RecordCount(); ++r)
    if (d.Text(r, "ELEMENT_NUMBER") == "1") depths.push_back(FormatFieldFixed(d, r, "BURIED_DEPTH", 2));
  EXPECT_EQ(depths, (std::vector<std::string>{"0.00", "0.20", "0.40", "0.60", "0.80"}));
}

TEST(CulvertAnalysisReport, PagesFrameAndEmptyProject) {
  const auto analysis = Sample("performance", aoPerformanceCurve);
  const auto report = ReportOf(*analysis);
  const auto pages = report->Paginate();
  ASSERT_GT(pages.size(), 1u);
  for (const TRenderedPage& page : pages) {
    const auto texts = page.TextsInOrder();
    EXPECT_TRUE(page.HasText("CULVERT ANALYSIS"));
    EXPECT_TRUE(page.HasText("culvert-analysis-performance.xml"));
    EXPECT_TRUE(page.HasText("Page " + std::to_string(page.Number) + " of " + std::to_string(pages.size())));
    EXPECT_TRUE(page.HasText("Performance Curve")) << "every page names the analysis";
    EXPECT_EQ(page.HasText("HEADWATER CONTROL CODES:"), page.Number == 1);
    // A culvert's group, or its continuation at the top of a page, carries
    // the column headings once.
    const auto groups = std::count(texts.begin(), texts.end(), "Pipe Number :");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "VELOCITY"), groups) << "page " << page.Number;
  }
  EXPECT_EQ(After(pages[0].TextsInOrder(), "Date :"), "06/03/2024");
  size_t printed = 0;
  for (const TRenderedPage& page : pages) printed += page.Records.size();
  EXPECT_EQ(printed, static_cast<size_t>(report->Dataset.RecordCount()));

  TCulvertAnalysis empty(&ShippedTables().Parameters, &ShippedTables().Pipes);
  const auto blank = ReportOf(empty)->Paginate();
  ASSERT_EQ(blank.size(), 1u);
  EXPECT_TRUE(blank[0].HasText("HEADWATER CONTROL CODES:"));
  EXPECT_FALSE(blank[0].HasText("Inlet Control Design Equations Enabled"));
  EXPECT_EQ(After(blank[0].TextsInOrder(), "Date :"), "Project :") << "a zero date prints empty";
}

TEST(CulvertAnalysisReport, NamesItsAnalysis) {
  // The same culverts give other tables under another analysis.
  const std::pair<int, const char*> options[] = {{aoPerformanceCurve, "Performance Curve"},
                                                 {aoBuriedDepthCurve, "Buried Depth Curve"},
                                                 {aoCulvertSystem, "Culvert System"}};
  for (const auto& [option, text] : options) {
    const auto analysis = Load("system", option);
    const auto pages = ReportOf(*analysis)->Paginate();
    for (const TRenderedPage& page : pages) {
      EXPECT_TRUE(page.HasText(text)) << text;
      for (const auto& [other, otherText] : options) {
        if (other != option) {
          EXPECT_FALSE(page.HasText(otherText)) << otherText;
        }
      }
    }
  }
}

TEST(CulvertAnalysisReport, ContinuedCulvertIsNamedAgain) {
  const auto analysis = Sample("performance", aoPerformanceCurve);
  const auto report = ReportOf(*analysis);
  const TReportDataset& d = report->Dataset;
  int continued = 0;
  for (const TRenderedPage& page : report->Paginate()) {
    if (page.Number == 1 || page.Records.empty()) continue;
    const int first = page.Records.front();
    if (d.Text(first, "ELEMENT_NUMBER") != d.Text(first - 1, "ELEMENT_NUMBER")) continue;
    ++continued;
    const auto texts = page.TextsInOrder();
    EXPECT_EQ(After(texts, "Pipe Number :"), d.Text(first, "ELEMENT_NUMBER") + " (continued)");
    EXPECT_EQ(After(texts, "Pipe Size :"), d.Text(first, "SIZE"));
    const auto newGroups = std::count(texts.begin(), texts.end(), "Inlet Invert Elevation (ft.) :");
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "TAILWATER"), 1 + newGroups) << "the headings once a table";
  }
  EXPECT_GT(continued, 0) << "the sample's curves run over a page";
}
