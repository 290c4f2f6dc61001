// Every report of every sample, and of long and awkward projects, set in the
// report font with the painter's own metrics: no two texts of a page touch
// or come closer than 1 pt, no text is shrunk below 6 pt and none is cut.
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

#include "app/reports/ReportPainter.h"
#include "appmodel/MainDocument.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "ditch/DitchAnalysis.h"
#include "inletspacing/InletSpacing.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/ProjectReport.h"
#include "reports/Report.h"
#include "stormsewer/StormSewer.h"

namespace {

constexpr double Clearance = 1.0;

// The page controls of the desktop, as a test sets them.
struct TSettings {
  uint8_t AnalysisOption = aoPerformanceCurve;
  std::string PipeType = "0";
  bool ImprovedInlet = false;
};

class TQuietUI : public TMainDocumentUI {
public:
  TSettings Settings;
  std::string LastError;
  bool Confirm(const std::string&) override { return true; }
  void ShowError(const std::string& text) override { LastError = text; }
  void ShowPlainMessage(const std::string& text) override { LastError = text; }
  std::string AskOpenFileName() override { return std::string(); }
  std::string AskSaveFileName() override { return std::string(); }
  void CollectControls() override {
    if (!Document) return;
    if (TCulvertAnalysis* analysis = Document->CulvertAnalysis()) analysis->SetAnalysisOption(Settings.AnalysisOption);
    if (TCulvertDesign* design = Document->CulvertDesign()) {
      design->PipeType = Settings.PipeType;
      design->ImprovedInlet = Settings.ImprovedInlet;
    }
  }
  TMainDocument* Document = nullptr;
};

struct TCase {
  QString Name;
  QString File;  // under the source folder
  TSettings Settings;
};

QString Describe(const TRenderedText& text, const TReportTextPlacement& placed) {
  return QStringLiteral("\"%1\" (%2 pt at %3, %4)")
      .arg(placed.Text)
      .arg(placed.PointSize, 0, 'f', 2)
      .arg(placed.Extent.x(), 0, 'f', 1)
      .arg(text.Y, 0, 'f', 1);
}

// Gap between two ink boxes along one axis; negative where they overlap.
double Gap(double start1, double end1, double start2, double end2) { return std::max(start2 - end1, start1 - end2); }

// The faults of one page, one line each.
QStringList PageFaults(const TRenderedPage& page) {
  QStringList faults;
  std::vector<TReportTextPlacement> placed;
  for (const TRenderedText& text : page.Texts) placed.push_back(PlaceReportText(text));
  for (size_t i = 0; i < placed.size(); ++i) {
    const TRenderedText& text = page.Texts[i];
    const TReportTextPlacement& p = placed[i];
    if (p.PointSize < ReportMinimumPointSize - 1e-9)
      faults << QStringLiteral("shrunk below 6 pt: %1").arg(Describe(text, p));
    if (p.Text != (text.Utf8 ? QString::fromStdString(text.Text) : QString::fromLatin1(text.Text.c_str())))
      faults << QStringLiteral("cut: %1").arg(Describe(text, p));
    for (size_t j = i + 1; j < placed.size(); ++j) {
      const QRectF& a = p.Extent;
      const QRectF& b = placed[j].Extent;
      if (a.isEmpty() || b.isEmpty()) continue;
      if (Gap(a.left(), a.right(), b.left(), b.right()) < Clearance &&
          Gap(a.top(), a.bottom(), b.top(), b.bottom()) < Clearance)
        faults << QStringLiteral("too close: %1 and %2").arg(Describe(text, p), Describe(page.Texts[j], placed[j]));
    }
  }
  return faults;
}

}  // namespace

class TestReportLayout : public QObject {
  Q_OBJECT

  TNerraParameterList FParameters;
  TCulvertBasePipeList FPipes;

  // Opens and calculates the file as the desktop does before it prints.
  std::unique_ptr<TReport> ReportOf(const TCase& test, QString& error) {
    TQuietUI ui;
    ui.Settings = test.Settings;
    TMainDocument document(FParameters, FPipes, ui);
    ui.Document = &document;
    const std::string message = document.OpenProject(std::string(DREVIA_SOURCE_DIR "/") + test.File.toStdString());
    if (!message.empty()) {
      error = QString::fromStdString(message);
      return nullptr;
    }
    if (!document.PrepareResult(TResultCommand::Print, -1)) {
      error = QString::fromStdString(ui.LastError);
      return nullptr;
    }
    return CreateProjectReport(*document.CurrentProject(), FParameters);
  }

  void Check(const TReport& report) {
    QStringList faults;
    for (const TRenderedPage& page : report.Paginate())
      for (const QString& fault : PageFaults(page)) faults << QStringLiteral("page %1: %2").arg(page.Number).arg(fault);
    if (faults.size() > 40) faults = faults.mid(0, 40) << QStringLiteral("...");
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
  }

private slots:
  void initTestCase() {
    QCOMPARE(QString::fromStdString(StartupLoadParameters(DREVIA_BIN_DIR "/", FParameters, FPipes)), QString());
    qInfo("report font: %s", qPrintable(QFontInfo(QFont(ReportFontFamily())).family()));
  }

