// Cross-checks of the culvert hydraulics against values computed by a
// separate implementation written apart from this code, and the guards of
// the improved-inlet trials and the culvert system.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <tuple>
#include <vector>

#include "CulvertTestSupport.h"

namespace {

std::string ReadTestFile(const std::string& name) {
  std::ifstream in(std::string(DREVIA_TEST_DATA_DIR) + "/culvert/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void ExpectClose(double actual, double expected, const char* what) {
  EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::fabs(expected))) << what;
}

}  // namespace

TEST(VerifyCulvertShapes, OneDischargeOfEveryShapeAndOutletCase) {
  // One row per culvert: circular concrete and corrugated (buried, composite
  // n), elliptical, pipe arch, catalogue box, custom buried box, long span,
  // two barrels under a high tailwater, and the coefficient transition.
  struct TExpected {
    int Id;
    const char* Control;
    const char* FlowType;
    double Flow, NormalDepth, CriticalDepth, InletHeadwater, OutletHeadwater, HeadwaterLoss, Velocity, CoeffN, CoeffKE;
    bool OutletValid;
  };
  const TExpected expected[] = {
      {1, "INLET", "1 - C", 30.0, 1.346923828125, 1.774658203125, 102.57882919965293, 101.89437893374365,
       1.1915000980904238, 9.75336482726706, 0.012, 0.2, false},
      {2, "OUTLET*", "1 - A", 45.0, 2.3439208984375, 1.8565185546875007, 103.63277704126445, 103.78343628617488,
       2.526917731487373, 7.563845359095511, 0.024832537561047405, 0.9, true},
      {3, "OUTLET*", "1 - A", 25.0, 1.5534871419270833, 1.3410847981770833, 101.92831199389578, 102.00941204689364,
       0.8683272487165572, 5.998268574758384, 0.012, 0.2, true},
      {4, "OUTLET*", "1 - A", 20.0, 1.6650390625, 1.2392578125, 102.04949112239038, 102.09687609396094,
       1.8576182814609488, 6.190703927875947, 0.024, 0.25, true},
      {5, "INLET", "2 - E", 300.0, 3.0615234375, 3.9990234375, 109.47558975514197, 106.70554999775135,
       6.476078036391966, 16.331738437001594, 0.012, 0.2, true},
      {6, "INLET", "2 - H", 120.0, 2.5, 2.4993896484375, 106.435868, 106.12352105515694, 3.9358679999999997, 9.6, 0.015,
       0.7, true},
      {7, "OUTLET*", "1 - A", 600.0, 3.81146240234375, 3.56036376953125, 106.13247689554225, 106.78038362327892,
       3.2200198537476687, 9.959154301494236, 0.03209517636709732, 0.5, true},
      {8, "OUTLET", "1 - B", 10.0, 1.387939453125, 0.999755859375, 101.35560179552222, 102.56586166471162,
       0.06586166471161237, 1.5134329349543563, 0.012, 0.2, true},
      {9, "INLET", "2 - E", 126.0, 2.49005126953125, 3.30413818359375, 105.50747133987561, 104.71180826577722,
       2.605402248078728, 13.952971832121312, 0.012, 0.5, true},
  };
  TCulvertAnalysis project(&ShippedTables().Parameters, &ShippedTables().Pipes);
  project.Load(ReadTestFile("shapes-one-discharge.xml"));
  ASSERT_EQ(project.LastError, "");
  ASSERT_EQ(project.Elements.Count(), static_cast<int>(std::size(expected)));
  ASSERT_EQ(project.Calculate(), 0) << project.LastError;
  for (const TExpected& x : expected) {
    SCOPED_TRACE("culvert " + std::to_string(x.Id));
    const TCulvertBaseElement* e = project.Elements.Culvert(x.Id - 1);
    ASSERT_EQ(e->Results.Count(), 1);
    const TCulvertElementResult& r = *e->Results.Row(0);
    EXPECT_EQ(r.HeadwaterControl, x.Control);
    EXPECT_EQ(r.FlowType, x.FlowType);
    EXPECT_EQ(r.OutletHeadwaterValid, x.OutletValid);
    ExpectClose(r.Flow, x.Flow, "Flow");
    ExpectClose(r.NormalDepth, x.NormalDepth, "NormalDepth");
    ExpectClose(r.CriticalDepth, x.CriticalDepth, "CriticalDepth");
    ExpectClose(r.InletHeadwater, x.InletHeadwater, "InletHeadwater");
    ExpectClose(r.OutletHeadwater, x.OutletHeadwater, "OutletHeadwater");
    ExpectClose(r.HeadwaterLoss, x.HeadwaterLoss, "HeadwaterLoss");
    ExpectClose(r.Velocity, x.Velocity, "Velocity");
    ExpectClose(r.CoeffN, x.CoeffN, "CoeffN");
    ExpectClose(r.CoeffKE, x.CoeffKE, "CoeffKE");
  }
}

