#include "app/stormsewer/StormSewerElementForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/framework/CoreText.h"
#include "app/framework/MessageBoxes.h"
#include "app/framework/SlopeDialog.h"
#include "model/NerraBase.h"
#include "stormsewer/StormSewerElement.h"

namespace {

// Wide enough for nine significant digits.
constexpr int NumberBoxWidth = 100;

TBaseEdit* NumberBox(QWidget* parent, int precision, int digits) {
  auto* box = new TBaseEdit(edtFloat, parent);
  box->setMinimumWidth(NumberBoxWidth);
  box->SetPrecision(precision);
  box->SetDigits(digits);
  box->SetDisabledColor(InactiveCaptionColor());
  return box;
}

TBaseEdit* DisplayBox(QWidget* parent, int precision, int digits) {
  auto* box = new TBaseEdit(edtFixed, parent);
  box->setMinimumWidth(NumberBoxWidth);
  box->SetPrecision(precision);
  box->SetDigits(digits);
  box->SetDisabledColor(InactiveCaptionColor());
  box->SetEditEnabled(false);
  return box;
}

TBaseEdit* TextBox(QWidget* parent, TEditDataType type, const QString& extendedChar, int maxLength) {
  auto* box = new TBaseEdit(type, parent);
  box->SetExtendedChar(extendedChar);
  box->SetMaxLength(maxLength);
  return box;
}

// A stored text the box would refuse (a hand-edited file) is still shown, so
// that OK does not quietly drop it.
void ShowText(TBaseEdit* box, const QString& shown) {
  box->SetTextValue(shown);
  if (box->text() != shown) box->setText(shown);
}

void ShowText(TBaseEdit* box, const std::string& text) { ShowText(box, FromCore(text)); }

// Capitals of the letters a junction box accepts; other characters (a
// hand-edited file may hold some) stay as they are.
QString AsciiUpper(QString text) {
  for (QChar& ch : text)
    if (ch >= QLatin1Char('a') && ch <= QLatin1Char('z')) ch = QChar(ch.unicode() - 'a' + 'A');
  return text;
}

// Typed letters go in as capitals, with the caret where it was.
void UpperCaseOnTyping(TBaseEdit* box) {
  QObject::connect(box, &QLineEdit::textEdited, box, [box](const QString& text) {
    const QString upper = AsciiUpper(text);
    if (upper == text) return;
    const int caret = box->cursorPosition();
    ShowText(box, upper);
    box->setCursorPosition(caret);
  });
}

void AddRow(QGridLayout* grid, int row, const QString& label, QWidget* box) {
  grid->addWidget(new QLabel(label, box->parentWidget()), row, 0);
  grid->addWidget(box, row, 1);
}

}  // namespace

TfrmStormSewerElement::TfrmStormSewerElement(TStormSewerElement& element, bool isAnalysis,
                                             const TNerraParameterList& parameters, QWidget* owner)
    : TfrmBaseDlgForm(&element, owner), AskSlope(EnterSlope), FElement(element), FModel(isAnalysis, parameters) {
  HelpContext = 401;
  BuildControls();
  Connect();
  Create();
}

TfrmStormSewerElement::~TfrmStormSewerElement() = default;

void TfrmStormSewerElement::BuildControls() {
  auto* top = new QHBoxLayout();
  top->addWidget(BuildJunctionsAndStations());
  top->addWidget(BuildStructure());
  ContentLayout()->addLayout(top);
  auto* middle = new QHBoxLayout();
  middle->addWidget(BuildAreas());
  middle->addWidget(BuildElevations());
  middle->addWidget(BuildPipe());
  ContentLayout()->addLayout(middle);
}

