#include "app/main/MainPage.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
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
#include "appmodel/ResultTable.h"
#include "foundation/Messages.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/Report.h"

namespace {

const QString ProjectFilter = QStringLiteral("NERRA XML Data Entry (*.xml)");
const QString OpenFilter = QStringLiteral("NERRA XML Data Entry (*.xml);;All files (*.*)");

std::string ToPath(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

constexpr int RecentFileCount = 8;

// Recent files, the last folder and the window geometry, in the user's
// configuration folder ($XDG_CONFIG_HOME/drevia/drevia.conf).
std::unique_ptr<QSettings> UserSettings() {
  return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("drevia"),
                                     QStringLiteral("drevia"));
}

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
  TSaveChoice AskSaveChanges(const std::string& text) override { return AskSaveDiscardCancel(&W, text); }
  void ShowError(const std::string& text) override { ::ShowError(&W, text); }
  void ShowPlainMessage(const std::string& text) override { ShowMessageBox(TMessageKind::Plain, text); }
  std::string AskOpenFileName() override {
    const QString path = QFileDialog::getOpenFileName(&W, QStringLiteral("Open"), W.LastFolder(), OpenFilter);
    W.RememberFolder(path);
    return ToPath(path);
  }
  std::string AskSaveFileName() override {
    QString path = QFileDialog::getSaveFileName(&W, QStringLiteral("Save As"), W.LastFolder(), ProjectFilter);
    if (path.isEmpty()) return std::string();
    // Project files are found by their ".xml"; a bare name gets it.
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".xml");
    W.RememberFolder(path);
    return ToPath(path);
  }
  void CollectControls() override { W.CollectControls(); }
  void ProjectReplaced() override { W.ShowProject(); }

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
  setAcceptDrops(true);
  if (const QByteArray geometry = UserSettings()->value(QStringLiteral("window/geometry")).toByteArray();
      !geometry.isEmpty())
    restoreGeometry(geometry);
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
  const std::string folder = LocateParameterFolder(ToPath(FProgramFolder));
  const std::string message = StartupLoadParameters(folder, *FParameters, *FCatalogue);
  if (!message.empty()) {
    ::ShowError(this, message);
    return false;
  }
  const std::string slash = !folder.empty() && folder.back() != '/' ? "/" : "";
  FDocument->SetProtectedFiles({folder + slash + "AppParameters.xml", folder + slash + "UniversalCulvertParameters.xml",
                                folder + slash + "NerraParameters.xml"});
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
  // The data-entry panel keeps the plain window colour, so its labels do not
  // stand on the picture; the picture shows around it and without a project.
  QPalette plain = pnlDataEntry->palette();
  plain.setBrush(QPalette::Window, QApplication::palette().window());
  pnlDataEntry->setPalette(plain);
  pnlDataEntry->setAutoFillBackground(true);
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
  actExportResultsCsv = MakeAction("actExportResultsCsv", QStringLiteral("Export Resul&ts as CSV..."), true);
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
  // The platform's usual keys for the file commands, beside the listed ones.
  actOpen->setShortcuts(QKeySequence::Open);
  actSave->setShortcuts(QKeySequence::Save);
  actSaveAs->setShortcuts(QKeySequence::SaveAs);
  actPrint->setShortcuts(QKeySequence::Print);
  actClose->setShortcuts(QKeySequence::Close);
  actExit->setShortcuts(QKeySequence::Quit);
  addAction(actContextHelp);
}

