#include "model/ProjectFile.h"

#include <charconv>
#include <cstdint>
#include <vector>

#include "model/FileConversion.h"
#include "model/ValueFormat.h"
#include "xml/XmlDocument.h"

TXMLElement* BeginProjectFile(TXMLDocument& document, const TNerraBaseProject& project,
                              const std::string& kindElementName) {
  auto* root = new TXMLElement();
  document.SetRoot(root);
  root->SetName("Application");
  root->Attributes.SetAttribute("Name", FileProductName);
  root->Attributes.SetAttribute("Version", std::to_string(CurrentFileVersion));
  root->Attributes.SetAttribute("unit", project.UnitText());
  return root->AddChild(kindElementName);
}

void WriteIdentification(TXMLElement* kindElement, const TProjectIdentification& identification,
                         bool inletSpacingNames) {
  TXMLElement* block = kindElement->AddChild("Identification");
  AddTextLeaf(block, inletSpacingNames ? "JobNumber" : "PID", identification.PID);
  AddTextLeaf(block, "Project", identification.Project);
  AddTextLeaf(block, "Description", identification.Description);
  AddTextLeaf(block, "Location", identification.Location);
  AddDateLeaf(block, "ProjectDate", identification.ProjectDate);
  AddTextLeaf(block, inletSpacingNames ? "Author" : "Designer", identification.Designer);
}

void ReadIdentification(const TXMLElement* identification, TProjectIdentification& target, bool inletSpacingNames) {
  const std::string pidName = inletSpacingNames ? "JobNumber" : "PID";
  const std::string designerName = inletSpacingNames ? "Author" : "Designer";
  for (int i = 0; i < identification->ChildCount(); ++i) {
    const TXMLElement* leaf = identification->Child(i);
    if (!leaf) continue;
    const std::string& name = leaf->Name;
    if (name == pidName)
      target.PID = XmlToText(leaf->Text);
    else if (name == "Project")
      target.Project = XmlToText(leaf->Text);
    else if (name == "Description")
      target.Description = XmlToText(leaf->Text);
    else if (name == "Location")
      target.Location = XmlToText(leaf->Text);
    else if (name == "ProjectDate")
      target.ProjectDate = XmlToDate(leaf->Text);
    else if (name == designerName)
      target.Designer = XmlToText(leaf->Text);
  }
}

std::string ProjectFileText(TXMLDocument& document) { return document.GetXML(); }

TXMLElement* OpenProjectText(TXMLDocument& document, const std::string& text, TNerraBaseProject& project,
                             std::initializer_list<const char*> kindElementNames,
                             const std::string& incompatibleMessage) {
  project.LastError.clear();
  try {
    document.Parse(text);
  } catch (const EXMLParseError&) {
    // Text that is not even a document is no project of this kind either.
    project.LastError = incompatibleMessage;
    return nullptr;
  }
  if (document.Truncated()) {
    project.LastError = IncompleteFileMessage(document);
    return nullptr;
  }
  TXMLElement* kindElement = document.GetRoot()->Child(0);
  bool known = false;
  for (const char* name : kindElementNames)
    if (kindElement && kindElement->Name == name) known = true;
  if (!known) {
    project.LastError = incompatibleMessage;
    return nullptr;
  }
  project.SetUnitText(kindElement->Attributes.GetAttribute("unit"));
  if (const std::string problem = ElementIdProblem(kindElement); !problem.empty()) {
    project.LastError = problem;
    return nullptr;
  }
  return kindElement;
}

std::string ElementIdProblem(const TXMLElement* kindElement) {
  std::vector<const TXMLElement*> pending{kindElement};
  while (!pending.empty()) {
    const TXMLElement* element = pending.back();
    pending.pop_back();
    for (int i = 0; i < element->ChildCount(); ++i) pending.push_back(element->Child(i));
    if (element->Attributes.Count() == 0) continue;  // most elements, in a large project
    const std::string id = element->Attributes.GetAttribute("id");
    if (id.empty()) continue;
    const char* begin = id.data();
    const char* end = begin + id.size();
    if (*begin == '+') ++begin;
    int32_t value = 0;
    // Read as a number, such an id would become 0, and saving would write
    // the element back under an id it never had.
    if (std::from_chars(begin, end, value).ec == std::errc::result_out_of_range)
      return "Element #" + id +
             ": the id is out of range (ids go from -2147483648 to 2147483647); the element "
             "cannot be read without changing it.";
  }
  return std::string();
}

std::string IncompleteFileMessage(const TXMLDocument& document) {
  const std::string& root = document.GetRoot()->Name;
  return "The file is incomplete: it ends before the closing </" + (root.empty() ? std::string("Application") : root) +
         ">.";
}

std::string KindElementNameOf(const TXMLDocument& document) {
  const TXMLElement* first = document.GetRoot()->Child(0);
  return first ? first->Name : std::string();
}
