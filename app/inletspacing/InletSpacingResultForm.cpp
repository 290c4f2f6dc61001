#include "app/inletspacing/InletSpacingResultForm.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "app/framework/CoreText.h"
#include "app/framework/PlotView.h"
#include "appmodel/InletSpacingEntry.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"
#include "plots/Plot.h"

namespace {
QLineEdit* ReadOnlyBox(QWidget* parent, QHBoxLayout* layout, const QString& label) {
  auto* box = new QLineEdit(parent);
  box->setReadOnly(true);
  layout->addWidget(new QLabel(label, parent));
  layout->addWidget(box);
  return box;
}
}  // namespace

TfrmInletSpacingResult::TfrmInletSpacingResult(TInletSpacing& project, const TNerraParameterList& parameters,
                                               QWidget* owner)
    : TfrmBaseListDlgForm(&project, owner), FProject(project), FSumpTypes(parameters.CodesOfCategory(pcSumpType)) {
  HelpContext = 502;
  setWindowTitle(QStringLiteral("Inlet Spacing Result"));
  QStringList headings;
  for (const std::string& heading : InletSpacingResultHeadings()) headings << FromCore(heading);
  SetColumns(headings);
  gbSumpData = new QGroupBox(QStringLiteral("SUMP DATA"), this);
  auto* sump = new QHBoxLayout(gbSumpData);
  edtSumpTotalFlow = ReadOnlyBox(gbSumpData, sump, QStringLiteral("Total Flow"));
  edtSumpPondedDepth = ReadOnlyBox(gbSumpData, sump, QStringLiteral("Ponded Depth"));
  edtSumpSpread = ReadOnlyBox(gbSumpData, sump, QStringLiteral("Spread on Pavement"));
  ContentLayout()->addWidget(gbSumpData);
  CancelButton()->hide();
  resize(1100, 450);
  PlotPane = AddPlotPane(*this);
  Create();
}

TfrmInletSpacingResult::~TfrmInletSpacingResult() = default;

TBaseList* TfrmInletSpacingResult::GetList() { return &FProject.Elements; }

void TfrmInletSpacingResult::CellValue(int, int column, QString& value, TBaseObject* object) {
  const auto* inlet = dynamic_cast<const TInletSpacingElement*>(object);
  if (inlet) value = FromCore(InletSpacingResultCell(*inlet, column, *FSumpTypes));
}

void TfrmInletSpacingResult::Display() {
  TfrmBaseListDlgForm::Display();
  const TSumpDataTexts sump = SumpDataTexts(FProject.Elements);
  gbSumpData->setVisible(sump.Visible);
  edtSumpTotalFlow->setText(FromCore(sump.TotalFlow));
  edtSumpPondedDepth->setText(FromCore(sump.PondedDepth));
  edtSumpSpread->setText(FromCore(sump.Spread));
  PlotPane->SetPlots(plots::InletSpacingPlots(FProject));
}
