#pragma once
// The parameter-file commands of drevia-cli.

#include <ostream>
#include <string>

// Runs the start-up checks, conversions and loads of the parameter files in
// dataDir and prints how many entries each code category and each barrel
// type (and corrugation) holds. 1 with the message on err when the program
// would not start, 0 otherwise.
int RunParamsCommand(const std::string& dataDir, std::ostream& out, std::ostream& err);

// Prints the rainfall intensity in in/hr for the area code, the frequency
// code and a duration in minutes. 1 when the parameter files do not load,
// 2 when minutes is not a number.
int RunIntensityCommand(const std::string& dataDir, const std::string& area, const std::string& frequency,
                        const std::string& minutes, std::ostream& out, std::ostream& err);
