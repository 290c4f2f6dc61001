#pragma once
// The user's number and date formats, taken from the environment's locale on
// first use; tests and front ends may set them explicitly.
//
// They are process-wide, so they are read as a copy: a reader never holds a
// reference into settings another thread may be replacing.

#include <string>

struct TFormatSettings {
  char DecimalSeparator = '.';
  char DateSeparator = '/';
  // Order of the date fields: "MDY", "DMY" or "YMD".
  std::string DateOrder = "MDY";
};

TFormatSettings FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
// Reads LC_ALL / LC_NUMERIC / LC_TIME style locale names from the environment
// and derives the separators; anything unknown keeps the defaults.
TFormatSettings FormatSettingsFromEnvironment();
