#include "app/framework/BaseForm.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "app/framework/CoreText.h"
#include "app/framework/ProgramHelp.h"
#include "foundation/BaseObject.h"
#include "foundation/Messages.h"

namespace {
THelpHandler& HelpHandler() {
  static THelpHandler handler;
  return handler;
}
}  // namespace

int ScaledPixels(int pixels, double pixelsPerInch) {
  if (!(pixelsPerInch > 0)) return pixels;
  const double scaled = std::nearbyint(pixels * pixelsPerInch / 96.0);
  return scaled > 1e6 ? 1000000 : static_cast<int>(scaled);
}

void SetHelpHandler(THelpHandler handler) { HelpHandler() = std::move(handler); }

TfrmBaseForm::TfrmBaseForm(QWidget* window) : FWindow(window) {}

void TfrmBaseForm::ScaleToScreen() {
  const QScreen* screen = FWindow->screen();
  if (!screen) return;
  const double dpi = screen->logicalDotsPerInch();
  // At 144 dpi and more the scaled size can pass the screen; the window
  // then stays within the space the desktop leaves free.
  const QSize available = screen->availableGeometry().size();
  FWindow->resize(std::min(ScaledPixels(FWindow->width(), dpi), available.width()),
                  std::min(ScaledPixels(FWindow->height(), dpi), available.height()));
}

bool TfrmBaseForm::Confirm(const QString& text) { return ShowMessageBox(TMessageKind::Confirmation, ToCore(text)); }

void TfrmBaseForm::ShowContextHelp() const {
  if (HelpHandler()) HelpHandler()(HelpFileName(), HelpContext);
}

std::string TfrmBaseForm::HelpFileName() const { return ProgramHelpFileName(); }

TDateTime TfrmBaseForm::DefaultDate() const {
  const QDate today = QDate::currentDate();
  return EncodeDate(today.year(), today.month(), today.day());
}

TfrmBaseDlgForm::TfrmBaseDlgForm(TBaseObject* subject, QWidget* owner)
    : QDialog(owner), TfrmBaseForm(this), FCreateSubject(subject) {
  setModal(true);
  auto* outer = new QVBoxLayout(this);
  FContent = new QVBoxLayout();
  outer->addLayout(FContent, 1);
  FButtonBar = new QWidget(this);
  auto* bar = new QHBoxLayout(FButtonBar);
  bar->setContentsMargins(0, 0, 0, 0);
  bar->addStretch(1);
  FOk = new QPushButton(QStringLiteral("OK"), FButtonBar);
  FCancel = new QPushButton(QStringLiteral("Cancel"), FButtonBar);
  FOk->setDefault(true);
  FOk->setAutoDefault(true);
  bar->addWidget(FOk);
  bar->addWidget(FCancel);
  outer->addWidget(FButtonBar);
  connect(FOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(FCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmBaseDlgForm::Create() {
  DisplayOnCreate = false;
  ScaleToScreen();
  SetSubject(FCreateSubject);
  Initialize();
  if (Prepare()) FillLists();
  AfterPrepare();
  if (DisplayOnCreate) Display();
}

void TfrmBaseDlgForm::accept() {
  setResult(0);
  if (Apply()) QDialog::accept();
}

void TfrmBaseDlgForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
    ShowContextHelp();
    return;
  }
  QDialog::keyPressEvent(event);
}

TfrmBaseListDlgForm::TfrmBaseListDlgForm(TBaseObject* subject, QWidget* owner) : TfrmBaseDlgForm(subject, owner) {
  tsResultList = new QTableWidget(this);
  tsResultList->setSelectionBehavior(QAbstractItemView::SelectRows);
  tsResultList->setSelectionMode(QAbstractItemView::SingleSelection);
  tsResultList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tsResultList->verticalHeader()->setVisible(false);
  ContentLayout()->addWidget(tsResultList, 1);
  lblRecordsFound = new QLabel(ButtonBar());
  static_cast<QHBoxLayout*>(ButtonBar()->layout())->insertWidget(0, lblRecordsFound);
  // Moving with the keys chooses a row as a click does, so OK takes the row
  // the user sees selected.
  connect(tsResultList, &QTableWidget::currentCellChanged, this, [this](int row, int, int previousRow, int) {
    if (FDisplaying || row == previousRow) return;
    FRowJustMoved = row;
    RowChosen(row);
  });
  connect(tsResultList, &QTableWidget::cellClicked, this, [this](int row, int) {
    const bool alreadyChosen = row == FRowJustMoved;
    FRowJustMoved = -1;
    if (!alreadyChosen) RowChosen(row);
  });
  connect(tsResultList, &QTableWidget::cellDoubleClicked, this, [this](int, int) { accept(); });
}

void TfrmBaseListDlgForm::RowChosen(int row) {
  TBaseList* list = GetList();
  if (!list || row < 0 || row >= list->Count()) return;
  list->SetItemIndex(row);
  ItemSelected(row);
}

void TfrmBaseListDlgForm::CellValue(int, int, QString&, TBaseObject*) {}

void TfrmBaseListDlgForm::SetColumns(const QStringList& headings) {
  tsResultList->setColumnCount(static_cast<int>(headings.size()));
  tsResultList->setHorizontalHeaderLabels(headings);
}

void TfrmBaseListDlgForm::Create() {
  TfrmBaseDlgForm::Create();
  Display();
}

void TfrmBaseListDlgForm::Display() {
  TBaseList* list = GetList();
  const int n = list ? list->Count() : 0;
  if (n == 0)
    lblRecordsFound->setText(QStringLiteral("No records found"));
  else if (n == 1)
    lblRecordsFound->setText(QStringLiteral("One record found"));
  else
    lblRecordsFound->setText(QString::number(n) + QStringLiteral(" records found"));
  FDisplaying = true;
  tsResultList->setEnabled(n > 0);
  tsResultList->clearContents();
  tsResultList->setRowCount(n);
  if (list) list->First();
  for (int row = 0; row < n; ++row) {
    TBaseObject* entry = list->Object(row);
    for (int column = 0; column < tsResultList->columnCount(); ++column) {
      QString value;
      CellValue(row + 1, column, value, entry);
      tsResultList->setItem(row, column, new QTableWidgetItem(value));
    }
  }
  // The grid shows the list's cursor on its first entry.
  if (n > 0) tsResultList->setCurrentCell(0, 0);
  FDisplaying = false;
  tsResultList->resizeColumnsToContents();
  WidenToColumns();
}

// Result lists open wide enough to show every column whole, as far as the
// screen allows; beyond that the grid scrolls.
void TfrmBaseListDlgForm::WidenToColumns() {
  int columns = 2 * tsResultList->frameWidth() + tsResultList->verticalScrollBar()->sizeHint().width();
  for (int column = 0; column < tsResultList->columnCount(); ++column)
    if (!tsResultList->isColumnHidden(column)) columns += tsResultList->columnWidth(column);
  const QMargins margins = layout() ? layout()->contentsMargins() : QMargins();
  int wanted = columns + margins.left() + margins.right();
  if (const QScreen* display = screen()) wanted = std::min(wanted, display->availableGeometry().width());
  if (wanted > width()) resize(wanted, height());
}

bool TfrmBaseListDlgForm::Apply() {
  TBaseList* list = GetList();
  if (!list) return false;
  TBaseObject* current = list->Current();
  return current && AcceptItem(current);
}
