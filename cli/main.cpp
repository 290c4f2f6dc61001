// drevia-cli: the headless front end over the same core as the desktop.

#include <climits>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "CliKinds.h"
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

const char* const Usage =
    "usage: drevia-cli [--data-dir DIR] COMMAND ...\n"
    "  roundtrip FILE                  read FILE, print the one-line XML the writer gives\n"
    "  kind FILE                       print the kind element name of a project file\n"
    "  params                          check and convert the parameter files, print a summary\n"
    "  intensity AREA FREQ MINUTES     rainfall intensity, in/hr\n"
    "  save-input FILE OUT             open FILE (with conversion) and save its input as OUT\n"
    "  calc FILE [options] [--json]    calculate and print the results\n"
    "  save-results FILE OUT [options] calculate and save the project with its results\n"
    "options:\n"
    "  --option performance|buried|system   culvert analysis (default performance)\n"
    "  --pipe-type CODE                     culvert design pipe type (default 0)\n"
    "  --improved-inlet                     culvert design: try improved inlets\n"
    "  --trace                              write the design search trace to standard error\n";

int UsageError(const std::string& message) {
  if (!message.empty()) std::cerr << "drevia-cli: " << message << '\n';
  std::cerr << Usage;
  return 2;
}

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
    TJsonWriter json(std::cout);
    json.BeginObject();
    json.Field("kind", project.KindElementName());
    if (session.Kind->PrintJson) session.Kind->PrintJson(project, json);
    json.EndObject();
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
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string dataDir;
  TCliOptions options;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& target) {
      if (i + 1 >= args.size()) return false;
      target = args[++i];
      return true;
    };
    if (a == "--data-dir") {
      if (!value(dataDir)) return UsageError("--data-dir needs a folder");
    } else if (a == "--option") {
      if (!value(options.AnalysisOption)) return UsageError("--option needs a value");
      if (options.AnalysisOption != "performance" && options.AnalysisOption != "buried" &&
          options.AnalysisOption != "system")
        return UsageError("--option must be performance, buried or system");
    } else if (a == "--pipe-type") {
      if (!value(options.PipeType)) return UsageError("--pipe-type needs a code");
    } else if (a == "--improved-inlet") {
      options.ImprovedInlet = true;
    } else if (a == "--json") {
      options.Json = true;
    } else if (a == "--trace") {
      options.Trace = true;
    } else if (a == "--help" || a == "-h") {
      std::cout << Usage;
      return 0;
    } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
      return UsageError("unknown option " + a);
    } else {
      positional.push_back(a);
    }
  }
  if (positional.empty()) return UsageError("");
  // Beside the program, the user's converted copy, or the installed one.
  dataDir = LocateParameterFolder(ProgramFolder(), dataDir);
  SetDebugTraceEnabled(options.Trace);
  // Message boxes of the core (conversion notices, errors) go to standard error.
  SetMessageBoxHandler([](TMessageKind, const std::string& text) {
    std::cerr << text << '\n';
    return false;
  });

  const std::string command = positional[0];
  const std::vector<std::string> rest(positional.begin() + 1, positional.end());
  auto expect = [&](size_t count) { return rest.size() == count; };
  if (command == "roundtrip") return expect(1) ? Roundtrip(rest[0]) : UsageError("roundtrip takes FILE");
  if (command == "kind") return expect(1) ? Kind(rest[0]) : UsageError("kind takes FILE");
#ifdef DREVIA_HAS_PARAMETERS
  if (command == "params") return expect(0) ? RunParamsCommand(dataDir, std::cout, std::cerr) : UsageError("");
  if (command == "intensity")
    return expect(3) ? RunIntensityCommand(dataDir, rest[0], rest[1], rest[2], std::cout, std::cerr)
                     : UsageError("intensity takes AREA FREQ MINUTES");
  if (command == "save-input" || command == "save-results")
    return expect(2) ? ProjectCommand(command, dataDir, rest, options) : UsageError(command + " takes FILE OUT");
  if (command == "calc") return expect(1) ? ProjectCommand(command, dataDir, rest, options) : UsageError("calc takes FILE");
#endif
  return UsageError("unknown command " + command);
}
