#pragma once
// The form bases every window of the desktop derives from.
//
// The hooks run in a fixed order when a dialog is created: SetSubject,
// Initialize, FillLists (when Prepare agrees), AfterPrepare and Display
// (when DisplayOnCreate is set). C++ does not dispatch to overrides from a
// base constructor, so the most derived dialog ends its own constructor with
// Create(), which runs that sequence.
#include <QDialog>
#include <QString>
#include <functional>
#include <string>

#include "foundation/DateTime.h"

class QKeyEvent;
class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;
class TBaseObject;
class TBaseList;

// Width or height scaled from 96 pixels per inch to the screen's, rounded to
// the nearest whole pixel with halves to the even neighbour.
int ScaledPixels(int pixels, double pixelsPerInch);

// The help viewer plugs in here: it opens helpFile at the topic (0 = the
// contents). Without a handler F1 does nothing.
using THelpHandler = std::function<void(const std::string& helpFile, int context)>;
void SetHelpHandler(THelpHandler handler);

class TfrmBaseForm {
public:
  explicit TfrmBaseForm(QWidget* window);
  virtual ~TfrmBaseForm() = default;
  TfrmBaseForm(const TfrmBaseForm&) = delete;
  TfrmBaseForm& operator=(const TfrmBaseForm&) = delete;

  bool DisplayOnCreate = false;
  // Help topic of the window (F1); 0 = none.
  int HelpContext = 0;

  // Width and height times the screen's pixels per inch / 96.
  virtual void ScaleToScreen();
  // Yes/No question through the message-box seam; true for Yes.
  virtual bool Confirm(const QString& text);
  // The help file F1 opens: the program's (ProgramHelpFileName); empty for a
  // window without help.
  virtual std::string HelpFileName() const;
  virtual TDateTime DefaultDate() const;
  virtual TBaseObject* GetSubject() const { return nullptr; }
  virtual void SetSubject(TBaseObject*) {}
  virtual void Initialize() {}
  virtual void Finalize() {}
  virtual void AfterShow() {}
  virtual void ShowStatus(const QString&) {}
  virtual bool Prepare() { return true; }
  virtual void FillLists() {}
  virtual void AfterPrepare() {}
  virtual void Display() {}

  QWidget* Window() const { return FWindow; }
  // F1: the help file at the window's help context.
  void ShowContextHelp() const;

private:
  QWidget* FWindow;
};

// A modal entry dialog: the content area above an OK (default, Enter) and a
// Cancel (Esc) button.
class TfrmBaseDlgForm : public QDialog, public TfrmBaseForm {
  Q_OBJECT
public:
  TfrmBaseDlgForm(TBaseObject* subject, QWidget* owner);

  virtual bool Validate() { return true; }
  virtual bool Apply() { return Validate(); }

  // Runs the create sequence; called last by the most derived constructor.
  virtual void Create();

  // Where a dialog puts its controls.
  QVBoxLayout* ContentLayout() const { return FContent; }
  QWidget* ButtonBar() const { return FButtonBar; }
  QPushButton* OkButton() const { return FOk; }
  QPushButton* CancelButton() const { return FCancel; }

  // OK: closes with the OK result only when Apply agrees.
  void accept() override;

protected:
  void keyPressEvent(QKeyEvent* event) override;

  TBaseObject* FCreateSubject;

private:
  QVBoxLayout* FContent;
  QWidget* FButtonBar;
  QPushButton* FOk;
  QPushButton* FCancel;
};

// A dialog listing the entries of a list in the grid tsResultList, with the
// count in lblRecordsFound.
class TfrmBaseListDlgForm : public TfrmBaseDlgForm {
  Q_OBJECT
public:
  TfrmBaseListDlgForm(TBaseObject* subject, QWidget* owner);

  virtual TBaseList* GetList() { return nullptr; }
  virtual void ListHook() {}
  virtual void CellValue(int row, int column, QString& value, TBaseObject* object);
  virtual bool AcceptItem(TBaseObject*) { return true; }
  virtual void ItemSelected(int) {}

  void Create() override;
  void Display() override;
  bool Apply() override;

  // Column headings of the grid (one column per heading).
  void SetColumns(const QStringList& headings);

  QTableWidget* tsResultList;
  QLabel* lblRecordsFound;

private:
  void RowChosen(int row);

  // Display moves the grid itself; that is not the user choosing a row.
  bool FDisplaying = false;
  void WidenToColumns();
  // The row a mouse press just made current, so its click does not choose
  // it a second time.
  int FRowJustMoved = -1;
};
