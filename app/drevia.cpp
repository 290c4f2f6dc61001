// drevia: the desktop front end.
#include <QApplication>

#include "app/framework/MessageBoxes.h"
#include "app/help/HelpAbout.h"
#include "app/main/MainPage.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QString::fromLatin1(MainWindowCaption));
  // Ties the window to the menu entry (its icon and name in the task bar).
  QGuiApplication::setDesktopFileName(QStringLiteral("drevia"));
  TfrmMainPage window(QCoreApplication::applicationDirPath());
  InstallMessageBoxes(&window);
  InstallHelpViewer();
  // A newer installation offered and its installer started: this program
  // ends and leaves the installer running.
  if (CheckForUpdate(std::string(), &window)) return 0;
  if (!window.Startup()) return 1;
  window.show();
  // "drevia FILE": the file manager's double click on a project.
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() > 1) window.OpenFileCommand(arguments.at(1));
  return application.exec();
}
