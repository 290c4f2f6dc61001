// The culvert analysis dialogs filled and confirmed without a screen.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "app/culvertanalysis/CulvertAnalysisElementDialog.h"
#include "app/culvertanalysis/CulvertAnalysisResultDialog.h"
#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "culvert/CulvertAnalysis.h"
#include "foundation/Messages.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "support/ShippedTables.h"

class TestCulvertAnalysisDialogs : public QObject {
  Q_OBJECT

private:
  const TNerraParameterList& FParameters = ShippedParameters();
  const TCulvertBasePipeList& FCatalogue = ShippedPipes();
  std::unique_ptr<TCulvertAnalysis> FProject;
  std::vector<std::string> FMessages;

  // Culverts 1, 3 and 5: circular concrete pipes of catalogue size 3.
  void AddCulverts() {
    for (int id : {1, 3, 5}) {
      auto* e = FProject->Elements.AddNew<TCircularSmoothElement>(std::to_string(id));
      e->ElementId = id;
      e->Pipe = FCatalogue.FindPipe("1", "", 3);
      e->InletElevation = 100;
      e->OutletElevation = 99;
      e->CulvertLength = 100;
      e->DesignDischarge = 10;
      e->CulvertQuantity = 1;
      e->InletType = "1";
    }
  }

  void SelectPipeType(TfrmCulvertAnalysisElement& dialog, const char* code) {
    dialog.cbPipeType->SelectCode(code);
    dialog.PipeTypeRules();
  }

  // The fields every culvert needs to pass the checks.
  static void FillValid(TfrmCulvertAnalysisElement& dialog) {
    dialog.edtInletInvert->SetFloatValue(100);
    dialog.edtOutletInvert->SetFloatValue(99);
    dialog.edtPipeLength->SetFloatValue(100);
    dialog.edtFlowMin->SetFloatValue(10);
  }

  std::string LastMessage() const { return FMessages.empty() ? std::string() : FMessages.back(); }

private slots:
  void init() {
    FProject = std::make_unique<TCulvertAnalysis>(&FParameters, &FCatalogue);
    FMessages.clear();
    SetMessageBoxHandler([this](TMessageKind, const std::string& text) {
      FMessages.push_back(text);
      return false;
    });
  }

  void cleanup() { SetMessageBoxHandler(nullptr); }

