// The main window as a user drives it: mouse clicks on the menu bar, keys
// typed with the focus in a text box, files opened from outside, the
// modified mark and the per-user settings.

#include <QAbstractPrintDialog>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSplitter>
#include <QStackedWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/framework/BaseEdit.h"
#include "app/main/ElementGridModel.h"
#include "app/main/MainPage.h"
#include "culvert/CulvertDesign.h"
#include "foundation/Messages.h"

class TestDesktopUse : public QObject {
  Q_OBJECT

private:
  std::vector<std::string> FMessages;
  bool FAnswer = true;
  QTemporaryDir FConfigHome;
  std::function<void()> FOnMessage;

  std::unique_ptr<TfrmMainPage> StartedWindow() {
    auto window = std::make_unique<TfrmMainPage>(QStringLiteral(DREVIA_BIN_DIR));
    if (!window->Startup()) return nullptr;
    return window;
  }

  // Shown and active, so shortcuts and clicks reach it as they reach a user.
  static bool Activate(TfrmMainPage& window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
  }

  static void AddCrossings(TfrmMainPage& window, std::initializer_list<double> discharges) {
    TMainDocument& document = window.Document();
    for (double discharge : discharges) {
      auto element = document.CreateElement();
      dynamic_cast<TCulvertDesignElement*>(element.get())->DesignDischarge = discharge;
      document.AddElement(std::move(element));
    }
    window.RefreshDisplay();
  }

  static double DischargeAt(TfrmMainPage& window, int position) {
    return dynamic_cast<TCulvertDesignElement*>(window.Document().Element(position))->DesignDischarge;
  }

  static QPoint MenuTitle(QMenuBar* bar, const QString& title) {
    for (QAction* action : bar->actions())
      if (action->text() == title) return bar->actionGeometry(action).center();
    return {};
  }

private slots:
  void initTestCase() {
    // Recent files and the last folder go to a scratch configuration folder,
    // never the user's.
    QVERIFY(FConfigHome.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(FConfigHome.path()));
  }

  void init() {
    FMessages.clear();
    FAnswer = true;
    FOnMessage = nullptr;
    SetMessageBoxHandler([this](TMessageKind, const std::string& text) {
      FMessages.push_back(text);
      if (FOnMessage) FOnMessage();
      return FAnswer;
    });
  }

  void cleanup() { SetMessageBoxHandler(nullptr); }

  // Clicked while empty, the Project menu used to be left unmapped and
  // never opened again.
  void projectMenuOpensAfterNewEvenWhenClickedWhileEmpty() {
    auto window = StartedWindow();
    QVERIFY(window && Activate(*window));
    QMenuBar* bar = window->menuBar();
    const QPoint project = MenuTitle(bar, QStringLiteral("&Project"));
    QMenu* menu = nullptr;
    for (QAction* action : bar->actions())
      if (action->text() == QStringLiteral("&Project")) menu = action->menu();
    QVERIFY(menu);
    QVERIFY(!menu->menuAction()->isEnabled());
    QTest::mouseClick(bar, Qt::LeftButton, {}, project);
    QVERIFY(!menu->isVisible());
    QTest::keyClick(bar, Qt::Key_Escape);

    window->actNewCulvertDesign->trigger();
    QTest::mouseClick(bar, Qt::LeftButton, {}, project);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(window->actSaveResult->isVisible());
    menu->close();
  }

  void ctrlUInTheIdentificationMovesTheElementAndKeepsTheText() {
    auto window = StartedWindow();
    QVERIFY(window && Activate(*window));
    window->actNewCulvertDesign->trigger();
    AddCrossings(*window, {10, 20});
    window->SelectPosition(1);
    window->edtJobNumber->setFocus();
    QTest::keyClicks(window->edtJobNumber, QStringLiteral("PID-7"));
    QTest::keyClick(window->edtJobNumber, Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(window->edtJobNumber->text(), QStringLiteral("PID-7"));
    QCOMPARE(DischargeAt(*window, 0), 20.0);
    QCOMPARE(window->SelectedPosition(), 0);
    // Ctrl+D moves it back, also from the text box.
    window->edtJobNumber->setFocus();
    QTest::keyClick(window->edtJobNumber, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(window->edtJobNumber->text(), QStringLiteral("PID-7"));
    QCOMPARE(DischargeAt(*window, 1), 20.0);
  }

  void gridKeysModifyAndRemove() {
    auto window = StartedWindow();
    QVERIFY(window && Activate(*window));
    window->actNewCulvertDesign->trigger();
    AddCrossings(*window, {10, 20});
    QTableView* grid = window->Grids[mpCulvertDesign];
    window->SelectPosition(0);
    grid->setFocus();
    // Enter opens the element's dialog.
    bool dialogSeen = false;
    QTimer::singleShot(0, [&dialogSeen] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        dialogSeen = true;
        dialog->close();
      }
    });
    QTest::keyClick(grid, Qt::Key_Return);
    QVERIFY(dialogSeen);
    QTest::keyClick(grid, Qt::Key_Delete);
    QCOMPARE(FMessages.back(), std::string(RemoveElementQuestion));
    QCOMPARE(window->Document().ElementCount(), 1);
    QCOMPARE(DischargeAt(*window, 0), 20.0);
  }

