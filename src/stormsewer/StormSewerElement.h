#pragma once
// One storm sewer pipe run between two junctions, and the ordered list of
// pipe runs that forms the network.

#include <cstdint>
#include <string>
#include <vector>

#include "model/NerraBase.h"

class TStormSewerGeneralParameters;
struct TStormSewerNetwork;

class TStormSewerElement : public TNerraElement {
public:
  double OutletCover = 0;
  double InletCover = 0;
  double BeginTime = 0;
  double MinDiameter = 0;
  std::string EndStation;
  double Length = 0;
  std::string BeginStation;
  std::string InletType;
  double RunoffCoeff1 = 0;
  double RunoffCoeff2 = 0;
  double RunoffCoeff3 = 0;
  double RunoffArea1 = 0;
  double RunoffArea2 = 0;
  double RunoffArea3 = 0;
  double Diameter = 0;
  double GlobalArea = 0;
  double Rainfall = 0;
  double Velocity = 0;
  double InletFlow = 0;
  double HGRainfall = 0;
  double HGOutletFlow = 0;
  double RunoffArea4 = 0;
  double RunoffCoeff4 = 0;
  double InletInvert = 0;
  std::string Side;
  std::string Structure;
  double HGInletFlow = 0;
  double OutletInvert = 0;
  bool PipeDiameterWarning = false;
  bool IsOpenJunction = false;
  bool IsFinalJunction = false;
  double OutletCrown = 0;
  double InletCrown = 0;
  std::string EndJunction;
  std::string BeginJunction;

  // The inlet time; setting it also restarts the time of concentration.
  double Time() const { return FTime; }
  void SetTime(double value) {
    FTime = value;
    BeginTime = value;
  }

  void Assign(const TBaseObject* source) override;

  // Derived quantities.
  double SumCA() const;
  double SumArea() const;
  double Flow() const { return Rainfall * GlobalArea; }
  double HGFlow() const { return HGRainfall * GlobalArea; }
  double PipeSlope() const;
  double OutletFlowLine() const { return InletFlow - PipeSlope() * Length; }
  double InletCrownElevation() const { return InletFlow + Diameter / 12; }
  double OutletCrownElevation() const { return OutletFlowLine() + Diameter / 12; }
  double CoverMinusCrown() const { return InletCover - InletCrownElevation(); }
  double CoverMinusHG() const { return InletCover - HGInletFlow; }
  double EndTime() const;
  double FullCapacity() const;
  double FrictionSlope() const;
  std::string InletTypeText() const { return Structure + " " + InletType; }

  // Hydraulics of a full circle of the current Diameter.
  double ManningN() const override;
  double CompositeN(double hydraulicRadius, double wettedPerimeter, double topWidth, double depthRatio) const override;
  TSectionProperties SectionProperties(double depthRatio) const override;

  // The element check on these values; isAnalysis picks the elevation pair
  // the user enters (inverts for analysis, crowns for design).
  std::string Check(bool isAnalysis) const;
  // Without a project kind at hand the pair that gives the slope is judged.
  std::string Validate() override;

private:
  double FTime = 0;
};

// The running values of one junction during a calculation.
struct TJunctionAccumulator {
  double JunctionSumCA = 0;
  double JunctionMaxDiameter = 0;
  double JunctionTime = 0;
  double JunctionCrown = 999999999;
  double JunctionHGTime = 0;
  double JunctionHGElevation = 0;
};

class TStormSewerElementList : public TNerraElementList {
public:
  explicit TStormSewerElementList(const TStormSewerGeneralParameters* parameters = nullptr)
      : GeneralParameters(parameters) {}

  const TStormSewerGeneralParameters* GeneralParameters;
  // One entry per junction of the network; they grow with it.
  std::vector<TJunctionAccumulator> Accumulators;

  TStormSewerElement* Pipe(int index) const { return ItemAs<TStormSewerElement>(index); }
  // Appends a pipe keyed by its id padded to three digits, as files are read.
  void AddPipe(TStormSewerElement* pipe);

  // The network check; empty when the network can be calculated. Sets the
  // open and final flags of the pipes it gets to.
  std::string CheckStructure();
  // The same with the network already indexed.
  std::string CheckStructure(const TStormSewerNetwork& network);
  // Removes the pipe and reconnects the pipes that drained into it to its
  // downstream junction.
  int32_t DeleteElement(int32_t id) override;
};

// Junction labels of a network resolved to dense numbers, with the pipes
// ending at every junction in list order; both the check and the
// calculation walk the network through it, so no look-up is by name.
struct TStormSewerNetwork {
  std::vector<int> BeginOf;     // junction number of each pipe's begin
  std::vector<int> EndOf;       // junction number of each pipe's end
  std::vector<int> BeginCount;  // pipes leaving each junction
  std::vector<int> EndCount;    // pipes arriving at each junction
  // Pipes arriving at junction j: Arriving[ArrivingStart[j] .. ArrivingStart[j+1]).
  std::vector<int> ArrivingStart;
  std::vector<int> Arriving;
  // Pipes leaving junction j, the same way.
  std::vector<int> LeavingStart;
  std::vector<int> Leaving;
  int JunctionCount = 0;

  explicit TStormSewerNetwork(const TStormSewerElementList& list);
  bool IsOpen(int pipe) const { return EndCount[BeginOf[pipe]] == 0; }
  bool IsFinal(int pipe) const { return BeginCount[EndOf[pipe]] == 0; }
  // Position of the first pipe that lies on a closed loop, -1 when none.
  int FirstPipeOnLoop() const;
};
