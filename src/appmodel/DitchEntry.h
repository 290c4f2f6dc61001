#pragma once
// The logic of the ditch analysis dialogs without the widgets: what the entry
// dialog shows for an element, the checks and the storing on OK, and the
// texts of the result grid.

#include <string>

class TDitchAnalysisElement;
class TDitchAnalysisElementResult;
class TNerraBaseList;

// The entry dialog's fields, as the user sees them.
struct TDitchEntryValues {
  enum TShape { shNone = -1, shRadius = 0, shTrapezoidal = 1 };

  std::string BeginStation;
  std::string EndStation;
  double DitchLength = 0;
  std::string Side;  // code of the SewerSide entry; empty when none
  int Shape = shNone;
  double ElevationBegin = 0;
  double ElevationEnd = 0;
  double Grade = 0;
  double RunoffCoeff = 0;
  double RunoffArea = 0;
  double RadiusWidth = 0;
  double Inslope = 0;
  double Backslope = 0;
  double CoeffN = 0;
  std::string LiningCode;  // "1", "2", "7"; empty when none
  double ConcTime = 0;
};

// "Ditch Analysis Element", with " #" and the id for a numbered element.
std::string DitchEntryCaption(const TDitchAnalysisElement& element);

// The fields of an element: derived length and grade, the shape by radius.
TDitchEntryValues LoadDitchEntry(const TDitchAnalysisElement& element);

// The first failing entry rule's message; empty when the entry may be stored.
std::string CheckDitchEntryValues(const TDitchEntryValues& values);

// Stores the fields into the element (only after the checks passed).
void StoreDitchEntry(const TDitchEntryValues& values, TDitchAnalysisElement& element);

// --- result grid ----------------------------------------------------------------

constexpr int DitchResultColumnCount = 22;
// Heading of a grid column counted from 0.
std::string DitchResultHeading(int column);
// Text of a cell; `sides` is the SewerSide code list (none shows no side).
std::string DitchResultCell(const TDitchAnalysisElementResult& row, int column, const TNerraBaseList* sides);
