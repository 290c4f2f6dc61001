#include "app/tools/CulvertToolForms.h"

#include <cmath>

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>

#include "app/framework/BaseEdit.h"
#include "app/framework/CoreText.h"
#include "app/framework/MessageBoxes.h"
#include "app/tools/ShapePicture.h"
#include "foundation/DisplayFormat.h"
#include "foundation/Messages.h"

namespace {

TBaseEdit* MakeEdit(QWidget* parent, const QString& name, TEditDataType type) {
  auto* edit = new TBaseEdit(parent);
  edit->setObjectName(name);
  edit->SetDataType(type);
  edit->SetPrecision(9);
  edit->SetDigits(2);
  return edit;
}

QString Number(double value, int decimals) { return FromCore(FormatFixed(value, decimals)); }

}  // namespace

// --- shared form ----------------------------------------------------------------------

TfrmCulvertToolForm::TfrmCulvertToolForm(const QString& caption, QWidget* owner) : TfrmBaseDlgForm(nullptr, owner) {
  setWindowTitle(caption);
  auto* shapeRow = new QHBoxLayout();
  cbShape = new QComboBox(this);
  cbShape->setObjectName(QStringLiteral("cbShape"));
  for (const std::string& name : CalculatorShapeNames()) cbShape->addItem(FromCore(name));
  auto* shapeLabel = new QLabel(QStringLiteral("Shape"), this);
  shapeLabel->setBuddy(cbShape);
  shapeRow->addWidget(shapeLabel);
  shapeRow->addWidget(cbShape, 1);
  ContentLayout()->addLayout(shapeRow);

  // The pages have no tabs: the shape choice turns them.
  pcShape = new QStackedWidget(this);
  pcShape->setObjectName(QStringLiteral("pcShape"));
  AddPage(csCircular, {QStringLiteral("Diameter (ft.)")}, {QStringLiteral("edtDiameter")}, {&edtDiameter});
  AddPage(csElliptical,
          {QStringLiteral("Span (ft.)"), QStringLiteral("Rise (ft.)"), QStringLiteral("RT (ft.)"),
           QStringLiteral("RS (ft.)"), QStringLiteral("Theta (degree)"), QStringLiteral("Phi (degree)")},
          {QStringLiteral("edtSpan"), QStringLiteral("edtRise"), QStringLiteral("edtRT"), QStringLiteral("edtRS"),
           QStringLiteral("edtTheta"), QStringLiteral("edtPhi")},
          {&edtSpan, &edtRise, &edtRT, &edtRS, &edtTheta, &edtPhi});
  AddPage(csPipeArch,
          {QStringLiteral("Span"), QStringLiteral("Rise"), QStringLiteral("RT"), QStringLiteral("RS"),
           QStringLiteral("Theta"), QStringLiteral("Phi"), QStringLiteral("RC"), QStringLiteral("Gamma")},
          {QStringLiteral("edtArchSpan"), QStringLiteral("edtArchRise"), QStringLiteral("edtArchRT"),
           QStringLiteral("edtArchRS"), QStringLiteral("edtArchTheta"), QStringLiteral("edtArchPhi"),
           QStringLiteral("edtArchRC"), QStringLiteral("edtArchGamma")},
          {&edtArchSpan, &edtArchRise, &edtArchRT, &edtArchRS, &edtArchTheta, &edtArchPhi, &edtArchRC, &edtArchGamma});
  AddPage(csBox, {QStringLiteral("Width"), QStringLiteral("Height")},
          {QStringLiteral("edtWidth"), QStringLiteral("edtHeight")}, {&edtWidth, &edtHeight});
  ContentLayout()->addWidget(pcShape);
  connect(cbShape, &QComboBox::currentIndexChanged, this, [this](int index) {
    pcShape->setCurrentIndex(index);
    ClearResults();
    DrawResults();
  });

  gbDesign = new QGroupBox(QStringLiteral("DESIGN"), this);
  FDesignLayout = new QFormLayout(gbDesign);
  ContentLayout()->addWidget(gbDesign);

  btnCalculation = new QPushButton(QStringLiteral("Calculation"), this);
  btnCalculation->setObjectName(QStringLiteral("btnCalculation"));
  ContentLayout()->addWidget(btnCalculation);
  connect(btnCalculation, &QPushButton::clicked, this, &TfrmCulvertToolForm::Calculation);
  // Enter calculates; closing is the OK button's (or Esc's) job.
  OkButton()->setDefault(false);
  OkButton()->setAutoDefault(false);
  btnCalculation->setDefault(true);
  CancelButton()->hide();

  tsResult = new QTableWidget(this);
  tsResult->setObjectName(QStringLiteral("tsResult"));
  tsResult->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tsResult->setSelectionMode(QAbstractItemView::NoSelection);
  tsResult->verticalHeader()->setVisible(false);
  tsResult->setRowCount(4);
  ContentLayout()->addWidget(tsResult, 1);
}

