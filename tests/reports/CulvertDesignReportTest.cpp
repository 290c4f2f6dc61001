// The culvert design report built from the shipped tables and the sample
// project: its records, group bands, conditional texts and pages.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "culvert/CulvertDesign.h"
#include "foundation/Version.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/CulvertDesignReport.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

namespace {

// The sample project, calculated with a pipe type and, when given, only the
// crossings listed (by id).
std::unique_ptr<TCulvertDesign> Sample(const std::string& pipeType, std::vector<int> keep = {}) {
  auto design = std::make_unique<TCulvertDesign>(&ShippedTables().Parameters, &ShippedTables().Pipes);
  TXMLDocument document;
  std::string error;
  const std::string fileName = std::string(DREVIA_SOURCE_DIR) + "/samples/culvert-design.xml";
  EXPECT_TRUE(OpenProjectDocument(fileName, document, error)) << error;
  design->Load(document.GetXML());
  design->FileName = fileName;
  for (int i = design->Elements.Count() - 1; i >= 0 && !keep.empty(); --i)
    if (std::find(keep.begin(), keep.end(), design->Crossing(i)->ElementId) == keep.end()) design->Elements.Delete(i);
  design->PipeType = pipeType;
  EXPECT_EQ(design->Calculate(), 0) << design->LastError;
  return design;
}

std::vector<std::string> AllTexts(const std::vector<TRenderedPage>& pages) {
  std::vector<std::string> texts;
  for (const TRenderedPage& page : pages)
    for (const std::string& t : page.TextsInOrder()) texts.push_back(t);
  return texts;
}

// The text printed right after a caption (same line, next to the right).
std::string After(const std::vector<std::string>& texts, const std::string& caption, int occurrence = 0) {
  for (size_t i = 0; i + 1 < texts.size(); ++i)
    if (texts[i] == caption && occurrence-- == 0) return texts[i + 1];
  return "<none>";
}

int CountOf(const TRenderedPage& page, const std::string& text) {
  return static_cast<int>(
      std::count_if(page.Texts.begin(), page.Texts.end(), [&](const TRenderedText& t) { return t.Text == text; }));
}

int Record(const TReport& report, int element, const std::string& code, int barrels, const std::string& type = "1") {
  const TReportDataset& d = report.Dataset;
  for (int r = 0; r < d.RecordCount(); ++r)
    if (d.Text(r, "ELEMENT_NUMBER") == std::to_string(element) && d.Text(r, "DESIGN_CODE") == code &&
        d.Text(r, "PIPE_NUMBER") == std::to_string(barrels) && d.Text(r, "CULVERT_TYPE") == type)
      return r;
  return -1;
}

}  // namespace

TEST(CulvertDesignReport, OneRecordPerRowInFieldOrder) {
  const auto design = Sample("0");
  const auto report = CreateCulvertDesignReport(*design, ShippedTables().Parameters);
  const TReportDataset& d = report->Dataset;
  const std::vector<std::string> names = {"INLET_INVERT",
                                          "OUTLET_INVERT",
                                          "PIPE_LENGTH",
                                          "SLOPE",
                                          "OVERFLOW",
                                          "ALLOWED_HWA",
                                          "INLET_TYPE",
                                          "ALLOWED_HW_TYPE",
                                          "DESIGN_DISCHARGE",
                                          "FLOOD_DISCHARGE",
                                          "CULVERT_TYPE",
                                          "CORRUGATION_TYPE",
                                          "FLOW",
                                          "SIZE",
                                          "HWI",
                                          "HWO",
                                          "FLOW_TYPE",
                                          "VELOCITY",
                                          "DN",
                                          "DC",
                                          "MANNING_N",
                                          "HW_CONTROL",
                                          "OVERFLOW_SPREAD",
                                          "DESIGN_CODE",
                                          "PIPE_NUMBER",
                                          "ELEMENT_NUMBER",
                                          "IMPROVED_INLET_TEXT",
                                          "COEFF_KE",
                                          "TAILWATER",
                                          "VALID_HWO",
                                          "BURIAL_OPTION",
                                          "BURIAL_DEPTH",
                                          "DESIGN_MANNING_N",
                                          "BURIED_MANNING_N",
                                          "CROSSING_NUMBER",
                                          "HWI_EXTRAPOLATED"};
  ASSERT_EQ(d.FieldCount(), static_cast<int>(names.size()));
  for (size_t i = 0; i < names.size(); ++i) EXPECT_EQ(d.Field(static_cast<int>(i)).Name, names[i]);
  EXPECT_EQ(d.Field(d.FieldIndex("SIZE")).Size, 80);
  EXPECT_EQ(d.Field(d.FieldIndex("DESIGN_CODE")).Size, 20);

  int rows = 0;
  for (int i = 0; i < design->Elements.Count(); ++i)
    for (int c = 0; c < design->Crossing(i)->Candidates.Count(); ++c)
      rows += design->Crossing(i)->Candidates.Culvert(c)->Results.Count();
  ASSERT_EQ(d.RecordCount(), rows);

  const int first = 0;
  EXPECT_EQ(d.Text(first, "ELEMENT_NUMBER"), "1");
  EXPECT_EQ(d.Text(first, "DESIGN_CODE"), "D");
  EXPECT_EQ(d.Text(first, "SIZE"), "42 in");
  EXPECT_DOUBLE_EQ(d.AsFloat(first, "SLOPE"), 1.5 / 120);
  EXPECT_EQ(d.Text(first, "INLET_TYPE"), "3") << "default inlet type of a crossing without the buried option";
  EXPECT_EQ(d.Text(first, "ALLOWED_HW_TYPE"), "0");
  EXPECT_EQ(d.Text(first, "VALID_HWO"), "N");
  EXPECT_EQ(d.Text(first, "BURIAL_OPTION"), "N");
}

