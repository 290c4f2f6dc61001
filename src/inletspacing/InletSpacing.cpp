// The inlet spacing model: stations, elements, the element check, and the
// project file blocks. The calculation is in InletSpacingCalc.cpp.

#include "inletspacing/InletSpacing.h"

#include <cctype>
#include <climits>
#include <cmath>

#include "model/ParameterList.h"
#include "model/ProjectFile.h"
#include "model/ValueFormat.h"
#include "xml/XmlDocument.h"

// ---------------------------------------------------------------- stations

std::string StationToText(int32_t stationFeet) {
  // No station is written as no text: it reads back as no station, where
  // "0+-01" would come back as station 1.
  if (stationFeet < 0) return std::string();
  const int32_t remainder = stationFeet % 100;
  return std::to_string(stationFeet / 100) + "+" + (remainder < 10 ? "0" : "") + std::to_string(remainder);
}

int32_t TextToStation(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  if (begin == end) return NoStation;
  std::string hundreds;
  std::string remainder;
  bool afterPlus = false;
  for (size_t i = begin; i < end; ++i) {
    const char c = text[i];
    if (c == '+' && !afterPlus) {
      afterPlus = true;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      if (!afterPlus)
        hundreds += c;
      else if (remainder.size() < 2)
        remainder += c;
    }
  }
  if (hundreds.empty() || remainder.empty()) return NoStation;
  long long value = 0;
  for (char c : hundreds) {
    value = value * 10 + (c - '0');
    if (value > INT32_MAX / 100) return NoStation;
  }
  value = value * 100 + std::stoi(remainder);
  if (value > INT32_MAX) return NoStation;
  return static_cast<int32_t>(value);
}

// ---------------------------------------------------------------- parameters

void TInletSpacingGeneralParameters::Assign(const TBaseObject* source) {
  const auto* other = dynamic_cast<const TInletSpacingGeneralParameters*>(source);
  if (other && other != this)
    *this = *other;
  else
    TNerraGeneralParameters::Assign(source);
}

// ---------------------------------------------------------------- element

namespace {
constexpr double DefaultN = 0.015;
}

double TInletSpacingElement::GutterN() const { return ManningGN > 0 ? ManningGN : DefaultN; }
double TInletSpacingElement::PavementN() const { return ManningPN > 0 ? ManningPN : DefaultN; }

double TInletSpacingElement::UsedGutterLength() const {
  if (GutterLength > 0) return GutterLength;
  return std::fabs(StationFeet - PreviousStation);
}

double TInletSpacingElement::OwnFlow() const {
  if (Flow > 0) return Flow;
  return Rainfall * RunoffCoeff * RunoffArea;
}

void TInletSpacingElement::ClearResults() {
  GutterTime = 0;
  TotalFlow = 0;
  InterceptedFlow = 0;
  DepthFlow = 0;
  PavementSpread = 0;
  BypassFlow = 0;
  UsedTime = 0;
  Rainfall = 0;
  PreviousStation = 0;
  GrateEdgeDepth = 0;
  FrontalFlow = 0;
  PondedDepth = 0;
  SagDesignFlow = 0;
  SagSpread = 0;
  ConcTimeUsed = 0;
  CalcMessage.clear();
}

void TInletSpacingElement::Assign(const TBaseObject* source) {
  const auto* other = dynamic_cast<const TInletSpacingElement*>(source);
  if (other && other != this)
    *this = *other;
  else
    TNerraElement::Assign(source);
}

std::string TInletSpacingElement::Validate() { return CheckInletSpacingEntry(EntryOfElement(*this)); }

// ---------------------------------------------------------------- element check

