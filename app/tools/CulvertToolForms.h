#pragma once
// The two culvert calculator dialogs. They share the shape choice, one page
// of inputs per shape, the "DESIGN" box, the calculation button and a
// results grid; each computes through CulvertCalculators and stores nothing.

#include <QString>
#include <string>

#include "app/framework/BaseForm.h"
#include "appmodel/EditValue.h"
#include "culvert/CulvertCalculators.h"

class QComboBox;
class QFormLayout;
class QGroupBox;
class QStackedWidget;
class TBaseEdit;

class TfrmCulvertToolForm : public TfrmBaseDlgForm {
  Q_OBJECT
public:
  TfrmCulvertToolForm(const QString& caption, QWidget* owner);

  void Initialize() override;
  void Display() override;

  TCalculatorShape Shape() const;
  // The inputs of the shape pages as entered.
  TCalculatorSection Section() const;
  // "Calculation": computes from scratch and redraws the grid.
  void Calculation();

  QComboBox* cbShape;
  QStackedWidget* pcShape;
  TBaseEdit* edtDiameter;
  TBaseEdit* edtSpan;
  TBaseEdit* edtRise;
  TBaseEdit* edtRT;
  TBaseEdit* edtRS;
  TBaseEdit* edtTheta;
  TBaseEdit* edtPhi;
  // Pipe arch: shown, not computed.
  TBaseEdit* edtArchSpan;
  TBaseEdit* edtArchRise;
  TBaseEdit* edtArchRT;
  TBaseEdit* edtArchRS;
  TBaseEdit* edtArchTheta;
  TBaseEdit* edtArchPhi;
  TBaseEdit* edtArchRC;
  TBaseEdit* edtArchGamma;
  TBaseEdit* edtWidth;
  TBaseEdit* edtHeight;
  QGroupBox* gbDesign;
  QPushButton* btnCalculation;
  QTableWidget* tsResult;

protected:
  virtual void Calculate() = 0;
  virtual void DrawResults() = 0;
  // Forgets the results of the last calculation (a new shape makes them
  // belong to nothing on screen).
  virtual void ClearResults() = 0;
  // The first input whose value cannot be shown with fixed decimals gets a
  // message and the focus; false then.
  bool InputsShowable();
  // Shows a calculator message in an error box, a notice in a warning box.
  void ShowCalculatorMessage(const TCalculatorMessage& message);
  TBaseEdit* AddDesignEdit(const QString& label, const QString& name, TEditDataType type);
  void SetCell(int row, int column, const QString& text);
  // Tall enough for the four rows and the heading, if shown.
  void FitResultRows();
  // Every edit of the form: shape pages and design box.
  QList<TBaseEdit*> Edits() const;

private:
  QWidget* AddPage(TCalculatorShape shape, const QStringList& labels, const QStringList& names,
                   QList<TBaseEdit**> edits);
  QFormLayout* FDesignLayout;
};

// "Culvert Geometric Tool".
class TfrmCulvertGeometricTool : public TfrmCulvertToolForm {
  Q_OBJECT
public:
  explicit TfrmCulvertGeometricTool(QWidget* owner);

  const TGeometricToolResult& Result() const { return FResult; }

  TBaseEdit* edtDepth;

protected:
  void Calculate() override;
  void DrawResults() override;
  void ClearResults() override { FResult = {}; }

private:
  void ShowCompletedArc();
  TGeometricToolResult FResult;
};

// "Culvert Hydraulic Tool".
class TfrmCulvertHydraulicTool : public TfrmCulvertToolForm {
  Q_OBJECT
public:
  explicit TfrmCulvertHydraulicTool(QWidget* owner);

  const THydraulicToolResult& Result() const { return FResult; }

  TBaseEdit* edtFlow;
  TBaseEdit* edtManningN;
  TBaseEdit* edtSlope;

protected:
  void Calculate() override;
  void DrawResults() override;
  void ClearResults() override { FResult = {}; }

private:
  THydraulicToolResult FResult;
};
