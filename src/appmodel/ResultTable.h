#pragma once
// The computed results of a project as named values, the one source of the
// field names and values that drevia-cli's JSON and the CSV table (command
// line and desktop) write.
//
// The results form a tree as the JSON nests them: the elements, each with
// its own fields and an array of children ("rows", or "candidates" holding
// "rows" for a culvert design), and, for some kinds, a list-level record.
// A field named "Group.Name" is a member of the nested object "Group"; an
// object whose members are all null is written as null.
//
// The CSV table has one line per leaf row: the fields of every level above
// the row, outermost first, then the row's own (see ResultColumns).

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

class TNerraBaseProject;

// One value: null, a number, an integer, a flag or a text (ISO-8859-1).
class TResultValue {
public:
  TResultValue() = default;
  static TResultValue Number(double value) { return TResultValue(value); }
  static TResultValue Integer(long long value) { return TResultValue(value); }
  static TResultValue Flag(bool value) { return TResultValue(value); }
  static TResultValue Text(std::string value) { return TResultValue(std::move(value)); }

  bool IsNull() const { return std::holds_alternative<std::monostate>(FValue); }
  const double* AsNumber() const { return std::get_if<double>(&FValue); }
  const long long* AsInteger() const { return std::get_if<long long>(&FValue); }
  const bool* AsFlag() const { return std::get_if<bool>(&FValue); }
  const std::string* AsText() const { return std::get_if<std::string>(&FValue); }

private:
  template <class T>
  explicit TResultValue(T value) : FValue(std::move(value)) {}
  std::variant<std::monostate, double, long long, bool, std::string> FValue;
};

struct TResultField {
  std::string Name;
  TResultValue Value;
};

using TResultRecord = std::vector<TResultField>;

struct TResultNode {
  TResultRecord Fields;
  // The name of the children's array ("rows", "candidates"); empty for a
  // row, which has no children.
  std::string ChildArray;
  std::vector<TResultNode> Children;
};

struct TResultTree {
  std::vector<TResultNode> Elements;
  // List-level results (the sump of an inlet spacing run); none for most kinds.
  std::optional<TResultRecord> List;
  // The CSV header: the field names of each level, outermost first.
  std::vector<std::string> Columns;
};

// The results of a calculated project, by its kind's row (ProjectKinds.h);
// an empty tree for a kind without them.
TResultTree ProjectResults(const TNerraBaseProject& project);

// Each kind's results, the Results of its row; the project is of that kind.
TResultTree CulvertDesignResultTree(const TNerraBaseProject& project);
TResultTree CulvertAnalysisResultTree(const TNerraBaseProject& project);
TResultTree StormSewerResultTree(const TNerraBaseProject& project);
TResultTree InletSpacingResultTree(const TNerraBaseProject& project);
TResultTree DitchResultTree(const TNerraBaseProject& project);

// The leaf rows of the tree, each with the fields of the levels above it
// first; these are the CSV lines, their values in the order of Columns.
std::vector<TResultRecord> FlattenResults(const TResultTree& tree);

// The text of a value in a CSV field: numbers with 17 significant digits
// (exact on reading back), "true"/"false", texts as UTF-8; empty for null
// and for a number that is not finite.
std::string CsvValueText(const TResultValue& value);

// The results as an RFC 4180 table: CRLF line ends, fields holding a comma,
// a quote or a line break quoted with their quotes doubled; the header line,
// then one line per leaf row.
std::string ResultsCsv(const TResultTree& tree);

// The file an export of the results offers: the project file's name with
// ".csv" in its folder; "results.csv" for a project not yet saved.
std::string DefaultResultsCsvFileName(const std::string& projectFileName);
