#pragma once
// "Inlet Spacing Entry": one begin point or inlet of a gutter run.

#include "app/framework/BaseForm.h"
#include "appmodel/InletSpacingEntry.h"

class QGroupBox;
class TBaseEdit;
class TCodeListCombobox;
class TInletSpacingElement;
class TNerraParameterList;

class TfrmInletSpacingEntry : public TfrmBaseDlgForm {
  Q_OBJECT
public:
  TfrmInletSpacingEntry(TInletSpacingElement& element, const TNerraParameterList& parameters, QWidget* owner);
  ~TfrmInletSpacingEntry() override;

  void Initialize() override;
  bool Prepare() override;
  void FillLists() override;
  void Display() override;
  bool Validate() override;
  bool Apply() override;

  // The boxes as they stand.
  TInletSpacingEntryValues Values() const;
  // A new sump type: the groups show or hide and hold the stored values again.
  void SumpTypeChanged();

  TBaseEdit* edtStation;
  TCodeListCombobox* cbSumpType;
  QGroupBox* gbAdditionalData;
  TCodeListCombobox* cbCatchBasinType;
  TBaseEdit* edtLongitudinalSlope;
  TBaseEdit* edtDischarge;
  TBaseEdit* edtConcentrationTime;
  QGroupBox* gbGutter;
  TBaseEdit* edtGutterLength;
  TBaseEdit* edtGutterXSlope;
  TBaseEdit* edtGutterWidth;
  TBaseEdit* edtManningGN;
  QGroupBox* gbPavement;
  TBaseEdit* edtPavementXSlope;
  TBaseEdit* edtManningPN;
  TBaseEdit* edtLocalDepression;
  QGroupBox* gbOverland;
  TBaseEdit* edtRunoffCoefficient;
  TBaseEdit* edtArea;
  TBaseEdit* edtOverlandLength;
  TBaseEdit* edtOverlandSlope;
  TCodeListCombobox* cbSurfaceType;

private:
  void BuildControls();
  void BuildGroups();
  void ShowGroups(const TInletSpacingEntryValues& values);
  std::string CatchBasinCode() const;

  TInletSpacingElement& FElement;
  TInletSpacingEntryModel FModel;
};
