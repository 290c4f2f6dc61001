#pragma once
// What the main window does with its one open project, without widgets:
// new, open, save, save as, save result, close, the decisions before a
// result dialog or report, and the element commands. The window supplies
// the questions, message boxes and file dialogs through TMainDocumentUI and
// copies its controls in when asked.

#include <memory>
#include <string>
#include <vector>

#include "appmodel/ProjectKinds.h"
#include "model/NerraBase.h"

class TNerraParameterList;
class TCulvertBasePipeList;
class TCulvertDesign;
class TCulvertAnalysis;
class TStormSewer;
class TInletSpacing;
class TDitchAnalysis;

// The answer to "save the changes first?".
enum class TSaveChoice { Save, Discard, Cancel };

class TMainDocumentUI {
public:
  virtual ~TMainDocumentUI() = default;
  // Yes/No question; true for Yes.
  virtual bool Confirm(const std::string& text) = 0;
  // Save / Discard / Cancel before unsaved changes are dropped; a front end
  // without that box asks Yes (discard) or No (keep the project).
  virtual TSaveChoice AskSaveChanges(const std::string& text) {
    return Confirm(text) ? TSaveChoice::Discard : TSaveChoice::Cancel;
  }
  virtual void ShowError(const std::string& text) = 0;
  virtual void ShowPlainMessage(const std::string& text) = 0;
  // The chosen path, empty on cancel.
  virtual std::string AskOpenFileName() = 0;
  virtual std::string AskSaveFileName() = 0;
  // Copies every identification control and every control of the active
  // page into the project.
  virtual void CollectControls() = 0;
  // The open project was replaced or closed; the window redraws before any
  // message follows.
  virtual void ProjectReplaced() {}
  // Whether the document keeps what was last saved or read to tell a
  // modified project (a window does; a batch run need not).
  virtual bool TracksChanges() const { return true; }
};

enum class TResultCommand { DisplayResult, Preview, Print };

inline constexpr const char* CloseProjectQuestion =
    "You are going to close the previous project. Any unsaved change will be discarded. Continue?";
inline constexpr const char* RemoveElementQuestion = "The selected element is going to be removed?. Confirm?";
inline constexpr const char* SuccessfullySavedMessage = "Successfully Saved";
inline constexpr const char* NewFileStatus = "<new>";
inline constexpr const char* NoElementsForResultMessage =
    "The project has no elements yet. Add one with Add Element, then show its result.";
inline constexpr const char* NoElementSelectedMessage = "Select an element in the list to show its result.";
inline constexpr const char* ProtectedFileMessage =
    "This file holds the program's parameter tables and cannot be replaced by a project.";

class TMainDocument {
public:
  // Both tables belong to the caller and outlive the document.
  TMainDocument(const TNerraParameterList& parameters, const TCulvertBasePipeList& catalogue, TMainDocumentUI& ui);
  ~TMainDocument();
  TMainDocument(const TMainDocument&) = delete;
  TMainDocument& operator=(const TMainDocument&) = delete;

  TNerraBaseProject* CurrentProject() const { return FProject.get(); }
  // Changes whenever the open project is replaced or closed (a new project
  // may well reuse the old one's address).
  unsigned Generation() const { return FGeneration; }
  bool ProjectOpen() const { return FProject != nullptr; }
  // Storm sewer design and analysis share a page; Unknown without a project.
  TProjectKind Kind() const { return FKind; }
  TCulvertDesign* CulvertDesign() const;
  TCulvertAnalysis* CulvertAnalysis() const;
  TStormSewer* StormSewer() const;
  TInletSpacing* InletSpacing() const;
  TDitchAnalysis* DitchAnalysis() const;

  // Status panel 0: the file name without folder, "<new>" for a project
  // without file, empty without a project. Panel 2 is LastMessage.
  std::string StatusFileName() const;
  std::string LastMessage;

