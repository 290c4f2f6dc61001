#pragma once
// How numbers are shown in grids, dialogs, reports and the command line's
// tables: fixed point with a stated number of decimals and at most nine
// significant digits, in the user's decimal separator.

#include <string>

// The value is rounded to nine significant digits first, so digits beyond
// the ninth show as zeros; from 10^9 on it is shown in exponent form. A
// value that is not finite shows as the empty text, and -0 as 0.
std::string FormatFixed(double value, int decimals);
