#pragma once
// "Slope Data Entry": one slope, for the element dialogs that derive an
// outlet elevation from the inlet, the length and a slope.

#include "app/framework/BaseForm.h"

class TBaseEdit;

class TfrmSlopeDataEntry : public TfrmBaseDlgForm {
  Q_OBJECT
public:
  TfrmSlopeDataEntry(double slope, QWidget* owner);

  double Slope() const;
  void Initialize() override;
  void Display() override;

  TBaseEdit* edtPipeSlope;

private:
  double FSlope;
};

// Opens the dialog on the slope; true on OK, with the entered slope.
bool EnterSlope(double& slope, QWidget* parent);
