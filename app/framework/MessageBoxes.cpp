#include "app/framework/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

#include "app/framework/CoreText.h"
#include "foundation/Messages.h"

namespace {
// The window ShowError names for the box it is showing.
QPointer<QWidget> requestedParent;

QWidget* BoxParent(QWidget* installed) {
  if (requestedParent) return requestedParent.data();
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return installed;
}

bool ShowBox(QWidget* parent, TMessageKind kind, const std::string& text) {
  const QString message = FromCore(text);
  switch (kind) {
    case TMessageKind::Error:
      QMessageBox::critical(parent, QStringLiteral("Error"), message, QMessageBox::Ok);
      return false;
    case TMessageKind::Information:
      QMessageBox::information(parent, QStringLiteral("Information"), message, QMessageBox::Ok);
      return false;
    case TMessageKind::Warning:
      QMessageBox::warning(parent, QStringLiteral("Warning"), message, QMessageBox::Ok);
      return false;
    case TMessageKind::Plain: {
      QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), message, QMessageBox::Ok, parent);
      box.exec();
      return false;
    }
    case TMessageKind::Confirmation:
      return QMessageBox::question(parent, QStringLiteral("Confirm"), message, QMessageBox::Yes | QMessageBox::No,
                                   QMessageBox::No) == QMessageBox::Yes;
  }
  return false;
}
}  // namespace

void InstallMessageBoxes(QWidget* parent) {
  // The window may close before the handler is replaced; a dead window must
  // not own a box.
  QPointer<QWidget> owner(parent);
  SetMessageBoxHandler(
      [owner](TMessageKind kind, const std::string& text) { return ShowBox(BoxParent(owner.data()), kind, text); });
}

void ShowError(QWidget* parent, const std::string& text) {
  const QPointer<QWidget> previous = requestedParent;
  requestedParent = parent;
  ShowMessageBox(TMessageKind::Error, text);
  requestedParent = previous;
}
