// Culvert Design on the command line: --pipe-type CODE chooses the culvert
// types designed (default "0"), --improved-inlet tries improved inlets on
// circular pipes. The text output is the result dialog of each crossing,
// one table per culvert type it shows.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CliKinds.h"
#include "appmodel/CulvertAnalysisEntry.h"
#include "appmodel/CulvertDesignEntry.h"
#include "culvert/CulvertDesign.h"
#include "foundation/DisplayFormat.h"
#include "model/PipeCatalogue.h"

namespace {

TCulvertDesign& Design(TNerraBaseProject& project) { return dynamic_cast<TCulvertDesign&>(project); }

std::vector<std::string> Cells(const TCulvertElementResult& r, const TNerraParameterList* parameters) {
  std::vector<std::string> cells;
  for (int column = 0; column < CulvertDesignResultColumns; ++column)
    cells.push_back(CulvertDesignResultCell(r, column, parameters));
  return cells;
}

void PrintTable(const TCulvertElementResultList& rows, const TNerraParameterList* parameters, std::ostream& out) {
  std::vector<std::vector<std::string>> lines{
      ResultHeadingsOf(TProjectKind::CulvertDesign, CulvertDesignResultColumns)};
  for (int i = 0; i < rows.Count(); ++i) {
    if (const TCulvertElementResult* row = rows.Row(i)) lines.push_back(Cells(*row, parameters));
  }
  const size_t columns = lines[0].size();
  std::vector<size_t> widths(columns, 0);
  for (const auto& line : lines) {
    for (size_t c = 0; c < columns; ++c) widths[c] = std::max(widths[c], line[c].size());
  }
  for (const auto& line : lines) {
    std::string text;
    for (size_t c = 0; c < columns; ++c) {
      std::string cell = line[c];
      cell.resize(widths[c], ' ');
      text += (c == 0 ? "" : " | ") + cell;
    }
    text.erase(text.find_last_not_of(' ') + 1);
    out << text << '\n';
  }
  const size_t count = lines.size() - 1;
  if (AnyInletControlExtrapolated(rows)) out << InletExtrapolatedNote << '\n';
  if (count == 0)
    out << "No records found\n";
  else if (count == 1)
    out << "One record found\n";
  else
    out << count << " records found\n";
}

void PrintText(TNerraBaseProject& project, std::ostream& out) {
  TCulvertDesign& design = Design(project);
  out << "CULVERT DESIGN - pipe type " << design.PipeType << (design.ImprovedInlet ? ", improved inlets" : "") << '\n';
  for (int i = 0; i < design.Elements.Count(); ++i) {
    const TCulvertDesignElement* crossing = design.Crossing(i);
    if (!crossing) continue;
    out << "\nCulvert Design Result #" << crossing->ElementId << '\n';
    for (const std::string& type : DesignResultTypes(design.PipeType)) {
      out << '\n' << DesignResultHeading(type) << '\n';
      const auto rows = TCulvertElementList::CollectResultsOfType(crossing->Candidates, type);
      PrintTable(*rows, design.Parameters, out);
    }
  }
}

std::string Configure(TNerraBaseProject& project, const TCliOptions& options) {
  TCulvertDesign& design = Design(project);
  const std::string& code = options.PipeType;
  if (code != "0" && code != "99" && !(code.size() == 1 && code[0] >= '1' && code[0] <= '5'))
    return "--pipe-type takes 0, 1, 2, 3, 4, 5 or 99";
  design.PipeType = code;
  design.ImprovedInlet = options.ImprovedInlet;
  return std::string();
}

}  // namespace

TCliKind CulvertDesignCliKind() {
  TCliKind kind;
  kind.Kinds = {TProjectKind::CulvertDesign};
  kind.Options = {"--pipe-type", "--improved-inlet", "--trace"};
  kind.Configure = Configure;
  kind.PrintText = PrintText;
  return kind;
}
