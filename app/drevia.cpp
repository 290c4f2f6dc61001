// drevia: the desktop front end.
#include <QApplication>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("QORV Drevia Design Software"));
  return 0;
}
