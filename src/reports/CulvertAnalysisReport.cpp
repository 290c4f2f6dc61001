#include "reports/CulvertAnalysisReport.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "culvert/CulvertAnalysis.h"
#include "foundation/DisplayFormat.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "reports/CodeDescriptions.h"
#include "reports/ProjectReport.h"

namespace {

using TCodes = std::shared_ptr<const TCodeDescriptions>;

const char* const BuriedFooterText = "Inlet Control Design Equations Enabled";

bool IsYes(const TReportDataset& data, int record, const char* field) { return data.Text(record, field) == "Y"; }

std::string CulvertType(const TReportDataset& data, int record) { return data.Text(record, "CULVERT_TYPE"); }

// A code stored as a number, written back as the code text ("2").
std::string CodeOfNumber(const TReportDataset& data, int record, const char* field) {
  return data.IsNull(record, field) ? std::string() : FormatFixed(data.AsFloat(record, field), 0);
}

// --- filling the dataset -----------------------------------------------------------

void DefineFields(TReportDataset& data) {
  data.AddStringField("BURIAL_OPTION", 10);
  for (const char* name : {"ELEMENT_NUMBER", "USEHW", "PIPE_NUMBER"}) data.AddIntegerField(name);
  for (const char* name : {"INLET_INVERT", "OUTLET_INVERT", "PIPE_LENGTH", "SLOPE"}) data.AddFloatField(name);
  data.AddStringField("CULVERT_TYPE", 10);
  data.AddStringField("CORRUGATION_TYPE", 10);
  data.AddStringField("SIZE", 80);
  for (const char* name : {"DESIGN_MANNING_N", "BURIED_MANNNING_N", "INLET_TYPE"}) data.AddFloatField(name);
  data.AddStringField("SUBMERGED_INLET", 10);
  for (const char* name : {"COEFF_KE", "THETA", "PHI", "RT", "RS", "FLOW_AREA", "COEFF_K", "COEFF_M", "QMAX",
                           "COEFF_KD", "COEFF_KP", "QMIN", "COEFF_CD", "FLOW", "HLOSS", "HWI", "HWO"})
    data.AddFloatField(name);
  data.AddStringField("VALID_HWO", 10);
  data.AddStringField("FLOW_TYPE", 10);
  for (const char* name : {"VELOCITY", "DN", "DC", "MANNING_N"}) data.AddFloatField(name);
  data.AddStringField("HW_CONTROL", 40);
  data.AddFloatField("BURIED_DEPTH");
  data.AddFloatField("TAILWATER_ELEV");
  // Added last: the fields before it keep their places.
  data.AddStringField("HWI_EXTRAPOLATED", 1);
}

// A code text kept in a float field; a code that is not a number stays null
// rather than printing a made-up value.
void SetCodeNumber(TReportDataset& data, const char* field, const std::string& code) {
  double number = 0;
  if (ReadReportNumber(code, number)) data.SetFloat(field, number);
}

void SetLongSpanFields(TReportDataset& data, const TLongSpanElement& span) {
  SetCodeNumber(data, "INLET_TYPE", span.UnsubInlet);
  data.SetString("SUBMERGED_INLET", span.SubInlet);
  data.SetFloat("THETA", span.Theta());
  data.SetFloat("PHI", span.Phi());
  data.SetFloat("RT", span.RT());
  data.SetFloat("RS", span.RS());
  data.SetFloat("FLOW_AREA", span.FlowArea);
}

void SetCoefficientFields(TReportDataset& data, const TCulvertBaseElement& culvert) {
  data.SetFloat("COEFF_KE", culvert.Ke());
  data.SetFloat("COEFF_K", culvert.K);
  data.SetFloat("COEFF_M", culvert.M);
  data.SetFloat("QMAX", culvert.QMAX);
  data.SetFloat("COEFF_KD", culvert.KD);
  data.SetFloat("COEFF_KP", culvert.KP);
  data.SetFloat("QMIN", culvert.QMIN);
  data.SetFloat("COEFF_CD", culvert.CoeffCD());
}

void SetElementFields(TReportDataset& data, const TCulvertBaseElement& culvert) {
  data.SetString("BURIAL_OPTION", culvert.BuriedOption ? "Y" : "N");
  data.SetInteger("ELEMENT_NUMBER", culvert.ElementId);
  data.SetInteger("USEHW", culvert.UseHW);
  data.SetFloat("INLET_INVERT", culvert.InletElevation);
  data.SetFloat("OUTLET_INVERT", culvert.OutletElevation);
  data.SetFloat("PIPE_LENGTH", culvert.CulvertLength);
  data.SetFloat("SLOPE", culvert.Slope());
  data.SetString("CULVERT_TYPE", culvert.CulvertTypeText());
  data.SetString("CORRUGATION_TYPE", culvert.CorrugationText());
  data.SetString("SIZE", culvert.Pipe ? culvert.Pipe->SizeLabel : std::string());
  data.SetFloat("DESIGN_MANNING_N", culvert.CoeffN);
  data.SetFloat("BURIED_MANNNING_N", culvert.BuriedCoeffN);
  if (const auto* span = dynamic_cast<const TLongSpanElement*>(&culvert))
    SetLongSpanFields(data, *span);
  else
    SetCodeNumber(data, "INLET_TYPE", culvert.InletType);
  SetCoefficientFields(data, culvert);
}

void SetRowFields(TReportDataset& data, const TCulvertElementResult& row) {
  data.SetInteger("PIPE_NUMBER", row.CulvertQuantity);
  data.SetFloat("FLOW", row.Flow);
  data.SetFloat("HLOSS", row.HeadwaterLoss);
  data.SetFloat("HWI", row.InletHeadwater);
  data.SetFloat("HWO", row.OutletHeadwater);
  data.SetString("VALID_HWO", row.OutletHeadwaterValid ? "Y" : "N");
  data.SetString("HWI_EXTRAPOLATED", row.InletControlExtrapolated ? "Y" : "N");
  data.SetString("FLOW_TYPE", row.FlowType);
  data.SetFloat("VELOCITY", row.Velocity);
  data.SetFloat("DN", row.NormalDepth);
  data.SetFloat("DC", row.CriticalDepth);
  data.SetFloat("MANNING_N", row.CoeffN);
  data.SetString("HW_CONTROL", row.HeadwaterControl);
  data.SetFloat("BURIED_DEPTH", row.BuriedDepth);
  data.SetFloat("TAILWATER_ELEV", row.Tailwater);
}

void FillRecords(TReportDataset& data, const TCulvertAnalysis& project) {
  for (int i = 0; i < project.Elements.Count(); ++i) {
    const TCulvertBaseElement* culvert = project.Elements.Culvert(i);
    if (!culvert) continue;
    for (int r = 0; r < culvert->Results.Count(); ++r) {
      const TCulvertElementResult* row = culvert->Results.Row(r);
      if (!row) continue;
      data.Append();
      SetElementFields(data, *culvert);
      SetRowFields(data, *row);
      data.Post();
    }
  }
}

// --- conditional texts ---------------------------------------------------------------

std::string CulvertTypeText(const TCodeDescriptions& codes, const TReportDataset& data, int record) {
  return codes.Description(pcAnalysisPipeType, CulvertType(data, record));
}

std::string CorrugationText(const TCodeDescriptions& codes, const TReportDataset& data, int record) {
  const std::string type = CulvertType(data, record);
  const std::string code = data.Text(record, "CORRUGATION_TYPE");
  if (type == "2") return codes.Description(pcCircularCorrugationType, code);
  if (type == "4") return codes.Description(pcArcCorrugationType, code);
  return "N/A";
}

TParameterCategory EntranceCategory(const std::string& type, bool buried) {
  if (type == "5") return pcBoxInletType;
  if (!buried) return pcInletType;
  if (type == "1") return pcCircularConcreteInletType;
  if (type == "2") return pcCircularCorrugatedInletType;
  if (type == "3") return pcEllipticalConcreteInletType;
  if (type == "7") return pcUnsubmergedInlet;
  return pcInletType;
}

std::string EntranceText(const TCodeDescriptions& codes, const TReportDataset& data, int record) {
  const TParameterCategory category = EntranceCategory(CulvertType(data, record), IsYes(data, record, "BURIAL_OPTION"));
  return codes.Description(category, CodeOfNumber(data, record, "INLET_TYPE"));
}

std::string DesignManningText(const TReportDataset& data, int record) {
  if (data.IsNull(record, "DESIGN_MANNING_N")) return std::string();
  return data.AsFloat(record, "DESIGN_MANNING_N") < 0.0001 ? "(default)"
                                                           : FormatFieldFixed(data, record, "DESIGN_MANNING_N", 4);
}

std::string BuriedManningText(const TReportDataset& data, int record) {
  const std::string text = FormatFieldFixed(data, record, "BURIED_MANNNING_N", 4);
  return text.empty() || data.AsFloat(record, "BURIED_MANNNING_N") == 0 ? "N/A" : text;
}

std::string OutletHeadwaterText(const TReportDataset& data, int record) {
  return IsYes(data, record, "VALID_HWO") ? FormatFieldFixed(data, record, "HWO", 2) : "N/A";
}

bool Buried(const TReportDataset& data, int record) { return IsYes(data, record, "BURIAL_OPTION"); }
bool LongSpan(const TReportDataset& data, int record) { return CulvertType(data, record) == "7"; }
bool NotLongSpan(const TReportDataset& data, int record) { return !LongSpan(data, record); }
// The pipe arch's inlet control uses no coefficient set: nothing to show.
bool BuriedCoefficients(const TReportDataset& data, int record) {
  return Buried(data, record) && CulvertType(data, record) != "4";
}

// --- layout -----------------------------------------------------------------------------

struct TColumn {
  const char* Captions[3];
  double Width;
  const char* Field;
  int Decimals;  // -1: text
  TReportAlign Align;
};

// Left to right; the widths fill the 10 in between the margins.
const TColumn Columns[] = {
    {{"FLOW", "(cfs.)", ""}, 56, "FLOW", 2, TReportAlign::Right},
    {{"HEAD", "LOSS", "(ft.)"}, 56, "HLOSS", 2, TReportAlign::Right},
    {{"HWI", "(ft.)", ""}, 60, "HWI", 2, TReportAlign::Right},
    {{"HWO", "(ft.)", ""}, 60, "HWO", 2, TReportAlign::Right},
    {{"FLOW", "TYPE", ""}, 50, "FLOW_TYPE", -1, TReportAlign::Center},
    {{"VELOCITY", "(fps.)", ""}, 60, "VELOCITY", 2, TReportAlign::Right},
    {{"DN", "(ft.)", ""}, 50, "DN", 2, TReportAlign::Right},
    {{"DC", "(ft.)", ""}, 50, "DC", 2, TReportAlign::Right},
    {{"MANNING", "N", ""}, 56, "MANNING_N", 4, TReportAlign::Right},
    {{"HEADWATER", "CONTROL", ""}, 84, "HW_CONTROL", -1, TReportAlign::Center},
    {{"BURIED", "DEPTH", "(ft.)"}, 56, "BURIED_DEPTH", 2, TReportAlign::Right},
    {{"TAILWATER", "ELEVATION", "(ft.)"}, 82, "TAILWATER_ELEV", 2, TReportAlign::Right},
};

constexpr double HeadingLine = 11;
constexpr double NumberPadding = 8;
constexpr double GroupLine = 13;
constexpr double GroupFontSize = 9;

// The column captions, stacked; returns the height they take.
double AddColumnHeadings(TReportBand& band, double y) {
  double x = 0;
  for (const TColumn& column : Columns) {
    for (int line = 0; line < 3; ++line)
      if (*column.Captions[line])
        band.Label(column.Captions[line], x, y + line * HeadingLine, column.Width, TReportAlign::Center, true, 9);
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
    if (field == "HWO")
      band.Computed(OutletHeadwaterText, x, 0, width, column.Align);
    else if (field == "HWI")
      band.Computed(MarkedInletHeadwaterText, x, 0, width, column.Align);
    else
      band.Cell(field, x, 0, width, column.Decimals >= 0 ? FormatFloat9BY(column.Decimals) : TPrintHandler(),
                column.Align);
    x += column.Width;
  }
}

void AddTitleBand(TReport& report, const TCulvertAnalysis& project) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::Title, 0);
  double y = AddIdentification(band, project.Identification) + 6;
  y = AddHeadwaterControlLegend(band, y);
  band.Height = y + 18;
}

