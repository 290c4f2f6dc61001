#pragma once
// A small code table for ditch tests: one rainfall area with a 10-year and a
// 50-year curve, and the sewer sides.

#include <memory>
#include <string>

#include "ditch/DitchAnalysis.h"
#include "model/Geometry.h"
#include "model/ParameterList.h"

inline std::string RainfallEntry(const std::string& area, const std::string& frequency, double a1, double a2,
                                 double a3) {
  return "<Parameter type=\"RainfallCoefficient\"><Code>" + area + frequency + "</Code><Coeff_A1>" +
         std::to_string(a1) + "</Coeff_A1><Coeff_A2>" + std::to_string(a2) + "</Coeff_A2><Coeff_A3>" +
         std::to_string(a3) + "</Coeff_A3><Frequency>" + frequency + "</Frequency><Area>" + area +
         "</Area></Parameter>";
}

// "A": i = 60/(t+10)^0.8 for 10 years and 80/(t+10)^0.8 for 50 years.
// "K": constant 4 in/hr (10 years) and 5 in/hr (50 years).
inline std::unique_ptr<TNerraParameterList> MakeTestParameters() {
  auto parameters = std::make_unique<TNerraParameterList>();
  parameters->LoadParameters(
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Application Name=\"Drevia\" Version=\"110\">"
      "<ApplicationParameters version=\"110\">" +
      RainfallEntry("A", "10", 60, 10, 0.8) + RainfallEntry("A", "50", 80, 10, 0.8) +
      RainfallEntry("K", "10", 4, 0, 0) + RainfallEntry("K", "50", 5, 0, 0) +
      "<Parameter type=\"SewerSide\"><Code>L</Code><Description>Left</Description></Parameter>"
      "</ApplicationParameters></Application>");
  return parameters;
}

// A ditch section between two stations with a given grade.
inline TDitchAnalysisElement* AddSection(TDitchAnalysis& project, int id, const std::string& begin,
                                         const std::string& end, double area, double coeff, double grade,
                                         double width = 2, double slope = 3) {
  auto* element = new TDitchAnalysisElement();
  element->ElementId = id;
  element->SetBeginStation(begin);
  element->SetEndStation(end);
  element->RunoffArea = area;
  element->RunoffCoeff = coeff;
  element->Grade = grade;
  element->Width = width;
  element->Inslope = slope;
  element->Backslope = slope;
  project.ElementList.Add(std::to_string(id), element);
  return element;
}
