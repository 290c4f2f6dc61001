// The rational-method pass from the upstream ends to the outlet, and the
// hydraulic grade pass from the outlet back up.

#include <cmath>
#include <vector>

#include "model/Geometry.h"
#include "model/ParameterList.h"
#include "stormsewer/StormSewer.h"

namespace {

constexpr double DefaultDiameter = 12;  // in.
// Full area of a circle in square feet per square inch of diameter.
constexpr double FullAreaFactor = 0.0054541;

// The intensity curve of one storm frequency, looked up once per
// calculation: walking the code table for every pipe would make a large
// network slow. Evaluates exactly as the code table's RainfallIntensity.
class TIntensityCurve {
public:
  TIntensityCurve(const TNerraParameterList* parameters, const std::string& frequency, const std::string& area) {
    if (parameters != nullptr) {
      FCoefficients = parameters->FindRainfallCoefficients(area, frequency);
    }
  }

  double At(double time) const {
    if (FCoefficients.Position < 0) {
      return 0;
    }
    const double base = time + FCoefficients.A2;
    const double divisor = RealPower(base, FCoefficients.A3);
    if (divisor == 0 || (base <= 0 && FCoefficients.A3 != 0)) {
      return 0;
    }
    const double intensity = FCoefficients.A1 / divisor;
    return std::isfinite(intensity) ? intensity : 0.0;
  }

private:
  TRainfallCoefficients FCoefficients;
};

std::string ElementMessage(const TStormSewerElement& pipe, const std::string& text) {
  return "Element #" + std::to_string(pipe.ElementId) + ": " + text;
}

std::string RunoffMessage(const TStormSewerElement& pipe) {
  for (double coefficient : {pipe.RunoffCoeff1, pipe.RunoffCoeff2, pipe.RunoffCoeff3, pipe.RunoffCoeff4}) {
    if (!(coefficient >= 0 && coefficient <= 1)) {
      return "Invalid Runoff Coefficient (should be between 0 and 1)";
    }
  }
  for (double area : {pipe.RunoffArea1, pipe.RunoffArea2, pipe.RunoffArea3, pipe.RunoffArea4}) {
    if (!(area >= 0)) {
      return "Runoff area should greater or equal zero.";
    }
  }
  return std::string();
}

bool ResultsFinite(const TStormSewerElement& pipe) {
  for (double value :
       {pipe.BeginTime, pipe.Diameter, pipe.GlobalArea, pipe.Rainfall, pipe.Velocity, pipe.InletFlow, pipe.HGRainfall,
        pipe.HGOutletFlow, pipe.HGInletFlow, pipe.EffectiveN, pipe.Flow(), pipe.HGFlow(), pipe.OutletFlowLine(),
        pipe.EndTime(), pipe.FullCapacity(), pipe.FrictionSlope()}) {
    if (!std::isfinite(value)) {
      return false;
    }
  }
  return true;
}

class TCalculation {
public:
  TCalculation(TStormSewer& project, const TStormSewerNetwork& network)
      : FProject(project),
        FList(project.ElementList),
        FNetwork(network),
        FParameters(project.GeneralParameters),
        FFullCapacity(project.Parameters, FParameters.FullCapacityFrequency, FParameters.RainfallAreaCode),
        FHydraulicGrade(project.Parameters, FParameters.HydraulicGradeFrequency, FParameters.RainfallAreaCode),
        FOnPath(network.BeginOf.size(), 0) {
    FPipes.reserve(FList.Count());
    for (int i = 0; i < FList.Count(); ++i) {
      FPipes.push_back(FList.Pipe(i));
    }
  }

  // Empty on success, else the message of the pipe that stopped it.
  std::string Run();

private:
  TStormSewerElement& Pipe(int index) const { return *FPipes[index]; }
  TJunctionAccumulator& Junction(int number) const { return FList.Accumulators[number]; }
  void ClearCalculated();
  void ForwardFrom(int root);
  void Forward(int index);
  void SizePipe(TStormSewerElement& pipe);
  void GradeFrom(int outlet);
  void Grade(int index);
  double FreeOutletLevel(TStormSewerElement& pipe) const;

