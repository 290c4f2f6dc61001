#pragma once
// "Ditch Analysis Element": one ditch section or concentrated inflow.

#include <memory>

#include <string>
#include "appmodel/DitchEntry.h"

#include "app/framework/BaseForm.h"

class QComboBox;
class TBaseEdit;
class TCodeListCombobox;
class TDitchAnalysisElement;
class TNerraBaseList;
class TNerraParameterList;

class TfrmDitchAnalysisElement : public TfrmBaseDlgForm {
  Q_OBJECT
public:
  TfrmDitchAnalysisElement(TDitchAnalysisElement& element, const TNerraParameterList& parameters, QWidget* owner);
  ~TfrmDitchAnalysisElement() override;

  void Initialize() override;
  void FillLists() override;
  void Display() override;
  bool Validate() override;
  bool Apply() override;

  // The fields as they stand.
  TDitchEntryValues Values() const;

  TBaseEdit* edtStationBegin;
  TBaseEdit* edtStationEnd;
  TBaseEdit* edtDitchLength;
  TCodeListCombobox* cbSide;
  QComboBox* cbShape;
  TBaseEdit* edtElevationBegin;
  TBaseEdit* edtElevationEnd;
  TBaseEdit* edtGrade;
  TBaseEdit* edtCoefficient;
  TBaseEdit* edtArea;
  TBaseEdit* edtWidth;
  TBaseEdit* edtInSlope;
  TBaseEdit* edtBackslope;
  TBaseEdit* edtMannings;
  TCodeListCombobox* cbLining;
  TBaseEdit* edtConcentrationTime;

private:
  void BuildControls();

  TDitchAnalysisElement& FElement;
  const TNerraParameterList& FParameters;
  std::unique_ptr<TNerraBaseList> FSides;
  std::unique_ptr<TNerraBaseList> FLinings;
};
