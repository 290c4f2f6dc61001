// Placeholders until each kind's series are computed; they return no plots.
#include "plots/Plot.h"

namespace plots {
std::vector<TPlot> CulvertAnalysisPlots(const TCulvertAnalysis&) { return {}; }
std::vector<TPlot> CulvertDesignPlots(const TCulvertDesign&) { return {}; }
int32_t DefaultProfileStart(const TStormSewer&) { return 0; }
TPlot StormSewerProfile(const TStormSewer&, int32_t) { return {}; }
std::vector<TPlot> DitchPlots(const TDitchAnalysis&) { return {}; }
TPlot DitchCrossSection(const TDitchAnalysis&, int) { return {}; }
std::vector<TPlot> InletSpacingPlots(const TInletSpacing&) { return {}; }
}  // namespace plots