  TStormSewer& FProject;
  TStormSewerElementList& FList;
  const TStormSewerNetwork& FNetwork;
  const TStormSewerGeneralParameters& FParameters;
  std::vector<TStormSewerElement*> FPipes;
  TIntensityCurve FFullCapacity;
  TIntensityCurve FHydraulicGrade;
  // Pipes whose upstream descent is under way, so that a loop cannot
  // send the walk round for ever.
  std::vector<char> FOnPath;
  std::string FError;
};

struct TFrame {
  int Pipe;
  int Next;  // position in the network's list of pipes arriving at its begin
};

std::string TCalculation::Run() {
  FList.Accumulators.assign(FNetwork.JunctionCount, TJunctionAccumulator());
  ClearCalculated();
  for (int i = 0; i < FList.Count() && FError.empty(); ++i) {
    TStormSewerElement& pipe = Pipe(i);
    if (pipe.Calculated) {
      continue;
    }
    pipe.BeginTime = pipe.Time();
    if (!pipe.IsOpenJunction) {
      ForwardFrom(i);
    }
    if (FError.empty()) {
      Forward(i);
    }
  }
  if (!FError.empty()) {
    return FError;
  }
  ClearCalculated();
  for (int i = 0; i < FList.Count(); ++i) {
    if (Pipe(i).IsFinalJunction) {
      GradeFrom(i);
      break;
    }
  }
  for (int i = 0; i < FList.Count(); ++i) {
    if (!ResultsFinite(Pipe(i))) {
      return ElementMessage(Pipe(i), "The values of this pipe give no finite result.");
    }
  }
  return std::string();
}

void TCalculation::ClearCalculated() {
  for (int i = 0; i < FList.Count(); ++i) {
    Pipe(i).Calculated = false;
  }
}

// Computes every pipe upstream of root, each after all pipes draining into
// it; root itself is left to the caller. Depth-first and in list order
// among siblings, without recursion so that any network depth is safe.
void TCalculation::ForwardFrom(int root) {
  std::vector<TFrame> stack;
  stack.push_back({root, FNetwork.ArrivingStart[FNetwork.BeginOf[root]]});
  FOnPath[root] = 1;
  while (!stack.empty() && FError.empty()) {
    const int current = stack.back().Pipe;
    const int end = FNetwork.ArrivingStart[FNetwork.BeginOf[current] + 1];
    bool descended = false;
    while (stack.back().Next < end) {
      const int q = FNetwork.Arriving[stack.back().Next++];
      TStormSewerElement& upstream = Pipe(q);
      if (upstream.Calculated || FOnPath[q]) {
        continue;
      }
      upstream.BeginTime = upstream.Time();
      if (upstream.IsOpenJunction) {
        Forward(q);
        continue;
      }
      FOnPath[q] = 1;
      stack.push_back({q, FNetwork.ArrivingStart[FNetwork.BeginOf[q]]});
      descended = true;
      break;
    }
    if (descended) {
      continue;
    }
    stack.pop_back();
    FOnPath[current] = 0;
    if (current != root) {
      Forward(current);
    }
  }
}

void TCalculation::Forward(int index) {
  TStormSewerElement& pipe = Pipe(index);
  TJunctionAccumulator& begin = Junction(FNetwork.BeginOf[index]);
  pipe.PipeDiameterWarning = false;
  if (pipe.IsOpenJunction) {
    pipe.GlobalArea = pipe.SumCA();
    pipe.Diameter = pipe.MinDiameter;
    if (!(pipe.Diameter > 0)) {
      pipe.Diameter = FParameters.MinimumDiameter;
    }
    if (!(pipe.Diameter > 0)) {
      pipe.Diameter = DefaultDiameter;
    }
  } else {
    pipe.Diameter = pipe.MinDiameter > 0 ? pipe.MinDiameter : begin.JunctionMaxDiameter;
    pipe.PipeDiameterWarning = begin.JunctionMaxDiameter > pipe.Diameter;
    pipe.GlobalArea = begin.JunctionSumCA + pipe.SumCA();
    if (begin.JunctionTime > pipe.BeginTime) {
      pipe.BeginTime = begin.JunctionTime;
    }
  }
  SizePipe(pipe);
  if (!FError.empty()) {
    return;
  }

  const double rise = pipe.Diameter / 12;
  // Only 0 means that the elevation was left out: a network surveyed below
  // the datum (coastal lowlands) has negative elevations that are given.
  const bool inletGiven = FProject.IsAnalysis ? pipe.InletInvert != 0 : pipe.InletCrown != 0;
  if (pipe.IsOpenJunction || inletGiven) {
    pipe.InletFlow = FProject.IsAnalysis ? pipe.InletInvert : pipe.InletCrown - rise;
  } else {
    // Crowns are matched at the junction: the pipe hangs from the lowest
    // crown arriving there.
    pipe.InletFlow = begin.JunctionCrown - rise;
  }

  TJunctionAccumulator& end = Junction(FNetwork.EndOf[index]);
  const double endTime = pipe.EndTime();
  if (endTime > end.JunctionTime) {
    end.JunctionTime = endTime;
  }
  const double outletCrown = pipe.OutletCrownElevation();
  if (outletCrown < end.JunctionCrown) {
    end.JunctionCrown = outletCrown;
  }
  if (!(end.JunctionMaxDiameter >= pipe.Diameter)) {
    end.JunctionMaxDiameter = pipe.Diameter;
  }
  end.JunctionSumCA += pipe.GlobalArea;
  pipe.Calculated = true;
}

void TCalculation::SizePipe(TStormSewerElement& pipe) {
  pipe.Rainfall = FFullCapacity.At(pipe.BeginTime);
  const double flow = pipe.Rainfall * pipe.GlobalArea;
  // The n of the starting size serves the whole search, as the sizing
  // tables were made; the normal depth below reports the final size's n.
  pipe.EffectiveN = pipe.ManningN();
  bool overCapacity = false;
  while (flow > pipe.FullCapacity()) {
    if (pipe.MinDiameter > 0) {
      overCapacity = true;
      pipe.PipeDiameterWarning = true;
      break;
    }
    // A flow no real pipe carries (or a pipe that cannot carry anything)
    // would enlarge the pipe without end.
    if (!(pipe.Diameter < TStormSewer::LargestDiameter)) {
      FError = ElementMessage(pipe, "The flow needs a pipe larger than 1200 in.");
      return;
    }
    if (pipe.Diameter >= 30) {
      pipe.Diameter += 6;
    } else if (pipe.Diameter > 10) {
      pipe.Diameter += 3;
    } else {
      pipe.Diameter += 2;
    }
  }
  double area;
  if (overCapacity) {
    area = pipe.Diameter * pipe.Diameter * FullAreaFactor;
  } else {
    const double rise = pipe.Diameter / 12;
    const double depth = pipe.NormalDepth(0, pipe.PipeSlope(), rise, flow);
    area = pipe.SectionProperties(depth / rise).Area;
  }
  pipe.Velocity = area > 0 ? flow / area : 0;
}

double TCalculation::FreeOutletLevel(TStormSewerElement& pipe) const {
  const double rise = pipe.Diameter / 12;
  const double critical = pipe.CriticalDepth(0, rise, pipe.HGFlow());
  return pipe.OutletFlowLine() + (rise + critical) / 2;
}

// The grade line from the outlet pipe upstream: each pipe right after the
// pipe it drains into, siblings in list order.
void TCalculation::GradeFrom(int outlet) {
  Grade(outlet);
  if (Pipe(outlet).IsOpenJunction) {
    return;
  }
  std::vector<TFrame> stack;
  stack.push_back({outlet, FNetwork.ArrivingStart[FNetwork.BeginOf[outlet]]});
  while (!stack.empty()) {
    TFrame& frame = stack.back();
    const int end = FNetwork.ArrivingStart[FNetwork.BeginOf[frame.Pipe] + 1];
    if (frame.Next >= end) {
      stack.pop_back();
      continue;
    }
    const int q = FNetwork.Arriving[frame.Next++];
    if (Pipe(q).Calculated) {
      continue;
    }
    Grade(q);
    if (!Pipe(q).IsOpenJunction) {
      stack.push_back({q, FNetwork.ArrivingStart[FNetwork.BeginOf[q]]});
    }
  }
}

void TCalculation::Grade(int index) {
  TStormSewerElement& pipe = Pipe(index);
  TJunctionAccumulator& begin = Junction(FNetwork.BeginOf[index]);
  const TJunctionAccumulator& end = Junction(FNetwork.EndOf[index]);
  const double rise = pipe.Diameter / 12;
  if (pipe.IsFinalJunction) {
    pipe.HGRainfall = FHydraulicGrade.At(pipe.EndTime());
    pipe.HGOutletFlow = FreeOutletLevel(pipe);
    const double tailwater = FParameters.TailwaterElevation;
    if (tailwater != 0 && tailwater > pipe.HGOutletFlow) {
      pipe.HGOutletFlow = tailwater;
    }
    begin.JunctionHGTime = pipe.EndTime();
  } else {
    begin.JunctionHGTime = end.JunctionHGTime;
    pipe.HGRainfall = FHydraulicGrade.At(begin.JunctionHGTime);
    const double freeLevel = FreeOutletLevel(pipe);
    if (end.JunctionHGElevation >= freeLevel) {
      // The grade downstream submerges the outlet; the pipe keeps the
      // downstream junction's storm duration.
      pipe.HGOutletFlow = end.JunctionHGElevation;
    } else {
      begin.JunctionHGTime = pipe.EndTime();
      pipe.HGRainfall = FHydraulicGrade.At(begin.JunctionHGTime);
      pipe.HGOutletFlow = FreeOutletLevel(pipe);
    }
  }
  const double flow = pipe.HGFlow();
  const double depth = pipe.FullCapacity() > flow ? pipe.NormalDepth(0, pipe.PipeSlope(), rise, flow) : rise;
  pipe.HGInletFlow = pipe.FrictionSlope() * pipe.Length + pipe.HGOutletFlow;
  if (pipe.InletFlow + depth > pipe.HGInletFlow) {
    pipe.HGInletFlow = pipe.InletFlow + depth;
  }
  if (!pipe.IsOpenJunction) {
    begin.JunctionHGElevation = pipe.HGInletFlow;
  }
  pipe.Calculated = true;
}

}  // namespace

