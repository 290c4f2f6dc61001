#pragma once
// "Ditch Analysis Result": the rows of the project's last calculation.

#include <memory>

#include <string>

#include "app/framework/BaseForm.h"

class TDitchAnalysis;
class TNerraBaseList;
class TNerraParameterList;
class TPlotPane;

class TfrmDitchAnalysisResult : public TfrmBaseListDlgForm {
  Q_OBJECT
public:
  TfrmDitchAnalysisResult(TDitchAnalysis& project, const TNerraParameterList& parameters, QWidget* owner);
  ~TfrmDitchAnalysisResult() override;

  void Initialize() override;
  TBaseList* GetList() override;
  void CellValue(int row, int column, QString& value, TBaseObject* object) override;
  // Read only: OK closes whatever row is current, also on an empty list.
  bool Apply() override { return true; }
  // The cross-section follows the row chosen, from the first row the grid
  // shows on.
  void Display() override;
  void ItemSelected(int index) override;

  // The cross-section of the chosen row first, then the plots along the
  // stations.
  TPlotPane* PlotPane;

private:
  TDitchAnalysis& FProject;
  std::unique_ptr<TNerraBaseList> FSides;
  bool FHasCrossSection = false;
};
