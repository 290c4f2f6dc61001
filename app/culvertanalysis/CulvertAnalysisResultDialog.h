#pragma once
// "Culvert Analysis Result": the computed rows of one culvert.

#include <string>
#include <vector>

#include "app/framework/BaseForm.h"
#include "plots/Plot.h"

class QLabel;
class TCulvertBaseElement;
class TPlotPane;

class TfrmCulvertAnalysisResult : public TfrmBaseListDlgForm {
  Q_OBJECT
public:
  // The plots of the project, the culvert's own shown first.
  TfrmCulvertAnalysisResult(TCulvertBaseElement& element, QWidget* owner, std::vector<plots::TPlot> plots = {},
                            int currentPlot = 0);

  void Initialize() override;
  TBaseList* GetList() override;
  void CellValue(int row, int column, QString& value, TBaseObject* object) override;
  void Display() override;
  // Read only: OK and Cancel both just close it, also on an empty list.
  bool Apply() override { return true; }

  TPlotPane* PlotPane;
  // Explains the mark after an extrapolated inlet headwater; shown only when
  // a row has one.
  QLabel* lblExtrapolatedNote = nullptr;

private:
  TCulvertBaseElement& FElement;
};
