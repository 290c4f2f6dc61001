#include "appmodel/MainDocument.h"

#include <sys/stat.h>

#include "appmodel/ResultTable.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "culvert/CulvertElement.h"
#include "ditch/DitchAnalysis.h"
#include "foundation/Messages.h"
#include "inletspacing/InletSpacing.h"
#include "model/FileConversion.h"
#include "model/ProjectFile.h"
#include "stormsewer/StormSewer.h"
#include "xml/XmlDocument.h"

namespace {

// Project files end every line with CR LF; the text is one line, but a text
// with breaks of its own gets them in the same form.
std::string WithCrLfLines(std::string text) {
  // The common one-line text gets its CR LF in place, without a copy.
  if (text.find('\r') == std::string::npos && text.find('\n') == std::string::npos) {
    if (!text.empty()) text += "\r\n";
    return text;
  }
  std::string bytes;
  bytes.reserve(text.size() + 2);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      bytes += "\r\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      bytes += c;
    }
  }
  if (!text.empty() && text.back() != '\r' && text.back() != '\n') bytes += "\r\n";
  return bytes;
}

std::string FileNameWithoutFolder(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

TMainDocument::TMainDocument(const TNerraParameterList& parameters, const TCulvertBasePipeList& catalogue,
                             TMainDocumentUI& ui)
    : FParameters(parameters), FCatalogue(catalogue), FUI(ui) {}

TMainDocument::~TMainDocument() = default;

TCulvertDesign* TMainDocument::CulvertDesign() const { return dynamic_cast<TCulvertDesign*>(FProject.get()); }
TCulvertAnalysis* TMainDocument::CulvertAnalysis() const { return dynamic_cast<TCulvertAnalysis*>(FProject.get()); }
TStormSewer* TMainDocument::StormSewer() const { return dynamic_cast<TStormSewer*>(FProject.get()); }
TInletSpacing* TMainDocument::InletSpacing() const { return dynamic_cast<TInletSpacing*>(FProject.get()); }
TDitchAnalysis* TMainDocument::DitchAnalysis() const { return dynamic_cast<TDitchAnalysis*>(FProject.get()); }

std::string TMainDocument::StatusFileName() const {
  if (!FProject) return std::string();
  if (FProject->FileName.empty()) return NewFileStatus;
  return FileNameWithoutFolder(FProject->FileName);
}

// ---- documents ------------------------------------------------------------------

// Without tracking every open project counts as changed, so closing it
// always asks.
bool TMainDocument::Modified() const {
  return FProject && (!FUI.TracksChanges() || FProject->SaveInput() != FSavedInput);
}

void TMainDocument::MarkUnmodified() {
  FSavedInput = FProject && FUI.TracksChanges() ? FProject->SaveInput() : std::string();
}

bool TMainDocument::CloseProject() {
  if (!FProject) return true;
  // What is typed but not yet copied counts as a change too.
  FUI.CollectControls();
  if (Modified()) {
    switch (FUI.AskSaveChanges(CloseProjectQuestion)) {
      case TSaveChoice::Cancel: return false;
      case TSaveChoice::Save:
        if (!Save()) return false;
        break;
      case TSaveChoice::Discard: break;
    }
  }
  FProject.reset();
  FSavedInput.clear();
  FKind = TProjectKind::Unknown;
  ++FGeneration;
  return true;
}

std::unique_ptr<TNerraBaseProject> TMainDocument::CreateProject(TProjectKind kind) const {
  const TProjectKindRow* row = ProjectKindRowOf(kind);
  return row ? row->CreateProject(FParameters, FCatalogue) : nullptr;
}

bool TMainDocument::NewProject(TProjectKind kind) {
  if (kind == TProjectKind::Unknown || !CloseProject()) return false;
  FProject = CreateProject(kind);
  FKind = kind;
  ++FGeneration;
  AfterProjectReplaced();
  return true;
}

// The window shows the new project and stores its first entries (the first
// frequency, pipe type, ...) before the project counts as unchanged, so
// only what the user changes afterwards asks to be saved.
void TMainDocument::AfterProjectReplaced() {
  FUI.ProjectReplaced();
  if (FProject) FUI.CollectControls();
  MarkUnmodified();
}

bool TMainDocument::Open() {
  if (!CloseProject()) return false;
  // The closed project leaves the window before the open dialog shows.
  FUI.ProjectReplaced();
  const std::string path = FUI.AskOpenFileName();
  if (path.empty()) return false;
  return OpenFile(path);
}

bool TMainDocument::OpenFile(const std::string& path) {
  const std::string message = OpenProject(path);
  // The window shows what is open now (nothing, after a failure) before any
  // message, so the message does not stand over the project it replaced.
  AfterProjectReplaced();
  if (message.empty()) {
    if (!OpenNotice.empty()) FUI.ShowPlainMessage(OpenNotice);
    return true;
  }
  if (PlainMessage)
    FUI.ShowPlainMessage(message);
  else
    FUI.ShowError(message);
  return false;
}

std::string TMainDocument::OpenProject(const std::string& path) {
  PlainMessage = false;
  OpenNotice.clear();
  FProject.reset();
  FKind = TProjectKind::Unknown;
  ++FGeneration;
  TXMLDocument document;
  std::string message;
  bool checkFailed = false;
  if (!OpenProjectDocument(path, document, message, &checkFailed)) {
    // Only an unreadable file is an error; a failed version check is told
    // in a plain box.
    PlainMessage = checkFailed;
    return message;
  }
  const TProjectKind kind =
      document.GetRoot() ? ProjectKindOfElementName(KindElementNameOf(document)) : TProjectKind::Unknown;
  std::unique_ptr<TNerraBaseProject> project = CreateProject(kind);
  if (!project) return MessageText(-1103);
  project->FileName = path;
  // The checked document is freed before the project reads its text, so
  // that a large project's tree is not held twice.
  std::string text = document.GetXML();
  document.Clear();
  TUnreadableNumbers unreadable;
  project->Load(text);
  // The kind was recognised, so a load message means a damaged file: the
  // half-read project is not opened.
  if (!project->LastError.empty()) return project->LastError;
  OpenNotice = unreadable.Message();
  FProject = std::move(project);
  FKind = kind;
  return std::string();
}

bool TMainDocument::WriteText(const std::string& path, std::string text) {
  return WriteBytes(path, WithCrLfLines(std::move(text)));
}

bool TMainDocument::WriteBytes(const std::string& path, const std::string& bytes) {
  // A project written over the program's own tables would end the next
  // start; the same file reached through a link or another name counts too.
  if (IsProtectedFile(path)) {
    FUI.ShowError(ProtectedFileMessage);
    return false;
  }
  if (WriteFileAtomically(path, bytes)) return true;
  FUI.ShowError(MessageText(-4));
  return false;
}

bool TMainDocument::SaveProject(const std::string& path) {
  if (!FProject) return false;
  std::string text = FProject->SaveInput();
  // The text is kept only where changes are tracked; elsewhere it goes to
  // the file without a copy.
  if (!FUI.TracksChanges()) return WriteText(path, std::move(text));
  if (!WriteText(path, text)) return false;
  FSavedInput = std::move(text);
  return true;
}

bool TMainDocument::IsProtectedFile(const std::string& path) const {
  struct stat target {};
  if (stat(path.c_str(), &target) != 0) return false;
  for (const std::string& file : FProtectedFiles) {
    struct stat own {};
    if (stat(file.c_str(), &own) == 0 && own.st_dev == target.st_dev && own.st_ino == target.st_ino) return true;
  }
  return false;
}

bool TMainDocument::Save() {
  if (!FProject) return false;
  FUI.CollectControls();
  const bool saved = FProject->FileName.empty() ? SaveAsChosenFile() : SaveProject(FProject->FileName);
  if (!saved) return false;
  LastMessage = SuccessfullySavedMessage;
  return true;
}

// A name that could not be written is not kept: the project stays with the
// file it had, so the next Save does not fail the same way.
bool TMainDocument::SaveAsChosenFile() {
  const std::string path = FUI.AskSaveFileName();
  if (path.empty()) return false;
  if (!SaveProject(path)) return false;
  FProject->FileName = path;
  return true;
}

bool TMainDocument::SaveAs() {
  if (!FProject) return false;
  FUI.CollectControls();
  return SaveAsChosenFile();
}

bool TMainDocument::SaveResult() {
  if (!FProject) return false;
  const std::string path = FUI.AskSaveFileName();
  if (path.empty()) return false;
  FUI.CollectControls();
  return SaveResult(path);
}

bool TMainDocument::SaveResult(const std::string& path) {
  std::string text;
  if (!FProject || !ResultText(text)) return false;
  return WriteText(path, std::move(text));
}

bool TMainDocument::ExportResultsCsv(const std::string& path) {
  if (!FProject) return false;
  FUI.CollectControls();
  if (!CalculateTelling()) return false;
  // The table has its own line ends (CRLF, and line breaks kept inside
  // quoted fields): written as it is.
  return WriteBytes(path, ResultsCsv(ProjectResults(*FProject)));
}

bool TMainDocument::ResultText(std::string& text) {
  // Results of a refused calculation would be those of an earlier run (or
  // none): nothing is written.
  if (!CalculateTelling()) return false;
  text = FProject->SaveWithResults();
  return true;
}

// ---- results ----------------------------------------------------------------------

bool TMainDocument::CalculateTelling() {
  LastCalculation = CalculateProject(*FProject);
  // A crossing after the first that cannot be designed leaves the result at
  // 0 but must still be told; the earlier crossings' results stand.
  if (!LastCalculation.Message.empty()) FUI.ShowError(LastCalculation.Message);
  return LastCalculation.Outcome != TCalculationOutcome::Refused;
}

bool TMainDocument::Calculate() {
  if (!FProject) return false;
  FUI.CollectControls();
  return CalculateTelling();
}

bool TMainDocument::PrepareResult(TResultCommand command, int position) {
  if (!FProject) return false;
  FUI.CollectControls();
  const TProjectKindRow* row = ProjectKindRowOf(FKind);
  if (command == TResultCommand::DisplayResult && row && row->ResultOfSelectedElement && !Element(position)) {
    // The result dialog shows one crossing or culvert: say why nothing opens.
    FUI.ShowPlainMessage(ElementCount() == 0 ? NoElementsForResultMessage : NoElementSelectedMessage);
    return false;
  }
  return CalculateTelling();
}

// ---- elements ---------------------------------------------------------------------

TNerraElementList* TMainDocument::Elements() const {
  const TProjectKindRow* row = ProjectKindRowOf(FKind);
  return row && FProject ? &row->Elements(*FProject) : nullptr;
}

int TMainDocument::ElementCount() const {
  const TNerraElementList* list = Elements();
  return list ? list->Count() : 0;
}

TNerraElement* TMainDocument::Element(int position) const {
  const TNerraElementList* list = Elements();
  return list ? list->Element(position) : nullptr;
}

std::unique_ptr<TNerraElement> TMainDocument::CreateElement() const {
  const TProjectKindRow* row = ProjectKindRowOf(FKind);
  return row && row->CreateElement ? row->CreateElement() : nullptr;
}

int TMainDocument::AddElement(std::unique_ptr<TNerraElement> element, bool keepId) {
  TNerraElementList* list = Elements();
  if (!list || !element) return -1;
  if (!keepId) element->ElementId = list->MaxId() + 1;
  list->Add(std::string(), element.release());
  return list->Count() - 1;
}

bool TMainDocument::ReplaceElement(int position, std::unique_ptr<TNerraElement> element) {
  TNerraElementList* list = Elements();
  if (!list || !element || !list->Element(position)) return false;
  const std::string key = list->Key(position);
  list->Delete(position);
  list->Insert(position, key, element.release());
  return true;
}

bool TMainDocument::RemoveElement(int position) {
  TNerraElementList* list = Elements();
  const TNerraElement* element = Element(position);
  if (!list || !element) return false;
  if (!FUI.Confirm(RemoveElementQuestion)) return false;
  list->DeleteElement(element->ElementId);
  return true;
}

// Moves go by position rather than by id, so a file with a repeated id
// still moves the row the user selected.
int TMainDocument::MoveElementUp(int position) {
  TNerraElementList* list = Elements();
  if (!list || !list->Element(position) || position == 0) return position;
  const std::string key = list->Key(position);
  TBaseObject* object = list->Extract(position);
  list->Insert(position - 1, key, object);
  return position - 1;
}

int TMainDocument::MoveElementDown(int position) {
  TNerraElementList* list = Elements();
  if (!list || !list->Element(position) || position >= list->Count() - 1) return position;
  const std::string key = list->Key(position);
  TBaseObject* object = list->Extract(position);
  list->Insert(position + 1, key, object);
  return position + 1;
}
