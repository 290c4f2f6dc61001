#pragma once
// Painting a report's pages on a paged device and writing them as a PDF
// file. Needs Qt GUI only, so a program without widgets can write reports.
#include <QString>

class QPagedPaintDevice;
class TReport;

// US Letter landscape, without margins where the device allows.
void SetLetterLandscape(QPagedPaintDevice& device);

// Sets the device to US Letter landscape and paints every page. A device
// that paints from the paper's corner (a printer in full page mode) says so;
// every other device paints from the top left of its printable area. False
// when the device cannot be painted on.
bool PaintReportPages(const TReport& report, QPagedPaintDevice& device, bool fromPaperCorner = false);

// The PDF's title: the report heading and the project file's name.
QString ReportPdfTitle(const TReport& report);

// Writes the report as a PDF file with its title and the program as its
// creator. The file appears only when complete: on failure an earlier file
// of the name is left as it was, and the result is false.
bool ExportReportPdf(const TReport& report, const QString& fileName);