  // Asks before discarding unsaved changes (Save / Discard / Cancel); an
  // unchanged project closes without a question. False when the user keeps
  // the project (or its save failed).
  bool CloseProject();
  // Changed since it was created, opened or last saved (its input text
  // differs from what was last written or read).
  bool Modified() const;
  void MarkUnmodified();
  // Files no project may be saved over: the program's parameter tables.
  void SetProtectedFiles(std::vector<std::string> paths) { FProtectedFiles = std::move(paths); }
  bool IsProtectedFile(const std::string& path) const;
  bool NewProject(TProjectKind kind);
  // Close, open dialog, read. False when nothing was opened.
  bool Open();
  // Reads the file and shows its message when it cannot be opened. False
  // when nothing was opened.
  bool OpenFile(const std::string& path);
  // Reads the file into a new project without asking anything. Returns the
  // message to show (empty when the project is open); PlainMessage tells
  // whether it belongs in a plain box rather than an error box.
  std::string OpenProject(const std::string& path);
  bool PlainMessage = false;
  bool Save();
  bool SaveAs();
  // Writes the project's input to the path; "Cannot save file." on failure.
  bool SaveProject(const std::string& path);
  bool SaveResult();
  bool SaveResult(const std::string& path);
  // Export Results as CSV: calculates as Save Result does (nothing is written
  // when the calculation is refused), then writes the result table
  // (appmodel/ResultTable.h) to the path, replacing it only once whole.
  bool ExportResultsCsv(const std::string& path);

  // The calculation a result dialog or report needs, with its messages.
  // True when the dialog or report is to follow. Culvert Design and Culvert
  // Analysis need the element at position for Display Result.
  bool PrepareResult(TResultCommand command, int position);
  // The whole project's calculation by the kind's rule (what Preview, Print
  // and Save Result run), its message shown; false when it was refused.
  bool Calculate();
  // The outcome and message of the latest calculation.
  TCalculation LastCalculation;
  // What the last opened project's file held that could not be read (numbers
  // read as 0), to be told once the project shows; empty when all was read.
  std::string OpenNotice;

  // Element commands; positions count from 0 (the grid's row - 1).
  int ElementCount() const;
  TNerraElement* Element(int position) const;
  // A new element of the project's kind with its starting values; none for
  // Culvert Analysis (its dialog creates the element) or without a project.
  std::unique_ptr<TNerraElement> CreateElement() const;
  // Appends with ElementId = MaxId + 1 (keepId: as it comes, for Culvert
  // Analysis whose dialog asks for the number); returns its position.
  int AddElement(std::unique_ptr<TNerraElement> element, bool keepId = false);
  // Puts element in place of the one at position (Culvert Analysis Modify).
  bool ReplaceElement(int position, std::unique_ptr<TNerraElement> element);
  // Asks first; true when removed.
  bool RemoveElement(int position);
  // The element's new position (unchanged at the ends or when invalid).
  int MoveElementUp(int position);
  int MoveElementDown(int position);

private:
  TNerraElementList* Elements() const;
  std::unique_ptr<TNerraBaseProject> CreateProject(TProjectKind kind) const;
  bool WriteText(const std::string& path, std::string text);
  // Writes the bytes as they are; refuses the program's own tables and
  // tells "Cannot save file." when the file cannot be written.
  bool WriteBytes(const std::string& path, const std::string& bytes);
  // Calculates by the kind's rule and shows its message (before the results
  // of a partial calculation); false when the calculation was refused.
  bool CalculateTelling();
  bool SaveAsChosenFile();
  void AfterProjectReplaced();
  // The Save Result text; false when the calculation refused it.
  bool ResultText(std::string& text);

  const TNerraParameterList& FParameters;
  const TCulvertBasePipeList& FCatalogue;
  TMainDocumentUI& FUI;
  std::unique_ptr<TNerraBaseProject> FProject;
  TProjectKind FKind = TProjectKind::Unknown;
  unsigned FGeneration = 0;
  // The input text as last saved or read; Modified compares against it.
  std::string FSavedInput;
  std::vector<std::string> FProtectedFiles;
};
