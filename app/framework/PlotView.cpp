#include "app/framework/PlotView.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "app/framework/BaseForm.h"
#include "app/framework/CoreText.h"
#include "app/reports/ReportPainter.h"
#include "reports/PlotLayout.h"

namespace {

using plots::TPlotPoint;
using plots::TPlotSeries;
using plots::TSeriesStyle;

// As on paper, a line of many points shows no markers.
constexpr size_t MostMarkedPoints = 40;

bool Finite(const TPlotPoint& point) { return std::isfinite(point.X) && std::isfinite(point.Y); }

QPen PenOf(const TSeriesLook& look) {
  QPen pen(ColourOf(look.Colour));
  pen.setWidthF(look.Width * 1.3);
  if (look.Dash != TPlotDash::Solid) {
    pen.setDashPattern(DashPattern(look.Dash));
    pen.setCapStyle(Qt::FlatCap);
  }
  return pen;
}

void StyleMarkers(QScatterSeries& series, const TSeriesLook& look) {
  const QColor colour = ColourOf(look.Colour);
  bool filled = true;
  switch (look.Marker) {
    case TPlotMarker::Square:
      series.setMarkerShape(QScatterSeries::MarkerShapeRectangle);
      filled = false;
      break;
    case TPlotMarker::Triangle: series.setMarkerShape(QScatterSeries::MarkerShapeTriangle); break;
    case TPlotMarker::Diamond:
      series.setMarkerShape(QScatterSeries::MarkerShapeRotatedRectangle);
      filled = false;
      break;
    case TPlotMarker::Cross: series.setMarkerShape(QScatterSeries::MarkerShapeStar); break;
    default: series.setMarkerShape(QScatterSeries::MarkerShapeCircle); break;
  }
  series.setMarkerSize(8);
  QPen pen(colour);
  pen.setWidthF(1.2);
  series.setPen(pen);
  series.setBrush(filled ? QBrush(colour) : QBrush(Qt::white));
}

// The pieces of line of a series as the chart draws them.
std::vector<QList<QPointF>> Runs(const TPlotSeries& series, double xMin, double xMax) {
  std::vector<QList<QPointF>> runs;
  for (const auto& piece : plots::LinePieces(series, xMin, xMax)) {
    QList<QPointF>& run = runs.emplace_back();
    for (const auto& [x, y] : piece) run << QPointF(x, y);
  }
  return runs;
}

// "Discharge (cfs)" gives "Discharge" and "cfs".
std::pair<QString, QString> NameAndUnit(const std::string& title) {
  const QString text = FromCore(title);
  const qsizetype open = text.lastIndexOf(QLatin1Char('('));
  if (open <= 0 || !text.endsWith(QLatin1Char(')'))) return {text, QString()};
  return {text.left(open).trimmed(), text.mid(open + 1, text.size() - open - 2)};
}

QString ValueText(const std::string& title, double value, int decimals) {
  const auto [name, unit] = NameAndUnit(title);
  QString text = (name.isEmpty() ? QString() : name + QStringLiteral(" = ")) + QString::number(value, 'f', decimals);
  if (!unit.isEmpty()) text += QLatin1Char(' ') + unit;
  return text;
}

// Broken at the blank nearest the middle.
QString TwoLines(const QString& text) {
  qsizetype best = -1;
  for (qsizetype i = text.indexOf(QLatin1Char(' ')); i >= 0; i = text.indexOf(QLatin1Char(' '), i + 1))
    if (best < 0 || std::abs(i - text.size() / 2) < std::abs(best - text.size() / 2)) best = i;
  if (best < 0) return text;
  return text.left(best) + QStringLiteral("<br>") + text.mid(best + 1);
}

void ApplyTicks(QValueAxis& axis, const plots::TAxisTicks& ticks) {
  axis.setRange(ticks.Min, ticks.Max);
  axis.setTickType(QValueAxis::TicksDynamic);
  axis.setTickAnchor(ticks.Values.empty() ? ticks.Min : ticks.Values.front());
  axis.setTickInterval(ticks.Step);
  axis.setLabelFormat(QStringLiteral("%.") + QString::number(ticks.Decimals) + QStringLiteral("f"));
}

}  // namespace

