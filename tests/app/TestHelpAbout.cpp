// The help window, the about box and the start-up update check, as the main
// window and the dialogs call them.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <fstream>
#include <string>
#include <vector>

#include "app/framework/BaseForm.h"
#include "app/help/AboutPage.h"
#include "app/help/HelpAbout.h"
#include "app/help/HelpViewer.h"
#include "appmodel/UpdateCheck.h"
#include "foundation/Messages.h"
#include "foundation/ProgramVersion.h"

namespace {
const std::string HelpFile = std::string(DREVIA_BIN_DIR) + "/drevia.chm";

// A dialog with a help topic, as every entry dialog has.
class TTopicDialog : public TfrmBaseDlgForm {
public:
  explicit TTopicDialog(int topic) : TfrmBaseDlgForm(nullptr, nullptr) {
    HelpContext = topic;
    Create();
  }
  std::string HelpFileName() const override { return HelpFile; }
};

QString PageName(const TfrmHelpViewer* viewer) { return viewer->tbPage->source().fileName(); }
}  // namespace

class TestHelpAbout : public QObject {
  Q_OBJECT

private slots:
  void init() {
    FMessages.clear();
    SetMessageBoxHandler([this](TMessageKind, const std::string& text) {
      FMessages.push_back(text);
      return false;
    });
  }
  void cleanup() {
    SetMessageBoxHandler(nullptr);
    SetHelpHandler(nullptr);
    if (TfrmHelpViewer* viewer = CurrentHelpViewer()) delete viewer;
  }

  void helpWindowOpensTheTopicPage() {
    TfrmHelpViewer* viewer = OpenHelpViewer(nullptr, HelpFile, 402);
    QVERIFY(viewer);
    QCOMPARE(PageName(viewer), QStringLiteral("storm-sewer-result.html"));
    QVERIFY(viewer->windowTitle().contains(QStringLiteral("Storm Sewer System Result")));
    QVERIFY(viewer->tbPage->toPlainText().contains(QStringLiteral("Cover-HG")));

    viewer->btnContents->click();
    QCOMPARE(PageName(viewer), QStringLiteral("index.html"));
    QVERIFY(viewer->btnBack->isEnabled());
    viewer->btnBack->click();
    QCOMPARE(PageName(viewer), QStringLiteral("storm-sewer-result.html"));

    // The same window serves the next request of the same owner.
    QCOMPARE(OpenHelpViewer(nullptr, HelpFile, 1002), viewer);
    QCOMPARE(PageName(viewer), QStringLiteral("calendar.html"));
  }

  void noHelpFolderOpensNothing() {
    QVERIFY(!OpenHelpViewer(nullptr, "", 0));
    QVERIFY(!OpenHelpViewer(nullptr, "/nowhere/drevia.chm", 201));
    QVERIFY(!CurrentHelpViewer());
  }

  void functionKeyOneInADialogOpensItsTopic() {
    InstallHelpViewer();
    TTopicDialog dialog(601);
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_F1);
    TfrmHelpViewer* viewer = CurrentHelpViewer();
    QVERIFY(viewer);
    QCOMPARE(PageName(viewer), QStringLiteral("ditch-entry.html"));

