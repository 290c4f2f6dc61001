#include "reports/ReportHandlers.h"

#include <algorithm>

#include "foundation/DisplayFormat.h"
#include "reports/ReportDataset.h"

namespace {

std::string Fixed(const TReportDataset& data, int record, int field, int decimals) {
  if (data.IsNull(record, field)) return std::string();
  double value = 0;
  if (!ReadReportNumber(data.Text(record, field), value)) return std::string();
  return FormatFixed(value, decimals);
}

bool IsFirstLine(const TReportDataset& data, int record) { return data.Text(record, FirstLineField) == "Y"; }

std::string FirstLineFixed(const TReportDataset& data, int record, int field, int decimals) {
  return IsFirstLine(data, record) ? Fixed(data, record, field, decimals) : std::string();
}

}  // namespace

std::string FormatFloat9BY0(const TReportDataset& d, int r, int f) { return Fixed(d, r, f, 0); }
std::string FormatFloat9BY1(const TReportDataset& d, int r, int f) { return Fixed(d, r, f, 1); }
std::string FormatFloat9BY2(const TReportDataset& d, int r, int f) { return Fixed(d, r, f, 2); }
std::string FormatFloat9BY3(const TReportDataset& d, int r, int f) { return Fixed(d, r, f, 3); }
std::string FormatFloat9BY4(const TReportDataset& d, int r, int f) { return Fixed(d, r, f, 4); }

std::string FirstLineText(const TReportDataset& d, int r, int f) {
  return IsFirstLine(d, r) ? d.Text(r, f) : std::string();
}
std::string FirstLineFloat9BY0(const TReportDataset& d, int r, int f) { return FirstLineFixed(d, r, f, 0); }
std::string FirstLineFloat9BY1(const TReportDataset& d, int r, int f) { return FirstLineFixed(d, r, f, 1); }
std::string FirstLineFloat9BY2(const TReportDataset& d, int r, int f) { return FirstLineFixed(d, r, f, 2); }
std::string FirstLineFloat9BY3(const TReportDataset& d, int r, int f) { return FirstLineFixed(d, r, f, 3); }
std::string FirstLineFloat9BY4(const TReportDataset& d, int r, int f) { return FirstLineFixed(d, r, f, 4); }

TPrintHandler FormatFloat9BY(int decimals) {
  static const TPrintHandler handlers[] = {FormatFloat9BY0, FormatFloat9BY1, FormatFloat9BY2, FormatFloat9BY3,
                                           FormatFloat9BY4};
  return handlers[std::clamp(decimals, 0, 4)];
}

TPrintHandler FirstLineFloat9BY(int decimals) {
  static const TPrintHandler handlers[] = {FirstLineFloat9BY0, FirstLineFloat9BY1, FirstLineFloat9BY2,
                                           FirstLineFloat9BY3, FirstLineFloat9BY4};
  return handlers[std::clamp(decimals, 0, 4)];
}

std::string FormatFieldFixed(const TReportDataset& data, int record, const std::string& field, int decimals) {
  return Fixed(data, record, data.FieldIndex(field), decimals);
}
