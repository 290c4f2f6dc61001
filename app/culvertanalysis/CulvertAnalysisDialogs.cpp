#include "app/culvertanalysis/CulvertAnalysisDialogs.h"

#include "app/culvertanalysis/CulvertAnalysisElementDialog.h"
#include "app/culvertanalysis/CulvertAnalysisResultDialog.h"
#include "culvert/CulvertAnalysis.h"

std::unique_ptr<TCulvertBaseElement> EditCulvertAnalysisElement(const TCulvertBaseElement* element,
                                                                TCulvertAnalysis& project,
                                                                const TNerraParameterList& parameters,
                                                                const TCulvertBasePipeList& catalogue,
                                                                QWidget* parent) {
  TfrmCulvertAnalysisElement dialog(element, project, parameters, catalogue, parent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return dialog.TakeElement();
}

void ShowCulvertAnalysisResult(TCulvertBaseElement& element, TCulvertAnalysis&, const TNerraParameterList&,
                               QWidget* parent) {
  TfrmCulvertAnalysisResult dialog(element, parent);
  dialog.exec();
}
