#include "app/culvertanalysis/CulvertAnalysisElementDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>

#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/framework/CoreText.h"
#include "app/framework/InletDialogs.h"
#include "app/framework/MessageBoxes.h"
#include "app/framework/SlopeDialog.h"
#include "appmodel/CoefficientRows.h"
#include "appmodel/SlopeEntry.h"
#include "culvert/CulvertAnalysis.h"
#include "foundation/Messages.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

namespace {

TBaseEdit* NumberEdit(QWidget* parent, int decimals) {
  auto* edit = new TBaseEdit(parent);
  edit->SetDataType(edtFixed);
  edit->SetPrecision(9);
  edit->SetDigits(decimals);
  // Wide enough for the value and its decimals however the grid squeezes it.
  edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000.0000")) + 12);
  return edit;
}

QGroupBox* Group(const char* caption, QWidget* parent, QFormLayout*& form) {
  auto* box = new QGroupBox(QString::fromLatin1(caption), parent);
  form = new QFormLayout(box);
  return box;
}

// A combo box and the coefficient button beside it.
QWidget* WithButton(QWidget* parent, QWidget* field, QPushButton*& button) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(field, 1);
  button = new QPushButton(QStringLiteral("..."), row);
  button->setToolTip(QStringLiteral("Inlet Coefficients"));
  layout->addWidget(button);
  return row;
}

void ShowInletCoefficients(const TNerraInletTypeCode& set, QWidget* owner) {
  NewInletCoefficientsDialog(set, owner)->exec();
}

const TCulvertBasePipe* SelectedPipe(const TCodeListCombobox* combo) {
  return dynamic_cast<const TCulvertBasePipe*>(combo->SelectedObject());
}

// Selects the item holding the pipe; else the one of the same size number;
// else the first.
void SelectPipe(TCodeListCombobox* combo, const TCulvertBasePipe* pipe, int32_t sizeIndex) {
  int found = -1;
  for (int i = 0; i < combo->count() && found < 0; ++i) {
    if (pipe && combo->ObjectAt(i) == pipe) found = i;
  }
  for (int i = 0; i < combo->count() && found < 0; ++i) {
    const auto* item = dynamic_cast<const TCulvertBasePipe*>(combo->ObjectAt(i));
    if (item && item->PipeSizeIndex == sizeIndex) found = i;
  }
  combo->setCurrentIndex(found >= 0 ? found : (combo->count() > 0 ? 0 : -1));
}

// Selects the entry of the code, else the first entry.
void SelectCodeOrFirst(TCodeListCombobox* combo, const std::string& code) { combo->SelectCode(code); }

}  // namespace

TfrmCulvertAnalysisElement::TfrmCulvertAnalysisElement(const TCulvertBaseElement* element, TCulvertAnalysis& project,
                                                       const TNerraParameterList& parameters,
                                                       const TCulvertBasePipeList& catalogue, QWidget* owner)
    : TfrmBaseDlgForm(nullptr, owner),
      FElement(element),
      FProject(project),
      FParameters(parameters),
      FCatalogue(catalogue) {
  auto* grid = new QGridLayout();
  ContentLayout()->addLayout(grid);
  grid->addWidget(BuildParameters(), 0, 0);
  pcPipeType = new QStackedWidget(this);
  pcPipeType->addWidget(BuildPipePage());
  pcPipeType->addWidget(BuildBoxPage());
  pcPipeType->addWidget(BuildLongSpanPage());
  grid->addWidget(pcPipeType, 1, 0);
  grid->addWidget(BuildElevations(), 0, 1);
  grid->addWidget(BuildCoefficients(), 1, 1);
  grid->addWidget(BuildRanges(), 0, 2, 2, 1);
  Connect();
  Create();
}

TfrmCulvertAnalysisElement::~TfrmCulvertAnalysisElement() = default;

std::unique_ptr<TCulvertBaseElement> TfrmCulvertAnalysisElement::TakeElement() { return std::move(FResult); }

