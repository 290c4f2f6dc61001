// The form bases and the input controls, driven as a user drives them.
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <string>
#include <vector>

#include "app/framework/BaseEdit.h"
#include "app/framework/BaseForm.h"
#include "app/framework/CalendarDialog.h"
#include "app/framework/CodeListCombobox.h"
#include "app/framework/CoreText.h"
#include "app/framework/MessageBoxes.h"
#include "app/framework/ProgramHelp.h"
#include "foundation/FormatSettings.h"
#include "foundation/Messages.h"
#include "model/NerraBase.h"

namespace {
// A list dialog over a plain list that records what the hooks see.
class TTestListDialog : public TfrmBaseListDlgForm {
public:
  TTestListDialog(TBaseList& list, std::vector<std::string>& calls)
      : TfrmBaseListDlgForm(&list, nullptr), FList(list), FCalls(calls) {
    SetColumns({QStringLiteral("Row")});
    Create();
  }
  void SetSubject(TBaseObject*) override { FCalls.push_back("SetSubject"); }
  void Initialize() override {
    FCalls.push_back("Initialize");
    DisplayOnCreate = true;
  }
  bool Prepare() override { return true; }
  void FillLists() override { FCalls.push_back("FillLists"); }
  void AfterPrepare() override { FCalls.push_back("AfterPrepare"); }
  void Display() override {
    FCalls.push_back("Display");
    TfrmBaseListDlgForm::Display();
  }
  TBaseList* GetList() override { return &FList; }
  void CellValue(int row, int, QString& value, TBaseObject*) override { value = QString::number(row); }
  void ItemSelected(int index) override { Selected.push_back(index); }
  bool AcceptItem(TBaseObject* object) override { return object != Refused; }

  std::vector<int> Selected;
  TBaseObject* Refused = nullptr;

private:
  TBaseList& FList;
  std::vector<std::string>& FCalls;
};

// A caller of the calendar with a fixed "today".
class TCallerForm : public QWidget, public TfrmBaseForm {
public:
  TCallerForm() : TfrmBaseForm(this) {}
  TDateTime DefaultDate() const override { return EncodeDate(2024, 2, 29); }
};

void FillList(TBaseList& list, int count) {
  for (int i = 0; i < count; ++i) list.AddNew<TNerraBase>();
}

TNerraBaseCode* AddCode(TNerraBaseList& list, const std::string& code, const std::string& description) {
  auto* entry = list.AddNew<TNerraBaseCode>();
  entry->Code = code;
  entry->Description = description;
  return entry;
}

// Runs action on the modal dialog once it is up.
void WhenModal(std::function<void(QWidget*)> action) {
  QTimer::singleShot(0, [action] {
    if (QWidget* modal = QApplication::activeModalWidget()) action(modal);
  });
}

void LeaveField(QWidget* edit) {
  QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(edit, &event);
}
}  // namespace

class TestFramework : public QObject {
  Q_OBJECT
private slots:
  void init() {
    SetFormatSettings(TFormatSettings{});
    FMessages.clear();
    SetMessageBoxHandler([this](TMessageKind, const std::string& text) {
      FMessages.push_back(text);
      return FAnswer;
    });
  }
  void cleanup() { SetMessageBoxHandler(nullptr); }

