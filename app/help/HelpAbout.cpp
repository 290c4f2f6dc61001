#include "app/help/HelpAbout.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include "app/framework/BaseForm.h"
#include "app/help/AboutPage.h"
#include "app/help/HelpViewer.h"
#include "appmodel/HelpTopics.h"
#include "appmodel/UpdateCheck.h"
#include "foundation/Messages.h"

namespace {
std::string ProgramFile() { return QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(); }

std::string MainHelpFile() { return ProgramFile() + ".chm"; }

QString FromPath(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

// F1 comes from the window in front: the modal dialog when one is open.
QWidget* HelpOwner() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}
}  // namespace

void InstallHelpViewer() {
  SetHelpHandler([](const std::string& helpFile, int context) {
    // Dialogs name their help file in the core's Latin-1 text; on a system
    // whose file names are UTF-8 the folder may only be found under its
    // encoded name.
    if (OpenHelpViewer(HelpOwner(), helpFile, context)) return;
    const QString name = QString::fromLatin1(helpFile.data(), static_cast<qsizetype>(helpFile.size()));
    const std::string encoded = QFile::encodeName(name).toStdString();
    if (encoded != helpFile) OpenHelpViewer(HelpOwner(), encoded, context);
  });
}

void ShowHelpContents(QWidget* parent) { OpenHelpViewer(parent, MainHelpFile(), HelpContentsTopic); }

void ShowHelpTopic(QWidget* parent, int context) { OpenHelpViewer(parent, MainHelpFile(), context); }

bool ShowAboutBox(QWidget* parent) { return TAboutDialog(parent).Execute(ProgramFile()); }

bool CheckForUpdate(const std::string& applicationKey, QWidget*) {
  // The question goes through the message-box seam, which stacks it on the
  // window in front.
  TUpdateServices services;
  services.VersionOfFile = [](const std::string& file) { return ProgramFileVersionText(file); };
  services.Confirm = [](const std::string& question) {
    return ShowMessageBox(TMessageKind::Confirmation, question);
  };
  services.StartProcess = [](const std::string& program) {
    return QProcess::startDetached(FromPath(program), QStringList());
  };
  const std::string folder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
  return RunUpdateCheck(std::filesystem::path(folder) / InstallRecordFileName, applicationKey, services);
}
