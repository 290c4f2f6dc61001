#include "app/culvertdesign/CulvertDesignEntryDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>

#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/framework/CoreText.h"
#include "app/framework/InletDialogs.h"
#include "app/framework/MessageBoxes.h"
#include "app/framework/SlopeDialog.h"
#include "appmodel/CoefficientRows.h"
#include "appmodel/SlopeEntry.h"
#include "foundation/Messages.h"

namespace {

// Numbers show fixed with their decimals ("100.00", Manning's n "0.0120"),
// as in the other kinds' entry dialogs.
TBaseEdit* NewNumberEdit(QWidget* parent, const char* name, int digits) {
  auto* edit = new TBaseEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->SetDataType(edtFixed);
  edit->SetPrecision(9);
  edit->SetDigits(digits);
  return edit;
}

void AddRow(QGridLayout* grid, int row, const QString& label, QWidget* field, const QString& note = QString()) {
  auto* caption = new QLabel(label, field->parentWidget());
  caption->setBuddy(field);
  grid->addWidget(caption, row, 0);
  grid->addWidget(field, row, 1);
  if (!note.isEmpty()) grid->addWidget(new QLabel(note, field->parentWidget()), row, 2);
}

QTableWidget* NewGrid(QWidget* parent, const char* name, const QStringList& headings, int rows) {
  auto* grid = new QTableWidget(rows, static_cast<int>(headings.size()), parent);
  grid->setObjectName(QString::fromLatin1(name));
  grid->setHorizontalHeaderLabels(headings);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setContextMenuPolicy(Qt::CustomContextMenu);
  grid->verticalHeader()->setVisible(false);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setWordWrap(false);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 8);
  // Every row shows without scrolling.
  grid->setMinimumHeight(grid->horizontalHeader()->sizeHint().height() +
                         (rows + 1) * grid->verticalHeader()->defaultSectionSize() + 2 * grid->frameWidth());
  return grid;
}

}  // namespace

TfrmCulvertDesignElementEntry::TfrmCulvertDesignElementEntry(TCulvertDesignElement& element,
                                                             const TNerraParameterList& parameters, QWidget* owner)
    : TfrmBaseDlgForm(&element, owner), FParameters(parameters) {
  HelpContext = 201;
  auto* columns = new QHBoxLayout();
  auto* left = new QVBoxLayout();
  auto* right = new QVBoxLayout();
  left->addWidget(BuildElevations());
  left->addWidget(BuildDesign());
  left->addStretch(1);
  right->addWidget(BuildInletTypes(), 1);
  right->addWidget(BuildAllowableHeadwater());
  right->addWidget(BuildCoefficients());
  columns->addLayout(left);
  columns->addLayout(right, 1);
  ContentLayout()->addLayout(columns);
  BuildPopupMenus();
  resize(720, 560);
  Create();
}

