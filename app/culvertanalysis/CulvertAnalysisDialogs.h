#pragma once
// What the main window calls for the Culvert Analysis page: the element entry
// ("Culvert Analysis Element Entry") and the result list of one culvert
// ("Culvert Analysis Result").

#include <memory>

class QWidget;
class TCulvertAnalysis;
class TCulvertBaseElement;
class TCulvertBasePipeList;
class TNerraParameterList;

// The pipe type chosen in the dialog decides the element's class, so the
// dialog hands back the element the list must hold: on OK a new element
// (for "Modify Element" a copy of the given one with the entered values, to
// be put in its place), none on Cancel. The given element is never changed.
// Pipes of the returned element point into the catalogue, which must outlive
// the project.
std::unique_ptr<TCulvertBaseElement> EditCulvertAnalysisElement(const TCulvertBaseElement* element,
                                                                TCulvertAnalysis& project,
                                                                const TNerraParameterList& parameters,
                                                                const TCulvertBasePipeList& catalogue, QWidget* parent);

// Lists the element's rows of the last calculation; the caller calculates
// first. Read only.
void ShowCulvertAnalysisResult(TCulvertBaseElement& element, TCulvertAnalysis& project,
                               const TNerraParameterList& parameters, QWidget* parent);
