// The main window's data-entry panel: the project information, the five
// kind pages with their element grids, and the copies between the controls
// and the open project.
#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/framework/CoreText.h"
#include "app/main/ElementGridModel.h"
#include "app/main/MainPage.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "ditch/DitchAnalysis.h"
#include "foundation/DisplayFormat.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"
#include "stormsewer/StormSewer.h"

namespace {

TBaseEdit* MakeEdit(QWidget* parent, const char* name, TEditDataType type) {
  auto* edit = new TBaseEdit(type, parent);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}

TBaseEdit* MakeText(QWidget* parent, const char* name, int maxLength) {
  TBaseEdit* edit = MakeEdit(parent, name, edtFree);
  edit->SetMaxLength(maxLength);
  edit->setProperty("limit", maxLength);
  return edit;
}

TBaseEdit* MakeNumber(QWidget* parent, const char* name) {
  TBaseEdit* edit = MakeEdit(parent, name, edtFloat);
  edit->SetPrecision(9);
  return edit;
}

TBaseEdit* MakeFixed(QWidget* parent, const char* name, int digits) {
  TBaseEdit* edit = MakeEdit(parent, name, edtFixed);
  edit->SetPrecision(9);
  edit->SetDigits(digits);
  return edit;
}

TCodeListCombobox* MakeCombo(QWidget* parent, const char* name) {
  auto* combo = new TCodeListCombobox(parent);
  combo->setObjectName(QString::fromLatin1(name));
  return combo;
}

QLabel* MakeTitle(QWidget* parent, const QString& text) {
  auto* title = new QLabel(text, parent);
  QFont font = title->font();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.3);
  title->setFont(font);
  return title;
}

// A text read from a file may be longer than the box lets the user type;
// it is shown whole so that collecting the controls does not cut it.
void ShowText(TBaseEdit* edit, const std::string& text) {
  const int limit = edit->property("limit").toInt();
  const QString shown = FromCore(text);
  edit->SetMaxLength(std::max(limit, static_cast<int>(shown.size())));
  edit->SetTextValue(shown);
}

std::string TextOf(const TBaseEdit* edit) { return ToCore(edit->TextValue()); }

constexpr std::array<TLiningType, 7> ShearLinings = {ltSeed,      ltJuteMat,   ltTempMat, ltTurfType1,
                                                     ltTurfType2, ltTurfType3, ltRCPTypeB};

}  // namespace

void TfrmMainPage::Bind(int page, QWidget* control, std::function<void()> collect) {
  control->installEventFilter(this);
  if (page < 0)
    FIdentificationBindings.push_back({control, std::move(collect)});
  else
    FPageBindings[static_cast<size_t>(page)].push_back({control, std::move(collect)});
}

