#include "app/tools/ShapePicture.h"

#include <QPainter>
#include <algorithm>

namespace {

// A dimension line with its name beside it.
void Dimension(QPainter& p, QPointF from, QPointF to, const QString& name) {
  p.drawLine(from, to);
  const QPointF middle = (from + to) / 2;
  p.drawText(QRectF(middle.x() - 30, middle.y() - 16, 60, 14), Qt::AlignCenter, name);
}

void DrawCircle(QPainter& p, const QRectF& r) {
  const double d = std::min(r.width(), r.height());
  const QRectF c(r.center().x() - d / 2, r.center().y() - d / 2, d, d);
  p.drawEllipse(c);
  Dimension(p, QPointF(c.left(), c.center().y()), QPointF(c.right(), c.center().y()), QStringLiteral("D"));
}

void DrawEllipse(QPainter& p, const QRectF& r) {
  p.drawEllipse(r);
  Dimension(p, QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()), QStringLiteral("Span"));
  p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
  p.drawText(QRectF(r.center().x() + 4, r.top() + 8, 40, 14), Qt::AlignLeft, QStringLiteral("Rise"));
}

void DrawBox(QPainter& p, const QRectF& r) {
  p.drawRect(r);
  Dimension(p, QPointF(r.left(), r.bottom() - 6), QPointF(r.right(), r.bottom() - 6), QStringLiteral("W"));
  p.drawLine(QPointF(r.right() - 10, r.top()), QPointF(r.right() - 10, r.bottom()));
  p.drawText(QRectF(r.right() - 28, r.center().y() - 7, 16, 14), Qt::AlignRight, QStringLiteral("H"));
}

// The largest rectangle of width:height 4:3 centred in the area, so the
// sketch keeps its look whatever room the page gives it.
QRectF Proportioned(const QRectF& area) {
  const double width = std::min(area.width(), area.height() * 4 / 3);
  const double height = width * 3 / 4;
  return QRectF(area.center().x() - width / 2, area.center().y() - height / 2, width, height);
}

}  // namespace

TShapePicture::TShapePicture(TCalculatorShape shape, QWidget* parent) : QWidget(parent), FShape(shape) {
  setMinimumSize(120, 90);
}

void TShapePicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(palette().color(QPalette::WindowText), 1.5));
  const QRectF area = QRectF(rect()).adjusted(10, 10, -10, -10);
  switch (FShape) {
    case csCircular: DrawCircle(p, area); break;
    case csElliptical: DrawEllipse(p, Proportioned(area)); break;
    case csBox: DrawBox(p, Proportioned(area)); break;
    case csPipeArch: break;  // not computed, so not drawn
  }
}
