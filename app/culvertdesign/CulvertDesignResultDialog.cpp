#include "app/culvertdesign/CulvertDesignResultDialog.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/framework/CoreText.h"
#include "app/framework/PlotView.h"
#include "appmodel/CulvertAnalysisEntry.h"
#include "culvert/CulvertElement.h"

TfrmCulvertDesignResult::TfrmCulvertDesignResult(TCulvertDesignElement& element, const std::string& pipeType,
                                                 const TNerraParameterList& parameters, QWidget* owner,
                                                 std::vector<plots::TPlot> plots, int currentPlot)
    : TfrmBaseListDlgForm(&element, owner), FParameters(parameters), FModel(element, pipeType, &parameters) {
  setWindowTitle(QStringLiteral("Culvert Design Result"));
  HelpContext = 202;
  tcCulvertTypes = new QTabBar(this);
  tcCulvertTypes->setObjectName(QStringLiteral("tcCulvertTypes"));
  for (const std::string& tab : FModel.Tabs()) tcCulvertTypes->addTab(FromCore(tab));
  tcCulvertTypes->setVisible(!FModel.Tabs().empty());
  lblHeading = new QLabel(this);
  lblHeading->setObjectName(QStringLiteral("lblHeading"));
  QFont bold = lblHeading->font();
  bold.setBold(true);
  lblHeading->setFont(bold);
  lblHeading->setAlignment(Qt::AlignCenter);
  ContentLayout()->insertWidget(0, tcCulvertTypes);
  ContentLayout()->insertWidget(1, lblHeading);
  lblExtrapolatedNote = new QLabel(QString::fromLatin1(InletExtrapolatedNote), this);
  lblExtrapolatedNote->setObjectName(QStringLiteral("lblExtrapolatedNote"));
  QStringList headings;
  for (const std::string& heading : CulvertDesignResultHeadings()) headings << FromCore(heading);
  SetColumns(headings);
  CancelButton()->hide();
  connect(tcCulvertTypes, &QTabBar::currentChanged, this, [this](int index) { SelectTab(index); });
  resize(1100, 420);
  PlotPane = AddPlotPane(*this);
  PlotPane->SetPlots(std::move(plots), currentPlot);
  Create();
  // Right above the grid and its plots, as the table's legend.
  ContentLayout()->insertWidget(std::max(0, ContentLayout()->indexOf(PlotPane->parentWidget())), lblExtrapolatedNote);
  lblExtrapolatedNote->setVisible(AnyInletControlExtrapolated(FModel.Rows()));
}

TfrmCulvertDesignResult::~TfrmCulvertDesignResult() = default;

TBaseList* TfrmCulvertDesignResult::GetList() { return &FModel.Rows(); }

void TfrmCulvertDesignResult::CellValue(int, int column, QString& value, TBaseObject* object) {
  if (const auto* row = dynamic_cast<const TCulvertElementResult*>(object))
    value = FromCore(CulvertDesignResultCell(*row, column, &FParameters));
}

void TfrmCulvertDesignResult::Display() {
  lblHeading->setText(FromCore(FModel.Heading()));
  TfrmBaseListDlgForm::Display();
  if (lblExtrapolatedNote) lblExtrapolatedNote->setVisible(AnyInletControlExtrapolated(FModel.Rows()));
}

void TfrmCulvertDesignResult::SelectTab(int index) {
  FModel.SelectTab(index);
  Display();
}
