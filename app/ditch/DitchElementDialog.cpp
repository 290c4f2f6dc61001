#include "app/ditch/DitchElementDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>

#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/framework/CoreText.h"
#include "app/framework/MessageBoxes.h"
#include "ditch/DitchAnalysisElement.h"
#include "model/ParameterList.h"

namespace {

// Numbers show with fixed decimals; an empty field reads as 0.
TBaseEdit* NumberEdit(QWidget* parent, int decimals) {
  auto* edit = new TBaseEdit(parent);
  edit->SetDataType(edtFixed);
  edit->SetPrecision(9);
  edit->SetDigits(decimals);
  return edit;
}

// Stations are typed as digits and "+" ("12+34").
TBaseEdit* StationEdit(QWidget* parent) {
  auto* edit = new TBaseEdit(parent);
  edit->SetDataType(edtNumeric);
  edit->SetExtendedChar(QStringLiteral("+"));
  return edit;
}

// Selects the entry with the code; nothing when no entry has it, so that
// OK does not store a side or lining the user never chose.
void SelectExactCode(TCodeListCombobox* combo, const std::string& code) {
  int found = -1;
  for (int i = 0; i < combo->count() && found < 0; ++i) {
    const auto* entry = dynamic_cast<const TNerraBaseCode*>(combo->ObjectAt(i));
    if (entry && !code.empty() && entry->Code == code) found = i;
  }
  combo->setCurrentIndex(found >= 0 ? found : (combo->HasNoneEntry() ? 0 : -1));
}

double Number(const TBaseEdit* edit) { return edit->FloatValue(); }
std::string Text(const TBaseEdit* edit) { return ToCore(edit->TextValue()); }

QGroupBox* Section(const char* caption, QWidget* parent, QFormLayout*& form) {
  auto* box = new QGroupBox(QString::fromLatin1(caption), parent);
  form = new QFormLayout(box);
  return box;
}

}  // namespace

TfrmDitchAnalysisElement::TfrmDitchAnalysisElement(TDitchAnalysisElement& element,
                                                   const TNerraParameterList& parameters, QWidget* owner)
    : TfrmBaseDlgForm(&element, owner), FElement(element), FParameters(parameters) {
  BuildControls();
  Create();
}

TfrmDitchAnalysisElement::~TfrmDitchAnalysisElement() = default;

void TfrmDitchAnalysisElement::BuildControls() {
  auto* grid = new QGridLayout();
  ContentLayout()->addLayout(grid);
  QFormLayout* form = nullptr;

  grid->addWidget(Section("STATION", this, form), 0, 0, 2, 1);
  edtStationBegin = StationEdit(this);
  edtStationEnd = StationEdit(this);
  edtDitchLength = NumberEdit(this, 2);
  cbSide = new TCodeListCombobox(this);
  cbShape = new QComboBox(this);
  cbShape->addItem(QStringLiteral("Radius"));
  cbShape->addItem(QStringLiteral("Trapezoidal"));
  form->addRow(QStringLiteral("Station (From)"), edtStationBegin);
  form->addRow(QStringLiteral("Station (To)"), edtStationEnd);
  form->addRow(QStringLiteral("Ditch Length"), edtDitchLength);
  form->addRow(QStringLiteral("Side"), cbSide);
  form->addRow(QStringLiteral("Shape"), cbShape);

  grid->addWidget(Section("ELEVATIONS", this, form), 0, 1);
  edtElevationBegin = NumberEdit(this, 2);
  edtElevationEnd = NumberEdit(this, 2);
  edtGrade = NumberEdit(this, 4);
  form->addRow(QStringLiteral("Begin (ft.)"), edtElevationBegin);
  form->addRow(QStringLiteral("End (ft.)"), edtElevationEnd);
  form->addRow(QStringLiteral("Grade (ft./ft.)"), edtGrade);

  grid->addWidget(Section("RUNOFF", this, form), 1, 1);
  edtCoefficient = NumberEdit(this, 2);
  edtArea = NumberEdit(this, 2);
  form->addRow(QStringLiteral("Coefficient"), edtCoefficient);
  form->addRow(QStringLiteral("Area (acres)"), edtArea);

  grid->addWidget(Section("DIMENSIONS", this, form), 2, 0);
  edtWidth = NumberEdit(this, 2);
  edtInSlope = NumberEdit(this, 2);
  edtBackslope = NumberEdit(this, 2);
  form->addRow(QStringLiteral("Radius/Width (ft.)"), edtWidth);
  form->addRow(QStringLiteral("Inslope (ft./ft.)"), edtInSlope);
  form->addRow(QStringLiteral("Backslope (ft./ft.)"), edtBackslope);

  grid->addWidget(Section("DESIGN DETAIL", this, form), 2, 1);
  edtMannings = NumberEdit(this, 4);
  cbLining = new TCodeListCombobox(this);
  edtConcentrationTime = NumberEdit(this, 2);
  form->addRow(QStringLiteral("Mannings 'n'  (override)"), edtMannings);
  form->addRow(QStringLiteral("Lining   (override Mannings 'n')"), cbLining);
  form->addRow(QStringLiteral("Concentration Time"), edtConcentrationTime);
}

