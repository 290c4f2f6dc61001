#include "app/reports/ReportPainter.h"

#include <algorithm>

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include "reports/ReportLayout.h"

namespace {

// Fonts are measured at the resolution of a PDF file; a printer's 300 or
// 600 dpi gives the same widths within a hair for outline fonts.
constexpr int MeasureDpi = 1200;
constexpr double PixelsPerPoint = MeasureDpi / 72.0;

const QPaintDevice& MeasureDevice() {
  static const QImage device = [] {
    QImage image(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(MeasureDpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image;
  }();
  return device;
}

bool Installed(const QString& family) {
  // fontconfig answers any family with its nearest match, so whether the
  // family itself is there is told by the font actually chosen.
  if (!QFontDatabase::hasFamily(family)) return false;
  return QFontInfo(QFont(family)).family().compare(family, Qt::CaseInsensitive) == 0;
}

QFont BaseFont(double pointSize, bool bold) {
  QFont font(ReportFontFamily());
  font.setStyleHint(QFont::SansSerif);
  // Kerning and hinting change widths from one device to the next; the
  // layouts are measured without either.
  font.setKerning(false);
  font.setHintingPreference(QFont::PreferNoHinting);
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

QString TextOf(const TRenderedText& text) {
  // Report texts are ISO-8859-1, as the project keeps them; the few signs
  // that code page lacks are marked as UTF-8.
  const auto size = static_cast<qsizetype>(text.Text.size());
  return text.Utf8 ? QString::fromUtf8(text.Text.data(), size) : QString::fromLatin1(text.Text.data(), size);
}

double AdvanceOf(const QFont& font, const QString& text) {
  return QFontMetricsF(font, &MeasureDevice()).horizontalAdvance(text) / PixelsPerPoint;
}

// A text wider than its box shrinks, down to the smallest readable size;
// what still does not fit is cut with an ellipsis rather than printed over
// its neighbour.
void FitToWidth(TReportTextPlacement& placed, double width) {
  if (width <= 0) return;
  const double floor = std::min(placed.PointSize, ReportMinimumPointSize);
  for (int attempt = 0; attempt < 8; ++attempt) {
    const double needed = AdvanceOf(placed.Font, placed.Text);
    if (needed <= width || placed.PointSize <= floor) break;
    // Widths do not scale quite linearly; a little extra saves a round.
    placed.PointSize = std::max(floor, placed.PointSize * width / needed - 0.05);
    placed.Font.setPointSizeF(placed.PointSize);
  }
  if (AdvanceOf(placed.Font, placed.Text) > width) {
    const QFontMetricsF metrics(placed.Font, &MeasureDevice());
    placed.Text = metrics.elidedText(placed.Text, Qt::ElideRight, width * PixelsPerPoint);
  }
}

}  // namespace

QColor ColourOf(uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb & 0xFFFFFFu)); }

QList<qreal> DashPattern(TPlotDash dash) {
  switch (dash) {
    case TPlotDash::Dash: return {4, 3};
    case TPlotDash::Dot: return {1, 2.5};
    case TPlotDash::DashDot: return {6, 2.5, 1, 2.5};
    case TPlotDash::LongDash: return {9, 3};
    case TPlotDash::Solid: break;
  }
  return {};
}

QString ReportFontFamily() {
  static const QString family = [] {
    for (const char* candidate : {"Arial", "Liberation Sans", "Arimo"}) {
      const QString name = QString::fromLatin1(candidate);
      if (Installed(name)) return name;
    }
    return QStringLiteral("Arial");
  }();
  return family;
}

TReportTextPlacement PlaceReportText(const TRenderedText& text) {
  TReportTextPlacement placed;
  placed.PointSize = text.FontSize > 0 ? text.FontSize : 10;
  placed.Font = BaseFont(placed.PointSize, text.Bold);
  placed.Text = TextOf(text);
  FitToWidth(placed, text.Width);

  const QFontMetricsF metrics(placed.Font, &MeasureDevice());
  const double advance = metrics.horizontalAdvance(placed.Text) / PixelsPerPoint;
  double left = text.X;
  if (text.Align == TReportAlign::Right)
    left = text.X + text.Width - advance;
  else if (text.Align == TReportAlign::Center)
    left = text.X + (text.Width - advance) / 2;
  // The line is centred in its box, as Qt centres a single line.
  const double lineHeight = (metrics.ascent() + metrics.descent()) / PixelsPerPoint;
  const double baseline = text.Y + (text.Height - lineHeight) / 2 + metrics.ascent() / PixelsPerPoint;
  // Across, a text takes its advance (what a reader or a text extractor
  // sees as the word); up and down only its ink, since lines are set closer
  // than the font's full height.
  const QRectF ink = metrics.tightBoundingRect(placed.Text);
  placed.Extent = QRectF(left, baseline + ink.y() / PixelsPerPoint, advance, ink.height() / PixelsPerPoint);
  placed.Origin = QPointF(left, baseline);
  return placed;
}

TReportPainter::TReportPainter(QPainter& painter, double scale, QPointF origin)
    : FPainter(painter), FScale(scale), FOrigin(origin) {}

QPointF TReportPainter::Map(double x, double y) const { return FOrigin + QPointF(x * FScale, y * FScale); }

void TReportPainter::PaintPage(const TRenderedPage& page) {
  FPainter.save();
  FPainter.setRenderHint(QPainter::Antialiasing);
  for (const TRenderedFill& fill : page.Fills) PaintFill(fill);
  for (const TRenderedBox& logo : page.Logos) PaintLogo(logo);
  for (const TRenderedRule& rule : page.Rules) PaintRule(rule);
  for (const TRenderedPolyline& line : page.Polylines) PaintPolyline(line);
  for (const TRenderedText& text : page.Texts) PaintText(text);
  FPainter.restore();
}

void TReportPainter::PaintText(const TRenderedText& text) {
  const TReportTextPlacement placed = PlaceReportText(text);
  if (placed.Text.isEmpty()) return;
  QFont font = placed.Font;
  // Sizes are in points of the paper; a device whose resolution does not
  // match the scale (a screen image) still gets the text the layout measured.
  const int dpi = FPainter.device() ? FPainter.device()->logicalDpiY() : 72;
  font.setPointSizeF(placed.PointSize * FScale * 72.0 / (dpi > 0 ? dpi : 72));
  FPainter.setFont(font);
  FPainter.setPen(Qt::black);
  FPainter.drawText(Map(placed.Origin.x(), placed.Origin.y()), placed.Text);
}

void TReportPainter::PaintRule(const TRenderedRule& rule) {
  QPen pen(Qt::black);
  pen.setWidthF(0.75 * FScale);
  FPainter.setPen(pen);
  FPainter.drawLine(Map(rule.X1, rule.Y1), Map(rule.X2, rule.Y2));
}

void TReportPainter::PaintFill(const TRenderedFill& fill) {
  FPainter.fillRect(QRectF(Map(fill.X, fill.Y), Map(fill.X + fill.Width, fill.Y + fill.Height)), ColourOf(fill.Colour));
}

void TReportPainter::PaintPolyline(const TRenderedPolyline& line) {
  if (line.Points.empty()) return;
  QPen pen(ColourOf(line.Colour));
  pen.setWidthF(line.Width * FScale);
  if (line.Dash != TPlotDash::Solid) {
    // In widths of the pen: a dash of 4 widths on a 1.4 point line.
    pen.setDashPattern(DashPattern(line.Dash));
    pen.setCapStyle(Qt::FlatCap);
  }
  pen.setJoinStyle(Qt::RoundJoin);
  if (line.Joined && line.Points.size() > 1) {
    QPolygonF polygon;
    for (const TRenderedPoint& point : line.Points) polygon << Map(point.X, point.Y);
    FPainter.setPen(pen);
    FPainter.setBrush(Qt::NoBrush);
    FPainter.drawPolyline(polygon);
  }
  if (line.Marker != TPlotMarker::None)
    for (const TRenderedPoint& point : line.Points) PaintMarker(line, Map(point.X, point.Y));
}

// Filled and open shapes alternate, so markers differ in grey as well.
void TReportPainter::PaintMarker(const TRenderedPolyline& line, QPointF at) {
  const QColor colour = ColourOf(line.Colour);
  QPen pen(colour);
  pen.setWidthF(0.9 * FScale);
  FPainter.setPen(pen);
  const double r = line.MarkerSize / 2 * FScale;
  switch (line.Marker) {
    case TPlotMarker::Circle:
      FPainter.setBrush(colour);
      FPainter.drawEllipse(at, r, r);
      break;
    case TPlotMarker::Square:
      FPainter.setBrush(Qt::white);
      FPainter.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
      break;
    case TPlotMarker::Triangle:
      FPainter.setBrush(colour);
      FPainter.drawPolygon(
          QPolygonF{{at.x(), at.y() - 1.15 * r}, {at.x() + r, at.y() + 0.75 * r}, {at.x() - r, at.y() + 0.75 * r}});
      break;
    case TPlotMarker::Diamond:
      FPainter.setBrush(Qt::white);
      FPainter.drawPolygon(QPolygonF{{at.x(), at.y() - 1.2 * r},
                                     {at.x() + 1.2 * r, at.y()},
                                     {at.x(), at.y() + 1.2 * r},
                                     {at.x() - 1.2 * r, at.y()}});
      break;
    case TPlotMarker::Cross:
      FPainter.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
      FPainter.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
      break;
    case TPlotMarker::None: break;
  }
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
