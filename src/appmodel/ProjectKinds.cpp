#include "appmodel/ProjectKinds.h"

#include "appmodel/CulvertAnalysisEntry.h"
#include "appmodel/CulvertDesignEntry.h"
#include "appmodel/DitchEntry.h"
#include "appmodel/InletSpacingEntry.h"
#include "appmodel/StormSewerEntry.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "culvert/CulvertElement.h"
#include "ditch/DitchAnalysis.h"
#include "inletspacing/InletSpacing.h"
#include "stormsewer/StormSewer.h"

namespace {

template <class TProject>
TProject& As(TNerraBaseProject& project) {
  return static_cast<TProject&>(project);
}

template <int Count, std::string (*Heading)(int)>
std::vector<std::string> CountedHeadings() {
  std::vector<std::string> headings;
  for (int column = 0; column < Count; ++column) headings.push_back(Heading(column));
  return headings;
}

std::unique_ptr<TNerraElement> NewCulvertDesignElement() {
  auto crossing = std::make_unique<TCulvertDesignElement>();
  crossing->BuriedOption = false;
  crossing->DisableBuriedTable = false;
  for (std::string* code : {&crossing->CircularCorrugatedInletType, &crossing->CircularConcreteInletType,
                            &crossing->EllipticalConcreteInletType, &crossing->BoxInletType,
                            &crossing->ArchCorrugatedInletType, &crossing->DefaultInletType})
    *code = std::string("1");  // assigning the literal trips GCC 12's -Wrestrict at -O2
  return crossing;
}

std::unique_ptr<TNerraElement> NewDitchAnalysisElement() {
  auto section = std::make_unique<TDitchAnalysisElement>();
  section->BeginStation = -1;
  section->EndStation = -1;
  return section;
}

template <bool Analysis>
std::unique_ptr<TNerraBaseProject> NewStormSewer(const TNerraParameterList& parameters, const TCulvertBasePipeList&) {
  return std::make_unique<TStormSewer>(Analysis, &parameters);
}

TProjectKindRow StormSewerRow(TProjectKind kind, std::vector<std::string> names, bool analysis) {
  TProjectKindRow row;
  row.Kind = kind;
  row.ElementNames = std::move(names);
  row.Page = TElementGridKind::StormSewer;
  row.CreateProject = analysis ? NewStormSewer<true> : NewStormSewer<false>;
  row.CreateElement = []() -> std::unique_ptr<TNerraElement> { return std::make_unique<TStormSewerElement>(); };
  row.Elements = [](TNerraBaseProject& p) -> TNerraElementList& { return As<TStormSewer>(p).ElementList; };
  row.CheckBeforeCalculating = [](TNerraBaseProject& p) { return As<TStormSewer>(p).ElementList.CheckStructure(); };
  row.Refusal = TRefusalRule::NonZero;
  row.ResultHeadings = [] { return StormSewerResultHeadings(); };
  row.Results = StormSewerResultTree;
  return row;
}

std::vector<TProjectKindRow> BuildRows() {
  std::vector<TProjectKindRow> rows;

  TProjectKindRow design;
  design.Kind = TProjectKind::CulvertDesign;
  design.ElementNames = {"CulvertDesign"};
  design.Page = TElementGridKind::CulvertDesign;
  design.CreateProject = [](const TNerraParameterList& p,
                            const TCulvertBasePipeList& c) -> std::unique_ptr<TNerraBaseProject> {
    return std::make_unique<TCulvertDesign>(&p, &c);
  };
  design.CreateElement = NewCulvertDesignElement;
  design.Elements = [](TNerraBaseProject& p) -> TNerraElementList& { return As<TCulvertDesign>(p).Elements; };
  // Crossings designed before one that cannot be keep their results; an
  // empty design or an invalid first crossing refuses.
  design.Refusal = TRefusalRule::Negative;
  design.ResultOfSelectedElement = true;
  design.ResultHeadings = CulvertDesignResultHeadings;
  design.Results = CulvertDesignResultTree;
  rows.push_back(std::move(design));

  TProjectKindRow analysis;
  analysis.Kind = TProjectKind::CulvertAnalysis;
  analysis.ElementNames = {"CulvertAnalysis"};
  analysis.Page = TElementGridKind::CulvertAnalysis;
  analysis.CreateProject = [](const TNerraParameterList& p,
                              const TCulvertBasePipeList& c) -> std::unique_ptr<TNerraBaseProject> {
    return std::make_unique<TCulvertAnalysis>(&p, &c);
  };
  analysis.Elements = [](TNerraBaseProject& p) -> TNerraElementList& { return As<TCulvertAnalysis>(p).Elements; };
  analysis.Refusal = TRefusalRule::Negative;
  analysis.ResultOfSelectedElement = true;
  analysis.ResultHeadings = CountedHeadings<CulvertAnalysisResultColumnCount, CulvertAnalysisResultHeading>;
  analysis.Results = CulvertAnalysisResultTree;
  rows.push_back(std::move(analysis));

  rows.push_back(StormSewerRow(TProjectKind::StormSewerDesign, {"StormSewerDesign"}, false));
  // Files of older versions name the analysis "StormSewerSystemDesign".
  rows.push_back(
      StormSewerRow(TProjectKind::StormSewerAnalysis, {"StormSewerAnalysis", "StormSewerSystemDesign"}, true));

  TProjectKindRow inlets;
  inlets.Kind = TProjectKind::InletSpacing;
  inlets.ElementNames = {"InletSpacingDesign"};
  inlets.Page = TElementGridKind::InletSpacing;
  inlets.CreateProject = [](const TNerraParameterList& p,
                            const TCulvertBasePipeList&) -> std::unique_ptr<TNerraBaseProject> {
    return std::make_unique<TInletSpacing>(&p);
  };
  inlets.CreateElement = []() -> std::unique_ptr<TNerraElement> { return std::make_unique<TInletSpacingElement>(); };
  inlets.Elements = [](TNerraBaseProject& p) -> TNerraElementList& { return As<TInletSpacing>(p).Elements; };
  inlets.ResultHeadings = [] { return InletSpacingResultHeadings(); };
  inlets.Results = InletSpacingResultTree;
  rows.push_back(std::move(inlets));

  TProjectKindRow ditch;
  ditch.Kind = TProjectKind::DitchAnalysis;
  ditch.ElementNames = {"DitchAnalysis"};
  ditch.Page = TElementGridKind::DitchAnalysis;
  ditch.CreateProject = [](const TNerraParameterList& p,
                           const TCulvertBasePipeList&) -> std::unique_ptr<TNerraBaseProject> {
    return std::make_unique<TDitchAnalysis>(&p);
  };
  ditch.CreateElement = NewDitchAnalysisElement;
  ditch.Elements = [](TNerraBaseProject& p) -> TNerraElementList& { return As<TDitchAnalysis>(p).ElementList; };
  ditch.ResultHeadings = CountedHeadings<DitchResultColumnCount, DitchResultHeading>;
  ditch.Results = DitchResultTree;
  rows.push_back(std::move(ditch));
  return rows;
}

}  // namespace