// Where a caption ends and its value starts: three blocks across the page.
struct TSlot {
  double CaptionX, CaptionWidth, ValueWidth;
};
constexpr TSlot SlotA{0, 150, 76}, SlotB{234, 150, 76}, SlotC{468, 100, 148};
constexpr TSlot WideA{0, 150, 310};

// One caption, right-aligned before its value, on a line of a band of the
// culvert's group; both print only where the condition holds.
void AddPair(TReportBand& band, const char* caption, const TSlot& slot, double y, TReportItem value,
             const TReportCondition& printIf = {}) {
  TReportItem& label =
      band.Label(caption, slot.CaptionX, y, slot.CaptionWidth, TReportAlign::Right, true, GroupFontSize);
  label.PrintIf = printIf;
  value.X = slot.CaptionX + slot.CaptionWidth + 4;
  value.Y = y;
  value.Width = slot.ValueWidth;
  value.FontSize = GroupFontSize;
  value.PrintIf = printIf;
  band.Items.push_back(std::move(value));
}

// The lines of the first band of a group start below its rule.
double Line(int line) { return 6 + line * GroupLine; }

TReportItem CellItem(const char* field, int decimals = -1) {
  TReportBand scratch;
  return scratch.Cell(field, 0, 0, 0, decimals >= 0 ? FormatFloat9BY(decimals) : TPrintHandler());
}

