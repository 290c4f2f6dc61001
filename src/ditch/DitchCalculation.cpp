// Runoff down the ditch, normal depth by Manning's equation and the choice of
// lining by allowable shear.

#include <cmath>

#include "ditch/DitchAnalysis.h"
#include "model/Geometry.h"
#include "model/ParameterList.h"

namespace {

constexpr double ManningFactor = 1.486;  // US customary units
constexpr double SolverTopDepth = 11.0;  // ft
constexpr double FlowTolerance = 0.01;   // cfs
constexpr double DepthTolerance = 0.0001;
// A seeded ditch is taken rougher for the depth storm: the grass has grown.
constexpr double SeedN = 0.03;
constexpr double GrownSeedN = 0.04;
constexpr double SecondsPerMinute = 60;

double SectionCapacity(double y, double P1, double zAvg, double W, double r, double K) {
  if (r > 0) {
    // An arc holds no water above its diameter, and its conveyance grows
    // without bound towards it: a deeper trial is always deep enough.
    if (y >= 2 * r) return HUGE_VAL;
    return SegmentConveyance(K, r, y);
  }
  return TrapezoidConveyance(K, y, W, zAvg, P1);
}

double FlowArea(const TDitchAnalysisElement& element, double depth) {
  if (element.HasRadius()) return SegmentArea(element.Radius, depth);
  return depth * depth * element.Inslope / 2 + depth * depth * element.Backslope / 2 + depth * element.Width;
}

}  // namespace

double SolveDepth(double Q, double P1, double zAvg, double W, double r, double K) {
  double low = 0;
  double high = SolverTopDepth;
  for (;;) {
    const double y = (low + high) / 2;
    const double capacity = SectionCapacity(y, P1, zAvg, W, r, K);
    if (Q - FlowTolerance > capacity)
      low = y;
    else if (Q + FlowTolerance < capacity)
      high = y;
    else
      return y;
    if (high - low < DepthTolerance) return y;
  }
}

TDitchRainfall::TDitchRainfall(const TNerraParameterList* parameters, const std::string& area,
                               const std::string& frequency) {
  if (!parameters) return;
  const TRainfallCoefficients c = parameters->FindRainfallCoefficients(area, frequency);
  FFound = c.Position >= 0;
  FA1 = c.A1;
  FA2 = c.A2;
  FA3 = c.A3;
}

double TDitchRainfall::At(double time) const {
  if (!FFound) return 0;
  const double base = time + FA2;
  const double divisor = RealPower(base, FA3);
  // Before the start of the curve there is no intensity to speak of.
  if (divisor == 0 || (base <= 0 && FA3 != 0)) return 0;
  const double intensity = FA1 / divisor;
  return std::isfinite(intensity) ? intensity : 0;
}

namespace {

void ComputeRow(TDitchAnalysisElementResult& row, const TDitchAnalysisElement& element, const TDitchRainfall& storm,
                double startTime) {
  const double K = ManningFactor * std::sqrt(element.DitchGrade()) / row.ManningCoeff;
  const double zAvg = (element.Inslope + element.Backslope) / 2;
  const double P1 =
      std::sqrt(element.Inslope * element.Inslope + 1) + std::sqrt(element.Backslope * element.Backslope + 1);

  // Without flow (no rainfall for the area and storm, or no runoff area)
  // the ditch is dry: no depth, and the time stays where it was.
  auto hydraulics = [&](double intensity) {
    row.Intensity = intensity;
    const double Q = intensity * element.CASum;
    if (Q > 0) {
      row.Depth = SolveDepth(Q, P1, zAvg, element.Width, element.Radius, K);
      row.WettedArea = FlowArea(element, row.Depth);
    } else {
      row.Depth = 0;
      row.WettedArea = 0;
    }
    return Q;
  };

  const double Q = hydraulics(storm.At(startTime));
  const double velocity = row.WettedArea > 0 ? Q / row.WettedArea : 0;
  row.FlowTime = velocity > 0 ? element.DitchLength() / (velocity * SecondsPerMinute) + startTime : startTime;
  // The travel time stays that of the first estimate; depth, area and
  // intensity are those of the storm at the end of the section.
  hydraulics(storm.At(row.FlowTime));
}

}  // namespace

