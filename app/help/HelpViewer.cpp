#include "app/help/HelpViewer.h"

#include <QFile>
#include <QHBoxLayout>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "appmodel/HelpTopics.h"

namespace {
QPointer<TfrmHelpViewer> openViewer;

QToolButton* MakeButton(QWidget* parent, const QString& caption) {
  auto* button = new QToolButton(parent);
  button->setText(caption);
  button->setAutoRaise(true);
  return button;
}
}  // namespace

TfrmHelpViewer::TfrmHelpViewer(QWidget* owner) : QWidget(owner, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Help"));
  resize(720, 560);
  // Esc closes the help window, as it closes a dialog.
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
  auto* layout = new QVBoxLayout(this);
  auto* bar = new QHBoxLayout();
  btnContents = MakeButton(this, QStringLiteral("&Contents"));
  btnBack = MakeButton(this, QStringLiteral("&Back"));
  btnForward = MakeButton(this, QStringLiteral("&Forward"));
  bar->addWidget(btnContents);
  bar->addWidget(btnBack);
  bar->addWidget(btnForward);
  bar->addStretch(1);
  layout->addLayout(bar);
  tbPage = new QTextBrowser(this);
  tbPage->setOpenExternalLinks(true);
  layout->addWidget(tbPage, 1);
  btnBack->setEnabled(false);
  btnForward->setEnabled(false);
  connect(btnContents, &QToolButton::clicked, this, [this] { ShowTopic(FHelpFile, HelpContentsTopic); });
  connect(btnBack, &QToolButton::clicked, tbPage, &QTextBrowser::backward);
  connect(btnForward, &QToolButton::clicked, tbPage, &QTextBrowser::forward);
  connect(tbPage, &QTextBrowser::backwardAvailable, btnBack, &QToolButton::setEnabled);
  connect(tbPage, &QTextBrowser::forwardAvailable, btnForward, &QToolButton::setEnabled);
  connect(tbPage, &QTextBrowser::sourceChanged, this, [this] {
    const QString title = tbPage->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : QStringLiteral("Help - ") + title);
  });
}

bool TfrmHelpViewer::ShowTopic(const std::string& helpFile, int context) {
  const std::filesystem::path page = HelpPageFile(helpFile, context);
  if (page.empty()) return false;
  FHelpFile = helpFile;
  tbPage->setSource(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(page.string()))));
  return true;
}

TfrmHelpViewer* OpenHelpViewer(QWidget* owner, const std::string& helpFile, int context) {
  if (HelpPageFile(helpFile, context).empty()) return nullptr;
  QWidget* window = owner ? owner->window() : nullptr;
  // A window can only be used beside a modal dialog when the dialog owns it,
  // so the help moves to a new window when another window asks.
  if (openViewer && openViewer->parentWidget() != window) {
    openViewer->hide();
    openViewer->deleteLater();
    openViewer.clear();
  }
  if (!openViewer) openViewer = new TfrmHelpViewer(window);
  openViewer->ShowTopic(helpFile, context);
  openViewer->show();
  openViewer->raise();
  openViewer->activateWindow();
  return openViewer.data();
}

TfrmHelpViewer* CurrentHelpViewer() { return openViewer.data(); }
