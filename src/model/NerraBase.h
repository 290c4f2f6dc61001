#pragma once
// Base classes of every project kind: domain objects and lists, project
// identification, general parameters, elements and element lists, and the
// project with its four operations.

#include <cstdint>
#include <string>

#include "foundation/BaseObject.h"
#include "foundation/DateTime.h"

class TNerraBase : public TBaseObject {};

class TNerraBaseList : public TBaseList {
public:
  using TBaseList::TBaseList;
  std::string LastError;

  // Look-ups on a list of code entries (TNerraBaseCode); entries of other
  // types never match.
  int IndexOfCode(const std::string& code) const;
  std::string DescriptionOfCode(const std::string& code) const;
};

// The category of a code-table entry, numbered as in the parameter file.
enum TParameterCategory : uint8_t {
  pcRainfallArea = 0,
  pcStormFrequency = 1,
  pcRainfallCoefficient = 2,
  pcSewerSide = 3,
  pcStructureCategory = 4,
  pcStructureType = 5,
  pcSumpType = 6,
  pcCBType = 7,
  pcSurfaceType = 8,
  pcLiningType = 9,
  pcUnsubmergedInlet = 10,
  pcSubmergedInlet = 11,
  pcDesignPipeType = 12,
  pcAnalysisPipeType = 13,
  pcHWType = 14,
  pcCircularCorrugationType = 15,
  pcArcCorrugationType = 16,
  pcBoxInletType = 17,
  pcCircularConcreteInletType = 18,
  pcCircularCorrugatedInletType = 19,
  pcEllipticalConcreteInletType = 20,
  pcInletType = 21,
  pcArchCorrugatedInletType = 22,
};

// One code-table entry; the subclasses and the loading live with the
// parameter list.
class TNerraBaseCode : public TNerraBase {
public:
  std::string Description;
  std::string Code;
  int32_t Sequence = 0;
  TParameterCategory Category = pcRainfallArea;
  std::string Value;
};

struct TProjectIdentification : public TNerraBase {
  std::string Description;
  std::string PID;
  std::string Designer;
  std::string Location;
  TDateTime ProjectDate = 0;
  std::string Project;

  void Assign(const TBaseObject* source) override;
};

class TNerraGeneralParameters : public TNerraBase {};

// Section properties of a partly full conduit or channel at a depth ratio.
struct TSectionProperties {
  double Area = 0;
  double TopWidth = 0;
  double HydraulicRadius = 0;
  double WettedPerimeter = 0;
};

class TNerraElement : public TNerraBase {
public:
  bool Calculated = false;
  int32_t ElementId = 0;
  double EffectiveN = 0;
  double CoeffN = 0;

  void Assign(const TBaseObject* source) override;

  virtual double MaxFlowDepthRatio() const;  // 0.938
  virtual double ManningN() const;           // CoeffN when given, else 0.012
  virtual double CompositeN(double hydraulicRadius, double wettedPerimeter, double topWidth, double depthRatio) const;
  virtual TSectionProperties SectionProperties(double depthRatio) const = 0;
  // First failing check's message; empty when valid.
  virtual std::string Validate();
  virtual double FullFlowDischargeRatio() const;  // 1.064
  // Bisection solvers shared by every element kind.
  virtual double NormalDepth(double startDepth, double slope, double rise, double discharge);
  virtual double CriticalDepth(double startDepth, double rise, double discharge);
};

class TNerraElementList : public TNerraBaseList {
public:
  using TNerraBaseList::TNerraBaseList;

  TNerraElement* Element(int index) const { return ItemAs<TNerraElement>(index); }
  int IndexOfId(int32_t id) const;
  int32_t MaxId() const;
  virtual int32_t SplitElement(int32_t id);
  virtual int32_t DeleteElement(int32_t id);
  int MoveUp(int32_t id);
  int MoveDown(int32_t id);
};

enum TUnitSystem : uint8_t { usEnglish = 0, usMetric = 1 };

class TNerraBaseProject : public TNerraBase {
public:
  TUnitSystem UnitSystem = usEnglish;
  TProjectIdentification Identification;
  std::string LastError;
  std::string FileName;

  std::string UnitText() const;
  void SetUnitText(const std::string& text);

  // The kind element name this project writes ("CulvertDesign", ...).
  virtual std::string KindElementName() const { return std::string(); }

  virtual std::string SaveWithResults();
  virtual std::string SaveInput();
  virtual void Load(const std::string& text);
  virtual int32_t Calculate();
};
