#include "app/reports/ReportPrinting.h"

#include <QDialog>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/reports/ReportPainter.h"
#include "reports/Report.h"

namespace {

void SetLetterLandscape(QPagedPaintDevice& device) {
  const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0),
                           QPageLayout::Point);
  if (!device.setPageLayout(layout)) {
    // A printer with unprintable edges refuses zero margins; its own stay.
    device.setPageSize(QPageSize(QPageSize::Letter));
    device.setPageOrientation(QPageLayout::Landscape);
  }
}

// Where the paper's corner lies in painter coordinates: a printer in full
// page mode paints from the corner, every other device from the top left
// of its printable area.
QPointF PaperOrigin(QPagedPaintDevice& device, int dpi) {
  if (auto* printer = dynamic_cast<QPrinter*>(&device); printer && printer->fullPage()) return QPointF();
  return -QPointF(device.pageLayout().paintRectPixels(dpi).topLeft());
}

bool PaintReport(const TReport& report, QPagedPaintDevice& device) {
  SetLetterLandscape(device);
  const std::vector<TRenderedPage> pages = report.Paginate();
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const int dpi = device.logicalDpiX();
  const double paperWidth = device.pageLayout().fullRectPixels(dpi).width();
  const double scale = report.Layout.Page.Width > 0 ? paperWidth / report.Layout.Page.Width : dpi / 72.0;
  TReportPainter pagePainter(painter, scale, PaperOrigin(device, dpi));
  for (size_t i = 0; i < pages.size(); ++i) {
    if (i > 0 && !device.newPage()) break;
    pagePainter.PaintPage(pages[i]);
  }
  return painter.end();
}

}  // namespace

TPrintRuns PrintRunsFor(int copies, bool collate) {
  if (copies < 1) copies = 1;
  if (collate && copies > 1) return {copies, 1};
  return {1, copies};
}

void PrintReportTo(const TReport& report, QPagedPaintDevice& device) { PaintReport(report, device); }

void PreviewReport(const TReport& report, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setFullPage(true);
  SetLetterLandscape(printer);
  QPrintPreviewDialog dialog(&printer, parent);
  dialog.setWindowTitle(QString::fromLatin1(report.Heading.c_str()));
  QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                   [&report](QPrinter* target) { PrintReportTo(report, *target); });
  dialog.exec();
}

bool PrintReport(const TReport& report, QWidget* parent, QPrinter* chosen) {
  QPrinter own(QPrinter::HighResolution);
  QPrinter& printer = chosen ? *chosen : own;
  printer.setFullPage(true);
  SetLetterLandscape(printer);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  const TPrintRuns runs = PrintRunsFor(printer.copyCount(), printer.collateCopies());
  printer.setCopyCount(runs.CopiesPerRun);
  for (int run = 0; run < runs.Runs; ++run)
    if (!PaintReport(report, printer)) return false;
  return true;
}

bool ExportReportPdf(const TReport& report, const QString& fileName) {
  QPdfWriter writer(fileName);
  writer.setTitle(QString::fromLatin1(report.Heading.c_str()));
  writer.setCreator(QString::fromLatin1(report.Title.c_str()));
  return PaintReport(report, writer);
}