  // The failure message must not stand over the project it replaced.
  void openFailureClearsTheWindowBeforeItsMessage() {
    auto window = StartedWindow();
    QVERIFY(window);
    window->OpenFileCommand(QStringLiteral(DREVIA_SOURCE_DIR "/samples/ditch-analysis.xml"));
    QVERIFY(window->Document().DitchAnalysis());
    QTemporaryDir folder;
    const QString bad = folder.filePath(QStringLiteral("bad.xml"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<?xml version=\"1.0\"?><Other/>");
    file.close();
    QString statusAtMessage = QStringLiteral("unset");
    bool panelHiddenAtMessage = false;
    FOnMessage = [&] {
      statusAtMessage = window->StatusPanels[0]->text();
      panelHiddenAtMessage = window->pnlDataEntry->isHidden();
    };
    window->OpenPathCommand(bad);
    QCOMPARE(FMessages.size(), size_t(1));
    QCOMPARE(statusAtMessage, QString());
    QVERIFY(panelHiddenAtMessage);
    QCOMPARE(window->windowTitle(), QStringLiteral("QORV Drevia Design Software"));
  }

  void titleNamesTheFileAndMarksChanges() {
    auto window = StartedWindow();
    QVERIFY(window);
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("ditch-analysis.xml"));
    QVERIFY(QFile::copy(QStringLiteral(DREVIA_SOURCE_DIR "/samples/ditch-analysis.xml"), copy));
    window->OpenFileCommand(copy);
    QCOMPARE(window->windowTitle(), QStringLiteral("ditch-analysis.xml - QORV Drevia Design Software"));
    QVERIFY(!window->Document().Modified());
    // An unchanged project closes without a question.
    window->actClose->trigger();
    QVERIFY(FMessages.empty());
    QVERIFY(!window->Document().ProjectOpen());

    window->OpenFileCommand(copy);
    window->edtProject->setFocus();
    window->edtProject->SetTextValue(QStringLiteral("Renamed"));
    window->edtJobNumber->setFocus();  // leaving the box stores it
    window->CollectControls();
    window->UpdateStatus();
    QCOMPARE(window->windowTitle(), QStringLiteral("ditch-analysis.xml* - QORV Drevia Design Software"));
    FAnswer = false;  // Cancel
    window->actClose->trigger();
    QCOMPARE(FMessages, std::vector<std::string>{CloseProjectQuestion});
    QVERIFY(window->Document().ProjectOpen());
    window->actSave->trigger();
    QCOMPARE(window->windowTitle(), QStringLiteral("ditch-analysis.xml - QORV Drevia Design Software"));
    window->actNewDitchAnalysis->trigger();
    QCOMPARE(FMessages.size(), size_t(1));  // saved: no second question
    QCOMPARE(window->windowTitle(), QStringLiteral("Untitled - QORV Drevia Design Software"));
  }

  void recentFilesAndTheLastFolderAreRemembered() {
    auto window = StartedWindow();
    QVERIFY(window);
    const QString sample = QStringLiteral(DREVIA_SOURCE_DIR "/samples/inlet-spacing.xml");
    window->OpenFileCommand(sample);
    QCOMPARE(window->RecentFiles().value(0), QFileInfo(sample).absoluteFilePath());
    QVERIFY(!window->RecentMenu()->actions().isEmpty());
    QVERIFY(window->RecentMenu()->actions().first()->text().contains(QStringLiteral("inlet-spacing.xml")));
    for (const char* name :
         {"culvert-design.xml", "ditch-analysis.xml", "storm-sewer-design.xml", "storm-sewer-analysis.xml",
          "culvert-analysis-buried.xml", "culvert-analysis-performance.xml", "culvert-analysis-system.xml"})
      window->OpenPathCommand(QStringLiteral(DREVIA_SOURCE_DIR "/samples/") + QString::fromLatin1(name));
    window->OpenPathCommand(sample);  // again: moves to the top, not listed twice
    const QStringList recent = window->RecentFiles();
    QCOMPARE(recent.size(), 8);
    QCOMPARE(recent.first(), QFileInfo(sample).absoluteFilePath());
    QCOMPARE(recent.count(QFileInfo(sample).absoluteFilePath()), 1);

    // A new window starts its dialogs in the folder used last.
    window->RememberFolder(sample);
    auto second = StartedWindow();
    QCOMPARE(second->LastFolder(), QFileInfo(sample).absolutePath());
    QCOMPARE(second->RecentFiles(), recent);
  }

  void saveAsAddsTheSuffixAndRefusesTheProgramsTables() {
    auto window = StartedWindow();
    QVERIFY(window);
    window->actNewCulvertDesign->trigger();
    QTemporaryDir folder;
    QTimer::singleShot(0, [&folder] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      dialog->selectFile(folder.filePath(QStringLiteral("crossing")));
      QMetaObject::invokeMethod(dialog, "accept");
    });
    window->actSaveAs->trigger();
    QVERIFY(QFile::exists(folder.filePath(QStringLiteral("crossing.xml"))));
    QCOMPARE(window->StatusPanels[0]->text(), QStringLiteral("crossing.xml"));

