#include "model/NerraBase.h"

#include <algorithm>
#include <cctype>

void TProjectIdentification::Assign(const TBaseObject* source) {
  TNerraBase::Assign(source);
  if (const auto* other = dynamic_cast<const TProjectIdentification*>(source)) {
    Description = other->Description;
    PID = other->PID;
    Designer = other->Designer;
    Location = other->Location;
    ProjectDate = other->ProjectDate;
    Project = other->Project;
  }
}

void TNerraElement::Assign(const TBaseObject* source) {
  TNerraBase::Assign(source);
  if (const auto* other = dynamic_cast<const TNerraElement*>(source)) {
    Calculated = other->Calculated;
    ElementId = other->ElementId;
    EffectiveN = other->EffectiveN;
    CoeffN = other->CoeffN;
  }
}

double TNerraElement::MaxFlowDepthRatio() const { return 0.938; }

double TNerraElement::ManningN() const { return CoeffN > 0 ? CoeffN : 0.012; }

double TNerraElement::CompositeN(double, double, double, double) const { return ManningN(); }

std::string TNerraElement::Validate() { return std::string(); }

double TNerraElement::FullFlowDischargeRatio() const { return 1.064; }

int TNerraElementList::IndexOfId(int32_t id) const {
  for (int i = 0; i < Count(); ++i) {
    const TNerraElement* element = Element(i);
    if (element && element->ElementId == id) return i;
  }
  return -1;
}

int32_t TNerraElementList::MaxId() const {
  int32_t maxId = 0;
  for (int i = 0; i < Count(); ++i) {
    const TNerraElement* element = Element(i);
    if (element && (i == 0 || element->ElementId > maxId)) maxId = element->ElementId;
  }
  return maxId;
}

int32_t TNerraElementList::SplitElement(int32_t) { return 0; }

int32_t TNerraElementList::DeleteElement(int32_t id) {
  const int index = IndexOfId(id);
  if (index < 0) return -1;
  Delete(index);
  return 0;
}

int TNerraElementList::MoveUp(int32_t id) {
  const int index = IndexOfId(id);
  if (index > 0) {
    const std::string key = Key(index);
    TBaseObject* object = Extract(index);
    Insert(index - 1, key, object);
  }
  return index;
}

int TNerraElementList::MoveDown(int32_t id) {
  const int index = IndexOfId(id);
  if (index >= 0 && index < Count() - 1) {
    const std::string key = Key(index);
    TBaseObject* object = Extract(index);
    Insert(index + 1, key, object);
  }
  return index;
}

std::string TNerraBaseProject::UnitText() const { return UnitSystem == usMetric ? "metric" : "english"; }

void TNerraBaseProject::SetUnitText(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  UnitSystem = lower == "metric" ? usMetric : usEnglish;
}

std::string TNerraBaseProject::SaveWithResults() { return std::string(); }
std::string TNerraBaseProject::SaveInput() { return std::string(); }
void TNerraBaseProject::Load(const std::string&) {}
int32_t TNerraBaseProject::Calculate() { return -1; }
