#include "culvert/CulvertAnalysis.h"

#include <cmath>
#include <map>
#include <vector>

#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "model/ProjectFile.h"
#include "model/ValueFormat.h"
#include "xml/XmlDocument.h"

namespace {

const char* const IncompatibleMessage = "The XML document is not compatible with the Drevia Culvert Analysis Module";
const char* const BuriedDepthMessage = "Buried Depth should zero or not greater than the Pipe Rise or Diameter.";

std::string ElementPrefix(const TCulvertBaseElement& e) { return "Element #" + std::to_string(e.ElementId) + ": "; }

}  // namespace

bool ReachedMaximum(double value, double maximum) {
  const double tolerance = std::max(1e-9, 1e-9 * std::fabs(maximum));
  return value >= maximum - tolerance;
}

int64_t CurveRowCount(double first, double last, double step) {
  if (ReachedMaximum(first, last)) return 1;
  if (!(step > 0)) return 2;
  const double steps = std::ceil((last - first) / step);
  if (!(steps < 1e15)) return INT64_MAX;
  return static_cast<int64_t>(steps) + 1;
}

// --- the curves of one element ------------------------------------------------------

void TCulvertBaseElement::CalculatePerformanceCurve() {
  ClearResults();
  double Q = DesignDischarge;
  double h = TailwaterElevationMin;
  for (;;) {
    if (!BuriedOption) BuriedDepthMin = 0;
    CalculateAndRecord(false, false, Q, h - OutletElevation, BuriedDepthMin);
    if (ReachedMaximum(Q, FloodDischarge)) break;
    const double next = DeltaDischarge > 0 ? Q + DeltaDischarge : FloodDischarge;
    if (next == Q) break;  // an increment lost in rounding would never end the curve
    Q = next;
    if (TailwaterElevationMax > TailwaterElevationMin) {
      // Without an increment the curve has two rows, the second at Qmax, so
      // it takes the tailwater of Qmax.
      if (DeltaDischarge > 0)
        h += (TailwaterElevationMax - TailwaterElevationMin) / ((FloodDischarge - DesignDischarge) / DeltaDischarge);
      else
        h = TailwaterElevationMax;
    }
  }
}

void TCulvertBaseElement::CalculateBuriedDepthCurve() {
  ClearResults();
  if (!BuriedOption) return;
  double b = BuriedDepthMin;
  for (;;) {
    CalculateAndRecord(false, false, DesignDischarge, TailwaterElevationMin - OutletElevation, b);
    if (ReachedMaximum(b, BuriedDepthMax) || !(BuriedDepthDelta > 0) || b + BuriedDepthDelta == b) break;
    b += BuriedDepthDelta;
  }
}

// --- project ------------------------------------------------------------------------

TCulvertAnalysis::TCulvertAnalysis(const TNerraParameterList* parameters, const TCulvertBasePipeList* catalogue)
    : Catalogue(catalogue), Parameters(parameters), Elements(true) {}

void TCulvertAnalysis::SetAnalysisOption(int code) {
  AnalysisOption = code == 1 ? aoBuriedDepthCurve : code == 2 ? aoCulvertSystem : aoPerformanceCurve;
}

TCulvertBaseElement* TCulvertAnalysis::ElementById(int32_t id) const {
  const int index = Elements.IndexOfId(id);
  return index < 0 ? nullptr : Elements.Culvert(index);
}

