#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/main/ElementGridModel.h"
#include "app/main/MainPage.h"
#include "appmodel/ElementGrids.h"
#include "culvert/CulvertDesign.h"
#include "foundation/Messages.h"
#include "model/ParameterList.h"
#include "stormsewer/StormSewer.h"

class TestMainWindow : public QObject {
  Q_OBJECT

private:
  std::vector<std::string> FMessages;
  bool FAnswer = true;

  std::unique_ptr<TfrmMainPage> StartedWindow() {
    auto window = std::make_unique<TfrmMainPage>(QStringLiteral(DREVIA_BIN_DIR));
    if (!window->Startup()) return nullptr;
    return window;
  }

  // Answers the next file dialog with the path.
  static void ChooseFile(const QString& path) {
    QTimer::singleShot(0, [path] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      dialog->selectFile(path);
      QMetaObject::invokeMethod(dialog, "accept");
    });
  }

  static std::string FirstCode(const TfrmMainPage& window, TParameterCategory category) {
    auto codes = window.Parameters().CodesOfCategory(category);
    auto* first = dynamic_cast<TNerraBaseCode*>(codes->Object(0));
    return first ? first->Code : std::string();
  }

private slots:
  void init() {
    FMessages.clear();
    FAnswer = true;
    SetMessageBoxHandler([this](TMessageKind, const std::string& text) {
      FMessages.push_back(text);
      return FAnswer;
    });
  }

  void cleanup() { SetMessageBoxHandler(nullptr); }

  void startsWithoutProject() {
    auto window = StartedWindow();
    QVERIFY(window);
    QCOMPARE(window->windowTitle(), QStringLiteral("QORV Drevia Design Software"));
    QVERIFY(window->actOpen->isVisible());
    QVERIFY(window->actCalendar->isVisible());
    QVERIFY(!window->actSave->isVisible());
    QVERIFY(!window->actDisplayResult->isVisible());
    QVERIFY(window->pnlDataEntry->isHidden());
    QCOMPARE(window->StatusPanels[0]->text(), QString());
    QCOMPARE(window->actMoveElementUp->shortcut(), QKeySequence(QStringLiteral("Ctrl+U")));
    QCOMPARE(window->actSaveAs->shortcuts(), QKeySequence::keyBindings(QKeySequence::SaveAs));
  }

  void startupFailsWithoutParameterFiles() {
    QTemporaryDir empty;
    // Nor a user copy of them from an earlier conversion.
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", empty.path().toLocal8Bit());
    TfrmMainPage window(empty.path());
    const bool started = window.Startup();
    if (dataHome.isNull())
      qunsetenv("XDG_DATA_HOME");
    else
      qputenv("XDG_DATA_HOME", dataHome);
    QVERIFY(!started);
    QCOMPARE(FMessages.size(), size_t(1));
    QVERIFY(!FMessages[0].empty());
  }

  // "drevia FILE", as the menu entry runs it for a double-clicked project.
  void openFileCommandShowsTheProject() {
    auto window = StartedWindow();
    QVERIFY(window);
    window->OpenFileCommand(QStringLiteral(DREVIA_SOURCE_DIR "/samples/culvert-design.xml"));
    QVERIFY(window->Document().CulvertDesign());
    QCOMPARE(window->pcNerra->currentIndex(), int(mpCulvertDesign));
    QCOMPARE(window->StatusPanels[0]->text(), QStringLiteral("culvert-design.xml"));
    QVERIFY(FMessages.empty());
  }

  void newCulvertDesignShowsItsPageAndFirstEntries() {
    auto window = StartedWindow();
    QVERIFY(window);
    window->actNewCulvertDesign->trigger();
    QVERIFY(window->Document().ProjectOpen());
    QVERIFY(FMessages.empty());  // nothing open before: no question
    QVERIFY(!window->pnlDataEntry->isHidden());
    QCOMPARE(window->pcNerra->currentIndex(), int(mpCulvertDesign));
    for (QAction* shown :
         {window->actSave, window->actSaveAs, window->actClose, window->actPreview, window->actPrint,
          window->actDisplayResult, window->actSaveResult, window->actAddElement, window->actModifyElement,
          window->actRemoveElement, window->actMoveElementUp, window->actMoveElementDown})
      QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
    for (QAction* hidden :
         {window->actRemove, window->actImport, window->actExport, window->actSplitElement, window->actParameters})
      QVERIFY2(!hidden->isVisible(), qPrintable(hidden->objectName()));
    QCOMPARE(window->StatusPanels[0]->text(), QStringLiteral("<new>"));

    QCOMPARE(window->cbUCPipeType->currentIndex(), 0);
    QCOMPARE(window->cbUCDesignFrequency->currentIndex(), 0);
    QCOMPARE(window->cbUCFloodFrequency->currentIndex(), 0);
    QVERIFY(window->cbUCPipeType->count() > 0);
    // Stored with the next command.
    window->CollectControls();
    TCulvertDesign* design = window->Document().CulvertDesign();
    QCOMPARE(design->PipeType, FirstCode(*window, pcDesignPipeType));
    QCOMPARE(design->DischargeFrequency, FirstCode(*window, pcStormFrequency));
    QCOMPARE(design->FloodFrequency, FirstCode(*window, pcStormFrequency));
  }

  void elementsAddedThroughTheDocumentShowInTheGrid() {
    auto window = StartedWindow();
    QVERIFY(window);
    window->actNewCulvertDesign->trigger();
    TMainDocument& document = window->Document();
    for (double discharge : {45.0, 1234.567}) {
      auto element = document.CreateElement();
      auto* crossing = dynamic_cast<TCulvertDesignElement*>(element.get());
      crossing->DesignDischarge = discharge;
      crossing->BuriedOption = discharge > 100;
      document.AddElement(std::move(element));
    }
    window->RefreshDisplay();
    TElementGridModel* model = window->GridModel(mpCulvertDesign);
    QCOMPARE(model->rowCount(), 2);
    QCOMPARE(model->data(model->index(0, cdcDesignDischarge)).toString(), QStringLiteral("45.00"));
    QCOMPARE(model->data(model->index(1, cdcDesignDischarge)).toString(), QStringLiteral("1234.57"));
    QCOMPARE(model->data(model->index(1, cdcBuried)).toString(), QStringLiteral("B"));
    QCOMPARE(model->headerData(cdcSlope, Qt::Horizontal).toString(), QStringLiteral("Slope (ft.)"));

    window->SelectPosition(0);
    window->actMoveElementDown->trigger();
    QCOMPARE(window->SelectedPosition(), 1);
    QCOMPARE(model->data(model->index(1, cdcDesignDischarge)).toString(), QStringLiteral("45.00"));
    window->actMoveElementDown->trigger();
    QCOMPARE(window->SelectedPosition(), 1);

    window->actRemoveElement->trigger();
    QCOMPARE(FMessages.back(), std::string(RemoveElementQuestion));
    QCOMPARE(model->rowCount(), 1);
  }

  void openShowsTheFileAndSaveSaysSo() {
    auto window = StartedWindow();
    QVERIFY(window);
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("design.xml"));
    QVERIFY(QFile::copy(QStringLiteral(DREVIA_SOURCE_DIR "/samples/culvert-design.xml"), copy));
    ChooseFile(copy);
    window->actOpen->trigger();
    QVERIFY(window->Document().CulvertDesign());
    QCOMPARE(window->pcNerra->currentIndex(), int(mpCulvertDesign));
    QCOMPARE(window->edtJobNumber->text(), QStringLiteral("CD-2024-07"));
    QCOMPARE(window->cbUCDesignFrequency->SelectedCode(""), std::string("25"));
    QCOMPARE(window->cbUCFloodFrequency->SelectedCode(""), std::string("100"));
    QCOMPARE(window->StatusPanels[0]->text(), QStringLiteral("design.xml"));
    QCOMPARE(window->GridModel(mpCulvertDesign)->rowCount(), window->Document().ElementCount());
    QCOMPARE(window->SelectedPosition(), 0);

    window->edtProject->SetTextValue(QStringLiteral("Renamed"));
    window->actSave->trigger();
    QCOMPARE(window->StatusPanels[2]->text(), QStringLiteral("Successfully Saved"));
    QFile saved(copy);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray text = saved.readAll();
    QVERIFY(text.contains("<Project>Renamed</Project>"));
    QVERIFY(text.endsWith("\r\n"));
    QVERIFY(FMessages.empty());
  }

  void stormSewerAnalysisShowsInvertsAndItsTitle() {
    auto window = StartedWindow();
    QVERIFY(window);
    window->actNewStormSewerDesign->trigger();
    QTableView* grid = window->Grids[mpStormSewer];
    QVERIFY(!grid->isColumnHidden(sscInletCrown));
    QVERIFY(grid->isColumnHidden(sscInletInvert));
    window->actNewStormSewerAnalysis->trigger();
    QVERIFY(FMessages.empty());  // nothing changed: closed without a question
    QVERIFY(window->Document().StormSewer()->IsAnalysis);
    QCOMPARE(window->lblSSTitle->text(), QStringLiteral("STORM SEWER SYSTEM ANALYSIS"));
    QVERIFY(grid->isColumnHidden(sscOutletCrown));
    QVERIFY(!grid->isColumnHidden(sscOutletInvert));
  }

  void identificationIsCollectedAndRefusingTheCloseKeepsTheProject() {
    auto window = StartedWindow();
    QVERIFY(window);
    window->actNewDitchAnalysis->trigger();
    window->edtJobNumber->SetTextValue(QStringLiteral("PID-77"));
    window->edtDAShear[0]->SetFloatValue(0.4);
    window->CollectControls();
    TNerraBaseProject* project = window->Document().CurrentProject();
    QCOMPARE(project->Identification.PID, std::string("PID-77"));
    QCOMPARE(window->edtJobNumber->MaxLength(), 10);

    FAnswer = false;
    QVERIFY(!window->close());
    QCOMPARE(window->Document().CurrentProject(), project);
    FAnswer = true;
    window->actClose->trigger();
    QVERIFY(!window->Document().ProjectOpen());
    QVERIFY(window->pnlDataEntry->isHidden());
    QVERIFY(!window->actSave->isVisible());
  }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
