#include "reports/CulvertDesignReport.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>

#include "culvert/CulvertDesign.h"
#include "foundation/DisplayFormat.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/CodeDescriptions.h"
#include "reports/ProjectReport.h"

namespace {

using TCodes = std::shared_ptr<const TCodeDescriptions>;

const char* const DiameterExceedsText = "Diameter exceeds 1.25 HWA";
const char* const BuriedFooterText = "Inlet Control Design Equations Enabled";

bool IsYes(const TReportDataset& data, int record, const char* field) { return data.Text(record, field) == "Y"; }

// A code stored as a number, written back as the code text ("2").
std::string CodeOfNumber(const TReportDataset& data, int record, const char* field) {
  return data.IsNull(record, field) ? std::string() : FormatFixed(data.AsFloat(record, field), 0);
}

std::string Capitals(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

// --- filling the dataset -----------------------------------------------------------

void DefineFields(TReportDataset& data) {
  for (const char* name :
       {"INLET_INVERT", "OUTLET_INVERT", "PIPE_LENGTH", "SLOPE", "OVERFLOW", "ALLOWED_HWA", "INLET_TYPE"})
    data.AddFloatField(name);
  data.AddStringField("ALLOWED_HW_TYPE", 10);
  data.AddFloatField("DESIGN_DISCHARGE");
  data.AddFloatField("FLOOD_DISCHARGE");
  data.AddStringField("CULVERT_TYPE", 10);
  data.AddStringField("CORRUGATION_TYPE", 10);
  data.AddFloatField("FLOW");
  data.AddStringField("SIZE", 80);
  data.AddFloatField("HWI");
  data.AddFloatField("HWO");
  data.AddStringField("FLOW_TYPE", 10);
  for (const char* name : {"VELOCITY", "DN", "DC", "MANNING_N"}) data.AddFloatField(name);
  data.AddStringField("HW_CONTROL", 10);
  data.AddFloatField("OVERFLOW_SPREAD");
  data.AddStringField("DESIGN_CODE", 20);
  data.AddIntegerField("PIPE_NUMBER");
  data.AddIntegerField("ELEMENT_NUMBER");
  data.AddStringField("IMPROVED_INLET_TEXT", 80);
  data.AddFloatField("COEFF_KE");
  data.AddFloatField("TAILWATER");
  data.AddStringField("VALID_HWO", 10);
  data.AddStringField("BURIAL_OPTION", 10);
  for (const char* name : {"BURIAL_DEPTH", "DESIGN_MANNING_N", "BURIED_MANNING_N"}) data.AddFloatField(name);
  // The crossing's place in the list, counted from 1, as the report numbers
  // the crossings; a crossing without rows keeps its number.
  data.AddIntegerField("CROSSING_NUMBER");
  // Added last: the fields before it keep their places.
  data.AddStringField("HWI_EXTRAPOLATED", 1);
}

std::string InletTypeCode(const TCulvertDesignElement& crossing, const TCulvertElementResult& row,
                          const std::string& culvertType) {
  if (!row.BuriedOption) return std::to_string(crossing.DefaultInletTypeNumber());
  if (culvertType == "1") return crossing.CircularConcreteInletType;
  if (culvertType == "2") return crossing.CircularCorrugatedInletType;
  if (culvertType == "3") return crossing.EllipticalConcreteInletType;
  if (culvertType == "4") return crossing.ArchCorrugatedInletType;
  if (culvertType == "5") return crossing.BoxInletType;
  return std::string();
}

void SetCrossingFields(TReportDataset& data, const TCulvertDesignElement& crossing, int number) {
  data.SetInteger("CROSSING_NUMBER", number);
  data.SetFloat("INLET_INVERT", crossing.InletElevation);
  data.SetFloat("OUTLET_INVERT", crossing.OutletElevation);
  data.SetFloat("PIPE_LENGTH", crossing.CulvertLength);
  data.SetFloat("SLOPE", crossing.Slope());
  data.SetFloat("OVERFLOW", crossing.OverflowElevation);
  data.SetFloat("ALLOWED_HWA", crossing.AllowableHeadwaterElevation);
  data.SetString("ALLOWED_HW_TYPE", crossing.AllowableHeadwaterType);
  data.SetFloat("DESIGN_DISCHARGE", crossing.DesignDischarge);
  data.SetFloat("FLOOD_DISCHARGE", crossing.FloodDischarge);
  data.SetInteger("ELEMENT_NUMBER", crossing.ElementId);
  data.SetFloat("TAILWATER", crossing.TailwaterElevation);
  data.SetFloat("DESIGN_MANNING_N", crossing.CoeffN);
  data.SetFloat("BURIED_MANNING_N", crossing.BuriedCoeffN);
}

void SetRowFields(TReportDataset& data, const TCulvertDesignElement& crossing, const TCulvertBaseElement& candidate,
                  const TCulvertElementResult& row) {
  const std::string culvertType = row.Pipe ? row.Pipe->CulvertType : candidate.CulvertTypeText();
  data.SetString("INLET_TYPE", InletTypeCode(crossing, row, culvertType));
  data.SetString("CULVERT_TYPE", culvertType);
  data.SetString("CORRUGATION_TYPE", row.Pipe ? row.Pipe->CorrugationType : candidate.CorrugationText());
  data.SetFloat("FLOW", row.Flow);
  data.SetString("SIZE", row.Pipe ? row.Pipe->SizeLabel : std::string());
  data.SetFloat("HWI", row.InletHeadwater);
  data.SetFloat("HWO", row.OutletHeadwater);
  data.SetString("FLOW_TYPE", row.FlowType);
  data.SetFloat("VELOCITY", row.Velocity);
  data.SetFloat("DN", row.NormalDepth);
  data.SetFloat("DC", row.CriticalDepth);
  data.SetFloat("MANNING_N", row.CoeffN);
  data.SetString("HW_CONTROL", row.HeadwaterControl);
  data.SetFloat("OVERFLOW_SPREAD", row.Overflow);
  data.SetString("DESIGN_CODE", row.DesignCode);
  data.SetInteger("PIPE_NUMBER", row.CulvertQuantity);
  const bool exceeds = row.DesignCode == "D" && !row.HeadwaterAllowanceCheck;
  data.SetString("IMPROVED_INLET_TEXT", exceeds ? std::string(DiameterExceedsText) : row.ImprovedInlet);
  data.SetFloat("COEFF_KE", row.CoeffKE);
  data.SetString("VALID_HWO", row.OutletHeadwaterValid ? "Y" : "N");
  data.SetString("HWI_EXTRAPOLATED", row.InletControlExtrapolated ? "Y" : "N");
  data.SetString("BURIAL_OPTION", row.BuriedOption ? "Y" : "N");
  data.SetFloat("BURIAL_DEPTH", row.BuriedDepth);
}

void FillRecords(TReportDataset& data, const TCulvertDesign& project) {
  for (int i = 0; i < project.Elements.Count(); ++i) {
    const TCulvertDesignElement* crossing = project.Crossing(i);
    if (!crossing) continue;
    for (int c = 0; c < crossing->Candidates.Count(); ++c) {
      const TCulvertBaseElement* candidate = crossing->Candidates.Culvert(c);
      if (!candidate) continue;
      for (int r = 0; r < candidate->Results.Count(); ++r) {
        const TCulvertElementResult* row = candidate->Results.Row(r);
        if (!row) continue;
        data.Append();
        SetCrossingFields(data, *crossing, i + 1);
        SetRowFields(data, *crossing, *candidate, *row);
        data.Post();
      }
    }
  }
}

// --- conditional texts ---------------------------------------------------------------

std::string EntranceText(const TCodeDescriptions& codes, const TReportDataset& data, int record) {
  const std::string type = data.Text(record, "CULVERT_TYPE");
  const std::string code = CodeOfNumber(data, record, "INLET_TYPE");
  if (!IsYes(data, record, "BURIAL_OPTION")) {
    if (type == "5") return codes.Description(pcBoxInletType, code);
    if (code == "1") return "No Headwall";
    if (code == "2") return "Half Headwall";
    return "Full Headwall";
  }
  // Arch inlets are described by their own table: it is the one their
  // coefficients come from, and the headwall table would name another inlet.
  if (type == "1") return codes.Description(pcCircularConcreteInletType, code);
  if (type == "2") return codes.Description(pcCircularCorrugatedInletType, code);
  if (type == "3") return codes.Description(pcEllipticalConcreteInletType, code);
  if (type == "4") return codes.Description(pcArchCorrugatedInletType, code);
  if (type == "5") return codes.Description(pcBoxInletType, code);
  return std::string();
}

std::string CorrugationText(const TCodeDescriptions& codes, const TReportDataset& data, int record) {
  const std::string type = data.Text(record, "CULVERT_TYPE");
  const std::string code = data.Text(record, "CORRUGATION_TYPE");
  if (type == "2") return codes.Description(pcCircularCorrugationType, code);
  if (type == "4") return codes.Description(pcArcCorrugationType, code);
  return std::string();
}

std::string DesignManningText(const TReportDataset& data, int record) {
  if (data.IsNull(record, "DESIGN_MANNING_N")) return std::string();
  return data.AsFloat(record, "DESIGN_MANNING_N") < 0.0001 ? "(default)"
                                                           : FormatFieldFixed(data, record, "DESIGN_MANNING_N", 4);
}

std::string FloodDischargeText(const TReportDataset& data, int record) {
  if (data.IsNull(record, "FLOOD_DISCHARGE")) return std::string();
  return data.AsFloat(record, "FLOOD_DISCHARGE") > 0 ? FormatFieldFixed(data, record, "FLOOD_DISCHARGE", 2) : "N/A";
}

std::string OutletHeadwaterText(const TReportDataset& data, int record) {
  return IsYes(data, record, "VALID_HWO") ? FormatFieldFixed(data, record, "HWO", 2) : "N/A";
}

std::string FrequencyText(const std::string& years) { return years.empty() ? std::string() : years + " yrs."; }

// --- layout -----------------------------------------------------------------------------

struct TColumn {
  const char* Captions[3];
  double Width;
  const char* Field;
  int Decimals;  // -1: text
  TReportAlign Align;
};

// Left to right; the widths fill the 10 in between the margins. The note
// and the size get the room of the longest improved inlet and the largest
// elliptical size; the others that of their bold captions.
const TColumn Columns[] = {
    {{"", "", ""}, 106, "IMPROVED_INLET_TEXT", -1, TReportAlign::Left},
    {{"FLOW", "(cfs.)", ""}, 40, "FLOW", 2, TReportAlign::Right},
    {{"PIPE", "#", ""}, 24, "PIPE_NUMBER", -1, TReportAlign::Center},
    {{"CULVERT SIZE", "", ""}, 106, "SIZE", -1, TReportAlign::Center},
    {{"HWI", "(ft.)", ""}, 44, "HWI", 2, TReportAlign::Right},
    {{"HWO", "(ft.)", ""}, 44, "HWO", 2, TReportAlign::Right},
    {{"FLOW", "TYPE", ""}, 34, "FLOW_TYPE", -1, TReportAlign::Center},
    {{"VELOCITY", "(fps.)", ""}, 44, "VELOCITY", 2, TReportAlign::Right},
    {{"DN", "(ft.)", ""}, 32, "DN", 2, TReportAlign::Right},
    {{"DC", "(ft.)", ""}, 32, "DC", 2, TReportAlign::Right},
    {{"MANNING", "N", ""}, 44, "MANNING_N", 4, TReportAlign::Right},
    {{"HEADWATER", "CONTROL", ""}, 56, "HW_CONTROL", -1, TReportAlign::Center},
    {{"OVER", "FLOW", "(cfs.)"}, 38, "OVERFLOW_SPREAD", 2, TReportAlign::Right},
    {{"DESIGN", "CODE", ""}, 36, "DESIGN_CODE", -1, TReportAlign::Center},
    {{"BURIAL", "DEPTH", "(ft.)"}, 40, "BURIAL_DEPTH", 2, TReportAlign::Right},
};

constexpr double HeadingLine = 11;
constexpr double GroupFontSize = 9;
constexpr double NumberPadding = 4;

// The column captions, stacked; returns the height they take.
double AddColumnHeadings(TReportBand& band, double y) {
  double x = 0;
  for (const TColumn& column : Columns) {
    for (int line = 0; line < 3; ++line)
      if (*column.Captions[line])
        band.Label(column.Captions[line], x + 1, y + line * HeadingLine, column.Width - 2, TReportAlign::Center, true,
                   8);
    x += column.Width;
  }
  band.Rule(0, y + 3 * HeadingLine + 2, x);
  return 3 * HeadingLine + 4;
}

void AddDetailBand(TReport& report) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::Detail, 12);
  double x = 0;
  for (const TColumn& column : Columns) {
    const double width = column.Align == TReportAlign::Right ? column.Width - NumberPadding : column.Width;
    const std::string field = column.Field;
    TReportItem* item = nullptr;
    if (field == "HWO")
      item = &band.Computed(OutletHeadwaterText, x, 0, width, column.Align);
    else if (field == "HWI")
      item = &band.Computed(MarkedInletHeadwaterText, x, 0, width, column.Align);
    else
      item = &band.Cell(field, x, 0, width, column.Decimals >= 0 ? FormatFloat9BY(column.Decimals) : TPrintHandler(),
                        column.Align);
    if (field == "IMPROVED_INLET_TEXT") item->FontSize = 7;
    x += column.Width;
  }
}

