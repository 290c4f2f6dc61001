#pragma once
// One culvert result row as JSON, every field with full precision; shared by
// the culvert analysis and culvert design kinds.

#include "JsonWriter.h"

class TCulvertElementResult;

void WriteCulvertResultJson(const TCulvertElementResult& row, TJsonWriter& json);
