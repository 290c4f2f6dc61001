#pragma once
// Culvert elements: one road crossing of one or more identical barrels, its
// input, the inlet coefficient set that applies to it, the working values of
// the last hydraulic computation and its result rows. The shape classes are
// in CulvertShapes.h; the analysis project in CulvertAnalysis.h.
//
// Computing one discharge, for any project kind built on these classes:
//
//   element.Parameters = &codeTable;     // inlet coefficient sets
//   element.PrepareCoefficients();       // once per run, before computing
//   element.CalculateAndRecord(clear, checkOverflow, totalQ, tailwaterDepth, buriedDepth);
//
// CalculateDischarge fills the working fields only; CalculateAndRecord adds
// the row. Depths are above the top of the buried bed; elevations in ft.

#include <cstdint>
#include <memory>
#include <string>

#include "model/NerraBase.h"

class TCulvertBasePipe;
class TCulvertBasePipeList;
class TNerraParameterList;

// Fixed-point text with the user's decimal separator, as dialogs, reports and
// size labels show numbers.
std::string FixedText(double value, int decimals);

// Which control governs a computed discharge.
enum TControlCode : uint8_t {
  ccInlet = 0,
  ccOutlet = 1,
  ccOutletFull = 2,     // "OUTLET**": barrel flowing full
  ccOutletProfile = 3,  // "OUTLET*": from the water-surface profile
  ccUnknown = 4,        // outlet headwater not determinable; reported as inlet control
};

enum TImprovedInletType : uint8_t {
  iiNone = 0,
  iiFullHeadwall = 1,
  iiSideTaper = 2,
  iiSlopeTaper = 3,
};

// The regression polynomials of inlet control were fitted up to about this
// HW/D; far beyond it they give numbers without meaning (a pipe arch at
// several times its design flow can reach thousands of feet).
constexpr double MaxRegressionHeadwaterRatio = 3.0;
// Grids, printed tables and reports follow such a headwater with this sign
// and explain it with the note below the table.
inline constexpr const char* InletExtrapolatedMark = "!";
inline constexpr const char* InletExtrapolatedNote =
    "! Inlet control headwater extrapolated beyond HW/D = 3: the regression is far outside its fitted range";

// One computed discharge (or buried depth, or design size) of an element.
class TCulvertElementResult : public TNerraBase {
public:
  double Flow = 0;  // per barrel, cfs
  double Velocity = 0;
  double Overflow = 0;
  double InletHeadwater = 0;  // elevations
  double CriticalDepth = 0;
  double NormalDepth = 0;
  double OutletHeadwater = 0;
  double Tailwater = 0;
  int32_t UseHW = 0;
  int32_t CulvertQuantity = 0;
  int32_t ElementId = 0;
  std::string FlowType;
  std::string HeadwaterControl;
  std::string DesignCode;
  const TCulvertBasePipe* Pipe = nullptr;  // not owned
  std::string ImprovedInlet;
  uint8_t ImprovedInletType = iiNone;
  double HeadwaterLoss = 0;
  double BuriedDepth = 0;
  double CoeffN = 0;
  bool OutletHeadwaterValid = false;
  double CoeffKE = 0;
  bool HeadwaterAllowanceCheck = false;
  bool BuriedOption = false;
  // The inlet control headwater comes from a regression polynomial far
  // beyond the range it was fitted over (HW/D above 3): the number is kept
  // but is not to be trusted.
  bool InletControlExtrapolated = false;

  // True when every number of the row is finite.
  bool IsFinite() const;
};

class TCulvertElementResultList : public TNerraBaseList {
public:
  using TNerraBaseList::TNerraBaseList;
  TCulvertElementResult* Row(int index) const { return ItemAs<TCulvertElementResult>(index); }
};

// Flow section above the buried bed, or the bed part of the barrel.
struct TBedSection {
  double Area = 0;
  double TopWidth = 0;
  double WettedPerimeter = 0;
};

class TCulvertBaseElement : public TNerraElement {
public:
  TCulvertBaseElement();
  ~TCulvertBaseElement() override;

