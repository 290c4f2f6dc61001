#include <gtest/gtest.h>

#include "foundation/FormatSettings.h"
#include "model/NerraBase.h"
#include "model/ProjectFile.h"
#include "model/ValueFormat.h"
#include "xml/XmlDocument.h"

namespace {
struct TTestElement : TNerraElement {
  TSectionProperties SectionProperties(double) const override { return {}; }
};

// A minimal kind that writes only the framing.
struct TTestProject : TNerraBaseProject {
  std::string KindElementName() const override { return "DitchAnalysis"; }
  std::string SaveInput() override {
    TXMLDocument document;
    WriteIdentification(BeginProjectFile(document, *this, KindElementName()), Identification);
    return ProjectFileText(document);
  }
  void Load(const std::string& text) override {
    TXMLDocument document;
    TXMLElement* kind = OpenProjectText(document, text, *this, {"DitchAnalysis"},
                                        "The XML document is not compatible with the Drevia Ditch Analysis Module");
    if (!kind) return;
    for (int i = 0; i < kind->ChildCount(); ++i)
      if (kind->Child(i)->Name == "Identification") ReadIdentification(kind->Child(i), Identification);
  }
};

TNerraElementList* ListWithIds(std::initializer_list<int> ids) {
  auto* list = new TNerraElementList();
  for (int id : ids) list->AddNew<TTestElement>()->ElementId = id;
  return list;
}

std::vector<int> Ids(const TNerraElementList& list) {
  std::vector<int> ids;
  for (int i = 0; i < list.Count(); ++i) ids.push_back(list.Element(i)->ElementId);
  return ids;
}
}  // namespace

TEST(ValueFormat, FloatsUseFifteenDigitsAndTheExponentRule) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0.5, "0.5"},
      {2, "2"},
      {-0.25, "-0.25"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {2.5e20, "2.5E20"},
      {0, "0"},
      {1e15, "1E15"},
      {999999999999999, "999999999999999"},
      {0.1 + 0.2, "0.3"},
      {123456.789, "123456.789"},
      {-1.5e-7, "-1.5E-7"},
      {1.0 / 3.0, "0.333333333333333"},
      {100, "100"},
      {9.9999999999999999e14, "1E15"},
      {12.0000000000000001, "12"},
  };
  for (const auto& c : cases) EXPECT_EQ(FloatToXml(c.value), c.text) << c.value;
  EXPECT_EQ(FloatToXml(std::numeric_limits<double>::quiet_NaN()), "0");
  EXPECT_EQ(FloatToXml(std::numeric_limits<double>::infinity()), "0");

  const TFormatSettings saved = FormatSettings();
  SetFormatSettings({',', '.', "DMY"});
  EXPECT_EQ(FloatToXml(0.5), "0,5");
  EXPECT_EQ(FloatToXml(1.5e-6), "1,5E-6");
  EXPECT_EQ(DateToXml(EncodeDate(2024, 3, 15)), "03.15.2024") << "files keep month first";
  SetFormatSettings(saved);
  EXPECT_EQ(DateToXml(0), "12/30/1899");
  EXPECT_EQ(IntToXml(-7), "-7");
}

TEST(ProjectFile, FramingAndIdentificationRoundTrip) {
  TTestProject project;
  EXPECT_EQ(project.SaveInput(),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><Application Name=\"Drevia\" Version=\"110\" "
            "unit=\"english\"><DitchAnalysis><Identification><PID/><Project/><Description/><Location/>"
            "<ProjectDate>12/30/1899</ProjectDate><Designer/></Identification></DitchAnalysis></Application>");

  project.Identification.PID = "P&1";
  project.Identification.Project = "Route 9";
  project.Identification.Description = "Ditch <left>";
  project.Identification.Location = "Mile 3";
  project.Identification.ProjectDate = EncodeDate(2024, 3, 15);
  project.Identification.Designer = "A. B.";
  TTestProject loaded;
  loaded.Load(project.SaveInput());
  EXPECT_EQ(loaded.LastError, "");
  EXPECT_EQ(loaded.Identification.PID, "P&1");
  EXPECT_EQ(loaded.Identification.Description, "Ditch <left>");
  EXPECT_EQ(loaded.Identification.ProjectDate, EncodeDate(2024, 3, 15));
  EXPECT_EQ(loaded.Identification.Designer, "A. B.");
  EXPECT_EQ(loaded.UnitSystem, usEnglish) << "the unit is read from the kind element, not the root";

  TTestProject wrong;
  wrong.Load("<Application Name=\"Drevia\"><CulvertDesign/></Application>");
  EXPECT_EQ(wrong.LastError, "The XML document is not compatible with the Drevia Ditch Analysis Module");
  wrong.Load("</broken>");
  EXPECT_EQ(wrong.LastError, "The XML document is not compatible with the Drevia Ditch Analysis Module");
  wrong.Load("<Application><DitchAnalysis unit=\"METRIC\"/></Application>");
  EXPECT_EQ(wrong.LastError, "");
  EXPECT_EQ(wrong.UnitSystem, usMetric);
}