TPlotView::TPlotView(QWidget* parent) : QChartView(new QChart(), parent) {
  setObjectName(QStringLiteral("PlotView"));
  setRenderHint(QPainter::Antialiasing);
  setMouseTracking(true);
  chart()->legend()->setAlignment(Qt::AlignRight);
  // The legend shows each series' own line or marker, as on paper.
  chart()->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
  chart()->setMargins(QMargins(4, 4, 4, 4));
  // The axes take their new ranges after the plot area changes; a drawing
  // to scale is rescaled and labels are placed once the chart has settled.
  connect(chart(), &QChart::plotAreaChanged, this, [this](const QRectF&) { PlaceLabelsLater(); });
}

void TPlotView::SetPlot(const plots::TPlot& plot) {
  FPlot = plot;
  FSources.clear();
  for (const TLabel& label : FLabels) delete label.Item;
  FLabels.clear();
  QChart* c = chart();
  c->removeAllSeries();
  for (QAbstractAxis* axis : c->axes()) {
    c->removeAxis(axis);
    delete axis;
  }
  QFont titleFont = c->titleFont();
  titleFont.setBold(true);
  c->setTitleFont(titleFont);
  c->setTitle(FromCore(plot.Title));
  emit PointHovered(QString());
  if (plot.Empty()) {
    c->setTitle(c->title() + (plot.Title.empty() ? QString() : QStringLiteral(": ")) +
                QStringLiteral("No values to plot."));
    return;
  }
  AddBands();
  // In the plot's order, so the legend lists the series as the report's.
  for (size_t i = 0; i < plot.Series.size(); ++i) AddSeries(static_cast<int>(i));
  AddAxes();
  PlaceLabelsLater();
}

void TPlotView::AddBands() {
  const plots::TAxisTicks y = PlotAxes(FPlot).Y;
  for (const plots::TPlotBand& band : FPlot.Bands) {
    if (!std::isfinite(band.From) || !std::isfinite(band.To)) continue;
    auto* upper = new QLineSeries();
    auto* lower = new QLineSeries();
    *upper << QPointF(band.From, y.Max) << QPointF(band.To, y.Max);
    *lower << QPointF(band.From, y.Min) << QPointF(band.To, y.Min);
    auto* area = new QAreaSeries(upper, lower);
    upper->setParent(area);
    lower->setParent(area);
    area->setName(FromCore(band.Text));
    area->setBrush(ColourOf(PlotBandColour));
    area->setPen(Qt::NoPen);
    chart()->addSeries(area);
    if (band.Text.empty())
      for (QLegendMarker* marker : chart()->legend()->markers(area)) marker->setVisible(false);
  }
}

