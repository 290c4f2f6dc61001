#include "app/framework/ProgramHelp.h"

#include <QCoreApplication>
#include <QFile>

const std::string& ProgramHelpFileName() {
  static const std::string name =
      QFile::encodeName(QCoreApplication::applicationFilePath() + QStringLiteral(".chm")).toStdString();
  return name;
}
