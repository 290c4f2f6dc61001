// File > Export Report as PDF... in the main window, driven from the menu
// bar as a user does it.
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <string>
#include <vector>

#include "app/main/MainPage.h"
#include "appmodel/MainDocument.h"
#include "foundation/Messages.h"

namespace {

int PdfPageCount(const QString& fileName) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = file.readAll();
  if (!bytes.startsWith("%PDF-")) return -1;
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
  int count = 0;
  for (auto it = page.globalMatch(QString::fromLatin1(bytes)); it.hasNext(); it.next()) ++count;
  return count;
}

QAction* FileMenuAction(TfrmMainPage& window, const QString& text) {
  QAction* file = window.menuBar()->actions().value(0);
  if (!file || !file->menu()) return nullptr;
  for (QAction* action : file->menu()->actions())
    if (action->text() == text) return action;
  return nullptr;
}

}  // namespace

class TestReportExport : public QObject {
  Q_OBJECT

  std::vector<std::string> FMessages;

private slots:
  void init() {
    FMessages.clear();
    SetMessageBoxHandler([this](TMessageKind, const std::string& text) {
      FMessages.push_back(text);
      return true;
    });
  }
  void cleanup() { SetMessageBoxHandler(nullptr); }

  // File > Export Report as PDF... from the menu bar: the save dialog offers
  // the name beside the project, and the file written is the report.
  void exportFromTheFileMenu() {
    TfrmMainPage window(QStringLiteral(DREVIA_BIN_DIR));
    QVERIFY(window.Startup());
    QTemporaryDir folder;
    const QString project = folder.filePath(QStringLiteral("route9.xml"));
    QVERIFY(QFile::copy(QStringLiteral(DREVIA_SOURCE_DIR "/samples/ditch-analysis.xml"), project));
    QTimer::singleShot(0, [project] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        dialog->selectFile(project);
        QMetaObject::invokeMethod(dialog, "accept");
      }
    });
    window.actOpen->trigger();
    QVERIFY(window.Document().DitchAnalysis());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QString offered;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&offered, &answer] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialog || !dialog->isVisible()) return;
      answer.stop();
      offered = dialog->selectedFiles().value(0);
      QMetaObject::invokeMethod(dialog, "accept");
    });
    answer.start(50);
    QAction* file = window.menuBar()->actions().value(0);
    QAction* exportAction = FileMenuAction(window, QStringLiteral("Export Report as P&DF..."));
    QVERIFY(exportAction);
    QVERIFY(exportAction->isVisible());
    QTest::mouseClick(window.menuBar(), Qt::LeftButton, {}, window.menuBar()->actionGeometry(file).center());
    QTRY_VERIFY(file->menu()->isVisible());
    QTest::mouseClick(file->menu(), Qt::LeftButton, {}, file->menu()->actionGeometry(exportAction).center());
    const QString expected = folder.filePath(QStringLiteral("route9-ditch-analysis-report.pdf"));
    QTRY_VERIFY(QFile::exists(expected));
    QCOMPARE(offered, expected);
    QCOMPARE(PdfPageCount(expected), 3);  // the table, the depth and the shear plots
    QVERIFY(FMessages.empty());
  }

  // A refused calculation shows its box and asks for no file.
  void refusedCalculationExportsNothing() {
    TfrmMainPage window(QStringLiteral(DREVIA_BIN_DIR));
    QVERIFY(window.Startup());
    window.actNewCulvertDesign->trigger();
    bool asked = false;
    QTimer::singleShot(300, [&asked] {
      if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
        asked = true;
        dialog->reject();
      }
    });
    FileMenuAction(window, QStringLiteral("Export Report as P&DF..."))->trigger();
    QTest::qWait(500);
    QVERIFY(!asked);
  }
};

QTEST_MAIN(TestReportExport)
#include "TestReportExport.moc"