TReportItem ComputedItem(TReportFormatter formatter) {
  TReportBand scratch;
  return scratch.Computed(std::move(formatter), 0, 0, 0);
}

TReportFormatter WithCodes(const TCodes& codes,
                           std::string (*text)(const TCodeDescriptions&, const TReportDataset&, int)) {
  return [codes, text](const TReportDataset& d, int r) { return text(*codes, d, r); };
}

void AddCulvertInput(TReportBand& band, const TCodes& codes) {
  AddPair(band, "Pipe Number :", SlotA, Line(0), CellItem("ELEMENT_NUMBER"));
  AddPair(band, "Use HW :", SlotB, Line(0), CellItem("USEHW"));
  AddPair(band, "Pipe Quantity :", SlotC, Line(0), CellItem("PIPE_NUMBER"));
  AddPair(band, "Inlet Invert Elevation (ft.) :", SlotA, Line(1), CellItem("INLET_INVERT", 2));
  AddPair(band, "Outlet Invert Elevation (ft.) :", SlotB, Line(1), CellItem("OUTLET_INVERT", 2));
  AddPair(band, "Culvert Type :", SlotC, Line(1), ComputedItem(WithCodes(codes, CulvertTypeText)));
  AddPair(band, "Pipe Length (ft.) :", SlotA, Line(2), CellItem("PIPE_LENGTH", 2));
  AddPair(band, "Culvert Slope (ft./ft.) :", SlotB, Line(2), CellItem("SLOPE", 4));
  AddPair(band, "Corrugation Type :", SlotC, Line(2), ComputedItem(WithCodes(codes, CorrugationText)));
  // The largest elliptical sizes are long ("116 x 180 in (144 in eq.)");
  // the caption beside them is right-aligned and leaves the room.
  AddPair(band, "Pipe Size :", TSlot{SlotA.CaptionX, SlotA.CaptionWidth, 136}, Line(3), CellItem("SIZE"));
  AddPair(band, "Design Manning 'n' :", SlotB, Line(3), ComputedItem(DesignManningText));
  AddPair(band, "Buried Manning 'n' :", SlotC, Line(3), ComputedItem(BuriedManningText), Buried);
}

