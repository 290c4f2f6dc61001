#include "app/tools/CulvertTools.h"

#include "app/tools/CulvertToolForms.h"

void ShowCulvertGeometricTool(QWidget* parent) {
  TfrmCulvertGeometricTool dialog(parent);
  dialog.exec();
}

void ShowCulvertHydraulicTool(QWidget* parent) {
  TfrmCulvertHydraulicTool dialog(parent);
  dialog.exec();
}
