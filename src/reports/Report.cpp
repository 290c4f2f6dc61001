#include "reports/Report.h"

#include <cstdio>

#include "foundation/DateTime.h"
#include "foundation/FormatSettings.h"
#include "foundation/ProgramVersion.h"
#include "model/NerraBase.h"

std::string RunningReportTitle() { return ReportTitle(RunningProgramVersion()); }

std::string FileNameWithoutFolder(const std::string& fileName) {
  const size_t slash = fileName.find_last_of("/\\");
  return slash == std::string::npos ? fileName : fileName.substr(slash + 1);
}

std::string ReportDateText(double date) {
  if (date == 0) return std::string();
  int year = 0, month = 0, day = 0;
  DecodeDate(date, year, month, day);
  if (year <= 0) return std::string();
  const char separator = FormatSettings().DateSeparator;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d%c%02d%c%04d", month, separator, day, separator, year);
  return buffer;
}

TReportBand& AddPageHeader(TReport& report) {
  const double width = report.Layout.Page.ContentWidth();
  TReportBand& band = report.Layout.AddBand(TReportBandKind::PageHeader, 46);
  TReportItem& logo = band.Label(std::string(), 0, 0, 54);
  logo.Kind = TReportItemKind::Logo;
  logo.Height = 36;
  TReportItem& heading = band.Label(report.Heading, 180, 6, width - 360, TReportAlign::Center, true, 18);
  heading.Height = 24;
  band.Rule(0, 40, width);
  return band;
}

// The project's name and description are the longest texts and get the
// widest boxes; the code, the date and the names of place and designer are
// short. A text longer than its box is shrunk by the painter.
double AddIdentification(TReportBand& title, const TProjectIdentification& id) {
  constexpr bool bold = true;
  title.Label("PID :", 0, 0, 26, TReportAlign::Left, bold);
  title.Label(id.PID, 28, 0, 68);
  title.Label("Date :", 102, 0, 32, TReportAlign::Left, bold);
  title.Label(ReportDateText(id.ProjectDate), 136, 0, 58);
  title.Label("Project :", 200, 0, 44, TReportAlign::Left, bold);
  title.Label(id.Project, 246, 0, 264);
  title.Label("Location :", 518, 0, 52, TReportAlign::Left, bold);
  title.Label(id.Location, 572, 0, 148);
  title.Label("Description :", 0, 15, 64, TReportAlign::Left, bold);
  title.Label(id.Description, 66, 15, 444);
  title.Label("Designer :", 518, 15, 52, TReportAlign::Left, bold);
  title.Label(id.Designer, 572, 15, 148);
  return 32;
}

TReportBand& AddPageFooter(TReport& report) {
  const double width = report.Layout.Page.ContentWidth();
  TReportBand& band = report.Layout.AddBand(TReportBandKind::PageFooter, 26);
  band.Rule(0, 2, width);
  band.Label(report.Title, 0, 5, 220);
  band.Label(FileNameWithoutFolder(report.FileName), 230, 5, width - 460, TReportAlign::Center);
  TReportItem& page = band.Label("Page ", width - 120, 5, 120, TReportAlign::Right);
  page.Kind = TReportItemKind::PageNumber;
  return band;
}
