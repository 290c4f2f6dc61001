#include "app/inletspacing/InletSpacingEntryForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/framework/CoreText.h"
#include "app/framework/MessageBoxes.h"
#include "inletspacing/InletSpacing.h"
#include "model/NerraBase.h"

namespace {

TBaseEdit* NumberBox(QWidget* parent, int digits) {
  auto* box = new TBaseEdit(edtFloat, parent);
  // Wide enough for nine significant digits.
  box->setMinimumWidth(100);
  box->SetPrecision(9);
  box->SetDigits(digits);
  return box;
}

void AddRow(QGridLayout* grid, int row, const QString& label, QWidget* box) {
  grid->addWidget(new QLabel(label, box->parentWidget()), row, 0);
  grid->addWidget(box, row, 1);
}

}  // namespace

TfrmInletSpacingEntry::TfrmInletSpacingEntry(TInletSpacingElement& element, const TNerraParameterList& parameters,
                                             QWidget* owner)
    : TfrmBaseDlgForm(&element, owner), FElement(element), FModel(parameters) {
  HelpContext = 501;
  BuildControls();
  connect(cbSumpType, &QComboBox::currentIndexChanged, this, &TfrmInletSpacingEntry::SumpTypeChanged);
  Create();
}

TfrmInletSpacingEntry::~TfrmInletSpacingEntry() = default;

void TfrmInletSpacingEntry::BuildControls() {
  auto* head = new QGridLayout();
  edtStation = new TBaseEdit(edtNumeric, this);
  edtStation->SetExtendedChar(QStringLiteral("+"));
  cbSumpType = new TCodeListCombobox(this);
  AddRow(head, 0, QStringLiteral("Station"), edtStation);
  AddRow(head, 1, QStringLiteral("Sump Type"), cbSumpType);
  ContentLayout()->addLayout(head);
  BuildGroups();
}

void TfrmInletSpacingEntry::BuildGroups() {
  gbAdditionalData = new QGroupBox(this);
  auto* additional = new QGridLayout(gbAdditionalData);
  cbCatchBasinType = new TCodeListCombobox(gbAdditionalData);
  cbCatchBasinType->setEditable(true);
  cbCatchBasinType->setInsertPolicy(QComboBox::NoInsert);
  edtLongitudinalSlope = NumberBox(gbAdditionalData, 4);
  edtDischarge = NumberBox(gbAdditionalData, 2);
  edtConcentrationTime = NumberBox(gbAdditionalData, 2);
  AddRow(additional, 0, QStringLiteral("Catch Basin Type"), cbCatchBasinType);
  AddRow(additional, 1, QStringLiteral("Longitudinal Slope (ft./ft.)"), edtLongitudinalSlope);
  AddRow(additional, 2, QStringLiteral("Discharge (cfs.)"), edtDischarge);
  AddRow(additional, 3, QStringLiteral("Conc. Time (min.)"), edtConcentrationTime);

  gbGutter = new QGroupBox(QStringLiteral("GUTTER"), this);
  auto* gutter = new QGridLayout(gbGutter);
  edtGutterLength = NumberBox(gbGutter, 2);
  edtGutterXSlope = NumberBox(gbGutter, 4);
  edtGutterWidth = NumberBox(gbGutter, 2);
  edtManningGN = NumberBox(gbGutter, 3);
  AddRow(gutter, 0, QStringLiteral("Gutter Length (ft.)"), edtGutterLength);
  AddRow(gutter, 1, QStringLiteral("Gutter X-slope (ft./ft.)"), edtGutterXSlope);
  AddRow(gutter, 2, QStringLiteral("Gutter Width (ft.)"), edtGutterWidth);
  AddRow(gutter, 3, QStringLiteral("Manning's  N (Gutter)"), edtManningGN);

  gbPavement = new QGroupBox(QStringLiteral("PAVEMENT"), this);
  auto* pavement = new QGridLayout(gbPavement);
  edtPavementXSlope = NumberBox(gbPavement, 4);
  edtManningPN = NumberBox(gbPavement, 3);
  edtLocalDepression = NumberBox(gbPavement, 4);
  AddRow(pavement, 0, QStringLiteral("Pavement X-slope (ft./ft.)"), edtPavementXSlope);
  AddRow(pavement, 1, QStringLiteral("Manning's  N (Pavement)"), edtManningPN);
  AddRow(pavement, 2, QStringLiteral("Local Depression (ft.)"), edtLocalDepression);

  gbOverland = new QGroupBox(QStringLiteral("OVERLAND"), this);
  auto* overland = new QGridLayout(gbOverland);
  edtRunoffCoefficient = NumberBox(gbOverland, 2);
  edtArea = NumberBox(gbOverland, 2);
  edtOverlandLength = NumberBox(gbOverland, 2);
  edtOverlandSlope = NumberBox(gbOverland, 4);
  cbSurfaceType = new TCodeListCombobox(gbOverland);
  AddRow(overland, 0, QStringLiteral("Runoff Coeffic."), edtRunoffCoefficient);
  AddRow(overland, 1, QStringLiteral("Area (acres)"), edtArea);
  AddRow(overland, 2, QStringLiteral("Overland Length (ft.)"), edtOverlandLength);
  AddRow(overland, 3, QStringLiteral("Overland Slope (%)"), edtOverlandSlope);
  AddRow(overland, 4, QStringLiteral("Surface Type"), cbSurfaceType);

  ContentLayout()->addWidget(gbAdditionalData);
  auto* groups = new QHBoxLayout();
  groups->addWidget(gbGutter);
  groups->addWidget(gbPavement);
  groups->addWidget(gbOverland);
  ContentLayout()->addLayout(groups);
}

