#pragma once
// The printable report of a calculated Culvert Analysis project: for every
// culvert its input and inlet coefficients, then one line per computed row
// (discharge, tailwater or buried depth step).

#include <memory>

#include "reports/Report.h"

class TCulvertAnalysis;
class TNerraParameterList;

inline constexpr const char* CulvertAnalysisReportHeading = "CULVERT ANALYSIS";

// Reads the culverts and their rows as they are; the caller calculates with
// the analysis option of its choice first. The code descriptions are copied,
// so the report does not depend on the code table afterwards.
std::unique_ptr<TReport> CreateCulvertAnalysisReport(const TCulvertAnalysis& project,
                                                     const TNerraParameterList& parameters);
