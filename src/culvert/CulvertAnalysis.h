#pragma once
// The Culvert Analysis project: culverts of a chosen shape, size and number
// of barrels, computed as a discharge performance curve, a buried depth
// curve or a culvert system (culverts in series).

#include <cstdint>
#include <string>
#include <vector>

#include "culvert/CulvertShapes.h"
#include "model/NerraBase.h"

class TCulvertBasePipeList;
class TNerraParameterList;

enum TAnalysisOption : uint8_t {
  aoPerformanceCurve = 0,
  aoBuriedDepthCurve = 1,
  aoCulvertSystem = 2,
};

class TCulvertAnalysis : public TNerraBaseProject {
public:
  // Both tables belong to the caller and must outlive the project.
  explicit TCulvertAnalysis(const TNerraParameterList* parameters = nullptr,
                            const TCulvertBasePipeList* catalogue = nullptr);

  uint8_t AnalysisOption = aoPerformanceCurve;
  const TCulvertBasePipeList* Catalogue = nullptr;
  const TNerraParameterList* Parameters = nullptr;
  TCulvertElementList Elements;

  // The most rows one element may produce in a curve; a wider range is
  // refused rather than computed for minutes.
  static constexpr int MaxCurveRows = 10000;

  void SetAnalysisOption(int code);
  std::string KindElementName() const override { return "CulvertAnalysis"; }

  std::string SaveWithResults() override;
  std::string SaveInput() override;
  void Load(const std::string& text) override;
  // One message per element the last Load could not read (an unknown
  // culvert type); Calculate lists them.
  std::vector<std::string> SkippedElements;
  // 0 on success; -1 with LastError set when nothing could be computed (a
  // culvert system without a single outlet or with a loop, unusable input)
  // or an element gave no finite result.
  int32_t Calculate() override;

  // Culverts of a system are computed from the outlet upstream; each one's
  // tailwater is the headwater of the culvert it drains into.
  void CalculateSystemElement(TCulvertBaseElement* element);
  TCulvertBaseElement* ElementById(int32_t id) const;

private:
  std::string SaveText(bool withResults);
  // Inputs the hydraulics cannot compute; the first problem's message.
  std::string CheckInputs() const;
  // A message naming the culverts of a loop of UseHW links; empty when none.
  std::string FindSystemLoop() const;
  void ComputeSystemCulvert(TCulvertBaseElement* element);
};

// How many rows a curve gives from first to last by a positive step, with the
// same stop rule the curves use.
int64_t CurveRowCount(double first, double last, double step);
// The stop test of the curves: the value has reached the maximum within a
// tolerance of 1e-9 relative to it (at least 1e-9), so an accumulated sum
// that misses the maximum by rounding does not add a row.
bool ReachedMaximum(double value, double maximum);
