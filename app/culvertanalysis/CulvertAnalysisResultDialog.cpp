#include "app/culvertanalysis/CulvertAnalysisResultDialog.h"

#include <QLabel>
#include <QStringList>
#include <QVBoxLayout>
#include <algorithm>

#include "app/framework/CoreText.h"
#include "app/framework/PlotView.h"
#include "appmodel/CulvertAnalysisEntry.h"
#include "culvert/CulvertElement.h"

TfrmCulvertAnalysisResult::TfrmCulvertAnalysisResult(TCulvertBaseElement& element, QWidget* owner,
                                                     std::vector<plots::TPlot> plots, int currentPlot)
    : TfrmBaseListDlgForm(&element.Results, owner), FElement(element) {
  setWindowTitle(QStringLiteral("Culvert Analysis Result"));
  QStringList headings;
  for (int column = 0; column < CulvertAnalysisResultColumnCount; ++column)
    headings << FromCore(CulvertAnalysisResultHeading(column));
  SetColumns(headings);
  resize(1000, 400);
  PlotPane = AddPlotPane(*this);
  PlotPane->SetPlots(std::move(plots), currentPlot);
  Create();
  // Right above the grid and its plots, as the table's legend.
  lblExtrapolatedNote = new QLabel(QString::fromLatin1(InletExtrapolatedNote), this);
  lblExtrapolatedNote->setObjectName(QStringLiteral("lblExtrapolatedNote"));
  ContentLayout()->insertWidget(std::max(0, ContentLayout()->indexOf(PlotPane->parentWidget())), lblExtrapolatedNote);
  lblExtrapolatedNote->setVisible(AnyInletControlExtrapolated(FElement.Results));
}

void TfrmCulvertAnalysisResult::Initialize() { HelpContext = 302; }

TBaseList* TfrmCulvertAnalysisResult::GetList() { return &FElement.Results; }

void TfrmCulvertAnalysisResult::CellValue(int, int column, QString& value, TBaseObject* object) {
  const auto* row = dynamic_cast<const TCulvertElementResult*>(object);
  value = row ? FromCore(CulvertAnalysisResultCell(*row, column)) : QString();
}

void TfrmCulvertAnalysisResult::Display() {
  TfrmBaseListDlgForm::Display();
  if (lblExtrapolatedNote) lblExtrapolatedNote->setVisible(AnyInletControlExtrapolated(FElement.Results));
}
