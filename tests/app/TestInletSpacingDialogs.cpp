// The inlet spacing entry and result dialogs filled and confirmed without a
// screen.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/inletspacing/InletSpacingEntryForm.h"
#include "app/inletspacing/InletSpacingResultForm.h"
#include "appmodel/InletSpacingEntry.h"
#include "foundation/DisplayFormat.h"
#include "foundation/Messages.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"
#include "support/ShippedTables.h"

class TestInletSpacingDialogs : public QObject {
  Q_OBJECT

private:
  const TNerraParameterList& FParameters = ShippedParameters();
  std::vector<std::string> FMessages;

  // An inlet on grade every rule accepts.
  static TInletSpacingElement Inlet() {
    TInletSpacingElement inlet;
    inlet.SetStationText("12+50");
    inlet.Sump = "1";
    inlet.CatchBasin = "0";
    inlet.Surface = "2";
    inlet.LongSlope = 0.02;
    inlet.RunoffCoeff = 0.5;
    inlet.RunoffArea = 1.2;
    inlet.OverlandLength = 100;
    inlet.OverlandSlope = 2;
    inlet.PavementSlope = 0.02;
    return inlet;
  }

  int SumpIndex(const std::string& code) const { return FParameters.CodesOfCategory(pcSumpType)->IndexOfCode(code); }

private slots:
  void init() {
    FMessages.clear();
    SetMessageBoxHandler([this](TMessageKind, const std::string& text) {
      FMessages.push_back(text);
      return false;
    });
  }

  void cleanup() { SetMessageBoxHandler(nullptr); }

