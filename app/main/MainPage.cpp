#include "app/main/MainPage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPixmap>
#include <QPrinter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/framework/CalendarDialog.h"
#include "app/framework/CoreText.h"
#include "app/framework/MessageBoxes.h"
#include "app/help/HelpAbout.h"
#include "app/main/ElementGridModel.h"
#include "app/main/KindCommands.h"
#include "app/reports/ReportPrinting.h"
#include "app/tools/CulvertTools.h"
#include "foundation/Messages.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/Report.h"

namespace {

const QString ProjectFilter = QStringLiteral("NERRA XML Data Entry (*.xml)");
const QString OpenFilter = QStringLiteral("NERRA XML Data Entry (*.xml);;All files (*.*)");

std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

template <class TOperation>
void OnFocusedEdit(TOperation operation) {
  if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) operation(*edit);
}

}  // namespace

// The document's questions, boxes and file dialogs, answered by the window.
class TfrmMainPage::TWindowUI : public TMainDocumentUI {
public:
  explicit TWindowUI(TfrmMainPage& window) : W(window) {}
  bool Confirm(const std::string& text) override { return W.Confirm(FromCore(text)); }
  void ShowError(const std::string& text) override { ::ShowError(&W, text); }
  void ShowPlainMessage(const std::string& text) override { ShowMessageBox(TMessageKind::Plain, text); }
  std::string AskOpenFileName() override {
    return ToPath(QFileDialog::getOpenFileName(&W, QStringLiteral("Open"), W.FProgramFolder, OpenFilter));
  }
  std::string AskSaveFileName() override {
    return ToPath(QFileDialog::getSaveFileName(&W, QStringLiteral("Save As"), W.FProgramFolder, ProjectFilter));
  }
  void CollectControls() override { W.CollectControls(); }

private:
  TfrmMainPage& W;
};

TfrmMainPage::TfrmMainPage(const QString& programFolder, QWidget* parent)
    : QMainWindow(parent),
      TfrmBaseForm(this),
      FProgramFolder(programFolder),
      FParameters(std::make_unique<TNerraParameterList>()),
      FCatalogue(std::make_unique<TCulvertBasePipeList>()),
      FUI(std::make_unique<TWindowUI>(*this)),
      FDocument(std::make_unique<TMainDocument>(*FParameters, *FCatalogue, *FUI)) {
  setObjectName(QStringLiteral("frmMainPage"));
  setWindowTitle(QString::fromLatin1(MainWindowCaption));
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  CreateDataEntryPanel();
  layout->addWidget(pnlDataEntry);
  setCentralWidget(central);
  LoadBackground();
  pnlDataEntry->hide();
  resize(1000, 720);
  ScaleToScreen();
}

TfrmMainPage::~TfrmMainPage() {
  // The controls outlive the document while the widgets are taken down; a
  // focus change then must not copy into it.
  for (const TBinding& binding : FIdentificationBindings) binding.Control->removeEventFilter(this);
  for (const auto& bindings : FPageBindings)
    for (const TBinding& binding : bindings) binding.Control->removeEventFilter(this);
  // The grids refer to the project; let them go before it does.
  for (TElementGridModel* model : FGridModels)
    if (model) model->SetProject(nullptr);
}

bool TfrmMainPage::Startup() {
  const std::string message =
      StartupLoadParameters(LocateParameterFolder(ToPath(FProgramFolder)), *FParameters, *FCatalogue);
  if (!message.empty()) {
    ::ShowError(this, message);
    return false;
  }
  FillCodeLists();
  UpdateActions();
  UpdateStatus();
  return true;
}

bool TfrmMainPage::Confirm(const QString& text) { return ShowMessageBox(TMessageKind::Confirmation, ToCore(text)); }

void TfrmMainPage::LoadBackground() {
  const QString picture = QCoreApplication::applicationFilePath() + QStringLiteral(".jpg");
  if (!QFile::exists(picture)) return;
  const QPixmap pixmap(picture);
  if (pixmap.isNull()) return;
  QPalette palette = centralWidget()->palette();
  palette.setBrush(QPalette::Window, QBrush(pixmap));
  centralWidget()->setPalette(palette);
  centralWidget()->setAutoFillBackground(true);
}

