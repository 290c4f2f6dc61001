#pragma once
// Print handlers rewrite the text of a data cell before it is printed. They
// are never called for a null field, which prints empty.

#include <functional>
#include <string>

class TReportDataset;

using TPrintHandler = std::function<std::string(const TReportDataset& data, int record, int field)>;

// The cell's text read as a number and written in fixed notation with 0 to 4
// decimals (at most nine significant digits, the user's decimal separator).
// A text that is not a number prints empty.
std::string FormatFloat9BY0(const TReportDataset& data, int record, int field);
std::string FormatFloat9BY1(const TReportDataset& data, int record, int field);
std::string FormatFloat9BY2(const TReportDataset& data, int record, int field);
std::string FormatFloat9BY3(const TReportDataset& data, int record, int field);
std::string FormatFloat9BY4(const TReportDataset& data, int record, int field);

// Element-level values of reports that print several rows per element: on a
// row whose "FIRST_LINE" is not "Y" they print empty, on the first row they
// format as the plain handler of the same decimals (the text variant prints
// the text unchanged).
inline constexpr const char* FirstLineField = "FIRST_LINE";
std::string FirstLineText(const TReportDataset& data, int record, int field);
std::string FirstLineFloat9BY0(const TReportDataset& data, int record, int field);
std::string FirstLineFloat9BY1(const TReportDataset& data, int record, int field);
std::string FirstLineFloat9BY2(const TReportDataset& data, int record, int field);
std::string FirstLineFloat9BY3(const TReportDataset& data, int record, int field);
std::string FirstLineFloat9BY4(const TReportDataset& data, int record, int field);

// The handler of a number of decimals (0 to 4, others are clamped).
TPrintHandler FormatFloat9BY(int decimals);
TPrintHandler FirstLineFloat9BY(int decimals);

// A field's value in fixed notation; empty when the field is null.
std::string FormatFieldFixed(const TReportDataset& data, int record, const std::string& field, int decimals);
