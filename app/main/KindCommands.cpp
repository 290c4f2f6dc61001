#include "app/main/KindCommands.h"

#include "app/culvertanalysis/CulvertAnalysisDialogs.h"
#include "app/culvertdesign/CulvertDesignDialogs.h"
#include "app/ditch/DitchDialogs.h"
#include "app/inletspacing/InletSpacingDialogs.h"
#include "app/stormsewer/StormSewerDialogs.h"
#include "appmodel/MainDocument.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "culvert/CulvertElement.h"
#include "ditch/DitchAnalysis.h"
#include "inletspacing/InletSpacing.h"
#include "reports/CulvertAnalysisReport.h"
#include "reports/CulvertDesignReport.h"
#include "reports/DitchAnalysisReport.h"
#include "reports/InletSpacingReport.h"
#include "reports/Report.h"
#include "reports/StormSewerReport.h"
#include "stormsewer/StormSewer.h"

// ---- element dialogs ---------------------------------------------------------------

namespace {

// Every kind but Culvert Analysis edits the element in place; a new one is
// added on OK.
bool EditNewElement(const TKindContext& c, TNerraElement& element) {
  TMainDocument& d = c.Document;
  if (auto* section = dynamic_cast<TDitchAnalysisElement*>(&element))
    return EditDitchAnalysisElement(*section, *d.DitchAnalysis(), c.Parameters, c.Parent);
  if (auto* crossing = dynamic_cast<TCulvertDesignElement*>(&element))
    return EditCulvertDesignElement(*crossing, c.Parameters, c.Parent);
  if (auto* pipe = dynamic_cast<TStormSewerElement*>(&element))
    return EditStormSewerElement(*pipe, d.StormSewer()->IsAnalysis, c.Parameters, c.Parent);
  if (auto* inlet = dynamic_cast<TInletSpacingElement*>(&element))
    return EditInletSpacingElement(*inlet, c.Parameters, c.Parent);
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
  if (TCulvertDesign* design = d.CulvertDesign()) {
    if (auto* crossing = dynamic_cast<TCulvertDesignElement*>(d.Element(position)))
      ShowCulvertDesignResult(*crossing, design->PipeType, c.Parameters, c.Parent);
  } else if (TCulvertAnalysis* analysis = d.CulvertAnalysis()) {
    if (auto* culvert = dynamic_cast<TCulvertBaseElement*>(d.Element(position)))
      ShowCulvertAnalysisResult(*culvert, *analysis, c.Parameters, c.Parent);
  } else if (TStormSewer* sewer = d.StormSewer()) {
    ShowStormSewerResult(*sewer, c.Parent);
  } else if (TInletSpacing* inlets = d.InletSpacing()) {
    ShowInletSpacingResult(*inlets, c.Parameters, c.Parent);
  } else if (TDitchAnalysis* ditch = d.DitchAnalysis()) {
    ShowDitchAnalysisResult(*ditch, c.Parameters, c.Parent);
  }
}

std::unique_ptr<TReport> CreateReportOfKind(const TKindContext& c) {
  const TMainDocument& d = c.Document;
  if (const TCulvertDesign* design = d.CulvertDesign()) return CreateCulvertDesignReport(*design, c.Parameters);
  if (const TCulvertAnalysis* analysis = d.CulvertAnalysis())
    return CreateCulvertAnalysisReport(*analysis, c.Parameters);
  if (const TStormSewer* sewer = d.StormSewer()) return CreateStormSewerReport(*sewer);
  if (const TInletSpacing* inlets = d.InletSpacing()) return CreateInletSpacingReport(*inlets, c.Parameters);
  if (const TDitchAnalysis* ditch = d.DitchAnalysis()) return CreateDitchAnalysisReport(*ditch, c.Parameters);
  return nullptr;
}
