#pragma once
// What the inlet spacing entry dialog and the result dialog decide, kept
// apart from the widgets: the values the boxes hold, which groups show, how
// they are loaded from and stored into an element, the check on OK, and the
// texts of the result grid and the sump panel.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TInletSpacingElement;
class TInletSpacingElementList;
class TNerraBaseList;
class TNerraParameterList;

// The values of the entry dialog's boxes. A code is empty when nothing (or
// the blank surface entry, or typed text that is no list entry) is selected.
struct TInletSpacingEntryValues {
  std::string StationText;
  std::string SumpCode;
  std::string CatchBasinCode;
  std::string SurfaceCode;
  double LongSlope = 0;
  double Flow = 0;
  double ConcTime = 0;
  double GutterLength = 0;
  double GutterSlope = 0;
  double GutterWidth = 0;
  double ManningGN = 0;
  double PavementSlope = 0;
  double ManningPN = 0;
  double Depression = 0;
  double RunoffCoeff = 0;
  double RunoffArea = 0;
  double OverlandLength = 0;
  double OverlandSlope = 0;
};

class TInletSpacingEntryModel {
public:
  // The code table is only read and must outlive the model.
  explicit TInletSpacingEntryModel(const TNerraParameterList& parameters);
  ~TInletSpacingEntryModel();
  TInletSpacingEntryModel(const TInletSpacingEntryModel&) = delete;
  TInletSpacingEntryModel& operator=(const TInletSpacingEntryModel&) = delete;

  static std::string Caption(int32_t elementId);

  // The "SumpType", "CBType" and "SurfaceType" entries, in code table order
  // (the dialog puts a blank entry above the surface types).
  const TNerraBaseList& SumpTypes() const { return *FSumpTypes; }
  const TNerraBaseList& CatchBasinTypes() const { return *FCatchBasinTypes; }
  const TNerraBaseList& SurfaceTypes() const { return *FSurfaceTypes; }

  // The groups below the sump type show for every sump type but a begin
  // point; no selection counts as a begin point.
  static bool GroupsVisible(const std::string& sumpCode);

  TInletSpacingEntryValues Load(const TInletSpacingElement& element) const;
  // The group boxes for the sump type in values.SumpCode: the element's
  // values, or zeros and no selections for a begin point.
  void LoadGroups(const TInletSpacingElement& element, TInletSpacingEntryValues& values) const;
  // The first failing rule's message; empty when the values can be stored.
  std::string Check(const TInletSpacingEntryValues& values) const;
  void Store(const TInletSpacingEntryValues& values, TInletSpacingElement& element) const;

private:
  std::unique_ptr<TNerraBaseList> FSumpTypes;
  std::unique_ptr<TNerraBaseList> FCatchBasinTypes;
  std::unique_ptr<TNerraBaseList> FSurfaceTypes;
};

// Columns of the inlet spacing result grid, in order.
enum TInletSpacingResultColumn : int {
  isrSumpType,
  isrStation,
  isrGutterLength,
  isrRunoffCoeff,
  isrConcTime,
  isrGutterTime,
  isrUsedTime,
  isrLongSlope,
  isrGutterSlope,
  isrPavementSlope,
  isrGutterWidth,
  isrDepression,
  isrRainfall,
  isrArea,
  isrInterceptedFlow,
  isrBypassFlow,
  isrTotalFlow,
  isrDepthFlow,
  isrPavementSpread,
  isrColumnCount
};

const std::vector<std::string>& InletSpacingResultHeadings();
// The text of a cell; sumpTypes gives the description of the sump type.
// Empty for a column outside the grid.
std::string InletSpacingResultCell(const TInletSpacingElement& element, int column, const TNerraBaseList& sumpTypes);

// The "SUMP DATA" panel.
struct TSumpDataTexts {
  bool Visible = false;
  std::string TotalFlow;
  std::string PondedDepth;
  std::string Spread;
};
TSumpDataTexts SumpDataTexts(const TInletSpacingElementList& list);
