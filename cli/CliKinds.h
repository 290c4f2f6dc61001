#pragma once
// What drevia-cli adds to the kind table (appmodel/ProjectKinds.h) for each
// project kind: how the command-line options apply, and how its results are
// printed. Creating, checking and calculating a project are the table's.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "appmodel/ProjectKinds.h"
#include "model/NerraBase.h"

struct TCliOptions {
  std::string AnalysisOption = "performance";  // performance | buried | system
  std::string PipeType = "0";
  bool ImprovedInlet = false;
  bool Json = false;
  bool Csv = false;  // excludes Json
  bool Trace = false;
  // Which of the options that only some kinds take were given ("--pipe-type", ...).
  std::vector<std::string> Given;
};

struct TCliKind {
  // The kinds of the table this entry prints.
  std::vector<TProjectKind> Kinds;
  // The options that only some kinds take which this kind takes
  // ("--pipe-type", ...); any other of them is refused for its files.
  std::vector<std::string> Options;
  // Applies the options after Load; returns a usage error text, empty when fine.
  std::function<std::string(TNerraBaseProject&, const TCliOptions&)> Configure;
  // Results after a Calculate, as the result dialog groups them. The JSON
  // and CSV output are the kind's result tree (appmodel/ResultTable.h).
  std::function<void(TNerraBaseProject&, std::ostream&)> PrintText;
};

// Each kind's file under kinds/ gives its entry; CliKinds lists them all.
TCliKind CulvertDesignCliKind();
TCliKind CulvertAnalysisCliKind();
TCliKind StormSewerCliKind();
TCliKind InletSpacingCliKind();
TCliKind DitchAnalysisCliKind();

// The result grid's headings from the kind table, as the printers' tables
// head their columns; exactly columns of them (empty ones added or extra
// ones dropped, so a printer never reads past its own columns).
std::vector<std::string> ResultHeadingsOf(TProjectKind kind, size_t columns);

// Every kind the command line prints.
const std::vector<TCliKind>& CliKinds();
// The entry printing kind; none for a kind the command line does not know.
const TCliKind* FindCliKind(TProjectKind kind);
// The usage error for the first given option the kind does not take, naming
// the option and the kind; empty when the kind takes them all.
std::string RefusedKindOption(const TCliKind& kind, const std::string& kindElementName, const TCliOptions& options);
