#include "appmodel/CoefficientRows.h"

#include <array>

#include "foundation/DisplayFormat.h"
#include "model/ParameterList.h"

bool InletCoefficientsAvailable(int row) { return row >= 1 && row <= 3; }

std::vector<TCoefficientRow> InletCoefficientRows(const TNerraInletTypeCode& set) {
  const auto value = [](double number) { return FormatFixed(number, 4); };
  return {{"Ke", value(set.KE)}, {"K", value(set.K)},  {"M", value(set.M)},  {"Qmax", value(set.QMAX)},
          {"SL", value(set.SL)}, {"Y", value(set.KP)}, {"c", value(set.KD)}, {"Qmin", value(set.QMIN)}};
}

std::string CoefficientKETitle(int headwallRow) {
  switch (headwallRow) {
    case 1: return "NO HEADWALL";
    case 2: return "HALF HEADWALL";
    case 3: return "FULL HEADWALL";
    default: return "INLET";
  }
}

std::vector<TCoefficientRow> CoefficientKERows(int headwallRow) {
  struct TKERow {
    const char* PipeType;
    std::array<const char*, 3> Values;
  };
  static const std::array<TKERow, 5> table{{
      {"Circular Concrete", {"0.2", "0.2", "0.2"}},
      {"Circular Corrugated", {"0.9", "0.9", "0.25"}},
      {"Elliptical Concrete", {"0.2", "0.2", "0.2"}},
      {"Corrugated Pipe Arch", {"0.9", "0.9", "0.25"}},
      {"Box Concrete", {"0.2", "0.2", "0.5"}},
  }};
  const bool known = headwallRow >= 1 && headwallRow <= 3;
  std::vector<TCoefficientRow> rows;
  for (const TKERow& row : table)
    rows.push_back({row.PipeType, known ? row.Values[static_cast<size_t>(headwallRow - 1)] : ""});
  return rows;
}