TEST(CulvertDesignReport, CrossingGroupTexts) {
  const auto design = Sample("0");
  const auto report = CreateCulvertDesignReport(*design, ShippedTables().Parameters);
  const auto texts = AllTexts(report->Paginate());
  // Crossing 1: no Manning override, flood discharge 70; crossing 2: flood 0.
  EXPECT_EQ(After(texts, "Design Manning 'n' :"), "(default)");
  EXPECT_EQ(After(texts, "Flood Discharge (cfs) :", 0), "70.00");
  EXPECT_EQ(After(texts, "Flood Discharge (cfs) :", 1), "N/A");
  EXPECT_EQ(After(texts, "Inlet Invert Elevation (ft.) :"), "100.00");
  EXPECT_EQ(After(texts, "Culvert Slope (ft./ft.) :"), "0.0125");
  EXPECT_EQ(After(texts, "Allowable Headwater Elevation (ft.) :"), "105.00");
  EXPECT_EQ(After(texts, "or"), "HW/D = 1.0");
  EXPECT_EQ(After(texts, "@", 0), "25 yrs.");
  EXPECT_EQ(After(texts, "@", 1), "100 yrs.");
  EXPECT_EQ(After(texts, "Date :"), "07/15/2024");
  EXPECT_EQ(After(texts, "PID :"), "CD-2024-07");
  // Only the buried crossing 5 shows its bed's Manning n.
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "Buried Manning 'n' :"), 1);
  EXPECT_EQ(After(texts, "Buried Manning 'n' :"), "0.0300");

  design->Crossing(0)->CoeffN = 0.013;
  ASSERT_EQ(design->Calculate(), 0);
  const auto overridden = AllTexts(CreateCulvertDesignReport(*design, ShippedTables().Parameters)->Paginate());
  EXPECT_EQ(After(overridden, "Design Manning 'n' :"), "0.0130");
}

TEST(CulvertDesignReport, TypeAndCorrugationGroups) {
  const auto design = Sample("0");
  const auto report = CreateCulvertDesignReport(*design, ShippedTables().Parameters);
  const auto texts = AllTexts(report->Paginate());
  // Crossing 1, circular concrete: default inlet type 3, no corrugation
  // group, the first detail line follows the Ke value.
  EXPECT_EQ(After(texts, "CULVERT TYPE :", 0), "CIRCULAR CONCRETE");
  EXPECT_EQ(After(texts, "Entrance Type :", 0), "Full Headwall");
  EXPECT_EQ(After(texts, "Entrance Loss (Ke) :", 0), FormatFieldFixed(report->Dataset, 0, "COEFF_KE", 2));
  const auto ke = std::find(texts.begin(), texts.end(), "Entrance Loss (Ke) :");
  ASSERT_NE(ke, texts.end());
  EXPECT_EQ(*(ke + 2), "45.00");
  // Circular corrugated: a group per corrugation, below the type group.
  EXPECT_EQ(After(texts, "CULVERT TYPE :", 1), "CIRCULAR CORRUGATED METAL");
  const auto corrugated = std::find(texts.begin(), texts.end(), "CIRCULAR CORRUGATED METAL");
  EXPECT_EQ(*(corrugated + 5), "2-2/3 x 1/2 in");
  EXPECT_NE(std::find(corrugated, texts.end(), "6 x 2 in structural plate"), texts.end());
  // Crossing 2 has default inlet type 2.
  const auto second = std::find(texts.begin(), texts.end(), "Crossing 2");
  ASSERT_NE(second, texts.end());
  EXPECT_EQ(*(std::find(second, texts.end(), "Entrance Type :") + 1), "Half Headwall");
}

