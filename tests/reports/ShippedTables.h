#pragma once
// The shipped parameter files beside the test programs, loaded once for all
// the report tests of a program.
#include <string>

#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

struct TShipped {
  TNerraParameterList Parameters;
  TCulvertBasePipeList Pipes;
  std::string Error;
};

inline const TShipped& Shipped() {
  static TShipped* tables = [] {
    auto* t = new TShipped();
    t->Error = StartupLoadParameters(std::string(DREVIA_BIN_DIR) + "/", t->Parameters, t->Pipes);
    return t;
  }();
  return *tables;
}
