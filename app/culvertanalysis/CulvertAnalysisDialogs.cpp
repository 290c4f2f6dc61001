#include "app/culvertanalysis/CulvertAnalysisDialogs.h"

#include <algorithm>

#include "app/culvertanalysis/CulvertAnalysisElementDialog.h"
#include "app/culvertanalysis/CulvertAnalysisResultDialog.h"
#include "culvert/CulvertAnalysis.h"
#include "plots/Plot.h"

std::unique_ptr<TCulvertBaseElement> EditCulvertAnalysisElement(const TCulvertBaseElement* element,
                                                                TCulvertAnalysis& project,
                                                                const TNerraParameterList& parameters,
                                                                const TCulvertBasePipeList& catalogue,
                                                                QWidget* parent) {
  TfrmCulvertAnalysisElement dialog(element, project, parameters, catalogue, parent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return dialog.TakeElement();
}

void ShowCulvertAnalysisResult(TCulvertBaseElement& element, TCulvertAnalysis& project, const TNerraParameterList&,
                               QWidget* parent) {
  // A plot per culvert in the list's order (or one of the whole system),
  // the culvert's own shown first.
  std::vector<plots::TPlot> plots = plots::CulvertAnalysisPlots(project);
  const int current = std::max(plots::PlotOfElement(plots, element.ElementId), 0);
  TfrmCulvertAnalysisResult dialog(element, parent, std::move(plots), current);
  dialog.exec();
}