void TfrmInletSpacingEntry::Initialize() { DisplayOnCreate = true; }

bool TfrmInletSpacingEntry::Prepare() {
  setWindowTitle(FromCore(TInletSpacingEntryModel::Caption(FElement.ElementId)));
  return true;
}

void TfrmInletSpacingEntry::FillLists() {
  const QSignalBlocker quiet(cbSumpType);
  cbSumpType->FillFromCodes(FModel.SumpTypes());
  cbSumpType->setCurrentIndex(-1);
  cbCatchBasinType->FillFromCodes(FModel.CatchBasinTypes());
  cbCatchBasinType->setCurrentIndex(-1);
  cbSurfaceType->clear();
  cbSurfaceType->AddItem(QString(), nullptr);
  for (int i = 0; i < FModel.SurfaceTypes().Count(); ++i)
    if (auto* code = FModel.SurfaceTypes().ItemAs<TNerraBaseCode>(i))
      cbSurfaceType->AddItem(FromCore(code->Description), code);
  cbSurfaceType->setCurrentIndex(0);
}

void TfrmInletSpacingEntry::Display() {
  const TInletSpacingEntryValues v = FModel.Load(FElement);
  const QString station = FromCore(v.StationText);
  edtStation->SetTextValue(station);
  if (edtStation->text() != station) edtStation->setText(station);
  {
    const QSignalBlocker quiet(cbSumpType);
    cbSumpType->setCurrentIndex(FModel.SumpTypes().IndexOfCode(v.SumpCode));
  }
  ShowGroups(v);
  edtStation->setFocus();
}

void TfrmInletSpacingEntry::SumpTypeChanged() {
  TInletSpacingEntryValues v = Values();
  FModel.LoadGroups(FElement, v);
  ShowGroups(v);
}

void TfrmInletSpacingEntry::ShowGroups(const TInletSpacingEntryValues& v) {
  cbCatchBasinType->setCurrentIndex(FModel.CatchBasinTypes().IndexOfCode(v.CatchBasinCode));
  edtLongitudinalSlope->SetFloatValue(v.LongSlope);
  edtDischarge->SetFloatValue(v.Flow);
  edtConcentrationTime->SetFloatValue(v.ConcTime);
  edtGutterLength->SetFloatValue(v.GutterLength);
  edtGutterXSlope->SetFloatValue(v.GutterSlope);
  edtGutterWidth->SetFloatValue(v.GutterWidth);
  edtManningGN->SetFloatValue(v.ManningGN);
  edtPavementXSlope->SetFloatValue(v.PavementSlope);
  edtManningPN->SetFloatValue(v.ManningPN);
  edtLocalDepression->SetFloatValue(v.Depression);
  edtRunoffCoefficient->SetFloatValue(v.RunoffCoeff);
  edtArea->SetFloatValue(v.RunoffArea);
  edtOverlandLength->SetFloatValue(v.OverlandLength);
  edtOverlandSlope->SetFloatValue(v.OverlandSlope);
  // The blank entry is the first of the surface list.
  cbSurfaceType->setCurrentIndex(FModel.SurfaceTypes().IndexOfCode(v.SurfaceCode) + 1);
  const bool visible = TInletSpacingEntryModel::GroupsVisible(v.SumpCode);
  for (QGroupBox* group : {gbAdditionalData, gbGutter, gbPavement, gbOverland}) group->setVisible(visible);
  // Without the hidden groups the dialog takes only the room it needs.
  if (!visible) {
    layout()->activate();
    resize(width(), minimumSizeHint().height());
  }
}

std::string TfrmInletSpacingEntry::CatchBasinCode() const {
  // Text typed over the list is no catch basin type.
  const int index = cbCatchBasinType->currentIndex();
  if (index < 0 || cbCatchBasinType->currentText() != cbCatchBasinType->itemText(index)) return std::string();
  const auto* entry = dynamic_cast<const TNerraBaseCode*>(cbCatchBasinType->ObjectAt(index));
  return entry ? entry->Code : std::string();
}

TInletSpacingEntryValues TfrmInletSpacingEntry::Values() const {
  TInletSpacingEntryValues v;
  v.StationText = ToCore(edtStation->text());
  v.SumpCode = cbSumpType->SelectedCode(std::string());
  v.CatchBasinCode = CatchBasinCode();
  v.SurfaceCode = cbSurfaceType->SelectedCode(std::string());
  v.LongSlope = edtLongitudinalSlope->FloatValue();
  v.Flow = edtDischarge->FloatValue();
  v.ConcTime = edtConcentrationTime->FloatValue();
  v.GutterLength = edtGutterLength->FloatValue();
  v.GutterSlope = edtGutterXSlope->FloatValue();
  v.GutterWidth = edtGutterWidth->FloatValue();
  v.ManningGN = edtManningGN->FloatValue();
  v.PavementSlope = edtPavementXSlope->FloatValue();
  v.ManningPN = edtManningPN->FloatValue();
  v.Depression = edtLocalDepression->FloatValue();
  v.RunoffCoeff = edtRunoffCoefficient->FloatValue();
  v.RunoffArea = edtArea->FloatValue();
  v.OverlandLength = edtOverlandLength->FloatValue();
  v.OverlandSlope = edtOverlandSlope->FloatValue();
  return v;
}

bool TfrmInletSpacingEntry::Validate() {
  const std::string message = FModel.Check(Values());
  if (message.empty()) return true;
  ShowError(this, message);
  return false;
}

bool TfrmInletSpacingEntry::Apply() {
  if (!Validate()) return false;
  FModel.Store(Values(), FElement);
  return true;
}