    // A help window beside a modal dialog must belong to it, or the dialog
    // would block it.
    QPointer<TfrmHelpViewer> helpOfModal;
    QTimer::singleShot(0, this, [&] {
      auto* modal = dynamic_cast<TTopicDialog*>(QApplication::activeModalWidget());
      if (!modal) return;
      QTest::keyClick(modal, Qt::Key_F1);
      helpOfModal = CurrentHelpViewer();
      modal->reject();
    });
    TTopicDialog modal(302);
    modal.exec();
    QVERIFY(helpOfModal);
    QCOMPARE(helpOfModal->parentWidget(), &modal);
    QCOMPARE(PageName(helpOfModal), QStringLiteral("culvert-analysis-result.html"));
  }

  void aboutBoxShowsTheProgramVersion() {
    const TProgramVersion& running = RunningProgramVersion();
    const QString version =
        QStringLiteral("%1.%2.%3.%4").arg(running.Major).arg(running.Minor).arg(running.Release).arg(running.Build);
    QStringList shown;
    QTimer::singleShot(0, this, [&] {
      auto* page = qobject_cast<TfrmAboutPage*>(QApplication::activeModalWidget());
      if (!page) return;
      shown << page->windowTitle() << page->lblProductName->text() << page->lblVersion->text()
            << page->lblCopyright->text() << page->lblComments->text();
      page->btnOK->click();
    });
    QVERIFY(ShowAboutBox(nullptr));
    QCOMPARE(shown.size(), 5);
    QCOMPARE(shown[0], QStringLiteral("About"));
    QCOMPARE(shown[1], QString::fromLatin1(running.ProductName.c_str()));
    QCOMPARE(shown[2], QStringLiteral("Version : ") + version);
    QVERIFY(!shown[3].isEmpty() && shown[3] != QStringLiteral("N/A"));
    QVERIFY(!shown[4].isEmpty() && shown[4] != QStringLiteral("N/A"));
  }

  void aboutBoxRefusesAFileWithoutVersionData() {
    const QString plain = QDir::temp().filePath(QStringLiteral("drevia-about-plain.txt"));
    std::ofstream(QFile::encodeName(plain).toStdString()) << "no version here";
    bool shownBox = false;
    QTimer::singleShot(0, this, [&] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        shownBox = true;
        modal->close();
      }
    });
    TAboutDialog about(nullptr);
    QVERIFY(!about.Execute(QFile::encodeName(plain).toStdString()));
    QVERIFY(!about.Execute("/nowhere/drevia"));
    QCoreApplication::processEvents();
    QVERIFY(!shownBox);
    QFile::remove(plain);
  }

  void updateCheckWithoutRecordAsksNothing() {
    QVERIFY(!CheckForUpdate("", nullptr));
    QVERIFY(!CheckForUpdate("Other", nullptr));
    QVERIFY(FMessages.empty());
  }

  void updateCheckComparesThisProgramWithTheRelease() {
    // The record beside this program names it as the installed program and a
    // release folder holding a copy of it: first of the same version, then a
    // newer one, which is offered; the answer is No.
    const QString folder = QCoreApplication::applicationDirPath();
    const QString release = QDir::temp().filePath(QStringLiteral("drevia-release-test"));
    QDir().mkpath(release);
    const QString program = QCoreApplication::applicationFilePath();
    const std::string copy =
        QFile::encodeName(release + QLatin1Char('/') + QFileInfo(program).fileName()).toStdString();
    const std::string running = ReadProgramFileVersion(QFile::encodeName(program).toStdString()).FileVersion;
    QVERIFY(!running.empty());
    std::ofstream(copy, std::ios::binary) << "DREVIA-FILE-VERSION:" << running << '\0';
    const QString record = folder + QLatin1Char('/') + QString::fromLatin1(InstallRecordFileName);
    std::ofstream(QFile::encodeName(record).toStdString()) << "[SOFTWARE\\QORV\\TestHelpAbout\\INSTALL]\n"
                                                           << "ApplicationFilename=" << program.toStdString() << "\n"
                                                           << "UpdateApplicationPath=" << release.toStdString() << "\n"
                                                           << "SetupFilename=/nowhere/setup\n";
    const bool sameVersion = CheckForUpdate("TestHelpAbout", nullptr);
    const size_t questionsOfSame = FMessages.size();
    // Put together at run time: a whole record in this test's own text would
    // be found when the test program itself is scanned.
    std::ofstream(copy, std::ios::binary) << "DREVIA-FILE-VERSION:" << std::string("999.0.0.0") << '\0';
    const bool started = CheckForUpdate("TestHelpAbout", nullptr);
    QFile::remove(record);
    QDir(release).removeRecursively();
    QVERIFY(!sameVersion);
    QCOMPARE(questionsOfSame, size_t(0));
    QVERIFY(!started);
    QCOMPARE(FMessages.size(), size_t(1));
    QCOMPARE(FMessages[0], std::string(UpdateQuestion));
  }

private:
  std::vector<std::string> FMessages;
};

QTEST_MAIN(TestHelpAbout)
#include "TestHelpAbout.moc"
