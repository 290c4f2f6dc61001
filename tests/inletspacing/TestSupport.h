#pragma once
// Small builders shared by the inlet spacing tests.

#include <cmath>
#include <memory>
#include <string>

#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"

// A code table with one intensity curve i = 60 / (t + 10)^0.8 for area "1"
// and frequency "10", and the sump type codes.
inline std::unique_ptr<TNerraParameterList> TestParameters() {
  auto list = std::make_unique<TNerraParameterList>();
  list->LoadParameters(
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>"
      "<Application Name=\"Drevia\" Version=\"110\"><ApplicationParameters version=\"110\">"
      "<Parameter type=\"RainfallCoefficient\"><Code>1-10</Code><Area>1</Area><Frequency>10</Frequency>"
      "<Coeff_A1>60</Coeff_A1><Coeff_A2>10</Coeff_A2><Coeff_A3>0.8</Coeff_A3></Parameter>"
      "<Parameter type=\"SumpType\"><Code>0</Code><Description>Begin of gutter run</Description></Parameter>"
      "<Parameter type=\"SumpType\"><Code>1</Code><Description>Inlet on grade</Description></Parameter>"
      "<Parameter type=\"SumpType\"><Code>2</Code><Description>Sag inlet</Description></Parameter>"
      "<Parameter type=\"SumpType\"><Code>3</Code><Description>Inlet on grade, flow to sag</Description></Parameter>"
      "</ApplicationParameters></Application>");
  return list;
}

inline double TestIntensity(double minutes) { return 60 / std::pow(minutes + 10, 0.8); }

// An inlet on grade with a given discharge on a uniform gutter.
inline TInletSpacingElement* AddInlet(TInletSpacing& project, int32_t station, double flow,
                                      const std::string& sump = "1", const std::string& catchBasin = "4") {
  auto* p = new TInletSpacingElement();
  p->ElementId = project.Elements.MaxId() + 1;
  p->StationFeet = station;
  p->Sump = sump;
  p->CatchBasin = catchBasin;
  p->Flow = flow;
  p->ConcTime = 5;
  p->LongSlope = 0.01;
  p->PavementSlope = 0.02;
  p->GutterSlope = 0.02;
  p->ManningGN = 0.016;
  p->ManningPN = 0.016;
  project.Elements.Add(std::to_string(p->ElementId), p);
  return p;
}

inline TInletSpacingElement* AddBegin(TInletSpacing& project, int32_t station) {
  auto* p = new TInletSpacingElement();
  p->ElementId = project.Elements.MaxId() + 1;
  p->StationFeet = station;
  p->Sump = "0";
  project.Elements.Add(std::to_string(p->ElementId), p);
  return p;
}
