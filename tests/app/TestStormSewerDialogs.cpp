// The storm sewer element and result dialogs filled and confirmed without a
// screen.

#include <QChart>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <string>
#include <vector>

#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/framework/PlotView.h"
#include "app/framework/SlopeDialog.h"
#include "app/stormsewer/StormSewerElementForm.h"
#include "app/stormsewer/StormSewerResultForm.h"
#include "appmodel/StormSewerEntry.h"
#include "foundation/Messages.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "plots/Plot.h"
#include "stormsewer/StormSewer.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

class TestStormSewerDialogs : public QObject {
  Q_OBJECT

private:
  const TNerraParameterList& FParameters = ShippedParameters();
  std::vector<std::string> FMessages;

  static TStormSewerElement Pipe() {
    TStormSewerElement pipe;
    pipe.BeginJunction = "A";
    pipe.EndJunction = "B";
    pipe.Length = 50;
    pipe.SetTime(10);
    return pipe;
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

  void designShowsAndStoresCrowns() {
    TStormSewerElement pipe = Pipe();
    pipe.ElementId = 4;
    pipe.InletInvert = 7;
    pipe.OutletInvert = 6;
    TfrmStormSewerElement dialog(pipe, false, FParameters, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Storm Sewer Element #4"));
    QCOMPARE(dialog.lblInletInvert->text(), QStringLiteral("Inlet Crown(ft.)"));
    QCOMPARE(dialog.lblOutletInvert->text(), QStringLiteral("Outlet Crown(ft.)"));
    dialog.edtInletInvert->SetFloatValue(100);
    dialog.edtOutletInvert->SetFloatValue(99.5);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(FMessages.empty());
    QCOMPARE(pipe.InletCrown, 100.0);
    QCOMPARE(pipe.InletInvert, 7.0);
  }

  void junctionsAreTypedInCapitalsAndAtMostFive() {
    TStormSewerElement pipe = Pipe();
    pipe.InletCrown = 100;
    pipe.OutletCrown = 99;
    TfrmStormSewerElement dialog(pipe, false, FParameters, nullptr);
    dialog.edtJunctionBegin->clear();
    QTest::keyClicks(dialog.edtJunctionBegin, "a1");
    QCOMPARE(dialog.edtJunctionBegin->text(), QStringLiteral("A1"));
    dialog.edtJunctionEnd->clear();
    QTest::keyClicks(dialog.edtJunctionEnd, "b2345x");
    QCOMPARE(dialog.edtJunctionEnd->text(), QStringLiteral("B2345"));
    dialog.edtStationBegin->clear();
    QTest::keyClicks(dialog.edtStationBegin, "1+00x");
    QCOMPARE(dialog.edtStationBegin->text(), QStringLiteral("1+00"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(pipe.BeginJunction, std::string("A1"));
    QCOMPARE(pipe.EndJunction, std::string("B2345"));
    QCOMPARE(pipe.BeginStation, std::string("1+00"));

    // A label the box would refuse (a hand-edited file) is shown and kept.
    pipe.EndJunction = "j-2";
    TfrmStormSewerElement again(pipe, false, FParameters, nullptr);
    QCOMPARE(again.edtJunctionEnd->text(), QStringLiteral("J-2"));
    again.accept();
    QCOMPARE(pipe.EndJunction, std::string("J-2"));
  }

  void slopeFollowsElevationsAndEnteredSlope() {
    TStormSewerElement pipe = Pipe();
    pipe.Length = 0;
    pipe.InletCrown = 100;
    pipe.OutletCrown = 99.5;
    TfrmStormSewerElement dialog(pipe, false, FParameters, nullptr);
    QCOMPARE(dialog.edtPipeSlope->FloatValue(), 0.0);
    dialog.edtPipeLength->SetFloatValue(50);
    dialog.RefreshSlope();
    QCOMPARE(dialog.edtPipeSlope->text(), QStringLiteral("0.0100"));

    dialog.edtPipeLength->SetFloatValue(200);
    double offered = -1;
    dialog.AskSlope = [&offered](double& slope, QWidget*) {
      offered = slope;
      slope = 0.005;
      return true;
    };
    dialog.btnEnterSlope->click();
    QCOMPARE(offered, 0.01);  // the dialog opens at the shown slope
    QCOMPARE(dialog.edtOutletInvert->FloatValue(), 99.0);
    QCOMPARE(dialog.edtPipeSlope->text(), QStringLiteral("0.0050"));

    dialog.AskSlope = [](double& slope, QWidget*) {
      slope = 0.5;
      return false;  // cancelled: nothing changes
    };
    dialog.btnEnterSlope->click();
    QCOMPARE(dialog.edtOutletInvert->FloatValue(), 99.0);
  }

  void enterSlopeOpensTheSlopeDialog() {
    TStormSewerElement pipe = Pipe();
    pipe.Length = 100;
    pipe.InletInvert = 50;
    pipe.OutletInvert = 49;
    TfrmStormSewerElement dialog(pipe, true, FParameters, nullptr);
    QString caption;
    QTimer::singleShot(0, [&caption] {
      auto* slope = qobject_cast<TfrmSlopeDataEntry*>(QApplication::activeModalWidget());
      if (!slope) return;
      caption = slope->windowTitle();
      slope->edtPipeSlope->SetFloatValue(0.02);
      slope->accept();
    });
    dialog.btnEnterSlope->click();
    QCOMPARE(caption, QStringLiteral("Slope Data Entry"));
    QCOMPARE(dialog.edtOutletInvert->FloatValue(), 48.0);
  }

  void sumsAreWeighted() {
    TStormSewerElement pipe = Pipe();
    TfrmStormSewerElement dialog(pipe, false, FParameters, nullptr);
    QCOMPARE(dialog.edtWeigthedCoeff->text(), QStringLiteral("0.00"));
    dialog.edtArea1->SetFloatValue(1);
    dialog.edtArea2->SetFloatValue(2);
    dialog.edtCoeff1->SetFloatValue(0.5);
    dialog.edtCoeff2->SetFloatValue(0.9);
    dialog.edtCoeff2->ExitField();  // leaving a coefficient box refreshes the sums
    QCOMPARE(dialog.edtSumArea->text(), QStringLiteral("3.00"));
    QCOMPARE(dialog.edtSumCA->text(), QStringLiteral("2.30"));
    QCOMPARE(dialog.edtWeigthedCoeff->text(), QStringLiteral("0.77"));
  }

  void categoryRefillsTypesAndTypedTypeIsStored() {
    TStormSewerElement pipe = Pipe();
    pipe.InletCrown = 100;
    pipe.OutletCrown = 99;
    pipe.Side = "R";
    pipe.Structure = "CB";
    pipe.InletType = "2x3 ft";
    TfrmStormSewerElement dialog(pipe, false, FParameters, nullptr);
    QCOMPARE(dialog.cbSide->currentText(), QStringLiteral("Right"));
    QCOMPARE(dialog.cbStructureCategory->currentText(), QStringLiteral("Catch Basin"));
    QCOMPARE(dialog.cbStructureType->count(), 4);
    QCOMPARE(dialog.cbStructureType->currentText(), QStringLiteral("2x3 ft"));

    dialog.cbStructureCategory->SelectListIndex(FParameters.CodesOfCategory(pcStructureCategory)->IndexOfCode("IN"));
    QCOMPARE(dialog.cbStructureType->itemText(0), QStringLiteral("Grate"));
    QCOMPARE(dialog.cbStructureType->currentText(), QString());
    dialog.cbStructureType->setEditText(QStringLiteral("Special grate"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(pipe.Structure, std::string("IN"));
    QCOMPARE(pipe.InletType, std::string("Special grate"));
    QCOMPARE(pipe.Side, std::string("R"));

    // The empty first entries take side and category back to none.
    TfrmStormSewerElement again(pipe, false, FParameters, nullptr);
    QCOMPARE(again.cbSide->itemText(0), QString());
    again.cbSide->setCurrentIndex(0);
    again.cbStructureCategory->setCurrentIndex(0);
    QCOMPARE(again.cbStructureType->count(), 0);
    again.accept();
    QCOMPARE(again.result(), int(QDialog::Accepted));
    QCOMPARE(pipe.Side, std::string());
    QCOMPARE(pipe.Structure, std::string());
  }

  void failingCheckKeepsTheDialogAndTheElement() {
    TStormSewerElement pipe = Pipe();
    pipe.InletCrown = 100;
    pipe.OutletCrown = 99;
    TfrmStormSewerElement dialog(pipe, false, FParameters, nullptr);
    dialog.edtOutletInvert->SetFloatValue(101);
    dialog.edtPipeLength->SetFloatValue(0);
    dialog.accept();
    QVERIFY(dialog.result() != int(QDialog::Accepted));
    QCOMPARE(FMessages,
             std::vector<std::string>{"Outlet Invert Elevation should be lower than Inlet Invert Elevation."});
    QCOMPARE(pipe.OutletCrown, 99.0);
    QCOMPARE(pipe.Length, 50.0);
  }

  void resultRowsShowKindNumbersAndWarnedDiameter() {
    TStormSewer project(false);
    auto* first = new TStormSewerElement(Pipe());
    first->ElementId = 1;
    first->IsOpenJunction = true;
    first->IsFinalJunction = true;
    first->Diameter = 15;
    first->PipeDiameterWarning = true;
    project.ElementList.AddPipe(first);
    auto* second = new TStormSewerElement(Pipe());
    second->ElementId = 2;
    second->IsFinalJunction = true;
    second->Diameter = 18;
    second->GlobalArea = 2.3;
    second->Rainfall = 5;
    project.ElementList.AddPipe(second);

    TfrmStormSewerResult dialog(project, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Storm Sewer System Result"));
    QCOMPARE(dialog.tsResultList->columnCount(), 25);
    QCOMPARE(dialog.tsResultList->rowCount(), 2);
    QCOMPARE(dialog.lblRecordsFound->text(), QStringLiteral("2 records found"));
    QVERIFY(dialog.CancelButton()->isHidden());
    QCOMPARE(dialog.tsResultList->item(0, ssrKind)->text(), QStringLiteral("begin"));
    QCOMPARE(dialog.tsResultList->item(1, ssrKind)->text(), QStringLiteral("final"));
    QCOMPARE(dialog.tsResultList->item(1, ssrJunction)->text(), QStringLiteral("A - B"));
    QCOMPARE(dialog.tsResultList->item(1, ssrFlow)->text(), QStringLiteral("11.50"));
    QCOMPARE(dialog.tsResultList->item(0, ssrDiameter)->text(), QStringLiteral("15"));
    QCOMPARE(dialog.tsResultList->item(0, ssrDiameter)->background().color(), QColor(Qt::red));
    QVERIFY(dialog.tsResultList->item(1, ssrDiameter)->background().style() == Qt::NoBrush);
    QCOMPARE(dialog.tsResultList->horizontalHeaderItem(ssrManningN)->text(), QStringLiteral("Manning's \"n\""));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  // The profile starts at the run farthest upstream; another start chosen
  // shows its own path down to the outlet.
  void profileFromTheChosenRun() {
    TStormSewer project(false, &FParameters);
    TXMLDocument document;
    std::string error;
    QVERIFY(OpenProjectDocument(DREVIA_SOURCE_DIR "/samples/storm-sewer-design.xml", document, error));
    project.Load(document.GetXML());
    project.Calculate();
    TfrmStormSewerResult dialog(project, nullptr);
    QComboBox& start = *dialog.cbProfileStart;
    QCOMPARE(start.count(), project.ElementList.Count());
    const int32_t first = plots::DefaultProfileStart(project);
    QVERIFY(first != 0);
    QCOMPARE(start.currentData().toInt(), first);
    QCOMPARE(dialog.PlotPane->PlotView->chart()->title(),
             QString::fromStdString(plots::StormSewerProfile(project, first).Title));
    const int other = start.currentIndex() == 0 ? 2 : 0;
    start.setCurrentIndex(other);
    const plots::TPlot chosen = plots::StormSewerProfile(project, start.itemData(other).toInt());
    QCOMPARE(dialog.PlotPane->PlotView->chart()->title(), QString::fromStdString(chosen.Title));
    QCOMPARE(dialog.PlotPane->PlotView->chart()->axes(Qt::Horizontal).at(0)->titleText(),
             QStringLiteral("Distance (ft)"));
    QCOMPARE(dialog.tsResultList->rowCount(), project.ElementList.Count());
  }

  void emptyResultStillCloses() {
    TStormSewer project(true);
    TfrmStormSewerResult dialog(project, nullptr);
    QCOMPARE(dialog.lblRecordsFound->text(), QStringLiteral("No records found"));
    QVERIFY(!dialog.tsResultList->isEnabled());
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(TestStormSewerDialogs)
#include "TestStormSewerDialogs.moc"
