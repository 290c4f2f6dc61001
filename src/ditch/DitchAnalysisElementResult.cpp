#include "ditch/DitchAnalysisElementResult.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "foundation/DisplayFormat.h"

double TDitchAnalysisElementResult::Flow() const { return Element ? Intensity * Element->CASum : 0; }

double TDitchAnalysisElementResult::Velocity() const {
  if (!(WettedArea > 0)) return 0;
  return Flow() / WettedArea;
}

double TDitchAnalysisElementResult::TopWidth() const {
  if (!Element) return 0;
  if (Element->HasRadius()) {
    // Parabolic approximation of the arc's surface width.
    if (!(Depth > 0)) return 0;
    return 1.5 * WettedArea / Depth;
  }
  return (Element->Inslope + Element->Backslope) * Depth + Element->Width;
}

std::string TDitchAnalysisElementResult::ShearText() const {
  const std::string text = FormatFixed(Shear(), 2);
  return IsShearValid() ? text : "(" + text + ")";
}

std::string TDitchAnalysisElementResult::LiningName() const {
  return Lining < LiningTypeCount ? LiningNames[Lining] : "";
}

void TDitchAnalysisElementResultList::ClearRows() { Clear(); }