// ---- actions, menus, bars ------------------------------------------------------------

QAction* TfrmMainPage::MakeAction(const char* name, const QString& caption, bool openProjectOnly) {
  auto* action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  if (openProjectOnly) FOpenProjectActions.push_back(action);
  return action;
}

void TfrmMainPage::CreateActions() {
  CreateFileActions();
  CreateEditActions();
  CreateProjectActions();
  CreateToolAndHelpActions();
  // Commands the menus do not show.
  for (QAction* hidden : {actRemove, actImport, actExport, actSplitElement, actParameters}) hidden->setVisible(false);
  SetShortcuts();
  ConnectNewProjectActions();
  ConnectCommands();
  ConnectEditActions();
  ConnectToolAndHelpActions();
}

void TfrmMainPage::CreateFileActions() {
  actNew = MakeAction("actNew", QStringLiteral("&New"), false);
  actNewCulvertDesign = MakeAction("actNewCulvertDesign", QStringLiteral("&Culvert Desi&gn"), false);
  actNewCulvertAnalysis = MakeAction("actNewCulvertAnalysis", QStringLiteral("Culvert &Analysis"), false);
  actNewStormSewerDesign = MakeAction("actNewStormSewerDesign", QStringLiteral("&Storm Sewer Design"), false);
  actNewStormSewerAnalysis = MakeAction("actNewStormSewerAnalysis", QStringLiteral("Storm Sewer &Analysis"), false);
  actNewInletSpacing = MakeAction("actNewInletSpacing", QStringLiteral("&Inlet Spacing"), false);
  actNewDitchAnalysis = MakeAction("actNewDitchAnalysis", QStringLiteral("&Ditch Analysis"), false);
  actOpen = MakeAction("actOpen", QStringLiteral("&Open"), false);
  actSave = MakeAction("actSave", QStringLiteral("&Save"), true);
  actSaveAs = MakeAction("actSaveAs", QStringLiteral("Save &As ..."), true);
  actRemove = MakeAction("actRemove", QStringLiteral("&Remove"), false);
  actClose = MakeAction("actClose", QStringLiteral("&Close"), true);
  actImport = MakeAction("actImport", QStringLiteral("&Import"), false);
  actExport = MakeAction("actExport", QStringLiteral("&Export"), false);
  actPreview = MakeAction("actPreview", QStringLiteral("Pre&view"), true);
  actPrint = MakeAction("actPrint", QStringLiteral("&Print"), true);
  actExportReportPdf = MakeAction("actExportReportPdf", QStringLiteral("Export Report as P&DF..."), true);
  actPrinterSetup = MakeAction("actPrinterSetup", QStringLiteral("Printer Set&up"), false);
  actExit = MakeAction("actExit", QStringLiteral("E&xit"), false);
}

void TfrmMainPage::CreateEditActions() {
  actUndo = MakeAction("actUndo", QStringLiteral("&Undo"), false);
  actCut = MakeAction("actCut", QStringLiteral("Cu&t"), false);
  actCopy = MakeAction("actCopy", QStringLiteral("&Copy"), false);
  actPaste = MakeAction("actPaste", QStringLiteral("&Paste"), false);
}

void TfrmMainPage::CreateProjectActions() {
  actDisplayResult = MakeAction("actDisplayResult", QStringLiteral("&Display Result"), true);
  actSaveResult = MakeAction("actSaveResult", QStringLiteral("&Save Result"), true);
  actAddElement = MakeAction("actAddElement", QStringLiteral("&Add Element"), true);
  actModifyElement = MakeAction("actModifyElement", QStringLiteral("&Modify Element"), true);
  actRemoveElement = MakeAction("actRemoveElement", QStringLiteral("&Remove Element"), true);
  actSplitElement = MakeAction("actSplitElement", QStringLiteral("S&plit Element"), false);
  actMoveElementUp = MakeAction("actMoveElementUp", QStringLiteral("Move Element &Up"), true);
  actMoveElementDown = MakeAction("actMoveElementDown", QStringLiteral("Move Element &Down"), true);
}

