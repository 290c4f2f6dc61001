#pragma once
// The results of a project (appmodel/ResultTable.h) as JSON: "elements",
// each an object of its fields and its children's array, then "list" where
// the kind has list-level results. Written into the top-level object the
// caller has opened.

#include "JsonWriter.h"
#include "appmodel/ResultTable.h"

void WriteResultsJson(const TResultTree& results, TJsonWriter& json);
