#pragma once
// What the culvert design dialogs show and check, without the toolkit: the
// values of the element entry with their checks and storing, the visibility
// rules of its burial options, the inlet type table, and the rows and cells
// of the result dialog. The coefficient rows of its small dialogs are in
// appmodel/CoefficientRows.h.

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "culvert/CulvertDesign.h"
#include "model/ParameterList.h"

// The values "Culvert Design - Element Entry" edits, in the order of the form.
// The five per-type inlet codes are not among them: "Change Inlet Type"
// changes them on the element at once.
struct TCulvertDesignEntryValues {
  double InletElevation = 0;
  double OutletElevation = 0;
  double CulvertLength = 0;
  double TailwaterElevation = 0;
  double OverflowElevation = 0;
  bool BuriedOption = false;
  bool DisableBuriedTable = false;
  double DesignDischarge = 0;
  double FloodDischarge = 0;
  int DefaultInletType = 1;  // the selected headwall row, 1 to 3; 0 = none
  double AllowableHeadwaterElevation = 0;
  std::string AllowableHeadwaterType;  // code of the HWType entry; empty = none
  double CoeffN = 0;
  double BuriedCoeffN = 0;
  double CoeffKE = 0;

  void Load(const TCulvertDesignElement& element);
  // The first failing check's message, empty when every value passes.
  std::string Check(bool buriedCoeffNVisible) const;
  void Store(TCulvertDesignElement& element) const;
  // The slope the form shows beside the elevations.
  double Slope() const;
};

// Which burial controls the form shows.
struct TCulvertDesignVisibility {
  bool AutomaticBurialDepthVisible = false;  // "Set Burial Depth = 0 (see Manual)"
  bool CulvertTypeGridShown = false;         // the five culvert types, else the three headwalls
  bool BuriedCoeffNVisible = false;          // "Buried Manning's N" and its label
};
TCulvertDesignVisibility CulvertDesignVisibility(bool burialOption, bool automaticBurialDepth);

// One row of the culvert type grid: its caption, the code table its inlet
// codes come from, and the element's code for it.
struct TCulvertInletTypeRow {
  const char* CulvertType;
  TParameterCategory Category;
  std::string TCulvertDesignElement::*Code;
};
const std::array<TCulvertInletTypeRow, 5>& CulvertInletTypeRows();
// "Selected Inlet Type" of a row (0-based): the description of the
// element's code in the row's table; empty when the code is not there.
std::string SelectedInletTypeText(const TCulvertDesignElement& element, int row, const TNerraParameterList& parameters);
// The headwall grid: "No Headwall", "Half Headwall", "Full Headwall".
const std::array<const char*, 3>& HeadwallRowTexts();

// --- result dialog ---------------------------------------------------------------

inline constexpr int CulvertDesignResultColumns = 16;
std::vector<std::string> CulvertDesignResultHeadings();
// The tab captions shown for a design pipe type; none unless "0" or "99".
std::vector<std::string> CulvertDesignResultTabs(const std::string& pipeType);
// The text of a column (0-based) of a result row.
std::string CulvertDesignResultCell(const TCulvertElementResult& row, int column,
                                    const TNerraParameterList* parameters);

// The rows of one crossing that the result dialog shows: those of the
// candidates whose pipe has the shown culvert type.
class TCulvertDesignResultModel {
public:
  TCulvertDesignResultModel(const TCulvertDesignElement& crossing, const std::string& pipeType,
                            const TNerraParameterList* parameters);

  const std::vector<std::string>& Tabs() const { return FTabs; }
  // Shows the culvert type of a tab (0-based); ignored without tabs.
  void SelectTab(int index);
  const std::string& ShownType() const { return FShownType; }
  std::string Heading() const { return DesignResultHeading(FShownType); }
  TCulvertElementResultList& Rows() { return *FRows; }
  std::string Cell(int row, int column) const;

private:
  void Collect();

  const TCulvertDesignElement& FCrossing;
  const TNerraParameterList* FParameters;
  std::vector<std::string> FTabs;
  std::string FShownType;
  std::unique_ptr<TCulvertElementResultList> FRows;
};