  void keysAreFilteredByKind() {
    TBaseEdit number(edtFloat, nullptr);
    QSignalSpy keys(&number, &TBaseEdit::OnKeyPressed);
    QTest::keyClicks(&number, QStringLiteral("1,5"));
    QCOMPARE(number.text(), QStringLiteral("15"));
    QCOMPARE(number.FloatValue(), 15.0);
    QCOMPARE(keys.count(), 3);
    QVERIFY(keys.at(1).at(0).value<QChar>().isNull());

    TBaseEdit integer(edtInteger, nullptr);
    QCOMPARE(integer.text(), QString());
    QTest::keyClicks(&integer, QStringLiteral("-5"));
    QCOMPARE(integer.text(), QStringLiteral("-5"));
    QCOMPARE(integer.IntegerValue(), 0);
    LeaveField(&integer);
    QCOMPARE(integer.text(), QString());

    TBaseEdit mask(edtMask, nullptr);
    mask.SetMask(QStringLiteral("##-&&"));
    QTest::keyClicks(&mask, QStringLiteral("1x2-ab9"));
    QCOMPARE(mask.text(), QStringLiteral("12-ab"));

    TBaseEdit code(edtNumeric, nullptr);
    code.SetExtendedChar(QStringLiteral("+"));
    QTest::keyClicks(&code, QStringLiteral("+12a"));
    QCOMPARE(code.TextValue(), QStringLiteral("+12"));
    // Backspace always goes through.
    QTest::keyClick(&code, Qt::Key_Backspace);
    QCOMPARE(code.TextValue(), QStringLiteral("+1"));
  }

  void decimalKeyAndPastedText() {
    SetFormatSettings(TFormatSettings{',', '.', "DMY"});
    TBaseEdit number(edtFloat, nullptr);
    QTest::keyClicks(&number, QStringLiteral("2.5"));
    QCOMPARE(number.text(), QStringLiteral("2,5"));
    QCOMPARE(number.FloatValue(), 2.5);

    SetFormatSettings(TFormatSettings{});
    TBaseEdit pasted(edtFloat, nullptr);
    QApplication::clipboard()->setText(QStringLiteral("1,5"));
    pasted.paste();
    QCOMPARE(pasted.text(), QString());
    QApplication::clipboard()->setText(QStringLiteral("-1.25"));
    pasted.paste();
    QCOMPARE(pasted.text(), QStringLiteral("-1.25"));
    QCOMPARE(pasted.FloatValue(), -1.25);

    // Text the core cannot store never gets in.
    TBaseEdit free(edtFree, nullptr);
    free.insert(QStringLiteral("Route \u20AC"));
    QCOMPARE(free.text(), QString());
    free.insert(QStringLiteral("Caf\u00E9"));
    QCOMPARE(ToCore(free.TextValue()), std::string("Caf\xE9"));
  }

  void valueIsShownInTheKindsFormat() {
    TBaseEdit fixed(edtFixed, nullptr);
    fixed.SetPrecision(9);
    fixed.SetDigits(2);
    QSignalSpy changes(&fixed, &TBaseEdit::OnChangeValue);
    fixed.SetFloatValue(3.14159);
    QCOMPARE(fixed.text(), QStringLiteral("3.14"));
    // The rounding shown does not replace the value behind it.
    QCOMPARE(fixed.FloatValue(), 3.14159);
    QCOMPARE(changes.count(), 1);

    TBaseEdit date(edtDate, nullptr);
    date.SetMask(QStringLiteral("MM/DD/YYYY"));
    QTest::keyClicks(&date, QStringLiteral("Dec 31, 2005"));
    QCOMPARE(date.DateValue(), EncodeDate(2005, 12, 31));
    QSignalSpy exits(&date, &TBaseEdit::OnExitField);
    LeaveField(&date);
    QCOMPARE(date.text(), QStringLiteral("12/31/2005"));
    QCOMPARE(exits.count(), 1);

    TBaseEdit alpha(edtAlpha, nullptr);
    alpha.SetEditValue(QStringLiteral("Culvert 3"));
    QCOMPARE(alpha.text(), QString());
    TBaseEdit integer(edtInteger, nullptr);
    integer.SetEditValue(QStringLiteral("twelve"));
    QCOMPARE(integer.EditValue().toInt(), 0);
    integer.SetEditValue(42);
    QCOMPARE(integer.text(), QStringLiteral("42"));

    TBaseEdit pid(edtFree, nullptr);
    pid.SetMaxLength(10);
    QTest::keyClicks(&pid, QStringLiteral("ABCDEFGHIJKL"));
    QCOMPARE(pid.text(), QStringLiteral("ABCDEFGHIJ"));
  }