QWidget* TfrmCulvertDesignElementEntry::BuildElevations() {
  auto* box = new QGroupBox(QStringLiteral("ELEVATIONS (ft.)"), this);
  auto* grid = new QGridLayout(box);
  edtInletInvert = NewNumberEdit(box, "edtInletInvert", 2);
  edtOutletInvert = NewNumberEdit(box, "edtOutletInvert", 2);
  edtPipeLength = NewNumberEdit(box, "edtPipeLength", 2);
  edtPipeSlope = NewNumberEdit(box, "edtPipeSlope", 4);
  edtPipeSlope->SetDataType(edtFixed);
  edtPipeSlope->setReadOnly(true);
  edtPipeSlope->setFocusPolicy(Qt::NoFocus);
  QFont bold = edtPipeSlope->font();
  bold.setBold(true);
  edtPipeSlope->setFont(bold);
  btnEnterSlope = new QPushButton(QStringLiteral("&Enter Slope"), box);
  btnEnterSlope->setObjectName(QStringLiteral("btnEnterSlope"));
  btnEnterSlope->setAutoDefault(false);
  edtTailwater = NewNumberEdit(box, "edtTailwater", 2);
  edtOverflow = NewNumberEdit(box, "edtOverflow", 2);
  cbBurialOption = new QCheckBox(QStringLiteral("Enable Inlet Control Design Equations"), box);
  cbBurialOption->setObjectName(QStringLiteral("cbBurialOption"));
  cbAutomaticBurialDepth = new QCheckBox(QStringLiteral("Set Burial Depth = 0 (see Manual)"), box);
  cbAutomaticBurialDepth->setObjectName(QStringLiteral("cbAutomaticBurialDepth"));
  AddRow(grid, 0, QStringLiteral("Inlet Invert  (ft.)"), edtInletInvert);
  AddRow(grid, 1, QStringLiteral("Outlet Invert (ft.)"), edtOutletInvert);
  AddRow(grid, 2, QStringLiteral("Pipe Length (ft.)"), edtPipeLength);
  AddRow(grid, 3, QStringLiteral("Slope (ft./ft.)"), edtPipeSlope);
  grid->addWidget(btnEnterSlope, 3, 2);
  AddRow(grid, 4, QStringLiteral("Tailwater  (ft.)"), edtTailwater);
  AddRow(grid, 5, QStringLiteral("Overflow (ft.)"), edtOverflow);
  grid->addWidget(cbBurialOption, 6, 0, 1, 3);
  grid->addWidget(cbAutomaticBurialDepth, 7, 0, 1, 3);
  // The slope follows the elevations and the length whenever one is left.
  for (TBaseEdit* edit : {edtInletInvert, edtOutletInvert, edtPipeLength})
    connect(edit, &TBaseEdit::OnExitField, this, [this] { RefreshSlope(); });
  connect(btnEnterSlope, &QPushButton::clicked, this, [this] { EnterSlopeClicked(); });
  connect(cbBurialOption, &QCheckBox::clicked, this, [this] { ApplyVisibility(); });
  connect(cbAutomaticBurialDepth, &QCheckBox::clicked, this, [this] { UpdateBuriedCoeffNVisibility(); });
  return box;
}

QWidget* TfrmCulvertDesignElementEntry::BuildDesign() {
  auto* box = new QGroupBox(QStringLiteral("CULVERT DESIGN"), this);
  auto* grid = new QGridLayout(box);
  edtDesignFlow = NewNumberEdit(box, "edtDesignFlow", 2);
  edtFloodFlow = NewNumberEdit(box, "edtFloodFlow", 2);
  AddRow(grid, 0, QStringLiteral("Design Discharge (cfs.)"), edtDesignFlow);
  AddRow(grid, 1, QStringLiteral("Flood Discharge (cfs.)"), edtFloodFlow);
  return box;
}

QWidget* TfrmCulvertDesignElementEntry::BuildInletTypes() {
  auto* box = new QGroupBox(QStringLiteral("INLET TYPES"), this);
  auto* layout = new QVBoxLayout(box);
  // Two pages without tabs: the burial option decides which one shows.
  pcInletTypes = new QStackedWidget(box);
  pcInletTypes->setObjectName(QStringLiteral("pcInletTypes"));
  tsInletTypes =
      NewGrid(pcInletTypes, "tsInletTypes", {QStringLiteral("Culvert Type"), QStringLiteral("Selected Inlet Type")}, 5);
  for (size_t r = 0; r < 5; ++r) {
    const QString caption = QString::fromLatin1(CulvertInletTypeRows()[r].CulvertType);
    tsInletTypes->setItem(static_cast<int>(r), 0, new QTableWidgetItem(caption));
  }
  tsOtherInletTypes = NewGrid(pcInletTypes, "tsOtherInletTypes", {QStringLiteral("Inlet Type")}, 3);
  for (size_t r = 0; r < 3; ++r) {
    const QString caption = QString::fromLatin1(HeadwallRowTexts()[r]);
    tsOtherInletTypes->setItem(static_cast<int>(r), 0, new QTableWidgetItem(caption));
  }
  tsInletTypes->resizeColumnToContents(0);
  pcInletTypes->addWidget(tsOtherInletTypes);
  pcInletTypes->addWidget(tsInletTypes);
  layout->addWidget(pcInletTypes);
  connect(tsInletTypes, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { ChangeInletType(row); });
  connect(tsOtherInletTypes, &QTableWidget::cellDoubleClicked, this, [this](int, int) { ShowCoefficientKE(); });
  return box;
}

