// Culvert design: crossing checks, candidate types, the size search and its
// design rows, improved inlet trials, and the project file blocks.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "CulvertTestSupport.h"
#include "culvert/CulvertDesign.h"
#include "xml/XmlDocument.h"

namespace {

std::unique_ptr<TCulvertDesign> NewDesign() {
  return std::make_unique<TCulvertDesign>(&ShippedTables().Parameters, &ShippedTables().Pipes);
}

// A 120 ft crossing on a 1.25 % slope that one 42 in concrete pipe serves.
TCulvertDesignElement* AddCrossing(TCulvertDesign& design, int32_t id = 1) {
  auto* e = new TCulvertDesignElement();
  e->ElementId = id;
  e->DesignDischarge = 45;
  e->InletElevation = 100;
  e->OutletElevation = 98.5;
  e->CulvertLength = 120;
  e->TailwaterElevation = 99.2;
  e->OverflowElevation = 107;
  e->AllowableHeadwaterElevation = 105;
  e->AllowableHeadwaterType = std::string("0");
  e->SetDefaultInletType(3);
  design.Elements.Add(std::to_string(id), e);
  return e;
}

std::vector<std::string> Codes(const TCulvertBaseElement& e) {
  std::vector<std::string> codes;
  for (int i = 0; i < e.Results.Count(); ++i) codes.push_back(e.Results.Row(i)->DesignCode);
  return codes;
}

std::vector<std::string> CandidateTypes(const TCulvertDesignElement& e) {
  std::vector<std::string> types;
  for (int i = 0; i < e.Candidates.Count(); ++i) types.push_back(e.Candidates.Culvert(i)->CulvertTypeText());
  return types;
}

const TCulvertBaseElement& Candidate(const TCulvertDesignElement& e, int i) { return *e.Candidates.Culvert(i); }

}  // namespace

TEST(CulvertDesignElement, DefaultInletTypeCodes) {
  TCulvertDesignElement e;
  EXPECT_EQ(e.DefaultInletTypeNumber(), 1);
  const std::pair<int, const char*> cases[] = {{1, "1"}, {2, "2"}, {3, "3"}, {5, "1"}, {0, "1"}, {-2, "1"}};
  for (const auto& [value, code] : cases) {
    e.SetDefaultInletType(value);
    EXPECT_EQ(e.DefaultInletType, code) << value;
  }
  for (const char* odd : {"", "7", "x"}) {
    e.DefaultInletType = odd;
    EXPECT_EQ(e.DefaultInletTypeNumber(), 1) << odd;
  }
}

TEST(CulvertDesignElement, ValidateGivesTheFirstFailingCheck) {
  struct TCase {
    void (*Spoil)(TCulvertDesignElement&);
    const char* Message;
  };
  const TCase cases[] = {
      {[](TCulvertDesignElement&) {}, ""},
      {[](TCulvertDesignElement& e) { e.OutletElevation = 100; },
       "Outlet Invert Elevation should be lower than Inlet Invert Elevation."},
      {[](TCulvertDesignElement& e) { e.TailwaterElevation = 98; },
       "Tailwater Elevation should be higher than Outlet Invert Elevation."},
      {[](TCulvertDesignElement& e) { e.OverflowElevation = 99; },
       "Overflow Elevation should be higher than Inlet Invert Elevation."},
      {[](TCulvertDesignElement& e) { e.AllowableHeadwaterElevation = 99; },
       "Allowable Headwater Elevation should be higher than Inlet Invert Elevation."},
      {[](TCulvertDesignElement& e) { e.CulvertLength = 0; }, "Pipe length should be greater than 0."},
      {[](TCulvertDesignElement& e) { e.DesignDischarge = 0; }, "Design Discharge should be greater than 0."},
      {[](TCulvertDesignElement& e) { e.FloodDischarge = 45; },
       "Flood Discharge should be zero or greater than Design Discharge."},
      {[](TCulvertDesignElement& e) { e.CoeffN = 1; },
       "Manning's N Coefficient should greater than 0 and less than 1."},
      {[](TCulvertDesignElement& e) { e.CoeffKE = -0.1; },
       "Entrance Loss Coefficient (Ke) should be greater than 0 and less than 1."},
      {[](TCulvertDesignElement& e) { e.FloodDischarge = 2e5; },
       "Design and Flood Discharge should not exceed 100000 cfs."},
      // Equal elevations pass; so does a flood discharge of 0.
      {[](TCulvertDesignElement& e) {
         e.TailwaterElevation = 98.5;
         e.OverflowElevation = e.AllowableHeadwaterElevation = 100;
       },
       ""},
      // The earlier check wins.
      {[](TCulvertDesignElement& e) {
         e.CulvertLength = -1;
         e.DesignDischarge = 0;
       },
       "Pipe length should be greater than 0."},
  };
  for (const TCase& c : cases) {
    TCulvertDesign design;
    TCulvertDesignElement* e = AddCrossing(design, 7);
    c.Spoil(*e);
    const std::string expected = *c.Message ? std::string("Element #7: ") + c.Message : std::string();
    EXPECT_EQ(e->Validate(), expected);
  }
}

