#pragma once
// What the storm sewer element dialog and the system result dialog decide,
// kept apart from the widgets: the values the boxes hold, how they are loaded
// from and stored into a pipe run, the derived boxes (slope and sums), the
// check on OK, and the texts and colours of the result grid.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TNerraBaseList;
class TNerraParameterList;
class TStormSewerElement;

// The values of the element dialog's boxes. A code is empty when nothing is
// selected in its list.
struct TStormSewerEntryValues {
  std::string BeginJunction;
  std::string EndJunction;
  std::string BeginStation;
  std::string EndStation;
  std::string SideCode;
  std::string StructureCode;
  std::string InletType;  // the text of the type box, listed or typed
  std::array<double, 4> RunoffArea{};
  std::array<double, 4> RunoffCoeff{};
  // Inverts in an analysis project, crowns in a design project.
  double InletElevation = 0;
  double OutletElevation = 0;
  double InletCover = 0;
  double OutletCover = 0;
  double Length = 0;
  double MinDiameter = 0;
  double Time = 0;
  double CoeffN = 0;
};

struct TStormSewerSums {
  double TotalArea = 0;
  double SumCA = 0;
  double WeightedCoeff = 0;  // 0 when there is no area
};

class TStormSewerEntryModel {
public:
  // The code table is only read and must outlive the model.
  TStormSewerEntryModel(bool isAnalysis, const TNerraParameterList& parameters);
  ~TStormSewerEntryModel();
  TStormSewerEntryModel(const TStormSewerEntryModel&) = delete;
  TStormSewerEntryModel& operator=(const TStormSewerEntryModel&) = delete;

  const bool IsAnalysis;

  static std::string Caption(int32_t elementId);
  std::string InletElevationLabel() const;
  std::string OutletElevationLabel() const;

  // The "SewerSide" and "StructureCategory" entries, in code table order.
  const TNerraBaseList& Sides() const { return *FSides; }
  const TNerraBaseList& Categories() const { return *FCategories; }
  // Descriptions of the structure types of a category, in code table order;
  // none when no category is given.
  std::vector<std::string> TypesOfCategory(const std::string& categoryCode) const;

  TStormSewerEntryValues Load(const TStormSewerElement& element) const;
  // The first failing rule's message; empty when the values can be stored.
  std::string Check(const TStormSewerEntryValues& values) const;
  // Stores without checking; the slope is not stored, it follows from the
  // elevations and the length.
  void Store(const TStormSewerEntryValues& values, TStormSewerElement& element) const;

  // The slope box, from the elevations in the boxes (EntrySlope).
  static double PipeSlope(const TStormSewerEntryValues& values);
  // After "Enter Slope": the outlet elevation that gives the slope.
  static void ApplySlope(TStormSewerEntryValues& values, double slope);
  static TStormSewerSums Sums(const TStormSewerEntryValues& values);

private:
  std::unique_ptr<TNerraBaseList> FSides;
  std::unique_ptr<TNerraBaseList> FCategories;
  std::unique_ptr<TNerraBaseList> FTypes;
};

// Said when a box holds a number the calculation cannot use (too large to
// be held); the boxes normally keep such text from becoming a value.
inline const std::string MsgEntryNotANumber = "Every value must be a number that can be calculated with.";

// Columns of the storm sewer system result grid, in order.
enum TStormSewerResultColumn : int {
  ssrKind,
  ssrJunction,
  ssrStation,
  ssrSumCA,
  ssrTime,
  ssrRainfall,
  ssrHGRainfall,
  ssrFlow,
  ssrHGFlow,
  ssrDiameter,
  ssrLength,
  ssrSlope,
  ssrInletFlow,
  ssrOutletFlow,
  ssrVelocity,
  ssrFullCapacity,
  ssrFrictionSlope,
  ssrHGInlet,
  ssrHGOutlet,
  ssrInletCover,
  ssrOutletCover,
  ssrCoverMinusHG,
  ssrCoverMinusCrown,
  ssrInletType,
  ssrManningN,
  ssrColumnCount
};

const std::vector<std::string>& StormSewerResultHeadings();
// The text of a cell; empty for a column outside the grid.
std::string StormSewerResultCell(const TStormSewerElement& element, int column);
// Whether the cell is shown in red (the diameter of a warned pipe).
bool StormSewerResultCellWarned(const TStormSewerElement& element, int column);
