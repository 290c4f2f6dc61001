#pragma once
// The storm sewer project: one class for Storm Sewer Design and Storm Sewer
// Analysis, told apart by IsAnalysis.

#include <cstdint>
#include <string>

#include "model/NerraBase.h"
#include "stormsewer/StormSewerElement.h"

class TNerraParameterList;
class TXMLElement;

class TStormSewerGeneralParameters : public TNerraGeneralParameters {
public:
  double MinimumDiameter = 0;     // in.; 0 lets the calculation start at 12 in.
  double TailwaterElevation = 0;  // ft; 0 means no tailwater
  std::string RainfallAreaCode;
  std::string FullCapacityFrequency;
  std::string HydraulicGradeFrequency;

  void Assign(const TBaseObject* source) override;
};

class TStormSewer : public TNerraBaseProject {
public:
  // The code table is only read; it must outlive the project. Without one
  // every rainfall intensity is 0.
  explicit TStormSewer(bool isAnalysis, const TNerraParameterList* parameters = nullptr);
  TStormSewer(const TStormSewer&) = delete;
  TStormSewer& operator=(const TStormSewer&) = delete;

  const bool IsAnalysis;
  const TNerraParameterList* Parameters;
  TStormSewerGeneralParameters GeneralParameters;
  TStormSewerElementList ElementList;

  std::string KindElementName() const override;
  std::string SaveWithResults() override;
  std::string SaveInput() override;
  void Load(const std::string& text) override;
  // Runs the network check first; a failing check, or values that cannot be
  // calculated, give a non-zero result with the message in LastError.
  int32_t Calculate() override;

  static const char* IncompatibleMessage() {
    return "The XML document is not compatible with the Drevia Storm Sewer Module";
  }
  // The largest diameter the sizing offers before it gives up, in inches.
  static constexpr double LargestDiameter = 1200;

private:
  std::string SaveText(bool withResults);
  void WriteElement(TXMLElement* parent, const TStormSewerElement& pipe, bool withResults) const;
  void ReadParameters(const TXMLElement* block);
  void ReadElements(const TXMLElement* block);
};
