#pragma once
// What the main window calls for the Ditch Analysis page: the element entry
// ("Ditch Analysis Element") and the result list ("Ditch Analysis Result").

class QWidget;
class TDitchAnalysis;
class TDitchAnalysisElement;
class TNerraParameterList;

// Edits the element in place; true on OK. Cancel leaves it as it was. A new
// element is only filled here: the caller adds it to the list on OK.
bool EditDitchAnalysisElement(TDitchAnalysisElement& element, TDitchAnalysis& project,
                              const TNerraParameterList& parameters, QWidget* parent);

// Lists the rows of the project's last calculation; the caller calculates
// first. Read only.
void ShowDitchAnalysisResult(TDitchAnalysis& project, const TNerraParameterList& parameters, QWidget* parent);