  // --- input, working and coefficient fields ---------------------------------
  double AllowableHeadwaterElevation = 0;
  double DeltaDischarge = 0;
  double FloodDischarge = 0;   // analysis: Qmax
  double DesignDischarge = 0;  // analysis: Qmin
  double DefaultKe = 0;
  double CulvertLength = 0;
  double OverflowElevation = 0;
  double InletElevation = 0;
  double OutletElevation = 0;
  int32_t UseHW = 0;
  int32_t CulvertQuantity = 0;
  std::string AllowableHeadwaterType;
  std::string InletType;
  TCulvertElementResultList Results;
  // The catalogue size in use; a custom box or a long span points at OwnPipe.
  const TCulvertBasePipe* Pipe = nullptr;
  double BarrelDischarge = 0;
  double OutletLoss = 0;
  double CurrentCriticalDepth = 0;
  double CurrentNormalDepth = 0;
  double FProfileHeadwater = 0;
  double InletHeadwaterDepth = 0;
  double OutletHeadwaterDepth = 0;
  uint8_t ControlCode = ccInlet;
  std::string DesignCode;
  double OutletVelocity = 0;
  double OverflowDischarge = 0;
  int32_t DesignOffset = 0;
  double ImprovedInletFall = 0;
  double ImprovedInletSlope = 0;
  uint8_t ImprovedInletType = iiNone;
  double BuriedDepthDelta = 0;
  double BuriedDepthMin = 0;
  double BuriedDepthMax = 0;
  double CoeffKE = 0;
  double FRise = 0;  // custom box or long span rise; read through Rise()
  double FTailwaterDepth = 0;
  double TailwaterElevationMin = 0;
  double TailwaterElevationMax = 0;
  double BuriedDepth = 0;
  double BuriedCoeffN = 0;
  double SubmergedSL = 0;
  double UnsubmergedSL = 0;
  double KP = 0;
  double KD = 0;
  double QMAX = 0;
  double QMIN = 0;
  double K = 0;
  double M = 0;
  bool BuriedOption = false;
  bool OutletHeadwaterValid = false;
  double FaceHeadwater = 0;
  double ThroatHeadwater = 0;

  // --- links and bookkeeping ---------------------------------------------------
  // The code table the inlet coefficient sets come from (not owned). Without
  // it no set is found, as for an unknown inlet code.
  const TNerraParameterList* Parameters = nullptr;
  // A pipe record of the element's own (custom box, long span).
  std::unique_ptr<TCulvertBasePipe> OwnPipe;
  // Catalogue key the element was loaded or entered with, kept so an element
  // whose size is not in the catalogue is saved as it was read.
  std::string CatalogueCorrugation;
  int32_t CatalogueIndex = 0;
  // Set by CalculateAndRecord when a computation gave a number that is not
  // finite; that row is not recorded. Cleared by ClearResults.
  bool ResultNotFinite = false;

  // The culvert type code of the class ("1" ... "5", "7").
  virtual std::string CulvertTypeCode() const = 0;
  // The culvert type the element is saved under: its pipe's, else its class's.
  std::string CulvertTypeText() const;
  std::string CorrugationText() const;
  int32_t PipeSizeIndexValue() const;
  // Gives the element a pipe record of its own and points Pipe at it.
  TCulvertBasePipe& MakeOwnPipe();

  // Copies the input of another culvert (and its pipe, or a copy of its own
  // pipe record); working values and results are not copied.
  void Assign(const TBaseObject* source) override;

  // --- element slots --------------------------------------------------------------
  double ManningN() const override;
  double CompositeN(double hydraulicRadius, double wallPerimeter, double bedWidth, double depthRatio) const override;
  std::string Validate() override;

