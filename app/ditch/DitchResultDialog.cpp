#include "app/ditch/DitchResultDialog.h"

#include <QPushButton>
#include <QStringList>

#include "app/framework/CoreText.h"
#include "appmodel/DitchEntry.h"
#include "ditch/DitchAnalysis.h"
#include "model/ParameterList.h"

TfrmDitchAnalysisResult::TfrmDitchAnalysisResult(TDitchAnalysis& project, const TNerraParameterList& parameters,
                                                 QWidget* owner)
    : TfrmBaseListDlgForm(&project.ResultList, owner),
      FProject(project),
      FSides(parameters.CodesOfCategory(pcSewerSide)) {
  setWindowTitle(QStringLiteral("Ditch Analysis Result"));
  CancelButton()->hide();
  QStringList headings;
  for (int column = 0; column < DitchResultColumnCount; ++column) headings << FromCore(DitchResultHeading(column));
  SetColumns(headings);
  resize(1200, 500);
  Create();
}

TfrmDitchAnalysisResult::~TfrmDitchAnalysisResult() = default;

void TfrmDitchAnalysisResult::Initialize() { HelpContext = 602; }

TBaseList* TfrmDitchAnalysisResult::GetList() { return &FProject.ResultList; }

void TfrmDitchAnalysisResult::CellValue(int, int column, QString& value, TBaseObject* object) {
  const auto* row = dynamic_cast<const TDitchAnalysisElementResult*>(object);
  value = row ? FromCore(DitchResultCell(*row, column, FSides.get())) : QString();
}