QWidget* TfrmCulvertToolForm::AddPage(TCalculatorShape shape, const QStringList& labels, const QStringList& names,
                                      QList<TBaseEdit**> edits) {
  auto* page = new QWidget(pcShape);
  auto* grid = new QGridLayout(page);
  for (int i = 0; i < labels.size(); ++i) {
    TBaseEdit* edit = MakeEdit(page, names[i], edtFixed);
    *edits[i] = edit;
    auto* label = new QLabel(labels[i], page);
    label->setBuddy(edit);
    grid->addWidget(label, i, 0);
    grid->addWidget(edit, i, 1);
  }
  grid->setRowStretch(static_cast<int>(labels.size()), 1);
  if (shape != csPipeArch) grid->addWidget(new TShapePicture(shape, page), 0, 2, std::max(4, int(labels.size())), 1);
  pcShape->addWidget(page);
  return page;
}

TBaseEdit* TfrmCulvertToolForm::AddDesignEdit(const QString& label, const QString& name, TEditDataType type) {
  TBaseEdit* edit = MakeEdit(gbDesign, name, type);
  FDesignLayout->addRow(label, edit);
  return edit;
}

void TfrmCulvertToolForm::Initialize() { DisplayOnCreate = true; }

QList<TBaseEdit*> TfrmCulvertToolForm::Edits() const { return findChildren<TBaseEdit*>(); }

void TfrmCulvertToolForm::Display() {
  cbShape->setCurrentIndex(0);
  pcShape->setCurrentIndex(0);
  for (TBaseEdit* edit : Edits()) edit->SetFloatValue(0);
  DrawResults();
}

TCalculatorShape TfrmCulvertToolForm::Shape() const {
  const int index = cbShape->currentIndex();
  return index >= csCircular && index <= csBox ? static_cast<TCalculatorShape>(index) : csCircular;
}

TCalculatorSection TfrmCulvertToolForm::Section() const {
  TCalculatorSection s;
  s.Diameter = edtDiameter->FloatValue();
  s.Span = edtSpan->FloatValue();
  s.Rise = edtRise->FloatValue();
  s.RT = edtRT->FloatValue();
  s.RS = edtRS->FloatValue();
  s.Theta = edtTheta->FloatValue();
  s.Phi = edtPhi->FloatValue();
  s.Width = edtWidth->FloatValue();
  s.Height = edtHeight->FloatValue();
  return s;
}

void TfrmCulvertToolForm::Calculation() {
  if (!InputsShowable()) return;
  Calculate();
  DrawResults();
}

// Fixed decimals hold at most nine significant digits; a larger value would
// show in exponent form and its sketch and results would mean nothing.
bool TfrmCulvertToolForm::InputsShowable() {
  QList<TBaseEdit*> edits = pcShape->currentWidget()->findChildren<TBaseEdit*>();
  edits += gbDesign->findChildren<TBaseEdit*>();
  for (TBaseEdit* edit : edits) {
    if (std::abs(edit->FloatValue()) < 1e9) continue;
    const auto* label = qobject_cast<QLabel*>(FDesignLayout->labelForField(edit));
    QString caption = label ? label->text() : QString();
    if (caption.isEmpty())
      for (const QLabel* l : pcShape->currentWidget()->findChildren<QLabel*>())
        if (l->buddy() == edit) caption = l->text();
    ShowError(this, ToCore(QStringLiteral("%1 is too large for this calculator.").arg(caption)));
    edit->setFocus();
    return false;
  }
  return true;
}

void TfrmCulvertToolForm::ShowCalculatorMessage(const TCalculatorMessage& message) {
  if (message.Text.empty()) return;
  if (message.Notice)
    ShowMessageBox(TMessageKind::Warning, message.Text);
  else
    ShowError(this, message.Text);
}

void TfrmCulvertToolForm::SetCell(int row, int column, const QString& text) {
  auto* item = new QTableWidgetItem(text);
  if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  tsResult->setItem(row, column, item);
}

