// Culvert design rows checked against values computed by a separate
// implementation written apart from this code: an arch crossing whose
// smaller sizes overtop the road, a buried elliptical crossing that needs a
// second barrel, a buried box with a bed of its own roughness, and the
// improved inlets of a 4.5 ft pipe whose full-headwall fall is the 0.8 D
// limit itself. The two buried crossings' sizes were chosen before the
// search counted the bed against the allowable headwater elevation: their
// rows keep the separate values at those sizes, the box's one size further
// down its list, the elliptical's computed directly at each size.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "CulvertTestSupport.h"
#include "culvert/CulvertDesign.h"

namespace {

struct TCrossingInput {
  const char* PipeType;
  bool Improved;
  double DesignDischarge, FloodDischarge, InletElevation, OutletElevation, CulvertLength, TailwaterElevation,
      OverflowElevation, AllowableHeadwaterElevation;
  const char* AllowableHeadwaterType;
  bool BuriedOption;
  int DefaultInletType;
  const char* InletType;  // the buried inlet code of the designed type
  double BuriedCoeffN;
};

struct TExpectedRow {
  int Crossing, Candidate, Row;
  const char* DesignCode;
  int Quantity, SizeIndex;
  const char* FlowType;
  const char* Control;
  const char* ImprovedInlet;
  double Flow, Overflow, InletHeadwater, OutletHeadwater, HeadwaterLoss, Velocity, NormalDepth, CriticalDepth, CoeffN;
};

const TCrossingInput Crossings[] = {
    {"4", false, 177.5, 0, 185.52, 185.29, 15, 185.94, 191.42, 185.52, "1", false, 2, "3", 0.0539},
    {"3", false, 90.3, 190.5, 476.74, 474.809, 367.6, 474.81, 480.37, 479.23, "1", true, 3, "2", 0.0227},
    {"5", false, 90.3, 190.5, 476.74, 474.809, 367.6, 474.81, 480.37, 479.23, "1", true, 3, "1", 0.0227},
    {"1", true, 275.4, 0, 100, 92.8, 60, 93, 200, 150, "2", false, 2, "", 0},
};

const TExpectedRow Expected[] = {
    {0, 0, 0, "D", 1, 11, "2 - E", "INLET", "", 170.20000000000002, 7.299999999999983, 191.3348906993392,
     191.63989120033168, 3.3987600154358537, 9.928666761869788, 2.9490152994791665, 2.9500732421875, 0.024},
    {0, 0, 1, "D - 1", 1, 10, "2 - F", "OUTLET*", "", 153.90000000000003, 23.599999999999966, 192.5238583765256,
     192.12612116948225, 4.3470379012652, 9.50202722104103, 3.120137532552083, 2.8868204752604165, 0.024},
    {0, 2, 0, "D", 1, 1, "2 - F", "OUTLET*", "", 169.50000000000006, 7.999999999999943, 191.45890858499882,
     191.63019789466298, 3.2546164330744554, 9.942626326211013, 4.583333333333333, 3.0855814615885415, 0.033},
    {2, 0, 1, "D - 1", 1, 16, "1 - C", "INLET", "", 90.3, 0.0, 479.3677787469024, 479.32256487549216,
     2.8626117547148597, 5.1846889952153115, 1.5833333333333333, 1.2795003255208333, 0.01674927855686836},
    {2, 0, 2, "D - 2", 1, 15, "1 - C", "INLET", "", 90.3, 0.0, 480.12611574580535, 479.06740712035975,
     2.6607945381230373, 8.380285748271898, 1.539326985677083, 1.7293090820312496, 0.013437250462952986},
    {2, 0, 5, "F - 1", 1, 16, "2 - F", "OUTLET**", "", 111.90000000000003, 78.59999999999997, 482.5863580900493,
     488.48522201269384, 4.028904144218112, 6.892695140871374, 1.5833333333333333, 1.4758707682291665,
     0.01674927855686836},
    {3, 0, 2, "D - 2", 1, 12, "2 - E", "INLET", "Full Headwall (S=0.0600)(F=3.60)", 275.4, 0.0, 104.81678959713756,
     100.20542171264749, 0.0, 33.25739725112285, 2.32305908203125, 4.34234619140625, 0.012},
    {3, 0, 3, "D - 2", 1, 12, "2 - E", "INLET", "Side Taper (S=0.0900)(F=1.80)", 275.4, 0.0, 106.286728,
     102.00542171264749, 0.0, 38.679455467429314, 2.06488037109375, 4.34234619140625, 0.012},
    {3, 0, 4, "D - 2", 1, 12, "2 - E", "INLET", "Slope Taper (S=0.0774)(F=3.60)", 275.4, 0.0, 103.73188929032258,
     100.20542171264749, 0.0, 36.57574405174642, 2.15606689453125, 4.34234619140625, 0.012},
};

// Rows of crossing 1 at sizes its search no longer settles on (no size keeps
// the headwater below the allowable elevation once the bed is counted), each
// computed directly at its size, number of barrels and total discharge.
const TExpectedRow SizedRows[] = {
    {1, 0, 4, "F", 1, 14, "1 - C", "INLET", "", 162.70000000000005, 27.799999999999955, 481.8958207806387,
     481.1780928713355, 2.1037143725924627, 9.105468857483656, 2.267964680989583, 2.36358642578125,
     0.015576619875301123},
    {1, 0, 6, "F - 2", 1, 12, "2 - F", "OUTLET*", "", 128.90000000000003, 61.599999999999966, 482.65370027419146,
     483.12419517040036, 5.160613464671159, 8.648239042737218, 2.2464599609375004, 2.237915039062501,
     0.0155921657840928},
    {1, 0, 8, "D", 2, 8, "1 - A", "OUTLET*", "", 45.15, 0.0, 479.69062928682354, 479.7509016390398, 2.8638783643002106,
     7.117818508955496, 1.61773681640625, 1.49468994140625, 0.01557657711621125},
    {1, 0, 10, "D - 2", 2, 6, "2 - F", "OUTLET**", "", 40.44999999999999, 4.70000000000001, 480.17204690085856,
     481.84223055415555, 5.139716556759664, 7.567561265292141, 1.9166666666666665, 1.5076904296875,
     0.015576649750894376},
};

// Row counts of every candidate, in candidate order.
const std::vector<int> RowCounts[] = {{4, 4, 2}, {2}, {8}, {6}};

void Fill(TCulvertDesignElement& e, const TCrossingInput& c) {
  e.ElementId = 1;
  e.DesignDischarge = c.DesignDischarge;
  e.FloodDischarge = c.FloodDischarge;
  e.InletElevation = c.InletElevation;
  e.OutletElevation = c.OutletElevation;
  e.CulvertLength = c.CulvertLength;
  e.TailwaterElevation = c.TailwaterElevation;
  e.OverflowElevation = c.OverflowElevation;
  e.AllowableHeadwaterElevation = c.AllowableHeadwaterElevation;
  e.AllowableHeadwaterType = c.AllowableHeadwaterType;
  e.BuriedOption = c.BuriedOption;
  e.SetDefaultInletType(c.DefaultInletType);
  e.CircularConcreteInletType = e.CircularCorrugatedInletType = e.EllipticalConcreteInletType =
      e.ArchCorrugatedInletType = e.BoxInletType = c.InletType;
  e.BuriedCoeffN = c.BuriedCoeffN;
}

void ExpectClose(double actual, double expected, const std::string& what) {
  EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::fabs(expected))) << what;
}

