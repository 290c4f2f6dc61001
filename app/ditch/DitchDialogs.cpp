#include "ditch/DitchDialogs.h"

#include "ditch/DitchAnalysis.h"
#include "ditch/DitchElementDialog.h"
#include "ditch/DitchResultDialog.h"

bool EditDitchAnalysisElement(TDitchAnalysisElement& element, TDitchAnalysis&, const TNerraParameterList& parameters,
                              QWidget* parent) {
  TfrmDitchAnalysisElement dialog(element, parameters, parent);
  return dialog.exec() == QDialog::Accepted;
}

void ShowDitchAnalysisResult(TDitchAnalysis& project, const TNerraParameterList& parameters, QWidget* parent) {
  TfrmDitchAnalysisResult dialog(project, parameters, parent);
  dialog.exec();
}