void AddTitleBand(TReport& report, const TCulvertDesign& project) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::Title, 0);
  double y = AddIdentification(band, project.Identification) + 6;
  y = AddHeadwaterControlLegend(band, y);
  band.Height = y + 18;
}

// One caption and its value at a column of the crossing group.
void AddPair(TReportBand& band, const char* caption, double x, double y, double captionWidth, TReportItem value) {
  band.Label(caption, x, y, captionWidth, TReportAlign::Left, true, GroupFontSize);
  value.X = x + captionWidth + 2;
  value.Y = y;
  value.FontSize = GroupFontSize;
  if (value.Width == 0) value.Width = 56;
  band.Items.push_back(std::move(value));
}

TReportItem CellItem(const char* field, int decimals) {
  TReportBand scratch;
  return scratch.Cell(field, 0, 0, 0, FormatFloat9BY(decimals));
}

TReportItem ComputedItem(TReportFormatter formatter) {
  TReportBand scratch;
  return scratch.Computed(std::move(formatter), 0, 0, 0);
}

void AddSmallLabel(TReportBand& band, const std::string& text, double x, double y, double width) {
  band.Label(text, x, y, width, TReportAlign::Left, false, GroupFontSize);
}

// Three columns of 240 points: captions, then their values; lines from top.
void AddCrossingInput(TReportBand& band, const TCodes& codes, double top) {
  AddPair(band, "Inlet Invert Elevation (ft.) :", 0, top, 170, CellItem("INLET_INVERT", 2));
  AddPair(band, "Outlet Invert Elevation (ft.) :", 240, top, 170, CellItem("OUTLET_INVERT", 2));
  AddPair(band, "Tailwater Elevation (ft.) :", 480, top, 170, CellItem("TAILWATER", 2));
  AddPair(band, "Overflow Elevation (ft.) :", 0, top + 14, 170, CellItem("OVERFLOW", 2));
  AddPair(band, "Allowable Headwater Elevation (ft.) :", 240, top + 14, 200, CellItem("ALLOWED_HWA", 2));
  band.Items.back().Width = 48;
  AddSmallLabel(band, "or", 494, top + 14, 14);
  const TReportFormatter criterion = [codes](const TReportDataset& d, int r) {
    return codes->Description(pcHWType, d.Text(r, "ALLOWED_HW_TYPE"));
  };
  band.Computed(criterion, 510, top + 14, 92).FontSize = GroupFontSize;
  AddSmallLabel(band, "(whichever is less)", 604, top + 14, 116);
  AddPair(band, "Pipe Length (ft.) :", 0, top + 28, 170, CellItem("PIPE_LENGTH", 2));
  AddPair(band, "Culvert Slope (ft./ft.) :", 240, top + 28, 170, CellItem("SLOPE", 4));
  AddPair(band, "Design Manning 'n' :", 480, top + 28, 170, ComputedItem(DesignManningText));
}