std::string TCulvertAnalysis::CheckInputs() const {
  for (int i = 0; i < Elements.Count(); ++i) {
    const TCulvertBaseElement* e = Elements.Culvert(i);
    if (!e) continue;
    for (double v : {e->InletElevation, e->OutletElevation, e->TailwaterElevationMin, e->TailwaterElevationMax,
                     e->DesignDischarge, e->FloodDischarge, e->DeltaDischarge, e->CulvertLength, e->BuriedDepthMin,
                     e->BuriedDepthMax, e->BuriedDepthDelta, e->CoeffN, e->BuriedCoeffN, e->CoeffKE, e->FRise}) {
      if (!std::isfinite(v)) return ElementPrefix(*e) + "A value of this culvert is not a valid number.";
    }
    if (!e->Pipe) continue;  // computes nothing

    // Shapes whose section has no size cannot carry any flow.
    if (const auto* box = dynamic_cast<const TBoxSmoothElement*>(e); box && !(box->Rise() > 0 && box->Span() > 0))
      return ElementPrefix(*e) + "Box Height and Width should be greater than 0, when a Custom Size is selected.";
    if (const auto* span = dynamic_cast<const TLongSpanElement*>(e)) {
      if (!(span->FSpan > 0) || !(span->FRise > 0))
        return ElementPrefix(*e) + "Span and Rise should be greater than 0 for Long Span Culvert.";
      if (span->FTheta < 0 || span->FTheta > 180 || span->FPhi < 0 || span->FPhi > 180)
        return ElementPrefix(*e) + "Theta and Phi angles should between 0 and 180 degrees.";
      if (!(span->FRT > 0) || !(span->FRS > 0)) return ElementPrefix(*e) + "RT and RS should be greater than 0.";
    }
    if (!(e->Rise() > 0)) return ElementPrefix(*e) + "Pipe not compatible with current version. Check the input file.";

    if (AnalysisOption == aoPerformanceCurve &&
        CurveRowCount(e->DesignDischarge, e->FloodDischarge, e->DeltaDischarge) > MaxCurveRows)
      return ElementPrefix(*e) + "The discharge range gives more than " + std::to_string(MaxCurveRows) +
             " rows. Enlarge Qinc.";
    if (!e->BuriedOption) continue;  // computed without a bed
    const bool buriedCurve = AnalysisOption == aoBuriedDepthCurve;
    if (buriedCurve && CurveRowCount(e->BuriedDepthMin, e->BuriedDepthMax, e->BuriedDepthDelta) > MaxCurveRows)
      return ElementPrefix(*e) + "The buried depth range gives more than " + std::to_string(MaxCurveRows) +
             " rows. Enlarge Inc.";
    // A bed that fills the barrel leaves no flow section. The depths only
    // grow along a curve, so its last one is the deepest.
    double deepest = e->BuriedDepthMin;
    if (buriedCurve) {
      while (!ReachedMaximum(deepest, e->BuriedDepthMax) && e->BuriedDepthDelta > 0 &&
             deepest + e->BuriedDepthDelta != deepest)
        deepest += e->BuriedDepthDelta;
    }
    if (e->BuriedDepthMin < 0 || !(deepest < e->Rise())) return ElementPrefix(*e) + BuriedDepthMessage;
  }
  return std::string();
}

std::string TCulvertAnalysis::FindSystemLoop() const {
  // 0 not visited, 1 on the walk in progress, 2 known to end at an outlet.
  std::map<const TCulvertBaseElement*, int> state;
  for (int i = 0; i < Elements.Count(); ++i) {
    std::vector<TCulvertBaseElement*> walk;
    TCulvertBaseElement* e = Elements.Culvert(i);
    while (e && state[e] == 0) {
      state[e] = 1;
      walk.push_back(e);
      e = e->UseHW < 1 ? nullptr : ElementById(e->UseHW);
    }
    if (e && state[e] == 1) {
      if (walk.back() == e)
        return "Culvert System: culvert #" + std::to_string(e->ElementId) + " uses its own headwater as tailwater.";
      std::string ids;
      bool inLoop = false;
      for (const TCulvertBaseElement* w : walk) {
        if (w == e) inLoop = true;
        if (inLoop) ids += (ids.empty() ? "#" : ", #") + std::to_string(w->ElementId);
      }
      return "Culvert System: the Use Headwater links of culverts " + ids +
             " form a loop, so none of them drains to the outlet.";
    }
    for (TCulvertBaseElement* w : walk) state[w] = 2;
  }
  return std::string();
}

