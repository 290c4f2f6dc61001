#include "stormsewer/StormSewerElement.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unordered_map>

namespace {

// Manning's constant in US units and the capacity exponent the sewer tables
// were computed with (not exactly 2/3).
constexpr double kManningK = 1.486;
constexpr double kCapacityExponent = 0.66667;

std::string StructureMessage(const std::string& text, int position) {
  return "Invalid Storm Sewer Structure: " + text + " [" + std::to_string(position) + "]";
}

// Comparisons are written so that a value that is not a number fails them.
bool InUnitRange(double value) { return value >= 0 && value <= 1; }

}  // namespace

void TStormSewerElement::Assign(const TBaseObject* source) {
  TNerraElement::Assign(source);
  const auto* other = dynamic_cast<const TStormSewerElement*>(source);
  if (other == nullptr || other == this) {
    return;
  }
  // Every field, results and flags included: a dialog's copy must come back whole.
  OutletCover = other->OutletCover;
  InletCover = other->InletCover;
  BeginTime = other->BeginTime;
  MinDiameter = other->MinDiameter;
  EndStation = other->EndStation;
  Length = other->Length;
  BeginStation = other->BeginStation;
  InletType = other->InletType;
  RunoffCoeff1 = other->RunoffCoeff1;
  RunoffCoeff2 = other->RunoffCoeff2;
  RunoffCoeff3 = other->RunoffCoeff3;
  RunoffArea1 = other->RunoffArea1;
  RunoffArea2 = other->RunoffArea2;
  RunoffArea3 = other->RunoffArea3;
  Diameter = other->Diameter;
  GlobalArea = other->GlobalArea;
  Rainfall = other->Rainfall;
  Velocity = other->Velocity;
  InletFlow = other->InletFlow;
  HGRainfall = other->HGRainfall;
  HGOutletFlow = other->HGOutletFlow;
  RunoffArea4 = other->RunoffArea4;
  RunoffCoeff4 = other->RunoffCoeff4;
  InletInvert = other->InletInvert;
  Side = other->Side;
  Structure = other->Structure;
  HGInletFlow = other->HGInletFlow;
  OutletInvert = other->OutletInvert;
  PipeDiameterWarning = other->PipeDiameterWarning;
  IsOpenJunction = other->IsOpenJunction;
  IsFinalJunction = other->IsFinalJunction;
  OutletCrown = other->OutletCrown;
  InletCrown = other->InletCrown;
  FTime = other->FTime;
  EndJunction = other->EndJunction;
  BeginJunction = other->BeginJunction;
}

double TStormSewerElement::SumCA() const {
  return RunoffCoeff1 * RunoffArea1 + RunoffCoeff2 * RunoffArea2 + RunoffCoeff3 * RunoffArea3 +
         RunoffCoeff4 * RunoffArea4;
}

double TStormSewerElement::SumArea() const { return RunoffArea1 + RunoffArea2 + RunoffArea3 + RunoffArea4; }

double TStormSewerElement::PipeSlope() const {
  if (!(Length > 0)) {
    return 0;
  }
  if (InletInvert != 0 && OutletInvert != 0) {
    return (InletInvert - OutletInvert) / Length;
  }
  return (InletCrown - OutletCrown) / Length;
}

double TStormSewerElement::EndTime() const {
  if (Velocity > 0) {
    return BeginTime + Length / Velocity / 60;
  }
  return BeginTime;
}

double TStormSewerElement::FullCapacity() const {
  const double slope = PipeSlope();
  // Before a calculation there is no n, and a pipe that does not fall has no
  // capacity; both would otherwise divide by zero or take a negative root.
  if (!(EffectiveN > 0) || !(slope > 0) || !(Diameter > 0)) {
    return 0;
  }
  const TSectionProperties section = SectionProperties(MaxFlowDepthRatio());
  return kManningK / EffectiveN * section.Area * std::pow(section.HydraulicRadius, kCapacityExponent) *
         std::pow(slope, 0.5);
}

double TStormSewerElement::FrictionSlope() const {
  if (!(Diameter > 0)) {
    return 0;
  }
  // Full-pipe Manning relation with the diameter in inches.
  const double ratio = HGFlow() * EffectiveN / (0.000614 * std::pow(Diameter, 2.6667));
  return ratio * ratio;
}

double TStormSewerElement::ManningN() const {
  if (CoeffN != 0) {
    return CoeffN;
  }
  return Diameter > 60 ? 0.013 : 0.015;
}

double TStormSewerElement::CompositeN(double, double, double, double) const { return ManningN(); }

