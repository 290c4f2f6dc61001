#include "reports/StormSewerReport.h"

#include <iterator>
#include <memory>
#include <string>

#include "foundation/DisplayFormat.h"
#include "reports/ProjectReport.h"
#include "stormsewer/StormSewer.h"

namespace {

// --- filling the dataset -----------------------------------------------------------

const char* const FloatFields[] = {
    "TOTAL_AREA",        "DELTA_CA",       "BEGIN_TIME",       "RAINFALL",      "FLOW",           "HG_RAINFALL",
    "HG_FLOW",           "DIAMETER",       "PIPE_LENGTH",      "SLOPE",         "INLET_FLOW",     "OUTLET_FLOW",
    "VELOCITY",          "FULL_CAPACITY",  "HG_SLOPE",         "HG_INLET_ELEV", "HG_OUTLET_ELEV", "INLET_COVER_ELEV",
    "OUTLET_COVER_ELEV", "COVER_MINUS_HG", "COVER_MINUS_CROWN"};

void DefineFields(TReportDataset& data) {
  data.AddStringField("BEGIN_STATION", 40);
  data.AddStringField("END_STATION", 40);
  for (const char* name : FloatFields) data.AddFloatField(name);
  data.AddStringField("INLET_TYPE", 10);
  data.AddFloatField("USED_MANNING");
  data.AddStringField("PIPE_DIAMETER_WARNING", 80);
  data.AddStringField("IS_OPEN_JUNCTION", 10);
  data.AddStringField("IS_FINAL_JUNCTION", 10);
  data.AddStringField("JUNCTION_BEGIN_ID", 40);
  data.AddStringField("JUNCTION_END_ID", 40);
}

const char* YesNo(bool value) { return value ? "Y" : "N"; }

void SetRunoffFields(TReportDataset& data, const TStormSewerElement& pipe) {
  data.SetFloat("TOTAL_AREA", pipe.SumArea());
  data.SetFloat("DELTA_CA", pipe.SumCA());
  data.SetFloat("BEGIN_TIME", pipe.BeginTime);
  data.SetFloat("RAINFALL", pipe.Rainfall);
  data.SetFloat("FLOW", pipe.Flow());
  data.SetFloat("HG_RAINFALL", pipe.HGRainfall);
  data.SetFloat("HG_FLOW", pipe.HGFlow());
}

void SetPipeFields(TReportDataset& data, const TStormSewerElement& pipe) {
  data.SetFloat("DIAMETER", pipe.Diameter);
  data.SetFloat("PIPE_LENGTH", pipe.Length);
  data.SetFloat("SLOPE", pipe.PipeSlope());
  data.SetFloat("INLET_FLOW", pipe.InletFlow);
  data.SetFloat("OUTLET_FLOW", pipe.OutletFlowLine());
  data.SetFloat("VELOCITY", pipe.Velocity);
  data.SetFloat("FULL_CAPACITY", pipe.FullCapacity());
  data.SetFloat("HG_SLOPE", pipe.FrictionSlope());
  data.SetFloat("HG_INLET_ELEV", pipe.HGInletFlow);
  data.SetFloat("HG_OUTLET_ELEV", pipe.HGOutletFlow);
  data.SetFloat("INLET_COVER_ELEV", pipe.InletCover);
  data.SetFloat("OUTLET_COVER_ELEV", pipe.OutletCover);
  data.SetFloat("COVER_MINUS_HG", pipe.CoverMinusHG());
  data.SetFloat("COVER_MINUS_CROWN", pipe.CoverMinusCrown());
  data.SetString("INLET_TYPE", pipe.InletTypeText());
  data.SetFloat("USED_MANNING", pipe.EffectiveN);
  data.SetString("PIPE_DIAMETER_WARNING", pipe.PipeDiameterWarning ? "Warning" : "");
}

void SetJunctionFields(TReportDataset& data, const TStormSewerElement& pipe) {
  data.SetString("BEGIN_STATION", pipe.BeginStation);
  data.SetString("END_STATION", pipe.EndStation);
  data.SetString("IS_OPEN_JUNCTION", YesNo(pipe.IsOpenJunction));
  data.SetString("IS_FINAL_JUNCTION", YesNo(pipe.IsFinalJunction));
  data.SetString("JUNCTION_BEGIN_ID", pipe.BeginJunction);
  data.SetString("JUNCTION_END_ID", pipe.EndJunction);
}

void FillRecords(TReportDataset& data, const TStormSewer& project) {
  const TStormSewerElementList& list = project.ElementList;
  for (int i = 0; i < list.Count(); ++i) {
    const TStormSewerElement* pipe = list.Pipe(i);
    if (!pipe) continue;
    data.Append();
    SetJunctionFields(data, *pipe);
    SetRunoffFields(data, *pipe);
    SetPipeFields(data, *pipe);
    data.Post();
  }
}

// --- computed cells ----------------------------------------------------------------

// The sum of a field over the rows printed up to and including this one.
// It is worked out from the rows themselves rather than carried along while
// printing, so every preview and every print starts from nothing, whatever
// was rendered before.
double RunningSum(const TReportDataset& data, int record, const char* field) {
  double sum = 0;
  for (int r = 0; r <= record; ++r) sum += data.AsFloat(r, field);
  return sum;
}

std::string AreaSumText(const TReportDataset& data, int record) {
  return FormatFixed(RunningSum(data, record, "TOTAL_AREA"), 2);
}

std::string CASumText(const TReportDataset& data, int record) {
  const double sum = RunningSum(data, record, "DELTA_CA");
  return sum == 0 ? std::string() : FormatFixed(sum, 2);
}

std::string JunctionMarker(const TReportDataset& data, int record) {
  if (data.Text(record, "IS_OPEN_JUNCTION") == "Y") return "begin";
  if (data.Text(record, "IS_FINAL_JUNCTION") == "Y") return "final";
  return std::string();
}

// --- layout -------------------------------------------------------------------------

struct TColumn {
  const char* Captions[3];
  const char* Signs[3];  // a Greek capital in front of the caption, or none
  double Width;
};

// Left to right; the widths fill the 10 in between the margins. Each is
// the wider of its bold captions and its values at the detail size, with a
// point or more to spare on either side, so neighbours never run together.
const TColumn Columns[] = {
    {{"JUNCTION", "From", "To"}, {}, 60},
    {{"STATION", "From", "To"}, {}, 36},
    {{"AREA", "AREA", "(acres)"}, {DeltaSign, SigmaSign, nullptr}, 34},
    {{"CA", "CA", ""}, {DeltaSign, SigmaSign, nullptr}, 30},
    {{"BEGIN", "TIME", "(min.)"}, {}, 28},
    {{"RAINFALL", "INTENSITY", ""}, {}, 60},
    {{"DISCHARGE", "(cfs.)", ""}, {}, 60},
    {{"PIPE", "DIAM.", "(in.)"}, {}, 28},
    {{"LENGTH", "(ft.)", ""}, {}, 34},
    {{"SLOPE", "(ft./ft.)", ""}, {}, 32},
    {{"F/L PIPE", "IN / OUT", "(ft.)"}, {}, 34},
    {{"MEAN", "VEL", "(fps.)"}, {}, 28},
    {{"JUST FULL", "CAPACITY", "(cfs.)"}, {}, 40},
    {{"FRICT", "SLOPE", "(ft./ft.)"}, {}, 32},
    {{"HYGR EL.", "IN / OUT", "(ft.)"}, {}, 36},
    {{"COVER  EL.", "IN / OUT", "(ft.)"}, {}, 42},
    {{"COVER ", "MINUS", "HY GR"}, {}, 30},
    {{"COVER ", "MINUS", "CROWN"}, {}, 30},
    {{"INLET TYPE", "MANNING'S", "'n'"}, {}, 46},
};
constexpr int RainfallColumn = 5;
constexpr int DischargeColumn = 6;

enum THalf { Whole, LeftHalf, RightHalf };

// A data cell: its column, which part of it, which of the two lines, the
// field and its decimals (-1: text as it is).
struct TCell {
  int Column;
  THalf Half;
  int Line;
  const char* Field;
  int Decimals;
};

const TCell Cells[] = {
    {0, LeftHalf, 0, "JUNCTION_BEGIN_ID", -1},
    {0, RightHalf, 0, "JUNCTION_END_ID", -1},
    {1, Whole, 0, "BEGIN_STATION", -1},
    {1, Whole, 1, "END_STATION", -1},
    {2, Whole, 0, "TOTAL_AREA", 2},
    {3, Whole, 0, "DELTA_CA", 2},
    {4, Whole, 0, "BEGIN_TIME", 2},
    {5, LeftHalf, 0, "RAINFALL", 2},
    {5, RightHalf, 0, "HG_RAINFALL", 2},
    {6, LeftHalf, 0, "FLOW", 1},
    {6, RightHalf, 0, "HG_FLOW", 1},
    {7, Whole, 0, "DIAMETER", 0},
    {8, Whole, 0, "PIPE_LENGTH", 1},
    {9, Whole, 0, "SLOPE", 4},
    {10, Whole, 0, "INLET_FLOW", 2},
    {10, Whole, 1, "OUTLET_FLOW", 2},
    {11, Whole, 0, "VELOCITY", 2},
    {12, Whole, 0, "FULL_CAPACITY", 2},
    {13, Whole, 0, "HG_SLOPE", 4},
    {14, Whole, 0, "HG_INLET_ELEV", 2},
    {14, Whole, 1, "HG_OUTLET_ELEV", 2},
    {15, Whole, 0, "INLET_COVER_ELEV", 2},
    {15, Whole, 1, "OUTLET_COVER_ELEV", 2},
    {16, Whole, 0, "COVER_MINUS_HG", 2},
    {17, Whole, 0, "COVER_MINUS_CROWN", 2},
    {18, Whole, 0, "INLET_TYPE", -1},
    {18, Whole, 1, "USED_MANNING", 3},
};

constexpr double CaptionLine = 9;
constexpr double CaptionFont = 7;
constexpr double DetailLine = 10;
constexpr double DetailFont = 7;
constexpr double SignWidth = 7;
constexpr double NumberPadding = 2;

double ColumnX(int column) {
  double x = 0;
  for (int c = 0; c < column; ++c) x += Columns[c].Width;
  return x;
}

// The box of a cell in its column: x and width.
void CellBox(int column, THalf half, double& x, double& width) {
  x = ColumnX(column);
  width = Columns[column].Width;
  if (half == Whole) return;
  width /= 2;
  if (half == RightHalf) x += width;
}

std::string FrequencyCaption(const std::string& years) {
  return years.empty() ? std::string() : "(" + years + " yrs.)";
}

void AddCaption(TReportBand& band, const TColumn& column, int line, double x) {
  const std::string caption = column.Captions[line];
  if (caption.empty()) return;
  const double y = 2 + line * CaptionLine;
  if (!column.Signs[line]) {
    band.Label(caption, x, y, column.Width, TReportAlign::Center, true, CaptionFont);
    return;
  }
  band.Label(column.Signs[line], x + 2, y, SignWidth, TReportAlign::Left, true, CaptionFont).Utf8 = true;
  band.Label(caption, x + 2 + SignWidth, y, column.Width - 4 - SignWidth, TReportAlign::Left, true, CaptionFont);
}

// The two halves of the rainfall and discharge columns carry the
// frequencies they were computed for.
void AddFrequencyCaptions(TReportBand& band, int column, const TStormSewerGeneralParameters& parameters) {
  double x = 0, width = 0;
  CellBox(column, LeftHalf, x, width);
  const double y = 2 + 2 * CaptionLine;
  band.Label(FrequencyCaption(parameters.FullCapacityFrequency), x, y, width, TReportAlign::Center, true, 6);
  band.Label(FrequencyCaption(parameters.HydraulicGradeFrequency), x + width, y, width, TReportAlign::Center, true, 6);
}

void AddColumnHeader(TReport& report, const TStormSewerGeneralParameters& parameters) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::ColumnHeader, 3 * CaptionLine + 8);
  for (int c = 0; c < static_cast<int>(std::size(Columns)); ++c)
    for (int line = 0; line < 3; ++line) AddCaption(band, Columns[c], line, ColumnX(c));
  AddFrequencyCaptions(band, RainfallColumn, parameters);
  AddFrequencyCaptions(band, DischargeColumn, parameters);
  band.Rule(0, 3 * CaptionLine + 5, report.Layout.Page.ContentWidth());
}