TEST(CulvertDesignTypes, PipeTypeCodesChooseTheCandidates) {
  const int circular = ShippedTables().Parameters.CountOfCategory(pcCircularCorrugationType);
  const int arch = ShippedTables().Parameters.CountOfCategory(pcArcCorrugationType);
  ASSERT_GT(circular, 1);
  ASSERT_GT(arch, 1);
  auto repeat = [](const char* type, int n) { return std::vector<std::string>(n, type); };
  auto join = [](std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
  };
  struct TCase {
    const char* PipeType;
    double Discharge;
    std::vector<std::string> Types;
  };
  const std::vector<TCase> cases = {
      {"1", 45, {"1"}},
      {"2", 45, repeat("2", circular)},
      {"3", 45, {"3"}},
      {"4", 45, repeat("4", arch)},
      {"5", 45, {"5"}},
      {"7", 45, {}},
      {"", 45, {}},
      // Every corrugation of the corrugated pipe finds a size: no elliptical
      // or arch candidates.
      {"0", 45, join({{"1"}, repeat("2", circular)})},
      // Nothing suffices: every pipe type but the box.
      {"0", 2500, join({{"1"}, repeat("2", circular), {"3"}, repeat("4", arch)})},
      {"99", 45, join({{"1"}, repeat("2", circular), {"3"}, repeat("4", arch), {"5"}})},
  };
  for (const TCase& c : cases) {
    auto design = NewDesign();
    TCulvertDesignElement* e = AddCrossing(*design);
    e->DesignDischarge = c.Discharge;
    EXPECT_EQ(design->DesignCulvertTypes(*e, c.PipeType, false, design->Catalogue), 0);
    EXPECT_EQ(CandidateTypes(*e), c.Types) << c.PipeType << " " << c.Discharge;
  }
}

TEST(CulvertDesignSearch, DesignRowsAroundTheFoundSize) {
  auto design = NewDesign();
  TCulvertDesignElement* e = AddCrossing(*design);
  e->FloodDischarge = 70;
  design->PipeType = "1";
  ASSERT_EQ(design->Calculate(), 0);
  ASSERT_EQ(e->Candidates.Count(), 1);
  const TCulvertBaseElement& c = Candidate(*e, 0);
  EXPECT_EQ(Codes(c), (std::vector<std::string>{"D", "D - 1", "D - 2", "D + 1", "F", "F - 1", "F - 2", "F + 1"}));
  const int32_t found = c.PipeSizeIndexValue();
  const int32_t offsets[] = {0, -1, -2, 1, 0, -1, -2, 1};
  for (int i = 0; i < c.Results.Count(); ++i) {
    const TCulvertElementResult& row = *c.Results.Row(i);
    EXPECT_EQ(row.Pipe->PipeSizeIndex, found + offsets[i]);
    EXPECT_EQ(row.CulvertQuantity, 1);
    EXPECT_DOUBLE_EQ(row.Flow, i < 4 ? 45 : 70);
  }
  // The chosen size keeps both headwaters below the allowable depth (HW/D
  // = 1, at most 5 ft); the next smaller one does not.
  auto highest = [](const TCulvertElementResult& r) { return std::max(r.InletHeadwater, r.OutletHeadwater) - 100; };
  auto allowed = [](const TCulvertElementResult& r) { return std::min(r.Pipe->Rise, 5.0); };
  const TCulvertElementResult& d = *c.Results.Row(0);
  EXPECT_LT(highest(d), allowed(d));
  const TCulvertElementResult& smaller = *c.Results.Row(1);
  EXPECT_GE(highest(smaller), allowed(smaller));

  // Without a flood discharge only the four "D" rows.
  e->FloodDischarge = 0;
  ASSERT_EQ(design->Calculate(), 0);
  EXPECT_EQ(Codes(Candidate(*e, 0)), (std::vector<std::string>{"D", "D - 1", "D - 2", "D + 1"}));

  // The smallest size already suffices: no smaller rows exist.
  e->DesignDischarge = 0.5;
  e->AllowableHeadwaterType = "2";
  ASSERT_EQ(design->Calculate(), 0);
  EXPECT_EQ(Codes(Candidate(*e, 0)), (std::vector<std::string>{"D", "D + 1"}));
  EXPECT_EQ(Candidate(*e, 0).PipeSizeIndexValue(), 1);
}