void AddEntrance(TReportBand& band, const TCodes& codes) {
  AddPair(band, "Entrance Type :", WideA, Line(4), ComputedItem(WithCodes(codes, EntranceText)), NotLongSpan);
  AddPair(band, "Unsubmerged Inlet :", WideA, Line(4), ComputedItem(WithCodes(codes, EntranceText)), LongSpan);
  AddPair(band, "Loss Coef. Ke : ", SlotC, Line(4), CellItem("COEFF_KE", 4));
}

void AddLongSpanShape(TReportBand& band, const TCodes& codes) {
  const TReportFormatter submerged = [codes](const TReportDataset& d, int r) {
    return codes->Description(pcSubmergedInlet, d.Text(r, "SUBMERGED_INLET"));
  };
  AddPair(band, "Submerged Inlet :", WideA, 0, ComputedItem(submerged));
  AddPair(band, "Theta (deg.) :", SlotA, GroupLine, CellItem("THETA", 2));
  AddPair(band, "Phi(deg.) :", SlotB, GroupLine, CellItem("PHI", 2));
  AddPair(band, "Flow Area (sq.ft.) :", SlotC, GroupLine, CellItem("FLOW_AREA", 2));
  AddPair(band, "RT (ft.) :", SlotA, 2 * GroupLine, CellItem("RT", 4));
  AddPair(band, "RS (ft.) :", SlotB, 2 * GroupLine, CellItem("RS", 4));
}

