// The Culvert Analysis project: the three analysis options, refused inputs
// and the project file blocks.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CulvertTestSupport.h"
#include "xml/XmlDocument.h"

namespace {

std::unique_ptr<TCulvertAnalysis> MakeProject() {
  return std::make_unique<TCulvertAnalysis>(&ShippedTables().Parameters, &ShippedTables().Pipes);
}

TCulvertBaseElement* AddCircle(TCulvertAnalysis& project, int id, int useHW = 0) {
  auto e = MakeCulvert<TCircularSmoothElement>("", 9);
  e->ElementId = id;
  e->UseHW = useHW;
  e->TailwaterElevationMin = 100;
  auto* raw = e.get();
  project.Elements.Add(std::to_string(id), e.release());
  return raw;
}

std::vector<double> Column(const TCulvertBaseElement& e, double TCulvertElementResult::*field) {
  std::vector<double> values;
  for (int i = 0; i < e.Results.Count(); ++i) values.push_back(e.Results.Row(i)->*field);
  return values;
}

void ExpectValues(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << "row " << i;
}

}  // namespace

TEST(CulvertAnalysisCurves, PerformanceCurveRows) {
  struct TCase {
    double Qmin, Qmax, Qinc, TWmax;
    std::vector<double> Flows, Tailwaters;
  };
  const TCase cases[] = {
      {10, 25, 10, 103, {10, 20, 30}, {100, 102, 104}},
      {10, 25, 0, 0, {10, 25}, {100, 100}},
      {10, 25, 0, 103, {10, 25}, {100, 103}},  // no increment: Qmax row gets the highest tailwater
      {10, 10, 5, 0, {10}, {100}},
      {0.3, 0.9, 0.3, 0, {0.3, 0.6, 0.9}, {100, 100, 100}},  // rounding adds no row at 1.2
  };
  for (const TCase& c : cases) {
    auto project = MakeProject();
    TCulvertBaseElement* e = AddCircle(*project, 1);
    e->DesignDischarge = c.Qmin;
    e->FloodDischarge = c.Qmax;
    e->DeltaDischarge = c.Qinc;
    e->TailwaterElevationMax = c.TWmax;
    e->BuriedDepthMin = 0.5;  // ignored without the buried option
    ASSERT_EQ(project->Calculate(), 0) << project->LastError;
    SCOPED_TRACE("Qmin " + std::to_string(c.Qmin) + " Qinc " + std::to_string(c.Qinc));
    ExpectValues(Column(*e, &TCulvertElementResult::Flow), c.Flows);
    ExpectValues(Column(*e, &TCulvertElementResult::Tailwater), c.Tailwaters);
    EXPECT_EQ(e->BuriedDepthMin, 0);
  }
}

TEST(CulvertAnalysisCurves, BuriedDepthCurveRows) {
  struct TCase {
    bool Buried;
    double Min, Max, Inc;
    std::vector<double> Depths;
  };
  const TCase cases[] = {
      {true, 0, 1, 0.25, {0, 0.25, 0.5, 0.75, 1}},
      {true, 0, 1, 0, {0}},
      {true, 0.1, 0.3, 0.1, {0.1, 0.2, 0.3}},
      {false, 0, 1, 0.25, {}},
  };
  for (const TCase& c : cases) {
    auto project = MakeProject();
    project->SetAnalysisOption(1);
    TCulvertBaseElement* e = AddCircle(*project, 1);
    e->BuriedOption = c.Buried;
    e->BuriedDepthMin = c.Min;
    e->BuriedDepthMax = c.Max;
    e->BuriedDepthDelta = c.Inc;
    ASSERT_EQ(project->Calculate(), 0) << project->LastError;
    ExpectValues(Column(*e, &TCulvertElementResult::BuriedDepth), c.Depths);
  }
}