void AddDataCell(TReportBand& band, const TCell& cell) {
  double x = 0, width = 0;
  CellBox(cell.Column, cell.Half, x, width);
  const bool number = cell.Decimals >= 0;
  TReportItem& item = band.Cell(cell.Field, x, cell.Line * DetailLine, number ? width - NumberPadding : width,
                                number ? FormatFloat9BY(cell.Decimals) : TPrintHandler(),
                                number ? TReportAlign::Right : TReportAlign::Center);
  item.FontSize = DetailFont;
}

void AddComputedCell(TReportBand& band, TReportFormatter formatter, int column, bool number) {
  double x = 0, width = 0;
  CellBox(column, Whole, x, width);
  TReportItem& item = band.Computed(std::move(formatter), x, DetailLine, number ? width - NumberPadding : width,
                                    number ? TReportAlign::Right : TReportAlign::Center);
  item.FontSize = DetailFont;
}

void AddDetailBand(TReport& report) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::Detail, 2 * DetailLine + 4);
  for (const TCell& cell : Cells) AddDataCell(band, cell);
  AddComputedCell(band, JunctionMarker, 0, false);
  AddComputedCell(band, AreaSumText, 2, true);
  AddComputedCell(band, CASumText, 3, true);
  double x = 0, width = 0;
  CellBox(DischargeColumn, Whole, x, width);
  TReportItem& warning = band.Cell("PIPE_DIAMETER_WARNING", x, DetailLine, width, {}, TReportAlign::Center);
  warning.Bold = true;
  warning.FontSize = DetailFont;
}