void TPlotView::AddSeries(int index) {
  const TPlotSeries& source = FPlot.Series[static_cast<size_t>(index)];
  const TSeriesLook look = SeriesLook(FPlot, static_cast<size_t>(index));
  const plots::TAxisTicks x = plots::NiceTicks(FPlot.XMin(), FPlot.XMax());
  const double xMin = FPlot.XCategories.empty() ? x.Min : -0.5;
  const double xMax = FPlot.XCategories.empty() ? x.Max : FPlot.XCategories.size() - 0.5;
  bool first = true;
  auto add = [&](QXYSeries* series) {
    series->setName(FromCore(source.Name));
    chart()->addSeries(series);
    // One legend entry for a series, however many parts draw it.
    if (!first || source.Name.empty())
      for (QLegendMarker* marker : chart()->legend()->markers(series)) marker->setVisible(false);
    first = false;
    Track(series, index);
  };
  const bool marked = look.Marker != TPlotMarker::None && source.Style != TSeriesStyle::Steps &&
                      source.Style != TSeriesStyle::Reference &&
                      (!look.Joined || source.Points.size() <= MostMarkedPoints);
  if (look.Joined) {
    for (const QList<QPointF>& run : Runs(source, xMin, xMax)) {
      auto* line = new QLineSeries();
      line->append(run);
      line->setPen(PenOf(look));
      add(line);
    }
  }
  if (marked) {
    auto* markers = new QScatterSeries();
    for (const TPlotPoint& point : source.Points)
      if (Finite(point)) markers->append(point.X, point.Y);
    StyleMarkers(*markers, look);
    add(markers);
  }
  for (const TPlotPoint& point : source.Points) {
    if (point.Label.empty() || !Finite(point)) continue;
    auto* item = new QGraphicsSimpleTextItem(FromCore(point.Label), chart());
    QFont font = item->font();
    font.setPointSizeF(std::max(font.pointSizeF() - 1, 7.0));
    item->setFont(font);
    FLabels.push_back({item, QPointF(point.X, point.Y), FSources.empty() ? nullptr : FSources.back().first});
  }
}

void TPlotView::AddAxes() {
  // The axes of the report's plot page, at the shape of the plot area.
  const QSizeF area = chart()->plotArea().size();
  const TPlotAxes axes = PlotAxes(FPlot, area.width(), area.height());
  QAbstractAxis* xAxis = nullptr;
  if (!FPlot.XCategories.empty()) {
    auto* categories = new QCategoryAxis();
    categories->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    // Category i spans i - 0.5 to i + 0.5, its name under its points.
    categories->setStartValue(-0.5);
    // A name wider than its share goes on two lines; each label must be
    // distinct for the axis to take it.
    const double width = std::max(chart()->plotArea().width(), viewport()->width() * 0.7);
    const double share = width / FPlot.XCategories.size() - 8;
    const QFontMetricsF metrics(categories->labelsFont());
    QStringList used;
    for (size_t i = 0; i < FPlot.XCategories.size(); ++i) {
      QString label = FromCore(FPlot.XCategories[i]);
      if (metrics.horizontalAdvance(label) > share) label = TwoLines(label);
      while (used.contains(label)) label += QChar(0x200B);
      used << label;
      categories->append(label, static_cast<double>(i) + 0.5);
    }
    categories->setRange(-0.5, FPlot.XCategories.size() - 0.5);
    xAxis = categories;
  } else if (FPlot.XStations) {
    // Stations are labelled "105+50" at the round tick values.
    auto* stations = new QCategoryAxis();
    stations->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    stations->setStartValue(axes.X.Min);
    for (double value : axes.X.Values) stations->append(FromCore(TickText(FPlot, axes.X, value, true)), value);
    stations->setRange(axes.X.Min, axes.X.Max);
    xAxis = stations;
  } else {
    auto* values = new QValueAxis();
    ApplyTicks(*values, axes.X);
    xAxis = values;
  }
  auto* yAxis = new QValueAxis();
  ApplyTicks(*yAxis, axes.Y);
  xAxis->setTitleText(FromCore(FPlot.XAxisTitle));
  yAxis->setTitleText(FromCore(FPlot.YAxisTitle));
  chart()->addAxis(xAxis, Qt::AlignBottom);
  chart()->addAxis(yAxis, Qt::AlignLeft);
  for (QAbstractSeries* series : chart()->series()) {
    series->attachAxis(xAxis);
    series->attachAxis(yAxis);
  }
}

