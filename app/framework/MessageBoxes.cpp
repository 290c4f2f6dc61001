#include "app/framework/MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <functional>

#include "app/framework/CoreText.h"
#include "appmodel/MainDocument.h"
#include "foundation/Messages.h"

namespace {
// The desktop's boxes with the window each belongs to; empty until
// InstallMessageBoxes.
using TBoxHandler = std::function<bool(QWidget* parent, TMessageKind kind, const std::string& text)>;
TBoxHandler& DesktopBoxes() {
  static TBoxHandler handler;
  return handler;
}

// A box the caller names no window for stacks on the modal dialog in front,
// else on the installed window.
QWidget* BoxParent(QWidget* installed) {
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
  DesktopBoxes() = [owner](QWidget* boxParent, TMessageKind kind, const std::string& text) {
    return ShowBox(boxParent ? boxParent : BoxParent(owner.data()), kind, text);
  };
  SetMessageBoxHandler([](TMessageKind kind, const std::string& text) { return DesktopBoxes()(nullptr, kind, text); });
}

void ShowError(QWidget* parent, const std::string& text) {
  if (DesktopBoxes())
    DesktopBoxes()(parent, TMessageKind::Error, text);
  else
    ShowMessageBox(TMessageKind::Error, text);
}

TSaveChoice AskSaveDiscardCancel(QWidget* parent, const std::string& text) {
  if (!DesktopBoxes())
    return ShowMessageBox(TMessageKind::Confirmation, text) ? TSaveChoice::Discard : TSaveChoice::Cancel;
  QMessageBox box(QMessageBox::Question, QStringLiteral("Confirm"), FromCore(text),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                  QApplication::activeModalWidget() ? QApplication::activeModalWidget() : parent);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save: return TSaveChoice::Save;
    case QMessageBox::Discard: return TSaveChoice::Discard;
    default: return TSaveChoice::Cancel;
  }
}