std::string CheckInletSpacingEntry(const TInletSpacingEntry& e) {
  const std::string& station = e.StationText;
  if (station.find_first_not_of(" \t\r\n") == std::string::npos) return MsgStationEmpty;
  // A station typed without "+" would otherwise be kept as no station and
  // spoil the gutter length of this inlet and the next.
  if (TextToStation(station) == NoStation) return MsgStationInvalid;
  if (!e.SumpSelected) return MsgTypesNotSelected;
  if (e.SumpIsFirstEntry) return std::string();
  if (!e.CatchBasinSelected) return MsgTypesNotSelected;
  if (!(e.LongSlope > 0 && e.LongSlope < 1)) return MsgSlopeRange;
  if (!(e.Flow > 0 || (e.RunoffCoeff > 0 && e.RunoffArea > 0))) return MsgFlowOrRunoff;
  const bool timeGiven = e.ConcTime > 0;
  if (!(timeGiven || (e.OverlandLength > 0 && e.OverlandSlope > 0 && e.OverlandSlope <= 100))) return MsgTimeOrOverland;
  if (!(timeGiven || e.SurfaceSelected)) return MsgTypesNotSelected;
  if (!(e.GutterLength >= 0)) return MsgGutterLengthWidth;
  if (!(e.GutterSlope >= 0 && e.GutterSlope <= 1)) return MsgGutterSlope;
  if (!(e.GutterWidth >= 0)) return MsgGutterLengthWidth;
  if (!(e.ManningGN >= 0 && e.ManningGN <= 1 && e.ManningPN >= 0 && e.ManningPN <= 1)) return MsgManningN;
  if (!(e.PavementSlope > 0 && e.PavementSlope < 1)) return MsgSlopeRange;
  if (!(e.Depression >= 0)) return MsgDepression;
  return std::string();
}

namespace {
bool Selected(const std::string& code, const TNerraBaseList* codes) {
  return codes ? codes->IndexOfCode(code) >= 0 : !code.empty();
}
}  // namespace

TInletSpacingEntry EntryOfElement(const TInletSpacingElement& element, const TNerraBaseList* sumpTypes,
                                  const TNerraBaseList* catchBasinTypes, const TNerraBaseList* surfaceTypes) {
  TInletSpacingEntry e;
  e.StationText = element.StationText();
  e.SumpSelected = Selected(element.Sump, sumpTypes);
  e.SumpIsFirstEntry = sumpTypes ? sumpTypes->IndexOfCode(element.Sump) == 0 : element.IsBeginPoint();
  e.CatchBasinSelected = Selected(element.CatchBasin, catchBasinTypes);
  e.SurfaceSelected = Selected(element.Surface, surfaceTypes);
  e.LongSlope = element.LongSlope;
  e.Flow = element.Flow;
  e.RunoffCoeff = element.RunoffCoeff;
  e.RunoffArea = element.RunoffArea;
  e.ConcTime = element.ConcTime;
  e.OverlandLength = element.OverlandLength;
  e.OverlandSlope = element.OverlandSlope;
  e.GutterLength = element.GutterLength;
  e.GutterSlope = element.GutterSlope;
  e.GutterWidth = element.GutterWidth;
  // The dialog shows the n getters, so an unset n is checked as 0.015.
  e.ManningGN = element.GutterN();
  e.ManningPN = element.PavementN();
  e.PavementSlope = element.PavementSlope;
  e.Depression = element.Depression;
  return e;
}

// ---------------------------------------------------------------- list

void TInletSpacingElementList::ClearSumpData() {
  SumpTotalFlow = 0;
  SumpPondedDepth = 0;
  SumpSpread = 0;
  HasSumpData = false;
}

// ---------------------------------------------------------------- project

TInletSpacing::TInletSpacing(const TNerraParameterList* parameters)
    : Parameters(parameters), Elements(&GeneralParameters) {}

TInletSpacing::~TInletSpacing() = default;

