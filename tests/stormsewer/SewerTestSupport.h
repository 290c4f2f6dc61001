#pragma once
// Small networks and code tables for the storm sewer tests.

#include <cstdio>
#include <memory>
#include <string>

#include "model/ParameterList.h"
#include "stormsewer/StormSewer.h"

namespace sewertest {

// A code table with one intensity curve i = a1 / (t + a2)^a3 for area "1"
// and the frequencies "10" (full capacity) and "25" (hydraulic grade).
inline std::unique_ptr<TNerraParameterList> Curves(double a1, double a2, double a3, double hgA1 = -1) {
  auto text = [](double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return std::string(buffer);
  };
  auto curve = [&text](const char* frequency, double c1, double c2, double c3) {
    return std::string("<Parameter type=\"RainfallCoefficient\"><Code>1-") + frequency +
           "</Code><Area>1</Area><Frequency>" + frequency + "</Frequency><Coeff_A1>" + text(c1) +
           "</Coeff_A1><Coeff_A2>" + text(c2) + "</Coeff_A2><Coeff_A3>" + text(c3) + "</Coeff_A3></Parameter>";
  };
  auto list = std::make_unique<TNerraParameterList>();
  list->LoadParameters(
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Application Name=\"Drevia\" Version=\"110\">"
      "<ApplicationParameters version=\"110\">" +
      curve("10", a1, a2, a3) + curve("25", hgA1 < 0 ? a1 : hgA1, a2, a3) + "</ApplicationParameters></Application>");
  return list;
}

// A sewer project using the curves above.
inline std::unique_ptr<TStormSewer> Project(const TNerraParameterList* parameters, bool isAnalysis = false) {
  auto project = std::make_unique<TStormSewer>(isAnalysis, parameters);
  project->GeneralParameters.RainfallAreaCode = "1";
  project->GeneralParameters.FullCapacityFrequency = "10";
  project->GeneralParameters.HydraulicGradeFrequency = "25";
  return project;
}

// Appends a pipe from begin to end with crowns (design) or inverts
// (analysis) falling by slope over the length.
inline TStormSewerElement* AddPipe(TStormSewer& project, const std::string& begin, const std::string& end, double time,
                                   double ca, double inlet, double slope = 0.01, double length = 100) {
  auto* pipe = new TStormSewerElement();
  pipe->ElementId = project.ElementList.Count() + 1;
  pipe->BeginJunction = begin;
  pipe->EndJunction = end;
  pipe->SetTime(time);
  pipe->Length = length;
  pipe->RunoffCoeff1 = 1;
  pipe->RunoffArea1 = ca;
  if (project.IsAnalysis) {
    pipe->InletInvert = inlet;
    pipe->OutletInvert = inlet - slope * length;
  } else {
    pipe->InletCrown = inlet;
    pipe->OutletCrown = inlet - slope * length;
  }
  project.ElementList.AddPipe(pipe);
  return pipe;
}

}  // namespace sewertest
