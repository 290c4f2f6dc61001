// Calculating a long ditch: 5,000 sections with mixed shapes, grades and
// linings, the shipped rainfall curves. The "per_section" counter is the
// time per section (aim: under 20 microseconds).

#include <benchmark/benchmark.h>

#include <string>

#include "ditch/DitchAnalysis.h"
#include "model/ParameterList.h"
#include "support/ShippedTables.h"

namespace {

void FillDitch(TDitchAnalysis& project, int sections) {
  project.GeneralParameters.Time = 10;
  project.GeneralParameters.WaterShedAreaCode = "3";
  project.GeneralParameters.VelocityStormFrequency = "10";
  project.GeneralParameters.DepthStormFrequency = "50";
  for (int i = 0; i < sections; ++i) {
    auto* element = new TDitchAnalysisElement();
    element->ElementId = i + 1;
    element->BeginStation = i * 200;
    element->EndStation = (i + 1) * 200;
    element->RunoffArea = 0.5 + (i % 7) * 0.2;
    element->RunoffCoeff = 0.3 + (i % 5) * 0.1;
    element->Grade = 0.002 + (i % 11) * 0.006;  // gentle to steep: one to seven linings
    if (i % 9 == 0) element->ConcTime = 15;
    if (i % 4 == 3) {
      element->Radius = 2.5;
    } else {
      element->Width = (i % 3) * 2.0;
      element->Inslope = 4;
      element->Backslope = 3;
    }
    project.ElementList.Add(std::to_string(i + 1), element);
  }
}

void BM_DitchCalculate(benchmark::State& state) {
  const int sections = static_cast<int>(state.range(0));
  TDitchAnalysis project(&ShippedParameters());
  FillDitch(project, sections);
  for (auto _ : state) {
    project.Calculate();
    benchmark::DoNotOptimize(project.ResultList.Count());
  }
  state.counters["per_section"] =
      benchmark::Counter(sections, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["rows"] = project.ResultList.Count();
}

}  // namespace

BENCHMARK(BM_DitchCalculate)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
