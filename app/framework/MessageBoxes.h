#pragma once
// The desktop's message boxes: the handler behind the core's ShowMessageBox,
// and the error box every command uses.
//
// The program installs the boxes once at start-up. Until then (in the widget
// tests) every box goes through the core's seam, so a test that installs its
// own handler sees (and answers) every box without a screen.

#include <string>

class QWidget;

// Errors show with an OK button, information and plain boxes likewise,
// confirmations as Yes/No questions (true for Yes). A box stacks on the
// modal dialog in front, else on parent while that window lives.
void InstallMessageBoxes(QWidget* parent);

// The error box, on top of parent; for nullptr it stacks as the core's boxes
// do. Before InstallMessageBoxes it goes through the core's seam.
void ShowError(QWidget* parent, const std::string& text);

enum class TSaveChoice;
// Save / Discard / Cancel before unsaved changes are lost. Before the boxes
// are installed (the widget tests) it asks through the core's seam as a
// Yes/No confirmation: Yes discards, No cancels.
TSaveChoice AskSaveDiscardCancel(QWidget* parent, const std::string& text);
