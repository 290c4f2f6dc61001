#include "appmodel/ResultTable.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "appmodel/ProjectKinds.h"
#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertDesign.h"
#include "culvert/CulvertElement.h"
#include "ditch/DitchAnalysis.h"
#include "foundation/Latin1.h"
#include "inletspacing/InletSpacing.h"
#include "model/PipeCatalogue.h"
#include "stormsewer/StormSewer.h"

namespace {

using V = TResultValue;

// A field of one level: its name and how a record of the level gives it.
// Every level's fields are listed once here; the records and the CSV header
// both come from these lists.
template <class T>
struct TColumn {
  const char* Name;
  TResultValue (*Get)(const T&);
};

template <class T, size_t N>
TResultRecord RecordOf(const TColumn<T> (&columns)[N], const T& item) {
  TResultRecord record;
  record.reserve(N);
  for (const TColumn<T>& column : columns) record.push_back({column.Name, column.Get(item)});
  return record;
}

template <class T, size_t N>
void AddNames(const TColumn<T> (&columns)[N], std::vector<std::string>& names) {
  for (const TColumn<T>& column : columns) names.emplace_back(column.Name);
}

V Int(long long value) { return V::Integer(value); }

// --- culvert rows (analysis and design) -------------------------------------------------

using TCulvertRow = TCulvertElementResult;

V PipeField(const TCulvertRow& r, V (*get)(const TCulvertBasePipe&)) { return r.Pipe ? get(*r.Pipe) : V(); }

const TColumn<TCulvertRow> CulvertRowColumns[] = {
    {"Flow", [](const TCulvertRow& r) { return V::Number(r.Flow); }},
    {"Velocity", [](const TCulvertRow& r) { return V::Number(r.Velocity); }},
    {"Overflow", [](const TCulvertRow& r) { return V::Number(r.Overflow); }},
    {"InletHeadwater", [](const TCulvertRow& r) { return V::Number(r.InletHeadwater); }},
    {"CriticalDepth", [](const TCulvertRow& r) { return V::Number(r.CriticalDepth); }},
    {"NormalDepth", [](const TCulvertRow& r) { return V::Number(r.NormalDepth); }},
    {"OutletHeadwater", [](const TCulvertRow& r) { return V::Number(r.OutletHeadwater); }},
    {"Tailwater", [](const TCulvertRow& r) { return V::Number(r.Tailwater); }},
    {"UseHW", [](const TCulvertRow& r) { return Int(r.UseHW); }},
    {"CulvertQuantity", [](const TCulvertRow& r) { return Int(r.CulvertQuantity); }},
    {"ElementId", [](const TCulvertRow& r) { return Int(r.ElementId); }},
    {"FlowType", [](const TCulvertRow& r) { return V::Text(r.FlowType); }},
    {"HeadwaterControl", [](const TCulvertRow& r) { return V::Text(r.HeadwaterControl); }},
    {"DesignCode", [](const TCulvertRow& r) { return V::Text(r.DesignCode); }},
    {"Pipe.CulvertType",
     [](const TCulvertRow& r) {
       return PipeField(r, [](const TCulvertBasePipe& p) { return V::Text(p.CulvertType); });
     }},
    {"Pipe.CorrugationType",
     [](const TCulvertRow& r) {
       return PipeField(r, [](const TCulvertBasePipe& p) { return V::Text(p.CorrugationType); });
     }},
    {"Pipe.PipeSizeIndex",
     [](const TCulvertRow& r) { return PipeField(r, [](const TCulvertBasePipe& p) { return Int(p.PipeSizeIndex); }); }},
    {"Pipe.SizeLabel",
     [](const TCulvertRow& r) { return PipeField(r, [](const TCulvertBasePipe& p) { return V::Text(p.SizeLabel); }); }},
    {"ImprovedInlet", [](const TCulvertRow& r) { return V::Text(r.ImprovedInlet); }},
    {"ImprovedInletType", [](const TCulvertRow& r) { return Int(r.ImprovedInletType); }},
    {"HeadwaterLoss", [](const TCulvertRow& r) { return V::Number(r.HeadwaterLoss); }},
    {"BuriedDepth", [](const TCulvertRow& r) { return V::Number(r.BuriedDepth); }},
    {"CoeffN", [](const TCulvertRow& r) { return V::Number(r.CoeffN); }},
    {"OutletHeadwaterValid", [](const TCulvertRow& r) { return V::Flag(r.OutletHeadwaterValid); }},
    {"CoeffKE", [](const TCulvertRow& r) { return V::Number(r.CoeffKE); }},
    {"HeadwaterAllowanceCheck", [](const TCulvertRow& r) { return V::Flag(r.HeadwaterAllowanceCheck); }},
    {"BuriedOption", [](const TCulvertRow& r) { return V::Flag(r.BuriedOption); }},
    {"InletControlExtrapolated", [](const TCulvertRow& r) { return V::Flag(r.InletControlExtrapolated); }},
};

// The results of one culvert as leaf rows.
std::vector<TResultNode> CulvertRows(const TCulvertBaseElement& culvert) {
  std::vector<TResultNode> rows;
  for (int r = 0; r < culvert.Results.Count(); ++r)
    if (const TCulvertRow* row = culvert.Results.Row(r)) rows.push_back({RecordOf(CulvertRowColumns, *row), {}, {}});
  return rows;
}

// Every element level starts with its id.
template <class T>
const TColumn<T> IdColumn[] = {{"id", [](const T& e) { return Int(e.ElementId); }}};

TResultTree CulvertAnalysisResults(const TCulvertAnalysis& analysis) {
  TResultTree tree;
  AddNames(IdColumn<TCulvertBaseElement>, tree.Columns);
  AddNames(CulvertRowColumns, tree.Columns);
  for (int i = 0; i < analysis.Elements.Count(); ++i) {
    const TCulvertBaseElement* e = analysis.Elements.Culvert(i);
    if (!e) continue;
    tree.Elements.push_back({RecordOf(IdColumn<TCulvertBaseElement>, *e), "rows", CulvertRows(*e)});
  }
  return tree;
}

const TColumn<TCulvertBaseElement> CandidateColumns[] = {
    {"CulvertType", [](const TCulvertBaseElement& c) { return V::Text(c.CulvertTypeText()); }},
    {"CorrugationType", [](const TCulvertBaseElement& c) { return V::Text(c.CorrugationText()); }},
    {"PipeSizeIndex", [](const TCulvertBaseElement& c) { return Int(c.PipeSizeIndexValue()); }},
};

TResultTree CulvertDesignResults(const TCulvertDesign& design) {
  TResultTree tree;
  AddNames(IdColumn<TCulvertDesignElement>, tree.Columns);
  AddNames(CandidateColumns, tree.Columns);
  AddNames(CulvertRowColumns, tree.Columns);
  for (int i = 0; i < design.Elements.Count(); ++i) {
    const TCulvertDesignElement* crossing = design.Crossing(i);
    if (!crossing) continue;
    TResultNode element{RecordOf(IdColumn<TCulvertDesignElement>, *crossing), "candidates", {}};
    for (int c = 0; c < crossing->Candidates.Count(); ++c)
      if (const TCulvertBaseElement* candidate = crossing->Candidates.Culvert(c))
        element.Children.push_back({RecordOf(CandidateColumns, *candidate), "rows", CulvertRows(*candidate)});
    tree.Elements.push_back(std::move(element));
  }
  return tree;
}

// --- storm sewer ------------------------------------------------------------------------

using TPipeRun = TStormSewerElement;

const TColumn<TPipeRun> StormSewerRowColumns[] = {
    {"BeginJunction", [](const TPipeRun& p) { return V::Text(p.BeginJunction); }},
    {"EndJunction", [](const TPipeRun& p) { return V::Text(p.EndJunction); }},
    {"IsOpenJunction", [](const TPipeRun& p) { return V::Flag(p.IsOpenJunction); }},
    {"IsFinalJunction", [](const TPipeRun& p) { return V::Flag(p.IsFinalJunction); }},
    {"SumCA", [](const TPipeRun& p) { return V::Number(p.SumCA()); }},
    {"SumArea", [](const TPipeRun& p) { return V::Number(p.SumArea()); }},
    {"BeginTime", [](const TPipeRun& p) { return V::Number(p.BeginTime); }},
    {"EndTime", [](const TPipeRun& p) { return V::Number(p.EndTime()); }},
    {"GlobalArea", [](const TPipeRun& p) { return V::Number(p.GlobalArea); }},
    {"Rainfall", [](const TPipeRun& p) { return V::Number(p.Rainfall); }},
    {"Flow", [](const TPipeRun& p) { return V::Number(p.Flow()); }},
    {"Diameter", [](const TPipeRun& p) { return V::Number(p.Diameter); }},
    {"PipeDiameterWarning", [](const TPipeRun& p) { return V::Flag(p.PipeDiameterWarning); }},
    {"PipeSlope", [](const TPipeRun& p) { return V::Number(p.PipeSlope()); }},
    {"InletFlow", [](const TPipeRun& p) { return V::Number(p.InletFlow); }},
    {"OutletFlowLine", [](const TPipeRun& p) { return V::Number(p.OutletFlowLine()); }},
    {"InletCrownElevation", [](const TPipeRun& p) { return V::Number(p.InletCrownElevation()); }},
    {"OutletCrownElevation", [](const TPipeRun& p) { return V::Number(p.OutletCrownElevation()); }},
    {"Velocity", [](const TPipeRun& p) { return V::Number(p.Velocity); }},
    {"FullCapacity", [](const TPipeRun& p) { return V::Number(p.FullCapacity()); }},
    {"EffectiveN", [](const TPipeRun& p) { return V::Number(p.EffectiveN); }},
    {"CoverMinusCrown", [](const TPipeRun& p) { return V::Number(p.CoverMinusCrown()); }},
    {"HGRainfall", [](const TPipeRun& p) { return V::Number(p.HGRainfall); }},
    {"HGFlow", [](const TPipeRun& p) { return V::Number(p.HGFlow()); }},
    {"FrictionSlope", [](const TPipeRun& p) { return V::Number(p.FrictionSlope()); }},
    {"HGInletFlow", [](const TPipeRun& p) { return V::Number(p.HGInletFlow); }},
    {"HGOutletFlow", [](const TPipeRun& p) { return V::Number(p.HGOutletFlow); }},
    {"CoverMinusHG", [](const TPipeRun& p) { return V::Number(p.CoverMinusHG()); }},
};

TResultTree StormSewerResults(const TStormSewer& sewer) {
  TResultTree tree;
  AddNames(IdColumn<TPipeRun>, tree.Columns);
  AddNames(StormSewerRowColumns, tree.Columns);
  const TStormSewerElementList& list = sewer.ElementList;
  for (int i = 0; i < list.Count(); ++i) {
    const TPipeRun* p = list.Pipe(i);
    if (!p) continue;
    tree.Elements.push_back({RecordOf(IdColumn<TPipeRun>, *p), "rows", {{RecordOf(StormSewerRowColumns, *p), {}, {}}}});
  }
  return tree;
}

// --- inlet spacing ----------------------------------------------------------------------

using TInlet = TInletSpacingElement;

const TColumn<TInlet> InletRowColumns[] = {
    {"Sump", [](const TInlet& p) { return V::Text(p.Sump); }},
    {"CatchBasin", [](const TInlet& p) { return V::Text(p.CatchBasin); }},
    {"Station", [](const TInlet& p) { return V::Text(p.StationText()); }},
    {"StationFeet", [](const TInlet& p) { return Int(p.StationFeet); }},
    {"GutterLength", [](const TInlet& p) { return V::Number(p.GutterLength); }},
    {"UsedGutterLength", [](const TInlet& p) { return V::Number(p.UsedGutterLength()); }},
    {"RunoffCoeff", [](const TInlet& p) { return V::Number(p.RunoffCoeff); }},
    {"RunoffArea", [](const TInlet& p) { return V::Number(p.RunoffArea); }},
    {"LongSlope", [](const TInlet& p) { return V::Number(p.LongSlope); }},
    {"GutterSlope", [](const TInlet& p) { return V::Number(p.GutterSlope); }},
    {"ManningGN", [](const TInlet& p) { return V::Number(p.GutterN()); }},
    {"PavementSlope", [](const TInlet& p) { return V::Number(p.PavementSlope); }},
    {"GutterWidth", [](const TInlet& p) { return V::Number(p.GutterWidth); }},
    {"Depression", [](const TInlet& p) { return V::Number(p.Depression); }},
    {"GutterTime", [](const TInlet& p) { return V::Number(p.GutterTime); }},
    {"TotalFlow", [](const TInlet& p) { return V::Number(p.TotalFlow); }},
    {"InterceptedFlow", [](const TInlet& p) { return V::Number(p.InterceptedFlow); }},
    {"DepthFlow", [](const TInlet& p) { return V::Number(p.DepthFlow); }},
    {"PavementSpread", [](const TInlet& p) { return V::Number(p.PavementSpread); }},
    {"BypassFlow", [](const TInlet& p) { return V::Number(p.BypassFlow); }},
    {"UsedTime", [](const TInlet& p) { return V::Number(p.UsedTime); }},
    {"Rainfall", [](const TInlet& p) { return V::Number(p.Rainfall); }},
    {"PreviousStation", [](const TInlet& p) { return V::Number(p.PreviousStation); }},
    {"GrateEdgeDepth", [](const TInlet& p) { return V::Number(p.GrateEdgeDepth); }},
    {"FrontalFlow", [](const TInlet& p) { return V::Number(p.FrontalFlow); }},
    {"PondedDepth", [](const TInlet& p) { return V::Number(p.PondedDepth); }},
    {"SagDesignFlow", [](const TInlet& p) { return V::Number(p.SagDesignFlow); }},
    {"SagSpread", [](const TInlet& p) { return V::Number(p.SagSpread); }},
    {"ConcTimeUsed", [](const TInlet& p) { return V::Number(p.ConcTimeUsed); }},
    {"CalcMessage", [](const TInlet& p) { return V::Text(p.CalcMessage); }},
};

const TColumn<TInletSpacingElementList> SumpColumns[] = {
    {"HasSumpData", [](const TInletSpacingElementList& l) { return V::Flag(l.HasSumpData); }},
    {"SumpTotalFlow", [](const TInletSpacingElementList& l) { return V::Number(l.SumpTotalFlow); }},
    {"SumpPondedDepth", [](const TInletSpacingElementList& l) { return V::Number(l.SumpPondedDepth); }},
    {"SumpSpread", [](const TInletSpacingElementList& l) { return V::Number(l.SumpSpread); }},
};

TResultTree InletSpacingResults(const TInletSpacing& project) {
  TResultTree tree;
  AddNames(IdColumn<TInlet>, tree.Columns);
  AddNames(InletRowColumns, tree.Columns);
  for (int i = 0; i < project.Elements.Count(); ++i) {
    const TInlet* p = project.Elements.Items(i);
    if (!p) continue;
    tree.Elements.push_back({RecordOf(IdColumn<TInlet>, *p), "rows", {{RecordOf(InletRowColumns, *p), {}, {}}}});
  }
  tree.List = RecordOf(SumpColumns, project.Elements);
  return tree;
}

// --- ditch analysis ---------------------------------------------------------------------

using TDitchRow = TDitchAnalysisElementResult;
using TDitchSection = TDitchAnalysisElement;

const TColumn<TDitchSection> DitchSectionColumns[] = {
    {"id", [](const TDitchSection& e) { return Int(e.ElementId); }},
    {"AreaSum", [](const TDitchSection& e) { return V::Number(e.AreaSum); }},
    {"CASum", [](const TDitchSection& e) { return V::Number(e.CASum); }},
    {"IsConcentratedInflow", [](const TDitchSection& e) { return V::Flag(e.IsConcentratedInflow()); }},
};

const TColumn<TDitchRow> DitchRowColumns[] = {
    {"FirstLine", [](const TDitchRow& r) { return V::Flag(r.FirstLine); }},
    {"Lining", [](const TDitchRow& r) { return Int(static_cast<int>(r.Lining)); }},
    {"LiningName", [](const TDitchRow& r) { return V::Text(r.LiningName()); }},
    {"Message", [](const TDitchRow& r) { return V::Text(r.Message); }},
    {"FrequencyCode", [](const TDitchRow& r) { return V::Text(r.FrequencyCode); }},
    {"ManningCoeff", [](const TDitchRow& r) { return V::Number(r.ManningCoeff); }},
    {"Intensity", [](const TDitchRow& r) { return V::Number(r.Intensity); }},
    {"FlowTime", [](const TDitchRow& r) { return V::Number(r.FlowTime); }},
    {"Grade", [](const TDitchRow& r) { return V::Number(r.Grade); }},
    {"Depth", [](const TDitchRow& r) { return V::Number(r.Depth); }},
    {"WettedArea", [](const TDitchRow& r) { return V::Number(r.WettedArea); }},
    {"Flow", [](const TDitchRow& r) { return V::Number(r.Flow()); }},
    {"Velocity", [](const TDitchRow& r) { return V::Number(r.Velocity()); }},
    {"Shear", [](const TDitchRow& r) { return V::Number(r.Shear()); }},
    {"ShearText", [](const TDitchRow& r) { return V::Text(r.ShearText()); }},
    {"TopWidth", [](const TDitchRow& r) { return V::Number(r.TopWidth()); }},
    {"IsShearValid", [](const TDitchRow& r) { return V::Flag(r.IsShearValid()); }},
    {"IsDepthValid", [](const TDitchRow& r) { return V::Flag(r.IsDepthValid()); }},
    {"IsGradeValid", [](const TDitchRow& r) { return V::Flag(r.IsGradeValid()); }},
};

// One entry per section in list order, holding the result rows that follow
// it in the result list.
TResultTree DitchResults(const TDitchAnalysis& project) {
  TResultTree tree;
  AddNames(DitchSectionColumns, tree.Columns);
  AddNames(DitchRowColumns, tree.Columns);
  int row = 0;
  for (int i = 0; i < project.ElementList.Count(); ++i) {
    const TDitchSection* section = project.Element(i);
    if (!section) continue;
    TResultNode entry{RecordOf(DitchSectionColumns, *section), "rows", {}};
    for (; row < project.ResultList.Count() && project.Result(row)->Element == section; ++row)
      entry.Children.push_back({RecordOf(DitchRowColumns, *project.Result(row)), {}, {}});
    tree.Elements.push_back(std::move(entry));
  }
  return tree;
}

void Flatten(const TResultNode& node, TResultRecord above, std::vector<TResultRecord>& rows) {
  above.insert(above.end(), node.Fields.begin(), node.Fields.end());
  if (node.ChildArray.empty()) {
    rows.push_back(std::move(above));
    return;
  }
  for (const TResultNode& child : node.Children) Flatten(child, above, rows);
}

void AppendCsvField(const std::string& text, std::string& out) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char ch : text) {
    if (ch == '"') out += '"';
    out += ch;
  }
  out += '"';
}

}  // namespace

