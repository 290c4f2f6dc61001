// The plot view and its pane, offscreen: the chart's series and axes, the
// values of a hovered point, the choice of plots and the pane under a
// result dialog's grid.
#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QComboBox>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSplitter>
#include <QTableWidget>
#include <QValueAxis>
#include <QtTest>
#include <limits>

#include "app/framework/BaseForm.h"
#include "app/framework/PlotView.h"
#include "foundation/BaseObject.h"
#include "support/PlotSeries.h"

namespace {

using plots::TPlot;
using plots::TPlotSeries;
using plots::TSeriesStyle;

TPlot Performance() {
  TPlot plot;
  plot.Title = "Culvert 1";
  plot.XAxisTitle = "Discharge (cfs)";
  plot.YAxisTitle = "Headwater Elevation (ft)";
  plot.Series.push_back(Series("Headwater", TSeriesStyle::Line, {{0, 100.2}, {50, 103.1}, {120, 107.9}}));
  plot.Series[0].Points[1].Label = "Design";
  plot.Series.push_back(Series("Road crest", TSeriesStyle::Reference, {{0, 108.5}, {120, 108.5}}));
  plot.Series.push_back(Series("Tested", TSeriesStyle::Points, {{60, 104}, {90, 106}}));
  plot.Bands.push_back({100, 120, "Overtopping"});
  return plot;
}

int VisibleLegendEntries(QChart* chart) {
  // The legend lays its markers out when the events are handled.
  QCoreApplication::processEvents();
  int count = 0;
  for (QLegendMarker* marker : chart->legend()->markers()) count += marker->isVisible();
  return count;
}

template <class T>
QList<T*> SeriesOf(QChart* chart) {
  QList<T*> found;
  for (QAbstractSeries* series : chart->series())
    if (auto* typed = qobject_cast<T*>(series)) found << typed;
  return found;
}

class TListDialog : public TfrmBaseListDlgForm {
public:
  explicit TListDialog(TBaseList& list) : TfrmBaseListDlgForm(&list, nullptr), FList(list) {
    SetColumns({QStringLiteral("Row")});
    Pane = AddPlotPane(*this);
    Create();
  }
  TBaseList* GetList() override { return &FList; }
  TPlotPane* Pane;

private:
  TBaseList& FList;
};

}  // namespace

class TestPlotView : public QObject {
  Q_OBJECT

private slots:
  void seriesAxesAndLegend() {
    TPlotView view;
    view.resize(800, 500);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetPlot(Performance());
    QChart* chart = view.chart();
    // Line and its markers, reference, points, band.
    QCOMPARE(chart->series().size(), 5);
    QCOMPARE(SeriesOf<QAreaSeries>(chart).size(), 1);
    QCOMPARE(SeriesOf<QScatterSeries>(chart).size(), 2);
    // One legend entry per series and the band.
    QCOMPARE(VisibleLegendEntries(chart), 4);
    QCOMPARE(chart->title(), QStringLiteral("Culvert 1"));

    const auto horizontal = chart->axes(Qt::Horizontal);
    const auto vertical = chart->axes(Qt::Vertical);
    QCOMPARE(horizontal.size(), 1);
    QCOMPARE(vertical.size(), 1);
    QCOMPARE(horizontal[0]->titleText(), QStringLiteral("Discharge (cfs)"));
    QCOMPARE(vertical[0]->titleText(), QStringLiteral("Headwater Elevation (ft)"));
    auto* y = qobject_cast<QValueAxis*>(vertical[0]);
    QVERIFY(y);
    // Round ticks: 100 to 110 by 2, as on the report's page.
    QCOMPARE(y->min(), 100.0);
    QCOMPARE(y->max(), 110.0);
    QCOMPARE(y->tickInterval(), 2.0);
    QCOMPARE(y->tickType(), QValueAxis::TicksDynamic);

    // Solid curve, dashed reference, in the plot's order.
    const auto lines = SeriesOf<QLineSeries>(chart);
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines[1]->name(), QStringLiteral("Road crest"));
    QVERIFY(lines[1]->pen().style() == Qt::CustomDashLine);
    QCOMPARE(lines[0]->pen().style(), Qt::SolidLine);

