// A project file of any kind goes the whole way a user's file goes: parse,
// version check and conversion, kind, Load, the network check, Calculate
// with options chosen by the input, and both saves. Nothing may crash, hang
// or trip a sanitizer, and what the saves write must read again.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "appmodel/ProjectKinds.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "model/ProjectFile.h"
#include "xml/XmlDocument.h"

namespace {

TNerraParameterList* Parameters = nullptr;
TCulvertBasePipeList* Pipes = nullptr;

// The options come from the input itself, so the fuzzer explores them too
// and a crashing input replays with the same ones.
void ApplyOptions(TNerraBaseProject& project, const uint8_t* data, size_t size) {
  unsigned selector = 0;
  for (size_t i = 0; i < size; ++i) selector = selector * 31 + data[i];
  if (auto* analysis = dynamic_cast<TCulvertAnalysis*>(&project)) {
    static const TAnalysisOption Options[] = {aoPerformanceCurve, aoBuriedDepthCurve, aoCulvertSystem};
    analysis->SetAnalysisOption(Options[selector % 3]);
  } else if (auto* design = dynamic_cast<TCulvertDesign*>(&project)) {
    static const char* const PipeTypes[] = {"0", "1", "2", "3", "4", "5", "99"};
    design->PipeType = PipeTypes[selector % 7];
    design->ImprovedInlet = (selector / 7) % 2 == 1;
  }
}

void MustReadAgain(const std::string& text) {
  TXMLDocument again;
  try {
    again.Parse(text);
  } catch (const EXMLParseError&) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  Parameters = new TNerraParameterList();
  Pipes = new TCulvertBasePipeList();
  if (!Parameters->LoadParameterFile(DREVIA_DATA_DIR "/AppParameters.xml").empty() ||
      !Pipes->LoadPipeFile(DREVIA_DATA_DIR "/UniversalCulvertParameters.xml").empty())
    __builtin_trap();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TXMLDocument document;
  try {
    document.Parse(text);
  } catch (const EXMLParseError&) {
    return 0;
  }
  try {
    TDreviaProjectConvertor_v1 convertor(&document);
    if (!convertor.CanConvert()) return 0;
    convertor.Run();
  } catch (const std::exception&) {
    return 0;
  }
  // Created, checked and calculated through the kind table, as both front
  // ends do.
  const TProjectKindRow* row = ProjectKindRowOf(ProjectKindOfElementName(KindElementNameOf(document)));
  if (!row || !row->CreateProject) return 0;
  std::unique_ptr<TNerraBaseProject> project = row->CreateProject(*Parameters, *Pipes);
  project->Load(document.GetXML());
  if (!project->LastError.empty()) return 0;
  MustReadAgain(project->SaveInput());

  ApplyOptions(*project, data, size);
  if (CalculateProject(*project).Outcome == TCalculationOutcome::Refused) return 0;
  MustReadAgain(project->SaveWithResults());
  return 0;
}
