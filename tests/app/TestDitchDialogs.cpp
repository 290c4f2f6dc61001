// The ditch analysis dialogs filled and confirmed without a screen.

#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QTableWidget>
#include <QtTest>
#include <string>
#include <vector>

#include "app/ditch/DitchElementDialog.h"
#include "app/ditch/DitchResultDialog.h"
#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/framework/PlotView.h"
#include "ditch/DitchAnalysis.h"
#include "foundation/Messages.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "plots/Plot.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

class TestDitchDialogs : public QObject {
  Q_OBJECT

private:
  const TNerraParameterList& FParameters = ShippedParameters();
  std::vector<std::string> FMessages;

  TDitchAnalysisElement Section() const {
    TDitchAnalysisElement element;
    element.SetBeginStation("10+00");
    element.SetEndStation("12+50");
    element.ElevationBegin = 100;
    element.ElevationEnd = 95;
    element.RunoffCoeff = 0.5;
    element.RunoffArea = 1;
    element.Side = "R";
    return element;
  }

private slots:
  void init() {
    FMessages.clear();
    SetMessageBoxHandler([this](TMessageKind, const std::string& text) {
      FMessages.push_back(text);
      return false;
    });
  }

  void cleanup() { SetMessageBoxHandler(nullptr); }

  void derivedLengthAndGradeAreShownAndStored() {
    TDitchAnalysisElement element = Section();
    element.ElementId = 3;
    TfrmDitchAnalysisElement dialog(element, FParameters, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Ditch Analysis Element #3"));
    QCOMPARE(dialog.edtDitchLength->text(), QStringLiteral("250.00"));
    QCOMPARE(dialog.edtGrade->text(), QStringLiteral("0.0200"));
    QCOMPARE(dialog.cbSide->currentText(), QStringLiteral("Right"));
    QCOMPARE(dialog.cbShape->currentText(), QStringLiteral("Trapezoidal"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(FMessages.empty());
    QCOMPARE(element.Length, 250.0);
    QCOMPARE(element.Grade, 0.02);
    QCOMPARE(element.Side, std::string("R"));

    // A chosen lining can be taken back to none with the empty first entry.
    TfrmDitchAnalysisElement lined(element, FParameters, nullptr);
    lined.cbLining->setCurrentIndex(1);
    lined.accept();
    QVERIFY(element.Lining != ltNone);
    TfrmDitchAnalysisElement unlined(element, FParameters, nullptr);
    QVERIFY(unlined.cbLining->currentIndex() > 0);
    unlined.cbLining->setCurrentIndex(0);
    unlined.cbSide->setCurrentIndex(0);
    unlined.accept();
    QCOMPARE(unlined.result(), int(QDialog::Accepted));
    QCOMPARE(element.Lining, ltNone);
    QCOMPARE(element.Side, std::string());
  }

  void switchingShapeStoresWidth() {
    TDitchAnalysisElement element = Section();
    element.Radius = 4;
    TfrmDitchAnalysisElement dialog(element, FParameters, nullptr);
    QCOMPARE(dialog.cbShape->currentText(), QStringLiteral("Radius"));
    QCOMPARE(dialog.edtWidth->text(), QStringLiteral("4.00"));
    dialog.cbShape->setCurrentIndex(1);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(element.Width, 4.0);
    QCOMPARE(element.Radius, 0.0);
  }

  void failingRuleKeepsTheDialogOpenAndTheElement() {
    TDitchAnalysisElement element;  // as "Add Element" makes it
    TfrmDitchAnalysisElement dialog(element, FParameters, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Ditch Analysis Element"));
    QCOMPARE(dialog.edtStationBegin->text(), QString());
    // No side until one is chosen: the empty first entry.
    QCOMPARE(dialog.cbSide->currentIndex(), 0);
    QCOMPARE(dialog.cbSide->currentText(), QString());
    dialog.edtStationBegin->SetTextValue(QStringLiteral("5+00"));
    dialog.edtCoefficient->SetFloatValue(0.4);
    dialog.edtArea->SetFloatValue(2);
    dialog.accept();
    QCOMPARE(dialog.result(), 0);
    QCOMPARE(FMessages.size(), size_t(1));
    QCOMPARE(FMessages[0], std::string("Concentration Time cannot be null."));
    QCOMPARE(element.BeginStation, -1);

    // With a time it is a concentrated inflow.
    dialog.edtConcentrationTime->SetFloatValue(12);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(element.BeginStation, 500);
    QVERIFY(element.IsConcentratedInflow());
    QCOMPARE(element.Side, std::string());
  }

  void resultListShowsMessageAndInflowRows() {
    TDitchAnalysis project(&FParameters);
    auto* inflow = project.ElementList.AddNew<TDitchAnalysisElement>("1");
    inflow->SetBeginStation("1+00");
    inflow->ConcTime = 12;
    auto* section = project.ElementList.AddNew<TDitchAnalysisElement>("2");
    section->SetBeginStation("1+00");
    section->SetEndStation("3+00");
    auto* inflowRow = project.ResultList.AddNew<TDitchAnalysisElementResult>();
    inflowRow->Element = inflow;
    inflowRow->FirstLine = true;
    auto* message = project.ResultList.AddNew<TDitchAnalysisElementResult>();
    message->Element = section;
    message->Lining = ltExceedsAllowed;
    message->Message = "Depth exceeds allowed";
    message->WettedArea = 1;

    TfrmDitchAnalysisResult dialog(project, FParameters, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Ditch Analysis Result"));
    QCOMPARE(dialog.tsResultList->columnCount(), 22);
    QCOMPARE(dialog.tsResultList->rowCount(), 2);
    QCOMPARE(dialog.lblRecordsFound->text(), QStringLiteral("2 records found"));
    QCOMPARE(dialog.tsResultList->item(0, 1)->text(), QStringLiteral("Conc.Inflow"));
    QCOMPARE(dialog.tsResultList->item(0, 16)->text(), QStringLiteral("12.00"));
    QCOMPARE(dialog.tsResultList->item(1, 12)->text(), QStringLiteral("Depth exceeds allowed"));
  }

  // The plot pane starts with the cross-section of the row the grid shows
  // first and follows the row chosen; the plots along the stations follow.
  void crossSectionFollowsTheChosenRow() {
    TDitchAnalysis project(&FParameters);
    TXMLDocument document;
    std::string error;
    QVERIFY(OpenProjectDocument(DREVIA_SOURCE_DIR "/samples/ditch-analysis.xml", document, error));
    project.Load(document.GetXML());
    project.Calculate();
    QVERIFY(project.ResultList.Count() > 3);
    TfrmDitchAnalysisResult dialog(project, FParameters, nullptr);
    TPlotPane& pane = *dialog.PlotPane;
    QCOMPARE(pane.PlotCount(), 1 + static_cast<int>(plots::DitchPlots(project).size()));
    const auto titleOf = [&](int row) { return QString::fromStdString(plots::DitchCrossSection(project, row).Title); };
    QVERIFY(!titleOf(0).isEmpty());
    QCOMPARE(pane.PlotView->chart()->title(), titleOf(0));
    dialog.tsResultList->setCurrentCell(2, 0);
    QCOMPARE(pane.PlotView->chart()->title(), titleOf(2));
    QCOMPARE(pane.cbPlot->itemText(0), titleOf(2));
    pane.cbPlot->setCurrentIndex(1);
    dialog.tsResultList->setCurrentCell(0, 0);
    QCOMPARE(pane.PlotView->chart()->title(),
             QString::fromStdString(plots::DitchPlots(project)[0].Title));  // the chosen plot stays
    pane.cbPlot->setCurrentIndex(0);
    QCOMPARE(pane.PlotView->chart()->title(), titleOf(0));
  }

  void emptyResultListStillCloses() {
    TDitchAnalysis project(&FParameters);
    TfrmDitchAnalysisResult dialog(project, FParameters, nullptr);
    QCOMPARE(dialog.lblRecordsFound->text(), QStringLiteral("No records found"));
    QVERIFY(!dialog.tsResultList->isEnabled());
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(TestDitchDialogs)
#include "TestDitchDialogs.moc"
