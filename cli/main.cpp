// drevia-cli: the headless front end over the same core as the desktop.

#include <climits>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "CliKinds.h"
#include "CommandLine.h"
#include "JsonWriter.h"
#include "foundation/DebugChannel.h"
#include "foundation/Messages.h"
#include "model/ProjectFile.h"
#include "xml/XmlDocument.h"

#if __has_include("model/FileConversion.h") && __has_include("ParamsCommands.h")
#define DREVIA_HAS_PARAMETERS 1
#include "ParamsCommands.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#endif

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

#ifdef DREVIA_HAS_PARAMETERS
struct TSession {
  TNerraParameterList Parameters;
  TCulvertBasePipeList Pipes;
  TCliContext Context;
  std::unique_ptr<TNerraBaseProject> Project;
  const TCliKind* Kind = nullptr;
};

// Start-up tables, then the project opened with conversion; 0 when ready.
int OpenSession(const std::string& dataDir, const std::string& fileName, TSession& session) {
  const std::string startError = StartupLoadParameters(dataDir, session.Parameters, session.Pipes);
  if (!startError.empty()) return Fail(startError);
  session.Context = {&session.Parameters, &session.Pipes, dataDir};

  TXMLDocument document;
  std::string openError;
  if (!OpenProjectDocument(fileName, document, openError)) return Fail(openError);
  const std::string kindName = KindElementNameOf(document);
  session.Kind = FindCliKind(kindName);
  if (!session.Kind || ProjectKindOfElementName(kindName) == TProjectKind::Unknown)
    return Fail(MessageText(-1103));
  session.Project = session.Kind->Create(session.Context, kindName);
  session.Project->FileName = fileName;
  session.Project->Load(document.GetXML());
  if (!session.Project->LastError.empty()) return Fail(session.Project->LastError);
  return 0;
}

bool WriteProjectText(const std::string& fileName, const std::string& text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      bytes += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      bytes += c;
    }
  }
  if (!text.empty() && text.back() != '\r' && text.back() != '\n') bytes += "\r\n";
  return WriteFileAtomically(fileName, bytes);
}

// Runs the kind's check and the calculation. Returns 0 to go on, 1 when
// nothing is to be shown or written; `report` receives a message to print
// after the results.
int RunCalculation(TSession& session, const TCliOptions& options, std::string& report) {
  TNerraBaseProject& project = *session.Project;
  // The kind is known only now that the file has been read.
  if (const std::string refused = RefusedKindOption(*session.Kind, project.KindElementName(), options);
      !refused.empty())
    return UsageError(refused);
  if (session.Kind->Configure) {
    const std::string usage = session.Kind->Configure(project, options);
    if (!usage.empty()) {
      UsageError(usage);
      return 2;
    }
  }
  if (session.Kind->Check) {
    const std::string message = session.Kind->Check(project);
    if (!message.empty()) return Fail(message);
  }
  const int32_t result = project.Calculate();
  if ((session.Kind->StrictCalculate && result != 0) || (session.Kind->NegativeStops && result < 0))
    return Fail(project.LastError.empty() ? MessageText(-1) : project.LastError);
  report = project.LastError;
  return 0;
}

int ProjectCommand(const std::string& command, const std::string& dataDir, const std::vector<std::string>& args,
                   const TCliOptions& options) {
  TSession session;
  if (const int status = OpenSession(dataDir, args[0], session)) return status;
  TNerraBaseProject& project = *session.Project;

  if (command == "save-input") {
    if (!WriteProjectText(args[1], project.SaveInput())) return Fail(MessageText(-4));
    return 0;
  }

  std::string report;
  if (const int status = RunCalculation(session, options, report)) return status;
  if (command == "save-results") {
    if (!WriteProjectText(args[1], project.SaveWithResults())) return Fail(MessageText(-4));
  } else if (options.Json) {
    {
      TJsonWriter json(std::cout);
      const auto top = json.Object();
      json.Field("kind", project.KindElementName());
      if (session.Kind->PrintJson) session.Kind->PrintJson(project, json);
    }
    std::cout << '\n';
  } else if (session.Kind->PrintText) {
    session.Kind->PrintText(project, std::cout);
  }
  if (!report.empty()) return Fail(report);
  return 0;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  TCommandLine commandLine;
  if (const int status = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), commandLine, std::cout,
                                          std::cerr);
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
#ifdef DREVIA_HAS_PARAMETERS
  if (command == "params") return RunParamsCommand(dataDir, std::cout, std::cerr);
  if (command == "intensity") return RunIntensityCommand(dataDir, rest[0], rest[1], rest[2], std::cout, std::cerr);
  if (command == "save-input" || command == "save-results" || command == "calc")
    return ProjectCommand(command, dataDir, rest, options);
#endif
  return UsageError("unknown command " + command);
}
