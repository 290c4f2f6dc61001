#include "reports/InletSpacingReport.h"

#include <iterator>
#include <map>
#include <memory>
#include <string>

#include "foundation/DisplayFormat.h"
#include "inletspacing/InletSpacing.h"
#include "model/ParameterList.h"
#include "reports/ProjectReport.h"

namespace {

using TDescriptions = std::shared_ptr<const std::map<std::string, std::string>>;

TDescriptions CatchBasinDescriptions(const TNerraParameterList& parameters) {
  auto descriptions = std::make_shared<std::map<std::string, std::string>>();
  const auto codes = parameters.CodesOfCategory(pcCBType);
  for (int i = 0; codes && i < codes->Count(); ++i)
    if (const auto* code = codes->ItemAs<TNerraBaseCode>(i)) descriptions->emplace(code->Code, code->Description);
  return descriptions;
}

// --- filling the dataset -----------------------------------------------------------

void DefineFields(TReportDataset& data) {
  data.AddStringField("STATION", 40);
  data.AddFloatField("GUTTER_LENGTH");
  data.AddStringField("CB_TYPE", 10);
  for (const char* name : {"RUNOFF_COEFF", "RUNOFF_AREA", "CONC_TIME", "GUTTER_TIME", "USED_TIME", "LONG_SLOPE",
                           "GUTTER_SLOPE", "PAVEMENT_SLOPE", "GUTTER_WIDTH", "RAINFALL", "INTERCEPTED_FLOW",
                           "BYPASS_FLOW", "TOTAL_FLOW", "DEPTH_FLOW", "PAVEMENT_SPREAD"})
    data.AddFloatField(name);
  data.AddStringField("INLET_TYPE", 10);
  data.AddFloatField("LOCAL_DEPRESSION");
}

void SetInputFields(TReportDataset& data, const TInletSpacingElement& inlet) {
  data.SetString("STATION", inlet.StationText());
  data.SetFloat("GUTTER_LENGTH", inlet.UsedGutterLength());
  data.SetString("CB_TYPE", inlet.IsBeginPoint() ? SumpBeginPoint : inlet.CatchBasin);
  data.SetFloat("RUNOFF_COEFF", inlet.RunoffCoeff);
  data.SetFloat("RUNOFF_AREA", inlet.RunoffArea);
  data.SetFloat("LONG_SLOPE", inlet.LongSlope);
  data.SetFloat("GUTTER_SLOPE", inlet.GutterSlope);
  data.SetFloat("PAVEMENT_SLOPE", inlet.PavementSlope);
  data.SetFloat("GUTTER_WIDTH", inlet.GutterWidth);
  data.SetString("INLET_TYPE", inlet.Sump);
  data.SetFloat("LOCAL_DEPRESSION", inlet.Depression);
}

void SetResultFields(TReportDataset& data, const TInletSpacingElement& inlet) {
  data.SetFloat("CONC_TIME", inlet.ConcTimeUsed);
  data.SetFloat("GUTTER_TIME", inlet.GutterTime);
  data.SetFloat("USED_TIME", inlet.UsedTime);
  data.SetFloat("RAINFALL", inlet.Rainfall);
  data.SetFloat("INTERCEPTED_FLOW", inlet.InterceptedFlow);
  data.SetFloat("BYPASS_FLOW", inlet.BypassFlow);
  data.SetFloat("TOTAL_FLOW", inlet.TotalFlow);
  data.SetFloat("DEPTH_FLOW", inlet.DepthFlow);
  data.SetFloat("PAVEMENT_SPREAD", inlet.PavementSpread);
}

void FillRecords(TReportDataset& data, const TInletSpacing& project) {
  for (int i = 0; i < project.Elements.Count(); ++i) {
    const TInletSpacingElement* inlet = project.Elements.Items(i);
    if (!inlet) continue;
    data.Append();
    SetInputFields(data, *inlet);
    SetResultFields(data, *inlet);
    data.Post();
  }
}

// --- cell handlers ------------------------------------------------------------------

// How a row prints, from its sump code ("INLET_TYPE"): a begin point
// ("0", or any number not above 0) prints its station and "Begin" only; an
// inlet on grade ("1") its flows; a sag inlet ("2" end, "3" approach) and
// any other numbered code stars for the intercepted and bypass flows. A
// code that is no number is computed as an inlet on grade, so it prints as
// one.
enum class TInletRowKind { BeginPoint, OnGrade, OtherInlet };

TInletRowKind InletRowKind(const std::string& sumpCode) {
  double sump = 0;
  if (!ReadReportNumber(sumpCode, sump)) return TInletRowKind::OnGrade;
  if (!(sump > 0)) return TInletRowKind::BeginPoint;
  return sumpCode == "1" ? TInletRowKind::OnGrade : TInletRowKind::OtherInlet;
}

TInletRowKind RowKind(const TReportDataset& data, int record) { return InletRowKind(data.Text(record, "INLET_TYPE")); }

TPrintHandler InletNumber(int decimals) {
  return [decimals](const TReportDataset& data, int record, int field) {
    if (RowKind(data, record) == TInletRowKind::BeginPoint) return std::string();
    return FormatFieldFixed(data, record, data.Field(field).Name, decimals);
  };
}

TPrintHandler CatchBasinCell(const TDescriptions& descriptions) {
  return [descriptions](const TReportDataset& data, int record, int field) {
    if (RowKind(data, record) == TInletRowKind::BeginPoint) return std::string("Begin");
    const auto entry = descriptions->find(data.Text(record, field));
    return entry == descriptions->end() ? std::string() : entry->second;
  };
}

std::string FlowInterceptionCell(const TReportDataset& data, int record, int field) {
  switch (RowKind(data, record)) {
    case TInletRowKind::BeginPoint: return std::string();
    case TInletRowKind::OnGrade: return FormatFieldFixed(data, record, data.Field(field).Name, 2);
    default: return "******";
  }
}

std::string SumpCell(const TReportDataset& data, int record, int field) {
  const std::string code = data.Text(record, field);
  if (code == SumpSagEnd) return "End";
  if (code == SumpSagApproach) return "Sag";
  return std::string();
}

// --- layout -------------------------------------------------------------------------

enum class TCellKind { Text, Number, CatchBasin, FlowInterception, Sump };

struct TColumn {
  const char* Captions[3];
  double Width;
  const char* Field;
  TCellKind Kind;
  int Decimals;
};

// Left to right; the widths fill the 10 in between the margins.
const TColumn Columns[] = {
    {{"STATION", "", ""}, 33, "STATION", TCellKind::Text, 0},
    {{"C.B.", "Type", ""}, 118, "CB_TYPE", TCellKind::CatchBasin, 0},
    {{"GUTTER", "LENGTH", "(ft.)"}, 34, "GUTTER_LENGTH", TCellKind::Number, 2},
    {{"RUNOFF", "COEF", ""}, 30, "RUNOFF_COEFF", TCellKind::Number, 2},
    {{"AREA", "(acres)", ""}, 30, "RUNOFF_AREA", TCellKind::Number, 2},
    {{"CONC.", "TIME", "(min.)"}, 28, "CONC_TIME", TCellKind::Number, 2},
    {{"GUTTER", "TIME", "(min.)"}, 28, "GUTTER_TIME", TCellKind::Number, 2},
    {{"TIME", "USED", "(min.)"}, 28, "USED_TIME", TCellKind::Number, 2},
    {{"LONG.", "SLOPE", "(ft./ft.)"}, 32, "LONG_SLOPE", TCellKind::Number, 4},
    {{"GUTT.", "SLOPE", "(ft./ft.)"}, 32, "GUTTER_SLOPE", TCellKind::Number, 4},
    {{"PAVT.", "SLOPE", "(ft./ft.)"}, 32, "PAVEMENT_SLOPE", TCellKind::Number, 4},
    {{"GUTT.", "WIDTH", "(ft.)"}, 30, "GUTTER_WIDTH", TCellKind::Number, 2},
    {{"LOCAL", "DEPRESS.", "(ft.)"}, 36, "LOCAL_DEPRESSION", TCellKind::Number, 4},
    {{"RAIN", "FALL", "(in./hrs.)"}, 34, "RAINFALL", TCellKind::Number, 2},
    {{"INTERCPTD", "FLOW", "(cfs.)"}, 40, "INTERCEPTED_FLOW", TCellKind::FlowInterception, 2},
    {{"BYPASS", "FLOW", "(cfs.)"}, 34, "BYPASS_FLOW", TCellKind::FlowInterception, 2},
    {{"TOTAL", "FLOW", "(cfs.)"}, 34, "TOTAL_FLOW", TCellKind::Number, 2},
    {{"DEPTH", "FLOW", "(ft.)"}, 30, "DEPTH_FLOW", TCellKind::Number, 3},
    {{"PAVT.", "SPREAD", "(ft.)"}, 34, "PAVEMENT_SPREAD", TCellKind::Number, 2},
    {{"", "", ""}, 23, "INLET_TYPE", TCellKind::Sump, 0},
};

constexpr double CaptionLine = 9;
constexpr double CaptionFont = 7;
constexpr double DetailFont = 7;
// Catch basin descriptions are the longest texts of a line.
constexpr double CatchBasinFont = 6;
constexpr double NumberPadding = 2;

TPrintHandler HandlerOf(const TColumn& column, const TDescriptions& descriptions) {
  switch (column.Kind) {
    case TCellKind::Number: return InletNumber(column.Decimals);
    case TCellKind::CatchBasin: return CatchBasinCell(descriptions);
    case TCellKind::FlowInterception: return FlowInterceptionCell;
    case TCellKind::Sump: return SumpCell;
    default: return {};
  }
}

TReportAlign AlignOf(const TColumn& column) {
  if (column.Kind == TCellKind::Number || column.Kind == TCellKind::FlowInterception) return TReportAlign::Right;
  return column.Kind == TCellKind::CatchBasin ? TReportAlign::Left : TReportAlign::Center;
}

void AddColumnHeader(TReport& report) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::ColumnHeader, 3 * CaptionLine + 8);
  double x = 0;
  for (const TColumn& column : Columns) {
    for (int line = 0; line < 3; ++line)
      if (*column.Captions[line])
        band.Label(column.Captions[line], x, 2 + line * CaptionLine, column.Width, TReportAlign::Center, true,
                   CaptionFont);
    x += column.Width;
  }
  band.Rule(0, 3 * CaptionLine + 5, x);
}

