// The culvert design entry and result dialogs, driven without exec().

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <string>
#include <vector>

#include "app/culvertdesign/CulvertDesignEntryDialog.h"
#include "app/culvertdesign/CulvertDesignResultDialog.h"
#include "app/framework/BaseEdit.h"
#include "app/framework/CodeListCombobox.h"
#include "app/framework/InletDialogs.h"
#include "app/framework/SlopeDialog.h"
#include "culvert/CulvertDesign.h"
#include "foundation/Messages.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "support/ShippedTables.h"
#include "xml/XmlDocument.h"

namespace {

// Runs the action on the next modal dialog once it is up.
void OnNextModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal) action(modal);
  });
}

void Fill(TCulvertDesignElement& e) {
  e.ElementId = 4;
  e.InletElevation = 100;
  e.OutletElevation = 98;
  e.CulvertLength = 200;
  e.TailwaterElevation = 99;
  e.OverflowElevation = 106;
  e.DesignDischarge = 50;
  e.FloodDischarge = 0;
  e.AllowableHeadwaterElevation = 104;
  e.AllowableHeadwaterType = "1";
  e.DefaultInletType = "2";
  e.CircularConcreteInletType = "1";
  e.BoxInletType = "1";
}

}  // namespace

class TestCulvertDesignDialogs : public QObject {
  Q_OBJECT

  const TNerraParameterList& FParameters = ShippedParameters();
  const TCulvertBasePipeList& FPipes = ShippedPipes();
  std::vector<std::string> FMessages;

  QString LastMessage() const { return FMessages.empty() ? QString() : QString::fromStdString(FMessages.back()); }

private slots:
  void initTestCase() {
    SetMessageBoxHandler([this](TMessageKind, const std::string& text) {
      FMessages.push_back(text);
      return false;
    });
  }
  void init() { FMessages.clear(); }

