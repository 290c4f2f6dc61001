#include "appmodel/CulvertAnalysisEntry.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "culvert/CulvertShapes.h"
#include "foundation/DisplayFormat.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

TCulvertTypePage PageOfPipeType(const std::string& pipeType) {
  if (pipeType == "5") return TCulvertTypePage::Box;
  if (pipeType == "7") return TCulvertTypePage::LongSpan;
  return TCulvertTypePage::Pipe;
}

TParameterCategory InletCategoryOf(const std::string& pipeType, bool buriedOption) {
  if (!buriedOption) return pcInletType;
  if (pipeType == "1") return pcCircularConcreteInletType;
  if (pipeType == "2") return pcCircularCorrugatedInletType;
  if (pipeType == "3") return pcEllipticalConcreteInletType;
  return pcInletType;
}

bool CorrugationCategoryOf(const std::string& pipeType, TParameterCategory& category) {
  if (pipeType == "2") {
    category = pcCircularCorrugationType;
    return true;
  }
  if (pipeType == "4") {
    category = pcArcCorrugationType;
    return true;
  }
  return false;
}

TPipeTypeView ApplyPipeTypeRules(const std::string& pipeType, bool& buriedOption) {
  TPipeTypeView view;
  view.Page = PageOfPipeType(pipeType);
  if (pipeType == "4") {
    buriedOption = false;
    view.BurialOptionVisible = false;
  }
  if (view.Page == TCulvertTypePage::LongSpan) {
    buriedOption = true;
    view.BurialOptionVisible = false;
    view.KeVisible = false;
  }
  view.PipeCoefficientsVisible =
      view.Page == TCulvertTypePage::Pipe && buriedOption && (pipeType == "1" || pipeType == "2" || pipeType == "3");
  view.BuriedDepthVisible = buriedOption;
  return view;
}

namespace {

bool IsOwnPipe(const TCulvertBaseElement& element) { return element.OwnPipe && element.Pipe == element.OwnPipe.get(); }

void LoadShape(TCulvertAnalysisEntryValues& v, const TCulvertBaseElement& element) {
  const TCulvertBasePipe* catalogueSize = IsOwnPipe(element) ? nullptr : element.Pipe;
  switch (PageOfPipeType(v.PipeType)) {
    case TCulvertTypePage::Pipe:
      v.InletType = element.InletType;
      v.CorrugationType = element.CorrugationText();
      v.PipeSize = catalogueSize;
      break;
    case TCulvertTypePage::Box:
      v.BoxInletType = element.InletType;
      v.CustomBox = !catalogueSize || catalogueSize->PipeSizeIndex <= 0;
      v.BoxSize = v.CustomBox ? nullptr : catalogueSize;
      if (const auto* box = dynamic_cast<const TBoxSmoothElement*>(&element)) {
        v.BoxWidth = box->FSpan;
        v.BoxHeight = box->FRise;
      }
      break;
    case TCulvertTypePage::LongSpan:
      if (const auto* span = dynamic_cast<const TLongSpanElement*>(&element)) {
        v.Span = span->FSpan;
        v.Rise = span->FRise;
        v.Theta = span->FTheta;
        v.Phi = span->FPhi;
        v.RT = span->FRT;
        v.RS = span->FRS;
        v.FlowArea = span->FlowArea;
        v.UnsubInlet = span->UnsubInlet;
        v.SubInlet = span->SubInlet;
      }
      break;
  }
}

}  // namespace

void TCulvertAnalysisEntryValues::Load(const TCulvertBaseElement& element) {
  PipeNumber = element.ElementId;
  UseHW = element.UseHW;
  PipeType = element.CulvertTypeText();
  PipeLength = element.CulvertLength;
  Quantity = std::max<int32_t>(element.CulvertQuantity, 1);
  BuriedOption = element.BuriedOption;
  InletInvert = element.InletElevation;
  OutletInvert = element.OutletElevation;
  TailwaterMin = element.TailwaterElevationMin;
  TailwaterMax = element.TailwaterElevationMax;
  FlowMin = element.DesignDischarge;
  FlowMax = element.FloodDischarge;
  FlowDelta = element.DeltaDischarge;
  BuriedDepthMin = element.BuriedDepthMin;
  BuriedDepthMax = element.BuriedDepthMax;
  BuriedDepthDelta = element.BuriedDepthDelta;
  CoeffN = element.CoeffN;
  BuriedCoeffN = element.BuriedCoeffN;
  CoeffKE = element.CoeffKE;
  LoadShape(*this, element);
}