void AddDetailBand(TReport& report, const TDescriptions& descriptions) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::Detail, 12);
  double x = 0;
  for (const TColumn& column : Columns) {
    const TReportAlign align = AlignOf(column);
    const double width = align == TReportAlign::Right ? column.Width - NumberPadding : column.Width;
    band.Cell(column.Field, x, 0, width, HandlerOf(column, descriptions), align).FontSize =
        column.Kind == TCellKind::CatchBasin ? CatchBasinFont : DetailFont;
    x += column.Width;
  }
}

// A bold caption and its value, the value's box starting after the caption.
void AddPair(TReportBand& band, const std::string& caption, const std::string& value, double x, double y,
             double captionWidth) {
  band.Label(caption, x, y, captionWidth, TReportAlign::Left, true);
  band.Label(value, x + captionWidth + 2, y, 50);
}

void AddTitleBand(TReport& report, const TInletSpacing& project) {
  const TInletSpacingGeneralParameters& parameters = project.GeneralParameters;
  TReportBand& band = report.Layout.AddBand(TReportBandKind::Title, 56);
  // An unset date prints empty, as in every other report: the zero date
  // (12/30/1899) would read as a date the designer gave.
  AddIdentification(band, project.Identification);
  AddPair(band, "Rainfall Area:", parameters.WaterShedAreaCode, 0, 38, 76);
  AddPair(band, "Storm Frequency (yr.) :", parameters.StormFrequency, 140, 38, 130);
  AddPair(band, "Total Allow. Spread (ft.) :", FormatFixed(parameters.MaxSpread, 2), 330, 38, 146);
  AddPair(band, "Allowable Depth (ft.)", FormatFixed(parameters.AllowableDepth, 2), 545, 38, 112);
}

