// The report dataset, the print handlers and the cutting of bands into pages.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "foundation/DateTime.h"
#include "foundation/FormatSettings.h"
#include "foundation/ProgramVersion.h"
#include "foundation/Version.h"
#include "reports/Report.h"

namespace {

TReportDataset NumberDataset(std::initializer_list<double> values) {
  TReportDataset data;
  data.AddFloatField("VALUE");
  data.AddStringField(FirstLineField, 10);
  data.Open();
  for (double v : values) {
    data.Append();
    data.SetFloat("VALUE", v);
    data.Post();
  }
  return data;
}

}  // namespace

TEST(ReportDataset, FieldsRecordsAndNulls) {
  TReportDataset data;
  data.AddStringField("NAME", 4);
  data.AddFloatField("Q");
  data.AddIntegerField("N");
  data.AddBooleanField("FLAG");
  data.AddFloatField("Q");  // a second definition is ignored
  EXPECT_FALSE(data.SetString("NAME", "x")) << "no record being appended";
  data.Open();
  EXPECT_EQ(data.FieldCount(), 4);
  EXPECT_EQ(data.FieldIndex("N"), 2);
  EXPECT_EQ(data.FieldIndex("MISSING"), -1);

  data.Append();
  EXPECT_TRUE(data.SetString("NAME", "CULVERT"));
  EXPECT_TRUE(data.SetFloat("Q", 0.1));
  EXPECT_FALSE(data.SetFloat("MISSING", 1));
  data.Post();
  data.Append();  // dropped: appended again before Post
  data.SetInteger("N", 5);
  data.Append();
  data.SetFloat("Q", std::numeric_limits<double>::quiet_NaN());
  data.SetString("N", "12");
  data.SetBoolean("FLAG", true);
  data.Post();

  ASSERT_EQ(data.RecordCount(), 2);
  EXPECT_EQ(data.Text(0, "NAME"), "CULV") << "cut to the field's size";
  EXPECT_EQ(data.Text(0, "Q"), "0.1") << "reads back exactly";
  EXPECT_TRUE(data.IsNull(0, "N"));
  EXPECT_EQ(data.Text(0, "N"), "");
  EXPECT_TRUE(data.IsNull(1, "Q")) << "a number that is not finite is not stored";
  EXPECT_EQ(data.Text(1, "N"), "12");
  EXPECT_EQ(data.Text(1, "FLAG"), "True");
  EXPECT_TRUE(data.IsNull(7, "Q"));
  EXPECT_TRUE(data.IsNull(0, "MISSING"));
}

TEST(ReportHandlers, FixedDecimalsAndNineDigits) {
  const TReportDataset data = NumberDataset({1234.5678, 123456789.123, -0.004, 2.5});
  EXPECT_EQ(FormatFloat9BY0(data, 0, 0), "1235");
  EXPECT_EQ(FormatFloat9BY1(data, 0, 0), "1234.6");
  EXPECT_EQ(FormatFloat9BY2(data, 0, 0), "1234.57");
  EXPECT_EQ(FormatFloat9BY3(data, 0, 0), "1234.568");
  EXPECT_EQ(FormatFloat9BY4(data, 0, 0), "1234.5678");
  EXPECT_EQ(FormatFloat9BY2(data, 1, 0), "123456789.00");
  EXPECT_EQ(FormatFloat9BY2(data, 2, 0), "0.00");
  EXPECT_EQ(FormatFloat9BY(9)(data, 0, 0), "1234.5678") << "decimals clamped to 4";

  const TFormatSettings saved = FormatSettings();
  TFormatSettings comma = saved;
  comma.DecimalSeparator = ',';
  SetFormatSettings(comma);
  EXPECT_EQ(FormatFloat9BY1(data, 3, 0), "2,5");
  SetFormatSettings(saved);
}

TEST(ReportHandlers, TextThatIsNoNumberPrintsEmpty) {
  TReportDataset data;
  data.AddStringField("T", 10);
  data.Open();
  data.Append();
  data.SetString("T", "nan");
  data.Post();
  data.Append();
  data.SetString("T", "abc");
  data.Post();
  EXPECT_EQ(FormatFloat9BY2(data, 0, 0), "");
  EXPECT_EQ(FormatFloat9BY2(data, 1, 0), "");
}

TEST(ReportHandlers, FirstLineRule) {
  TReportDataset data = NumberDataset({});
  for (const char* first : {"Y", "N", ""}) {
    data.Append();
    data.SetFloat("VALUE", 3.14159);
    if (*first) data.SetString(FirstLineField, first);
    data.Post();
  }
  EXPECT_EQ(FirstLineFloat9BY2(data, 0, 0), "3.14");
  EXPECT_EQ(FirstLineFloat9BY2(data, 1, 0), "");
  EXPECT_EQ(FirstLineFloat9BY2(data, 2, 0), "") << "a null FIRST_LINE is not a first line";
  EXPECT_EQ(FirstLineText(data, 0, 1), "Y");
  EXPECT_EQ(FirstLineText(data, 1, 1), "");
  EXPECT_EQ(FirstLineFloat9BY(0)(data, 0, 0), "3");
}