namespace {

bool AllFinite(const TCulvertAnalysisEntryValues& v) {
  for (double x : {v.PipeLength,
                   v.BoxWidth,
                   v.BoxHeight,
                   v.Span,
                   v.Rise,
                   v.Theta,
                   v.Phi,
                   v.RT,
                   v.RS,
                   v.FlowArea,
                   v.InletInvert,
                   v.OutletInvert,
                   v.CoeffN,
                   v.BuriedCoeffN,
                   v.CoeffKE,
                   v.FlowMin,
                   v.FlowMax,
                   v.FlowDelta,
                   v.TailwaterMin,
                   v.TailwaterMax,
                   v.BuriedDepthMin,
                   v.BuriedDepthMax,
                   v.BuriedDepthDelta}) {
    if (!std::isfinite(x)) return false;
  }
  return true;
}

bool PipeNumberTaken(const TCulvertElementList& list, const TCulvertBaseElement* edited, int32_t number) {
  for (int i = 0; i < list.Count(); ++i) {
    const TNerraElement* other = list.Element(i);
    if (other && other != edited && other->ElementId == number) return true;
  }
  return false;
}

std::string GeneralCheck(const TCulvertAnalysisEntryValues& v, const TCulvertElementList& list,
                         const TCulvertBaseElement* edited) {
  if (v.PipeNumber <= 0 || PipeNumberTaken(list, edited, v.PipeNumber)) return InvalidPipeNumberMessage;
  if (v.OutletInvert >= v.InletInvert) return "Outlet Invert Elevation should be lower than Inlet Invert Elevation.";
  if (v.TailwaterMax != 0 && v.TailwaterMax < v.TailwaterMin)
    return "Tailwater Min. should be lower than Tailwater Max.";
  if (v.PipeLength <= 0) return "Pipe length should be greater than 0.";
  if (v.FlowMin <= 0) return "Discharge Min. should be greater than 0.";
  if (v.FlowMax != 0 && !(v.FlowMax > v.FlowMin)) return "Discharge Max. should be greater than Discharge Min.";
  if (v.CoeffN < 0 || v.CoeffN >= 1) return "Manning's N Coefficient should greater than 0 and less than 1.";
  if (v.CoeffKE < 0 || v.CoeffKE >= 1)
    return "Entrance Loss Coefficient (Ke) should be greater than 0 and less than 1.";
  return std::string();
}

std::string PageCheck(const TCulvertAnalysisEntryValues& v) {
  // Only the six shapes make an element.
  if (!CreateCulvertElement(v.PipeType)) return "Pipe Type should be selected.";
  switch (PageOfPipeType(v.PipeType)) {
    case TCulvertTypePage::Pipe:
      // Without a size the culvert would compute nothing and show no rows.
      if (!v.PipeSize) return "Pipe Size should be selected.";
      break;
    case TCulvertTypePage::Box:
      if (v.CustomBox && (v.BoxHeight <= 0 || v.BoxWidth <= 0))
        return "Box Height and Width should be greater than 0, when a Custom Size is selected.";
      if (!v.CustomBox && !v.BoxSize) return "Pipe Size should be selected.";
      break;
    case TCulvertTypePage::LongSpan:
      if (v.Span <= 0 || v.Rise <= 0) return "Span and Rise should be greater than 0 for Long Span Culvert.";
      if (v.Theta < 0 || v.Theta > 180 || v.Phi < 0 || v.Phi > 180)
        return "Theta and Phi angles should between 0 and 180 degrees.";
      if (v.RT <= 0 || v.RS <= 0) return "RT and RS should be greater than 0.";
      if (v.FlowArea <= 0) return "Flow Area should be greater than 0.";
      break;
  }
  return std::string();
}

}  // namespace