TResultTree ProjectResults(const TNerraBaseProject& project) {
  const TProjectKindRow* row = ProjectKindRowOf(project);
  return row && row->Results ? row->Results(project) : TResultTree();
}

TResultTree CulvertDesignResultTree(const TNerraBaseProject& project) {
  return CulvertDesignResults(static_cast<const TCulvertDesign&>(project));
}

TResultTree CulvertAnalysisResultTree(const TNerraBaseProject& project) {
  return CulvertAnalysisResults(static_cast<const TCulvertAnalysis&>(project));
}

TResultTree StormSewerResultTree(const TNerraBaseProject& project) {
  return StormSewerResults(static_cast<const TStormSewer&>(project));
}

TResultTree InletSpacingResultTree(const TNerraBaseProject& project) {
  return InletSpacingResults(static_cast<const TInletSpacing&>(project));
}

TResultTree DitchResultTree(const TNerraBaseProject& project) {
  return DitchResults(static_cast<const TDitchAnalysis&>(project));
}

std::vector<TResultRecord> FlattenResults(const TResultTree& tree) {
  std::vector<TResultRecord> rows;
  for (const TResultNode& element : tree.Elements) Flatten(element, TResultRecord(), rows);
  return rows;
}

std::string CsvValueText(const TResultValue& value) {
  if (const double* number = value.AsNumber()) {
    if (!std::isfinite(*number)) return std::string();
    // As "%.17g" in the C locale: a CSV file's numbers take the point
    // whatever the user's locale (the desktop runs in it).
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, *number, std::chars_format::general, 17);
    return std::string(buffer, written.ptr);
  }
  if (const long long* integer = value.AsInteger()) return std::to_string(*integer);
  if (const bool* flag = value.AsFlag()) return *flag ? "true" : "false";
  if (const std::string* text = value.AsText()) return Latin1ToUtf8(*text);
  return std::string();
}

std::string ResultsCsv(const TResultTree& tree) {
  std::string out;
  auto line = [&out](const std::vector<std::string>& fields) {
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i > 0) out += ',';
      AppendCsvField(fields[i], out);
    }
    out += "\r\n";
  };
  line(tree.Columns);
  for (const TResultRecord& row : FlattenResults(tree)) {
    std::vector<std::string> fields;
    fields.reserve(row.size());
    for (const TResultField& field : row) fields.push_back(CsvValueText(field.Value));
    line(fields);
  }
  return out;
}

std::string DefaultResultsCsvFileName(const std::string& projectFileName) {
  const size_t slash = projectFileName.find_last_of('/');
  const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  std::string name = projectFileName.substr(nameStart);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  if (name.empty()) name = "results";
  return projectFileName.substr(0, nameStart) + name + ".csv";
}
