#include "reports/CodeDescriptions.h"

#include "culvert/CulvertElement.h"
#include "model/ParameterList.h"
#include "reports/ReportDataset.h"
#include "reports/ReportHandlers.h"
#include "reports/ReportLayout.h"

TCodeDescriptions::TCodeDescriptions(const TNerraParameterList& parameters,
                                     std::initializer_list<TParameterCategory> categories) {
  for (TParameterCategory category : categories) {
    const auto codes = parameters.CodesOfCategory(category);
    for (int i = 0; i < codes->Count(); ++i)
      if (const auto* code = codes->ItemAs<TNerraBaseCode>(i)) FTables[category].emplace(code->Code, code->Description);
  }
}

std::string TCodeDescriptions::Description(TParameterCategory category, const std::string& code) const {
  const auto table = FTables.find(category);
  if (table == FTables.end()) return std::string();
  const auto entry = table->second.find(code);
  return entry == table->second.end() ? std::string() : entry->second;
}

double AddHeadwaterControlLegend(TReportBand& band, double y) {
  band.Label("HEADWATER CONTROL CODES:", 0, y, 300, TReportAlign::Left, true);
  for (const char* line :
       {"INLET - Inlet Control.", "OUTLET - Outlet Control.",
        "OUTLET* - Outlet Control with backwater curve used to compute headwater. See Figure III - 7E in HDS 5 for "
        "type  flow.",
        "OUTLET** - Outlet Control - See Figure III - 7D in HDS 5 for type  flow.",
        "N/A - Flow is supercritical with low headwater and low tailwater. Control Section is at the inlet."}) {
    y += 12;
    band.Label(line, 12, y, 700, TReportAlign::Left, false, 9);
  }
  return y;
}

std::string MarkedInletHeadwaterText(const TReportDataset& data, int record) {
  const std::string value = FormatFieldFixed(data, record, "HWI", 2);
  return data.Text(record, "HWI_EXTRAPOLATED") == "Y" ? value + InletExtrapolatedMark : value;
}

void AddInletExtrapolatedNote(TReportBand& footer, const TReportDataset& data, double width, double y) {
  for (int record = 0; record < data.RecordCount(); ++record)
    if (data.Text(record, "HWI_EXTRAPOLATED") == "Y") {
      footer.Label(InletExtrapolatedNote, 230, y, width - 230);
      return;
    }
}