std::string TCulvertAnalysisEntryValues::Check(const TCulvertElementList& list,
                                               const TCulvertBaseElement* edited) const {
  if (!AllFinite(*this)) return "Data entered is incorrect.";
  // The page checks run whatever the general ones found, and win.
  const std::string general = GeneralCheck(*this, list, edited);
  const std::string page = PageCheck(*this);
  return page.empty() ? general : page;
}

namespace {

void StorePipe(const TCulvertAnalysisEntryValues& v, TCulvertBaseElement& e) {
  e.InletType = v.InletType;
  e.OwnPipe.reset();
  e.Pipe = v.PipeSize;
  const bool corrugated = v.PipeType == "2" || v.PipeType == "4";
  e.CatalogueCorrugation = corrugated && v.PipeSize ? v.PipeSize->CorrugationType : std::string();
  e.CatalogueIndex = v.PipeSize ? v.PipeSize->PipeSizeIndex : 0;
}

void StoreBox(const TCulvertAnalysisEntryValues& v, TBoxSmoothElement& box) {
  box.InletType = v.BoxInletType;
  box.FRise = v.BoxHeight;
  box.FSpan = v.BoxWidth;
  box.CatalogueCorrugation.clear();
  if (v.CustomBox || !v.BoxSize) {
    TCulvertBasePipe& own = box.MakeOwnPipe();
    own.CulvertType = "5";
    own.PipeSizeIndex = -1;
    own.Rise = box.FRise;
    own.Span = box.FSpan;
    own.n = 0.012;
    own.SizeLabel = OwnPipeSizeLabel(box.FSpan, box.FRise);
    box.CatalogueIndex = -1;
  } else {
    box.OwnPipe.reset();
    box.Pipe = v.BoxSize;
    box.CatalogueIndex = v.BoxSize->PipeSizeIndex;
  }
}

void StoreLongSpan(const TCulvertAnalysisEntryValues& v, TLongSpanElement& span) {
  span.FSpan = v.Span;
  span.FRise = v.Rise;
  span.FTheta = v.Theta;
  span.FPhi = v.Phi;
  span.FRT = v.RT;
  span.FRS = v.RS;
  span.FlowArea = v.FlowArea;
  span.SubInlet = v.SubInlet;
  span.UnsubInlet = v.UnsubInlet;
  // A long span always uses the coefficient equations.
  span.BuriedOption = true;
  TCulvertBasePipe& own = span.MakeOwnPipe();
  own.CulvertType = "7";
  own.PipeSizeIndex = -1;
  own.Rise = span.FRise;
  own.Span = span.FSpan;
  own.n = 0;
  own.SizeLabel = OwnPipeSizeLabel(span.FSpan, span.FRise);
  span.CatalogueCorrugation.clear();
  span.CatalogueIndex = -1;
}

}  // namespace

std::unique_ptr<TCulvertBaseElement> TCulvertAnalysisEntryValues::Build(const TCulvertBaseElement* original,
                                                                        const TNerraParameterList* parameters) const {
  std::unique_ptr<TCulvertBaseElement> e = CreateCulvertElement(PipeType);
  if (!e) return nullptr;
  if (original && original->CulvertTypeCode() == PipeType) e->Assign(original);
  if (parameters) e->Parameters = parameters;
  e->ElementId = PipeNumber;
  e->UseHW = UseHW;
  e->InletElevation = InletInvert;
  e->OutletElevation = OutletInvert;
  e->TailwaterElevationMin = TailwaterMin;
  e->TailwaterElevationMax = TailwaterMax;
  e->CulvertLength = PipeLength;
  e->CulvertQuantity = Quantity >= 1 ? Quantity : 1;
  e->BuriedOption = BuriedOption;
  e->OverflowElevation = 0;
  e->DesignDischarge = FlowMin;
  e->FloodDischarge = FlowMax;
  e->DeltaDischarge = FlowDelta;
  e->CoeffN = CoeffN;
  e->BuriedCoeffN = BuriedCoeffN;
  e->CoeffKE = CoeffKE;
  e->BuriedDepthMin = BuriedDepthMin;
  e->BuriedDepthMax = BuriedDepthMax;
  e->BuriedDepthDelta = BuriedDepthDelta;
  if (auto* box = dynamic_cast<TBoxSmoothElement*>(e.get()))
    StoreBox(*this, *box);
  else if (auto* span = dynamic_cast<TLongSpanElement*>(e.get()))
    StoreLongSpan(*this, *span);
  else
    StorePipe(*this, *e);
  return e;
}

