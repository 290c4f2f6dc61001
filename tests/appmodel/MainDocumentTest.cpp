#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "appmodel/HeadlessDocumentUI.h"
#include "appmodel/MainDocument.h"
#include "appmodel/ResultTable.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "culvert/CulvertElement.h"
#include "foundation/Messages.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "stormsewer/StormSewer.h"
#include "support/ShippedTables.h"

namespace {

namespace fs = std::filesystem;

struct TFakeUI : TMainDocumentUI {
  bool Answer = true;
  std::string OpenName;
  std::string SaveName;
  std::vector<std::string> Questions;
  std::vector<std::string> Errors;
  std::vector<std::string> Plain;
  int Collected = 0;

  bool Confirm(const std::string& text) override {
    Questions.push_back(text);
    return Answer;
  }
  void ShowError(const std::string& text) override { Errors.push_back(text); }
  void ShowPlainMessage(const std::string& text) override { Plain.push_back(text); }
  std::string AskOpenFileName() override { return OpenName; }
  std::string AskSaveFileName() override { return SaveName; }
  void CollectControls() override { ++Collected; }
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const fs::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

std::string Sample(const std::string& name) { return std::string(DREVIA_SOURCE_DIR) + "/samples/" + name; }

class MainDocumentTest : public ::testing::Test {
protected:
  void SetUp() override {
    Folder = fs::temp_directory_path() /
             ("drevia-maindoc-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::create_directories(Folder);
  }
  void TearDown() override { fs::remove_all(Folder); }

  const TNerraParameterList* Parameters = &ShippedParameters();
  const TCulvertBasePipeList* Pipes = &ShippedPipes();
  TFakeUI UI;
  TMainDocument Document{*Parameters, *Pipes, UI};
  fs::path Folder;
};

TStormSewerElement* AddPipe(TMainDocument& document, const std::string& from, const std::string& to) {
  auto pipe = std::make_unique<TStormSewerElement>();
  pipe->BeginJunction = from;
  pipe->EndJunction = to;
  const int position = document.AddElement(std::move(pipe));
  return dynamic_cast<TStormSewerElement*>(document.Element(position));
}

}  // namespace

TEST_F(MainDocumentTest, OpensEverySampleAsItsKind) {
  const std::pair<const char*, TProjectKind> samples[] = {
      {"culvert-design.xml", TProjectKind::CulvertDesign},
      {"culvert-analysis-system.xml", TProjectKind::CulvertAnalysis},
      {"storm-sewer-design.xml", TProjectKind::StormSewerDesign},
      {"storm-sewer-analysis.xml", TProjectKind::StormSewerAnalysis},
      {"inlet-spacing.xml", TProjectKind::InletSpacing},
      {"ditch-analysis.xml", TProjectKind::DitchAnalysis},
  };
  for (const auto& [name, kind] : samples) {
    EXPECT_EQ(Document.OpenProject(Sample(name)), "") << name;
    EXPECT_EQ(Document.Kind(), kind) << name;
    EXPECT_GT(Document.ElementCount(), 0) << name;
    EXPECT_EQ(Document.StatusFileName(), name);
  }
}

TEST_F(MainDocumentTest, SystemDesignKindOpensAsStormSewerAnalysis) {
  std::string text = ReadFile(Sample("storm-sewer-analysis.xml"));
  for (size_t at = text.find("StormSewerAnalysis"); at != std::string::npos; at = text.find("StormSewerAnalysis"))
    text.replace(at, 18, "StormSewerSystemDesign");
  WriteFile(Folder / "system.xml", text);
  EXPECT_EQ(Document.OpenProject((Folder / "system.xml").string()), "");
  EXPECT_EQ(Document.Kind(), TProjectKind::StormSewerAnalysis);
  ASSERT_NE(Document.StormSewer(), nullptr);
  EXPECT_TRUE(Document.StormSewer()->IsAnalysis);
}

TEST_F(MainDocumentTest, UnreadableOrUnknownFilesAreNotCompatible) {
  const std::string incompatible = "File not compatible with the current version of Nerra";
  WriteFile(Folder / "unknown.xml",
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><Application Name=\"Drevia\" Version=\"110\">"
            "<PondDesign><Identification/></PondDesign></Application>");
  EXPECT_EQ(Document.OpenProject((Folder / "unknown.xml").string()), incompatible);
  EXPECT_FALSE(Document.PlainMessage);
  EXPECT_FALSE(Document.ProjectOpen());
  // A missing file is named as such, in an error box.
  EXPECT_EQ(Document.OpenProject((Folder / "missing.xml").string()),
            "Cannot open file \"" + (Folder / "missing.xml").string() + "\".");
  EXPECT_FALSE(Document.PlainMessage);
  // Not one of the system's files: the version check's message, in a plain box.
  WriteFile(Folder / "foreign.xml", "<Report><CulvertDesign/></Report>");
  EXPECT_NE(Document.OpenProject((Folder / "foreign.xml").string()), "");
  EXPECT_TRUE(Document.PlainMessage);
  EXPECT_FALSE(Document.ProjectOpen());
  EXPECT_EQ(Document.StatusFileName(), "");
}

TEST_F(MainDocumentTest, NumbersThatDoNotReadAreToldOnceTheProjectShows) {
  std::string text = ReadFile(Sample("culvert-design.xml"));
  const std::string discharge = "<DesignDischarge>45</DesignDischarge>";
  ASSERT_NE(text.find(discharge), std::string::npos);
  text.replace(text.find(discharge), discharge.size(), "<DesignDischarge>4 5</DesignDischarge>");
  WriteFile(Folder / "typo.xml", text);
  ASSERT_TRUE(Document.OpenFile((Folder / "typo.xml").string()));
  EXPECT_TRUE(Document.ProjectOpen()) << "the project opens: the rest of it is sound";
  ASSERT_EQ(UI.Plain.size(), 1u);
  EXPECT_EQ(UI.Plain[0],
            "Values in the file that are not numbers were read as 0: DesignDischarge \"4 5\". "
            "Check them before calculating.");
  EXPECT_TRUE(UI.Errors.empty());
  // A sound file says nothing, and the notice of the last one is gone.
  ASSERT_TRUE(Document.OpenFile(Sample("culvert-design.xml")));
  EXPECT_EQ(Document.OpenNotice, "");
  EXPECT_EQ(UI.Plain.size(), 1u);
}

TEST_F(MainDocumentTest, OpenAsksBeforeDiscardingAndStopsOnNo) {
  ASSERT_TRUE(Document.NewProject(TProjectKind::DitchAnalysis));
  EXPECT_EQ(Document.StatusFileName(), "<new>");
  Document.CurrentProject()->Identification.PID = "D-1";  // a change to lose
  UI.Answer = false;
  UI.OpenName = Sample("culvert-design.xml");
  EXPECT_FALSE(Document.Open());
  EXPECT_EQ(Document.Kind(), TProjectKind::DitchAnalysis);
  ASSERT_EQ(UI.Questions.size(), 1u);
  EXPECT_EQ(UI.Questions[0], CloseProjectQuestion);
  UI.Answer = true;
  EXPECT_TRUE(Document.Open());
  EXPECT_EQ(Document.Kind(), TProjectKind::CulvertDesign);
  EXPECT_EQ(Document.CulvertDesign()->Parameters, Parameters);
  EXPECT_EQ(Document.CulvertDesign()->Catalogue, Pipes);
}

TEST_F(MainDocumentTest, SaveRoundTripWritesCrLfAndKeepsTheText) {
  ASSERT_EQ(Document.OpenProject(Sample("storm-sewer-design.xml")), "");
  const std::string input = Document.CurrentProject()->SaveInput();
  UI.SaveName = (Folder / "copy.xml").string();
  ASSERT_TRUE(Document.SaveAs());
  EXPECT_EQ(Document.CurrentProject()->FileName, UI.SaveName);
  EXPECT_EQ(ReadFile(UI.SaveName), input + "\r\n");
  EXPECT_EQ(UI.Collected, 1);

  TFakeUI otherUI;
  TMainDocument reopened(*Parameters, *Pipes, otherUI);
  ASSERT_EQ(reopened.OpenProject(UI.SaveName), "");
  EXPECT_EQ(reopened.CurrentProject()->SaveInput(), input);
  EXPECT_TRUE(Document.Save());
  EXPECT_EQ(Document.LastMessage, "Successfully Saved");
}

TEST_F(MainDocumentTest, SavingANewProjectCancelledWritesNothingAndSaysNothing) {
  ASSERT_TRUE(Document.NewProject(TProjectKind::InletSpacing));
  UI.SaveName.clear();
  EXPECT_FALSE(Document.Save());
  EXPECT_TRUE(UI.Errors.empty());
  EXPECT_EQ(Document.LastMessage, "");
  EXPECT_TRUE(fs::is_empty(Folder));
}

TEST_F(MainDocumentTest, SaveFailureSaysCannotSaveFile) {
  ASSERT_TRUE(Document.NewProject(TProjectKind::CulvertDesign));
  EXPECT_FALSE(Document.SaveProject((Folder / "no-such-folder" / "x.xml").string()));
  ASSERT_EQ(UI.Errors.size(), 1u);
  EXPECT_EQ(UI.Errors[0], "Cannot save file.");
}

TEST_F(MainDocumentTest, SaveResultOfAnInvalidNetworkLeavesTheFileUntouched) {
  ASSERT_TRUE(Document.NewProject(TProjectKind::StormSewerDesign));
  AddPipe(Document, "1", "2");
  AddPipe(Document, "2", "1");  // a loop
  const fs::path target = Folder / "result.xml";
  WriteFile(target, "keep me");
  UI.SaveName = target.string();
  EXPECT_FALSE(Document.SaveResult());
  ASSERT_EQ(UI.Errors.size(), 1u);
  EXPECT_FALSE(UI.Errors[0].empty());
  EXPECT_EQ(ReadFile(target), "keep me");
}

TEST_F(MainDocumentTest, SaveResultOfASampleWritesResultsAndKeepsTheFileName) {
  ASSERT_EQ(Document.OpenProject(Sample("storm-sewer-analysis.xml")), "");
  const fs::path target = Folder / "result.xml";
  ASSERT_TRUE(Document.SaveResult(target.string()));
  EXPECT_GT(ReadFile(target).size(), ReadFile(Sample("storm-sewer-analysis.xml")).size() / 2);
  EXPECT_EQ(Document.CurrentProject()->FileName, Sample("storm-sewer-analysis.xml"));
  EXPECT_TRUE(UI.Errors.empty());
}

// Export Results as CSV: the same table as drevia-cli calc --csv, written
// byte for byte (CRLF already); a refused calculation or an unwritable file
// leaves what was there.
TEST_F(MainDocumentTest, ExportResultsCsvWritesTheResultTable) {
  ASSERT_EQ(Document.OpenProject(Sample("culvert-design.xml")), "");
  const fs::path target = Folder / "design.csv";
  ASSERT_TRUE(Document.ExportResultsCsv(target.string()));
  EXPECT_GT(UI.Collected, 0);
  EXPECT_TRUE(UI.Errors.empty());
  const std::string csv = ReadFile(target);
  EXPECT_EQ(csv, ResultsCsv(ProjectResults(*Document.CurrentProject())));
  EXPECT_EQ(csv.rfind("id,CulvertType,CorrugationType,PipeSizeIndex,Flow,", 0), 0u) << csv.substr(0, 80);
  EXPECT_EQ(csv.find("\r\r"), std::string::npos);
  // The pipe arch's meaningless headwater is there, and says so.
  const size_t arch = csv.find(",30550.918315983");
  ASSERT_NE(arch, std::string::npos);
  EXPECT_EQ(csv.substr(csv.find("\r\n", arch) - 4, 4), "true");

  // An invalid network refuses: the old file stays.
  ASSERT_TRUE(Document.NewProject(TProjectKind::StormSewerDesign));
  AddPipe(Document, "1", "2");
  AddPipe(Document, "2", "1");
  WriteFile(target, "keep me");
  EXPECT_FALSE(Document.ExportResultsCsv(target.string()));
  EXPECT_EQ(UI.Errors.size(), 1u);
  EXPECT_EQ(ReadFile(target), "keep me");
  UI.Errors.clear();
  EXPECT_FALSE(Document.ExportResultsCsv((Folder / "no-such-folder" / "x.csv").string()));
  EXPECT_FALSE(UI.Errors.empty());
}

// Two crossings, the second invalid: the design of the first stands, the
// second's message is shown, and the result dialog or report still follows.
TEST_F(MainDocumentTest, CulvertDesignShowsLastErrorWheneverSetAndGoesOn) {
  ASSERT_EQ(Document.OpenProject(Sample("culvert-design.xml")), "");
  TCulvertDesign* design = Document.CulvertDesign();
  ASSERT_GE(design->Elements.Count(), 2);
  while (design->Elements.Count() > 2) design->Elements.Delete(2);
  design->Crossing(1)->CulvertLength = 0;

  for (TResultCommand command : {TResultCommand::DisplayResult, TResultCommand::Preview, TResultCommand::Print}) {
    UI.Errors.clear();
    EXPECT_TRUE(Document.PrepareResult(command, 0));
    ASSERT_EQ(UI.Errors.size(), 1u);
    EXPECT_NE(UI.Errors[0].find("Element #2"), std::string::npos) << UI.Errors[0];
    EXPECT_NE(UI.Errors[0].find("Pipe length should be greater than 0."), std::string::npos);
    EXPECT_GT(design->Crossing(0)->Candidates.Count(), 0);
  }
  // The first crossing invalid: a negative result stops after the message.
  design->Crossing(0)->CulvertLength = 0;
  UI.Errors.clear();
  EXPECT_FALSE(Document.PrepareResult(TResultCommand::DisplayResult, 0));
  EXPECT_EQ(UI.Errors.size(), 1u);
  // Display Result needs a selected crossing.
  UI.Errors.clear();
  EXPECT_FALSE(Document.PrepareResult(TResultCommand::DisplayResult, 5));
  EXPECT_TRUE(UI.Errors.empty());
}

TEST_F(MainDocumentTest, CulvertAnalysisRefusalIsShownAndStops) {
  ASSERT_EQ(Document.OpenProject(Sample("culvert-analysis-system.xml")), "");
  TCulvertAnalysis* analysis = Document.CulvertAnalysis();
  analysis->SetAnalysisOption(aoCulvertSystem);
  EXPECT_TRUE(Document.PrepareResult(TResultCommand::DisplayResult, 0));
  EXPECT_TRUE(UI.Errors.empty());
  // Every culvert drains into another one: the system has no outlet.
  ASSERT_GE(analysis->Elements.Count(), 2);
  for (int i = 0; i < analysis->Elements.Count(); ++i)
    analysis->Elements.Culvert(i)->UseHW = analysis->Elements.Culvert(i == 0 ? 1 : 0)->ElementId;
  for (TResultCommand command : {TResultCommand::DisplayResult, TResultCommand::Preview}) {
    UI.Errors.clear();
    EXPECT_FALSE(Document.PrepareResult(command, 0));
    ASSERT_EQ(UI.Errors.size(), 1u);
    EXPECT_EQ(UI.Errors[0], analysis->LastError);
  }
  UI.Errors.clear();
  EXPECT_FALSE(Document.SaveResult((Folder / "result.xml").string()));
  EXPECT_EQ(UI.Errors.size(), 1u);
  EXPECT_FALSE(fs::exists(Folder / "result.xml"));
}

TEST_F(MainDocumentTest, NewElementsGetTheNextIdAndTheirStartingValues) {
  ASSERT_TRUE(Document.NewProject(TProjectKind::CulvertDesign));
  auto element = Document.CreateElement();
  auto* crossing = dynamic_cast<TCulvertDesignElement*>(element.get());
  ASSERT_NE(crossing, nullptr);
  EXPECT_FALSE(crossing->BuriedOption);
  EXPECT_FALSE(crossing->DisableBuriedTable);
  for (const std::string* code : {&crossing->CircularCorrugatedInletType, &crossing->CircularConcreteInletType,
                                  &crossing->EllipticalConcreteInletType, &crossing->BoxInletType,
                                  &crossing->ArchCorrugatedInletType, &crossing->DefaultInletType})
    EXPECT_EQ(*code, "1");
  EXPECT_EQ(Document.AddElement(std::move(element)), 0);
  EXPECT_EQ(Document.Element(0)->ElementId, 1);
  Document.Element(0)->ElementId = 7;
  EXPECT_EQ(Document.AddElement(Document.CreateElement()), 1);
  EXPECT_EQ(Document.Element(1)->ElementId, 8);
  EXPECT_EQ(Document.CulvertDesign()->Elements.Key(1), "");

  ASSERT_TRUE(Document.NewProject(TProjectKind::CulvertAnalysis));
  EXPECT_EQ(Document.CreateElement(), nullptr);
  ASSERT_TRUE(Document.NewProject(TProjectKind::DitchAnalysis));
  EXPECT_NE(Document.CreateElement(), nullptr);
}

TEST_F(MainDocumentTest, RemoveAndMoveAtTheEdges) {
  ASSERT_TRUE(Document.NewProject(TProjectKind::StormSewerAnalysis));
  AddPipe(Document, "1", "2");
  UI.Answer = false;
  EXPECT_FALSE(Document.RemoveElement(0));
  EXPECT_EQ(Document.ElementCount(), 1);
  EXPECT_EQ(UI.Questions.back(), "The selected element is going to be removed?. Confirm?");
  UI.Answer = true;
  EXPECT_TRUE(Document.RemoveElement(0));
  EXPECT_EQ(Document.ElementCount(), 0);
  EXPECT_FALSE(Document.RemoveElement(0));

  AddPipe(Document, "1", "2");
  AddPipe(Document, "2", "3");
  AddPipe(Document, "3", "4");
  EXPECT_EQ(Document.MoveElementUp(0), 0);
  EXPECT_EQ(Document.MoveElementDown(2), 2);
  EXPECT_EQ(Document.MoveElementDown(0), 1);
  EXPECT_EQ(Document.Element(1)->ElementId, 1);
  EXPECT_EQ(Document.MoveElementUp(1), 0);
  EXPECT_EQ(Document.Element(0)->ElementId, 1);
  EXPECT_EQ(Document.MoveElementUp(-1), -1);
}

TEST_F(MainDocumentTest, CloseAsksOnlyWithAProject) {
  EXPECT_TRUE(Document.CloseProject());
  EXPECT_TRUE(UI.Questions.empty());
  ASSERT_TRUE(Document.NewProject(TProjectKind::CulvertAnalysis));
  // Unchanged: closed without a question.
  EXPECT_TRUE(Document.NewProject(TProjectKind::InletSpacing));
  EXPECT_TRUE(UI.Questions.empty());
  Document.CurrentProject()->Identification.Project = "Changed";
  EXPECT_TRUE(Document.Modified());
  UI.Answer = false;
  EXPECT_FALSE(Document.NewProject(TProjectKind::CulvertAnalysis));
  EXPECT_EQ(Document.Kind(), TProjectKind::InletSpacing);
  EXPECT_EQ(UI.Questions, std::vector<std::string>{CloseProjectQuestion});
  UI.Answer = true;
  EXPECT_TRUE(Document.CloseProject());
  EXPECT_FALSE(Document.ProjectOpen());
}

// Save / Discard / Cancel: Save writes before closing; a save that fails
// (or is cancelled) keeps the project open with its changes.
TEST_F(MainDocumentTest, SaveChoiceWritesBeforeClosingAndAFailedSaveKeepsTheProject) {
  struct TChoosingUI : TFakeUI {
    TSaveChoice Choice = TSaveChoice::Save;
    TSaveChoice AskSaveChanges(const std::string& text) override {
      Questions.push_back(text);
      return Choice;
    }
  } ui;
  TMainDocument document(*Parameters, *Pipes, ui);
  ASSERT_TRUE(document.NewProject(TProjectKind::DitchAnalysis));
  document.CurrentProject()->Identification.PID = "D-9";
  ui.SaveName = (Folder / "missing" / "ditch.xml").string();  // a folder that is not there
  EXPECT_FALSE(document.CloseProject());
  EXPECT_TRUE(document.ProjectOpen());
  EXPECT_EQ(ui.Errors, std::vector<std::string>{MessageText(-4)});
  EXPECT_EQ(document.CurrentProject()->FileName, "");  // the unwritable name is not kept
  EXPECT_TRUE(document.Modified());

  ui.SaveName = (Folder / "ditch.xml").string();
  EXPECT_TRUE(document.CloseProject());
  EXPECT_FALSE(document.ProjectOpen());
  EXPECT_NE(ReadFile(Folder / "ditch.xml").find("D-9"), std::string::npos);
}

TEST_F(MainDocumentTest, FailedSaveAsKeepsThePreviousFileName) {
  ASSERT_TRUE(Document.NewProject(TProjectKind::InletSpacing));
  UI.SaveName = (Folder / "first.xml").string();
  ASSERT_TRUE(Document.SaveAs());
  UI.SaveName = (Folder / "no-such-folder" / "second.xml").string();
  EXPECT_FALSE(Document.SaveAs());
  EXPECT_EQ(Document.CurrentProject()->FileName, (Folder / "first.xml").string());
  // So Save still writes where it wrote before.
  Document.CurrentProject()->Identification.PID = "I-2";
  EXPECT_TRUE(Document.Save());
  EXPECT_NE(ReadFile(Folder / "first.xml").find("I-2"), std::string::npos);
  EXPECT_FALSE(Document.Modified());
}

TEST_F(MainDocumentTest, ProgramTablesAreNotReplacedByAProject) {
  WriteFile(Folder / "AppParameters.xml", "tables");
  fs::create_symlink(Folder / "AppParameters.xml", Folder / "link.xml");
  Document.SetProtectedFiles({(Folder / "AppParameters.xml").string()});
  ASSERT_TRUE(Document.NewProject(TProjectKind::DitchAnalysis));
  for (const char* name : {"AppParameters.xml", "link.xml"}) {
    UI.Errors.clear();
    EXPECT_FALSE(Document.SaveProject((Folder / name).string()));
    EXPECT_EQ(UI.Errors, std::vector<std::string>{ProtectedFileMessage});
  }
  EXPECT_FALSE(Document.SaveResult((Folder / "AppParameters.xml").string()));
  EXPECT_EQ(ReadFile(Folder / "AppParameters.xml"), "tables");
  EXPECT_TRUE(Document.SaveProject((Folder / "other.xml").string()));
}

// "drevia FILE" (a double click in the file manager) opens without asking
// for a name and shows its message as File > Open does.
TEST_F(MainDocumentTest, OpensTheFileNamedOnTheCommandLine) {
  EXPECT_TRUE(Document.OpenFile(Sample("ditch-analysis.xml")));
  EXPECT_EQ(Document.Kind(), TProjectKind::DitchAnalysis);
  EXPECT_TRUE(UI.Errors.empty() && UI.Plain.empty());

  EXPECT_FALSE(Document.OpenFile((Folder / "missing.xml").string()));
  EXPECT_FALSE(Document.ProjectOpen());
  EXPECT_EQ(UI.Errors.size(), 1u);
  WriteFile(Folder / "foreign.xml", "<Report><CulvertDesign/></Report>");
  EXPECT_FALSE(Document.OpenFile((Folder / "foreign.xml").string()));
  EXPECT_EQ(UI.Plain.size(), 1u);
  EXPECT_TRUE(UI.Questions.empty());
}

// The desktop's file type for projects is told by this text near the start of
// the file (packaging/drevia-mime.xml): the samples and every file the
// program saves must carry it there, the parameter files must not.
TEST_F(MainDocumentTest, ProjectFilesCarryTheFileTypeMark) {
  const std::string mark = "<Application Name=\"Drevia\"";
  const auto marked = [&](const fs::path& file) {
    return ReadFile(file).substr(0, 256).find(mark) != std::string::npos;
  };
  for (const auto& entry : fs::directory_iterator(std::string(DREVIA_SOURCE_DIR) + "/samples"))
    EXPECT_TRUE(marked(entry.path())) << entry.path();
  for (const TProjectKind kind :
       {TProjectKind::CulvertDesign, TProjectKind::StormSewerDesign, TProjectKind::DitchAnalysis}) {
    ASSERT_TRUE(Document.NewProject(kind));
    ASSERT_TRUE(Document.SaveProject((Folder / "saved.xml").string()));
    EXPECT_TRUE(marked(Folder / "saved.xml")) << static_cast<int>(kind);
  }
  EXPECT_FALSE(marked(std::string(DREVIA_SOURCE_DIR) + "/data/AppParameters.xml"));
  EXPECT_FALSE(marked(std::string(DREVIA_SOURCE_DIR) + "/data/UniversalCulvertParameters.xml"));
}

// Inlet spacing goes on past an element without rainfall; the messages are
// told before the results, which stand, as for a culvert design.
TEST_F(MainDocumentTest, PartialResultsOfEveryKindAreToldAndShown) {
  ASSERT_EQ(Document.OpenProject(std::string(DREVIA_TEST_DATA_DIR) + "/cli/inlet-spacing-no-rainfall.xml"), "");
  for (TResultCommand command : {TResultCommand::DisplayResult, TResultCommand::Preview, TResultCommand::Print}) {
    UI.Errors.clear();
    EXPECT_TRUE(Document.PrepareResult(command, -1));
    ASSERT_EQ(UI.Errors.size(), 1u);
    EXPECT_NE(UI.Errors[0].find("No rainfall intensity"), std::string::npos) << UI.Errors[0];
    EXPECT_EQ(Document.LastCalculation.Outcome, TCalculationOutcome::Partial);
  }
  UI.Errors.clear();
  EXPECT_TRUE(Document.SaveResult((Folder / "result.xml").string()));
  EXPECT_EQ(UI.Errors.size(), 1u);
  EXPECT_NE(ReadFile(Folder / "result.xml").find("CalcMessage"), std::string::npos);
}

// Without a window nothing is discarded: every question is answered No,
// and the messages are kept in order and written once.
TEST_F(MainDocumentTest, HeadlessDocumentAnswersNoAndKeepsItsMessages) {
  THeadlessDocumentUI headless;
  TMainDocument document(*Parameters, *Pipes, headless);
  ASSERT_EQ(document.OpenProject(Sample("storm-sewer-design.xml")), "");
  EXPECT_FALSE(document.CloseProject());
  const int count = document.ElementCount();
  EXPECT_FALSE(document.RemoveElement(0));
  EXPECT_EQ(document.ElementCount(), count);
  EXPECT_TRUE(document.ProjectOpen());
  EXPECT_EQ(headless.Questions, (std::vector<std::string>{CloseProjectQuestion, RemoveElementQuestion}));
  EXPECT_FALSE(document.Open());  // no file dialog to ask, and No to closing
  EXPECT_FALSE(document.SaveAs());
  EXPECT_TRUE(document.Calculate());
  EXPECT_TRUE(headless.Messages.empty());

  EXPECT_FALSE(document.SaveProject((Folder / "missing-folder" / "x.xml").string()));
  EXPECT_FALSE(document.SaveProject((Folder / "missing-folder" / "y.xml").string()));
  std::ostringstream out;
  headless.WriteMessages(out);
  headless.WriteMessages(out);
  EXPECT_EQ(out.str(), MessageText(-4) + "\n" + MessageText(-4) + "\n");
}