void TfrmDitchAnalysisElement::Initialize() {
  HelpContext = 601;
  DisplayOnCreate = true;
  setWindowTitle(FromCore(DitchEntryCaption(FElement)));
}

void TfrmDitchAnalysisElement::FillLists() {
  FSides = FParameters.CodesOfCategory(pcSewerSide);
  FLinings = FParameters.CodesOfCategory(pcLiningType);
  // Side and lining are optional: the empty first entry takes a choice back.
  cbSide->FillFromCodes(*FSides, true);
  cbLining->FillFromCodes(*FLinings, true);
  edtStationBegin->setFocus();
}

void TfrmDitchAnalysisElement::Display() {
  const TDitchEntryValues v = LoadDitchEntry(FElement);
  edtStationBegin->SetTextValue(FromCore(v.BeginStation));
  edtStationEnd->SetTextValue(FromCore(v.EndStation));
  edtDitchLength->SetFloatValue(v.DitchLength);
  edtGrade->SetFloatValue(v.Grade);
  SelectExactCode(cbSide, v.Side);
  SelectExactCode(cbLining, v.LiningCode);
  cbShape->setCurrentIndex(v.Shape);
  edtWidth->SetFloatValue(v.RadiusWidth);
  edtElevationBegin->SetFloatValue(v.ElevationBegin);
  edtElevationEnd->SetFloatValue(v.ElevationEnd);
  edtCoefficient->SetFloatValue(v.RunoffCoeff);
  edtArea->SetFloatValue(v.RunoffArea);
  edtInSlope->SetFloatValue(v.Inslope);
  edtBackslope->SetFloatValue(v.Backslope);
  edtMannings->SetFloatValue(v.CoeffN);
  edtConcentrationTime->SetFloatValue(v.ConcTime);
}

TDitchEntryValues TfrmDitchAnalysisElement::Values() const {
  TDitchEntryValues v;
  v.BeginStation = Text(edtStationBegin);
  v.EndStation = Text(edtStationEnd);
  v.DitchLength = Number(edtDitchLength);
  v.Side = cbSide->SelectedCode(std::string());
  v.Shape = cbShape->currentIndex();
  v.ElevationBegin = Number(edtElevationBegin);
  v.ElevationEnd = Number(edtElevationEnd);
  v.Grade = Number(edtGrade);
  v.RunoffCoeff = Number(edtCoefficient);
  v.RunoffArea = Number(edtArea);
  v.RadiusWidth = Number(edtWidth);
  v.Inslope = Number(edtInSlope);
  v.Backslope = Number(edtBackslope);
  v.CoeffN = Number(edtMannings);
  v.LiningCode = cbLining->SelectedCode(std::string());
  v.ConcTime = Number(edtConcentrationTime);
  return v;
}

bool TfrmDitchAnalysisElement::Validate() {
  const std::string message = CheckDitchEntryValues(Values());
  if (message.empty()) return true;
  ShowError(this, message);
  return false;
}

bool TfrmDitchAnalysisElement::Apply() {
  if (!Validate()) return false;
  StoreDitchEntry(Values(), FElement);
  return true;
}
