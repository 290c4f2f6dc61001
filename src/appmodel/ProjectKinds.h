#pragma once
// The project kinds, one row each: the kind element names a file may carry,
// how to create the project and a new element, where its elements are, the
// rule that tells a refused calculation from one whose results stand, and
// the headings of its result grid. Both front ends look kinds up here and
// extend a row with their own functions (drevia-cli its printers, the
// desktop its dialogs and reports) in lists they build explicitly.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "appmodel/ElementGrids.h"
#include "appmodel/ResultTable.h"

class TNerraBaseProject;
class TNerraElement;
class TNerraElementList;
class TNerraParameterList;
class TCulvertBasePipeList;

enum class TProjectKind {
  Unknown,
  CulvertDesign,
  CulvertAnalysis,
  StormSewerDesign,
  StormSewerAnalysis,
  InletSpacing,
  DitchAnalysis,
};

// When a calculation's result code means that nothing is to be shown or
// written (its rows would be those of an earlier run, or none at all).
enum class TRefusalRule {
  Never,     // results always stand; a message is told with them
  Negative,  // a negative result refuses (culvert kinds)
  NonZero,   // any result but 0 refuses (storm sewer)
};

struct TProjectKindRow {
  TProjectKind Kind = TProjectKind::Unknown;
  // The kind element names opened as this kind; the first is the one the
  // project writes, later ones are older names converted on opening.
  std::vector<std::string> ElementNames;
  // The main window's page and element grid (storm sewer design and
  // analysis share one).
  TElementGridKind Page = TElementGridKind::CulvertDesign;
  std::unique_ptr<TNerraBaseProject> (*CreateProject)(const TNerraParameterList&,
                                                      const TCulvertBasePipeList&) = nullptr;
  // A new element with its starting values; none where the element dialog
  // creates the element itself (culvert analysis).
  std::unique_ptr<TNerraElement> (*CreateElement)() = nullptr;
  TNerraElementList& (*Elements)(TNerraBaseProject&) = nullptr;
  // Run before every calculation; a message refuses it (the storm sewer
  // network check).
  std::string (*CheckBeforeCalculating)(TNerraBaseProject&) = nullptr;
  TRefusalRule Refusal = TRefusalRule::Never;
  // Display Result shows the selected element's result (the culvert kinds)
  // rather than the whole project's.
  bool ResultOfSelectedElement = false;
  // The result grid's column headings.
  std::vector<std::string> (*ResultHeadings)() = nullptr;
  // The computed results as named values (JSON and CSV; ResultTable.h).
  TResultTree (*Results)(const TNerraBaseProject&) = nullptr;
};

// Every kind, in the order of the File ▸ New menu.
const std::vector<TProjectKindRow>& ProjectKinds();
// The row of a kind; none for Unknown.
const TProjectKindRow* ProjectKindRowOf(TProjectKind kind);
// The row of the project's own kind element name.
const TProjectKindRow* ProjectKindRowOf(const TNerraBaseProject& project);
// The kind a kind element name selects (older names included); Unknown for
// any other name.
TProjectKind ProjectKindOfElementName(const std::string& name);

// What became of a calculation.
enum class TCalculationOutcome {
  Refused,  // nothing to show or write; the message says why
  Partial,  // results stand, and the message must be told with them
  Done,     // results, nothing to tell
};

// Judges a finished calculation by the kind's rule: Refused when the rule
// refuses the result code, otherwise Partial whenever the project's
// LastError is set, otherwise Done.
TCalculationOutcome CalculationOutcome(const TNerraBaseProject& project, int32_t result);

struct TCalculation {
  TCalculationOutcome Outcome = TCalculationOutcome::Refused;
  // The project's message (the check's for a refused check); may be empty
  // for a refusal that has nothing to say (an empty culvert design).
  std::string Message;
};

// The kind's check, then Calculate, judged by CalculationOutcome. Both front
// ends calculate through this, so a project is refused, partly shown or
// shown alike in both.
TCalculation CalculateProject(TNerraBaseProject& project);
