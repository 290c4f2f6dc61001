// Designing 200 crossings with every culvert type (pipe type "99") and
// improved inlets: time per crossing and the number of one-discharge
// computations the size search makes.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "culvert/CulvertDesign.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "support/ShippedTables.h"

namespace {

long long Computations = 0;

// The same shape, counting its one-discharge computations.
template <class TShape>
class TCounted : public TShape {
public:
  int32_t CalculateDischarge(bool checkOverflow, double discharge, double tailwaterDepth, double buriedDepth) override {
    ++Computations;
    return TShape::CalculateDischarge(checkOverflow, discharge, tailwaterDepth, buriedDepth);
  }
};

std::unique_ptr<TCulvertBaseElement> CountedElement(const std::string& type) {
  if (type == "1") return std::make_unique<TCounted<TCircularSmoothElement>>();
  if (type == "2") return std::make_unique<TCounted<TCircularCorrugatedElement>>();
  if (type == "3") return std::make_unique<TCounted<TEllipticalSmoothElement>>();
  if (type == "4") return std::make_unique<TCounted<TArcCorrugatedElement>>();
  if (type == "5") return std::make_unique<TCounted<TBoxSmoothElement>>();
  return nullptr;
}

// Crossings from small ditch relief pipes to large stream crossings, on
// flat and steep grades, a quarter of them buried.
std::unique_ptr<TCulvertDesign> MakeProject(int count) {
  auto design = std::make_unique<TCulvertDesign>(&ShippedParameters(), &ShippedPipes());
  design->PipeType = "99";
  design->ImprovedInlet = true;
  design->CandidateFactory = CountedElement;
  for (int i = 0; i < count; ++i) {
    auto* e = new TCulvertDesignElement();
    e->ElementId = i + 1;
    e->DesignDischarge = 20 + (i * 37) % 600;
    e->FloodDischarge = i % 3 == 0 ? 0 : e->DesignDischarge * 1.5;
    e->InletElevation = 100;
    e->CulvertLength = 60 + (i * 13) % 240;
    e->OutletElevation = 100 - e->CulvertLength * (0.002 + 0.004 * (i % 8));
    e->TailwaterElevation = e->OutletElevation + 0.3 * (i % 5);
    e->OverflowElevation = 108 + (i % 4);
    e->AllowableHeadwaterElevation = 104 + (i % 5);
    e->AllowableHeadwaterType = std::to_string(i % 3);
    e->SetDefaultInletType(1 + i % 3);
    e->BuriedOption = i % 4 == 0;
    e->CircularConcreteInletType = e->CircularCorrugatedInletType = e->EllipticalConcreteInletType =
        e->ArchCorrugatedInletType = e->BoxInletType = std::string("1");
    e->BuriedCoeffN = e->BuriedOption ? 0.03 : 0;
    design->Elements.Add(std::to_string(e->ElementId), e);
  }
  return design;
}

void BM_DesignAllTypesImprovedInlets(benchmark::State& state) {
  const int crossings = static_cast<int>(state.range(0));
  auto design = MakeProject(crossings);
  Computations = 0;
  long long runs = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(design->Calculate());
    ++runs;
  }
  if (!design->LastError.empty()) state.SkipWithError(design->LastError.c_str());
  state.SetItemsProcessed(runs * crossings);
  state.counters["time_per_crossing"] = benchmark::Counter(static_cast<double>(runs * crossings),
                                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["computations_per_crossing"] =
      static_cast<double>(Computations) / static_cast<double>(runs * crossings);
  state.counters["computations_per_run"] = static_cast<double>(Computations) / static_cast<double>(runs);
}

BENCHMARK(BM_DesignAllTypesImprovedInlets)->Arg(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