QWidget* TfrmCulvertAnalysisElement::BuildParameters() {
  QFormLayout* form = nullptr;
  QGroupBox* box = Group("CULVERT PARAMETERS", this, form);
  edtPipeNumber = new TBaseEdit(edtInteger, box);
  cbUseHeadwater = new QComboBox(box);
  cbPipeType = new TCodeListCombobox(box);
  edtPipeLength = NumberEdit(box, 2);
  cbPipeQuantity = new QComboBox(box);
  cbPipeQuantity->addItem(QStringLiteral("1"));
  cbPipeQuantity->addItem(QStringLiteral("2"));
  cbBurialOption = new QCheckBox(QStringLiteral("Enable Inlet Control Design Equations"), box);
  form->addRow(QStringLiteral("Pipe Number"), edtPipeNumber);
  form->addRow(QStringLiteral("Use Headwater"), cbUseHeadwater);
  form->addRow(QStringLiteral("Pipe Type"), cbPipeType);
  form->addRow(QStringLiteral("Pipe Length (ft.)"), edtPipeLength);
  form->addRow(QStringLiteral("Pipe Quantity"), cbPipeQuantity);
  form->addRow(cbBurialOption);
  return box;
}

QWidget* TfrmCulvertAnalysisElement::BuildPipePage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  cbInletType = new TCodeListCombobox(page);
  cbCorrugationType = new TCodeListCombobox(page);
  cbPipeSize = new TCodeListCombobox(page);
  form->addRow(QStringLiteral("Inlet Type"), WithButton(page, cbInletType, btnInletCoefficients));
  form->addRow(QStringLiteral("Corrugation Type"), cbCorrugationType);
  form->addRow(QStringLiteral("Pipe Size"), cbPipeSize);
  return page;
}

QWidget* TfrmCulvertAnalysisElement::BuildBoxPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  cbBoxInletType = new TCodeListCombobox(page);
  cbBoxPipeSize = new TCodeListCombobox(page);
  edtBoxWidth = NumberEdit(page, 2);
  edtBoxHeight = NumberEdit(page, 2);
  lblBoxWidth = new QLabel(QStringLiteral("Box Width  (ft.)"), page);
  lblBoxHeight = new QLabel(QStringLiteral("Box Height (ft.)"), page);
  form->addRow(QStringLiteral("Inlet Type"), WithButton(page, cbBoxInletType, btnBoxCoefficients));
  form->addRow(QStringLiteral("Pipe Size"), cbBoxPipeSize);
  form->addRow(lblBoxWidth, edtBoxWidth);
  form->addRow(lblBoxHeight, edtBoxHeight);
  return page;
}

QWidget* TfrmCulvertAnalysisElement::BuildLongSpanPage() {
  auto* page = new QWidget(this);
  auto* form = new QFormLayout(page);
  edtSpan = NumberEdit(page, 4);
  edtRise = NumberEdit(page, 4);
  edtTheta = NumberEdit(page, 2);
  edtPhi = NumberEdit(page, 2);
  edtRT = NumberEdit(page, 4);
  edtRS = NumberEdit(page, 4);
  edtFlowArea = NumberEdit(page, 2);
  cbUnsubmergedInlet = new TCodeListCombobox(page);
  cbSubmergedInlet = new TCodeListCombobox(page);
  form->addRow(QStringLiteral("Span (ft.)"), edtSpan);
  form->addRow(QStringLiteral("Rise (ft.)"), edtRise);
  form->addRow(QStringLiteral("THETA (deg.)"), edtTheta);
  form->addRow(QStringLiteral("PHI (deg.)"), edtPhi);
  form->addRow(QStringLiteral("RT (ft.)"), edtRT);
  form->addRow(QStringLiteral("RS (ft.)"), edtRS);
  form->addRow(QStringLiteral("Flow Area (sq.ft.)"), edtFlowArea);
  form->addRow(QStringLiteral("Unsubmerged Inlet"), cbUnsubmergedInlet);
  form->addRow(QStringLiteral("Submerged Inlet"), WithButton(page, cbSubmergedInlet, btnLongSpanCoefficients));
  return page;
}

