// The two culvert calculators driven offscreen: shape pages, typed inputs,
// the grids they show and the boxes they raise.

#include <QComboBox>
#include <QHeaderView>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <string>
#include <utility>
#include <vector>

#include "app/framework/BaseEdit.h"
#include "app/tools/CulvertToolForms.h"
#include "app/tools/CulvertTools.h"
#include "foundation/Messages.h"

namespace {

void Type(TBaseEdit* edit, const QString& text) {
  edit->selectAll();
  QTest::keyClicks(edit, text);
}

QString Cell(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row, column);
  return item ? item->text() : QString();
}

QStringList Column(const QTableWidget* grid, int column) {
  QStringList texts;
  for (int row = 0; row < grid->rowCount(); ++row) texts << Cell(grid, row, column);
  return texts;
}

}  // namespace

class TestCulvertTools : public QObject {
  Q_OBJECT

  std::vector<std::pair<TMessageKind, std::string>> FMessages;

  QString LastMessage() const {
    return FMessages.empty() ? QString() : QString::fromStdString(FMessages.back().second);
  }

private slots:
  void initTestCase() {
    SetMessageBoxHandler([this](TMessageKind kind, const std::string& text) {
      FMessages.emplace_back(kind, text);
      return false;
    });
  }
  void init() { FMessages.clear(); }

  void geometricToolOpensOnTheCircleWithZeros() {
    TfrmCulvertGeometricTool tool(nullptr);
    QCOMPARE(tool.windowTitle(), QStringLiteral("Culvert Geometric Tool"));
    QCOMPARE(tool.cbShape->count(), 4);
    QCOMPARE(tool.cbShape->itemText(2), QStringLiteral("Pipe Arch"));
    QCOMPARE(tool.cbShape->currentIndex(), 0);
    QCOMPARE(tool.edtDiameter->text(), QStringLiteral("0.00"));
    QCOMPARE(tool.btnCalculation->text(), QStringLiteral("Calculation"));
    const QTableWidget* grid = tool.tsResult;
    QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("Full Shape"));
    QCOMPARE(Column(grid, 0),
             (QStringList{"Area (sq.ft.)", "Top Width, T (ft.)", "Wetted Perimeter (ft.)", "Hydraulic Radius (ft.)"}));
    QCOMPARE(Column(grid, 1), (QStringList{"0.0000", "N/A", "0.0000", "0.0000"}));
    QCOMPARE(Column(grid, 2), (QStringList{"0.0000", "0.0000", "0.0000", "0.0000"}));

