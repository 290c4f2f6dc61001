#pragma once
// The small dialogs of the culvert design entry: choosing another inlet
// coefficient set, and looking at a set's coefficients or at the entrance
// loss coefficients of a headwall.

#include <memory>
#include <vector>

#include "app/framework/BaseForm.h"
#include "appmodel/CoefficientRows.h"
#include "model/ParameterList.h"

class QGroupBox;
class QTableWidget;
class TCodeListCombobox;
class TNerraBaseCode;
class TNerraParameterList;

// "Change Inlet Parameters": the sets of the table the given set belongs to,
// starting on the given index; OK returns the chosen index.
class TfrmChangeInletParameters : public TfrmBaseDlgForm {
  Q_OBJECT
public:
  TfrmChangeInletParameters(const TNerraBaseCode& set, int index, const TNerraParameterList& parameters,
                            QWidget* owner);

  int SelectedIndex() const;

  // No help page of its own (F1 does nothing).
  std::string HelpFileName() const override { return std::string(); }
  void Initialize() override;
  bool Prepare() override;
  void FillLists() override;
  void Display() override;

  TCodeListCombobox* cbInletTypes;
  QGroupBox* pnlParameters;
  QTableWidget* tsParameters;

private:
  void ShowParameters();

  const TNerraParameterList& FParameters;
  TParameterCategory FCategory;
  int FIndex;
  std::unique_ptr<TNerraBaseList> FCodes;
};

// A read-only list of name and value pairs; the user closes the window.
class TfrmCoefficientList : public TfrmBaseListDlgForm {
  Q_OBJECT
public:
  TfrmCoefficientList(const QString& caption, const QStringList& headings, const std::vector<TCoefficientRow>& rows,
                      QWidget* owner);
  ~TfrmCoefficientList() override;

  // No help page of its own (F1 does nothing).
  std::string HelpFileName() const override { return std::string(); }
  TBaseList* GetList() override;
  void CellValue(int row, int column, QString& value, TBaseObject* object) override;
  bool Apply() override { return true; }

private:
  std::unique_ptr<TBaseList> FRows;
};

// "Inlet Coefficients": the eight coefficients of a set.
std::unique_ptr<TfrmCoefficientList> NewInletCoefficientsDialog(const TNerraInletTypeCode& set, QWidget* owner);
// "Coefficient KE": the entrance loss of each pipe type for a headwall row
// (1 to 3), titled by the headwall.
std::unique_ptr<TfrmCoefficientList> NewCoefficientKEDialog(int headwallRow, QWidget* owner);
