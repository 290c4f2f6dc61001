#pragma once
// The version data of the running program, embedded at build time in place
// of a version resource of the program file.
#include <string>
#include <vector>

struct TProgramVersion {
  std::string ProductName;
  int Major = 0, Minor = 0, Release = 0, Build = 0;
};

// The running program's own version data.
const TProgramVersion& RunningProgramVersion();

// The four numbers, each followed by "." ("1.2.0.7."); empty when all are
// missing (a version of 0.0.0.0 is taken as none).
std::string FileVersionText(const TProgramVersion& version);

// The product name, a blank and the file version text.
std::string ReportTitle(const TProgramVersion& version);

// Reads "a.b.c.d" (missing parts are 0, anything that is not a number is 0).
TProgramVersion ParseProgramVersion(const std::string& productName, const std::string& fileVersion);