void ExpectRow(const TCulvertElementResult& row, const TExpectedRow& x, const std::string& at) {
  EXPECT_EQ(row.DesignCode, x.DesignCode) << at;
  EXPECT_EQ(row.CulvertQuantity, x.Quantity) << at;
  ASSERT_NE(row.Pipe, nullptr) << at;
  EXPECT_EQ(row.Pipe->PipeSizeIndex, x.SizeIndex) << at;
  EXPECT_EQ(row.FlowType, x.FlowType) << at;
  EXPECT_EQ(row.HeadwaterControl, x.Control) << at;
  EXPECT_EQ(row.ImprovedInlet, x.ImprovedInlet) << at;
  ExpectClose(row.Flow, x.Flow, at + " Flow");
  ExpectClose(row.Overflow, x.Overflow, at + " Overflow");
  ExpectClose(row.InletHeadwater, x.InletHeadwater, at + " InletHeadwater");
  ExpectClose(row.OutletHeadwater, x.OutletHeadwater, at + " OutletHeadwater");
  ExpectClose(row.HeadwaterLoss, x.HeadwaterLoss, at + " HeadwaterLoss");
  ExpectClose(row.Velocity, x.Velocity, at + " Velocity");
  ExpectClose(row.NormalDepth, x.NormalDepth, at + " NormalDepth");
  ExpectClose(row.CriticalDepth, x.CriticalDepth, at + " CriticalDepth");
  ExpectClose(row.CoeffN, x.CoeffN, at + " CoeffN");
}

}  // namespace