TEST(CulvertAnalysisSystem, ComputedFromTheOutletUpstream) {
  auto project = MakeProject();
  project->SetAnalysisOption(2);
  TCulvertBaseElement* c = AddCircle(*project, 3, 2);
  TCulvertBaseElement* b = AddCircle(*project, 2, 1);
  TCulvertBaseElement* a = AddCircle(*project, 1, 0);
  a->InletElevation = 100;
  a->OutletElevation = 99;
  a->TailwaterElevationMin = 101;
  b->InletElevation = 101;
  b->OutletElevation = 100.2;
  c->InletElevation = 102.5;
  c->OutletElevation = 101.5;
  for (auto* e : {a, b, c}) e->DesignDischarge = 40;
  ASSERT_EQ(project->Calculate(), 0) << project->LastError;
  for (auto* e : {a, b, c}) ASSERT_EQ(e->Results.Count(), 1);
  const double tB = std::max(0.0, a->ControllingHeadwaterDepth() - (b->OutletElevation - a->InletElevation));
  EXPECT_NEAR(b->Results.Row(0)->Tailwater, tB + b->OutletElevation, 1e-12);
  const double tC = std::max(0.0, b->ControllingHeadwaterDepth() - (c->OutletElevation - b->InletElevation));
  EXPECT_NEAR(c->Results.Row(0)->Tailwater, tC + c->OutletElevation, 1e-12);
  EXPECT_GT(tB, 0);
}

TEST(CulvertAnalysisSystem, RefusedSystemsComputeNothing) {
  auto project = MakeProject();
  project->SetAnalysisOption(2);
  AddCircle(*project, 1, 0);
  AddCircle(*project, 2, 0);
  EXPECT_EQ(project->Calculate(), -1);
  EXPECT_FALSE(project->LastError.empty());
  EXPECT_EQ(project->Elements.Culvert(0)->Results.Count(), 0);

  // 2 and 3 drain into each other; 1 is the single outlet.
  project = MakeProject();
  project->SetAnalysisOption(2);
  AddCircle(*project, 1, 0);
  AddCircle(*project, 2, 3);
  AddCircle(*project, 3, 2);
  EXPECT_EQ(project->Calculate(), -1);
  EXPECT_NE(project->LastError.find("#2, #3"), std::string::npos) << project->LastError;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(project->Elements.Culvert(i)->Results.Count(), 0);

  // A link to a missing culvert gives a tailwater depth of 0.
  project = MakeProject();
  project->SetAnalysisOption(2);
  AddCircle(*project, 1, 0);
  TCulvertBaseElement* lost = AddCircle(*project, 2, 9);
  ASSERT_EQ(project->Calculate(), 0);
  EXPECT_DOUBLE_EQ(lost->Results.Row(0)->Tailwater, lost->OutletElevation);
}

TEST(CulvertAnalysisInput, UnusableInputIsRefusedWithAMessage) {
  struct TCase {
    int Option;
    void (*Spoil)(TCulvertBaseElement&);
    const char* Message;
  };
  const TCase cases[] = {
      {0,
       [](TCulvertBaseElement& e) {
         e.BuriedOption = true;
         e.BuriedDepthMin = 3;
       },
       "Element #1: Buried Depth should zero or not greater than the Pipe Rise or Diameter."},
      {1,
       [](TCulvertBaseElement& e) {
         e.BuriedOption = true;
         e.BuriedDepthMax = 2.9;
         e.BuriedDepthDelta = 1;  // 0, 1, 2, 3: the last depth fills the barrel
       },
       "Element #1: Buried Depth should zero or not greater than the Pipe Rise or Diameter."},
      {0,
       [](TCulvertBaseElement& e) {
         e.FloodDischarge = 1e9;
         e.DeltaDischarge = 1;
       },
       "Element #1: The discharge range gives more than 10000 rows. Enlarge Qinc."},
      {0, [](TCulvertBaseElement& e) { e.CulvertLength = NAN; },
       "Element #1: A value of this culvert is not a valid number."},
  };
  for (const TCase& c : cases) {
    auto project = MakeProject();
    project->SetAnalysisOption(c.Option);
    c.Spoil(*AddCircle(*project, 1));
    EXPECT_EQ(project->Calculate(), -1);
    EXPECT_EQ(project->LastError, c.Message);
    EXPECT_EQ(project->Elements.Culvert(0)->Results.Count(), 0);
  }
}

