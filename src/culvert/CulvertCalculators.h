#pragma once
// The computations and checks behind the two culvert calculators: section
// figures of one barrel, full and at a depth, and its normal depth, critical
// depth, Q max and Q full. The dialogs only copy values in and out.

#include <string>
#include <vector>

#include "model/Geometry.h"

// In the order the shape lists show them.
enum TCalculatorShape { csCircular = 0, csElliptical = 1, csPipeArch = 2, csBox = 3 };

// "Circular", "Elliptical", "Pipe Arch", "Box".
const std::vector<std::string>& CalculatorShapeNames();

// The inputs of the shape pages; each shape reads its own.
struct TCalculatorSection {
  double Diameter = 0;  // circular
  double Span = 0;      // elliptical
  double Rise = 0;
  double RT = 0;
  double RS = 0;
  double Theta = 0;  // degrees
  double Phi = 0;    // degrees
  double Width = 0;  // box
  double Height = 0;
};

// Area, top width, wetted perimeter and hydraulic radius (area over wetted
// perimeter, 0 when the perimeter is not positive).
struct TSectionFigures {
  double Area = 0;
  double TopWidth = 0;
  double WettedPerimeter = 0;
  double HydraulicRadius = 0;
};

TSectionFigures FiguresOf(const TSectionGeometry& geometry);

// Manning's equation 1.486 / n · R^0.66667 · S^0.5 · A for the section; 0
// when n is not positive.
double ManningFlow(const TSectionGeometry& geometry, double n, double slope);

// A message for the user; a notice shows in a warning box, anything else in
// an error box.
struct TCalculatorMessage {
  std::string Text;
  bool Notice = false;
};

struct TGeometricToolResult {
  TSectionFigures Full;
  TSectionFigures Partial;
  TCalculatorMessage Message;
  // The elliptical RT, RS, Theta and Phi after the missing ones were filled
  // in (degrees); the dialog shows them when ArcCompleted is set.
  bool ArcCompleted = false;
  double RT = 0;
  double RS = 0;
  double Theta = 0;
  double Phi = 0;
};

// "Calculation" of the geometric tool at the depth y.
TGeometricToolResult CalculateGeometricTool(TCalculatorShape shape, const TCalculatorSection& section, double depth);

struct THydraulicToolInput {
  double Flow = 0;  // cfs
  double ManningN = 0;
  double Slope = 0;  // ft/ft
};

struct THydraulicToolResult {
  double NormalDepth = 0;
  double CriticalDepth = 0;
  double QMax = 0;
  double QFull = 0;
  TCalculatorMessage Message;
};

// "Calculation" of the hydraulic tool.
THydraulicToolResult CalculateHydraulicTool(TCalculatorShape shape, const TCalculatorSection& section,
                                            const THydraulicToolInput& design);
