#pragma once
// The user's number and date formats, taken once from the environment's
// locale; tests and front ends may set them explicitly.

#include <string>

struct TFormatSettings {
  char DecimalSeparator = '.';
  char DateSeparator = '/';
  // Order of the date fields: "MDY", "DMY" or "YMD".
  std::string DateOrder = "MDY";
};

const TFormatSettings& FormatSettings();
void SetFormatSettings(const TFormatSettings& settings);
// Reads LC_ALL / LC_NUMERIC / LC_TIME style locale names from the environment
// and derives the separators; anything unknown keeps the defaults.
TFormatSettings FormatSettingsFromEnvironment();
