#include "stormsewer/StormSewer.h"

#include "model/ProjectFile.h"
#include "model/ValueFormat.h"
#include "xml/XmlDocument.h"

void TStormSewerGeneralParameters::Assign(const TBaseObject* source) {
  TNerraGeneralParameters::Assign(source);
  const auto* other = dynamic_cast<const TStormSewerGeneralParameters*>(source);
  if (other == nullptr || other == this) {
    return;
  }
  MinimumDiameter = other->MinimumDiameter;
  TailwaterElevation = other->TailwaterElevation;
  RainfallAreaCode = other->RainfallAreaCode;
  FullCapacityFrequency = other->FullCapacityFrequency;
  HydraulicGradeFrequency = other->HydraulicGradeFrequency;
}

TStormSewer::TStormSewer(bool isAnalysis, const TNerraParameterList* parameters)
    : IsAnalysis(isAnalysis), Parameters(parameters), ElementList(&GeneralParameters) {}

std::string TStormSewer::KindElementName() const { return IsAnalysis ? "StormSewerAnalysis" : "StormSewerDesign"; }

std::string TStormSewer::SaveInput() { return SaveText(false); }

std::string TStormSewer::SaveWithResults() { return SaveText(true); }

std::string TStormSewer::SaveText(bool withResults) {
  TXMLDocument document;
  TXMLElement* kind = BeginProjectFile(document, *this, KindElementName());
  WriteIdentification(kind, Identification);

  TXMLElement* block = kind->AddChild("StormSewerParameters");
  AddTextLeaf(block, "RainfallAreaCode", GeneralParameters.RainfallAreaCode);
  AddTextLeaf(block, "FullCapacityFrequency", GeneralParameters.FullCapacityFrequency);
  AddTextLeaf(block, "HydraulicGradeFrequency", GeneralParameters.HydraulicGradeFrequency);
  AddFloatLeaf(block, "MinimumDiameter", GeneralParameters.MinimumDiameter);
  AddFloatLeaf(block, "TailwaterElevation", GeneralParameters.TailwaterElevation);

  TXMLElement* list = kind->AddChild("StormSewerList");
  for (int i = 0; i < ElementList.Count(); ++i) {
    WriteElement(list, *ElementList.Pipe(i), withResults);
  }
  return ProjectFileText(document);
}

void TStormSewer::WriteElement(TXMLElement* parent, const TStormSewerElement& pipe, bool withResults) const {
  TXMLElement* node = parent->AddChild("StormSewerElement");
  node->Attributes.SetAttribute("id", IntToXml(pipe.ElementId));
  AddTextLeaf(node, "Side", pipe.Side);
  AddTextLeaf(node, "Structure", pipe.Structure);
  AddTextLeaf(node, "InletType", pipe.InletType);
  AddTextLeaf(node, "BeginJunction", pipe.BeginJunction);
  AddTextLeaf(node, "EndJunction", pipe.EndJunction);
  AddTextLeaf(node, "BeginStation", pipe.BeginStation);
  AddTextLeaf(node, "EndStation", pipe.EndStation);
  AddFloatLeaf(node, "Time", pipe.Time());
  AddFloatLeaf(node, "Length", pipe.Length);
  // Input files keep only the pair the user enters for the project kind;
  // result files keep all four so the slope they were computed with is there.
  if (withResults || IsAnalysis) {
    AddFloatLeaf(node, "InletInvert", pipe.InletInvert);
    AddFloatLeaf(node, "OutletInvert", pipe.OutletInvert);
  }
  if (withResults || !IsAnalysis) {
    AddFloatLeaf(node, "InletCrown", pipe.InletCrown);
    AddFloatLeaf(node, "OutletCrown", pipe.OutletCrown);
  }
  AddFloatLeaf(node, "InletCover", pipe.InletCover);
  AddFloatLeaf(node, "OutletCover", pipe.OutletCover);
  AddFloatLeaf(node, "Mannings", pipe.CoeffN);
  AddFloatLeaf(node, "MinDiameter", pipe.MinDiameter);
  AddFloatLeaf(node, "RunoffCoeff1", pipe.RunoffCoeff1);
  AddFloatLeaf(node, "RunoffCoeff2", pipe.RunoffCoeff2);
  AddFloatLeaf(node, "RunoffCoeff3", pipe.RunoffCoeff3);
  AddFloatLeaf(node, "RunoffCoeff4", pipe.RunoffCoeff4);
  AddFloatLeaf(node, "RunoffArea1", pipe.RunoffArea1);
  AddFloatLeaf(node, "RunoffArea2", pipe.RunoffArea2);
  AddFloatLeaf(node, "RunoffArea3", pipe.RunoffArea3);
  AddFloatLeaf(node, "RunoffArea4", pipe.RunoffArea4);
  if (!withResults) {
    return;
  }
  AddFloatLeaf(node, "BeginTime", pipe.BeginTime);
  AddFloatLeaf(node, "GlobalArea", pipe.GlobalArea);
  AddFloatLeaf(node, "Rainfall", pipe.Rainfall);
  AddFloatLeaf(node, "Flow", pipe.Flow());
  AddFloatLeaf(node, "Diameter", pipe.Diameter);
  AddFloatLeaf(node, "InletFlow", pipe.InletFlow);
  AddFloatLeaf(node, "OuletFlow", pipe.OutletFlowLine());
  AddFloatLeaf(node, "Velocity", pipe.Velocity);
  AddFloatLeaf(node, "FullCapacity", pipe.FullCapacity());
  AddFloatLeaf(node, "UsedManning", pipe.EffectiveN);
  AddFloatLeaf(node, "CoverMinusCrown", pipe.CoverMinusCrown());
  AddFloatLeaf(node, "HGRainfall", pipe.HGRainfall);
  AddFloatLeaf(node, "HGFlow", pipe.HGFlow());
  AddFloatLeaf(node, "HGSlope", pipe.FrictionSlope());
  AddFloatLeaf(node, "HGInletFlow", pipe.HGInletFlow);
  AddFloatLeaf(node, "HGOutletFlow", pipe.HGOutletFlow);
  AddFloatLeaf(node, "CoverMinusHG", pipe.CoverMinusHG());
}