void TfrmMainPage::CreateToolAndHelpActions() {
  actCalendar = MakeAction("actCalendar", QStringLiteral("&Calendar"), false);
  actParameters = MakeAction("actParameters", QStringLiteral("&Parameters"), false);
  actGeometricalTool = MakeAction("actGeometricalTool", QStringLiteral("Culvert &Geometrical Tool"), false);
  actHydraulicTool = MakeAction("actHydraulicTool", QStringLiteral("Culvert &Hydraulic Tool"), false);
  actHelpContents = MakeAction("actHelpContents", QStringLiteral("&Contents"), false);
  actAbout = MakeAction("actAbout", QStringLiteral("&About"), false);
  actContextHelp = MakeAction("actContextHelp", QStringLiteral("Context Help"), false);
}

void TfrmMainPage::SetShortcuts() {
  actUndo->setShortcut(QKeySequence(QStringLiteral("Ctrl+Z")));
  actCut->setShortcut(QKeySequence(QStringLiteral("Ctrl+X")));
  actCopy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
  actPaste->setShortcut(QKeySequence(QStringLiteral("Ctrl+V")));
  actMoveElementUp->setShortcut(QKeySequence(QStringLiteral("Ctrl+U")));
  actMoveElementDown->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
  // F1 is on no menu; the window itself carries it.
  actContextHelp->setShortcut(QKeySequence(Qt::Key_F1));
  addAction(actContextHelp);
}

void TfrmMainPage::ConnectNewProjectActions() {
  const std::pair<QAction*, TProjectKind> kinds[] = {
      {actNewCulvertDesign, TProjectKind::CulvertDesign},
      {actNewCulvertAnalysis, TProjectKind::CulvertAnalysis},
      {actNewStormSewerDesign, TProjectKind::StormSewerDesign},
      {actNewStormSewerAnalysis, TProjectKind::StormSewerAnalysis},
      {actNewInletSpacing, TProjectKind::InletSpacing},
      {actNewDitchAnalysis, TProjectKind::DitchAnalysis}};
  for (const auto& [action, kind] : kinds)
    connect(action, &QAction::triggered, this, [this, kind = kind] { NewProject(kind); });
}

void TfrmMainPage::ConnectCommands() {
  const std::pair<QAction*, void (TfrmMainPage::*)()> commands[] = {
      {actOpen, &TfrmMainPage::OpenCommand},
      {actSave, &TfrmMainPage::SaveCommand},
      {actSaveAs, &TfrmMainPage::SaveAsCommand},
      {actClose, &TfrmMainPage::CloseCommand},
      {actPreview, &TfrmMainPage::PreviewCommand},
      {actPrint, &TfrmMainPage::PrintCommand},
      {actExportReportPdf, &TfrmMainPage::ExportReportPdfCommand},
      {actPrinterSetup, &TfrmMainPage::PrinterSetupCommand},
      {actDisplayResult, &TfrmMainPage::DisplayResultCommand},
      {actSaveResult, &TfrmMainPage::SaveResultCommand},
      {actAddElement, &TfrmMainPage::AddElementCommand},
      {actModifyElement, &TfrmMainPage::ModifyElementCommand},
      {actRemoveElement, &TfrmMainPage::RemoveElementCommand},
      {actMoveElementUp, &TfrmMainPage::MoveElementUpCommand},
      {actMoveElementDown, &TfrmMainPage::MoveElementDownCommand},
      {actCalendar, &TfrmMainPage::CalendarCommand}};
  for (const auto& [action, command] : commands)
    connect(action, &QAction::triggered, this, [this, command = command] { (this->*command)(); });
  connect(actExit, &QAction::triggered, this, &QWidget::close);
}

