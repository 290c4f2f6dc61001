#pragma once
// The banded page layout of a report and its cutting into pages. Everything
// is measured in points (1/72 in) from the top left corner of the paper;
// item positions are relative to the left margin and the top of their band.
// Paginating gives, for each page, a flat list of texts, rules and logos at
// their absolute positions, which a painter only has to draw.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "plots/Plot.h"
#include "reports/PlotLayout.h"
#include "reports/ReportHandlers.h"

class TReportDataset;

enum class TReportAlign { Left, Center, Right };

// Decides from the current record (-1 when there is none) whether a band or
// an item prints.
using TReportCondition = std::function<bool(const TReportDataset& data, int record)>;
// Builds the text of an item from the current record (never called without one).
using TReportFormatter = std::function<std::string(const TReportDataset& data, int record)>;

enum class TReportItemKind {
  Label,       // fixed Text
  Cell,        // Field of the current record, through Handler when given
  Computed,    // Formatter of the current record
  PageNumber,  // Text followed by "n of N", the page number and the page count
  Rule,        // a horizontal line across Width, at Y
  Logo,        // the program's mark in the box X, Y, Width, Height
};

struct TReportItem {
  TReportItemKind Kind = TReportItemKind::Label;
  std::string Text;
  std::string Field;
  TPrintHandler Handler;
  TReportFormatter Formatter;
  TReportCondition PrintIf;  // prints always when empty
  double X = 0, Y = 0, Width = 0, Height = 0;
  TReportAlign Align = TReportAlign::Left;
  bool Bold = false;
  double FontSize = 0;  // 0: the page's base font size
  // The text is UTF-8 (a Greek capital of a heading), not ISO-8859-1.
  bool Utf8 = false;
};

// A group continuation band prints at the top of a page that starts inside
// the group of its GroupField, below the title and above the column headers,
// so a continued table keeps its caption.
enum class TReportBandKind { PageHeader, Title, ColumnHeader, GroupHeader, GroupContinuation, Detail, PageFooter };

struct TReportBand {
  TReportBandKind Kind = TReportBandKind::Detail;
  double Height = 0;
  std::vector<TReportItem> Items;
  // Group headers print before the first record and whenever the value of
  // this field, or of an outer group's field, changes.
  std::string GroupField;
  TReportCondition PrintIf;     // prints always when empty
  bool FromSecondPage = false;  // column headers left to another band on page 1
  // Column headers of a report whose outermost group carries the headings
  // itself: printed only on a page that starts inside such a group, so a
  // page never shows the headings twice.
  bool OnlyInsideGroup = false;

  TReportItem& Label(const std::string& text, double x, double y, double width, TReportAlign align = TReportAlign::Left,
                     bool bold = false, double fontSize = 0);
  TReportItem& Cell(const std::string& field, double x, double y, double width, TPrintHandler handler = {},
                    TReportAlign align = TReportAlign::Left);
  TReportItem& Computed(TReportFormatter formatter, double x, double y, double width,
                        TReportAlign align = TReportAlign::Left);
  TReportItem& Rule(double x, double y, double width);
};

struct TPageSetup {
  // US Letter, landscape.
  double Width = 792;
  double Height = 612;
  double Margin = 36;
  double BaseFontSize = 10;
  double FooterFontSize = 8;
  double ContentWidth() const { return Width - 2 * Margin; }
};

struct TReportLayout {
  TPageSetup Page;
  std::vector<TReportBand> Bands;  // group headers outermost first
  // Printed after the records, one or two to a page, under the page header
  // and above the page footer.
  std::vector<plots::TPlot> Plots;

  TReportBand& AddBand(TReportBandKind kind, double height);
};

struct TRenderedText {
  std::string Text;
  double X = 0, Y = 0, Width = 0, Height = 0;
  TReportAlign Align = TReportAlign::Left;
  bool Bold = false;
  double FontSize = 10;
  bool Utf8 = false;  // as the item it came from
};

struct TRenderedRule {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

struct TRenderedBox {
  double X = 0, Y = 0, Width = 0, Height = 0;
};

struct TRenderedPoint {
  double X = 0, Y = 0;
};

// A line through points, with a marker at each point (a series of a plot,
// a grid line, a tick).
struct TRenderedPolyline {
  std::vector<TRenderedPoint> Points;
  uint32_t Colour = 0;  // 0xRRGGBB
  double Width = 0.75;
  TPlotDash Dash = TPlotDash::Solid;
  TPlotMarker Marker = TPlotMarker::None;
  bool Joined = true;  // false: only the markers
  double MarkerSize = 4.5;
};

// A filled rectangle without an outline (a shaded band of a plot).
struct TRenderedFill {
  double X = 0, Y = 0, Width = 0, Height = 0;
  uint32_t Colour = 0;
};

struct TRenderedPage {
  int Number = 1;
  std::vector<TRenderedText> Texts;
  std::vector<TRenderedRule> Rules;
  std::vector<TRenderedBox> Logos;
  // Painted first, under everything else.
  std::vector<TRenderedFill> Fills;
  // Painted after the rules, before the texts.
  std::vector<TRenderedPolyline> Polylines;
  // Records whose detail bands print on this page, in order.
  std::vector<int> Records;

  bool HasText(const std::string& text) const;
  // The texts of the page top to bottom, left to right.
  std::vector<std::string> TextsInOrder() const;
};

// Cuts the records into pages: page header on every page, title bands on the
// first, then the continuation bands of the groups the page starts inside,
// column headers (from the second page, or only inside a group, when so
// marked), group headers and details as the records go, the footer at the
// bottom of every page, printed for the last record of that page. A record's
// group headers stay on the page of its detail. No records still give one
// page. The layout's plots follow on pages of their own, with the page
// header and footer of a page without a record.
std::vector<TRenderedPage> PaginateReport(const TReportLayout& layout, const TReportDataset& data);