TEST(ReportTitle, FromTheProgramVersion) {
  EXPECT_EQ(ReportTitle(ParseProgramVersion("X", "2.1.0.5")), "X 2.1.0.5.");
  EXPECT_EQ(RunningReportTitle(), DREVIA_PRODUCT_NAME " " DREVIA_FILE_VERSION ".");
  EXPECT_EQ(FileNameWithoutFolder("/home/a/b/design.xml"), "design.xml");
  EXPECT_EQ(FileNameWithoutFolder("C:\\jobs\\design.xml"), "design.xml");
  EXPECT_EQ(ReportDateText(0), "");
  EXPECT_EQ(ReportDateText(EncodeDate(2024, 7, 5)), "07/05/2024");
}

// --- page breaking ---------------------------------------------------------------

namespace {

// Header 40, title 100, column header 20, group header 30 on "G", detail 12,
// footer 20: the first page holds 540 - 40 - 100 - 20 - 20 = 360 points of
// records, the others 460.
struct TTestReport {
  TReport Report;
  int HandlerCalls = 0;

  explicit TTestReport(int records, int perGroup = 1000, bool columnsFromSecondPage = false) {
    TReportDataset& data = Report.Dataset;
    data.AddIntegerField("ROW");
    data.AddIntegerField("G");
    data.AddFloatField("Q");
    data.Open();
    for (int i = 0; i < records; ++i) {
      data.Append();
      data.SetInteger("ROW", i);
      data.SetInteger("G", i / perGroup);
      if (i % 2 == 0) data.SetFloat("Q", i * 1.5);
      data.Post();
    }
    TReportLayout& layout = Report.Layout;
    layout.AddBand(TReportBandKind::PageHeader, 40).Label("HEADING", 0, 0, 720, TReportAlign::Center);
    layout.AddBand(TReportBandKind::Title, 100).Label("TITLE", 0, 0, 100);
    TReportBand& columns = layout.AddBand(TReportBandKind::ColumnHeader, 20);
    columns.Label("COLUMNS", 0, 0, 100);
    columns.FromSecondPage = columnsFromSecondPage;
    TReportBand& group = layout.AddBand(TReportBandKind::GroupHeader, 30);
    group.GroupField = "G";
    group.Label("GROUP", 0, 0, 100);
    TReportBand& detail = layout.AddBand(TReportBandKind::Detail, 12);
    detail.Cell("ROW", 0, 0, 50);
    detail.Cell("Q", 60, 0, 50, [this](const TReportDataset& d, int r, int f) {
      ++HandlerCalls;
      return "q" + FormatFloat9BY2(d, r, f);
    });
    TReportBand& footer = layout.AddBand(TReportBandKind::PageFooter, 20);
    footer.Label("FOOTER", 0, 0, 100);
    footer.Computed([](const TReportDataset& d, int r) { return "last " + d.Text(r, "ROW"); }, 200, 0, 100);
    footer.Label("Page ", 600, 0, 120).Kind = TReportItemKind::PageNumber;
  }
};

int CountOf(const TRenderedPage& page, const std::string& text) {
  int count = 0;
  for (const TRenderedText& t : page.Texts) count += t.Text == text;
  return count;
}

}  // namespace

TEST(ReportPages, EmptyDatasetGivesOnePage) {
  TTestReport test(0);
  const auto pages = test.Report.Paginate();
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].TextsInOrder(),
            (std::vector<std::string>{"HEADING", "TITLE", "COLUMNS", "FOOTER", "Page 1 of 1"}));
}

TEST(ReportPages, BandsCutIntoPages) {
  // One group: 360 = 30 + 27 * 12 + 6, so 27 records on page 1; then 38 per page.
  TTestReport test(100);
  const auto pages = test.Report.Paginate();
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].Records.size(), 27u);
  EXPECT_EQ(pages[1].Records.size(), 38u);
  EXPECT_EQ(pages[2].Records.size(), 35u);
  for (const TRenderedPage& page : pages) {
    EXPECT_EQ(CountOf(page, "HEADING"), 1);
    EXPECT_EQ(CountOf(page, "COLUMNS"), 1);
    EXPECT_EQ(CountOf(page, "FOOTER"), 1);
    EXPECT_TRUE(page.HasText("Page " + std::to_string(page.Number) + " of 3"));
    EXPECT_TRUE(page.HasText("last " + std::to_string(page.Records.back()))) << "footer prints the page's last record";
    for (const TRenderedText& t : page.Texts) EXPECT_LE(t.Y + t.Height, 576 + 1e-9) << t.Text;
  }
  EXPECT_EQ(CountOf(pages[0], "TITLE"), 1);
  EXPECT_EQ(CountOf(pages[1], "TITLE"), 0);
  EXPECT_EQ(CountOf(pages[0], "GROUP"), 1);
  EXPECT_EQ(CountOf(pages[1], "GROUP"), 0) << "a group header does not repeat on a new page";
  EXPECT_TRUE(pages[2].HasText("q147.00"));
  EXPECT_EQ(test.HandlerCalls, 50) << "null cells print empty without their handler";
}