QWidget* TfrmCulvertAnalysisElement::BuildElevations() {
  QFormLayout* form = nullptr;
  QGroupBox* box = Group("ELEVATIONS ", this, form);
  edtInletInvert = NumberEdit(box, 2);
  edtOutletInvert = NumberEdit(box, 2);
  edtPipeSlope = NumberEdit(box, 4);
  edtPipeSlope->setReadOnly(true);
  edtPipeSlope->setFocusPolicy(Qt::NoFocus);
  QFont bold = edtPipeSlope->font();
  bold.setBold(true);
  edtPipeSlope->setFont(bold);
  btnEnterSlope = new QPushButton(QStringLiteral("Enter &Slope"), box);
  form->addRow(QStringLiteral("Inlet Invert (ft.)"), edtInletInvert);
  form->addRow(QStringLiteral("Outlet Invert (ft.)"), edtOutletInvert);
  form->addRow(QStringLiteral("Slope (ft./ft.)"), edtPipeSlope);
  form->addRow(btnEnterSlope);
  return box;
}

QWidget* TfrmCulvertAnalysisElement::BuildCoefficients() {
  auto* box = new QGroupBox(QStringLiteral("SPECIAL COEFFICIENTS"), this);
  auto* grid = new QGridLayout(box);
  edtCoeffN = NumberEdit(box, 4);
  edtBuriedN = NumberEdit(box, 4);
  edtCoeffKE = NumberEdit(box, 4);
  lblBuriedN = new QLabel(QStringLiteral("Buried Manning's N"), box);
  lblCoeffKE = new QLabel(QStringLiteral("Entrance Loss (Ke)"), box);
  lblCoeffKEOverride = new QLabel(QStringLiteral("(Override)"), box);
  grid->addWidget(new QLabel(QStringLiteral("Manning's N"), box), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("(Override)"), box), 0, 1);
  grid->addWidget(edtCoeffN, 0, 2);
  grid->addWidget(lblBuriedN, 1, 0, 1, 2);
  grid->addWidget(edtBuriedN, 1, 2);
  grid->addWidget(lblCoeffKE, 2, 0);
  grid->addWidget(lblCoeffKEOverride, 2, 1);
  grid->addWidget(edtCoeffKE, 2, 2);
  auto* note =
      new QLabel(QStringLiteral("Override : When entered, they override the default values. (See Manual)"), box);
  note->setWordWrap(true);
  grid->addWidget(note, 3, 0, 1, 3);
  return box;
}

QWidget* TfrmCulvertAnalysisElement::BuildRanges() {
  auto* column = new QWidget(this);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  QFormLayout* form = nullptr;
  layout->addWidget(Group("DISCHARGE (cfs.)", column, form));
  edtFlowMin = NumberEdit(column, 2);
  edtFlowMax = NumberEdit(column, 2);
  edtFlowDelta = NumberEdit(column, 2);
  form->addRow(QStringLiteral("Qmin."), edtFlowMin);
  form->addRow(QStringLiteral("Qmax."), edtFlowMax);
  form->addRow(QStringLiteral("Qinc."), edtFlowDelta);
  layout->addWidget(Group("TAILWATER (ft.)", column, form));
  edtTailwaterMin = NumberEdit(column, 2);
  edtTailwaterMax = NumberEdit(column, 2);
  form->addRow(QStringLiteral("Min."), edtTailwaterMin);
  form->addRow(QStringLiteral("Max."), edtTailwaterMax);
  gbBuriedDepth = Group("BURIED DEPTH (ft.)", column, form);
  layout->addWidget(gbBuriedDepth);
  edtSetMin = NumberEdit(gbBuriedDepth, 2);
  edtSetMax = NumberEdit(gbBuriedDepth, 2);
  edtSetDelta = NumberEdit(gbBuriedDepth, 2);
  form->addRow(QStringLiteral("Min."), edtSetMin);
  form->addRow(QStringLiteral("Max."), edtSetMax);
  form->addRow(QStringLiteral("Inc."), edtSetDelta);
  layout->addStretch(1);
  return column;
}

