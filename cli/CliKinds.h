#pragma once
// What drevia-cli knows about each project kind: how to create its project,
// apply the command-line options, and print its results.

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "JsonWriter.h"
#include "model/NerraBase.h"

class TNerraParameterList;
class TCulvertBasePipeList;

struct TCliOptions {
  std::string AnalysisOption = "performance";  // performance | buried | system
  std::string PipeType = "0";
  bool ImprovedInlet = false;
  bool Json = false;
  bool Trace = false;
  // Which of the options that only some kinds take were given ("--pipe-type", ...).
  std::vector<std::string> Given;
};

// The program-wide tables the front end owns and hands to projects.
struct TCliContext {
  const TNerraParameterList* Parameters = nullptr;
  const TCulvertBasePipeList* Pipes = nullptr;
  std::string DataDir;
};

struct TCliKind {
  // Kind element names this entry opens (the first is the one it writes).
  std::vector<std::string> KindElementNames;
  // The options that only some kinds take which this kind takes
  // ("--pipe-type", ...); any other of them is refused for its files.
  std::vector<std::string> Options;
  std::function<std::unique_ptr<TNerraBaseProject>(const TCliContext&, const std::string& kindElementName)>
      Create;
  // Applies the options after Load; returns a usage error text, empty when fine.
  std::function<std::string(TNerraBaseProject&, const TCliOptions&)> Configure;
  // Optional check run before every calculation (the storm sewer network
  // check); a non-empty message is printed and nothing is calculated.
  std::function<std::string(TNerraBaseProject&)> Check;
  // True when a non-zero Calculate result means there is nothing to show or
  // write (storm sewer); otherwise results are shown and a non-empty
  // LastError is reported after them.
  bool StrictCalculate = false;
  // True when a negative Calculate result means the calculation was refused
  // (culvert kinds): nothing is shown or written, as in the desktop, since
  // any rows would be those of an earlier run.
  bool NegativeStops = false;
  // Results after a Calculate, as the result dialog groups them.
  std::function<void(TNerraBaseProject&, std::ostream&)> PrintText;
  // Results with full precision. The caller has opened the top-level object
  // and written "kind"; this writes "elements" (and "list" where the kind has
  // list-level results) into it.
  std::function<void(TNerraBaseProject&, TJsonWriter&)> PrintJson;
};

// Every kind the command line handles; each kind's file adds its entry here.
const std::vector<TCliKind>& CliKinds();
// Called from a static registrar in each kind's file; returns true.
bool RegisterCliKind(TCliKind kind);
const TCliKind* FindCliKind(const std::string& kindElementName);
// The usage error for the first given option the kind does not take, naming
// the option and the kind; empty when the kind takes them all.
std::string RefusedKindOption(const TCliKind& kind, const std::string& kindElementName, const TCliOptions& options);
