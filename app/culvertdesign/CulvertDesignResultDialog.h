#pragma once
// "Culvert Design Result": the designed alternatives of one crossing, one
// culvert type at a time.

#include <memory>
#include <string>
#include <vector>

#include "app/framework/BaseForm.h"
#include "appmodel/CulvertDesignEntry.h"
#include "plots/Plot.h"

class QLabel;
class QTabBar;
class TPlotPane;

class TfrmCulvertDesignResult : public TfrmBaseListDlgForm {
  Q_OBJECT
public:
  TfrmCulvertDesignResult(TCulvertDesignElement& element, const std::string& pipeType,
                          const TNerraParameterList& parameters, QWidget* owner, std::vector<plots::TPlot> plots = {},
                          int currentPlot = 0);
  ~TfrmCulvertDesignResult() override;

  TBaseList* GetList() override;
  void CellValue(int row, int column, QString& value, TBaseObject* object) override;
  void Display() override;
  // The dialog only reads: OK always closes it, rows or none.
  bool Apply() override { return true; }

  QTabBar* tcCulvertTypes;
  QLabel* lblHeading;
  TPlotPane* PlotPane;
  // Explains the mark after an extrapolated inlet headwater; shown only when
  // the culvert type on view has one.
  QLabel* lblExtrapolatedNote = nullptr;

private:
  void SelectTab(int index);

  const TNerraParameterList& FParameters;
  TCulvertDesignResultModel FModel;
};
