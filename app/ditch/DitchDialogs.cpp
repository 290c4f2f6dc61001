#include "app/ditch/DitchDialogs.h"

#include "app/ditch/DitchElementDialog.h"
#include "app/ditch/DitchResultDialog.h"
#include "ditch/DitchAnalysis.h"

bool EditDitchAnalysisElement(TDitchAnalysisElement& element, TDitchAnalysis&, const TNerraParameterList& parameters,
                              QWidget* parent) {
  TfrmDitchAnalysisElement dialog(element, parameters, parent);
  return dialog.exec() == QDialog::Accepted;
}

void ShowDitchAnalysisResult(TDitchAnalysis& project, const TNerraParameterList& parameters, QWidget* parent) {
  TfrmDitchAnalysisResult dialog(project, parameters, parent);
  dialog.exec();
}
