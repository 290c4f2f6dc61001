// The code table: loading rules, entry classes, look-ups and rainfall
// intensity; and the shipped parameter files.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "model/FileConversion.h"
#include "model/ParameterList.h"
#include "model/PipeCatalogue.h"

namespace {

std::string ParameterText(const std::string& body, const std::string& version = "110") {
  return "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?><Application Name=\"Drevia\" Version=\"110\">"
         "<ApplicationParameters version=\"" +
         version + "\">" + body + "</ApplicationParameters></Application>";
}

std::string Rainfall(const std::string& area, const std::string& frequency, const std::string& a1,
                     const std::string& a2, const std::string& a3) {
  return "<Parameter type=\"RainfallCoefficient\"><Code>" + area + frequency + "</Code><Area>" + area +
         "</Area><Frequency>" + frequency + "</Frequency><Coeff_A1>" + a1 + "</Coeff_A1><Coeff_A2>" + a2 +
         "</Coeff_A2><Coeff_A3>" + a3 + "</Coeff_A3><Description>ignored</Description></Parameter>";
}

TEST(ParameterListTest, LoadMessages) {
  struct TCase {
    const char* Name;
    std::string Text;
    std::string Message;
  };
  const TCase cases[] = {
      {"foreign root", "<Other Name=\"Drevia\"><ApplicationParameters version=\"110\"/></Other>",
       "The XML document is not compatible with Drevia"},
      {"foreign application", "<Application Name=\"drevia\"><ApplicationParameters version=\"110\"/></Application>",
       "The XML document is not compatible with Drevia"},
      {"wrong block", "<Application Name=\"Drevia\"><Parameters version=\"110\"/></Application>",
       "The XML document is not compatible with the Drevia Global Parameters"},
      {"no block", "<Application Name=\"Drevia\"></Application>",
       "The XML document is not compatible with the Drevia Global Parameters"},
      {"version 100", ParameterText("", "100"),
       "The parameters file is not compatible with this version of Drevia. Reinstall the complete package"},
      {"no version", ParameterText("", ""),
       "The parameters file is not compatible with this version of Drevia. Reinstall the complete package"},
      {"version 101", ParameterText("", "101"), ""},
      {"unparsable", "</Application>", ParameterFilesCorruptedMessage},
  };
  for (const TCase& c : cases) {
    TNerraParameterList list;
    list.LoadParameters(c.Text);
    EXPECT_EQ(list.LastError, c.Message) << c.Name;
    EXPECT_EQ(list.Count(), 0) << c.Name;
  }
  TNerraParameterList list;
  EXPECT_EQ(list.LoadParameterFile("/nonexistent/AppParameters.xml"), ParameterFilesCorruptedMessage);
}

TEST(ParameterListTest, EntriesByCategory) {
  TNerraParameterList list;
  list.LoadParameters(ParameterText(
      "<Parameter type=\"InletType\"><Code>1</Code><Description>Headwall</Description><Sequence>4</Sequence>"
      "<Value>v</Value><KE>0.5</KE></Parameter>"
      "<Parameter type=\"BoxInletType\"><Description>Wingwall 45</Description><Code>2</Code><KD>0.0347</KD>"
      "<KE>0.2</KE><QMAX>3.5</QMAX><KP>0.81</KP><K>0.026</K><SL>-0.5</SL><M>1.0</M><QMIN>4</QMIN>"
      "<Unknown>9</Unknown></Parameter>"
      "<Parameter type=\"UnsubmergedInlet\"><Code>U1</Code><Description>U</Description><KE>0.4</KE><QMAX>3</QMAX>"
      "<K>0.03</K><M>1.5</M><SL>0.5</SL><KD>99</KD></Parameter>"
      "<Parameter type=\"SubmergedInlet\"><Code>S1</Code><Description>S</Description><KD>0.04</KD><KP>0.7</KP>"
      "<QMIN>4</QMIN><SL>-0.5</SL><KE>99</KE></Parameter>"
      "<Parameter type=\"StructureType\"><Code>T1</Code><Description>Type 1</Description>"
      "<Structure>CB</Structure></Parameter>"
      "<Parameter type=\"Bogus\"><Code>x</Code></Parameter>"
      "<Other type=\"InletType\"><Code>y</Code></Other>"
      "<Parameter type=\"inlettype\"><Code>z</Code></Parameter>" +
      Rainfall("A", "10", "60", "10", "0.8")));
  ASSERT_EQ(list.LastError, "");
  ASSERT_EQ(list.Count(), 6);

  const TNerraBaseCode* plain = list.Code(0);
  EXPECT_EQ(typeid(*plain), typeid(TNerraBaseCode));
  EXPECT_EQ(plain->Category, pcInletType);
  EXPECT_EQ(plain->Code, "1");
  EXPECT_EQ(plain->Description, "Headwall");
  EXPECT_EQ(plain->Sequence, 4);
  EXPECT_EQ(plain->Value, "v");
  EXPECT_EQ(list.Key(0), "Headwall");

  const TNerraInletTypeCode* box = list.FindInletType(pcBoxInletType, "2");
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->Category, pcBoxInletType);
  EXPECT_DOUBLE_EQ(box->KD, 0.0347);
  EXPECT_DOUBLE_EQ(box->KE, 0.2);
  EXPECT_DOUBLE_EQ(box->QMAX, 3.5);
  EXPECT_DOUBLE_EQ(box->KP, 0.81);
  EXPECT_DOUBLE_EQ(box->K, 0.026);
  EXPECT_DOUBLE_EQ(box->SL, -0.5);
  EXPECT_DOUBLE_EQ(box->M, 1.0);
  EXPECT_DOUBLE_EQ(box->QMIN, 4);
  EXPECT_EQ(list.FindInletType(pcInletType, "1"), nullptr);  // a plain code list, not a coefficient set
  EXPECT_EQ(list.FindInletType(pcBoxInletType, "1"), nullptr);