void TStormSewer::Load(const std::string& text) {
  TXMLDocument document;
  const TXMLElement* kind =
      OpenProjectText(document, text, *this, {"StormSewerDesign", "StormSewerAnalysis", "StormSewerSystemDesign"},
                      IncompatibleMessage());
  if (kind == nullptr) {
    return;
  }
  for (int i = 0; i < kind->ChildCount(); ++i) {
    const TXMLElement* child = kind->Child(i);
    if (child->Name == "Identification") {
      ReadIdentification(child, Identification);
    } else if (child->Name == "StormSewerParameters") {
      ReadParameters(child);
    } else if (child->Name == "StormSewerList") {
      ReadElements(child);
    }
  }
}

void TStormSewer::ReadParameters(const TXMLElement* block) {
  for (int i = 0; i < block->ChildCount(); ++i) {
    const TXMLElement* leaf = block->Child(i);
    const std::string& name = leaf->Name;
    if (name == "RainfallAreaCode") {
      GeneralParameters.RainfallAreaCode = XmlToText(leaf->Text);
    } else if (name == "FullCapacityFrequency") {
      GeneralParameters.FullCapacityFrequency = XmlToText(leaf->Text);
    } else if (name == "HydraulicGradeFrequency") {
      GeneralParameters.HydraulicGradeFrequency = XmlToText(leaf->Text);
    } else if (name == "MinimumDiameter") {
      GeneralParameters.MinimumDiameter = XmlToFloat(leaf->Text, leaf->Name);
    } else if (name == "TailwaterElevation") {
      GeneralParameters.TailwaterElevation = XmlToFloat(leaf->Text, leaf->Name);
    }
  }
}

namespace {

struct TTextKey {
  const char* Name;
  std::string TStormSewerElement::*Field;
};

struct TFloatKey {
  const char* Name;
  double TStormSewerElement::*Field;
};

const TTextKey TextKeys[] = {
    {"Side", &TStormSewerElement::Side},
    {"Structure", &TStormSewerElement::Structure},
    {"InletType", &TStormSewerElement::InletType},
    {"BeginJunction", &TStormSewerElement::BeginJunction},
    {"EndJunction", &TStormSewerElement::EndJunction},
    {"BeginStation", &TStormSewerElement::BeginStation},
    {"EndStation", &TStormSewerElement::EndStation},
};

// Result keys of a file saved with results are left out on purpose: results
// are always recalculated, never read back.
const TFloatKey FloatKeys[] = {
    {"Length", &TStormSewerElement::Length},
    {"InletInvert", &TStormSewerElement::InletInvert},
    {"OutletInvert", &TStormSewerElement::OutletInvert},
    {"InletCrown", &TStormSewerElement::InletCrown},
    {"OutletCrown", &TStormSewerElement::OutletCrown},
    {"InletCover", &TStormSewerElement::InletCover},
    {"OutletCover", &TStormSewerElement::OutletCover},
    {"Mannings", &TStormSewerElement::CoeffN},
    {"MinDiameter", &TStormSewerElement::MinDiameter},
    {"RunoffCoeff1", &TStormSewerElement::RunoffCoeff1},
    {"RunoffCoeff2", &TStormSewerElement::RunoffCoeff2},
    {"RunoffCoeff3", &TStormSewerElement::RunoffCoeff3},
    {"RunoffCoeff4", &TStormSewerElement::RunoffCoeff4},
    {"RunoffArea1", &TStormSewerElement::RunoffArea1},
    {"RunoffArea2", &TStormSewerElement::RunoffArea2},
    {"RunoffArea3", &TStormSewerElement::RunoffArea3},
    {"RunoffArea4", &TStormSewerElement::RunoffArea4},
};

void ReadElementKey(TStormSewerElement& pipe, const TXMLElement& leaf) {
  if (leaf.Name == "Time") {
    pipe.SetTime(XmlToFloat(leaf.Text, leaf.Name));
    return;
  }
  for (const TTextKey& key : TextKeys) {
    if (leaf.Name == key.Name) {
      pipe.*key.Field = XmlToText(leaf.Text);
      return;
    }
  }
  for (const TFloatKey& key : FloatKeys) {
    if (leaf.Name == key.Name) {
      pipe.*key.Field = XmlToFloat(leaf.Text, leaf.Name);
      return;
    }
  }
}

}  // namespace

void TStormSewer::ReadElements(const TXMLElement* block) {
  for (int i = 0; i < block->ChildCount(); ++i) {
    const TXMLElement* node = block->Child(i);
    if (node->Name != "StormSewerElement") {
      continue;
    }
    auto* pipe = new TStormSewerElement();
    pipe->ElementId = XmlToInt(node->Attributes.GetAttribute("id"));
    for (int k = 0; k < node->ChildCount(); ++k) {
      ReadElementKey(*pipe, *node->Child(k));
    }
    ElementList.AddPipe(pipe);
  }
}
