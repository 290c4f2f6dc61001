#include "stormsewer/SlopeEntryAdapter.h"

#if __has_include("culvertdesign/SlopeDialog.h")
#include "culvertdesign/SlopeDialog.h"

bool EnterSlopeValue(double& slope, QWidget* parent) { return EnterSlope(slope, parent); }

#else
// The shared slope dialog is not part of this build yet: a minimal one of
// the same look stands in.
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "framework/BaseEdit.h"
#include "framework/BaseForm.h"

namespace {
class TSlopeEntryForm : public TfrmBaseDlgForm {
public:
  explicit TSlopeEntryForm(QWidget* owner) : TfrmBaseDlgForm(nullptr, owner) {
    HelpContext = 110;
    setWindowTitle(QStringLiteral("Slope Data Entry"));
    auto* grid = new QGridLayout();
    edtPipeSlope = new TBaseEdit(edtFloat, this);
    edtPipeSlope->SetPrecision(6);
    edtPipeSlope->SetDigits(4);
    grid->addWidget(new QLabel(QStringLiteral("Pipe Slope (ft./ft.)"), this), 0, 0);
    grid->addWidget(edtPipeSlope, 0, 1);
    ContentLayout()->addLayout(grid);
    CancelButton()->hide();
    Create();
  }
  TBaseEdit* edtPipeSlope;
};
}  // namespace

bool EnterSlopeValue(double& slope, QWidget* parent) {
  TSlopeEntryForm form(parent);
  form.edtPipeSlope->SetFloatValue(slope);
  if (form.exec() != QDialog::Accepted) return false;
  slope = form.edtPipeSlope->FloatValue();
  return true;
}
#endif