// Undo, Cut, Copy and Paste work on the focused edit box, wherever it is.
void TfrmMainPage::ConnectEditActions() {
  connect(actUndo, &QAction::triggered, this, [] { OnFocusedEdit([](QLineEdit& e) { e.undo(); }); });
  connect(actCut, &QAction::triggered, this, [] { OnFocusedEdit([](QLineEdit& e) { e.cut(); }); });
  connect(actCopy, &QAction::triggered, this, [] { OnFocusedEdit([](QLineEdit& e) { e.copy(); }); });
  connect(actPaste, &QAction::triggered, this, [] { OnFocusedEdit([](QLineEdit& e) { e.paste(); }); });
}

void TfrmMainPage::ConnectToolAndHelpActions() {
  connect(actGeometricalTool, &QAction::triggered, this, [this] { ShowCulvertGeometricTool(this); });
  connect(actHydraulicTool, &QAction::triggered, this, [this] { ShowCulvertHydraulicTool(this); });
  connect(actHelpContents, &QAction::triggered, this, [this] { ShowHelpContents(this); });
  connect(actAbout, &QAction::triggered, this, [this] { ShowAboutBox(this); });
  connect(actContextHelp, &QAction::triggered, this, [this] { ShowContextHelp(); });
}

void TfrmMainPage::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  auto* newMenu = new QMenu(QStringLiteral("&New"), this);
  newMenu->addActions({actNewCulvertDesign, actNewCulvertAnalysis, actNewStormSewerDesign, actNewStormSewerAnalysis,
                       actNewInletSpacing, actNewDitchAnalysis});
  actNew->setMenu(newMenu);
  file->addAction(actNew);
  file->addActions({actOpen, actSave, actSaveAs, actRemove, actClose});
  file->addSeparator();
  file->addActions({actImport, actExport});
  file->addSeparator();
  file->addActions({actPreview, actPrint, actExportReportPdf, actPrinterSetup});
  file->addSeparator();
  file->addAction(actExit);
  menuBar()->addMenu(QStringLiteral("&Edit"))->addActions({actUndo, actCut, actCopy, actPaste});
  QMenu* project = menuBar()->addMenu(QStringLiteral("&Project"));
  FProjectMenu = project;
  project->addActions({actDisplayResult, actSaveResult});
  project->addSeparator();
  project->addActions({actAddElement, actModifyElement, actRemoveElement, actSplitElement, actMoveElementUp,
                       actMoveElementDown});
  menuBar()->addMenu(QStringLiteral("&Tools"))
      ->addActions({actCalendar, actParameters, actGeometricalTool, actHydraulicTool});
  menuBar()->addMenu(QStringLiteral("&Help"))->addActions({actHelpContents, actAbout});
}

void TfrmMainPage::CreateToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Commands"));
  bar->setObjectName(QStringLiteral("tbMain"));
  bar->addActions({actNew, actOpen, actSave, actPreview, actPrint});
  bar->addSeparator();
  bar->addActions({actCut, actCopy, actPaste});
  bar->addSeparator();
  bar->addActions({actDisplayResult, actAddElement, actModifyElement, actRemoveElement, actMoveElementUp,
                   actMoveElementDown});
  bar->addSeparator();
  bar->addActions({actCalendar, actHelpContents});
}

void TfrmMainPage::CreateStatusBar() {
  const int widths[] = {200, 150, 650};
  for (size_t i = 0; i < StatusPanels.size(); ++i) {
    StatusPanels[i] = new QLabel(this);
    StatusPanels[i]->setMinimumWidth(widths[i]);
    statusBar()->addWidget(StatusPanels[i], i == 2 ? 1 : 0);
  }
}

void TfrmMainPage::UpdateActions() {
  const bool open = FDocument->ProjectOpen();
  for (QAction* action : FOpenProjectActions) action->setVisible(open);
  // Without a project every Project command is hidden. An empty menu must
  // not be opened: its popup would be left unmapped by the window system
  // and the menu would never open again, even after a project is opened.
  FProjectMenu->menuAction()->setEnabled(open);
}

