#pragma once
// Paints the rendered pages of a report: texts, rules, the program's mark
// and the fills and polylines of plots.
// Positions come in points from the paper's top left corner; the painter
// maps them to device units, so the same pages go to a printer, the print
// preview and a PDF file.
#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>

#include "reports/PlotLayout.h"

class QPainter;
class QPaintDevice;
struct TRenderedPage;
struct TRenderedText;
struct TRenderedRule;
struct TRenderedBox;
struct TRenderedFill;
struct TRenderedPolyline;

// The family the report layouts are measured for: Arial, or where it is not
// installed a family with Arial's metrics (Liberation Sans, Arimo). Only
// when none of them is there does the nearest sans serif stand in, and the
// texts may then need shrinking.
QString ReportFontFamily();

// How a text of a page is set: the font after fitting it to its box, the
// text as printed (shortened with an ellipsis only where even the smallest
// size does not fit) and the box it takes, in points on the paper: its
// advance across, its ink up and down.
struct TReportTextPlacement {
  QFont Font;
  QString Text;
  double PointSize = 0;
  QPointF Origin;  // the start of the text's baseline
  QRectF Extent;
};

// The smallest size a text is shrunk to when it is wider than its box.
inline constexpr double ReportMinimumPointSize = 6.0;

// Measured with the metrics of a high-resolution device (as a PDF file or a
// printer), so what is measured is what is printed.
TReportTextPlacement PlaceReportText(const TRenderedText& text);

// A plot's colour (0xRRGGBB) and dash pattern (in pen widths, empty for a
// solid line), shared by the report painter and the desktop's plot view.
QColor ColourOf(uint32_t rgb);
QList<qreal> DashPattern(TPlotDash dash);

class TReportPainter {
public:
  // scale: device units per point; origin: where the paper's corner lies in
  // the painter's coordinates.
  TReportPainter(QPainter& painter, double scale, QPointF origin = QPointF());

  void PaintPage(const TRenderedPage& page);

private:
  void PaintText(const TRenderedText& text);
  void PaintRule(const TRenderedRule& rule);
  void PaintLogo(const TRenderedBox& box);
  void PaintFill(const TRenderedFill& fill);
  void PaintPolyline(const TRenderedPolyline& line);
  void PaintMarker(const TRenderedPolyline& line, QPointF at);
  QPointF Map(double x, double y) const;

  QPainter& FPainter;
  double FScale;
  QPointF FOrigin;
};
