#pragma once
// "Culvert Analysis Element Entry": one culvert of an analysis. The pipe type
// decides the element's class, so the dialog builds the element it hands
// back and leaves the one it was given alone.

#include <memory>
#include <string>

#include "app/framework/BaseForm.h"
#include "appmodel/CulvertAnalysisEntry.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class TBaseEdit;
class TCodeListCombobox;
class TCulvertAnalysis;
class TCulvertBaseElement;
class TCulvertBasePipeList;
class TNerraBaseList;
class TNerraParameterList;

class TfrmCulvertAnalysisElement : public TfrmBaseDlgForm {
  Q_OBJECT
public:
  // `element` is none for a new culvert.
  TfrmCulvertAnalysisElement(const TCulvertBaseElement* element, TCulvertAnalysis& project,
                             const TNerraParameterList& parameters, const TCulvertBasePipeList& catalogue,
                             QWidget* owner);
  ~TfrmCulvertAnalysisElement() override;

  void Initialize() override;
  void FillLists() override;
  void Display() override;
  bool Validate() override;
  bool Apply() override;

  // The fields as they stand.
  TCulvertAnalysisEntryValues Values() const;
  // The element built by the last OK; none before (or after taking it).
  std::unique_ptr<TCulvertBaseElement> TakeElement();
  // Shows the page, lists and fields the selected pipe type calls for.
  void PipeTypeRules();
  // The coefficient button of the shown page.
  void ShowCoefficients();

  TBaseEdit* edtPipeNumber;
  QComboBox* cbUseHeadwater;
  TCodeListCombobox* cbPipeType;
  TBaseEdit* edtPipeLength;
  QComboBox* cbPipeQuantity;
  QCheckBox* cbBurialOption;
  QStackedWidget* pcPipeType;
  // Page for types 1 to 4.
  TCodeListCombobox* cbInletType;
  QPushButton* btnInletCoefficients;
  TCodeListCombobox* cbCorrugationType;
  TCodeListCombobox* cbPipeSize;
  // Box page.
  TCodeListCombobox* cbBoxInletType;
  QPushButton* btnBoxCoefficients;
  TCodeListCombobox* cbBoxPipeSize;
  QLabel* lblBoxWidth;
  TBaseEdit* edtBoxWidth;
  QLabel* lblBoxHeight;
  TBaseEdit* edtBoxHeight;
  // Long-span page.
  TBaseEdit* edtSpan;
  TBaseEdit* edtRise;
  TBaseEdit* edtTheta;
  TBaseEdit* edtPhi;
  TBaseEdit* edtRT;
  TBaseEdit* edtRS;
  TBaseEdit* edtFlowArea;
  TCodeListCombobox* cbUnsubmergedInlet;
  TCodeListCombobox* cbSubmergedInlet;
  QPushButton* btnLongSpanCoefficients;
  // Elevations and coefficients.
  TBaseEdit* edtInletInvert;
  TBaseEdit* edtOutletInvert;
  TBaseEdit* edtPipeSlope;
  QPushButton* btnEnterSlope;
  TBaseEdit* edtCoeffN;
  QLabel* lblBuriedN;
  TBaseEdit* edtBuriedN;
  QLabel* lblCoeffKE;
  QLabel* lblCoeffKEOverride;
  TBaseEdit* edtCoeffKE;
  TBaseEdit* edtFlowMin;
  TBaseEdit* edtFlowMax;
  TBaseEdit* edtFlowDelta;
  TBaseEdit* edtTailwaterMin;
  TBaseEdit* edtTailwaterMax;
  QGroupBox* gbBuriedDepth;
  TBaseEdit* edtSetMin;
  TBaseEdit* edtSetMax;
  TBaseEdit* edtSetDelta;

private:
  QWidget* BuildParameters();
  QWidget* BuildPipePage();
  QWidget* BuildBoxPage();
  QWidget* BuildLongSpanPage();
  QWidget* BuildElevations();
  QWidget* BuildCoefficients();
  QWidget* BuildRanges();
  void Connect();

  std::string SelectedPipeType() const;
  void FillUseHeadwater(int32_t selected);
  void FillInletTypes(const std::string& pipeType);
  void FillCorrugations(const std::string& pipeType);
  void FillPipeSizes();
  void BoxSizeChanged();
  void RefreshSlope();
  void EnterSlope();
  void LoadElement(const TCulvertAnalysisEntryValues& v);
  void LoadShape(const TCulvertAnalysisEntryValues& v);

  const TCulvertBaseElement* FElement;
  TCulvertAnalysis& FProject;
  const TNerraParameterList& FParameters;
  const TCulvertBasePipeList& FCatalogue;
  std::unique_ptr<TCulvertBaseElement> FResult;
  // The code lists the combo boxes show; they reference the code table.
  std::unique_ptr<TNerraBaseList> FPipeTypes;
  std::unique_ptr<TNerraBaseList> FInletTypes;
  std::unique_ptr<TNerraBaseList> FCorrugations;
  std::unique_ptr<TNerraBaseList> FPipeSizes;
  std::unique_ptr<TNerraBaseList> FBoxInletTypes;
  std::unique_ptr<TNerraBaseList> FBoxSizes;
  std::unique_ptr<TNerraBaseList> FUnsubmergedInlets;
  std::unique_ptr<TNerraBaseList> FSubmergedInlets;
};