QWidget* TfrmStormSewerElement::BuildJunctionsAndStations() {
  auto* panel = new QWidget(this);
  auto* layout = new QHBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* junction = new QGroupBox(QStringLiteral("JUNCTION"), panel);
  auto* junctionGrid = new QGridLayout(junction);
  edtJunctionBegin = TextBox(junction, edtAlphaNumeric, QString(), 5);
  edtJunctionEnd = TextBox(junction, edtAlphaNumeric, QString(), 5);
  UpperCaseOnTyping(edtJunctionBegin);
  UpperCaseOnTyping(edtJunctionEnd);
  AddRow(junctionGrid, 0, QStringLiteral("From"), edtJunctionBegin);
  AddRow(junctionGrid, 1, QStringLiteral("To"), edtJunctionEnd);
  auto* station = new QGroupBox(QStringLiteral("STATION"), panel);
  auto* stationGrid = new QGridLayout(station);
  edtStationBegin = TextBox(station, edtNumeric, QStringLiteral("+"), 9);
  edtStationEnd = TextBox(station, edtNumeric, QStringLiteral("+"), 9);
  cbSide = new TCodeListCombobox(station);
  AddRow(stationGrid, 0, QStringLiteral("From"), edtStationBegin);
  AddRow(stationGrid, 1, QStringLiteral("To"), edtStationEnd);
  AddRow(stationGrid, 2, QStringLiteral("Side"), cbSide);
  layout->addWidget(junction);
  layout->addWidget(station);
  return panel;
}

QWidget* TfrmStormSewerElement::BuildStructure() {
  auto* group = new QGroupBox(QStringLiteral("STRUCTURE"), this);
  auto* grid = new QGridLayout(group);
  cbStructureCategory = new TCodeListCombobox(group);
  cbStructureType = new TCodeListCombobox(group);
  cbStructureType->setEditable(true);
  // A typed type stays typed; it does not become a list entry.
  cbStructureType->setInsertPolicy(QComboBox::NoInsert);
  AddRow(grid, 0, QStringLiteral("Category"), cbStructureCategory);
  AddRow(grid, 1, QStringLiteral("Type"), cbStructureType);
  return group;
}

QWidget* TfrmStormSewerElement::BuildAreas() {
  auto* panel = new QWidget(this);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* areas = new QGroupBox(QStringLiteral("DELTA AREA (acres)"), panel);
  auto* areaGrid = new QGridLayout(areas);
  auto* coeffs = new QGroupBox(QStringLiteral("DELTA RUNOFF COEFFICIENT"), panel);
  auto* coeffGrid = new QGridLayout(coeffs);
  // Created in tab order: the areas and their total, then the coefficients.
  for (int i = 0; i < 4; ++i) {
    FAreas[i] = NumberBox(areas, 9, 2);
    AddRow(areaGrid, i, QString::number(i + 1), FAreas[i]);
  }
  edtSumArea = DisplayBox(areas, 9, 2);
  AddRow(areaGrid, 4, QStringLiteral("Total Area"), edtSumArea);
  areaGrid->addWidget(new QLabel(QStringLiteral("Enter up to 4 areas and runoff coefficients to be weighted."), areas),
                      5, 0, 1, 2);
  for (int i = 0; i < 4; ++i) {
    FCoeffs[i] = NumberBox(coeffs, 9, 2);
    AddRow(coeffGrid, i, QString::number(i + 1), FCoeffs[i]);
  }
  edtArea1 = FAreas[0], edtArea2 = FAreas[1], edtArea3 = FAreas[2], edtArea4 = FAreas[3];
  edtCoeff1 = FCoeffs[0], edtCoeff2 = FCoeffs[1], edtCoeff3 = FCoeffs[2], edtCoeff4 = FCoeffs[3];
  edtSumCA = DisplayBox(coeffs, 9, 2);
  edtWeigthedCoeff = DisplayBox(coeffs, 9, 2);
  AddRow(coeffGrid, 4, QStringLiteral("Sum C * A"), edtSumCA);
  AddRow(coeffGrid, 5, QStringLiteral("Weigthed Coefficient  (Sum CA / Total Area)"), edtWeigthedCoeff);
  layout->addWidget(areas);
  layout->addWidget(coeffs);
  return panel;
}

