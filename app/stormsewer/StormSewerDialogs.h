#pragma once
// Entry points of the storm sewer dialogs for the main window.

class QWidget;
class TNerraParameterList;
class TStormSewer;
class TStormSewerElement;

// "Storm Sewer Element": edits the element in place; true on OK (the element
// holds the entered values), false on Cancel (the element is unchanged).
// isAnalysis picks the elevation pair the user enters (inverts or crowns).
bool EditStormSewerElement(TStormSewerElement& element, bool isAnalysis, const TNerraParameterList& parameters,
                           QWidget* parent);

// "Storm Sewer System Result": lists what the last calculation left in the
// elements; the caller checks the network and calculates first.
void ShowStormSewerResult(TStormSewer& project, QWidget* parent);
