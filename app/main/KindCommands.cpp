#include "main/KindCommands.h"

#include "appmodel/MainDocument.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "culvert/CulvertElement.h"
#include "culvertanalysis/CulvertAnalysisDialogs.h"
#include "culvertdesign/CulvertDesignDialogs.h"
#include "ditch/DitchAnalysis.h"
#include "ditch/DitchDialogs.h"
#include "inletspacing/InletSpacing.h"
#include "inletspacing/InletSpacingDialogs.h"
#include "reports/CulvertDesignReport.h"
#include "reports/Report.h"
#include "stormsewer/StormSewer.h"
#include "stormsewer/StormSewerDialogs.h"

// The dialogs of these kinds are declared but not built yet; their calls
// stay out of the program until they are.
#define DREVIA_CULVERT_DESIGN_DIALOGS 0
#define DREVIA_STORM_SEWER_DIALOGS 0
#define DREVIA_INLET_SPACING_DIALOGS 0

namespace {

bool DialogsAvailable(TProjectKind kind) {
  switch (kind) {
    case TProjectKind::CulvertDesign: return DREVIA_CULVERT_DESIGN_DIALOGS;
    case TProjectKind::CulvertAnalysis: return true;
    case TProjectKind::StormSewerDesign:
    case TProjectKind::StormSewerAnalysis: return DREVIA_STORM_SEWER_DIALOGS;
    case TProjectKind::InletSpacing: return DREVIA_INLET_SPACING_DIALOGS;
    case TProjectKind::DitchAnalysis: return true;
    case TProjectKind::Unknown: break;
  }
  return false;
}

bool ReportAvailable(TProjectKind kind) { return kind == TProjectKind::CulvertDesign; }

}  // namespace

bool KindCommandAvailable(TProjectKind kind, TKindCommand command) {
  if (command == TKindCommand::Preview || command == TKindCommand::Print) return ReportAvailable(kind);
  return DialogsAvailable(kind);
}

std::string KindCaption(TProjectKind kind) {
  switch (kind) {
    case TProjectKind::CulvertDesign: return "Culvert Design";
    case TProjectKind::CulvertAnalysis: return "Culvert Analysis";
    case TProjectKind::StormSewerDesign: return "Storm Sewer Design";
    case TProjectKind::StormSewerAnalysis: return "Storm Sewer Analysis";
    case TProjectKind::InletSpacing: return "Inlet Spacing";
    case TProjectKind::DitchAnalysis: return "Ditch Analysis";
    case TProjectKind::Unknown: break;
  }
  return std::string();
}

std::string CommandNotAvailableText(TProjectKind kind) {
  return "This command is not available yet for " + KindCaption(kind) + " projects.";
}

// ---- element dialogs ---------------------------------------------------------------

namespace {

// Kinds whose dialog edits a new element in place: it is added on OK.
bool EditNewElement(const TKindContext& c, TNerraElement& element) {
  TMainDocument& d = c.Document;
  if (auto* section = dynamic_cast<TDitchAnalysisElement*>(&element))
    return EditDitchAnalysisElement(*section, *d.DitchAnalysis(), c.Parameters, c.Parent);
#if DREVIA_CULVERT_DESIGN_DIALOGS
  if (auto* crossing = dynamic_cast<TCulvertDesignElement*>(&element))
    return EditCulvertDesignElement(*crossing, c.Parameters, c.Parent);
#endif
#if DREVIA_STORM_SEWER_DIALOGS
  if (auto* pipe = dynamic_cast<TStormSewerElement*>(&element))
    return EditStormSewerElement(*pipe, d.StormSewer()->IsAnalysis, c.Parameters, c.Parent);
#endif
#if DREVIA_INLET_SPACING_DIALOGS
  if (auto* inlet = dynamic_cast<TInletSpacingElement*>(&element))
    return EditInletSpacingElement(*inlet, c.Parameters, c.Parent);
#endif
  return false;
}

}  // namespace

bool AddElementOfKind(const TKindContext& c) {
  TMainDocument& d = c.Document;
  if (TCulvertAnalysis* analysis = d.CulvertAnalysis()) {
    // The dialog creates the culvert, with the number the user gave it.
    std::unique_ptr<TCulvertBaseElement> culvert =
        EditCulvertAnalysisElement(nullptr, *analysis, c.Parameters, c.Catalogue, c.Parent);
    if (!culvert) return false;
    d.AddElement(std::move(culvert), true);
    return true;
  }
  std::unique_ptr<TNerraElement> element = d.CreateElement();
  if (!element || !EditNewElement(c, *element)) return false;
  d.AddElement(std::move(element));
  return true;
}

bool ModifyElementOfKind(const TKindContext& c, int position) {
  TMainDocument& d = c.Document;
  TNerraElement* element = d.Element(position);
  if (!element) return false;
  if (TCulvertAnalysis* analysis = d.CulvertAnalysis()) {
    std::unique_ptr<TCulvertBaseElement> culvert = EditCulvertAnalysisElement(
        dynamic_cast<TCulvertBaseElement*>(element), *analysis, c.Parameters, c.Catalogue, c.Parent);
    return culvert && d.ReplaceElement(position, std::move(culvert));
  }
  return EditNewElement(c, *element);
}

// ---- results and reports --------------------------------------------------------------

void ShowResultOfKind(const TKindContext& c, int position) {
  TMainDocument& d = c.Document;
  if (TCulvertAnalysis* analysis = d.CulvertAnalysis()) {
    if (auto* culvert = dynamic_cast<TCulvertBaseElement*>(d.Element(position)))
      ShowCulvertAnalysisResult(*culvert, *analysis, c.Parameters, c.Parent);
  } else if (TDitchAnalysis* ditch = d.DitchAnalysis()) {
    ShowDitchAnalysisResult(*ditch, c.Parameters, c.Parent);
  }
#if DREVIA_CULVERT_DESIGN_DIALOGS
  if (TCulvertDesign* design = d.CulvertDesign()) {
    if (auto* crossing = dynamic_cast<TCulvertDesignElement*>(d.Element(position)))
      ShowCulvertDesignResult(*crossing, design->PipeType, c.Parameters, c.Parent);
  }
#endif
#if DREVIA_STORM_SEWER_DIALOGS
  if (TStormSewer* sewer = d.StormSewer()) ShowStormSewerResult(*sewer, c.Parent);
#endif
#if DREVIA_INLET_SPACING_DIALOGS
  if (TInletSpacing* inlets = d.InletSpacing()) ShowInletSpacingResult(*inlets, c.Parameters, c.Parent);
#endif
}

std::unique_ptr<TReport> CreateReportOfKind(const TKindContext& c) {
  if (const TCulvertDesign* design = c.Document.CulvertDesign())
    return CreateCulvertDesignReport(*design, c.Parameters);
  return nullptr;
}