// A bold caption and its value, the value's box starting after the caption.
void AddPair(TReportBand& band, const std::string& caption, const std::string& value, double x, double y,
             double captionWidth) {
  band.Label(caption, x, y, captionWidth, TReportAlign::Left, true);
  band.Label(value, x + captionWidth + 2, y, 60);
}

// A date is printed only when one was set (later than the zero date).
void AddIdentificationBlock(TReportBand& band, const TProjectIdentification& identification) {
  TProjectIdentification printed;
  printed.Assign(&identification);
  if (!(printed.ProjectDate > 0)) printed.ProjectDate = 0;
  AddIdentification(band, printed);
}

void AddTitleBand(TReport& report, const TStormSewerGeneralParameters& parameters, const TStormSewer& project) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::Title, 70);
  AddIdentificationBlock(band, project.Identification);
  AddPair(band, "Rainfall Area:", parameters.RainfallAreaCode, 0, 38, 76);
  AddPair(band, "Just Full Capacity Frequency (yrs.) :", parameters.FullCapacityFrequency, 160, 38, 210);
  AddPair(band, "Hydraulic Gradient Frequency (yrs.) :", parameters.HydraulicGradeFrequency, 440, 38, 210);
  AddPair(band, "Minimum Pipe Size :", FormatFixed(parameters.MinimumDiameter, 2), 0, 53, 106);
  AddPair(band, "Tailwater Elevation (ft.):", FormatFixed(parameters.TailwaterElevation, 2), 160, 53, 146);
}

void AddLayout(TReport& report, const TStormSewer& project) {
  AddPageHeader(report);
  AddTitleBand(report, project.GeneralParameters, project);
  AddColumnHeader(report, project.GeneralParameters);
  AddDetailBand(report);
  AddPageFooter(report);
}

}  // namespace

std::unique_ptr<TReport> CreateStormSewerReport(const TStormSewer& project) {
  auto report = std::make_unique<TReport>();
  report->Heading = StormSewerReportHeading;
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
