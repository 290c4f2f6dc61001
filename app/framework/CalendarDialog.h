#pragma once
// The "Calendar" dialog: a month calendar for looking up a date, or for
// picking the date of the date field that had the focus.

#include <QPointer>

#include "app/framework/BaseEdit.h"
#include "app/framework/BaseForm.h"

class QCalendarWidget;

class TfrmCalendar : public TfrmBaseDlgForm {
  Q_OBJECT
public:
  // focused: the caller's focused control; a date field becomes the target.
  TfrmCalendar(TfrmBaseForm& caller, QWidget* focused);

  void Initialize() override;
  // F1 in the calendar has never opened help; it keeps it that way.
  std::string HelpFileName() const override { return std::string(); }
  void Display() override;

  // The date field a chosen day goes into; none when the calendar was opened
  // from anything else.
  TBaseEdit* Target() const { return FTarget.data(); }
  TDateTime StartDate() const { return FStartDate; }

  QCalendarWidget* calCalendar;

private:
  void DayChosen(const QDate& day);

  QPointer<TBaseEdit> FTarget;
  TDateTime FStartDate = 0;
};

// Opens the calendar modally for the caller's window.
void ShowCalendar(TfrmBaseForm& caller, QWidget* focused);