  void exitCheckShowsItsMessage() {
    TBaseEdit number(edtFloat, nullptr);
    number.SetValidateOnExit(true);
    number.SetMinValue(0);
    number.SetMaxValue(10);
    QSignalSpy exits(&number, &TBaseEdit::OnExitField);
    QTest::keyClicks(&number, QStringLiteral("12"));
    QVERIFY(!number.ExitField());
    QTRY_COMPARE(FMessages.size(), size_t(1));
    QCOMPARE(FMessages[0], std::string("Data entered is incorrect."));
    QCOMPARE(exits.count(), 0);
    number.clear();
    QTest::keyClicks(&number, QStringLiteral("7"));
    QVERIFY(number.ExitField());
    QCOMPARE(exits.count(), 1);
  }

  void editEnabledSwitchesTheLook() {
    TBaseEdit edit(edtFree, nullptr);
    edit.SetDisabledColor(QColor(Qt::darkGray));
    edit.SetEditEnabled(false);
    QVERIFY(!edit.isEnabled());
    QCOMPARE(edit.palette().color(QPalette::Disabled, QPalette::Base), QColor(Qt::darkGray));
    QVERIFY(edit.font().bold());
    edit.SetEditEnabled(true);
    QVERIFY(!edit.font().bold());
    QCOMPARE(edit.palette().color(QPalette::Active, QPalette::Base), edit.EnabledColor());
  }

  void smartDigitCompletes() {
    TBaseEdit edit(edtFree, nullptr);
    edit.SetSmartDigit(true);
    edit.SetKnownTexts({QStringLiteral("Concrete"), QStringLiteral("Plastic")});
    QTest::keyClicks(&edit, QStringLiteral("pl"));
    QCOMPARE(edit.text(), QStringLiteral("Plastic"));
    QCOMPARE(edit.selectedText(), QStringLiteral("astic"));
  }

  void codeListSelectsByCode() {
    TNerraBaseList codes(true);
    AddCode(codes, "1", "Area 1");
    TNerraBaseCode* second = AddCode(codes, "2", "Area \xE9");
    codes.AddNew<TNerraBase>();  // not a code entry: left out
    TCodeListCombobox box;
    TNerraBaseCode fallback;
    fallback.Code = "0";
    QCOMPARE(box.SelectedCode("none"), std::string("none"));
    box.SetDefaultObject(&fallback);
    QCOMPARE(box.SelectedCode("none"), std::string("0"));
    box.FillFromCodes(codes);
    QCOMPARE(box.count(), 2);
    QCOMPARE(box.itemText(1), QStringLiteral("Area \u00E9"));
    box.SelectCode("2");
    QCOMPARE(box.SelectedObject(), static_cast<TBaseObject*>(second));
    QCOMPARE(box.SelectedCode("none"), std::string("2"));
    box.SelectCode("9");
    QCOMPARE(box.currentIndex(), 0);
    box.setCurrentIndex(-1);
    QCOMPARE(box.SelectedObject(), static_cast<TBaseObject*>(&fallback));
    box.SetEditEnabled(false);
    QVERIFY(box.font().bold());
  }

  void listDialogCountsAndChooses() {
    std::vector<std::string> calls;
    TBaseList none(true);
    TTestListDialog empty(none, calls);
    QCOMPARE(empty.lblRecordsFound->text(), QStringLiteral("No records found"));
    QVERIFY(!empty.tsResultList->isEnabled());
    QVERIFY(!empty.Apply());
    const std::vector<std::string> order = {"SetSubject",   "Initialize", "FillLists",
                                            "AfterPrepare", "Display",    "Display"};
    QCOMPARE(calls, order);

    TBaseList one(true);
    FillList(one, 1);
    QCOMPARE(TTestListDialog(one, calls).lblRecordsFound->text(), QStringLiteral("One record found"));

    TBaseList three(true);
    FillList(three, 3);
    TTestListDialog dialog(three, calls);
    QCOMPARE(dialog.lblRecordsFound->text(), QStringLiteral("3 records found"));
    QVERIFY(dialog.tsResultList->isEnabled());
    QCOMPARE(dialog.tsResultList->rowCount(), 3);
    QCOMPARE(dialog.tsResultList->item(2, 0)->text(), QStringLiteral("3"));
    QCOMPARE(three.ItemIndex, 0);
    QVERIFY(dialog.Selected.empty());

    dialog.tsResultList->setCurrentCell(2, 0);
    QCOMPARE(three.ItemIndex, 2);
    QCOMPARE(dialog.Selected, std::vector<int>{2});
    dialog.Refused = three.Object(2);
    QVERIFY(!dialog.Apply());
    dialog.Refused = nullptr;
    QVERIFY(dialog.Apply());
    emit dialog.tsResultList->cellDoubleClicked(2, 0);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }

