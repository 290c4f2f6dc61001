#include "app/stormsewer/StormSewerResultForm.h"

#include <QPushButton>
#include <QStringList>
#include <QTableWidget>

#include "app/framework/CoreText.h"
#include "appmodel/StormSewerEntry.h"
#include "stormsewer/StormSewer.h"

TfrmStormSewerResult::TfrmStormSewerResult(TStormSewer& project, QWidget* owner)
    : TfrmBaseListDlgForm(&project, owner), FProject(project) {
  HelpContext = 402;
  setWindowTitle(QStringLiteral("Storm Sewer System Result"));
  QStringList headings;
  for (const std::string& heading : StormSewerResultHeadings()) headings << FromCore(heading);
  SetColumns(headings);
  CancelButton()->hide();
  resize(1100, 450);
  Create();
}

TBaseList* TfrmStormSewerResult::GetList() { return &FProject.ElementList; }

void TfrmStormSewerResult::CellValue(int, int column, QString& value, TBaseObject* object) {
  const auto* pipe = dynamic_cast<const TStormSewerElement*>(object);
  if (pipe) value = FromCore(StormSewerResultCell(*pipe, column));
}

void TfrmStormSewerResult::Display() {
  TfrmBaseListDlgForm::Display();
  for (int row = 0; row < tsResultList->rowCount(); ++row) {
    const auto* pipe = FProject.ElementList.Pipe(row);
    QTableWidgetItem* cell = tsResultList->item(row, ssrDiameter);
    if (!pipe || !cell) continue;
    if (StormSewerResultCellWarned(*pipe, ssrDiameter))
      cell->setBackground(QColor(Qt::red));
    else
      cell->setBackground(QBrush());
  }
}