TEST(CulvertDesignSearch, LargestSizesAndTwoBarrels) {
  auto design = NewDesign();
  design->PipeType = "1";
  // Nothing suffices with one or two barrels.
  TCulvertDesignElement* e = AddCrossing(*design);
  e->DesignDischarge = 2500;
  e->AllowableHeadwaterElevation = 103;
  ASSERT_EQ(design->Calculate(), 0);
  const TCulvertBaseElement& c = Candidate(*e, 0);
  EXPECT_EQ(Codes(c), (std::vector<std::string>{"MAXS", "MAXD"}));
  const int32_t largest = ShippedTables().Pipes.MaxPipeIndex("1", "");
  EXPECT_EQ(c.Results.Row(0)->Pipe->PipeSizeIndex, largest);
  EXPECT_EQ(c.Results.Row(0)->CulvertQuantity, 1);
  EXPECT_EQ(c.Results.Row(1)->CulvertQuantity, 2);
  EXPECT_EQ(c.CulvertQuantity, 3);

  // A steep crossing allowed 2 ft of headwater: the one-barrel size is
  // more than 1.25 times that, so two-barrel rows follow.
  e->DesignDischarge = 30;
  e->InletElevation = 200;
  e->OutletElevation = 196;
  e->CulvertLength = 100;
  e->TailwaterElevation = 196.5;
  e->OverflowElevation = 206;
  e->AllowableHeadwaterElevation = 202;
  ASSERT_EQ(design->Calculate(), 0);
  const TCulvertBaseElement& two = Candidate(*e, 0);
  EXPECT_EQ(Codes(two), (std::vector<std::string>{"D", "D - 1", "D - 2", "D + 1", "D", "D - 1", "D - 2", "D + 1"}));
  EXPECT_GT(two.Results.Row(0)->Pipe->Rise, 2.5);
  EXPECT_FALSE(two.Results.Row(0)->HeadwaterAllowanceCheck);
  EXPECT_EQ(two.Results.Row(4)->CulvertQuantity, 2);
  EXPECT_DOUBLE_EQ(two.Results.Row(4)->Flow, 15);
  EXPECT_TRUE(two.Results.Row(4)->HeadwaterAllowanceCheck);
  EXPECT_EQ(two.Pipe, two.Results.Row(4)->Pipe);

  // HW = D + 2 ft accepts a headwater above the crown.
  e->AllowableHeadwaterType = "1";
  e->AllowableHeadwaterElevation = 250;
  e->OverflowElevation = 250;
  ASSERT_EQ(design->Calculate(), 0);
  const TCulvertElementResult& d = *Candidate(*e, 0).Results.Row(0);
  EXPECT_EQ(d.DesignCode, "D");
  EXPECT_GT(d.InletHeadwater - 200, d.Pipe->Rise);
  EXPECT_LT(d.InletHeadwater - 200, d.Pipe->Rise + 2);
}

TEST(CulvertDesignSearch, BurialDepthOfEachSize) {
  auto design = NewDesign();
  design->PipeType = "1";
  TCulvertDesignElement* e = AddCrossing(*design);
  e->BuriedOption = true;
  e->CircularConcreteInletType = "2";
  e->BuriedCoeffN = 0.03;
  e->FloodDischarge = 70;
  ASSERT_EQ(design->Calculate(), 0);
  const TCulvertBaseElement& c = Candidate(*e, 0);
  ASSERT_EQ(c.Results.Count(), 8);
  EXPECT_EQ(c.InletType, "2");  // the buried option takes the code of the type
  for (int i = 0; i < c.Results.Count(); ++i) {
    const TCulvertElementResult& row = *c.Results.Row(i);
    EXPECT_DOUBLE_EQ(row.BuriedDepth, row.Pipe->BurialDepth) << row.DesignCode;
    EXPECT_GT(row.BuriedDepth, 0);
  }
  e->DisableBuriedTable = true;
  ASSERT_EQ(design->Calculate(), 0);
  for (int i = 0; i < Candidate(*e, 0).Results.Count(); ++i) EXPECT_EQ(Candidate(*e, 0).Results.Row(i)->BuriedDepth, 0);
}