QWidget* TfrmCulvertDesignElementEntry::BuildAllowableHeadwater() {
  auto* box = new QGroupBox(QStringLiteral("ALLOWABLE HEADWATER (ft.)"), this);
  auto* grid = new QGridLayout(box);
  edtAllowableTailwater = NewNumberEdit(box, "edtAllowableTailwater", 2);
  cbAllowableTWType = new TCodeListCombobox(box);
  cbAllowableTWType->setObjectName(QStringLiteral("cbAllowableTWType"));
  AddRow(grid, 0, QStringLiteral("AHW Elevation (ft.):"), edtAllowableTailwater);
  AddRow(grid, 1, QStringLiteral("or"), cbAllowableTWType);
  grid->addWidget(new QLabel(QStringLiteral("(Min. of both values will be used during calculation)"), box), 2, 0, 1, 2);
  return box;
}

QWidget* TfrmCulvertDesignElementEntry::BuildCoefficients() {
  auto* box = new QGroupBox(QStringLiteral("SPECIAL COEFFICIENTS"), this);
  auto* grid = new QGridLayout(box);
  edtCoeffN = NewNumberEdit(box, "edtCoeffN", 4);
  edtBuriedCoeffN = NewNumberEdit(box, "edtBuriedCoeffN", 4);
  edtCoeffKE = NewNumberEdit(box, "edtCoeffKE", 4);
  AddRow(grid, 0, QStringLiteral("Manning's N"), edtCoeffN, QStringLiteral("(Override)"));
  lblBuriedCoeffN = new QLabel(QStringLiteral("Buried Manning's N"), box);
  lblBuriedCoeffN->setObjectName(QStringLiteral("lblBuriedCoeffN"));
  lblBuriedCoeffN->setBuddy(edtBuriedCoeffN);
  grid->addWidget(lblBuriedCoeffN, 1, 0);
  grid->addWidget(edtBuriedCoeffN, 1, 1);
  AddRow(grid, 2, QStringLiteral("Entrance Loss (Ke)"), edtCoeffKE, QStringLiteral("(Override)"));
  grid->addWidget(new QLabel(QStringLiteral("Override :"), box), 3, 0);
  auto* note = new QLabel(QStringLiteral("When entered, they override the default values. (See Manual)"), box);
  note->setWordWrap(true);
  grid->addWidget(note, 3, 1, 1, 2);
  return box;
}

void TfrmCulvertDesignElementEntry::BuildPopupMenus() {
  actChangeInletType = new QAction(QStringLiteral("Change &Inlet Type"), this);
  actInletCoefficients = new QAction(QStringLiteral("Inlet &Coefficients"), this);
  actCoefficientKE = new QAction(QStringLiteral("Coefficient &KE Values"), this);
  connect(actChangeInletType, &QAction::triggered, this, [this] { ChangeInletType(tsInletTypes->currentRow()); });
  connect(actInletCoefficients, &QAction::triggered, this,
          [this] { ShowInletCoefficients(tsInletTypes->currentRow()); });
  connect(actCoefficientKE, &QAction::triggered, this, [this] { ShowCoefficientKE(); });
  auto* inletMenu = new QMenu(this);
  inletMenu->addAction(actChangeInletType);
  inletMenu->addAction(actInletCoefficients);
  auto* headwallMenu = new QMenu(this);
  headwallMenu->addAction(actCoefficientKE);
  connect(tsInletTypes, &QWidget::customContextMenuRequested, this,
          [this, inletMenu](const QPoint& at) { inletMenu->exec(tsInletTypes->viewport()->mapToGlobal(at)); });
  connect(tsOtherInletTypes, &QWidget::customContextMenuRequested, this, [this, headwallMenu](const QPoint& at) {
    headwallMenu->exec(tsOtherInletTypes->viewport()->mapToGlobal(at));
  });
}

// --- create sequence -------------------------------------------------------------

void TfrmCulvertDesignElementEntry::SetSubject(TBaseObject* subject) {
  FElement = dynamic_cast<TCulvertDesignElement*>(subject);
}

