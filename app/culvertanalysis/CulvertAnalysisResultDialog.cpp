#include "app/culvertanalysis/CulvertAnalysisResultDialog.h"

#include <QStringList>

#include "app/framework/CoreText.h"
#include "appmodel/CulvertAnalysisEntry.h"
#include "culvert/CulvertElement.h"

TfrmCulvertAnalysisResult::TfrmCulvertAnalysisResult(TCulvertBaseElement& element, QWidget* owner)
    : TfrmBaseListDlgForm(&element.Results, owner), FElement(element) {
  setWindowTitle(QStringLiteral("Culvert Analysis Result"));
  QStringList headings;
  for (int column = 0; column < CulvertAnalysisResultColumnCount; ++column)
    headings << FromCore(CulvertAnalysisResultHeading(column));
  SetColumns(headings);
  resize(1000, 400);
  Create();
}

void TfrmCulvertAnalysisResult::Initialize() { HelpContext = 302; }

TBaseList* TfrmCulvertAnalysisResult::GetList() { return &FElement.Results; }

void TfrmCulvertAnalysisResult::CellValue(int, int column, QString& value, TBaseObject* object) {
  const auto* row = dynamic_cast<const TCulvertElementResult*>(object);
  value = row ? FromCore(CulvertAnalysisResultCell(*row, column)) : QString();
}
