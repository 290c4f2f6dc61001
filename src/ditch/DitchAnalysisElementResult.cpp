#include "ditch/DitchAnalysisElementResult.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "foundation/FormatSettings.h"

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
  const std::string text = DitchFixedText(Shear(), 2);
  return IsShearValid() ? text : "(" + text + ")";
}

std::string TDitchAnalysisElementResult::LiningName() const {
  return Lining < LiningTypeCount ? LiningNames[Lining] : "";
}

void TDitchAnalysisElementResultList::ClearRows() { Clear(); }

std::string DitchFixedText(double value, int decimals) {
  if (!std::isfinite(value)) return std::string();
  char buffer[64];
  // Nine significant digits: beyond that the integer part alone would be
  // rounded, so the value is shown in exponent form instead.
  if (std::fabs(value) >= 1e9) {
    std::snprintf(buffer, sizeof buffer, "%.8E", value);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.8e", value);
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::strtod(buffer, nullptr));
  }
  std::string text(buffer);
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);  // no "-0.00"
  const char separator = FormatSettings().DecimalSeparator;
  for (char& c : text)
    if (c == '.') c = separator;
  return text;
}