TEST(ReportPages, GroupHeaderStaysWithItsFirstRecord) {
  // Groups of 10: 30 + 120 = 150 each; page 1 takes two (300) and the
  // third group's header with its first two records (42 + 12).
  TTestReport test(30, 10);
  const auto pages = test.Report.Paginate();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].Records.size(), 22u);
  EXPECT_EQ(CountOf(pages[0], "GROUP"), 3);
  TTestReport tight(30, 10);
  tight.Report.Layout.Bands[1].Height = 160;  // title: 300 left, filled by two groups
  const auto tightPages = tight.Report.Paginate();
  EXPECT_EQ(tightPages[0].Records.size(), 20u);
  EXPECT_EQ(CountOf(tightPages[0], "GROUP"), 2);
  EXPECT_EQ(CountOf(tightPages[1], "GROUP"), 1);
}

TEST(ReportPages, ColumnHeadersFromSecondPageAndOversizedBands) {
  TTestReport test(100, 1000, true);
  const auto pages = test.Report.Paginate();
  ASSERT_GE(pages.size(), 2u);
  EXPECT_EQ(CountOf(pages[0], "COLUMNS"), 0);
  EXPECT_EQ(CountOf(pages[1], "COLUMNS"), 1);

  TTestReport huge(3);
  huge.Report.Layout.Bands[4].Height = 2000;  // a detail taller than a page
  const auto hugePages = huge.Report.Paginate();
  ASSERT_EQ(hugePages.size(), 4u) << "the group header, then one record per page; no endless breaking";
  EXPECT_TRUE(hugePages[0].Records.empty());
  EXPECT_EQ(hugePages[3].Records, std::vector<int>{2});
}

TEST(ReportPages, ContinuedGroupsRepeatTheirCaptionAndHeadings) {
  // Groups of 50 with their own headings: the page-level column headers
  // print only on a page that starts inside a group, under the group's
  // continuation caption; a page that starts with a new group has only the
  // group's own headings.
  TTestReport test(130, 50);
  TReportLayout& layout = test.Report.Layout;
  layout.Bands[2].OnlyInsideGroup = true;
  TReportBand& continued = layout.AddBand(TReportBandKind::GroupContinuation, 14);
  continued.GroupField = "G";
  continued.Computed([](const TReportDataset& d, int r) { return "GROUP " + d.Text(r, "G") + " (continued)"; }, 0, 0,
                     200);
  const auto pages = test.Report.Paginate();
  ASSERT_GE(pages.size(), 3u);
  EXPECT_EQ(CountOf(pages[0], "COLUMNS"), 0) << "the first page starts with a group";
  bool startsWithGroup = false, startsInside = false;
  for (size_t p = 1; p < pages.size(); ++p) {
    const int first = pages[p].Records.front();
    const bool inside = first % 50 != 0;
    EXPECT_EQ(CountOf(pages[p], "COLUMNS"), inside ? 1 : 0) << "page " << p + 1;
    EXPECT_EQ(CountOf(pages[p], "GROUP " + std::to_string(first / 50) + " (continued)"), inside ? 1 : 0);
    const auto texts = pages[p].TextsInOrder();
    if (inside) {
      // Heading, caption, column headers, then the rows.
      EXPECT_EQ(texts[1], "GROUP " + std::to_string(first / 50) + " (continued)");
      EXPECT_EQ(texts[2], "COLUMNS");
    }
    EXPECT_TRUE(pages[p].HasText("Page " + std::to_string(p + 1) + " of " + std::to_string(pages.size())));
    (inside ? startsInside : startsWithGroup) = true;
  }
  EXPECT_TRUE(startsInside);
  EXPECT_TRUE(startsWithGroup) << "the third group's header does not fit under the second group's last rows";
}

TEST(ReportPages, RecordSplitAfterItsGroupHeaderContinuesTheGroup) {
  // A group header and a detail that cannot share a page: the detail's page
  // starts inside the group, so it gets the continuation caption.
  TTestReport test(1, 1000);
  test.Report.Layout.Bands[3].Height = 400;  // group header
  test.Report.Layout.Bands[4].Height = 400;  // detail
  TReportBand& continued = test.Report.Layout.AddBand(TReportBandKind::GroupContinuation, 14);
  continued.GroupField = "G";
  continued.Label("GROUP (continued)", 0, 0, 200);
  const auto pages = test.Report.Paginate();
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(CountOf(pages[0], "GROUP"), 1);
  EXPECT_EQ(CountOf(pages[1], "GROUP (continued)"), 1);
  EXPECT_EQ(pages[1].Records, std::vector<int>{0});
}
