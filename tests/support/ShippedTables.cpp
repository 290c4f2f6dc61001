#include "support/ShippedTables.h"

#include <memory>
#include <stdexcept>

namespace {

// A load message, or a table that loaded without a single entry, ends the
// load.
void Require(std::string message, const TNerraBaseList& table, const std::string& file) {
  if (message.empty() && table.Count() == 0) message = "the table has no entries";
  if (!message.empty()) throw std::runtime_error("cannot load the shipped table " + file + ": " + message);
}

}  // namespace

std::unique_ptr<TShippedTables> LoadTables(const std::string& folder) {
  auto tables = std::make_unique<TShippedTables>();
  const std::string parameterFile = folder + "/AppParameters.xml";
  Require(tables->Parameters.LoadParameterFile(parameterFile), tables->Parameters, parameterFile);
  const std::string pipeFile = folder + "/UniversalCulvertParameters.xml";
  Require(tables->Pipes.LoadPipeFile(pipeFile), tables->Pipes, pipeFile);
  return tables;
}

std::string ShippedDataFolder() { return DREVIA_SOURCE_DIR "/data"; }

const TShippedTables& ShippedTables() {
  // A failed load leaves the static unset, so the next caller tries again
  // and fails the same way.
  static const std::unique_ptr<TShippedTables> tables = LoadTables(ShippedDataFolder());
  return *tables;
}
