#pragma once
// Pieces the culvert reports share: the code descriptions they print, copied
// when the report is created so it no longer needs the code table, and the
// legend of the headwater control codes.
#include <initializer_list>
#include <map>
#include <string>

#include "model/NerraBase.h"

class TNerraParameterList;
class TReportDataset;
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

// The inlet headwater of a row (fields "HWI" and "HWI_EXTRAPOLATED") with two
// decimals, followed by the extrapolation mark where the row has it.
std::string MarkedInletHeadwaterText(const TReportDataset& data, int record);
// The note explaining the mark, on the page footer at y, right of the
// buried-equations text, when any row of the report carries the mark.
void AddInletExtrapolatedNote(TReportBand& footer, const TReportDataset& data, double width, double y);
