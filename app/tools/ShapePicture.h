#pragma once
// The sketch of a barrel shape beside its inputs, with the names of the
// dimensions the page asks for. Drawn rather than loaded, so it scales.

#include <QWidget>

#include "culvert/CulvertCalculators.h"

class TShapePicture : public QWidget {
  Q_OBJECT
public:
  TShapePicture(TCalculatorShape shape, QWidget* parent);

  TCalculatorShape Shape() const { return FShape; }
  QSize sizeHint() const override { return QSize(170, 130); }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  TCalculatorShape FShape;
};
