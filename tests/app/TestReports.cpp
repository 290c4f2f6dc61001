// Painting, preview, printing and PDF export of reports, offscreen.
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

#include "app/reports/ReportPainter.h"
#include "app/reports/ReportPrinting.h"
#include "culvert/CulvertDesign.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/CulvertDesignReport.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

namespace {

// Closes the next modal window that opens, with Cancel.
void RejectNextModal() {
  QTimer::singleShot(200, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
      dialog->reject();
    else if (QWidget* widget = QApplication::activeModalWidget())
      widget->close();
  });
}

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

}  // namespace

class TestReports : public QObject {
  Q_OBJECT

  const TNerraParameterList& FParameters = ShippedParameters();
  const TCulvertBasePipeList& FPipes = ShippedPipes();
  std::unique_ptr<TCulvertDesign> FDesign;

  std::unique_ptr<TReport> SampleReport() { return CreateCulvertDesignReport(*FDesign, FParameters); }

private slots:
  void initTestCase() {
    FDesign = std::make_unique<TCulvertDesign>(&FParameters, &FPipes);
    TXMLDocument document;
    std::string error;
    QVERIFY(OpenProjectDocument(DREVIA_SOURCE_DIR "/samples/culvert-design.xml", document, error));
    FDesign->Load(document.GetXML());
    FDesign->FileName = DREVIA_SOURCE_DIR "/samples/culvert-design.xml";
    FDesign->PipeType = "99";
    QCOMPARE(FDesign->Calculate(), 0);
  }

  void exportsEveryPageToPdf() {
    const auto report = SampleReport();
    const size_t pages = report->Paginate().size();
    QVERIFY(pages > 2);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("design.pdf"));
    QVERIFY(ExportReportPdf(*report, fileName));
    QCOMPARE(PdfPageCount(fileName), static_cast<int>(pages));
  }

  void exportsAnEmptyReportAsOnePage() {
    TCulvertDesign empty(&FParameters, &FPipes);
    const auto report = CreateCulvertDesignReport(empty, FParameters);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("empty.pdf"));
    QVERIFY(ExportReportPdf(*report, fileName));
    QCOMPARE(PdfPageCount(fileName), 1);
  }

  void refusesAFileThatCannotBeWritten() {
    const auto report = SampleReport();
    QVERIFY(!ExportReportPdf(*report, QStringLiteral("/nonexistent-folder/report.pdf")));
  }

  void paintsTextsRulesAndLogo() {
    const auto report = SampleReport();
    const auto pages = report->Paginate();
    QImage image(792, 612, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TReportPainter(painter, 1.0).PaintPage(pages.front());
    painter.end();
    auto inked = [&](int x0, int y0, int x1, int y1) {
      for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
          if (image.pixel(x, y) != qRgb(255, 255, 255)) return true;
      return false;
    };
    QVERIFY(inked(36, 36, 90, 72));    // the logo
    QVERIFY(inked(300, 40, 500, 70));  // the heading
    QVERIFY(!inked(0, 0, 792, 30));    // nothing in the top margin
  }

  // The report's PDF title, and the PDF name the print dialog offers for
  // printing to a file.
  void pdfTitleAndPrintFileName() {
    const auto report = SampleReport();
    QCOMPARE(ReportPdfTitle(*report), QStringLiteral("UNIVERSAL CULVERT DESIGN - culvert-design.xml"));
    QPrinter printer;
    RejectNextModal();
    QVERIFY(!PrintReport(*report, nullptr, &printer));
    QCOMPARE(printer.docName(), QStringLiteral("culvert-design-culvert-design-report.pdf"));
  }

  void collatedCopiesAreSeparateRuns() {
    const TPrintRuns collated = PrintRunsFor(3, true);
    QCOMPARE(collated.Runs, 3);
    QCOMPARE(collated.CopiesPerRun, 1);
    const TPrintRuns uncollated = PrintRunsFor(3, false);
    QCOMPARE(uncollated.Runs, 1);
    QCOMPARE(uncollated.CopiesPerRun, 3);
    const TPrintRuns single = PrintRunsFor(1, true);
    QCOMPARE(single.Runs, 1);
    QCOMPARE(single.CopiesPerRun, 1);
    QCOMPARE(PrintRunsFor(0, false).CopiesPerRun, 1);
  }

  void previewClosesAndPrintCanBeCancelled() {
    const auto report = SampleReport();
    RejectNextModal();
    PreviewReport(*report, nullptr);
    RejectNextModal();
    QVERIFY(!PrintReport(*report, nullptr));
  }
};

QTEST_MAIN(TestReports)
#include "TestReports.moc"