void TCulvertAnalysis::ComputeSystemCulvert(TCulvertBaseElement* e) {
  double t;
  if (e->UseHW < 1) {
    t = e->TailwaterElevationMin - e->OutletElevation;
  } else if (const TCulvertBaseElement* d = ElementById(e->UseHW)) {
    // The downstream headwater is a depth above its bed; its bed lies
    // BuriedDepth above its inlet invert (0 when not buried), as its row's
    // headwater elevation says.
    t = d->ControllingHeadwaterDepth() + d->BuriedDepth - (e->OutletElevation - d->InletElevation);
  } else {
    t = 0;
  }
  if (t < 0) t = 0;
  if (!e->BuriedOption) e->BuriedDepthMin = 0;
  // An analysed culvert has no road elevation (0). Below datum its inlet
  // would put that 0 above the inlet and search for an overflow over a road
  // that was never entered, cutting the discharge of the row.
  const bool checkOverflow = e->OverflowElevation != 0;
  e->CalculateAndRecord(true, checkOverflow, e->DesignDischarge, t, e->BuriedDepthMin);
  e->Calculated = true;
}

void TCulvertAnalysis::CalculateSystemElement(TCulvertBaseElement* element) {
  // Walk downstream to the first culvert already computed (or the outlet),
  // then compute back up; the same order as computing each downstream
  // culvert first, without recursion. Loops are refused before this runs.
  std::vector<TCulvertBaseElement*> chain;
  for (TCulvertBaseElement* e = element; e && !e->Calculated;) {
    chain.push_back(e);
    e = e->UseHW < 1 ? nullptr : ElementById(e->UseHW);
    if (chain.size() > static_cast<size_t>(Elements.Count())) return;  // a loop slipped through
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) ComputeSystemCulvert(*it);
}

int32_t TCulvertAnalysis::Calculate() {
  LastError.clear();
  for (int i = 0; i < Elements.Count(); ++i) {
    if (auto* e = Elements.Culvert(i)) e->Parameters = Parameters;
  }
  if (const std::string problem = CheckInputs(); !problem.empty()) {
    LastError = problem;
    return -1;
  }
  // A file whose every culvert is of an unknown type has nothing to show.
  if (Elements.Count() == 0 && !SkippedElements.empty()) {
    for (const std::string& skipped : SkippedElements) {
      if (!LastError.empty()) LastError += "\n";
      LastError += skipped;
    }
    return -1;
  }

  if (AnalysisOption == aoCulvertSystem) {
    Elements.ClearCalculated();
    if (!Elements.HasSingleOutlet()) {
      LastError = "Culvert System: exactly one culvert must be the system outlet (Use Headwater \"No inlet\").";
      return -1;
    }
    if (const std::string loop = FindSystemLoop(); !loop.empty()) {
      LastError = loop;
      return -1;
    }
    for (int i = 0; i < Elements.Count(); ++i) {
      if (auto* e = Elements.Culvert(i)) {
        e->PrepareCoefficients();
        e->ResultNotFinite = false;
      }
    }
    for (int i = 0; i < Elements.Count(); ++i) {
      if (auto* e = Elements.Culvert(i)) CalculateSystemElement(e);
    }
  } else {
    for (int i = 0; i < Elements.Count(); ++i) {
      auto* e = Elements.Culvert(i);
      if (!e) continue;
      e->PrepareCoefficients();
      if (AnalysisOption == aoBuriedDepthCurve)
        e->CalculateBuriedDepthCurve();
      else
        e->CalculatePerformanceCurve();
    }
  }

  for (int i = 0; i < Elements.Count(); ++i) {
    if (const auto* e = Elements.Culvert(i); e && e->ResultNotFinite) {
      LastError = ElementPrefix(*e) + "The computation gives no finite result. Check the culvert size and elevations.";
      return -1;
    }
  }
  // The results of the others stand, but the list must say what is missing.
  for (const std::string& skipped : SkippedElements) {
    if (!LastError.empty()) LastError += "\n";
    LastError += skipped;
  }
  return 0;
}