void TfrmCulvertToolForm::FitResultRows() {
  int height = 4 * tsResult->verticalHeader()->defaultSectionSize() + 2 * tsResult->frameWidth();
  if (!tsResult->horizontalHeader()->isHidden()) height += tsResult->horizontalHeader()->sizeHint().height();
  tsResult->setMinimumHeight(height);
  tsResult->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// --- geometric tool -------------------------------------------------------------------

TfrmCulvertGeometricTool::TfrmCulvertGeometricTool(QWidget* owner)
    : TfrmCulvertToolForm(QStringLiteral("Culvert Geometric Tool"), owner) {
  setObjectName(QStringLiteral("frmCulvertGeometricTool"));
  edtDepth = AddDesignEdit(QStringLiteral("Depth (ft.)"), QStringLiteral("edtDepth"), edtFixed);
  tsResult->setColumnCount(3);
  tsResult->setHorizontalHeaderLabels(
      {QStringLiteral("Value"), QStringLiteral("Full Shape"), QStringLiteral("Partial Shape")});
  tsResult->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  FitResultRows();
  resize(460, 520);
  Create();
}

void TfrmCulvertGeometricTool::Calculate() {
  FResult = CalculateGeometricTool(Shape(), Section(), edtDepth->FloatValue());
  if (FResult.ArcCompleted) ShowCompletedArc();
  ShowCalculatorMessage(FResult.Message);
}

void TfrmCulvertGeometricTool::ShowCompletedArc() {
  edtRT->SetFloatValue(FResult.RT);
  edtRS->SetFloatValue(FResult.RS);
  edtTheta->SetFloatValue(FResult.Theta);
  edtPhi->SetFloatValue(FResult.Phi);
}

void TfrmCulvertGeometricTool::DrawResults() {
  const TSectionFigures& f = FResult.Full;
  const TSectionFigures& p = FResult.Partial;
  const QString labels[] = {QStringLiteral("Area (sq.ft.)"), QStringLiteral("Top Width, T (ft.)"),
                            QStringLiteral("Wetted Perimeter (ft.)"), QStringLiteral("Hydraulic Radius (ft.)")};
  const double full[] = {f.Area, 0, f.WettedPerimeter, f.HydraulicRadius};
  const double partial[] = {p.Area, p.TopWidth, p.WettedPerimeter, p.HydraulicRadius};
  for (int row = 0; row < 4; ++row) {
    SetCell(row, 0, labels[row]);
    // A full section closes at the crown: it has no top width to speak of.
    SetCell(row, 1, row == 1 ? QStringLiteral("N/A") : Number(full[row], 4));
    SetCell(row, 2, Number(partial[row], 4));
  }
}

// --- hydraulic tool -------------------------------------------------------------------

TfrmCulvertHydraulicTool::TfrmCulvertHydraulicTool(QWidget* owner)
    : TfrmCulvertToolForm(QStringLiteral("Culvert Hydraulic Tool"), owner) {
  setObjectName(QStringLiteral("frmCulvertHydraulicTool"));
  btnCalculation->setText(QStringLiteral("&Calculation"));
  // Fixed notation like the shape's edits; Manning's n and the slope carry
  // four decimals, since two would show a typical 0.012 or 0.005 as 0.01.
  edtFlow = AddDesignEdit(QStringLiteral("Flow (cfs)"), QStringLiteral("edtFlow"), edtFixed);
  edtManningN = AddDesignEdit(QStringLiteral("Manning N"), QStringLiteral("edtManningN"), edtFixed);
  edtManningN->SetDigits(4);
  edtSlope = AddDesignEdit(QStringLiteral("Slope (ft/ft.)"), QStringLiteral("edtSlope"), edtFixed);
  edtSlope->SetDigits(4);
  tsResult->setColumnCount(2);
  tsResult->horizontalHeader()->setVisible(false);
  tsResult->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  FitResultRows();
  resize(440, 500);
  Create();
}

void TfrmCulvertHydraulicTool::Calculate() {
  const THydraulicToolInput design{edtFlow->FloatValue(), edtManningN->FloatValue(), edtSlope->FloatValue()};
  FResult = CalculateHydraulicTool(Shape(), Section(), design);
  ShowCalculatorMessage(FResult.Message);
}

void TfrmCulvertHydraulicTool::DrawResults() {
  const QString labels[] = {QStringLiteral("Normal Depth (ft.)"), QStringLiteral("Critical Depth (ft.)"),
                            QStringLiteral("Q max (cfs)"), QStringLiteral("Q full (cfs)")};
  const double values[] = {FResult.NormalDepth, FResult.CriticalDepth, FResult.QMax, FResult.QFull};
  for (int row = 0; row < 4; ++row) {
    SetCell(row, 0, labels[row]);
    SetCell(row, 1, Number(values[row], 2));
  }
}
