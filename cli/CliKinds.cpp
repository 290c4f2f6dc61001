#include "CliKinds.h"

#include <algorithm>

const std::vector<TCliKind>& CliKinds() {
  // Listed here rather than registered from each file: the order is fixed
  // and a kind left out is visible in one place.
  static const std::vector<TCliKind> kinds = {CulvertDesignCliKind(), CulvertAnalysisCliKind(), StormSewerCliKind(),
                                              InletSpacingCliKind(), DitchAnalysisCliKind()};
  return kinds;
}

const TCliKind* FindCliKind(TProjectKind kind) {
  for (const TCliKind& entry : CliKinds())
    for (const TProjectKind known : entry.Kinds)
      if (known == kind) return &entry;
  return nullptr;
}

std::string RefusedKindOption(const TCliKind& kind, const std::string& kindElementName, const TCliOptions& options) {
  for (const std::string& given : options.Given)
    if (std::find(kind.Options.begin(), kind.Options.end(), given) == kind.Options.end()) {
      std::string takers;
      for (const TCliKind& other : CliKinds())
        if (std::find(other.Options.begin(), other.Options.end(), given) != other.Options.end())
          takers += (takers.empty() ? "" : ", ") + ProjectKindRowOf(other.Kinds.front())->ElementNames.front();
      return given + " does not apply to a " + kindElementName + " project" +
             (takers.empty() ? std::string() : " (only to " + takers + ")");
    }
  return std::string();
}

std::vector<std::string> ResultHeadingsOf(TProjectKind kind, size_t columns) {
  const TProjectKindRow* row = ProjectKindRowOf(kind);
  std::vector<std::string> headings = row && row->ResultHeadings ? row->ResultHeadings() : std::vector<std::string>();
  headings.resize(columns);
  return headings;
}
