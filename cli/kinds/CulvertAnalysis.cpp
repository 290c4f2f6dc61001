// Culvert Analysis on the command line: --option performance|buried|system
// chooses the analysis; the text output is the result dialog of each culvert.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CliKinds.h"
#include "appmodel/CulvertAnalysisEntry.h"
#include "culvert/CulvertAnalysis.h"
#include "foundation/DisplayFormat.h"
#include "model/PipeCatalogue.h"

namespace {

TCulvertAnalysis& Analysis(TNerraBaseProject& project) { return dynamic_cast<TCulvertAnalysis&>(project); }

const char* OptionTitle(uint8_t option) {
  switch (option) {
    case aoBuriedDepthCurve: return "Buried Depth Curve";
    case aoCulvertSystem: return "Culvert System";
    default: return "Discharge Performance Curve";
  }
}

void PrintElement(const TCulvertBaseElement& e, std::ostream& out) {
  out << "Culvert Analysis Result #" << e.ElementId;
  if (e.Pipe) out << "  (type " << e.Pipe->CulvertType << ", " << e.Pipe->SizeLabel << ")";
  out << '\n';
  constexpr size_t columnCount = CulvertAnalysisResultColumnCount;
  const std::vector<std::string> headings = ResultHeadingsOf(TProjectKind::CulvertAnalysis, columnCount);
  const int rowCount = e.Results.Count();
  std::vector<std::vector<std::string>> cells(rowCount + 1, std::vector<std::string>(columnCount));
  std::vector<size_t> widths(columnCount, 0);
  for (size_t c = 0; c < columnCount; ++c) {
    cells[0][c] = headings[c];
    for (int row = 0; row < rowCount; ++row)
      cells[row + 1][c] = CulvertAnalysisResultCell(*e.Results.Row(row), static_cast<int>(c));
    for (const auto& line : cells) widths[c] = std::max(widths[c], line[c].size());
  }
  for (const auto& line : cells) {
    std::string text;
    for (size_t c = 0; c < columnCount; ++c) {
      std::string cell = line[c];
      cell.resize(widths[c], ' ');
      text += (c == 0 ? "" : " | ") + cell;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << '\n';
  }
  if (AnyInletControlExtrapolated(e.Results)) out << InletExtrapolatedNote << '\n';
  if (rowCount == 0)
    out << "No records found\n";
  else if (rowCount == 1)
    out << "One record found\n";
  else
    out << rowCount << " records found\n";
}

void PrintText(TNerraBaseProject& project, std::ostream& out) {
  TCulvertAnalysis& analysis = Analysis(project);
  out << "CULVERT ANALYSIS - " << OptionTitle(analysis.AnalysisOption) << '\n';
  for (int i = 0; i < analysis.Elements.Count(); ++i) {
    if (const TCulvertBaseElement* e = analysis.Elements.Culvert(i)) {
      out << '\n';
      PrintElement(*e, out);
    }
  }
}

std::string Configure(TNerraBaseProject& project, const TCliOptions& options) {
  TCulvertAnalysis& analysis = Analysis(project);
  if (options.AnalysisOption == "performance")
    analysis.SetAnalysisOption(aoPerformanceCurve);
  else if (options.AnalysisOption == "buried")
    analysis.SetAnalysisOption(aoBuriedDepthCurve);
  else if (options.AnalysisOption == "system")
    analysis.SetAnalysisOption(aoCulvertSystem);
  else
    return "--option takes performance, buried or system";
  return std::string();
}

}  // namespace

TCliKind CulvertAnalysisCliKind() {
  TCliKind kind;
  kind.Kinds = {TProjectKind::CulvertAnalysis};
  kind.Options = {"--option"};
  kind.Configure = Configure;
  kind.PrintText = PrintText;
  return kind;
}
