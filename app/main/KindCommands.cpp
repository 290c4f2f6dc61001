#include "app/main/KindCommands.h"

#include <vector>

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

// What the desktop adds to the kind table (appmodel/ProjectKinds.h): the
// element dialog, the result dialog and the report of each kind. Listed
// here, one entry per kind, rather than chosen by asking the project what it
// is at every command.

namespace {

struct TDesktopKind {
  std::vector<TProjectKind> Kinds;
  // Edits the element in place; true when the user confirmed. Culvert
  // Analysis has none: its dialog gives a new culvert (CreateByDialog).
  bool (*EditElement)(const TKindContext&, TNerraElement&) = nullptr;
  // The culvert the dialog made from element (none: a new one); none when
  // the user cancelled.
  std::unique_ptr<TNerraElement> (*CreateByDialog)(const TKindContext&, const TNerraElement* element) = nullptr;
  void (*ShowResult)(const TKindContext&, int position) = nullptr;
  std::unique_ptr<TReport> (*CreateReport)(const TKindContext&) = nullptr;
};

const std::vector<TDesktopKind>& DesktopKinds() {
  static const std::vector<TDesktopKind> kinds = {
      {{TProjectKind::CulvertDesign},
       [](const TKindContext& c, TNerraElement& e) {
         return EditCulvertDesignElement(static_cast<TCulvertDesignElement&>(e), c.Parameters, c.Parent);
       },
       nullptr,
       [](const TKindContext& c, int position) {
         if (auto* crossing = dynamic_cast<TCulvertDesignElement*>(c.Document.Element(position)))
           ShowCulvertDesignResult(*crossing, c.Document.CulvertDesign()->PipeType, c.Parameters, c.Parent,
                                   c.Document.CulvertDesign());
       },
       [](const TKindContext& c) { return CreateCulvertDesignReport(*c.Document.CulvertDesign(), c.Parameters); }},
      {{TProjectKind::CulvertAnalysis},
       nullptr,
       [](const TKindContext& c, const TNerraElement* e) -> std::unique_ptr<TNerraElement> {
         return EditCulvertAnalysisElement(dynamic_cast<const TCulvertBaseElement*>(e), *c.Document.CulvertAnalysis(),
                                           c.Parameters, c.Catalogue, c.Parent);
       },
       [](const TKindContext& c, int position) {
         if (auto* culvert = dynamic_cast<TCulvertBaseElement*>(c.Document.Element(position)))
           ShowCulvertAnalysisResult(*culvert, *c.Document.CulvertAnalysis(), c.Parameters, c.Parent);
       },
       [](const TKindContext& c) { return CreateCulvertAnalysisReport(*c.Document.CulvertAnalysis(), c.Parameters); }},
      {{TProjectKind::StormSewerDesign, TProjectKind::StormSewerAnalysis},
       [](const TKindContext& c, TNerraElement& e) {
         return EditStormSewerElement(static_cast<TStormSewerElement&>(e), c.Document.StormSewer()->IsAnalysis,
                                      c.Parameters, c.Parent);
       },
       nullptr,
       [](const TKindContext& c, int) { ShowStormSewerResult(*c.Document.StormSewer(), c.Parent); },
       [](const TKindContext& c) { return CreateStormSewerReport(*c.Document.StormSewer()); }},
      {{TProjectKind::InletSpacing},
       [](const TKindContext& c, TNerraElement& e) {
         return EditInletSpacingElement(static_cast<TInletSpacingElement&>(e), c.Parameters, c.Parent);
       },
       nullptr,
       [](const TKindContext& c, int) { ShowInletSpacingResult(*c.Document.InletSpacing(), c.Parameters, c.Parent); },
       [](const TKindContext& c) { return CreateInletSpacingReport(*c.Document.InletSpacing(), c.Parameters); }},
      {{TProjectKind::DitchAnalysis},
       [](const TKindContext& c, TNerraElement& e) {
         return EditDitchAnalysisElement(static_cast<TDitchAnalysisElement&>(e), *c.Document.DitchAnalysis(),
                                         c.Parameters, c.Parent);
       },
       nullptr,
       [](const TKindContext& c, int) { ShowDitchAnalysisResult(*c.Document.DitchAnalysis(), c.Parameters, c.Parent); },
       [](const TKindContext& c) { return CreateDitchAnalysisReport(*c.Document.DitchAnalysis(), c.Parameters); }},
  };
  return kinds;
}

const TDesktopKind* DesktopKindOf(const TMainDocument& document) {
  for (const TDesktopKind& entry : DesktopKinds())
    for (const TProjectKind kind : entry.Kinds)
      if (kind == document.Kind()) return &entry;
  return nullptr;
}

}  // namespace

// ---- element dialogs ---------------------------------------------------------------

bool AddElementOfKind(const TKindContext& c) {
  TMainDocument& d = c.Document;
  const TDesktopKind* kind = DesktopKindOf(d);
  if (!kind) return false;
  if (kind->CreateByDialog) {
    // The dialog creates the element, with the number the user gave it.
    std::unique_ptr<TNerraElement> element = kind->CreateByDialog(c, nullptr);
    if (!element) return false;
    d.AddElement(std::move(element), true);
    return true;
  }
  std::unique_ptr<TNerraElement> element = d.CreateElement();
  if (!element || !kind->EditElement(c, *element)) return false;
  d.AddElement(std::move(element));
  return true;
}

bool ModifyElementOfKind(const TKindContext& c, int position) {
  TMainDocument& d = c.Document;
  TNerraElement* element = d.Element(position);
  const TDesktopKind* kind = DesktopKindOf(d);
  if (!element || !kind) return false;
  if (kind->CreateByDialog) {
    std::unique_ptr<TNerraElement> replacement = kind->CreateByDialog(c, element);
    return replacement && d.ReplaceElement(position, std::move(replacement));
  }
  return kind->EditElement(c, *element);
}

// ---- results and reports --------------------------------------------------------------

void ShowResultOfKind(const TKindContext& c, int position) {
  if (const TDesktopKind* kind = DesktopKindOf(c.Document)) kind->ShowResult(c, position);
}

std::unique_ptr<TReport> CreateReportOfKind(const TKindContext& c) {
  const TDesktopKind* kind = DesktopKindOf(c.Document);
  return kind ? kind->CreateReport(c) : nullptr;
}
