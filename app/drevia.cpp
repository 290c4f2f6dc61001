// drevia: the desktop front end.
#include <QApplication>

#include "framework/MessageBoxes.h"
#include "main/MainPage.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QString::fromLatin1(MainWindowCaption));
  TfrmMainPage window(QCoreApplication::applicationDirPath());
  InstallMessageBoxes(&window);
  if (!window.Startup()) return 1;
  window.show();
  return application.exec();
}
