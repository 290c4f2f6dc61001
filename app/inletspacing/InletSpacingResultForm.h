#pragma once
// "Inlet Spacing Result": the calculated elements of a gutter run and the
// sump data.

#include <memory>

#include "app/framework/BaseForm.h"

class QGroupBox;
class QLineEdit;
class TPlotPane;
class TInletSpacing;
class TNerraBaseList;
class TNerraParameterList;

class TfrmInletSpacingResult : public TfrmBaseListDlgForm {
  Q_OBJECT
public:
  TfrmInletSpacingResult(TInletSpacing& project, const TNerraParameterList& parameters, QWidget* owner);
  ~TfrmInletSpacingResult() override;

  TBaseList* GetList() override;
  void CellValue(int row, int column, QString& value, TBaseObject* object) override;
  // The grid and the sump panel.
  void Display() override;
  // The rows are only read, so OK always closes, even over an empty list.
  bool Apply() override { return true; }

  QGroupBox* gbSumpData;
  QLineEdit* edtSumpTotalFlow;
  QLineEdit* edtSumpPondedDepth;
  QLineEdit* edtSumpSpread;
  TPlotPane* PlotPane;

private:
  TInletSpacing& FProject;
  std::unique_ptr<TNerraBaseList> FSumpTypes;
};