void TfrmCulvertDesignElementEntry::Initialize() { DisplayOnCreate = true; }

bool TfrmCulvertDesignElementEntry::Prepare() {
  QString caption = QStringLiteral("Culvert Design - Element Entry");
  if (FElement && FElement->ElementId > 0) caption += QStringLiteral(" #") + QString::number(FElement->ElementId);
  setWindowTitle(caption);
  FHWTypes = FParameters.CodesOfCategory(pcHWType);
  return FElement != nullptr;
}

void TfrmCulvertDesignElementEntry::FillLists() { cbAllowableTWType->FillFromCodes(*FHWTypes); }

void TfrmCulvertDesignElementEntry::AfterPrepare() { edtInletInvert->setFocus(); }

void TfrmCulvertDesignElementEntry::Display() {
  if (!FElement) return;
  TCulvertDesignEntryValues v;
  v.Load(*FElement);
  cbBurialOption->setChecked(v.BuriedOption);
  cbAutomaticBurialDepth->setChecked(v.DisableBuriedTable);
  ApplyVisibility();
  cbAutomaticBurialDepth->setChecked(v.DisableBuriedTable);
  UpdateBuriedCoeffNVisibility();
  edtInletInvert->SetFloatValue(v.InletElevation);
  edtOutletInvert->SetFloatValue(v.OutletElevation);
  edtPipeLength->SetFloatValue(v.CulvertLength);
  edtTailwater->SetFloatValue(v.TailwaterElevation);
  edtOverflow->SetFloatValue(v.OverflowElevation);
  RefreshSlope();
  tsOtherInletTypes->selectRow(v.DefaultInletType - 1);
  RedrawInletTypes();
  edtDesignFlow->SetFloatValue(v.DesignDischarge);
  edtFloodFlow->SetFloatValue(v.FloodDischarge);
  edtAllowableTailwater->SetFloatValue(v.AllowableHeadwaterElevation);
  // An unknown code selects the first entry.
  cbAllowableTWType->SelectCode(v.AllowableHeadwaterType);
  edtCoeffN->SetFloatValue(v.CoeffN);
  edtBuriedCoeffN->SetFloatValue(v.BuriedCoeffN);
  edtCoeffKE->SetFloatValue(v.CoeffKE);
}

// --- values, checks and storing ----------------------------------------------------

TCulvertDesignEntryValues TfrmCulvertDesignElementEntry::EnteredValues() const {
  TCulvertDesignEntryValues v;
  v.InletElevation = edtInletInvert->FloatValue();
  v.OutletElevation = edtOutletInvert->FloatValue();
  v.CulvertLength = edtPipeLength->FloatValue();
  v.TailwaterElevation = edtTailwater->FloatValue();
  v.OverflowElevation = edtOverflow->FloatValue();
  v.BuriedOption = cbBurialOption->isChecked();
  v.DisableBuriedTable = cbAutomaticBurialDepth->isChecked();
  v.DesignDischarge = edtDesignFlow->FloatValue();
  v.FloodDischarge = edtFloodFlow->FloatValue();
  v.DefaultInletType = SelectedHeadwallRow();
  v.AllowableHeadwaterElevation = edtAllowableTailwater->FloatValue();
  v.AllowableHeadwaterType = cbAllowableTWType->SelectedCode(std::string());
  v.CoeffN = edtCoeffN->FloatValue();
  v.BuriedCoeffN = edtBuriedCoeffN->FloatValue();
  v.CoeffKE = edtCoeffKE->FloatValue();
  return v;
}

bool TfrmCulvertDesignElementEntry::Validate() {
  const TCulvertDesignEntryValues v = EnteredValues();
  const bool buriedNShown = CulvertDesignVisibility(v.BuriedOption, v.DisableBuriedTable).BuriedCoeffNVisible;
  const std::string message = v.Check(buriedNShown);
  if (message.empty()) return true;
  ShowError(this, message);
  return false;
}

bool TfrmCulvertDesignElementEntry::Apply() {
  if (!FElement || !Validate()) return false;
  EnteredValues().Store(*FElement);
  return true;
}

