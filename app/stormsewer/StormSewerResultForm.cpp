#include "app/stormsewer/StormSewerResultForm.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>

#include "app/framework/CoreText.h"
#include "app/framework/PlotView.h"
#include "appmodel/StormSewerEntry.h"
#include "plots/Plot.h"
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
  PlotPane = AddPlotPane(*this);
  cbProfileStart = new QComboBox(PlotPane);
  cbProfileStart->setObjectName(QStringLiteral("cbProfileStart"));
  cbProfileStart->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  const int32_t start = plots::DefaultProfileStart(project);
  for (int i = 0; i < project.ElementList.Count(); ++i) {
    const TStormSewerElement* pipe = project.ElementList.Pipe(i);
    if (!pipe) continue;
    cbProfileStart->addItem(FromCore(pipe->BeginJunction) + QStringLiteral(" to ") + FromCore(pipe->EndJunction),
                            pipe->ElementId);
    if (pipe->ElementId == start) cbProfileStart->setCurrentIndex(cbProfileStart->count() - 1);
  }
  auto* row = new QHBoxLayout();
  auto* label = new QLabel(QStringLiteral("Profile from pipe run"), PlotPane);
  label->setBuddy(cbProfileStart);
  row->addWidget(label);
  row->addWidget(cbProfileStart);
  row->addStretch(1);
  static_cast<QBoxLayout*>(PlotPane->layout())->insertLayout(0, row);
  connect(cbProfileStart, &QComboBox::currentIndexChanged, this, [this](int) { ShowProfile(); });
  ShowProfile();
  Create();
}

void TfrmStormSewerResult::ShowProfile() {
  if (cbProfileStart->currentIndex() < 0) {
    PlotPane->SetPlots({});
    return;
  }
  PlotPane->SetPlots({plots::StormSewerProfile(FProject, cbProfileStart->currentData().toInt())});
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
