// A 5,000-inlet gutter run: rational flows with gutter travel time, composite
// and uniform gutters, grates and curb openings, a sag every 50 inlets.
// Reports the time per inlet (aim: under 10 microseconds).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"

namespace {

const char* const CatchBasins[] = {"4", "1", "15", "0", "5", "20"};

std::unique_ptr<TInletSpacing> GutterRun(const TNerraParameterList* parameters, int inlets) {
  auto project = std::make_unique<TInletSpacing>(parameters);
  project->GeneralParameters.WaterShedAreaCode = "3";
  project->GeneralParameters.StormFrequency = "10";
  auto* begin = new TInletSpacingElement();
  begin->ElementId = 1;
  begin->Sump = "0";
  project->Elements.Add("1", begin);
  for (int i = 1; i <= inlets; ++i) {
    auto* p = new TInletSpacingElement();
    p->ElementId = i + 1;
    p->StationFeet = 250 * i;
    const int inRun = i % 50;
    p->Sump = inRun == 0 ? "2" : inRun == 49 ? "3" : "1";
    p->CatchBasin = CatchBasins[i % 6];
    p->LongSlope = 0.004 + 0.002 * (i % 10);
    p->PavementSlope = 0.02;
    p->GutterSlope = i % 3 == 0 ? 0 : 0.0833;
    p->GutterWidth = 2;
    p->Depression = i % 2 ? 0.0833 : 0;
    p->ManningGN = 0.016;
    p->ManningPN = 0.016;
    p->RunoffCoeff = 0.8;
    p->RunoffArea = 0.3 + 0.05 * (i % 7);
    if (i % 4 == 0) {
      p->OverlandLength = 60;
      p->OverlandSlope = 3;
      p->Surface = "3";
    } else {
      p->ConcTime = 10;
    }
    if (i % 11 == 0) p->Flow = 1.2;
    project->Elements.Add(std::to_string(p->ElementId), p);
  }
  return project;
}

void BM_GutterRun5000(benchmark::State& state) {
  TNerraParameterList parameters;
  const std::string error = parameters.LoadParameterFile(DREVIA_SOURCE_DIR "/data/AppParameters.xml");
  if (!error.empty()) {
    state.SkipWithError(error.c_str());
    return;
  }
  constexpr int Inlets = 5000;
  auto project = GutterRun(&parameters, Inlets);
  for (auto _ : state) {
    benchmark::DoNotOptimize(project->Calculate());
    benchmark::ClobberMemory();
  }
  if (!project->LastError.empty()) state.SkipWithError(project->LastError.c_str());
  state.SetItemsProcessed(state.iterations() * Inlets);
  state.counters["us_per_inlet"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * Inlets,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(BM_GutterRun5000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