TSectionProperties TStormSewerElement::SectionProperties(double depthRatio) const {
  const double diameter = Diameter / 12;
  // A ratio a rounding error outside the section must not give NaN.
  const double r = std::clamp(depthRatio, 0.0, 1.0);
  // With theta = 2 acos(1 - 2r): sin(theta/2) = 2 sqrt(r (1 - r)) and
  // sin(theta) = 2 sin(theta/2) (1 - 2r). The solvers evaluate this many
  // times per pipe, and the sines would dominate a large network.
  const double halfSine = 2 * std::sqrt(r * (1 - r));
  const double theta = 2 * std::acos(1 - 2 * r);
  const double sine = 2 * halfSine * (1 - 2 * r);
  TSectionProperties section;
  section.Area = diameter * diameter * (theta - sine) / 8;
  section.TopWidth = diameter * halfSine;
  section.WettedPerimeter = diameter * theta / 2;
  section.HydraulicRadius = section.WettedPerimeter > 0 ? section.Area / section.WettedPerimeter : 0;
  return section;
}

std::string TStormSewerElement::Check(bool isAnalysis) const {
  const double inlet = isAnalysis ? InletInvert : InletCrown;
  const double outlet = isAnalysis ? OutletInvert : OutletCrown;
  if (!(outlet < inlet)) {
    return "Outlet Invert Elevation should be lower than Inlet Invert Elevation.";
  }
  if (!(Length > 0)) {
    return "Pipe length should be greater than 0.";
  }
  if (!(MinDiameter >= 0)) {
    return "Pipe Diameter should be greater than 0.";
  }
  if (!(FTime >= 0)) {
    return "Time should be greater than 0.";
  }
  if (!InUnitRange(RunoffCoeff1) || !InUnitRange(RunoffCoeff2) || !InUnitRange(RunoffCoeff3) ||
      !InUnitRange(RunoffCoeff4)) {
    return "Invalid Runoff Coefficient (should be between 0 and 1)";
  }
  if (!(RunoffArea1 >= 0) || !(RunoffArea2 >= 0) || !(RunoffArea3 >= 0) || !(RunoffArea4 >= 0)) {
    return "Runoff area should greater or equal zero.";
  }
  if (!(CoeffN >= 0 && CoeffN < 1)) {
    return "Manning's N Coefficient should greater than 0 and less than 1.";
  }
  if (BeginJunction == EndJunction) {
    return "Junction From cannot be equal to Junction End";
  }
  return std::string();
}

std::string TStormSewerElement::Validate() { return Check(InletInvert != 0 && OutletInvert != 0); }

void TStormSewerElementList::AddPipe(TStormSewerElement* pipe) {
  char key[16];
  std::snprintf(key, sizeof key, "%03d", static_cast<int>(pipe->ElementId));
  Add(key, pipe);
}

std::string TStormSewerElementList::CheckStructure() { return CheckStructure(TStormSewerNetwork(*this)); }

std::string TStormSewerElementList::CheckStructure(const TStormSewerNetwork& network) {
  bool openSeen = false;
  bool finalSeen = false;
  for (int i = 0; i < Count(); ++i) {
    TStormSewerElement* pipe = Pipe(i);
    if (!(pipe->PipeSlope() > 0)) {
      return StructureMessage("Negative Slope", i);
    }
    pipe->IsOpenJunction = network.IsOpen(i);
    pipe->IsFinalJunction = network.IsFinal(i);
    if (pipe->BeginJunction == pipe->EndJunction) {
      return StructureMessage("Junction From cannot be equal to Junction End", i);
    }
    if (pipe->IsOpenJunction) {
      openSeen = true;
      if (!(pipe->Time() > 0)) {
        return StructureMessage("Time should be greater than 0 when Junction Begin is zero", i);
      }
    } else if (pipe->BeginJunction != "0" && network.BeginCount[network.BeginOf[i]] > 1) {
      return StructureMessage("Junction From not unique", i);
    }
    if (pipe->IsFinalJunction) {
      if (finalSeen) {
        return StructureMessage("More than one final junctions", i);
      }
      finalSeen = true;
    }
  }
  std::string message;
  if (!openSeen) {
    message = "Invalid Storm Sewer Structure: Begin Junction not present";
  }
  if (!finalSeen) {
    message = "Invalid Storm Sewer Structure: Final Junction not present";
  }
  if (!message.empty()) {
    return message;
  }
  // Pipes that drain into each other would never reach the outlet and would
  // send the upstream walk of the calculation round for ever. With one final
  // pipe and no loop, every pipe drains to the outlet.
  const int looped = network.FirstPipeOnLoop();
  if (looped >= 0) {
    return StructureMessage("Closed loop, pipes do not drain to the final junction", looped);
  }
  return std::string();
}

