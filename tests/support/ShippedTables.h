#pragma once
// The parameter tables shipped in data/ (the code table and the culvert
// catalogue), for tests. They are read once per test program. A table that
// does not load throws std::runtime_error with the file and the loader's
// message, so every test that needs it fails saying why, instead of running
// on an empty table.

#include <memory>
#include <string>

#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

struct TShippedTables {
  TNerraParameterList Parameters;
  TCulvertBasePipeList Pipes;
};

// The folder the shipped tables are read from.
std::string ShippedDataFolder();

// Reads AppParameters.xml and UniversalCulvertParameters.xml from a folder;
// throws std::runtime_error when either does not load or holds no entries.
std::unique_ptr<TShippedTables> LoadTables(const std::string& folder);

const TShippedTables& ShippedTables();
inline const TNerraParameterList& ShippedParameters() { return ShippedTables().Parameters; }
inline const TCulvertBasePipeList& ShippedPipes() { return ShippedTables().Pipes; }
