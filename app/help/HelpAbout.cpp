#include "app/help/HelpAbout.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include "app/framework/BaseForm.h"
#include "app/framework/ProgramHelp.h"
#include "app/help/AboutPage.h"
#include "app/help/HelpViewer.h"
#include "appmodel/HelpTopics.h"
#include "appmodel/UpdateCheck.h"
#include "foundation/Messages.h"

namespace {
std::string ProgramFile() { return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(); }

QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// F1 comes from the window in front: the modal dialog when one is open.
QWidget* HelpOwner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}
}  // namespace

void InstallHelpViewer() {
  SetHelpHandler([](const std::string& helpFile, int context) {
    // Every window names its help file in the file system's encoding
    // (ProgramHelpFileName), so the name is opened as it is.
    OpenHelpViewer(HelpOwner(), helpFile, context);
  });
}

void ShowHelpContents(QWidget* parent) { OpenHelpViewer(parent, ProgramHelpFileName(), HelpContentsTopic); }

void ShowHelpTopic(QWidget* parent, int context) { OpenHelpViewer(parent, ProgramHelpFileName(), context); }

bool ShowAboutBox(QWidget* parent) { return TAboutDialog(parent).Execute(ProgramFile()); }

bool CheckForUpdate(const std::string& applicationKey, QWidget*) {
  // The question goes through the message-box seam, which stacks it on the
  // window in front.
  TUpdateServices services;
  services.VersionOfFile = [](const std::string& file) { return ProgramFileVersionText(file); };
  services.Confirm = [](const std::string& question) { return ShowMessageBox(TMessageKind::Confirmation, question); };
  services.StartProcess = [](const std::string& program) {
    return QProcess::startDetached(FromPath(program), QStringList());
  };
  const std::string folder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  return RunUpdateCheck(std::filesystem::path(folder) / InstallRecordFileName, applicationKey, services);
}