const std::vector<TProjectKindRow>& ProjectKinds() {
  static const std::vector<TProjectKindRow> rows = BuildRows();
  return rows;
}

const TProjectKindRow* ProjectKindRowOf(TProjectKind kind) {
  for (const TProjectKindRow& row : ProjectKinds())
    if (row.Kind == kind) return &row;
  return nullptr;
}

const TProjectKindRow* ProjectKindRowOf(const TNerraBaseProject& project) {
  return ProjectKindRowOf(ProjectKindOfElementName(project.KindElementName()));
}

TProjectKind ProjectKindOfElementName(const std::string& name) {
  for (const TProjectKindRow& row : ProjectKinds())
    for (const std::string& known : row.ElementNames)
      if (known == name) return row.Kind;
  return TProjectKind::Unknown;
}

TCalculationOutcome CalculationOutcome(const TNerraBaseProject& project, int32_t result) {
  const TProjectKindRow* row = ProjectKindRowOf(project);
  const TRefusalRule rule = row ? row->Refusal : TRefusalRule::NonZero;
  if ((rule == TRefusalRule::Negative && result < 0) || (rule == TRefusalRule::NonZero && result != 0))
    return TCalculationOutcome::Refused;
  return project.LastError.empty() ? TCalculationOutcome::Done : TCalculationOutcome::Partial;
}

TCalculation CalculateProject(TNerraBaseProject& project) {
  const TProjectKindRow* row = ProjectKindRowOf(project);
  if (row && row->CheckBeforeCalculating) {
    std::string message = row->CheckBeforeCalculating(project);
    if (!message.empty()) return {TCalculationOutcome::Refused, std::move(message)};
  }
  const int32_t result = project.Calculate();
  return {CalculationOutcome(project, result), project.LastError};
}