void AddCrossingDischarges(TReportBand& band, const TCulvertDesign& project, double y) {
  AddPair(band, "Design Discharge (cfs) :", 0, y, 130, CellItem("DESIGN_DISCHARGE", 2));
  band.Items.back().Width = 48;
  AddSmallLabel(band, "@", 182, y, 12);
  AddSmallLabel(band, FrequencyText(project.DischargeFrequency), 196, y, 44);
  AddPair(band, "Flood Discharge (cfs) :", 240, y, 130, ComputedItem(FloodDischargeText));
  band.Items.back().Width = 48;
  AddSmallLabel(band, "@", 422, y, 12);
  AddSmallLabel(band, FrequencyText(project.FloodFrequency), 436, y, 44);
  const TReportCondition buried = [](const TReportDataset& d, int r) { return IsYes(d, r, "BURIAL_OPTION"); };
  AddPair(band, "Buried Manning 'n' :", 480, y, 170, CellItem("BURIED_MANNING_N", 4));
  band.Items[band.Items.size() - 2].PrintIf = buried;
  band.Items.back().PrintIf = buried;
}

std::string CrossingCaption(const TReportDataset& data, int record) {
  return "Crossing " + data.Text(record, "CROSSING_NUMBER");
}

// The culvert type line; on a page that continues the type it says so.
void AddTypeCaption(TReportBand& band, const TCodes& codes, bool continued) {
  band.Label("CULVERT TYPE :", 0, 3, 90, TReportAlign::Left, true);
  band.Computed(
      [codes, continued](const TReportDataset& d, int r) {
        const std::string type = Capitals(codes->Description(pcDesignPipeType, d.Text(r, "CULVERT_TYPE")));
        return continued ? type + " (continued)" : type;
      },
      94, 3, 226);
  band.Label("Entrance Type :", 326, 3, 78, TReportAlign::Left, true);
  band.Computed([codes](const TReportDataset& d, int r) { return EntranceText(*codes, d, r); }, 408, 3, 172);
  band.Label("Entrance Loss (Ke) :", 586, 3, 102, TReportAlign::Left, true);
  band.Cell("COEFF_KE", 692, 3, 28, FormatFloat9BY2);
}

