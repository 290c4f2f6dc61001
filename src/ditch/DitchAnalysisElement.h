#pragma once
// One ditch section between two stations, or a concentrated inflow (a side
// area entering at a station), and the ordered list of them down the ditch.

#include <cstdint>
#include <string>

#include "ditch/DitchAnalysisGeneralParameters.h"
#include "model/NerraBase.h"

class TDitchAnalysisElement : public TNerraElement {
public:
  double Inslope = 0;
  double RunoffArea = 0;
  double ConcTime = 0;
  double RunoffCoeff = 0;
  double Radius = 0;
  double Backslope = 0;
  double Width = 0;
  TLiningType Lining = ltNone;
  std::string Side;
  double ElevationEnd = 0;
  double ElevationBegin = 0;
  double AreaSum = 0;
  double CASum = 0;
  // Hundredths of a station (feet); -1 when not given.
  int32_t EndStation = -1;
  int32_t BeginStation = -1;
  double Length = 0;
  double Grade = 0;

  void Assign(const TBaseObject* source) override;

  // The n the user typed, with no fallback: the ditch picks n per lining.
  double ManningN() const override { return CoeffN; }
  // The ditch computes its own sections.
  TSectionProperties SectionProperties(double) const override { return {}; }
  std::string Validate() override;

  double DitchLength() const;
  double DitchGrade() const;
  bool IsConcentratedInflow() const { return EndStation < 0 && ConcTime > 0; }
  bool HasRadius() const { return Radius > 0; }

  void SetBeginStation(const std::string& text) { BeginStation = ParseStation(text); }
  void SetEndStation(const std::string& text) { EndStation = ParseStation(text); }
  std::string BeginStationText() const { return StationText(BeginStation); }
  std::string EndStationText() const { return StationText(EndStation); }

  // The lining is stored by class: "1" seed, "2" any mat, "7" rock.
  std::string LiningCode() const;
  // False (and Lining unchanged) when the text is not an integer. An integer
  // that names no lining clears the choice.
  bool SetLiningCode(const std::string& text);
  double ManningNFor(TLiningType lining) const;

  // "12+34" -> 1234; -1 for an empty or unreadable text.
  static int32_t ParseStation(const std::string& text);
  static std::string StationText(int32_t station);
};

// The entry rules of a section, on the values as typed: the first failing
// rule's message, empty when the entry is acceptable.
struct TDitchEntry {
  std::string BeginStationText;
  std::string EndStationText;
  double RunoffCoeff = 0;
  double RunoffArea = 0;
  double DitchLength = 0;
  double ElevationBegin = 0;
  double ElevationEnd = 0;
  double Grade = 0;
  double ConcTime = 0;
};
std::string CheckDitchEntry(const TDitchEntry& entry);

class TDitchAnalysisElementList : public TNerraElementList {
public:
  explicit TDitchAnalysisElementList(TDitchAnalysisGeneralParameters* parameters)
      : TNerraElementList(true), GeneralParameters(parameters) {}

  // Flow order: runoff accumulates from the first element to the last.
  TDitchAnalysisElement* Element(int index) const { return ItemAs<TDitchAnalysisElement>(index); }

  TDitchAnalysisGeneralParameters* GeneralParameters;
};