  virtual void LoadInletCoefficients(TParameterCategory category);
  virtual double ShapeDefaultKe(const std::string& inletType) const;
  virtual double Ke() const;
  virtual double FullDepthRatio() const { return 1.0; }
  virtual double Rise() const;
  virtual double BarrelNormalDepth();
  virtual double BarrelCriticalDepth();
  // Inlet control headwater depth above the bed at the inlet (InletControl.cpp).
  virtual double InletControlHeadwater();
  // True when InletControlHeadwater is the regression polynomial of the shape.
  virtual bool InletControlByRegression() const { return false; }
  virtual double OutletFullFlowLoss();
  // Headwater above the bed from the direct-step profile; -10 when the barrel
  // fills before the profile reaches the inlet.
  virtual double ProfileHeadwater();
  // The whole computation for one total discharge; fills the working fields.
  virtual int32_t CalculateDischarge(bool checkOverflow, double discharge, double tailwaterDepth, double buriedDepth);
  // The "D - 2" row of a design: improved inlets first for circular pipes.
  virtual void CalculateDesign(double tailwaterDepth, double referenceFullArea);
  virtual int32_t DesignImprovedInlet(double referenceFullArea);
  virtual double TaperedInletHeadwater(int type, double criticalSpecificHead, double fall);
  // CalculateDischarge plus a result row; 0 without doing anything when no pipe.
  virtual int32_t CalculateAndRecord(bool clearResults, bool checkOverflow, double discharge, double tailwaterDepth,
                                     double buriedDepth);
  virtual void CalculatePerformanceCurve();
  virtual void CalculateBuriedDepthCurve();
  // Clears the eight inlet coefficients; shapes with a coefficient category
  // then load the set of InletType.
  virtual void PrepareCoefficients();

  // --- non-virtual helpers ---------------------------------------------------------
  double Slope() const;
  double OverflowHeight() const;
  double TailwaterDepth() const;  // working tailwater, never below 0
  double TailwaterLevel() const;
  double AreaAtRatio(double depthRatio) const;
  double ControllingHeadwaterDepth() const;
  double CoeffCD() const;
  double AllowableHeadwaterDepth() const;
  // The same for a barrel of the given rise.
  double AllowableHeadwaterDepth(double rise) const;
  bool HeadwaterAllowanceCheck() const;
  std::string DesignCodeText() const;
  std::string ImprovedInletText() const;
  int FlowTypeNumber() const;
  std::string FlowTypeLetter() const;
  std::string FlowTypeText() const;
  std::string ControlText() const;
  // One improved inlet trial; 1 when it recorded an acceptable row, else -1.
  int32_t CalculateImprovedInlet(int type, double fall, double slope);
  // Rise of the catalogue entry (0 without a pipe).
  double CatalogueRise() const;
  // True when the working inlet headwater depth comes from the regression
  // polynomial beyond HW/D = MaxRegressionHeadwaterRatio.
  bool InletControlExtrapolated() const;
  // The bed part of the barrel for buried depth b (zeros when b <= 0).
  TBedSection BedSection(double buriedDepth) const;
  // Area above the bed at depth y above the bed.
  double AreaAboveBed(double depth, const TBedSection& bed) const;
  void ClearResults();

protected:
  // Coefficient equations of an inlet coefficient set (the buried forms).
  double CoefficientInletHeadwater();
  // Fifth-degree regression HW/D = P(x) with a row of coefficients.
  double RegressionInletHeadwater(const double (&coefficients)[6], double x) const;
  void ClearCoefficients();
  // Looks up a code of a category; none when the table or the code is absent.
  const TNerraBaseCode* FindCode(TParameterCategory category, const std::string& code) const;

private:
  void AppendResultRow();
};

// The culverts of a project, in grid order.
class TCulvertElementList : public TNerraElementList {
public:
  using TNerraElementList::TNerraElementList;

  TCulvertBaseElement* Culvert(int index) const { return ItemAs<TCulvertBaseElement>(index); }
  // Also detaches the culverts that drained into the deleted one.
  int32_t DeleteElement(int32_t id) override;
  void ClearCalculated();
  bool HasSingleOutlet() const;
  static bool ContainsId(const TCulvertElementList& list, int32_t id);
  // All rows of the culverts of a culvert type, referenced, in order.
  static std::unique_ptr<TCulvertElementResultList> CollectResultsOfType(const TCulvertElementList& culverts,
                                                                         const std::string& culvertType);
};
