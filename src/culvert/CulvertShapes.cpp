#include "culvert/CulvertShapes.h"

#include <cmath>

#include "model/Geometry.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

namespace {

TSectionProperties FromGeometry(const TSectionGeometry& g) {
  TSectionProperties s;
  s.Area = g.Area;
  s.TopWidth = g.TopWidth;
  s.WettedPerimeter = g.WettedPerimeter;
  s.HydraulicRadius = g.WettedPerimeter > 0 ? g.Area / g.WettedPerimeter : 0;
  return s;
}

}  // namespace

// --- circular ----------------------------------------------------------------------

TSectionProperties TCircularElement::SectionProperties(double depthRatio) const {
  const double D = Rise();
  return FromGeometry(CircleSegment(depthRatio * D, D / 2));
}

void TCircularSmoothElement::PrepareCoefficients() {
  ClearCoefficients();
  LoadInletCoefficients(pcCircularConcreteInletType);
}

double TCircularCorrugatedElement::ShapeDefaultKe(const std::string& inletType) const {
  return inletType == "3" ? 0.25 : 0.9;
}

void TCircularCorrugatedElement::PrepareCoefficients() {
  ClearCoefficients();
  LoadInletCoefficients(pcCircularCorrugatedInletType);
}

// --- compound arc ------------------------------------------------------------------

void TEllipticalElement::Assign(const TBaseObject* source) {
  TCulvertBaseElement::Assign(source);
  if (const auto* e = dynamic_cast<const TEllipticalElement*>(source)) {
    FPhi = e->FPhi;
    FSpan = e->FSpan;
    FRS = e->FRS;
    FTheta = e->FTheta;
    FRT = e->FRT;
  }
}

double TEllipticalElement::Span() const { return Pipe && Pipe->Span > 0 ? Pipe->Span : FSpan; }

TSectionProperties TEllipticalElement::SectionProperties(double depthRatio) const {
  const double D = Rise();
  return FromGeometry(CompoundArcSection(depthRatio * D, D, Span(), RT(), RS(), DegToRad(Theta()), DegToRad(Phi())));
}

double TEllipticalSmoothElement::RT() const {
  const double t = DegToRad(Theta()) / 2;
  return (Span() / 2 * std::cos(t) - Rise() / 2 * (1 - std::sin(t))) / (std::sin(t) + std::cos(t) - 1);
}

double TEllipticalSmoothElement::RS() const {
  const double t = DegToRad(Theta()) / 2;
  return (Rise() / 2 - (1 - std::cos(t)) * RT()) / std::cos(t);
}

void TEllipticalSmoothElement::PrepareCoefficients() {
  ClearCoefficients();
  LoadInletCoefficients(pcEllipticalConcreteInletType);
}

TSectionProperties TArcCorrugatedElement::SectionProperties(double r) const {
  TSectionProperties s;
  if (!Pipe) return s;
  const double Af = FullArea(*Pipe);
  const double Rf = FullHydraulicRadius(*Pipe);
  const double r2 = r * r, r3 = r2 * r, r4 = r3 * r, r5 = r4 * r;
  s.Area = Af * (-0.01324 + 0.66036 * r + 2.99001 * r2 - 6.51833 * r3 + 6.36664 * r4 - 2.4856 * r5);
  s.HydraulicRadius = Rf * (-0.0198 + 2.15345 * r + 4.47775 * r2 - 16.87097 * r3 + 19.67155 * r4 - 8.41099 * r5);
  const double h = Rise() * (1 - r);
  // Below the springing line the crown arc no longer spans the water
  // surface; the width is then taken as 0 rather than a root of a negative.
  const double w = RT() * h - h * h;
  s.TopWidth = w > 0 ? 2 * std::sqrt(w) : 0;
  s.WettedPerimeter = s.HydraulicRadius != 0 ? s.Area / s.HydraulicRadius : 0;
  return s;
}

double TArcCorrugatedElement::ShapeDefaultKe(const std::string& inletType) const {
  return inletType == "3" ? 0.25 : 0.9;
}

double TArcCorrugatedElement::Ke() const {
  const double ke = TCulvertBaseElement::Ke();
  if (ke > 0) return ke;
  return InletType == "3" ? 0.25 : 0.9;
}

double TArcCorrugatedElement::RT() const { return Pipe ? TopRadiusOrRise(*Pipe) : FRT; }

// --- long span -----------------------------------------------------------------------

double TLongSpanElement::CompositeN(double hydraulicRadius, double wallPerimeter, double bedWidth, double) const {
  // A section without area has no hydraulic radius; the wall n is then taken
  // at R = 1 ft instead of dividing by zero.
  const double nw = CoeffN > 0 ? CoeffN : (hydraulicRadius > 0 ? 0.0336 / RealPower(hydraulicRadius, 0.07) : 0.0336);
  const double nb = BuriedCoeffN;
  if (wallPerimeter > 0 && nb > 0 && bedWidth > 0)
    return (nb * bedWidth + nw * wallPerimeter) / (bedWidth + wallPerimeter);
  return nw;
}

