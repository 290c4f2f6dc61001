#include "app/framework/SlopeDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app/framework/BaseEdit.h"

TfrmSlopeDataEntry::TfrmSlopeDataEntry(double slope, QWidget* owner) : TfrmBaseDlgForm(nullptr, owner), FSlope(slope) {
  setWindowTitle(QStringLiteral("Slope Data Entry"));
  HelpContext = 110;
  auto* grid = new QGridLayout();
  edtPipeSlope = new TBaseEdit(this);
  edtPipeSlope->setObjectName(QStringLiteral("edtPipeSlope"));
  edtPipeSlope->SetDataType(edtFloat);
  edtPipeSlope->SetPrecision(6);
  edtPipeSlope->SetDigits(4);
  auto* label = new QLabel(QStringLiteral("Pipe Slope (ft./ft.)"), this);
  label->setBuddy(edtPipeSlope);
  grid->addWidget(label, 0, 0);
  grid->addWidget(edtPipeSlope, 0, 1);
  ContentLayout()->addLayout(grid);
  // OK only; Esc still leaves without a slope.
  CancelButton()->hide();
  resize(300, 90);
  Create();
}

void TfrmSlopeDataEntry::Initialize() { DisplayOnCreate = true; }

void TfrmSlopeDataEntry::Display() {
  edtPipeSlope->SetFloatValue(FSlope);
  edtPipeSlope->setFocus();
  edtPipeSlope->selectAll();
}

double TfrmSlopeDataEntry::Slope() const { return edtPipeSlope->FloatValue(); }

bool EnterSlope(double& slope, QWidget* parent) {
  TfrmSlopeDataEntry dialog(slope, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  slope = dialog.Slope();
  return true;
}
