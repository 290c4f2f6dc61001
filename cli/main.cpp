// drevia-cli: the headless front end over the same core as the desktop.

#include <unistd.h>
#include <climits>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "CliKinds.h"
#include "CommandLine.h"
#include "JsonWriter.h"
#include "ParamsCommands.h"
#include "ResultJson.h"
#include "appmodel/HeadlessDocumentUI.h"
#include "appmodel/MainDocument.h"
#include "appmodel/ProjectKinds.h"
#include "appmodel/ResultTable.h"
#include "foundation/DebugChannel.h"
#include "foundation/Messages.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "model/ProjectFile.h"
#include "xml/XmlDocument.h"

namespace {

int UsageError(const std::string& message) { return ReportUsageError(message, std::cerr); }

std::string ProgramFolder() {
  std::vector<char> buffer(PATH_MAX + 1, '\0');
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), PATH_MAX);
  if (length <= 0) return "./";
  std::string path(buffer.data(), static_cast<size_t>(length));
  return path.substr(0, path.rfind('/') + 1);
}

int Fail(const std::string& message) {
  std::cerr << message << '\n';
  return 1;
}

int Roundtrip(const std::string& fileName) {
  TXMLDocument document;
  try {
    if (!document.LoadFromFile(fileName)) return Fail(MessageText(-1103));
  } catch (const EFOpenError& error) {
    return Fail(error.what());
  }
  if (document.Truncated()) return Fail(IncompleteFileMessage(document));
  std::cout << document.GetXML() << '\n';
  return 0;
}

int Kind(const std::string& fileName) {
  TXMLDocument document;
  try {
    if (!document.LoadFromFile(fileName)) return Fail(MessageText(-1103));
  } catch (const EFOpenError& error) {
    return Fail(error.what());
  }
  if (document.Truncated()) return Fail(IncompleteFileMessage(document));
  const std::string name = KindElementNameOf(document);
  if (ProjectKindOfElementName(name) == TProjectKind::Unknown) return Fail(MessageText(-1103));
  std::cout << name << '\n';
  return 0;
}

// Opens, calculates and saves through the desktop's own document, so a
// project is converted, refused, partly shown and saved exactly as the
// desktop does it; the messages its boxes would show go to standard error.
int ProjectCommand(const std::string& command, const std::string& dataDir, const std::vector<std::string>& args,
                   const TCliOptions& options) {
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  const std::string startError = StartupLoadParameters(dataDir, parameters, pipes);
  if (!startError.empty()) return Fail(startError);
  THeadlessDocumentUI ui;
  TMainDocument document(parameters, pipes, ui);
  const std::string openError = document.OpenProject(args[0]);
  if (!openError.empty()) return Fail(openError);
  if (!document.OpenNotice.empty()) std::cerr << document.OpenNotice << '\n';
  TNerraBaseProject& project = *document.CurrentProject();
  const TCliKind* kind = FindCliKind(document.Kind());
  if (!kind) return Fail(MessageText(-1103));

  if (command == "save-input") {
    const bool saved = document.SaveProject(args[1]);
    ui.WriteMessages(std::cerr);
    return saved ? 0 : 1;
  }

  // The kind is known only now that the file has been read.
  if (const std::string refused = RefusedKindOption(*kind, project.KindElementName(), options); !refused.empty())
    return UsageError(refused);
  if (kind->Configure) {
    const std::string usage = kind->Configure(project, options);
    if (!usage.empty()) return UsageError(usage);
  }
  // The results come first, then what the calculation had to say.
  const bool shown = command == "save-results" ? document.SaveResult(args[1]) : document.Calculate();
  if (shown && command == "calc") {
    if (options.Json) {
      {
        TJsonWriter json(std::cout);
        const auto top = json.Object();
        json.Field("kind", project.KindElementName());
        WriteResultsJson(ProjectResults(project), json);
      }
      std::cout << '\n';
    } else if (options.Csv) {
      std::cout << ResultsCsv(ProjectResults(project));
    } else if (kind->PrintText) {
      kind->PrintText(project, std::cout);
    }
  }
  // Results cut short (a full disk under "> results.csv") are a failure.
  const bool written = static_cast<bool>(std::cout.flush());
  // A refusal with nothing to say (an empty culvert design) still says that
  // nothing was calculated.
  if (document.LastCalculation.Outcome == TCalculationOutcome::Refused && ui.Messages.empty())
    ui.Messages.push_back(MessageText(-1));
  ui.WriteMessages(std::cerr);
  if (!written) return Fail("Cannot write the results to standard output.");
  return shown && document.LastCalculation.Outcome == TCalculationOutcome::Done ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  TCommandLine commandLine;
  if (const int status =
          ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), commandLine, std::cout, std::cerr);
      status >= 0)
    return status;
  const TCliOptions& options = commandLine.Options;
  // Beside the program, the user's converted copy, or the installed one.
  const std::string dataDir = LocateParameterFolder(ProgramFolder(), commandLine.DataDir);
  SetDebugTraceEnabled(options.Trace);
  // Message boxes of the core (conversion notices, errors) go to standard error.
  SetMessageBoxHandler([](TMessageKind, const std::string& text) {
    std::cerr << text << '\n';
    return false;
  });

  const std::string& command = commandLine.Command;
  const std::vector<std::string>& rest = commandLine.Arguments;
  if (command == "roundtrip") return Roundtrip(rest[0]);
  if (command == "kind") return Kind(rest[0]);
  if (command == "params") return RunParamsCommand(dataDir, std::cout, std::cerr);
  if (command == "intensity") return RunIntensityCommand(dataDir, rest[0], rest[1], rest[2], std::cout, std::cerr);
  if (command == "save-input" || command == "save-results" || command == "calc")
    return ProjectCommand(command, dataDir, rest, options);
  return UsageError("unknown command " + command);
}
