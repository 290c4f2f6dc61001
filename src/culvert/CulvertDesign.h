#pragma once
// The Culvert Design project: for each road crossing, the smallest catalogue
// size of each candidate culvert type (one barrel, then two) whose headwater
// stays within the allowable headwater, with the rows around that size.
//
// A design run creates one culvert element per culvert type and corrugation
// tried and keeps them as the crossing's Candidates; the result dialog and
// the report read their rows grouped by culvert type
// (TCulvertElementList::CollectResultsOfType).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "culvert/CulvertShapes.h"
#include "model/NerraBase.h"

class TCulvertBasePipeList;
class TNerraParameterList;

// What Calculate says for a project without a crossing.
inline constexpr const char* NothingToDesignMessage =
    "There is nothing to design: the project has no culvert crossing. Add a crossing first.";

// One road crossing to be designed.
class TCulvertDesignElement : public TNerraElement {
public:
  TCulvertDesignElement();

  double FloodDischarge = 0;  // 0 = none
  double DesignDischarge = 0;
  double CoeffKE = 0;  // 0 = default
  double OutletElevation = 0;
  double AllowableHeadwaterElevation = 0;
  double CulvertLength = 0;
  double OverflowElevation = 0;
  double TailwaterElevation = 0;
  double InletElevation = 0;
  std::string AllowableHeadwaterType;  // "0", "1" or "2"
  // The culvert elements of the last design run of this crossing.
  TCulvertElementList Candidates;
  std::string CircularCorrugatedInletType;
  std::string CircularConcreteInletType;
  std::string EllipticalConcreteInletType;
  std::string BoxInletType;
  std::string ArchCorrugatedInletType;
  double BuriedCoeffN = 0;
  bool BuriedOption = false;
  // Headwall code "1", "2" or "3" used for every type without the buried
  // option. Starts as "1", which is what any other code reads as.
  std::string DefaultInletType = "1";
  bool DisableBuriedTable = false;

  // 1, 2 or 3 give that code; any other number gives "1".
  void SetDefaultInletType(int32_t value);
  // 1, 2 or 3 for those codes; 1 for anything else.
  int32_t DefaultInletTypeNumber() const;
  // The inlet code a candidate of a culvert type gets.
  std::string InletTypeFor(const std::string& culvertType) const;
  // (InletElevation - OutletElevation) / CulvertLength; 0 without a length.
  double Slope() const;

  // A crossing has no section of its own; its candidates do.
  TSectionProperties SectionProperties(double) const override { return {}; }
  // The largest design or flood discharge a crossing may have, cfs.
  static constexpr double MaxDischarge = 100000;

  // First failing check, prefixed with "Element #N: "; empty when valid.
  std::string Validate() override;
};

// Creates the culvert element of a culvert type ("1" ... "5"); none for other
// codes. Replaceable so a caller can observe the computation.
using TCandidateFactory = std::function<std::unique_ptr<TCulvertBaseElement>(const std::string& culvertType)>;

class TCulvertDesign : public TNerraBaseProject {
public:
  // Both tables belong to the caller and must outlive the project.
  explicit TCulvertDesign(const TNerraParameterList* parameters = nullptr,
                          const TCulvertBasePipeList* catalogue = nullptr);

  TCulvertElementList Elements;  // of TCulvertDesignElement, in grid order
  const TCulvertBasePipeList* Catalogue = nullptr;
  const TNerraParameterList* Parameters = nullptr;
  bool ImprovedInlet = false;          // chosen on the page, not stored
  std::string PipeType = "0";          // "DesignPipeType" code chosen on the page, not stored
  std::string FloodFrequency;          // years
  std::string DischargeFrequency;      // years
  TCandidateFactory CandidateFactory;  // CreateCulvertElement when empty

  TCulvertDesignElement* Crossing(int index) const { return Elements.ItemAs<TCulvertDesignElement>(index); }

  std::string KindElementName() const override { return "CulvertDesign"; }
  std::string SaveWithResults() override;
  std::string SaveInput() override;
  void Load(const std::string& text) override;
  // Designs the crossings in list order. -1 for an empty project or when
  // the first crossing is invalid; otherwise 0. LastError names the first
  // crossing that could not be designed (invalid, or a computation without
  // a finite result); the crossings after it keep their earlier candidates.
  int32_t Calculate() override;

  // Creates and designs the candidates of one crossing; returns 0.
  int32_t DesignCulvertTypes(TCulvertDesignElement& crossing, const std::string& pipeType, bool improvedInlet,
                             const TCulvertBasePipeList* catalogue);

private:
  std::string SaveText(bool withResults);
};

// The size search of one candidate: the smallest size with one barrel (and,
// when none or when the allowable headwater is short of 0.8 of the rise, with
// two) whose inlet and outlet headwaters stay below the allowable headwater.
// Adds the design rows ("D", "F", "MAXS", "MAXD") to the element's Results.
// 0 when a size was found, -1 otherwise. The element's coefficients must be
// prepared.
int32_t SearchPipeSize(TCulvertBaseElement& element, const std::string& culvertType, const std::string& corrugation,
                       const TCulvertBasePipeList& catalogue, bool improvedInlet, bool disableBuriedTable);

// The result dialog's view of the rows of a crossing: the culvert types it
// shows for a design pipe type, the heading of each, and the note column.
std::string DesignResultHeading(const std::string& culvertType);
// "1" ... "5" for the pipe types "0" and "99", else the pipe type itself.
std::vector<std::string> DesignResultTypes(const std::string& pipeType);
std::string DesignResultNote(const TCulvertElementResult& row, const TNerraParameterList* parameters);
