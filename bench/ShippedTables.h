#pragma once
// The shipped code table and pipe catalogue, loaded once for a benchmark.

#include <string>

#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

struct TTables {
  TNerraParameterList Parameters;
  TCulvertBasePipeList Pipes;
  TTables() {
    Parameters.LoadParameterFile(std::string(DREVIA_SOURCE_DIR) + "/data/AppParameters.xml");
    Pipes.LoadPipeFile(std::string(DREVIA_SOURCE_DIR) + "/data/UniversalCulvertParameters.xml");
  }
};

inline const TTables& Tables() {
  static const TTables tables;
  return tables;
}