void TfrmMainPage::ConnectNewProjectActions() {
  const std::pair<QAction*, TProjectKind> kinds[] = {{actNewCulvertDesign, TProjectKind::CulvertDesign},
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
      {actExportResultsCsv, &TfrmMainPage::ExportResultsCsvCommand},
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
  file->addAction(actOpen);
  FRecentMenu = file->addMenu(QStringLiteral("Open &Recent"));
  FRecentMenu->setObjectName(QStringLiteral("mnuRecentFiles"));
  FillRecentMenu();
  file->addActions({actSave, actSaveAs, actRemove, actClose});
  file->addSeparator();
  file->addActions({actImport, actExport});
  file->addSeparator();
  file->addActions({actPreview, actPrint, actExportReportPdf, actExportResultsCsv, actPrinterSetup});
  file->addSeparator();
  file->addAction(actExit);
  menuBar()->addMenu(QStringLiteral("&Edit"))->addActions({actUndo, actCut, actCopy, actPaste});
  QMenu* project = menuBar()->addMenu(QStringLiteral("&Project"));
  FProjectMenu = project;
  project->addActions({actDisplayResult, actSaveResult});
  project->addSeparator();
  project->addActions(
      {actAddElement, actModifyElement, actRemoveElement, actSplitElement, actMoveElementUp, actMoveElementDown});
  menuBar()
      ->addMenu(QStringLiteral("&Tools"))
      ->addActions({actCalendar, actParameters, actGeometricalTool, actHydraulicTool});
  menuBar()->addMenu(QStringLiteral("&Help"))->addActions({actHelpContents, actAbout});
}

void TfrmMainPage::CreateToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Commands"));
  bar->setObjectName(QStringLiteral("tbMain"));
  // Icons from the desktop's theme, else the toolkit's own; the caption is
  // the tool tip, so the whole bar fits the default width.
  bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  const std::pair<QAction*, std::pair<const char*, QStyle::StandardPixmap>> icons[] = {
      {actNew, {"document-new", QStyle::SP_FileIcon}},
      {actOpen, {"document-open", QStyle::SP_DialogOpenButton}},
      {actSave, {"document-save", QStyle::SP_DialogSaveButton}},
      {actPreview, {"document-print-preview", QStyle::SP_FileDialogContentsView}},
      {actPrint, {"document-print", QStyle::SP_ComputerIcon}},
      {actCut, {"edit-cut", QStyle::SP_DialogDiscardButton}},
      {actCopy, {"edit-copy", QStyle::SP_FileDialogNewFolder}},
      {actPaste, {"edit-paste", QStyle::SP_DialogApplyButton}},
      {actDisplayResult, {"system-run", QStyle::SP_MediaPlay}},
      {actAddElement, {"list-add", QStyle::SP_FileDialogStart}},
      {actModifyElement, {"document-properties", QStyle::SP_FileDialogDetailedView}},
      {actRemoveElement, {"list-remove", QStyle::SP_TrashIcon}},
      {actMoveElementUp, {"go-up", QStyle::SP_ArrowUp}},
      {actMoveElementDown, {"go-down", QStyle::SP_ArrowDown}},
      {actCalendar, {"x-office-calendar", QStyle::SP_FileDialogInfoView}},
      {actHelpContents, {"help-contents", QStyle::SP_DialogHelpButton}}};
  for (const auto& [action, icon] : icons)
    action->setIcon(QIcon::fromTheme(QString::fromLatin1(icon.first), style()->standardIcon(icon.second)));
  bar->addActions({actNew, actOpen, actSave, actPreview, actPrint});
  bar->addSeparator();
  bar->addActions({actCut, actCopy, actPaste});
  bar->addSeparator();
  bar->addActions(
      {actDisplayResult, actAddElement, actModifyElement, actRemoveElement, actMoveElementUp, actMoveElementDown});
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

// "name.xml* - caption" while a project is open; the mark shows unsaved
// changes.
void TfrmMainPage::UpdateTitle() {
  const QString caption = QString::fromLatin1(MainWindowCaption);
  if (!FDocument->ProjectOpen()) {
    setWindowTitle(caption);
    return;
  }
  const std::string name = FDocument->StatusFileName();
  const QString shown =
      name == NewFileStatus ? QStringLiteral("Untitled") : QFile::decodeName(QByteArray::fromStdString(name));
  setWindowTitle(shown + (FDocument->Modified() ? QStringLiteral("*") : QString()) + QStringLiteral(" - ") + caption);
}

void TfrmMainPage::UpdateStatus(bool clearMessage) {
  if (clearMessage) FDocument->LastMessage.clear();
  StatusPanels[0]->setText(QFile::decodeName(QByteArray::fromStdString(FDocument->StatusFileName())));
  StatusPanels[1]->clear();
  StatusPanels[2]->setText(FromCore(FDocument->LastMessage));
  UpdateTitle();
}

// ---- events -------------------------------------------------------------------------

void TfrmMainPage::closeEvent(QCloseEvent* event) {
  if (!FDocument->CloseProject()) {
    event->ignore();
    return;
  }
  ShowProject();
  UserSettings()->setValue(QStringLiteral("window/geometry"), saveGeometry());
  event->accept();
}

// ---- files from outside: recent files, dropped files, the last folder --------------

QString TfrmMainPage::LastFolder() const {
  const QString folder = UserSettings()->value(QStringLiteral("files/lastFolder")).toString();
  if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
  // A documents folder that does not exist would be offered as a file name.
  const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void TfrmMainPage::RememberFolder(const QString& path) {
  if (!path.isEmpty()) UserSettings()->setValue(QStringLiteral("files/lastFolder"), QFileInfo(path).absolutePath());
}

QStringList TfrmMainPage::RecentFiles() const {
  return UserSettings()->value(QStringLiteral("files/recent")).toStringList();
}

void TfrmMainPage::AddRecentFile(const QString& path) {
  if (path.isEmpty()) return;
  const QString absolute = QFileInfo(path).absoluteFilePath();
  QStringList files = RecentFiles();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > RecentFileCount) files.removeLast();
  UserSettings()->setValue(QStringLiteral("files/recent"), files);
  FillRecentMenu();
}

void TfrmMainPage::FillRecentMenu() {
  FRecentMenu->clear();
  const QStringList files = RecentFiles();
  for (int i = 0; i < files.size(); ++i) {
    QAction* entry = FRecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()));
    entry->setToolTip(files[i]);
    const QString path = files[i];
    connect(entry, &QAction::triggered, this, [this, path] { OpenPathCommand(path); });
  }
  FRecentMenu->setEnabled(!files.isEmpty());
}

