#include "foundation/DebugChannel.h"

#include <atomic>
#include <iostream>

namespace {
std::atomic<bool> traceEnabled{false};
}

void SetDebugTraceEnabled(bool enabled) { traceEnabled = enabled; }
bool DebugTraceEnabled() { return traceEnabled; }

void DebugTrace(const std::string& line) {
  if (traceEnabled) std::clog << line << '\n';
}