  const TNerraUnsubmergedInletCode* unsubmerged = list.FindUnsubmergedInlet("U1");
  ASSERT_NE(unsubmerged, nullptr);
  EXPECT_DOUBLE_EQ(unsubmerged->KE, 0.4);
  EXPECT_DOUBLE_EQ(unsubmerged->K, 0.03);
  EXPECT_DOUBLE_EQ(unsubmerged->M, 1.5);
  EXPECT_DOUBLE_EQ(unsubmerged->SL, 0.5);
  const TNerraSubmergedInletCode* submerged = list.FindSubmergedInlet("S1");
  ASSERT_NE(submerged, nullptr);
  EXPECT_DOUBLE_EQ(submerged->KD, 0.04);
  EXPECT_DOUBLE_EQ(submerged->KP, 0.7);
  EXPECT_DOUBLE_EQ(submerged->QMIN, 4);

  const auto* structure = dynamic_cast<const TNerraStructureTypeCode*>(list.FindCode(pcStructureType, "T1"));
  ASSERT_NE(structure, nullptr);
  EXPECT_EQ(structure->Structure, "CB");

  // Rainfall rows are keyed by their code and read none of the other base fields.
  const auto* rainfall = dynamic_cast<const TNerraRainfallParameter*>(list.Code(5));
  ASSERT_NE(rainfall, nullptr);
  EXPECT_EQ(list.Key(5), "A10");
  EXPECT_EQ(rainfall->Description, "");
  EXPECT_EQ(rainfall->Area, "A");
  EXPECT_EQ(rainfall->Frequency, "10");
  EXPECT_DOUBLE_EQ(rainfall->Coeff_A1, 60);
}

