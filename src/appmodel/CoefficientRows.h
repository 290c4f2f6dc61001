#pragma once
// The rows of the small coefficient dialogs the culvert design and culvert
// analysis entries share: the eight coefficients of an inlet coefficient set,
// and the entrance loss coefficients of a headwall.

#include <string>
#include <vector>

class TNerraInletTypeCode;

// Coefficient sets exist only for the circular and elliptical rows (1 to 3).
bool InletCoefficientsAvailable(int row);
inline constexpr const char* NoInletCoefficientsMessage = "No Coefficients available in this version. See Manual";

// A name and value pair of the small coefficient dialogs.
struct TCoefficientRow {
  std::string Name;
  std::string Value;
};
// The eight coefficients "Ke" ... "Qmin", 4 decimals.
std::vector<TCoefficientRow> InletCoefficientRows(const TNerraInletTypeCode& set);
// "NO HEADWALL", "HALF HEADWALL" or "FULL HEADWALL" for rows 1 to 3, else "INLET".
std::string CoefficientKETitle(int headwallRow);
// The five pipe types with the entrance loss of the headwall row; the values
// are empty for a row outside 1 to 3.
std::vector<TCoefficientRow> CoefficientKERows(int headwallRow);