namespace {

const char* const SampleProject =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><Application Name=\"Drevia\" Version=\"110\" unit=\"english\">"
    "<CulvertAnalysis><Identification><PID>7</PID><Project>P</Project><Description>D &amp; E</Description>"
    "<Location>L</Location><ProjectDate>05/14/2024</ProjectDate><Designer>X</Designer></Identification>"
    "<CulvertAnalysisList>"
    "<CulvertAnalysisElement id=\"4\" BuriedOption=\"Y\"><InletElevation>100.5</InletElevation>"
    "<OutletElevation>99</OutletElevation><TailwaterElevationMin>100</TailwaterElevationMin>"
    "<DesignDischarge>20</DesignDischarge><CulvertType>2</CulvertType><CorrugationType>2</CorrugationType>"
    "<PipeSizeIndex>3</PipeSizeIndex><CulvertLength>80</CulvertLength><CulvertQuantity>2</CulvertQuantity>"
    "<InletType>1</InletType><BuriedDepthMin>0.5</BuriedDepthMin><BuriedCoeffN>0.03</BuriedCoeffN>"
    "</CulvertAnalysisElement>"
    "<CulvertAnalysisElement id=\"5\"><CulvertType>5</CulvertType><PipeSizeIndex>0</PipeSizeIndex>"
    "<Rise>4</Rise><Span>6</Span><InletElevation>10</InletElevation><CulvertLength>50</CulvertLength>"
    "<DesignDischarge>30</DesignDischarge><CulvertQuantity>1</CulvertQuantity></CulvertAnalysisElement>"
    "<CulvertAnalysisElement id=\"6\"><CulvertType>7</CulvertType><Span>20</Span><Rise>12</Rise>"
    "<Theta>80</Theta><Phi>100</Phi><RT>13.495</RT><RS>3.711</RS><FlowArea>190</FlowArea><UnsubInlet>1</UnsubInlet>"
    "<SubInlet>1</SubInlet><DesignDischarge>300</DesignDischarge><CulvertLength>60</CulvertLength>"
    "<InletElevation>10</InletElevation><OutletElevation>9</OutletElevation><CulvertQuantity>1</CulvertQuantity>"
    "</CulvertAnalysisElement>"
    "<CulvertAnalysisElement id=\"7\"><CulvertType>1</CulvertType><PipeSizeIndex>999</PipeSizeIndex>"
    "<CorrugationType>x</CorrugationType></CulvertAnalysisElement>"
    "<CulvertAnalysisElement id=\"8\"><CulvertType>6</CulvertType></CulvertAnalysisElement>"
    "</CulvertAnalysisList></CulvertAnalysis></Application>";

}  // namespace

