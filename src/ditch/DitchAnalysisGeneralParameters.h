#pragma once
// Page-level settings of a ditch analysis: rainfall area, the two design
// storms, the time to the first section and the allowable shear of every
// lining, with the order in which the linings are tried.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/NerraBase.h"

// Stored in one byte; ordinals 1 to 7 are the linings, the last marks a
// message row of the results.
enum TLiningType : uint8_t {
  ltNone = 0,
  ltSeed,
  ltJuteMat,
  ltTempMat,
  ltTurfType1,
  ltTurfType2,
  ltTurfType3,
  ltRCPTypeB,
  ltExceedsAllowed,
};

constexpr int LiningTypeCount = 9;

extern const std::array<const char*, LiningTypeCount> LiningNames;
// Indexed by lining ordinal; ordinals 0 and 8 hold 0 (no lining).
extern const std::array<double, LiningTypeCount> DefaultLiningManningN;

// True for the seven real linings (ordinals 1 to 7).
inline bool IsLining(int lining) { return lining >= ltSeed && lining <= ltRCPTypeB; }

class TDitchAnalysisGeneralParameters : public TNerraGeneralParameters {
public:
  TDitchAnalysisGeneralParameters();

  double Time = 0;
  std::string WaterShedAreaCode;
  std::string DepthStormFrequency;
  std::string VelocityStormFrequency;
  bool LiningOrderReady = false;
  std::vector<TLiningType> LiningOrder;
  std::vector<double> AllowableOrder;

  // Lining ordinals 1 to 7 only; anything else is a programming error and
  // throws std::out_of_range.
  double AllowableShear(TLiningType lining) const;
  void SetAllowableShear(TLiningType lining, double value);

  void Assign(const TBaseObject* source) override;

  // Seed first, then every lining whose allowable shear is not 0, weakest
  // first.
  void PrepareLiningOrder();
  // Moves lining to the next one of the order when shear exceeds what the
  // current one allows; false when the search ends here.
  bool NextLining(TLiningType& lining, double shear);
  int IndexOfLining(TLiningType lining) const;

private:
  std::array<double, 7> FAllowableShear;
};