void TfrmMainPage::UpdateStatus(bool clearMessage) {
  if (clearMessage) FDocument->LastMessage.clear();
  StatusPanels[0]->setText(QFile::decodeName(QByteArray::fromStdString(FDocument->StatusFileName())));
  StatusPanels[1]->clear();
  StatusPanels[2]->setText(FromCore(FDocument->LastMessage));
}

// ---- events -------------------------------------------------------------------------

void TfrmMainPage::closeEvent(QCloseEvent* event) {
  if (!FDocument->CloseProject()) {
    event->ignore();
    return;
  }
  ShowProject();
  event->accept();
}

void TfrmMainPage::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (edtJobNumber->isVisible()) edtJobNumber->setFocus();
}

// The window's command shortcuts win over the text boxes' own key bindings:
// Ctrl+U in a line edit would otherwise delete the text before the caret
// instead of moving the selected element. Cut, copy, paste and undo are left
// to the boxes, whose bindings do the same as those commands.
bool TfrmMainPage::WindowShortcutWins(QObject* watched, const QKeyEvent& key) const {
  const auto* widget = qobject_cast<const QWidget*>(watched);
  if (!widget || widget->window() != this) return false;
  const QKeySequence pressed(key.keyCombination());
  for (const QAction* action : findChildren<QAction*>()) {
    if (!action->isEnabled() || !action->isVisible()) continue;
    if (action == actUndo || action == actCut || action == actCopy || action == actPaste) continue;
    for (const QKeySequence& shortcut : action->shortcuts())
      if (shortcut.matches(pressed) == QKeySequence::ExactMatch) return true;
  }
  return false;
}

bool TfrmMainPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && WindowShortcutWins(watched, *static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::FocusOut && FDocument->ProjectOpen()) {
    auto collect = [&](const std::vector<TBinding>& bindings) {
      for (const TBinding& binding : bindings)
        if (binding.Control == watched) {
          binding.Collect();
          UpdateStatus();
        }
    };
    collect(FIdentificationBindings);
    collect(FPageBindings[static_cast<size_t>(ActivePage())]);
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---- document commands ----------------------------------------------------------------

int TfrmMainPage::ActivePage() const {
  // The pages are in the order of the element grids.
  if (const TProjectKindRow* row = ProjectKindRowOf(FDocument->Kind())) return static_cast<int>(row->Page);
  return pcNerra->currentIndex();
}

// Shows the open project on its page, or hides the data entry without one.
void TfrmMainPage::ShowProject() {
  if (FDocument->ProjectOpen()) {
    pcNerra->setCurrentIndex(ActivePage());
    pnlDataEntry->show();
    RefreshDisplay();
  } else {
    pnlDataEntry->hide();
    for (TElementGridModel* model : FGridModels) model->SetProject(nullptr);
  }
  UpdateActions();
  UpdateStatus();
}

void TfrmMainPage::NewProject(TProjectKind kind) {
  const unsigned before = FDocument->Generation();
  const bool created = FDocument->NewProject(kind);
  if (FDocument->Generation() != before) ShowProject();
  if (created) edtJobNumber->setFocus();
}

void TfrmMainPage::OpenCommand() {
  const unsigned before = FDocument->Generation();
  FDocument->Open();
  if (FDocument->Generation() != before) ShowProject();
}

void TfrmMainPage::OpenFileCommand(const QString& fileName) {
  const unsigned before = FDocument->Generation();
  FDocument->OpenFile(ToPath(fileName));
  if (FDocument->Generation() != before) ShowProject();
}

void TfrmMainPage::SaveCommand() {
  if (FDocument->Save()) RefreshDisplay();
  UpdateActions();
  UpdateStatus(false);
}

void TfrmMainPage::SaveAsCommand() {
  FDocument->SaveAs();
  RefreshDisplay();
  UpdateActions();
  UpdateStatus();
}

void TfrmMainPage::CloseCommand() {
  if (FDocument->CloseProject()) ShowProject();
}

void TfrmMainPage::SaveResultCommand() { FDocument->SaveResult(); }

void TfrmMainPage::PrinterSetupCommand() {
  if (!FPrinter) FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  QPageSetupDialog dialog(FPrinter.get(), this);
  dialog.exec();
}

void TfrmMainPage::CalendarCommand() { ShowCalendar(*this, QApplication::focusWidget()); }

// ---- result and element commands ---------------------------------------------------------

void TfrmMainPage::DisplayResultCommand() {
  if (!FDocument->ProjectOpen()) return;
  const int position = SelectedPosition();
  if (FDocument->PrepareResult(TResultCommand::DisplayResult, position))
    ShowResultOfKind({*FDocument, *FParameters, *FCatalogue, this}, position);
  RefreshDisplay();
}

void TfrmMainPage::PreviewCommand() {
  if (!FDocument->PrepareResult(TResultCommand::Preview, SelectedPosition())) return;
  if (std::unique_ptr<TReport> report = CreateReportOfKind({*FDocument, *FParameters, *FCatalogue, this}))
    PreviewReport(*report, this);
}

void TfrmMainPage::PrintCommand() {
  if (!FDocument->PrepareResult(TResultCommand::Print, SelectedPosition())) return;
  if (std::unique_ptr<TReport> report = CreateReportOfKind({*FDocument, *FParameters, *FCatalogue, this}))
    PrintReport(*report, this, FPrinter.get());
}

// The report straight to a PDF file, offered beside the project under the
// project's and the kind's name (a new project's in the home folder).
void TfrmMainPage::ExportReportPdfCommand() {
  if (!FDocument->PrepareResult(TResultCommand::Print, SelectedPosition())) return;
  const std::unique_ptr<TReport> report = CreateReportOfKind({*FDocument, *FParameters, *FCatalogue, this});
  if (!report) return;
  const QString offered = QDir(QDir::homePath()).filePath(QFile::decodeName(report->PdfFileName.c_str()));
  const QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Export Report as PDF"), offered,
                                                    QStringLiteral("PDF files (*.pdf)"));
  if (!name.isEmpty() && !ExportReportPdf(*report, name)) ::ShowError(this, MessageText(-4));
}

