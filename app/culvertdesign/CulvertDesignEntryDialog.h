#pragma once
// "Culvert Design - Element Entry": edits one road crossing in place. The
// checks and the storing are those of TCulvertDesignEntryValues; the form
// copies its controls into them.

#include <memory>

#include "app/framework/BaseForm.h"
#include "appmodel/CulvertDesignEntry.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QTableWidget;
class TBaseEdit;
class TCodeListCombobox;

class TfrmCulvertDesignElementEntry : public TfrmBaseDlgForm {
  Q_OBJECT
public:
  TfrmCulvertDesignElementEntry(TCulvertDesignElement& element, const TNerraParameterList& parameters, QWidget* owner);

  void SetSubject(TBaseObject* subject) override;
  void Initialize() override;
  bool Prepare() override;
  void FillLists() override;
  void AfterPrepare() override;
  void Display() override;
  bool Validate() override;
  bool Apply() override;

  // The values the controls hold now.
  TCulvertDesignEntryValues EnteredValues() const;
  // The slope the elevations and the length give.
  void RefreshSlope();
  // The burial rules; also run when "Enable Inlet Control Design Equations" is clicked.
  void ApplyVisibility();
  // "&Enter Slope".
  void EnterSlopeClicked();
  // The popup items, on a row of the culvert type grid (0-based) or on the
  // selected headwall.
  void ChangeInletType(int row);
  void ShowInletCoefficients(int row);
  void ShowCoefficientKE();

  TBaseEdit* edtInletInvert;
  TBaseEdit* edtOutletInvert;
  TBaseEdit* edtPipeLength;
  TBaseEdit* edtPipeSlope;
  QPushButton* btnEnterSlope;
  TBaseEdit* edtTailwater;
  TBaseEdit* edtOverflow;
  QCheckBox* cbBurialOption;
  QCheckBox* cbAutomaticBurialDepth;
  TBaseEdit* edtDesignFlow;
  TBaseEdit* edtFloodFlow;
  QStackedWidget* pcInletTypes;
  QTableWidget* tsInletTypes;
  QTableWidget* tsOtherInletTypes;
  TBaseEdit* edtAllowableTailwater;
  TCodeListCombobox* cbAllowableTWType;
  TBaseEdit* edtCoeffN;
  QLabel* lblBuriedCoeffN;
  TBaseEdit* edtBuriedCoeffN;
  TBaseEdit* edtCoeffKE;
  QAction* actChangeInletType;
  QAction* actInletCoefficients;
  QAction* actCoefficientKE;

private:
  QWidget* BuildElevations();
  QWidget* BuildDesign();
  QWidget* BuildInletTypes();
  QWidget* BuildAllowableHeadwater();
  QWidget* BuildCoefficients();
  void BuildPopupMenus();
  void UpdateBuriedCoeffNVisibility();
  void RedrawInletTypes();
  int SelectedHeadwallRow() const;

  TCulvertDesignElement* FElement = nullptr;
  const TNerraParameterList& FParameters;
  std::unique_ptr<TNerraBaseList> FHWTypes;
};
