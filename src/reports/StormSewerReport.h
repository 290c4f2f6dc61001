#pragma once
// The printable report of a calculated Storm Sewer Design or Storm Sewer
// Analysis project: two lines per pipe run, in list order, with the running
// sums of the drainage areas and of C times A.

#include <memory>

#include "reports/Report.h"

class TStormSewer;

inline constexpr const char* StormSewerReportHeading = "STORM SEWER SYSTEM";

// The Greek capitals in front of the area and C.A captions (the pipe's own
// value above, the running sum below). Report texts are otherwise
// ISO-8859-1, which has no Greek; these two are UTF-8 and stand as items of
// their own, so a painter can recognise them and draw them as such.
inline constexpr const char* DeltaSign = "\xCE\x94";
inline constexpr const char* SigmaSign = "\xCE\xA3";

// Reads the project's pipe runs as they are; the caller runs the network
// check and the calculation first. Codes are printed as stored, so the code
// table is not needed.
std::unique_ptr<TReport> CreateStormSewerReport(const TStormSewer& project);
