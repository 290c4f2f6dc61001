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
  TReportItem& heading = band.Label(report.Heading, 60, 6, width - 120, TReportAlign::Center, true, 18);
  heading.Height = 24;
  band.Rule(0, 40, width);
  return band;
}

double AddIdentification(TReportBand& title, const TProjectIdentification& id) {
  constexpr bool bold = true;
  title.Label("PID :", 0, 0, 28, TReportAlign::Left, bold);
  title.Label(id.PID, 30, 0, 120);
  title.Label("Date :", 160, 0, 34, TReportAlign::Left, bold);
  title.Label(ReportDateText(id.ProjectDate), 196, 0, 70);
  title.Label("Project :", 276, 0, 50, TReportAlign::Left, bold);
  title.Label(id.Project, 328, 0, 180);
  title.Label("Location :", 516, 0, 56, TReportAlign::Left, bold);
  title.Label(id.Location, 574, 0, 146);
  title.Label("Description :", 0, 15, 72, TReportAlign::Left, bold);
  title.Label(id.Description, 74, 15, 360);
  title.Label("Designer :", 516, 15, 56, TReportAlign::Left, bold);
  title.Label(id.Designer, 574, 15, 146);
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
