#pragma once
// The barrel shapes: section geometry, roughness and loss constants, and the
// inlet control form each shape uses.

#include "culvert/CulvertElement.h"

// Circular barrels ("1", "2").
class TCircularElement : public TCulvertBaseElement {
public:
  TSectionProperties SectionProperties(double depthRatio) const override;
  double FullDepthRatio() const override { return 0.913; }
  // Tries the improved inlets before the plain "D - 2" row.
  void CalculateDesign(double tailwaterDepth, double referenceFullArea) override;

protected:
  // Circular regression rows, inlet codes "1", "2" and any other.
  double CircularRegressionHeadwater(const double (&rows)[3][6]);
  // Face and throat terms of a tapered inlet, then the common form.
  double CircularTaperedHeadwater(double faceFactor, double throatFactor, int type, double criticalSpecificHead,
                                  double fall);
};

class TCircularSmoothElement : public TCircularElement {
public:
  std::string CulvertTypeCode() const override { return "1"; }
  double InletControlHeadwater() override;
  bool InletControlByRegression() const override { return !BuriedOption; }
  double TaperedInletHeadwater(int type, double criticalSpecificHead, double fall) override;
  void PrepareCoefficients() override;
};

class TCircularCorrugatedElement : public TCircularElement {
public:
  std::string CulvertTypeCode() const override { return "2"; }
  double ShapeDefaultKe(const std::string& inletType) const override;
  double InletControlHeadwater() override;
  bool InletControlByRegression() const override { return !BuriedOption; }
  double TaperedInletHeadwater(int type, double criticalSpecificHead, double fall) override;
  void PrepareCoefficients() override;
};

// Compound-arc barrels: elliptical concrete, pipe arch, long span. The shape
// values are read through Phi() ... RT(); subclasses fix or derive them.
class TEllipticalElement : public TCulvertBaseElement {
public:
  double FPhi = 0;  // degrees
  double FSpan = 0;
  double FRS = 0;
  double FTheta = 0;  // degrees
  double FRT = 0;

  void Assign(const TBaseObject* source) override;
  TSectionProperties SectionProperties(double depthRatio) const override;
  // Uses the catalogue's full area and hydraulic radius.
  double OutletFullFlowLoss() override;
  virtual double Phi() const { return FPhi; }
  virtual double Span() const;
  virtual double RS() const { return FRS; }
  virtual double RT() const { return FRT; }
  virtual double Theta() const { return FTheta; }
};

class TEllipticalSmoothElement : public TEllipticalElement {
public:
  std::string CulvertTypeCode() const override { return "3"; }
  double MaxFlowDepthRatio() const override { return 0.909; }
  double FullFlowDischargeRatio() const override { return 1.103; }
  double FullDepthRatio() const override { return 0.909; }
  double InletControlHeadwater() override;
  bool InletControlByRegression() const override { return !BuriedOption; }
  void PrepareCoefficients() override;
  double Phi() const override { return 134.8; }
  double Theta() const override { return 45.2; }
  // Radii derived from span and rise with the fixed angles.
  double RS() const override;
  double RT() const override;
};

// Corrugated metal pipe arch ("4"): polynomial section from the catalogue's
// full area and hydraulic radius.
class TArcCorrugatedElement : public TEllipticalElement {
public:
  std::string CulvertTypeCode() const override { return "4"; }
  double MaxFlowDepthRatio() const override { return 0.872; }
  double FullFlowDischargeRatio() const override { return 1.141; }
  double FullDepthRatio() const override { return 0.872; }
  TSectionProperties SectionProperties(double depthRatio) const override;
  double ShapeDefaultKe(const std::string& inletType) const override;
  double Ke() const override;
  double RT() const override;
  double InletControlHeadwater() override;
  bool InletControlByRegression() const override { return true; }
};

// User-defined compound arc ("7"); always uses the coefficient equations of
// its unsubmerged and submerged inlet sets.
class TLongSpanElement : public TEllipticalElement {
public:
  std::string UnsubInlet;
  std::string SubInlet;
  double FlowArea = 0;  // stored and checked only; the hydraulics use the geometry

  std::string CulvertTypeCode() const override { return "7"; }
  void Assign(const TBaseObject* source) override;
  double MaxFlowDepthRatio() const override { return 0.909; }
  double CompositeN(double hydraulicRadius, double wallPerimeter, double bedWidth, double depthRatio) const override;
  std::string Validate() override;
  void PrepareCoefficients() override;
  int32_t CalculateDischarge(bool checkOverflow, double discharge, double tailwaterDepth, double buriedDepth) override;
  // Stores the full-section area and hydraulic radius into the own record.
  void UpdateFullSection();
};

// Concrete box ("5").
class TBoxSmoothElement : public TCulvertBaseElement {
public:
  double FSpan = 0;  // custom box width; read through Span()

  std::string CulvertTypeCode() const override { return "5"; }
  void Assign(const TBaseObject* source) override;
  double MaxFlowDepthRatio() const override { return 0.95; }
  double FullFlowDischargeRatio() const override { return 1.01; }
  double CompositeN(double hydraulicRadius, double wallPerimeter, double bedWidth, double depthRatio) const override;
  TSectionProperties SectionProperties(double depthRatio) const override;
  std::string Validate() override;
  double ShapeDefaultKe(const std::string& inletType) const override;
  double InletControlHeadwater() override;
  void PrepareCoefficients() override;
  // Box width: the catalogue's when given, else the custom width.
  double Span() const;
};

// A new element of the class for a culvert type code; none for other codes.
std::unique_ptr<TCulvertBaseElement> CreateCulvertElement(const std::string& culvertType);
