#include "ditch/DitchAnalysisElement.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

void TDitchAnalysisElement::Assign(const TBaseObject* source) {
  TNerraElement::Assign(source);
  const auto* other = dynamic_cast<const TDitchAnalysisElement*>(source);
  if (!other) return;
  Inslope = other->Inslope;
  RunoffArea = other->RunoffArea;
  ConcTime = other->ConcTime;
  RunoffCoeff = other->RunoffCoeff;
  Radius = other->Radius;
  Backslope = other->Backslope;
  Width = other->Width;
  Lining = other->Lining;
  Side = other->Side;
  ElevationEnd = other->ElevationEnd;
  ElevationBegin = other->ElevationBegin;
  AreaSum = other->AreaSum;
  CASum = other->CASum;
  EndStation = other->EndStation;
  BeginStation = other->BeginStation;
  Length = other->Length;
  Grade = other->Grade;
}

double TDitchAnalysisElement::DitchLength() const {
  if (Length > 0) return Length;
  if (EndStation < 0) return 0;
  return std::fabs(static_cast<double>(EndStation) - static_cast<double>(BeginStation));
}

double TDitchAnalysisElement::DitchGrade() const {
  if (Grade > 0) return Grade;
  const double length = DitchLength();
  if (length > 0) return std::fabs(ElevationBegin - ElevationEnd) / length;
  return 0;
}

std::string TDitchAnalysisElement::LiningCode() const {
  switch (Lining) {
    case ltSeed: return "1";
    case ltJuteMat:
    case ltTempMat:
    case ltTurfType1:
    case ltTurfType2:
    case ltTurfType3: return "2";
    case ltRCPTypeB: return "7";
    default: return std::string();
  }
}

static bool ParseInt32(const std::string& text, int32_t& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;  // "+2" reads as 2, as an integer field would take it
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && first != last;
}

bool TDitchAnalysisElement::SetLiningCode(const std::string& text) {
  if (text.empty()) {
    Lining = ltNone;
    return true;
  }
  int32_t value = 0;
  if (!ParseInt32(text, value)) return false;
  // A code outside the enumeration would index past the lining tables.
  Lining = (value >= ltNone && value <= ltExceedsAllowed) ? static_cast<TLiningType>(value) : ltNone;
  return true;
}

double TDitchAnalysisElement::ManningNFor(TLiningType lining) const {
  const double fallback = DefaultLiningManningN.at(lining);
  const int liningClass = (lining >= ltJuteMat && lining <= ltTurfType3) ? 2 : static_cast<int>(lining);
  const std::string code = LiningCode();
  // An override counts only for the class of lining the user tied it to.
  if (CoeffN > 0 && !code.empty() && std::stoi(code) == liningClass) return CoeffN;
  return fallback;
}

int32_t TDitchAnalysisElement::ParseStation(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
  if (begin == end) return -1;

  std::string hundreds;
  std::string rest;
  bool afterPlus = false;
  for (size_t i = begin; i < end; ++i) {
    const char c = text[i];
    if (c == '+') {
      afterPlus = true;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      (afterPlus ? rest : hundreds) += c;
    }
  }
  if (rest.size() > 2) rest.resize(2);

  int32_t high = 0;
  int32_t low = 0;
  if (!ParseInt32(hundreds, high) || !ParseInt32(rest, low)) return -1;
  // A station beyond the integer range is as unreadable as one without "+".
  const int64_t station = static_cast<int64_t>(high) * 100 + low;
  if (station > std::numeric_limits<int32_t>::max()) return -1;
  return static_cast<int32_t>(station);
}

std::string TDitchAnalysisElement::StationText(int32_t station) {
  if (station < 0) return std::string();
  const int32_t rest = station % 100;
  return std::to_string(station / 100) + "+" + (rest < 10 ? "0" : "") + std::to_string(rest);
}

std::string CheckDitchEntry(const TDitchEntry& entry) {
  if (entry.BeginStationText.empty()) return "Begin Station cannot be empty";
  if (entry.RunoffCoeff <= 0 || entry.RunoffCoeff > 1) return "Invalid Runoff Coefficient (should be between 0 and 1)";
  if (entry.RunoffArea <= 0) return "Runoff area should greater or equal zero.";
  if (!entry.EndStationText.empty() || entry.DitchLength > 0) {
    if (entry.EndStationText.empty()) return "End Station cannot be empty";
    if (!(entry.ElevationBegin > 0 && entry.ElevationEnd > 0) && !(entry.Grade > 0))
      return "Begin / End Elevations or Grade should be greater than 0;";
  } else if (entry.ConcTime <= 0) {
    return "Concentration Time cannot be null.";
  }
  return std::string();
}

std::string TDitchAnalysisElement::Validate() {
  TDitchEntry entry;
  entry.BeginStationText = BeginStationText();
  entry.EndStationText = EndStationText();
  entry.RunoffCoeff = RunoffCoeff;
  entry.RunoffArea = RunoffArea;
  entry.DitchLength = DitchLength();
  entry.ElevationBegin = ElevationBegin;
  entry.ElevationEnd = ElevationEnd;
  entry.Grade = DitchGrade();
  entry.ConcTime = ConcTime;
  return CheckDitchEntry(entry);
}