// A drawing to scale keeps its scale as the plot area changes shape.
void TPlotView::KeepScale() {
  if (!FPlot.EqualScale || FPlot.Empty()) return;
  const QSizeF area = chart()->plotArea().size();
  if (area.width() <= 0 || area.height() <= 0) return;
  const TPlotAxes axes = PlotAxes(FPlot, area.width(), area.height());
  const auto horizontal = chart()->axes(Qt::Horizontal), vertical = chart()->axes(Qt::Vertical);
  auto* x = horizontal.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(horizontal.front());
  auto* y = vertical.isEmpty() ? nullptr : qobject_cast<QValueAxis*>(vertical.front());
  const auto differs = [](const QValueAxis* axis, const plots::TAxisTicks& ticks) {
    const double tolerance = (ticks.Max - ticks.Min) * 1e-6;
    return std::fabs(axis->min() - ticks.Min) > tolerance || std::fabs(axis->max() - ticks.Max) > tolerance;
  };
  if (x && differs(x, axes.X)) ApplyTicks(*x, axes.X);
  if (y && differs(y, axes.Y)) ApplyTicks(*y, axes.Y);
}

void TPlotView::PlaceLabels() {
  KeepScale();
  for (const TLabel& label : FLabels) {
    const QPointF at = chart()->mapToPosition(label.Value, label.Series);
    label.Item->setPos(at + QPointF(5, -label.Item->boundingRect().height() - 2));
    label.Item->setVisible(chart()->plotArea().adjusted(-1, -1, 1, 1).contains(at));
  }
}

void TPlotView::PlaceLabelsLater() {
  QMetaObject::invokeMethod(
      this, [this] { PlaceLabels(); }, Qt::QueuedConnection);
}

void TPlotView::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  PlaceLabelsLater();
}

void TPlotView::Track(QXYSeries* series, int plotSeries) {
  FSources.emplace_back(series, plotSeries);
  connect(series, &QXYSeries::hovered, this, [this, series](const QPointF& value, bool state) {
    emit PointHovered(state ? HoverText(series, value) : QString());
  });
}

QString TPlotView::PointText(int seriesIndex, int pointIndex) const {
  if (seriesIndex < 0 || seriesIndex >= static_cast<int>(FPlot.Series.size())) return QString();
  const TPlotSeries& series = FPlot.Series[static_cast<size_t>(seriesIndex)];
  if (pointIndex < 0 || pointIndex >= static_cast<int>(series.Points.size())) return QString();
  const TPlotPoint& point = series.Points[static_cast<size_t>(pointIndex)];
  const TPlotAxes axes = PlotAxes(FPlot);
  QString text = series.Name.empty() ? QString() : FromCore(series.Name) + QStringLiteral(": ");
  if (!FPlot.XCategories.empty())
    text += FromCore(TickText(FPlot, axes.X, point.X, true));
  else if (FPlot.XStations)
    text += NameAndUnit(FPlot.XAxisTitle).first + QStringLiteral(" = ") +
            FromCore(plots::StationText(point.X, std::max(axes.X.Decimals, 2)));
  else
    text += ValueText(FPlot.XAxisTitle, point.X, std::max(axes.X.Decimals + 1, 2));
  text += QStringLiteral(", ") + ValueText(FPlot.YAxisTitle, point.Y, std::max(axes.Y.Decimals + 1, 2));
  if (!point.Label.empty()) text += QStringLiteral(", ") + FromCore(point.Label);
  return text;
}

QString TPlotView::HoverText(QXYSeries* series, const QPointF& value) const {
  const auto source = std::find_if(FSources.begin(), FSources.end(), [&](const auto& s) { return s.first == series; });
  if (source == FSources.end() || source->second < 0) return QString();
  const TPlotSeries& plotSeries = FPlot.Series[static_cast<size_t>(source->second)];
  // Nearest on screen, so a steep curve still gives the point under the mouse.
  const QPointF mouse = chart()->mapToPosition(value, series);
  int nearest = -1;
  double best = 0;
  for (size_t i = 0; i < plotSeries.Points.size(); ++i) {
    const TPlotPoint& point = plotSeries.Points[i];
    if (!Finite(point)) continue;
    const QPointF at = chart()->mapToPosition(QPointF(point.X, point.Y), series) - mouse;
    const double distance = QPointF::dotProduct(at, at);
    if (nearest < 0 || distance < best) {
      nearest = static_cast<int>(i);
      best = distance;
    }
  }
  return PointText(source->second, nearest);
}

