#pragma once
// The printable report of a calculated Culvert Design project: each
// crossing's input, then its computed alternatives grouped by culvert type
// and corrugation, one line per result row.

#include <memory>

#include "reports/Report.h"

class TCulvertDesign;
class TNerraParameterList;

inline constexpr const char* CulvertDesignReportHeading = "UNIVERSAL CULVERT DESIGN";

// Reads the project's crossings and candidates as they are; the caller
// calculates first. The code descriptions are copied, so the report does not
// depend on the code table afterwards.
std::unique_ptr<TReport> CreateCulvertDesignReport(const TCulvertDesign& project,
                                                   const TNerraParameterList& parameters);
