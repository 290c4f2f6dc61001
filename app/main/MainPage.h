#pragma once
// The main window: menus, tool bar and status bar around the project
// information panel and the five kind pages with their element grids. What
// the commands do to the project lives in TMainDocument; the window copies
// its controls in and out and opens the dialogs and reports.

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "app/framework/BaseForm.h"
#include "appmodel/MainDocument.h"
#include "foundation/Version.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QMenu;
class QPrinter;
class QRadioButton;
class QSplitter;
class QStackedWidget;
class QTableView;
class TBaseEdit;
class TCodeListCombobox;
class TCulvertBasePipeList;
class TElementGridModel;
class TNerraBaseList;
class TNerraParameterList;

inline constexpr const char* MainWindowCaption = DREVIA_PRODUCT_NAME;

// The pages of pcNerra, in page order.
enum TMainPageIndex : int { mpCulvertDesign, mpCulvertAnalysis, mpStormSewer, mpInletSpacing, mpDitchAnalysis };
constexpr int MainPageCount = 5;

class TfrmMainPage : public QMainWindow, public TfrmBaseForm {
  Q_OBJECT
public:
  // programFolder is the program's own folder; the parameter files are
  // beside it or in the installed copy (LocateParameterFolder).
  explicit TfrmMainPage(const QString& programFolder, QWidget* parent = nullptr);
  ~TfrmMainPage() override;

  // Converts and loads the parameter files and fills the code lists. False
  // (after its message) when the program must end.
  bool Startup();

  TMainDocument& Document() { return *FDocument; }
  const TNerraParameterList& Parameters() const { return *FParameters; }
  const TCulvertBasePipeList& Catalogue() const { return *FCatalogue; }

  // The hooks of the document window.
  void CollectControls();
  void RefreshDisplay();
  void UpdateActions();
  void UpdateStatus(bool clearMessage = true);
  void UpdateTitle();
  bool Confirm(const QString& text) override;

  // Commands.
  void NewProject(TProjectKind kind);
  void OpenCommand();
  // Opens the project named on the command line (a double click in the file
  // manager); its message shows as File > Open shows it.
  void OpenFileCommand(const QString& fileName);
  // Closes the open project (asking as Open does), then opens the file.
  void OpenPathCommand(const QString& path);
  // The folder the file dialogs start in: the last one used, at first the
  // user's documents folder.
  QString LastFolder() const;
  void RememberFolder(const QString& path);
  // The eight most recent project files, newest first.
  QStringList RecentFiles() const;
  void AddRecentFile(const QString& path);
  QMenu* RecentMenu() const { return FRecentMenu; }
  void SaveCommand();
  void SaveAsCommand();
  void CloseCommand();
  void SaveResultCommand();
  void DisplayResultCommand();
  void PreviewCommand();
  void PrintCommand();
  void ExportReportPdfCommand();
  void ExportResultsCsvCommand();
  void AddElementCommand();
  void ModifyElementCommand();
  void RemoveElementCommand();
  void MoveElementUpCommand();
  void MoveElementDownCommand();
  void PrinterSetupCommand();
  void CalendarCommand();

  // The active grid's current row from 0; -1 when no row is selected.
  int SelectedPosition() const;
  void SelectPosition(int position);
  QTableView* ActiveGrid() const;
  TElementGridModel* GridModel(int page) const { return FGridModels[static_cast<size_t>(page)]; }