TEST(ParameterListTest, CodeListsReferenceTheTable) {
  TNerraParameterList table;
  table.LoadParameters(ParameterText(
      "<Parameter type=\"SewerSide\"><Code>L</Code><Description>Left</Description></Parameter>"
      "<Parameter type=\"LiningType\"><Code>1</Code><Description>Grass</Description></Parameter>"
      "<Parameter type=\"SewerSide\"><Code>R</Code><Description>Right</Description></Parameter>"
      "<Parameter type=\"SewerSide\"><Code>R</Code><Description>Right again</Description></Parameter>"));
  ASSERT_EQ(table.Count(), 4);
  {
    std::unique_ptr<TNerraBaseList> sides = table.CodesOfCategory(pcSewerSide);
    ASSERT_EQ(sides->Count(), 3);
    EXPECT_FALSE(sides->OwnsObjects());
    EXPECT_EQ(sides->Key(0), "Left");
    EXPECT_EQ(sides->Key(1), "Right");
    EXPECT_EQ(sides->Object(0), table.Object(0));
    EXPECT_EQ(sides->IndexOfCode("R"), 1);  // the first of two
    EXPECT_EQ(sides->IndexOfCode("r"), -1);
    EXPECT_EQ(sides->DescriptionOfCode("R"), "Right");
    EXPECT_EQ(sides->DescriptionOfCode("X"), "");
    EXPECT_EQ(table.CodesOfCategory(pcCBType)->Count(), 0);
  }
  // The derived list is gone; the table's entries are not.
  EXPECT_EQ(table.Code(0)->Description, "Left");
  EXPECT_EQ(table.CountOfCategory(pcSewerSide), 3);

  // Entries that are not codes never match a code look-up.
  TNerraBaseList mixed(false);
  TNerraBase other;
  mixed.Add("x", &other);
  mixed.Add("Left", table.Code(0));
  EXPECT_EQ(mixed.IndexOfCode("L"), 1);
}

TEST(ParameterListTest, RainfallIntensity) {
  TNerraParameterList list;
  list.LoadParameters(ParameterText(Rainfall("A", "10", "60", "10", "0.8") + Rainfall("B", "10", "50", "8", "0.7") +
                                    Rainfall("A", "10", "120", "20", "0.5") + Rainfall("C", "5", "75", "-10", "0.8") +
                                    Rainfall("D", "5", "40", "10", "0") + Rainfall("E", "5", "0", "0", "0.8")));
  // The later row for the same area and frequency wins.
  const TRainfallCoefficients c = list.FindRainfallCoefficients("A", "10");
  EXPECT_EQ(c.Position, 2);
  EXPECT_DOUBLE_EQ(c.A1, 120);
  EXPECT_DOUBLE_EQ(c.A2, 20);
  EXPECT_DOUBLE_EQ(c.A3, 0.5);
  EXPECT_NEAR(list.RainfallIntensity("10", "A", 5), 120 / std::sqrt(25.0), 1e-12);
  EXPECT_NEAR(list.RainfallIntensity("10", "A", 0), 120 / std::sqrt(20.0), 1e-12);
  EXPECT_NEAR(list.RainfallIntensity("10", "B", 15), 50 / std::pow(23.0, 0.7), 1e-12);
  EXPECT_DOUBLE_EQ(list.RainfallIntensity("5", "D", 30), 40);  // exponent 0

  // Codes are compared exactly.
  EXPECT_EQ(list.FindRainfallCoefficients("a", "10").Position, -1);
  EXPECT_EQ(list.RainfallIntensity("10", "a", 5), 0);
  EXPECT_EQ(list.RainfallIntensity("A", "10", 5), 0);  // frequency and area swapped

  // A duration at or before the curve's origin gives no intensity, not infinity or NaN.
  EXPECT_EQ(list.RainfallIntensity("5", "C", 10), 0);
  EXPECT_EQ(list.RainfallIntensity("5", "C", 4), 0);
  EXPECT_GT(list.RainfallIntensity("5", "C", 11), 0);
  EXPECT_EQ(list.RainfallIntensity("5", "E", 0), 0);
  EXPECT_EQ(list.RainfallIntensity("10", "A", NAN), 0);
}