bool HasCorrugation(const TReportDataset& data, int record) {
  const std::string type = data.Text(record, "CULVERT_TYPE");
  return type == "2" || type == "4";
}

void AddCorrugationCaption(TReportBand& band, const TCodes& codes, bool continued) {
  band.PrintIf = HasCorrugation;
  band.Computed(
      [codes, continued](const TReportDataset& d, int r) {
        const std::string corrugation = CorrugationText(*codes, d, r);
        return continued && !corrugation.empty() ? corrugation + " (continued)" : corrugation;
      },
      94, 1, 400);
}

void AddGroupBands(TReport& report, const TCulvertDesign& project, const TCodes& codes) {
  TReportBand& crossing = report.Layout.AddBand(TReportBandKind::GroupHeader, 0);
  crossing.GroupField = "ELEMENT_NUMBER";
  crossing.Rule(0, 2, report.Layout.Page.ContentWidth());
  crossing.Computed(CrossingCaption, 0, 5, 200).Bold = true;
  AddCrossingInput(crossing, codes, 20);
  AddCrossingDischarges(crossing, project, 62);
  crossing.Height = 80 + AddColumnHeadings(crossing, 80);

  TReportBand& type = report.Layout.AddBand(TReportBandKind::GroupHeader, 18);
  type.GroupField = "CULVERT_TYPE";
  AddTypeCaption(type, codes, false);

  TReportBand& corrugation = report.Layout.AddBand(TReportBandKind::GroupHeader, 14);
  corrugation.GroupField = "CORRUGATION_TYPE";
  AddCorrugationCaption(corrugation, codes, false);
}

