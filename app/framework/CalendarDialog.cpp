#include "app/framework/CalendarDialog.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QDate ToQDate(TDateTime date) {
  int year = 0, month = 0, day = 0;
  DecodeDate(date, year, month, day);
  return QDate(year, month, day);
}

TBaseEdit* DateField(QWidget* focused) {
  auto* edit = qobject_cast<TBaseEdit*>(focused);
  return edit && edit->DataType() == edtDate ? edit : nullptr;
}
}  // namespace

TfrmCalendar::TfrmCalendar(TfrmBaseForm& caller, QWidget* focused)
    : TfrmBaseDlgForm(nullptr, caller.Window()), FTarget(DateField(focused)) {
  setWindowTitle(QStringLiteral("Calendar"));
  HelpContext = 1002;
  calCalendar = new QCalendarWidget(this);
  calCalendar->setGridVisible(true);
  ContentLayout()->addWidget(calCalendar, 1);
  // The calendar fills the window; Esc still closes it.
  ButtonBar()->hide();
  OkButton()->setDefault(false);
  OkButton()->setAutoDefault(false);
  FStartDate = caller.DefaultDate();
  if (FTarget && FTarget->DateValue() > 0) FStartDate = FTarget->DateValue();
  connect(calCalendar, &QCalendarWidget::activated, this, &TfrmCalendar::DayChosen);
  Create();
}

void TfrmCalendar::Initialize() { DisplayOnCreate = true; }

void TfrmCalendar::Display() {
  const QDate start = ToQDate(FStartDate);
  calCalendar->setSelectedDate(start);
  calCalendar->setCurrentPage(start.year(), start.month());
}

void TfrmCalendar::DayChosen(const QDate& day) {
  if (FTarget) FTarget->SetDateValue(EncodeDate(day.year(), day.month(), day.day()));
  QDialog::accept();
}

void ShowCalendar(TfrmBaseForm& caller, QWidget* focused) {
  TfrmCalendar calendar(caller, focused);
  calendar.exec();
}
