#include "app/culvertanalysis/CulvertAnalysisResultDialog.h"

#include <QStringList>

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
}

void TfrmCulvertAnalysisResult::Initialize() { HelpContext = 302; }

TBaseList* TfrmCulvertAnalysisResult::GetList() { return &FElement.Results; }

void TfrmCulvertAnalysisResult::CellValue(int, int column, QString& value, TBaseObject* object) {
  const auto* row = dynamic_cast<const TCulvertElementResult*>(object);
  value = row ? FromCore(CulvertAnalysisResultCell(*row, column)) : QString();
}
