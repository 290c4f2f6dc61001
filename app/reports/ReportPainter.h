#pragma once
// Paints the rendered pages of a report: texts, rules and the program's mark.
// Positions come in points from the paper's top left corner; the painter
// maps them to device units, so the same pages go to a printer, the print
// preview and a PDF file.
#include <QPointF>

class QFont;
class QPainter;
class QString;
struct TRenderedPage;
struct TRenderedText;
struct TRenderedRule;
struct TRenderedBox;

class TReportPainter {
public:
  // scale: device units per point; origin: where the paper's corner lies in
  // the painter's coordinates.
  TReportPainter(QPainter& painter, double scale, QPointF origin = QPointF());

  void PaintPage(const TRenderedPage& page);

private:
  void PaintText(const TRenderedText& text);
  void FitToWidth(QFont& font, const QString& text, double width) const;
  void PaintRule(const TRenderedRule& rule);
  void PaintLogo(const TRenderedBox& box);
  QPointF Map(double x, double y) const;

  QPainter& FPainter;
  double FScale;
  QPointF FOrigin;
};
