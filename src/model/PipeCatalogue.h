#pragma once
// The catalogue of standard culvert barrels: circular concrete ("1") and
// corrugated ("2") pipes, elliptical concrete pipes ("3"), corrugated pipe
// arches ("4") and concrete boxes ("5").

#include <cstdint>
#include <memory>
#include <string>

#include "model/NerraBase.h"

class TCulvertBasePipe : public TNerraBase {
public:
  double Rise = 0;              // ft: diameter, rise or box height
  std::string CulvertType;      // "1" .. "5"
  std::string CorrugationType;  // types "2" and "4" only
  int32_t PipeSizeIndex = 0;    // number of the size within its type (and corrugation)
  double Span = 0;              // ft: width of elliptical, arch and box sizes
  double Area = 0;              // sq ft, as listed (elliptical, arch)
  double TopRadius = 0;         // ft, pipe arch
  double HydraulicRadius = 0;   // ft, as listed (elliptical, arch)
  double n = 0;                 // Manning n of the size
  std::string SizeLabel;
  bool Standard = false;   // box only
  double BurialDepth = 0;  // ft; 0 for pipe arches

  TCulvertBasePipe() = default;
  TCulvertBasePipe(const TCulvertBasePipe&) = default;
  TCulvertBasePipe& operator=(const TCulvertBasePipe&) = default;
  void Assign(const TBaseObject* source) override;
};

// Full-flow area and hydraulic radius: computed for circles and boxes, as
// listed for the other shapes. A missing entry gives 0.
double FullArea(const TCulvertBasePipe& pipe);
double FullArea(const TCulvertBasePipe* pipe);
double FullHydraulicRadius(const TCulvertBasePipe& pipe);
double FullHydraulicRadius(const TCulvertBasePipe* pipe);
// The arch's top radius; the rise of every other shape.
double TopRadiusOrRise(const TCulvertBasePipe& pipe);
double TopRadiusOrRise(const TCulvertBasePipe* pipe);

class TCulvertBasePipeList : public TNerraBaseList {
public:
  TCulvertBasePipeList() : TNerraBaseList(true) {}

  // Both return the load message, empty on success.
  std::string LoadPipeFile(const std::string& fileName);
  void LoadPipes(const std::string& text);

  TCulvertBasePipe* Pipe(int index) const { return ItemAs<TCulvertBasePipe>(index); }
  // Circular concrete, elliptical and box sizes have no corrugation: the
  // one given is ignored for them. None when no size matches.
  TCulvertBasePipe* FindPipe(const std::string& type, const std::string& corrugation, int32_t id) const;
  // Here only circular concrete and elliptical sizes ignore the corrugation.
  int32_t MaxPipeIndex(const std::string& type, const std::string& corrugation) const;
  // A new list of the matching sizes in catalogue order keyed by their size
  // labels; it references the entries and does not own them.
  std::unique_ptr<TNerraBaseList> PipesOf(const std::string& type, const std::string& corrugation) const;
};
