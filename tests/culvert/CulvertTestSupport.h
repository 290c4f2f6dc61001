#pragma once
// Shared tables and element builders of the culvert tests.

#include <memory>
#include <string>

#include "culvert/CulvertAnalysis.h"
#include "culvert/CulvertShapes.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"
#include "support/ShippedTables.h"

// A culvert of a catalogue size, 100 ft long on a 1 % slope, inlet code "1".
template <class T>
std::unique_ptr<T> MakeCulvert(const std::string& corrugation, int index) {
  auto e = std::make_unique<T>();
  e->Parameters = &ShippedTables().Parameters;
  e->Pipe = ShippedTables().Pipes.FindPipe(e->CulvertTypeCode(), corrugation, index);
  e->ElementId = 1;
  e->InletElevation = 100;
  e->OutletElevation = 99;
  e->TailwaterElevationMin = 99;
  e->CulvertLength = 100;
  e->CulvertQuantity = 1;
  e->InletType = "1";
  e->DesignDischarge = 10;
  return e;
}

// A circular pipe whose section is a plain circle of the given diameter.
inline std::unique_ptr<TCircularSmoothElement> MakeCircle(double diameter) {
  auto e = MakeCulvert<TCircularSmoothElement>("", 1);
  e->MakeOwnPipe();
  e->OwnPipe->CulvertType = "1";
  e->OwnPipe->PipeSizeIndex = 1;
  e->OwnPipe->Rise = diameter;
  e->OwnPipe->n = 0.012;
  return e;
}