// --- file blocks -------------------------------------------------------------------

std::string TCulvertAnalysis::SaveInput() { return SaveText(false); }
std::string TCulvertAnalysis::SaveWithResults() { return SaveText(true); }

std::string TCulvertAnalysis::SaveText(bool withResults) {
  TXMLDocument document;
  TXMLElement* kind = BeginProjectFile(document, *this, KindElementName());
  WriteIdentification(kind, Identification);
  TXMLElement* list = kind->AddChild("CulvertAnalysisList");
  for (int i = 0; i < Elements.Count(); ++i) {
    const TCulvertBaseElement* e = Elements.Culvert(i);
    if (!e) continue;
    TXMLElement* x = list->AddChild("CulvertAnalysisElement");
    x->Attributes.SetAttribute("id", IntToXml(e->ElementId));
    if (e->BuriedOption && !withResults) x->Attributes.SetAttribute("BuriedOption", "Y");
    AddFloatLeaf(x, "InletElevation", e->InletElevation);
    AddFloatLeaf(x, "OutletElevation", e->OutletElevation);
    AddFloatLeaf(x, "TailwaterElevationMin", e->TailwaterElevationMin);
    AddFloatLeaf(x, "TailwaterElevationMax", e->TailwaterElevationMax);
    AddFloatLeaf(x, "DesignDischarge", e->DesignDischarge);
    AddFloatLeaf(x, "FloodDischarge", e->FloodDischarge);
    AddFloatLeaf(x, "DeltaDischarge", e->DeltaDischarge);
    AddIntLeaf(x, "UseHW", e->UseHW);
    const std::string type = e->CulvertTypeText();
    AddTextLeaf(x, "CulvertType", type);
    AddTextLeaf(x, "CorrugationType", e->CorrugationText());
    AddIntLeaf(x, "PipeSizeIndex", e->PipeSizeIndexValue());
    AddFloatLeaf(x, "CulvertLength", e->CulvertLength);
    if (withResults) AddFloatLeaf(x, "Slope", e->Slope());
    AddIntLeaf(x, "CulvertQuantity", e->CulvertQuantity);
    AddTextLeaf(x, "InletType", e->InletType);
    AddFloatLeaf(x, "BuriedDepthMin", e->BuriedDepthMin);
    AddFloatLeaf(x, "BuriedDepthMax", e->BuriedDepthMax);
    AddFloatLeaf(x, "BuriedDepthDelta", e->BuriedDepthDelta);
    AddFloatLeaf(x, "CoeffN", e->CoeffN);
    if (!withResults) AddFloatLeaf(x, "BuriedCoeffN", e->BuriedCoeffN);
    AddFloatLeaf(x, "CoeffKE", e->CoeffKE);
    if (type == "5") {
      if (const auto* box = dynamic_cast<const TBoxSmoothElement*>(e)) {
        if (box->FRise > 0) AddFloatLeaf(x, "Rise", box->FRise);
        if (box->FSpan > 0) AddFloatLeaf(x, "Span", box->FSpan);
      }
    } else if (type == "7") {
      if (const auto* span = dynamic_cast<const TLongSpanElement*>(e)) {
        AddFloatLeaf(x, "Span", span->FSpan);
        AddFloatLeaf(x, "Rise", span->FRise);
        AddTextLeaf(x, "UnsubInlet", span->UnsubInlet);
        AddTextLeaf(x, "SubInlet", span->SubInlet);
        AddFloatLeaf(x, "Theta", span->FTheta);
        AddFloatLeaf(x, "Phi", span->FPhi);
        AddFloatLeaf(x, "RT", span->FRT);
        AddFloatLeaf(x, "RS", span->FRS);
        AddFloatLeaf(x, "FlowArea", span->FlowArea);
      }
    }
    if (withResults) {
      TXMLElement* results = x->AddChild("CalculationResult");
      for (int r = 0; r < e->Results.Count(); ++r) {
        const TCulvertElementResult* row = e->Results.Row(r);
        if (!row) continue;
        TXMLElement* y = results->AddChild("Result");
        AddFloatLeaf(y, "Flow", row->Flow);
        AddFloatLeaf(y, "HeadwaterLoss", row->HeadwaterLoss);
        AddFloatLeaf(y, "InletHeadwater", row->InletHeadwater);
        AddFloatLeaf(y, "OutletHeadwater", row->OutletHeadwater);
        AddTextLeaf(y, "FlowType", row->FlowType);
        AddFloatLeaf(y, "Velocity", row->Velocity);
        AddFloatLeaf(y, "NormalDepth", row->NormalDepth);
        AddFloatLeaf(y, "CriticalDepth", row->CriticalDepth);
        AddFloatLeaf(y, "CoeffN", e->EffectiveN);
        AddTextLeaf(y, "HeadwaterControl", row->HeadwaterControl);
        AddFloatLeaf(y, "Overflow", row->Overflow);
        AddFloatLeaf(y, "Tailwater", row->Tailwater);
      }
    }
  }
  return ProjectFileText(document);
}