int TfrmMainPage::SelectedPosition() const {
  const QTableView* view = ActiveGrid();
  if (!view || !view->currentIndex().isValid()) return -1;
  const int row = view->currentIndex().row();
  return FDocument->Element(row) ? row : -1;
}

void TfrmMainPage::SelectPosition(int position) {
  QTableView* view = ActiveGrid();
  if (!view || position < 0 || position >= view->model()->rowCount()) return;
  view->setCurrentIndex(view->model()->index(position, 0));
}

QTableView* TfrmMainPage::ActiveGrid() const {
  return FDocument->ProjectOpen() ? Grids[static_cast<size_t>(ActivePage())] : nullptr;
}

void TfrmMainPage::AfterElementCommand(int position) {
  RefreshDisplay();
  SelectPosition(position);
  UpdateActions();
  UpdateStatus();
}

void TfrmMainPage::AddElementCommand() {
  if (!FDocument->ProjectOpen()) return;
  CollectControls();
  if (AddElementOfKind({*FDocument, *FParameters, *FCatalogue, this}))
    AfterElementCommand(FDocument->ElementCount() - 1);
}

void TfrmMainPage::ModifyElementCommand() {
  const int position = SelectedPosition();
  if (position < 0) return;
  CollectControls();
  if (ModifyElementOfKind({*FDocument, *FParameters, *FCatalogue, this}, position)) AfterElementCommand(position);
}

void TfrmMainPage::RemoveElementCommand() {
  const int position = SelectedPosition();
  if (position < 0) return;
  CollectControls();
  if (FDocument->RemoveElement(position))
    AfterElementCommand(std::min(position, FDocument->ElementCount() - 1));
}

void TfrmMainPage::MoveElementUpCommand() {
  const int position = SelectedPosition();
  if (position < 0) return;
  CollectControls();
  AfterElementCommand(FDocument->MoveElementUp(position));
}

void TfrmMainPage::MoveElementDownCommand() {
  const int position = SelectedPosition();
  if (position < 0) return;
  CollectControls();
  AfterElementCommand(FDocument->MoveElementDown(position));
}
