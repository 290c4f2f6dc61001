// Stations, the element check and the project file of inlet spacing.

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "foundation/FormatSettings.h"
#include "xml/XmlDocument.h"

TEST(InletSpacingStation, ReadsAndWritesTheHundredsPlusNotation) {
  struct TCase {
    const char* Text;
    int32_t Feet;
  };
  const TCase cases[] = {
      {"12+50", 1250},   {"0+5", 5},       {"0+05", 5},    {" 3+00 ", 300},        {"12+505", 1250},
      {"1a2+5b0", 1250}, {"-12+50", 1250}, {"1+2+3", 123}, {"1250", -1},           {"", -1},
      {"   ", -1},       {"+50", -1},      {"12+", -1},    {"99999999999+00", -1},
  };
  for (const TCase& c : cases) EXPECT_EQ(TextToStation(c.Text), c.Feet) << c.Text;

  EXPECT_EQ(StationToText(1250), "12+50");
  EXPECT_EQ(StationToText(5), "0+05");
  EXPECT_EQ(StationToText(0), "0+00");
  EXPECT_EQ(StationToText(100099), "1000+99");
  // No station must not come back as a real one after a save.
  EXPECT_EQ(StationToText(NoStation), "");
  EXPECT_EQ(TextToStation(StationToText(NoStation)), NoStation);
}

namespace {
TInletSpacingEntry ValidEntry() {
  TInletSpacingEntry e;
  e.StationText = "12+50";
  e.SumpSelected = true;
  e.CatchBasinSelected = true;
  e.SurfaceSelected = true;
  e.LongSlope = 0.01;
  e.Flow = 2;
  e.ConcTime = 5;
  e.PavementSlope = 0.02;
  e.ManningGN = 0.015;
  e.ManningPN = 0.015;
  return e;
}
}  // namespace

TEST(InletSpacingCheck, EachRuleGivesItsMessageInOrder) {
  struct TCase {
    const char* What;
    void (*Change)(TInletSpacingEntry&);
    std::string Message;
  };
  const TCase cases[] = {
      {"empty station", [](TInletSpacingEntry& e) { e.StationText = " "; }, MsgStationEmpty},
      {"station without plus", [](TInletSpacingEntry& e) { e.StationText = "1250"; }, MsgStationInvalid},
      {"no sump", [](TInletSpacingEntry& e) { e.SumpSelected = false; }, MsgTypesNotSelected},
      {"no catch basin", [](TInletSpacingEntry& e) { e.CatchBasinSelected = false; }, MsgTypesNotSelected},
      {"long slope 0", [](TInletSpacingEntry& e) { e.LongSlope = 0; }, MsgSlopeRange},
      {"long slope 1", [](TInletSpacingEntry& e) { e.LongSlope = 1; }, MsgSlopeRange},
      {"no flow, C without A",
       [](TInletSpacingEntry& e) {
         e.Flow = 0;
         e.RunoffCoeff = 0.5;
       },
       MsgFlowOrRunoff},
      {"no time, overland slope 0",
       [](TInletSpacingEntry& e) {
         e.ConcTime = 0;
         e.OverlandLength = 100;
       },
       MsgTimeOrOverland},
      {"no time, overland slope over 100",
       [](TInletSpacingEntry& e) {
         e.ConcTime = 0;
         e.OverlandLength = 100;
         e.OverlandSlope = 101;
       },
       MsgTimeOrOverland},
      {"no time, no surface",
       [](TInletSpacingEntry& e) {
         e.ConcTime = 0;
         e.OverlandLength = 100;
         e.OverlandSlope = 2;
         e.SurfaceSelected = false;
       },
       MsgTypesNotSelected},
      {"negative gutter length", [](TInletSpacingEntry& e) { e.GutterLength = -1; }, MsgGutterLengthWidth},
      {"gutter slope over 1", [](TInletSpacingEntry& e) { e.GutterSlope = 1.5; }, MsgGutterSlope},
      {"negative gutter width", [](TInletSpacingEntry& e) { e.GutterWidth = -2; }, MsgGutterLengthWidth},
      {"pavement n 1.5", [](TInletSpacingEntry& e) { e.ManningPN = 1.5; }, MsgManningN},
      {"pavement slope 0", [](TInletSpacingEntry& e) { e.PavementSlope = 0; }, MsgSlopeRange},
      {"negative depression", [](TInletSpacingEntry& e) { e.Depression = -0.1; }, MsgDepression},
      {"NaN slope", [](TInletSpacingEntry& e) { e.LongSlope = std::nan(""); }, MsgSlopeRange},
  };
  EXPECT_EQ(CheckInletSpacingEntry(ValidEntry()), "");
  for (const TCase& c : cases) {
    TInletSpacingEntry e = ValidEntry();
    c.Change(e);
    EXPECT_EQ(CheckInletSpacingEntry(e), c.Message) << c.What;
  }
  // Rules are taken in order: the slope rule (4) wins over the depression (13).
  TInletSpacingEntry both = ValidEntry();
  both.LongSlope = 0;
  both.Depression = -1;
  EXPECT_EQ(CheckInletSpacingEntry(both), MsgSlopeRange);
}

