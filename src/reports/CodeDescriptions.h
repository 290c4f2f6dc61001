#pragma once
// Pieces the culvert reports share: the code descriptions they print, copied
// when the report is created so it no longer needs the code table, and the
// legend of the headwater control codes.
#include <initializer_list>
#include <map>
#include <string>

#include "model/NerraBase.h"

class TNerraParameterList;
struct TReportBand;

class TCodeDescriptions {
public:
  TCodeDescriptions(const TNerraParameterList& parameters, std::initializer_list<TParameterCategory> categories);
  // Empty for a code or category that was not copied.
  std::string Description(TParameterCategory category, const std::string& code) const;

private:
  std::map<TParameterCategory, std::map<std::string, std::string>> FTables;
};

// "HEADWATER CONTROL CODES:" and its five lines from y down; returns the y
// of the last line.
double AddHeadwaterControlLegend(TReportBand& band, double y);