// What a page that starts inside a crossing repeats above its column
// headings: the crossing, its culvert type and its corrugation.
void AddContinuationBands(TReport& report, const TCodes& codes) {
  TReportBand& crossing = report.Layout.AddBand(TReportBandKind::GroupContinuation, 18);
  crossing.GroupField = "ELEMENT_NUMBER";
  crossing.Rule(0, 2, report.Layout.Page.ContentWidth());
  crossing.Computed([](const TReportDataset& d, int r) { return CrossingCaption(d, r) + " (continued)"; }, 0, 5, 200)
      .Bold = true;

  TReportBand& type = report.Layout.AddBand(TReportBandKind::GroupContinuation, 18);
  type.GroupField = "CULVERT_TYPE";
  AddTypeCaption(type, codes, true);

  TReportBand& corrugation = report.Layout.AddBand(TReportBandKind::GroupContinuation, 14);
  corrugation.GroupField = "CORRUGATION_TYPE";
  AddCorrugationCaption(corrugation, codes, true);
}

void AddLayout(TReport& report, const TCulvertDesign& project, const TCodes& codes) {
  AddPageHeader(report);
  AddTitleBand(report, project);
  // A crossing's group carries the headings; a page that starts inside
  // one needs them above its rows.
  TReportBand& headings = report.Layout.AddBand(TReportBandKind::ColumnHeader, 0);
  headings.OnlyInsideGroup = true;
  headings.Height = AddColumnHeadings(headings, 2) + 2;
  AddGroupBands(report, project, codes);
  AddContinuationBands(report, codes);
  AddDetailBand(report);
  TReportBand& footer = AddPageFooter(report);
  footer.Label(BuriedFooterText, 0, 15, 220).PrintIf = [](const TReportDataset& d, int r) {
    return IsYes(d, r, "BURIAL_OPTION");
  };
  AddInletExtrapolatedNote(footer, report.Dataset, report.Layout.Page.ContentWidth(), 15);
}

}  // namespace

std::unique_ptr<TReport> CreateCulvertDesignReport(const TCulvertDesign& project,
                                                   const TNerraParameterList& parameters) {
  auto report = std::make_unique<TReport>();
  const TCodes codes = std::make_shared<const TCodeDescriptions>(
      parameters, std::initializer_list<TParameterCategory>{
                      pcDesignPipeType, pcInletType, pcCircularConcreteInletType, pcCircularCorrugatedInletType,
                      pcEllipticalConcreteInletType, pcArchCorrugatedInletType, pcBoxInletType, pcHWType,
                      pcCircularCorrugationType, pcArcCorrugationType});
  report->Heading = CulvertDesignReportHeading;
  report->FileName = project.FileName;
  report->PdfFileName = DefaultReportFileName(project);
  DefineFields(report->Dataset);
  report->Dataset.Open();
  FillRecords(report->Dataset, project);
  report->Title = RunningReportTitle();
  AddLayout(*report, project, codes);
  // The plots of the results end the report.
  report->Layout.Plots = plots::ProjectPlots(project);
  return report;
}
