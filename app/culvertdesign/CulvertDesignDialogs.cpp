#include "app/culvertdesign/CulvertDesignDialogs.h"

#include "app/culvertdesign/CulvertDesignEntryDialog.h"
#include "app/culvertdesign/CulvertDesignResultDialog.h"

bool EditCulvertDesignElement(TCulvertDesignElement& element, const TNerraParameterList& parameters, QWidget* parent) {
  TfrmCulvertDesignElementEntry dialog(element, parameters, parent);
  return dialog.exec() == QDialog::Accepted;
}

void ShowCulvertDesignResult(TCulvertDesignElement& element, const std::string& pipeType,
                             const TNerraParameterList& parameters, QWidget* parent) {
  TfrmCulvertDesignResult dialog(element, pipeType, parameters, parent);
  dialog.exec();
}
