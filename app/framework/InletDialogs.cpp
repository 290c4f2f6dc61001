#include "app/framework/InletDialogs.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/framework/CodeListCombobox.h"
#include "app/framework/CoreText.h"
#include "model/ParameterList.h"

namespace {

QTableWidget* NewCoefficientGrid(QWidget* parent) {
  auto* grid = new QTableWidget(0, 2, parent);
  grid->setObjectName(QStringLiteral("tsParameters"));
  grid->setHorizontalHeaderLabels({QStringLiteral("Coefficient"), QStringLiteral("Value")});
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::NoSelection);
  grid->verticalHeader()->setVisible(false);
  grid->horizontalHeader()->setStretchLastSection(true);
  return grid;
}

// One name and value pair as an entry of a list.
class TCoefficientEntry : public TBaseObject {
public:
  explicit TCoefficientEntry(TCoefficientRow row) : Row(std::move(row)) {}
  TCoefficientRow Row;
};

}  // namespace

// --- Change Inlet Parameters -------------------------------------------------------

TfrmChangeInletParameters::TfrmChangeInletParameters(const TNerraBaseCode& set, int index,
                                                     const TNerraParameterList& parameters, QWidget* owner)
    : TfrmBaseDlgForm(nullptr, owner), FParameters(parameters), FCategory(set.Category), FIndex(index) {
  setWindowTitle(QStringLiteral("Change Inlet Parameters"));
  cbInletTypes = new TCodeListCombobox(this);
  cbInletTypes->setObjectName(QStringLiteral("cbInletTypes"));
  ContentLayout()->addWidget(cbInletTypes);
  pnlParameters = new QGroupBox(QStringLiteral("PARAMETERS"), this);
  pnlParameters->setObjectName(QStringLiteral("pnlParameters"));
  auto* panel = new QVBoxLayout(pnlParameters);
  tsParameters = NewCoefficientGrid(pnlParameters);
  panel->addWidget(tsParameters);
  ContentLayout()->addWidget(pnlParameters, 1);
  connect(cbInletTypes, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int) { ShowParameters(); });
  resize(360, 400);
  Create();
}

void TfrmChangeInletParameters::Initialize() { DisplayOnCreate = true; }

bool TfrmChangeInletParameters::Prepare() {
  FCodes = FParameters.CodesOfCategory(FCategory);
  // The pipe arch codes carry no coefficient sets.
  pnlParameters->setVisible(FCategory != pcInletType);
  return true;
}

void TfrmChangeInletParameters::FillLists() {
  const QSignalBlocker quiet(cbInletTypes);
  cbInletTypes->FillFromCodes(*FCodes);
}

void TfrmChangeInletParameters::Display() {
  cbInletTypes->setCurrentIndex(FIndex >= 0 && FIndex < cbInletTypes->count() ? FIndex : -1);
  ShowParameters();
}

int TfrmChangeInletParameters::SelectedIndex() const { return cbInletTypes->currentIndex(); }

void TfrmChangeInletParameters::ShowParameters() {
  const auto* set = dynamic_cast<const TNerraInletTypeCode*>(cbInletTypes->SelectedObject());
  const std::vector<TCoefficientRow> rows = set ? InletCoefficientRows(*set) : std::vector<TCoefficientRow>();
  tsParameters->setRowCount(static_cast<int>(rows.size()));
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    tsParameters->setItem(r, 0, new QTableWidgetItem(FromCore(rows[static_cast<size_t>(r)].Name)));
    tsParameters->setItem(r, 1, new QTableWidgetItem(FromCore(rows[static_cast<size_t>(r)].Value)));
  }
}

// --- coefficient lists ---------------------------------------------------------------

TfrmCoefficientList::TfrmCoefficientList(const QString& caption, const QStringList& headings,
                                         const std::vector<TCoefficientRow>& rows, QWidget* owner)
    : TfrmBaseListDlgForm(nullptr, owner), FRows(std::make_unique<TBaseList>(true)) {
  setWindowTitle(caption);
  for (const TCoefficientRow& row : rows) FRows->Add(row.Name, new TCoefficientEntry(row));
  SetColumns(headings);
  tsResultList->horizontalHeader()->setStretchLastSection(true);
  // No buttons: the window is closed by the user.
  ButtonBar()->hide();
  resize(340, 260);
  Create();
  // All eight coefficients show at once, without a scroll bar.
  const int rowCount = static_cast<int>(rows.size());
  tsResultList->setMinimumHeight(tsResultList->horizontalHeader()->sizeHint().height() +
                                 rowCount * tsResultList->verticalHeader()->defaultSectionSize() +
                                 2 * tsResultList->frameWidth() + 2);
}

TfrmCoefficientList::~TfrmCoefficientList() = default;

TBaseList* TfrmCoefficientList::GetList() { return FRows.get(); }

void TfrmCoefficientList::CellValue(int, int column, QString& value, TBaseObject* object) {
  const auto* entry = dynamic_cast<const TCoefficientEntry*>(object);
  if (!entry) return;
  value = FromCore(column == 0 ? entry->Row.Name : entry->Row.Value);
}

std::unique_ptr<TfrmCoefficientList> NewInletCoefficientsDialog(const TNerraInletTypeCode& set, QWidget* owner) {
  return std::make_unique<TfrmCoefficientList>(QStringLiteral("Inlet Coefficients"),
                                               QStringList{QStringLiteral("Coefficient"), QStringLiteral("Value")},
                                               InletCoefficientRows(set), owner);
}

std::unique_ptr<TfrmCoefficientList> NewCoefficientKEDialog(int headwallRow, QWidget* owner) {
  return std::make_unique<TfrmCoefficientList>(FromCore(CoefficientKETitle(headwallRow)),
                                               QStringList{QStringLiteral("Pipe Type"), QStringLiteral("Coeff. KE")},
                                               CoefficientKERows(headwallRow), owner);
}
