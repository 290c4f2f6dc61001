#include "app/culvertanalysis/CulvertAnalysisDialogs.h"

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
  // A plot per culvert in the list's order (or one of the whole system).
  std::vector<plots::TPlot> plots = plots::CulvertAnalysisPlots(project);
  int current = 0;
  if (static_cast<int>(plots.size()) == project.Elements.Count())
    for (int i = 0; i < project.Elements.Count(); ++i)
      if (project.Elements.Object(i) == &element) current = i;
  TfrmCulvertAnalysisResult dialog(element, parent, std::move(plots), current);
  dialog.exec();
}