  void reportsOfProjects_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("pipeType");
    QTest::addColumn<bool>("improved");
    const int performance = aoPerformanceCurve, buried = aoBuriedDepthCurve, system = aoCulvertSystem;
    auto row = [](const char* name, const char* file, int option = 0, const char* pipeType = "0",
                  bool improved = false) {
      QTest::newRow(name) << QString::fromLatin1(file) << option << QString::fromLatin1(pipeType) << improved;
    };
    row("culvert design, pipes", "samples/culvert-design.xml");
    row("culvert design, all types, improved inlets", "samples/culvert-design.xml", 0, "99", true);
    row("culvert design, boxes", "samples/culvert-design.xml", 0, "5");
    row("culvert analysis, performance", "samples/culvert-analysis-performance.xml", performance);
    row("culvert analysis, buried", "samples/culvert-analysis-buried.xml", buried);
    row("culvert analysis, system", "samples/culvert-analysis-system.xml", system);
    row("storm sewer design", "samples/storm-sewer-design.xml");
    row("storm sewer analysis", "samples/storm-sewer-analysis.xml");
    row("inlet spacing", "samples/inlet-spacing.xml");
    row("ditch analysis", "samples/ditch-analysis.xml");
    row("storm sewer over two pages", "tests/data/reports/storm-sewer-long.xml");
    row("ditch with steep grade, deep flow and high shear", "tests/data/reports/ditch-edge.xml");
    row("buried pipe arch and large elliptical", "tests/data/reports/culvert-analysis-edge.xml", buried);
    row("large elliptical performance curve", "tests/data/reports/culvert-analysis-edge.xml", performance);
    row("fifty inlets", "tests/data/reports/inlet-spacing-long.xml");
  }

  void reportsOfProjects() {
    QFETCH(QString, file);
    QFETCH(int, option);
    QFETCH(QString, pipeType);
    QFETCH(bool, improved);
    TCase test{QString(), file, {static_cast<uint8_t>(option), pipeType.toStdString(), improved}};
    QString error;
    const std::unique_ptr<TReport> report = ReportOf(test, error);
    QVERIFY2(report, qPrintable(error));
    Check(*report);
  }

  void emptyReportsOfEveryKind() {
    TCulvertDesign design(&FParameters, &FPipes);
    TCulvertAnalysis analysis(&FParameters, &FPipes);
    TStormSewer sewer(false, &FParameters);
    TInletSpacing inlets(&FParameters);
    TDitchAnalysis ditch(&FParameters);
    for (const TNerraBaseProject* project :
         std::initializer_list<const TNerraBaseProject*>{&design, &analysis, &sewer, &inlets, &ditch}) {
      const std::unique_ptr<TReport> report = CreateProjectReport(*project, FParameters);
      QVERIFY(report);
      Check(*report);
    }
  }

  // The check itself: it finds texts that run together, and a text too long
  // for its box is shrunk no further than 6 pt and then cut, not printed
  // over its neighbour.
  void findsTextsThatRunTogether() {
    TRenderedPage page;
    TRenderedText left;
    left.Text = "SIDE";
    left.Width = 20;
    left.Height = 10;
    left.FontSize = 7;
    left.Bold = true;
    left.Align = TReportAlign::Right;
    TRenderedText right = left;
    right.Text = "LENGTH";
    right.Align = TReportAlign::Left;
    right.X = 19.5;
    right.Width = 40;
    page.Texts = {left, right};
    QVERIFY(!PageFaults(page).isEmpty());
    page.Texts[1].X = 23;
    QVERIFY2(PageFaults(page).isEmpty(), qPrintable(PageFaults(page).join(QLatin1Char('\n'))));
    page.Texts[1].X = 0;
    page.Texts[1].Y = 5;  // half a line below: touching
    QVERIFY(!PageFaults(page).isEmpty());
    page.Texts[1].Y = 12;
    QVERIFY(PageFaults(page).isEmpty());

    TRenderedText longName = left;
    longName.Bold = false;
    longName.FontSize = 10;
    longName.Width = 120;
    longName.Text = std::string(200, 'W');
    const TReportTextPlacement placed = PlaceReportText(longName);
    QCOMPARE(placed.PointSize, ReportMinimumPointSize);
    QVERIFY(placed.Text.endsWith(QChar(0x2026)));
    QVERIFY2(placed.Extent.right() <= longName.X + longName.Width + 0.01,
             qPrintable(QString::number(placed.Extent.right())));
  }
};

QTEST_MAIN(TestReportLayout)
#include "TestReportLayout.moc"
