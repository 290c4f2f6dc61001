#include "reports/DitchAnalysisReport.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <variant>

#include "ditch/DitchAnalysis.h"
#include "foundation/DisplayFormat.h"
#include "reports/ProjectReport.h"

namespace {

const char* const ConcentratedInflowText = "Concentrated Inflow";

// --- filling the dataset -----------------------------------------------------------

void DefineFields(TReportDataset& data) {
  data.AddStringField(FirstLineField, 10);
  for (const char* name : {"BEGIN_STATION", "END_STATION", "SIDE"}) data.AddStringField(name, 40);
  for (const char* name : {"INSLOPE", "WIDTH", "BACKSLOPE", "GRADE", "AREA", "AREA_SUM", "RUNOFF_COEFF", "CA"})
    data.AddFloatField(name);
  data.AddStringField("LINING", 40);
  for (const char* name : {"RAINFALL", "MANNING_N", "TIME_FLOW", "VELOCITY", "FLOW", "DEPTH", "WIDTH_FLOW"})
    data.AddFloatField(name);
  data.AddStringField("STORM_FREQUENCY", 40);
  data.AddFloatField("DITCH_LENGTH");
  data.AddStringField("SHEAR_CAPTION", 40);
  for (const char* name : {"IS_GRADE_VALID", "IS_SHEAR_VALID", "IS_DEPTH_VALID"}) data.AddBooleanField(name);
}

void SetSectionFields(TReportDataset& data, const TDitchAnalysisElement& section) {
  data.SetString("END_STATION", section.EndStationText());
  data.SetString("SIDE", section.Side);
  data.SetFloat("DITCH_LENGTH", section.DitchLength());
  data.SetFloat("WIDTH", section.HasRadius() ? section.Radius : section.Width);
  if (!section.HasRadius()) {
    data.SetFloat("INSLOPE", section.Inslope);
    data.SetFloat("BACKSLOPE", section.Backslope);
  }
  data.SetFloat("GRADE", section.DitchGrade());
}

void SetResultFields(TReportDataset& data, const TDitchAnalysisElementResult& row) {
  data.SetString("LINING", row.LiningName());
  data.SetFloat("RAINFALL", row.Intensity);
  data.SetFloat("AREA_SUM", row.Element->AreaSum);
  data.SetString("STORM_FREQUENCY", row.FrequencyCode);
  data.SetFloat("MANNING_N", row.ManningCoeff);
  data.SetFloat("VELOCITY", row.Velocity());
  data.SetString("SHEAR_CAPTION", row.ShearText());
  data.SetFloat("FLOW", row.Flow());
  data.SetFloat("DEPTH", row.Depth);
  data.SetFloat("WIDTH_FLOW", row.TopWidth());
  data.SetFloat("TIME_FLOW", row.FlowTime);
  data.SetBoolean("IS_GRADE_VALID", row.IsGradeValid());
  data.SetBoolean("IS_SHEAR_VALID", row.IsShearValid());
  data.SetBoolean("IS_DEPTH_VALID", row.IsDepthValid());
}

void AddRecord(TReportDataset& data, const TDitchAnalysisElementResult& row) {
  const TDitchAnalysisElement& element = *row.Element;
  data.Append();
  data.SetString(FirstLineField, row.FirstLine ? "Y" : "N");
  data.SetString("BEGIN_STATION", element.BeginStationText());
  if (row.IsInflowRow()) {
    data.SetString("END_STATION", ConcentratedInflowText);
    data.SetFloat("TIME_FLOW", element.ConcTime);
  } else {
    SetSectionFields(data, element);
    // A message row has no hydraulics of its own: its text goes where the
    // lining is named and the result columns stay empty.
    if (row.IsMessageRow())
      data.SetString("LINING", row.Message);
    else
      SetResultFields(data, row);
  }
  data.SetFloat("AREA", element.RunoffArea);
  data.SetFloat("RUNOFF_COEFF", element.RunoffCoeff);
  data.SetFloat("CA", element.CASum);
  data.Post();
}

void FillRecords(TReportDataset& data, const TDitchAnalysis& project) {
  for (int i = 0; i < project.ResultList.Count(); ++i) {
    const TDitchAnalysisElementResult* row = project.Result(i);
    if (row && row->Element) AddRecord(data, *row);
  }
}

// --- conditional texts ---------------------------------------------------------------

// A flag that was never set (an inflow or message row) counts as valid.
bool IsFalse(const TReportDataset& data, int record, const char* field) {
  const TReportValue& value = data.Value(record, field);
  const bool* flag = std::get_if<bool>(&value);
  return flag && !*flag;
}

bool IsFirstLine(const TReportDataset& data, int record) { return data.Text(record, FirstLineField) == "Y"; }

std::string SteepGradeMark(const TReportDataset& data, int record) {
  const bool marked =
      IsFirstLine(data, record) && IsFalse(data, record, "IS_GRADE_VALID") && !data.IsNull(record, "GRADE");
  return marked ? "*" : std::string();
}

std::string DepthText(const TReportDataset& data, int record) {
  const std::string depth = FormatFieldFixed(data, record, "DEPTH", 2);
  if (depth.empty() || !IsFalse(data, record, "IS_DEPTH_VALID")) return depth;
  return "(" + depth + ")";
}

// --- layout -----------------------------------------------------------------------------

using THandler = std::string (*)(const TReportDataset&, int, int);

struct TColumn {
  const char* Captions[3];
  double Width;
  const char* Field;  // "*": the steep grade mark
  THandler Handler;   // none: the text unchanged
  TReportAlign Align;
};

constexpr auto L = TReportAlign::Left;
constexpr auto C = TReportAlign::Center;
constexpr auto R = TReportAlign::Right;

// Left to right; the widths fill the 10 in between the margins.
const TColumn Columns[] = {
    {{"", "BEGIN", ""}, 30, "BEGIN_STATION", FirstLineText, L},
    {{"", "END", ""}, 62, "END_STATION", FirstLineText, L},
    {{"SIDE", "", ""}, 18, "SIDE", FirstLineText, C},
    {{"LENGTH", "(ft.)", ""}, 32, "DITCH_LENGTH", FirstLineFloat9BY2, R},
    {{"RADIUS", "WIDTH", "(ft.)"}, 30, "WIDTH", FirstLineFloat9BY2, R},
    {{"IN", "SLOPE", "(ft./ft.)"}, 30, "INSLOPE", FirstLineFloat9BY2, R},
    {{"BACK", "SLOPE", "(ft./ft.)"}, 30, "BACKSLOPE", FirstLineFloat9BY2, R},
    {{"GRADE", "(ft./ft.)", ""}, 34, "GRADE", FirstLineFloat9BY4, R},
    {{"", "", ""}, 6, "*", nullptr, L},
    {{"AREA", "(acres)", ""}, 28, "AREA", FirstLineFloat9BY2, R},
    {{"AREA", "SUM", "(acres)"}, 28, "AREA_SUM", FirstLineFloat9BY2, R},
    {{"RUNOFF", "COEFF.", ""}, 30, "RUNOFF_COEFF", FirstLineFloat9BY2, R},
    {{"CA", "(Sum)", ""}, 28, "CA", FirstLineFloat9BY2, R},
    {{"PROTECT", "TYPE", ""}, 64, "LINING", nullptr, C},
    {{"RAIN", "INT.", "(in./hr.)"}, 30, "RAINFALL", FormatFloat9BY2, R},
    {{"STORM", "FREQ.", "(yrs.)"}, 28, "STORM_FREQUENCY", nullptr, C},
    {{"MANN.", "COEFF.", ""}, 28, "MANNING_N", FormatFloat9BY3, R},
    {{"TIME", "FLOW", "(min.)"}, 28, "TIME_FLOW", FormatFloat9BY2, R},
    {{"VEL.", "FLOW", "(fps.)"}, 28, "VELOCITY", FormatFloat9BY2, R},
    {{"SHEAR", "(lbs./ sq.ft.)", ""}, 34, "SHEAR_CAPTION", nullptr, R},
    {{"DESIGN", "FLOW", "(cfs.)"}, 32, "FLOW", FormatFloat9BY2, R},
    {{"DEPTH", "FLOW", "(ft.)"}, 32, "DEPTH", nullptr, R},
    {{"WIDTH", "FLOW", "(ft.)"}, 30, "WIDTH_FLOW", FormatFloat9BY2, R},
};

constexpr double ColumnFontSize = 7;
constexpr double HeadingLine = 9;
constexpr double NumberPadding = 2;

void AddColumnHeadings(TReportBand& band) {
  constexpr double top = 2;
  double x = 0;
  for (const TColumn& column : Columns) {
    for (int line = 0; line < 3; ++line)
      if (*column.Captions[line])
        band.Label(column.Captions[line], x, top + line * HeadingLine, column.Width, C, true, ColumnFontSize);
    x += column.Width;
  }
  // The stations share one caption over both columns.
  band.Label("STATION", 0, top, Columns[0].Width + Columns[1].Width, C, true, ColumnFontSize);
  band.Rule(0, top + 3 * HeadingLine + 2, x);
  band.Height = top + 3 * HeadingLine + 5;
}

void AddDetailBand(TReport& report) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::Detail, 10);
  double x = 0;
  for (const TColumn& column : Columns) {
    const double width = column.Align == R ? column.Width - NumberPadding : column.Width;
    const std::string field = column.Field;
    TReportItem* item = nullptr;
    if (field == "*")
      item = &band.Computed(SteepGradeMark, x, 0, width, column.Align);
    else if (field == "DEPTH")
      item = &band.Computed(DepthText, x, 0, width, column.Align);
    else
      item = &band.Cell(field, x, 0, width, column.Handler ? TPrintHandler(column.Handler) : TPrintHandler(),
                        column.Align);
    item->FontSize = ColumnFontSize;
    x += column.Width;
  }
}