  void loadsTheElement() {
    TCulvertDesignElement element;
    Fill(element);
    TfrmCulvertDesignElementEntry dialog(element, FParameters, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Culvert Design - Element Entry #4"));
    QCOMPARE(dialog.edtPipeSlope->text(), QStringLiteral("0.0100"));
    QCOMPARE(dialog.tsOtherInletTypes->selectedRanges().first().topRow(), 1);
    QCOMPARE(QString::fromStdString(dialog.cbAllowableTWType->SelectedCode(std::string())), QStringLiteral("1"));
    QCOMPARE(dialog.pcInletTypes->currentWidget(), dialog.tsOtherInletTypes);
    QVERIFY(dialog.cbAutomaticBurialDepth->isHidden());
    QVERIFY(dialog.edtBuriedCoeffN->isHidden());
    QCOMPARE(dialog.tsInletTypes->item(0, 1)->text(), QStringLiteral("Square edge with headwall"));

    // Leaving the length at 0 shows no slope.
    dialog.edtPipeLength->SetFloatValue(0);
    dialog.edtPipeLength->ExitField();
    QCOMPARE(dialog.edtPipeSlope->FloatValue(), 0.0);
  }

  void burialOptionsFollowTheClicks() {
    TCulvertDesignElement element;
    Fill(element);
    element.BuriedOption = true;
    element.DisableBuriedTable = true;
    TfrmCulvertDesignElementEntry dialog(element, FParameters, nullptr);
    QVERIFY(dialog.cbAutomaticBurialDepth->isChecked());
    QVERIFY(!dialog.cbAutomaticBurialDepth->isHidden());
    QCOMPARE(dialog.pcInletTypes->currentWidget(), dialog.tsInletTypes);
    QVERIFY(dialog.edtBuriedCoeffN->isHidden());

    dialog.cbBurialOption->click();
    QVERIFY(dialog.cbAutomaticBurialDepth->isHidden());
    QCOMPARE(dialog.pcInletTypes->currentWidget(), dialog.tsOtherInletTypes);
    dialog.cbBurialOption->click();
    QVERIFY(!dialog.cbAutomaticBurialDepth->isChecked());
    QVERIFY(!dialog.edtBuriedCoeffN->isHidden());
    QVERIFY(!dialog.lblBuriedCoeffN->isHidden());

    // Shown and empty: refused; hidden by the second box: 0 passes.
    dialog.accept();
    QCOMPARE(dialog.result(), 0);
    QCOMPARE(LastMessage(),
             QStringLiteral("When entered Buried Manning's N Coefficient should be greater than 0 and less than 1."));
    dialog.cbAutomaticBurialDepth->click();
    QVERIFY(dialog.edtBuriedCoeffN->isHidden());
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(element.BuriedOption && element.DisableBuriedTable);
  }

  void failingCheckKeepsTheDialogOpen() {
    TCulvertDesignElement element;
    Fill(element);
    TfrmCulvertDesignElementEntry dialog(element, FParameters, nullptr);
    dialog.edtOutletInvert->SetFloatValue(100);
    dialog.edtDesignFlow->SetFloatValue(75);
    dialog.accept();
    QCOMPARE(dialog.result(), 0);
    QCOMPARE(FMessages.size(), size_t(1));
    QCOMPARE(LastMessage(), QStringLiteral("Outlet Invert Elevation should be lower than Inlet Invert Elevation."));
    QCOMPARE(element.OutletElevation, 98.0);
    QCOMPARE(element.DesignDischarge, 50.0);
  }

  void okStoresTheEntries() {
    TCulvertDesignElement element;
    Fill(element);
    TfrmCulvertDesignElementEntry dialog(element, FParameters, nullptr);
    dialog.edtDesignFlow->SetFloatValue(60);
    dialog.edtFloodFlow->SetFloatValue(90);
    dialog.edtCoeffKE->SetFloatValue(0.5);
    dialog.tsOtherInletTypes->selectRow(2);
    dialog.cbAllowableTWType->SelectCode("2");
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(FMessages.empty());
    QCOMPARE(element.DesignDischarge, 60.0);
    QCOMPARE(element.FloodDischarge, 90.0);
    QCOMPARE(element.CoeffKE, 0.5);
    QCOMPARE(QString::fromStdString(element.DefaultInletType), QStringLiteral("3"));
    QCOMPARE(QString::fromStdString(element.AllowableHeadwaterType), QStringLiteral("2"));
    QCOMPARE(element.OutletElevation, 98.0);
  }

  void enterSlopeSetsTheOutlet() {
    TCulvertDesignElement element;
    Fill(element);
    TfrmCulvertDesignElementEntry dialog(element, FParameters, nullptr);
    dialog.edtPipeLength->SetFloatValue(50);
    OnNextModal([](QWidget* modal) {
      auto* slope = qobject_cast<TfrmSlopeDataEntry*>(modal);
      if (!slope) {
        modal->close();
        return;
      }
      QVERIFY(slope->CancelButton()->isHidden());
      slope->edtPipeSlope->SetFloatValue(0.02);
      slope->accept();
    });
    dialog.btnEnterSlope->click();
    QCOMPARE(dialog.edtOutletInvert->FloatValue(), 99.0);
    QCOMPARE(dialog.edtPipeSlope->text(), QStringLiteral("0.0200"));
  }

  void inletTypeDialogs() {
    TCulvertDesignElement element;
    Fill(element);
    element.BuriedOption = true;
    TfrmCulvertDesignElementEntry dialog(element, FParameters, nullptr);
    // The box row has no coefficient sets: a warning and no window.
    dialog.ShowInletCoefficients(4);
    QCOMPARE(FMessages.size(), size_t(1));
    QCOMPARE(LastMessage(), QStringLiteral("No Coefficients available in this version. See Manual"));

    // Another set chosen for the circular concrete row stays on the element
    // even when the entry is cancelled.
    const auto concrete = FParameters.CodesOfCategory(pcCircularConcreteInletType);
    const std::string second = concrete->ItemAs<TNerraBaseCode>(1)->Code;
    QString shownPanel;
    OnNextModal([&shownPanel](QWidget* modal) {
      auto* change = qobject_cast<TfrmChangeInletParameters*>(modal);
      if (!change) {
        modal->close();
        return;
      }
      change->cbInletTypes->setCurrentIndex(1);
      shownPanel = change->tsParameters->item(0, 0)->text();
      change->accept();
    });
    dialog.tsInletTypes->setCurrentCell(0, 1);
    dialog.actChangeInletType->trigger();
    QCOMPARE(shownPanel, QStringLiteral("Ke"));
    QVERIFY(element.CircularConcreteInletType == second);
    dialog.reject();
    QVERIFY(element.CircularConcreteInletType == second);

    TfrmChangeInletParameters arch(*FParameters.FindCode(pcInletType, "1"), 0, FParameters, nullptr);
    QVERIFY(arch.pnlParameters->isHidden());

    auto ke = NewCoefficientKEDialog(2, nullptr);
    QCOMPARE(ke->windowTitle(), QStringLiteral("HALF HEADWALL"));
    QCOMPARE(ke->tsResultList->item(1, 1)->text(), QStringLiteral("0.9"));
    QVERIFY(ke->ButtonBar()->isHidden());
  }

  void resultOfOneCulvertType() {
    TCulvertDesignElement element;
    Fill(element);
    TfrmCulvertDesignResult dialog(element, "3", FParameters, nullptr);
    QVERIFY(dialog.tcCulvertTypes->isHidden());
    QCOMPARE(dialog.lblHeading->text(), QStringLiteral("ELLIPTICAL SMOOTH PIPE RESULT"));
    QCOMPARE(dialog.tsResultList->columnCount(), 16);
    QCOMPARE(dialog.lblRecordsFound->text(), QStringLiteral("No records found"));
    QVERIFY(dialog.CancelButton()->isHidden());
    dialog.accept();  // closes without rows
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void resultOfAllCulvertTypes() {
    TXMLDocument document;
    QVERIFY(document.LoadFromFile(std::string(DREVIA_SOURCE_DIR) + "/samples/culvert-design.xml"));
    TCulvertDesign design(&FParameters, &FPipes);
    design.Load(document.GetXML());
    design.PipeType = "99";
    QCOMPARE(design.Calculate(), 0);
    TfrmCulvertDesignResult dialog(*design.Crossing(0), "99", FParameters, nullptr);
    QVERIFY(!dialog.tcCulvertTypes->isHidden());
    QCOMPARE(dialog.tcCulvertTypes->count(), 5);
    QCOMPARE(dialog.lblHeading->text(), QStringLiteral("CIRCULAR SMOOTH PIPE RESULT"));
    QVERIFY(dialog.tsResultList->rowCount() > 0);
    QCOMPARE(dialog.tsResultList->item(0, 13)->text(), QStringLiteral("D"));
    dialog.tcCulvertTypes->setCurrentIndex(4);
    QCOMPARE(dialog.lblHeading->text(), QStringLiteral("BOX PIPE RESULT"));
    const int rows = TCulvertElementList::CollectResultsOfType(design.Crossing(0)->Candidates, "5")->Count();
    QCOMPARE(dialog.tsResultList->rowCount(), rows);
  }
};

QTEST_MAIN(TestCulvertDesignDialogs)
#include "TestCulvertDesignDialogs.moc"