    // The page follows the shape choice.
    tool.cbShape->setCurrentIndex(3);
    QCOMPARE(tool.pcShape->currentIndex(), 3);
    QVERIFY(tool.pcShape->currentWidget()->isAncestorOf(tool.edtWidth));
  }

  void geometricCircleFromTypedValues() {
    TfrmCulvertGeometricTool tool(nullptr);
    Type(tool.edtDiameter, "2");
    Type(tool.edtDepth, "1");
    QTest::mouseClick(tool.btnCalculation, Qt::LeftButton);
    QCOMPARE(LastMessage(), QString());
    QCOMPARE(Column(tool.tsResult, 1), (QStringList{"3.1416", "N/A", "6.2832", "0.5000"}));
    QCOMPARE(Column(tool.tsResult, 2), (QStringList{"1.5708", "2.0000", "3.1416", "0.5000"}));

    // A depth above the crown is refused; the full column stays.
    Type(tool.edtDepth, "3");
    tool.Calculation();
    QCOMPARE(LastMessage(), QStringLiteral("Depth should not be greater than Diameter."));
    QCOMPARE(FMessages.back().first, TMessageKind::Error);
    QCOMPARE(Column(tool.tsResult, 1), (QStringList{"3.1416", "N/A", "6.2832", "0.5000"}));
    QCOMPARE(Column(tool.tsResult, 2), (QStringList{"0.0000", "0.0000", "0.0000", "0.0000"}));
  }

  void geometricEllipseShowsTheCompletedAngles() {
    TfrmCulvertGeometricTool tool(nullptr);
    tool.cbShape->setCurrentIndex(1);
    tool.edtSpan->SetFloatValue(4);
    tool.edtRise->SetFloatValue(3);
    tool.edtTheta->SetFloatValue(45.2);
    tool.Calculation();
    QVERIFY(tool.edtRT->FloatValue() > tool.edtRS->FloatValue());

    // Given the radii instead, the angles are worked out and shown.
    tool.edtTheta->SetFloatValue(0);
    tool.edtPhi->SetFloatValue(0);
    tool.Calculation();
    QCOMPARE(LastMessage(), QString());
    QCOMPARE(tool.edtTheta->text(), QStringLiteral("45.20"));
    QCOMPARE(tool.edtPhi->text(), QStringLiteral("134.80"));
    QVERIFY(Cell(tool.tsResult, 0, 1).toDouble() > 0);
  }

  void pipeArchIsANotice() {
    TfrmCulvertGeometricTool geometric(nullptr);
    geometric.cbShape->setCurrentIndex(2);
    geometric.Calculation();
    QCOMPARE(LastMessage(), QStringLiteral("Not available in this version"));
    QVERIFY(FMessages.back().first != TMessageKind::Error);
  }

  void hydraulicToolCircle() {
    TfrmCulvertHydraulicTool tool(nullptr);
    QCOMPARE(tool.windowTitle(), QStringLiteral("Culvert Hydraulic Tool"));
    QCOMPARE(tool.btnCalculation->text(), QStringLiteral("&Calculation"));
    QVERIFY(tool.tsResult->horizontalHeader()->isHidden());
    QCOMPARE(Column(tool.tsResult, 0),
             (QStringList{"Normal Depth (ft.)", "Critical Depth (ft.)", "Q max (cfs)", "Q full (cfs)"}));

    Type(tool.edtDiameter, "2");
    Type(tool.edtManningN, "0.013");
    Type(tool.edtSlope, "0.01");
    // No discharge is no error: the capacities are still worked out.
    tool.Calculation();
    QCOMPARE(LastMessage(), QString());
    QCOMPARE(Cell(tool.tsResult, 0, 1), QStringLiteral("0.00"));
    QCOMPARE(Cell(tool.tsResult, 3, 1), QStringLiteral("22.62"));
    QVERIFY(Cell(tool.tsResult, 2, 1).toDouble() > Cell(tool.tsResult, 3, 1).toDouble());

    Type(tool.edtFlow, "11.31");
    tool.Calculation();
    QCOMPARE(Cell(tool.tsResult, 0, 1), QStringLiteral("1.00"));
    QVERIFY(Cell(tool.tsResult, 1, 1).toDouble() > 1);

    // Manning 0: the message, and every result back to 0.
    Type(tool.edtManningN, "0");
    tool.Calculation();
    QCOMPARE(LastMessage(), QStringLiteral("Diameter, Manning and Slope should be greater than 0."));
    QCOMPARE(Column(tool.tsResult, 1), (QStringList{"0.00", "0.00", "0.00", "0.00"}));
  }

  void enterCalculatesInsteadOfClosing() {
    TfrmCulvertHydraulicTool tool(nullptr);
    tool.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tool));
    tool.cbShape->setCurrentIndex(3);
    tool.edtWidth->setFocus();
    Type(tool.edtWidth, "4");
    Type(tool.edtHeight, "3");
    Type(tool.edtManningN, "0.013");
    Type(tool.edtSlope, "0.01");
    QTest::keyClick(tool.edtSlope, Qt::Key_Return);
    QVERIFY(tool.isVisible());
    QVERIFY(Cell(tool.tsResult, 3, 1).toDouble() > 0);
  }

  void entryPointsOpenModally() {
    QString title;
    QTimer::singleShot(0, [&title] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        title = modal->windowTitle();
        modal->close();
      }
    });
    ShowCulvertGeometricTool(nullptr);
    QCOMPARE(title, QStringLiteral("Culvert Geometric Tool"));
    QTimer::singleShot(0, [&title] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        title = modal->windowTitle();
        modal->close();
      }
    });
    ShowCulvertHydraulicTool(nullptr);
    QCOMPARE(title, QStringLiteral("Culvert Hydraulic Tool"));
  }
};

QTEST_MAIN(TestCulvertTools)
#include "TestCulvertTools.moc"