int32_t TStormSewer::Calculate() {
  LastError.clear();
  // The passes rely on the open and final flags and on a network without
  // loops; the check sets the one and refuses the other.
  const TStormSewerNetwork network(ElementList);
  const std::string structure = ElementList.CheckStructure(network);
  if (!structure.empty()) {
    LastError = structure;
    return -1;
  }
  for (int i = 0; i < ElementList.Count(); ++i) {
    const TStormSewerElement& pipe = *ElementList.Pipe(i);
    // A negative n would give a negative capacity that no size can meet.
    if (pipe.CoeffN < 0) {
      LastError = ElementMessage(pipe, "Manning's N Coefficient should greater than 0 and less than 1.");
      return -1;
    }
    // A file edited by hand can hold drainage areas the element dialog
    // refuses; a negative C times A would send water up the network.
    const std::string runoff = RunoffMessage(pipe);
    if (!runoff.empty()) {
      LastError = ElementMessage(pipe, runoff);
      return -1;
    }
  }
  TCalculation calculation(*this, network);
  LastError = calculation.Run();
  if (!LastError.empty()) return -1;
  // Without a curve every pipe is sized for no flow; the results stay, but
  // each pipe says why.
  if (Parameters &&
      (Parameters->FindRainfallCoefficients(GeneralParameters.RainfallAreaCode, GeneralParameters.FullCapacityFrequency)
               .Position < 0 ||
       Parameters
               ->FindRainfallCoefficients(GeneralParameters.RainfallAreaCode, GeneralParameters.HydraulicGradeFrequency)
               .Position < 0)) {
    for (int i = 0; i < ElementList.Count(); ++i) {
      if (!LastError.empty()) LastError += "\n";
      LastError += ElementMessage(*ElementList.Pipe(i), NoRainfallIntensityMessage);
    }
  }
  return 0;
}
