// The Culvert Design project file: the crossings, and with results the rows
// of every candidate of every crossing.

#include <map>

#include "culvert/CulvertDesign.h"
#include "model/PipeCatalogue.h"
#include "model/ProjectFile.h"
#include "model/ValueFormat.h"
#include "xml/XmlDocument.h"

namespace {

const char* const IncompatibleMessage = "The XML document is not compatible with the Drevia Culvert Design Module";

// The crossings are stored under this name; files in use rely on it.
const char* const CrossingElementName = "InletSpacingElement";

void WriteCandidate(TXMLElement* parent, const TCulvertBaseElement& candidate) {
  TXMLElement* x = parent->AddChild("CulvertResult");
  x->Attributes.SetAttribute("Culvert", candidate.CulvertTypeText());
  const std::string corrugation = candidate.CorrugationText();
  if (!corrugation.empty()) x->Attributes.SetAttribute("Corrugation", corrugation);
  // A candidate that ended without a size is written with index 0 and no
  // rows, so a reader can tell that nothing was found.
  x->Attributes.SetAttribute("Index", IntToXml(candidate.PipeSizeIndexValue()));
  for (int r = 0; r < candidate.Results.Count(); ++r) {
    const TCulvertElementResult* row = candidate.Results.Row(r);
    if (!row) continue;
    TXMLElement* y = x->AddChild("Result");
    AddFloatLeaf(y, "Flow", row->Flow);
    AddFloatLeaf(y, "HeadwaterLoss", row->HeadwaterLoss);
    AddFloatLeaf(y, "InletHeadwater", row->InletHeadwater);
    AddFloatLeaf(y, "OutletHeadwater", row->OutletHeadwater);
    AddTextLeaf(y, "FlowType", row->FlowType);
    AddFloatLeaf(y, "Velocity", row->Velocity);
    AddFloatLeaf(y, "NormalDepth", row->NormalDepth);
    AddFloatLeaf(y, "CriticalDepth", row->CriticalDepth);
    AddFloatLeaf(y, "CoeffN", candidate.EffectiveN);
    AddFloatLeaf(y, "CoeffKE", candidate.Ke());
    AddTextLeaf(y, "HeadwaterControl", row->HeadwaterControl);
    AddFloatLeaf(y, "Overflow", row->Overflow);
    AddTextLeaf(y, "DesignCode", row->DesignCode);
    if (!row->ImprovedInlet.empty()) AddTextLeaf(y, "ImprovedInlet", row->ImprovedInlet);
  }
}

}  // namespace

std::string TCulvertDesign::SaveInput() { return SaveText(false); }
std::string TCulvertDesign::SaveWithResults() { return SaveText(true); }

std::string TCulvertDesign::SaveText(bool withResults) {
  TXMLDocument document;
  TXMLElement* kind = BeginProjectFile(document, *this, KindElementName());
  WriteIdentification(kind, Identification);
  TXMLElement* parameters = kind->AddChild("UniversalCulvertParameters");
  AddTextLeaf(parameters, "DischargeFrequency", DischargeFrequency);
  AddTextLeaf(parameters, "FloodFrequency", FloodFrequency);
  TXMLElement* list = kind->AddChild("CulvertDesignList");
  for (int i = 0; i < Elements.Count(); ++i) {
    const TCulvertDesignElement* e = Crossing(i);
    if (!e) continue;
    TXMLElement* x = list->AddChild(CrossingElementName);
    x->Attributes.SetAttribute("id", IntToXml(e->ElementId));
    if (!withResults) {
      if (e->BuriedOption) x->Attributes.SetAttribute("BuriedOption", "Y");
      if (e->DisableBuriedTable) x->Attributes.SetAttribute("DisableBuriedTable", "Y");
    }
    AddFloatLeaf(x, "DesignDischarge", e->DesignDischarge);
    AddFloatLeaf(x, "InletElevation", e->InletElevation);
    AddTextLeaf(x, "AllowableHeadwaterType", e->AllowableHeadwaterType);
    AddFloatLeaf(x, "AllowableHeadwaterElevation", e->AllowableHeadwaterElevation);
    AddFloatLeaf(x, "OutletElevation", e->OutletElevation);
    if (withResults) AddFloatLeaf(x, "Slope", e->Slope());
    AddFloatLeaf(x, "CulvertLength", e->CulvertLength);
    AddFloatLeaf(x, "TailwaterElevation", e->TailwaterElevation);
    AddTextLeaf(x, "CircularConcreteInletType", e->CircularConcreteInletType);
    AddTextLeaf(x, "CircularCorrugatedInletType", e->CircularCorrugatedInletType);
    AddTextLeaf(x, "EllipticalConcreteInletType", e->EllipticalConcreteInletType);
    AddTextLeaf(x, "ArchCorrugatedInletType", e->ArchCorrugatedInletType);
    AddTextLeaf(x, "BoxInletType", e->BoxInletType);
    if (!withResults) AddIntLeaf(x, "DefaultInletType", e->DefaultInletTypeNumber());
    AddFloatLeaf(x, "OverflowElevation", e->OverflowElevation);
    AddFloatLeaf(x, "FloodDischarge", e->FloodDischarge);
    AddFloatLeaf(x, "CoeffN", e->CoeffN);
    AddFloatLeaf(x, "BuriedCoeffN", e->BuriedCoeffN);
    AddFloatLeaf(x, "CoeffKE", e->CoeffKE);
    if (withResults) {
      TXMLElement* results = x->AddChild("CalculationResult");
      for (int c = 0; c < e->Candidates.Count(); ++c) {
        if (const TCulvertBaseElement* candidate = e->Candidates.Culvert(c)) WriteCandidate(results, *candidate);
      }
    }
  }
  return ProjectFileText(document);
}