TEST(CulvertAnalysisFile, LoadAndSaveInputRoundTrip) {
  auto project = MakeProject();
  project->Load(SampleProject);
  ASSERT_EQ(project->LastError, "");
  ASSERT_EQ(project->Elements.Count(), 4);  // type "6" skipped
  EXPECT_EQ(project->Elements.Key(0), "4");

  const TCulvertBaseElement& corrugated = *project->Elements.Culvert(0);
  EXPECT_TRUE(corrugated.BuriedOption);
  ASSERT_NE(corrugated.Pipe, nullptr);
  EXPECT_EQ(corrugated.Pipe->CorrugationType, "2");

  const auto& box = dynamic_cast<const TBoxSmoothElement&>(*project->Elements.Culvert(1));
  ASSERT_NE(box.Pipe, nullptr);
  EXPECT_EQ(box.Pipe->SizeLabel, "6.0 x 4.0 ft.");
  EXPECT_EQ(box.Pipe->PipeSizeIndex, -1);
  EXPECT_DOUBLE_EQ(box.Pipe->n, 0.012);

  const TCulvertBaseElement& span = *project->Elements.Culvert(2);
  EXPECT_TRUE(span.BuriedOption);
  EXPECT_EQ(span.Pipe->CulvertType, "7");
  EXPECT_EQ(project->Elements.Culvert(3)->Pipe, nullptr);

  const std::string saved = project->SaveInput();
  auto again = MakeProject();
  again->Load(saved);
  EXPECT_EQ(again->SaveInput(), saved);
  // The unmatched size keeps its type, corrugation and id.
  EXPECT_NE(saved.find("<CulvertType>1</CulvertType><CorrugationType>x</CorrugationType>"
                       "<PipeSizeIndex>999</PipeSizeIndex>"),
            std::string::npos);
  EXPECT_NE(saved.find("<BuriedCoeffN>0.03</BuriedCoeffN>"), std::string::npos);
  EXPECT_NE(saved.find("<Rise>4</Rise><Span>6</Span>"), std::string::npos);
}

TEST(CulvertAnalysisFile, SaveWithResultsBlocks) {
  auto project = MakeProject();
  project->Load(SampleProject);
  // The culvert of type "6" is left out, and the calculation says so.
  ASSERT_EQ(project->Calculate(), 0) << project->LastError;
  EXPECT_EQ(project->LastError, "Element #8: Culvert Type \"6\" is not known; the element is left out.");
  const std::string text = project->SaveWithResults();
  EXPECT_EQ(text.find("BuriedOption"), std::string::npos);
  EXPECT_EQ(text.find("BuriedCoeffN"), std::string::npos);
  EXPECT_NE(text.find("<CulvertLength>80</CulvertLength><Slope>0.01875</Slope><CulvertQuantity>"), std::string::npos);
  EXPECT_NE(text.find("<CalculationResult><Result><Flow>10</Flow><HeadwaterLoss>"), std::string::npos);
  EXPECT_EQ(text.find("nan"), std::string::npos);

  auto reloaded = MakeProject();
  reloaded->Load(text);
  ASSERT_EQ(reloaded->Elements.Count(), 4);
  EXPECT_FALSE(reloaded->Elements.Culvert(0)->BuriedOption);
  EXPECT_EQ(reloaded->Elements.Culvert(0)->BuriedCoeffN, 0);

  // A box without its own height writes no "Rise" leaf.
  auto boxes = MakeProject();
  auto box = MakeCulvert<TBoxSmoothElement>("", 19);
  boxes->Elements.Add("1", box.release());
  EXPECT_EQ(boxes->SaveInput().find("<Rise>"), std::string::npos);

  // With every culvert left out there is nothing to show: refused, with
  // each element named.
  auto unknown = MakeProject();
  unknown->Load(
      "<Application Name=\"Drevia\"><CulvertAnalysis><CulvertAnalysisList>"
      "<CulvertAnalysisElement id=\"3\"><CulvertType>6</CulvertType></CulvertAnalysisElement>"
      "<CulvertAnalysisElement id=\"4\"><CulvertType/></CulvertAnalysisElement>"
      "</CulvertAnalysisList></CulvertAnalysis></Application>");
  ASSERT_EQ(unknown->LastError, "");
  EXPECT_EQ(unknown->Calculate(), -1);
  EXPECT_EQ(unknown->LastError,
            "Element #3: Culvert Type \"6\" is not known; the element is left out.\n"
            "Element #4: Culvert Type \"\" is not known; the element is left out.");

  auto wrong = MakeProject();
  wrong->Load("<Application Name=\"Drevia\"><CulvertDesign/></Application>");
  EXPECT_EQ(wrong->LastError, "The XML document is not compatible with the Drevia Culvert Analysis Module");
}
