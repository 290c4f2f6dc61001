#include "app/reports/ReportPdf.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "app/reports/ReportPainter.h"
#include "reports/Report.h"

namespace {

QString Latin1(const std::string& text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void SetLetterLandscape(QPagedPaintDevice& device) {
  const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0),
                           QPageLayout::Point);
  if (!device.setPageLayout(layout)) {
    // A printer with unprintable edges refuses zero margins; its own stay.
    device.setPageSize(QPageSize(QPageSize::Letter));
    device.setPageOrientation(QPageLayout::Landscape);
  }
}

bool PaintReportPages(const TReport& report, QPagedPaintDevice& device, bool fromPaperCorner) {
  SetLetterLandscape(device);
  const std::vector<TRenderedPage> pages = report.Paginate();
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const int dpi = device.logicalDpiX();
  const double paperWidth = device.pageLayout().fullRectPixels(dpi).width();
  const double scale = report.Layout.Page.Width > 0 ? paperWidth / report.Layout.Page.Width : dpi / 72.0;
  const QPointF origin = fromPaperCorner ? QPointF() : -QPointF(device.pageLayout().paintRectPixels(dpi).topLeft());
  TReportPainter pagePainter(painter, scale, origin);
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !device.newPage()) break;
    pagePainter.PaintPage(pages[i]);
  }
  return painter.end();
}

QString ReportPdfTitle(const TReport& report) {
  const std::string file = FileNameWithoutFolder(report.FileName);
  QString title = Latin1(report.Heading);
  if (!file.empty()) title += QStringLiteral(" - ") + Latin1(file);
  return title;
}

bool ExportReportPdf(const TReport& report, const QString& fileName) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) return false;
  {
    QPdfWriter writer(&file);
    writer.setTitle(ReportPdfTitle(report));
    writer.setCreator(Latin1(report.Title));
    if (!PaintReportPages(report, writer)) {
      file.cancelWriting();
      return false;
    }
  }
  return file.commit();
}
