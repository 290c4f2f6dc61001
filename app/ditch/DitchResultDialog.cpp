#include "app/ditch/DitchResultDialog.h"

#include <QPushButton>
#include <QStringList>
#include <algorithm>

#include "app/framework/CoreText.h"
#include "app/framework/PlotView.h"
#include "appmodel/DitchEntry.h"
#include "ditch/DitchAnalysis.h"
#include "model/ParameterList.h"
#include "plots/Plot.h"

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
  PlotPane = AddPlotPane(*this);
  std::vector<plots::TPlot> plots = plots::DitchPlots(project);
  // Display shows the first row's cross-section in this place.
  if (project.ResultList.Count() > 0) plots.insert(plots.begin(), plots::TPlot{});
  FHasCrossSection = project.ResultList.Count() > 0;
  PlotPane->SetPlots(std::move(plots));
  Create();
}

TfrmDitchAnalysisResult::~TfrmDitchAnalysisResult() = default;

void TfrmDitchAnalysisResult::Initialize() { HelpContext = 602; }

TBaseList* TfrmDitchAnalysisResult::GetList() { return &FProject.ResultList; }

void TfrmDitchAnalysisResult::Display() {
  TfrmBaseListDlgForm::Display();
  ItemSelected(std::max(FProject.ResultList.ItemIndex, 0));
}

void TfrmDitchAnalysisResult::ItemSelected(int index) {
  if (FHasCrossSection) PlotPane->ReplacePlot(0, plots::DitchCrossSection(FProject, index));
}

void TfrmDitchAnalysisResult::CellValue(int, int column, QString& value, TBaseObject* object) {
  const auto* row = dynamic_cast<const TDitchAnalysisElementResult*>(object);
  value = row ? FromCore(DitchResultCell(*row, column, FSides.get())) : QString();
}