void TfrmCulvertAnalysisElement::Connect() {
  connect(cbPipeType, &QComboBox::activated, this, [this] { PipeTypeRules(); });
  connect(cbBurialOption, &QCheckBox::clicked, this, [this] { PipeTypeRules(); });
  connect(cbCorrugationType, &QComboBox::activated, this, [this] { FillPipeSizes(); });
  connect(cbBoxPipeSize, &QComboBox::currentIndexChanged, this, [this] { BoxSizeChanged(); });
  for (TBaseEdit* edit : {edtInletInvert, edtOutletInvert, edtPipeLength})
    connect(edit, &TBaseEdit::OnExitField, this, [this] { RefreshSlope(); });
  connect(btnEnterSlope, &QPushButton::clicked, this, [this] { EnterSlope(); });
  for (QPushButton* button : {btnInletCoefficients, btnBoxCoefficients, btnLongSpanCoefficients})
    connect(button, &QPushButton::clicked, this, [this] { ShowCoefficients(); });
}

void TfrmCulvertAnalysisElement::Initialize() {
  HelpContext = 301;
  DisplayOnCreate = true;
  setWindowTitle(FromCore(CulvertAnalysisCaption(FElement)));
}

void TfrmCulvertAnalysisElement::FillLists() {
  FPipeTypes = FParameters.CodesOfCategory(pcAnalysisPipeType);
  FBoxInletTypes = FParameters.CodesOfCategory(pcBoxInletType);
  FUnsubmergedInlets = FParameters.CodesOfCategory(pcUnsubmergedInlet);
  FSubmergedInlets = FParameters.CodesOfCategory(pcSubmergedInlet);
  FBoxSizes = FCatalogue.PipesOf("5", "");
  cbPipeType->FillFromCodes(*FPipeTypes);
  cbBoxInletType->FillFromCodes(*FBoxInletTypes);
  cbUnsubmergedInlet->FillFromCodes(*FUnsubmergedInlets);
  cbSubmergedInlet->FillFromCodes(*FSubmergedInlets);
  cbBoxPipeSize->clear();
  cbBoxPipeSize->AddItem(QStringLiteral("Custom Size"), nullptr);
  for (int i = 0; i < FBoxSizes->Count(); ++i)
    cbBoxPipeSize->AddItem(FromCore(FBoxSizes->Key(i)), FBoxSizes->Object(i));
  edtPipeNumber->setFocus();
}

std::string TfrmCulvertAnalysisElement::SelectedPipeType() const { return cbPipeType->SelectedCode(std::string()); }

void TfrmCulvertAnalysisElement::FillUseHeadwater(int32_t selected) {
  cbUseHeadwater->clear();
  cbUseHeadwater->addItem(QStringLiteral("No inlet"), 0);
  const TCulvertElementList& list = FProject.Elements;
  for (int i = 0; i < list.Count(); ++i) {
    if (const TNerraElement* e = list.Element(i)) cbUseHeadwater->addItem(QString::number(e->ElementId), e->ElementId);
  }
  const int index = selected > 0 ? cbUseHeadwater->findData(selected) : 0;
  cbUseHeadwater->setCurrentIndex(index > 0 ? index : 0);
  cbUseHeadwater->setEnabled(list.Count() > 0);
}

void TfrmCulvertAnalysisElement::FillInletTypes(const std::string& pipeType) {
  FInletTypes = FParameters.CodesOfCategory(InletCategoryOf(pipeType, cbBurialOption->isChecked()));
  cbInletType->FillFromCodes(*FInletTypes);
  SelectCodeOrFirst(cbInletType, "1");
}

void TfrmCulvertAnalysisElement::FillCorrugations(const std::string& pipeType) {
  TParameterCategory category = pcCircularCorrugationType;
  cbCorrugationType->clear();
  if (CorrugationCategoryOf(pipeType, category)) {
    FCorrugations = FParameters.CodesOfCategory(category);
    cbCorrugationType->FillFromCodes(*FCorrugations);
    cbCorrugationType->setEnabled(true);
  } else {
    FCorrugations.reset();
    cbCorrugationType->AddItem(QStringLiteral("N/A"), nullptr);
    cbCorrugationType->setEnabled(false);
  }
  if (cbCorrugationType->count() > 0) cbCorrugationType->setCurrentIndex(0);
}