void TDitchAnalysis::AddMessageRow(const TDitchAnalysisElement& element, const std::string& text) {
  auto* row = new TDitchAnalysisElementResult();
  row->Element = &element;
  row->Lining = ltExceedsAllowed;
  // A message row has no flow; the unit area keeps its velocity defined.
  row->WettedArea = 1.0;
  row->Message = text;
  ResultList.Add(std::string(), row);
}

void TDitchAnalysis::CalculateSection(TDitchAnalysisElement& element, const TDitchRainfall& shearStorm,
                                      const TDitchRainfall& depthStorm, double& shearTime, double& depthTime) {
  const double grade = element.DitchGrade();

  TLiningType lining = ltSeed;
  bool firstLine = true;
  const TDitchAnalysisElementResult* last = nullptr;
  do {
    auto* row = new TDitchAnalysisElementResult();
    row->Element = &element;
    row->FirstLine = firstLine;
    firstLine = false;
    row->Grade = grade;
    row->FrequencyCode = GeneralParameters.VelocityStormFrequency;
    row->Lining = lining;
    row->ManningCoeff = element.ManningNFor(lining);
    ComputeRow(*row, element, shearStorm, shearTime);
    ResultList.Add(std::string(), row);
    last = row;
  } while (GeneralParameters.NextLining(lining, last->Shear()));
  shearTime = last->FlowTime;

  auto* depthRow = new TDitchAnalysisElementResult();
  depthRow->Element = &element;
  depthRow->Grade = grade;
  depthRow->FrequencyCode = GeneralParameters.DepthStormFrequency;
  depthRow->Lining = lining;
  depthRow->ManningCoeff = element.ManningNFor(lining);
  if (std::fabs(depthRow->ManningCoeff - SeedN) < 0.00001) depthRow->ManningCoeff = GrownSeedN;
  ComputeRow(*depthRow, element, depthStorm, depthTime);
  ResultList.Add(std::string(), depthRow);

  if (depthRow->Lining == ltRCPTypeB && !depthRow->IsShearValid()) AddMessageRow(element, "Shear exceeds allowed");
  if (!depthRow->IsDepthValid()) AddMessageRow(element, "Depth exceeds allowed");
  depthTime = depthRow->FlowTime;
}

int32_t TDitchAnalysis::Calculate() {
  ResultList.ClearRows();
  LastError.clear();
  const std::string& area = GeneralParameters.WaterShedAreaCode;
  const TDitchRainfall shearStorm(Parameters, area, GeneralParameters.VelocityStormFrequency);
  const TDitchRainfall depthStorm(Parameters, area, GeneralParameters.DepthStormFrequency);
  // Without a curve every section would be computed dry; the results stay,
  // but each section says why its flow is zero.
  const bool noRainfall = Parameters && (!shearStorm.Found() || !depthStorm.Found());
  double areaSum = 0;
  double caSum = 0;
  double shearTime = 0;
  double depthTime = 0;
  for (int i = 0; i < ElementList.Count(); ++i) {
    TDitchAnalysisElement* element = Element(i);
    if (!element) continue;
    areaSum += element->RunoffArea;
    element->AreaSum = areaSum;
    element->CASum = element->RunoffArea * element->RunoffCoeff + caSum;
    caSum = element->CASum;

    if (i == 0) shearTime = depthTime = GeneralParameters.Time;
    if (element->ConcTime > shearTime) shearTime = element->ConcTime;
    if (element->ConcTime > depthTime) depthTime = element->ConcTime;

    if (element->IsConcentratedInflow()) {
      auto* marker = new TDitchAnalysisElementResult();
      marker->Element = element;
      marker->FirstLine = true;
      ResultList.Add(std::string(), marker);
      continue;
    }
    CalculateSection(*element, shearStorm, depthStorm, shearTime, depthTime);
    if (noRainfall) {
      AddMessageRow(*element, NoRainfallIntensityMessage);
      if (!LastError.empty()) LastError += "\n";
      LastError += "Element #" + std::to_string(element->ElementId) + ": " + NoRainfallIntensityMessage;
    }
  }
  return 0;
}