// A project file named from outside the open dialog (recent files, a drop):
// the open project is closed first, as Open does.
void TfrmMainPage::OpenPathCommand(const QString& path) {
  if (!FDocument->CloseProject()) return;
  ShowProject();
  OpenFileCommand(path);
}

void TfrmMainPage::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

void TfrmMainPage::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  OpenPathCommand(urls.first().toLocalFile());
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

// Enter on a grid row modifies the element, Delete removes it.
bool TfrmMainPage::GridKey(QObject* watched, const QKeyEvent& key) {
  if (key.modifiers() & ~Qt::KeypadModifier) return false;
  if (std::find(Grids.begin(), Grids.end(), watched) == Grids.end()) return false;
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: ModifyElementCommand(); return true;
    case Qt::Key_Delete: RemoveElementCommand(); return true;
    default: return false;
  }
}

bool TfrmMainPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && WindowShortcutWins(watched, *static_cast<QKeyEvent*>(event))) {
    event->ignore();
    return true;
  }
  if (event->type() == QEvent::KeyPress && GridKey(watched, *static_cast<QKeyEvent*>(event))) return true;
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
  if (FDocument->Open()) AddRecentFile(FromPath(FDocument->CurrentProject()->FileName));
  if (FDocument->Generation() != before) ShowProject();
}

void TfrmMainPage::OpenFileCommand(const QString& fileName) {
  const unsigned before = FDocument->Generation();
  if (FDocument->OpenFile(ToPath(fileName))) AddRecentFile(fileName);
  if (FDocument->Generation() != before) ShowProject();
}

void TfrmMainPage::SaveCommand() {
  if (FDocument->Save()) {
    RefreshDisplay();
    AddRecentFile(FromPath(FDocument->CurrentProject()->FileName));
  }
  UpdateActions();
  UpdateStatus(false);
}

void TfrmMainPage::SaveAsCommand() {
  if (FDocument->SaveAs()) AddRecentFile(FromPath(FDocument->CurrentProject()->FileName));
  RefreshDisplay();
  UpdateActions();
  UpdateStatus();
}

void TfrmMainPage::CloseCommand() {
  if (FDocument->CloseProject()) ShowProject();
}

void TfrmMainPage::SaveResultCommand() { FDocument->SaveResult(); }

void TfrmMainPage::PrinterSetupCommand() {
  // Reports are laid out on Letter landscape; what the setup chooses is the
  // printer (and its copies), which Print and Preview then use.
  if (!FPrinter) FPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
  FPrinter->setPageSize(QPageSize(QPageSize::Letter));
  FPrinter->setPageOrientation(QPageLayout::Landscape);
  QPrintDialog dialog(FPrinter.get(), this);
  dialog.setWindowTitle(QStringLiteral("Printer Setup"));
  dialog.setOptions(QAbstractPrintDialog::PrintCollateCopies);
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
    PreviewReport(*report, this, FPrinter.get());
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

// The result rows as a CSV table (the one drevia-cli calc --csv prints). As
// Save Result: the file first, then the calculation; a refused one writes
// nothing. Offered under the project's name, a new project's in the last
// folder.
void TfrmMainPage::ExportResultsCsvCommand() {
  const TNerraBaseProject* project = FDocument->CurrentProject();
  if (!project) return;
  const QString suggested = FromPath(DefaultResultsCsvFileName(project->FileName));
  // A project opened by a relative path (from the command line) is beside
  // it in the working folder, not in the last folder.
  const QString offered = suggested.contains(QLatin1Char('/')) ? QFileInfo(suggested).absoluteFilePath()
                                                               : QDir(LastFolder()).filePath(suggested);
  QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Export Results as CSV"), offered,
                                              QStringLiteral("CSV files (*.csv)"));
  if (name.isEmpty()) return;
  if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".csv");
  FDocument->ExportResultsCsv(ToPath(name));
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
  if (FDocument->RemoveElement(position)) AfterElementCommand(std::min(position, FDocument->ElementCount() - 1));
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