void TfrmCulvertAnalysisElement::FillPipeSizes() {
  const std::string pipeType = SelectedPipeType();
  const bool corrugated = pipeType == "2" || pipeType == "4";
  const std::string corrugation = corrugated ? cbCorrugationType->SelectedCode(std::string()) : std::string();
  // The combo box keeps pointers to the catalogue, not to this list.
  FPipeSizes = FCatalogue.PipesOf(pipeType, corrugation);
  cbPipeSize->clear();
  for (int i = 0; i < FPipeSizes->Count(); ++i)
    cbPipeSize->AddItem(FromCore(FPipeSizes->Key(i)), FPipeSizes->Object(i));
  if (cbPipeSize->count() > 0) cbPipeSize->setCurrentIndex(0);
}

void TfrmCulvertAnalysisElement::PipeTypeRules() {
  const std::string pipeType = SelectedPipeType();
  bool buried = cbBurialOption->isChecked();
  const TPipeTypeView view = ApplyPipeTypeRules(pipeType, buried);
  cbBurialOption->setChecked(buried);
  cbBurialOption->setVisible(view.BurialOptionVisible);
  lblCoeffKE->setVisible(view.KeVisible);
  lblCoeffKEOverride->setVisible(view.KeVisible);
  edtCoeffKE->setVisible(view.KeVisible);
  if (!view.KeVisible) edtCoeffKE->SetFloatValue(0);
  switch (view.Page) {
    case TCulvertTypePage::Pipe:
      pcPipeType->setCurrentIndex(0);
      FillInletTypes(pipeType);
      FillCorrugations(pipeType);
      FillPipeSizes();
      break;
    case TCulvertTypePage::Box:
      pcPipeType->setCurrentIndex(1);
      BoxSizeChanged();
      break;
    case TCulvertTypePage::LongSpan: pcPipeType->setCurrentIndex(2); break;
  }
  btnInletCoefficients->setVisible(view.PipeCoefficientsVisible);
  gbBuriedDepth->setVisible(view.BuriedDepthVisible);
  lblBuriedN->setVisible(view.BuriedDepthVisible);
  edtBuriedN->setVisible(view.BuriedDepthVisible);
}

void TfrmCulvertAnalysisElement::BoxSizeChanged() {
  const bool custom = cbBoxPipeSize->currentIndex() == 0;
  for (QWidget* w : std::initializer_list<QWidget*>{lblBoxWidth, edtBoxWidth, lblBoxHeight, edtBoxHeight})
    w->setVisible(custom);
}

void TfrmCulvertAnalysisElement::RefreshSlope() {
  edtPipeSlope->SetFloatValue(
      EntrySlope(edtInletInvert->FloatValue(), edtOutletInvert->FloatValue(), edtPipeLength->FloatValue()));
}

void TfrmCulvertAnalysisElement::EnterSlope() {
  RefreshSlope();
  double slope = edtPipeSlope->FloatValue();
  if (!::EnterSlope(slope, this)) return;
  edtOutletInvert->SetFloatValue(
      OutletForSlope(edtInletInvert->FloatValue(), edtPipeLength->FloatValue(), slope, edtOutletInvert->FloatValue()));
  RefreshSlope();
}

void TfrmCulvertAnalysisElement::Display() {
  if (!FElement) {
    edtPipeNumber->SetIntegerValue(NewPipeNumber(FProject.Elements));
    FillUseHeadwater(0);
    if (cbPipeType->count() > 0) cbPipeType->setCurrentIndex(0);
    cbBurialOption->setChecked(false);
    if (cbBoxPipeSize->count() > 0) cbBoxPipeSize->setCurrentIndex(0);
    for (TCodeListCombobox* combo : {cbBoxInletType, cbUnsubmergedInlet, cbSubmergedInlet})
      if (combo->count() > 0) combo->setCurrentIndex(0);
    PipeTypeRules();
    RefreshSlope();
    return;
  }
  TCulvertAnalysisEntryValues v;
  v.Load(*FElement);
  LoadElement(v);
}

