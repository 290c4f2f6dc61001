#include "model/PipeCatalogue.h"

#include <exception>

#include "model/Geometry.h"
#include "model/ParameterList.h"
#include "xml/XmlDocument.h"

namespace {

// The catalogue gives rises, widths and burial depths of the shaped sizes
// in inches and circular diameters and box sides in feet; arch top radii
// are stored scaled by 6.
constexpr double InchesPerFoot = 12;
constexpr double TopRadiusDivisor = 6;

double Attr(const TXMLElement& pipe, const char* name) { return XmlToFloat(pipe.Attributes.GetAttribute(name)); }

void ReadCommon(TCulvertBasePipe& entry, const TXMLElement& pipe) {
  entry.PipeSizeIndex = XmlToInt(pipe.Attributes.GetAttribute("id"));
  entry.SizeLabel = XmlToText(pipe.Attributes.GetAttribute("size"));
  entry.n = Attr(pipe, "n");
}

void ReadCircular(TCulvertBasePipe& entry, const TXMLElement& pipe) {
  ReadCommon(entry, pipe);
  entry.Rise = Attr(pipe, "diameter");
  entry.BurialDepth = Attr(pipe, "burial") / InchesPerFoot;
}

void ReadShaped(TCulvertBasePipe& entry, const TXMLElement& pipe) {
  ReadCommon(entry, pipe);
  entry.Rise = Attr(pipe, "rise") / InchesPerFoot;
  entry.Span = Attr(pipe, "width") / InchesPerFoot;
  entry.Area = Attr(pipe, "area");
  entry.HydraulicRadius = Attr(pipe, "radius");
}

void ReadPipe(const std::string& type, TCulvertBasePipe& entry, const TXMLElement& pipe) {
  entry.CulvertType = type;
  if (type == "1") {
    ReadCircular(entry, pipe);
  } else if (type == "2") {
    entry.CorrugationType = XmlToText(pipe.Attributes.GetAttribute("corrugation"));
    ReadCircular(entry, pipe);
  } else if (type == "3") {
    ReadShaped(entry, pipe);
    entry.BurialDepth = Attr(pipe, "burial") / InchesPerFoot;
  } else if (type == "4") {
    entry.CorrugationType = XmlToText(pipe.Attributes.GetAttribute("corrugation"));
    ReadShaped(entry, pipe);
    entry.TopRadius = Attr(pipe, "top") / TopRadiusDivisor;
    entry.BurialDepth = 0;  // arches take no burial depth, whatever the file says
  } else {
    ReadCommon(entry, pipe);
    entry.Rise = Attr(pipe, "height");
    entry.Span = Attr(pipe, "width");
    entry.Standard = XmlToBool(pipe.Attributes.GetAttribute("standard"));
    entry.BurialDepth = Attr(pipe, "burial") / InchesPerFoot;
  }
}

// The culvert type a list element holds; empty for other elements.
std::string TypeOfListElement(const std::string& name) {
  if (name == "CircularSmoothPipeList") return "1";
  if (name == "CircularCorrugatedPipeList") return "2";
  if (name == "EllipticalSmoothPipeList") return "3";
  if (name == "ArcCorrugatedPipeList") return "4";
  if (name == "BoxSmoothPipeList") return "5";
  return std::string();
}

// Why a catalogue size cannot be computed with; empty when it can. A size
// without a rise, a span or an area would give no flow area, and every
// hydraulic value of a culvert of that size would be infinite or undefined.
std::string PipeProblem(const std::string& listName, const TCulvertBasePipe& entry, const TXMLElement& pipe) {
  const std::string where = "Pipe catalogue " + listName + ", size \"" + entry.SizeLabel + "\" (id " +
                            pipe.Attributes.GetAttribute("id") + "): ";
  // The dimensions must be numbers; other attributes keep reading a
  // malformed value as 0, as they always have.
  for (const char* name : {"diameter", "rise", "width", "height", "area", "radius"}) {
    const std::string text = pipe.Attributes.GetAttribute(name);
    if (!IsParameterNumberText(text))
      return where + name + " is \"" + text + "\", not a finite number. Check Installation.";
  }
  const std::string& type = entry.CulvertType;
  if (!(entry.Rise > 0)) return where + "the rise must be greater than 0. Check Installation.";
  if ((type == "3" || type == "4" || type == "5") && !(entry.Span > 0))
    return where + "the span must be greater than 0. Check Installation.";
  if ((type == "3" || type == "4") && !(entry.Area > 0))
    return where + "the area must be greater than 0. Check Installation.";
  if ((type == "3" || type == "4") && !(entry.HydraulicRadius > 0))
    return where + "the hydraulic radius must be greater than 0. Check Installation.";
  return std::string();
}

bool Matches(const TCulvertBasePipe* pipe, const std::string& type, const std::string& corrugation) {
  return pipe && pipe->CulvertType == type && pipe->CorrugationType == corrugation;
}

// MaxPipeIndex and PipesOf ignore the corrugation for these two types only;
// a box asked for with a corrugation matches nothing there.
std::string CorrugationForListing(const std::string& type, const std::string& corrugation) {
  return (type == "1" || type == "3") ? std::string() : corrugation;
}

}  // namespace

