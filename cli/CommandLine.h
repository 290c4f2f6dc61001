#pragma once
// drevia-cli's command line: the commands, their arguments and the options
// each of them takes.

#include <ostream>
#include <string>
#include <vector>

#include "CliKinds.h"

struct TCommandLine {
  std::string DataDir;  // as given; empty for the program's folder
  std::string Command;  // "roundtrip", "kind", "params", "intensity", "save-input", "calc", "save-results"
  std::vector<std::string> Arguments;  // the command's positional arguments, in order
  TCliOptions Options;
};

// Reads the arguments (without the program name). Returns -1 when the command
// is to run; otherwise the exit status: 0 after --help or --version (printed
// on out), 2 after a usage error (its message on err).
int ParseCommandLine(const std::vector<std::string>& arguments, TCommandLine& commandLine, std::ostream& out,
                     std::ostream& err);

// A usage error found after parsing (an option the project's kind does not
// take, a value the kind refuses): the message on err; returns 2.
int ReportUsageError(const std::string& message, std::ostream& err);