TEST(CulvertDesignReport, DiameterExceedsAllowableHeadwater) {
  // Crossing 2 allows 2 ft of headwater: the one-barrel 66 in design fails
  // 1.25 x 2 ft and is followed by a two-barrel design that passes.
  const auto design = Sample("1", {2});
  const auto report = CreateCulvertDesignReport(*design, ShippedTables().Parameters);
  const TReportDataset& d = report->Dataset;
  const int single = Record(*report, 2, "D", 1), dual = Record(*report, 2, "D", 2);
  ASSERT_GE(single, 0);
  ASSERT_GE(dual, 0);
  EXPECT_EQ(d.Text(single, "IMPROVED_INLET_TEXT"), "Diameter exceeds 1.25 HWA");
  EXPECT_EQ(d.Text(dual, "IMPROVED_INLET_TEXT"), "");
  EXPECT_EQ(d.Text(Record(*report, 2, "D + 1", 1), "IMPROVED_INLET_TEXT"), "") << "only the design row carries it";
  const auto pages = report->Paginate();
  ASSERT_EQ(pages.size(), 2u) << "the table and the crossing's plot";
  ASSERT_TRUE(pages[1].Records.empty());
  EXPECT_EQ(CountOf(pages[0], "Diameter exceeds 1.25 HWA"), 1);
  int withoutOutletHeadwater = 0;
  for (int r = 0; r < d.RecordCount(); ++r) withoutOutletHeadwater += d.Text(r, "VALID_HWO") == "N";
  EXPECT_EQ(withoutOutletHeadwater, 7);
  EXPECT_EQ(CountOf(pages[0], "N/A"), 1 + withoutOutletHeadwater) << "flood discharge 0 and the rows' HWO";
  EXPECT_EQ(CountOf(pages[0], "VELOCITY"), 1) << "a one-page report has only the group's headings";
}

TEST(CulvertDesignReport, BuriedCrossing) {
  const auto design = Sample("99", {5});
  const auto report = CreateCulvertDesignReport(*design, ShippedTables().Parameters);
  const auto pages = report->Paginate();
  const auto texts = AllTexts(pages);
  EXPECT_EQ(After(texts, "Entrance Type :", 0), "Groove end with headwall");
  EXPECT_EQ(After(texts, "Entrance Type :", 1), "Projecting");
  // The arch inlet is named from its own table ("2": mitered), not from the
  // headwall table, where "2" is a half headwall.
  const auto arch = std::find(texts.begin(), texts.end(), "CORRUGATED METAL PIPE ARCH");
  ASSERT_NE(arch, texts.end());
  EXPECT_EQ(*(arch + 2), "Mitered to conform to slope");
  for (const TRenderedPage& page : pages)
    EXPECT_EQ(CountOf(page, "Inlet Control Design Equations Enabled"), page.Records.empty() ? 0 : 1)
        << "on every page of the table, not on the plots' pages";
  EXPECT_EQ(report->Dataset.Text(0, "INLET_TYPE"), "2");
  EXPECT_GT(report->Dataset.AsFloat(0, "BURIAL_DEPTH"), 0);
}