TEST(InletSpacingCheck, FirstSumpEntrySkipsTheRemainingRules) {
  TInletSpacingEntry begin;
  begin.StationText = "0+00";
  begin.SumpSelected = true;
  begin.SumpIsFirstEntry = true;
  EXPECT_EQ(CheckInletSpacingEntry(begin), "");

  // Through the code list: "0" is the first entry; a code absent from the
  // list is no selection.
  auto parameters = TestParameters();
  auto sumps = parameters->CodesOfCategory(pcSumpType);
  TInletSpacingElement p;
  p.StationFeet = 100;
  p.Sump = "0";
  EXPECT_EQ(CheckInletSpacingEntry(EntryOfElement(p, sumps.get())), "");
  p.Sump = "9";
  EXPECT_EQ(CheckInletSpacingEntry(EntryOfElement(p, sumps.get())), MsgTypesNotSelected);
  p.StationFeet = NoStation;
  EXPECT_EQ(p.Validate(), MsgStationEmpty);
}

namespace {
std::unique_ptr<TInletSpacing> SampleProject() {
  auto project = std::make_unique<TInletSpacing>();
  project->Identification.PID = "SR-12 & 4";
  project->Identification.Designer = "J. Smith";
  project->Identification.Project = "Route 12";
  project->GeneralParameters.WaterShedAreaCode = "3";
  project->GeneralParameters.StormFrequency = "10";
  project->GeneralParameters.MaxSpread = 8;
  project->GeneralParameters.AllowableDepth = 0.35;
  AddBegin(*project, 1000);
  TInletSpacingElement* p = AddInlet(*project, 1250, 0);
  p->ManningGN = 0;
  p->RunoffCoeff = 0.9;
  p->RunoffArea = 0.75;
  p->Surface = "1";
  p->Depression = 1.0 / 3;
  p->CatchBasin = "Type <A>";
  return project;
}
}  // namespace

