#include "model/ParameterList.h"

#include <array>
#include <cmath>
#include <exception>

#include "model/FileConversion.h"
#include "model/Geometry.h"
#include "xml/XmlDocument.h"

namespace {

constexpr std::array<const char*, ParameterCategoryCount> CategoryTypeNames = {
    "RainfallArea",
    "StormFrequency",
    "RainfallCoefficient",
    "SewerSide",
    "StructureCategory",
    "StructureType",
    "SumpType",
    "CBType",
    "SurfaceType",
    "LiningType",
    "UnsubmergedInlet",
    "SubmergedInlet",
    "DesignPipeType",
    "AnalysisPipeType",
    "HWType",
    "CircularCorrugationType",
    "ArcCorrugationType",
    "BoxInletType",
    "CircularConcreteInletType",
    "CircularCorrugatedInletType",
    "EllipticalConcreteInletType",
    "InletType",
    "ArchCorrugatedInletType",
};

// Calls visit(name, text) for every child element, in file order; a name
// given twice ends with the later value.
template <class Visitor>
void ForEachLeaf(const TXMLElement& element, Visitor visit) {
  for (int i = 0; i < element.ChildCount(); ++i) {
    const TXMLElement* child = element.Child(i);
    if (child) visit(child->Name, child->Text);
  }
}

bool IsInletTypeCategory(TParameterCategory category) {
  switch (category) {
    case pcBoxInletType:
    case pcCircularConcreteInletType:
    case pcCircularCorrugatedInletType:
    case pcEllipticalConcreteInletType:
    case pcArchCorrugatedInletType: return true;
    default: return false;
  }
}

std::unique_ptr<TNerraBaseCode> CreateCodeEntry(TParameterCategory category, const TXMLElement& element) {
  switch (category) {
    case pcRainfallCoefficient: return std::make_unique<TNerraRainfallParameter>(category, element);
    case pcStructureType: return std::make_unique<TNerraStructureTypeCode>(category, element);
    case pcUnsubmergedInlet: return std::make_unique<TNerraUnsubmergedInletCode>(category, element);
    case pcSubmergedInlet: return std::make_unique<TNerraSubmergedInletCode>(category, element);
    default: break;
  }
  if (IsInletTypeCategory(category)) return std::make_unique<TNerraInletTypeCode>(category, element);
  auto entry = std::make_unique<TNerraBaseCode>();
  entry->Category = category;
  LoadBaseCodeFields(*entry, element);
  return entry;
}

}  // namespace

std::string CategoryTypeName(TParameterCategory category) {
  const auto index = static_cast<size_t>(category);
  return index < CategoryTypeNames.size() ? CategoryTypeNames[index] : std::string();
}

bool CategoryOfTypeName(const std::string& typeName, TParameterCategory& category) {
  for (size_t i = 0; i < CategoryTypeNames.size(); ++i) {
    if (typeName == CategoryTypeNames[i]) {
      category = static_cast<TParameterCategory>(i);
      return true;
    }
  }
  return false;
}

// The main window and the dialogs translate between stored codes and list
// positions with these.
int TNerraBaseList::IndexOfCode(const std::string& code) const {
  for (int i = 0; i < Count(); ++i) {
    const auto* entry = ItemAs<TNerraBaseCode>(i);
    if (entry && entry->Code == code) return i;
  }
  return -1;
}

std::string TNerraBaseList::DescriptionOfCode(const std::string& code) const {
  const int index = IndexOfCode(code);
  return index >= 0 ? ItemAs<TNerraBaseCode>(index)->Description : std::string();
}

void LoadBaseCodeFields(TNerraBaseCode& entry, const TXMLElement& element) {
  ForEachLeaf(element, [&](const std::string& name, const std::string& text) {
    if (name == "Description")
      entry.Description = XmlToText(text);
    else if (name == "Code")
      entry.Code = XmlToText(text);
    else if (name == "Value")
      entry.Value = XmlToText(text);
    else if (name == "Sequence")
      entry.Sequence = XmlToInt(text);
  });
}

TNerraStructureTypeCode::TNerraStructureTypeCode(TParameterCategory category, const TXMLElement& element) {
  Category = category;
  LoadFromElement(element);
}

void TNerraStructureTypeCode::LoadFromElement(const TXMLElement& element) {
  LoadBaseCodeFields(*this, element);
  ForEachLeaf(element, [&](const std::string& name, const std::string& text) {
    if (name == "Structure") Structure = XmlToText(text);
  });
}

TNerraInletTypeCode::TNerraInletTypeCode(TParameterCategory category, const TXMLElement& element) {
  Category = category;
  LoadFromElement(element);
}

