#include "CliKinds.h"

#include <algorithm>

namespace {
std::vector<TCliKind>& Registry() {
  static std::vector<TCliKind> kinds;
  return kinds;
}
}  // namespace

const std::vector<TCliKind>& CliKinds() { return Registry(); }

bool RegisterCliKind(TCliKind kind) {
  Registry().push_back(std::move(kind));
  return true;
}

const TCliKind* FindCliKind(const std::string& kindElementName) {
  for (const auto& kind : Registry())
    for (const auto& name : kind.KindElementNames)
      if (name == kindElementName) return &kind;
  return nullptr;
}

std::string RefusedKindOption(const TCliKind& kind, const std::string& kindElementName, const TCliOptions& options) {
  for (const std::string& given : options.Given)
    if (std::find(kind.Options.begin(), kind.Options.end(), given) == kind.Options.end())
    {
      std::string takers;
      for (const TCliKind& other : Registry())
        if (std::find(other.Options.begin(), other.Options.end(), given) != other.Options.end())
          takers += (takers.empty() ? "" : ", ") + other.KindElementNames.front();
      return given + " does not apply to a " + kindElementName + " project" +
             (takers.empty() ? std::string() : " (only to " + takers + ")");
    }
  return std::string();
}