TEST(ProjectFile, InletSpacingIdentificationNames) {
  TXMLDocument document;
  TTestProject project;
  project.Identification.PID = "J-1";
  project.Identification.Designer = "Me";
  WriteIdentification(BeginProjectFile(document, project, "InletSpacingDesign"), project.Identification, true);
  const std::string text = document.GetXML();
  EXPECT_NE(text.find("<JobNumber>J-1</JobNumber>"), std::string::npos);
  EXPECT_NE(text.find("<Author>Me</Author>"), std::string::npos);
  TProjectIdentification read;
  ReadIdentification(document.GetRoot()->Child(0)->Child(0), read, true);
  EXPECT_EQ(read.PID, "J-1");
  EXPECT_EQ(read.Designer, "Me");
}

TEST(ProjectFile, KindElementNameOfAnEmptyDocument) {
  TXMLDocument empty;
  EXPECT_EQ(KindElementNameOf(empty), "");
}

TEST(ElementList, IdentifiersAndOrder) {
  std::unique_ptr<TNerraElementList> list(ListWithIds({1, 2, 3}));
  EXPECT_EQ(list->MaxId(), 3);
  EXPECT_EQ(list->MoveUp(1), 0);
  EXPECT_EQ(Ids(*list), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(list->MoveDown(3), 2);
  EXPECT_EQ(Ids(*list), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(list->MoveDown(1), 0);
  EXPECT_EQ(Ids(*list), (std::vector<int>{2, 1, 3}));
  EXPECT_EQ(list->MoveUp(3), 2);
  EXPECT_EQ(Ids(*list), (std::vector<int>{2, 3, 1}));
  EXPECT_EQ(list->MoveUp(9), -1);

  EXPECT_EQ(list->DeleteElement(3), 0);
  EXPECT_EQ(list->DeleteElement(3), -1);
  EXPECT_EQ(list->IndexOfId(1), 1);
  EXPECT_EQ(list->MaxId(), 2);
  list->AddNew<TTestElement>()->ElementId = list->MaxId() + 1;
  EXPECT_EQ(Ids(*list), (std::vector<int>{2, 1, 3})) << "the deleted top id is reused";

  TNerraElementList empty;
  EXPECT_EQ(empty.MaxId(), 0);
  EXPECT_EQ(empty.SplitElement(1), 0);
}

TEST(Project, UnitWordAndDefaults) {
  TNerraBaseProject project;
  EXPECT_EQ(project.UnitText(), "english");
  project.SetUnitText("METRIC");
  EXPECT_EQ(project.UnitText(), "metric");
  project.SetUnitText("Metric");
  EXPECT_EQ(project.UnitSystem, usMetric);
  project.SetUnitText("");
  EXPECT_EQ(project.UnitSystem, usEnglish);
  EXPECT_EQ(project.Calculate(), -1);
  EXPECT_EQ(project.SaveInput(), "");

  TTestElement element;
  EXPECT_EQ(element.ManningN(), 0.012);
  element.CoeffN = 0.015;
  EXPECT_EQ(element.ManningN(), 0.015);
  EXPECT_EQ(element.CompositeN(1, 2, 3, 0.5), 0.015);
  EXPECT_EQ(element.MaxFlowDepthRatio(), 0.938);
  EXPECT_EQ(element.FullFlowDischargeRatio(), 1.064);
}
