#pragma once
// The printable report of a calculated Inlet Spacing project: one line per
// begin point or inlet, in list order, and the sump results at the end when
// the gutter run has a sag.

#include <memory>

#include "reports/Report.h"

class TInletSpacing;
class TNerraParameterList;

inline constexpr const char* InletSpacingReportHeading = "INLET SPACING DESIGN";

// Reads the project's elements and sump results as they are; the caller
// calculates first. The catch basin descriptions are copied, so the report
// does not depend on the code table afterwards.
std::unique_ptr<TReport> CreateInletSpacingReport(const TInletSpacing& project, const TNerraParameterList& parameters);