TEST(InletSpacingFile, WritesTheInletSpacingBlocksAndReadsThemBack) {
  SetFormatSettings(TFormatSettings());
  auto project = SampleProject();
  const std::string text = project->SaveInput();
  EXPECT_NE(text.find("<InletSpacingDesign><Identification><JobNumber>SR-12 &amp; 4</JobNumber>"), std::string::npos)
      << text;
  EXPECT_NE(text.find("<Author>J. Smith</Author>"), std::string::npos);
  EXPECT_EQ(text.find("<PID>"), std::string::npos);
  EXPECT_NE(text.find("<InletSpacingParameters><WaterShedAreaCode>3</WaterShedAreaCode><StormFrequency>10"
                      "</StormFrequency><MaxSpread>8</MaxSpread><AllowableDepth>0.35</AllowableDepth>"),
            std::string::npos);
  EXPECT_NE(text.find("<InletSpacingElement id=\"2\"><GutterLength>0</GutterLength><Station>12+50</Station>"
                      "<ManningPN>0.016</ManningPN><ManningGN>0.015</ManningGN>"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("<CatchBasin>Type &lt;A&gt;</CatchBasin>"), std::string::npos);

  TInletSpacing loaded;
  loaded.Load(text);
  EXPECT_EQ(loaded.LastError, "");
  EXPECT_EQ(loaded.Identification.PID, "SR-12 & 4");
  EXPECT_EQ(loaded.Identification.Designer, "J. Smith");
  EXPECT_EQ(loaded.GeneralParameters.StormFrequency, "10");
  EXPECT_DOUBLE_EQ(loaded.GeneralParameters.AllowableDepth, 0.35);
  ASSERT_EQ(loaded.Elements.Count(), 2);
  EXPECT_EQ(loaded.Elements.Key(1), "2");
  const TInletSpacingElement* p = loaded.Elements.Items(1);
  EXPECT_EQ(p->ElementId, 2);
  EXPECT_EQ(p->StationFeet, 1250);
  EXPECT_DOUBLE_EQ(p->ManningGN, 0.015);
  EXPECT_NEAR(p->Depression, 1.0 / 3, 1e-14);  // 15 digits: the file precision
  EXPECT_EQ(p->CatchBasin, "Type <A>");
  EXPECT_EQ(p->Surface, "1");
  EXPECT_EQ(loaded.SaveInput(), text);
}

TEST(InletSpacingFile, RefusesOtherKindsAndReadsBadValuesAsZero) {
  TInletSpacing project;
  project.Load(
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><Application Name=\"Drevia\" Version=\"110\">"
      "<StormSewerDesign><InletSpacingList><InletSpacingElement id=\"1\"/></InletSpacingList></StormSewerDesign>"
      "</Application>");
  EXPECT_EQ(project.LastError, "The XML document is not compatible with the Drevia Inlet Spacing Module");
  EXPECT_EQ(project.Elements.Count(), 0);

  project.Load(
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><Application Name=\"Drevia\" Version=\"110\">"
      "<InletSpacingDesign unit=\"METRIC\"><Other/><InletSpacingList><InletSpacingElement id=\"7\">"
      "<Flow>abc</Flow><LongSlope>NaN</LongSlope><Station>1250</Station><Unknown>1</Unknown>"
      "<GutterWidth>2</GutterWidth></InletSpacingElement><Note/></InletSpacingList></InletSpacingDesign>"
      "</Application>");
  EXPECT_EQ(project.LastError, "");
  EXPECT_EQ(project.UnitSystem, usMetric);
  ASSERT_EQ(project.Elements.Count(), 1);
  const TInletSpacingElement* p = project.Elements.Items(0);
  EXPECT_EQ(p->ElementId, 7);
  EXPECT_EQ(p->Flow, 0);
  EXPECT_EQ(p->LongSlope, 0);
  EXPECT_EQ(p->StationFeet, NoStation);
  EXPECT_EQ(p->GutterWidth, 2);
}

TEST(InletSpacingFile, SaveWithResultsAddsAResultRowPerElement) {
  SetFormatSettings(TFormatSettings());
  auto parameters = TestParameters();
  TInletSpacing project(parameters.get());
  AddBegin(project, 0);
  AddInlet(project, 200, 1.5, "3", "4");
  AddInlet(project, 400, 1, "2", "Type B");
  project.Calculate();
  const std::string text = project.SaveWithResults();
  TXMLDocument document;
  document.Parse(text);
  const TXMLElement* kind = document.GetRoot()->Child(0);
  ASSERT_EQ(kind->Name, "InletSpacingDesign");
  EXPECT_EQ(kind->Child(0)->Name, "Identification");
  EXPECT_NE(kind->Child(0)->FindChild("JobNumber"), nullptr);
  const TXMLElement* results = kind->FindChild("InletSpacingResults");
  ASSERT_NE(results, nullptr);
  ASSERT_EQ(results->ChildCount(), 4);  // three rows and the sump data
  const TXMLElement* sag = results->Child(2);
  EXPECT_EQ(sag->Attributes.GetAttribute("id"), "3");
  EXPECT_EQ(sag->FindChild("SumpType")->Text, "Sag inlet");
  EXPECT_EQ(sag->FindChild("Station")->Text, "4+00");
  EXPECT_EQ(XmlToFloat(sag->FindChild("GutterLength")->Text), 200);
  EXPECT_NEAR(XmlToFloat(sag->FindChild("TotalFlow")->Text), project.Elements.Items(2)->TotalFlow, 1e-12);
  EXPECT_NE(sag->FindChild("CalcMessage"), nullptr);
  EXPECT_EQ(results->Child(1)->FindChild("CalcMessage"), nullptr);
  const TXMLElement* sump = results->Child(3);
  EXPECT_EQ(sump->Name, "SumpData");
  EXPECT_NEAR(XmlToFloat(sump->FindChild("SumpTotalFlow")->Text), project.Elements.SumpTotalFlow, 1e-12);

  // The file opens again as the project it was saved from.
  TInletSpacing reopened;
  reopened.Load(text);
  EXPECT_EQ(reopened.LastError, "");
  EXPECT_EQ(reopened.SaveInput(), project.SaveInput());
}