int32_t TStormSewerElementList::DeleteElement(int32_t id) {
  const int position = IndexOfId(id);
  if (position < 0) {
    return -1;
  }
  const std::string begin = Pipe(position)->BeginJunction;
  const std::string end = Pipe(position)->EndJunction;
  TNerraElementList::DeleteElement(id);
  for (int i = 0; i < Count(); ++i) {
    TStormSewerElement* pipe = Pipe(i);
    if (pipe->EndJunction == begin) {
      pipe->EndJunction = end;
    }
  }
  return 0;
}

namespace {

// Counting sort of pipes by junction into start offsets and a flat list, so
// the pipes of a junction stay in list order.
void BuildIndex(const std::vector<int>& junctionOf, int junctionCount, std::vector<int>& start,
                std::vector<int>& pipes) {
  start.assign(junctionCount + 1, 0);
  for (int junction : junctionOf) {
    ++start[junction + 1];
  }
  for (int j = 0; j < junctionCount; ++j) {
    start[j + 1] += start[j];
  }
  pipes.assign(junctionOf.size(), 0);
  std::vector<int> next(start.begin(), start.end() - 1);
  for (int pipe = 0; pipe < static_cast<int>(junctionOf.size()); ++pipe) {
    pipes[next[junctionOf[pipe]]++] = pipe;
  }
}

}  // namespace

TStormSewerNetwork::TStormSewerNetwork(const TStormSewerElementList& list) {
  const int count = list.Count();
  std::unordered_map<std::string, int> numbers;
  numbers.reserve(2 * static_cast<size_t>(count) + 1);
  auto numberOf = [&numbers](const std::string& label) {
    return numbers.try_emplace(label, static_cast<int>(numbers.size())).first->second;
  };
  BeginOf.resize(count);
  EndOf.resize(count);
  for (int i = 0; i < count; ++i) {
    const TStormSewerElement* pipe = list.Pipe(i);
    BeginOf[i] = numberOf(pipe->BeginJunction);
    EndOf[i] = numberOf(pipe->EndJunction);
  }
  JunctionCount = static_cast<int>(numbers.size());
  BuildIndex(EndOf, JunctionCount, ArrivingStart, Arriving);
  BuildIndex(BeginOf, JunctionCount, LeavingStart, Leaving);
  BeginCount.resize(JunctionCount);
  EndCount.resize(JunctionCount);
  for (int j = 0; j < JunctionCount; ++j) {
    BeginCount[j] = LeavingStart[j + 1] - LeavingStart[j];
    EndCount[j] = ArrivingStart[j + 1] - ArrivingStart[j];
  }
}

int TStormSewerNetwork::FirstPipeOnLoop() const {
  // Peel junctions off the network from the upstream ends and from the
  // downstream ends; what neither side can peel lies on a loop (or between
  // loops).
  std::vector<char> peeled(JunctionCount, 0);
  auto peel = [&](const std::vector<int>& degreeOf, const std::vector<int>& start, const std::vector<int>& pipes,
                  const std::vector<int>& otherEnd) {
    std::vector<int> degree(degreeOf);
    std::vector<int> ready;
    for (int j = 0; j < JunctionCount; ++j) {
      if (degree[j] == 0) {
        ready.push_back(j);
      }
    }
    while (!ready.empty()) {
      const int j = ready.back();
      ready.pop_back();
      peeled[j] = 1;
      for (int k = start[j]; k < start[j + 1]; ++k) {
        if (--degree[otherEnd[pipes[k]]] == 0) {
          ready.push_back(otherEnd[pipes[k]]);
        }
      }
    }
  };
  // From the upstream ends: a junction goes once no pipe arrives from an
  // unpeeled junction.
  peel(EndCount, LeavingStart, Leaving, EndOf);
  std::vector<char> fromUpstream(peeled);
  peeled.assign(JunctionCount, 0);
  peel(BeginCount, ArrivingStart, Arriving, BeginOf);
  for (int i = 0; i < static_cast<int>(BeginOf.size()); ++i) {
    const int b = BeginOf[i];
    const int e = EndOf[i];
    if (!fromUpstream[b] && !peeled[b] && !fromUpstream[e] && !peeled[e]) {
      return i;
    }
  }
  return -1;
}
