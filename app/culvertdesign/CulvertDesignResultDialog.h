#pragma once
// "Culvert Design Result": the designed alternatives of one crossing, one
// culvert type at a time.

#include <memory>
#include <string>

#include "app/framework/BaseForm.h"
#include "appmodel/CulvertDesignEntry.h"

class QLabel;
class QTabBar;

class TfrmCulvertDesignResult : public TfrmBaseListDlgForm {
  Q_OBJECT
public:
  TfrmCulvertDesignResult(TCulvertDesignElement& element, const std::string& pipeType,
                          const TNerraParameterList& parameters, QWidget* owner);
  ~TfrmCulvertDesignResult() override;

  TBaseList* GetList() override;
  void CellValue(int row, int column, QString& value, TBaseObject* object) override;
  void Display() override;
  // The dialog only reads: OK always closes it, rows or none.
  bool Apply() override { return true; }

  QTabBar* tcCulvertTypes;
  QLabel* lblHeading;

private:
  void SelectTab(int index);

  const TNerraParameterList& FParameters;
  TCulvertDesignResultModel FModel;
};
