#pragma once
// How the storm sewer element dialog asks for a pipe slope.

class QWidget;

// Opens "Slope Data Entry" at the given slope; true with the entered slope
// after OK.
bool EnterSlopeValue(double& slope, QWidget* parent);
