#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "DitchTestSupport.h"
#include "xml/XmlDocument.h"

namespace {

std::string ReadTestFile(const std::string& name) {
  std::ifstream in(std::string(DREVIA_TEST_DATA_DIR) + "/ditch/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A project touching every field the file holds.
void FillProject(TDitchAnalysis& project) {
  project.Identification.PID = "D-17 & <ramp>";
  project.Identification.Project = "Route 9 widening";
  project.Identification.Designer = "K. Lind";
  project.GeneralParameters.Time = 12.5;
  project.GeneralParameters.WaterShedAreaCode = "A";
  project.GeneralParameters.DepthStormFrequency = "50";
  project.GeneralParameters.VelocityStormFrequency = "10";
  project.GeneralParameters.SetAllowableShear(ltJuteMat, 0);
  project.GeneralParameters.SetAllowableShear(ltTurfType3, 7.25);
  TDitchAnalysisElement* section = AddSection(project, 4, "12+3", "15+00", 2.5, 0.45, 0);
  section->ElevationBegin = 101.25;
  section->ElevationEnd = 98.5;
  section->Side = "L";
  section->Lining = ltTempMat;
  section->CoeffN = 0.045;
  section->ConcTime = 8;
  TDitchAnalysisElement* arc = AddSection(project, 9, "15+00", "", 1.2, 0.6, 0.015, 0, 0);
  arc->Radius = 1.75;
  arc->Length = 140;
  arc->Lining = ltRCPTypeB;
  auto* inflow = new TDitchAnalysisElement();
  inflow->ElementId = 2;
  inflow->SetBeginStation("16+40");
  inflow->RunoffArea = 6;
  inflow->RunoffCoeff = 0.35;
  inflow->ConcTime = 22;
  project.ElementList.Add("2", inflow);
}

}  // namespace

TEST(DitchFile, InputRoundTripsExactly) {
  TDitchAnalysis project;
  FillProject(project);
  const std::string text = project.SaveInput();

  // The element as the file spells it: station written back with two
  // digits, grade and length as entered, the mat lining by class.
  EXPECT_NE(text.find("<DitchAnalysisElement id=\"4\"><BeginStation>12+03</BeginStation><EndStation>15+00</EndStation>"
                      "<Side>L</Side><ConcTime>8</ConcTime><RunoffCoeff>0.45</RunoffCoeff><RunoffArea>2.5</RunoffArea>"
                      "<Inslope>3</Inslope><Width>2</Width><Radius>0</Radius><Backslope>3</Backslope><Grade>0</Grade>"
                      "<Length>0</Length><ElevationBegin>101.25</ElevationBegin><ElevationEnd>98.5</ElevationEnd>"
                      "<ManningN>0.045</ManningN><Lining>2</Lining></DitchAnalysisElement>"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("<DitchAnalysisParameters><WaterShedAreaCode>A</WaterShedAreaCode><DepthStormFrequency>50"
                      "</DepthStormFrequency><VelocityStormFrequency>10</VelocityStormFrequency><Time>12.5</Time>"
                      "<SeedShear>0.4</SeedShear><JuteMatShear>0</JuteMatShear><TempMatShear>1</TempMatShear>"
                      "<TurfMatType1>2</TurfMatType1><TurfMatType2>3</TurfMatType2><TurfMatType3>7.25</TurfMatType3>"
                      "<RCPShearTypeB>6</RCPShearTypeB></DitchAnalysisParameters>"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("AreaSum"), std::string::npos);

  TDitchAnalysis loaded;
  loaded.Load(text);
  ASSERT_EQ(loaded.LastError, "");
  EXPECT_EQ(loaded.SaveInput(), text);
  ASSERT_EQ(loaded.ElementList.Count(), 3);
  EXPECT_EQ(loaded.ElementList.Key(1), "9");
  EXPECT_EQ(loaded.Element(0)->BeginStation, 1203);
  EXPECT_EQ(loaded.Element(0)->Lining, ltJuteMat);  // the class comes back as its first mat
  EXPECT_EQ(loaded.Element(1)->EndStation, -1);
  EXPECT_TRUE(loaded.Element(2)->IsConcentratedInflow());
  EXPECT_EQ(loaded.Identification.PID, "D-17 & <ramp>");
  EXPECT_DOUBLE_EQ(loaded.GeneralParameters.AllowableShear(ltTurfType3), 7.25);
  EXPECT_FALSE(loaded.GeneralParameters.LiningOrderReady);
}

TEST(DitchFile, LoadSkipsUnknownsAndReportsWhatItCannotRead) {
  TDitchAnalysis project;
  project.Load(ReadTestFile("loose.xml"));
  ASSERT_EQ(project.LastError, "");
  ASSERT_EQ(project.ElementList.Count(), 2);
  const TDitchAnalysisElement* first = project.Element(0);
  EXPECT_EQ(first->ElementId, 0);          // "id" that is no number
  EXPECT_DOUBLE_EQ(first->RunoffArea, 0);  // float that is no number
  EXPECT_DOUBLE_EQ(first->RunoffCoeff, 0.7);
  EXPECT_EQ(first->BeginStation, -1);  // station without "+"
  EXPECT_EQ(first->EndStation, 250);
  EXPECT_DOUBLE_EQ(first->Inslope, 0);  // missing key keeps the default
  EXPECT_EQ(project.Element(1)->ElementId, 3);
  EXPECT_EQ(project.GeneralParameters.WaterShedAreaCode, "B");
  EXPECT_DOUBLE_EQ(project.GeneralParameters.AllowableShear(ltSeed), 0.55);

  TDitchAnalysis wrongKind;
  wrongKind.Load(
      "<?xml version=\"1.0\"?><Application Name=\"Drevia\" Version=\"110\"><InletSpacingDesign/>"
      "<DitchAnalysis/></Application>");
  EXPECT_EQ(wrongKind.LastError, "The XML document is not compatible with the Drevia Ditch Analysis Module");

  // A lining code that is no integer stops the load and leaves no half-read
  // project behind.
  TDitchAnalysis badLining;
  badLining.Load(ReadTestFile("bad-lining.xml"));
  EXPECT_EQ(badLining.LastError, "Element #2: 'Mat' is not a valid integer value");
  EXPECT_EQ(badLining.ElementList.Count(), 0);
}

TEST(DitchFile, SaveWithResultsWritesTheRowsUnderTheirElements) {
  auto parameters = MakeTestParameters();
  TDitchAnalysis project(parameters.get());
  FillProject(project);
  ASSERT_EQ(project.Calculate(), 0);
  const std::string text = project.SaveWithResults();
  ASSERT_FALSE(text.empty());

  TXMLDocument document;
  document.Parse(text);
  const TXMLElement* list = document.GetRoot()->Child(0)->FindChild("DitchAnalysisList");
  ASSERT_NE(list, nullptr);
  int rows = 0;
  for (int i = 0; i < list->ChildCount(); ++i) {
    const TXMLElement* results = list->Child(i)->FindChild("CalculationResult");
    ASSERT_NE(results, nullptr);
    rows += results->ChildCount();
    ASSERT_GT(results->ChildCount(), 0);
    EXPECT_EQ(results->Child(0)->FindChild("FirstLine")->Text, "Y");
  }
  EXPECT_EQ(rows, project.ResultList.Count());
  EXPECT_NEAR(XmlToFloat(list->Child(2)->FindChild("CASum")->Text), project.Element(2)->CASum, 1e-12);

  // A file with results opens as its input.
  TDitchAnalysis reopened;
  reopened.Load(text);
  ASSERT_EQ(reopened.LastError, "");
  EXPECT_EQ(reopened.SaveInput(), project.SaveInput());
  EXPECT_EQ(reopened.ResultList.Count(), 0);
}