void TfrmCulvertAnalysisElement::LoadElement(const TCulvertAnalysisEntryValues& v) {
  edtInletInvert->SetFloatValue(v.InletInvert);
  edtOutletInvert->SetFloatValue(v.OutletInvert);
  edtTailwaterMin->SetFloatValue(v.TailwaterMin);
  edtTailwaterMax->SetFloatValue(v.TailwaterMax);
  edtFlowMin->SetFloatValue(v.FlowMin);
  edtFlowMax->SetFloatValue(v.FlowMax);
  edtFlowDelta->SetFloatValue(v.FlowDelta);
  edtPipeNumber->SetIntegerValue(v.PipeNumber);
  FillUseHeadwater(v.UseHW);
  SelectCodeOrFirst(cbPipeType, v.PipeType);
  edtPipeLength->SetFloatValue(v.PipeLength);
  RefreshSlope();
  // A file may hold more barrels than the list offers; keep them.
  while (cbPipeQuantity->count() < v.Quantity) cbPipeQuantity->addItem(QString::number(cbPipeQuantity->count() + 1));
  cbPipeQuantity->setCurrentIndex(v.Quantity - 1);
  cbBurialOption->setChecked(v.BuriedOption);
  PipeTypeRules();
  LoadShape(v);
  edtSetMin->SetFloatValue(v.BuriedDepthMin);
  edtSetMax->SetFloatValue(v.BuriedDepthMax);
  edtSetDelta->SetFloatValue(v.BuriedDepthDelta);
  edtCoeffN->SetFloatValue(v.CoeffN);
  edtBuriedN->SetFloatValue(v.BuriedCoeffN);
  edtCoeffKE->SetFloatValue(v.CoeffKE);
}

void TfrmCulvertAnalysisElement::LoadShape(const TCulvertAnalysisEntryValues& v) {
  switch (PageOfPipeType(SelectedPipeType())) {
    case TCulvertTypePage::Pipe:
      cbInletType->SelectCode(v.InletType);
      SelectCodeOrFirst(cbCorrugationType, v.CorrugationType);
      FillPipeSizes();
      SelectPipe(cbPipeSize, v.PipeSize, FElement ? FElement->PipeSizeIndexValue() : 0);
      break;
    case TCulvertTypePage::Box:
      if (v.CustomBox)
        cbBoxPipeSize->setCurrentIndex(0);
      else
        SelectPipe(cbBoxPipeSize, v.BoxSize, v.BoxSize->PipeSizeIndex);
      BoxSizeChanged();
      edtBoxHeight->SetFloatValue(v.BoxHeight);
      edtBoxWidth->SetFloatValue(v.BoxWidth);
      cbBoxInletType->SelectCode(v.BoxInletType);
      break;
    case TCulvertTypePage::LongSpan:
      edtSpan->SetFloatValue(v.Span);
      edtRise->SetFloatValue(v.Rise);
      edtTheta->SetFloatValue(v.Theta);
      edtPhi->SetFloatValue(v.Phi);
      edtRT->SetFloatValue(v.RT);
      edtRS->SetFloatValue(v.RS);
      edtFlowArea->SetFloatValue(v.FlowArea);
      SelectCodeOrFirst(cbUnsubmergedInlet, v.UnsubInlet);
      SelectCodeOrFirst(cbSubmergedInlet, v.SubInlet);
      break;
  }
}