TPlotPane::TPlotPane(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PlotPane"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  cbPlot = new QComboBox(this);
  cbPlot->setObjectName(QStringLiteral("cbPlot"));
  cbPlot->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  PlotView = new TPlotView(this);
  PlotView->setMinimumHeight(260);
  lblPlotNote = new QLabel(this);
  lblPlotNote->setObjectName(QStringLiteral("lblPlotNote"));
  lblPlotNote->setWordWrap(true);
  lblPlotPoint = new QLabel(this);
  lblPlotPoint->setObjectName(QStringLiteral("lblPlotPoint"));
  lblPlotPoint->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblPlotPoint->setMinimumHeight(lblPlotPoint->fontMetrics().height());
  layout->addWidget(cbPlot, 0, Qt::AlignLeft);
  layout->addWidget(PlotView, 1);
  layout->addWidget(lblPlotNote);
  layout->addWidget(lblPlotPoint);
  connect(PlotView, &TPlotView::PointHovered, lblPlotPoint, &QLabel::setText);
  connect(cbPlot, &QComboBox::currentIndexChanged, this, [this](int index) { ShowPlot(index); });
  SetPlots({});
}

void TPlotPane::SetPlots(std::vector<plots::TPlot> plots, int current) {
  FPlots = std::move(plots);
  const QSignalBlocker blocker(cbPlot);
  cbPlot->clear();
  for (size_t i = 0; i < FPlots.size(); ++i) {
    const QString title = FromCore(FPlots[i].Title);
    cbPlot->addItem(title.isEmpty() ? QStringLiteral("Plot %1").arg(i + 1) : title);
  }
  cbPlot->setVisible(FPlots.size() > 1);
  ShowPlot(FPlots.empty() ? -1 : std::clamp(current, 0, static_cast<int>(FPlots.size()) - 1));
}

void TPlotPane::ReplacePlot(int index, plots::TPlot plot) {
  if (index < 0 || index >= PlotCount()) return;
  FPlots[static_cast<size_t>(index)] = std::move(plot);
  const QString title = FromCore(FPlots[static_cast<size_t>(index)].Title);
  if (!title.isEmpty()) cbPlot->setItemText(index, title);
  if (cbPlot->currentIndex() == index) ShowPlot(index);
}

void TPlotPane::ShowPlot(int index) {
  if (index < 0 || index >= PlotCount()) {
    PlotView->SetPlot(plots::TPlot{});
    lblPlotNote->setText(QStringLiteral("No values to plot."));
    lblPlotNote->setVisible(true);
    return;
  }
  if (cbPlot->currentIndex() != index) {
    const QSignalBlocker blocker(cbPlot);
    cbPlot->setCurrentIndex(index);
  }
  const plots::TPlot& plot = FPlots[static_cast<size_t>(index)];
  PlotView->SetPlot(plot);
  lblPlotNote->setText(FromCore(plot.Note));
  lblPlotNote->setVisible(!plot.Note.empty());
}

TPlotPane* AddPlotPane(TfrmBaseListDlgForm& form) {
  auto* splitter = new QSplitter(Qt::Vertical, &form);
  splitter->setObjectName(QStringLiteral("PlotSplitter"));
  splitter->setChildrenCollapsible(false);
  const int at = form.ContentLayout()->indexOf(form.tsResultList);
  form.ContentLayout()->removeWidget(form.tsResultList);
  splitter->addWidget(form.tsResultList);
  auto* pane = new TPlotPane(splitter);
  splitter->addWidget(pane);
  splitter->setStretchFactor(0, 2);
  splitter->setStretchFactor(1, 3);
  form.ContentLayout()->insertWidget(at < 0 ? form.ContentLayout()->count() : at, splitter, 1);
  form.resize(form.width(), std::max(form.height() + 380, 760));
  return pane;
}