    // Setting another plot replaces everything.
    TPlot other;
    other.XAxisTitle = "Station (ft)";
    other.YAxisTitle = "Depth (ft)";
    other.Series.push_back(Series("Depth", TSeriesStyle::Line, {{0, 1}, {100, 2}}));
    view.SetPlot(other);
    QCOMPARE(chart->series().size(), 2);
    QCOMPARE(chart->axes(Qt::Horizontal)[0]->titleText(), QStringLiteral("Station (ft)"));
  }

  void hoverTellsThePointsValues() {
    TPlotPane pane;
    pane.resize(800, 500);
    pane.show();
    QVERIFY(QTest::qWaitForWindowExposed(&pane));
    pane.SetPlots({Performance()});
    QChart* chart = pane.PlotView->chart();
    QLineSeries* curve = SeriesOf<QLineSeries>(chart).at(0);
    emit curve->hovered(QPointF(52, 103.2), true);
    QCOMPARE(pane.lblPlotPoint->text(),
             QStringLiteral("Headwater: Discharge = 50.00 cfs, Headwater Elevation = 103.10 ft, Design"));
    QScatterSeries* tested = SeriesOf<QScatterSeries>(chart).at(1);
    emit tested->hovered(QPointF(90, 106), true);
    QCOMPARE(pane.lblPlotPoint->text(),
             QStringLiteral("Tested: Discharge = 90.00 cfs, Headwater Elevation = 106.00 ft"));
    emit tested->hovered(QPointF(90, 106), false);
    QCOMPARE(pane.lblPlotPoint->text(), QString());
  }

  void pointLabelsShowBesideTheirPoints() {
    TPlotView view;
    view.resize(800, 500);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    TPlot plot = Performance();
    for (plots::TPlotPoint& point : plot.Series[0].Points) point.Label = "INLET";
    view.SetPlot(plot);
    QCoreApplication::processEvents();
    QList<QGraphicsSimpleTextItem*> labels;
    for (QGraphicsItem* item : view.chart()->childItems())
      if (auto* text = dynamic_cast<QGraphicsSimpleTextItem*>(item); text && text->text() == QStringLiteral("INLET"))
        labels << text;
    QCOMPARE(labels.size(), 3);
    for (QGraphicsSimpleTextItem* label : labels) {
      QVERIFY(label->isVisible());
      QVERIFY(view.chart()->plotArea().adjusted(-60, -30, 60, 30).contains(label->pos()));
    }
  }

  // A cross-section to scale: a foot across is a foot up however the view
  // is shaped.
  void drawingToScaleKeepsItsScale() {
    TPlot section;
    section.EqualScale = true;
    section.XAxisTitle = "Offset (ft)";
    section.YAxisTitle = "Height (ft)";
    section.Series.push_back(Series("Ditch", TSeriesStyle::Line, {{-8, 2}, {-2, 0}, {2, 0}, {8, 2}}));
    TPlotView view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetPlot(section);
    for (const QSize size : {QSize(900, 400), QSize(500, 600)}) {
      view.resize(size);
      QTest::qWait(50);
      const QRectF area = view.chart()->plotArea();
      auto* x = qobject_cast<QValueAxis*>(view.chart()->axes(Qt::Horizontal).at(0));
      auto* y = qobject_cast<QValueAxis*>(view.chart()->axes(Qt::Vertical).at(0));
      QVERIFY(x && y);
      const double across = (x->max() - x->min()) / area.width(), up = (y->max() - y->min()) / area.height();
      QVERIFY2(std::fabs(across - up) < 0.02 * up, qPrintable(QStringLiteral("%1 vs %2").arg(across).arg(up)));
    }
  }

  void categoriesGapsAndSteps() {
    TPlot plot;
    plot.XAxisTitle = "Culvert";
    plot.YAxisTitle = "Headwater (ft)";
    plot.XCategories = {"Outlet", "C-2"};
    const double nan = std::numeric_limits<double>::quiet_NaN();
    plot.Series.push_back(Series("HW", TSeriesStyle::Line, {{0, 4}, {0.5, nan}, {1, 5}}));
    plot.Series.push_back(Series("Allowable", TSeriesStyle::Steps, {{0, 6}, {1, 7}, {2, 7}}));
    TPlotView view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.SetPlot(plot);
    auto* x = qobject_cast<QCategoryAxis*>(view.chart()->axes(Qt::Horizontal).at(0));
    QVERIFY(x);
    QCOMPARE(x->categoriesLabels(), (QStringList{QStringLiteral("Outlet"), QStringLiteral("C-2")}));
    // Long names on two lines; equal names still one label each.
    TPlot crowded = plot;
    crowded.XCategories = {"Circular Corrugated (2-2/3 x 1/2 in) 78 in", "Box 8 x 6 ft", "Box 8 x 6 ft"};
    view.resize(600, 400);
    view.SetPlot(crowded);
    x = qobject_cast<QCategoryAxis*>(view.chart()->axes(Qt::Horizontal).at(0));
    QCOMPARE(x->count(), 3);
    QCOMPARE(x->categoriesLabels().at(0), QStringLiteral("Circular Corrugated<br>(2-2/3 x 1/2 in) 78 in"));
    QVERIFY(x->categoriesLabels().at(1) != x->categoriesLabels().at(2));
    QCOMPARE(x->startValue(), -0.5);
    view.SetPlot(plot);
    const auto lines = SeriesOf<QLineSeries>(view.chart());
    // The gap splits the curve in two; the steps are one line.
    QCOMPARE(lines.size(), 3);
    QCOMPARE(VisibleLegendEntries(view.chart()), 2);
    QCOMPARE(lines[2]->count(), 4);
    QCOMPARE(lines[2]->at(1), QPointF(1, 6));
    QCOMPARE(lines[2]->at(3), QPointF(2, 7));
    QCOMPARE(view.PointText(0, 2), QStringLiteral("HW: C-2, Headwater = 5.00 ft"));
  }

  void paneChoosesAmongPlots() {
    TPlotPane pane;
    pane.SetPlots({});
    QCOMPARE(pane.lblPlotNote->text(), QStringLiteral("No values to plot."));
    QVERIFY(!pane.cbPlot->isVisibleTo(&pane));
    TPlot second = Performance();
    second.Title = "Culvert 2";
    second.Note = "2 rows without a headwater are not plotted.";
    pane.SetPlots({Performance(), second}, 1);
    QVERIFY(pane.cbPlot->isVisibleTo(&pane));
    QCOMPARE(pane.cbPlot->count(), 2);
    QCOMPARE(pane.cbPlot->currentText(), QStringLiteral("Culvert 2"));
    QCOMPARE(pane.lblPlotNote->text(), QString::fromStdString(second.Note));
    pane.cbPlot->setCurrentIndex(0);
    QCOMPARE(pane.PlotView->chart()->title(), QStringLiteral("Culvert 1"));
    TPlot section = Performance();
    section.Title = "Section";
    pane.ReplacePlot(0, section);
    QCOMPARE(pane.PlotView->chart()->title(), QStringLiteral("Section"));
    QCOMPARE(pane.cbPlot->itemText(0), QStringLiteral("Section"));
    pane.ReplacePlot(5, section);  // no such plot: nothing happens
    QCOMPARE(pane.PlotCount(), 2);
    // Plots gone after one without a note (a recalculation that left none):
    // the note says so again instead of staying hidden.
    pane.SetPlots({Performance()});
    QVERIFY(!pane.lblPlotNote->isVisibleTo(&pane));
    pane.SetPlots({});
    QVERIFY(pane.lblPlotNote->isVisibleTo(&pane));
    QCOMPARE(pane.lblPlotNote->text(), QStringLiteral("No values to plot."));
  }

  void paneSitsUnderTheGrid() {
    TBaseList list;
    list.Add("a", new TBaseObject());
    TListDialog dialog(list);
    auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("PlotSplitter"));
    QVERIFY(splitter);
    QCOMPARE(splitter->widget(0), static_cast<QWidget*>(dialog.tsResultList));
    QCOMPARE(splitter->widget(1), static_cast<QWidget*>(dialog.Pane));
    QCOMPARE(dialog.tsResultList->rowCount(), 1);
  }
};

QTEST_MAIN(TestPlotView)
#include "TestPlotView.moc"
