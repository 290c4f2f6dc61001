#pragma once
// Entry points of the inlet spacing dialogs for the main window.

class QWidget;
class TInletSpacing;
class TInletSpacingElement;
class TNerraParameterList;

// "Inlet Spacing Entry": edits the element in place; true on OK (the element
// holds the entered values), false on Cancel (the element is unchanged).
bool EditInletSpacingElement(TInletSpacingElement& element, const TNerraParameterList& parameters, QWidget* parent);

// "Inlet Spacing Result": lists what the last calculation left in the
// elements and the sump data; the caller calculates first.
void ShowInletSpacingResult(TInletSpacing& project, const TNerraParameterList& parameters, QWidget* parent);