    // The running program's own tables are not a place for a project.
    const QString tables = QStringLiteral(DREVIA_BIN_DIR "/AppParameters.xml");
    QFile before(tables);
    QVERIFY(before.open(QIODevice::ReadOnly));
    const QByteArray original = before.readAll();
    before.close();
    QVERIFY(!window->Document().SaveProject(tables.toStdString()));
    QCOMPARE(FMessages.back(), std::string(ProtectedFileMessage));
    QFile after(tables);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), original);
  }

  // File > Export Results as CSV offers the project's name with ".csv" and
  // writes the table drevia-cli calc --csv prints.
  void exportResultsAsCsvWritesTheResultTable() {
    auto window = StartedWindow();
    QVERIFY(window);
    QMenu* file = nullptr;
    for (QAction* action : window->menuBar()->actions())
      if (action->text() == QStringLiteral("&File")) file = action->menu();
    QVERIFY(file && file->actions().contains(window->actExportResultsCsv));
    QVERIFY(!window->actExportResultsCsv->isEnabled());

    QTemporaryDir folder;
    const QString project = folder.filePath(QStringLiteral("route 9.xml"));
    QVERIFY(QFile::copy(QStringLiteral(DREVIA_SOURCE_DIR "/samples/storm-sewer-design.xml"), project));
    window->OpenFileCommand(project);
    QVERIFY(window->actExportResultsCsv->isEnabled());
    QString offered;
    QTimer::singleShot(0, [&offered] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      offered = dialog->selectedFiles().value(0);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    window->actExportResultsCsv->trigger();
    QCOMPARE(QFileInfo(offered).fileName(), QStringLiteral("route 9.csv"));
    QFile csv(folder.filePath(QStringLiteral("route 9.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    QVERIFY(bytes.startsWith("id,BeginJunction,EndJunction,"));
    QVERIFY(bytes.endsWith("\r\n"));
    // The header and one line per pipe run, every line ended by CR LF.
    const int pipes = window->Document().ElementCount();
    QVERIFY(pipes > 0);
    QCOMPARE(static_cast<int>(bytes.count("\r\n")), pipes + 1);
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QVERIFY(FMessages.empty());
  }

  void displayResultOnAnEmptyDesignSaysWhy() {
    auto window = StartedWindow();
    QVERIFY(window);
    window->actNewCulvertDesign->trigger();
    window->actDisplayResult->trigger();
    QCOMPARE(FMessages, std::vector<std::string>{NoElementsForResultMessage});
    window->actNewCulvertAnalysis->trigger();
    FMessages.clear();
    window->actDisplayResult->trigger();
    QCOMPARE(FMessages, std::vector<std::string>{NoElementsForResultMessage});
  }

  void printerSetupChoosesThePrinter() {
    auto window = StartedWindow();
    QVERIFY(window);
    QTest::failOnWarning(QRegularExpression(QStringLiteral("non-native")));
    QString shown;
    QTimer::singleShot(0, [&shown] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog) return;
      shown = QString::fromLatin1(dialog->metaObject()->className());
      if (qobject_cast<QAbstractPrintDialog*>(dialog)) shown = QStringLiteral("print dialog");
      dialog->close();
    });
    window->actPrinterSetup->trigger();
    QCOMPARE(shown, QStringLiteral("print dialog"));
  }

  void layoutGivesTheGridRoomAndStaysOnTheScreen() {
    auto window = StartedWindow();
    QVERIFY(window && Activate(*window));
    QVERIFY(window->width() <= window->screen()->availableGeometry().width());
    window->resize(20000, 20000);
    window->ScaleToScreen();
    QVERIFY(window->width() <= window->screen()->availableGeometry().width());
    QVERIFY(window->height() <= window->screen()->availableGeometry().height());

    window->resize(1000, 720);
    window->actNewDitchAnalysis->trigger();
    QTest::qWait(10);
    QTableView* grid = window->Grids[mpDitchAnalysis];
    QVERIFY(window->splDataEntry);
    QVERIFY(grid->isVisible());
    QVERIFY(grid->height() >= 8 * grid->verticalHeader()->defaultSectionSize());
  }

  void standardFileShortcutsBesideTheListedOnes() {
    auto window = StartedWindow();
    QVERIFY(window);
    // What the keys are depends on the desktop's platform theme.
    QCOMPARE(window->actOpen->shortcuts(), QKeySequence::keyBindings(QKeySequence::Open));
    QCOMPARE(window->actSave->shortcuts(), QKeySequence::keyBindings(QKeySequence::Save));
    QCOMPARE(window->actPrint->shortcuts(), QKeySequence::keyBindings(QKeySequence::Print));
    QCOMPARE(window->actExit->shortcuts(), QKeySequence::keyBindings(QKeySequence::Quit));
    QCOMPARE(window->actMoveElementUp->shortcut(), QKeySequence(QStringLiteral("Ctrl+U")));
  }
};

QTEST_MAIN(TestDesktopUse)
#include "TestDesktopUse.moc"
