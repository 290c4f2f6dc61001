// A 500-culvert performance-curve project (10 discharges each, every barrel
// shape, half of them buried): time per computed row and per evaluation of
// a barrel section.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "culvert/CulvertAnalysis.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "support/ShippedTables.h"

namespace {

long long SectionEvaluations = 0;

// The same shape, counting its section evaluations.
template <class TShape>
class TCounted : public TShape {
public:
  TSectionProperties SectionProperties(double depthRatio) const override {
    ++SectionEvaluations;
    return TShape::SectionProperties(depthRatio);
  }
};

template <class TShape>
std::unique_ptr<TCulvertBaseElement> NewShape(bool counted) {
  if (counted) return std::make_unique<TCounted<TShape>>();
  return std::make_unique<TShape>();
}

std::unique_ptr<TCulvertBaseElement> NewElement(int shape, bool counted) {
  switch (shape) {
    case 0: return NewShape<TCircularSmoothElement>(counted);
    case 1: return NewShape<TCircularCorrugatedElement>(counted);
    case 2: return NewShape<TEllipticalSmoothElement>(counted);
    case 3: return NewShape<TArcCorrugatedElement>(counted);
    case 4: return NewShape<TBoxSmoothElement>(counted);
    default: return NewShape<TLongSpanElement>(counted);
  }
}

std::unique_ptr<TCulvertAnalysis> MakeProject(int count, bool counted) {
  const TShippedTables& tables = ShippedTables();
  auto project = std::make_unique<TCulvertAnalysis>(&tables.Parameters, &tables.Pipes);
  const char* types[] = {"1", "2", "3", "4", "5", "7"};
  const char* corrugations[] = {"", "1", "", "1", "", ""};
  for (int i = 0; i < count; ++i) {
    const int shape = i % 6;
    auto e = NewElement(shape, counted);
    e->ElementId = i + 1;
    e->InletElevation = 100;
    e->OutletElevation = 100 - 0.002 * (1 + i % 20);  // mild to steep
    e->CulvertLength = 60 + i % 7 * 20;
    e->CulvertQuantity = 1 + i % 2;
    e->TailwaterElevationMin = e->OutletElevation + 0.3 * (i % 5);
    e->TailwaterElevationMax = e->TailwaterElevationMin + 2;
    e->DesignDischarge = 5;
    e->FloodDischarge = 50;
    e->DeltaDischarge = 5;  // 10 rows
    e->InletType = std::to_string(1 + i % 3);
    e->BuriedOption = (i / 6) % 2 == 1;
    e->BuriedDepthMin = 0.3;
    e->BuriedCoeffN = 0.03;
    if (shape == 5) {
      auto* span = dynamic_cast<TLongSpanElement*>(e.get());
      span->BuriedOption = true;
      span->FSpan = 20;
      span->FRise = 12;
      span->FTheta = 80;
      span->FPhi = 100;
      span->FRT = 13.495;
      span->FRS = 3.711;
      span->UnsubInlet = span->SubInlet = "1";
      TCulvertBasePipe& own = span->MakeOwnPipe();
      own.CulvertType = "7";
      own.PipeSizeIndex = -1;
      own.Rise = 12;
      own.Span = 20;
      e->DesignDischarge = 50;
      e->FloodDischarge = 500;
      e->DeltaDischarge = 50;
    } else {
      const int size = shape == 4 ? 19 + i % 20 : 4 + i % 8;
      e->Pipe = tables.Pipes.FindPipe(types[shape], corrugations[shape], size);
    }
    project->Elements.Add(std::to_string(i + 1), e.release());
  }
  return project;
}

void BM_PerformanceCurve500(benchmark::State& state) {
  // One counted run gives the rows and section evaluations per calculation.
  auto counted = MakeProject(500, true);
  SectionEvaluations = 0;
  if (counted->Calculate() != 0) {
    state.SkipWithError(counted->LastError.c_str());
    return;
  }
  const long long evaluations = SectionEvaluations;
  long long rows = 0;
  for (int i = 0; i < counted->Elements.Count(); ++i) rows += counted->Elements.Culvert(i)->Results.Count();

  auto project = MakeProject(500, false);
  for (auto _ : state) benchmark::DoNotOptimize(project->Calculate());

  state.counters["rows"] = static_cast<double>(rows);
  state.counters["sections_per_row"] = static_cast<double>(evaluations) / static_cast<double>(rows);
  state.counters["time_per_row"] = benchmark::Counter(
      static_cast<double>(rows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["time_per_section"] = benchmark::Counter(
      static_cast<double>(evaluations), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_PerformanceCurve500)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
