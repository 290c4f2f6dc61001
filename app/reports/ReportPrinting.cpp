#include "app/reports/ReportPrinting.h"

#include <QDialog>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "app/reports/ReportPdf.h"
#include "reports/Report.h"

namespace {

// A printer in full page mode paints from the paper's corner.
bool PaintReport(const TReport& report, QPagedPaintDevice& device) {
  auto* printer = dynamic_cast<QPrinter*>(&device);
  return PaintReportPages(report, device, printer && printer->fullPage());
}

}  // namespace

TPrintRuns PrintRunsFor(int copies, bool collate) {
  if (copies < 1) copies = 1;
  if (collate && copies > 1) return {copies, 1};
  return {1, copies};
}

void PrintReportTo(const TReport& report, QPagedPaintDevice& device) { PaintReport(report, device); }

void PreviewReport(const TReport& report, QWidget* parent, const QPrinter* chosen) {
  QPrinter printer(QPrinter::HighResolution);
  // The preview shows the pages on the printer chosen in Printer Setup.
  if (chosen) printer.setPrinterName(chosen->printerName());
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
  // The print job's name; the dialog offers it, as a PDF, for printing to
  // a file (instead of "print.pdf" for every report).
  printer.setDocName(QFile::decodeName(FileNameWithoutFolder(report.PdfFileName).c_str()));
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  const TPrintRuns runs = PrintRunsFor(printer.copyCount(), printer.collateCopies());
  printer.setCopyCount(runs.CopiesPerRun);
  for (int run = 0; run < runs.Runs; ++run)
    if (!PaintReport(report, printer)) return false;
  return true;
}