// The allowable shears: a caption at the left, then up to three linings.
void AddShearLine(TReportBand& band, const char* caption, double y,
                  std::initializer_list<std::pair<const char*, double>> linings) {
  band.Label(caption, 0, y, 100, L, true);
  double x = 110;
  for (const auto& [name, shear] : linings) {
    band.Label(name, x, y, 76, R);
    band.Label(FormatFixed(shear, 2), x + 80, y, 40);
    x += 130;
  }
}

void AddTitleBand(TReport& report, const TDitchAnalysis& project) {
  const TDitchAnalysisGeneralParameters& p = project.GeneralParameters;
  TReportBand& band = report.Layout.AddBand(TReportBandKind::Title, 0);
  double y = AddIdentification(band, project.Identification) + 4;
  band.Label("Rainfall Area :", 0, y, 80, L, true);
  band.Label(p.WaterShedAreaCode, 82, y, 120);
  y += 16;
  AddShearLine(band, "Allowable Shears", y,
               {{"Seed:", p.AllowableShear(ltSeed)},
                {"Jute Mat:", p.AllowableShear(ltJuteMat)},
                {"Temporary Mat:", p.AllowableShear(ltTempMat)}});
  AddShearLine(band, "Permanent Mat", y += 13,
               {{"Type 1:", p.AllowableShear(ltTurfType1)},
                {"Type 2:", p.AllowableShear(ltTurfType2)},
                {"Type 3:", p.AllowableShear(ltTurfType3)}});
  AddShearLine(band, "RCP", y += 13, {{"Type B:", p.AllowableShear(ltRCPTypeB)}});
  y += 16;
  band.Label("(*) Warning: Grade is steeper than allowable.", 0, y, 500, L, false, 9);
  y += 12;
  band.Label("If value is parantheses, design parameters have been exceeded. - See user manual.", 0, y, 500, L, false,
             9);
  band.Height = y + 16;
}

void AddLayout(TReport& report, const TDitchAnalysis& project) {
  AddPageHeader(report);
  AddTitleBand(report, project);
  AddColumnHeadings(report.Layout.AddBand(TReportBandKind::ColumnHeader, 0));
  AddDetailBand(report);
  AddPageFooter(report);
}

}  // namespace

std::unique_ptr<TReport> CreateDitchAnalysisReport(const TDitchAnalysis& project, const TNerraParameterList&) {
  auto report = std::make_unique<TReport>();
  report->Heading = DitchAnalysisReportHeading;
  report->FileName = project.FileName;
  report->PdfFileName = DefaultReportFileName(project);
  DefineFields(report->Dataset);
  report->Dataset.Open();
  FillRecords(report->Dataset, project);
  report->Title = RunningReportTitle();
  AddLayout(*report, project);
  // The plots of the results end the report.
  report->Layout.Plots = plots::ProjectPlots(project);
  return report;
}
