#include "reports/ProjectReport.h"

#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "ditch/DitchAnalysis.h"
#include "inletspacing/InletSpacing.h"
#include "reports/CulvertAnalysisReport.h"
#include "reports/CulvertDesignReport.h"
#include "reports/DitchAnalysisReport.h"
#include "reports/InletSpacingReport.h"
#include "reports/Report.h"
#include "reports/StormSewerReport.h"
#include "stormsewer/StormSewer.h"

namespace {

std::unique_ptr<TReport> CreateReportOfKind(const TNerraBaseProject& project, const TNerraParameterList& parameters) {
  if (const auto* design = dynamic_cast<const TCulvertDesign*>(&project))
    return CreateCulvertDesignReport(*design, parameters);
  if (const auto* analysis = dynamic_cast<const TCulvertAnalysis*>(&project))
    return CreateCulvertAnalysisReport(*analysis, parameters);
  if (const auto* sewer = dynamic_cast<const TStormSewer*>(&project)) return CreateStormSewerReport(*sewer);
  if (const auto* inlets = dynamic_cast<const TInletSpacing*>(&project))
    return CreateInletSpacingReport(*inlets, parameters);
  if (const auto* ditch = dynamic_cast<const TDitchAnalysis*>(&project))
    return CreateDitchAnalysisReport(*ditch, parameters);
  return nullptr;
}

std::string KindWords(const TNerraBaseProject& project) {
  if (dynamic_cast<const TCulvertDesign*>(&project)) return "culvert-design";
  if (dynamic_cast<const TCulvertAnalysis*>(&project)) return "culvert-analysis";
  if (dynamic_cast<const TStormSewer*>(&project)) return "storm-sewer";
  if (dynamic_cast<const TInletSpacing*>(&project)) return "inlet-spacing";
  if (dynamic_cast<const TDitchAnalysis*>(&project)) return "ditch-analysis";
  return "project";
}

}  // namespace

std::unique_ptr<TReport> CreateProjectReport(const TNerraBaseProject& project, const TNerraParameterList& parameters) {
  return CreateReportOfKind(project, parameters);
}

std::string DefaultReportFileName(const TNerraBaseProject& project) {
  const std::string suffix = KindWords(project) + "-report.pdf";
  const std::string& file = project.FileName;
  const size_t slash = file.find_last_of("/\\");
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string name = file.substr(nameStart);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  if (name.empty()) return suffix;
  return file.substr(0, nameStart) + name + "-" + suffix;
}
