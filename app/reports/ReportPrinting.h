#pragma once
// Preview, printing and PDF export of a report, all through one painter on
// US Letter landscape paper.
#include <QString>

#include "app/reports/ReportPdf.h"

class QPagedPaintDevice;
class QPrinter;
class QWidget;
class TReport;

// Shows the report in the print preview window (modal).
void PreviewReport(const TReport& report, QWidget* parent, const QPrinter* chosen = nullptr);
// Asks for the printer and copies first; false when the user cancels or the
// printer cannot be opened. A printer chosen earlier (Printer Setup) is
// offered again and keeps the choices of this run.
bool PrintReport(const TReport& report, QWidget* parent, QPrinter* printer = nullptr);
// Paints every page of the report on the device, which it sets to US Letter
// landscape.
void PrintReportTo(const TReport& report, QPagedPaintDevice& device);

// Collated copies are printed as that many one-copy runs of the whole
// report, since not every printer driver collates; uncollated copies are one
// run that asks the printer for the copies.
struct TPrintRuns {
  int Runs = 1;
  int CopiesPerRun = 1;
};
TPrintRuns PrintRunsFor(int copies, bool collate);