  // Project information.
  TBaseEdit* edtJobNumber = nullptr;
  TBaseEdit* edtProjectDate = nullptr;
  TBaseEdit* edtProject = nullptr;
  TBaseEdit* edtDescription = nullptr;
  TBaseEdit* edtLocation = nullptr;
  TBaseEdit* edtAuthor = nullptr;
  // Culvert Design.
  TCodeListCombobox* cbUCDesignFrequency = nullptr;
  TCodeListCombobox* cbUCFloodFrequency = nullptr;
  TCodeListCombobox* cbUCPipeType = nullptr;
  QCheckBox* cbUCImprovedInlet = nullptr;
  // Culvert Analysis.
  QGroupBox* rgAnalysisSelection = nullptr;
  std::array<QRadioButton*, 3> rbAnalysisOptions{};
  // Storm Sewer.
  QLabel* lblSSTitle = nullptr;
  TCodeListCombobox* cbSSRainfallAreaCode = nullptr;
  TCodeListCombobox* cbSSFullCapacityFrequency = nullptr;
  TCodeListCombobox* cbSSHydraulicGradeFrequency = nullptr;
  TBaseEdit* edtSSMinimumDiameter = nullptr;
  TBaseEdit* edtSSTailwaterElevation = nullptr;
  TBaseEdit* edtManningDefault = nullptr;
  // Inlet Spacing.
  TCodeListCombobox* cbISWaterShedArea = nullptr;
  TCodeListCombobox* cbISStormFrequency = nullptr;
  TBaseEdit* edtISMaximumSpread = nullptr;
  TBaseEdit* edtISAllowableDepth = nullptr;
  // Ditch Analysis.
  TCodeListCombobox* cbDAWaterShedArea = nullptr;
  TBaseEdit* edtDABeginTime = nullptr;
  TCodeListCombobox* cbDADepthFrequency = nullptr;
  TCodeListCombobox* cbDAVelocityFrequency = nullptr;
  std::array<TBaseEdit*, 7> edtDAShear{};  // seed ... rock channel protection type B
  // Pages and grids.
  QWidget* pnlDataEntry = nullptr;
  QStackedWidget* pcNerra = nullptr;
  // The element grids of the pages, below the splitter, turned with pcNerra.
  QStackedWidget* pcGrids = nullptr;
  QSplitter* splDataEntry = nullptr;
  std::array<QTableView*, MainPageCount> Grids{};
  std::array<QLabel*, 3> StatusPanels{};

  // Actions, named as the commands.
  QAction *actNew, *actNewCulvertDesign, *actNewCulvertAnalysis, *actNewStormSewerDesign, *actNewStormSewerAnalysis,
      *actNewInletSpacing, *actNewDitchAnalysis, *actOpen, *actSave, *actSaveAs, *actRemove, *actClose, *actImport,
      *actExport, *actPreview, *actPrint, *actPrinterSetup, *actExit, *actUndo, *actExportReportPdf,
      *actExportResultsCsv, *actCut, *actCopy, *actPaste, *actDisplayResult, *actSaveResult, *actAddElement,
      *actModifyElement, *actRemoveElement, *actSplitElement, *actMoveElementUp, *actMoveElementDown, *actCalendar,
      *actParameters, *actGeometricalTool, *actHydraulicTool, *actHelpContents, *actAbout, *actContextHelp;

protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  class TWindowUI;
  struct TBinding {
    QWidget* Control;
    std::function<void()> Collect;
  };

  // MainPageControls.cpp: panels, pages, and the copies between the
  // controls and the project.
  void CreateDataEntryPanel();
  QWidget* CreateIdentificationPanel();
  QWidget* CreateCulvertDesignPage();
  QWidget* CreateCulvertAnalysisPage();
  QWidget* CreateStormSewerPage();
  QWidget* CreateInletSpacingPage();
  QWidget* CreateDitchAnalysisPage();
  QWidget* CreateGridBox(int page, const char* name);
  void Bind(int page, QWidget* control, std::function<void()> collect);
  void FillCodeLists();
  void RefreshIdentification();
  void RefreshPage();
  void RefreshGrids();

  // MainPage.cpp: menus, tool bar, status bar, commands.
  void CreateActions();
  void CreateFileActions();
  void CreateEditActions();
  void CreateProjectActions();
  void CreateToolAndHelpActions();
  void SetShortcuts();
  void ConnectNewProjectActions();
  void ConnectCommands();
  void ConnectEditActions();
  void ConnectToolAndHelpActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void LoadBackground();
  bool WindowShortcutWins(QObject* watched, const QKeyEvent& key) const;
  bool GridKey(QObject* watched, const QKeyEvent& key);
  QAction* MakeAction(const char* name, const QString& caption, bool openProjectOnly);
  void ShowProject();
  void AfterElementCommand(int position);
  int ActivePage() const;

  QString FProgramFolder;
  std::unique_ptr<TNerraParameterList> FParameters;
  std::unique_ptr<TCulvertBasePipeList> FCatalogue;
  std::unique_ptr<TWindowUI> FUI;
  std::unique_ptr<TMainDocument> FDocument;
  std::unique_ptr<QPrinter> FPrinter;
  std::vector<std::unique_ptr<TNerraBaseList>> FCodeLists;
  std::array<TElementGridModel*, MainPageCount> FGridModels{};
  std::array<QWidget*, MainPageCount> FGridBoxes{};
  std::vector<TBinding> FIdentificationBindings;
  std::array<std::vector<TBinding>, MainPageCount> FPageBindings;
  std::vector<QAction*> FOpenProjectActions;
  QMenu* FProjectMenu = nullptr;
  QMenu* FRecentMenu = nullptr;
  void FillRecentMenu();
};
