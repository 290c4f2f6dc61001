// drevia-report: the report of a project file written as a PDF, without a
// display. It opens and calculates the project through the same document
// object as the desktop and writes the pages the desktop's Export writes.

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "appmodel/MainDocument.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "foundation/Messages.h"
#include "foundation/ProgramVersion.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/ProjectReport.h"
#include "reports/Report.h"
#include "app/reports/ReportPdf.h"

namespace {

struct TOptions {
  std::string File;
  std::string Out;
  std::string Option = "performance";
  std::string PipeType = "0";
  bool ImprovedInlet = false;
  std::string DataDir;
};

uint8_t AnalysisOptionOf(const std::string& word) {
  if (word == "buried") return aoBuriedDepthCurve;
  if (word == "system") return aoCulvertSystem;
  return aoPerformanceCurve;
}

// The desktop's boxes and questions, answered without anyone there: the
// page settings come from the command line, messages are kept to be told on
// standard error.
class TBatchUI : public TMainDocumentUI {
public:
  TBatchUI(const TOptions& options) : FOptions(options) {}
  TMainDocument* Document = nullptr;
  std::vector<std::string> Messages;

  bool Confirm(const std::string&) override { return true; }
  void ShowError(const std::string& text) override { Messages.push_back(text); }
  void ShowPlainMessage(const std::string& text) override { Messages.push_back(text); }
  std::string AskOpenFileName() override { return std::string(); }
  std::string AskSaveFileName() override { return std::string(); }
  void CollectControls() override {
    if (!Document) return;
    if (TCulvertAnalysis* analysis = Document->CulvertAnalysis())
      analysis->SetAnalysisOption(AnalysisOptionOf(FOptions.Option));
    if (TCulvertDesign* design = Document->CulvertDesign()) {
      design->PipeType = FOptions.PipeType;
      design->ImprovedInlet = FOptions.ImprovedInlet;
    }
  }

private:
  const TOptions& FOptions;
};

int Fail(const std::string& message) {
  std::cerr << message << '\n';
  return 1;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

int WriteReport(const TOptions& options) {
  const std::string dataDir =
      WithSlash(options.DataDir.empty() ? QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()
                                        : options.DataDir);
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  const std::string startError = StartupLoadParameters(dataDir, parameters, pipes);
  if (!startError.empty()) return Fail(startError);

  TBatchUI ui(options);
  TMainDocument document(parameters, pipes, ui);
  ui.Document = &document;
  const std::string openError = document.OpenProject(options.File);
  if (!openError.empty()) return Fail(openError);
  // A refused calculation tells its message and writes nothing; one that
  // has something to say still gives its report, as the desktop shows it
  // after the message, and the message makes the run fail.
  if (!document.PrepareResult(TResultCommand::Print, -1)) {
    // A refusal without a text of its own (an empty design) still says so.
    if (ui.Messages.empty()) return Fail(MessageText(-1));
    for (const std::string& message : ui.Messages) std::cerr << message << '\n';
    return 1;
  }
  const std::unique_ptr<TReport> report = CreateProjectReport(*document.CurrentProject(), parameters);
  if (!report) return Fail(MessageText(-1103));
  if (!ExportReportPdf(*report, QFile::decodeName(options.Out.c_str()))) return Fail(MessageText(-4));
  for (const std::string& message : ui.Messages) std::cerr << message << '\n';
  return ui.Messages.empty() ? 0 : 1;
}

// Qt's own notes (a missing runtime folder, font cache remarks) are not the
// program's messages; standard error carries only what the desktop would
// show in a box.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << message.toLocal8Bit().constData() << '\n';
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  CLI::App app{"Writes the report of a Drevia project file as a PDF file.", "drevia-report"};
  app.add_option("FILE", options.File, "project file")->required();
  app.add_option("OUT", options.Out, "PDF file to write")->required();
  app.add_option("--option", options.Option, "Culvert Analysis: performance, buried or system (default performance)")
      ->check(CLI::IsMember({"performance", "buried", "system"}));
  app.add_option("--pipe-type", options.PipeType, "Culvert Design: pipe type code (default 0)");
  app.add_flag("--improved-inlet", options.ImprovedInlet, "Culvert Design: try improved inlets");
  app.add_option("--data-dir", options.DataDir, "folder of the parameter files (default: the program's folder)");
  app.set_version_flag("--version", ReportTitle(RunningProgramVersion()));
  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& success) {
    return app.exit(success);
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return 2;
  }
  // Reports are painted off screen unless the caller chose a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtNotes);
  QGuiApplication application(argc, argv);
  return WriteReport(options);
}