void AddCoefficients(TReportBand& band) {
  const std::pair<const char*, std::pair<const char*, int>> coefficients[] = {
      {"K :", {"COEFF_K", 4}}, {"c :", {"COEFF_KD", 4}},  {"Y :", {"COEFF_KP", 4}},
      {"M :", {"COEFF_M", 2}}, {"Max. Q :", {"QMAX", 2}}, {"Min. Q :", {"QMIN", 2}}};
  double x = 0;
  for (const auto& [caption, value] : coefficients) {
    AddPair(band, caption, TSlot{x, 40, 56}, 0, CellItem(value.first, value.second), BuriedCoefficients);
    x += 102;
  }
  AddPair(band, "CD : ", TSlot{x, 40, 56}, 0, CellItem("COEFF_CD", 4));
}

// A culvert's group is cut into bands on the same field, so the lines of
// long spans and of the coefficient equations take room only where they
// print; the column headings close it.
TReportBand& AddGroupPart(TReport& report, int lines, TReportCondition printIf = {}) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::GroupHeader, lines * GroupLine);
  band.GroupField = "ELEMENT_NUMBER";
  band.PrintIf = std::move(printIf);
  return band;
}

void AddGroupBands(TReport& report, const TCodes& codes) {
  TReportBand& culvert = AddGroupPart(report, 5);
  culvert.Height += 8;
  culvert.Rule(0, 2, report.Layout.Page.ContentWidth());
  AddCulvertInput(culvert, codes);
  AddEntrance(culvert, codes);
  AddLongSpanShape(AddGroupPart(report, 3, LongSpan), codes);
  AddCoefficients(AddGroupPart(report, 1, Buried));
  TReportBand& headings = AddGroupPart(report, 0);
  headings.Height = AddColumnHeadings(headings, 4) + 4;
}

// A page that starts inside a culvert's rows names the culvert again.
void AddContinuationBand(TReport& report, const TCodes& codes) {
  TReportBand& band = report.Layout.AddBand(TReportBandKind::GroupContinuation, GroupLine + 8);
  band.GroupField = "ELEMENT_NUMBER";
  band.Rule(0, 2, report.Layout.Page.ContentWidth());
  AddPair(band, "Pipe Number :", SlotA, Line(0),
          ComputedItem([](const TReportDataset& d, int r) { return d.Text(r, "ELEMENT_NUMBER") + " (continued)"; }));
  AddPair(band, "Pipe Size :", TSlot{SlotB.CaptionX, SlotB.CaptionWidth, 116}, Line(0), CellItem("SIZE"));
  AddPair(band, "Culvert Type :", SlotC, Line(0), ComputedItem(WithCodes(codes, CulvertTypeText)));
}

const char* AnalysisOptionText(uint8_t option) {
  switch (option) {
    case aoBuriedDepthCurve: return "Buried Depth Curve";
    case aoCulvertSystem: return "Culvert System";
    default: return "Performance Curve";
  }
}

void AddLayout(TReport& report, const TCulvertAnalysis& project, const TCodes& codes) {
  // The same culverts give other tables under another analysis: every page
  // says which one it shows.
  TReportBand& header = AddPageHeader(report);
  header.Label(AnalysisOptionText(project.AnalysisOption), report.Layout.Page.ContentWidth() - 170, 14, 170,
               TReportAlign::Right, true, 11);
  AddTitleBand(report, project);
  // A culvert's group carries the headings; a page that starts inside one
  // needs them above its rows.
  TReportBand& headings = report.Layout.AddBand(TReportBandKind::ColumnHeader, 0);
  headings.OnlyInsideGroup = true;
  headings.Height = AddColumnHeadings(headings, 2) + 2;
  AddGroupBands(report, codes);
  AddContinuationBand(report, codes);
  AddDetailBand(report);
  TReportBand& footer = AddPageFooter(report);
  footer.Label(BuriedFooterText, 0, 15, 220).PrintIf = Buried;
  AddInletExtrapolatedNote(footer, report.Dataset, report.Layout.Page.ContentWidth(), 15);
}

}  // namespace

std::unique_ptr<TReport> CreateCulvertAnalysisReport(const TCulvertAnalysis& project,
                                                     const TNerraParameterList& parameters) {
  auto report = std::make_unique<TReport>();
  const TCodes codes = std::make_shared<const TCodeDescriptions>(
      parameters, std::initializer_list<TParameterCategory>{
                      pcAnalysisPipeType, pcInletType, pcBoxInletType, pcCircularConcreteInletType,
                      pcCircularCorrugatedInletType, pcEllipticalConcreteInletType, pcCircularCorrugationType,
                      pcArcCorrugationType, pcUnsubmergedInlet, pcSubmergedInlet});
  report->Heading = CulvertAnalysisReportHeading;
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
