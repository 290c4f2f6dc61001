#include "app/reports/ReportPainter.h"

#include <algorithm>

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include "reports/ReportLayout.h"

namespace {

Qt::Alignment AlignmentOf(TReportAlign align) {
  switch (align) {
    case TReportAlign::Center: return Qt::AlignHCenter;
    case TReportAlign::Right: return Qt::AlignRight;
    default: return Qt::AlignLeft;
  }
}

}  // namespace

TReportPainter::TReportPainter(QPainter& painter, double scale, QPointF origin)
    : FPainter(painter), FScale(scale), FOrigin(origin) {}

QPointF TReportPainter::Map(double x, double y) const { return FOrigin + QPointF(x * FScale, y * FScale); }

void TReportPainter::PaintPage(const TRenderedPage& page) {
  FPainter.save();
  FPainter.setRenderHint(QPainter::Antialiasing);
  for (const TRenderedBox& logo : page.Logos) PaintLogo(logo);
  for (const TRenderedRule& rule : page.Rules) PaintRule(rule);
  for (const TRenderedText& text : page.Texts) PaintText(text);
  FPainter.restore();
}

void TReportPainter::PaintText(const TRenderedText& text) {
  // Arial is asked for; where it is not installed Qt picks the nearest sans.
  QFont font(QStringLiteral("Arial"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(text.FontSize > 0 ? text.FontSize : 10);
  font.setBold(text.Bold);
  const QRectF box(Map(text.X, text.Y), Map(text.X + text.Width, text.Y + text.Height));
  // Report texts are ISO-8859-1, as the project keeps them; the few signs
  // that code page lacks are marked as UTF-8.
  const auto size = static_cast<qsizetype>(text.Text.size());
  const QString value = text.Utf8 ? QString::fromUtf8(text.Text.data(), size) : QString::fromLatin1(text.Text.data(), size);
  FitToWidth(font, value, box.width());
  FPainter.setFont(font);
  FPainter.setPen(Qt::black);
  FPainter.drawText(box, AlignmentOf(text.Align) | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip, value);
}

// A substitute font may be wider than the one the layout was measured for;
// the text then shrinks (to no less than two thirds) rather than run into
// its neighbour.
void TReportPainter::FitToWidth(QFont& font, const QString& text, double width) const {
  if (width <= 0) return;
  const double needed = QFontMetricsF(font, FPainter.device()).horizontalAdvance(text);
  if (needed <= width) return;
  font.setPointSizeF(font.pointSizeF() * std::max(2.0 / 3.0, width / needed));
}

void TReportPainter::PaintRule(const TRenderedRule& rule) {
  QPen pen(Qt::black);
  pen.setWidthF(0.75 * FScale);
  FPainter.setPen(pen);
  FPainter.drawLine(Map(rule.X1, rule.Y1), Map(rule.X2, rule.Y2));
}

// The program's mark: a culvert barrel under a road embankment, with water
// running through it.
void TReportPainter::PaintLogo(const TRenderedBox& box) {
  const double w = box.Width, h = box.Height;
  auto at = [&](double fx, double fy) { return Map(box.X + fx * w, box.Y + fy * h); };
  const QColor blue(0x1f, 0x4e, 0x79);
  QPen pen(blue);
  pen.setWidthF(1.2 * FScale);
  FPainter.setPen(pen);

  QPainterPath embankment;
  embankment.moveTo(at(0.02, 0.85));
  embankment.lineTo(at(0.3, 0.12));
  embankment.lineTo(at(0.7, 0.12));
  embankment.lineTo(at(0.98, 0.85));
  FPainter.setBrush(QColor(0xd9, 0xe2, 0xec));
  FPainter.drawPath(embankment);

  const double radius = 0.22 * h * FScale;
  FPainter.setBrush(Qt::white);
  FPainter.drawEllipse(at(0.5, 0.6), radius, radius);

  QPainterPath water;
  water.moveTo(at(0.0, 0.95));
  water.cubicTo(at(0.25, 0.85), at(0.35, 1.05), at(0.5, 0.95));
  water.cubicTo(at(0.65, 0.85), at(0.75, 1.05), at(1.0, 0.95));
  FPainter.setBrush(Qt::NoBrush);
  FPainter.drawPath(water);
}