TEST(CulvertDesignSearch, BuriedSizeKeepsItsHeadwaterBelowTheAllowableElevation) {
  // The headwater of a buried barrel stands on its bed: a size the search
  // accepts must keep bed + headwater below the allowable elevation, which
  // once let sizes through with their headwater above it by the burial.
  auto design = NewDesign();
  TCulvertDesignElement* e = AddCrossing(*design);
  e->BuriedOption = true;
  e->CircularConcreteInletType = e->CircularCorrugatedInletType = e->EllipticalConcreteInletType =
      e->ArchCorrugatedInletType = e->BoxInletType = "2";
  e->BuriedCoeffN = 0.03;
  e->DesignDischarge = 80;
  e->AllowableHeadwaterElevation = 103.5;
  ASSERT_EQ(design->Calculate(), 0);
  ASSERT_GT(e->Candidates.Count(), 0);
  int designed = 0;
  for (int i = 0; i < e->Candidates.Count(); ++i) {
    const TCulvertBaseElement& c = Candidate(*e, i);
    for (int r = 0; r < c.Results.Count(); ++r) {
      const TCulvertElementResult& row = *c.Results.Row(r);
      if (row.DesignCode != "D") continue;
      ++designed;
      EXPECT_GT(row.BuriedDepth, 0) << c.CulvertTypeText();
      EXPECT_LE(row.InletHeadwater, 103.5) << c.CulvertTypeText();
      if (row.OutletHeadwaterValid) {
        EXPECT_LE(row.OutletHeadwater, 103.5) << c.CulvertTypeText();
      }
    }
  }
  EXPECT_GT(designed, 0);
}

TEST(CulvertDesignProject, CalculateStopsAtTheFirstInvalidCrossing) {
  auto design = NewDesign();
  // Without a crossing the design says there is nothing to design, not
  // an internal error.
  EXPECT_EQ(design->Calculate(), -1);
  EXPECT_EQ(design->LastError, NothingToDesignMessage);

  design->PipeType = "1";
  TCulvertDesignElement* first = AddCrossing(*design, 1);
  TCulvertDesignElement* second = AddCrossing(*design, 2);
  TCulvertDesignElement* third = AddCrossing(*design, 3);
  ASSERT_EQ(design->Calculate(), 0);
  EXPECT_EQ(design->LastError, "");

  // A later crossing invalid: the run returns 0 but says why it stopped;
  // the crossing after it keeps the rows of the earlier run.
  first->DesignDischarge = third->DesignDischarge = 40;
  second->CulvertLength = 0;
  EXPECT_EQ(design->Calculate(), 0);
  EXPECT_EQ(design->LastError, "Element #2: Pipe length should be greater than 0.");
  EXPECT_DOUBLE_EQ(Candidate(*first, 0).Results.Row(0)->Flow, 40);
  EXPECT_DOUBLE_EQ(Candidate(*third, 0).Results.Row(0)->Flow, 45);

  // The first crossing invalid: nothing designed.
  first->OutletElevation = 101;
  EXPECT_EQ(design->Calculate(), -1);
  EXPECT_EQ(design->LastError, "Element #1: Outlet Invert Elevation should be lower than Inlet Invert Elevation.");
}