TEST(VerifyDesignRows, AgreeWithAnIndependentComputation) {
  std::vector<std::unique_ptr<TCulvertDesign>> designs;
  for (int i = 0; i < static_cast<int>(std::size(Crossings)); ++i) {
    const TCrossingInput& c = Crossings[i];
    auto design = std::make_unique<TCulvertDesign>(&ShippedTables().Parameters, &ShippedTables().Pipes);
    design->PipeType = c.PipeType;
    design->ImprovedInlet = c.Improved;
    auto* e = new TCulvertDesignElement();
    Fill(*e, c);
    design->Elements.Add("1", e);
    ASSERT_EQ(design->Calculate(), 0) << i;
    EXPECT_EQ(design->LastError, "") << i;
    std::vector<int> counts;
    for (int k = 0; k < e->Candidates.Count(); ++k) counts.push_back(e->Candidates.Culvert(k)->Results.Count());
    EXPECT_EQ(counts, RowCounts[i]) << "crossing " << i;
    designs.push_back(std::move(design));
  }

  for (const TExpectedRow& x : Expected) {
    const std::string at = "crossing " + std::to_string(x.Crossing) + " candidate " + std::to_string(x.Candidate) +
                           " row " + std::to_string(x.Row);
    const TCulvertDesignElement* e = designs[static_cast<size_t>(x.Crossing)]->Crossing(0);
    ASSERT_LT(x.Candidate, e->Candidates.Count()) << at;
    const TCulvertBaseElement* candidate = e->Candidates.Culvert(x.Candidate);
    ASSERT_LT(x.Row, candidate->Results.Count()) << at;
    ExpectRow(*candidate->Results.Row(x.Row), x, at);
  }
}

TEST(VerifyDesignRows, BuriedSizesAgreeComputedDirectly) {
  const TCrossingInput& c = Crossings[1];
  TCulvertDesign design(&ShippedTables().Parameters, &ShippedTables().Pipes);
  design.PipeType = c.PipeType;
  auto* e = new TCulvertDesignElement();
  Fill(*e, c);
  design.Elements.Add("1", e);
  ASSERT_EQ(design.Calculate(), 0);
  ASSERT_EQ(e->Candidates.Count(), 1);
  TCulvertBaseElement& candidate = *e->Candidates.Culvert(0);
  // The search found no size: the largest with one barrel, then with two.
  ASSERT_EQ(candidate.Results.Count(), 2);
  EXPECT_EQ(candidate.Results.Row(0)->DesignCode, "MAXS");
  EXPECT_EQ(candidate.Results.Row(1)->DesignCode, "MAXD");
  for (const TExpectedRow& x : SizedRows) {
    const std::string at = std::string(x.DesignCode) + " size " + std::to_string(x.SizeIndex);
    candidate.CulvertQuantity = x.Quantity;
    candidate.Pipe = ShippedPipes().FindPipe(c.PipeType, "", x.SizeIndex);
    ASSERT_NE(candidate.Pipe, nullptr) << at;
    const double total = x.DesignCode[0] == 'F' ? c.FloodDischarge : c.DesignDischarge;
    candidate.CalculateAndRecord(true, true, total, c.TailwaterElevation - c.OutletElevation,
                                 candidate.Pipe->BurialDepth);
    ASSERT_EQ(candidate.Results.Count(), 1) << at;
    TCulvertElementResult row = *candidate.Results.Row(0);
    row.DesignCode = x.DesignCode;  // the search's label of the row, not computed here
    ExpectRow(row, x, at);
  }
}

TEST(VerifyDesignRows, BedRoughnessOfOneOrMoreIsRefused) {
  // A file can carry a bed roughness the element dialog refuses; the design
  // must not turn it into rows (a huge one even gave a composite n of 0).
  struct TCase {
    double BuriedCoeffN;
    const char* Message;
  };
  const TCase cases[] = {
      {0.99, ""},
      {1, "Element #1: When entered Buried Manning's N Coefficient should be greater than 0 and less than 1."},
      {1e300, "Element #1: When entered Buried Manning's N Coefficient should be greater than 0 and less than 1."},
  };
  for (const TCase& c : cases) {
    TCulvertDesign design(&ShippedTables().Parameters, &ShippedTables().Pipes);
    design.PipeType = "5";
    auto* e = new TCulvertDesignElement();
    Fill(*e, Crossings[2]);
    e->BuriedCoeffN = c.BuriedCoeffN;
    design.Elements.Add("1", e);
    EXPECT_EQ(e->Validate(), c.Message) << c.BuriedCoeffN;
    const bool refused = *c.Message != '\0';
    EXPECT_EQ(design.Calculate(), refused ? -1 : 0) << c.BuriedCoeffN;
    EXPECT_EQ(design.LastError, c.Message);
    EXPECT_EQ(e->Candidates.Count(), refused ? 0 : 1);
  }
}
