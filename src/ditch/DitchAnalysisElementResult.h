#pragma once
// One row of a ditch calculation: a lining tried against the shear storm, the
// depth-storm row, a concentrated-inflow marker or a message row.

#include <string>

#include "ditch/DitchAnalysisElement.h"
#include "model/NerraBase.h"

constexpr double WaterUnitWeight = 62.4;  // lb/ft3
constexpr double MaxDitchShear = 6.0;     // lb/ft2
constexpr double MaxDitchDepth = 10.0;    // ft
constexpr double MaxDitchGrade = 0.1;     // ft/ft

class TDitchAnalysisElementResult : public TNerraBase {
public:
  double FlowTime = 0;
  double Depth = 0;
  double Intensity = 0;
  bool FirstLine = false;
  const TDitchAnalysisElement* Element = nullptr;  // not owned
  double ManningCoeff = 0;
  TLiningType Lining = ltNone;
  std::string FrequencyCode;
  double WettedArea = 0;
  double Grade = 0;
  std::string Message;

  double Flow() const;
  // 0 for a row without flow area (an inflow marker), not a division by zero.
  double Velocity() const;
  double Shear() const { return Depth * WaterUnitWeight * Grade; }
  double TopWidth() const;
  bool IsShearValid() const { return Shear() <= MaxDitchShear; }
  bool IsDepthValid() const { return Depth < MaxDitchDepth; }
  bool IsGradeValid() const { return Grade < MaxDitchGrade; }
  // Two decimals, in parentheses when the shear is beyond any lining.
  std::string ShearText() const;
  std::string LiningName() const;
  bool IsMessageRow() const { return Lining == ltExceedsAllowed; }
  bool IsInflowRow() const { return Element && Element->IsConcentratedInflow(); }
};

class TDitchAnalysisElementResultList : public TNerraBaseList {
public:
  TDitchAnalysisElementResultList() : TNerraBaseList(true) {}
  TDitchAnalysisElementResult* Row(int index) const { return ItemAs<TDitchAnalysisElementResult>(index); }
  // Frees every row, from the back: a long ditch has tens of thousands.
  void ClearRows();
};