namespace {

// Records the improved inlet trials instead of accepting any of them.
class TTrialRecorder : public TCircularSmoothElement {
public:
  std::vector<std::pair<int, double>> Trials;
  double InletControlHeadwater() override {
    if (ImprovedInletType != iiNone) Trials.emplace_back(ImprovedInletType, ImprovedInletFall);
    return 100;
  }
  double TaperedInletHeadwater(int type, double, double fall) override {
    Trials.emplace_back(type, fall);
    return 100 + fall;
  }
  int Count(int type) const {
    int n = 0;
    for (const auto& t : Trials) n += t.first == type;
    return n;
  }
  double LastFall(int type) const {
    double fall = -1;
    for (const auto& t : Trials)
      if (t.first == type) fall = t.second;
    return fall;
  }
};

std::unique_ptr<TTrialRecorder> Recorder(int sizeIndex, double fallOfBarrel, double length) {
  auto e = std::make_unique<TTrialRecorder>();
  e->Parameters = &ShippedTables().Parameters;
  e->Pipe = ShippedTables().Pipes.FindPipe("1", "", sizeIndex);
  e->OutletElevation = 100;
  e->InletElevation = 100 + fallOfBarrel;
  e->CulvertLength = length;
  e->CulvertQuantity = 1;
  e->BarrelDischarge = 100;
  e->FTailwaterDepth = 0.5;
  e->AllowableHeadwaterType = "0";
  e->AllowableHeadwaterElevation = 300;
  e->PrepareCoefficients();
  return e;
}

}  // namespace

TEST(CulvertDesignImprovedInlet, TrialsOfEachType) {
  // Falls of 0.1 D up to 0.8 D (slope taper: 0.8 D to 1.4 D); the limit
  // falls are tried although the summed steps overshoot them by rounding.
  struct TCase {
    int SizeIndex;
    double Rise;
    double Fall;
    double Length;
  };
  for (const TCase& c : {TCase{12, 4.5, 10, 200}, TCase{21, 9, 30, 300}, TCase{11, 4, 10, 200}}) {
    auto e = Recorder(c.SizeIndex, c.Fall, c.Length);
    ASSERT_DOUBLE_EQ(e->Pipe->Rise, c.Rise);
    EXPECT_EQ(e->DesignImprovedInlet(FullArea(e->Pipe)), -1);
    EXPECT_EQ(e->Count(iiFullHeadwall), 9) << c.Rise;
    EXPECT_EQ(e->Count(iiSideTaper), 9) << c.Rise;
    EXPECT_EQ(e->Count(iiSlopeTaper), 7) << c.Rise;
    EXPECT_NEAR(e->LastFall(iiFullHeadwall), 0.8 * c.Rise, 1e-9);
    EXPECT_NEAR(e->LastFall(iiSlopeTaper), 1.4 * c.Rise, 1e-9);
    EXPECT_DOUBLE_EQ(e->InletElevation, 100 + c.Fall);  // restored after the trials
    EXPECT_EQ(e->Results.Count(), 0);
  }
  // A natural slope below 0.005: no full headwall or side taper trial.
  auto flat = Recorder(12, 0.8, 200);
  EXPECT_EQ(flat->DesignImprovedInlet(FullArea(flat->Pipe)), -1);
  EXPECT_EQ(flat->Count(iiFullHeadwall) + flat->Count(iiSideTaper), 0);
  // A 3.5 ft pipe, or a pipe much smaller than the found size: no trials.
  auto small = Recorder(10, 10, 200);
  EXPECT_EQ(small->DesignImprovedInlet(FullArea(small->Pipe)), -1);
  auto narrow = Recorder(12, 10, 200);
  EXPECT_EQ(narrow->DesignImprovedInlet(2.01 * FullArea(narrow->Pipe)), -1);
  EXPECT_TRUE(small->Trials.empty());
  EXPECT_TRUE(narrow->Trials.empty());
}

TEST(CulvertDesignImprovedInlet, RowsReplaceTheTwoSizesSmallerRow) {
  auto design = NewDesign();
  design->PipeType = "1";
  TCulvertDesignElement* e = AddCrossing(*design);
  e->DesignDischarge = 320;
  e->InletElevation = 300;
  e->OutletElevation = 294;
  e->CulvertLength = 250;
  e->TailwaterElevation = 295;
  e->OverflowElevation = 316;
  e->AllowableHeadwaterElevation = 312;
  e->AllowableHeadwaterType = "1";
  ASSERT_EQ(design->Calculate(), 0);
  EXPECT_EQ(Codes(Candidate(*e, 0)), (std::vector<std::string>{"D", "D - 1", "D - 2", "D + 1"}));

  design->ImprovedInlet = true;
  ASSERT_EQ(design->Calculate(), 0);
  const TCulvertBaseElement& c = Candidate(*e, 0);
  int improved = 0;
  for (int i = 0; i < c.Results.Count(); ++i) {
    const TCulvertElementResult& row = *c.Results.Row(i);
    if (row.ImprovedInletType == iiNone) continue;
    ++improved;
    EXPECT_EQ(row.DesignCode, "D - 2");
    EXPECT_FALSE(row.ImprovedInlet.empty());
    EXPECT_FALSE(row.OutletHeadwaterValid);
    EXPECT_EQ(row.Pipe->PipeSizeIndex, c.PipeSizeIndexValue() - 2);
    EXPECT_LE(row.InletHeadwater - row.Pipe->Rise, 312 + 1e-9);
  }
  EXPECT_GT(improved, 0);
  EXPECT_EQ(design->LastError, "");
}