std::string CulvertAnalysisCaption(const TCulvertBaseElement* element) {
  std::string caption = "Culvert Analysis Element Entry";
  if (element) caption += " #" + std::to_string(element->ElementId);
  return caption;
}

int32_t NewPipeNumber(const TCulvertElementList& list) { return std::max<int32_t>(list.MaxId(), 0) + 1; }

std::string CheckBuriedDepth(const TCulvertBaseElement& element) {
  if (!element.BuriedOption) return std::string();
  const double rise = element.Rise();
  if (!(rise > element.BuriedDepthMin) || !(rise > element.BuriedDepthMax))
    return "Buried Depth should zero or not greater than the Pipe Rise or Diameter.";
  return std::string();
}

std::string OwnPipeSizeLabel(double span, double rise) {
  return FixedText(span, 1) + " x " + FixedText(rise, 1) + " ft.";
}

TNerraInletTypeCode LongSpanCoefficientSet(const TNerraUnsubmergedInletCode& unsubmerged,
                                           const TNerraSubmergedInletCode& submerged) {
  TNerraInletTypeCode set;
  set.Code = unsubmerged.Code;
  set.Description = unsubmerged.Description;
  set.KE = unsubmerged.KE;
  set.K = unsubmerged.K;
  set.M = unsubmerged.M;
  set.QMAX = unsubmerged.QMAX;
  set.SL = unsubmerged.SL;
  set.KP = submerged.KP;
  set.KD = submerged.KD;
  set.QMIN = submerged.QMIN;
  return set;
}

// --- result grid ----------------------------------------------------------------

namespace {

const char* const Headings[CulvertAnalysisResultColumnCount] = {
    "Q (cfs.)", "Headloss (ft.)", "HWCI (ft.)", "HWCO (ft.)",      "Flow Type",          "Velocity (fps.)",
    "DN (ft.)", "DC (ft.)",       "Manning N",  "Type HW Control", "Buried Depth (ft.)", "Tailwater (ft.)",
};

}  // namespace

std::string CulvertAnalysisResultHeading(int column) {
  if (column < 0 || column >= CulvertAnalysisResultColumnCount) return std::string();
  return Headings[column];
}

std::string InletHeadwaterCell(const TCulvertElementResult& row) {
  return FormatFixed(row.InletHeadwater, 2) + (row.InletControlExtrapolated ? InletExtrapolatedMark : "");
}

bool AnyInletControlExtrapolated(const TNerraBaseList& rows) {
  for (int i = 0; i < rows.Count(); ++i)
    if (const auto* row = dynamic_cast<const TCulvertElementResult*>(rows.Object(i));
        row && row->InletControlExtrapolated)
      return true;
  return false;
}

std::string CulvertAnalysisResultCell(const TCulvertElementResult& row, int column) {
  switch (column) {
    case 0: return FormatFixed(row.Flow, 2);
    case 1: return FormatFixed(row.HeadwaterLoss, 2);
    case 2: return InletHeadwaterCell(row);
    case 3: return row.OutletHeadwaterValid ? FormatFixed(row.OutletHeadwater, 2) : std::string("N/A");
    case 4: return row.FlowType;
    case 5: return FormatFixed(row.Velocity, 2);
    case 6: return FormatFixed(row.NormalDepth, 2);
    case 7: return FormatFixed(row.CriticalDepth, 2);
    case 8: return FormatFixed(row.CoeffN, 4);
    case 9: return row.HeadwaterControl;
    case 10: return FormatFixed(row.BuriedDepth, 2);
    case 11: return FormatFixed(row.Tailwater, 2);
    default: return std::string();
  }
}
