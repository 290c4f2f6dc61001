#include "app/stormsewer/StormSewerDialogs.h"

#include "app/stormsewer/StormSewerElementForm.h"
#include "app/stormsewer/StormSewerResultForm.h"

bool EditStormSewerElement(TStormSewerElement& element, bool isAnalysis, const TNerraParameterList& parameters,
                           QWidget* parent) {
  TfrmStormSewerElement form(element, isAnalysis, parameters, parent);
  return form.exec() == QDialog::Accepted;
}

void ShowStormSewerResult(TStormSewer& project, QWidget* parent) {
  TfrmStormSewerResult form(project, parent);
  form.exec();
}
