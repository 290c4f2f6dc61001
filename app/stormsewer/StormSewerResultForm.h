#pragma once
// "Storm Sewer System Result": the calculated pipe runs of a network.

#include "app/framework/BaseForm.h"

class TStormSewer;

class TfrmStormSewerResult : public TfrmBaseListDlgForm {
  Q_OBJECT
public:
  TfrmStormSewerResult(TStormSewer& project, QWidget* owner);

  TBaseList* GetList() override;
  void CellValue(int row, int column, QString& value, TBaseObject* object) override;
  // The grid, with the diameter of every warned pipe in red.
  void Display() override;
  // The rows are only read, so OK always closes, even over an empty list.
  bool Apply() override { return true; }

private:
  TStormSewer& FProject;
};
