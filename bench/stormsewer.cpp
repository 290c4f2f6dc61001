// Checking and calculating branched storm sewer networks of 1,000 and 10,000
// pipe runs with the shipped rainfall curves. Aim: 10,000 pipes in under
// 50 ms, and the 10,000/1,000 time ratio under 15 (linear growth gives 10).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "model/ParameterList.h"
#include "stormsewer/StormSewer.h"
#include "support/ShippedTables.h"

namespace {

void AddRun(TStormSewer& project, const std::string& begin, const std::string& end, double time, double inletCrown,
            double length, double slope, double ca) {
  auto* pipe = new TStormSewerElement();
  pipe->ElementId = project.ElementList.Count() + 1;
  pipe->BeginJunction = begin;
  pipe->EndJunction = end;
  pipe->SetTime(time);
  pipe->Length = length;
  pipe->InletCrown = inletCrown;
  pipe->OutletCrown = inletCrown - slope * length;
  pipe->RunoffCoeff1 = 0.9;
  pipe->RunoffArea1 = ca * 0.4;
  pipe->RunoffCoeff2 = 0.35;
  pipe->RunoffArea2 = ca;
  project.ElementList.AddPipe(pipe);
}

// Junction labels such as "M12" or "L3-4".
std::string Label(const char* prefix, int number, int second = -1) {
  std::string label(prefix);
  label += std::to_string(number);
  if (second >= 0) {
    label += '-';
    label += std::to_string(second);
  }
  return label;
}

// A trunk whose every manhole takes a lateral of nine runs; each lateral is
// listed before the trunk run it drains into, the trunk from its upper end,
// as an engineer would type them. pipes / 10 trunk runs, the rest laterals.
std::unique_ptr<TStormSewer> Network(int pipes) {
  auto project = std::make_unique<TStormSewer>(false, &ShippedParameters());
  project->GeneralParameters.RainfallAreaCode = std::string("3");
  project->GeneralParameters.FullCapacityFrequency = std::string("10");
  project->GeneralParameters.HydraulicGradeFrequency = std::string("25");
  project->GeneralParameters.MinimumDiameter = 15;
  project->GeneralParameters.TailwaterElevation = 10;
  const int trunkRuns = pipes / 10;
  constexpr int lateralRuns = 9;
  double trunkCrown = 20 + trunkRuns * 1.5;
  for (int t = 0; t < trunkRuns; ++t) {
    const std::string manhole = t == 0 ? std::string("TOP") : Label("M", t - 1);
    double crown = trunkCrown + 0.5 + lateralRuns * 0.8;
    for (int l = 0; l < lateralRuns; ++l) {
      const std::string to = l == lateralRuns - 1 ? manhole : Label("L", t, l + 1);
      AddRun(*project, Label("L", t, l), to, l == 0 ? 10 + t % 6 : 1, crown, 80 + (l % 3) * 20, 0.01,
             0.15 + (l % 4) * 0.05);
      crown -= 0.8;
    }
    AddRun(*project, manhole, Label("M", t), 0, trunkCrown, 250, 0.005, 0.3);
    trunkCrown -= 1.5;
  }
  return project;
}

std::map<int64_t, double>& Timings() {
  static std::map<int64_t, double> timings;
  return timings;
}

void BM_StormSewerCheckAndCalculate(benchmark::State& state) {
  const int pipes = static_cast<int>(state.range(0));
  auto project = Network(pipes);
  std::string message;
  for (auto _ : state) {
    message = project->ElementList.CheckStructure();
    if (message.empty() && project->Calculate() != 0) {
      message = project->LastError;
    }
    benchmark::DoNotOptimize(project->ElementList.Pipe(pipes - 1)->HGInletFlow);
  }
  if (!message.empty()) {
    state.SkipWithError(message.c_str());
  }
  state.counters["pipes"] = project->ElementList.Count();
}
BENCHMARK(BM_StormSewerCheckAndCalculate)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Keeps the mean time of each size so the ratio can be printed at the end.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (!run.error_occurred && run.iterations > 0) {
        Timings()[static_cast<int64_t>(run.counters.at("pipes").value)] =
            run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(benchmark::kSecond) /
            benchmark::GetTimeUnitMultiplier(run.time_unit);
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  const auto& timings = Timings();
  for (const auto& [pipes, seconds] : timings) {
    std::printf("%lld pipe runs: %.3f ms\n", static_cast<long long>(pipes), seconds * 1000);
  }
  if (timings.count(1000) && timings.count(10000) && timings.at(1000) > 0) {
    std::printf("10,000 / 1,000 time ratio: %.2f\n", timings.at(10000) / timings.at(1000));
  }
  return 0;
}