void TCulvertBasePipe::Assign(const TBaseObject* source) {
  TNerraBase::Assign(source);
  if (const auto* pipe = dynamic_cast<const TCulvertBasePipe*>(source)) {
    Rise = pipe->Rise;
    CulvertType = pipe->CulvertType;
    CorrugationType = pipe->CorrugationType;
    PipeSizeIndex = pipe->PipeSizeIndex;
    Span = pipe->Span;
    Area = pipe->Area;
    TopRadius = pipe->TopRadius;
    HydraulicRadius = pipe->HydraulicRadius;
    n = pipe->n;
    SizeLabel = pipe->SizeLabel;
    Standard = pipe->Standard;
    BurialDepth = pipe->BurialDepth;
  }
}

double FullArea(const TCulvertBasePipe& pipe) {
  if (pipe.CulvertType == "1" || pipe.CulvertType == "2") return Pi * pipe.Rise * pipe.Rise / 4;
  if (pipe.CulvertType == "5") return pipe.Rise * pipe.Span;
  return pipe.Area;
}

double FullArea(const TCulvertBasePipe* pipe) { return pipe ? FullArea(*pipe) : 0.0; }

double FullHydraulicRadius(const TCulvertBasePipe& pipe) {
  if (pipe.CulvertType == "1" || pipe.CulvertType == "2") return pipe.Rise / 4;
  if (pipe.CulvertType == "5") {
    const double perimeter = 2 * (pipe.Rise + pipe.Span);
    return perimeter > 0 ? pipe.Rise * pipe.Span / perimeter : 0.0;
  }
  return pipe.HydraulicRadius;
}

double FullHydraulicRadius(const TCulvertBasePipe* pipe) { return pipe ? FullHydraulicRadius(*pipe) : 0.0; }

double TopRadiusOrRise(const TCulvertBasePipe& pipe) { return pipe.CulvertType == "4" ? pipe.TopRadius : pipe.Rise; }

double TopRadiusOrRise(const TCulvertBasePipe* pipe) { return pipe ? TopRadiusOrRise(*pipe) : 0.0; }

std::string TCulvertBasePipeList::LoadPipeFile(const std::string& fileName) {
  std::string text;
  LastError = ReadParameterFileText(fileName, text);
  if (LastError.empty()) LoadPipes(text);
  return LastError;
}

void TCulvertBasePipeList::LoadPipes(const std::string& text) {
  TXMLDocument document;
  const TXMLElement* catalogue = ParameterFileBlock(
      document, text, "UniversalCulvertParameters", 101,
      "The universal parameters file is not compatible with this version of Drevia. Reinstall the complete package",
      LastError);
  if (!catalogue) return;
  for (int i = 0; i < catalogue->ChildCount(); ++i) {
    const TXMLElement* list = catalogue->Child(i);
    const std::string type = list ? TypeOfListElement(list->Name) : std::string();
    if (type.empty()) continue;
    for (int j = 0; j < list->ChildCount(); ++j) {
      const TXMLElement* pipe = list->Child(j);
      if (!pipe || pipe->Name != "Pipe") continue;
      auto entry = std::make_unique<TCulvertBasePipe>();
      ReadPipe(type, *entry, *pipe);
      LastError = PipeProblem(list->Name, *entry, *pipe);
      if (!LastError.empty()) {
        Clear();
        return;
      }
      Add(std::string(), entry.release());
    }
  }
}

TCulvertBasePipe* TCulvertBasePipeList::FindPipe(const std::string& type, const std::string& corrugation,
                                                 int32_t id) const {
  const bool plain = type == "1" || type == "3" || type == "5";
  const std::string& wanted = plain ? std::string() : corrugation;
  for (int i = 0; i < Count(); ++i) {
    TCulvertBasePipe* pipe = Pipe(i);
    if (Matches(pipe, type, wanted) && pipe->PipeSizeIndex == id) return pipe;
  }
  return nullptr;
}

int32_t TCulvertBasePipeList::MaxPipeIndex(const std::string& type, const std::string& corrugation) const {
  const std::string wanted = CorrugationForListing(type, corrugation);
  int32_t largest = 0;
  bool any = false;
  for (int i = 0; i < Count(); ++i) {
    const TCulvertBasePipe* pipe = Pipe(i);
    if (!Matches(pipe, type, wanted)) continue;
    if (!any || pipe->PipeSizeIndex > largest) largest = pipe->PipeSizeIndex;
    any = true;
  }
  return largest;
}

std::unique_ptr<TNerraBaseList> TCulvertBasePipeList::PipesOf(const std::string& type,
                                                              const std::string& corrugation) const {
  const std::string wanted = CorrugationForListing(type, corrugation);
  auto list = std::make_unique<TNerraBaseList>(false);
  for (int i = 0; i < Count(); ++i) {
    TCulvertBasePipe* pipe = Pipe(i);
    if (Matches(pipe, type, wanted)) list->Add(pipe->SizeLabel, pipe);
  }
  return list;
}
