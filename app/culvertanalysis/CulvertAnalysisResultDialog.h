#pragma once
// "Culvert Analysis Result": the computed rows of one culvert.

#include <string>

#include "app/framework/BaseForm.h"

class TCulvertBaseElement;

class TfrmCulvertAnalysisResult : public TfrmBaseListDlgForm {
  Q_OBJECT
public:
  TfrmCulvertAnalysisResult(TCulvertBaseElement& element, QWidget* owner);

  void Initialize() override;
  TBaseList* GetList() override;
  void CellValue(int row, int column, QString& value, TBaseObject* object) override;
  // Read only: OK and Cancel both just close it, also on an empty list.
  bool Apply() override { return true; }

private:
  TCulvertBaseElement& FElement;
};
