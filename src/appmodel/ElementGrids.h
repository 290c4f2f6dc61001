#pragma once
// The element grids of the main window's five pages: columns, headings, the
// text of every cell and the coloured marker cells, without any widget.
// Rows and columns count from 0 here; the window's current row is row + 1.

#include <memory>
#include <string>
#include <vector>

class TNerraBaseProject;
class TCulvertDesign;
class TCulvertAnalysis;
class TStormSewer;
class TInletSpacing;
class TDitchAnalysis;

enum class TElementGridKind { CulvertDesign, CulvertAnalysis, StormSewer, InletSpacing, DitchAnalysis };

// Colour of a marker cell; None for every cell that is no marker.
enum class TGridMarker { None, Red, White, BrightGreen, Blue };

enum TCulvertDesignColumn : int {
  cdcBuried,
  cdcDesignDischarge,
  cdcAllowableHeadwater,
  cdcInletElevation,
  cdcOutletElevation,
  cdcCulvertLength,
  cdcSlope,
  cdcTailwater,
  cdcOverflow,
  cdcFloodDischarge,
  cdcManningN,
  cdcSpecialKE,
  cdcColumnCount
};

enum TCulvertAnalysisColumn : int {
  cacBuried,
  cacElementId,
  cacUseHW,
  cacCulvertType,
  cacCorrugationType,
  cacCulvertSize,
  cacInletElevation,
  cacOutletElevation,
  cacCulvertLength,
  cacSlope,
  cacTailwater,
  cacOverflow,
  cacColumnCount
};

enum TStormSewerColumn : int {
  sscMarker,
  sscFromJunction,
  sscToJunction,
  sscBeginStation,
  sscEndStation,
  sscInletType,
  sscTime,
  sscLength,
  sscSlope,
  sscInletCover,
  sscOutletCover,
  sscInletCrown,
  sscOutletCrown,
  sscInletInvert,
  sscOutletInvert,
  sscColumnCount
};

enum TInletSpacingColumn : int {
  iscMarker,
  iscSumpType,
  iscStation,
  iscGutterLength,
  iscConcTime,
  iscRunoffCoeff,
  iscArea,
  iscLongSlope,
  iscGutterSlope,
  iscGutterWidth,
  iscFlow,
  iscPavementSlope,
  iscColumnCount
};

enum TDitchColumn : int {
  dacBeginStation,
  dacEndStation,
  dacRunoffCoeff,
  dacArea,
  dacInslope,
  dacWidth,
  dacRadius,
  dacBackslope,
  dacGrade,
  dacLength,
  dacConcTime,
  dacElevationBegin,
  dacElevationEnd,
  dacColumnCount
};

int GridColumnCount(TElementGridKind kind);
// Empty for the marker and buried columns, and outside the grid.
std::string GridColumnHeading(TElementGridKind kind, int column);

// Cell texts; a row or column outside the grid gives the empty text.
std::string CellText(const TCulvertDesign& project, int row, int column);
std::string CellText(const TCulvertAnalysis& project, int row, int column);
std::string CellText(const TStormSewer& project, int row, int column);
std::string CellText(const TInletSpacing& project, int row, int column);
std::string CellText(const TDitchAnalysis& project, int row, int column);

// Red: no pipe leaves the pipe's end junction; else white: no pipe arrives
// at its begin junction; else bright green. One entry per pipe.
std::vector<TGridMarker> StormSewerMarkers(const TStormSewer& project);
// By sump type code: "0" bright green, "2" blue, "3" red, any other white.
TGridMarker InletSpacingMarker(const TInletSpacing& project, int row);

// A storm sewer analysis shows the inverts, a design the crowns.
bool StormSewerColumnVisible(bool isAnalysis, int column);

// One page's grid over whatever project is open; a project of another kind
// (or none) gives an empty grid. Refresh after the element list changed, as
// the storm sewer markers are worked out once per refresh.
class TElementGrid {
public:
  explicit TElementGrid(TElementGridKind kind) : FKind(kind) {}

  TElementGridKind Kind() const { return FKind; }
  void SetProject(TNerraBaseProject* project);
  void Refresh();

  int RowCount() const;
  int ColumnCount() const { return GridColumnCount(FKind); }
  std::string Heading(int column) const { return GridColumnHeading(FKind, column); }
  bool ColumnVisible(int column) const;
  std::string Text(int row, int column) const;
  TGridMarker Marker(int row, int column) const;

private:
  TElementGridKind FKind;
  TCulvertDesign* FCulvertDesign = nullptr;
  TCulvertAnalysis* FCulvertAnalysis = nullptr;
  TStormSewer* FStormSewer = nullptr;
  TInletSpacing* FInletSpacing = nullptr;
  TDitchAnalysis* FDitch = nullptr;
  std::vector<TGridMarker> FSewerMarkers;
};
