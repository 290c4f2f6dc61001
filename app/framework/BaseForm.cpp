#include "framework/BaseForm.h"

#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "foundation/BaseObject.h"

TfrmBaseForm::TfrmBaseForm(QWidget* window) : FWindow(window) {}

void TfrmBaseForm::ScaleToScreen() {
  const QScreen* screen = FWindow->screen();
  if (!screen) return;
  const double factor = screen->logicalDotsPerInch() / 96.0;
  // Halves go to the even neighbour.
  const int width = static_cast<int>(std::nearbyint(FWindow->width() * factor));
  const int height = static_cast<int>(std::nearbyint(FWindow->height() * factor));
  FWindow->resize(width, height);
}

bool TfrmBaseForm::Confirm(const QString& text) {
  return QMessageBox::question(FWindow, FWindow->windowTitle(), text, QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

std::string TfrmBaseForm::HelpFileName() const { return std::string(); }

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

TfrmBaseListDlgForm::TfrmBaseListDlgForm(TBaseObject* subject, QWidget* owner) : TfrmBaseDlgForm(subject, owner) {
  tsResultList = new QTableWidget(this);
  tsResultList->setSelectionBehavior(QAbstractItemView::SelectRows);
  tsResultList->setSelectionMode(QAbstractItemView::SingleSelection);
  tsResultList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tsResultList->verticalHeader()->setVisible(false);
  ContentLayout()->addWidget(tsResultList, 1);
  lblRecordsFound = new QLabel(ButtonBar());
  static_cast<QHBoxLayout*>(ButtonBar()->layout())->insertWidget(0, lblRecordsFound);
  connect(tsResultList, &QTableWidget::cellClicked, this, [this](int row, int) {
    TBaseList* list = GetList();
    if (!list || row < 0 || row >= list->Count()) return;
    list->SetItemIndex(row);
    ItemSelected(row);
  });
  connect(tsResultList, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    TBaseList* list = GetList();
    if (list && row >= 0 && row < list->Count()) list->SetItemIndex(row);
    accept();
  });
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
  tsResultList->setEnabled(n > 0);
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
  tsResultList->resizeColumnsToContents();
}

bool TfrmBaseListDlgForm::Apply() {
  TBaseList* list = GetList();
  if (!list) return false;
  TBaseObject* current = list->Current();
  return current && AcceptItem(current);
}
