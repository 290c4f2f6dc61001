#pragma once
// The slope an element dialog shows beside its elevations and length, and
// the outlet elevation the "Slope Data Entry" dialog leads to. Shared by the
// culvert and storm sewer dialogs.

// (inlet - outlet) / length when the length is greater than 0, otherwise 0.
// A result that is not finite (from an unreadable entry) is shown as 0 too.
double EntrySlope(double inletElevation, double outletElevation, double length);

// The outlet elevation that gives the slope over the length:
// inlet - length * slope. The outlet stays as it was when the result would
// not be finite.
double OutletForSlope(double inletElevation, double length, double slope, double currentOutlet);
