#pragma once
// The logic of the culvert analysis dialogs without the widgets: which page
// and controls a pipe type shows, which code lists fill them, the checks on
// OK, the element that OK hands back, and the texts of the result grid.

#include <cstdint>
#include <memory>
#include <string>

#include "model/NerraBase.h"

class TCulvertBaseElement;
class TCulvertBasePipe;
class TCulvertElementList;
class TCulvertElementResult;
class TNerraInletTypeCode;
class TNerraParameterList;
class TNerraSubmergedInletCode;
class TNerraUnsubmergedInletCode;

// The three type pages of the entry dialog; exactly one shows.
enum class TCulvertTypePage { Pipe, Box, LongSpan };
// "5" the box page, "7" the long-span page, any other type the pipe page.
TCulvertTypePage PageOfPipeType(const std::string& pipeType);

// The inlet set list of the pipe page: the plain InletType table unless the
// inlet control design equations are on for a circular or elliptical pipe.
TParameterCategory InletCategoryOf(const std::string& pipeType, bool buriedOption);
// The corrugation list of a pipe type; false (the list shows "N/A") when
// the type has no corrugations.
bool CorrugationCategoryOf(const std::string& pipeType, TParameterCategory& category);

// What the form shows after the pipe type rules ran.
struct TPipeTypeView {
  TCulvertTypePage Page = TCulvertTypePage::Pipe;
  bool BurialOptionVisible = true;       // "Enable Inlet Control Design Equations"
  bool KeVisible = true;                 // "Entrance Loss (Ke)" with its labels
  bool PipeCoefficientsVisible = false;  // the coefficient button of the pipe page
  bool BuriedDepthVisible = false;       // "BURIED DEPTH (ft.)" and "Buried Manning's N"
};
// The pipe type rules: a pipe arch cannot use the design equations (the box
// is cleared), a long span always does (the box is set). `buriedOption` is
// the check box, changed where a type forces it.
TPipeTypeView ApplyPipeTypeRules(const std::string& pipeType, bool& buriedOption);

// The values of "Culvert Analysis Element Entry", as the user sees them.
struct TCulvertAnalysisEntryValues {
  int32_t PipeNumber = 0;
  int32_t UseHW = 0;  // 0 for "No inlet"
  std::string PipeType;
  double PipeLength = 0;
  int32_t Quantity = 1;
  bool BuriedOption = false;
  // Pipe page (types "1" to "4").
  std::string InletType;
  std::string CorrugationType;
  const TCulvertBasePipe* PipeSize = nullptr;  // the selected catalogue size
  // Box page.
  std::string BoxInletType;
  bool CustomBox = true;                      // "Custom Size"
  const TCulvertBasePipe* BoxSize = nullptr;  // the catalogue box otherwise
  double BoxWidth = 0;
  double BoxHeight = 0;
  // Long-span page.
  double Span = 0;
  double Rise = 0;
  double Theta = 0;
  double Phi = 0;
  double RT = 0;
  double RS = 0;
  double FlowArea = 0;
  std::string UnsubInlet;
  std::string SubInlet;
  // Elevations, coefficients, discharges, tailwater, buried depths.
  double InletInvert = 0;
  double OutletInvert = 0;
  double CoeffN = 0;
  double BuriedCoeffN = 0;
  double CoeffKE = 0;
  double FlowMin = 0;
  double FlowMax = 0;
  double FlowDelta = 0;
  double TailwaterMin = 0;
  double TailwaterMax = 0;
  double BuriedDepthMin = 0;
  double BuriedDepthMax = 0;
  double BuriedDepthDelta = 0;

  // The values of an element; the pipe sizes are its own pipe when that is
  // a catalogue size. A quantity below 1 shows as 1.
  void Load(const TCulvertBaseElement& element);
  // The first failing check's message; empty when every value passes. The
  // pipe number must be free among the other culverts of the list (`edited`
  // is the culvert being modified, none for a new one).
  std::string Check(const TCulvertElementList& list, const TCulvertBaseElement* edited) const;
  // The element OK hands back: a copy of `original` with the entered values
  // when its class suits the pipe type, otherwise a new element of the
  // class for the type. `original` is not changed.
  std::unique_ptr<TCulvertBaseElement> Build(const TCulvertBaseElement* original,
                                             const TNerraParameterList* parameters) const;
};

// "Culvert Analysis Element Entry", with " #" and the id for an existing culvert.
std::string CulvertAnalysisCaption(const TCulvertBaseElement* element);
// The pipe number a new culvert is offered: the largest id of the list plus 1.
int32_t NewPipeNumber(const TCulvertElementList& list);
// The last check on OK, on the built element: a bed as deep as the rise.
// Empty when the element passes.
std::string CheckBuriedDepth(const TCulvertBaseElement& element);
// "6.0 x 4.0 ft." for a barrel of the element's own size.
std::string OwnPipeSizeLabel(double span, double rise);

inline constexpr const char* InvalidPipeNumberMessage = "Invalid Pipe Number";

// The set the long-span coefficient button shows: Ke, K, M, Qmax and SL of
// the unsubmerged entry, Y, c and Qmin of the submerged one.
TNerraInletTypeCode LongSpanCoefficientSet(const TNerraUnsubmergedInletCode& unsubmerged,
                                           const TNerraSubmergedInletCode& submerged);

// --- result grid ----------------------------------------------------------------

constexpr int CulvertAnalysisResultColumnCount = 12;
std::string CulvertAnalysisResultHeading(int column);
// Text of a cell of a result row; column counted from 0.
std::string CulvertAnalysisResultCell(const TCulvertElementResult& row, int column);
// The inlet control headwater of a culvert result row (analysis and design),
// followed by InletExtrapolatedMark where the row says it was extrapolated.
std::string InletHeadwaterCell(const TCulvertElementResult& row);
// True when a row of the list (a result list) was extrapolated, so the grid
// or table showing it needs InletExtrapolatedNote.
bool AnyInletControlExtrapolated(const TNerraBaseList& rows);