TCulvertAnalysisEntryValues TfrmCulvertAnalysisElement::Values() const {
  TCulvertAnalysisEntryValues v;
  v.PipeNumber = edtPipeNumber->IntegerValue();
  v.UseHW = cbUseHeadwater->currentIndex() > 0 ? cbUseHeadwater->currentData().toInt() : 0;
  v.PipeType = SelectedPipeType();
  v.PipeLength = edtPipeLength->FloatValue();
  v.Quantity = cbPipeQuantity->currentIndex() >= 0 ? cbPipeQuantity->currentIndex() + 1 : 1;
  v.BuriedOption = cbBurialOption->isChecked();
  v.InletType = cbInletType->SelectedCode(std::string());
  v.CorrugationType = cbCorrugationType->isEnabled() ? cbCorrugationType->SelectedCode(std::string()) : std::string();
  v.PipeSize = SelectedPipe(cbPipeSize);
  v.BoxInletType = cbBoxInletType->SelectedCode(std::string());
  v.CustomBox = cbBoxPipeSize->currentIndex() <= 0;
  v.BoxSize = v.CustomBox ? nullptr : SelectedPipe(cbBoxPipeSize);
  v.BoxWidth = edtBoxWidth->FloatValue();
  v.BoxHeight = edtBoxHeight->FloatValue();
  v.Span = edtSpan->FloatValue();
  v.Rise = edtRise->FloatValue();
  v.Theta = edtTheta->FloatValue();
  v.Phi = edtPhi->FloatValue();
  v.RT = edtRT->FloatValue();
  v.RS = edtRS->FloatValue();
  v.FlowArea = edtFlowArea->FloatValue();
  v.UnsubInlet = cbUnsubmergedInlet->SelectedCode(std::string());
  v.SubInlet = cbSubmergedInlet->SelectedCode(std::string());
  v.InletInvert = edtInletInvert->FloatValue();
  v.OutletInvert = edtOutletInvert->FloatValue();
  v.CoeffN = edtCoeffN->FloatValue();
  v.BuriedCoeffN = edtBuriedN->FloatValue();
  v.CoeffKE = edtCoeffKE->FloatValue();
  v.FlowMin = edtFlowMin->FloatValue();
  v.FlowMax = edtFlowMax->FloatValue();
  v.FlowDelta = edtFlowDelta->FloatValue();
  v.TailwaterMin = edtTailwaterMin->FloatValue();
  v.TailwaterMax = edtTailwaterMax->FloatValue();
  v.BuriedDepthMin = edtSetMin->FloatValue();
  v.BuriedDepthMax = edtSetMax->FloatValue();
  v.BuriedDepthDelta = edtSetDelta->FloatValue();
  return v;
}

bool TfrmCulvertAnalysisElement::Validate() {
  const std::string message = Values().Check(FProject.Elements, FElement);
  if (message.empty()) return true;
  ShowError(this, message);
  return false;
}

bool TfrmCulvertAnalysisElement::Apply() {
  if (!Validate()) return false;
  FResult = Values().Build(FElement, &FParameters);
  if (!FResult) return false;
  if (const std::string message = CheckBuriedDepth(*FResult); !message.empty()) {
    ShowError(this, message);
    return false;
  }
  return true;
}

void TfrmCulvertAnalysisElement::ShowCoefficients() {
  switch (PageOfPipeType(SelectedPipeType())) {
    case TCulvertTypePage::Pipe: {
      const auto* set = dynamic_cast<const TNerraInletTypeCode*>(cbInletType->SelectedObject());
      const auto* code = dynamic_cast<const TNerraBaseCode*>(cbInletType->SelectedObject());
      if (code && code->Category == pcInletType)
        ShowMessageBox(TMessageKind::Warning, NoInletCoefficientsMessage);
      else if (set)
        ShowInletCoefficients(*set, this);
      break;
    }
    case TCulvertTypePage::Box:
      if (const auto* set = dynamic_cast<const TNerraInletTypeCode*>(cbBoxInletType->SelectedObject()))
        ShowInletCoefficients(*set, this);
      break;
    case TCulvertTypePage::LongSpan: {
      const auto* unsubmerged = dynamic_cast<const TNerraUnsubmergedInletCode*>(cbUnsubmergedInlet->SelectedObject());
      const auto* submerged = dynamic_cast<const TNerraSubmergedInletCode*>(cbSubmergedInlet->SelectedObject());
      if (unsubmerged && submerged) ShowInletCoefficients(LongSpanCoefficientSet(*unsubmerged, *submerged), this);
      break;
    }
  }
}