TEST(VerifyCulvertSystem, NoOverflowSearchBelowDatum) {
  // Inverts below elevation 0 put the (absent) road elevation 0 above the
  // inlet; the row must still carry the whole discharge, as above datum.
  for (double shift : {0.0, -101.0}) {
    TCulvertAnalysis project(&ShippedTables().Parameters, &ShippedTables().Pipes);
    auto e = MakeCulvert<TCircularSmoothElement>("", 9);
    e->InletElevation = 100 + shift;
    e->OutletElevation = 99 + shift;
    e->TailwaterElevationMin = 99.5 + shift;
    e->DesignDischarge = 30;
    TCulvertBaseElement* culvert = e.get();
    project.Elements.Add("1", e.release());
    project.SetAnalysisOption(aoCulvertSystem);
    ASSERT_EQ(project.Calculate(), 0) << project.LastError;
    ASSERT_EQ(culvert->Results.Count(), 1);
    const TCulvertElementResult& r = *culvert->Results.Row(0);
    SCOPED_TRACE("shift " + std::to_string(shift));
    EXPECT_DOUBLE_EQ(r.Flow, 30);
    EXPECT_DOUBLE_EQ(r.Overflow, 0);
    ExpectClose(r.InletHeadwater - shift, 102.57882919965293, "InletHeadwater");
  }
}

TEST(VerifyCulvertSystem, TailwaterIsTheDownstreamHeadwaterElevation) {
  // An upstream culvert's tailwater elevation is the headwater elevation
  // its downstream culvert reports, buried bed included.
  for (double bed : {0.0, 0.6}) {
    SCOPED_TRACE("bed " + std::to_string(bed));
    TCulvertAnalysis project(&ShippedTables().Parameters, &ShippedTables().Pipes);
    auto down = MakeCulvert<TCircularSmoothElement>("", 9);
    down->ElementId = 1;
    down->TailwaterElevationMin = 100.5;
    down->DesignDischarge = 40;
    down->BuriedOption = bed > 0;
    down->BuriedDepthMin = bed;
    auto up = MakeCulvert<TCircularSmoothElement>("", 9);
    up->ElementId = 2;
    up->UseHW = 1;
    up->InletElevation = 101.5;
    up->OutletElevation = 100.5;
    up->DesignDischarge = 40;
    TCulvertBaseElement* a = down.get();
    TCulvertBaseElement* b = up.get();
    project.Elements.Add("2", up.release());
    project.Elements.Add("1", down.release());
    project.SetAnalysisOption(aoCulvertSystem);
    ASSERT_EQ(project.Calculate(), 0) << project.LastError;
    ASSERT_EQ(a->Results.Count(), 1);
    ASSERT_EQ(b->Results.Count(), 1);
    const TCulvertElementResult& downRow = *a->Results.Row(0);
    const double headwater = std::max(downRow.InletHeadwater, downRow.OutletHeadwater);
    ASSERT_GT(headwater, b->OutletElevation);
    EXPECT_NEAR(b->Results.Row(0)->Tailwater, headwater, 1e-12);
  }
}

namespace {

// Records each tapered trial (type, fall, re-graded slope); no trial passes.
class TSlopeRecorder : public TCircularSmoothElement {
public:
  std::vector<std::tuple<int, double, double>> Trials;
  double InletControlHeadwater() override { return 100; }
  double TaperedInletHeadwater(int type, double, double fall) override {
    Trials.emplace_back(type, fall, ImprovedInletSlope);
    return 100 + fall;
  }
  std::vector<std::tuple<int, double, double>> OfType(int type) const {
    std::vector<std::tuple<int, double, double>> found;
    for (const auto& t : Trials)
      if (std::get<0>(t) == type) found.push_back(t);
    return found;
  }
};

}  // namespace

TEST(VerifyCulvertImprovedInlet, SlopeTaperAroundThreeRises) {
  // A 4 ft pipe with 1 ft of natural fall. The slope taper spreads its fall
  // over the barrel beyond three rises: at exactly 12 ft no such length
  // exists (no trial, nothing infinite); a shorter barrel keeps the formula.
  struct TCase {
    double Length;
    size_t SlopeTaperTrials;
    double FirstSlope;
  };
  for (const TCase& c : {TCase{12, 0, 0}, TCase{10, 7, (1 - 3.2) / (10 - 12.0)}}) {
    SCOPED_TRACE("length " + std::to_string(c.Length));
    TSlopeRecorder e;
    e.Parameters = &ShippedTables().Parameters;
    e.Pipe = ShippedTables().Pipes.FindPipe("1", "", 11);
    ASSERT_DOUBLE_EQ(e.Pipe->Rise, 4);
    e.OutletElevation = 100;
    e.InletElevation = 101;
    e.CulvertLength = c.Length;
    e.CulvertQuantity = 1;
    e.BarrelDischarge = 100;
    e.AllowableHeadwaterType = "0";
    e.PrepareCoefficients();
    EXPECT_EQ(e.DesignImprovedInlet(FullArea(*e.Pipe)), -1);
    EXPECT_FALSE(e.OfType(iiSideTaper).empty());
    const auto taper = e.OfType(iiSlopeTaper);
    ASSERT_EQ(taper.size(), c.SlopeTaperTrials);
    if (!taper.empty()) {
      EXPECT_NEAR(std::get<1>(taper.front()), 3.2, 1e-12);
      EXPECT_NEAR(std::get<2>(taper.front()), c.FirstSlope, 1e-12);
      EXPECT_NEAR(std::get<1>(taper.back()), 5.6, 1e-9);
    }
    for (const auto& t : e.Trials) EXPECT_TRUE(std::isfinite(std::get<2>(t)));
    EXPECT_DOUBLE_EQ(e.InletElevation, 101);
    EXPECT_EQ(e.Results.Count(), 0);
  }
}
