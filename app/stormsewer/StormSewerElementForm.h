#pragma once
// "Storm Sewer Element": one pipe run of a storm sewer network.

#include <array>
#include <functional>

#include "app/framework/BaseForm.h"
#include "appmodel/StormSewerEntry.h"

class QLabel;
class QPushButton;
class TBaseEdit;
class TCodeListCombobox;
class TNerraParameterList;
class TStormSewerElement;

class TfrmStormSewerElement : public TfrmBaseDlgForm {
  Q_OBJECT
public:
  TfrmStormSewerElement(TStormSewerElement& element, bool isAnalysis, const TNerraParameterList& parameters,
                        QWidget* owner);
  ~TfrmStormSewerElement() override;

  void Initialize() override;
  bool Prepare() override;
  void FillLists() override;
  void Display() override;
  bool Validate() override;
  bool Apply() override;

  // The boxes as they stand.
  TStormSewerEntryValues Values() const;
  void RefreshSlope();
  void RefreshSums();
  // Refills the type list with the types of the selected category.
  void FillTypeList();
  // "Enter Slope": asks for a slope and sets the outlet elevation from it.
  void EnterSlopeClicked();

  // Asks for a slope, starting from the shown one; false when the user
  // gave none. The "Slope Data Entry" dialog unless replaced.
  std::function<bool(double& slope, QWidget* parent)> AskSlope;

  TBaseEdit* edtJunctionBegin;
  TBaseEdit* edtJunctionEnd;
  TBaseEdit* edtStationBegin;
  TBaseEdit* edtStationEnd;
  TCodeListCombobox* cbSide;
  TCodeListCombobox* cbStructureCategory;
  TCodeListCombobox* cbStructureType;
  TBaseEdit* edtArea1;
  TBaseEdit* edtArea2;
  TBaseEdit* edtArea3;
  TBaseEdit* edtArea4;
  TBaseEdit* edtSumArea;
  TBaseEdit* edtCoeff1;
  TBaseEdit* edtCoeff2;
  TBaseEdit* edtCoeff3;
  TBaseEdit* edtCoeff4;
  TBaseEdit* edtSumCA;
  TBaseEdit* edtWeigthedCoeff;
  QLabel* lblInletInvert;
  QLabel* lblOutletInvert;
  TBaseEdit* edtInletInvert;
  TBaseEdit* edtOutletInvert;
  TBaseEdit* edtInletCover;
  TBaseEdit* edtOuletCover;
  TBaseEdit* edtPipeLength;
  TBaseEdit* edtPipeSlope;
  QPushButton* btnEnterSlope;
  TBaseEdit* edtMinDiameter;
  TBaseEdit* edtDeltaTime;
  TBaseEdit* edtMannings;

private:
  void BuildControls();
  QWidget* BuildJunctionsAndStations();
  QWidget* BuildStructure();
  QWidget* BuildAreas();
  QWidget* BuildElevations();
  QWidget* BuildPipe();
  void Connect();

  TStormSewerElement& FElement;
  TStormSewerEntryModel FModel;
  std::array<TBaseEdit*, 4> FAreas{};
  std::array<TBaseEdit*, 4> FCoeffs{};
};
