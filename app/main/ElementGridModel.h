#pragma once
// The table model behind each page's element grid: one row per element,
// the texts and marker colours of TElementGrid.

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include "appmodel/ElementGrids.h"

class TElementGridModel : public QAbstractTableModel {
  Q_OBJECT
public:
  TElementGridModel(TElementGridKind kind, QObject* parent = nullptr);

  // None, or a project of another kind, empties the grid.
  void SetProject(TNerraBaseProject* project);
  // The element list changed: row count, texts and markers again.
  void Refresh();
  const TElementGrid& Grid() const { return FGrid; }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
  TElementGrid FGrid;
};

// Paints a marker cell in its colour even on the selected row, where the
// selection would hide it.
class TMarkerDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};
