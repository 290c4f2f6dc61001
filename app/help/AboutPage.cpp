#include "app/help/AboutPage.h"

#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/framework/CoreText.h"
#include "appmodel/UpdateCheck.h"

namespace {
// A culvert barrel under a road with water running through it.
QPixmap Logo() {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRect(0, 10, 64, 8), QColor(90, 90, 90));
  painter.setPen(QPen(QColor(200, 200, 60), 2, Qt::DashLine));
  painter.drawLine(4, 14, 60, 14);
  painter.setPen(QPen(QColor(110, 110, 110), 4));
  painter.setBrush(QColor(225, 225, 225));
  painter.drawEllipse(QRect(12, 24, 40, 36));
  QPainterPath water;
  water.moveTo(14, 48);
  water.cubicTo(24, 42, 40, 54, 50, 48);
  water.lineTo(46, 56);
  water.cubicTo(38, 60, 26, 60, 18, 56);
  water.closeSubpath();
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(40, 110, 200));
  painter.drawPath(water);
  return pixmap;
}

QLabel* NotAvailable(QWidget* parent, const char* name) {
  auto* label = new QLabel(QStringLiteral("N/A"), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}
}  // namespace

TfrmAboutPage::TfrmAboutPage(QWidget* owner) : QDialog(owner) {
  setWindowTitle(QStringLiteral("About"));
  setModal(true);
  imgLogo = new QLabel(this);
  imgLogo->setObjectName(QStringLiteral("imgLogo"));
  imgLogo->setPixmap(Logo());
  imgLogo->setAlignment(Qt::AlignTop);
  lblProductName = NotAvailable(this, "lblProductName");
  QFont bold = lblProductName->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.4);
  lblProductName->setFont(bold);
  lblVersion = NotAvailable(this, "lblVersion");
  lblCopyright = NotAvailable(this, "lblCopyright");
  lblComments = NotAvailable(this, "lblComments");
  btnOK = new QPushButton(QStringLiteral("OK"), this);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

  auto* texts = new QVBoxLayout();
  for (QLabel* label : {lblProductName, lblVersion, lblCopyright, lblComments}) texts->addWidget(label);
  texts->addStretch(1);
  auto* top = new QHBoxLayout();
  top->addWidget(imgLogo);
  top->addLayout(texts, 1);
  auto* buttons = new QHBoxLayout();
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);
  setMinimumWidth(380);
}

bool TAboutDialog::Execute(const std::string& fileName) {
  if (!fileName.empty()) Filename = fileName;
  const TProgramFileVersion version = ReadProgramFileVersion(Filename);
  if (!version.Found) return false;
  TfrmAboutPage page(FOwner);
  page.lblProductName->setText(FromCore(version.ProductName));
  page.lblVersion->setText(QStringLiteral("Version : ") + FromCore(version.FileVersion));
  page.lblCopyright->setText(FromCore(version.LegalCopyright));
  page.lblComments->setText(FromCore(version.FileDescription));
  page.exec();
  return true;
}
