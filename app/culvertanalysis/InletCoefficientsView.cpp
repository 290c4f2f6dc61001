#include "culvertanalysis/InletCoefficientsView.h"

#include <QDialog>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include "appmodel/CulvertDesignEntry.h"
#include "framework/CoreText.h"

void ShowInletCoefficients(const TNerraInletTypeCode& set, QWidget* parent) {
  QDialog dialog(parent);
  dialog.setWindowTitle(QStringLiteral("Inlet Coefficients"));
  auto* layout = new QVBoxLayout(&dialog);
  auto* grid = new QTableWidget(&dialog);
  grid->setColumnCount(2);
  grid->setHorizontalHeaderLabels({QStringLiteral("Coefficient"), QStringLiteral("Value")});
  grid->verticalHeader()->setVisible(false);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  const std::vector<TCoefficientRow> rows = InletCoefficientRows(set);
  grid->setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    grid->setItem(i, 0, new QTableWidgetItem(FromCore(rows[i].Name)));
    grid->setItem(i, 1, new QTableWidgetItem(FromCore(rows[i].Value)));
  }
  layout->addWidget(grid);
  dialog.exec();
}
