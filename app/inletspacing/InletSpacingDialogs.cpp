#include "app/inletspacing/InletSpacingDialogs.h"

#include "app/inletspacing/InletSpacingEntryForm.h"
#include "app/inletspacing/InletSpacingResultForm.h"

bool EditInletSpacingElement(TInletSpacingElement& element, const TNerraParameterList& parameters, QWidget* parent) {
  TfrmInletSpacingEntry form(element, parameters, parent);
  return form.exec() == QDialog::Accepted;
}

void ShowInletSpacingResult(TInletSpacing& project, const TNerraParameterList& parameters, QWidget* parent) {
  TfrmInletSpacingResult form(project, parameters, parent);
  form.exec();
}
