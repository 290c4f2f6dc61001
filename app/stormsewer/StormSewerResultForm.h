#pragma once
// "Storm Sewer System Result": the calculated pipe runs of a network.

#include "app/framework/BaseForm.h"

class QComboBox;
class TPlotPane;
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

  // The pipe run the profile starts at (by its id), down to the final
  // junction; first the run farthest upstream.
  QComboBox* cbProfileStart;
  TPlotPane* PlotPane;

private:
  void ShowProfile();

  TStormSewer& FProject;
};