namespace {

void WriteInputBlocks(TXMLElement* kind, const TInletSpacing& project) {
  WriteIdentification(kind, project.Identification, true);
  const TInletSpacingGeneralParameters& g = project.GeneralParameters;
  TXMLElement* parameters = kind->AddChild("InletSpacingParameters");
  AddTextLeaf(parameters, "WaterShedAreaCode", g.WaterShedAreaCode);
  AddTextLeaf(parameters, "StormFrequency", g.StormFrequency);
  AddFloatLeaf(parameters, "MaxSpread", g.MaxSpread);
  AddFloatLeaf(parameters, "AllowableDepth", g.AllowableDepth);

  TXMLElement* list = kind->AddChild("InletSpacingList");
  for (int i = 0; i < project.Elements.Count(); ++i) {
    const TInletSpacingElement* p = project.Elements.Items(i);
    if (!p) continue;
    TXMLElement* e = list->AddChild("InletSpacingElement");
    e->Attributes.SetAttribute("id", IntToXml(p->ElementId));
    AddFloatLeaf(e, "GutterLength", p->GutterLength);
    AddTextLeaf(e, "Station", p->StationText());
    AddFloatLeaf(e, "ManningPN", p->PavementN());
    AddFloatLeaf(e, "ManningGN", p->GutterN());
    AddFloatLeaf(e, "RunoffCoeff", p->RunoffCoeff);
    AddFloatLeaf(e, "RunoffArea", p->RunoffArea);
    AddFloatLeaf(e, "LongSlope", p->LongSlope);
    AddFloatLeaf(e, "GutterSlope", p->GutterSlope);
    AddFloatLeaf(e, "GutterWidth", p->GutterWidth);
    AddFloatLeaf(e, "Flow", p->Flow);
    AddFloatLeaf(e, "PavementSlope", p->PavementSlope);
    AddTextLeaf(e, "CatchBasin", p->CatchBasin);
    AddTextLeaf(e, "Sump", p->Sump);
    AddFloatLeaf(e, "Depression", p->Depression);
    AddFloatLeaf(e, "ConcTime", p->ConcTime);
    AddFloatLeaf(e, "OverlandLength", p->OverlandLength);
    AddTextLeaf(e, "Surface", p->Surface);
    AddFloatLeaf(e, "OverlandSlope", p->OverlandSlope);
  }
}

// One row per element with the result dialog's columns under the model's
// field names, then what else the calculation found.
void WriteResultBlock(TXMLElement* kind, const TInletSpacing& project) {
  TXMLElement* results = kind->AddChild("InletSpacingResults");
  for (int i = 0; i < project.Elements.Count(); ++i) {
    const TInletSpacingElement* p = project.Elements.Items(i);
    if (!p) continue;
    TXMLElement* r = results->AddChild("InletSpacingResult");
    r->Attributes.SetAttribute("id", IntToXml(p->ElementId));
    const TNerraBaseCode* sump = project.Parameters ? project.Parameters->FindCode(pcSumpType, p->Sump) : nullptr;
    AddTextLeaf(r, "SumpType", sump ? sump->Description : std::string());
    AddTextLeaf(r, "Sump", p->Sump);
    AddTextLeaf(r, "Station", p->StationText());
    AddFloatLeaf(r, "GutterLength", p->UsedGutterLength());
    AddFloatLeaf(r, "RunoffCoeff", p->RunoffCoeff);
    AddFloatLeaf(r, "ConcTimeUsed", p->ConcTimeUsed);
    AddFloatLeaf(r, "GutterTime", p->GutterTime);
    AddFloatLeaf(r, "UsedTime", p->UsedTime);
    AddFloatLeaf(r, "LongSlope", p->LongSlope);
    AddFloatLeaf(r, "GutterSlope", p->GutterSlope);
    AddFloatLeaf(r, "PavementSlope", p->PavementSlope);
    AddFloatLeaf(r, "GutterWidth", p->GutterWidth);
    AddFloatLeaf(r, "Depression", p->Depression);
    AddFloatLeaf(r, "Rainfall", p->Rainfall);
    AddFloatLeaf(r, "RunoffArea", p->RunoffArea);
    AddFloatLeaf(r, "InterceptedFlow", p->InterceptedFlow);
    AddFloatLeaf(r, "BypassFlow", p->BypassFlow);
    AddFloatLeaf(r, "TotalFlow", p->TotalFlow);
    AddFloatLeaf(r, "DepthFlow", p->DepthFlow);
    AddFloatLeaf(r, "PavementSpread", p->PavementSpread);
    AddFloatLeaf(r, "PreviousStation", p->PreviousStation);
    AddFloatLeaf(r, "GrateEdgeDepth", p->GrateEdgeDepth);
    AddFloatLeaf(r, "FrontalFlow", p->FrontalFlow);
    AddFloatLeaf(r, "PondedDepth", p->PondedDepth);
    AddFloatLeaf(r, "SagDesignFlow", p->SagDesignFlow);
    AddFloatLeaf(r, "SagSpread", p->SagSpread);
    if (!p->CalcMessage.empty()) AddTextLeaf(r, "CalcMessage", p->CalcMessage);
  }
  const TInletSpacingElementList& list = project.Elements;
  if (list.HasSumpData) {
    TXMLElement* sump = results->AddChild("SumpData");
    AddFloatLeaf(sump, "SumpTotalFlow", list.SumpTotalFlow);
    AddFloatLeaf(sump, "SumpPondedDepth", list.SumpPondedDepth);
    AddFloatLeaf(sump, "SumpSpread", list.SumpSpread);
  }
}

// Values that do not convert read as 0, and so do values a file cannot
// meaningfully hold (NaN, infinity).
double ReadFloat(const TXMLElement* leaf) {
  const double value = XmlToFloat(leaf->Text, leaf->Name);
  return std::isfinite(value) ? value : 0;
}

void ReadParameters(const TXMLElement* block, TInletSpacingGeneralParameters& g) {
  for (int i = 0; i < block->ChildCount(); ++i) {
    const TXMLElement* leaf = block->Child(i);
    if (!leaf) continue;
    const std::string& name = leaf->Name;
    if (name == "WaterShedAreaCode")
      g.WaterShedAreaCode = XmlToText(leaf->Text);
    else if (name == "StormFrequency")
      g.StormFrequency = XmlToText(leaf->Text);
    else if (name == "MaxSpread")
      g.MaxSpread = ReadFloat(leaf);
    else if (name == "AllowableDepth")
      g.AllowableDepth = ReadFloat(leaf);
  }
}

void ReadElementLeaf(const TXMLElement* leaf, TInletSpacingElement& p) {
  struct TFloatKey {
    const char* Name;
    double TInletSpacingElement::*Field;
  };
  static const TFloatKey floatKeys[] = {
      {"GutterLength", &TInletSpacingElement::GutterLength},
      {"ManningPN", &TInletSpacingElement::ManningPN},
      {"ManningGN", &TInletSpacingElement::ManningGN},
      {"RunoffCoeff", &TInletSpacingElement::RunoffCoeff},
      {"RunoffArea", &TInletSpacingElement::RunoffArea},
      {"LongSlope", &TInletSpacingElement::LongSlope},
      {"GutterSlope", &TInletSpacingElement::GutterSlope},
      {"GutterWidth", &TInletSpacingElement::GutterWidth},
      {"Flow", &TInletSpacingElement::Flow},
      {"PavementSlope", &TInletSpacingElement::PavementSlope},
      {"Depression", &TInletSpacingElement::Depression},
      {"ConcTime", &TInletSpacingElement::ConcTime},
      {"OverlandLength", &TInletSpacingElement::OverlandLength},
      {"OverlandSlope", &TInletSpacingElement::OverlandSlope},
  };
  const std::string& name = leaf->Name;
  for (const TFloatKey& key : floatKeys)
    if (name == key.Name) {
      p.*key.Field = ReadFloat(leaf);
      return;
    }
  if (name == "Station")
    p.SetStationText(XmlToText(leaf->Text));
  else if (name == "CatchBasin")
    p.CatchBasin = XmlToText(leaf->Text);
  else if (name == "Sump")
    p.Sump = XmlToText(leaf->Text);
  else if (name == "Surface")
    p.Surface = XmlToText(leaf->Text);
}

void ReadElements(const TXMLElement* block, TInletSpacingElementList& list) {
  for (int i = 0; i < block->ChildCount(); ++i) {
    const TXMLElement* child = block->Child(i);
    if (!child || child->Name != "InletSpacingElement") continue;
    auto* p = new TInletSpacingElement();
    p->ElementId = XmlToInt(child->Attributes.GetAttribute("id"));
    for (int k = 0; k < child->ChildCount(); ++k)
      if (const TXMLElement* leaf = child->Child(k)) ReadElementLeaf(leaf, *p);
    list.Add(std::to_string(p->ElementId), p);
  }
}

}  // namespace

std::string TInletSpacing::SaveInput() {
  TXMLDocument document;
  WriteInputBlocks(BeginProjectFile(document, *this, KindElementName()), *this);
  return ProjectFileText(document);
}

std::string TInletSpacing::SaveWithResults() {
  TXMLDocument document;
  TXMLElement* kind = BeginProjectFile(document, *this, KindElementName());
  WriteInputBlocks(kind, *this);
  WriteResultBlock(kind, *this);
  return ProjectFileText(document);
}

void TInletSpacing::Load(const std::string& text) {
  TXMLDocument document;
  TXMLElement* kind = OpenProjectText(document, text, *this, {"InletSpacingDesign"}, MsgInletSpacingIncompatible);
  if (!kind) return;
  Elements.Clear();
  Elements.ClearSumpData();
  for (int i = 0; i < kind->ChildCount(); ++i) {
    const TXMLElement* block = kind->Child(i);
    if (!block) continue;
    if (block->Name == "Identification")
      ReadIdentification(block, Identification, true);
    else if (block->Name == "InletSpacingParameters")
      ReadParameters(block, GeneralParameters);
    else if (block->Name == "InletSpacingList")
      ReadElements(block, Elements);
  }
}