QWidget* TfrmStormSewerElement::BuildElevations() {
  auto* group = new QGroupBox(QStringLiteral("ELEVATIONS "), this);
  auto* grid = new QGridLayout(group);
  edtInletInvert = NumberBox(group, 9, 2);
  edtOutletInvert = NumberBox(group, 9, 2);
  edtInletCover = NumberBox(group, 9, 2);
  edtOuletCover = NumberBox(group, 9, 2);
  lblInletInvert = new QLabel(group);
  lblOutletInvert = new QLabel(group);
  grid->addWidget(lblInletInvert, 0, 0);
  grid->addWidget(edtInletInvert, 0, 1);
  grid->addWidget(lblOutletInvert, 1, 0);
  grid->addWidget(edtOutletInvert, 1, 1);
  AddRow(grid, 2, QStringLiteral("Inlet Cover (ft.)"), edtInletCover);
  AddRow(grid, 3, QStringLiteral("Outlet Cover (ft.)"), edtOuletCover);
  return group;
}

QWidget* TfrmStormSewerElement::BuildPipe() {
  auto* group = new QGroupBox(this);
  auto* grid = new QGridLayout(group);
  edtPipeLength = NumberBox(group, 9, 2);
  edtPipeSlope = DisplayBox(group, 6, 4);
  btnEnterSlope = new QPushButton(QStringLiteral("Enter &Slope"), group);
  btnEnterSlope->setAutoDefault(false);
  edtMinDiameter = NumberBox(group, 5, 2);
  edtDeltaTime = NumberBox(group, 6, 2);
  edtMannings = NumberBox(group, 6, 4);
  AddRow(grid, 0, QStringLiteral("Pipe Length (ft.)"), edtPipeLength);
  AddRow(grid, 1, QStringLiteral("Pipe Slope (ft./ft.)"), edtPipeSlope);
  grid->addWidget(btnEnterSlope, 2, 1);
  AddRow(grid, 3, QStringLiteral("Pipe Diameter (in.) (see User Manual)"), edtMinDiameter);
  AddRow(grid, 4, QStringLiteral("Delta Time (min)"), edtDeltaTime);
  AddRow(grid, 5, QStringLiteral("Mannings 'n'  (override)"), edtMannings);
  return group;
}

void TfrmStormSewerElement::Connect() {
  for (TBaseEdit* box : {edtInletInvert, edtOutletInvert, edtPipeLength})
    connect(box, &TBaseEdit::OnExitField, this, &TfrmStormSewerElement::RefreshSlope);
  for (int i = 0; i < 4; ++i) {
    connect(FAreas[i], &TBaseEdit::OnExitField, this, &TfrmStormSewerElement::RefreshSums);
    connect(FCoeffs[i], &TBaseEdit::OnExitField, this, &TfrmStormSewerElement::RefreshSums);
  }
  connect(cbStructureCategory, &QComboBox::currentIndexChanged, this, &TfrmStormSewerElement::FillTypeList);
  connect(btnEnterSlope, &QPushButton::clicked, this, &TfrmStormSewerElement::EnterSlopeClicked);
}

void TfrmStormSewerElement::Initialize() { DisplayOnCreate = true; }

bool TfrmStormSewerElement::Prepare() {
  lblInletInvert->setText(FromCore(FModel.InletElevationLabel()));
  lblOutletInvert->setText(FromCore(FModel.OutletElevationLabel()));
  setWindowTitle(FromCore(TStormSewerEntryModel::Caption(FElement.ElementId)));
  return true;
}

void TfrmStormSewerElement::FillLists() {
  const QSignalBlocker quiet(cbStructureCategory);
  // Side and category are optional: the empty first entry takes a choice back.
  cbSide->FillFromCodes(FModel.Sides(), true);
  cbStructureCategory->FillFromCodes(FModel.Categories(), true);
  cbStructureCategory->SelectListIndex(-1);
  cbSide->SelectListIndex(-1);
  FillTypeList();
}

void TfrmStormSewerElement::FillTypeList() {
  cbStructureType->clear();
  for (const std::string& type : FModel.TypesOfCategory(cbStructureCategory->SelectedCode(std::string())))
    cbStructureType->addItem(FromCore(type));
  // Filling selects the first type; the box starts empty instead.
  cbStructureType->setCurrentIndex(-1);
}

