#pragma once
// The two culvert calculators of the Tools menu. Each answers a quick
// question about one barrel without a project and stores nothing.

class QWidget;

// "Culvert Geometric Tool": area, top width, wetted perimeter and hydraulic
// radius of a section, full and at a depth. Modal.
void ShowCulvertGeometricTool(QWidget* parent);

// "Culvert Hydraulic Tool": normal and critical depth, Q max and Q full for
// a discharge, Manning n and slope. Modal.
void ShowCulvertHydraulicTool(QWidget* parent);