// The files delivered with the program hold every table the modules use.
TEST(ShippedDataTest, ParameterFilesAreComplete) {
  const std::string folder = std::string(DREVIA_SOURCE_DIR) + "/data";
  if (!std::filesystem::exists(folder + "/AppParameters.xml") ||
      !std::filesystem::exists(folder + "/UniversalCulvertParameters.xml"))
    GTEST_SKIP() << "shipped parameter files not present yet";
  TNerraParameterList parameters;
  ASSERT_EQ(parameters.LoadParameterFile(folder + "/AppParameters.xml"), "");
  for (int c = 0; c < ParameterCategoryCount; ++c)
    EXPECT_GT(parameters.CountOfCategory(static_cast<TParameterCategory>(c)), 0)
        << CategoryTypeName(static_cast<TParameterCategory>(c));

  const struct {
    TParameterCategory Category;
    std::vector<std::string> Codes;
  } required[] = {
      {pcHWType, {"0", "1", "2"}},
      {pcDesignPipeType, {"0", "1", "2", "3", "4", "5", "99"}},
      {pcAnalysisPipeType, {"1", "2", "3", "4", "5"}},
      {pcLiningType, {"1", "2", "7"}},
      {pcSumpType, {"0"}},
      {pcBoxInletType, {"1", "2", "3"}},
      {pcCircularConcreteInletType, {"1", "2", "3"}},
      {pcCircularCorrugatedInletType, {"1", "2", "3"}},
      {pcEllipticalConcreteInletType, {"1", "2", "3"}},
      {pcArchCorrugatedInletType, {"1", "2", "3"}},
      {pcInletType, {"1", "2", "3"}},
  };
  for (const auto& r : required)
    for (const std::string& code : r.Codes)
      EXPECT_NE(parameters.FindCode(r.Category, code), nullptr) << CategoryTypeName(r.Category) << " " << code;

  // Every area offered has an intensity curve for every frequency offered.
  const auto areas = parameters.CodesOfCategory(pcRainfallArea);
  const auto frequencies = parameters.CodesOfCategory(pcStormFrequency);
  for (int a = 0; a < areas->Count(); ++a)
    for (int f = 0; f < frequencies->Count(); ++f) {
      const std::string area = areas->ItemAs<TNerraBaseCode>(a)->Code;
      const std::string frequency = frequencies->ItemAs<TNerraBaseCode>(f)->Code;
      const double i10 = parameters.RainfallIntensity(frequency, area, 10);
      EXPECT_GT(i10, 0.5) << area << "/" << frequency;
      EXPECT_LT(i10, 20) << area << "/" << frequency;
      EXPECT_LT(parameters.RainfallIntensity(frequency, area, 60), i10) << area << "/" << frequency;
    }

  TCulvertBasePipeList pipes;
  ASSERT_EQ(pipes.LoadPipeFile(folder + "/UniversalCulvertParameters.xml"), "");
  for (const std::string type : {"1", "3", "5"}) {
    const int32_t largest = pipes.MaxPipeIndex(type, "");
    EXPECT_GT(largest, 0) << type;
    double previous = 0;
    for (int32_t id = 1; id <= largest; ++id) {
      const TCulvertBasePipe* pipe = pipes.FindPipe(type, "", id);
      ASSERT_NE(pipe, nullptr) << type << " id " << id;
      EXPECT_GT(pipe->n, 0) << type << " id " << id;
      EXPECT_GE(FullArea(*pipe), previous) << type << " id " << id;  // sizes ascend by id
      previous = FullArea(*pipe);
    }
  }
  for (const auto& [type, category] : {std::pair{"2", pcCircularCorrugationType}, {"4", pcArcCorrugationType}}) {
    const auto corrugations = parameters.CodesOfCategory(category);
    for (int c = 0; c < corrugations->Count(); ++c) {
      const std::string corrugation = corrugations->ItemAs<TNerraBaseCode>(c)->Code;
      const int32_t largest = pipes.MaxPipeIndex(type, corrugation);
      EXPECT_GT(largest, 0) << type << " corrugation " << corrugation;
      for (int32_t id = 1; id <= largest; ++id)
        EXPECT_NE(pipes.FindPipe(type, corrugation, id), nullptr) << type << "/" << corrugation << " id " << id;
    }
  }
}

}  // namespace
