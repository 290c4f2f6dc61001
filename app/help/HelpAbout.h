#pragma once
// Help, the about box and the start-up update check, as the main window
// calls them.
//
// Help: the pages live in the "help" folder beside the program, with the map
// "topics.map" from topic numbers to pages. The dialogs name their help file
// as the program path + ".chm"; any help file name is taken to mean the
// "help" folder beside it (installed: ../share/drevia/help). Without that
// folder (or for an empty help file name) the help commands do nothing.
//
// Update check: the installation record is the read-only INI file
// "drevia-install.ini" in the program folder, section
// [SOFTWARE\QORV\<application key>\INSTALL] (for the empty key the main window
// passes: [SOFTWARE\QORV\INSTALL]) with the values ApplicationFilename,
// UpdateApplicationPath and SetupFilename. A missing file or section means
// there is no record and nothing is asked.
#include <string>

class QWidget;

// Plugs the help window into the dialogs' F1 (SetHelpHandler of the form
// bases): topic 0 opens the contents, any other number its topic.
void InstallHelpViewer();

// The help window beside parent's window, at the contents or at a topic.
void ShowHelpContents(QWidget* parent);
void ShowHelpTopic(QWidget* parent, int context);

// The about box for the running program file; false when the file carries no
// version data (nothing is shown then).
bool ShowAboutBox(QWidget* parent);

// True when an installer was started and the program must stop.
bool CheckForUpdate(const std::string& applicationKey, QWidget* parent);