  void calendarStartsAtTheFieldsDate() {
    TCallerForm caller;
    TBaseEdit date(edtDate, &caller);
    // A date field holding 0 opens at the caller's date, and is the target.
    TfrmCalendar fromEmpty(caller, &date);
    QCOMPARE(fromEmpty.StartDate(), EncodeDate(2024, 2, 29));
    QCOMPARE(fromEmpty.calCalendar->selectedDate(), QDate(2024, 2, 29));
    QCOMPARE(fromEmpty.Target(), &date);

    date.SetDateValue(EncodeDate(2005, 12, 31));
    TfrmCalendar fromDate(caller, &date);
    QCOMPARE(fromDate.calCalendar->selectedDate(), QDate(2005, 12, 31));
    QCOMPARE(fromDate.windowTitle(), QStringLiteral("Calendar"));
    QCOMPARE(fromDate.HelpContext, 1002);

    TBaseEdit number(edtFloat, &caller);
    QVERIFY(TfrmCalendar(caller, &number).Target() == nullptr);

    // A double click on a day writes it into the field and closes.
    WhenModal([](QWidget* modal) {
      auto* calendar = modal->findChild<QCalendarWidget*>();
      if (calendar) emit calendar->activated(QDate(2010, 7, 4));
    });
    ShowCalendar(caller, &date);
    QCOMPARE(date.DateValue(), EncodeDate(2010, 7, 4));
    QCOMPARE(date.text(), QStringLiteral("07/04/2010"));
  }

  void messagesGoThroughTheSeam() {
    TCallerForm form;
    FAnswer = true;
    QVERIFY(form.Confirm(QStringLiteral("Continue?")));
    ShowError(nullptr, "Cannot save file.");
    QCOMPARE(FMessages, (std::vector<std::string>{"Continue?", "Cannot save file."}));
    QCOMPARE(ToCore(QStringLiteral("\u00E9\u20AC\U0001F600")), std::string("\xE9??"));
    QCOMPARE(FromCore("\xB0"), QStringLiteral("\u00B0"));
    FAnswer = false;
  }

  // Every window with help names the same file, the program's own with
  // ".chm", in the file system's encoding; the calendar keeps F1 silent.
  void windowsNameTheProgramHelpFile() {
    const std::string expected =
        QFile::encodeName(QCoreApplication::applicationFilePath() + QStringLiteral(".chm")).toStdString();
    QCOMPARE(ProgramHelpFileName(), expected);
    TCallerForm form;
    QCOMPARE(form.HelpFileName(), expected);
    TBaseEdit date(edtDate, &form);
    TfrmCalendar calendar(form, &date);
    QVERIFY(calendar.HelpFileName().empty());
  }

  void scalingRoundsHalvesToEven() {
    QCOMPARE(ScaledPixels(10, 120), 12);
    QCOMPARE(ScaledPixels(30, 120), 38);
    QCOMPARE(ScaledPixels(400, 96), 400);
    QCOMPARE(ScaledPixels(400, 0), 400);
  }

private:
  std::vector<std::string> FMessages;
  bool FAnswer = false;
};

QTEST_MAIN(TestFramework)
#include "TestFramework.moc"