void TNerraInletTypeCode::LoadFromElement(const TXMLElement& element) {
  LoadBaseCodeFields(*this, element);
  ForEachLeaf(element, [&](const std::string& name, const std::string& text) {
    if (name == "KD")
      KD = XmlToFloat(text);
    else if (name == "KE")
      KE = XmlToFloat(text);
    else if (name == "QMAX")
      QMAX = XmlToFloat(text);
    else if (name == "KP")
      KP = XmlToFloat(text);
    else if (name == "K")
      K = XmlToFloat(text);
    else if (name == "SL")
      SL = XmlToFloat(text);
    else if (name == "M")
      M = XmlToFloat(text);
    else if (name == "QMIN")
      QMIN = XmlToFloat(text);
  });
}

TNerraUnsubmergedInletCode::TNerraUnsubmergedInletCode(TParameterCategory category, const TXMLElement& element) {
  Category = category;
  LoadFromElement(element);
}

void TNerraUnsubmergedInletCode::LoadFromElement(const TXMLElement& element) {
  LoadBaseCodeFields(*this, element);
  ForEachLeaf(element, [&](const std::string& name, const std::string& text) {
    if (name == "KE")
      KE = XmlToFloat(text);
    else if (name == "QMAX")
      QMAX = XmlToFloat(text);
    else if (name == "K")
      K = XmlToFloat(text);
    else if (name == "M")
      M = XmlToFloat(text);
    else if (name == "SL")
      SL = XmlToFloat(text);
  });
}

TNerraSubmergedInletCode::TNerraSubmergedInletCode(TParameterCategory category, const TXMLElement& element) {
  Category = category;
  LoadFromElement(element);
}

void TNerraSubmergedInletCode::LoadFromElement(const TXMLElement& element) {
  LoadBaseCodeFields(*this, element);
  ForEachLeaf(element, [&](const std::string& name, const std::string& text) {
    if (name == "KD")
      KD = XmlToFloat(text);
    else if (name == "KP")
      KP = XmlToFloat(text);
    else if (name == "QMIN")
      QMIN = XmlToFloat(text);
    else if (name == "SL")
      SL = XmlToFloat(text);
  });
}

TNerraRainfallParameter::TNerraRainfallParameter(TParameterCategory category, const TXMLElement& element) {
  Category = category;
  LoadFromElement(element);
}

void TNerraRainfallParameter::LoadFromElement(const TXMLElement& element) {
  // Coefficient rows are identified by area and frequency; only the code of
  // the base fields is meaningful for them.
  ForEachLeaf(element, [&](const std::string& name, const std::string& text) {
    if (name == "Code")
      Code = XmlToText(text);
    else if (name == "Coeff_A1")
      Coeff_A1 = XmlToFloat(text);
    else if (name == "Coeff_A3")
      Coeff_A3 = XmlToFloat(text);
    else if (name == "Coeff_A2")
      Coeff_A2 = XmlToFloat(text);
    else if (name == "Frequency")
      Frequency = XmlToText(text);
    else if (name == "Area")
      Area = XmlToText(text);
  });
}

bool IsParameterNumberText(const std::string& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  return begin == end || XmlIsNumber(text);
}

std::string ReadParameterFileText(const std::string& fileName, std::string& text) {
  try {
    text = ReadFileBytes(fileName);
  } catch (const std::exception&) {
    // An unreadable file must not let the program start as if it had loaded.
    return ParameterFilesCorruptedMessage;
  }
  return std::string();
}

const TXMLElement* ParameterFileBlock(TXMLDocument& document, const std::string& text, const char* blockName,
                                      int minVersion, const char* versionMessage, std::string& message) {
  message.clear();
  try {
    document.Parse(text);
  } catch (const std::exception&) {
    message = ParameterFilesCorruptedMessage;
    return nullptr;
  }
  if (document.Truncated()) {
    message = ParameterFilesCorruptedMessage;
    return nullptr;
  }
  const TXMLElement* root = document.GetRoot();
  if (!root || root->Name != "Application" || root->Attributes.GetAttribute("Name") != FileProductName) {
    message = "The XML document is not compatible with Drevia";
    return nullptr;
  }
  const TXMLElement* block = root->Child(0);
  if (!block || block->Name != blockName) {
    message = "The XML document is not compatible with the Drevia Global Parameters";
    return nullptr;
  }
  if (XmlToInt(block->Attributes.GetAttribute("version")) < minVersion) {
    message = versionMessage;
    return nullptr;
  }
  return block;
}

std::string TNerraParameterList::LoadParameterFile(const std::string& fileName) {
  std::string text;
  LastError = ReadParameterFileText(fileName, text);
  if (LastError.empty()) LoadParameters(text);
  return LastError;
}

void TNerraParameterList::LoadParameters(const std::string& text) {
  TXMLDocument document;
  const TXMLElement* parameters = ParameterFileBlock(
      document, text, "ApplicationParameters", 101,
      "The parameters file is not compatible with this version of Drevia. Reinstall the complete package", LastError);
  if (!parameters) return;
  for (int i = 0; i < parameters->ChildCount(); ++i) {
    const TXMLElement* child = parameters->Child(i);
    if (child && child->Name == "Parameter") LoadParameterElement(*child);
    if (!LastError.empty()) {
      Clear();
      return;
    }
  }
}

