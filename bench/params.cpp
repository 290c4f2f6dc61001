// Start-up load of the shipped parameter files and the two depth solvers on
// a circular barrel (each solve is bounded by 1001 section evaluations).

#include <benchmark/benchmark.h>

#include "model/FileConversion.h"
#include "model/Geometry.h"
#include "model/NerraBase.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

namespace {

class TPipe : public TNerraElement {
public:
  TSectionProperties SectionProperties(double depthRatio) const override {
    const TSectionGeometry g = CircleSegment(depthRatio * 4, 2);
    return {g.Area, g.TopWidth, g.WettedPerimeter > 0 ? g.Area / g.WettedPerimeter : 0, g.WettedPerimeter};
  }
};

void BM_StartupLoadParameters(benchmark::State& state) {
  for (auto _ : state) {
    TNerraParameterList parameters;
    TCulvertBasePipeList pipes;
    const std::string message = StartupLoadParameters(DREVIA_BIN_DIR, parameters, pipes);
    if (!message.empty()) state.SkipWithError(message.c_str());
    benchmark::DoNotOptimize(pipes.Count());
  }
}
BENCHMARK(BM_StartupLoadParameters)->Unit(benchmark::kMillisecond);

void BM_NormalDepth(benchmark::State& state) {
  TPipe pipe;
  double q = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pipe.NormalDepth(0.5, 0.005, 4, q));
    q = q < 150 ? q + 1 : 1;
  }
}
BENCHMARK(BM_NormalDepth);

void BM_CriticalDepth(benchmark::State& state) {
  TPipe pipe;
  double q = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pipe.CriticalDepth(0.5, 4, q));
    q = q < 150 ? q + 1 : 1;
  }
}
BENCHMARK(BM_CriticalDepth);

}  // namespace

BENCHMARK_MAIN();