TEST(CulvertDesignFile, InputRoundTrip) {
  auto design = NewDesign();
  design->DischargeFrequency = "25";
  design->FloodFrequency = "100";
  design->Identification.PID = "CD-1";
  TCulvertDesignElement* a = AddCrossing(*design, 4);
  a->BuriedOption = true;
  a->DisableBuriedTable = true;
  a->CircularConcreteInletType = "2";
  a->BoxInletType = "4";
  a->CoeffN = 0.013;
  a->BuriedCoeffN = 0.03;
  a->CoeffKE = 0.5;
  a->FloodDischarge = 60.25;
  TCulvertDesignElement* b = AddCrossing(*design, 9);
  b->SetDefaultInletType(2);
  const std::string text = design->SaveInput();
  EXPECT_NE(text.find("<InletSpacingElement id=\"4\" BuriedOption=\"Y\" DisableBuriedTable=\"Y\">"), std::string::npos);
  EXPECT_NE(text.find("<InletSpacingElement id=\"9\"><DesignDischarge>"), std::string::npos);

  auto loaded = NewDesign();
  loaded->Load(text);
  EXPECT_EQ(loaded->LastError, "");
  ASSERT_EQ(loaded->Elements.Count(), 2);
  EXPECT_EQ(loaded->Elements.Key(1), "9");
  EXPECT_EQ(loaded->Crossing(0)->BoxInletType, "4");
  EXPECT_TRUE(loaded->Crossing(0)->DisableBuriedTable);
  EXPECT_EQ(loaded->Crossing(1)->DefaultInletType, "2");
  EXPECT_EQ(loaded->SaveInput(), text);

  // An old single inlet code, a headwall number out of range, another kind.
  auto old = NewDesign();
  old->Load(
      "<Application Name=\"Drevia\"><CulvertDesign><CulvertDesignList><InletSpacingElement id=\"3\">"
      "<InletType>2</InletType><DefaultInletType>5</DefaultInletType><CulvertLength>80</CulvertLength>"
      "</InletSpacingElement></CulvertDesignList></CulvertDesign></Application>");
  ASSERT_EQ(old->Elements.Count(), 1);
  const TCulvertDesignElement& e = *old->Crossing(0);
  EXPECT_EQ(e.ElementId, 3);
  EXPECT_EQ(e.DefaultInletType, "1");
  EXPECT_DOUBLE_EQ(e.CulvertLength, 80);
  for (const std::string* code : {&e.CircularConcreteInletType, &e.CircularCorrugatedInletType,
                                  &e.EllipticalConcreteInletType, &e.ArchCorrugatedInletType, &e.BoxInletType})
    EXPECT_EQ(*code, "2");
  auto other = NewDesign();
  other->Load("<Application Name=\"Drevia\"><CulvertAnalysis/></Application>");
  EXPECT_EQ(other->LastError, "The XML document is not compatible with the Drevia Culvert Design Module");
  EXPECT_EQ(other->Elements.Count(), 0);
}