void TNerraParameterList::LoadParameterElement(const TXMLElement& element) {
  TParameterCategory category;
  if (!CategoryOfTypeName(element.Attributes.GetAttribute("type"), category)) return;
  std::unique_ptr<TNerraBaseCode> entry = CreateCodeEntry(category, element);
  // The coefficients feed every rainfall and inlet computation: one that is
  // not a number would run as 0 and give plausible but wrong results.
  if (category == pcRainfallCoefficient || category == pcUnsubmergedInlet || category == pcSubmergedInlet ||
      IsInletTypeCategory(category)) {
    for (int i = 0; i < element.ChildCount() && LastError.empty(); ++i) {
      const TXMLElement* leaf = element.Child(i);
      static const char* const Coefficients[] = {"KD", "KE",   "QMAX",     "KP",       "K",       "SL",
                                                 "M",  "QMIN", "Coeff_A1", "Coeff_A2", "Coeff_A3"};
      bool coefficient = false;
      for (const char* name : Coefficients) coefficient = coefficient || (leaf && leaf->Name == name);
      if (!coefficient || IsParameterNumberText(leaf->Text)) continue;
      const std::string entryName = category == pcRainfallCoefficient ? entry->Code : entry->Description;
      LastError = "Parameter table " + CategoryTypeName(category) + ", entry \"" + entryName + "\": " + leaf->Name +
                  " is \"" + leaf->Text + "\", not a finite number. Check Installation.";
    }
  }
  const std::string key = category == pcRainfallCoefficient ? entry->Code : entry->Description;
  Add(key, entry.release());
}

std::unique_ptr<TNerraBaseList> TNerraParameterList::CodesOfCategory(TParameterCategory category) const {
  auto list = std::make_unique<TNerraBaseList>(false);
  for (int i = 0; i < Count(); ++i) {
    TNerraBaseCode* entry = Code(i);
    if (entry && entry->Category == category) list->Add(entry->Description, entry);
  }
  return list;
}

int TNerraParameterList::CountOfCategory(TParameterCategory category) const {
  int count = 0;
  for (int i = 0; i < Count(); ++i) {
    const TNerraBaseCode* entry = Code(i);
    if (entry && entry->Category == category) ++count;
  }
  return count;
}

const TNerraBaseCode* TNerraParameterList::FindCode(TParameterCategory category, const std::string& code) const {
  for (int i = 0; i < Count(); ++i) {
    const TNerraBaseCode* entry = Code(i);
    if (entry && entry->Category == category && entry->Code == code) return entry;
  }
  return nullptr;
}

const TNerraInletTypeCode* TNerraParameterList::FindInletType(TParameterCategory category,
                                                              const std::string& code) const {
  if (!IsInletTypeCategory(category)) return nullptr;
  return dynamic_cast<const TNerraInletTypeCode*>(FindCode(category, code));
}

const TNerraUnsubmergedInletCode* TNerraParameterList::FindUnsubmergedInlet(const std::string& code) const {
  return dynamic_cast<const TNerraUnsubmergedInletCode*>(FindCode(pcUnsubmergedInlet, code));
}

const TNerraSubmergedInletCode* TNerraParameterList::FindSubmergedInlet(const std::string& code) const {
  return dynamic_cast<const TNerraSubmergedInletCode*>(FindCode(pcSubmergedInlet, code));
}

TRainfallCoefficients TNerraParameterList::FindRainfallCoefficients(const std::string& area,
                                                                    const std::string& frequency) const {
  TRainfallCoefficients found;
  int position = 0;
  for (int i = 0; i < Count(); ++i) {
    const auto* entry = dynamic_cast<const TNerraRainfallParameter*>(Code(i));
    if (!entry || entry->Category != pcRainfallCoefficient) continue;
    // The last match wins, so a later row in the file overrides an earlier one.
    if (entry->Area == area && entry->Frequency == frequency) {
      found.Position = position;
      found.A1 = entry->Coeff_A1;
      found.A2 = entry->Coeff_A2;
      found.A3 = entry->Coeff_A3;
    }
    ++position;
  }
  return found;
}

double TNerraParameterList::RainfallIntensity(const std::string& frequency, const std::string& area,
                                              double time) const {
  const TRainfallCoefficients c = FindRainfallCoefficients(area, frequency);
  if (c.Position < 0) return 0;
  const double base = time + c.A2;
  const double divisor = RealPower(base, c.A3);
  // A duration that does not reach past -A2 lies outside the curve; an
  // infinite or undefined intensity must not flow into a design.
  if (divisor == 0 || (base <= 0 && c.A3 != 0)) return 0;
  const double intensity = c.A1 / divisor;
  return std::isfinite(intensity) ? intensity : 0.0;
}