  void newCulvertInAnEmptyList() {
    TfrmCulvertAnalysisElement dialog(nullptr, *FProject, FParameters, FCatalogue, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Culvert Analysis Element Entry"));
    QCOMPARE(dialog.edtPipeNumber->text(), QStringLiteral("1"));
    QCOMPARE(dialog.cbUseHeadwater->currentText(), QStringLiteral("No inlet"));
    QVERIFY(!dialog.cbUseHeadwater->isEnabled());
    QCOMPARE(dialog.cbPipeType->SelectedCode(""), std::string("1"));
    QVERIFY(!dialog.cbBurialOption->isChecked());
    QVERIFY(dialog.gbBuriedDepth->isHidden());
    QVERIFY(dialog.cbPipeSize->count() > 0);
    QVERIFY(!dialog.cbCorrugationType->isEnabled());
    QCOMPARE(dialog.cbCorrugationType->currentText(), QStringLiteral("N/A"));

    FillValid(dialog);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    std::unique_ptr<TCulvertBaseElement> e = dialog.TakeElement();
    QVERIFY(dynamic_cast<TCircularSmoothElement*>(e.get()));
    QCOMPARE(e->ElementId, 1);
    QCOMPARE(e->CulvertQuantity, 1);
    QVERIFY(e->Pipe);
    QCOMPARE(e->Pipe, dialog.cbPipeSize->ObjectAt(0));
    QCOMPARE(e->Parameters, &FParameters);
  }

  void pipeNumberOfAnotherCulvertIsRefused() {
    AddCulverts();
    TCulvertBaseElement* third = FProject->Elements.Culvert(1);
    third->CulvertQuantity = 3;  // more barrels than the list offers
    TfrmCulvertAnalysisElement dialog(third, *FProject, FParameters, FCatalogue, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Culvert Analysis Element Entry #3"));
    QCOMPARE(dialog.cbUseHeadwater->count(), 4);
    QCOMPARE(dialog.cbPipeSize->ObjectAt(dialog.cbPipeSize->currentIndex()), third->Pipe);

    dialog.edtPipeNumber->SetIntegerValue(5);
    dialog.accept();
    QCOMPARE(dialog.result(), 0);
    QCOMPARE(LastMessage(), std::string("Invalid Pipe Number"));
    QVERIFY(!dialog.TakeElement());

    dialog.edtPipeNumber->SetIntegerValue(3);
    dialog.cbUseHeadwater->setCurrentIndex(dialog.cbUseHeadwater->findText(QStringLiteral("5")));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    std::unique_ptr<TCulvertBaseElement> e = dialog.TakeElement();
    QCOMPARE(e->UseHW, 5);
    QCOMPARE(e->CulvertQuantity, 3);
    QCOMPARE(third->UseHW, 0);  // the listed culvert is replaced by the caller, not edited
  }

  void pipeTypesForceTheBurialOption() {
    TfrmCulvertAnalysisElement dialog(nullptr, *FProject, FParameters, FCatalogue, nullptr);
    dialog.edtCoeffKE->SetFloatValue(0.5);
    SelectPipeType(dialog, "7");
    QCOMPARE(dialog.pcPipeType->currentIndex(), 2);
    QVERIFY(dialog.cbBurialOption->isChecked());
    QVERIFY(dialog.cbBurialOption->isHidden());
    QVERIFY(dialog.edtCoeffKE->isHidden());
    QVERIFY(dialog.lblCoeffKE->isHidden());
    QCOMPARE(dialog.edtCoeffKE->FloatValue(), 0.0);
    QVERIFY(!dialog.gbBuriedDepth->isHidden());

    SelectPipeType(dialog, "4");
    QCOMPARE(dialog.pcPipeType->currentIndex(), 0);
    QVERIFY(!dialog.cbBurialOption->isChecked());
    QVERIFY(dialog.cbBurialOption->isHidden());
    QVERIFY(!dialog.edtCoeffKE->isHidden());
    QVERIFY(dialog.cbCorrugationType->isEnabled());
    QVERIFY(dialog.gbBuriedDepth->isHidden());

    // Circular concrete with the design equations lists its own inlet sets.
    SelectPipeType(dialog, "1");
    dialog.cbBurialOption->setChecked(true);
    dialog.PipeTypeRules();
    QVERIFY(!dialog.btnInletCoefficients->isHidden());
    const auto* set = dynamic_cast<const TNerraBaseCode*>(dialog.cbInletType->SelectedObject());
    QVERIFY(set);
    QCOMPARE(int(set->Category), int(pcCircularConcreteInletType));
  }

  void plainInletTypeHasNoCoefficients() {
    TfrmCulvertAnalysisElement dialog(nullptr, *FProject, FParameters, FCatalogue, nullptr);
    dialog.ShowCoefficients();
    QCOMPARE(LastMessage(), std::string("No Coefficients available in this version. See Manual"));
  }

  void customBoxReplacesTheCulvertOnlyOnOk() {
    AddCulverts();
    const TCulvertBaseElement* first = FProject->Elements.Culvert(0);
    TfrmCulvertAnalysisElement dialog(first, *FProject, FParameters, FCatalogue, nullptr);
    SelectPipeType(dialog, "5");
    QCOMPARE(dialog.pcPipeType->currentIndex(), 1);
    QCOMPARE(dialog.cbBoxPipeSize->itemText(0), QStringLiteral("Custom Size"));
    dialog.cbBoxPipeSize->setCurrentIndex(0);
    QVERIFY(!dialog.edtBoxWidth->isHidden());
    dialog.edtBoxWidth->SetFloatValue(6);
    dialog.edtBoxHeight->SetFloatValue(4);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    std::unique_ptr<TCulvertBaseElement> e = dialog.TakeElement();
    QVERIFY(dynamic_cast<TBoxSmoothElement*>(e.get()));
    QCOMPARE(QString::fromStdString(e->Pipe->SizeLabel), QStringLiteral("6.0 x 4.0 ft."));
    QCOMPARE(e->Pipe->n, 0.012);
    QVERIFY(dynamic_cast<const TCircularSmoothElement*>(FProject->Elements.Culvert(0)));

    if (dialog.cbBoxPipeSize->count() > 1) {
      dialog.cbBoxPipeSize->setCurrentIndex(1);
      QVERIFY(dialog.edtBoxWidth->isHidden());
    }
  }

  void buriedDepthMustStayBelowTheRise() {
    TfrmCulvertAnalysisElement dialog(nullptr, *FProject, FParameters, FCatalogue, nullptr);
    FillValid(dialog);
    SelectPipeType(dialog, "5");
    dialog.cbBoxPipeSize->setCurrentIndex(0);
    dialog.edtBoxWidth->SetFloatValue(6);
    dialog.edtBoxHeight->SetFloatValue(3);
    dialog.cbBurialOption->setChecked(true);
    dialog.PipeTypeRules();
    dialog.edtSetMax->SetFloatValue(3);
    dialog.accept();
    QCOMPARE(dialog.result(), 0);
    QCOMPARE(LastMessage(), std::string("Buried Depth should zero or not greater than the Pipe Rise or Diameter."));

    dialog.edtSetMin->SetFloatValue(0.5);
    dialog.edtSetMax->SetFloatValue(2.5);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(dialog.TakeElement()->BuriedOption);
  }

  void existingLongSpanIsShownOnItsPage() {
    auto* span = FProject->Elements.AddNew<TLongSpanElement>("2");
    span->ElementId = 2;
    span->BuriedOption = true;
    span->FSpan = 20;
    span->FRise = 10;
    span->FTheta = 60;
    span->UnsubInlet = "2";
    TfrmCulvertAnalysisElement dialog(span, *FProject, FParameters, FCatalogue, nullptr);
    QCOMPARE(dialog.cbPipeType->SelectedCode(""), std::string("7"));
    QCOMPARE(dialog.pcPipeType->currentIndex(), 2);
    QCOMPARE(dialog.edtSpan->text(), QStringLiteral("20.0000"));
    QCOMPARE(dialog.edtTheta->text(), QStringLiteral("60.00"));
    QCOMPARE(dialog.cbUnsubmergedInlet->SelectedCode(""), std::string("2"));
  }

  void resultListShowsTheRows() {
    AddCulverts();
    TCulvertBaseElement* e = FProject->Elements.Culvert(0);
    auto* row = e->Results.AddNew<TCulvertElementResult>();
    row->Flow = 10;
    row->CoeffN = 0.012;
    row->HeadwaterControl = "INLET";
    TfrmCulvertAnalysisResult dialog(*e, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Culvert Analysis Result"));
    QCOMPARE(dialog.tsResultList->columnCount(), 12);
    QCOMPARE(dialog.lblRecordsFound->text(), QStringLiteral("One record found"));
    QCOMPARE(dialog.tsResultList->item(0, 0)->text(), QStringLiteral("10.00"));
    QCOMPARE(dialog.tsResultList->item(0, 3)->text(), QStringLiteral("N/A"));
    QCOMPARE(dialog.tsResultList->item(0, 8)->text(), QStringLiteral("0.0120"));
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(TestCulvertAnalysisDialogs)
#include "TestCulvertAnalysisDialogs.moc"