  void inletLoadsItsValuesAndTheNInUse() {
    TInletSpacingElement inlet = Inlet();
    inlet.ElementId = 6;
    inlet.Surface = "77";  // not in the code list
    TfrmInletSpacingEntry dialog(inlet, FParameters, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Inlet Spacing Entry #6"));
    QCOMPARE(dialog.edtStation->text(), QStringLiteral("12+50"));
    QCOMPARE(dialog.cbSumpType->currentText(), QStringLiteral("Inlet on grade"));
    QVERIFY(!dialog.gbGutter->isHidden());
    QCOMPARE(dialog.edtManningGN->text(), QStringLiteral("0.015"));
    QCOMPARE(dialog.cbSurfaceType->currentIndex(), 0);  // the blank entry
    QCOMPARE(dialog.cbSurfaceType->currentText(), QString());
    QCOMPARE(dialog.cbCatchBasinType->currentText(), QStringLiteral("Grate 1.4 x 2.5 ft"));

    dialog.cbSurfaceType->setCurrentIndex(1);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(FMessages.empty());
    QCOMPARE(inlet.ManningGN, 0.015);
    QCOMPARE(inlet.Surface, std::string("1"));
    QCOMPARE(inlet.StationFeet, 1250);
  }

  void beginPointHidesGroupsAndStoresZeros() {
    TInletSpacingElement inlet = Inlet();
    TfrmInletSpacingEntry dialog(inlet, FParameters, nullptr);
    const int fullHeight = dialog.height();
    dialog.edtLongitudinalSlope->SetFloatValue(0.5);
    dialog.cbSumpType->setCurrentIndex(SumpIndex("0"));
    for (QGroupBox* group : {dialog.gbAdditionalData, dialog.gbGutter, dialog.gbPavement, dialog.gbOverland})
      QVERIFY(group->isHidden());
    QVERIFY(dialog.height() < fullHeight);  // no empty room where the groups were
    QCOMPARE(dialog.edtLongitudinalSlope->FloatValue(), 0.0);
    QCOMPARE(dialog.edtRunoffCoefficient->FloatValue(), 0.0);
    QCOMPARE(dialog.cbCatchBasinType->currentIndex(), -1);

    // Back to an inlet: the stored values again, not the typed one.
    dialog.cbSumpType->setCurrentIndex(SumpIndex("1"));
    QVERIFY(!dialog.gbGutter->isHidden());
    QCOMPARE(dialog.edtLongitudinalSlope->FloatValue(), 0.02);

    dialog.cbSumpType->setCurrentIndex(SumpIndex("0"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(inlet.Sump, std::string("0"));
    QCOMPARE(inlet.LongSlope, 0.0);
    QCOMPARE(inlet.RunoffArea, 0.0);
    QCOMPARE(inlet.CatchBasin, std::string());
    QCOMPARE(inlet.Surface, std::string());
  }

  void refusalsKeepTheDialogAndTheElement() {
    TInletSpacingElement inlet = Inlet();
    TfrmInletSpacingEntry dialog(inlet, FParameters, nullptr);
    dialog.edtDischarge->SetFloatValue(0);
    dialog.edtArea->SetFloatValue(0);
    dialog.accept();
    QCOMPARE(FMessages.back(),
             std::string("Either Discharge or Runoff Coefficient and Area must be greater than zero."));
    QCOMPARE(inlet.RunoffArea, 1.2);

    dialog.edtArea->SetFloatValue(1);
    dialog.edtManningPN->SetFloatValue(1.5);
    dialog.accept();
    QCOMPARE(FMessages.back(), std::string("When entered, Mannings N should be greater than 0 and less than 1."));

    dialog.edtManningPN->SetFloatValue(0.016);
    dialog.cbCatchBasinType->setEditText(QStringLiteral("home-made grate"));
    dialog.accept();
    QCOMPARE(FMessages.back(), std::string("Sump Type, Catch Basin Type and Surface Type should be selected."));
    QVERIFY(dialog.result() != int(QDialog::Accepted));
    QCOMPARE(inlet.ManningPN, 0.0);
    QCOMPARE(FMessages.size(), size_t(3));
  }

  void resultOfTheSampleWithItsSumpData() {
    std::ifstream file(DREVIA_SOURCE_DIR "/samples/inlet-spacing.xml", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    TInletSpacing project(&FParameters);
    project.Load(text.str());
    QCOMPARE(QString::fromStdString(project.LastError), QString());
    QCOMPARE(project.Calculate(), 0);
    QVERIFY(project.Elements.HasSumpData);  // a "3" inlet drains to the "2" inlet

    TfrmInletSpacingResult dialog(project, FParameters, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Inlet Spacing Result"));
    QCOMPARE(dialog.tsResultList->columnCount(), 19);
    QCOMPARE(dialog.tsResultList->rowCount(), project.Elements.Count());
    QCOMPARE(dialog.tsResultList->item(0, isrSumpType)->text(), QStringLiteral("Begin of gutter run"));
    QCOMPARE(dialog.tsResultList->item(1, isrStation)->text(), QStringLiteral("13+00"));
    QVERIFY(!dialog.gbSumpData->isHidden());
    QCOMPARE(dialog.edtSumpTotalFlow->text().toStdString(), FormatFixed(project.Elements.SumpTotalFlow, 2));
    QCOMPARE(dialog.edtSumpPondedDepth->text().toStdString(), FormatFixed(project.Elements.SumpPondedDepth, 3));
    QVERIFY(dialog.CancelButton()->isHidden());
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void sumpPanelHiddenWithoutSagApproach() {
    TInletSpacing project(&FParameters);
    auto* begin = new TInletSpacingElement(Inlet());
    begin->Sump = "0";
    begin->SetStationText("10+00");
    project.Elements.Add("1", begin);
    auto* sag = new TInletSpacingElement(Inlet());
    sag->Sump = "2";
    project.Elements.Add("2", sag);
    QCOMPARE(project.Calculate(), 0);
    QVERIFY(!project.Elements.HasSumpData);
    TfrmInletSpacingResult dialog(project, FParameters, nullptr);
    QVERIFY(dialog.gbSumpData->isHidden());
    QCOMPARE(dialog.lblRecordsFound->text(), QStringLiteral("2 records found"));
    QCOMPARE(dialog.tsResultList->item(1, isrGutterLength)->text(), QStringLiteral("250.00"));
  }
};

QTEST_MAIN(TestInletSpacingDialogs)
#include "TestInletSpacingDialogs.moc"
