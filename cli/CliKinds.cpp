#include "CliKinds.h"

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
