#pragma once
// The Ditch Analysis project: a roadside ditch as consecutive sections, the
// storms it is checked for, and the rows of its last calculation.

#include <cstdint>
#include <string>

#include "ditch/DitchAnalysisElement.h"
#include "ditch/DitchAnalysisElementResult.h"
#include "ditch/DitchAnalysisGeneralParameters.h"
#include "model/NerraBase.h"

class TNerraParameterList;

// Normal depth (ft) of a section carrying Q by bisection between 0 and 11 ft.
// K is the Manning factor 1.486·sqrt(S)/n; r > 0 selects a circular arc of
// that radius, otherwise a trapezoid of bottom width W, mean side slope zAvg
// and perimeter factor P1.
double SolveDepth(double Q, double P1, double zAvg, double W, double r, double K);

// One storm's rainfall curve of the project's area, looked up once per
// calculation: the code table is walked once instead of for every trial.
// Gives exactly what the table's RainfallIntensity gives.
class TDitchRainfall {
public:
  TDitchRainfall(const TNerraParameterList* parameters, const std::string& area, const std::string& frequency);
  double At(double time) const;
  // False when the table has no curve for the area and frequency.
  bool Found() const { return FFound; }

private:
  bool FFound = false;
  double FA1 = 0;
  double FA2 = 0;
  double FA3 = 0;
};

class TDitchAnalysis : public TNerraBaseProject {
public:
  // The code table supplies the rainfall intensities; it is only read, and
  // without one every intensity is 0.
  explicit TDitchAnalysis(const TNerraParameterList* parameters = nullptr);
  ~TDitchAnalysis() override;

  const TNerraParameterList* Parameters;
  // Declared in this order so results go first, then elements, then
  // parameters when the project is freed.
  TDitchAnalysisGeneralParameters GeneralParameters;
  TDitchAnalysisElementList ElementList;
  TDitchAnalysisElementResultList ResultList;

  std::string KindElementName() const override { return "DitchAnalysis"; }

  std::string SaveWithResults() override;
  std::string SaveInput() override;
  void Load(const std::string& text) override;
  int32_t Calculate() override;

  TDitchAnalysisElement* Element(int index) const { return ElementList.Element(index); }
  TDitchAnalysisElementResult* Result(int index) const { return ResultList.Row(index); }

private:
  std::string ProjectText(bool withResults);
  void AddMessageRow(const TDitchAnalysisElement& element, const std::string& text);
  void CalculateSection(TDitchAnalysisElement& element, const TDitchRainfall& shearStorm,
                        const TDitchRainfall& depthStorm, double& shearTime, double& depthTime);
};
