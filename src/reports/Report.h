#pragma once
// A printable report: the dataset of its rows, its banded layout and the
// texts every page carries. A kind's report is built by its Create function
// from the calculated project and lives for one preview, print or export.

#include <string>
#include <vector>

#include "reports/ReportDataset.h"
#include "reports/ReportLayout.h"

struct TProjectIdentification;

class TReport {
public:
  virtual ~TReport() = default;

  std::string Heading;   // in capitals at the top of every page
  std::string Title;     // program name and version, left in every footer
  std::string FileName;  // of the project, printed without its folder
  // The name a PDF of the report is offered under (see DefaultReportFileName).
  std::string PdfFileName;
  TReportDataset Dataset;
  TReportLayout Layout;

  std::vector<TRenderedPage> Paginate() const { return PaginateReport(Layout, Dataset); }
};

// The report title of the running program: product name, a blank and the
// file version with a final point.
std::string RunningReportTitle();
// The name after the last folder separator ("/" or "\").
std::string FileNameWithoutFolder(const std::string& fileName);
// "MM/DD/YYYY" with the user's date separator; empty for the zero date.
std::string ReportDateText(double date);

// The frame every report shares. The page header carries the logo and the
// heading; the identification block fills the first two lines of a title
// band and returns the height it used; the footer has the title at the
// left, the file name in the middle and the page number at the right, and
// returns its band so a report can add its own texts.
TReportBand& AddPageHeader(TReport& report);
double AddIdentification(TReportBand& title, const TProjectIdentification& identification);
TReportBand& AddPageFooter(TReport& report);
