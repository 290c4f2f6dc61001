#pragma once
// A plot of the results on screen: a chart of a plots::TPlot with the same
// series looks, round ticks and legend as the report's plot pages, and a
// pane that puts one beside a result dialog's grid, with a choice of plots
// and a line telling the values of the point under the mouse.
#include <QChartView>
#include <QString>
#include <QWidget>
#include <vector>

#include "plots/Plot.h"

class QComboBox;
class QGraphicsSimpleTextItem;
class QLabel;
class QPointF;
class QSplitter;
class QXYSeries;
class TfrmBaseListDlgForm;

class TPlotView : public QChartView {
  Q_OBJECT
public:
  explicit TPlotView(QWidget* parent = nullptr);

  void SetPlot(const plots::TPlot& plot);
  const plots::TPlot& Plot() const { return FPlot; }

  // The text that tells a point: "Name: x = 12.5 cfs, y = 104.20 ft, Label".
  QString PointText(int seriesIndex, int pointIndex) const;
  // What a hover at the chart value point on the chart series shows; the
  // nearest point of the plot series the chart series draws.
  QString HoverText(QXYSeries* series, const QPointF& value) const;

signals:
  // The text of the point under the mouse; empty when it leaves.
  void PointHovered(const QString& text);

protected:
  void resizeEvent(QResizeEvent* event) override;

private:
  void AddSeries(int index);
  void AddBands();
  void AddAxes();
  void KeepScale();
  void PlaceLabels();
  void PlaceLabelsLater();
  void Track(QXYSeries* series, int plotSeries);

  plots::TPlot FPlot;
  // For each chart series, the plot series it draws (-1: a band).
  std::vector<std::pair<QXYSeries*, int>> FSources;
  struct TLabel {
    QGraphicsSimpleTextItem* Item;
    QPointF Value;
    QXYSeries* Series;
  };
  std::vector<TLabel> FLabels;
};

// A plot view with a choice of plots above it (hidden when there is only
// one), the plot's note and the values of the point under the mouse.
class TPlotPane : public QWidget {
  Q_OBJECT
public:
  explicit TPlotPane(QWidget* parent = nullptr);

  // Shows the plots, the one at current first; without plots the pane
  // says there is nothing to plot.
  void SetPlots(std::vector<plots::TPlot> plots, int current = 0);
  // Replaces one plot (the cross-section of another row) and shows it when
  // it is the one chosen.
  void ReplacePlot(int index, plots::TPlot plot);
  void ShowPlot(int index);
  int PlotCount() const { return static_cast<int>(FPlots.size()); }

  QComboBox* cbPlot;
  TPlotView* PlotView;
  QLabel* lblPlotNote;
  QLabel* lblPlotPoint;

private:
  std::vector<plots::TPlot> FPlots;
};

// Puts a plot pane under the dialog's grid in a splitter the user can
// drag, and makes the dialog tall enough for both.
TPlotPane* AddPlotPane(TfrmBaseListDlgForm& form);
