#pragma once
// Debug output channel: trace lines go to std::clog when switched on.

#include <string>

void SetDebugTraceEnabled(bool enabled);
bool DebugTraceEnabled();
void DebugTrace(const std::string& line);