namespace {

// A size label such as "6.0 x 4.0 ft.".
std::string OwnSizeLabel(double span, double rise) { return FixedText(span, 1) + " x " + FixedText(rise, 1) + " ft."; }

// The leaf elements of one culvert element by name; a missing leaf reads
// as empty text.
class TElementLeaves {
public:
  explicit TElementLeaves(const TXMLElement& element) {
    for (int k = 0; k < element.ChildCount(); ++k) FLeaves[element.Child(k)->Name] = element.Child(k)->Text;
  }
  double Number(const char* name) const { return XmlToFloat(Leaf(name), name); }
  int32_t Integer(const char* name) const { return XmlToInt(Leaf(name)); }
  std::string Text(const char* name) const { return XmlToText(Leaf(name)); }

private:
  std::map<std::string, std::string> FLeaves;

  std::string Leaf(const char* name) const {
    const auto found = FLeaves.find(name);
    return found == FLeaves.end() ? std::string() : found->second;
  }
};

void ReadCulvertInput(TCulvertBaseElement& e, const TElementLeaves& leaf) {
  e.InletElevation = leaf.Number("InletElevation");
  e.OutletElevation = leaf.Number("OutletElevation");
  e.TailwaterElevationMin = leaf.Number("TailwaterElevationMin");
  e.TailwaterElevationMax = leaf.Number("TailwaterElevationMax");
  e.DesignDischarge = leaf.Number("DesignDischarge");
  e.FloodDischarge = leaf.Number("FloodDischarge");
  e.DeltaDischarge = leaf.Number("DeltaDischarge");
  e.UseHW = leaf.Integer("UseHW");
  e.CulvertLength = leaf.Number("CulvertLength");
  e.CulvertQuantity = leaf.Integer("CulvertQuantity");
  e.InletType = leaf.Text("InletType");
  e.BuriedDepthMin = leaf.Number("BuriedDepthMin");
  e.BuriedDepthMax = leaf.Number("BuriedDepthMax");
  e.BuriedDepthDelta = leaf.Number("BuriedDepthDelta");
  e.CoeffN = leaf.Number("CoeffN");
  e.BuriedCoeffN = leaf.Number("BuriedCoeffN");
  e.CoeffKE = leaf.Number("CoeffKE");
  e.OverflowElevation = 0;
  e.CatalogueCorrugation = leaf.Text("CorrugationType");
  e.CatalogueIndex = leaf.Integer("PipeSizeIndex");
}

// A box not in the catalogue is a custom box with a section of its own.
void ReadBoxSize(TBoxSmoothElement& box, const TElementLeaves& leaf) {
  box.FSpan = leaf.Number("Span");
  box.FRise = leaf.Number("Rise");
  if (box.Pipe) return;
  TCulvertBasePipe& own = box.MakeOwnPipe();
  own.CulvertType = "5";
  own.PipeSizeIndex = -1;
  own.SizeLabel = OwnSizeLabel(box.FSpan, box.FRise);
  own.Rise = box.FRise;
  own.Span = box.FSpan;
  own.n = 0.012;
}

// A long span always has a section of its own, and always a buried bed.
void ReadLongSpan(TLongSpanElement& span, const TElementLeaves& leaf) {
  span.BuriedOption = true;
  span.FSpan = leaf.Number("Span");
  span.FRise = leaf.Number("Rise");
  span.FTheta = leaf.Number("Theta");
  span.FPhi = leaf.Number("Phi");
  span.FRT = leaf.Number("RT");
  span.FRS = leaf.Number("RS");
  span.FlowArea = leaf.Number("FlowArea");
  span.UnsubInlet = leaf.Text("UnsubInlet");
  span.SubInlet = leaf.Text("SubInlet");
  TCulvertBasePipe& own = span.MakeOwnPipe();
  own.CulvertType = "7";
  own.PipeSizeIndex = -1;
  own.SizeLabel = OwnSizeLabel(span.FSpan, span.FRise);
  own.Rise = span.FRise;
  own.Span = span.FSpan;
  own.n = 0;
}

// One "CulvertAnalysisElement"; none for an unknown culvert type.
std::unique_ptr<TCulvertBaseElement> ReadCulvertElement(const TXMLElement& x, const TNerraParameterList* parameters,
                                                        const TCulvertBasePipeList* catalogue) {
  const TElementLeaves leaf(x);
  const std::string type = leaf.Text("CulvertType");
  std::unique_ptr<TCulvertBaseElement> e = CreateCulvertElement(type);
  if (!e) return e;
  e->Parameters = parameters;
  e->ElementId = XmlToInt(x.Attributes.GetAttribute("id"));
  e->BuriedOption = XmlToBool(x.Attributes.GetAttribute("BuriedOption"));
  ReadCulvertInput(*e, leaf);
  e->Pipe = catalogue ? catalogue->FindPipe(type, e->CatalogueCorrugation, e->CatalogueIndex) : nullptr;
  if (auto* box = dynamic_cast<TBoxSmoothElement*>(e.get()))
    ReadBoxSize(*box, leaf);
  else if (auto* span = dynamic_cast<TLongSpanElement*>(e.get()))
    ReadLongSpan(*span, leaf);
  return e;
}

}  // namespace

void TCulvertAnalysis::Load(const std::string& text) {
  SkippedElements.clear();
  TXMLDocument document;
  TXMLElement* kind = OpenProjectText(document, text, *this, {"CulvertAnalysis"}, IncompatibleMessage);
  if (!kind) return;
  for (int i = 0; i < kind->ChildCount(); ++i) {
    const TXMLElement* block = kind->Child(i);
    if (block->Name == "Identification") {
      ReadIdentification(block, Identification);
      continue;
    }
    if (block->Name != "CulvertAnalysisList") continue;
    for (int j = 0; j < block->ChildCount(); ++j) {
      const TXMLElement* x = block->Child(j);
      if (x->Name != "CulvertAnalysisElement") continue;
      std::unique_ptr<TCulvertBaseElement> e = ReadCulvertElement(*x, Parameters, Catalogue);
      if (!e) {
        // Not computed; Calculate names it, so it is not left out without a word.
        SkippedElements.push_back("Element #" + x->Attributes.GetAttribute("id") + ": Culvert Type \"" +
                                  TElementLeaves(*x).Text("CulvertType") + "\" is not known; the element is left out.");
        continue;
      }
      const std::string key = std::to_string(e->ElementId);
      Elements.Add(key, e.release());
    }
  }
}
