#pragma once
// The printable report of a calculated Inlet Spacing project: one line per
// begin point or inlet, in list order, and the sump results at the end when
// the gutter run has a sag.

#include <memory>
#include <string>

#include "reports/Report.h"

class TInletSpacing;
class TNerraParameterList;

inline constexpr const char* InletSpacingReportHeading = "INLET SPACING DESIGN";

// Reads the project's elements and sump results as they are; the caller
// calculates first. The catch basin descriptions are copied, so the report
// does not depend on the code table afterwards.
std::unique_ptr<TReport> CreateInletSpacingReport(const TInletSpacing& project, const TNerraParameterList& parameters);

// How a row prints, from its sump code ("INLET_TYPE"): a begin point
// ("0", or any number not above 0) prints its station and "Begin" only; an
// inlet on grade ("1") its flows; a sag inlet ("2" end, "3" approach) and
// any other numbered code stars for the intercepted and bypass flows. A
// code that is no number is computed as an inlet on grade, so it prints as
// one.
enum class TInletRowKind { BeginPoint, OnGrade, OtherInlet };
TInletRowKind InletRowKind(const std::string& sumpCode);
