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

#include "app/reports/ReportPdf.h"
#include "appmodel/HeadlessDocumentUI.h"
#include "appmodel/MainDocument.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "foundation/Messages.h"
#include "foundation/Version.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/ProjectReport.h"
#include "reports/Report.h"

namespace {

const char* const ProgramName = "drevia-report";

struct TOptions {
  std::string File;
  std::string Out;
  std::string Option = "performance";
  std::string PipeType = "0";
  bool ImprovedInlet = false;
  std::string DataDir;
  // The kind options given on the command line, as drevia-cli names them.
  std::vector<std::string> Given;
};

// A kind option given for a project of another kind is a usage error, as it
// is for drevia-cli; empty when every given option applies.
std::string RefusedKindOption(const TMainDocument& document, const TOptions& options) {
  for (const std::string& given : options.Given) {
    const bool analysis = given == "--option";
    if (analysis ? document.CulvertAnalysis() != nullptr : document.CulvertDesign() != nullptr) continue;
    return given + " does not apply to a " + document.CurrentProject()->KindElementName() + " project (only to " +
           (analysis ? "CulvertAnalysis" : "CulvertDesign") + ")";
  }
  return std::string();
}

int UsageError(const std::string& message) {
  std::cerr << ProgramName << ": " << message << "\nRun '" << ProgramName << " --help' for more information.\n";
  return 2;
}

uint8_t AnalysisOptionOf(const std::string& word) {
  if (word == "buried") return aoBuriedDepthCurve;
  if (word == "system") return aoCulvertSystem;
  return aoPerformanceCurve;
}

// The page settings the desktop's controls hold, from the command line.
void ApplyPageSettings(TMainDocument& document, const TOptions& options) {
  if (TCulvertAnalysis* analysis = document.CulvertAnalysis())
    analysis->SetAnalysisOption(AnalysisOptionOf(options.Option));
  if (TCulvertDesign* design = document.CulvertDesign()) {
    design->PipeType = options.PipeType;
    design->ImprovedInlet = options.ImprovedInlet;
  }
}

int Fail(const std::string& message) {
  std::cerr << message << '\n';
  return 1;
}

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

int WriteReport(const TOptions& options) {
  const std::string programFolder = WithSlash(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
  const std::string dataDir = LocateParameterFolder(programFolder, options.DataDir);
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  const std::string startError = StartupLoadParameters(dataDir, parameters, pipes);
  if (!startError.empty()) return Fail(startError);

  THeadlessDocumentUI ui;
  TMainDocument document(parameters, pipes, ui);
  const std::string openError = document.OpenProject(options.File);
  if (!openError.empty()) return Fail(openError);
  if (!document.OpenNotice.empty()) std::cerr << document.OpenNotice << '\n';
  const std::string refusedOption = RefusedKindOption(document, options);
  if (!refusedOption.empty()) return UsageError(refusedOption);
  ApplyPageSettings(document, options);
  // The desktop's Print and Export calculate so. A refused calculation
  // tells its message and writes nothing; a partial one still gives its
  // report, as the desktop shows it after the message, and fails the run.
  if (!document.PrepareResult(TResultCommand::Print, -1)) {
    // A refusal with nothing to say (an empty design) still says so.
    if (ui.Messages.empty()) ui.Messages.push_back(MessageText(-1));
    ui.WriteMessages(std::cerr);
    return 1;
  }
  const std::unique_ptr<TReport> report = CreateProjectReport(*document.CurrentProject(), parameters);
  if (!report) return Fail(MessageText(-1103));
  if (!ExportReportPdf(*report, QFile::decodeName(options.Out.c_str()))) return Fail(MessageText(-4));
  ui.WriteMessages(std::cerr);
  return document.LastCalculation.Outcome == TCalculationOutcome::Done ? 0 : 1;
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
  CLI::App app{"Writes the report of a " DREVIA_PRODUCT_NAME " project file as a PDF file, without a display.",
               ProgramName};
  app.set_version_flag("--version", std::string(ProgramName) + " (" DREVIA_PRODUCT_NAME ") " DREVIA_VERSION,
                       "print the version and end");
  app.set_help_flag("-h,--help", "print this text and end");
  app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
  // Wide enough that every option's text starts on its own line.
  app.get_formatter()->column_width(40);
  app.add_option("FILE", options.File, "a project file")->required();
  app.add_option("OUT", options.Out, "the PDF file to write")->required();
  CLI::Option* option =
      app.add_option("--option", options.Option, "culvert analysis: the analysis to run (default performance)")
          ->type_name("performance|buried|system")
          ->check(CLI::IsMember({"performance", "buried", "system"}).description(""));
  CLI::Option* pipeType =
      app.add_option("--pipe-type", options.PipeType, "culvert design: pipe type 0, 1-5 or 99 (default 0)")
          ->type_name("CODE")
          ->check(CLI::IsMember({"0", "1", "2", "3", "4", "5", "99"}).description(""));
  CLI::Option* improved =
      app.add_flag("--improved-inlet", options.ImprovedInlet, "culvert design: try improved inlets");
  app.add_option("--data-dir", options.DataDir, "folder of the parameter files (default: found beside the program)")
      ->type_name("DIR");
  app.footer(
      "--option applies to culvert analysis projects only; --pipe-type and\n"
      "--improved-inlet to culvert design projects only.\n"
      "\n"
      "Exit status: 0 when the PDF is written; 1 with the program's message on\n"
      "standard error where the desktop would show an error box; 2 for a usage error.");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // --help and --version end the parse with status 0 and print their text.
    if (error.get_exit_code() == 0) return app.exit(error);
    return UsageError(error.what());
  }
  for (const CLI::Option* given : {option, pipeType, improved})
    if (given->count() > 0) options.Given.push_back(given->get_name());
  // Reports are painted off screen unless the caller chose a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  qInstallMessageHandler(QuietQtNotes);
  QGuiApplication application(argc, argv);
  return WriteReport(options);
}