TEST(CulvertDesignReport, PagesAndFrame) {
  const auto design = Sample("99");
  const auto report = CreateCulvertDesignReport(*design, ShippedTables().Parameters);
  const auto pages = report->Paginate();
  ASSERT_GT(pages.size(), 2u);
  for (const TRenderedPage& page : pages) {
    EXPECT_EQ(CountOf(page, "UNIVERSAL CULVERT DESIGN"), 1);
    EXPECT_EQ(CountOf(page, DREVIA_PRODUCT_NAME " " DREVIA_FILE_VERSION "."), 1);
    EXPECT_EQ(CountOf(page, "culvert-design.xml"), 1);
    EXPECT_EQ(CountOf(page, "Page " + std::to_string(page.Number) + " of " + std::to_string(pages.size())), 1);
    if (page.Records.empty()) continue;  // a page of plots after the table
    // Each crossing's group carries the headings; a page that starts inside
    // a crossing repeats them once, under the crossing's caption.
    const int groups = CountOf(page, "Inlet Invert Elevation (ft.) :");
    const int continued = page.Number > 1 && !page.Records.empty() &&
                          report->Dataset.Text(page.Records.front(), "ELEMENT_NUMBER") ==
                              report->Dataset.Text(page.Records.front() - 1, "ELEMENT_NUMBER");
    EXPECT_EQ(CountOf(page, "VELOCITY"), groups + continued) << "page " << page.Number;
    const std::string crossing = "Crossing " + report->Dataset.Text(page.Records.front(), "CROSSING_NUMBER");
    EXPECT_EQ(CountOf(page, crossing + " (continued)"), continued) << "page " << page.Number;
    EXPECT_EQ(CountOf(page, "HEADWATER CONTROL CODES:"), page.Number == 1 ? 1 : 0);
    const bool buried = report->Dataset.Text(page.Records.back(), "BURIAL_OPTION") == "Y";
    EXPECT_EQ(CountOf(page, "Inlet Control Design Equations Enabled"), buried ? 1 : 0);
  }
  size_t printed = 0;
  for (const TRenderedPage& page : pages) printed += page.Records.size();
  EXPECT_EQ(printed, static_cast<size_t>(report->Dataset.RecordCount()));
}

TEST(CulvertDesignReport, ProjectWithoutCrossings) {
  TCulvertDesign design(&ShippedTables().Parameters, &ShippedTables().Pipes);
  const auto report = CreateCulvertDesignReport(design, ShippedTables().Parameters);
  EXPECT_EQ(report->Dataset.RecordCount(), 0);
  const auto pages = report->Paginate();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_TRUE(pages[0].HasText("UNIVERSAL CULVERT DESIGN"));
  EXPECT_TRUE(pages[0].HasText("HEADWATER CONTROL CODES:"));
  EXPECT_TRUE(pages[0].HasText("Page 1 of 1"));
  EXPECT_EQ(After(pages[0].TextsInOrder(), "Date :"), "Project :") << "a date that is not set prints empty";
}

TEST(CulvertDesignReport, CrossingsNumberedByTheirPlaceInTheList) {
  const auto all = Sample("1");
  auto pages = CreateCulvertDesignReport(*all, ShippedTables().Parameters)->Paginate();
  // The plots after the table are titled by crossing too.
  pages.erase(std::remove_if(pages.begin(), pages.end(), [](const TRenderedPage& p) { return p.Records.empty(); }),
              pages.end());
  const auto texts = AllTexts(pages);
  for (int i = 1; i <= all->Elements.Count(); ++i)
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Crossing " + std::to_string(i)), 1) << i;
  // With the first crossing removed, the one with id 2 is the first.
  const auto second = Sample("1", {2});
  const auto report = CreateCulvertDesignReport(*second, ShippedTables().Parameters);
  EXPECT_EQ(report->Dataset.Text(0, "ELEMENT_NUMBER"), "2");
  EXPECT_EQ(report->Dataset.Text(0, "CROSSING_NUMBER"), "1");
  EXPECT_TRUE(report->Paginate()[0].HasText("Crossing 1"));
}

TEST(CulvertDesignReport, ExtrapolatedInletHeadwaterIsMarkedAndExplained) {
  // Crossing 3's pipe arch at its maximum size reaches HW/D far above 3:
  // the number stays, marked, and every page explains the mark.
  const auto design = Sample("0", {3});
  const auto report = CreateCulvertDesignReport(*design, ShippedTables().Parameters);
  const auto pages = report->Paginate();
  const auto texts = AllTexts(pages);
  EXPECT_NE(std::find(texts.begin(), texts.end(), "30550.92!"), texts.end());
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "30550.92"), texts.end());
  for (const TRenderedPage& page : pages) EXPECT_EQ(CountOf(page, InletExtrapolatedNote), 1);

  // A crossing without such a row has neither mark nor note.
  const auto plain = Sample("0", {2});
  const auto plainReport = CreateCulvertDesignReport(*plain, ShippedTables().Parameters);
  for (int r = 0; r < plainReport->Dataset.RecordCount(); ++r)
    ASSERT_EQ(plainReport->Dataset.Text(r, "HWI_EXTRAPOLATED"), "N");
  for (const TRenderedPage& page : plainReport->Paginate()) {
    EXPECT_EQ(CountOf(page, InletExtrapolatedNote), 0);
    for (const TRenderedText& text : page.Texts) EXPECT_TRUE(text.Text.empty() || text.Text.back() != '!') << text.Text;
  }
}
