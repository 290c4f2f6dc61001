#pragma once
// Inlet spacing: a gutter run along a curb, its begin points and inlets, and
// the project that saves, loads and calculates it.

#include <cstdint>
#include <string>

#include "model/NerraBase.h"

class TNerraParameterList;

// Stations are whole feet written as hundreds "+" two-digit remainder
// (1250 is 12+50). An unreadable station is held as -1.
constexpr int32_t NoStation = -1;
std::string StationToText(int32_t stationFeet);
int32_t TextToStation(const std::string& text);

class TInletSpacingGeneralParameters : public TNerraGeneralParameters {
public:
  double MaxSpread = 0;           // ft
  std::string StormFrequency;     // code of the rainfall parameters
  std::string WaterShedAreaCode;  // code of the rainfall parameters
  double AllowableDepth = 0;      // ft

  void Assign(const TBaseObject* source) override;
};

// Sump type codes with a meaning of their own; any other code is an inlet on
// grade.
inline const std::string SumpBeginPoint = "0";
inline const std::string SumpSagEnd = "2";
inline const std::string SumpSagApproach = "3";

class TInletSpacingElement : public TNerraElement {
public:
  // Input.
  double ManningGN = 0;  // <= 0 reads as 0.015, see GutterN
  double PavementSlope = 0;
  double Depression = 0;
  double GutterWidth = 0;
  double LongSlope = 0;
  double ConcTime = 0;
  double RunoffArea = 0;
  double RunoffCoeff = 0;
  double GutterLength = 0;
  double OverlandLength = 0;
  double ManningPN = 0;      // <= 0 reads as 0.015, see PavementN
  double OverlandSlope = 0;  // percent
  double Flow = 0;
  double GutterSlope = 0;
  std::string Surface;
  std::string Sump;
  std::string CatchBasin;
  // Results of the last calculation.
  double GutterTime = 0;
  double TotalFlow = 0;
  double InterceptedFlow = 0;
  double DepthFlow = 0;
  double PavementSpread = 0;
  double BypassFlow = 0;
  double UsedTime = 0;
  double Rainfall = 0;
  double PreviousStation = 0;
  double GrateEdgeDepth = 0;
  double FrontalFlow = 0;
  double PondedDepth = 0;
  double SagDesignFlow = 0;
  double SagSpread = 0;
  double ConcTimeUsed = 0;
  // Why this element's results are missing or doubtful; empty when sound.
  std::string CalcMessage;
  // Input, kept last as the file keeps it as text.
  int32_t StationFeet = 0;

  std::string StationText() const { return StationToText(StationFeet); }
  void SetStationText(const std::string& text) { StationFeet = TextToStation(text); }
  double GutterN() const;
  double PavementN() const;
  // GutterLength when given, else the distance from the previous station.
  double UsedGutterLength() const;
  // The given discharge, else the rational flow at the current Rainfall.
  double OwnFlow() const;
  bool IsBeginPoint() const { return Sump == SumpBeginPoint; }
  void ClearResults();

  void Assign(const TBaseObject* source) override;
  // Gutters have no closed section; the depth solvers of the base are unused.
  TSectionProperties SectionProperties(double) const override { return {}; }
  // The element check on the stored values (codes count as selected when
  // not empty, "0" as the first sump entry).
  std::string Validate() override;
};

// The values the element check looks at, as the entry dialog holds them.
struct TInletSpacingEntry {
  std::string StationText;
  bool SumpSelected = false;
  bool SumpIsFirstEntry = false;  // the first entry of the sump type list
  bool CatchBasinSelected = false;
  bool SurfaceSelected = false;
  double LongSlope = 0;
  double Flow = 0;
  double RunoffCoeff = 0;
  double RunoffArea = 0;
  double ConcTime = 0;
  double OverlandLength = 0;
  double OverlandSlope = 0;
  double GutterLength = 0;
  double GutterSlope = 0;
  double GutterWidth = 0;
  double ManningGN = 0;
  double ManningPN = 0;
  double PavementSlope = 0;
  double Depression = 0;
};

inline const std::string MsgStationEmpty = "Station cannot be empty.";
inline const std::string MsgStationInvalid = "Invalid Station value (enter it as 12+50).";
inline const std::string MsgTypesNotSelected = "Sump Type, Catch Basin Type and Surface Type should be selected.";
inline const std::string MsgSlopeRange =
    "Pavement and Longitudinal Slope value should be greater than 0 and less than 1.";
inline const std::string MsgFlowOrRunoff = "Either Discharge or Runoff Coefficient and Area must be greater than zero.";
inline const std::string MsgTimeOrOverland =
    "Either Concentration Time or Overland Length and Slope must be greater than zero.";
inline const std::string MsgGutterLengthWidth =
    "When entered, Gutter Length and Gutter Width must be greater than zero.";
inline const std::string MsgGutterSlope = "Invalid Gutter Slope value.";
inline const std::string MsgManningN = "When entered, Mannings N should be greater than 0 and less than 1.";
inline const std::string MsgDepression = "Local Depression cannot be negative.";

// The first failing rule's message, empty when the entry is acceptable.
std::string CheckInletSpacingEntry(const TInletSpacingEntry& entry);
// The entry of a stored element; a code counts as selected when the given
// list holds it (when a list is none, when the code is not empty).
TInletSpacingEntry EntryOfElement(const TInletSpacingElement& element, const TNerraBaseList* sumpTypes = nullptr,
                                  const TNerraBaseList* catchBasinTypes = nullptr,
                                  const TNerraBaseList* surfaceTypes = nullptr);

class TInletSpacingElementList : public TNerraElementList {
public:
  explicit TInletSpacingElementList(const TInletSpacingGeneralParameters* generalParameters)
      : GeneralParameters(generalParameters) {}

  const TInletSpacingGeneralParameters* GeneralParameters;  // not owned
  // Sump results of the last calculation.
  double SumpTotalFlow = 0;
  double SumpPondedDepth = 0;
  double SumpSpread = 0;
  bool HasSumpData = false;

  TInletSpacingElement* Items(int index) const { return ItemAs<TInletSpacingElement>(index); }
  void ClearSumpData();
};

class TInletSpacing : public TNerraBaseProject {
public:
  // The code table supplies the rainfall intensity and, for saved results,
  // the sump type descriptions; without one every intensity is 0.
  explicit TInletSpacing(const TNerraParameterList* parameters = nullptr);
  ~TInletSpacing() override;

  const TNerraParameterList* Parameters;  // not owned
  TInletSpacingGeneralParameters GeneralParameters;
  TInletSpacingElementList Elements;

  std::string KindElementName() const override { return "InletSpacingDesign"; }
  // Input blocks followed by an "InletSpacingResults" block of the last
  // calculation; the caller calculates first.
  std::string SaveWithResults() override;
  std::string SaveInput() override;
  void Load(const std::string& text) override;
  // Always 0: problems of single elements are reported in their CalcMessage,
  // and LastError gathers those messages, one a line (empty when none).
  int32_t Calculate() override;
};

inline const std::string MsgInletSpacingIncompatible =
    "The XML document is not compatible with the Drevia Inlet Spacing Module";