void TfrmStormSewerElement::Display() {
  const TStormSewerEntryValues v = FModel.Load(FElement);
  // The junction boxes hold capitals, whatever the file had.
  ShowText(edtJunctionBegin, AsciiUpper(FromCore(v.BeginJunction)));
  ShowText(edtJunctionEnd, AsciiUpper(FromCore(v.EndJunction)));
  ShowText(edtStationBegin, v.BeginStation);
  ShowText(edtStationEnd, v.EndStation);
  cbSide->SelectListIndex(FModel.Sides().IndexOfCode(v.SideCode));
  {
    const QSignalBlocker quiet(cbStructureCategory);
    cbStructureCategory->SelectListIndex(FModel.Categories().IndexOfCode(v.StructureCode));
  }
  FillTypeList();
  cbStructureType->setEditText(FromCore(v.InletType));
  for (int i = 0; i < 4; ++i) {
    FAreas[i]->SetFloatValue(v.RunoffArea[i]);
    FCoeffs[i]->SetFloatValue(v.RunoffCoeff[i]);
  }
  edtDeltaTime->SetFloatValue(v.Time);
  edtMinDiameter->SetFloatValue(v.MinDiameter);
  edtMannings->SetFloatValue(v.CoeffN);
  edtPipeLength->SetFloatValue(v.Length);
  edtInletInvert->SetFloatValue(v.InletElevation);
  edtOutletInvert->SetFloatValue(v.OutletElevation);
  RefreshSlope();
  edtInletCover->SetFloatValue(v.InletCover);
  edtOuletCover->SetFloatValue(v.OutletCover);
  RefreshSums();
  edtJunctionBegin->setFocus();
}

TStormSewerEntryValues TfrmStormSewerElement::Values() const {
  TStormSewerEntryValues v;
  v.BeginJunction = ToCore(edtJunctionBegin->text());
  v.EndJunction = ToCore(edtJunctionEnd->text());
  v.BeginStation = ToCore(edtStationBegin->text());
  v.EndStation = ToCore(edtStationEnd->text());
  v.SideCode = cbSide->SelectedCode(std::string());
  v.StructureCode = cbStructureCategory->SelectedCode(std::string());
  v.InletType = ToCore(cbStructureType->currentText());
  for (int i = 0; i < 4; ++i) {
    v.RunoffArea[i] = FAreas[i]->FloatValue();
    v.RunoffCoeff[i] = FCoeffs[i]->FloatValue();
  }
  v.InletElevation = edtInletInvert->FloatValue();
  v.OutletElevation = edtOutletInvert->FloatValue();
  v.InletCover = edtInletCover->FloatValue();
  v.OutletCover = edtOuletCover->FloatValue();
  v.Length = edtPipeLength->FloatValue();
  v.MinDiameter = edtMinDiameter->FloatValue();
  v.Time = edtDeltaTime->FloatValue();
  v.CoeffN = edtMannings->FloatValue();
  return v;
}

void TfrmStormSewerElement::RefreshSlope() { edtPipeSlope->SetFloatValue(TStormSewerEntryModel::PipeSlope(Values())); }

void TfrmStormSewerElement::RefreshSums() {
  const TStormSewerSums sums = TStormSewerEntryModel::Sums(Values());
  edtSumArea->SetFloatValue(sums.TotalArea);
  edtSumCA->SetFloatValue(sums.SumCA);
  edtWeigthedCoeff->SetFloatValue(sums.WeightedCoeff);
}

void TfrmStormSewerElement::EnterSlopeClicked() {
  double slope = edtPipeSlope->FloatValue();
  if (!AskSlope || !AskSlope(slope, this)) return;
  TStormSewerEntryValues v = Values();
  TStormSewerEntryModel::ApplySlope(v, slope);
  edtOutletInvert->SetFloatValue(v.OutletElevation);
  RefreshSlope();
}

bool TfrmStormSewerElement::Validate() {
  RefreshSlope();
  const std::string message = FModel.Check(Values());
  if (message.empty()) return true;
  ShowError(this, message);
  return false;
}

bool TfrmStormSewerElement::Apply() {
  if (!Validate()) return false;
  FModel.Store(Values(), FElement);
  return true;
}