TEST(CulvertDesignFile, ResultBlocksPerCandidate) {
  auto design = NewDesign();
  TCulvertDesignElement* e = AddCrossing(*design, 5);
  e->BuriedOption = true;
  e->FloodDischarge = 70;
  design->PipeType = "0";
  ASSERT_EQ(design->Calculate(), 0);

  TXMLDocument document;
  document.Parse(design->SaveWithResults());
  const TXMLElement* crossing =
      document.GetRoot()->FindChild("CulvertDesign")->FindChild("CulvertDesignList")->Child(0);
  EXPECT_EQ(crossing->Attributes.GetAttribute("BuriedOption"), "");
  std::vector<std::string> names;
  for (int i = 0; i < crossing->ChildCount(); ++i) names.push_back(crossing->Child(i)->Name);
  const std::vector<std::string> expected = {"DesignDischarge",
                                             "InletElevation",
                                             "AllowableHeadwaterType",
                                             "AllowableHeadwaterElevation",
                                             "OutletElevation",
                                             "Slope",
                                             "CulvertLength",
                                             "TailwaterElevation",
                                             "CircularConcreteInletType",
                                             "CircularCorrugatedInletType",
                                             "EllipticalConcreteInletType",
                                             "ArchCorrugatedInletType",
                                             "BoxInletType",
                                             "OverflowElevation",
                                             "FloodDischarge",
                                             "CoeffN",
                                             "BuriedCoeffN",
                                             "CoeffKE",
                                             "CalculationResult"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(XmlToFloat(crossing->FindChild("Slope")->Text), 0.0125);

  const TXMLElement* results = crossing->FindChild("CalculationResult");
  ASSERT_EQ(results->ChildCount(), e->Candidates.Count());
  for (int i = 0; i < results->ChildCount(); ++i) {
    const TXMLElement* x = results->Child(i);
    const TCulvertBaseElement& c = Candidate(*e, i);
    EXPECT_EQ(x->Name, "CulvertResult");
    EXPECT_EQ(x->Attributes.GetAttribute("Culvert"), c.Pipe->CulvertType);
    EXPECT_EQ(x->Attributes.GetAttribute("Corrugation"), c.Pipe->CorrugationType);
    EXPECT_EQ(XmlToInt(x->Attributes.GetAttribute("Index")), c.Pipe->PipeSizeIndex);
    ASSERT_EQ(x->ChildCount(), c.Results.Count());
    const TXMLElement* row = x->Child(0);
    std::vector<std::string> leaves;
    for (int k = 0; k < row->ChildCount(); ++k) leaves.push_back(row->Child(k)->Name);
    EXPECT_EQ(leaves, (std::vector<std::string>{"Flow", "HeadwaterLoss", "InletHeadwater", "OutletHeadwater",
                                                "FlowType", "Velocity", "NormalDepth", "CriticalDepth", "CoeffN",
                                                "CoeffKE", "HeadwaterControl", "Overflow", "DesignCode"}));
    EXPECT_EQ(row->FindChild("DesignCode")->Text, "D");
  }

  // A candidate that found no catalogue entry: its type, corrugation,
  // index 0 and no rows.
  const TCulvertBasePipeList empty;
  design->Catalogue = &empty;
  design->PipeType = "4";
  ASSERT_EQ(design->Calculate(), 0);
  EXPECT_EQ(Candidate(*e, 0).CulvertQuantity, 3);
  EXPECT_EQ(Candidate(*e, 0).Pipe, nullptr);
  const std::string text = design->SaveWithResults();
  EXPECT_NE(text.find("<CalculationResult><CulvertResult Culvert=\"4\" Corrugation=\"1\" Index=\"0\"/>"),
            std::string::npos);
}

TEST(CulvertDesignSample, ExercisesEveryKindOfRow) {
  TXMLDocument document;
  ASSERT_TRUE(document.LoadFromFile(std::string(DREVIA_SOURCE_DIR) + "/samples/culvert-design.xml"));
  auto design = NewDesign();
  design->Load(document.GetXML());
  ASSERT_EQ(design->LastError, "");
  design->PipeType = "99";
  design->ImprovedInlet = true;
  ASSERT_EQ(design->Calculate(), 0);
  EXPECT_EQ(design->LastError, "");
  bool twoBarrelD = false, maxs = false, maxd = false, improved = false, buried = false;
  for (int i = 0; i < design->Elements.Count(); ++i) {
    const TCulvertDesignElement& e = *design->Crossing(i);
    for (int c = 0; c < e.Candidates.Count(); ++c) {
      const TCulvertBaseElement& candidate = Candidate(e, c);
      for (int r = 0; r < candidate.Results.Count(); ++r) {
        const TCulvertElementResult& row = *candidate.Results.Row(r);
        twoBarrelD |= row.DesignCode == "D" && row.CulvertQuantity == 2;
        maxs |= row.DesignCode == "MAXS";
        maxd |= row.DesignCode == "MAXD";
        improved |= row.ImprovedInletType != iiNone;
        buried |= row.BuriedOption && row.BuriedDepth > 0;
      }
    }
  }
  EXPECT_TRUE(twoBarrelD && maxs && maxd && improved && buried);
}
