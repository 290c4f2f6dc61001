#pragma once
// Opens "Inlet Coefficients" for one inlet coefficient set, read only.

class QWidget;
class TNerraInletTypeCode;

void ShowInletCoefficients(const TNerraInletTypeCode& set, QWidget* parent);
