#include "app/main/ElementGridModel.h"

#include <QBrush>
#include <QColor>
#include <QPainter>

#include "app/framework/CoreText.h"

namespace {

QVariant MarkerBrush(TGridMarker marker) {
  switch (marker) {
    case TGridMarker::Red: return QBrush(QColor(Qt::red));
    case TGridMarker::White: return QBrush(QColor(Qt::white));
    case TGridMarker::BrightGreen: return QBrush(QColor(Qt::green));
    case TGridMarker::Blue: return QBrush(QColor(Qt::blue));
    case TGridMarker::None: break;
  }
  return QVariant();
}

}  // namespace

TElementGridModel::TElementGridModel(TElementGridKind kind, QObject* parent)
    : QAbstractTableModel(parent), FGrid(kind) {}

void TElementGridModel::SetProject(TNerraBaseProject* project) {
  beginResetModel();
  FGrid.SetProject(project);
  endResetModel();
}

void TElementGridModel::Refresh() {
  beginResetModel();
  FGrid.Refresh();
  endResetModel();
}

int TElementGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : FGrid.RowCount(); }

int TElementGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : FGrid.ColumnCount();
}

QVariant TElementGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return QVariant();
  if (role == Qt::DisplayRole) return FromCore(FGrid.Text(index.row(), index.column()));
  if (role == Qt::BackgroundRole) return MarkerBrush(FGrid.Marker(index.row(), index.column()));
  if (role == Qt::TextAlignmentRole) return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  return QVariant();
}

QVariant TElementGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return QVariant();
  if (orientation == Qt::Vertical) return section + 1;
  return FromCore(FGrid.Heading(section));
}

void TMarkerDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QVariant marker = index.data(Qt::BackgroundRole);
  if (!marker.canConvert<QBrush>()) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  // Marker cells hold no text: the colour is all there is to see.
  painter->fillRect(option.rect, marker.value<QBrush>());
}