namespace {

void ReadCrossingLeaf(TCulvertDesignElement& e, const std::string& name, const std::string& text) {
  static const std::map<std::string, double TCulvertDesignElement::*> numbers = {
      {"DesignDischarge", &TCulvertDesignElement::DesignDischarge},
      {"InletElevation", &TCulvertDesignElement::InletElevation},
      {"AllowableHeadwaterElevation", &TCulvertDesignElement::AllowableHeadwaterElevation},
      {"OutletElevation", &TCulvertDesignElement::OutletElevation},
      {"CulvertLength", &TCulvertDesignElement::CulvertLength},
      {"TailwaterElevation", &TCulvertDesignElement::TailwaterElevation},
      {"OverflowElevation", &TCulvertDesignElement::OverflowElevation},
      {"FloodDischarge", &TCulvertDesignElement::FloodDischarge},
      {"BuriedCoeffN", &TCulvertDesignElement::BuriedCoeffN},
      {"CoeffKE", &TCulvertDesignElement::CoeffKE},
  };
  static const std::map<std::string, std::string TCulvertDesignElement::*> codes = {
      {"AllowableHeadwaterType", &TCulvertDesignElement::AllowableHeadwaterType},
      {"CircularConcreteInletType", &TCulvertDesignElement::CircularConcreteInletType},
      {"CircularCorrugatedInletType", &TCulvertDesignElement::CircularCorrugatedInletType},
      {"EllipticalConcreteInletType", &TCulvertDesignElement::EllipticalConcreteInletType},
      {"ArchCorrugatedInletType", &TCulvertDesignElement::ArchCorrugatedInletType},
      {"BoxInletType", &TCulvertDesignElement::BoxInletType},
  };
  if (auto n = numbers.find(name); n != numbers.end()) {
    e.*(n->second) = XmlToFloat(text, name);
  } else if (auto c = codes.find(name); c != codes.end()) {
    e.*(c->second) = XmlToText(text);
  } else if (name == "CoeffN") {
    e.CoeffN = XmlToFloat(text, name);
  } else if (name == "DefaultInletType") {
    e.SetDefaultInletType(XmlToInt(text));
  } else if (name == "InletType") {
    // One inlet code for every culvert type, as older files store it.
    const std::string code = XmlToText(text);
    e.CircularConcreteInletType = e.CircularCorrugatedInletType = e.EllipticalConcreteInletType =
        e.ArchCorrugatedInletType = e.BoxInletType = code;
  }
}

}  // namespace

void TCulvertDesign::Load(const std::string& text) {
  TXMLDocument document;
  TXMLElement* kind = OpenProjectText(document, text, *this, {"CulvertDesign"}, IncompatibleMessage);
  if (!kind) return;
  for (int i = 0; i < kind->ChildCount(); ++i) {
    const TXMLElement* block = kind->Child(i);
    if (block->Name == "Identification") {
      ReadIdentification(block, Identification);
    } else if (block->Name == "UniversalCulvertParameters") {
      for (int j = 0; j < block->ChildCount(); ++j) {
        const TXMLElement* leaf = block->Child(j);
        if (leaf->Name == "DischargeFrequency")
          DischargeFrequency = XmlToText(leaf->Text);
        else if (leaf->Name == "FloodFrequency")
          FloodFrequency = XmlToText(leaf->Text);
      }
    } else if (block->Name == "CulvertDesignList") {
      for (int j = 0; j < block->ChildCount(); ++j) {
        const TXMLElement* x = block->Child(j);
        if (x->Name != CrossingElementName) continue;
        auto e = std::make_unique<TCulvertDesignElement>();
        e->ElementId = XmlToInt(x->Attributes.GetAttribute("id"));
        e->BuriedOption = XmlToBool(x->Attributes.GetAttribute("BuriedOption"));
        e->DisableBuriedTable = XmlToBool(x->Attributes.GetAttribute("DisableBuriedTable"));
        for (int k = 0; k < x->ChildCount(); ++k) ReadCrossingLeaf(*e, x->Child(k)->Name, x->Child(k)->Text);
        const std::string key = std::to_string(e->ElementId);
        Elements.Add(key, e.release());
      }
    }
  }
}
