#include "ditch/DitchAnalysis.h"

#include <utility>

#include "model/ProjectFile.h"
#include "model/ValueFormat.h"
#include "xml/XmlDocument.h"

namespace {

// The allowable-shear keys of the parameters block, in file order.
const std::pair<const char*, TLiningType> ShearKeys[] = {{"SeedShear", ltSeed},         {"JuteMatShear", ltJuteMat},
                                                         {"TempMatShear", ltTempMat},   {"TurfMatType1", ltTurfType1},
                                                         {"TurfMatType2", ltTurfType2}, {"TurfMatType3", ltTurfType3},
                                                         {"RCPShearTypeB", ltRCPTypeB}};

void WriteParameters(TXMLElement* kind, const TDitchAnalysisGeneralParameters& parameters) {
  TXMLElement* block = kind->AddChild("DitchAnalysisParameters");
  AddTextLeaf(block, "WaterShedAreaCode", parameters.WaterShedAreaCode);
  AddTextLeaf(block, "DepthStormFrequency", parameters.DepthStormFrequency);
  AddTextLeaf(block, "VelocityStormFrequency", parameters.VelocityStormFrequency);
  AddFloatLeaf(block, "Time", parameters.Time);
  for (const auto& [key, lining] : ShearKeys) AddFloatLeaf(block, key, parameters.AllowableShear(lining));
}

void WriteElementInput(TXMLElement* node, const TDitchAnalysisElement& element) {
  node->Attributes.SetAttribute("id", IntToXml(element.ElementId));
  AddTextLeaf(node, "BeginStation", element.BeginStationText());
  AddTextLeaf(node, "EndStation", element.EndStationText());
  AddTextLeaf(node, "Side", element.Side);
  AddFloatLeaf(node, "ConcTime", element.ConcTime);
  AddFloatLeaf(node, "RunoffCoeff", element.RunoffCoeff);
  AddFloatLeaf(node, "RunoffArea", element.RunoffArea);
  AddFloatLeaf(node, "Inslope", element.Inslope);
  AddFloatLeaf(node, "Width", element.Width);
  AddFloatLeaf(node, "Radius", element.Radius);
  AddFloatLeaf(node, "Backslope", element.Backslope);
  // As entered: a derived grade or length must keep following the stations.
  AddFloatLeaf(node, "Grade", element.Grade);
  AddFloatLeaf(node, "Length", element.Length);
  AddFloatLeaf(node, "ElevationBegin", element.ElevationBegin);
  AddFloatLeaf(node, "ElevationEnd", element.ElevationEnd);
  AddFloatLeaf(node, "ManningN", element.CoeffN);
  AddTextLeaf(node, "Lining", element.LiningCode());
}

void WriteResultRow(TXMLElement* parent, const TDitchAnalysisElementResult& row) {
  TXMLElement* node = parent->AddChild("Result");
  AddTextLeaf(node, "FirstLine", row.FirstLine ? "Y" : "N");
  AddIntLeaf(node, "Lining", row.Lining);
  AddTextLeaf(node, "LiningName", row.LiningName());
  AddTextLeaf(node, "Message", row.Message);
  AddTextLeaf(node, "FrequencyCode", row.FrequencyCode);
  AddFloatLeaf(node, "ManningCoeff", row.ManningCoeff);
  AddFloatLeaf(node, "Intensity", row.Intensity);
  AddFloatLeaf(node, "FlowTime", row.FlowTime);
  AddFloatLeaf(node, "Grade", row.Grade);
  AddFloatLeaf(node, "Depth", row.Depth);
  AddFloatLeaf(node, "WettedArea", row.WettedArea);
  AddFloatLeaf(node, "Flow", row.Flow());
  AddFloatLeaf(node, "Velocity", row.Velocity());
  AddFloatLeaf(node, "Shear", row.Shear());
  AddFloatLeaf(node, "TopWidth", row.TopWidth());
}

void ReadParameters(const TXMLElement* block, TDitchAnalysisGeneralParameters& parameters) {
  for (int i = 0; i < block->ChildCount(); ++i) {
    const TXMLElement* leaf = block->Child(i);
    const std::string& name = leaf->Name;
    if (name == "WaterShedAreaCode") {
      parameters.WaterShedAreaCode = XmlToText(leaf->Text);
    } else if (name == "DepthStormFrequency") {
      parameters.DepthStormFrequency = XmlToText(leaf->Text);
    } else if (name == "VelocityStormFrequency") {
      parameters.VelocityStormFrequency = XmlToText(leaf->Text);
    } else if (name == "Time") {
      parameters.Time = XmlToFloat(leaf->Text, leaf->Name);
    } else {
      for (const auto& [key, lining] : ShearKeys)
        if (name == key) parameters.SetAllowableShear(lining, XmlToFloat(leaf->Text, leaf->Name));
    }
  }
}

double* FloatField(TDitchAnalysisElement& element, const std::string& name) {
  const std::pair<const char*, double TDitchAnalysisElement::*> fields[] = {
      {"ConcTime", &TDitchAnalysisElement::ConcTime},
      {"RunoffCoeff", &TDitchAnalysisElement::RunoffCoeff},
      {"RunoffArea", &TDitchAnalysisElement::RunoffArea},
      {"Inslope", &TDitchAnalysisElement::Inslope},
      {"Width", &TDitchAnalysisElement::Width},
      {"Radius", &TDitchAnalysisElement::Radius},
      {"Backslope", &TDitchAnalysisElement::Backslope},
      {"Grade", &TDitchAnalysisElement::Grade},
      {"Length", &TDitchAnalysisElement::Length},
      {"ElevationBegin", &TDitchAnalysisElement::ElevationBegin},
      {"ElevationEnd", &TDitchAnalysisElement::ElevationEnd},
      {"ManningN", &TDitchAnalysisElement::CoeffN},
      {"AreaSum", &TDitchAnalysisElement::AreaSum},
      {"CASum", &TDitchAnalysisElement::CASum}};
  for (const auto& [key, field] : fields)
    if (name == key) return &(element.*field);
  return nullptr;
}

// Reads one element; the error text when its lining code is not a number.
std::string ReadElement(const TXMLElement* node, TDitchAnalysisElement& element) {
  element.ElementId = XmlToInt(node->Attributes.GetAttribute("id"));
  element.BeginStation = -1;
  element.EndStation = -1;
  for (int i = 0; i < node->ChildCount(); ++i) {
    const TXMLElement* leaf = node->Child(i);
    const std::string& name = leaf->Name;
    if (name == "BeginStation") {
      element.SetBeginStation(XmlToText(leaf->Text));
    } else if (name == "EndStation") {
      element.SetEndStation(XmlToText(leaf->Text));
    } else if (name == "Side") {
      element.Side = XmlToText(leaf->Text);
    } else if (name == "Lining") {
      const std::string code = XmlToText(leaf->Text);
      if (!element.SetLiningCode(code))
        return "Element #" + std::to_string(element.ElementId) + ": '" + code + "' is not a valid integer value";
    } else if (double* field = FloatField(element, name)) {
      *field = XmlToFloat(leaf->Text, leaf->Name);
    }
  }
  return std::string();
}

}  // namespace

