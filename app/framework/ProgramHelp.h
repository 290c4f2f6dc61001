#pragma once
// The help file beside the program: the program file's path with ".chm", in
// the file system's encoding (the name is only ever opened, never shown). The
// help viewer takes any help file name to mean the "help" folder beside it.

#include <string>

// Computed once, on first use (after the application object exists).
const std::string& ProgramHelpFileName();