void TfrmMainPage::CreateDataEntryPanel() {
  pnlDataEntry = new QWidget(this);
  pnlDataEntry->setObjectName(QStringLiteral("pnlDataEntry"));
  pnlDataEntry->setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(pnlDataEntry);
  layout->setContentsMargins(0, 0, 0, 0);
  // The settings (project information and the kind's page) above, the
  // element grid below, with a splitter between them the user can move.
  auto* settings = new QWidget();
  auto* settingsLayout = new QVBoxLayout(settings);
  settingsLayout->setContentsMargins(0, 0, 0, 0);
  settingsLayout->addWidget(CreateIdentificationPanel());
  pcNerra = new QStackedWidget(settings);
  pcNerra->setObjectName(QStringLiteral("pcNerra"));
  pcNerra->addWidget(CreateCulvertDesignPage());
  pcNerra->addWidget(CreateCulvertAnalysisPage());
  pcNerra->addWidget(CreateStormSewerPage());
  pcNerra->addWidget(CreateInletSpacingPage());
  pcNerra->addWidget(CreateDitchAnalysisPage());
  settingsLayout->addWidget(pcNerra, 1);
  pcGrids = new QStackedWidget();
  pcGrids->setObjectName(QStringLiteral("pcGrids"));
  for (QWidget* box : FGridBoxes) pcGrids->addWidget(box);
  connect(pcNerra, &QStackedWidget::currentChanged, pcGrids, &QStackedWidget::setCurrentIndex);
  // Only the shown page's settings take room; the others would make every
  // kind as tall as the tallest.
  connect(pcNerra, &QStackedWidget::currentChanged, this, [this](int shown) {
    for (int i = 0; i < pcNerra->count(); ++i)
      pcNerra->widget(i)->setSizePolicy(QSizePolicy::Preferred,
                                        i == shown ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    pcNerra->adjustSize();
  });
  splDataEntry = new QSplitter(Qt::Vertical, pnlDataEntry);
  splDataEntry->setObjectName(QStringLiteral("splDataEntry"));
  splDataEntry->addWidget(settings);
  splDataEntry->addWidget(pcGrids);
  splDataEntry->setChildrenCollapsible(false);
  splDataEntry->setStretchFactor(0, 0);
  splDataEntry->setStretchFactor(1, 1);
  layout->addWidget(splDataEntry, 1);
}

QWidget* TfrmMainPage::CreateIdentificationPanel() {
  auto* box = new QGroupBox(QStringLiteral("PROJECT INFORMATION"), pnlDataEntry);
  auto* grid = new QGridLayout(box);
  edtJobNumber = MakeText(box, "edtJobNumber", 10);
  edtProjectDate = MakeEdit(box, "edtProjectDate", edtDate);
  edtProjectDate->SetMask(QStringLiteral("MM/DD/YYYY"));
  edtProject = MakeText(box, "edtProject", 25);
  edtDescription = MakeText(box, "edtDescription", 80);
  edtLocation = MakeText(box, "edtLocation", 50);
  edtAuthor = MakeText(box, "edtAuthor", 20);
  const std::pair<const char*, TBaseEdit*> rows[] = {{"PID", edtJobNumber},     {"Date", edtProjectDate},
                                                     {"Project", edtProject},   {"Description", edtDescription},
                                                     {"Location", edtLocation}, {"Designer", edtAuthor}};
  int row = 0;
  for (const auto& [label, edit] : rows) {
    grid->addWidget(new QLabel(QString::fromLatin1(label), box), row / 2, (row % 2) * 2);
    grid->addWidget(edit, row / 2, (row % 2) * 2 + 1);
    ++row;
  }
  auto identification = [this]() -> TProjectIdentification* {
    TNerraBaseProject* p = FDocument->CurrentProject();
    return p ? &p->Identification : nullptr;
  };
  Bind(-1, edtJobNumber, [=, this] {
    if (auto* i = identification()) i->PID = TextOf(edtJobNumber);
  });
  Bind(-1, edtProjectDate, [=, this] {
    if (auto* i = identification()) i->ProjectDate = edtProjectDate->DateValue();
  });
  Bind(-1, edtProject, [=, this] {
    if (auto* i = identification()) i->Project = TextOf(edtProject);
  });
  Bind(-1, edtDescription, [=, this] {
    if (auto* i = identification()) i->Description = TextOf(edtDescription);
  });
  Bind(-1, edtLocation, [=, this] {
    if (auto* i = identification()) i->Location = TextOf(edtLocation);
  });
  Bind(-1, edtAuthor, [=, this] {
    if (auto* i = identification()) i->Designer = TextOf(edtAuthor);
  });
  return box;
}

QWidget* TfrmMainPage::CreateGridBox(int page, const char* name) {
  auto* box = new QGroupBox(QStringLiteral("ELEMENTS"));
  auto* layout = new QVBoxLayout(box);
  auto* view = new QTableView(box);
  view->setObjectName(QString::fromLatin1(name));
  auto* model = new TElementGridModel(static_cast<TElementGridKind>(page), view);
  view->setModel(model);
  view->setItemDelegate(new TMarkerDelegate(view));
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  connect(view, &QTableView::doubleClicked, this, [this] { ModifyElementCommand(); });
  layout->addWidget(view);
  // Enter on a row modifies it, Delete removes it.
  view->installEventFilter(this);
  // At least about eight rows stay in view.
  view->setMinimumHeight(view->horizontalHeader()->sizeHint().height() +
                         8 * view->verticalHeader()->defaultSectionSize() + 2 * view->frameWidth());
  Grids[static_cast<size_t>(page)] = view;
  FGridModels[static_cast<size_t>(page)] = model;
  FGridBoxes[static_cast<size_t>(page)] = box;
  return box;
}

QWidget* TfrmMainPage::CreateCulvertDesignPage() {
  auto* page = new QWidget();
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(MakeTitle(page, QStringLiteral("CULVERT DESIGN")));
  auto* form = new QFormLayout();
  cbUCDesignFrequency = MakeCombo(page, "cbUCDesignFrequency");
  cbUCFloodFrequency = MakeCombo(page, "cbUCFloodFrequency");
  cbUCPipeType = MakeCombo(page, "cbUCPipeType");
  cbUCImprovedInlet = new QCheckBox(QStringLiteral("Improved Inlet Calculation"), page);
  cbUCImprovedInlet->setObjectName(QStringLiteral("cbUCImprovedInlet"));
  form->addRow(QStringLiteral("Design Frequency (yrs.)"), cbUCDesignFrequency);
  form->addRow(QStringLiteral("Flood Frequency (yrs.)"), cbUCFloodFrequency);
  form->addRow(QStringLiteral("Pipe Type"), cbUCPipeType);
  form->addRow(QString(), cbUCImprovedInlet);
  layout->addLayout(form);
  // The grid sits below the splitter, in pcGrids.
  CreateGridBox(mpCulvertDesign, "tsCulvertDesignElementList");
  layout->addStretch(1);
  auto design = [this] { return FDocument->CulvertDesign(); };
  Bind(mpCulvertDesign, cbUCDesignFrequency, [=, this] {
    if (auto* p = design()) p->DischargeFrequency = cbUCDesignFrequency->SelectedCode("");
  });
  Bind(mpCulvertDesign, cbUCFloodFrequency, [=, this] {
    if (auto* p = design()) p->FloodFrequency = cbUCFloodFrequency->SelectedCode("");
  });
  // Nothing selected stores "0", which tries every culvert type.
  Bind(mpCulvertDesign, cbUCPipeType, [=, this] {
    if (auto* p = design()) p->PipeType = cbUCPipeType->SelectedCode("0");
  });
  Bind(mpCulvertDesign, cbUCImprovedInlet, [=, this] {
    if (auto* p = design()) p->ImprovedInlet = cbUCImprovedInlet->isChecked();
  });
  return page;
}

QWidget* TfrmMainPage::CreateCulvertAnalysisPage() {
  auto* page = new QWidget();
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(MakeTitle(page, QStringLiteral("CULVERT ANALYSIS")));
  rgAnalysisSelection = new QGroupBox(QStringLiteral(" Analysis Options "), page);
  rgAnalysisSelection->setObjectName(QStringLiteral("rgAnalysisSelection"));
  auto* options = new QHBoxLayout(rgAnalysisSelection);
  const char* captions[] = {"Discharge Performance Curve", "Buried Depth Curve", "Culvert System"};
  for (size_t i = 0; i < rbAnalysisOptions.size(); ++i) {
    rbAnalysisOptions[i] = new QRadioButton(QString::fromLatin1(captions[i]), rgAnalysisSelection);
    options->addWidget(rbAnalysisOptions[i]);
  }
  rbAnalysisOptions[0]->setChecked(true);
  layout->addWidget(rgAnalysisSelection);
  // The grid sits below the splitter, in pcGrids.
  CreateGridBox(mpCulvertAnalysis, "tsCulvertAnalysisElementList");
  layout->addStretch(1);
  Bind(mpCulvertAnalysis, rgAnalysisSelection, [this] {
    TCulvertAnalysis* p = FDocument->CulvertAnalysis();
    if (!p) return;
    for (size_t i = 0; i < rbAnalysisOptions.size(); ++i)
      if (rbAnalysisOptions[i]->isChecked()) p->SetAnalysisOption(static_cast<int>(i));
  });
  return page;
}

QWidget* TfrmMainPage::CreateStormSewerPage() {
  auto* page = new QWidget();
  auto* layout = new QVBoxLayout(page);
  lblSSTitle = MakeTitle(page, QStringLiteral("STORM SEWER SYSTEM DESIGN"));
  lblSSTitle->setObjectName(QStringLiteral("lblSSTitle"));
  layout->addWidget(lblSSTitle);
  auto* row = new QHBoxLayout();
  auto* form = new QFormLayout();
  cbSSRainfallAreaCode = MakeCombo(page, "cbSSRainfallAreaCode");
  cbSSFullCapacityFrequency = MakeCombo(page, "cbSSFullCapacityFrequency");
  cbSSHydraulicGradeFrequency = MakeCombo(page, "cbSSHydraulicGradeFrequency");
  edtSSMinimumDiameter = MakeNumber(page, "edtSSMinimumDiameter");
  edtSSTailwaterElevation = MakeNumber(page, "edtSSTailwaterElevation");
  form->addRow(QStringLiteral("Rainfall Area Code"), cbSSRainfallAreaCode);
  form->addRow(QStringLiteral("Just Full Capacity Frequency "), cbSSFullCapacityFrequency);
  form->addRow(QStringLiteral("Hydraulic Grade Frequency"), cbSSHydraulicGradeFrequency);
  form->addRow(QStringLiteral("Min. Diameter (in.)"), edtSSMinimumDiameter);
  form->addRow(QStringLiteral("Tailwater Elevation (ft.)"), edtSSTailwaterElevation);
  row->addLayout(form);
  auto* mannings = new QGroupBox(QStringLiteral(" Mannings "), page);
  auto* manningsForm = new QFormLayout(mannings);
  edtManningDefault = MakeFixed(mannings, "edtManningDefault", 3);
  edtManningDefault->SetFloatValue(0.015);
  edtManningDefault->SetDisabledColor(InactiveCaptionColor());
  edtManningDefault->SetEditEnabled(false);
  manningsForm->addRow(QStringLiteral("Default Value (*)"), edtManningDefault);
  manningsForm->addRow(new QLabel(
      FromCore("(*) " + FormatFixed(0.013, 3) + " for Pipe Diameter > " + FormatFixed(60, 0) + " in."), mannings));
  row->addWidget(mannings);
  layout->addLayout(row);
  // The grid sits below the splitter, in pcGrids.
  CreateGridBox(mpStormSewer, "tsStormSewerElementList");
  layout->addStretch(1);
  auto parameters = [this]() -> TStormSewerGeneralParameters* {
    TStormSewer* p = FDocument->StormSewer();
    return p ? &p->GeneralParameters : nullptr;
  };
  Bind(mpStormSewer, cbSSRainfallAreaCode, [=, this] {
    if (auto* g = parameters()) g->RainfallAreaCode = cbSSRainfallAreaCode->SelectedCode("");
  });
  Bind(mpStormSewer, cbSSFullCapacityFrequency, [=, this] {
    if (auto* g = parameters()) g->FullCapacityFrequency = cbSSFullCapacityFrequency->SelectedCode("");
  });
  Bind(mpStormSewer, cbSSHydraulicGradeFrequency, [=, this] {
    if (auto* g = parameters()) g->HydraulicGradeFrequency = cbSSHydraulicGradeFrequency->SelectedCode("");
  });
  Bind(mpStormSewer, edtSSMinimumDiameter, [=, this] {
    if (auto* g = parameters()) g->MinimumDiameter = edtSSMinimumDiameter->FloatValue();
  });
  Bind(mpStormSewer, edtSSTailwaterElevation, [=, this] {
    if (auto* g = parameters()) g->TailwaterElevation = edtSSTailwaterElevation->FloatValue();
  });
  return page;
}

QWidget* TfrmMainPage::CreateInletSpacingPage() {
  auto* page = new QWidget();
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(MakeTitle(page, QStringLiteral("INLET SPACING DESIGN")));
  auto* form = new QFormLayout();
  cbISWaterShedArea = MakeCombo(page, "cbISWaterShedArea");
  cbISStormFrequency = MakeCombo(page, "cbISStormFrequency");
  edtISMaximumSpread = MakeNumber(page, "edtISMaximumSpread");
  edtISAllowableDepth = MakeNumber(page, "edtISAllowableDepth");
  form->addRow(QStringLiteral("Rainfall Area"), cbISWaterShedArea);
  form->addRow(QStringLiteral("Storm Frequency  (yr.)"), cbISStormFrequency);
  form->addRow(QStringLiteral("Total Allow. Spread (ft.)"), edtISMaximumSpread);
  form->addRow(QStringLiteral("Allowable Depth (ft.)"), edtISAllowableDepth);
  layout->addLayout(form);
  // The grid sits below the splitter, in pcGrids.
  CreateGridBox(mpInletSpacing, "tsInletSpacingElementList");
  layout->addStretch(1);
  auto parameters = [this]() -> TInletSpacingGeneralParameters* {
    TInletSpacing* p = FDocument->InletSpacing();
    return p ? &p->GeneralParameters : nullptr;
  };
  Bind(mpInletSpacing, cbISWaterShedArea, [=, this] {
    if (auto* g = parameters()) g->WaterShedAreaCode = cbISWaterShedArea->SelectedCode("");
  });
  Bind(mpInletSpacing, cbISStormFrequency, [=, this] {
    if (auto* g = parameters()) g->StormFrequency = cbISStormFrequency->SelectedCode("");
  });
  Bind(mpInletSpacing, edtISMaximumSpread, [=, this] {
    if (auto* g = parameters()) g->MaxSpread = edtISMaximumSpread->FloatValue();
  });
  Bind(mpInletSpacing, edtISAllowableDepth, [=, this] {
    if (auto* g = parameters()) g->AllowableDepth = edtISAllowableDepth->FloatValue();
  });
  return page;
}

QWidget* TfrmMainPage::CreateDitchAnalysisPage() {
  auto* page = new QWidget();
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(MakeTitle(page, QStringLiteral("DITCH ANALYSIS")));
  auto* row = new QHBoxLayout();
  auto* form = new QFormLayout();
  cbDAWaterShedArea = MakeCombo(page, "cbDAWaterShedArea");
  edtDABeginTime = MakeNumber(page, "edtDABeginTime");
  cbDADepthFrequency = MakeCombo(page, "cbDADepthFrequency");
  cbDAVelocityFrequency = MakeCombo(page, "cbDAVelocityFrequency");
  form->addRow(QStringLiteral("Rainfall Area"), cbDAWaterShedArea);
  form->addRow(QStringLiteral("Time to 1st Section (min.)"), edtDABeginTime);
  form->addRow(QStringLiteral(" Depth Storm Frequency  (yrs)"), cbDADepthFrequency);
  form->addRow(QStringLiteral("Shear Stress Storm Frequency  (yrs)"), cbDAVelocityFrequency);
  row->addLayout(form);
  auto* shear = new QGroupBox(QStringLiteral("ALLOWABLE SHEAR (flexible linings) (psf.)"), page);
  auto* shearForm = new QFormLayout(shear);
  shearForm->addRow(new QLabel(QStringLiteral("Protection Type"), shear));
  const char* names[] = {"edtDASeedShear",    "edtDAJuteMatShear", "edtDATempMatShear", "edtDATurfMatType1",
                         "edtDATurfMatType2", "edtDATurfMatType3", "edtDARCPShearB"};
  const char* labels[] = {"Seed",
                          "Jute Mat",
                          "Temporary Mat",
                          "Permanent Mat Type 1",
                          "Type 2",
                          "Type 3",
                          "Rock Channel Protection Type B"};
  for (size_t i = 0; i < edtDAShear.size(); ++i) {
    edtDAShear[i] = MakeFixed(shear, names[i], 2);
    shearForm->addRow(QString::fromLatin1(labels[i]), edtDAShear[i]);
    Bind(mpDitchAnalysis, edtDAShear[i], [this, i] {
      if (TDitchAnalysis* p = FDocument->DitchAnalysis())
        p->GeneralParameters.SetAllowableShear(ShearLinings[i], edtDAShear[i]->FloatValue());
    });
  }
  row->addWidget(shear);
  layout->addLayout(row);
  // The grid sits below the splitter, in pcGrids.
  CreateGridBox(mpDitchAnalysis, "tsDitchAnalysisElementList");
  layout->addStretch(1);
  auto parameters = [this]() -> TDitchAnalysisGeneralParameters* {
    TDitchAnalysis* p = FDocument->DitchAnalysis();
    return p ? &p->GeneralParameters : nullptr;
  };
  Bind(mpDitchAnalysis, cbDAWaterShedArea, [=, this] {
    if (auto* g = parameters()) g->WaterShedAreaCode = cbDAWaterShedArea->SelectedCode("");
  });
  Bind(mpDitchAnalysis, edtDABeginTime, [=, this] {
    if (auto* g = parameters()) g->Time = edtDABeginTime->FloatValue();
  });
  Bind(mpDitchAnalysis, cbDADepthFrequency, [=, this] {
    if (auto* g = parameters()) g->DepthStormFrequency = cbDADepthFrequency->SelectedCode("");
  });
  Bind(mpDitchAnalysis, cbDAVelocityFrequency, [=, this] {
    if (auto* g = parameters()) g->VelocityStormFrequency = cbDAVelocityFrequency->SelectedCode("");
  });
  return page;
}

void TfrmMainPage::FillCodeLists() {
  auto fill = [this](TParameterCategory category, std::initializer_list<TCodeListCombobox*> combos) {
    FCodeLists.push_back(FParameters->CodesOfCategory(category));
    for (TCodeListCombobox* combo : combos) combo->FillFromCodes(*FCodeLists.back());
  };
  fill(pcRainfallArea, {cbSSRainfallAreaCode, cbISWaterShedArea, cbDAWaterShedArea});
  fill(pcStormFrequency, {cbSSFullCapacityFrequency, cbSSHydraulicGradeFrequency, cbISStormFrequency,
                          cbDADepthFrequency, cbDAVelocityFrequency, cbUCDesignFrequency, cbUCFloodFrequency});
  fill(pcDesignPipeType, {cbUCPipeType});
}

// ---- collect and refresh -----------------------------------------------------------

void TfrmMainPage::CollectControls() {
  if (!FDocument->ProjectOpen()) return;
  for (const TBinding& binding : FIdentificationBindings) binding.Collect();
  for (const TBinding& binding : FPageBindings[static_cast<size_t>(ActivePage())]) binding.Collect();
}

void TfrmMainPage::RefreshDisplay() {
  if (!FDocument->ProjectOpen()) return;
  RefreshIdentification();
  RefreshPage();
  RefreshGrids();
}

void TfrmMainPage::RefreshIdentification() {
  const TProjectIdentification& i = FDocument->CurrentProject()->Identification;
  ShowText(edtJobNumber, i.PID);
  edtProjectDate->SetDateValue(i.ProjectDate);
  ShowText(edtProject, i.Project);
  ShowText(edtDescription, i.Description);
  ShowText(edtLocation, i.Location);
  ShowText(edtAuthor, i.Designer);
}

void TfrmMainPage::RefreshPage() {
  if (TCulvertDesign* design = FDocument->CulvertDesign()) {
    cbUCDesignFrequency->SelectCode(design->DischargeFrequency);
    cbUCFloodFrequency->SelectCode(design->FloodFrequency);
    cbUCPipeType->SelectCode(design->PipeType);
    cbUCImprovedInlet->setChecked(design->ImprovedInlet);
  } else if (TStormSewer* sewer = FDocument->StormSewer()) {
    const TStormSewerGeneralParameters& g = sewer->GeneralParameters;
    lblSSTitle->setText(sewer->IsAnalysis ? QStringLiteral("STORM SEWER SYSTEM ANALYSIS")
                                          : QStringLiteral("STORM SEWER SYSTEM DESIGN"));
    cbSSRainfallAreaCode->SelectCode(g.RainfallAreaCode);
    cbSSFullCapacityFrequency->SelectCode(g.FullCapacityFrequency);
    cbSSHydraulicGradeFrequency->SelectCode(g.HydraulicGradeFrequency);
    edtSSMinimumDiameter->SetFloatValue(g.MinimumDiameter);
    edtSSTailwaterElevation->SetFloatValue(g.TailwaterElevation);
  } else if (TInletSpacing* inlets = FDocument->InletSpacing()) {
    const TInletSpacingGeneralParameters& g = inlets->GeneralParameters;
    cbISWaterShedArea->SelectCode(g.WaterShedAreaCode);
    cbISStormFrequency->SelectCode(g.StormFrequency);
    edtISMaximumSpread->SetFloatValue(g.MaxSpread);
    edtISAllowableDepth->SetFloatValue(g.AllowableDepth);
  } else if (TDitchAnalysis* ditch = FDocument->DitchAnalysis()) {
    const TDitchAnalysisGeneralParameters& g = ditch->GeneralParameters;
    cbDAWaterShedArea->SelectCode(g.WaterShedAreaCode);
    edtDABeginTime->SetFloatValue(g.Time);
    cbDADepthFrequency->SelectCode(g.DepthStormFrequency);
    cbDAVelocityFrequency->SelectCode(g.VelocityStormFrequency);
    for (size_t i = 0; i < edtDAShear.size(); ++i) edtDAShear[i]->SetFloatValue(g.AllowableShear(ShearLinings[i]));
  }
}

void TfrmMainPage::RefreshGrids() {
  const int active = ActivePage();
  for (int page = 0; page < MainPageCount; ++page) {
    QTableView* view = Grids[static_cast<size_t>(page)];
    TElementGridModel* model = GridModel(page);
    const int current = view->currentIndex().isValid() ? view->currentIndex().row() : -1;
    model->SetProject(page == active ? FDocument->CurrentProject() : nullptr);
    for (int column = 0; column < model->columnCount(); ++column)
      view->setColumnHidden(column, !model->Grid().ColumnVisible(column));
    if (page == active && model->rowCount() > 0)
      view->setCurrentIndex(model->index(std::clamp(current, 0, model->rowCount() - 1), 0));
  }
}
