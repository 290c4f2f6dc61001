#pragma once
// The printable report of a calculated Ditch Analysis project: the rainfall
// area and allowable shears, then one line per result row, so that every
// section shows the linings tried, its depth row and any message rows.

#include <memory>

#include "reports/Report.h"

class TDitchAnalysis;
class TNerraParameterList;

inline constexpr const char* DitchAnalysisReportHeading = "DITCH ANALYSIS";

// Reads the project's result rows as they are; the caller calculates first.
// The parameter list is not read today (sides and storms print as their
// codes) and is taken so every report is created the same way.
std::unique_ptr<TReport> CreateDitchAnalysisReport(const TDitchAnalysis& project,
                                                   const TNerraParameterList& parameters);
