// drevia: the desktop front end.
#include <QApplication>
#include <cstring>
#include <iostream>

#include "app/framework/MessageBoxes.h"
#include "app/help/HelpAbout.h"
#include "app/main/MainPage.h"
#include "foundation/Version.h"

namespace {

const char* const DesktopUsage =
    "usage: drevia [--help] [--version] [FILE]\n"
    "The " DREVIA_PRODUCT_NAME
    " desktop: culvert design and analysis, storm sewer\n"
    "design and analysis, inlet spacing and ditch analysis.\n"
    "\n"
    "  FILE         a project file to open at start-up\n"
    "  -h, --help   print this text and end\n"
    "  --version    print the version and end\n"
    "\n"
    "The Qt options (-platform, -style, ...) are taken as well.\n"
    "\n"
    "The parameter files AppParameters.xml and UniversalCulvertParameters.xml are\n"
    "read from the program's folder, else from the user's copy\n"
    "($XDG_DATA_HOME/drevia), else from ../share/drevia beside it. drevia-cli\n"
    "runs the same calculations without a display.\n";

// --help and --version are answered before the QApplication exists, so they
// work without a display. Every other argument is left to Qt. Returns -1 when
// the program is to start.
int AnswerInformationRequest(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::cout << "drevia (" DREVIA_PRODUCT_NAME ") " DREVIA_VERSION "\n";
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::cout << DesktopUsage;
      return 0;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const int status = AnswerInformationRequest(argc, argv); status >= 0) return status;
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