// The sump results close the report: a band under the last line, printed
// only when the calculation found a sag.
void AddSumpBand(TReport& report, const TInletSpacingElementList& list) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::Detail, 42);
  const bool hasSumpData = list.HasSumpData;
  band.PrintIf = [hasSumpData](const TReportDataset& data, int record) {
    return hasSumpData && record == data.RecordCount() - 1;
  };
  band.Rule(0, 4, report.Layout.Page.ContentWidth());
  band.Label("SUMP DATA", 0, 8, 200, TReportAlign::Left, true);
  AddPair(band, "Total Flow (cfs) :", FormatFixed(list.SumpTotalFlow, 2), 0, 24, 100);
  AddPair(band, "Ponded Depth (ft.) :", FormatFixed(list.SumpPondedDepth, 3), 200, 24, 114);
  AddPair(band, "Spread on Pavement (ft.) :", FormatFixed(list.SumpSpread, 2), 420, 24, 148);
}

void AddLayout(TReport& report, const TInletSpacing& project, const TDescriptions& descriptions) {
  AddPageHeader(report);
  AddTitleBand(report, project);
  AddColumnHeader(report);
  AddDetailBand(report, descriptions);
  AddSumpBand(report, project.Elements);
  AddPageFooter(report);
}

}  // namespace

std::unique_ptr<TReport> CreateInletSpacingReport(const TInletSpacing& project, const TNerraParameterList& parameters) {
  auto report = std::make_unique<TReport>();
  const TDescriptions descriptions = CatchBasinDescriptions(parameters);
  report->Heading = InletSpacingReportHeading;
  report->FileName = project.FileName;
  report->PdfFileName = DefaultReportFileName(project);
  DefineFields(report->Dataset);
  report->Dataset.Open();
  FillRecords(report->Dataset, project);
  report->Title = RunningReportTitle();
  AddLayout(*report, project, descriptions);
  // The plots of the results end the report.
  report->Layout.Plots = plots::ProjectPlots(project);
  return report;
}