std::string TLongSpanElement::Validate() {
  std::string message = TCulvertBaseElement::Validate();
  if (!(FSpan > 0) || !(FRise > 0)) return "Span and Rise should be greater than 0 for Long Span Culvert.";
  if (FTheta < 0 || FTheta > 180 || FPhi < 0 || FPhi > 180)
    return "Theta and Phi angles should between 0 and 180 degrees.";
  if (!(FRT > 0) || !(FRS > 0)) return "RT and RS should be greater than 0.";
  if (!(FlowArea > 0)) return "Flow Area should be greater than 0.";
  return message;
}

void TLongSpanElement::Assign(const TBaseObject* source) {
  TEllipticalElement::Assign(source);
  if (const auto* e = dynamic_cast<const TLongSpanElement*>(source)) {
    UnsubInlet = e->UnsubInlet;
    SubInlet = e->SubInlet;
    FlowArea = e->FlowArea;
  }
}

void TLongSpanElement::PrepareCoefficients() {
  ClearCoefficients();
  // Reset so a changed unsubmerged set brings its own entrance loss.
  DefaultKe = 0;
  if (Parameters) {
    if (const auto* unsubmerged = Parameters->FindUnsubmergedInlet(UnsubInlet)) {
      QMAX = unsubmerged->QMAX;
      M = unsubmerged->M;
      K = unsubmerged->K;
      UnsubmergedSL = unsubmerged->SL;
      if (!(Ke() > 0)) DefaultKe = unsubmerged->KE;
    }
    if (const auto* submerged = Parameters->FindSubmergedInlet(SubInlet)) {
      QMIN = submerged->QMIN;
      KD = submerged->KD;
      KP = submerged->KP;
      SubmergedSL = submerged->SL;
    }
  }
}

void TLongSpanElement::UpdateFullSection() {
  if (!OwnPipe || Pipe != OwnPipe.get()) return;
  const TSectionProperties full = SectionProperties(1.0);
  OwnPipe->Area = full.Area;
  OwnPipe->HydraulicRadius = full.WettedPerimeter > 0 ? full.Area / full.WettedPerimeter : 0;
}

int32_t TLongSpanElement::CalculateDischarge(bool checkOverflow, double discharge, double tailwaterDepth,
                                             double buriedDepth) {
  UpdateFullSection();
  return TCulvertBaseElement::CalculateDischarge(checkOverflow, discharge, tailwaterDepth, buriedDepth);
}

// --- box -------------------------------------------------------------------------------

void TBoxSmoothElement::Assign(const TBaseObject* source) {
  TCulvertBaseElement::Assign(source);
  if (const auto* e = dynamic_cast<const TBoxSmoothElement*>(source)) FSpan = e->FSpan;
}

double TBoxSmoothElement::Span() const { return Pipe && Pipe->Span > 0 ? Pipe->Span : FSpan; }

TSectionProperties TBoxSmoothElement::SectionProperties(double depthRatio) const {
  const double D = Rise();
  return FromGeometry(RectangleSection(depthRatio * D, Span(), D));
}

double TBoxSmoothElement::CompositeN(double, double wallPerimeter, double bedWidth, double depthRatio) const {
  const double nw = ManningN();
  const double nb = BuriedCoeffN;
  if (wallPerimeter > 0 && nb > 0 && bedWidth > 0) {
    // Below the roof the roof is dry, so it carries no wall roughness.
    const double wall = depthRatio < 0.95 ? wallPerimeter - bedWidth : wallPerimeter;
    return RealPower((bedWidth * RealPower(nb, 1.5) + wall * RealPower(nw, 1.5)) / (bedWidth + wallPerimeter), 0.67);
  }
  return nw;
}

std::string TBoxSmoothElement::Validate() {
  std::string message = TCulvertBaseElement::Validate();
  const bool custom = Pipe && (Pipe->PipeSizeIndex == 0 || Pipe == OwnPipe.get());
  if (custom && !(FRise > 0 && Span() > 0))
    return "Box Height and Width should be greater than 0, when a Custom Size is selected.";
  return message;
}

double TBoxSmoothElement::ShapeDefaultKe(const std::string& inletType) const { return inletType == "3" ? 0.5 : 0.2; }

void TBoxSmoothElement::PrepareCoefficients() {
  ClearCoefficients();
  LoadInletCoefficients(pcBoxInletType);
}

std::unique_ptr<TCulvertBaseElement> CreateCulvertElement(const std::string& culvertType) {
  if (culvertType == "1") return std::make_unique<TCircularSmoothElement>();
  if (culvertType == "2") return std::make_unique<TCircularCorrugatedElement>();
  if (culvertType == "3") return std::make_unique<TEllipticalSmoothElement>();
  if (culvertType == "4") return std::make_unique<TArcCorrugatedElement>();
  if (culvertType == "5") return std::make_unique<TBoxSmoothElement>();
  if (culvertType == "7") return std::make_unique<TLongSpanElement>();
  return nullptr;
}
