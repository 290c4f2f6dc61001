#include "ditch/DitchAnalysisGeneralParameters.h"

#include <stdexcept>
#include <utility>

const std::array<const char*, LiningTypeCount> LiningNames = {"",
                                                              "Seed",
                                                              "Jute Mat",
                                                              "Temp. Mat",
                                                              "Perm, Type 1",
                                                              "Perm, Type 2",
                                                              "Perm, Type 3",
                                                              "RCP, Type B",
                                                              "Shear exceeds allowed"};

const std::array<double, LiningTypeCount> DefaultLiningManningN = {0, 0.03, 0.04, 0.04, 0.04, 0.04, 0.04, 0.06, 0};

TDitchAnalysisGeneralParameters::TDitchAnalysisGeneralParameters()
    : FAllowableShear{0.4, 0.45, 1.0, 2.0, 3.0, 5.0, 6.0} {}

static int ShearSlot(TLiningType lining) {
  if (!IsLining(lining)) throw std::out_of_range("lining ordinal outside 1 to 7");
  return static_cast<int>(lining) - 1;
}

double TDitchAnalysisGeneralParameters::AllowableShear(TLiningType lining) const {
  return FAllowableShear[ShearSlot(lining)];
}

void TDitchAnalysisGeneralParameters::SetAllowableShear(TLiningType lining, double value) {
  FAllowableShear[ShearSlot(lining)] = value;
  LiningOrderReady = false;
}

void TDitchAnalysisGeneralParameters::Assign(const TBaseObject* source) {
  TNerraGeneralParameters::Assign(source);
  const auto* other = dynamic_cast<const TDitchAnalysisGeneralParameters*>(source);
  if (!other) return;
  Time = other->Time;
  WaterShedAreaCode = other->WaterShedAreaCode;
  DepthStormFrequency = other->DepthStormFrequency;
  VelocityStormFrequency = other->VelocityStormFrequency;
  FAllowableShear = other->FAllowableShear;
  // The copy builds its own order on first use.
  LiningOrderReady = false;
  LiningOrder.clear();
  AllowableOrder.clear();
}

void TDitchAnalysisGeneralParameters::PrepareLiningOrder() {
  LiningOrder.assign(1, ltSeed);
  AllowableOrder.assign(1, AllowableShear(ltSeed));
  for (int ordinal = ltJuteMat; ordinal <= ltRCPTypeB; ++ordinal) {
    const auto lining = static_cast<TLiningType>(ordinal);
    if (AllowableShear(lining) != 0) {
      LiningOrder.push_back(lining);
      AllowableOrder.push_back(AllowableShear(lining));
    }
  }
  // Seed stays first whatever it allows; a stable sort keeps equal shears in
  // ordinal order.
  const int last = static_cast<int>(LiningOrder.size()) - 1;
  for (int pass = 0; pass < last; ++pass) {
    for (int j = 1; j < last; ++j) {
      if (AllowableOrder[j] > AllowableOrder[j + 1]) {
        std::swap(AllowableOrder[j], AllowableOrder[j + 1]);
        std::swap(LiningOrder[j], LiningOrder[j + 1]);
      }
    }
  }
  LiningOrderReady = true;
}

int TDitchAnalysisGeneralParameters::IndexOfLining(TLiningType lining) const {
  for (size_t i = 0; i < LiningOrder.size(); ++i)
    if (LiningOrder[i] == lining) return static_cast<int>(i);
  return -1;
}

bool TDitchAnalysisGeneralParameters::NextLining(TLiningType& lining, double shear) {
  if (!LiningOrderReady) PrepareLiningOrder();
  // Rock channel protection is the strongest lining there is, wherever its
  // allowable shear puts it in the order.
  if (lining == ltRCPTypeB) return false;
  const int index = IndexOfLining(lining);
  if (index < 0) return false;
  if (shear > AllowableOrder[index] && index + 1 < static_cast<int>(LiningOrder.size())) {
    lining = LiningOrder[index + 1];
    return true;
  }
  return false;
}
