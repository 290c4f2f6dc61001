#pragma once
// The help file beside the program, as the main window finds it.

#include <QCoreApplication>
#include <string>

#include "app/framework/CoreText.h"

inline std::string ProgramHelpFileName() {
  return ToCore(QCoreApplication::applicationFilePath() + QStringLiteral(".chm"));
}
