#pragma once
// What the main window calls to edit a culvert crossing and to show its
// designed alternatives.

#include <string>

class QWidget;
class TCulvertDesign;
class TCulvertDesignElement;
class TNerraParameterList;

// "Culvert Design - Element Entry". True on OK; the element then holds the
// entered values. Inlet type codes changed through "Change Inlet Type" stay
// on the element even when the user cancels.
bool EditCulvertDesignElement(TCulvertDesignElement& element, const TNerraParameterList& parameters, QWidget* parent);

// "Culvert Design Result" for a crossing the project has just calculated,
// with the page's design pipe type code ("0" and "99" show one tab per
// culvert type), and the plots of the project it belongs to, when given.
void ShowCulvertDesignResult(TCulvertDesignElement& element, const std::string& pipeType,
                             const TNerraParameterList& parameters, QWidget* parent,
                             const TCulvertDesign* project = nullptr);