TDitchAnalysis::TDitchAnalysis(const TNerraParameterList* parameters)
    : Parameters(parameters), ElementList(&GeneralParameters) {}

TDitchAnalysis::~TDitchAnalysis() {
  // Rows point at elements: drop them first.
  ResultList.ClearRows();
}

std::string TDitchAnalysis::SaveInput() { return ProjectText(false); }

// The rows of the last calculation go under each element they belong to, as
// the culvert files keep theirs.
std::string TDitchAnalysis::SaveWithResults() { return ProjectText(true); }

std::string TDitchAnalysis::ProjectText(bool withResults) {
  TXMLDocument document;
  TXMLElement* kind = BeginProjectFile(document, *this, KindElementName());
  WriteIdentification(kind, Identification);
  WriteParameters(kind, GeneralParameters);
  TXMLElement* list = kind->AddChild("DitchAnalysisList");
  int row = 0;
  for (int i = 0; i < ElementList.Count(); ++i) {
    const TDitchAnalysisElement* element = Element(i);
    if (!element) continue;
    TXMLElement* node = list->AddChild("DitchAnalysisElement");
    WriteElementInput(node, *element);
    if (!withResults) continue;
    AddFloatLeaf(node, "AreaSum", element->AreaSum);
    AddFloatLeaf(node, "CASum", element->CASum);
    TXMLElement* results = node->AddChild("CalculationResult");
    // Rows come grouped by element in list order.
    for (; row < ResultList.Count() && Result(row)->Element == element; ++row) WriteResultRow(results, *Result(row));
  }
  return ProjectFileText(document);
}

void TDitchAnalysis::Load(const std::string& text) {
  TXMLDocument document;
  TXMLElement* kind = OpenProjectText(document, text, *this, {"DitchAnalysis"},
                                      "The XML document is not compatible with the Drevia Ditch Analysis Module");
  if (!kind) return;
  for (int i = 0; i < kind->ChildCount(); ++i) {
    const TXMLElement* block = kind->Child(i);
    if (block->Name == "Identification") {
      ReadIdentification(block, Identification);
    } else if (block->Name == "DitchAnalysisParameters") {
      ReadParameters(block, GeneralParameters);
    } else if (block->Name == "DitchAnalysisList") {
      for (int j = 0; j < block->ChildCount(); ++j) {
        const TXMLElement* node = block->Child(j);
        if (node->Name != "DitchAnalysisElement") continue;
        auto* element = new TDitchAnalysisElement();
        const std::string error = ReadElement(node, *element);
        if (!error.empty()) {
          delete element;
          // Nothing half-read stays behind.
          ResultList.ClearRows();
          ElementList.Clear();
          LastError = error;
          return;
        }
        ElementList.Add(IntToXml(element->ElementId), element);
      }
    }
  }
}
