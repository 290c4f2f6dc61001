#include "ParamsCommands.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

namespace {

std::string FullPrecision(double value) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return buffer;
}

// A plain decimal number in the C locale; anything else (blank, trailing
// text, NaN, infinity) is refused.
bool ParseMinutes(const std::string& text, double& value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  value = std::strtod(text.c_str(), &end);
  return errno == 0 && end == text.c_str() + text.size() && std::isfinite(value);
}

const char* ShapeName(const std::string& type) {
  if (type == "1") return "circular concrete";
  if (type == "2") return "circular corrugated";
  if (type == "3") return "elliptical concrete";
  if (type == "4") return "corrugated pipe arch";
  if (type == "5") return "concrete box";
  return "unknown";
}

void PrintPipeSummary(const TCulvertBasePipeList& pipes, std::ostream& out) {
  std::map<std::pair<std::string, std::string>, int> counts;
  for (int i = 0; i < pipes.Count(); ++i)
    if (const TCulvertBasePipe* pipe = pipes.Pipe(i)) ++counts[{pipe->CulvertType, pipe->CorrugationType}];
  out << "Pipe catalogue: " << pipes.Count() << " sizes\n";
  for (const auto& [key, count] : counts) {
    out << "  type " << key.first << " (" << ShapeName(key.first) << ")";
    if (!key.second.empty()) out << ", corrugation " << key.second;
    out << ": " << count << '\n';
  }
}

}  // namespace

int RunParamsCommand(const std::string& dataDir, std::ostream& out, std::ostream& err) {
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  const std::string message = StartupLoadParameters(dataDir, parameters, pipes);
  if (!message.empty()) {
    err << message << '\n';
    return 1;
  }
  out << "Parameters: " << parameters.Count() << " entries\n";
  for (int c = 0; c < ParameterCategoryCount; ++c) {
    const auto category = static_cast<TParameterCategory>(c);
    out << "  " << CategoryTypeName(category) << ": " << parameters.CountOfCategory(category) << '\n';
  }
  PrintPipeSummary(pipes, out);
  return 0;
}

int RunIntensityCommand(const std::string& dataDir, const std::string& area, const std::string& frequency,
                        const std::string& minutes, std::ostream& out, std::ostream& err) {
  double time = 0;
  if (!ParseMinutes(minutes, time)) {
    err << "MINUTES must be a number: " << minutes << '\n';
    return 2;
  }
  TNerraParameterList parameters;
  TCulvertBasePipeList pipes;
  const std::string message = StartupLoadParameters(dataDir, parameters, pipes);
  if (!message.empty()) {
    err << message << '\n';
    return 1;
  }
  if (parameters.FindRainfallCoefficients(area, frequency).Position < 0)
    err << "No rainfall coefficients for area " << area << " and frequency " << frequency << "; the intensity is 0\n";
  out << FullPrecision(parameters.RainfallIntensity(frequency, area, time)) << '\n';
  return 0;
}