// --- slope and visibility -------------------------------------------------------

void TfrmCulvertDesignElementEntry::RefreshSlope() {
  edtPipeSlope->SetFloatValue(
      EntrySlope(edtInletInvert->FloatValue(), edtOutletInvert->FloatValue(), edtPipeLength->FloatValue()));
}

void TfrmCulvertDesignElementEntry::EnterSlopeClicked() {
  double slope = edtPipeSlope->FloatValue();
  if (!EnterSlope(slope, this)) return;
  const double inlet = edtInletInvert->FloatValue();
  edtOutletInvert->SetFloatValue(
      OutletForSlope(inlet, edtPipeLength->FloatValue(), slope, edtOutletInvert->FloatValue()));
  RefreshSlope();
}

void TfrmCulvertDesignElementEntry::ApplyVisibility() {
  const auto visibility = CulvertDesignVisibility(cbBurialOption->isChecked(), false);
  cbAutomaticBurialDepth->setChecked(false);
  cbAutomaticBurialDepth->setVisible(visibility.AutomaticBurialDepthVisible);
  pcInletTypes->setCurrentWidget(visibility.CulvertTypeGridShown ? tsInletTypes : tsOtherInletTypes);
  UpdateBuriedCoeffNVisibility();
}

void TfrmCulvertDesignElementEntry::UpdateBuriedCoeffNVisibility() {
  const bool visible =
      CulvertDesignVisibility(cbBurialOption->isChecked(), cbAutomaticBurialDepth->isChecked()).BuriedCoeffNVisible;
  edtBuriedCoeffN->setVisible(visible);
  lblBuriedCoeffN->setVisible(visible);
}

// --- inlet types -------------------------------------------------------------------

void TfrmCulvertDesignElementEntry::RedrawInletTypes() {
  for (int r = 0; r < 5; ++r) {
    auto* item = new QTableWidgetItem(FromCore(SelectedInletTypeText(*FElement, r, FParameters)));
    item->setToolTip(item->text());
    tsInletTypes->setItem(r, 1, item);
  }
}

int TfrmCulvertDesignElementEntry::SelectedHeadwallRow() const {
  const QList<QTableWidgetSelectionRange> ranges = tsOtherInletTypes->selectedRanges();
  return ranges.isEmpty() ? 0 : ranges.first().topRow() + 1;
}

void TfrmCulvertDesignElementEntry::ChangeInletType(int row) {
  if (!FElement || row < 0 || row >= 5) return;
  const TCulvertInletTypeRow& entry = CulvertInletTypeRows()[static_cast<size_t>(row)];
  const std::unique_ptr<TNerraBaseList> codes = FParameters.CodesOfCategory(entry.Category);
  int index = codes->IndexOfCode(FElement->*entry.Code);
  const auto* set = codes->ItemAs<TNerraBaseCode>(index);
  if (!set) return;
  TfrmChangeInletParameters dialog(*set, index, FParameters, this);
  if (dialog.exec() == QDialog::Accepted) index = dialog.SelectedIndex();
  // The change stays on the element, whatever becomes of this dialog.
  if (const auto* chosen = codes->ItemAs<TNerraBaseCode>(index)) FElement->*entry.Code = chosen->Code;
  RedrawInletTypes();
}

void TfrmCulvertDesignElementEntry::ShowInletCoefficients(int row) {
  if (!FElement || row < 0 || row >= 5) return;
  if (!InletCoefficientsAvailable(row + 1)) {
    // The message catalogue has no warning kind; an information box says the same.
    ShowMessageBox(TMessageKind::Warning, NoInletCoefficientsMessage);
    return;
  }
  const TCulvertInletTypeRow& entry = CulvertInletTypeRows()[static_cast<size_t>(row)];
  const TNerraInletTypeCode* set = FParameters.FindInletType(entry.Category, FElement->*entry.Code);
  if (!set) return;
  NewInletCoefficientsDialog(*set, this)->exec();
}

void TfrmCulvertDesignElementEntry::ShowCoefficientKE() { NewCoefficientKEDialog(SelectedHeadwallRow(), this)->exec(); }
