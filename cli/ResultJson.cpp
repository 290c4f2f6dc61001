#include "ResultJson.h"

namespace {

void WriteValue(const TResultValue& value, TJsonWriter& json) {
  if (const double* number = value.AsNumber())
    json.Number(*number);
  else if (const long long* integer = value.AsInteger())
    json.Integer(*integer);
  else if (const bool* flag = value.AsFlag())
    json.Bool(*flag);
  else if (const std::string* text = value.AsText())
    json.String(*text);
  else
    json.Null();
}

// The fields of a record into the open object; "Group.Name" fields in a run
// form the nested object "Group", written as null when all its members are.
void WriteFields(const TResultRecord& record, TJsonWriter& json) {
  for (size_t i = 0; i < record.size();) {
    const std::string& name = record[i].Name;
    const size_t dot = name.find('.');
    if (dot == std::string::npos) {
      json.Key(name);
      WriteValue(record[i].Value, json);
      ++i;
      continue;
    }
    const std::string group = name.substr(0, dot + 1);
    size_t end = i;
    bool allNull = true;
    for (; end < record.size() && record[end].Name.compare(0, group.size(), group) == 0; ++end)
      allNull = allNull && record[end].Value.IsNull();
    if (allNull) {
      json.Field(group.substr(0, dot), nullptr);
    } else {
      const auto object = json.Object(group.substr(0, dot));
      for (size_t k = i; k < end; ++k) {
        json.Key(record[k].Name.substr(dot + 1));
        WriteValue(record[k].Value, json);
      }
    }
    i = end;
  }
}

void WriteNode(const TResultNode& node, TJsonWriter& json) {
  const auto object = json.Object();
  WriteFields(node.Fields, json);
  if (node.ChildArray.empty()) return;
  const auto children = json.Array(node.ChildArray);
  for (const TResultNode& child : node.Children) WriteNode(child, json);
}

}  // namespace

void WriteResultsJson(const TResultTree& results, TJsonWriter& json) {
  {
    const auto elements = json.Array("elements");
    for (const TResultNode& element : results.Elements) WriteNode(element, json);
  }
  if (results.List) {
    const auto list = json.Object("list");
    WriteFields(*results.List, json);
  }
}
